// CButtonST: setter results, palette shifts, check boxes and radio groups,
// hover, drawing with icons, and the drop-down menu, also when the worker
// destroys the host while the menu is open.
#include "widgets/ButtonST.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "WidgetTestSupport.h"
#include "data/WidgetIds.h"

namespace widgets_test {
namespace {

constexpr UINT WM_MENU_NOTICE = WM_APP + 5;

// The menu's command target: keeps the commands and notices it gets.
class Target : public CWnd {
 public:
  std::vector<UINT> commands;
  std::vector<std::pair<WPARAM, LPARAM>> notices;

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM) override {
    commands.push_back(LOWORD(wParam));
    return TRUE;
  }
  LRESULT OnNotice(WPARAM wParam, LPARAM lParam) {
    notices.emplace_back(wParam, lParam);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Target, CWnd)
  ON_MESSAGE(WM_MENU_NOTICE, &Target::OnNotice)
END_MESSAGE_MAP()

// A host window that owns its button and deletes it when it goes, as a page
// of the worker's host dialog does.
class Host : public CWnd {
 public:
  std::unique_ptr<CButtonST> button = std::make_unique<CButtonST>();

 protected:
  void OnDestroy() {
    button.reset();
    CWnd::OnDestroy();
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Host, CWnd)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

class ButtonSTTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    ASSERT_TRUE(parent_.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, nullptr, nullptr));
    ASSERT_TRUE(target_.CreateEx(0, nullptr, "target", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  }
  void TearDown() override {
    wavorel::setModalResponder(nullptr);
    parent_.DestroyWindow();
    target_.DestroyWindow();
    WidgetTest::TearDown();
  }
  // A button of the given style subclassed by `button`.
  void Make(CButtonST& button, DWORD style, int id, int x = 10, int y = 10, LPCSTR text = "Go") {
    HWND hwnd = CreateWindowEx(0, "Button", text, WS_CHILD | WS_VISIBLE | style, x, y, 80, 30, parent_.GetSafeHwnd(),
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
    ASSERT_TRUE(hwnd);
    ASSERT_TRUE(button.SubclassWindow(hwnd));
  }
  void Click(CButtonST& button) { button.SendMessage(BM_CLICK); }
  // Paints the button through its parent's WM_DRAWITEM onto `canvas`.
  void Draw(CButtonST& button, Canvas& canvas, UINT state = 0) {
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = static_cast<UINT>(button.GetDlgCtrlID());
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = state;
    dis.hwndItem = button.GetSafeHwnd();
    dis.hDC = canvas.dc()->GetSafeHdc();
    dis.rcItem = CRect(0, 0, 80, 30);
    parent_.SendMessage(WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
  }

  CWnd parent_;
  Target target_;
};

TEST_F(ButtonSTTest, SettersAnswerZeroOrTheirErrorCode) {
  CButtonST button;
  Make(button, BS_PUSHBUTTON, 1001);
  struct Case {
    const char* what;
    DWORD result;
    DWORD expected;
  };
  const Case cases[] = {
      {"layout 3", button.SetContentLayout(3), 0},
      {"layout 4", button.SetContentLayout(4), 4},
      {"pressed style 1", button.SetPressedStyle(1), 0},
      {"pressed style 2", button.SetPressedStyle(2), 6},
      {"palette index 5", button.SetPaletteColor(5, RGB(1, 2, 3)), 0},
      {"palette index 6", button.SetPaletteColor(6, RGB(1, 2, 3)), 3},
      {"shift index 6", button.ShiftPaletteColor(6, 10), 3},
      {"shift 256", button.ShiftPaletteColor(0, 256), 5},
      {"shift -256", button.ShiftPaletteColor(0, -256), 5},
      {"shift 255", button.ShiftPaletteColor(0, 255), 0},
      {"not an icon", button.SetIcons(reinterpret_cast<HICON>(static_cast<INT_PTR>(0x7777)), nullptr), 1},
      {"icon pair", button.LoadIconPair(IDI_RED, IDI_BLUE), 0},
      {"no such menu", button.AttachDropMenu(999, target_.GetSafeHwnd(), TRUE, 0, 16, 16, RGB(192, 192, 192)), 1},
      {"menu, 24-bit toolbar",
       button.AttachDropMenu(IDR_DROPDOWN, target_.GetSafeHwnd(), TRUE, IDR_TOOLBAR_24, 16, 16, RGB(192, 192, 192)), 1},
      {"menu and toolbar",
       button.AttachDropMenu(IDR_DROPDOWN, target_.GetSafeHwnd(), TRUE, IDR_TOOLBAR, 16, 16, RGB(192, 192, 192)), 0},
      {"menu notify", button.SetMenuNotify(target_.GetSafeHwnd(), WM_MENU_NOTICE, 7), 0},
  };
  for (const Case& c : cases) EXPECT_EQ(c.result, c.expected) << c.what;
  EXPECT_EQ(button.GetIcon(0) != nullptr, true);
  EXPECT_EQ(button.GetDropMenu().GetIconWidth(), 16);
  EXPECT_EQ(button.GetDropMenu().GetIconHeight(), 16) << "at least 16 x 16";
}

TEST_F(ButtonSTTest, PaletteShiftsStayWithinTheChannels) {
  CButtonST button;
  struct Case {
    COLORREF colour;
    short delta;
    COLORREF expected;
  };
  for (const Case& c : {Case{RGB(200, 100, 50), 100, RGB(255, 155, 105)}, Case{RGB(30, 200, 90), -100, RGB(0, 170, 60)},
                        Case{RGB(10, 20, 30), 40, RGB(50, 60, 70)}, Case{RGB(255, 0, 0), 5, RGB(255, 0, 0)}}) {
    button.SetPaletteColor(2, c.colour, FALSE);
    EXPECT_EQ(button.ShiftPaletteColor(2, c.delta, FALSE), 0u);
    EXPECT_EQ(button.GetPaletteColor(2), c.expected) << c.colour << " " << c.delta;
  }
  button.SetDefaultColors(FALSE);
  for (BYTE i = 0; i < 6; ++i)
    EXPECT_EQ(button.GetPaletteColor(i), GetSysColor(i % 2 ? COLOR_BTNTEXT : COLOR_BTNFACE)) << int(i);
}

TEST_F(ButtonSTTest, CheckBoxesToggleAndRadioButtonsClearTheirGroup) {
  CButtonST push, check, radios[3], after;
  Make(push, BS_DEFPUSHBUTTON, 1001, 0, 0);
  Make(check, BS_AUTOCHECKBOX, 1002, 0, 40);
  Make(radios[0], BS_AUTORADIOBUTTON | WS_GROUP, 1003, 100, 0);
  Make(radios[1], BS_AUTORADIOBUTTON, 1004, 100, 40);
  Make(radios[2], BS_RADIOBUTTON, 1005, 100, 80);
  Make(after, BS_AUTORADIOBUTTON | WS_GROUP, 1006, 100, 120);
  EXPECT_EQ(push.GetStyle() & 0x0F, static_cast<DWORD>(BS_OWNERDRAW)) << "owner-drawn from now on";

  Click(push);
  EXPECT_EQ(push.SendMessage(BM_GETCHECK), 0);
  push.SendMessage(BM_SETCHECK, BST_CHECKED);
  EXPECT_EQ(push.SendMessage(BM_GETCHECK), 0) << "a push button has no check";
  for (int expected : {1, 0, 1}) {
    Click(check);
    EXPECT_EQ(check.SendMessage(BM_GETCHECK), expected);
  }
  after.SendMessage(BM_SETCHECK, BST_CHECKED);
  Click(radios[1]);
  EXPECT_EQ(radios[1].SendMessage(BM_GETCHECK), 1);
  Click(radios[0]);
  EXPECT_EQ(radios[0].SendMessage(BM_GETCHECK), 1);
  EXPECT_EQ(radios[1].SendMessage(BM_GETCHECK), 0);
  EXPECT_EQ(radios[2].SendMessage(BM_GETCHECK), 0);
  Click(radios[2]);
  EXPECT_EQ(radios[0].SendMessage(BM_GETCHECK), 0);
  EXPECT_EQ(after.SendMessage(BM_GETCHECK), 1) << "another group keeps its check";
  EXPECT_EQ(check.SendMessage(BM_SETCHECK, BST_INDETERMINATE), 0);
  EXPECT_EQ(check.SendMessage(BM_GETCHECK), 1);

  struct Code {
    CButtonST* button;
    UINT kind;
  };
  for (const Code& c : {Code{&push, DLGC_DEFPUSHBUTTON}, Code{&check, DLGC_UNDEFPUSHBUTTON}, Code{&radios[0], DLGC_RADIOBUTTON}})
    EXPECT_TRUE(c.button->SendMessage(WM_GETDLGCODE) & c.kind);
  push.SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, FALSE);
  EXPECT_TRUE(push.SendMessage(WM_GETDLGCODE) & DLGC_UNDEFPUSHBUTTON);
  EXPECT_EQ(push.GetStyle() & 0x0F, static_cast<DWORD>(BS_OWNERDRAW));
}

TEST_F(ButtonSTTest, AFlatButtonIsHoveredWhileTheMouseIsOverIt) {
  CButtonST button;
  Make(button, BS_PUSHBUTTON, 1001);
  Canvas canvas(80, 30);
  button.SetPaletteColor(CButtonST::BTNST_COLOR_BK_IN, RGB(0, 200, 0), FALSE);
  button.SetPaletteColor(CButtonST::BTNST_COLOR_BK_OUT, RGB(0, 0, 200), FALSE);
  Draw(button, canvas);
  EXPECT_EQ(canvas.Pixel(40, 2), RGB(0, 0, 200));
  EXPECT_EQ(canvas.Pixel(0, 0), RGB(0, 0, 200)) << "no border while not hovered";

  button.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_FALSE(button.IsHovered()) << "a drag from elsewhere does not hover";
  button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(button.IsHovered());
  Draw(button, canvas);
  EXPECT_EQ(canvas.Pixel(40, 2), RGB(0, 200, 0));
  EXPECT_EQ(canvas.Pixel(0, 0), GetSysColor(COLOR_BTNHILIGHT)) << "the flat border shows";
  EXPECT_EQ(canvas.Pixel(79, 29), GetSysColor(COLOR_BTNSHADOW));

  button.SendMessage(WM_MOUSELEAVE);
  EXPECT_FALSE(button.IsHovered());
  button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  button.SendMessage(WM_KILLFOCUS);
  EXPECT_FALSE(button.IsHovered());
  button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  button.SendMessage(WM_CANCELMODE);
  EXPECT_FALSE(button.IsHovered());
  button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(500, 5));
  EXPECT_FALSE(button.IsHovered()) << "the cursor is elsewhere";
}

TEST_F(ButtonSTTest, IconsStandBesideTheCaptionAndTheirCopiesAreGreyOrDark) {
  CButtonST button;
  Make(button, BS_PUSHBUTTON, 1001);
  ASSERT_EQ(button.LoadIconPair(IDI_RED, static_cast<int>(CButtonST::kGreyCopy)), 0u);
  Canvas canvas(80, 30);
  Draw(button, canvas);
  // Not hovered: the second (grey) icon, left of the caption at x = 3.
  const int grey = static_cast<int>(0.299 * 220);
  EXPECT_EQ(canvas.Pixel(3 + 8, 7 + 8), RGB(grey, grey, grey));
  EXPECT_EQ(canvas.Pixel(3, 7), GetSysColor(COLOR_BTNFACE)) << "the icon's corner is transparent";
  button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  Draw(button, canvas);
  EXPECT_EQ(canvas.Pixel(3 + 8, 7 + 8), RGB(220, 0, 0)) << "hovered: the first icon";
  Draw(button, canvas, ODS_SELECTED);
  EXPECT_EQ(canvas.Pixel(4 + 8, 8 + 8), RGB(220, 0, 0)) << "pressed: moved by (1, 1)";

  ASSERT_EQ(button.LoadIconPair(IDI_RED, static_cast<int>(CButtonST::kDarkCopy)), 0u);
  button.CancelHover();
  button.SetContentLayout(3);
  Draw(button, canvas);
  EXPECT_EQ(canvas.Pixel(8, 8), RGB(165, 0, 0)) << "layout 3: at the top-left, darkened by a quarter";
}

TEST_F(ButtonSTTest, TheDropDownMenuPostsTheChosenCommandAndNothingOnCancel) {
  CButtonST button;
  Make(button, BS_PUSHBUTTON, 1001);
  ASSERT_EQ(button.AttachDropMenu(IDR_DROPDOWN, target_.GetSafeHwnd(), FALSE, IDR_TOOLBAR, 16, 16,
                                  RGB(192, 192, 192)),
            0u);
  button.SetMenuNotify(target_.GetSafeHwnd(), WM_MENU_NOTICE, 42);
  CRect rect;
  button.GetWindowRect(&rect);
  std::vector<int> offered;
  bool openWhileShown = false;
  wavorel::setModalResponder([&](const wavorel::ModalWindow& w) {
    offered = w.buttons;
    openWhileShown = button.IsMenuOpen() != FALSE;
    CRect menu;
    ::GetWindowRect(w.hwnd, &menu);
    EXPECT_EQ(menu.TopLeft(), CPoint(rect.left, rect.bottom)) << "under the button";
    return ID_SAVE;
  });
  Click(button);
  EXPECT_EQ(offered, (std::vector<int>{ID_OPEN, ID_SAVE, ID_EXIT}));
  EXPECT_TRUE(openWhileShown);
  EXPECT_FALSE(button.IsMenuOpen());
  ASSERT_EQ(target_.notices.size(), 1u);
  EXPECT_EQ(target_.notices[0].first, reinterpret_cast<WPARAM>(button.GetDropMenu().GetSubMenu(0)->GetSafeHmenu()));
  EXPECT_EQ(target_.notices[0].second, 42);
  EXPECT_TRUE(target_.commands.empty()) << "posted, not sent";
  wavorel::pumpMessages();
  EXPECT_EQ(target_.commands, std::vector<UINT>{ID_SAVE});

  wavorel::setModalResponder(nullptr);  // dismissed
  Click(button);
  wavorel::pumpMessages();
  EXPECT_EQ(target_.commands, std::vector<UINT>{ID_SAVE});
  EXPECT_FALSE(button.IsMenuOpen());

  // WM_MENUCHAR of the pop-up reaches the icon menu.
  HMENU popup = button.GetDropMenu().GetSubMenu(0)->GetSafeHmenu();
  EXPECT_EQ(button.SendMessage(WM_MENUCHAR, MAKEWPARAM('x', MF_POPUP), reinterpret_cast<LPARAM>(popup)), 0x20002);
}

TEST_F(ButtonSTTest, AWorkerClosingWhileTheMenuIsOpenLeavesTheButtonAlone) {
  Host host;
  ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr));
  HWND hwnd = CreateWindowEx(0, "Button", "Auth", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 80, 30,
                             host.GetSafeHwnd(), reinterpret_cast<HMENU>(1001), nullptr, nullptr);
  ASSERT_TRUE(hwnd);
  ASSERT_TRUE(host.button->SubclassWindow(hwnd));
  ASSERT_EQ(host.button->AttachDropMenu(IDR_DROPDOWN, target_.GetSafeHwnd(), TRUE, 0, 16, 16, 0), 0u);
  wavorel::setModalResponder([&](const wavorel::ModalWindow&) {
    WorkerClosingFlag = TRUE;
    host.DestroyWindow();  // deletes the button object too
    return 0;
  });
  ::SendMessage(hwnd, BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(host.button, nullptr);
  wavorel::pumpMessages();
  EXPECT_TRUE(target_.commands.empty());
}

}  // namespace
}  // namespace widgets_test
