#include "platform/win/user/Window.h"

#include <algorithm>

#include "platform/win/user/AtomTable.h"

namespace wavorel {

RECT Window::frame() const {
  LONG edge = 0;
  if (style & WS_THICKFRAME)
    edge = GetSystemMetrics(SM_CXFRAME);
  else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
    edge = GetSystemMetrics(SM_CXDLGFRAME);
  else if (style & WS_BORDER)
    edge = GetSystemMetrics(SM_CXBORDER);
  if (exStyle & WS_EX_CLIENTEDGE) edge += GetSystemMetrics(SM_CXEDGE);
  if (exStyle & WS_EX_STATICEDGE) edge += GetSystemMetrics(SM_CXBORDER);
  LONG caption = 0;
  if ((style & WS_CAPTION) == WS_CAPTION)
    caption = GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
  return {edge, edge + caption, edge, edge};
}

RECT Window::clientRect() const {
  RECT f = frame();
  return {0, 0, std::max<LONG>(0, width() - f.left - f.right), std::max<LONG>(0, height() - f.top - f.bottom)};
}

HANDLE* Window::findProp(const std::string& name) {
  std::string key = lowerName(name);
  for (auto& p : props)
    if (lowerName(p.first) == key) return &p.second;
  return nullptr;
}

}  // namespace wavorel
