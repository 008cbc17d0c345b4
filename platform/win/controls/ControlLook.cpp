#include "platform/win/controls/ControlLook.h"

#include "platform/win/gdi/Text.h"
#include "platform/win/user/User.h"
#include "platform/win/gdi/Gdi.h"
#include "platform/win/gdi/Images.h"

namespace wavorel {

HBRUSH prepareControlDc(HWND control, HDC dc, UINT message, UINT fallback) {
  return prepareControlDc(control, dc, message, fallback, GetParent(control));
}

HBRUSH prepareControlDc(HWND control, HDC dc, UINT message, UINT fallback, HWND parent) {
  auto font = reinterpret_cast<HFONT>(SendMessage(control, WM_GETFONT, 0, 0));
  SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  HBRUSH brush = nullptr;
  auto wp = reinterpret_cast<WPARAM>(dc);
  auto lp = reinterpret_cast<LPARAM>(control);
  if (message != WM_NULL && parent) brush = reinterpret_cast<HBRUSH>(SendMessage(parent, message, wp, lp));
  if (!brush) brush = reinterpret_cast<HBRUSH>(DefWindowProc(parent ? parent : control, fallback, wp, lp));
  SetBkMode(dc, TRANSPARENT);
  return brush;
}

std::string windowText(HWND hwnd) {
  std::string text(static_cast<size_t>(GetWindowTextLength(hwnd)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowText(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

void drawControlText(HWND control, HDC dc, const std::string& text, RECT rect, UINT format) {
  COLORREF old = 0;
  bool grey = !IsWindowEnabled(control);
  if (grey) old = SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  DrawText(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
  if (grey) SetTextColor(dc, old);
}

}  // namespace wavorel

namespace wavorel {

void drawImageCentred(HDC dc, HANDLE image, UINT type, const RECT& rect) {
  if (!image) return;
  if (type == IMAGE_ICON) {
    auto icon = static_cast<HICON>(image);
    ICONINFO info{};
    int cx = GetSystemMetrics(SM_CXICON), cy = GetSystemMetrics(SM_CYICON);
    if (GetIconInfo(icon, &info) && info.hbmColor) {
      BITMAP bm{};
      if (GetObject(info.hbmColor, sizeof bm, &bm)) cx = bm.bmWidth, cy = bm.bmHeight;
    }
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    DrawIconEx(dc, (rect.left + rect.right - cx) / 2, (rect.top + rect.bottom - cy) / 2, icon, cx, cy, 0, nullptr,
               DI_NORMAL);
    return;
  }
  auto bitmap = static_cast<HBITMAP>(image);
  BITMAP bm{};
  if (!GetObject(bitmap, sizeof bm, &bm)) return;
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(dc, (rect.left + rect.right - bm.bmWidth) / 2, (rect.top + rect.bottom - bm.bmHeight) / 2, bm.bmWidth,
         bm.bmHeight, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}

}  // namespace wavorel
