#include "widgets/TabDialog.h"

CTabDialog::CTabDialog(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent) {}

BOOL CTabDialog::AddPage(CDialog* pPage, CShadeButtonST* pButton) {
  m_mapPages.SetAt(m_nPageCount, pPage);
  m_mapButtons.SetAt(m_nPageCount, pButton);
  if (pButton) pButton->SetTabIndex(m_nPageCount + m_nExtraCount);
  ++m_nPageCount;
  return TRUE;
}

BOOL CTabDialog::AddExtraButton(CShadeButtonST* pButton) {
  m_mapExtraButtons.SetAt(m_nExtraCount, pButton);
  if (pButton) pButton->SetTabIndex(m_nPageCount + m_nExtraCount);
  ++m_nExtraCount;
  return TRUE;
}

CShadeButtonST* CTabDialog::GetPageButton(int nKey) const {
  CShadeButtonST* button = nullptr;
  return m_mapButtons.Lookup(nKey, button) ? button : nullptr;
}

CShadeButtonST* CTabDialog::GetExtraButton(int nKey) const {
  CShadeButtonST* button = nullptr;
  return m_mapExtraButtons.Lookup(nKey, button) ? button : nullptr;
}

CDialog* CTabDialog::GetPage(int nKey) const {
  CDialog* page = nullptr;
  return m_mapPages.Lookup(nKey, page) ? page : nullptr;
}

void CTabDialog::ArrangePages(const RECT& rcPage, WORD, WORD, int nSelected) {
  for (int key = 0; key < m_nPageCount; ++key) {
    CDialog* page = GetPage(key);
    if (!page) break;
    CShadeButtonST* button = GetPageButton(key);
    page->MoveWindow(&rcPage, TRUE);
    if (key == nSelected) {
      page->ShowWindow(SW_SHOW);
      if (button) button->SetLatched(1);
    }
  }
}

BOOL CTabDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) != 0) return CWnd::OnCommand(wParam, lParam);
  const auto hwnd = reinterpret_cast<HWND>(lParam);
  for (int key = 0; key < m_nPageCount; ++key) {
    CShadeButtonST* button = GetPageButton(key);
    CDialog* page = GetPage(key);
    if (!button || button->GetSafeHwnd() != hwnd || !page) continue;
    for (int other = 0; other < m_nPageCount; ++other) {
      if (CShadeButtonST* tab = GetPageButton(other)) {
        tab->SetLatched(0);
        if (tab->GetSafeHwnd()) tab->Invalidate();
      }
    }
    Invalidate();
    button->SetLatched(1);
    for (int other = 0; other < m_nPageCount; ++other)
      if (CDialog* shown = GetPage(other); shown && shown->GetSafeHwnd()) shown->ShowWindow(SW_HIDE);
    page->ShowWindow(SW_SHOW);
    return TRUE;
  }
  for (int key = 0; key < m_nExtraCount; ++key) {
    CShadeButtonST* button = GetExtraButton(key);
    if (!button || button->GetSafeHwnd() != hwnd) continue;
    CWnd* parent = GetParent();
    ::SetParent(button->GetSafeHwnd(), parent ? parent->GetSafeHwnd() : nullptr);
    button->SendMessage(BM_CLICK);
    ::SetParent(button->GetSafeHwnd(), m_hWnd);
    return TRUE;
  }
  return FALSE;
}
