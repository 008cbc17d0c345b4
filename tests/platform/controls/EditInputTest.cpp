// An edit as a person works it: the caret follows typing, the mouse and the
// keys select, and the clipboard copies, cuts and pastes, within the platform
// and from another program's clipboard (a stand-in for the X selection);
// bad clipboard contents have a defined result.
#include <cstring>
#include <thread>
#include <string>
#include <vector>

#include "tests/platform/controls/ControlTestSupport.h"

namespace wavorel::testing {
namespace {

using Commands = std::vector<std::pair<int, int>>;

// Another program's clipboard: what it holds, and what it was offered.
class FakePeer : public ClipboardPeer {
 public:
  bool othersOwn() override { return othersOwn_; }
  bool fetchText(std::string& text) override {
    ++fetched;
    if (!hasText) return false;
    text = held;
    return true;
  }
  void offerText() override {
    othersOwn_ = false;
    clipboardText(offered);
  }
  bool othersOwn_ = false;
  bool hasText = true;
  std::string held;
  std::string offered;
  int fetched = 0;
};

class EditInputTest : public ControlTest {
 protected:
  void TearDown() override {
    setClipboardPeer(nullptr);
    ControlTest::TearDown();
  }
  // Keys through the message loop, so that TranslateMessage types them.
  static void keys(std::initializer_list<UINT> vks, UINT modifier = 0) {
    if (modifier) sendKey(modifier, true);
    for (UINT vk : vks) {
      sendKey(vk, true);
      sendKey(vk, false);
    }
    if (modifier) sendKey(modifier, false);
    pumpMessages();
  }
  static std::pair<DWORD, DWORD> selection(HWND edit) {
    DWORD start = 99, end = 99;
    send(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }
  static void putText(const std::string& text, UINT format = CF_TEXT) {
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(data), text.c_str(), text.size() + 1);
    GlobalUnlock(data);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    ASSERT_EQ(SetClipboardData(format, data), data);
    CloseClipboard();
  }
  static std::string clipboard() {
    std::string text;
    if (!OpenClipboard(nullptr)) return "(not opened)";
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
      text = static_cast<const char*>(GlobalLock(data));
      GlobalUnlock(data);
    } else {
      text = "(none)";
    }
    CloseClipboard();
    return text;
  }
};

TEST_F(EditInputTest, TheCaretFollowsTypingAndTheShiftedKeysSelect) {
  HWND e = control(WC_EDIT, ES_AUTOHSCROLL, 1, "", {10, 10, 210, 34});
  SetFocus(e);
  POINT start{}, later{};
  ASSERT_TRUE(GetCaretPos(&start));
  keys({'A', 'B', 'C'});
  EXPECT_EQ(text(e), "abc");
  GetCaretPos(&later);
  EXPECT_GT(later.x, start.x);
  keys({VK_LEFT, VK_HOME}, VK_SHIFT);
  EXPECT_EQ(selection(e), (std::pair<DWORD, DWORD>{0, 3}));
  keys({VK_RIGHT});
  EXPECT_EQ(selection(e), (std::pair<DWORD, DWORD>{1, 1}));
  keys({VK_END}, VK_SHIFT);
  EXPECT_EQ(selection(e), (std::pair<DWORD, DWORD>{1, 3}));
  SetFocus(parent_);
  EXPECT_FALSE(GetCaretPos(&later)) << "the caret goes with the focus";
}

TEST_F(EditInputTest, TheMousePlacesTheCaretAndDragsASelection) {
  HWND e = control(WC_EDIT, ES_AUTOHSCROLL, 1, "wireless", {10, 10, 210, 34});
  send(e, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(199, 5));
  EXPECT_EQ(GetFocus(), e);
  EXPECT_EQ(GetCapture(), e);
  EXPECT_EQ(selection(e), (std::pair<DWORD, DWORD>{8, 8})) << "right of the text: its end";
  send(e, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0, 5));
  send(e, WM_LBUTTONUP, 0, MAKELPARAM(0, 5));
  EXPECT_EQ(selection(e), (std::pair<DWORD, DWORD>{0, 8}));
  EXPECT_EQ(GetCapture(), nullptr);
  send(e, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 5));
  EXPECT_EQ(selection(e), (std::pair<DWORD, DWORD>{0, 8})) << "a double click takes the word";
}

TEST_F(EditInputTest, CopyCutAndPasteThroughTheClipboardKeys) {
  HWND from = control(WC_EDIT, 0, 1, "Pass-Word_1.2!");
  HWND to = control(WC_EDIT, 0, 2, "", {10, 50, 110, 80});
  SetFocus(from);
  send(from, EM_SETSEL, 5, 9);
  keys({'C'}, VK_CONTROL);
  EXPECT_EQ(clipboard(), "Word");
  EXPECT_EQ(GetClipboardOwner(), from);
  SetFocus(to);
  keys({'V'}, VK_CONTROL);
  keys({VK_INSERT}, VK_SHIFT);
  EXPECT_EQ(text(to), "WordWord");
  SetFocus(from);
  send(from, EM_SETSEL, 0, 5);
  keys({'X'}, VK_CONTROL);
  EXPECT_EQ(text(from), "Word_1.2!");
  EXPECT_EQ(clipboard(), "Pass-");

  // A password is never copied; a read-only edit copies but takes nothing.
  HWND secret = control(WC_EDIT, ES_PASSWORD, 3, "hidden");
  send(secret, EM_SETSEL, 0, -1);
  send(secret, WM_COPY);
  send(secret, WM_CUT);
  EXPECT_EQ(clipboard(), "Pass-");
  EXPECT_EQ(text(secret), "hidden");
  HWND shown = control(WC_EDIT, ES_READONLY, 4, "shown");
  send(shown, EM_SETSEL, 0, -1);
  send(shown, WM_CUT);
  send(shown, WM_PASTE);
  EXPECT_EQ(text(shown), "shown");
  send(shown, WM_COPY);
  EXPECT_EQ(clipboard(), "shown");
}

TEST_F(EditInputTest, PastedTextKeepsToTheEditsLinesAndLimit) {
  HWND single = control(WC_EDIT, ES_UPPERCASE, 1);
  putText("first line\r\nsecond");
  send(single, WM_PASTE);
  EXPECT_EQ(text(single), "FIRST LINE") << "a single-line edit takes the first line";

  HWND multi = control(WC_EDIT, ES_MULTILINE, 2);
  putText("one\r\ntwo");
  send(multi, WM_PASTE);
  char buf[32] = "";
  GetWindowText(multi, buf, sizeof buf);
  EXPECT_STREQ(buf, "one\r\ntwo");
  EXPECT_EQ(send(multi, EM_GETLINECOUNT), 2);

  // A huge text: cut at the typing limit, with EN_MAXTEXT.
  HWND limited = control(WC_EDIT, 0, 3);
  putText(std::string(1 << 20, 'k'));
  clearLog();
  send(limited, WM_PASTE);
  EXPECT_EQ(send(limited, WM_GETTEXTLENGTH), 32767);
  EXPECT_EQ(commands().front(), (std::pair<int, int>{3, EN_MAXTEXT}));

  // A clipboard without text pastes nothing.
  putText("not text", CF_DIB);
  send(limited, EM_SETSEL, 0, -1);
  send(limited, WM_PASTE);
  EXPECT_EQ(send(limited, WM_GETTEXTLENGTH), 32767);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
}

TEST_F(EditInputTest, TheClipboardIsOpenedByOneThreadAndReadOnlyWhileOpen) {
  EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLIPBOARD_NOT_OPEN));
  EXPECT_FALSE(EmptyClipboard());
  EXPECT_FALSE(CloseClipboard());
  HWND owner = control(WC_EDIT, 0, 1);
  ASSERT_TRUE(OpenClipboard(owner));
  EXPECT_EQ(GetOpenClipboardWindow(), owner);
  bool otherOpened = true;
  std::thread other([&] { otherOpened = OpenClipboard(nullptr) != FALSE; });
  other.join();
  EXPECT_FALSE(otherOpened);
  EXPECT_EQ(SetClipboardData(CF_TEXT, nullptr), nullptr) << "no delayed rendering";
  EXPECT_TRUE(EmptyClipboard());
  EXPECT_EQ(CountClipboardFormats(), 0);
  EXPECT_TRUE(CloseClipboard());
  EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
}

TEST_F(EditInputTest, AnotherProgramsClipboardIsReadAndOursIsOffered) {
  FakePeer peer;
  setClipboardPeer(&peer);
  HWND e = control(WC_EDIT, 0, 1, "ssid");
  send(e, EM_SETSEL, 0, -1);
  send(e, WM_COPY);
  EXPECT_EQ(peer.offered, "ssid") << "closing the clipboard offers the new text";
  EXPECT_EQ(clipboard(), "ssid");
  EXPECT_EQ(peer.fetched, 0) << "our own text is not fetched";

  peer.othersOwn_ = true;  // another program copies
  peer.held = "from elsewhere";
  send(e, WM_PASTE);
  EXPECT_EQ(text(e), "from elsewhere");
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));

  peer.hasText = false;  // then copies a picture
  send(e, EM_SETSEL, 0, -1);
  send(e, WM_PASTE);
  EXPECT_EQ(text(e), "from elsewhere") << "no text on the clipboard: nothing pasted";
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_EQ(clipboard(), "(none)") << "our older text is not the clipboard";

  peer.hasText = true;
  peer.held = std::string(kMaxClipboardText + 100, 'x');
  EXPECT_EQ(clipboard().size(), kMaxClipboardText) << "a huge text is cut";
}

}  // namespace
}  // namespace wavorel::testing
