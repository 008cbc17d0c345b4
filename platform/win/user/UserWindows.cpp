// Window classes, creation and destruction, the window tree, properties,
// window longs and text.
#include <algorithm>
#include <cstring>

#include "platform/win/user/AtomTable.h"
#include "platform/win/user/Desktop.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/user/HookChain.h"
#include "platform/win/user/MessageQueue.h"
#include "platform/win/user/WindowManager.h"

using wavorel::ClassRegistry;
using wavorel::Desktop;
using wavorel::Window;
using wavorel::WindowManager;

namespace {

// Default place and size of an overlapped window created with CW_USEDEFAULT.
constexpr int kDefaultX = 26;
constexpr int kDefaultY = 26;
constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;

bool isTopLevel(const Window& w) { return w.parent == WindowManager::instance().desktopHandle(); }

void republish(const Window& w) {
  if (isTopLevel(w)) Desktop::instance().publish(w);
}

// WM_NCDESTROY and the last clean-up of one window (its children are gone).
void finalDestroy(const std::shared_ptr<Window>& w) {
  wavorel::sendTo(w, WM_NCDESTROY, 0, 0);
  auto& wm = WindowManager::instance();
  if (w->queue) {
    w->queue->timers().killAll(w->hwnd);
    w->queue->removeMessagesFor(w->hwnd);
  }
  wavorel::validate(*w, nullptr);
  if (w->region) wavorel::deleteRegion(w->region);
  w->region = nullptr;
  if (auto parent = wavorel::parentOf(*w)) {
    auto& sib = parent->children;
    sib.erase(std::remove(sib.begin(), sib.end(), w->hwnd), sib.end());
  }
  if (isTopLevel(*w)) Desktop::instance().unpublish(w->hwnd);
  if (wm.focus == w->hwnd) wm.focus = nullptr;
  if (wm.capture == w->hwnd) wm.capture = nullptr;
  if (wm.active == w->hwnd) wm.active = nullptr;
  w->life = Window::Life::Destroyed;
  w->props.clear();
  w->cls->windows--;
  wm.remove(w->hwnd);
}

void sendDestroyTree(const std::shared_ptr<Window>& w) {
  w->life = Window::Life::Destroying;
  wavorel::sendTo(w, WM_DESTROY, 0, 0);
  for (HWND h : std::vector<HWND>(w->children)) {
    auto c = WindowManager::instance().find(h);
    if (c && c->life != Window::Life::Destroying) sendDestroyTree(c);
  }
}

void freeTree(const std::shared_ptr<Window>& w) {
  for (HWND h : std::vector<HWND>(w->children)) {
    if (auto c = WindowManager::instance().find(h)) freeTree(c);
  }
  if (w->life != Window::Life::Destroyed) finalDestroy(w);
}

bool classMatches(const Window& w, LPCSTR className) {
  if (className == nullptr) return true;
  if (IS_INTRESOURCE(className))
    return w.cls->atom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(className));
  return wavorel::lowerName(w.cls->name) == wavorel::lowerName(className);
}

size_t copyText(const std::string& text, LPSTR out, int maxCount) {
  if (out == nullptr || maxCount <= 0) return 0;
  size_t n = std::min(text.size(), static_cast<size_t>(maxCount - 1));
  std::memcpy(out, text.data(), n);
  out[n] = '\0';
  return n;
}

}  // namespace

ATOM RegisterClassEx(const WNDCLASSEX* wc) {
  if (wc == nullptr || wc->cbSize != sizeof(WNDCLASSEX)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return ClassRegistry::instance().add(*wc);
}

ATOM RegisterClass(const WNDCLASS* wc) {
  if (wc == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  WNDCLASSEX ex{sizeof(WNDCLASSEX), wc->style,   wc->lpfnWndProc,   wc->cbClsExtra,   wc->cbWndExtra,     wc->hInstance,
                wc->hIcon,          wc->hCursor, wc->hbrBackground, wc->lpszMenuName, wc->lpszClassName, nullptr};
  return ClassRegistry::instance().add(ex);
}

BOOL UnregisterClass(LPCSTR className, HINSTANCE) { return ClassRegistry::instance().remove(className); }

BOOL GetClassInfoEx(HINSTANCE, LPCSTR className, LPWNDCLASSEX wc) {
  auto cls = ClassRegistry::instance().find(className);
  if (!cls || wc == nullptr) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  wc->style = cls->style;
  wc->lpfnWndProc = cls->proc;
  wc->cbClsExtra = static_cast<int>(cls->extra.size());
  wc->cbWndExtra = cls->wndExtra;
  wc->hInstance = cls->instance;
  wc->hIcon = cls->icon;
  wc->hIconSm = cls->iconSm;
  wc->hCursor = cls->cursor;
  wc->hbrBackground = cls->background;
  wc->lpszMenuName = cls->menuName;
  wc->lpszClassName = cls->name.c_str();
  return TRUE;
}

BOOL GetClassInfo(HINSTANCE instance, LPCSTR className, LPWNDCLASS wc) {
  WNDCLASSEX ex{};
  ex.cbSize = sizeof(ex);
  if (wc == nullptr || !GetClassInfoEx(instance, className, &ex)) return FALSE;
  *wc = WNDCLASS{ex.style,   ex.lpfnWndProc,   ex.cbClsExtra,   ex.cbWndExtra,     ex.hInstance,
                 ex.hIcon,   ex.hCursor,       ex.hbrBackground, ex.lpszMenuName, ex.lpszClassName};
  return TRUE;
}

int GetClassName(HWND hwnd, LPSTR name, int maxCount) {
  std::string cls;
  Desktop::ForeignWindow fw;
  if (auto w = WindowManager::instance().find(hwnd))
    cls = w->cls->name;
  else if (Desktop::instance().foreignWindow(hwnd, &fw))
    cls = fw.className;
  else
    return SetLastError(ERROR_INVALID_WINDOW_HANDLE), 0;
  return static_cast<int>(copyText(cls, name, maxCount));
}

ULONG_PTR GetClassLongPtr(HWND hwnd, int index) {
  auto w = wavorel::windowOrFail(hwnd);
  if (!w) return 0;
  const auto& c = *w->cls;
  switch (index) {
    case GCLP_HBRBACKGROUND: return reinterpret_cast<ULONG_PTR>(c.background);
    case GCLP_HCURSOR: return reinterpret_cast<ULONG_PTR>(c.cursor);
    case GCLP_HICON: return reinterpret_cast<ULONG_PTR>(c.icon);
    case GCLP_HICONSM: return reinterpret_cast<ULONG_PTR>(c.iconSm);
    case GCLP_HMODULE: return reinterpret_cast<ULONG_PTR>(c.instance);
    case GCLP_WNDPROC: return reinterpret_cast<ULONG_PTR>(c.proc);
    case GCLP_MENUNAME: return reinterpret_cast<ULONG_PTR>(c.menuName);
    case GCL_STYLE: return c.style;
    case GCL_CBWNDEXTRA: return static_cast<ULONG_PTR>(c.wndExtra);
    case GCL_CBCLSEXTRA: return c.extra.size();
    case GCW_ATOM: return c.atom;
    default: break;
  }
  if (index >= 0 && static_cast<size_t>(index) + sizeof(ULONG_PTR) <= c.extra.size()) {
    ULONG_PTR v;
    std::memcpy(&v, c.extra.data() + index, sizeof v);
    return v;
  }
  SetLastError(ERROR_INVALID_INDEX);
  return 0;
}

ULONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value) {
  auto w = wavorel::windowOrFail(hwnd);
  if (!w) return 0;
  auto& c = *w->cls;
  ULONG_PTR old = 0;
  auto swapHandle = [&](auto& field) {
    old = reinterpret_cast<ULONG_PTR>(field);
    field = reinterpret_cast<std::remove_reference_t<decltype(field)>>(value);
  };
  switch (index) {
    case GCLP_HBRBACKGROUND: swapHandle(c.background); return old;
    case GCLP_HCURSOR: swapHandle(c.cursor); return old;
    case GCLP_HICON: swapHandle(c.icon); return old;
    case GCLP_HICONSM: swapHandle(c.iconSm); return old;
    case GCLP_HMODULE: swapHandle(c.instance); return old;
    case GCLP_WNDPROC: swapHandle(c.proc); return old;
    case GCL_STYLE: old = c.style; c.style = static_cast<UINT>(value); return old;
    default: break;
  }
  if (index >= 0 && static_cast<size_t>(index) + sizeof(ULONG_PTR) <= c.extra.size()) {
    std::memcpy(&old, c.extra.data() + index, sizeof old);
    std::memcpy(c.extra.data() + index, &value, sizeof value);
    return old;
  }
  SetLastError(ERROR_INVALID_INDEX);
  return 0;
}

DWORD GetClassLong(HWND hwnd, int index) {
  if (index == GCL_WNDPROC) return SetLastError(ERROR_INVALID_INDEX), 0;
  if (index >= 0) {
    auto w = wavorel::windowOrFail(hwnd);
    if (!w) return 0;
    if (static_cast<size_t>(index) + sizeof(DWORD) > w->cls->extra.size()) return SetLastError(ERROR_INVALID_INDEX), 0;
    DWORD v;
    std::memcpy(&v, w->cls->extra.data() + index, sizeof v);
    return v;
  }
  return static_cast<DWORD>(GetClassLongPtr(hwnd, index));
}

DWORD SetClassLong(HWND hwnd, int index, LONG value) {
  if (index == GCL_WNDPROC) return SetLastError(ERROR_INVALID_INDEX), 0;
  if (index >= 0) {
    auto w = wavorel::windowOrFail(hwnd);
    if (!w) return 0;
    if (static_cast<size_t>(index) + sizeof(DWORD) > w->cls->extra.size()) return SetLastError(ERROR_INVALID_INDEX), 0;
    DWORD old;
    std::memcpy(&old, w->cls->extra.data() + index, sizeof old);
    std::memcpy(w->cls->extra.data() + index, &value, sizeof value);
    return old;
  }
  return static_cast<DWORD>(SetClassLongPtr(hwnd, index, value));
}

HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
  auto cls = ClassRegistry::instance().find(className);
  if (!cls) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  auto& wm = WindowManager::instance();
  std::shared_ptr<Window> parentWindow;
  HWND owner = nullptr;
  if (style & WS_CHILD) {
    if (parent == nullptr) {
      SetLastError(ERROR_TLW_WITH_WSCHILD);
      return nullptr;
    }
    parentWindow = wavorel::ownWindowOrFail(parent);
    if (!parentWindow) return nullptr;
  } else {
    // A top-level window given the desktop as its parent has no owner.
    if (parent && parent != wm.desktopHandle()) {
      auto ownerWindow = wavorel::ownWindowOrFail(parent);
      if (!ownerWindow) return nullptr;
      owner = wavorel::topLevelOf(ownerWindow)->hwnd;
    }
    parentWindow = wavorel::WindowManager::instance().find(wm.desktopHandle());
  }
  bool overlapped = !(style & (WS_CHILD | WS_POPUP));
  if (overlapped) style |= WS_CAPTION | WS_CLIPSIBLINGS;
  if (x == CW_USEDEFAULT) {
    x = overlapped ? kDefaultX : 0;
    y = overlapped ? kDefaultY : 0;
  }
  if (width == CW_USEDEFAULT) {
    width = overlapped ? kDefaultWidth : 0;
    height = overlapped ? kDefaultHeight : 0;
  }
  bool initiallyVisible = (style & WS_VISIBLE) != 0;

  // Allocated apart from its reference counts, which threads that found the
  // window keep by weak reference after it is freed.
  std::shared_ptr<Window> w(std::make_unique<Window>());
  w->cls = cls;
  w->proc = cls->proc;
  w->style = style & ~WS_VISIBLE;
  w->exStyle = exStyle;
  w->instance = instance;
  w->id = reinterpret_cast<UINT_PTR>(menu);
  w->parent = parentWindow->hwnd;
  w->owner = owner;
  w->rect = {x, y, x + width, y + height};
  w->normalRect = w->rect;
  w->extra.assign(static_cast<size_t>(cls->wndExtra), 0);
  w->queue = wavorel::MessageQueue::current();
  w->threadId = w->queue->threadId();
  HWND hwnd = wm.add(w);
  cls->windows++;
  if (style & WS_CHILD)
    parentWindow->children.push_back(hwnd);
  else
    wavorel::placeInZOrder(*parentWindow, *w, HWND_TOP);

  CREATESTRUCT cs{param, instance, menu, parent, height, width, y, x, static_cast<LONG>(style), windowName, className,
                  exStyle};
  auto& hooks = wavorel::HookChain::instance();
  if (hooks.has(WH_CBT, w->threadId)) {
    CBT_CREATEWND cbt{&cs, HWND_TOP};
    if (hooks.call(WH_CBT, w->threadId, HCBT_CREATEWND, reinterpret_cast<WPARAM>(hwnd), reinterpret_cast<LPARAM>(&cbt))) {
      if (w->life != Window::Life::Destroyed) finalDestroy(w);
      return nullptr;
    }
  }
  if (!wavorel::sendTo(w, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    if (w->life != Window::Life::Destroyed) finalDestroy(w);
    return nullptr;
  }
  if (w->life == Window::Life::Creating) {
    // The frame is worked out from the styles; the window hears of it (and
    // may change its styles) before WM_CREATE.
    RECT frameRect = w->rect;
    wavorel::sendTo(w, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&frameRect));
  }
  if (w->life == Window::Life::Creating && wavorel::sendTo(w, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyWindow(hwnd);
    return nullptr;
  }
  if (w->life != Window::Life::Creating) return nullptr;  // destroyed while being created
  w->life = Window::Life::Alive;
  RECT client = w->clientRect();
  wavorel::sendTo(w, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  RECT f = w->frame();
  wavorel::sendTo(w, WM_MOVE, 0, MAKELPARAM(w->rect.left + f.left, w->rect.top + f.top));
  if ((style & WS_CHILD) && !(exStyle & WS_EX_NOPARENTNOTIFY))
    wavorel::sendTo(parentWindow, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, w->id), reinterpret_cast<LPARAM>(hwnd));
  if (!IsWindow(hwnd)) return nullptr;
  republish(*w);
  if (initiallyVisible) ShowWindow(hwnd, SW_SHOW);
  return IsWindow(hwnd) ? hwnd : nullptr;
}

HWND CreateWindow(LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width, int height, HWND parent,
                  HMENU menu, HINSTANCE instance, LPVOID param) {
  return CreateWindowEx(0, className, windowName, style, x, y, width, height, parent, menu, instance, param);
}

BOOL DestroyWindow(HWND hwnd) {
  auto w = wavorel::ownWindowOrFail(hwnd);
  auto& wm = WindowManager::instance();
  if (!w) return FALSE;
  if (hwnd == wm.desktopHandle()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (w->life == Window::Life::Destroying) return TRUE;
  bool wasActive = wm.active == hwnd;
  HWND owner = w->owner;
  // Owned windows go first.
  for (HWND h : std::vector<HWND>(wm.desktop().children)) {
    auto o = wm.find(h);
    if (o && o->owner == hwnd) DestroyWindow(h);
  }
  if (w->style & WS_VISIBLE)
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (wm.focus && (wm.focus == hwnd || wavorel::isDescendant(hwnd, wm.focus))) wm.focus = nullptr;
  if (wm.capture && (wm.capture == hwnd || wavorel::isDescendant(hwnd, wm.capture))) ReleaseCapture();
  if (w->life == Window::Life::Destroyed) return TRUE;
  sendDestroyTree(w);
  freeTree(w);
  if (wasActive) {
    auto o = wm.find(owner);
    wavorel::activate(o && (o->style & WS_VISIBLE) && !(o->style & WS_DISABLED) ? owner : nullptr);
  }
  return TRUE;
}

BOOL IsWindow(HWND hwnd) {
  if (hwnd == nullptr) return FALSE;
  if (WindowManager::instance().find(hwnd)) return TRUE;
  return Desktop::isForeign(hwnd) && Desktop::instance().foreignWindow(hwnd, nullptr);
}

HWND GetDesktopWindow() { return WindowManager::instance().desktopHandle(); }

HWND GetParent(HWND hwnd) {
  auto w = WindowManager::instance().find(hwnd);
  if (!w) {
    if (!IsWindow(hwnd)) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  if (w->isChild()) return w->parent;
  return (w->style & WS_POPUP) ? w->owner : nullptr;
}

HWND SetParent(HWND child, HWND newParent) {
  auto w = wavorel::ownWindowOrFail(child);
  auto& wm = WindowManager::instance();
  if (!w) return nullptr;
  std::shared_ptr<Window> np = newParent ? wavorel::ownWindowOrFail(newParent) : wm.find(wm.desktopHandle());
  if (!np) return nullptr;
  if (np->hwnd == child || wavorel::isDescendant(child, np->hwnd)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  HWND old = w->parent;
  bool wasTopLevel = isTopLevel(*w);
  if (auto op = wavorel::parentOf(*w)) {
    auto& sib = op->children;
    sib.erase(std::remove(sib.begin(), sib.end(), child), sib.end());
  }
  w->parent = np->hwnd;
  np->children.insert(np->children.begin(), child);
  if (wasTopLevel && !isTopLevel(*w)) Desktop::instance().unpublish(child);
  republish(*w);
  return old;
}

HWND GetWindow(HWND hwnd, UINT cmd) {
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  auto w = WindowManager::instance().find(hwnd);
  switch (cmd) {
    case GW_CHILD:
      if (!w) return nullptr;
      if (w->hwnd == GetDesktopWindow()) {
        auto all = wavorel::topLevelWindows();
        return all.empty() ? nullptr : all.front();
      }
      return w->children.empty() ? nullptr : w->children.front();
    case GW_OWNER:
      return w ? w->owner : nullptr;
    case GW_HWNDFIRST:
    case GW_HWNDLAST:
    case GW_HWNDNEXT:
    case GW_HWNDPREV: {
      std::vector<HWND> sib = wavorel::siblingsOf(hwnd);
      auto it = std::find(sib.begin(), sib.end(), hwnd);
      if (it == sib.end()) return nullptr;
      if (cmd == GW_HWNDFIRST) return sib.front();
      if (cmd == GW_HWNDLAST) return sib.back();
      if (cmd == GW_HWNDNEXT) return it + 1 == sib.end() ? nullptr : *(it + 1);
      return it == sib.begin() ? nullptr : *(it - 1);
    }
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
  }
}

HWND GetTopWindow(HWND hwnd) { return GetWindow(hwnd ? hwnd : GetDesktopWindow(), GW_CHILD); }

HWND GetAncestor(HWND hwnd, UINT flags) {
  auto w = wavorel::windowOrFail(hwnd);
  auto& wm = WindowManager::instance();
  if (!w || hwnd == wm.desktopHandle()) return nullptr;
  switch (flags) {
    case GA_PARENT:
      return w->parent;
    case GA_ROOT:
      return wavorel::topLevelOf(w)->hwnd;
    case GA_ROOTOWNER: {
      auto cur = wavorel::topLevelOf(w);
      while (cur->owner) {
        auto o = wm.find(cur->owner);
        if (!o) break;
        cur = o;
      }
      return cur->hwnd;
    }
    default:
      return nullptr;
  }
}

BOOL IsChild(HWND parent, HWND hwnd) { return wavorel::isDescendant(parent, hwnd) ? TRUE : FALSE; }

HWND GetDlgItem(HWND dialog, int id) {
  auto w = wavorel::windowOrFail(dialog);
  if (!w) return nullptr;
  if (HWND child = WindowManager::instance().childWithId(*w, id)) return child;
  SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
  return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
  auto w = wavorel::windowOrFail(hwnd);
  return w ? static_cast<int>(w->id) : 0;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM param) {
  for (HWND h : wavorel::topLevelWindows())
    if (IsWindow(h) && !proc(h, param)) return FALSE;
  return TRUE;
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM param) {
  if (parent == nullptr) return EnumWindows(proc, param);
  auto w = wavorel::windowOrFail(parent);
  if (!w) return FALSE;
  for (HWND h : wavorel::descendantsOf(*w))
    if (IsWindow(h) && !proc(h, param)) return FALSE;
  return TRUE;
}

HWND FindWindowEx(HWND parent, HWND childAfter, LPCSTR className, LPCSTR windowName) {
  std::vector<HWND> list;
  if (parent == nullptr || parent == GetDesktopWindow()) {
    list = wavorel::topLevelWindows();
  } else {
    auto p = wavorel::windowOrFail(parent);
    if (!p) return nullptr;
    list = p->children;
  }
  auto it = list.begin();
  if (childAfter) {
    it = std::find(list.begin(), list.end(), childAfter);
    if (it == list.end()) return nullptr;
    ++it;
  }
  std::string title = windowName ? wavorel::lowerName(windowName) : std::string();
  for (; it != list.end(); ++it) {
    if (auto w = WindowManager::instance().find(*it)) {
      if (classMatches(*w, className) && (!windowName || wavorel::lowerName(w->text) == title)) return *it;
      continue;
    }
    Desktop::ForeignWindow fw;
    if (!Desktop::instance().foreignWindow(*it, &fw)) continue;
    bool classOk = className == nullptr ||
                   (!IS_INTRESOURCE(className) && wavorel::lowerName(fw.className) == wavorel::lowerName(className));
    if (classOk && (!windowName || wavorel::lowerName(fw.title) == title)) return *it;
  }
  SetLastError(ERROR_SUCCESS);
  return nullptr;
}

HWND FindWindow(LPCSTR className, LPCSTR windowName) { return FindWindowEx(nullptr, nullptr, className, windowName); }

DWORD GetWindowThreadProcessId(HWND hwnd, LPDWORD processId) {
  if (auto w = WindowManager::instance().find(hwnd)) {
    if (processId) *processId = WindowManager::processId();
    return w->threadId;
  }
  Desktop::ForeignWindow fw;
  if (Desktop::instance().foreignWindow(hwnd, &fw)) {
    if (processId) *processId = fw.processId;
    return fw.threadId;
  }
  SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return 0;
}

BOOL SetProp(HWND hwnd, LPCSTR name, HANDLE data) {
  if (name == nullptr) return SetLastError(ERROR_INVALID_PARAMETER), FALSE;
  auto w = wavorel::windowOrFail(hwnd);
  if (!w) return FALSE;
  std::string key = wavorel::atomArgumentName(name);
  if (HANDLE* slot = w->findProp(key))
    *slot = data;
  else
    w->props.emplace_back(key, data);
  republish(*w);
  return TRUE;
}

HANDLE GetProp(HWND hwnd, LPCSTR name) {
  if (name == nullptr) return nullptr;
  std::string key = wavorel::atomArgumentName(name);
  if (auto w = WindowManager::instance().find(hwnd)) {
    HANDLE* slot = w->findProp(key);
    return slot ? *slot : nullptr;
  }
  Desktop::ForeignWindow fw;
  if (!Desktop::instance().foreignWindow(hwnd, &fw)) return nullptr;
  for (const auto& p : fw.props)
    if (wavorel::lowerName(p.first) == wavorel::lowerName(key)) return p.second;
  return nullptr;
}

HANDLE RemoveProp(HWND hwnd, LPCSTR name) {
  auto w = wavorel::windowOrFail(hwnd);
  if (!w || name == nullptr) return nullptr;
  std::string key = wavorel::lowerName(wavorel::atomArgumentName(name));
  for (auto it = w->props.begin(); it != w->props.end(); ++it) {
    if (wavorel::lowerName(it->first) == key) {
      HANDLE data = it->second;
      w->props.erase(it);
      republish(*w);
      return data;
    }
  }
  return nullptr;
}

int EnumProps(HWND hwnd, PROPENUMPROC proc) {
  auto w = wavorel::windowOrFail(hwnd);
  if (!w || w->props.empty()) return -1;
  int last = -1;
  for (const auto& p : std::vector<std::pair<std::string, HANDLE>>(w->props)) {
    last = proc(hwnd, p.first.c_str(), p.second);
    if (!last) break;
  }
  return last;
}

LONG_PTR GetWindowLongPtr(HWND hwnd, int index) {
  auto w = wavorel::windowOrFail(hwnd);
  if (!w) return 0;
  switch (index) {
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(w->isChild() ? w->parent : w->owner);
    case GWLP_ID: return static_cast<LONG_PTR>(w->id);
    case GWL_STYLE: return static_cast<LONG>(w->style);
    case GWL_EXSTYLE: return static_cast<LONG>(w->exStyle);
    case GWLP_USERDATA: return w->userData;
    default: break;
  }
  if (index >= 0 && static_cast<size_t>(index) + sizeof(LONG_PTR) <= w->extra.size()) {
    LONG_PTR v;
    std::memcpy(&v, w->extra.data() + index, sizeof v);
    return v;
  }
  SetLastError(ERROR_INVALID_INDEX);
  return 0;
}

namespace {

void changeStyle(const std::shared_ptr<Window>& w, int index, DWORD value) {
  STYLESTRUCT ss{index == GWL_STYLE ? w->style : w->exStyle, value};
  wavorel::sendTo(w, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
  (index == GWL_STYLE ? w->style : w->exStyle) = ss.styleNew;
  wavorel::sendTo(w, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
  republish(*w);
}

}  // namespace

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) {
  auto w = wavorel::windowOrFail(hwnd);
  if (!w) return 0;
  LONG_PTR old = GetWindowLongPtr(hwnd, index);
  switch (index) {
    case GWLP_WNDPROC:
      if (value == 0) return SetLastError(ERROR_INVALID_PARAMETER), 0;
      w->proc = reinterpret_cast<WNDPROC>(value);
      break;
    case GWLP_HINSTANCE: w->instance = reinterpret_cast<HINSTANCE>(value); break;
    case GWLP_HWNDPARENT:
      if (w->isChild()) return SetParent(hwnd, reinterpret_cast<HWND>(value)) ? old : 0;
      w->owner = reinterpret_cast<HWND>(value);
      break;
    case GWLP_ID: w->id = static_cast<UINT_PTR>(value); break;
    case GWL_STYLE:
    case GWL_EXSTYLE: changeStyle(w, index, static_cast<DWORD>(value)); break;
    case GWLP_USERDATA: w->userData = value; break;
    default:
      if (index < 0 || static_cast<size_t>(index) + sizeof(LONG_PTR) > w->extra.size())
        return SetLastError(ERROR_INVALID_INDEX), 0;
      std::memcpy(w->extra.data() + index, &value, sizeof value);
  }
  SetLastError(ERROR_SUCCESS);
  return old;
}

LONG GetWindowLong(HWND hwnd, int index) {
  if (index == GWL_WNDPROC || index == GWL_HINSTANCE || index == GWL_HWNDPARENT)
    return SetLastError(ERROR_INVALID_INDEX), 0;  // pointer-sized: GetWindowLongPtr
  if (index >= 0) {
    auto w = wavorel::windowOrFail(hwnd);
    if (!w) return 0;
    if (static_cast<size_t>(index) + sizeof(LONG) > w->extra.size()) return SetLastError(ERROR_INVALID_INDEX), 0;
    LONG v;
    std::memcpy(&v, w->extra.data() + index, sizeof v);
    return v;
  }
  return static_cast<LONG>(GetWindowLongPtr(hwnd, index));
}

LONG SetWindowLong(HWND hwnd, int index, LONG value) {
  if (index == GWL_WNDPROC || index == GWL_HINSTANCE || index == GWL_HWNDPARENT)
    return SetLastError(ERROR_INVALID_INDEX), 0;
  if (index >= 0) {
    auto w = wavorel::windowOrFail(hwnd);
    if (!w) return 0;
    if (static_cast<size_t>(index) + sizeof(LONG) > w->extra.size()) return SetLastError(ERROR_INVALID_INDEX), 0;
    LONG old;
    std::memcpy(&old, w->extra.data() + index, sizeof old);
    std::memcpy(w->extra.data() + index, &value, sizeof value);
    SetLastError(ERROR_SUCCESS);
    return old;
  }
  LONG_PTR v = (index == GWL_STYLE || index == GWL_EXSTYLE) ? static_cast<LONG_PTR>(static_cast<DWORD>(value)) : value;
  return static_cast<LONG>(SetWindowLongPtr(hwnd, index, v));
}

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

BOOL SetWindowText(HWND hwnd, LPCSTR text) {
  if (!WindowManager::instance().find(hwnd)) return SetLastError(ERROR_INVALID_WINDOW_HANDLE), FALSE;
  return SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

int GetWindowText(HWND hwnd, LPSTR text, int maxCount) {
  if (text && maxCount > 0) text[0] = '\0';
  if (WindowManager::instance().find(hwnd)) {
    if (text == nullptr || maxCount <= 0) return 0;
    return static_cast<int>(SendMessage(hwnd, WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(text)));
  }
  Desktop::ForeignWindow fw;
  if (!Desktop::instance().foreignWindow(hwnd, &fw)) return SetLastError(ERROR_INVALID_WINDOW_HANDLE), 0;
  return static_cast<int>(copyText(fw.title, text, maxCount));
}

int GetWindowTextLength(HWND hwnd) {
  if (WindowManager::instance().find(hwnd)) return static_cast<int>(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
  Desktop::ForeignWindow fw;
  if (!Desktop::instance().foreignWindow(hwnd, &fw)) return SetLastError(ERROR_INVALID_WINDOW_HANDLE), 0;
  return static_cast<int>(fw.title.size());
}

namespace wavorel {

void setWindowObject(HWND hwnd, void* object) {
  if (auto w = windowOrFail(hwnd)) w->object = object;
}

void* windowObject(HWND hwnd) {
  auto w = WindowManager::instance().find(hwnd);
  return w ? w->object : nullptr;
}

void publishWindow(const Window& w) { republish(w); }

}  // namespace wavorel
