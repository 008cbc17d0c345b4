#include <string>

#include "platform/testing/PlatformTest.h"
#include "platform/win/user/Dialog.h"
#include "tests/platform/dialogs/data/resource.h"

namespace wavorel {
namespace {

INT_PTR CALLBACK quietProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

class DialogItems : public testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    dialog = CreateDialogParam(nullptr, MAKEINTRESOURCE(IDD_FORM), nullptr, quietProc, 0);
    ASSERT_NE(dialog, nullptr);
  }
  void TearDown() override {
    DestroyWindow(dialog);
    PlatformTest::TearDown();
  }
  HWND dialog = nullptr;
};

TEST_F(DialogItems, GetDlgItemIntReadsNumbersAsWindowsDoes) {
  struct Case {
    const char* text;
    BOOL isSigned;
    BOOL ok;
    UINT value;
  } cases[] = {
      {"42", TRUE, TRUE, 42},
      {"  -7 ", TRUE, TRUE, static_cast<UINT>(-7)},
      {"-7", FALSE, FALSE, 0},
      {"12a", TRUE, FALSE, 0},
      {"", TRUE, FALSE, 0},
      {"-", TRUE, FALSE, 0},
      {"4294967295", FALSE, TRUE, 4294967295u},
      {"4294967296", FALSE, FALSE, 0},
      {"2147483647", TRUE, TRUE, 2147483647u},
      {"2147483648", TRUE, FALSE, 0},
      {"-2147483648", TRUE, TRUE, 0x80000000u},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ASSERT_TRUE(SetDlgItemText(dialog, IDC_NAME, c.text));
    BOOL ok = 2;
    EXPECT_EQ(GetDlgItemInt(dialog, IDC_NAME, &ok, c.isSigned), c.value);
    EXPECT_EQ(ok, c.ok);
  }
  BOOL ok = TRUE;
  EXPECT_EQ(GetDlgItemInt(dialog, 4321, &ok, TRUE), 0u);
  EXPECT_FALSE(ok);
}

TEST_F(DialogItems, TextsAndNumbersRoundTrip) {
  char text[8];
  EXPECT_TRUE(SetDlgItemInt(dialog, IDC_NAME, static_cast<UINT>(-15), TRUE));
  EXPECT_EQ(GetDlgItemText(dialog, IDC_NAME, text, sizeof text), 3u);
  EXPECT_STREQ(text, "-15");
  EXPECT_TRUE(SetDlgItemInt(dialog, IDC_NAME, 4000000000u, FALSE));
  EXPECT_EQ(GetDlgItemText(dialog, IDC_NAME, text, 5), 4u);  // cut to the buffer
  EXPECT_STREQ(text, "4000");
  EXPECT_FALSE(SetDlgItemText(dialog, 4321, "x"));
  EXPECT_EQ(GetDlgItemText(dialog, 4321, text, sizeof text), 0u);
  EXPECT_STREQ(text, "");
  EXPECT_EQ(SendDlgItemMessage(dialog, IDC_NAME, WM_GETTEXTLENGTH, 0, 0), 10);
  EXPECT_EQ(SendDlgItemMessage(dialog, 4321, WM_GETTEXTLENGTH, 0, 0), 0);
}

TEST_F(DialogItems, CheckStatesOfButtons) {
  EXPECT_TRUE(CheckRadioButton(dialog, IDC_OPEN, IDC_WPA, IDC_WEP));
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_OPEN), static_cast<UINT>(BST_UNCHECKED));
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_WEP), static_cast<UINT>(BST_CHECKED));
  EXPECT_TRUE(CheckRadioButton(dialog, IDC_OPEN, IDC_WPA, IDC_WPA));
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_WEP), static_cast<UINT>(BST_UNCHECKED));
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_WPA), static_cast<UINT>(BST_CHECKED));
  EXPECT_TRUE(CheckDlgButton(dialog, IDC_HIDDEN, BST_CHECKED));
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_HIDDEN), static_cast<UINT>(BST_CHECKED));
  EXPECT_FALSE(CheckDlgButton(dialog, 4321, BST_CHECKED));
  EXPECT_EQ(IsDlgButtonChecked(dialog, 4321), 0u);
}

TEST_F(DialogItems, DialogInitFillsTheComboBox) {
  EXPECT_EQ(SendDlgItemMessage(dialog, IDC_MODE, CB_GETCOUNT, 0, 0), 0);
  EXPECT_TRUE(runDialogInit(dialog, nullptr, MAKEINTRESOURCE(IDD_FORM)));
  ASSERT_EQ(SendDlgItemMessage(dialog, IDC_MODE, CB_GETCOUNT, 0, 0), 2);
  char text[32];
  SendDlgItemMessage(dialog, IDC_MODE, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "Infrastructure");
  EXPECT_TRUE(runDialogInit(dialog, nullptr, MAKEINTRESOURCE(IDD_PLAIN)));  // none: nothing to do
}

}  // namespace
}  // namespace wavorel
