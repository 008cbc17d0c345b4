#include "platform/mfc/ListCtrl.h"

#include <vector>

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

namespace {

// A text the list reads back in one go (longer texts are cut).
constexpr int kItemTextSize = 1024;

}  // namespace

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create(WC_LISTVIEW, nullptr, dwStyle, rect, pParentWnd, nID);
}

DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle) {
  return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(dwNewStyle)));
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType) {
  HIMAGELIST h = pImageList ? pImageList->GetSafeHandle() : nullptr;
  auto old = reinterpret_cast<HIMAGELIST>(
      SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(nImageListType), reinterpret_cast<LPARAM>(h)));
  return old ? CImageList::FromHandle(old) : nullptr;
}

CImageList* CListCtrl::GetImageList(int nImageListType) const {
  auto h = reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, static_cast<WPARAM>(nImageListType)));
  return h ? CImageList::FromHandle(h) : nullptr;
}

int CListCtrl::InsertColumn(int nCol, const LVCOLUMN* pColumn) {
  return static_cast<int>(SendMessage(LVM_INSERTCOLUMN, static_cast<WPARAM>(nCol), reinterpret_cast<LPARAM>(pColumn)));
}

int CListCtrl::InsertColumn(int nCol, LPCTSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem) {
  LVCOLUMN column{};
  column.mask = LVCF_TEXT | LVCF_FMT;
  column.pszText = const_cast<LPTSTR>(lpszColumnHeading);
  column.fmt = nFormat;
  if (nWidth != -1) {
    column.mask |= LVCF_WIDTH;
    column.cx = nWidth;
  }
  if (nSubItem != -1) {
    column.mask |= LVCF_SUBITEM;
    column.iSubItem = nSubItem;
  }
  return InsertColumn(nCol, &column);
}

BOOL CListCtrl::GetColumn(int nCol, LVCOLUMN* pColumn) const {
  return static_cast<BOOL>(SendMessage(LVM_GETCOLUMN, static_cast<WPARAM>(nCol), reinterpret_cast<LPARAM>(pColumn)));
}

BOOL CListCtrl::SetColumn(int nCol, const LVCOLUMN* pColumn) {
  return static_cast<BOOL>(SendMessage(LVM_SETCOLUMN, static_cast<WPARAM>(nCol), reinterpret_cast<LPARAM>(pColumn)));
}

BOOL CListCtrl::SetColumnWidth(int nCol, int cx) {
  return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(nCol), MAKELPARAM(cx, 0)));
}

BOOL CListCtrl::GetColumnOrderArray(LPINT piArray, int iCount) const {
  if (iCount == -1) {
    CHeaderCtrl* header = GetHeaderCtrl();
    iCount = header ? header->GetItemCount() : 0;
  }
  return static_cast<BOOL>(
      SendMessage(LVM_GETCOLUMNORDERARRAY, static_cast<WPARAM>(iCount), reinterpret_cast<LPARAM>(piArray)));
}

BOOL CListCtrl::SetColumnOrderArray(int iCount, LPINT piArray) {
  return static_cast<BOOL>(
      SendMessage(LVM_SETCOLUMNORDERARRAY, static_cast<WPARAM>(iCount), reinterpret_cast<LPARAM>(piArray)));
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const {
  auto header = reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER));
  if (header == nullptr) return nullptr;
  if (auto* own = dynamic_cast<CHeaderCtrl*>(CWnd::FromHandlePermanent(header))) return own;
  m_headerView.m_hWnd = header;
  return &m_headerView;
}

BOOL CListCtrl::SetItemCountEx(int iCount, DWORD dwFlags) {
  return static_cast<BOOL>(SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(iCount), static_cast<LPARAM>(dwFlags)));
}

int CListCtrl::InsertItem(const LVITEM* pItem) {
  return static_cast<int>(SendMessage(LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(pItem)));
}

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem) { return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0); }

int CListCtrl::InsertItem(int nItem, LPCTSTR lpszItem, int nImage) {
  return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0);
}

int CListCtrl::InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                          LPARAM lParam) {
  LVITEM item{};
  item.mask = nMask;
  item.iItem = nItem;
  item.pszText = const_cast<LPTSTR>(lpszItem);
  item.state = nState;
  item.stateMask = nStateMask;
  item.iImage = nImage;
  item.lParam = lParam;
  return InsertItem(&item);
}

BOOL CListCtrl::GetItem(LVITEM* pItem) const {
  return static_cast<BOOL>(SendMessage(LVM_GETITEM, 0, reinterpret_cast<LPARAM>(pItem)));
}

BOOL CListCtrl::SetItem(const LVITEM* pItem) {
  return static_cast<BOOL>(SendMessage(LVM_SETITEM, 0, reinterpret_cast<LPARAM>(pItem)));
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCTSTR lpszText) {
  LVITEM item{};
  item.iSubItem = nSubItem;
  item.pszText = const_cast<LPTSTR>(lpszText);
  return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const {
  std::vector<char> buffer(kItemTextSize, '\0');
  GetItemText(nItem, nSubItem, buffer.data(), kItemTextSize);
  return CString(buffer.data());
}

int CListCtrl::GetItemText(int nItem, int nSubItem, LPTSTR lpszText, int nLen) const {
  LVITEM item{};
  item.iSubItem = nSubItem;
  item.pszText = lpszText;
  item.cchTextMax = nLen;
  if (lpszText && nLen > 0) lpszText[0] = '\0';
  return static_cast<int>(SendMessage(LVM_GETITEMTEXT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData) {
  LVITEM item{};
  item.mask = LVIF_PARAM;
  item.iItem = nItem;
  item.lParam = static_cast<LPARAM>(dwData);
  return SetItem(&item);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const {
  LVITEM item{};
  item.mask = LVIF_PARAM;
  item.iItem = nItem;
  GetItem(&item);
  return static_cast<DWORD_PTR>(item.lParam);
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) {
  LVITEM item{};
  item.state = nState;
  item.stateMask = nMask;
  return SetItemState(nItem, &item);
}

BOOL CListCtrl::SetItemState(int nItem, LVITEM* pItem) {
  return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(pItem)));
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const {
  return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(nItem), static_cast<LPARAM>(nMask)));
}

BOOL CListCtrl::GetCheck(int nItem) const { return ((GetItemState(nItem, LVIS_STATEIMAGEMASK) >> 12) - 1) == 1; }

BOOL CListCtrl::SetCheck(int nItem, BOOL fCheck) {
  return SetItemState(nItem, INDEXTOSTATEIMAGEMASK(fCheck ? 2 : 1), LVIS_STATEIMAGEMASK);
}

int CListCtrl::GetNextItem(int nItem, int nFlags) const {
  return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(nItem), static_cast<LPARAM>(nFlags)));
}

// A position is the index of a selected item plus one.
POSITION CListCtrl::GetFirstSelectedItemPosition() const {
  int first = GetNextItem(-1, LVNI_SELECTED);
  return first < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<uintptr_t>(first) + 1);
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const {
  int index = static_cast<int>(reinterpret_cast<uintptr_t>(pos)) - 1;
  int next = GetNextItem(index, LVNI_SELECTED);
  pos = next < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<uintptr_t>(next) + 1);
  return index;
}

int CListCtrl::FindItem(LVFINDINFO* pFindInfo, int nStart) const {
  return static_cast<int>(SendMessage(LVM_FINDITEM, static_cast<WPARAM>(nStart), reinterpret_cast<LPARAM>(pFindInfo)));
}

BOOL CListCtrl::SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData) {
  return static_cast<BOOL>(SendMessage(LVM_SORTITEMS, dwData, reinterpret_cast<LPARAM>(pfnCompare)));
}

BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK) {
  return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(nItem), bPartialOK));
}

BOOL CListCtrl::Scroll(CSize size) { return static_cast<BOOL>(SendMessage(LVM_SCROLL, static_cast<WPARAM>(size.cx), size.cy)); }

int CListCtrl::HitTest(LVHITTESTINFO* pHitTestInfo) const {
  return static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(pHitTestInfo)));
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const {
  LVHITTESTINFO info{};
  info.pt = pt;
  int item = HitTest(&info);
  if (pFlags) *pFlags = info.flags;
  return item;
}

int CListCtrl::SubItemHitTest(LPLVHITTESTINFO pInfo) {
  return static_cast<int>(SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(pInfo)));
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const {
  lpRect->left = static_cast<LONG>(nCode);
  return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(lpRect)));
}

BOOL CListCtrl::GetSubItemRect(int iItem, int iSubItem, int nArea, CRect& ref) {
  ref.top = iSubItem;
  ref.left = nArea;
  return static_cast<BOOL>(SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(iItem), reinterpret_cast<LPARAM>(&ref)));
}

BOOL CListCtrl::RedrawItems(int nFirst, int nLast) {
  return static_cast<BOOL>(SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(nFirst), nLast));
}
