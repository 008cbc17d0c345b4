#include "platform/mfc/Rgn.h"

IMPLEMENT_DYNCREATE(CRgn, CGdiObject)
