// The drop-down list of a combo box as a window of its own: where it opens,
// what a person's mouse and keys do to it, the notifications in their order,
// its colours, and a list of thousands of items.
#include <string>
#include <vector>

#include "platform/present/WindowImage.h"
#include "tests/platform/controls/ControlTestSupport.h"

namespace wavorel::testing {
namespace {

using Commands = std::vector<std::pair<int, int>>;
constexpr int kId = 9;

class ComboDropDownTest : public ControlTest {
 protected:
  HWND combo(DWORD style, int items, RECT r = {10, 10, 130, 210}) {
    HWND c = control(WC_COMBOBOX, style, kId, "", r);
    for (int i = 0; i < items; ++i) send(c, CB_ADDSTRING, 0, str(("Channel " + std::to_string(i + 1)).c_str()));
    return c;
  }
  static HWND listOf(HWND c) {
    COMBOBOXINFO info{sizeof info, {}, {}, 0, nullptr, nullptr, nullptr};
    return GetComboBoxInfo(c, &info) ? info.hwndList : nullptr;
  }
  static RECT rectOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
  }
  // A press and release at a screen point, to the window under it or the
  // capture, as the display gives them.
  static void click(POINT screen) {
    HWND target = GetCapture() ? GetCapture() : WindowFromPoint(screen);
    POINT client = screen;
    ScreenToClient(target, &client);
    PostMessage(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    PostMessage(target, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    pumpMessages();
  }
  // The middle of item `index` of an open list with 16-pixel rows, from its top.
  static POINT itemPoint(HWND list, int index) {
    RECT r = rectOf(list);
    LONG top = static_cast<LONG>(SendMessage(list, LB_GETTOPINDEX, 0, 0));
    return POINT{r.left + 10, r.top + 1 + (index - top) * 16 + 8};
  }
  static void keys(std::initializer_list<UINT> vks) {
    for (UINT vk : vks) {
      sendKey(vk, true);
      sendKey(vk, false);
    }
    pumpMessages();
  }
};

TEST_F(ComboDropDownTest, TheClosedComboIsAsTallAsItsFaceAndItsListOpensBelowOrAbove) {
  HWND c = combo(CBS_DROPDOWNLIST, 3);
  RECT face = rectOf(c);
  EXPECT_EQ(face.bottom - face.top, send(c, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1)));
  MoveWindow(c, 10, 10, 150, 300, TRUE);
  face = rectOf(c);
  EXPECT_EQ(face.bottom - face.top, 18) << "a new height is the list's, not the face's";
  EXPECT_EQ(face.right - face.left, 150);

  HWND list = listOf(c);
  ASSERT_NE(list, nullptr);
  EXPECT_FALSE(IsWindowVisible(list));
  EXPECT_FALSE(GetWindowLong(list, GWL_STYLE) & WS_CHILD) << "a popup of its own, not clipped by the dialog";
  send(c, CB_SHOWDROPDOWN, TRUE);
  EXPECT_TRUE(IsWindowVisible(list));
  RECT open = rectOf(list);
  EXPECT_EQ(open.top, face.bottom);
  EXPECT_EQ(open.left, face.left);
  EXPECT_EQ(open.right - open.left, 150);
  EXPECT_EQ(open.bottom - open.top, 3 * 16 + 2) << "three rows in a one-pixel border";
  RECT reported{};
  send(c, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&reported));
  EXPECT_EQ(reported.top, open.top);
  EXPECT_EQ(reported.bottom, open.bottom);
  send(c, CB_SHOWDROPDOWN, FALSE);
  EXPECT_FALSE(IsWindowVisible(list));

  // Near the bottom of the screen it opens above the face.
  const int screen = GetSystemMetrics(SM_CYSCREEN);
  SetWindowPos(parent_, nullptr, 0, screen - 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  send(c, CB_SHOWDROPDOWN, TRUE);
  face = rectOf(c);
  open = rectOf(list);
  EXPECT_EQ(open.bottom, face.top);
  EXPECT_EQ(open.bottom - open.top, 3 * 16 + 2);
  send(c, CB_SHOWDROPDOWN, FALSE);
}

TEST_F(ComboDropDownTest, TheItemsLastAsLongAsTheComboBox) {
  // A dialog destroys the windows it owns before it gets WM_DESTROY; the
  // combo box's list is none of them, so the dialog still reads the choice.
  HWND c = combo(CBS_DROPDOWNLIST, 3);
  send(c, CB_SETCURSEL, 2);
  LRESULT atDestroy = -5, countAtDestroy = -5;
  on(WM_DESTROY, [&](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
    atDestroy = send(c, CB_GETCURSEL);
    countAtDestroy = send(c, CB_GETCOUNT);
    return 0;
  }, parent_);
  HWND list = listOf(c);
  DestroyWindow(parent_);
  EXPECT_EQ(atDestroy, 2);
  EXPECT_EQ(countAtDestroy, 3);
  EXPECT_FALSE(IsWindow(list)) << "the combo box takes its list with it";
}

TEST_F(ComboDropDownTest, AMouseChoiceNotifiesInOrderAndAClickOutsideCancels) {
  HWND c = combo(CBS_DROPDOWNLIST, 4);
  send(c, CB_SETCURSEL, 0);
  click(POINT{100, 15});  // on the face
  HWND list = listOf(c);
  ASSERT_TRUE(IsWindowVisible(list));
  EXPECT_EQ(GetCapture(), list);
  EXPECT_EQ(GetFocus(), c);
  // The pointer over an item highlights it but chooses nothing yet.
  mouseMoveTo(itemPoint(list, 2));
  pumpMessages();
  EXPECT_EQ(send(c, CB_GETCURSEL), 0);
  click(itemPoint(list, 2));
  EXPECT_FALSE(IsWindowVisible(list));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(send(c, CB_GETCURSEL), 2);
  EXPECT_EQ(text(c), "Channel 3");
  EXPECT_EQ(commands(), (Commands{{kId, CBN_SETFOCUS}, {kId, CBN_DROPDOWN}, {kId, CBN_SELCHANGE},
                                  {kId, CBN_SELENDOK}, {kId, CBN_CLOSEUP}}));

  clearLog();
  click(POINT{100, 15});
  mouseMoveTo(itemPoint(list, 3));
  pumpMessages();
  click(POINT{390, 290});  // outside the list and the combo box
  EXPECT_FALSE(IsWindowVisible(list));
  EXPECT_EQ(send(c, CB_GETCURSEL), 2) << "the highlight was no choice";
  EXPECT_EQ(commands(), (Commands{{kId, CBN_DROPDOWN}, {kId, CBN_SELENDCANCEL}, {kId, CBN_CLOSEUP}}));

  // Choosing the selected item again changes nothing but still ends well.
  clearLog();
  click(POINT{100, 15});
  click(itemPoint(list, 2));
  EXPECT_EQ(commands(), (Commands{{kId, CBN_DROPDOWN}, {kId, CBN_SELENDOK}, {kId, CBN_CLOSEUP}}));
}

TEST_F(ComboDropDownTest, TheKeyboardOpensMovesAndChooses) {
  HWND c = combo(CBS_DROPDOWNLIST, 4);
  SetFocus(c);
  clearLog();
  sendKey(VK_MENU, true);
  keys({VK_DOWN});
  sendKey(VK_MENU, false);
  pumpMessages();
  EXPECT_TRUE(send(c, CB_GETDROPPEDSTATE));
  MSG enter{c, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
  EXPECT_TRUE(send(c, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) & DLGC_WANTMESSAGE)
      << "while open, Enter is the combo box's, not the dialog's";
  keys({VK_DOWN, VK_DOWN, VK_RETURN});
  EXPECT_FALSE(send(c, CB_GETDROPPEDSTATE));
  EXPECT_FALSE(send(c, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) & DLGC_WANTMESSAGE);
  EXPECT_EQ(send(c, CB_GETCURSEL), 1);
  EXPECT_EQ(commands(), (Commands{{kId, CBN_DROPDOWN}, {kId, CBN_SELCHANGE}, {kId, CBN_SELCHANGE},
                                  {kId, CBN_SELENDOK}, {kId, CBN_CLOSEUP}}));

  // F4 opens, Escape closes without a choice; a typed letter selects.
  clearLog();
  keys({VK_F4, VK_ESCAPE});
  keys({'C'});
  EXPECT_EQ(send(c, CB_GETCURSEL), 2) << "the next item that begins with C";
  EXPECT_EQ(commands(), (Commands{{kId, CBN_DROPDOWN}, {kId, CBN_SELENDCANCEL}, {kId, CBN_CLOSEUP},
                                  {kId, CBN_SELCHANGE}}));
}

TEST_F(ComboDropDownTest, ThousandsOfItemsShowThirtyRowsAndScroll) {
  HWND c = combo(CBS_DROPDOWNLIST, 5000);
  SetFocus(c);
  send(c, CB_SHOWDROPDOWN, TRUE);
  HWND list = listOf(c);
  RECT open = rectOf(list);
  EXPECT_EQ(open.bottom - open.top, 30 * 16 + 2);
  EXPECT_EQ(send(c, CB_GETMINVISIBLE), 30);
  keys({VK_END});
  EXPECT_EQ(send(c, CB_GETCURSEL), 4999);
  EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 4970) << "the last item in view at the bottom";
  keys({VK_PRIOR});
  EXPECT_EQ(send(c, CB_GETCURSEL), 4999 - 29);
  // The wheel and the scroll bar move the view, not the selection.
  SendMessage(list, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(open.left + 5, open.top + 5));
  EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 4967);
  RECT client;
  GetClientRect(list, &client);
  const LONG barX = open.left + 1 + client.right - 8;  // the middle of the bar at the right
  click(POINT{barX, open.top + 1 + 4});                 // its up arrow
  EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 4966);
  EXPECT_TRUE(send(c, CB_GETDROPPEDSTATE)) << "a click on the scroll bar keeps the list open";
  click(POINT{barX, open.top + 1 + 16 + 1});  // the track above the thumb: a page up
  EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 4966 - 30);
  // The thumb, at the bottom of the track while the last item shows, dragged
  // to the middle of the track shows the middle of the list.
  keys({VK_END});
  const LONG track = client.bottom - 2 * 16;
  PostMessage(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right - 8, client.bottom - 16 - 3));
  PostMessage(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.right - 8, 16 + track / 2 - 3));
  PostMessage(list, WM_LBUTTONUP, 0, MAKELPARAM(client.right - 8, 16 + track / 2 - 3));
  pumpMessages();
  LRESULT middle = SendMessage(list, LB_GETTOPINDEX, 0, 0);
  EXPECT_GT(middle, 2300);
  EXPECT_LT(middle, 2700);
  EXPECT_EQ(send(c, CB_GETCURSEL), 4999) << "scrolling chooses nothing";
  keys({VK_ESCAPE});
  EXPECT_FALSE(send(c, CB_GETDROPPEDSTATE));
}

TEST_F(ComboDropDownTest, TheListAsksForItsColoursWithItsOwnHandle) {
  HBRUSH green = CreateSolidBrush(RGB(0, 160, 0));
  std::vector<HWND> asked;
  on(WM_CTLCOLORLISTBOX, [&](HWND, UINT, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
    asked.push_back(reinterpret_cast<HWND>(lParam));
    return reinterpret_cast<LRESULT>(green);
  });
  HWND c = combo(CBS_DROPDOWNLIST, 2);
  send(c, CB_SHOWDROPDOWN, TRUE);
  HWND list = listOf(c);
  WindowImage image = composeWindow(list);
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ(asked.back(), list);
  EXPECT_EQ(image.colorAt(image.width - 5, image.height - 5), RGB(0, 160, 0));
  send(c, CB_SHOWDROPDOWN, FALSE);
  DeleteObject(green);
}

TEST_F(ComboDropDownTest, OwnerDrawnItemsAreDrawnAsTheComboBoxsWithTheHighlightFocused) {
  std::vector<DRAWITEMSTRUCT> drawn;
  on(WM_MEASUREITEM, [](HWND, UINT, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
    reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 20;
    return TRUE;
  });
  on(WM_DRAWITEM, [&](HWND, UINT, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
    drawn.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    return TRUE;
  });
  HWND c = combo(CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, 3);
  send(c, CB_SETCURSEL, 1);
  send(c, CB_SHOWDROPDOWN, TRUE);
  HWND list = listOf(c);
  drawn.clear();
  composeWindow(list);
  ASSERT_EQ(drawn.size(), 3u);
  for (const DRAWITEMSTRUCT& d : drawn) {
    EXPECT_EQ(d.CtlType, static_cast<UINT>(ODT_COMBOBOX));
    EXPECT_EQ(d.CtlID, static_cast<UINT>(kId));
    EXPECT_EQ(d.hwndItem, c);
    EXPECT_EQ(d.rcItem.bottom - d.rcItem.top, 20);
  }
  EXPECT_EQ(drawn[1].itemState, static_cast<UINT>(ODS_SELECTED | ODS_FOCUS));
  EXPECT_EQ(drawn[0].itemState, 0u);
  send(c, CB_SHOWDROPDOWN, FALSE);
}

}  // namespace
}  // namespace wavorel::testing
