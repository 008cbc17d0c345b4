#include "platform/mfc/Brush.h"

#include "platform/mfc/Exception.h"

IMPLEMENT_DYNCREATE(CBrush, CGdiObject)

CBrush::CBrush(COLORREF colour) {
  if (!CreateSolidBrush(colour)) AfxThrowResourceException();
}
