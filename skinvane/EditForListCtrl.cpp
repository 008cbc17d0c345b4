#include "skinvane/EditForListCtrl.h"

#include "platform/win/user/Input.h"
#include "skinvane/SortListCtrl.h"

BEGIN_MESSAGE_MAP(CEditForListCtrl, CEdit)
  ON_WM_KILLFOCUS()
  ON_WM_KEYDOWN()
END_MESSAGE_MAP()

namespace {
constexpr UINT kEditorId = 0x7F01;
}

CEditForListCtrl::CEditForListCtrl(CSortListCtrl* list, int row, int column)
    : m_list(list), m_row(row), m_column(column) {}

BOOL CEditForListCtrl::Open(const CRect& cell, const CString& text) {
  if (!Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | ES_LEFT, cell, m_list, kEditorId)) return FALSE;
  SendMessage(WM_SETFONT, static_cast<WPARAM>(m_list->SendMessage(WM_GETFONT)), FALSE);
  SetWindowText(text);
  SetFocus();
  SetSel(0, -1);
  SendMessage(EM_SCROLLCARET);
  return TRUE;
}

BOOL CEditForListCtrl::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN &&
      (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE || msg->wParam == VK_DELETE ||
       (GetKeyState(VK_CONTROL) & 0x8000))) {
    TranslateMessage(msg);
    DispatchMessage(msg);
    return TRUE;
  }
  return CEdit::PreTranslateMessage(msg);
}

void CEditForListCtrl::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  if (key == VK_ESCAPE) m_cancelled = true;
  if (key == VK_RETURN || key == VK_ESCAPE) {
    m_list->SetFocus();
    return;
  }
  CEdit::OnKeyDown(key, repeat, flags);
}

void CEditForListCtrl::OnKillFocus(CWnd* newWnd) {
  CEdit::OnKillFocus(newWnd);
  if (m_closing) return;
  m_closing = true;
  if (!m_cancelled) {
    CString text;
    GetWindowText(text);
    m_list->CommitEdit(m_row, m_column, text);
  }
  m_list->EditorClosed(this);
  DestroyWindow();
}

void CEditForListCtrl::PostNcDestroy() { delete this; }
