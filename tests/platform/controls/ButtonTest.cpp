#include <vector>

#include "platform/win/controls/Control.h"
#include "tests/platform/controls/ControlTestSupport.h"

namespace wavorel::testing {
namespace {

using Commands = std::vector<std::pair<int, int>>;

class ButtonTest : public ControlTest {};

TEST_F(ButtonTest, ClickingAnAutoRadioUnchecksTheRestOfItsGroupBeforeNotifying) {
  HWND r1 = control(WC_BUTTON, BS_AUTORADIOBUTTON | WS_GROUP, 1);
  HWND r2 = control(WC_BUTTON, BS_AUTORADIOBUTTON, 2);
  HWND r3 = control(WC_BUTTON, BS_AUTORADIOBUTTON, 3);
  HWND other = control(WC_BUTTON, BS_AUTORADIOBUTTON | WS_GROUP, 4);
  send(r1, BM_SETCHECK, BST_CHECKED);
  send(other, BM_SETCHECK, BST_CHECKED);
  EXPECT_TRUE(commands().empty()) << "BM_SETCHECK does not notify";

  std::vector<LRESULT> atNotify;
  on(WM_COMMAND, [&](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
    atNotify = {send(r1, BM_GETCHECK), send(r2, BM_GETCHECK), send(r3, BM_GETCHECK)};
    return 0;
  });
  send(r2, BM_CLICK);
  EXPECT_EQ(commands(), (Commands{{2, BN_CLICKED}}));
  EXPECT_EQ(atNotify, (std::vector<LRESULT>{BST_UNCHECKED, BST_CHECKED, BST_UNCHECKED}));
  EXPECT_EQ(send(other, BM_GETCHECK), BST_CHECKED) << "another group keeps its choice";

  send(r3, BM_CLICK);
  send(r3, BM_CLICK);
  EXPECT_EQ(commands(), (Commands{{2, BN_CLICKED}, {3, BN_CLICKED}, {3, BN_CLICKED}}));
  EXPECT_EQ(send(r2, BM_GETCHECK), BST_UNCHECKED);
  EXPECT_EQ(send(r3, BM_GETCHECK), BST_CHECKED);
}

TEST_F(ButtonTest, ClickChangesTheCheckOfAutoButtonsOnlyAndAlwaysNotifies) {
  struct Case {
    DWORD type;
    std::vector<LRESULT> checksAfterClicks;
  } cases[] = {
      {BS_PUSHBUTTON, {0, 0}},
      {BS_CHECKBOX, {0, 0}},
      {BS_AUTOCHECKBOX, {1, 0}},
      {BS_AUTO3STATE, {1, 2, 0}},
      {BS_RADIOBUTTON, {0}},
      {BS_AUTORADIOBUTTON, {1, 1}},
  };
  int id = 10;
  for (const auto& c : cases) {
    clearLog();
    HWND b = control(WC_BUTTON, c.type | WS_GROUP, ++id);
    for (LRESULT expected : c.checksAfterClicks) {
      send(b, BM_CLICK);
      EXPECT_EQ(send(b, BM_GETCHECK), expected) << "type " << c.type;
    }
    EXPECT_EQ(commands(), Commands(c.checksAfterClicks.size(), {id, BN_CLICKED})) << "type " << c.type;
  }
}

TEST_F(ButtonTest, ADisabledButtonIgnoresClicks) {
  HWND b = control(WC_BUTTON, BS_AUTOCHECKBOX | WS_DISABLED);
  send(b, BM_CLICK);
  EXPECT_EQ(send(b, BM_GETCHECK), BST_UNCHECKED);
  EXPECT_TRUE(commands().empty());
}

TEST_F(ButtonTest, SetCheckKeepsTheStatesEachTypeHas) {
  struct Case {
    DWORD type;
    WPARAM set;
    LRESULT got;
  } cases[] = {
      {BS_CHECKBOX, BST_CHECKED, BST_CHECKED},       {BS_AUTOCHECKBOX, BST_INDETERMINATE, BST_CHECKED},
      {BS_3STATE, BST_INDETERMINATE, BST_INDETERMINATE}, {BS_AUTO3STATE, BST_CHECKED, BST_CHECKED},
      {BS_RADIOBUTTON, BST_CHECKED, BST_CHECKED},    {BS_PUSHBUTTON, BST_CHECKED, BST_UNCHECKED},
      {BS_GROUPBOX, BST_CHECKED, BST_UNCHECKED},
  };
  for (const auto& c : cases) {
    HWND b = control(WC_BUTTON, c.type);
    send(b, BM_SETCHECK, c.set);
    EXPECT_EQ(send(b, BM_GETCHECK), c.got) << "type " << c.type;
    EXPECT_EQ(send(b, BM_GETSTATE) & 3, c.got) << "type " << c.type;
  }
  EXPECT_TRUE(commands().empty());
}

TEST_F(ButtonTest, MouseClicksOnlyWhenReleasedInside) {
  HWND b = control(WC_BUTTON, BS_AUTOCHECKBOX, 7, "", {10, 10, 110, 40});
  send(b, WM_LBUTTONDOWN, 1, MAKELPARAM(5, 5));
  EXPECT_EQ(GetCapture(), b);
  EXPECT_EQ(GetFocus(), b);
  EXPECT_TRUE(send(b, BM_GETSTATE) & BST_PUSHED);
  send(b, WM_MOUSEMOVE, 1, MAKELPARAM(500, 5));
  EXPECT_FALSE(send(b, BM_GETSTATE) & BST_PUSHED) << "pushed look follows the pointer";
  send(b, WM_LBUTTONUP, 0, MAKELPARAM(500, 5));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(commands().empty());
  EXPECT_EQ(send(b, BM_GETCHECK), BST_UNCHECKED);

  send(b, WM_LBUTTONDOWN, 1, MAKELPARAM(5, 5));
  send(b, WM_LBUTTONUP, 0, MAKELPARAM(6, 6));
  EXPECT_EQ(commands(), (Commands{{7, BN_CLICKED}}));
  EXPECT_EQ(send(b, BM_GETCHECK), BST_CHECKED);

  send(b, WM_LBUTTONUP, 0, MAKELPARAM(6, 6));
  EXPECT_EQ(commands().size(), 1u) << "a release without a press is no click";
}

TEST_F(ButtonTest, SpaceKeyClicks) {
  HWND b = control(WC_BUTTON, BS_PUSHBUTTON, 8);
  send(b, WM_KEYDOWN, VK_SPACE);
  EXPECT_TRUE(send(b, BM_GETSTATE) & BST_PUSHED);
  send(b, WM_KEYUP, VK_SPACE);
  EXPECT_EQ(commands(), (Commands{{8, BN_CLICKED}}));
}

TEST_F(ButtonTest, DialogCodesFollowTheStyleAndBmSetStyle) {
  struct Case {
    DWORD type;
    LRESULT code;
  } cases[] = {
      {BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON}, {BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON},
      {BS_AUTORADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON}, {BS_RADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
      {BS_AUTOCHECKBOX, DLGC_BUTTON},                       {BS_GROUPBOX, DLGC_STATIC},
  };
  for (const auto& c : cases) EXPECT_EQ(send(control(WC_BUTTON, c.type), WM_GETDLGCODE), c.code) << c.type;

  HWND b = control(WC_BUTTON, BS_PUSHBUTTON | WS_TABSTOP);
  send(b, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  EXPECT_EQ(send(b, WM_GETDLGCODE), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLong(b, GWL_STYLE)), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON);
  send(b, BM_SETSTYLE, BS_PUSHBUTTON | BS_OWNERDRAW, TRUE);
  EXPECT_EQ(GetWindowLong(b, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
}

TEST_F(ButtonTest, FocusNotificationsNeedBsNotify) {
  HWND plain = control(WC_BUTTON, BS_PUSHBUTTON, 1);
  HWND notifying = control(WC_BUTTON, BS_PUSHBUTTON | BS_NOTIFY, 2);
  SetFocus(plain);
  SetFocus(notifying);
  SetFocus(plain);
  EXPECT_EQ(commands(), (Commands{{2, BN_SETFOCUS}, {2, BN_KILLFOCUS}}));
  EXPECT_TRUE(send(plain, BM_GETSTATE) & BST_FOCUS);
}

TEST_F(ButtonTest, ImagesAreKeptPerKind) {
  HWND b = control(WC_BUTTON, BS_PUSHBUTTON | BS_BITMAP);
  auto bmp = static_cast<LPARAM>(0x1234);
  auto icon = static_cast<LPARAM>(0x5678);
  constexpr WPARAM kBitmap = 0, kIcon = 1;
  EXPECT_EQ(send(b, BM_SETIMAGE, kBitmap, bmp), 0);
  EXPECT_EQ(send(b, BM_SETIMAGE, kIcon, icon), 0);
  EXPECT_EQ(send(b, BM_GETIMAGE, kBitmap), bmp);
  EXPECT_EQ(send(b, BM_SETIMAGE, kBitmap, 0), bmp) << "answers the image it replaces";
  EXPECT_EQ(send(b, BM_GETIMAGE, kIcon), icon);
}

TEST_F(ButtonTest, OwnerDrawnButtonAsksItsParentToDraw) {
  HWND b = control(WC_BUTTON, BS_OWNERDRAW, 42, "", {0, 0, 80, 24});
  DRAWITEMSTRUCT got{};
  on(WM_DRAWITEM, [&](HWND, UINT, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
    got = *reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    return TRUE;
  });
  HDC dc = reinterpret_cast<HDC>(0x77);
  send(b, BM_SETSTATE, TRUE);
  send(b, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc));
  ASSERT_EQ(seen(WM_DRAWITEM).size(), 1u);
  EXPECT_EQ(seen(WM_DRAWITEM)[0].wParam, 42u);
  EXPECT_EQ(got.CtlType, static_cast<UINT>(ODT_BUTTON));
  EXPECT_EQ(got.CtlID, 42u);
  EXPECT_EQ(got.hwndItem, b);
  EXPECT_EQ(got.hDC, dc);
  EXPECT_EQ(got.itemAction, static_cast<UINT>(ODA_DRAWENTIRE));
  EXPECT_EQ(got.itemState & ODS_SELECTED, static_cast<UINT>(ODS_SELECTED));
  EXPECT_EQ(got.rcItem.right, 80);
  EXPECT_EQ(got.rcItem.bottom, 24);

  send(control(WC_BUTTON, BS_PUSHBUTTON), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc));
  EXPECT_EQ(seen(WM_DRAWITEM).size(), 1u) << "a plain button draws itself";
}

TEST_F(ButtonTest, TheMouseGoesThroughAGroupBoxToWhatItFrames) {
  HWND group = control(WC_BUTTON, BS_GROUPBOX, 1, "Keys", {10, 10, 210, 110});
  HWND edit = control(WC_EDIT, 0, 2, "", {20, 30, 120, 50});
  ASSERT_EQ(GetWindow(parent_, GW_CHILD), group) << "the group box lies above the edit";
  EXPECT_EQ(WindowFromPoint({30, 40}), edit);
  EXPECT_EQ(WindowFromPoint({180, 100}), parent_) << "where it frames nothing, the parent";
  HWND button = control(WC_BUTTON, BS_PUSHBUTTON, 3, "", {220, 10, 300, 40});
  EXPECT_EQ(WindowFromPoint({230, 20}), button) << "other buttons take the mouse";
}

TEST_F(ButtonTest, StandardClassesAreRegisteredAsGlobalClasses) {
  for (LPCSTR name : {"button", "EDIT", "Static", "listbox", "ComboBox"}) {
    WNDCLASS wc{};
    ASSERT_TRUE(GetClassInfo(nullptr, name, &wc)) << name;
    EXPECT_TRUE(wc.style & CS_GLOBALCLASS) << name;
  }
  HWND b = control(WC_BUTTON, BS_PUSHBUTTON);
  char cls[32] = "";
  GetClassName(b, cls, sizeof cls);
  EXPECT_STREQ(cls, "Button");
}

}  // namespace
}  // namespace wavorel::testing
