// A page of every widget, as the screenshot and X display tests show it: a
// 64-row owner-data list with check boxes, images, progress cells and a
// focused cell; shaded buttons (normal, hovered, latched); a tab dialog with
// three tabs; a histogram; a gradient progress bar; and an icon-button whose
// drop-down icon menu has a toolbar's images.
#pragma once

#include <memory>
#include <vector>

#include "WidgetTestSupport.h"
#include "data/WidgetIds.h"
#include "widgets/OskelStaticHistogram.h"
#include "widgets/ProgressCtrlX.h"
#include "widgets/QuickList.h"
#include "widgets/ShadeButtonST.h"
#include "widgets/TabDialog.h"

namespace widgets_test {

class WidgetsPage : public CWnd {
 public:
  static constexpr int kListId = 2001;
  static constexpr int kWidth = 640;
  static constexpr int kHeight = 440;
  static constexpr int kRows = 64;
  static constexpr int kColumns = 5;

  // Creates the page (visible, at (x, y)) and all its widgets.
  bool Build(int x, int y);

  CImageList images;
  CQuickList list;
  CShadeButtonST normal, hovered, latched, drop;
  std::unique_ptr<CTabDialog> tabs;
  std::vector<std::unique_ptr<CShadeButtonST>> tabButtons;
  std::vector<std::unique_ptr<CDialog>> pages;
  COskelStaticHistogram histogram;
  CProgressCtrlX bar;
  std::vector<CQuickListClick> clicks;
  std::vector<UINT> commands;

 protected:
  LRESULT OnGetItem(WPARAM wParam, LPARAM lParam);
  LRESULT OnCellClick(WPARAM wParam, LPARAM lParam);
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  DECLARE_MESSAGE_MAP()

 private:
  void AddButton(CShadeButtonST& target, LPCSTR text, DWORD style, const CRect& rect, int id);
};


}  // namespace widgets_test
