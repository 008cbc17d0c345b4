#include "platform/mfc/Palette.h"

IMPLEMENT_DYNCREATE(CPalette, CGdiObject)
