// Selection and column widths of list controls.
#include <algorithm>

#include "utilmere/WindowTools.h"

void SetListSelected(CListCtrl* list, int index, int scroll, int focus) {
  if (list == nullptr || index < 0 || index >= list->GetItemCount()) return;
  const int count = list->GetItemCount();
  list->SendMessage(WM_SETREDRAW, FALSE);
  for (int i = 0; i < count; ++i) list->SetItemState(i, 0, LVIS_SELECTED);
  list->SetSelectionMark(index);
  list->SetItemState(index, LVIS_SELECTED, LVIS_SELECTED);
  if (scroll) {
    RECT label = {};
    list->GetItemRect(index, &label, LVIR_LABEL);
    list->Scroll(CSize(0, 2 * label.top - label.bottom));
  }
  if (focus) list->SetFocus();
  list->SendMessage(WM_SETREDRAW, TRUE);
}

void RemarkListSelected(CListCtrl* list, int index, int select) {
  if (list == nullptr) return;
  if (select) {
    list->SetSelectionMark(index);
    list->SetItemState(index, LVIS_SELECTED, LVIS_SELECTED);
  } else {
    list->SetItemState(index, 0, LVIS_SELECTED);
  }
}

void AutoSizeColumns(CListCtrl* list) {
  if (list == nullptr || list->GetHeaderCtrl() == nullptr) return;
  list->SendMessage(WM_SETREDRAW, FALSE);
  const int columns = list->GetHeaderCtrl()->GetItemCount();
  for (int column = 0; column < columns; ++column) {
    list->SetColumnWidth(column, LVSCW_AUTOSIZE);
    const int contents = list->GetColumnWidth(column);
    list->SetColumnWidth(column, LVSCW_AUTOSIZE_USEHEADER);
    const int header = list->GetColumnWidth(column);
    list->SetColumnWidth(column, std::max({contents, header, 10}));
  }
  list->SendMessage(WM_SETREDRAW, TRUE);
}
