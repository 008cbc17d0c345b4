#include "frontend/SkinFunctions.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/frontend/FrontendTest.h"

namespace {

using wavorel::testing::FrontendTest;

// A parent window that records the command ids it receives.
class Parent : public CWnd {
 public:
  std::vector<UINT> commands;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND) commands.push_back(LOWORD(wParam));
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

class SkinFunctionsTest : public FrontendTest {
 protected:
  void SetUp() override {
    FrontendTest::SetUp();
    ASSERT_TRUE(parent_.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr));
  }
  void TearDown() override {
    parent_.DestroyWindow();
    FrontendTest::TearDown();
  }

  // A language file, so that the language type can be made current.
  void addLanguage(const char* type) {
    std::ofstream(programDir() + "/Language/" + type + ".ini") << "[Text]\r\nStatus=Status\r\n";
  }

  CWnd* createButton(CGxBtn_Pub& button, DWORD style = BS_PUSHBUTTON, UINT id = 100) {
    // Room on every side: a skinned button grows around its centre.
    EXPECT_TRUE(button.Create("Go", WS_CHILD | WS_VISIBLE | style, CRect(150, 100, 190, 120), &parent_, id));
    return &button;
  }

  // The size once painted (a button sizes itself to its picture, one pixel
  // of margin above and below).
  static CSize sizeOf(CWnd& window) {
    UpdateWindow(window.GetParent()->GetSafeHwnd());
    wavorel::pumpMessages();
    CRect rect;
    window.GetWindowRect(&rect);
    return rect.Size();
  }
  static COLORREF pixelAt(CWnd& window, int x, int y) {
    UpdateWindow(window.GetParent()->GetSafeHwnd());
    wavorel::pumpMessages();
    HDC dc = GetDC(window.GetSafeHwnd());
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window.GetSafeHwnd(), dc);
    return colour;
  }
  // A pixel of a skin file.
  COLORREF skinPixel(const char* name, int x, int y) {
    const std::string path = std::string(GetCurDir()) + "Skin\\" + name;
    auto bitmap = static_cast<HBITMAP>(LoadImage(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    EXPECT_NE(bitmap, nullptr) << name;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF colour = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return colour;
  }

  Parent parent_;
};

TEST_F(SkinFunctionsTest, FontFaceFollowsTheLanguage) {
  addLanguage("SimpChinese");
  addLanguage("TradChinese");
  const std::vector<std::pair<const char*, const char*>> cases = {
      {"SimpChinese", "\xCB\xCE\xCC\xE5"},
      {"TradChinese", "\xA7\xBA\xC5\xE9"},
      {"English", "Times New Roman"},
  };
  for (const auto& [type, face] : cases) {
    SCOPED_TRACE(type);
    ASSERT_TRUE(SetCurLanguageType(type));
    EXPECT_STREQ(GetSkinFontName(), face);
  }
}

TEST_F(SkinFunctionsTest, ArrayItemLosesItsQuotesAndOutOfRangeGivesEmpty) {
  CStringArray items;
  items.Add("\"Home AP\"");
  items.Add("\"\"quoted twice\"\"");
  items.Add("in\"side");
  EXPECT_STREQ(GetArrayItemUnquoted(&items, 0), "Home AP");
  EXPECT_STREQ(GetArrayItemUnquoted(&items, 1), "quoted twice");
  EXPECT_STREQ(GetArrayItemUnquoted(&items, 2), "in\"side");
  EXPECT_STREQ(GetArrayItemUnquoted(&items, 3), "");
  EXPECT_STREQ(GetArrayItemUnquoted(&items, -1), "");
  EXPECT_STREQ(GetArrayItemUnquoted(nullptr, 0), "");
}

// Counts the WM_SETTEXT messages a window receives.
class TextCounter : public CStatic {
 public:
  int sets = 0;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SETTEXT) ++sets;
    return CStatic::WindowProc(message, wParam, lParam);
  }
};

TEST_F(SkinFunctionsTest, WindowTextIsSetOnlyWhenItChanges) {
  TextCounter label;
  ASSERT_TRUE(label.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 80, 20), &parent_, 101));
  SetWindowTextIfChanged(&label, "54 Mbps");
  SetWindowTextIfChanged(&label, "54 Mbps");
  EXPECT_EQ(label.sets, 1);
  SetWindowTextIfChanged(&label, "54 MBPS");
  EXPECT_EQ(label.sets, 2);
  CString text;
  label.GetWindowText(text);
  EXPECT_STREQ(text, "54 MBPS");

  label.DestroyWindow();
  SetWindowTextIfChanged(&label, "gone");  // no window: nothing happens
  SetWindowTextIfChanged(nullptr, "gone");
}

TEST_F(SkinFunctionsTest, ComboSelectionOnlyInRange) {
  CComboBox combo;
  ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 100, 120), &parent_, 102));
  for (const char* item : {"1", "6", "11"}) combo.AddString(item);
  SelectComboItem(&combo, 1);
  EXPECT_EQ(combo.GetCurSel(), 1);
  for (int index : {3, -1, 100}) {
    SelectComboItem(&combo, index);
    EXPECT_EQ(combo.GetCurSel(), 1) << index;
  }
  SelectComboItem(&combo, 2);
  EXPECT_EQ(combo.GetCurSel(), 2);
}

TEST_F(SkinFunctionsTest, ListHeaderAndScrollRoomFallOutsideTheFrame) {
  CStatic frame;
  ASSERT_TRUE(frame.Create("", WS_CHILD | WS_VISIBLE, CRect(20, 30, 220, 130), &parent_, 103));
  CListCtrl list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 50, 50), &parent_, 104));
  list.InsertColumn(0, "SSID", LVCFMT_LEFT, 120);
  CRect header;
  list.GetHeaderCtrl()->GetClientRect(&header);
  ASSERT_GT(header.Height(), 0);

  FitListIntoFrame(&list, &frame);

  EXPECT_EQ(list.GetParent()->GetSafeHwnd(), frame.GetSafeHwnd());
  CRect placed;
  list.GetWindowRect(&placed);
  frame.ScreenToClient(&placed);
  EXPECT_EQ(placed, CRect(-2, -header.Height() - 2, 200, 120));

  // Without both windows nothing moves.
  FitListIntoFrame(&list, nullptr);
  list.GetWindowRect(&placed);
  frame.ScreenToClient(&placed);
  EXPECT_EQ(placed.left, -2);
}

TEST_F(SkinFunctionsTest, ButtonsTakeTheirStripAndFrameSize) {
  struct Case {
    const char* what;
    std::function<void(CGxBtn_Pic&)> skin;
    CSize frame;
    const char* file;
  };
  const std::vector<Case> cases = {
      {"common", [](CGxBtn_Pic& b) { SkinCommonButton(&b, 0, "", nullptr); }, {80, 24}, "CommonButton.bmp"},
      {"common little", [](CGxBtn_Pic& b) { SkinCommonButton(&b, 1, nullptr, ""); }, {64, 20},
       "CommonButton_Little.bmp"},
      {"own strip",
       [](CGxBtn_Pic& b) {
         SkinCommonButton(&b, 1, nullptr, FormatString("%sSkin\\Button_RemoveAll.bmp", GetCurDir()));
       },
       {100, 24}, "Button_RemoveAll.bmp"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CGxBtn_Pic button;
    createButton(button);
    c.skin(button);
    EXPECT_EQ(sizeOf(button), c.frame + CSize(0, 2));
    // The first frame's body shows left of the text.
    EXPECT_EQ(pixelAt(button, 10, 1 + c.frame.cy / 2), skinPixel(c.file, 10, c.frame.cy / 2));
    button.DestroyWindow();
  }
}

TEST_F(SkinFunctionsTest, TabLabelsTakeSixFrameStrips) {
  const std::vector<std::pair<int, CSize>> cases = {{0, {110, 26}}, {1, {80, 20}}};
  for (const auto& [little, frame] : cases) {
    SCOPED_TRACE(little);
    CGxBtn_ChkRadio label;
    createButton(label, BS_AUTORADIOBUTTON);
    SkinTabLabelButton(&label, little, "Site Survey", nullptr);
    EXPECT_EQ(sizeOf(label), frame + CSize(0, 2));
    const char* file = little ? "TabCtrlLable_Little.bmp" : "TabCtrlLable.bmp";
    EXPECT_EQ(pixelAt(label, 10, frame.cy - 2), skinPixel(file, 10, frame.cy - 3));
    // Checked shows the third frame.
    label.SetCheck(BST_CHECKED);
    EXPECT_EQ(pixelAt(label, 10, frame.cy - 2), skinPixel(file, 2 * frame.cx + 10, frame.cy - 3));
    label.DestroyWindow();
  }
  CGxBtn_ChkRadio wide;
  createButton(wide, BS_AUTORADIOBUTTON);
  SkinTabLabelButton(&wide, 0, nullptr, FormatString("%sSkin\\TabCtrlLable_Long.bmp", GetCurDir()));
  EXPECT_EQ(sizeOf(wide), CSize(130, 28));
}

TEST_F(SkinFunctionsTest, RadioAndCheckShowTheirStripState) {
  struct Case {
    const char* file;
    void (*skin)(CGxBtn_ChkRadio*, const char*);
    DWORD style;
  };
  for (const Case& c : {Case{"BtnRadio_Default.bmp", &SkinRadioButton, BS_AUTORADIOBUTTON},
                        Case{"btnCheck_Default.bmp", &SkinCheckButton, BS_AUTOCHECKBOX}}) {
    SCOPED_TRACE(c.file);
    CGxBtn_ChkRadio button;
    createButton(button, c.style);
    c.skin(&button, "Switch");
    CRect client;
    button.GetClientRect(&client);
    // The picture sits at the left, centred vertically; its middle is the
    // face when unchecked and the mark when checked.
    const int y = client.Height() / 2;
    EXPECT_EQ(pixelAt(button, 8, y), skinPixel(c.file, 8, 8));
    button.SetCheck(BST_CHECKED);
    EXPECT_EQ(pixelAt(button, 8, y), skinPixel(c.file, 2 * 16 + 8, 8));
    EXPECT_NE(skinPixel(c.file, 8, 8), skinPixel(c.file, 2 * 16 + 8, 8));
    button.DestroyWindow();
  }
}

TEST_F(SkinFunctionsTest, MissingStripLeavesAWorkingButton) {
  std::remove((programDir() + "/Skin/CommonButton.bmp").c_str());
  CGxBtn_Pic button;
  createButton(button, BS_PUSHBUTTON, 105);
  SkinCommonButton(&button, 0, nullptr, nullptr);
  EXPECT_EQ(sizeOf(button), CSize(40, 20));  // its own size, no strip

  button.SendMessage(BM_CLICK);
  wavorel::pumpMessages();
  EXPECT_EQ(parent_.commands, std::vector<UINT>{105});
  EXPECT_TRUE(::IsWindow(button.GetSafeHwnd()));
  EXPECT_TRUE(button.IsWindowEnabled());
}

TEST_F(SkinFunctionsTest, EditFocusColoursAndTextLooksNeedAWindow) {
  CGxEdit edit;
  ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 10, 150, 34), &parent_, 106));
  SkinCommonEdit(&edit);
  edit.SetFocus();
  edit.Invalidate();
  EXPECT_EQ(pixelAt(edit, 4, 12), COLORREF{0x2FABE7});

  // No window: the text looks change nothing and do not fail.
  CGxStatic detached;
  SkinMainText(&detached);
  SkinPageTitle(&detached);
  SkinDialogText(&detached, 10, 1);
  SkinLabelValuePair(&detached, &edit, 9, 1, 9, 0);
  EXPECT_EQ(detached.GetTextColor(), CGxStatic().GetTextColor());
  EXPECT_NE(edit.GetTextColor(), COLORREF{0xFFFFFF});

  CGxStatic title;
  ASSERT_TRUE(title.Create("Status", WS_CHILD | WS_VISIBLE, CRect(10, 40, 150, 60), &parent_, 107));
  SkinPageTitle(&title);
  EXPECT_EQ(title.GetTextColor(), COLORREF{0xFFFFFF});
  SkinPageText(&title);
  EXPECT_EQ(title.GetTextColor(), COLORREF{0x000000});
}

}  // namespace
