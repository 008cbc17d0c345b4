#include "platform/win/controls/Control.h"

#include <mutex>
#include <unordered_map>

#include "platform/win/Root.h"

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
  LRESULT result = control ? control->handle(msg, wParam, lParam) : DefWindowProc(hwnd, msg, wParam, lParam);
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
