// A form of skinned controls on an X server, worked with XTest as a person
// would: typing punctuation into a skinned edit, Tab through the form in its
// order, the X clipboard both ways (and a picture, a huge text and a key the
// keyboard does not map), a drop-down list opened by a click and by Alt+Down
// and chosen from with the mouse and the keyboard, and the skinned bitmap
// combo box's list drawn in its colours. Skipped where Xvfb cannot be started.
#include <poll.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/Platform.h"
#include "platform/present/Presenter.h"
#include "platform/testing/PlatformTest.h"
#include "platform/testing/TestBitmaps.h"
#include "platform/win/kernel/Paths.h"
#include "skinvane/Skinvane.h"
#include "tests/display/data/DisplayIds.h"
#include "tests/display/DisplayTestSupport.h"

namespace wavorel::testing {
namespace {

using Notes = std::vector<std::pair<int, int>>;

constexpr COLORREF kListBack = RGB(20, 120, 40);
constexpr COLORREF kListText = RGB(250, 250, 250);
constexpr COLORREF kListBorder = RGB(200, 30, 200);
constexpr COLORREF kHot = RGB(240, 200, 0);

unsigned long rgbOf(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

class Form : public CDialog {
 public:
  Form() : CDialog(IDD_FORM) {}
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    name.SubclassDlgItem(IDC_NAME, this);
    name.SetOwnDrawEdge(1);
    passphrase.SubclassDlgItem(IDC_PASSPHRASE, this);
    channel.SubclassDlgItem(IDC_CHANNEL, this);
    band.SubclassDlgItem(IDC_BAND, this);
    for (int i = 1; i <= 40; ++i) channel.AddString(("Channel " + std::to_string(i)).c_str());
    channel.SetCurSel(0);
    band.SetComboListBitmap("C:\\Program Files\\app\\Skin\\border.bmp", "C:\\Program Files\\app\\Skin\\border.bmp",
                            "C:\\Program Files\\app\\Skin\\border.bmp", "C:\\Program Files\\app\\Skin\\border.bmp");
    band.SetNormalPositionColor(kListBack, kListText);
    band.SetHighlightColor(kHot, RGB(0, 0, 0));
    band.AddString("2.4 GHz");
    band.AddString("5 GHz");
    band.AddString("2.4 and 5 GHz");
    band.SetCurSel(0);
    return TRUE;
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    int id = LOWORD(wParam), code = HIWORD(wParam);
    if ((id == IDC_CHANNEL || id == IDC_BAND) && code != CBN_SETFOCUS && code != CBN_KILLFOCUS)
      notes.emplace_back(id, code);
    return CDialog::OnCommand(wParam, lParam);
  }
  void OnOK() override {}
  void OnCancel() override {}
  // Over OK the cursor is `okCursor`, where one is given.
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SETCURSOR && okCursor && reinterpret_cast<HWND>(wParam) == GetDlgItem(IDOK)->GetSafeHwnd()) {
      SetCursor(okCursor);
      return TRUE;
    }
    return CDialog::WindowProc(message, wParam, lParam);
  }

  CGxEdit name;
  CGxEdit passphrase;
  CComboBox channel;
  CGxComboBitmap band;
  Notes notes;
  HCURSOR okCursor = nullptr;
};

// Another program holding the X CLIPBOARD: it answers requests for its
// one form (`target`) with `data`, and asks for the clipboard's text.
class OtherProgram {
 public:
  explicit OtherProgram(const std::string& display) : d_(XOpenDisplay(display.c_str())) {
    if (!d_) return;
    window_ = XCreateSimpleWindow(d_, DefaultRootWindow(d_), 0, 0, 1, 1, 0, 0, 0);
    clipboard_ = XInternAtom(d_, "CLIPBOARD", False);
    targets_ = XInternAtom(d_, "TARGETS", False);
    utf8_ = XInternAtom(d_, "UTF8_STRING", False);
  }
  ~OtherProgram() {
    stopServing();
    if (d_) XCloseDisplay(d_);
  }
  bool open() const { return d_ != nullptr; }

  void own(const char* target, std::string data) {
    stopServing();
    target_ = XInternAtom(d_, target, False);
    data_ = std::move(data);
    XSetSelectionOwner(d_, clipboard_, window_, CurrentTime);
    XSync(d_, False);
    stop_ = false;
    server_ = std::thread([this] { serve(); });
  }
  // The clipboard's text as UTF-8, read the way other programs read it,
  // running `step` (the platform's loop, which answers) while it waits.
  std::string read(const std::function<void()>& step) {
    stopServing();
    Atom property = XInternAtom(d_, "OTHER_PROGRAM", False);
    XConvertSelection(d_, clipboard_, utf8_, property, window_, CurrentTime);
    XFlush(d_);
    XEvent e;
    std::string text = "(no answer)";
    if (!waitFor([&] { return XCheckTypedWindowEvent(d_, window_, SelectionNotify, &e) == True; }, step)) return text;
    if (e.xselection.property == None) return "(refused)";
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* bytes = nullptr;
    XGetWindowProperty(d_, window_, property, 0, 1 << 20, True, AnyPropertyType, &type, &format, &count, &after,
                       &bytes);
    text.assign(reinterpret_cast<char*>(bytes), count);
    if (bytes) XFree(bytes);
    return text;
  }

 private:
  void stopServing() {
    stop_ = true;
    if (server_.joinable()) server_.join();
  }
  void serve() {
    while (!stop_) {
      XEvent e;
      if (!XCheckTypedWindowEvent(d_, window_, SelectionRequest, &e)) {
        pollfd fd{ConnectionNumber(d_), POLLIN, 0};
        poll(&fd, 1, 10);
        continue;
      }
      const XSelectionRequestEvent& r = e.xselectionrequest;
      XEvent reply{};
      reply.xselection.type = SelectionNotify;
      reply.xselection.requestor = r.requestor;
      reply.xselection.selection = r.selection;
      reply.xselection.target = r.target;
      reply.xselection.time = r.time;
      reply.xselection.property = r.property;
      if (r.target == targets_) {
        Atom offered[] = {targets_, target_};
        XChangeProperty(d_, r.requestor, r.property, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(offered), 2);
      } else if (r.target == target_) {
        XChangeProperty(d_, r.requestor, r.property, target_, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(data_.data()), static_cast<int>(data_.size()));
      } else {
        reply.xselection.property = None;
      }
      XSendEvent(d_, r.requestor, False, NoEventMask, &reply);
      XFlush(d_);
    }
  }

  Display* d_;
  ::Window window_ = 0;
  Atom clipboard_ = 0, targets_ = 0, utf8_ = 0, target_ = 0;
  std::string data_;
  std::atomic<bool> stop_{true};
  std::thread server_;
};

class SkinnedFormTest : public PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    if (!server_.display()) GTEST_SKIP() << "Xvfb cannot be started";
    const std::string program = root() + "/prog";
    std::filesystem::create_directories(program + "/Skin");
    setProgramFolder(program, "app");
    ASSERT_TRUE(writeBmp("C:\\Program Files\\app\\Skin\\border.bmp", 3, 3, [](int, int) { return kListBorder; }));
    ASSERT_TRUE(present::openDisplay(server_.name().c_str()));
    ASSERT_TRUE(form_.Create(IDD_FORM));
    form_.SetWindowPos(nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    ASSERT_TRUE(waitFor([this] { return xwindow(form_.GetSafeHwnd()).id != 0; }, pump()));
  }
  void TearDown() override {
    if (form_.GetSafeHwnd()) form_.DestroyWindow();
    present::closeDisplay();
    PlatformTest::TearDown();
  }
  // The program's message loop, with the form's keyboard interface.
  std::function<void()> pump() {
    return [this] {
      clock().advance(10);
      MSG msg;
      while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) break;
        if (form_.GetSafeHwnd() && form_.PreTranslateMessage(&msg)) continue;
        TranslateMessage(&msg);
        DispatchMessage(&msg);
      }
    };
  }
  bool until(const std::function<bool()>& done) { return waitFor(done, pump()); }
  // Lets the display catch up (a window just shown grabs the pointer once
  // the X server has it on the screen) before a person's next move.
  void settle() {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    waitFor([end] { return std::chrono::steady_clock::now() >= end; }, pump());
  }
  // The viewable X window at a window's place.
  XWindowInfo xwindow(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    for (const XWindowInfo& w : viewableWindows(server_.display()))
      if (w.x == r.left && w.y == r.top && w.width == r.right - r.left) return w;
    return {};
  }
  POINT centre(UINT id) {
    RECT r;
    form_.GetDlgItem(static_cast<int>(id))->GetWindowRect(&r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  static std::string text(CWnd& w) {
    CString s;
    w.GetWindowText(s);
    return static_cast<LPCTSTR>(s);
  }
  void clickOn(UINT id) {
    POINT c = centre(id);
    hands_.click(c.x, c.y);
  }
  // The combo box's list while it is open.
  static HWND listOf(CComboBox& combo) {
    COMBOBOXINFO info{sizeof info, {}, {}, 0, nullptr, nullptr, nullptr};
    return GetComboBoxInfo(combo.GetSafeHwnd(), &info) && IsWindowVisible(info.hwndList) ? info.hwndList : nullptr;
  }
  void screenshot(const char* name) {
    std::filesystem::create_directories(DISPLAY_SCREENSHOT_DIR);
    hands_.screenshot(std::string(DISPLAY_SCREENSHOT_DIR) + "/" + name);
  }

  Xvfb server_;
  Hands hands_{server_.display()};
  Form form_;
};

TEST_F(SkinnedFormTest, TypedPunctuationArrivesExactlyAndTabFollowsTheFormsOrder) {
  clickOn(IDC_NAME);
  ASSERT_TRUE(until([&] { return GetFocus() == form_.name.GetSafeHwnd(); }));
  hands_.type("Pass-Word_1.2!");
  EXPECT_TRUE(until([&] { return text(form_.name) == "Pass-Word_1.2!"; })) << text(form_.name);
  screenshot("typed.png");

  const std::pair<bool, HWND> steps[] = {{false, form_.passphrase.GetSafeHwnd()},
                                         {false, form_.channel.GetSafeHwnd()},
                                         {false, form_.band.GetSafeHwnd()},
                                         {false, form_.GetDlgItem(IDOK)->GetSafeHwnd()},
                                         {false, form_.name.GetSafeHwnd()},
                                         {true, form_.GetDlgItem(IDOK)->GetSafeHwnd()}};
  for (const auto& step : steps) {
    hands_.key(XK_Tab, step.first);
    EXPECT_TRUE(until([&] { return GetFocus() == step.second; })) << "Tab" << (step.first ? " with Shift" : "");
  }
  // A key the keyboard does not map (a key code without key syms) is dropped.
  // (The click lands away from the first one: two so close in place and time
  // would make a double click, which does not move the focus.)
  POINT name = centre(IDC_NAME);
  hands_.click(name.x - 20, name.y);
  ASSERT_TRUE(until([&] { return GetFocus() == form_.name.GetSafeHwnd(); }));
  KeyCode unmapped = 0;
  int minKeycode = 0, maxKeycode = 0, per = 0;
  XDisplayKeycodes(server_.display(), &minKeycode, &maxKeycode);
  KeySym* syms = XGetKeyboardMapping(server_.display(), static_cast<KeyCode>(minKeycode), maxKeycode - minKeycode + 1, &per);
  for (int code = maxKeycode; code >= minKeycode && !unmapped; --code)
    if (syms[(code - minKeycode) * per] == NoSymbol) unmapped = static_cast<KeyCode>(code);
  XFree(syms);
  ASSERT_NE(unmapped, 0);
  hands_.rawKey(unmapped);
  hands_.key(XK_End);
  hands_.type("?");
  EXPECT_TRUE(until([&] { return text(form_.name) == "Pass-Word_1.2!?"; })) << text(form_.name);
}

TEST_F(SkinnedFormTest, ASkinnedEditsRingShowsWholeAroundItsFocus) {
  // The template's flat border became a client edge two pixels wide, room
  // for the edit's own ring and the focus colour inside it.
  clickOn(IDC_NAME);
  ASSERT_TRUE(until([&] { return GetFocus() == form_.name.GetSafeHwnd(); }));
  RECT r;
  form_.name.GetWindowRect(&r);
  const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
  const unsigned long ring = rgbOf(0xB99E80), focus = rgbOf(0xFFFFC8);
  EXPECT_TRUE(until([&] {
    return hands_.pixel(cx, r.top) == ring && hands_.pixel(cx, r.bottom - 1) == ring && hands_.pixel(r.left, cy) == ring &&
           hands_.pixel(r.right - 1, cy) == ring && hands_.pixel(cx, r.top + 1) == focus &&
           hands_.pixel(r.left + 1, cy) == focus;
  })) << std::hex << hands_.pixel(cx, r.top) << " " << hands_.pixel(cx, r.top + 1);
  screenshot("edit-ring.png");
}

TEST_F(SkinnedFormTest, TheCursorTakesTheShapeTheWindowUnderItSets) {
  using Cursor = Hands::CursorImage;
  RECT form;
  form_.GetWindowRect(&form);
  Cursor arrow, beam, own;
  hands_.moveTo(form.left + 5, form.bottom - 5);
  ASSERT_TRUE(until([&] { return (arrow = hands_.cursor()).width > 0; })) << "the server shows no cursor";
  POINT edit = centre(IDC_NAME);
  hands_.moveTo(edit.x, edit.y);
  EXPECT_TRUE(until([&] { return !((beam = hands_.cursor()) == arrow); })) << "the edit's I-beam";

  // A cursor of the program's own: black on its top half, see-through below,
  // its hot spot at (3, 5).
  const int size = 16;
  std::vector<BYTE> andBits(size * 2, 0x00);
  std::fill(andBits.begin() + size, andBits.end(), 0xFF);
  HBITMAP mask = CreateBitmap(size, size, 1, 1, andBits.data());
  HDC screen = GetDC(nullptr);
  HBITMAP colour = CreateCompatibleBitmap(screen, size, size);
  ReleaseDC(nullptr, screen);
  ICONINFO info{FALSE, 3, 5, mask, colour};
  form_.okCursor = CreateIconIndirect(&info);
  DeleteObject(mask);
  DeleteObject(colour);
  ASSERT_NE(form_.okCursor, nullptr);
  POINT ok = centre(IDOK);
  hands_.moveTo(ok.x, ok.y);
  EXPECT_TRUE(until([&] { return (own = hands_.cursor()).width == size; })) << own.width;
  EXPECT_EQ(own.height, size);
  EXPECT_EQ(own.xhot, 3);
  EXPECT_EQ(own.yhot, 5);
  ASSERT_EQ(own.argb.size(), static_cast<size_t>(size * size));
  EXPECT_EQ(own.argb[2 * size + 4] & 0xFFFFFFFFu, 0xFF000000u) << "opaque black above";
  EXPECT_EQ(own.argb[12 * size + 4] >> 24, 0u) << "see-through below";

  hands_.moveTo(edit.x, edit.y);
  EXPECT_TRUE(until([&] { return hands_.cursor() == beam; })) << "back to the I-beam";
  DestroyCursor(form_.okCursor);
  form_.okCursor = nullptr;
}

TEST_F(SkinnedFormTest, TheXClipboardReachesTheEditsBothWays) {
  OtherProgram other(server_.name());
  ASSERT_TRUE(other.open());
  other.own("UTF8_STRING", "caf\xC3\xA9 \xE2\x82\xAC 5\nsecond line");
  clickOn(IDC_PASSPHRASE);
  ASSERT_TRUE(until([&] { return GetFocus() == form_.passphrase.GetSafeHwnd(); }));
  hands_.key(XK_v, false);  // a plain v first, then Ctrl+V
  XTestFakeKeyEvent(server_.display(), XKeysymToKeycode(server_.display(), XK_Control_L), True, CurrentTime);
  hands_.key(XK_v);
  XTestFakeKeyEvent(server_.display(), XKeysymToKeycode(server_.display(), XK_Control_L), False, CurrentTime);
  XSync(server_.display(), False);
  EXPECT_TRUE(until([&] { return text(form_.passphrase) == "vcaf\xE9 \x80 5"; })) << text(form_.passphrase);

  // Copied here, pasted there.
  form_.passphrase.SetSel(1, 5);
  form_.passphrase.Copy();
  EXPECT_EQ(other.read(pump()), "caf\xC3\xA9");

  // A picture on the clipboard pastes nothing; a huge text is cut to the
  // edit's limit.
  other.own("image/png", std::string("\x89PNG\r\n", 6));
  form_.passphrase.SetSel(0, -1);
  form_.passphrase.Paste();
  EXPECT_EQ(text(form_.passphrase), "vcaf\xE9 \x80 5");
  other.own("UTF8_STRING", std::string(3 * 1024 * 1024, 'w'));
  form_.passphrase.SetSel(0, -1);
  form_.passphrase.Paste();
  EXPECT_EQ(form_.passphrase.GetWindowTextLength(), static_cast<int>(form_.passphrase.GetLimitText()));
}

TEST_F(SkinnedFormTest, ADropDownOpensByClickAndAltDownAndTakesMouseAndKeyboardChoices) {
  clickOn(IDC_CHANNEL);
  HWND list = nullptr;
  ASSERT_TRUE(until([&] { return (list = listOf(form_.channel)) != nullptr && xwindow(list).id; }));
  RECT face, open;
  form_.channel.GetWindowRect(&face);
  GetWindowRect(list, &open);
  EXPECT_EQ(open.top, face.bottom) << "below its face";
  screenshot("drop-down.png");
  // The fourth item, by the mouse.
  int row = static_cast<int>(form_.channel.GetItemHeight(0));
  hands_.click(open.left + 20, open.top + 1 + 3 * row + row / 2);
  EXPECT_TRUE(until([&] { return !listOf(form_.channel); }));
  EXPECT_EQ(form_.channel.GetCurSel(), 3);
  EXPECT_EQ(form_.notes, (Notes{{IDC_CHANNEL, CBN_DROPDOWN}, {IDC_CHANNEL, CBN_SELCHANGE},
                                {IDC_CHANNEL, CBN_SELENDOK}, {IDC_CHANNEL, CBN_CLOSEUP}}));

  // Alt+Down opens it, Down twice and Enter choose.
  form_.notes.clear();
  hands_.key(XK_Down, false, true);
  ASSERT_TRUE(until([&] { return listOf(form_.channel) != nullptr; }));
  hands_.key(XK_Down);
  hands_.key(XK_Down);
  hands_.key(XK_Return);
  EXPECT_TRUE(until([&] { return !listOf(form_.channel); }));
  EXPECT_EQ(form_.channel.GetCurSel(), 5);
  EXPECT_EQ(form_.notes, (Notes{{IDC_CHANNEL, CBN_DROPDOWN}, {IDC_CHANNEL, CBN_SELCHANGE}, {IDC_CHANNEL, CBN_SELCHANGE},
                                {IDC_CHANNEL, CBN_SELENDOK}, {IDC_CHANNEL, CBN_CLOSEUP}}));
  EXPECT_TRUE(IsWindow(form_.GetSafeHwnd())) << "Enter chose the item, it did not press OK";

  // A click outside closes it without a choice.
  form_.notes.clear();
  clickOn(IDC_CHANNEL);
  ASSERT_TRUE(until([&] { return listOf(form_.channel) != nullptr; }));
  settle();
  hands_.click(600, 450);
  EXPECT_TRUE(until([&] { return !listOf(form_.channel); }));
  EXPECT_EQ(form_.notes, (Notes{{IDC_CHANNEL, CBN_DROPDOWN}, {IDC_CHANNEL, CBN_SELENDCANCEL},
                                {IDC_CHANNEL, CBN_CLOSEUP}}));
}

TEST_F(SkinnedFormTest, TheBitmapComboBoxsListIsDrawnInItsColours) {
  clickOn(IDC_BAND);
  HWND list = nullptr;
  ASSERT_TRUE(until([&] { return (list = listOf(form_.band)) != nullptr && xwindow(list).id; }));
  EXPECT_EQ(form_.band.GetListWindow(), list) << "the skinned combo box took its real list";
  RECT open;
  GetWindowRect(list, &open);
  // Rest the pointer on the second item: it is drawn in the highlight colour.
  RECT second;
  SendMessage(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
  hands_.moveTo(open.left + 1 + (second.left + second.right) / 2, open.top + 1 + (second.top + second.bottom) / 2);
  const int inX = open.right - 15;  // right of the item texts, left of the border
  EXPECT_TRUE(until([&] {
    return hands_.pixel(open.right - 3, open.top + 10) == rgbOf(kListBorder) &&
           hands_.pixel(inX, open.top + 1 + second.top + 2) == rgbOf(kHot);
  })) << "border and highlight";
  RECT first;
  SendMessage(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  EXPECT_EQ(hands_.pixel(inX, open.top + 1 + first.top + 6), rgbOf(kListBack)) << "an item in the normal colours";
  screenshot("bitmap-combo.png");
  hands_.key(XK_Escape);
  EXPECT_TRUE(until([&] { return !listOf(form_.band); }));
}

}  // namespace
}  // namespace wavorel::testing
