// The window object of a tab control.
#pragma once

#include <string>
#include <vector>

#include "platform/win/commctrl/Tab.h"
#include "platform/win/controls/Control.h"

namespace wavorel {

class TabControl : public Control {
 public:
  static constexpr int kPadding = 6;
  static constexpr int kVerticalPadding = 3;
  static constexpr int kIconWidth = 16;
  static constexpr int kIndent = 2;

  explicit TabControl(HWND hwnd) : Control(hwnd) {}
  LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) override;
  UINT colorMessage() const override { return WM_NULL; }

 private:
  struct Item {
    std::string text;
    int image = -1;
    LPARAM lParam = 0;
    DWORD state = 0;
  };

  int count() const { return static_cast<int>(items_.size()); }
  int tabHeight() const { return height_ > 0 ? height_ : fontHeight() + 2 * verticalPadding_ + 1; }
  int tabWidth(int index) const;
  bool itemRect(int index, RECT* rect) const;
  int hitTest(TCHITTESTINFO* info) const;
  void adjustRect(bool larger, RECT* rect) const;
  LRESULT insert(int index, const TCITEM* item);
  BOOL remove(int index);
  BOOL get(int index, TCITEM* item) const;
  BOOL set(int index, const TCITEM* item);
  // Selects a tab the way the user does: the parent may refuse.
  void choose(int index);

  std::vector<Item> items_;
  int current_ = -1;
  int focus_ = -1;
  int width_ = 0;
  int height_ = 0;
  int padding_ = kPadding;
  int verticalPadding_ = kVerticalPadding;
  HIMAGELIST imageList_ = nullptr;
  // The default look (TabPaint.cpp).
  void paintLook(HDC dc) const;
};

}  // namespace wavorel
