// The default look of statics: aligned text, images, filled and framed
// rectangles and etched lines.
#include "platform/win/user/ControlDrawing.h"
#include "platform/win/controls/ControlLook.h"
#include "platform/win/gdi/Shapes.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/controls/StaticControl.h"
#include "platform/win/gdi/Images.h"

namespace wavorel {

namespace {

// The system colour of the rectangle and frame types (black, grey, white).
int shadeOf(DWORD type) {
  switch (type) {
    case SS_BLACKRECT:
    case SS_BLACKFRAME: return COLOR_WINDOWFRAME;
    case SS_GRAYRECT:
    case SS_GRAYFRAME: return COLOR_BACKGROUND;
    default: return COLOR_WINDOW;
  }
}

}  // namespace

void StaticControl::paintLook(HDC dc) const {
  DWORD s = style();
  DWORD type = s & SS_TYPEMASK;
  RECT r;
  GetClientRect(hwnd(), &r);
  HBRUSH back = prepareControlDc(hwnd(), dc, WM_CTLCOLORSTATIC, WM_CTLCOLORSTATIC);
  switch (type) {
    case SS_BLACKRECT:
    case SS_GRAYRECT:
    case SS_WHITERECT: FillRect(dc, &r, GetSysColorBrush(shadeOf(type))); return;
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME: FrameRect(dc, &r, GetSysColorBrush(shadeOf(type))); return;
    case SS_ETCHEDHORZ: DrawEdge(dc, &r, EDGE_ETCHED, BF_TOP); return;
    case SS_ETCHEDVERT: DrawEdge(dc, &r, EDGE_ETCHED, BF_LEFT); return;
    case SS_ETCHEDFRAME: DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT); return;
    case SS_ICON:
      FillRect(dc, &r, back);
      drawImageCentred(dc, icon_, IMAGE_ICON, r);
      return;
    case SS_BITMAP:
      FillRect(dc, &r, back);
      drawImageCentred(dc, bitmap_, IMAGE_BITMAP, r);
      return;
    default: break;
  }
  if (type != SS_SIMPLE) FillRect(dc, &r, back);
  UINT format = (s & SS_NOPREFIX) ? DT_NOPREFIX : 0;
  if (type == SS_CENTER) format |= DT_CENTER | DT_WORDBREAK;
  else if (type == SS_RIGHT) format |= DT_RIGHT | DT_WORDBREAK;
  else if (type == SS_LEFT) format |= DT_WORDBREAK;
  if (s & SS_CENTERIMAGE) format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
  drawControlText(hwnd(), dc, windowText(hwnd()), r, format | DT_EXPANDTABS);
}

}  // namespace wavorel
