// CWnd's tooltips: EnableToolTips, the thread's tooltip control, the filter
// of the mouse messages on their way through PreTranslateMessage, and the
// default hit test over child windows.
#include <memory>

#include "platform/mfc/ToolTipCtrl.h"
#include "platform/mfc/Wnd.h"
#include "platform/win/kernel/Root.h"

namespace {

// The tooltip control of the thread's windows and the tool it holds: the
// one under the mouse when it last moved over a window with tooltips.
struct ThreadToolTip {
  std::unique_ptr<CToolTipCtrl> tip;
  HWND owner = nullptr;     // the top-level window the tooltip belongs to
  HWND lastWnd = nullptr;   // the window whose hit test gave the tool
  INT_PTR lastHit = -1;     // its answer (-1: no tool)
  TOOLINFO lastInfo{};      // the tool, as added to the control

  bool exists() const { return tip && ::IsWindow(tip->m_hWnd); }

  // The tool is gone: the tip hides and the control forgets the tool.
  void forgetTool() {
    if (lastHit != -1 && exists()) {
      tip->SendMessage(TTM_ACTIVATE, FALSE);
      tip->SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&lastInfo));
    }
    lastWnd = nullptr;
    lastHit = -1;
    lastInfo = TOOLINFO{};
  }
};

ThreadToolTip& threadToolTip() {
  thread_local ThreadToolTip state;
  return state;
}

const bool g_reset = (wavorel::registerStateReset([] { threadToolTip() = ThreadToolTip{}; }), true);

bool isMouseButtonDown(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
         message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
}

// Relays a mouse message to the tooltip as a message of the tool's window,
// so that the control finds the tool under the point.
void relay(CToolTipCtrl& tip, const MSG& msg, const TOOLINFO& tool) {
  MSG relayed = msg;
  relayed.hwnd = (tool.uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(tool.uId) : tool.hwnd;
  POINT at{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
  ::MapWindowPoints(msg.hwnd, relayed.hwnd, &at, 1);
  relayed.lParam = MAKELPARAM(at.x, at.y);
  tip.SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

}  // namespace

CWnd* CWnd::ToolTipWindowOf(HWND hWnd) {
  for (; hWnd; hWnd = ::GetParent(hWnd)) {
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd && pWnd->m_bToolTips) return pWnd;
  }
  return nullptr;
}

BOOL CWnd::EnableToolTips(BOOL bEnable) {
  m_bToolTips = bEnable != FALSE;
  ThreadToolTip& state = threadToolTip();
  if (!m_bToolTips && state.lastWnd == m_hWnd) state.forgetTool();
  return TRUE;
}

void CWnd::FilterToolTipMessage(MSG* pMsg) {
  ThreadToolTip& state = threadToolTip();
  const UINT message = pMsg->message;
  const bool keys = message >= WM_KEYFIRST && message <= WM_KEYLAST;
  if (message != WM_MOUSEMOVE && message != WM_MOUSELEAVE && !isMouseButtonDown(message) && !keys) return;
  CWnd* pTipWnd = ToolTipWindowOf(pMsg->hwnd);
  if (pTipWnd == nullptr) {
    // The mouse left the windows with tooltips.
    if (message == WM_MOUSEMOVE && state.lastWnd) state.forgetTool();
    return;
  }
  if (pTipWnd != this) return;
  if (message == WM_MOUSELEAVE) {
    if (pMsg->hwnd == state.lastWnd || ::IsChild(m_hWnd, pMsg->hwnd)) state.forgetTool();
    return;
  }
  if (message != WM_MOUSEMOVE) {
    // A click or a key ends the tip; a click keeps it away until the mouse
    // leaves the tool.
    if (state.lastHit == -1 || !state.exists()) return;
    if (keys)
      state.tip->SendMessage(TTM_POP);
    else
      relay(*state.tip, *pMsg, state.lastInfo);
    return;
  }
  if (pMsg->wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) return;  // no tips while a button is held

  CWnd* pOwner = GetTopLevelParent();
  const HWND owner = pOwner ? pOwner->m_hWnd : m_hWnd;
  if (!state.exists() || state.owner != owner) {
    state = ThreadToolTip{};
    auto tip = std::make_unique<CToolTipCtrl>();
    if (!tip->Create(CWnd::FromHandle(owner), TTS_ALWAYSTIP)) return;
    state.tip = std::move(tip);
    state.owner = owner;
  }

  POINT point{GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam)};
  ::MapWindowPoints(pMsg->hwnd, m_hWnd, &point, 1);
  TOOLINFO hit{};
  hit.cbSize = sizeof hit;
  const INT_PTR nHit = OnToolHitTest(CPoint(point), &hit);
  if (nHit == state.lastHit && m_hWnd == state.lastWnd) {
    if (nHit != -1) relay(*state.tip, *pMsg, state.lastInfo);
    return;
  }
  // Another tool (or none): the new one comes in before the old one goes, so
  // that the tip moves straight from one to the other.
  const TOOLINFO previous = state.lastInfo;
  const bool hadTool = state.lastHit != -1;
  if (nHit != -1) {
    state.tip->SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&hit));
    state.tip->SendMessage(TTM_ACTIVATE, TRUE);
    relay(*state.tip, *pMsg, hit);
  } else {
    state.tip->SendMessage(TTM_ACTIVATE, FALSE);
  }
  if (hadTool) state.tip->SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&previous));
  state.lastWnd = nHit != -1 ? m_hWnd : nullptr;
  state.lastHit = nHit;
  state.lastInfo = nHit != -1 ? hit : TOOLINFO{};
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (!(::GetWindowLong(child, GWL_STYLE) & WS_VISIBLE)) continue;
    CRect rect;
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(HWND_DESKTOP, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    if (!rect.PtInRect(point)) continue;
    const int id = ::GetDlgCtrlID(child);
    if (id == 0 || id == -1 || id == 0xFFFF) return -1;  // a child without an id has no tip
    if (pTI) {
      pTI->hwnd = m_hWnd;
      pTI->uId = reinterpret_cast<UINT_PTR>(child);
      pTI->uFlags |= TTF_IDISHWND;
      pTI->lpszText = LPSTR_TEXTCALLBACK;
    }
    return id;
  }
  return -1;
}
