#include "skinvane/ComboBoxForListCtrl.h"

#include "skinvane/SortListCtrl.h"

BEGIN_MESSAGE_MAP(CComboBoxForListCtrl, CComboBox)
  ON_CONTROL_REFLECT(CBN_SELENDOK, &CComboBoxForListCtrl::OnSelEndOk)
  ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

namespace {
constexpr UINT kEditorId = 0x7F02;
constexpr int kDropHeight = 200;
}  // namespace

CComboBoxForListCtrl::CComboBoxForListCtrl(CSortListCtrl* list, int row, int column)
    : m_list(list), m_row(row), m_column(column) {}

BOOL CComboBoxForListCtrl::Open(const CRect& cell, const CStringArray& choices, const CString& text) {
  CRect area = cell;
  area.bottom = area.top + kDropHeight;
  if (!Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, area, m_list, kEditorId)) return FALSE;
  SendMessage(WM_SETFONT, static_cast<WPARAM>(m_list->SendMessage(WM_GETFONT)), FALSE);
  for (int i = 0; i < choices.GetSize(); ++i) AddString(choices[i]);
  SetCurSel(FindStringExact(-1, text));
  SetFocus();
  return TRUE;
}

BOOL CComboBoxForListCtrl::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
    if (msg->wParam == VK_ESCAPE) m_cancelled = true;
    m_list->SetFocus();
    return TRUE;
  }
  return CComboBox::PreTranslateMessage(msg);
}

void CComboBoxForListCtrl::Finish() {
  if (m_closing) return;
  m_closing = true;
  const int selection = GetCurSel();
  if (!m_cancelled && selection >= 0) {
    CString text;
    GetLBText(selection, text);
    m_list->CommitEdit(m_row, m_column, text);
  }
  m_list->EditorClosed(this);
  DestroyWindow();
}

void CComboBoxForListCtrl::OnSelEndOk() {
  if (GetCurSel() >= 0) Finish();
}

void CComboBoxForListCtrl::OnKillFocus(CWnd* newWnd) {
  CComboBox::OnKillFocus(newWnd);
  Finish();
}

void CComboBoxForListCtrl::PostNcDestroy() { delete this; }
