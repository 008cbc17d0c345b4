#include "platform/win/controls/Control.h"

#include <mutex>
#include <unordered_map>

#include "platform/win/gdi/Fonts.h"
#include "platform/win/kernel/Root.h"
#include "platform/win/gdi/Gdi.h"

namespace wavorel {

namespace {

struct Controls {
  std::mutex mutex;
  std::unordered_map<HWND, std::shared_ptr<Control>> byWindow;
};

Controls& controls() {
  static Controls* c = [] {
    static Controls instance;
    registerStateReset([] {
      std::lock_guard<std::mutex> lock(instance.mutex);
      instance.byWindow.clear();
    });
    return &instance;
  }();
  return *c;
}

}  // namespace

void Control::notify(UINT code) const {
  sendParent(WM_COMMAND, MAKEWPARAM(id(), code), reinterpret_cast<LPARAM>(hwnd_));
}

LRESULT Control::sendParent(UINT msg, WPARAM wParam, LPARAM lParam) const {
  HWND p = parent();
  return p ? SendMessage(p, msg, wParam, lParam) : 0;
}

void Control::drawItem(UINT ctlType, HDC dc, UINT itemId, UINT state, ULONG_PTR itemData, const RECT& rect) const {
  DRAWITEMSTRUCT dis{ctlType, id(), itemId, ODA_DRAWENTIRE, state, hwnd_, dc, rect, itemData};
  sendParent(WM_DRAWITEM, id(), reinterpret_cast<LPARAM>(&dis));
}

LRESULT Control::fontMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_GETFONT) return reinterpret_cast<LRESULT>(font_);
  font_ = reinterpret_cast<HFONT>(wParam);
  fontChanged();
  if (LOWORD(lParam)) redraw();
  return 0;
}

namespace {

// Measures with `font` (DEFAULT_GUI_FONT when null) selected into a memory DC.
template <class F>
void withFont(HFONT font, F measure) {
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return;
  HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  measure(dc);
  if (old) SelectObject(dc, old);
  DeleteDC(dc);
}

}  // namespace

int Control::textWidth(const std::string& text) const {
  SIZE size{0, 0};
  withFont(font_, [&](HDC dc) { GetTextExtentPoint32(dc, text.data(), static_cast<int>(text.size()), &size); });
  return size.cx;
}

int Control::fontHeight() const {
  TEXTMETRIC tm{};
  withFont(font_, [&](HDC dc) { GetTextMetrics(dc, &tm); });
  return tm.tmHeight;
}

void adoptControl(std::shared_ptr<Control> control) {
  auto& c = controls();
  std::lock_guard<std::mutex> lock(c.mutex);
  HWND hwnd = control->hwnd();
  c.byWindow[hwnd] = std::move(control);
}

std::shared_ptr<Control> controlOf(HWND hwnd) {
  auto& c = controls();
  std::lock_guard<std::mutex> lock(c.mutex);
  auto it = c.byWindow.find(hwnd);
  return it == c.byWindow.end() ? nullptr : it->second;
}

LRESULT dispatchToControl(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto control = controlOf(hwnd);  // kept alive while it answers, even if the window goes
  LRESULT result = 0;
  if (!control) {
    result = DefWindowProc(hwnd, msg, wParam, lParam);
  } else if (msg == WM_SETFONT || msg == WM_GETFONT) {
    result = control->fontMessage(msg, wParam, lParam);
  } else {
    result = control->handle(msg, wParam, lParam);
  }
  if (msg == WM_NCDESTROY) {
    auto& c = controls();
    std::lock_guard<std::mutex> lock(c.mutex);
    c.byWindow.erase(hwnd);
  }
  return result;
}

HBRUSH controlColorBrush(HWND control, HDC dc) {
  auto c = controlOf(control);
  HWND p = c ? GetParent(control) : nullptr;
  if (p == nullptr) return nullptr;
  return reinterpret_cast<HBRUSH>(
      SendMessage(p, c->colorMessage(), reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
}

}  // namespace wavorel
