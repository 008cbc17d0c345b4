// The WPS page's credential table and the credential dialog: the registrar's
// own credential, deleting, exporting as station profiles, the detail texts,
// the registrar's key check, and bridge values outside the lists.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "frontend/BridgeCodes.h"
#include "station/status/WpsPin.h"
#include "tests/station/status/vista/WpsPageTest.h"
#include "worker/IniProfileStore.h"
#include "worker/NativeWiFi.h"
#include "worker/WlanProfileList.h"
#include "worker/WorkerGlobals.h"

namespace station::testing {
namespace {

namespace credential = wavorel::wire::wps::credential;
namespace table = wavorel::wire::wps::table;

class WpsCredentialTest : public WpsPageTest {};

std::string RecordKey(int index) {
  const WpsCredentialFields c = WpsCredentialAt(index);
  return std::string(reinterpret_cast<const char*>(c.Key), c.KeyLength);
}

TEST_F(WpsCredentialTest, RegistrarModeMakesItsOwnCredentialWithARandomKey) {
  startWps();
  received().clear();
  command(BRIDGE_CMD_WPS_CONFIG_MODE, "1");
  EXPECT_EQ(g_nWpsConfigMode, kWpsRegistrar);
  EXPECT_EQ(lastOf(BRIDGE_UI_WPS_CONFIG_MODE), "1");
  EXPECT_EQ(lastOf(BRIDGE_UI_WPS_RENEW_ENABLE), "0");
  ASSERT_EQ(WpsCredentialCount(), 1);
  const auto& mac = machine().adapter(0).config().mac;
  char tail[8] = {};
  std::snprintf(tail, sizeof tail, "%02X%02X%02X", mac[3], mac[4], mac[5]);
  EXPECT_EQ(recordSsid(0), std::string("ExRegNW") + tail);
  const WpsCredentialFields c = WpsCredentialAt(0);
  EXPECT_EQ(c.AuthType, credential::kAuthWpa2Psk);
  EXPECT_EQ(c.EncrType, credential::kEncryptionAes);
  EXPECT_EQ(c.KeyIndex, 1u);
  const std::string first = RecordKey(0);
  ASSERT_EQ(first.size(), 64u);
  for (char ch : first) EXPECT_TRUE(std::isxdigit(static_cast<unsigned char>(ch)) && !std::islower(ch)) << first;
  EXPECT_EQ(storeValue(kIniKindWps, "Profile0", "Key"), first);

  command(BRIDGE_CMD_WPS_CONFIG_MODE, "0");
  EXPECT_EQ(WpsCredentialCount(), 0);
  command(BRIDGE_CMD_WPS_CONFIG_MODE, "1");
  EXPECT_NE(RecordKey(0), first) << "every registrar credential draws its own key";
}

TEST_F(WpsCredentialTest, EnrolleePinReachesTheFrontEndAtStartAndOnReturnToEnrollee) {
  startWps();
  const auto pinText = [] {
    char text[16] = {};
    std::snprintf(text, sizeof text, "%08d", g_nWpsPinCode);
    return std::string(text);
  };
  EXPECT_EQ(lastOf(BRIDGE_UI_WPS_PIN_CODE), pinText());
  command(BRIDGE_CMD_WPS_CONFIG_MODE, "1");
  received().clear();
  command(BRIDGE_CMD_WPS_CONFIG_MODE, "0");
  EXPECT_EQ(lastOf(BRIDGE_UI_WPS_PIN_CODE), pinText());
}

TEST_F(WpsCredentialTest, RegistrarPinStartSendsAnOpenCredentialWithoutItsKey) {
  startWps();
  command(BRIDGE_CMD_WPS_CONFIG_MODE, "1");
  setCredentials({{"OpenNet", credential::kAuthOpen, credential::kEncryptionNone, 0, "abcde", 1}});
  command(BRIDGE_CMD_WPS_SELECT_AP, std::to_string(apRowOf("HomeNet")).c_str());
  typePin("12345670");
  wavorel::sim::clearDriverCalls();
  command(BRIDGE_CMD_WPS_PIN);
  const auto sets = callsOf(OID_VX_WPS_CREDENTIALS_SET);
  ASSERT_EQ(sets.size(), 1u);
  ASSERT_EQ(sets[0].data.size(), table::kSize);
  EXPECT_EQ(wavorel::wire::getU32(sets[0].data.data() + table::recordAt(0) + credential::kKeyLength), 0u);
  EXPECT_EQ(callsOf(OID_VX_WPS_START)[0].data[55], 2) << "registrar";
}

TEST_F(WpsCredentialTest, DeletingTheConnectedCredentialDeletesItsProfileAndMovesTheRestDown) {
  startWps();
  const std::string longSsid(32, 'L');
  setCredentials({{"First", credential::kAuthWpa2Psk, credential::kEncryptionAes, 0, "firstpass", 1},
                  {longSsid, credential::kAuthWpa2Psk, credential::kEncryptionAes, 0, "secondpass", 2},
                  {"Third", credential::kAuthOpen, credential::kEncryptionNone, 0, "", 3}});
  wps()->LoadProfileList();
  command(BRIDGE_CMD_WPS_SELECT_PROFILE, "1");
  command(BRIDGE_CMD_WPS_CONNECT);
  advance(500);
  CWlanProfileList* profiles = g_pNativeWiFi->ProfileList();
  ASSERT_TRUE(profiles->ProfileExists(longSsid.c_str())) << "the connect made its profile";
  EXPECT_EQ(g_nWpsCurrentIndex, 1);

  command(BRIDGE_CMD_WPS_SELECT_PROFILE, "1");
  wps()->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_WPS_DELETE, BN_CLICKED), 0);
  wavorel::pumpMessages();
  EXPECT_FALSE(profiles->ProfileExists(longSsid.c_str()));
  EXPECT_EQ(g_bWpsConnect, 0);
  ASSERT_EQ(WpsCredentialCount(), 2);
  EXPECT_EQ(recordSsid(0), "First");
  EXPECT_EQ(recordSsid(1), "Third");
  const BYTE* last = g_wscCredentialTable.data() + table::recordAt(2);
  EXPECT_TRUE(std::all_of(last, last + credential::kSize, [](BYTE b) { return b == 0; }));
  EXPECT_EQ(storeValue(kIniKindWps, "Common", "NumberofProfile"), "2");
  EXPECT_EQ(lastOf(BRIDGE_UI_WPS_PROFILE_ROW), "\"First\"\t\"\"\r\n\"Third\"\t\"\"");

  // The last record gone: the stored BSSID goes with it.
  g_wpsBssid[0] = 0x02;
  for (int i = 0; i < 2; ++i) {
    command(BRIDGE_CMD_WPS_SELECT_PROFILE, "0");
    wps()->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_WPS_DELETE, BN_CLICKED), 0);
  }
  EXPECT_EQ(WpsCredentialCount(), 0);
  EXPECT_EQ(g_wpsBssid[0], 0);
}

TEST_F(WpsCredentialTest, ExportWritesOneStationProfilePerCredential) {
  startWps();
  setCredentials({{"PskNet", credential::kAuthWpa2Psk, credential::kEncryptionAes, 0, "secret-pass", 1},
                  {"WepNet", credential::kAuthOpen, credential::kEncryptionWep, 1, "0123456789", 2}});
  wps()->LoadProfileList();
  wps()->OnBnClickedExportProfile();
  const std::vector<std::string> sections = sectionNames();
  ASSERT_EQ(sections.size(), 2u);
  const struct {
    const char* key;
    const char* psk;
    const char* wep;
  } rows[] = {{"SSID", "PskNet", "WepNet"}, {"AuthMode", "7", "0"}, {"CipherMode", "6", "0"},
              {"WPAPSK", "secret-pass", ""}};
  for (const auto& row : rows) {
    EXPECT_EQ(storeValue(kIniKindProfiles, sections[0].c_str(), row.key), row.psk) << row.key;
    EXPECT_EQ(storeValue(kIniKindProfiles, sections[1].c_str(), row.key), row.wep) << row.key;
  }
}

TEST_F(WpsCredentialTest, DetailShowsKeysByTheirKind) {
  const struct {
    DWORD auth;
    DWORD encryption;
    DWORD keyIndex;
    const char* key;
    const char* length;
    const char* index;
    const char* shown;
    const char* hex;
    const char* ascii;
  } cases[] = {
      {1, 2, 0, "3132333435", "10", "Key#1", "3132333435", "3132333435", "12345"},
      {1, 2, 3, "4142434445464748494A4B4C4D", "26", "Key#4", "4142434445464748494A4B4C4D",
       "4142434445464748494A4B4C4D", "ABCDEFGHIJKLM"},
      {1, 2, 0x80000001, "abcde", "10", "Key#2", "6162636465", "6162636465", "abcde"},
      {4, 2, 0, "ABCDEFGHIJKLM", "26", "Key#1", "4142434445464748494a4b4c4d", "4142434445464748494a4b4c4d",
       "ABCDEFGHIJKLM"},
      {32, 8, 0, "my pass phrase", "14", "Key#1", "my pass phrase", "", ""},
      {1, 1, 0, "ignored", "", "", "", "", ""},
  };
  CPageWPSProfile dialog;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    setCredentials({{"Net", c.auth, c.encryption, c.keyIndex, c.key, 1}});
    dialog.ShowCredential(WpsCredentialAt(0));
    EXPECT_EQ(dialog.m_strKeyLength, c.length);
    EXPECT_EQ(dialog.m_strKeyIndex, c.index);
    EXPECT_EQ(dialog.m_strKeyMaterial, c.shown);
    EXPECT_EQ(dialog.m_strHexKey, c.hex);
    EXPECT_EQ(dialog.m_strAsciiKey, c.ascii);
    EXPECT_EQ(dialog.m_strBssid, "00-1D-7E-11-22-01");
    EXPECT_EQ(dialog.m_strAuthentication, WpsAuthText(c.auth));
  }
}

TEST_F(WpsCredentialTest, RegistrarOkChecksTheKeyAndStoresRecordZero) {
  startWps();
  command(BRIDGE_CMD_WPS_CONFIG_MODE, "1");
  wps()->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_WPS_DETAIL, BN_CLICKED), 0);
  CPageWPSProfile* dialog = wpsProfile();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(dialog->GetStyle() & WS_VISIBLE);
  EXPECT_TRUE(dialog->AuthCombo().GetStyle() & WS_VISIBLE) << "registrar: the editable layout";
  EXPECT_FALSE(dialog->GetDlgItem(IDC_WPSP_AUTH_TEXT)->GetStyle() & WS_VISIBLE);
  EXPECT_EQ(dialog->AuthCombo().GetCurSel(), CPageWPSProfile::kAuthWpa2Psk);
  EXPECT_EQ(dialog->EncryptionCombo().GetCurSel(), 1) << "AES";
  const struct {
    std::string key;
    bool stored;
  } keys[] = {{std::string(64, 'z'), false}, {"short", false}, {std::string(64, 'A'), true}, {"long enough", true}};
  for (const auto& k : keys) {
    SCOPED_TRACE(k.key);
    const std::string before = RecordKey(0);
    dialog->KeyEdit().SetWindowText(k.key.c_str());
    dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_WPSP_OK, BN_CLICKED), 0);
    if (k.stored) {
      EXPECT_EQ(RecordKey(0), k.key);
      EXPECT_EQ(storeValue(kIniKindWps, "Profile0", "Key"), k.key);
      EXPECT_EQ(WpsCredentialAt(0).AuthType, credential::kAuthWpa2Psk);
    } else {
      EXPECT_EQ(RecordKey(0), before);
      const std::string info(static_cast<LPCSTR>(dialog->KeyEdit().GetInfoWnd().GetText()));
      EXPECT_NE(info.find("Invalid WPA Pre-Shared key. WPA-PSK use field should be 64 hex digits."), std::string::npos)
          << info;
    }
    wps()->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_WPS_DETAIL, BN_CLICKED), 0);
  }

  // Open without encryption asks first, then stores an open record.
  received().clear();
  dialog->AuthCombo().SetCurSel(CPageWPSProfile::kAuthOpen);
  dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_WPSP_AUTH_COMBO, CBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(dialog->AuthCombo().GetSafeHwnd()));
  EXPECT_EQ(dialog->EncryptionCombo().GetCount(), 2);
  dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_WPSP_OK, BN_CLICKED), 0);
  wavorel::pumpMessages();
  EXPECT_NE(lastOf(BRIDGE_UI_MESSAGE_BOX).find("Your configuration is not secure"), std::string::npos);
  EXPECT_EQ(WpsCredentialAt(0).AuthType, credential::kAuthOpen);
  EXPECT_EQ(WpsCredentialAt(0).EncrType, credential::kEncryptionNone);
  EXPECT_EQ(WpsCredentialAt(0).KeyLength, 0u);
}

TEST_F(WpsCredentialTest, BridgeValuesOutsideTheListsChangeNothing) {
  startWps();
  setCredentials({{"Only", credential::kAuthOpen, credential::kEncryptionNone, 0, "", 1}});
  wps()->LoadProfileList();
  received().clear();
  const int aps = wps()->ApList().GetItemCount();
  for (const auto& [code, value] : std::vector<std::pair<UINT, std::string>>{
           {BRIDGE_CMD_WPS_SELECT_AP, std::to_string(aps)}, {BRIDGE_CMD_WPS_SELECT_AP, "-1"},
           {BRIDGE_CMD_WPS_SELECT_PROFILE, "1"}, {BRIDGE_CMD_WPS_CONFIG_MODE, "2"},
           {BRIDGE_CMD_WPS_CONFIG_MODE, "-1"}})
    command(code, value.c_str());
  EXPECT_EQ(g_nWpsConfigMode, kWpsEnrollee);
  EXPECT_EQ(valuesOf(BRIDGE_UI_WPS_CONFIG_MODE).size(), 0u);
  EXPECT_EQ(wps()->ProfileList().GetNextItem(-1, LVNI_SELECTED), 0);
  EXPECT_EQ(WpsCredentialCount(), 1);
}

TEST_F(WpsCredentialTest, StoredValuesOutsideTheirRangesGiveWayAtStart) {
  const std::pair<const char*, const char*> stored[] = {
      {"ConfigMode", "1"}, {"Wireless Mode", "7"}, {"PinCode", "123456789"}};
  for (const auto& [key, value] : stored) WriteIniValue(g_strAdapterGuid, kIniKindWps, "Common", key, value, 0);
  startWps();
  EXPECT_EQ(g_nWpsConfigMode, kWpsRegistrar);
  EXPECT_EQ(g_nWpsWirelessMode, kWpsBand24);
  const std::string pin(static_cast<LPCSTR>(wps()->GetPinText()));
  ASSERT_EQ(pin.size(), 8u);
  EXPECT_NE(pin, "123456789");
  const DWORD value = static_cast<DWORD>(std::stoul(pin));
  EXPECT_EQ(value % 10, WpsPinChecksum(value / 10));
  EXPECT_EQ(lastOf(BRIDGE_UI_WPS_RENEW_ENABLE), "0");
}

TEST_F(WpsCredentialTest, RowsReachTheFrontEndAsFieldsAndEnterNeverClosesThePage) {
  startWps();
  setCredentials({{"Tab\tCR\r\nLF", credential::kAuthOpen, credential::kEncryptionNone, 0, "", 1}});
  wps()->LoadProfileList();
  wavorel::pumpMessages();
  EXPECT_EQ(lastOf(BRIDGE_UI_WPS_PROFILE_ROW), "\"Tab CR  LF\"\t\"\"");
  EXPECT_NE(lastOf(BRIDGE_UI_WPS_AP_ROW).find("\"0x0004\"\t\"PrintHub\"\t\"9\""), std::string::npos)
      << lastOf(BRIDGE_UI_WPS_AP_ROW);
  wps()->SendMessage(WM_COMMAND, IDOK, 0);
  wps()->SendMessage(WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(IsWindow(wps()->GetSafeHwnd()));
}

}  // namespace
}  // namespace station::testing
