// The Authentication/Encryption page: the rules of each choice, the menu
// item states, key formats, ValidateKeys' messages and bridge commands 23-39.
#include <gtest/gtest.h>

#include "tests/station/profiles/EditorTest.h"

namespace station::testing {
namespace {

using Page = CPageAuthEncryDlg;

class PageAuthEncryTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    startNewProfile();
  }
  void choose(UINT command) {
    security().SendMessage(WM_COMMAND, command, 0);
    pump();
  }
  void adhoc() {
    system().SendMessage(WM_COMMAND, ID_NETWORK_ADHOC, 0);
    security().m_bInfrastructure = FALSE;
  }
  // The info window's text beside the edit after a failed validation.
  std::string validate() {
    if (security().ValidateKeys()) return "";
    for (CSmartEdit* edit : {&security().PskEdit(), &security().KeyEdit(0), &security().KeyEdit(1),
                             &security().KeyEdit(2), &security().KeyEdit(3)}) {
      if (!edit->GetInfoWnd().IsWindowVisible()) continue;
      CString text = edit->GetInfoWnd().GetText();
      edit->GetInfoWnd().HideInfo();
      text.Trim();
      return static_cast<LPCSTR>(text);
    }
    return "<failed without a message>";
  }
  static bool itemEnabled(HMENU menu, UINT command) {
    return (GetMenuState(menu, command, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
  }
};

TEST_F(PageAuthEncryTest, ChoicesFollowTheirRules) {
  struct Case {
    bool infrastructure;
    UINT encryptionFirst;
    UINT authentication;
    int auth;
    int encryption;
  };
  const Case cases[] = {
      {false, ID_ENCRYPTION_NONE, ID_AUTH_WPA, Page::kAuthOpen, Page::kEncryptionNone},
      {false, ID_ENCRYPTION_WEP, ID_AUTH_WPA2_PSK, Page::kAuthWpa2Psk, Page::kEncryptionAes},
      {true, ID_ENCRYPTION_NONE, ID_AUTH_SHARED, Page::kAuthShared, Page::kEncryptionWep},
      {true, ID_ENCRYPTION_TKIP, ID_AUTH_OPEN, Page::kAuthOpen, Page::kEncryptionNone},
      {true, ID_ENCRYPTION_WEP, ID_AUTH_WPA, Page::kAuthWpa, Page::kEncryptionTkip},
      {true, ID_ENCRYPTION_AES, ID_AUTH_WPA_PSK, Page::kAuthWpaPsk, Page::kEncryptionAes},
  };
  for (const Case& c : cases) {
    system().SendMessage(WM_COMMAND, c.infrastructure ? ID_NETWORK_INFRASTRUCTURE : ID_NETWORK_ADHOC, 0);
    security().SetDefaults();
    security().m_bInfrastructure = c.infrastructure;
    choose(c.encryptionFirst);
    received().clear();
    choose(c.authentication);
    EXPECT_EQ(security().m_nAuthentication, c.auth) << c.authentication;
    EXPECT_EQ(security().m_nEncryption, c.encryption) << c.authentication;
    EXPECT_EQ(valuesOf(41).back(), std::to_string(c.auth));
    const char* const authTexts[] = {"Open", "Shared", "LEAP", "WPA", "WPA-PSK", "WPA2", "WPA2-PSK", "WPA-None"};
    EXPECT_EQ(windowText(security().AuthButton()), authTexts[c.auth]);
  }
}

TEST_F(PageAuthEncryTest, WpaSetsThe8021XSwitchAndPskKindsClearIt) {
  choose(ID_AUTH_WPA);
  EXPECT_TRUE(security().m_bUse8021X);
  EXPECT_FALSE(visible(security(), IDC_AE_USE_8021X));
  EXPECT_FALSE(enabled(security(), IDC_AE_PSK));
  EXPECT_TRUE(editor().GetTabButton(CProfileEditorDlg::kTab8021X)->IsWindowEnabled());
  choose(ID_AUTH_WPA2_PSK);
  EXPECT_FALSE(security().m_bUse8021X);
  EXPECT_TRUE(enabled(security(), IDC_AE_PSK));
  EXPECT_FALSE(editor().GetTabButton(CProfileEditorDlg::kTab8021X)->IsWindowEnabled());
  EXPECT_FALSE(security().KeyEdit(0).IsWindowEnabled());
}

TEST_F(PageAuthEncryTest, WepControlsFollowSharedAndTheTransmitKey) {
  choose(ID_AUTH_SHARED);
  for (int key = 0; key < Page::kKeyCount; ++key) {
    EXPECT_TRUE(security().GetDlgItem(IDC_AE_KEY1_RADIO + (key == 0 ? 0 : key == 1 ? 2 : key == 2 ? 4 : 8))
                    ->IsWindowEnabled());
    EXPECT_EQ(security().KeyEdit(key).IsWindowEnabled(), key == 0) << key;
  }
  security().GetDlgItem(1133)->SendMessage(BM_CLICK);
  pump();
  EXPECT_EQ(security().m_nTransmitKey, 2);
  EXPECT_TRUE(security().KeyEdit(2).IsWindowEnabled());
  EXPECT_FALSE(security().KeyEdit(0).IsWindowEnabled());
}

TEST_F(PageAuthEncryTest, KeyFormatsSetTheFilterAndTheLimit) {
  choose(ID_KEY1_HEX + 1);  // key 1 ASCII
  EXPECT_EQ(windowText(security().KeyFormatButton(0)), "ASCII");
  EXPECT_EQ(security().KeyEdit(0).GetCharClassMask(), CSmartEdit::kAll);
  EXPECT_EQ(security().KeyEdit(0).GetLimitText(), 13u);
  choose(ID_KEY1_HEX);
  EXPECT_EQ(windowText(security().KeyFormatButton(0)), "Hexadecimal");
  EXPECT_EQ(security().KeyEdit(0).GetCharClassMask(), CSmartEdit::kHexDigits);
  EXPECT_EQ(security().KeyEdit(0).GetLimitText(), 26u);
}

TEST_F(PageAuthEncryTest, AuthenticationMenuStates) {
  HMENU menu = security().AuthButton().GetDropMenu().GetSubMenu(0)->GetSafeHmenu();
  ASSERT_NE(menu, nullptr);
  struct Case {
    int support8021X;
    bool infrastructure;
    int osType;
    std::vector<UINT> enabledItems;
    std::vector<UINT> greyedItems;
  };
  const Case cases[] = {
      {0, true, 11, {}, {ID_AUTH_WPA, ID_AUTH_WPA_PSK, ID_AUTH_WPA2, ID_AUTH_WPA2_PSK}},
      {1, true, 11, {ID_AUTH_SHARED, ID_AUTH_WPA, ID_AUTH_WPA_PSK, ID_AUTH_WPA2, ID_AUTH_WPA2_PSK}, {}},
      {1, true, 5, {ID_AUTH_SHARED, ID_AUTH_WPA, ID_AUTH_WPA_PSK}, {ID_AUTH_WPA2, ID_AUTH_WPA2_PSK}},
      {1, false, 11, {}, {ID_AUTH_SHARED, ID_AUTH_WPA, ID_AUTH_WPA_PSK, ID_AUTH_WPA2, ID_AUTH_WPA2_PSK}},
  };
  for (const Case& c : cases) {
    g_b8021xSupport = c.support8021X;
    g_nOsType = c.osType;
    security().m_bInfrastructure = c.infrastructure;
    security().SendMessage(WM_AUTH_MENU_OPENING, reinterpret_cast<WPARAM>(menu), 0);
    for (UINT item : c.enabledItems) EXPECT_TRUE(itemEnabled(menu, item)) << item;
    for (UINT item : c.greyedItems) EXPECT_FALSE(itemEnabled(menu, item)) << item;
  }
}

TEST_F(PageAuthEncryTest, EncryptionMenuStates) {
  HMENU menu = security().EncryptionButton().GetDropMenu().GetSubMenu(0)->GetSafeHmenu();
  ASSERT_NE(menu, nullptr);
  struct Case {
    int auth;
    bool infrastructure;
    bool none, wep, tkip, aes;
  };
  const Case cases[] = {
      {Page::kAuthOpen, true, true, true, false, false},
      {Page::kAuthShared, true, false, true, false, false},
      {Page::kAuthWpa, true, false, false, true, true},
      {Page::kAuthWpa2Psk, false, false, false, false, true},
  };
  for (const Case& c : cases) {
    security().m_nAuthentication = c.auth;
    security().m_bInfrastructure = c.infrastructure;
    security().SendMessage(WM_ENCRYPTION_MENU_OPENING, reinterpret_cast<WPARAM>(menu), 0);
    EXPECT_EQ(itemEnabled(menu, ID_ENCRYPTION_NONE), c.none) << c.auth;
    EXPECT_EQ(itemEnabled(menu, ID_ENCRYPTION_WEP), c.wep) << c.auth;
    EXPECT_EQ(itemEnabled(menu, ID_ENCRYPTION_TKIP), c.tkip) << c.auth;
    EXPECT_EQ(itemEnabled(menu, ID_ENCRYPTION_AES), c.aes) << c.auth;
  }
}

TEST_F(PageAuthEncryTest, ValidateKeysMessages) {
  struct Case {
    UINT auth;
    UINT encryption;
    int transmitKey;
    int format;  // of every key
    const char* key1;
    const char* key2;
    const char* psk;
    const char* message;
  };
  const std::string hex64(64, 'a');
  const std::string hex64WithG = std::string(63, 'a') + "G";
  const std::string long65(65, 'a');
  const std::string long100(100, 'x');
  const Case cases[] = {
      {ID_AUTH_WPA_PSK, 0, 0, 0, "", "", "12345678", ""},
      {ID_AUTH_WPA_PSK, 0, 0, 0, "", "", "1234567",
       "Invalid WPA Pre-Shared key. WPA-PSK used field should use more than 8 characters."},
      {ID_AUTH_WPA2_PSK, 0, 0, 0, "", "", hex64.c_str(), ""},
      {ID_AUTH_WPA2_PSK, 0, 0, 0, "", "", hex64WithG.c_str(),
       "Invalid WPA Pre-Shared key. WPA-PSK use field should be 64 hex digits."},
      {ID_AUTH_WPA_PSK, 0, 0, 0, "", "", long65.c_str(),
       "Invalid WPA Pre-Shared key. WPA-PSK used field should use 8 to 63 characters."},
      {ID_AUTH_WPA_PSK, 0, 0, 0, "", "", long100.c_str(),
       "Invalid WPA Pre-Shared key. WPA-PSK used field should use 8 to 63 characters."},
      {ID_AUTH_SHARED, 0, 0, 0, "123456789", "", "",
       "Invalid WEP Key 1 length. WEP Key should be 10 or 26 hex digits"},
      {ID_AUTH_SHARED, 0, 0, 0, "1234567890", "123456789", "", ""},
      {ID_AUTH_SHARED, 0, 1, 0, "1234567890", "123456789", "",
       "Invalid WEP Key 2 length. WEP Key should be 10 or 26 hex digits"},
      {ID_AUTH_OPEN, ID_ENCRYPTION_WEP, 0, 1, "abcd", "", "",
       "Invalid WEP Key 1 length. WEP Key should be 5 or 13 ascii characters"},
      {ID_AUTH_OPEN, ID_ENCRYPTION_WEP, 0, 1, "abcde", "", "", ""},
      {ID_AUTH_OPEN, ID_ENCRYPTION_NONE, 0, 0, "1", "", "", ""},
  };
  for (const Case& c : cases) {
    security().SetDefaults();
    choose(c.auth);
    if (c.encryption) choose(c.encryption);
    for (int key = 0; key < Page::kKeyCount; ++key) choose(ID_KEY1_HEX + 2 * key + c.format);
    security().m_nTransmitKey = c.transmitKey;
    security().m_strWepKey[0] = c.key1;
    security().m_strWepKey[1] = c.key2;
    security().m_strWpaPsk = c.psk;
    security().UpdateData(FALSE);
    EXPECT_EQ(validate(), c.message) << c.auth << " " << c.key1 << " " << std::string(c.psk).size();
  }
}

TEST_F(PageAuthEncryTest, ShowPasswordUnmasksTheKeyEdits) {
  editor().PressTab(CProfileEditorDlg::kTabAuthEncry);
  EXPECT_EQ(security().PskEdit().GetPasswordChar(), '*');
  security().GetDlgItem(IDC_AE_SHOW_PASSWORD)->SendMessage(BM_CLICK);
  pump();
  EXPECT_EQ(security().PskEdit().GetPasswordChar(), 0);
  EXPECT_EQ(security().KeyEdit(3).GetPasswordChar(), 0);
  EXPECT_EQ(security().LeapPasswordEdit().GetPasswordChar(), 0);
}

TEST_F(PageAuthEncryTest, BridgeCommands) {
  // 23: indexes 0..6 choose; 7 (WPA-None) has none.
  command(23, "3");
  EXPECT_EQ(security().m_nAuthentication, Page::kAuthWpa);
  command(23, "7");
  EXPECT_EQ(security().m_nAuthentication, Page::kAuthWpa);
  command(23, "0");
  // 25: encryption index in the high half, the editor kind in the low half.
  received().clear();
  command(25, "65537");
  EXPECT_EQ(security().m_nEncryption, Page::kEncryptionWep);
  EXPECT_EQ(valuesOf(42), std::vector<std::string>{"1"});
  command(25, "65537");
  EXPECT_EQ(valuesOf(42).size(), 1u);
  command(25, "131072");  // kind 0: the security editor's
  EXPECT_EQ(security().m_nEncryption, Page::kEncryptionWep);
  // 24: the 802.1X flag is 1 whatever the value.
  command(24, "0");
  EXPECT_TRUE(security().m_bUse8021X);
  struct Case {
    UINT code;
    const char* value;
    int control;
    const char* shown;
  };
  const Case texts[] = {{31, "0102030405", IDC_AE_KEY1, "0102030405"}, {34, "abc", 1150, "abc"},
                        {35, "user", IDC_AE_LEAP_IDENTITY, "user"},    {36, "secret", IDC_AE_LEAP_PASSWORD, "secret"},
                        {37, "dom", IDC_AE_LEAP_DOMAIN, "dom"},        {39, "passphrase", IDC_AE_PSK, "passphrase"}};
  for (const Case& c : texts) {
    command(c.code, c.value);
    EXPECT_EQ(itemText(security(), c.control), c.shown) << c.code;
  }
  command(26, "2");
  EXPECT_EQ(security().GetDlgItem(1133)->SendMessage(BM_GETCHECK), BST_CHECKED);
  command(38, "1");
  EXPECT_EQ(security().GetDlgItem(IDC_AE_LEAP_TKIP)->SendMessage(BM_GETCHECK), BST_CHECKED);
  command(28, "5");
  EXPECT_EQ(security().m_nKeyFormat[1], Page::kKeyAscii);
  command(28, "0");
  EXPECT_EQ(security().m_nKeyFormat[1], Page::kKeyHex);
}

}  // namespace
}  // namespace station::testing
