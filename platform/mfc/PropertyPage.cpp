#include "platform/mfc/PropertyPage.h"

#include "platform/mfc/DialogCreation.h"
#include "platform/mfc/PropertySheet.h"
#include "platform/mfc/WinApp.h"
#include "platform/win/user/Dialog.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CDialog(nIDTemplate), m_nIDCaption(nIDCaption) {}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption)
    : CDialog(lpszTemplateName), m_nIDCaption(nIDCaption) {}

BOOL CPropertyPage::OnSetActive() {
  if (m_bFirstSetActive)
    m_bFirstSetActive = FALSE;
  else
    UpdateData(FALSE);
  return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply() {
  OnOK();
  return TRUE;
}

void CPropertyPage::OnReset() { OnCancel(); }

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

void CPropertyPage::SetModified(BOOL bChanged) {
  m_bModified = bChanged;
  if (m_pSheet) m_pSheet->PageModified();
}

CString CPropertyPage::GetCaption() const {
  CString caption;
  if (m_nIDCaption && caption.LoadString(m_nIDCaption)) return caption;
  wavorel::DialogTemplate t;
  if (wavorel::findDialogTemplate(AfxGetResourceHandle(), m_lpszTemplateName, t)) caption = t.caption.c_str();
  return caption;
}

SIZE CPropertyPage::TemplateSize() const {
  wavorel::DialogTemplate t;
  if (!wavorel::findDialogTemplate(AfxGetResourceHandle(), m_lpszTemplateName, t)) return {0, 0};
  return {t.rect.right - t.rect.left, t.rect.bottom - t.rect.top};
}

BOOL CPropertyPage::CreatePage(CPropertySheet* pSheet, const RECT& place) {
  wavorel::DialogTemplate t;
  if (!wavorel::findDialogTemplate(AfxGetResourceHandle(), m_lpszTemplateName, t)) return FALSE;
  t.style = (t.style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | WS_THICKFRAME | DS_MODALFRAME)) | WS_CHILD |
            DS_CONTROL;
  t.rect = RECT{0, 0, t.rect.right - t.rect.left, t.rect.bottom - t.rect.top};
  m_pSheet = pSheet;
  m_bFirstSetActive = TRUE;
  if (!wavorel::createDialogWindow(this, t, pSheet->m_hWnd)) return FALSE;
  ::SetWindowPos(m_hWnd, nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return TRUE;
}
