// The rows of CSortListCtrl: records, texts, data words, colours, locks and
// searches.
#include <cstdarg>
#include <cstdlib>

#include "skinvane/SortListCtrl.h"

CSortListCtrl::_ItemMemory* CSortListCtrl::Record(int row) const {
  if (!RowInRange(row)) return nullptr;
  return reinterpret_cast<_ItemMemory*>(CListCtrl::GetItemData(row));
}

void CSortListCtrl::FreeRecord(int row, bool notify) {
  _ItemMemory* record = Record(row);
  if (notify && m_remove) m_remove(this, row);
  if (!record) return;
  CListCtrl::SetItemData(row, 0);
  DeleteInstance(&record->recordWnd);
  for (auto it = m_records.begin(); it != m_records.end(); ++it) {
    if (it->get() == record) {
      m_records.erase(it);
      break;
    }
  }
}

int CSortListCtrl::InsertItem(int row, CStringArray& texts, int image) {
  if (row < 0 || row > CListCtrl::GetItemCount()) row = CListCtrl::GetItemCount();
  if (m_imageCount > 0) image %= m_imageCount;
  if (image < 0) image = 0;
  auto record = std::make_unique<_ItemMemory>();
  const int columns = GetColumnCount();
  for (int i = 0; i < columns; ++i) record->texts.push_back(i < texts.GetSize() ? texts[i] : CString());
  LVITEM item = {};
  item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
  item.iItem = row;
  CString label = texts.GetSize() > 0 ? texts[0] : CString();
  item.pszText = label.GetBuffer(0);
  item.iImage = image;
  item.lParam = reinterpret_cast<LPARAM>(record.get());
  const int inserted = CListCtrl::InsertItem(&item);
  label.ReleaseBuffer();
  if (inserted < 0) return -1;
  m_records.push_back(std::move(record));
  for (int i = 1; i < columns && i < texts.GetSize(); ++i) CListCtrl::SetItemText(inserted, i, texts[i]);
  InsertItemSuccess(inserted);
  return inserted;
}

int CSortListCtrl::InsertItem(int row, int image, const char* text, ...) {
  CStringArray texts;
  texts.Add(text ? text : "");
  va_list args;
  va_start(args, text);
  for (int i = 1; i < GetColumnCount(); ++i) {
    const char* next = va_arg(args, const char*);
    texts.Add(next ? next : "");
  }
  va_end(args);
  return InsertItem(row, texts, image);
}

void CSortListCtrl::InsertItemSuccess(int) {}
void CSortListCtrl::SyncSRWItem(int) {}
void CSortListCtrl::ClearShowRecordView() {}

int CSortListCtrl::DeleteItem(int row, int notify) {
  if (!RowInRange(row) || !CanEdit(row)) return 0;
  FreeRecord(row, notify != 0);
  CListCtrl::DeleteItem(row);
  SyncSRWItem(row);
  if (CListCtrl::GetItemCount() == 0) ClearShowRecordView();
  return 1;
}

int CSortListCtrl::DeleteAllItems() {
  KillAllSubCtrlFocus();
  for (int row = CListCtrl::GetItemCount() - 1; row >= 0; --row) FreeRecord(row, true);
  const int result = CListCtrl::DeleteAllItems();
  ClearShowRecordView();
  return result;
}

int CSortListCtrl::RowIsExist(CStringArray& texts) { return FindItem(texts); }

int CSortListCtrl::SetItemText(int row, int column, const char* text) {
  _ItemMemory* record = Record(row);
  if (!record || column < 0 || column >= static_cast<int>(record->texts.size())) return 0;
  record->texts[static_cast<size_t>(column)] = text ? text : "";
  return CListCtrl::SetItemText(row, column, text ? text : "");
}

int CSortListCtrl::SetItemText(int row, CStringArray& texts) {
  if (!Record(row)) return 0;
  for (int i = 0; i < texts.GetSize(); ++i) SetItemText(row, i, texts[i]);
  return 1;
}

CString CSortListCtrl::GetItemText(int row, int column) const {
  const _ItemMemory* record = Record(row);
  if (!record || column < 0 || column >= static_cast<int>(record->texts.size())) return CString();
  return record->texts[static_cast<size_t>(column)];
}

int CSortListCtrl::GetItemInt(int row, int column) const { return atoi(GetItemText(row, column)); }

int CSortListCtrl::GetCurSelAllSubItemText(CStringArray& texts) {
  texts.RemoveAll();
  const int row = GetNextItem(-1, LVNI_SELECTED);
  const _ItemMemory* record = Record(row);
  if (!record) return -1;
  for (const CString& text : record->texts) texts.Add(text);
  return row;
}

int CSortListCtrl::SetItemData(int row, DWORD value, int index) {
  _ItemMemory* record = Record(row);
  if (!record || index < 0 || index > 3) return 0;
  record->data[index] = value;
  return 1;
}

DWORD CSortListCtrl::GetItemData(int row, int index) const {
  const _ItemMemory* record = Record(row);
  if (!record || index < 0 || index > 3) return 0;
  return record->data[index];
}

int CSortListCtrl::SetItemUserText(int row, const char* text) {
  _ItemMemory* record = Record(row);
  if (!record) return 0;
  if (text)
    record->userText = std::make_unique<CString>(text);
  else
    record->userText.reset();
  return 1;
}

CString CSortListCtrl::GetItemUserText(int row) const {
  const _ItemMemory* record = Record(row);
  return record && record->userText ? *record->userText : CString();
}

int CSortListCtrl::SetItemToolTipText(int row, const char* text) {
  _ItemMemory* record = Record(row);
  if (!record) return 0;
  if (text)
    record->toolTip = std::make_unique<CString>(text);
  else
    record->toolTip.reset();
  return 1;
}

CString CSortListCtrl::GetItemToolTipText(int row) const {
  const _ItemMemory* record = Record(row);
  return record && record->toolTip ? *record->toolTip : CString();
}

int CSortListCtrl::SetItemShowRecordWnd(int row, CWnd* window) {
  _ItemMemory* record = Record(row);
  if (!record) return 0;
  if (record->recordWnd != window) DeleteInstance(&record->recordWnd);
  record->recordWnd = window;
  return 1;
}

CWnd* CSortListCtrl::GetItemShowRecordWnd(int row) const {
  const _ItemMemory* record = Record(row);
  return record ? record->recordWnd : nullptr;
}

int CSortListCtrl::ChangeItemImage(int row, int image) {
  if (!RowInRange(row)) return 0;
  if (m_imageCount > 0) image %= m_imageCount;
  if (image < 0) image = 0;
  LVITEM item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  item.iImage = image;
  return SetItem(&item);
}

CSortListCtrl::_ItemAppData* CSortListCtrl::Attributes(int row) {
  _ItemMemory* record = Record(row);
  if (!record) return nullptr;
  if (!record->attributes) record->attributes = std::make_unique<_ItemAppData>();
  return record->attributes.get();
}

void CSortListCtrl::ChangeLineColor(int row, COLORREF text, COLORREF background) {
  _ItemAppData* attributes = Attributes(row);
  if (!attributes) return;
  if (text == background) text = GetInverseColor(background);
  if (text != 0xFFFFFFFF) attributes->text = text;
  if (background != 0xFFFFFFFF) attributes->background = background;
  RedrawItems(row, row);
}

void CSortListCtrl::GetLineColor(int row, COLORREF& text, COLORREF& background) const {
  const _ItemMemory* record = Record(row);
  const _ItemAppData defaults;
  const _ItemAppData& attributes = record && record->attributes ? *record->attributes : defaults;
  text = attributes.text;
  background = attributes.background;
}

void CSortListCtrl::SetDisableEditItem(int row, ...) {
  va_list args;
  va_start(args, row);
  for (int next = row; next >= 0; next = va_arg(args, int)) {
    _ItemAppData* attributes = Attributes(next);
    if (attributes) attributes->lock = 1;
  }
  va_end(args);
}

int CSortListCtrl::CanEdit(int row) const {
  const _ItemMemory* record = Record(row);
  if (!record) return 0;
  return record->attributes && record->attributes->lock ? 0 : 1;
}

void CSortListCtrl::SetCheckAll(int check) {
  for (int row = 0; row < CListCtrl::GetItemCount(); ++row) SetCheck(row, check);
}

int CSortListCtrl::GetSelectionMark() {
  m_lastMark = CListCtrl::GetSelectionMark();
  return m_lastMark;
}

void CSortListCtrl::gxSelectOneItem(int row, int scroll) { SetListSelected(this, row, scroll, 0); }

int CSortListCtrl::FindItem(const char* text, int column) {
  for (int row = 0; row < CListCtrl::GetItemCount(); ++row)
    if (GetItemText(row, column) == text) return row;
  return -1;
}

int CSortListCtrl::FindItem(CStringArray& texts) {
  for (int row = 0; row < CListCtrl::GetItemCount(); ++row) {
    bool same = texts.GetSize() > 0;
    for (int i = 0; same && i < texts.GetSize(); ++i) same = GetItemText(row, i) == texts[i];
    if (same) return row;
  }
  return -1;
}

int CSortListCtrl::FindItem(CUIntArray& data) {
  for (int row = 0; row < CListCtrl::GetItemCount(); ++row) {
    bool same = data.GetSize() > 0 && data.GetSize() <= 4;
    for (int i = 0; same && i < data.GetSize(); ++i) same = GetItemData(row, i) == data[i];
    if (same) return row;
  }
  return -1;
}

int CSortListCtrl::FindCell(const char* text, int& column, int startRow) {
  for (int row = startRow < 0 ? 0 : startRow; row < CListCtrl::GetItemCount(); ++row)
    for (int i = 0; i < GetColumnCount(); ++i)
      if (GetItemText(row, i) == text) {
        column = i;
        return row;
      }
  column = -1;
  return -1;
}

int CSortListCtrl::FindItemBySubItem(int column, UINT value, int asNumber) {
  CString wanted;
  wanted.Format("%u", value);
  for (int row = 0; row < CListCtrl::GetItemCount(); ++row) {
    const CString text = GetItemText(row, column);
    if (asNumber ? static_cast<UINT>(atoi(text)) == value : text == wanted) return row;
  }
  return -1;
}
