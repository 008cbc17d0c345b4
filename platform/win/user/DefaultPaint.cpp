// The default window procedure's painting: WM_PAINT, WM_ERASEBKGND with the
// class background brush, a plain frame and caption on WM_NCPAINT, and the
// system colours for WM_CTLCOLOR*.
#include <algorithm>
#include <mutex>

#include "platform/win/user/ControlDrawing.h"
#include "platform/win/user/Paint.h"
#include "platform/win/gdi/Shapes.h"
#include "platform/win/gdi/Text.h"
#include "platform/win/user/WindowManager.h"
#include "platform/win/gdi/Brush.h"
#include "platform/win/gdi/Gdi.h"

namespace {

void shrink(RECT& r) {
  ++r.left;
  ++r.top;
  --r.right;
  --r.bottom;
}

LRESULT eraseBackground(HWND hwnd, HDC dc) {
  auto brush = reinterpret_cast<HBRUSH>(GetClassLongPtr(hwnd, GCLP_HBRBACKGROUND));
  if (!brush || !dc) return 0;
  RECT r;
  GetClientRect(hwnd, &r);
  FillRect(dc, &r, brush);
  return 1;
}

// The frame rings from the outside in: border, caption, client edge.
void paintFrame(const wavorel::Window& w) {
  HDC dc = GetWindowDC(w.hwnd);
  if (!dc) return;
  RECT r{0, 0, w.width(), w.height()};
  if ((w.style & WS_THICKFRAME) || (w.style & WS_DLGFRAME) || (w.exStyle & WS_EX_DLGMODALFRAME)) {
    LONG edge = GetSystemMetrics((w.style & WS_THICKFRAME) ? SM_CXFRAME : SM_CXDLGFRAME);
    RECT ring = r;
    DrawEdge(dc, &ring, EDGE_RAISED, BF_RECT | BF_ADJUST);
    for (LONG i = 2; i < edge; ++i) {
      FrameRect(dc, &ring, GetSysColorBrush(COLOR_3DFACE));
      shrink(ring);
    }
    r = ring;
  } else if (w.style & WS_BORDER) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    shrink(r);
  }
  if ((w.style & WS_CAPTION) == WS_CAPTION) {
    LONG height = GetSystemMetrics((w.exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
    RECT bar{r.left, r.top, r.right, r.top + height};
    bool active = GetActiveWindow() == w.hwnd;
    FillRect(dc, &bar, GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    RECT text{bar.left + 4, bar.top, bar.right - 2, bar.bottom};
    if (w.style & WS_SYSMENU) {
      LONG side = std::max<LONG>(0, height - 4);
      RECT close{bar.right - 2 - side, bar.top + 2, bar.right - 2, bar.top + 2 + side};
      DrawFrameControl(dc, &close, DFC_CAPTION, DFCS_CAPTIONCLOSE);
      text.right = close.left - 2;
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    DrawText(dc, w.text.c_str(), static_cast<int>(w.text.size()), &text,
             DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, old);
    r.top = bar.bottom;
  }
  if (w.exStyle & WS_EX_CLIENTEDGE) DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  if (w.exStyle & WS_EX_STATICEDGE) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
  ReleaseDC(w.hwnd, dc);
}

// The colours a control gets when its parent leaves them to the defaults.
LRESULT controlColours(UINT msg, HDC dc) {
  int back = COLOR_3DFACE;
  if (msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX) back = COLOR_WINDOW;
  if (msg == WM_CTLCOLORSCROLLBAR) back = COLOR_SCROLLBAR;
  if (dc) {
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(back));
  }
  return reinterpret_cast<LRESULT>(GetSysColorBrush(back));
}

}  // namespace

HBRUSH GetSysColorBrush(int index) {
  static std::mutex mutex;
  static HBRUSH brushes[COLOR_MENUBAR + 1] = {};
  if (index < 0 || index > COLOR_MENUBAR) return nullptr;
  std::lock_guard<std::mutex> lock(mutex);
  if (!brushes[index]) {
    auto brush = std::make_shared<wavorel::gdi::Brush>(BS_SOLID, GetSysColor(index));
    brush->stock = true;
    brushes[index] = reinterpret_cast<HBRUSH>(wavorel::gdi::insertGdiObject(std::move(brush)));
  }
  return brushes[index];
}

namespace wavorel {

bool defaultPaintMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM, LRESULT* result) {
  *result = 0;
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (BeginPaint(hwnd, &ps)) EndPaint(hwnd, &ps);
      return true;
    }
    case WM_ERASEBKGND:
      *result = eraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
      return true;
    case WM_NCPAINT:
      if (auto w = WindowManager::instance().find(hwnd)) paintFrame(*w);
      return true;
    case WM_PRINTCLIENT:
      return true;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      *result = controlColours(msg, reinterpret_cast<HDC>(wParam));
      return true;
    default:
      return false;
  }
}

}  // namespace wavorel
