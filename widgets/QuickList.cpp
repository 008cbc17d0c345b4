#include "widgets/QuickList.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

#include "platform/win/commctrl/ListViewReads.h"
#include "widgets/FillAround.h"

namespace {

constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kYellow = 0x00FFFF;
constexpr COLORREF kGreen = 0x00FF00;
// The tool-tip text buffer of TTN_NEEDTEXT: 79 characters and the null.
constexpr int kTipBuffer = 80;
constexpr int kToolIdRowFactor = 1000;
constexpr DWORD kCellStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;

COLORREF orDefault(COLORREF colour, int sysColour) {
  return colour == kQuickListDefaultColor ? GetSysColor(sysColour) : colour;
}

// Whether `text` begins with `prefix`, compared over the prefix's bytes
// without regard to case; a double-byte character compares byte for byte.
bool beginsWithNoCase(const char* text, const char* prefix) {
  const size_t length = strlen(prefix);
  for (size_t i = 0; i < length;) {
    const auto a = static_cast<unsigned char>(text[i]);
    const auto b = static_cast<unsigned char>(prefix[i]);
    if (a == 0) return false;
    if (IsDBCSLeadByte(b) && i + 1 < length) {
      if (a != b || text[i + 1] != prefix[i + 1]) return false;
      i += 2;
      continue;
    }
    if (std::tolower(a) != std::tolower(b)) return false;
    ++i;
  }
  return true;
}

// How many bytes of `text` fit in `room` bytes without splitting a
// double-byte character.
int wholeCharacters(const CString& text, int room) {
  const int length = text.GetLength();
  int end = 0;
  while (end < length) {
    const int next = end + (IsDBCSLeadByte(static_cast<BYTE>(text[end])) && end + 1 < length ? 2 : 1);
    if (next > room) break;
    end = next;
  }
  return end;
}

}  // namespace

BEGIN_MESSAGE_MAP(CQuickList, CListCtrl)
  ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CQuickList::OnCustomDraw)
  ON_NOTIFY_REFLECT(LVN_GETDISPINFO, &CQuickList::OnGetDispInfo)
  ON_NOTIFY_REFLECT(LVN_ODFINDITEM, &CQuickList::OnFindItem)
  ON_NOTIFY_REFLECT(LVN_HOTTRACK, &CQuickList::OnHotTrack)
  ON_NOTIFY_REFLECT_EX(NM_CLICK, &CQuickList::OnClick)
  ON_NOTIFY_EX(NM_RCLICK, 0, &CQuickList::OnHeaderRightClick)
  ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFF, &CQuickList::OnToolTipText)
  ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFF, &CQuickList::OnToolTipText)
  ON_WM_KEYDOWN()
  ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

CQuickList::CQuickList() : m_pGradient(std::make_unique<CGradient>()), m_pCell(std::make_unique<CQuickListCell>()) {}

CQuickList::~CQuickList() = default;

void CQuickList::PreSubclassWindow() {
  CListCtrl::PreSubclassWindow();
  EnableToolTips(TRUE);
}

LRESULT CQuickList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!ListViewMessageOnlyReads(message)) m_paintFacts.reset();
  if (message != WM_PAINT) return CListCtrl::WindowProc(message, wParam, lParam);
  // The facts are dropped when the paint ends, even by an exception.
  struct PaintScope {
    CQuickList& list;
    explicit PaintScope(CQuickList& owner) : list(owner) { ++list.m_nPaintDepth; }
    ~PaintScope() {
      --list.m_nPaintDepth;
      list.m_paintFacts.reset();
    }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
  } scope(*this);
  return CListCtrl::WindowProc(message, wParam, lParam);
}

CQuickList::PaintFacts* CQuickList::CurrentPaintFacts() const {
  if (m_nPaintDepth == 0) return nullptr;
  if (!m_paintFacts) {
    PaintFacts facts;
    facts.header = GetHeaderCtrl();
    facts.rows = GetItemCount();
    facts.columns = facts.header ? facts.header->GetItemCount() : 0;
    facts.extendedStyle = GetExtendedStyle();
    facts.hotItem = GetHotItem();
    CImageList* images = GetImageList(LVSIL_SMALL);
    facts.smallImages = images ? images->GetSafeHandle() : nullptr;
    facts.alignments.resize(static_cast<size_t>(std::max(facts.columns, 0)));
    facts.headerRects.resize(facts.alignments.size());
    m_paintFacts = std::move(facts);
  }
  return &*m_paintFacts;
}

CHeaderCtrl* CQuickList::Header() const {
  const PaintFacts* facts = CurrentPaintFacts();
  return facts ? facts->header : GetHeaderCtrl();
}

int CQuickList::RowCount() const {
  const PaintFacts* facts = CurrentPaintFacts();
  return facts ? facts->rows : GetItemCount();
}

int CQuickList::HeaderItemCount() const {
  if (const PaintFacts* facts = CurrentPaintFacts()) return facts->columns;
  CHeaderCtrl* header = GetHeaderCtrl();
  return header ? header->GetItemCount() : 0;
}

DWORD CQuickList::ExtendedStyle() const {
  const PaintFacts* facts = CurrentPaintFacts();
  return facts ? facts->extendedStyle : GetExtendedStyle();
}

int CQuickList::HotItem() const {
  const PaintFacts* facts = CurrentPaintFacts();
  return facts ? facts->hotItem : GetHotItem();
}

CImageList* CQuickList::SmallImages() const {
  const PaintFacts* facts = CurrentPaintFacts();
  if (!facts) return GetImageList(LVSIL_SMALL);
  return facts->smallImages ? CImageList::FromHandle(facts->smallImages) : nullptr;
}

UINT CQuickList::ColumnAlignment(int column) const {
  // The slot of `column` in the facts of the paint, if any.
  auto known = [this, column]() -> std::optional<UINT>* {
    PaintFacts* facts = CurrentPaintFacts();
    if (!facts || column < 0 || column >= static_cast<int>(facts->alignments.size())) return nullptr;
    return &facts->alignments[static_cast<size_t>(column)];
  };
  if (std::optional<UINT>* slot = known(); slot && *slot) return **slot;
  UINT alignment = 0;
  HDITEM item{};
  item.mask = HDI_FORMAT;
  CHeaderCtrl* header = Header();
  if (header && header->GetItem(column, &item)) {
    const int justify = item.fmt & HDF_JUSTIFYMASK;
    alignment = justify == HDF_CENTER ? DT_CENTER : justify == HDF_RIGHT ? DT_RIGHT : DT_LEFT;
  }
  // Looked up again: the facts may have been dropped while the header answered.
  if (std::optional<UINT>* slot = known()) *slot = alignment;
  return alignment;
}

CQuickListCell* CQuickList::GetCellInfo(int row, int column) {
  m_pCell->Reset(SmallImages());
  m_pCell->m_nRow = row;
  m_pCell->m_nColumn = column;
  m_pCell->m_bSelected = CountsAsSelected(row, column) ? 1 : 0;
  m_pCell->m_bHot = HotItem() == row ? 1 : 0;
  m_pCell->m_nTextFormat |= ColumnAlignment(column);
  if (CWnd* parent = GetParent())
    parent->SendMessage(WM_QUICKLIST_GETITEM, reinterpret_cast<WPARAM>(m_hWnd), reinterpret_cast<LPARAM>(m_pCell.get()));
  return m_pCell.get();
}

bool CQuickList::RowSelected(int row) const {
  if (const PaintFacts* facts = CurrentPaintFacts(); facts && facts->stateRow == row) return facts->stateRowSelected;
  const bool selected = (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
  // Looked up again: the facts may have been dropped meanwhile.
  if (PaintFacts* facts = CurrentPaintFacts()) {
    facts->stateRow = row;
    facts->stateRowSelected = selected;
  }
  return selected;
}

bool CQuickList::CountsAsSelected(int row, int column) const {
  if (!RowSelected(row)) return false;
  if (column != 0 && !IsFullRowSelect()) return false;
  return HasFocus() || (GetStyle() & LVS_SHOWSELALWAYS);
}

bool CQuickList::RowBounds(int row, CRect& bounds) const {
  if (const PaintFacts* facts = CurrentPaintFacts(); facts && facts->boundsRow == row) {
    bounds = facts->rowBounds;
    return true;
  }
  if (!GetItemRect(row, &bounds, LVIR_BOUNDS)) return false;
  // Looked up again: the facts may have been dropped meanwhile.
  if (PaintFacts* facts = CurrentPaintFacts()) {
    facts->boundsRow = row;
    facts->rowBounds = bounds;
  }
  return true;
}

bool CQuickList::HeaderItemRect(int column, CRect& rect) const {
  // The slot of `column` in the facts of the paint, if any.
  auto known = [this, column]() -> std::optional<CRect>* {
    PaintFacts* facts = CurrentPaintFacts();
    if (!facts || column < 0 || column >= static_cast<int>(facts->headerRects.size())) return nullptr;
    return &facts->headerRects[static_cast<size_t>(column)];
  };
  if (std::optional<CRect>* slot = known(); slot && *slot) {
    rect = **slot;
    return true;
  }
  CHeaderCtrl* header = Header();
  if (!header || !header->GetItemRect(column, &rect)) return false;
  if (std::optional<CRect>* slot = known()) *slot = rect;
  return true;
}

bool CQuickList::GetCellRect(int row, int column, CRect& rect) const {
  if (row < 0 || row >= RowCount() || column < 0 || column >= HeaderItemCount()) return false;
  // A cell spans its row's band between its header item's edges, moved
  // with the row's left edge (the horizontal scroll): the sub-item bounds,
  // and for column 0 the first column rather than the whole row.
  CRect bounds;
  CRect item;
  if (!RowBounds(row, bounds) || !HeaderItemRect(column, item)) return false;
  rect = CRect(item.left + bounds.left, bounds.top, item.right + bounds.left, bounds.bottom);
  return true;
}

bool CQuickList::MakeLayout(const CQuickListCell& cell, Layout& layout) const {
  if (!GetCellRect(cell.m_nRow, cell.m_nColumn, layout.cell)) return false;
  const CRect& c = layout.cell;
  const int height = c.Height();
  const int centreX = (c.left + c.right) / 2;
  if (cell.m_bCheckBox) {
    if (cell.m_bCenterCheckBox)
      layout.checkSquare = CRect(centreX - height / 2, c.top, centreX + (height + 1) / 2, c.bottom);
    else
      layout.checkSquare = CRect(c.left, c.top, c.left + height, c.bottom);
    layout.checkArea = CRect(c.left, c.top, layout.checkSquare.right, c.bottom);
  } else {
    layout.checkArea = CRect(c.left, c.top, c.left, c.bottom);
  }
  CRect area(layout.checkArea.right, c.top, c.right, c.bottom);
  IMAGEINFO info{};
  if (cell.m_nImage != -1 && cell.m_pImageList && cell.m_pImageList->GetSafeHandle() && area.Width() > 0 &&
      cell.m_pImageList->GetImageInfo(cell.m_nImage, &info)) {
    const int imageWidth = info.rcImage.right - info.rcImage.left;
    const int imageHeight = info.rcImage.bottom - info.rcImage.top;
    const int drawnWidth = std::min(area.Width(), imageWidth);
    const int drawnHeight = height + 1 < imageHeight ? height : imageHeight;
    const int top = std::max(static_cast<int>(c.top), (c.top + c.bottom) / 2 - imageHeight / 2);
    int left = cell.m_bCenterImage ? (area.left + area.right) / 2 - imageWidth / 2 : static_cast<int>(area.left);
    if (!cell.m_bCheckBox) ++left;
    layout.hasImage = true;
    layout.image = CRect(left, top, left + drawnWidth, top + drawnHeight);
    layout.imageArea = CRect(area.left, c.top, left + imageWidth, c.bottom);
  }
  layout.text = c;
  layout.text.left = layout.hasImage ? layout.imageArea.right : layout.checkArea.right;
  if (cell.m_nProgressMax >= 1) {
    layout.hasBar = true;
    layout.bar = CRect(layout.text.left + 1, layout.text.top + 5, layout.text.right - 2, layout.text.bottom - 5);
    layout.inner = layout.bar;
    if (cell.m_nBarEdge != 0) layout.inner.DeflateRect(2, 2);
  }
  return true;
}

COLORREF CQuickList::Background(const CQuickListCell& cell, bool unselected) const {
  if (!unselected && cell.m_bSelected) {
    const bool focus = HasFocus();
    if (IsFocusedCell(cell) && focus) return orDefault(cell.m_crFocusBackground, COLOR_HOTLIGHT);
    if (!focus && cell.m_crSelectedBackgroundNoFocus != kQuickListDefaultColor) return cell.m_crSelectedBackgroundNoFocus;
    if (focus && cell.m_crSelectedBackground != kQuickListDefaultColor) return cell.m_crSelectedBackground;
    if (!m_bCellNavigation && cell.m_bHot) return GetSysColor(COLOR_HOTLIGHT);
    return GetSysColor(focus ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
  }
  return orDefault(cell.m_crBackground, COLOR_WINDOW);
}

COLORREF CQuickList::TextColour(const CQuickListCell& cell, bool unselected) const {
  if (unselected || !cell.m_bSelected) {
    if (cell.m_bHot) return orDefault(cell.m_crHotText, COLOR_HOTLIGHT);
    return orDefault(cell.m_crText, COLOR_WINDOWTEXT);
  }
  const bool focus = HasFocus();
  if (IsFocusedCell(cell) && focus) return orDefault(cell.m_crFocusText, COLOR_HIGHLIGHTTEXT);
  return orDefault(cell.m_crSelectedText, focus ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
}

void CQuickList::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult) {
  auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
  switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
    case CDDS_ITEMPREPAINT:
      *pResult = CDRF_NOTIFYSUBITEMDRAW;
      break;
    case kCellStage:
      DrawCell(CDC::FromHandle(draw->nmcd.hdc), static_cast<int>(draw->nmcd.dwItemSpec), draw->iSubItem);
      *pResult = CDRF_SKIPDEFAULT;
      break;
    default:
      break;
  }
}

void CQuickList::DrawCell(CDC* pDC, int row, int column) {
  // A cell out of range is neither asked for nor drawn.
  if (!pDC || row < 0 || row >= RowCount() || column < 0 || column >= HeaderItemCount()) return;
  // Further requests made while drawing cannot change the copy.
  const CQuickListCell cell = *GetCellInfo(row, column);
  Layout layout;
  if (!MakeLayout(cell, layout)) return;
  if (cell.m_bCheckBox) DrawCheckBox(pDC, cell, layout);
  if (layout.hasImage) DrawImage(pDC, cell, layout);
  if (layout.hasBar) DrawProgress(pDC, cell, layout);
  CRect focusRect;
  DrawCellText(pDC, cell, layout, focusRect);
  if (m_bCellNavigation && column == m_nFocusColumn && HasFocus() && GetNextItem(-1, LVNI_SELECTED) == row)
    pDC->DrawFocusRect(&focusRect);
}

void CQuickList::DrawCheckBox(CDC* pDC, const CQuickListCell& cell, const Layout& layout) const {
  const COLORREF back = Background(cell, cell.m_bCheckBoxBkUnhighlighted || cell.m_bNoHighlight);
  if (back != CLR_NONE) pDC->FillSolidRect(&layout.checkArea, back);
  CRect square = layout.checkSquare;
  pDC->DrawFrameControl(&square, DFC_BUTTON, cell.m_nCheckState);
}

void CQuickList::DrawImage(CDC* pDC, const CQuickListCell& cell, const Layout& layout) const {
  CImageList* images = cell.m_pImageList;
  const COLORREF oldBack = images->GetBkColor();
  const COLORREF back = Background(cell, cell.m_bImageBkUnhighlighted || cell.m_bNoHighlight);
  images->SetBkColor(back);
  if (back != CLR_NONE) pDC->FillSolidRect(&layout.imageArea, back);
  const COLORREF selectedBack = Background(cell, false);
  const bool blend =
      !cell.m_bNoHighlight && cell.m_bSelected && cell.m_nSelectedImageStyle != 0 && selectedBack != CLR_NONE;
  images->DrawIndirect(pDC, cell.m_nImage, layout.image.TopLeft(), layout.image.Size(), CPoint(0, 0),
                       blend ? cell.m_nSelectedImageStyle : ILD_NORMAL, SRCCOPY, CLR_DEFAULT,
                       blend ? selectedBack : CLR_DEFAULT);
  images->SetBkColor(oldBack);
}

void CQuickList::DrawProgress(CDC* pDC, const CQuickListCell& cell, const Layout& layout) {
  const COLORREF back = Background(cell, !IsFullRowSelect() || cell.m_bNoHighlight);
  if (back != CLR_NONE) FillAround(pDC, layout.text, layout.bar, back);
  if (cell.m_nBarEdge != 0) {
    CRect edge = layout.bar;
    pDC->DrawEdge(&edge, cell.m_nBarEdge, BF_RECT);
  }
  const COLORREF empty = Background(cell, true);
  if (empty != CLR_NONE) pDC->FillSolidRect(&layout.inner, empty);
  if (cell.m_nProgressValue <= 0) return;
  const int width = layout.inner.Width();
  const int fill = cell.m_nProgressValue >= cell.m_nProgressMax
                       ? width
                       : static_cast<int>(static_cast<long long>(cell.m_nProgressValue) * width / cell.m_nProgressMax);
  m_pGradient->SetEvenColors(4, kRed, kYellow, kYellow, kGreen);
  m_pGradient->Draw(pDC, layout.inner, 0, fill, 0);
}

void CQuickList::DrawCellText(CDC* pDC, const CQuickListCell& cell, const Layout& layout, CRect& focusRect) const {
  CRect rect = layout.hasBar ? layout.inner : layout.text;
  focusRect = rect;
  const bool plainRow = !IsFullRowSelect() || cell.m_bNoHighlight;
  if (cell.m_strText.IsEmpty()) {
    const COLORREF back = Background(cell, plainRow);
    if (!layout.hasBar && back != CLR_NONE) pDC->FillSolidRect(&focusRect, back);
    return;
  }
  CFont styled;
  CFont* oldFont = nullptr;
  if (cell.m_bBold || cell.m_bItalic) {
    LOGFONT logFont{};
    if (GetObject(GetCurrentObject(pDC->GetSafeHdc(), OBJ_FONT), sizeof logFont, &logFont)) {
      if (cell.m_bBold) logFont.lfWeight = FW_BOLD;
      if (cell.m_bItalic) logFont.lfItalic = 1;
      if (styled.CreateFontIndirect(&logFont)) oldFont = pDC->SelectObject(&styled);
    }
  }
  CString text = cell.m_strText;
  text.Replace("&", "&&");
  if (layout.hasBar) {
    const int width = layout.inner.Width();
    const int fill = cell.m_nProgressValue <= 0 ? 0
                     : cell.m_nProgressValue >= cell.m_nProgressMax
                         ? width
                         : static_cast<int>(static_cast<long long>(cell.m_nProgressValue) * width / cell.m_nProgressMax);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColour = pDC->GetTextColor();
    const CRect filled(rect.left, rect.top, rect.left + fill, rect.bottom);
    const CRect rest(rect.left + fill, rect.top, rect.right, rect.bottom);
    for (int part = 0; part < 2; ++part) {
      const CRect& clip = part == 0 ? filled : rest;
      if (clip.IsRectEmpty()) continue;
      pDC->SetTextColor(part == 0 ? orDefault(cell.m_crBarText, COLOR_HIGHLIGHTTEXT) : TextColour(cell, true));
      const int saved = pDC->SaveDC();
      pDC->IntersectClipRect(&clip);
      CRect drawn = rect;
      pDC->DrawText(text, &drawn, cell.m_nTextFormat);
      pDC->RestoreDC(saved);
    }
    pDC->SetTextColor(oldColour);
    pDC->SetBkMode(oldMode);
  } else {
    rect.left += 2;
    const COLORREF oldColour = pDC->SetTextColor(TextColour(cell, cell.m_bNoHighlight));
    const COLORREF focusBack = Background(cell, plainRow);
    if (focusBack != CLR_NONE) pDC->FillSolidRect(&focusRect, focusBack);
    const COLORREF textBack = Background(cell, cell.m_bNoHighlight);
    // Text on the plain RGB colour just painted under it needs no opaque
    // cell of its own: the pixels are the same without filling them twice.
    // The fill left the DC's background colour at that colour already.
    const bool painted = textBack == focusBack && (textBack >> 24) == 0;
    const int oldMode = pDC->SetBkMode(textBack == CLR_NONE || painted ? TRANSPARENT : OPAQUE);
    if (painted) {
      pDC->DrawText(text, &rect, cell.m_nTextFormat);
    } else {
      const COLORREF oldBack = pDC->GetBkColor();
      if (textBack != CLR_NONE) pDC->SetBkColor(textBack);
      pDC->DrawText(text, &rect, cell.m_nTextFormat);
      pDC->SetBkColor(oldBack);
    }
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldColour);
  }
  if (oldFont) pDC->SelectObject(oldFont);
}

void CQuickList::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult) {
  auto* info = reinterpret_cast<NMLVDISPINFO*>(pNMHDR);
  LVITEM& item = info->item;
  *pResult = 0;
  if (!(item.mask & (LVIF_TEXT | LVIF_IMAGE))) return;
  const CQuickListCell* cell = GetCellInfo(item.iItem, item.iSubItem);
  if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
    lstrcpyn(item.pszText, cell->m_strText, item.cchTextMax);
  if (item.mask & LVIF_IMAGE) item.iImage = cell->m_nImage;
  if (cell->m_bCheckBox) {
    item.mask |= LVIF_STATE;
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK((cell->m_nCheckState & DFCS_CHECKED) ? 2 : 1);
  }
}

void CQuickList::OnFindItem(NMHDR* pNMHDR, LRESULT* pResult) {
  auto* find = reinterpret_cast<NMLVFINDITEM*>(pNMHDR);
  *pResult = -1;
  const int count = GetItemCount();
  const char* search = find->lvfi.psz;
  if (count <= 0 || !search) return;
  const int column = m_nTypeAheadColumn == -1 ? m_nFocusColumn : m_nTypeAheadColumn;
  const int start = find->iStart >= 0 && find->iStart < count ? find->iStart : 0;
  for (int i = 0; i < count; ++i) {
    const int row = (start + i) % count;
    if (beginsWithNoCase(GetCellInfo(row, column)->m_strText, search)) {
      *pResult = row;
      return;
    }
  }
}

void CQuickList::OnHotTrack(NMHDR*, LRESULT* pResult) { *pResult = -1; }

BOOL CQuickList::OnClick(NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  const auto* click = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR);
  LVHITTESTINFO hit{};
  hit.pt = click->ptAction;
  SubItemHitTest(&hit);
  if (hit.iItem < 0 || hit.iSubItem < 0) return FALSE;
  const CQuickListCell cell = *GetCellInfo(hit.iItem, hit.iSubItem);
  Layout layout;
  const bool laidOut = MakeLayout(cell, layout);
  CQuickListClick record{hit.iItem, hit.iSubItem, 0, 0};
  record.bOnCheckBox = laidOut && cell.m_bCheckBox && layout.checkSquare.PtInRect(hit.pt) ? 1 : 0;
  record.bOnImage = laidOut && layout.hasImage && layout.image.PtInRect(hit.pt) ? 1 : 0;
  MoveToColumn(hit.iSubItem);
  if (CWnd* parent = GetParent())
    parent->SendMessage(WM_QUICKLIST_NOTIFY_2, reinterpret_cast<WPARAM>(m_hWnd), reinterpret_cast<LPARAM>(&record));
  return FALSE;
}

BOOL CQuickList::OnHeaderRightClick(UINT, NMHDR* pNMHDR, LRESULT*) {
  CHeaderCtrl* header = GetHeaderCtrl();
  if (!header || pNMHDR->hwndFrom != header->GetSafeHwnd()) return FALSE;
  const DWORD pos = GetMessagePos();
  CPoint point(static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos)));
  header->ScreenToClient(&point);
  CQuickListHeaderClick record{-1, {0, 0}};
  for (int i = 0;; ++i) {
    CRect item;
    if (!header->GetItemRect(i, &item)) break;
    if (item.PtInRect(point)) {
      record.nColumn = i;
      break;
    }
  }
  header->ClientToScreen(&point);
  record.ptScreen = point;
  if (CWnd* parent = GetParent())
    parent->SendMessage(WM_QUICKLIST_NOTIFY_3, reinterpret_cast<WPARAM>(m_hWnd), reinterpret_cast<LPARAM>(&record));
  return FALSE;
}

INT_PTR CQuickList::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  LVHITTESTINFO hit{};
  hit.pt = point;
  const_cast<CQuickList*>(this)->SubItemHitTest(&hit);
  if (hit.iItem < 0 || !(hit.flags & LVHT_ONITEM)) return -1;
  const INT_PTR id = static_cast<INT_PTR>(hit.iItem) * kToolIdRowFactor + hit.iSubItem + 1;
  if (pTI) {
    pTI->hwnd = m_hWnd;
    pTI->uId = static_cast<UINT_PTR>(id);
    pTI->lpszText = LPSTR_TEXTCALLBACK;
    GetClientRect(&pTI->rect);
  }
  return id;
}

BOOL CQuickList::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult) {
  *pResult = 0;
  if (pNMHDR->idFrom == 0) return TRUE;
  const DWORD pos = GetMessagePos();
  CPoint point(static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos)));
  ScreenToClient(&point);
  LVHITTESTINFO hit{};
  hit.pt = point;
  SubItemHitTest(&hit);
  if (hit.iItem < 0) return FALSE;
  const CString tip = GetCellInfo(hit.iItem, hit.iSubItem)->m_strTipText;
  if (tip.IsEmpty()) return FALSE;
  const int length = wholeCharacters(tip, kTipBuffer - 1);
  if (pNMHDR->code == TTN_NEEDTEXTW) {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
    const int written = MultiByteToWideChar(CP_ACP, 0, tip, length, info->szText, kTipBuffer - 1);
    info->szText[std::max(written, 0)] = 0;
    info->lpszText = info->szText;
  } else {
    auto* info = reinterpret_cast<NMTTDISPINFO*>(pNMHDR);
    memcpy(info->szText, static_cast<LPCSTR>(tip), static_cast<size_t>(length));
    info->szText[length] = '\0';
    info->lpszText = info->szText;
  }
  return TRUE;
}

void CQuickList::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (m_bCellNavigation && (nChar == VK_LEFT || nChar == VK_RIGHT)) {
    const int old = m_nFocusColumn;
    MoveToColumn(nChar == VK_LEFT ? old - 1 : old + 1);
    if (m_nFocusColumn != old) {
      InvalidateFocusCells(old, false);
      InvalidateFocusCells(m_nFocusColumn, false);
    }
    return;
  }
  CListCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CQuickList::OnMouseMove(UINT, CPoint) {}

BOOL CQuickList::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
    TranslateMessage(pMsg);
    DispatchMessage(pMsg);
    return TRUE;
  }
  return CListCtrl::PreTranslateMessage(pMsg);
}

void CQuickList::MoveToColumn(int column) {
  if (!m_bCellNavigation || column < 0 || column >= HeaderItemCount()) return;
  CQuickListNavigation navigation{m_nFocusColumn, column, TRUE};
  if (CWnd* parent = GetParent())
    parent->SendMessage(WM_QUICKLIST_NOTIFY_1, reinterpret_cast<WPARAM>(m_hWnd),
                        reinterpret_cast<LPARAM>(&navigation));
  if (!navigation.bAllow || navigation.nNewColumn < 0 || navigation.nNewColumn >= HeaderItemCount()) return;
  const int old = m_nFocusColumn;
  m_nFocusColumn = navigation.nNewColumn;
  ScrollColumnIntoView(m_nFocusColumn);
  InvalidateFocusCells(old, true);
  InvalidateFocusCells(m_nFocusColumn, true);
}

void CQuickList::ScrollColumnIntoView(int column) {
  CRect row;
  if (!GetItemRect(0, &row, LVIR_BOUNDS)) return;
  const int count = HeaderItemCount();
  std::vector<int> order(static_cast<size_t>(count));
  if (count > 0) GetHeaderCtrl()->GetOrderArray(order.data(), count);
  int x = 0;
  for (int shown : order) {
    if (shown == column) break;
    x += GetColumnWidth(shown);
  }
  const int width = GetColumnWidth(column);
  CRect client;
  GetClientRect(&client);
  if (row.left + x >= 0 && row.left + x + width <= client.right) return;
  Scroll(CSize(row.left + x, 0));
  Invalidate(FALSE);
  UpdateWindow();
}

void CQuickList::InvalidateFocusCells(int column, bool everySelectedRow) {
  const int top = GetTopIndex();
  const int last = std::min(GetItemCount() - 1, top + GetCountPerPage());
  for (int row = GetNextItem(-1, LVNI_SELECTED); row >= 0; row = GetNextItem(row, LVNI_SELECTED)) {
    if (!everySelectedRow || (row >= top && row <= last)) {
      CRect rect;
      if (GetCellRect(row, column, rect)) InvalidateRect(&rect);
    }
    if (!everySelectedRow) break;
  }
}

void CQuickList::RedrawCells(int firstRow, int lastRow, int column, BOOL erase) {
  RedrawRange(firstRow, lastRow, column, erase, false);
}

void CQuickList::RedrawCellTexts(int firstRow, int lastRow, int column, BOOL erase) {
  RedrawRange(firstRow, lastRow, column, erase, true);
}

void CQuickList::RedrawRange(int firstRow, int lastRow, int column, BOOL erase, bool textOnly) {
  const int count = GetItemCount();
  if (count == 0) return;
  const int top = GetTopIndex();
  const int bottom = std::min(top + GetCountPerPage(), count - 1);
  if (lastRow < top || firstRow > bottom) return;
  firstRow = std::max(firstRow, top);
  lastRow = std::min(lastRow, bottom);
  CRect area;
  for (int row : {firstRow, lastRow}) {
    CRect rect;
    if (!textOnly) {
      if (!GetCellRect(row, column, rect)) return;
    } else {
      Layout layout;
      if (!MakeLayout(*GetCellInfo(row, column), layout)) return;
      rect = layout.text;
    }
    area.UnionRect(&area, &rect);
  }
  InvalidateRect(&area, erase);
}
