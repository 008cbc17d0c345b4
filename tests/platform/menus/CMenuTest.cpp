#include <vector>

#include "platform/Platform.h"
#include "platform/mfc/Menu.h"
#include "tests/platform/menus/data/MenuIds.h"
#include "tests/platform/user/UserTestSupport.h"

namespace wavorel::testing {
namespace {

using CMenuTest = UserTest;

TEST_F(CMenuTest, OwnsWhatItLoadsAndLendsItsSubmenus) {
  HMENU loaded = nullptr;
  {
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TRAY));
    loaded = menu.m_hMenu;
    EXPECT_EQ(CMenu::FromHandlePermanent(loaded), &menu);
    CMenu* popup = menu.GetSubMenu(0);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup, menu.GetSubMenu(0)) << "one temporary per handle";
    EXPECT_EQ(CMenu::FromHandlePermanent(popup->m_hMenu), nullptr);
    EXPECT_FALSE(popup->DestroyMenu()) << "a temporary never destroys the menu";
    EXPECT_EQ(popup->GetMenuItemCount(), 5u);

    CString text;
    EXPECT_EQ(popup->GetMenuString(ID_VISIT, text, MF_BYCOMMAND), 17);
    EXPECT_EQ(text, "Visit Company Web");
    EXPECT_TRUE(popup->SetDefaultItem(0, TRUE));
    EXPECT_EQ(popup->GetDefaultItem(0, FALSE), static_cast<UINT>(ID_SHOW));
    EXPECT_EQ(popup->EnableMenuItem(ID_VISIT, MF_BYCOMMAND | MF_ENABLED), static_cast<UINT>(MF_GRAYED));
    releaseTemporaryMenus();
    EXPECT_TRUE(IsMenu(loaded));
  }
  EXPECT_FALSE(IsMenu(loaded)) << "the owner destroyed it";

  CMenu kept;
  ASSERT_TRUE(kept.CreatePopupMenu());
  HMENU handle = kept.Detach();
  EXPECT_EQ(CMenu::FromHandlePermanent(handle), nullptr);
  CMenu other;
  ASSERT_TRUE(other.Attach(handle));
  EXPECT_FALSE(kept.Attach(handle)) << "one permanent object per menu";
  EXPECT_FALSE(other.LoadMenu(999));
}

class DrawnMenu : public CMenu {
 public:
  std::vector<UINT> measured, drawn;
  void MeasureItem(LPMEASUREITEMSTRUCT mis) override {
    measured.push_back(mis->itemID);
    mis->itemWidth = 100;
    mis->itemHeight = 18;
  }
  void DrawItem(LPDRAWITEMSTRUCT dis) override { drawn.push_back(dis->itemID); }
};

TEST_F(CMenuTest, OwnerDrawnItemsReachTheirMenuObject) {
  // The owner is an MFC window: its default WM_MEASUREITEM/WM_DRAWITEM
  // handlers pass menu items on to the CMenu.
  HWND owner = make("owner", WS_POPUP | WS_VISIBLE);
  CWnd ownerObject;
  ASSERT_TRUE(ownerObject.SubclassWindow(owner));
  DrawnMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  menu.AppendMenu(MF_OWNERDRAW, 41, nullptr);
  menu.AppendMenu(MF_OWNERDRAW, 42, nullptr);
  CMenu plain;
  ASSERT_TRUE(plain.CreatePopupMenu());
  plain.AppendMenu(MF_OWNERDRAW, 43, nullptr);
  // The menu's first paint, before the answer, draws the items.
  setModalResponder([](const ModalWindow&) { return 42; });
  CWnd* pOwner = &ownerObject;
  EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, pOwner), 42);
  EXPECT_EQ(menu.measured, (std::vector<UINT>{41, 42}));
  EXPECT_EQ(menu.drawn, (std::vector<UINT>{41, 42}));
  DRAWITEMSTRUCT other{ODT_MENU, 0, 43, ODA_DRAWENTIRE, 0, reinterpret_cast<HWND>(plain.m_hMenu), nullptr, {}, 0};
  EXPECT_TRUE(routeMenuOwnerDraw(WM_DRAWITEM, reinterpret_cast<LPARAM>(&other)));
  other.CtlType = ODT_BUTTON;
  EXPECT_FALSE(routeMenuOwnerDraw(WM_DRAWITEM, reinterpret_cast<LPARAM>(&other)));
  EXPECT_EQ(menu.drawn.size(), 2u);
}

}  // namespace
}  // namespace wavorel::testing
