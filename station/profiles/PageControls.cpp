#include "station/profiles/PageControls.h"

void EnablePageItem(CWnd* page, int id, BOOL enable) {
  if (CWnd* control = page ? page->GetDlgItem(id) : nullptr) control->EnableWindow(enable);
}

void ShowPageItem(CWnd* page, int id, BOOL show) {
  if (CWnd* control = page ? page->GetDlgItem(id) : nullptr) control->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

CString LoadPageText(UINT id) {
  CString text;
  text.LoadString(id);
  return GetMLText(text);
}

CWnd* SubPageOwner(CWnd* subPage) {
  if (!subPage || !subPage->GetSafeHwnd()) return nullptr;
  const HWND container = ::GetParent(subPage->GetSafeHwnd());
  const HWND owner = container ? ::GetParent(container) : nullptr;
  return owner ? CWnd::FromHandlePermanent(owner) : nullptr;
}
