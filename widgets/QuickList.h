// CQuickList: the owner-data report list of the station pages. It stores no
// rows: the owner sets the row count, and whenever a cell is drawn, measured,
// searched or needs a tool tip the list asks its parent for the cell with
// WM_QUICKLIST_GETITEM (a CQuickListCell the parent completes) and draws it
// itself: check box, image, gradient progress bar and text, each with its own
// colours. Left and right move a focused cell within the selected row (cell
// navigation).
//
// Subclass a list-view control with LVS_REPORT | LVS_OWNERDATA whose parent
// has a CWnd object (the list's notifications come back to it by reflection).
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/Platform.h"
#include "widgets/Gradient.h"
#include "widgets/QuickListCell.h"
#include "widgets/WidgetMessages.h"

class CQuickList : public CListCtrl {
 public:
  CQuickList();
  ~CQuickList() override;

  void EnableCellNavigation(BOOL enable) { m_bCellNavigation = enable ? TRUE : FALSE; }
  int GetFocusedColumn() const { return m_nFocusColumn; }

  // Resets the record, fills in the cell asked for and sends
  // WM_QUICKLIST_GETITEM to the parent; the record stays valid until the
  // next request.
  virtual CQuickListCell* GetCellInfo(int row, int column);

  // Invalidate the whole cells, or their text areas, of the rows first..last
  // (as far as they are visible) in `column`.
  void RedrawCells(int firstRow, int lastRow, int column, BOOL erase);
  void RedrawCellTexts(int firstRow, int lastRow, int column, BOOL erase);

  BOOL PreTranslateMessage(MSG* pMsg) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

 protected:
  void PreSubclassWindow() override;
  void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
  void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
  void OnFindItem(NMHDR* pNMHDR, LRESULT* pResult);
  void OnHotTrack(NMHDR* pNMHDR, LRESULT* pResult);
  BOOL OnClick(NMHDR* pNMHDR, LRESULT* pResult);
  BOOL OnHeaderRightClick(UINT id, NMHDR* pNMHDR, LRESULT* pResult);
  BOOL OnToolTipText(UINT id, NMHDR* pNMHDR, LRESULT* pResult);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnMouseMove(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()

 private:
  // Where the parts of one cell lie (client coordinates).
  struct Layout {
    CRect cell;
    CRect checkSquare;
    CRect checkArea;
    bool hasImage = false;
    CRect image;  // the rectangle the image is drawn into
    CRect imageArea;
    CRect text;
    bool hasBar = false;
    CRect bar;
    CRect inner;
  };

  // What every cell of a paint would ask the list and its header for, asked
  // once at the first cell of a WM_PAINT. It lives until the paint ends or a
  // message that may change the list reaches it (a row count, a column, a
  // style or an image list set by the parent while it answers a cell).
  struct PaintFacts {
    CHeaderCtrl* header = nullptr;
    int rows = 0;
    int columns = 0;
    DWORD extendedStyle = 0;
    int hotItem = -1;
    HIMAGELIST smallImages = nullptr;
    std::vector<std::optional<UINT>> alignments;  // per column, asked at its first cell
    int stateRow = -1;  // the row whose selection is known, -1: none
    bool stateRowSelected = false;
    int boundsRow = -1;  // the row whose bounds are known, -1: none
    CRect rowBounds;
    std::vector<std::optional<CRect>> headerRects;  // per column, asked at its first cell
  };
  // The facts of the paint in progress, or nullptr outside a paint.
  PaintFacts* CurrentPaintFacts() const;
  CHeaderCtrl* Header() const;
  int RowCount() const;
  DWORD ExtendedStyle() const;
  int HotItem() const;
  CImageList* SmallImages() const;
  // The DT_ alignment of the column's header item; 0 when it has none.
  UINT ColumnAlignment(int column) const;

  // The cell's rectangle; false for a row or column out of range.
  bool GetCellRect(int row, int column, CRect& rect) const;
  // The row's bounds (LVIR_BOUNDS) and a header item's rectangle, each
  // asked once in a paint.
  bool RowBounds(int row, CRect& bounds) const;
  bool HeaderItemRect(int column, CRect& rect) const;
  bool MakeLayout(const CQuickListCell& cell, Layout& layout) const;
  bool CountsAsSelected(int row, int column) const;
  // The row's LVIS_SELECTED state, asked once per row in a paint.
  bool RowSelected(int row) const;
  bool HasFocus() const { return ::GetFocus() == m_hWnd; }
  bool IsFullRowSelect() const { return (ExtendedStyle() & LVS_EX_FULLROWSELECT) != 0; }
  int HeaderItemCount() const;
  bool IsFocusedCell(const CQuickListCell& cell) const {
    return m_bCellNavigation && cell.m_nColumn == m_nFocusColumn;
  }
  COLORREF Background(const CQuickListCell& cell, bool unselected) const;
  COLORREF TextColour(const CQuickListCell& cell, bool unselected) const;

  void DrawCell(CDC* pDC, int row, int column);
  void DrawCheckBox(CDC* pDC, const CQuickListCell& cell, const Layout& layout) const;
  void DrawImage(CDC* pDC, const CQuickListCell& cell, const Layout& layout) const;
  void DrawProgress(CDC* pDC, const CQuickListCell& cell, const Layout& layout);
  void DrawCellText(CDC* pDC, const CQuickListCell& cell, const Layout& layout, CRect& focusRect) const;

  // Moves the focused column (keys, clicks) when the parent allows it.
  void MoveToColumn(int column);
  void ScrollColumnIntoView(int column);
  // Invalidates the focused column's cell of the rows given.
  void InvalidateFocusCells(int column, bool everySelectedRow);
  // The union of the first and last row's whole cells, or text areas.
  void RedrawRange(int firstRow, int lastRow, int column, BOOL erase, bool textOnly);

  std::unique_ptr<CGradient> m_pGradient;
  int m_nTypeAheadColumn = -1;  // -1: the focused column
  BYTE m_bCellNavigation = TRUE;
  int m_nFocusColumn = 0;
  std::unique_ptr<CQuickListCell> m_pCell;
  int m_nPaintDepth = 0;  // WM_PAINTs being handled
  mutable std::optional<PaintFacts> m_paintFacts;
};
