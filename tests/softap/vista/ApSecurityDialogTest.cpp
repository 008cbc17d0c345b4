// The AP security dialog run from the configuration page: its lists and
// their mirror codes, key validation, ASCII keys stored as hex and shown
// again, the record taken back only on OK, and a picture of it.
#include "platform/mfc/ControlRef.h"
#include <filesystem>

#include "platform/present/Screenshot.h"
#include "platform/present/WindowImage.h"
#include "tests/softap/vista/ApConfigPageTest.h"

namespace softap::testing {
namespace {

std::vector<std::string> encryptionItems(CAuthSecuDlg_AP& dialog) {
  std::vector<std::string> out;
  ControlRef<CComboBox> listRef(&dialog, IDC_APSEC_ENCRYPTION);
  CComboBox* list = listRef.get();
  CString text;
  for (int i = 0; i < list->GetCount(); ++i) {
    list->GetLBText(i, text);
    out.emplace_back(static_cast<LPCSTR>(text));
  }
  return out;
}

using ApSecurityDialogTest = ApConfigPageTest;

TEST_F(ApSecurityDialogTest, PreSharedKeyLengthsAndDigits) {
  struct Case {
    std::string key;
    bool accepted;
  };
  const Case cases[] = {{"1234567", false},
                        {"12345678", true},
                        {std::string(63, 'a'), true},
                        {std::string(63, 'a') + "g", false},
                        {std::string(32, 'A') + std::string(32, 'f'), true},
                        {std::string(65, 'a'), false}};
  openPage();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    received().clear();
    const std::string state = runSecurityDialog([this, &c](CAuthSecuDlg_AP& dialog) {
      dialog.SelectAuthType(2);  // WPA-PSK
      dialog.SetPreSharedKey(c.key.c_str());
      dialog.PressOK();
      if (!valuesOf(BRIDGE_UI_MESSAGE_BOX).empty()) dialog.EndDialog(IDCANCEL);  // refused: still open
    });
    EXPECT_EQ(state, c.accepted ? "1" : "2");
    const auto alerts = valuesOf(BRIDGE_UI_MESSAGE_BOX);
    EXPECT_EQ(alerts, c.accepted ? std::vector<std::string>{}
                                 : std::vector<std::string>{"48\r\n\r\nAP_IDS_MSGPSKKEYINVALID"});
    if (c.accepted) {
      EXPECT_EQ(page().GetSecurityData().PreSharedKey, c.key.c_str());
    }
  }
}

TEST_F(ApSecurityDialogTest, WepKeysAreCheckedWhereWepIsInUse) {
  openPage();
  // Shared with an empty default key: refused although key 2 is valid.
  runSecurityDialog([](CAuthSecuDlg_AP& dialog) {
    dialog.SelectAuthType(1);
    dialog.SetKeyText(2, "0102030405");
    dialog.SetDefaultKey(0);
    dialog.PressOK();
    dialog.EndDialog(IDCANCEL);
  });
  EXPECT_EQ(valuesOf(BRIDGE_UI_MESSAGE_BOX), std::vector<std::string>{"48\r\n\r\nAP_IDS_MSGWEPKEYINVALID"});
  EXPECT_EQ(valuesOf(BRIDGE_UI_AP_CONFIG_STATE).back(), "2");
  EXPECT_EQ(page().GetSecurityData().AuthMode, 0u) << "nothing copied back";

  // Open with "Not Use" takes any key text.
  received().clear();
  runSecurityDialog([](CAuthSecuDlg_AP& dialog) {
    dialog.SelectAuthType(0);
    dialog.SelectEncryption(0);
    dialog.SetKeyText(1, "xyz");
    dialog.PressOK();
  });
  EXPECT_TRUE(valuesOf(BRIDGE_UI_MESSAGE_BOX).empty());
  EXPECT_EQ(valuesOf(BRIDGE_UI_AP_CONFIG_STATE).back(), "1");
}

TEST_F(ApSecurityDialogTest, AsciiKeyIsStoredAsHexAndShownAgain) {
  openPage();
  runSecurityDialog([](CAuthSecuDlg_AP& dialog) {
    dialog.SelectAuthType(0);
    dialog.SelectEncryption(1);  // WEP
    dialog.SelectKeyType(1, 1);  // ASCII
    dialog.SetKeyText(1, "abcde");
    dialog.SelectKeyType(2, 1);
    dialog.SetKeyText(2, "0123456789abc");
    dialog.PressOK();
  });
  const _AP_SECURITY_DATA& data = page().GetSecurityData();
  EXPECT_EQ(data.Encryption, 0u);
  EXPECT_EQ(data.Key[0], "6162636465");
  EXPECT_EQ(data.Key[1], "30313233343536373839616263");
  page().PressApply();
  EXPECT_EQ(readValue(driverKeyOf() + "\\ApDefault", "WEPKey1"), "6162636465");
  EXPECT_EQ(readValue(driverKeyOf() + "\\ApDefault", "WEPKey1Type"), "1");

  received().clear();
  CString shown;
  runSecurityDialog([&shown](CAuthSecuDlg_AP& dialog) {
    dialog.GetDlgItemText(IDC_APSEC_KEY1_ASCII, shown);
    EXPECT_TRUE(dialog.GetDlgItem(IDC_APSEC_KEY1_ASCII)->IsWindowVisible());
    EXPECT_FALSE(dialog.GetDlgItem(IDC_APSEC_KEY1_HEX)->IsWindowVisible());
    dialog.EndDialog(IDCANCEL);
  });
  EXPECT_EQ(shown, "abcde");
  EXPECT_EQ(valuesOf(BRIDGE_UI_AP_WEP_KEY)[0], "abcde");
}

TEST_F(ApSecurityDialogTest, EncryptionListFollowsTheAuthentication) {
  openPage({{"AuthMode", "4"}, {"CipherMode", "2147483648"}});  // WPA-PSK with TKIP and AES stored
  runSecurityDialog([](CAuthSecuDlg_AP& dialog) {
    EXPECT_EQ(encryptionItems(dialog), (std::vector<std::string>{"TKIP", "AES"}));
    EXPECT_EQ(ControlRef<CComboBox>(&dialog, IDC_APSEC_ENCRYPTION).get()->GetCurSel(), 0)
        << "BOTH has no entry: TKIP";
    dialog.SelectAuthType(3);
    EXPECT_EQ(encryptionItems(dialog), (std::vector<std::string>{"TKIP", "AES", "BOTH"}));
    dialog.SelectAuthType(4);
    EXPECT_EQ(encryptionItems(dialog), (std::vector<std::string>{"TKIP", "AES"}));
    dialog.SelectAuthType(9);  // outside the list: nothing happens
    EXPECT_EQ(ControlRef<CComboBox>(&dialog, IDC_APSEC_AUTH).get()->GetCurSel(), 4);
    dialog.EndDialog(IDCANCEL);
  });
  EXPECT_EQ(valuesOf(BRIDGE_UI_AP_AUTH_ITEM),
            (std::vector<std::string>{"Open", "Shared", "WPA-PSK", "WPA2-PSK", "WPA-PSK/WPA2-PSK"}));
  EXPECT_EQ(valuesOf(BRIDGE_UI_AP_PSK_ENABLE).back(), "1");

  restart();
  openPage({{"AuthMode", "3"}, {"CipherMode", "2"}});  // WPA stored: no list entry
  received().clear();
  runSecurityDialog([](CAuthSecuDlg_AP& dialog) {
    CString text;
    dialog.GetDlgItemText(IDC_APSEC_AUTH, text);
    EXPECT_EQ(text, "Open");
    EXPECT_EQ(encryptionItems(dialog), (std::vector<std::string>{"Not Use", "WEP"}));
    dialog.EndDialog(IDCANCEL);
  });
  EXPECT_EQ(valuesOf(BRIDGE_UI_AP_AUTH_SELECT).front(), "0");
}

TEST_F(ApSecurityDialogTest, ScreenshotOfWepWithAnAsciiKeyShown) {
  openPage();
  const std::string path = root() + "/security-wep.png";
  wavorel::WindowImage image;
  RECT key{};
  RECT group{};
  runSecurityDialog([&](CAuthSecuDlg_AP& dialog) {
    dialog.SelectAuthType(0);
    dialog.SelectEncryption(1);
    dialog.SelectKeyType(1, 1);
    dialog.SetKeyText(1, "HELLO");
    dialog.CheckDlgButton(IDC_APSEC_SHOW_PASSWORD, BST_CHECKED);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_APSEC_SHOW_PASSWORD, BN_CLICKED), 0);
    // On the screen for the picture only.
    dialog.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dialog.ShowWindow(SW_SHOW);
    RECT frame{};
    dialog.GetWindowRect(&frame);
    dialog.GetDlgItem(IDC_APSEC_KEY1_ASCII)->GetWindowRect(&key);
    dialog.GetDlgItem(IDC_APSEC_KEY4_ASCII)->GetWindowRect(&group);
    for (RECT* r : {&key, &group}) {
      r->left -= frame.left;
      r->right -= frame.left;
      r->top -= frame.top;
      r->bottom -= frame.top;
    }
    image = wavorel::composeWindow(dialog.GetSafeHwnd());
    EXPECT_TRUE(wavorel::present::saveScreenshot(dialog.GetSafeHwnd(), path));
    dialog.EndDialog(IDCANCEL);
  });
  ASSERT_FALSE(image.empty());
  EXPECT_TRUE(std::filesystem::exists(path));
  auto darkIn = [&image](const RECT& r) {
    int dark = 0;
    for (int y = r.top + 2; y < r.bottom - 2; ++y)
      for (int x = r.left + 2; x < r.right - 2; ++x) dark += GetRValue(image.colorAt(x, y)) < 96 ? 1 : 0;
    return dark;
  };
  EXPECT_GT(darkIn(key), 20) << "the characters of key 1 are drawn";
  EXPECT_EQ(darkIn(group), 0) << "empty key 4";
}

}  // namespace
}  // namespace softap::testing
