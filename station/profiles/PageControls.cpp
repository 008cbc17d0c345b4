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

CRect EditorPlaceholderRect(const CWnd& editor, const CTabDialog* container, int id) {
  CRect rect;
  CWnd* control = container ? container->GetDlgItem(id) : nullptr;
  if (!control) control = editor.GetDlgItem(id);
  if (!control) return rect;
  control->GetWindowRect(&rect);
  editor.ScreenToClient(&rect);
  return rect;
}

void CreateTabFont(CFont& font) {
  font.DeleteObject();
  font.CreateFont(20, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                  DEFAULT_QUALITY, DEFAULT_PITCH, "Trebuchet MS");
}

std::unique_ptr<CShadeButtonST> MakeTabButton(const CString& text, const CRect& rect, CTabDialog* container, int id,
                                              CFont* font, COLORREF selectedTint) {
  auto button = std::make_unique<CShadeButtonST>();
  if (!button->Create(text, WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, container, static_cast<UINT>(id)))
    return nullptr;
  button->SetFont(font, TRUE);
  button->BuildShadeBitmaps(4, 8, 40, 5, 0, 0xB4B4B4, selectedTint);
  button->SetContentLayout(1, TRUE);
  return button;
}

void ShadeEditorButtons(CShadeButtonST& ok, CShadeButtonST& cancel) {
  ok.SetWindowText(LoadPageText(2132));
  cancel.SetWindowText(LoadPageText(2133));
  for (CShadeButtonST* button : {&ok, &cancel}) button->BuildShadeBitmaps(2, 8, 10, 0, 0, 0, 0);
}
