// The window object of a list view in report view. Items keep their texts,
// image, data and state; an owner-data list keeps only the item count and the
// selection and focus, and asks its parent for everything else.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/win/commctrl/ListView.h"
#include "platform/win/controls/Control.h"

namespace wavorel {

class ListViewControl : public Control {
 public:
  static constexpr int kIconWidth = 16;
  static constexpr int kIconHeight = 16;
  // Room beside a text when a column is sized to its contents.
  static constexpr int kTextMargin = 12;
  // Buffer for a column title read back from the header.
  static constexpr int kTitleSize = 260;

  explicit ListViewControl(HWND hwnd);
  LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;
  UINT colorMessage() const override { return WM_NULL; }

  std::vector<ListViewPaintedCell> paint(HDC dc);

 private:
  // The row's small image at its icon place, centred on the row's height.
  void drawSmallImage(HDC dc, int row);
  struct SubItem {
    std::string text;
    bool callback = false;
    int image = 0;
  };
  struct Item {
    std::string text;
    bool callback = false;
    int image = 0;
    LPARAM lParam = 0;
    UINT state = 0;
    int indent = 0;
    std::map<int, SubItem> subItems;  // by column
  };
  struct Column {
    int subItem = 0;
    int image = 0;
  };

  // Items and texts (ListViewControl.cpp).
  bool ownerData() const { return (style() & LVS_OWNERDATA) != 0; }
  int count() const { return ownerData() ? virtualCount_ : static_cast<int>(items_.size()); }
  bool valid(int index) const { return index >= 0 && index < count(); }
  void create();
  LRESULT insertItem(const LVITEM* item);
  BOOL deleteItem(int index);
  BOOL deleteAllItems();
  void shiftIndexes(int from, int delta);
  BOOL getItem(LVITEM* item);
  BOOL setItem(const LVITEM* item);
  int getItemText(int index, LVITEM* item);
  BOOL setItemText(int index, const LVITEM* item);
  BOOL setItemCount(int newCount);
  int findItem(int start, const LVFINDINFO* info);
  BOOL sortItems(LPARAM param, PFNLVCOMPARE compare);
  // Asks the parent (LVN_GETDISPINFO) for a cell into the record and buffer.
  void askDispInfo(int row, int column, UINT mask, LVITEM& out, LPSTR buffer, int size);
  // The text a cell shows: stored, or asked for.
  std::string cellText(int row, int column);
  bool textIsAsked(int row, int column) const;

  // States and selection (ListViewControl.cpp).
  UINT stateOf(int index) const;
  void storeState(int index, UINT state);
  // Changes the masked state bits of one item with LVN_ITEMCHANGING/CHANGED;
  // false when the parent refused.
  bool changeState(int index, UINT state, UINT mask);
  BOOL setItemState(int index, const LVITEM* item);
  int nextItem(int start, UINT flags) const;
  int selectedCount() const;
  void selectOnly(int index);
  LRESULT notifyList(UINT code, int item, int subItem = 0, UINT newState = 0, UINT oldState = 0, UINT changed = 0,
                     POINT pt = {0, 0});

  // Columns (ListViewColumns.cpp).
  int columnCount() const { return static_cast<int>(columns_.size()); }
  LRESULT insertColumn(int index, const LVCOLUMN* column);
  BOOL deleteColumn(int index);
  BOOL getColumn(int index, LVCOLUMN* column) const;
  BOOL setColumn(int index, const LVCOLUMN* column);
  int columnWidth(int index) const;
  BOOL setColumnWidth(int index, int width);
  std::vector<int> columnOrder() const;
  DWORD setExtendedStyle(DWORD mask, DWORD style);

  // Geometry, hit tests and scrolling (ListViewGeometry.cpp).
  int headerHeight() const;
  // The taller of a line of the list's font and a small icon.
  int rowHeight() const;
  void fontChanged() override;
  RECT clientRect() const;
  int countPerPage() const;
  // The rows whose rectangles meet the area below the header: [first, last).
  std::pair<int, int> visibleRows() const;
  std::vector<int> visibleColumns() const;
  int stateImageWidth() const;
  int iconWidth() const;
  RECT columnSpan(int column) const;  // x range of a column; top and bottom 0
  int totalWidth() const;
  // The top of a row in client coordinates.
  int rowTop(int index) const;
  bool rowRect(int index, int code, RECT* rect) const;
  bool subItemRect(int index, int column, int code, RECT* rect) const;
  int hitTest(LVHITTESTINFO* info, bool subItems) const;
  BOOL ensureVisible(int index);
  BOOL scroll(int dx, int dy);
  void setTop(int top);
  void invalidateRows(int first, int last);
  void invalidateAll();
  void layoutHeader();

  // Mouse and keyboard (ListViewInput.cpp).
  void onButtonDown(UINT msg, WPARAM keys, POINT pt);
  void onMouseMove(POINT pt);
  void onKeyDown(UINT vk);
  void onHeaderNotify(NMHDR* hdr);
  void toggleCheck(int index);
  void moveFocus(int index);

  HWND header_ = nullptr;
  mutable int rowHeight_ = 0;  // 0: measure again
  // While a paint runs: the header items' rectangles asked so far, per
  // column; dropped (empty) when any message that may change the list or
  // its header arrives.
  mutable std::vector<std::optional<RECT>> paintHeaderRects_;
  std::vector<Item> items_;
  std::vector<Column> columns_;
  int virtualCount_ = 0;
  std::set<int> virtualSelected_;
  int virtualFocus_ = -1;
  DWORD exStyle_ = 0;
  HIMAGELIST imageLists_[3] = {nullptr, nullptr, nullptr};
  COLORREF backColor_;
  COLORREF textColor_;
  COLORREF textBackColor_;
  UINT callbackMask_ = 0;
  int top_ = 0;
  int scrollX_ = 0;
  int hot_ = -1;
  int mark_ = -1;
  bool redraw_ = true;
  std::pair<int, int> hinted_{-1, -1};
  // Drawing with a DC (ListViewLook.cpp).
  void paintBackground(HDC dc) const;
  void drawCell(HDC dc, const RECT& cell, const std::string& text, COLORREF textColor, COLORREF backColor) const;
};

}  // namespace wavorel
