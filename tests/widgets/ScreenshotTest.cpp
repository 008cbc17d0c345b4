// The widgets as a person sees them: widgets.png (the page) and the icon menu
// in both looks (widgets-menu-xp.png, widgets-menu-classic.png), written into
// the working folder, with pixels probed where the look is the point.
#include <gtest/gtest.h>

#include <string>

#include "WidgetsPage.h"
#include "platform/present/Screenshot.h"

namespace widgets_test {
namespace {

using WidgetsScreenshotTest = WidgetTest;

// The bounding box of the pixels of a colour in a part of an image; empty
// when there are none.
CRect boxOf(const wavorel::WindowImage& image, COLORREF colour, const CRect& within) {
  CRect box;
  for (int y = within.top; y < within.bottom; ++y)
    for (int x = within.left; x < within.right; ++x)
      if (image.colorAt(x, y) == colour) box.UnionRect(&box, CRect(x, y, x + 1, y + 1));
  return box;
}

TEST_F(WidgetsScreenshotTest, ThePageOfEveryWidget) {
  WidgetsPage page;
  ASSERT_TRUE(page.Build(0, 0));
  page.list.SetFocus();
  page.list.SendMessage(WM_KEYDOWN, VK_RIGHT);  // the focused cell moves to column 1
  const wavorel::WindowImage image = wavorel::composeWindow(page.GetSafeHwnd());
  ASSERT_FALSE(image.empty());
  EXPECT_TRUE(wavorel::present::writeImage(image, "widgets.png"));

  // The gradient bar: 60 % of 390 pixels filled, red to yellow to green.
  const int fillEnd = 10 + 390 * 60 / 100 - 1;
  const COLORREF end = image.colorAt(fillEnd, 373);
  EXPECT_EQ(GetRValue(end), 255 - static_cast<int>(static_cast<float>(fillEnd - 10 - 195) * 255 / 195)) << "red falls";
  EXPECT_GE(GetGValue(end), 200);
  EXPECT_EQ(image.colorAt(fillEnd + 2, 388), GetSysColor(COLOR_BTNFACE)) << "the unfilled part";
  // The latched tint: the latched button shows its latched picture.
  const COLORREF latched = image.colorAt(415, 92);
  EXPECT_GT(GetGValue(latched), GetRValue(latched)) << "tinted towards green";
  EXPECT_NE(latched, image.colorAt(415, 22)) << "the normal button is not";
  EXPECT_NE(image.colorAt(415, 57), image.colorAt(415, 22)) << "the hovered one is darker";
  // The focused cell of the selected row: the hot-light colour, column 1.
  CRect focused;
  page.list.GetSubItemRect(3, 1, LVIR_BOUNDS, focused);
  page.list.ClientToScreen(&focused);
  EXPECT_EQ(image.colorAt(focused.right - 3, focused.top + 2), GetSysColor(COLOR_HOTLIGHT));
  EXPECT_EQ(image.colorAt(focused.right + 10, focused.top + 2), GetSysColor(COLOR_HIGHLIGHT));
  // A checked box in row 0 and its progress bar's green end in row 4 (92 %).
  CRect check;
  page.list.GetSubItemRect(0, 0, LVIR_BOUNDS, check);
  page.list.ClientToScreen(&check);
  EXPECT_GT(boxOf(image, RGB(0, 0, 0), CRect(check.left, check.top, check.left + 44, check.bottom)).Width(), 4);
  // The histogram's bars in their green.
  EXPECT_FALSE(boxOf(image, RGB(0, 220, 0), CRect(46, 260, 310, 360)).IsRectEmpty());
}

TEST_F(WidgetsScreenshotTest, TheIconMenuInBothLooks) {
  SetSystemLook(5, 1, "Luna.theme");
  WidgetsPage page;
  ASSERT_TRUE(page.Build(0, 0));
  for (BOOL xp : {TRUE, FALSE}) {
    ASSERT_EQ(page.drop.AttachDropMenu(IDR_CHOICES, page.GetSafeHwnd(), xp, IDR_TOOLBAR, 16, 15, RGB(192, 192, 192)),
              0u);
    CMenu* popup = page.drop.GetDropMenu().GetSubMenu(0);
    popup->EnableMenuItem(ID_SAVE, MF_GRAYED);
    wavorel::WindowImage menu;
    wavorel::setModalResponder([&](const wavorel::ModalWindow& w) {
      menu = wavorel::composeWindow(w.hwnd);
      return 0 * wavorel::present::writeImage(menu, xp ? "widgets-menu-xp.png" : "widgets-menu-classic.png") +
             ID_EXIT;
    });
    page.drop.SendMessage(BM_CLICK);
    ASSERT_FALSE(menu.empty()) << xp;
    const CRect all(0, 0, menu.width, menu.height);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    if (xp) {
      // The check square: framed in the highlight colour, filled with it
      // lightened, the check mark's strokes inside at (left + 5, top + 4).
      const CRect square = boxOf(menu, IcoMenu::Lighten(highlight, 0.85), all);
      ASSERT_FALSE(square.IsRectEmpty());
      const CPoint corner(square.left - 1, square.top - 1);
      EXPECT_EQ(menu.colorAt(corner.x, corner.y), highlight);
      const int rows[7] = {2, 3, 4, 3, 2, 1, 0};
      const COLORREF ink = GetSysColor(COLOR_MENUTEXT);
      for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(menu.colorAt(corner.x + 5 + i, corner.y + 4 + rows[i]), ink) << i;
        EXPECT_EQ(menu.colorAt(corner.x + 5 + i, corner.y + 4 + rows[i] + 2), ink) << i;
        EXPECT_NE(menu.colorAt(corner.x + 5 + i, corner.y + 4 + rows[i] + 3), ink) << i;
      }
      EXPECT_FALSE(boxOf(menu, RGB(255, 0, 0), all).IsRectEmpty()) << "the Open icon";
      EXPECT_FALSE(boxOf(menu, IcoMenu::Lighten(GetSysColor(COLOR_BTNFACE), 0.0), all).IsRectEmpty())
          << "the icon column in the face colour (an XP theme)";
    } else {
      // Save is grayed: its green image is drawn disabled, in the shadow
      // colour with a highlight copy one pixel right and down. Its image
      // stands one item below Open's, whose red face starts at (3, 3).
      EXPECT_TRUE(boxOf(menu, RGB(0, 255, 0), all).IsRectEmpty()) << "no green image left";
      const CRect open = boxOf(menu, RGB(255, 0, 0), all);
      ASSERT_FALSE(open.IsRectEmpty());
      MEASUREITEMSTRUCT item{};
      item.CtlType = ODT_MENU;
      auto* choices = static_cast<IcoMenu*>(popup);
      item.itemData = reinterpret_cast<ULONG_PTR>(choices->GetRecord(0));
      choices->MeasureItem(&item);
      const CPoint save(open.left - 3, open.top - 3 + static_cast<int>(item.itemHeight));
      const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
      EXPECT_EQ(menu.colorAt(save.x + 6, save.y + 6), shadow) << "the face";
      EXPECT_EQ(menu.colorAt(save.x + 13, save.y + 12), shadow) << "the black rim";
      EXPECT_EQ(menu.colorAt(save.x + 14, save.y + 13), light) << "the highlight copy";
      EXPECT_EQ(menu.colorAt(save.x + 1, save.y + 1), GetSysColor(COLOR_MENU)) << "the background";
      EXPECT_FALSE(boxOf(menu, RGB(255, 0, 0), all).IsRectEmpty()) << "Open keeps its red image";
    }
  }
  wavorel::pumpMessages();
  EXPECT_EQ(page.commands, (std::vector<UINT>{ID_EXIT, ID_EXIT}));
}

}  // namespace
}  // namespace widgets_test
