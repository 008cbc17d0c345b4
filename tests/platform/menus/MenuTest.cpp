#include <cstring>
#include <string>

#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"
#include "tests/platform/menus/data/MenuIds.h"

namespace wavorel::testing {
namespace {

using MenuTest = PlatformTest;

std::string menuString(HMENU menu, UINT item, UINT flags) {
  char buf[64];
  int n = GetMenuString(menu, item, buf, sizeof(buf), flags);
  return std::string(buf, static_cast<size_t>(n));
}

TEST_F(MenuTest, LoadedTemplateHasPopupsSeparatorsAndStates) {
  HMENU bar = LoadMenu(nullptr, MAKEINTRESOURCE(IDR_TRAY));
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(GetMenuItemCount(bar), 2);
  EXPECT_EQ(menuString(bar, 1, MF_BYPOSITION), "&Help");
  EXPECT_EQ(GetMenuState(bar, ID_HELP, MF_BYCOMMAND), static_cast<UINT>(MF_DISABLED));

  HMENU tray = GetSubMenu(bar, 0);
  ASSERT_NE(tray, nullptr);
  EXPECT_EQ(GetSubMenu(bar, 1), nullptr);
  ASSERT_EQ(GetMenuItemCount(tray), 5);
  struct Row {
    UINT id;
    UINT state;
    const char* text;
  } rows[] = {{ID_SHOW, 0, "Show Main UI"},
              {static_cast<UINT>(-1), MF_POPUP | (2 << 8), "&Mode"},
              {0, MF_SEPARATOR, ""},
              {ID_VISIT, MF_GRAYED, "Visit Company Web"},
              {ID_EXIT, 0, "Exit"}};
  for (UINT i = 0; i < 5; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(GetMenuItemID(tray, static_cast<int>(i)), rows[i].id);
    EXPECT_EQ(GetMenuState(tray, i, MF_BYPOSITION), rows[i].state);
    EXPECT_EQ(menuString(tray, i, MF_BYPOSITION), rows[i].text);
  }
  EXPECT_EQ(GetMenuItemID(tray, 5), static_cast<UINT>(-1));
  EXPECT_EQ(GetMenuState(tray, 5, MF_BYPOSITION), static_cast<UINT>(-1));

  // By command the search goes through the submenus of the menu bar.
  EXPECT_EQ(menuString(bar, ID_MODE_STA, MF_BYCOMMAND), "Station");
  EXPECT_EQ(GetMenuState(bar, ID_MODE_AP, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED));
  EXPECT_EQ(GetMenuState(bar, 4242, MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MENU_ITEM_NOT_FOUND));
  EXPECT_TRUE(DestroyMenu(bar));
}

TEST_F(MenuTest, MissingOrBrokenTemplatesLoadNothing) {
  EXPECT_EQ(LoadMenu(nullptr, MAKEINTRESOURCE(999)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  const WORD exTemplate[] = {1, 4, 0, 0};
  EXPECT_EQ(LoadMenuIndirect(exTemplate), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  // The header's offset is skipped before the items.
  const WORD shifted[] = {0, 2, 0xFFFF, MF_POPUP | MF_END, 'P', 0, MF_END, 7, 'a', 0};
  HMENU menu = LoadMenuIndirect(shifted);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(GetMenuItemID(GetSubMenu(menu, 0), 0), 7u);
  DestroyMenu(menu);
}

TEST_F(MenuTest, EnableAndCheckReturnThePreviousState) {
  HMENU bar = LoadMenu(nullptr, MAKEINTRESOURCE(IDR_TRAY));
  struct Step {
    UINT id;
    UINT enable;
    BOOL previous;
  } steps[] = {{ID_VISIT, MF_ENABLED, MF_GRAYED},
               {ID_VISIT, MF_DISABLED, MF_ENABLED},
               {ID_VISIT, MF_GRAYED, MF_DISABLED},
               {ID_EXIT, MF_GRAYED, MF_ENABLED},
               {ID_HELP, MF_ENABLED, MF_DISABLED},
               {4242, MF_GRAYED, -1}};
  for (const Step& s : steps) EXPECT_EQ(EnableMenuItem(bar, s.id, MF_BYCOMMAND | s.enable), s.previous) << s.id;
  EXPECT_EQ(GetMenuState(bar, ID_EXIT, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED));

  EXPECT_EQ(CheckMenuItem(bar, ID_MODE_AP, MF_BYCOMMAND | MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
  EXPECT_EQ(CheckMenuItem(bar, ID_MODE_AP, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
  EXPECT_EQ(CheckMenuItem(bar, 4242, MF_CHECKED), static_cast<DWORD>(-1));
  HMENU mode = GetSubMenu(GetSubMenu(bar, 0), 1);
  EXPECT_TRUE(CheckMenuRadioItem(mode, 0, 1, 1, MF_BYPOSITION));
  EXPECT_EQ(GetMenuState(mode, 0, MF_BYPOSITION), static_cast<UINT>(0));
  EXPECT_EQ(GetMenuState(mode, 1, MF_BYPOSITION), static_cast<UINT>(MF_CHECKED | MFT_RADIOCHECK));
  EXPECT_EQ(EnableMenuItem(nullptr, 1, MF_GRAYED), -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
  DestroyMenu(bar);
}

TEST_F(MenuTest, DefaultItemIsOnePerMenu) {
  HMENU bar = LoadMenu(nullptr, MAKEINTRESOURCE(IDR_TRAY));
  HMENU tray = GetSubMenu(bar, 0);
  EXPECT_EQ(GetMenuDefaultItem(tray, TRUE, 0), static_cast<UINT>(-1));
  EXPECT_TRUE(SetMenuDefaultItem(tray, 0, TRUE));
  EXPECT_TRUE(SetMenuDefaultItem(tray, ID_EXIT, FALSE));
  EXPECT_EQ(GetMenuDefaultItem(tray, TRUE, 0), 4u);
  EXPECT_EQ(GetMenuDefaultItem(tray, FALSE, 0), static_cast<UINT>(ID_EXIT));
  EXPECT_EQ(GetMenuState(tray, 0, MF_BYPOSITION), 0u) << "the earlier default is cleared";
  EXPECT_EQ(GetMenuState(tray, ID_EXIT, MF_BYCOMMAND), static_cast<UINT>(MF_DEFAULT));
  // Only the menu's own items can be its default; a disabled default is not reported.
  EXPECT_FALSE(SetMenuDefaultItem(tray, ID_MODE_AP, FALSE));
  EXPECT_TRUE(SetMenuDefaultItem(tray, ID_VISIT, FALSE));
  EXPECT_EQ(GetMenuDefaultItem(tray, FALSE, 0), static_cast<UINT>(-1));
  EXPECT_EQ(GetMenuDefaultItem(tray, FALSE, GMDI_USEDISABLED), static_cast<UINT>(ID_VISIT));
  EXPECT_TRUE(SetMenuDefaultItem(tray, static_cast<UINT>(-1), FALSE));
  EXPECT_EQ(GetMenuDefaultItem(tray, FALSE, GMDI_USEDISABLED), static_cast<UINT>(-1));
  DestroyMenu(bar);
}

TEST_F(MenuTest, BuiltMenusInsertModifyAndRemove) {
  HMENU popup = CreatePopupMenu();
  HMENU sub = CreatePopupMenu();
  ASSERT_TRUE(AppendMenu(sub, MF_STRING, 20, "inner"));
  ASSERT_TRUE(AppendMenu(popup, MF_STRING, 10, "first"));
  ASSERT_TRUE(AppendMenu(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "sub"));
  ASSERT_TRUE(InsertMenu(popup, 0, MF_BYPOSITION | MF_STRING, 5, "zero"));
  ASSERT_TRUE(InsertMenu(popup, 20, MF_BYCOMMAND | MF_STRING, 15, "before inner"));
  ASSERT_TRUE(InsertMenu(popup, static_cast<UINT>(-1), MF_BYPOSITION | MF_SEPARATOR, 0, nullptr));
  EXPECT_FALSE(AppendMenu(popup, MF_POPUP, 0x1234, "not a menu"));
  EXPECT_EQ(GetMenuItemCount(popup), 4);
  EXPECT_EQ(GetMenuItemCount(sub), 2);
  EXPECT_EQ(GetMenuItemID(sub, 0), 15u);

  // Owner-drawn items keep their data in place of a text.
  ASSERT_TRUE(ModifyMenu(popup, 10, MF_BYCOMMAND | MF_OWNERDRAW, 11, reinterpret_cast<LPCSTR>(0xBEEF)));
  MENUITEMINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_DATA | MIIM_FTYPE | MIIM_ID;
  ASSERT_TRUE(GetMenuItemInfo(popup, 1, TRUE, &info));
  EXPECT_EQ(info.dwItemData, 0xBEEFu);
  EXPECT_EQ(info.fType, static_cast<UINT>(MFT_OWNERDRAW));
  EXPECT_EQ(info.wID, 11u);

  // Replacing the item that opens `sub` destroys it; removing keeps a submenu.
  HMENU kept = CreatePopupMenu();
  ASSERT_TRUE(AppendMenu(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(kept), "kept"));
  ASSERT_TRUE(ModifyMenu(popup, 2, MF_BYPOSITION | MF_STRING, 30, "plain"));
  EXPECT_FALSE(IsMenu(sub));
  EXPECT_TRUE(RemoveMenu(popup, 4, MF_BYPOSITION));
  EXPECT_TRUE(IsMenu(kept));
  EXPECT_TRUE(DeleteMenu(popup, 30, MF_BYCOMMAND));
  EXPECT_FALSE(DeleteMenu(popup, 30, MF_BYCOMMAND));
  EXPECT_EQ(GetMenuItemCount(popup), 3);

  // A destroyed menu takes its submenus along, and its handle stays invalid.
  ASSERT_TRUE(AppendMenu(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(kept), "again"));
  EXPECT_TRUE(DestroyMenu(popup));
  EXPECT_FALSE(IsMenu(kept));
  EXPECT_EQ(GetMenuItemCount(popup), -1);
  EXPECT_FALSE(DestroyMenu(popup));
  HMENU fresh = CreateMenu();
  EXPECT_NE(fresh, popup);
  EXPECT_NE(fresh, kept);
  DestroyMenu(fresh);
}

TEST_F(MenuTest, ItemInfoTextIsCutToTheBuffer) {
  HMENU popup = CreatePopupMenu();
  ASSERT_TRUE(AppendMenu(popup, MF_STRING, 1, "Launch Config Utilities "));
  MENUITEMINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STRING;
  ASSERT_TRUE(GetMenuItemInfo(popup, 1, FALSE, &info));
  EXPECT_EQ(info.cch, 24u) << "without a buffer: the length";
  char buf[7];
  std::memset(buf, 'x', sizeof(buf));
  info.dwTypeData = buf;
  info.cch = 6;
  ASSERT_TRUE(GetMenuItemInfo(popup, 0, TRUE, &info));
  EXPECT_STREQ(buf, "Launc");
  EXPECT_EQ(info.cch, 5u);
  EXPECT_EQ(buf[6], 'x');
  EXPECT_EQ(GetMenuString(popup, 1, buf, 3, MF_BYCOMMAND), 2);
  EXPECT_STREQ(buf, "La");
  EXPECT_EQ(GetMenuString(popup, 1, nullptr, 0, MF_BYCOMMAND), 24);

  info.cbSize = 12;
  EXPECT_FALSE(GetMenuItemInfo(popup, 0, TRUE, &info));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

  // State by SetMenuItemInfo, check-mark bitmaps read back.
  MENUITEMINFO set{};
  set.cbSize = sizeof(set);
  set.fMask = MIIM_STATE | MIIM_CHECKMARKS;
  set.fState = MFS_CHECKED | MFS_GRAYED;
  set.hbmpChecked = reinterpret_cast<HBITMAP>(0x77);
  ASSERT_TRUE(SetMenuItemInfo(popup, 1, FALSE, &set));
  EXPECT_EQ(GetMenuState(popup, 1, MF_BYCOMMAND), static_cast<UINT>(MF_CHECKED | MF_GRAYED | MF_DISABLED));
  MENUITEMINFO marks{};
  marks.cbSize = sizeof(marks);
  marks.fMask = MIIM_CHECKMARKS;
  ASSERT_TRUE(GetMenuItemInfo(popup, 1, FALSE, &marks));
  EXPECT_EQ(marks.hbmpChecked, reinterpret_cast<HBITMAP>(0x77));
  EXPECT_EQ(marks.hbmpUnchecked, nullptr);
  DestroyMenu(popup);
}

}  // namespace
}  // namespace wavorel::testing
