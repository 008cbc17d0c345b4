#include "platform/mfc/DialogCreation.h"

#include "platform/mfc/Dialog.h"
#include "platform/mfc/PropertySheet.h"
#include "platform/mfc/WinApp.h"
#include "platform/win/user/Dialog.h"

namespace {

// The object being created on this thread: it takes the first window made.
thread_local CWnd* t_creating = nullptr;
thread_local HHOOK t_hook = nullptr;
// The dialog object being created to run modally.
thread_local CWnd* t_modal = nullptr;

LRESULT CALLBACK creationFilter(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && t_creating) {
    CWnd* pWnd = t_creating;
    t_creating = nullptr;
    pWnd->SubclassWindow(reinterpret_cast<HWND>(wParam));
  }
  return CallNextHookEx(t_hook, code, wParam, lParam);
}

// As MFC does, a popup dialog is centred on its owner (on the screen
// without one) after OnInitDialog, unless OnInitDialog moved or showed it,
// or it is a modeless dialog whose owner is enabled.
void centreAfterInit(CWnd* pWnd, const RECT& before) {
  if (pWnd->GetStyle() & (WS_VISIBLE | WS_CHILD)) return;
  RECT after{};
  pWnd->GetWindowRect(&after);
  if (after.left != before.left || after.top != before.top) return;
  HWND owner = ::GetWindow(pWnd->m_hWnd, GW_OWNER);
  if (owner && t_modal != pWnd && ::IsWindowEnabled(owner)) return;
  pWnd->CenterWindow();
}

INT_PTR CALLBACK dialogProc(HWND hWnd, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return FALSE;
  CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
  if (auto* pDlg = dynamic_cast<CDialog*>(pWnd)) {
    RECT before{};
    pDlg->GetWindowRect(&before);
    const BOOL result = pDlg->OnInitDialog();
    if (::IsWindow(hWnd)) centreAfterInit(pDlg, before);
    return result;
  }
  if (auto* pSheet = dynamic_cast<CPropertySheet*>(pWnd)) return pSheet->OnInitDialog();
  return TRUE;
}

}  // namespace

namespace wavorel {

BOOL createDialogWindow(CWnd* pWnd, const DialogTemplate& dialogTemplate, HWND hWndParent, bool modal) {
  // One hook serves nested creations (a page made while its sheet is made).
  bool ownsHook = t_hook == nullptr;
  if (ownsHook) t_hook = SetWindowsHookEx(WH_CBT, creationFilter, nullptr, 0);
  CWnd* previous = t_creating;
  CWnd* previousModal = t_modal;
  t_creating = pWnd;
  if (modal) t_modal = pWnd;
  HWND hWnd = createDialog(AfxGetResourceHandle(), dialogTemplate, hWndParent, dialogProc, 0);
  t_creating = previous;
  t_modal = previousModal;
  if (ownsHook) {
    UnhookWindowsHookEx(t_hook);
    t_hook = nullptr;
  }
  return hWnd != nullptr && pWnd->m_hWnd == hWnd;
}

}  // namespace wavorel
