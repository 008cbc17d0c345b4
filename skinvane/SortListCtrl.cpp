#include "skinvane/SortListCtrl.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/win/user/Input.h"
#include "platform/wire/Bytes.h"
#include "skinvane/ComboBoxForListCtrl.h"
#include "skinvane/EditForListCtrl.h"

BEGIN_MESSAGE_MAP(CSortListCtrl, CListCtrl)
  ON_NOTIFY_REFLECT(NM_CLICK, &CSortListCtrl::OnClick)
  ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, &CSortListCtrl::OnColumnClick)
  ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CSortListCtrl::OnCustomDraw)
  ON_NOTIFY_EX(TTN_NEEDTEXT, 0, &CSortListCtrl::OnToolTipText)
  ON_WM_DESTROY()
  ON_MESSAGE(WM_HSCROLL, &CSortListCtrl::OnScroll)
  ON_MESSAGE(WM_VSCROLL, &CSortListCtrl::OnScroll)
END_MESSAGE_MAP()

CSortListCtrl::CSortListCtrl() = default;

CSortListCtrl::~CSortListCtrl() {
  for (auto& record : m_records) DeleteInstance(&record->recordWnd);
}

BOOL CSortListCtrl::SubclassWindow() {
  EnableToolTips(TRUE);  // the cell tips
  HWND header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
  if (!header) return FALSE;
  return m_header.SubclassWindow(header);
}

// ---- Columns.

int CSortListCtrl::SetHeadings(const CString& headings) {
  SendMessage(WM_SETREDRAW, FALSE);
  int result = 1;
  int start = 0;
  for (;;) {
    const int comma = headings.Find(',', start);
    if (comma < 0) break;
    int semicolon = headings.Find(';', comma + 1);
    if (semicolon < 0) semicolon = headings.GetLength();
    const CString name = headings.Mid(start, comma - start);
    const int width = atoi(headings.Mid(comma + 1, semicolon - comma - 1));
    if (CListCtrl::InsertColumn(m_columnCount, name, LVCFMT_LEFT, width) == -1) {
      result = 0;
      break;
    }
    ++m_columnCount;
    m_columnTypes.push_back(COLUMN_PLAIN);
    start = semicolon + 1;
    if (start >= headings.GetLength()) break;
  }
  SendMessage(WM_SETREDRAW, TRUE);
  return result;
}

int CSortListCtrl::GetColumnCount() const {
  if (!GetSafeHwnd()) return m_columnCount;
  return const_cast<CSortListCtrl*>(this)->GetHeaderCtrl()->GetItemCount();
}

CString CSortListCtrl::GetColumnText(int column) const {
  char text[256] = "";
  LVCOLUMN info = {};
  info.mask = LVCF_TEXT;
  info.pszText = text;
  info.cchTextMax = sizeof(text);
  if (!GetColumn(column, &info)) return CString();
  return CString(text);
}

void CSortListCtrl::SetColumnText(int column, CString text) {
  LVCOLUMN info = {};
  info.mask = LVCF_TEXT;
  info.pszText = text.GetBuffer(0);
  SetColumn(column, &info);
  text.ReleaseBuffer();
}

int CSortListCtrl::GetColumnIndexByText(const char* text) {
  const int count = GetColumnCount();
  for (int i = 0; i < count; ++i)
    if (GetColumnText(i) == text) return i;
  return -1;
}

void CSortListCtrl::SetColumnType(_enum_column_type type, int column, void* fill) {
  if (column < 0 || column >= static_cast<int>(m_columnTypes.size())) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return;
  }
  m_columnTypes[static_cast<size_t>(column)] = type;
  if (fill) m_fill = reinterpret_cast<FillCallback>(fill);
}

void CSortListCtrl::SetColumnType(_enum_column_type type, const char* heading, void* fill) {
  SetColumnType(type, GetColumnIndexByText(heading), fill);
}

CSortListCtrl::_enum_column_type CSortListCtrl::GetColumnType(int column) const {
  if (column < 0 || column >= static_cast<int>(m_columnTypes.size())) return COLUMN_PLAIN;
  return m_columnTypes[static_cast<size_t>(column)];
}

// ---- Layout and look.

void CSortListCtrl::SetListCtrlGridAttr(int saveView, DWORD view) {
  SetExtendedStyle(GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT);
  m_saveView = saveView;
  m_view = view;
}

void CSortListCtrl::SetListView(DWORD view) {
  if (!GetSafeHwnd()) return;
  if ((GetStyle() & LVS_TYPEMASK) != (view & LVS_TYPEMASK)) ModifyStyle(LVS_TYPEMASK, view & LVS_TYPEMASK);
  m_view = view & LVS_TYPEMASK;
}

DWORD CSortListCtrl::GetTypeMask() const { return GetStyle() & LVS_TYPEMASK; }

void CSortListCtrl::ReSizing() {
  CWnd* parent = GetParent();
  if (!parent) return;
  CRect client;
  parent->GetClientRect(&client);
  MoveWindow(&client);
}

RECT CSortListCtrl::GetItemRect(UINT code) {
  CRect rect;
  if (CListCtrl::GetItemCount() > 0) {
    CListCtrl::GetItemRect(0, &rect, code);
    return rect;
  }
  // A temporary row of single blanks gives the measure of an empty list.
  const int row = CListCtrl::InsertItem(0, " ");
  for (int column = 1; column < GetColumnCount(); ++column) CListCtrl::SetItemText(row, column, " ");
  CListCtrl::GetItemRect(row, &rect, code);
  CListCtrl::DeleteItem(row);
  return rect;
}

int CSortListCtrl::PtInRect(int row, CPoint& point) {
  CRect rect;
  if (!RowInRange(row) || !CListCtrl::GetItemRect(row, &rect, LVIR_BOUNDS)) return 0;
  return rect.PtInRect(point) ? 1 : 0;
}

int CSortListCtrl::IsCursorInValidRect() {
  POINT cursor = {};
  GetCursorPos(&cursor);
  ScreenToClient(&cursor);
  UINT flags = 0;
  return CListCtrl::HitTest(CPoint(cursor), &flags) >= 0 ? 1 : 0;
}

// ---- Images.

int CSortListCtrl::SetOrCreateImageList(CImageList* normal, CImageList* small) {
  if (normal) {
    CopyImageList(*normal, m_normalImages);
    CListCtrl::SetImageList(&m_normalImages, LVSIL_NORMAL);
  }
  if (small) {
    CopyImageList(*small, m_smallImages);
    CListCtrl::SetImageList(&m_smallImages, LVSIL_SMALL);
  }
  m_imageCount = m_smallImages.GetSafeHandle() ? m_smallImages.GetImageCount() : m_normalImages.GetImageCount();
  return m_imageCount > 0 ? 1 : 0;
}

void CSortListCtrl::CreateImageList(int size, CImageList& list) {
  list.DeleteImageList();
  list.Create(size, size, ILC_COLOR32 | ILC_MASK, 0, 4);
}

void CSortListCtrl::CopyImageList(CImageList& from, CImageList& to) {
  IMAGEINFO info = {};
  const int count = from.GetImageCount();
  if (count > 0 && ImageList_GetImageInfo(from.GetSafeHandle(), 0, &info)) {
    const CRect first(info.rcImage);
    CreateImageList(first.Width(), to);
  } else {
    to.DeleteImageList();
    return;
  }
  for (int i = 0; i < count; ++i) {
    HICON icon = from.ExtractIcon(i);
    to.Add(icon);
    DestroyIcon(icon);
  }
}

int CSortListCtrl::InitImageList(UINT normalId, UINT smallId, COLORREF mask) {
  CImageList normal;
  CImageList small;
  BITMAP info = {};
  CBitmap probe;
  if (probe.LoadBitmap(normalId)) probe.GetObject(sizeof(info), &info);
  if (!info.bmHeight || !normal.Create(normalId, info.bmHeight, 1, mask)) return 0;
  info = {};
  probe.DeleteObject();
  if (probe.LoadBitmap(smallId)) probe.GetObject(sizeof(info), &info);
  if (!info.bmHeight || !small.Create(smallId, info.bmHeight, 1, mask)) return 0;
  return SetOrCreateImageList(&normal, &small);
}

int CSortListCtrl::InitImageList(const char* normalFile, const char* smallFile, COLORREF mask) {
  CImageList normal;
  CImageList small;
  CBitmap probe;
  BITMAP info = {};
  if (!LoadBitmapFromFile(probe, normalFile)) return 0;
  probe.GetObject(sizeof(info), &info);
  if (!CreateListImageByBmpFile(normal, normalFile, info.bmHeight, info.bmHeight, mask)) return 0;
  if (!LoadBitmapFromFile(probe, smallFile)) return 0;
  probe.GetObject(sizeof(info), &info);
  if (!CreateListImageByBmpFile(small, smallFile, info.bmHeight, info.bmHeight, mask)) return 0;
  return SetOrCreateImageList(&normal, &small);
}

// ---- Persistence.

void CSortListCtrl::LoadColumnInfo() {
  CWinApp* app = AfxGetApp();
  if (!app || m_section.IsEmpty()) return;
  CString entry;
  entry.Format("%d", GetDlgCtrlID());
  LPBYTE raw = nullptr;
  UINT bytes = 0;
  if (app->GetProfileBinary(m_section, entry, &raw, &bytes) && raw) {
    std::unique_ptr<BYTE[]> data(raw);
    const auto word = [&data, bytes](UINT index, DWORD& out) {
      if ((index + 1) * 4 > bytes) return false;
      out = wavorel::wire::getU32(data.get() + index * 4);
      return true;
    };
    DWORD count = 0;
    if (word(0, count) && static_cast<int>(count) == GetHeaderCtrl()->GetItemCount()) {
      for (UINT i = 0; i < count; ++i) {
        DWORD width = 0;
        if (word(i + 1, width)) SetColumnWidth(static_cast<int>(i), static_cast<int>(width));
      }
      DWORD view = 0;
      if (m_saveView && word(count + 1, view)) m_view = view;
    }
    GetHeaderCtrl()->Invalidate();
  }
  SetListView(m_view);
}

void CSortListCtrl::SaveColumnInfo() {
  CWinApp* app = AfxGetApp();
  const int count = GetHeaderCtrl()->GetItemCount();
  if (!app || m_section.IsEmpty() || count < 1) return;
  wavorel::wire::ByteWriter data;
  data.u32(static_cast<DWORD>(count));
  for (int i = 0; i < count; ++i) data.u32(static_cast<DWORD>(GetColumnWidth(i)));
  if (m_saveView) data.u32(GetTypeMask());
  CString entry;
  entry.Format("%d", GetDlgCtrlID());
  app->WriteProfileBinary(m_section, entry, data.data().data(), static_cast<UINT>(data.size()));
}

void CSortListCtrl::OnDestroy() {
  KillAllSubCtrlFocus();
  SaveColumnInfo();
  for (int row = CListCtrl::GetItemCount() - 1; row >= 0; --row) FreeRecord(row, true);
  CListCtrl::OnDestroy();
}

// ---- Sorting.

int CSortListCtrl::CompareTexts(const CString& first, const CString& second) {
  const char* a = first;
  bool number = true;
  for (const char* p = a; *p; ++p)
    if (!((*p >= '0' && *p <= '9') || *p == '.')) number = false;
  if (number) {
    const double x = atof(a);
    const double y = atof(second);
    return x < y ? -1 : (x > y ? 1 : 0);
  }
  CTime t1;
  CTime t2;
  if (ConvertStrToCTime(a, t1) && ConvertStrToCTime(second, t2))
    return t1 < t2 ? -1 : (t2 < t1 ? 1 : 0);
  return lstrcmp(a, second);
}

int CALLBACK CSortListCtrl::CompareFunction(LPARAM first, LPARAM second, LPARAM list) {
  const auto* self = reinterpret_cast<const CSortListCtrl*>(list);
  const auto* a = reinterpret_cast<const _ItemMemory*>(first);
  const auto* b = reinterpret_cast<const _ItemMemory*>(second);
  if (!self->m_sortAscending) std::swap(a, b);
  const auto column = static_cast<size_t>(self->m_sortColumn);
  const CString empty;
  const CString& x = a && column < a->texts.size() ? a->texts[column] : empty;
  const CString& y = b && column < b->texts.size() ? b->texts[column] : empty;
  return CompareTexts(x, y);
}

void CSortListCtrl::Sort(int column, int ascending) {
  m_sortColumn = column;
  m_sortAscending = ascending;
  if (m_header.GetSafeHwnd()) m_header.SetSortArrow(column, ascending);
  SortItems(&CSortListCtrl::CompareFunction, reinterpret_cast<DWORD_PTR>(this));
}

void CSortListCtrl::OnColumnClick(NMHDR* header, LRESULT* result) {
  const int column = reinterpret_cast<NMLISTVIEW*>(header)->iSubItem;
  const int ascending = column != m_sortColumn || !m_sortAscending;
  Sort(column, ascending);
  *result = 0;
}

// ---- Row colours.

void CSortListCtrl::OnCustomDraw(NMHDR* header, LRESULT* result) {
  auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
  *result = CDRF_DODEFAULT;
  if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
    *result = CDRF_NOTIFYITEMDRAW;
  } else if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
    const _ItemMemory* record = reinterpret_cast<const _ItemMemory*>(draw->nmcd.lItemlParam);
    if (record && record->attributes) {
      draw->clrText = record->attributes->text;
      draw->clrTextBk = record->attributes->background;
    }
  }
}

// ---- Tooltips.

WORD CSortListCtrl::SetToolTipHitMask(WORD mask) {
  const WORD old = m_hitMask;
  m_hitMask = mask;
  return old;
}

INT_PTR CSortListCtrl::OnToolHitTest(CPoint point, TOOLINFO* info) const {
  LVHITTESTINFO hit = {};
  hit.pt = point;
  SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  if (hit.iItem < 0 || !(hit.flags & m_hitMask)) return -1;
  const INT_PTR id = hit.iSubItem + hit.iItem * 100;
  if (info) {
    info->hwnd = m_hWnd;
    info->uId = static_cast<UINT_PTR>(id);
    info->lpszText = LPSTR_TEXTCALLBACK;
    info->rect = const_cast<CSortListCtrl*>(this)->CellRect(hit.iItem, hit.iSubItem);
  }
  return id;
}

BOOL CSortListCtrl::OnToolTipText(UINT, NMHDR* header, LRESULT* result) {
  auto* text = reinterpret_cast<NMTTDISPINFO*>(header);
  const int row = static_cast<int>(text->hdr.idFrom / 100);
  *result = 0;
  text->szText[0] = '\0';
  text->lpszText = text->szText;
  const _ItemMemory* record = Record(row);
  if (!record || !record->toolTip) return FALSE;
  const CString& tip = *record->toolTip;
  const size_t length = std::min(static_cast<size_t>(tip.GetLength()), sizeof(text->szText) - 1);
  memcpy(text->szText, static_cast<const char*>(tip), length);
  text->szText[length] = '\0';
  return TRUE;
}

// ---- Scrolling closes the editors.

LRESULT CSortListCtrl::OnScroll(WPARAM, LPARAM) {
  KillAllSubCtrlFocus();
  return Default();
}
