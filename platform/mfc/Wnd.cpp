#include "platform/mfc/Wnd.h"

#include <memory>
#include <unordered_map>

#include "platform/mfc/Exception.h"
#include "platform/win/kernel/Module.h"
#include "platform/win/commctrl/ToolTip.h"
#include "platform/win/kernel/PlatformLog.h"

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace {

// What this library keeps per thread about its windows.
struct ThreadWindows {
  MSG lastMsg{};     // the message the innermost window procedure handles
  int depth = 0;     // window procedures of this library running
  std::unordered_map<HWND, std::unique_ptr<CWnd>> temporaries;
  CWnd* creating = nullptr;  // the object CreateEx is making a window for
  HHOOK creationHook = nullptr;
  int creations = 0;         // CreateEx calls running (nested in WM_CREATE)
};

ThreadWindows& threadWindows() {
  thread_local ThreadWindows state;
  return state;
}

const char kPlainClass[] = "AfxWnd";

// Registered on first use, and again after a platform reset cleared it.
LPCTSTR plainClass() {
  WNDCLASS wc{};
  if (GetClassInfo(nullptr, kPlainClass, &wc)) return kPlainClass;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = AfxWndProc;
  wc.lpszClassName = kPlainClass;
  return RegisterClass(&wc) ? kPlainClass : nullptr;
}

}  // namespace

// Routes the first window created during CreateEx to its object before the
// window gets any message (a WH_CBT hook on HCBT_CREATEWND).
class CWndCreationHook {
 public:
  explicit CWndCreationHook(CWnd* pWnd) : state_(threadWindows()) {
    if (state_.creations++ == 0) state_.creationHook = SetWindowsHookEx(WH_CBT, filter, nullptr, 0);
    previous_ = state_.creating;
    state_.creating = pWnd;
  }
  ~CWndCreationHook() {
    state_.creating = previous_;
    if (--state_.creations == 0 && state_.creationHook) {
      UnhookWindowsHookEx(state_.creationHook);
      state_.creationHook = nullptr;
    }
  }
  CWndCreationHook(const CWndCreationHook&) = delete;
  CWndCreationHook& operator=(const CWndCreationHook&) = delete;

  // True when the window was handed to the object.
  bool fired() const { return state_.creating == nullptr; }

 private:
  static LRESULT CALLBACK filter(int code, WPARAM wParam, LPARAM lParam) {
    ThreadWindows& state = threadWindows();
    if (code == HCBT_CREATEWND && state.creating) {
      CWnd* pWnd = state.creating;
      state.creating = nullptr;
      if (pWnd->Attach(reinterpret_cast<HWND>(wParam))) {
        pWnd->PreSubclassWindow();
        pWnd->RouteThroughObject();
      }
    }
    return CallNextHookEx(state.creationHook, code, wParam, lParam);
  }

  ThreadWindows& state_;
  CWnd* previous_;
};

namespace wavorel {

bool releaseTemporaryWindows() {
  ThreadWindows& state = threadWindows();
  if (state.depth > 0) return false;
  state.temporaries.clear();
  return true;
}

}  // namespace wavorel

// --- The window procedure ---

namespace {

// The message a window procedure of this library is handling, for Default()
// and the reflection of the last message; restored when it returns.
class DispatchScope {
 public:
  explicit DispatchScope(const MSG& msg) : state_(threadWindows()), saved_(state_.lastMsg) {
    state_.lastMsg = msg;
    ++state_.depth;
  }
  ~DispatchScope() {
    --state_.depth;
    state_.lastMsg = saved_;
  }
  DispatchScope(const DispatchScope&) = delete;
  DispatchScope& operator=(const DispatchScope&) = delete;

 private:
  ThreadWindows& state_;
  MSG saved_;
};

}  // namespace

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
  if (pWnd == nullptr) return ::DefWindowProc(hWnd, message, wParam, lParam);
  DispatchScope scope(MSG{hWnd, message, wParam, lParam, 0, {0, 0}});
  try {
    return pWnd->WindowProc(message, wParam, lParam);
  } catch (CException* e) {
    char text[256] = "";
    e->GetErrorMessage(text, sizeof text);
    wavorel::logNote("%s thrown while handling message 0x%04X was caught and deleted: %s",
                     e->GetRuntimeClass()->m_lpszClassName, message, text);
    e->Delete();
    return 0;
  }
}

// --- The handle map ---

CWnd::~CWnd() {
  // The insert-after places hold no window (and outlive the window system).
  if (this == &wndTop || this == &wndBottom || this == &wndTopMost || this == &wndNoTopMost) return;
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
  return hWnd ? static_cast<CWnd*>(wavorel::windowObject(hWnd)) : nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
  if (hWnd == nullptr) return nullptr;
  if (CWnd* pWnd = FromHandlePermanent(hWnd)) return pWnd;
  auto& temporaries = threadWindows().temporaries;
  auto& slot = temporaries[hWnd];
  if (!slot) slot.reset(new CWnd(hWnd));
  return slot.get();
}

BOOL CWnd::Attach(HWND hWndNew) {
  if (hWndNew == nullptr || !::IsWindow(hWndNew) || FromHandlePermanent(hWndNew)) return FALSE;
  wavorel::setWindowObject(hWndNew, this);
  m_hWnd = hWndNew;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND hWnd = m_hWnd;
  if (hWnd && FromHandlePermanent(hWnd) == this) wavorel::setWindowObject(hWnd, nullptr);
  m_hWnd = nullptr;
  return hWnd;
}

void CWnd::RouteThroughObject() {
  auto old = reinterpret_cast<WNDPROC>(::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
  if (old != AfxWndProc) m_pfnSuper = old;
}

// --- Creation and destruction ---

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == nullptr) cs.lpszClass = plainClass();
  return cs.lpszClass != nullptr;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, CCreateContext*) {
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
  return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
  CREATESTRUCT cs{lpParam, GetModuleHandle(nullptr), nIDorHMenu, hWndParent, nHeight, nWidth, y, x,
                  static_cast<LONG>(dwStyle), lpszWindowName, lpszClassName, dwExStyle};
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  HWND hWnd;
  bool attached;
  {
    CWndCreationHook hook(this);
    hWnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y, cs.cx,
                            cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    attached = hook.fired();
  }
  // A window that never reached the object: the object's life ends here as it
  // would after WM_NCDESTROY.
  if (!attached) PostNcDestroy();
  return hWnd != nullptr;
}

BOOL CWnd::DestroyWindow() {
  if (m_hWnd == nullptr) return FALSE;
  return ::DestroyWindow(m_hWnd);
}

void CWnd::PostNcDestroy() {}

// --- Subclassing ---

void CWnd::PreSubclassWindow() {}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (!Attach(hWnd)) return FALSE;
  PreSubclassWindow();
  RouteThroughObject();
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
  HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
  return hWndControl ? SubclassWindow(hWndControl) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
  if (m_pfnSuper) ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  m_pfnSuper = nullptr;
  return Detach();
}

// --- Message handling ---

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper) return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
  const MSG& msg = threadWindows().lastMsg;
  return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT result = 0;
  BOOL handled;
  if (message == WM_COMMAND) {
    handled = OnCommand(wParam, lParam);
    result = handled;
  } else if (message == WM_NOTIFY) {
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    handled = hdr && OnNotify(wParam, lParam, &result);
  } else {
    UINT key = (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) ? WM_CTLCOLOR : message;
    handled = DispatchMessageEntries(key, 0, 0, message, wParam, lParam, &result);
  }
  if (handled && pResult) *pResult = result;
  return handled;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  auto hWndCtrl = reinterpret_cast<HWND>(lParam);
  UINT nID = LOWORD(wParam);
  UINT nCode = HIWORD(wParam);
  if (hWndCtrl) {
    CWnd* pChild = FromHandlePermanent(hWndCtrl);
    LRESULT ignored = 0;
    if (pChild && pChild->OnChildNotify(WM_COMMAND, wParam, lParam, &ignored)) return TRUE;
  } else {
    nCode = 0;  // menus and accelerators are plain commands
  }
  LRESULT ignored = 0;
  return DispatchMessageEntries(WM_COMMAND, nCode, nID, WM_COMMAND, wParam, lParam, &ignored);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  auto* hdr = reinterpret_cast<NMHDR*>(lParam);
  CWnd* pChild = FromHandlePermanent(hdr->hwndFrom);
  if (pChild && pChild->OnChildNotify(WM_NOTIFY, wParam, lParam, pResult)) return TRUE;
  // A tooltip names the tool in idFrom; its notifications are found under
  // the tooltip's own control id, 0 (ON_NOTIFY_EX(TTN_NEEDTEXT, 0, ...)).
  const bool fromToolTip = hdr->code >= TTN_LAST && hdr->code <= TTN_FIRST;
  const UINT nID = fromToolTip ? 0 : static_cast<UINT>(hdr->idFrom);
  return DispatchMessageEntries(WM_NOTIFY, hdr->code, nID, WM_NOTIFY, wParam, lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT result = 0;
  BOOL handled;
  if (message == WM_COMMAND) {
    handled = DispatchMessageEntries(WM_REFLECT_BASE + WM_COMMAND, HIWORD(wParam), 0, WM_REFLECT_BASE + WM_COMMAND,
                                     wParam, lParam, &result);
    result = handled;
  } else if (message == WM_NOTIFY) {
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    handled = DispatchMessageEntries(WM_REFLECT_BASE + WM_NOTIFY, hdr->code, 0, WM_REFLECT_BASE + WM_NOTIFY, wParam,
                                     lParam, &result);
  } else if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
    handled = DispatchMessageEntries(WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, WM_REFLECT_BASE + message, wParam, lParam,
                                     &result);
  } else {
    handled = DispatchMessageEntries(WM_REFLECT_BASE + message, 0, 0, WM_REFLECT_BASE + message, wParam, lParam,
                                     &result);
  }
  if (handled && pResult) *pResult = result;
  return handled;
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
  CWnd* pChild = FromHandlePermanent(hWndChild);
  return pChild ? pChild->SendChildNotifyLastMsg(pResult) : FALSE;
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult) {
  const MSG& msg = threadWindows().lastMsg;
  return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

LRESULT CWnd::ReflectOrDefault(HWND hWndChild) {
  LRESULT result = 0;
  if (ReflectLastMsg(hWndChild, &result)) return result;
  return Default();
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg) {
  FilterToolTipMessage(pMsg);
  return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
  for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd && pWnd->PreTranslateMessage(pMsg)) return TRUE;
    if (hWnd == hWndStop) break;
  }
  return FALSE;
}
