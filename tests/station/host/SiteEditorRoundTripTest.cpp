// The front end's site editor against the worker's real profile editor on
// the default world: a profile typed into the site editor goes over the
// bridge (OK: codes 19-39 and 17) into the hidden editor, is stored, and
// comes back into a new site editor when the profile page's Edit loads it
// (codes 36-58, then 35).
#include "apps/skin/SkinGenerator.h"
#include "frontend/DlgOneSiteEditor.h"
#include "frontend/SiteEditor.h"
#include "frontend/SiteEditorIds.h"
#include "tests/station/host/StationHostTest.h"
#include "utilmere/Utilmere.h"

namespace station::testing {
namespace {

// One control of the site editor as a person sets it: a text typed, a list
// row chosen, or a radio button or check box clicked.
struct Field {
  enum Kind { kText, kRow, kClick };
  UINT page;
  UINT id;
  Kind kind;
  std::string value;  // the text, the row, or "1" (checked after the click)
};

class SiteEditorRoundTripTest : public StationHostTest {
 protected:
  void SetUp() override {
    StationHostTest::SetUp();
    std::string error;
    ASSERT_TRUE(wavorel::skin::writeSkin(programLinux() + "/Skin", &error)) << error;
    Init_Utilmere("Wavorel");
  }
  void TearDown() override {
    DestroySiteEditor();
    StationHostTest::TearDown();
  }

  // From now on the front end hands the worker's editor codes to the site
  // editor, as the station tab control does.
  void useSiteEditor() {
    answerWith([](UINT code, const CString& value) -> LRESULT {
      if (code == BRIDGE_UI_MESSAGE_BOX) return IDOK;
      static int saveWithoutShowing = 0;
      ApplySiteEditorCode(code, value, saveWithoutShowing);
      return 0;
    });
  }

  static HWND holder(UINT page) {
    CDlgOneSiteEditor* editor = GetSiteEditor();
    if (!editor) return nullptr;
    return page == IDD_PAGESITE_INFO ? editor->GetInfoPage().GetSafeHwnd() : editor->GetSecurityPage().GetSafeHwnd();
  }
  static void set(const Field& f) {
    const HWND page = holder(f.page);
    const HWND control = GetDlgItem(page, static_cast<int>(f.id));
    ASSERT_NE(control, nullptr) << f.id;
    switch (f.kind) {
      case Field::kText:
        SetWindowText(control, f.value.c_str());
        break;
      case Field::kRow:
        SendMessage(control, CB_SETCURSEL, static_cast<WPARAM>(std::stoi(f.value)), 0);
        SendMessage(page, WM_COMMAND, MAKEWPARAM(f.id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(control));
        break;
      case Field::kClick:
        SendMessage(control, BM_CLICK, 0, 0);
        break;
    }
    wavorel::pumpMessages();
  }
  static std::string shown(const Field& f) {
    const HWND control = GetDlgItem(holder(f.page), static_cast<int>(f.id));
    switch (f.kind) {
      case Field::kText: {
        char text[128] = "";
        GetWindowText(control, text, sizeof text);
        return text;
      }
      case Field::kRow:
        return std::to_string(SendMessage(control, CB_GETCURSEL, 0, 0));
      case Field::kClick:
        return SendMessage(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? "1" : "0";
    }
    return "";
  }
  static void pressSiteOk() {
    GetSiteEditor()->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SITE_OK, BN_CLICKED), 0);
    wavorel::pumpMessages();
  }
};

constexpr UINT kInfo = IDD_PAGESITE_INFO;
constexpr UINT kSec = IDD_PAGESITE_SECURITY;

struct Trip {
  const char* name;   // the profile name typed
  std::vector<Field> fields;  // after the name, in the order a person sets them
  std::vector<std::pair<const char*, const char*>> stored;  // store keys of the profile
};

TEST_F(SiteEditorRoundTripTest, ProfilesGoToTheWorkerAndComeBack) {
  const Trip trips[] = {
      {"Home",
       {{kInfo, IDC_INFO_SSID, Field::kText, "HomeNet"},
        {kInfo, IDC_INFO_NETTYPE, Field::kRow, "1"},
        {kSec, IDC_SEC_AUTH, Field::kRow, "7"},  // WPA2-PSK
        {kSec, IDC_SEC_ENCRYPTION, Field::kRow, "1"},  // AES
        {kSec, IDC_SEC_PSK, Field::kText, "correct horse battery"}},
       {{"SSID", "HomeNet"}, {"NetworkType", "1"}, {"AuthMode", "7"}, {"CipherMode", "6"},
        {"WPAPSK", "correct horse battery"}, {"Use8021X", "0"}}},
      {"Shop",
       {{kInfo, IDC_INFO_SSID, Field::kText, "ShopNet"},
        {kInfo, IDC_INFO_NETTYPE, Field::kRow, "1"},
        {kSec, IDC_SEC_AUTH, Field::kRow, "1"},  // Shared
        {kSec, IDC_SEC_ENCRYPTION, Field::kRow, "1"},  // WEP
        {kSec, IDC_SEC_KEY2_RADIO, Field::kClick, "1"},
        {kSec, IDC_SEC_KEY1_TYPE, Field::kRow, "0"},
        {kSec, IDC_SEC_KEY1, Field::kText, "0123456789"},
        {kSec, IDC_SEC_KEY2_TYPE, Field::kRow, "1"},  // ASCII
        {kSec, IDC_SEC_KEY2, Field::kText, "abcde"}},
       {{"SSID", "ShopNet"}, {"AuthMode", "1"}, {"CipherMode", "0"}, {"WEPKeyUse", "2"}, {"WEPKey1Type", "0"},
        {"WEPKey1", "0123456789"}, {"WEPKey2Type", "1"}, {"WEPKey2", "6162636465"}}},
      // Ad hoc keeps only Open (or WPA2-PSK) and the first key.
      {"Cafe Net",
       {{kInfo, IDC_INFO_SSID, Field::kText, "Cafe-AdHoc"},
        {kInfo, IDC_INFO_NETTYPE, Field::kRow, "0"},
        {kInfo, IDC_INFO_CHANNEL, Field::kRow, "10"},  // "11"
        {kSec, IDC_SEC_AUTH, Field::kRow, "0"},
        {kSec, IDC_SEC_ENCRYPTION, Field::kRow, "1"},  // WEP
        {kSec, IDC_SEC_KEY1_TYPE, Field::kRow, "1"},
        {kSec, IDC_SEC_KEY1, Field::kText, "Thirteen_char"}},
       {{"SSID", "Cafe-AdHoc"}, {"NetworkType", "0"}, {"Channel", "11"}, {"AuthMode", "0"}, {"CipherMode", "0"},
        {"WEPKeyUse", "1"}, {"WEPKey1Type", "1"}, {"WEPKey1", "546869727465656E5F63686172"}}},
      {"Corp",
       {{kInfo, IDC_INFO_SSID, Field::kText, "CorpNet"},
        {kInfo, IDC_INFO_NETTYPE, Field::kRow, "1"},
        {kSec, IDC_SEC_AUTH, Field::kRow, "2"},  // Leap
        {kSec, IDC_SEC_LEAP_ID, Field::kText, "bob"},
        {kSec, IDC_SEC_LEAP_PASSWORD, Field::kText, "pa55 word"},
        {kSec, IDC_SEC_LEAP_DOMAIN, Field::kText, "CORP"},
        {kSec, IDC_SEC_LEAP_TKIP, Field::kClick, "1"}},
       {{"SSID", "CorpNet"}, {"LeapEnabled", "1"}, {"AuthMode", "3"}, {"CipherMode", "4"}, {"Use8021X", "0"},
        {"LeapUserName", "bob"}, {"LeapPassword", "pa55 word"}, {"LeapDomainName", "CORP"}, {"LeapEncryType", "1"}}},
  };
  startWithHost();
  useSiteEditor();
  for (const Trip& trip : trips) {
    SCOPED_TRACE(trip.name);
    // Add: the hidden editor opens, and with it the site editor.
    command(BRIDGE_CMD_PROFILE_NEW);
    ASSERT_NE(GetSiteEditor(), nullptr);
    EXPECT_TRUE(GetSiteEditor()->IsWindowVisible());
    const Field name{kInfo, IDC_INFO_NAME, Field::kText, trip.name};
    set(name);
    for (const Field& f : trip.fields) set(f);
    received().clear();
    pressSiteOk();
    EXPECT_TRUE(valuesOf(BRIDGE_UI_MESSAGE_BOX).empty());
    for (const auto& [key, value] : trip.stored) EXPECT_EQ(storeValue(kIniKindProfiles, trip.name, key), value) << key;

    // A new site editor, filled by Edit from the stored profile.
    DestroySiteEditor();
    int row = -1;
    for (size_t i = 0; i < page().m_profiles.size(); ++i)
      if (page().m_profiles[i].Name == trip.name) row = static_cast<int>(i);
    ASSERT_GE(row, 0);
    command(BRIDGE_CMD_SELECT_PROFILE, std::to_string(row).c_str());
    command(BRIDGE_CMD_PROFILE_MODIFY);
    ASSERT_NE(GetSiteEditor(), nullptr);
    EXPECT_TRUE(GetSiteEditor()->IsWindowVisible());
    EXPECT_EQ(shown(name), trip.name);
    for (const Field& f : trip.fields) EXPECT_EQ(shown(f), f.value) << "control " << f.id;

    // Saved again unchanged, the store holds the same profile.
    pressSiteOk();
    for (const auto& [key, value] : trip.stored) EXPECT_EQ(storeValue(kIniKindProfiles, trip.name, key), value) << key;
  }
  EXPECT_EQ(sectionNames(), (std::vector<std::string>{"Home", "Shop", "Cafe Net", "Corp"}));
}

}  // namespace
}  // namespace station::testing
