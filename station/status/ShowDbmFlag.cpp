#include "station/status/ShowDbmFlag.h"

int g_bShowDbm = 0;
