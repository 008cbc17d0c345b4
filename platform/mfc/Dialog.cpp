#include "platform/mfc/Dialog.h"


#include "platform/mfc/DataExchange.h"
#include "platform/mfc/DialogCreation.h"
#include "platform/mfc/UserException.h"
#include "platform/mfc/WinApp.h"
#include "platform/win/user/ApplicationMainWindow.h"
#include "platform/win/user/Dialog.h"
#include "platform/win/kernel/PlatformLog.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, &CDialog::OnOK)
  ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd) {
  SetTemplate(MAKEINTRESOURCE(nIDTemplate));
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd) : m_pParentWnd(pParentWnd) {
  SetTemplate(lpszTemplateName);
}

void CDialog::SetTemplate(LPCTSTR lpszTemplateName) {
  if (lpszTemplateName && !IS_INTRESOURCE(lpszTemplateName)) {
    m_strTemplateName = lpszTemplateName;
    m_lpszTemplateName = m_strTemplateName;
  } else {
    m_lpszTemplateName = lpszTemplateName;
  }
}

BOOL CDialog::CreateFromTemplate(LPCTSTR lpszTemplateName, HWND hWndParent, bool modal) {
  wavorel::DialogTemplate t;
  if (lpszTemplateName == nullptr || !wavorel::findDialogTemplate(AfxGetResourceHandle(), lpszTemplateName, t))
    return FALSE;
  return wavorel::createDialogWindow(this, t, hWndParent, modal);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) { return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd); }

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd) {
  SetTemplate(lpszTemplateName);
  if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
    m_nIDHelp = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpszTemplateName));
  if (pParentWnd) m_pParentWnd = pParentWnd;
  CWnd* pParent = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
  return CreateFromTemplate(m_lpszTemplateName, pParent ? pParent->m_hWnd : nullptr);
}

INT_PTR CDialog::DoModal() {
  CWnd* pOwner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
  HWND hWndOwner = pOwner && pOwner != this ? pOwner->m_hWnd : nullptr;
  if (!CreateFromTemplate(m_lpszTemplateName, hWndOwner, true)) return -1;
  if (AfxGetMainWnd() == this) ::SetProp(m_hWnd, wavorel::kApplicationMainWindowProp, reinterpret_cast<HANDLE>(1));
  INT_PTR result = wavorel::runDialogModal(m_hWnd, [this](MSG* pMsg) {
    CWinThread* pThread = AfxGetThread();
    return pThread ? pThread->PreTranslateMessage(pMsg) : CWnd::WalkPreTranslateTree(m_hWnd, pMsg);
  });
  if (m_hWnd) DestroyWindow();
  return result;
}

void CDialog::EndDialog(int nResult) { ::EndDialog(m_hWnd, nResult); }

BOOL CDialog::OnInitDialog() {
  wavorel::runDialogInit(m_hWnd, AfxGetResourceHandle(), m_lpszTemplateName);
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
  CDataExchange dx(this, bSaveAndValidate);
  BOOL previous = m_bLockoutNotify;
  m_bLockoutNotify = TRUE;
  BOOL ok = TRUE;
  try {
    DoDataExchange(&dx);
  } catch (CUserException* e) {
    e->Delete();
    ok = FALSE;
  } catch (CException* e) {
    char text[256] = "";
    e->GetErrorMessage(text, sizeof text);
    wavorel::logNote("dialog data exchange failed: %s", text);
    e->Delete();
    ok = FALSE;
  }
  m_bLockoutNotify = previous;
  return ok;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (m_bLockoutNotify && lParam != 0) return TRUE;  // a control notification during UpdateData
  return CWnd::OnCommand(wParam, lParam);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
  CWnd::PreTranslateMessage(pMsg);  // the dialog's tooltips
  bool input = (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) ||
               (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST);
  if (!input || m_hWnd == nullptr || (GetStyle() & WS_CHILD)) return FALSE;
  return ::IsDialogMessage(m_hWnd, pMsg);
}

void CDialog::NextDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 0, 0); }

void CDialog::PrevDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 1, 0); }

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
  if (pWndCtrl) ::SendMessage(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), TRUE);
}

void CDialog::SetDefID(UINT nID) { ::SendMessage(m_hWnd, DM_SETDEFID, nID, 0); }

DWORD CDialog::GetDefID() const { return static_cast<DWORD>(::SendMessage(m_hWnd, DM_GETDEFID, 0, 0)); }

void CDialog::MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }
