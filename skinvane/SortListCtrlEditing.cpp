// The in-place editors of CSortListCtrl: edit box, combo box and popup menu.
#include <memory>

#include "skinvane/ComboBoxForListCtrl.h"
#include "skinvane/EditForListCtrl.h"
#include "skinvane/SortListCtrl.h"

void CSortListCtrl::OnClick(NMHDR* header, LRESULT* result) {
  auto* click = reinterpret_cast<NMITEMACTIVATE*>(header);
  *result = 0;
  // The cell under the click, also outside the label of column 0.
  LVHITTESTINFO hit = {};
  hit.pt = click->ptAction;
  SubItemHitTest(&hit);
  const int row = click->iItem >= 0 ? click->iItem : hit.iItem;
  if (!ModifySelItemContent(row, click->iSubItem) && GetParent())
    GetParent()->SendMessage(WM_SORTLIST_CLICK, reinterpret_cast<WPARAM>(click), 0);
}

CRect CSortListCtrl::CellRect(int row, int column) {
  CRect cell;
  GetSubItemRect(row, column, LVIR_BOUNDS, cell);
  if (column == 0 && GetColumnCount() > 1) {
    // The bounds of column 0 span the whole row.
    CRect next;
    GetSubItemRect(row, 1, LVIR_BOUNDS, next);
    cell.right = next.left;
  }
  return cell;
}

int CSortListCtrl::ModifySelItemContent(int row, int column) {
  m_clickRow = row;
  m_clickColumn = column;
  if (column < 0 || column >= GetColumnCount() || !RowInRange(row)) return 0;
  if (!EnsureVisible(row, FALSE) || !CanEdit(row)) return 0;
  int type = 0;
  if (CWnd* parent = GetParent())
    type = static_cast<int>(parent->SendMessage(WM_SORTLIST_BEGINEDIT, static_cast<WPARAM>(row), column));
  if (type == 0) type = GetColumnType(column);
  if (type == COLUMN_COMBO || type == COLUMN_MENU) {
    m_choices.RemoveAll();
    if (m_fill) m_fill(row, column, &m_choices, type, 0);
  }
  switch (type) {
    case COLUMN_COMBO:
      ComboItem(row, column, m_choices);
      return 1;
    case COLUMN_MENU:
      PopupMenuItem(row, column, m_choices);
      return 1;
    case COLUMN_EDIT:
      EditItem(row, column);
      return 1;
    default:
      return 0;
  }
}

void CSortListCtrl::EditItem(int row, int column) {
  KillAllSubCtrlFocus();
  auto editor = std::make_unique<CEditForListCtrl>(this, row, column);
  if (!editor->Open(CellRect(row, column), GetItemText(row, column))) return;
  // The open window owns the editor from here: it deletes itself when destroyed.
  m_edit = editor.release();
}

void CSortListCtrl::ComboItem(int row, int column, CStringArray& choices) {
  KillAllSubCtrlFocus();
  auto editor = std::make_unique<CComboBoxForListCtrl>(this, row, column);
  if (!editor->Open(CellRect(row, column), choices, GetItemText(row, column))) return;
  m_combo = editor.release();
}

void CSortListCtrl::PopupMenuItem(int row, int column, CStringArray& choices) {
  KillAllSubCtrlFocus();
  // OnCommand sets the chosen string into this cell, also when the owner
  // opens the menu itself.
  m_clickRow = row;
  m_clickColumn = column;
  m_choices.Copy(choices);
  CMenu menu;
  if (!menu.CreatePopupMenu()) return;
  for (int i = 0; i < choices.GetSize(); ++i)
    menu.AppendMenu(MF_STRING, static_cast<UINT_PTR>(SORTLIST_MENU_FIRST_ID + i), choices[i]);
  const CRect cell = CellRect(row, column);
  CPoint at(cell.left, cell.bottom);
  ClientToScreen(&at);
  menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, this);
}

BOOL CSortListCtrl::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int index = static_cast<int>(LOWORD(wParam)) - SORTLIST_MENU_FIRST_ID;
  if (lParam == 0 && index >= 0 && index < m_choices.GetSize()) {
    SetItemText(m_clickRow, m_clickColumn, m_choices[index]);
    return TRUE;
  }
  return CListCtrl::OnCommand(wParam, lParam);
}

void CSortListCtrl::CommitEdit(int row, int column, const CString& text) {
  const CString old = GetItemText(row, column);
  if (!Record(row) || old == text) return;
  LVITEM item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  item.iImage = -1;
  if (!GetItem(&item)) item.iImage = -1;
  SORTLIST_ENDEDIT change = {static_cast<UINT>(row), static_cast<UINT>(column), old, text, item.iImage,
                             GetItemData(row, 0)};
  if (CWnd* parent = GetParent()) parent->SendMessage(WM_SORTLIST_ENDEDIT, reinterpret_cast<WPARAM>(&change), 0);
  SetItemText(row, column, text);
}

void CSortListCtrl::EditorClosed(CWnd* editor) {
  if (editor == m_edit) m_edit = nullptr;
  if (editor == m_combo) m_combo = nullptr;
}

void CSortListCtrl::KillAllSubCtrlFocus() {
  CWnd* focus = CWnd::GetFocus();
  const bool editorFocused = focus && ((m_edit && focus->GetSafeHwnd() == m_edit->GetSafeHwnd()) ||
                                       (m_combo && focus->GetSafeHwnd() == m_combo->GetSafeHwnd()));
  if (editorFocused && GetSafeHwnd()) SetFocus();
  // An editor that did not hold the focus closes too.
  if (m_edit) m_edit->SendMessage(WM_KILLFOCUS);
  if (m_combo) m_combo->SendMessage(WM_KILLFOCUS);
}
