#include "widgets/WorkerClosingFlag.h"

BOOL WorkerClosingFlag = FALSE;
