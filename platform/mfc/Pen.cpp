#include "platform/mfc/Pen.h"

#include "platform/mfc/Exception.h"

IMPLEMENT_DYNCREATE(CPen, CGdiObject)

CPen::CPen(int style, int width, COLORREF colour) {
  if (!CreatePen(style, width, colour)) AfxThrowResourceException();
}
