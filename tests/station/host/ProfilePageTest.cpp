// The profile page in the worker's host, driven by bridge codes 9-15 on the
// simulated machine: its rows and details, moving, activating, deleting,
// the guard, the order file and bad store values.
#include <fstream>
#include <cstdio>

#include "tests/station/host/StationHostTest.h"
#include "worker/NativeWiFi.h"
#include "worker/WlanProfileXml.h"

namespace station::testing {
namespace {

class ProfilePageTest : public StationHostTest {
 protected:
  // Three profiles: Home and Shop activated at the same second (Home stored
  // first), Cafe a day later.
  void storeThree() {
    storeProfile("Home", {{"SSID", "HomeNet"}, {"NetworkType", "1"}, {"AuthMode", "7"}, {"CipherMode", "6"},
                          {"PSMode", "0"}, {"ActiveTime", "2009, 3, 1, 10, 0, 0"}});
    storeOpenProfile("Shop", "ShopNet", "2009, 3, 1, 10, 0, 0");
    storeOpenProfile("Cafe", "CafeFree", "2009, 3, 2, 8, 30, 0");
  }
  bool buttonEnabled(UINT id) { return page().GetDlgItem(id)->IsWindowEnabled() != FALSE; }
  std::string orderFile() {
    return std::string(readFile(CPageProfileDlg::OrderFileName()));
  }
  static std::string readFile(const CString& windowsPath) {
    std::string path;
    if (!wavorel::resolveWindowsPath(static_cast<LPCSTR>(windowsPath), path)) return "";
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  void writeOrderFile(const std::string& bytes) {
    std::string path;
    ASSERT_TRUE(wavorel::resolveWindowsPath(static_cast<LPCSTR>(CPageProfileDlg::OrderFileName()), path));
    std::ofstream(path, std::ios::binary) << bytes;
  }
};

TEST_F(ProfilePageTest, RowsAreNewestFirstAndEqualTimesKeepTheirOrder) {
  storeThree();
  startWithHost();
  EXPECT_EQ(lastOf(BRIDGE_UI_PROFILE_ROW),
            "\"Cafe\"\t\"CafeFree\"\t\"-1\"\t\"0\"\r\n"
            "\"Home\"\t\"HomeNet\"\t\"-1\"\t\"1\"\r\n"
            "\"Shop\"\t\"ShopNet\"\t\"-1\"\t\"0\"");
}

TEST_F(ProfilePageTest, RowFieldsCarryNoTabOrLineEnd) {
  storeOpenProfile("Tab\tName", "a\r\nb\tc", "");
  startWithHost();
  EXPECT_EQ(lastOf(BRIDGE_UI_PROFILE_ROW), "\"Tab Name\"\t\"a  b c\"\t\"-1\"\t\"0\"");
}

TEST_F(ProfilePageTest, SelectingARowReportsItsDetails) {
  storeThree();
  storeProfile("Home", {{"TXPower", "2"}, {"RtsThresh", "2347"}, {"FragThresh", "2346"}});
  startWithHost();
  command(BRIDGE_CMD_SELECT_PROFILE, "1");
  EXPECT_EQ(lastOf(BRIDGE_UI_PROFILE_DETAIL), "Infrastructure\r\nWPA2-PSK \r\nAES\r\nAuto\r\nCAM");
  const std::pair<UINT, const char*> texts[] = {{1246, "Home"},  {1252, "HomeNet"}, {1040, "Infrastructure"},
                                                {1114, "WPA2-PSK "}, {1116, "AES"},  {1281, "NO"},
                                                {1030, "Auto"},  {1273, "CAM"},     {1286, "75 %"},
                                                {1294, "2347"},  {1299, "2346"}};
  for (const auto& [id, text] : texts) {
    CString shown;
    page().GetDlgItemText(id, shown);
    EXPECT_EQ(std::string(shown), text) << "control " << id;
  }
}

TEST_F(ProfilePageTest, BadStoreValuesShowDefinedTexts) {
  // Ad hoc so that the channel is shown; AuthMode 9 counts as open.
  storeProfile("Odd", {{"SSID", "Odd"}, {"NetworkType", "0"}, {"AuthMode", "9"}, {"CipherMode", "3"},
                       {"Channel", "abc"}, {"PSMode", "2"}, {"TXPower", "40"}});
  storeProfile("Japan", {{"SSID", "J"}, {"NetworkType", "0"}, {"AuthMode", "0"}, {"LeapEnabled", "1"},
                         {"LeapEncryType", "1"}, {"Channel", "212"}});
  startWithHost();
  command(BRIDGE_CMD_SELECT_PROFILE, "0");
  EXPECT_EQ(lastOf(BRIDGE_UI_PROFILE_DETAIL), "Ad hoc\r\nOpen \r\n\r\n0\r\nPSM");
  command(BRIDGE_CMD_SELECT_PROFILE, "1");
  EXPECT_EQ(lastOf(BRIDGE_UI_PROFILE_DETAIL), "Ad hoc\r\nLEAP \r\nWPA-TKIP\r\nJ12\r\nCAM");
}

TEST_F(ProfilePageTest, ActiveTimeFieldsAreClampedBeforeSorting) {
  // Out-of-range fields count as 1971-01-01 00:00:00, the time of an empty
  // stamp: both sort after a real second of 1971 and keep their store order.
  storeOpenProfile("Wild", "W", "5000, 13, 40, 25, 61, 99");
  storeOpenProfile("Never", "N", "");
  storeOpenProfile("Early", "E", "1971, 1, 1, 0, 0, 1");
  storeOpenProfile("Negative", "X", "-5, -1, 0, -3, 70, -9");
  startWithHost();
  EXPECT_EQ(rowNames(), (std::vector<std::string>{"Early", "Wild", "Never", "Negative"}));
}

TEST_F(ProfilePageTest, MovingReportsTheNewRowExceptAtTheEnds) {
  storeThree();
  startWithHost();
  command(BRIDGE_CMD_SELECT_PROFILE, "1");
  command(BRIDGE_CMD_PROFILE_MOVE_UP);
  EXPECT_EQ(valuesOf(BRIDGE_UI_PROFILE_SELECT), std::vector<std::string>{"0"});
  EXPECT_EQ(rowNames(), (std::vector<std::string>{"Home", "Cafe", "Shop"}));
  EXPECT_EQ(lastOf(BRIDGE_UI_PROFILE_ROW).substr(0, 7), "\"Home\"\t");

  command(BRIDGE_CMD_SELECT_PROFILE, "0");
  command(BRIDGE_CMD_PROFILE_MOVE_UP);
  command(BRIDGE_CMD_SELECT_PROFILE, "2");
  command(BRIDGE_CMD_PROFILE_MOVE_DOWN);
  EXPECT_EQ(valuesOf(BRIDGE_UI_PROFILE_SELECT).size(), 1u);
  EXPECT_EQ(rowNames(), (std::vector<std::string>{"Home", "Cafe", "Shop"}));

  command(BRIDGE_CMD_PROFILE_MOVE_UP);
  EXPECT_EQ(lastOf(BRIDGE_UI_PROFILE_SELECT), "1");
  EXPECT_EQ(rowNames(), (std::vector<std::string>{"Home", "Shop", "Cafe"}));
}

TEST_F(ProfilePageTest, RowsOutsideTheListSelectNothing) {
  storeThree();
  startWithHost();
  const struct {
    UINT code;
    const char* value;
    size_t details;  // code 33 reports after the command
  } table[] = {{BRIDGE_CMD_SELECT_PROFILE, "3", 0}, {BRIDGE_CMD_SELECT_PROFILE, "-1", 0},
               {BRIDGE_CMD_SELECT_PROFILE, "99999999999", 0}, {BRIDGE_CMD_SELECT_PROFILE, "abc", 1},
               {BRIDGE_CMD_SELECT_PROFILE, "2", 1}};
  for (const auto& row : table) {
    received().clear();
    command(row.code, row.value);
    EXPECT_EQ(valuesOf(BRIDGE_UI_PROFILE_DETAIL).size(), row.details) << row.value;
  }
  // Activate acts on the selection whatever row it names.
  received().clear();
  command(BRIDGE_CMD_ACTIVATE_PROFILE, "7");
  EXPECT_EQ(storeValue(kIniKindStation, "Config", "CurProfile"), "Shop");
}

TEST_F(ProfilePageTest, ActivateWritesTheStoreConnectsAndResorts) {
  storeThree();
  storeProfile("Shop", {{"SSID", "CafeFree"}, {"WPAPSK", "unused"}, {"TXPower", "3"}});
  startWithHost();
  command(BRIDGE_CMD_SELECT_PROFILE, "2");
  command(BRIDGE_CMD_ACTIVATE_PROFILE, "2");
  EXPECT_EQ(storeValue(kIniKindStation, "Config", "CurProfile"), "Shop");
  EXPECT_EQ(storeValue(kIniKindStation, "Config", "WSC"), "0");
  // The keys as they were when copied; the profile's own "ActiveTime" is
  // stamped afterwards with the local time.
  for (int i = 0; i < kProfileKeyCount; ++i) {
    const std::string key = g_profileKeys[i];
    EXPECT_EQ(storeValue(kIniKindStation, "Config", key.c_str()),
              key == "ActiveTime" ? "2009, 3, 1, 10, 0, 0" : storeValue(kIniKindProfiles, "Shop", key.c_str()))
        << key;
  }
  SYSTEMTIME now{};
  GetLocalTime(&now);
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%d, %d, %d, %d, %d, %d", now.wYear, now.wMonth, now.wDay, now.wHour,
                now.wMinute, now.wSecond);
  EXPECT_EQ(storeValue(kIniKindProfiles, "Shop", "ActiveTime"), stamp);
  EXPECT_EQ(rowNames().front(), "Shop");
  EXPECT_EQ(g_strCurProfileName, "Shop");
  EXPECT_EQ(g_bConnectedByProfile, 1);
  advance(4000);
  ASSERT_TRUE(machine().adapter(0).connected());
  EXPECT_EQ(machine().adapter(0).network()->ssid, "CafeFree");
}

TEST_F(ProfilePageTest, DeletingTheCurrentProfileClearsItEverywhere) {
  storeOpenProfile("Cafe", "CafeFree", "");
  startWithHost();
  command(BRIDGE_CMD_ACTIVATE_PROFILE, "0");
  advance(4000);
  ASSERT_TRUE(machine().adapter(0).connected());
  const CString wlanName = WlanProfileNameOfSsid(reinterpret_cast<const BYTE*>("CafeFree"), 8);
  ASSERT_TRUE(g_pNativeWiFi->ProfileList()->ProfileExists(wlanName));

  command(BRIDGE_CMD_PROFILE_DELETE);
  EXPECT_FALSE(g_pNativeWiFi->ProfileList()->ProfileExists(wlanName));
  EXPECT_TRUE(sectionNames().empty());
  EXPECT_EQ(storeValue(kIniKindStation, "Config", "SSID"), "");
  EXPECT_EQ(g_bConnectedByProfile, 0);
  EXPECT_TRUE(page().m_curProfileName.IsEmpty());
  EXPECT_EQ(lastOf(BRIDGE_UI_PROFILE_ROW), "");
  for (UINT id : {IDC_PROFILE_EDIT, IDC_PROFILE_DELETE, IDC_PROFILE_ACTIVATE}) EXPECT_FALSE(buttonEnabled(id)) << id;
  EXPECT_TRUE(buttonEnabled(IDC_PROFILE_ADD));
  CString shown;
  page().GetDlgItemText(1246, shown);
  EXPECT_TRUE(shown.IsEmpty());
}

TEST_F(ProfilePageTest, DeletingTheCurrentProfileActivatesTheNextOfItsSsid) {
  storeOpenProfile("Second", "CafeFree", "2009, 1, 1, 0, 0, 0");
  storeOpenProfile("First", "CafeFree", "");
  storeOpenProfile("Other", "ShopNet", "2008, 1, 1, 0, 0, 0");
  startWithHost();
  command(BRIDGE_CMD_SELECT_PROFILE, "2");  // First, never activated: last
  command(BRIDGE_CMD_ACTIVATE_PROFILE, "2");
  ASSERT_EQ(rowNames(), (std::vector<std::string>{"First", "Second", "Other"}));
  command(BRIDGE_CMD_SELECT_PROFILE, "0");
  command(BRIDGE_CMD_PROFILE_DELETE);
  EXPECT_EQ(storeValue(kIniKindStation, "Config", "CurProfile"), "Second");
  EXPECT_EQ(page().m_curProfileName, "Second");
  EXPECT_EQ(rowNames(), (std::vector<std::string>{"Second", "Other"}));
}

TEST_F(ProfilePageTest, ButtonsWaitForTheAdapterAndTheRadio) {
  storeThree();
  startWithHost();
  command(BRIDGE_CMD_SELECT_PROFILE, "0");
  for (const auto& [state, radio] : {std::pair{0, 1}, std::pair{2, 0}}) {
    g_nAdapterState = state;
    g_bRadioOn = radio;
    command(BRIDGE_CMD_ACTIVATE_PROFILE, "0");
    command(BRIDGE_CMD_PROFILE_DELETE);
    EXPECT_EQ(storeValue(kIniKindStation, "Config", "CurProfile"), "") << state << radio;
    EXPECT_EQ(sectionNames().size(), 3u);
  }
}

TEST_F(ProfilePageTest, NoSelectionAmongSeveralRowsWarns) {
  storeThree();
  startWithHost();
  received().clear();
  command(BRIDGE_CMD_ACTIVATE_PROFILE, "0");
  EXPECT_EQ(valuesOf(BRIDGE_UI_MESSAGE_BOX), std::vector<std::string>{"48\r\n\r\nNo selected item"});
  EXPECT_EQ(storeValue(kIniKindStation, "Config", "CurProfile"), "");
}

TEST_F(ProfilePageTest, OneRowIsActedOnWithoutASelection) {
  storeOpenProfile("Cafe", "CafeFree", "");
  startWithHost();
  command(BRIDGE_CMD_ACTIVATE_PROFILE, "0");
  EXPECT_TRUE(valuesOf(BRIDGE_UI_MESSAGE_BOX).empty());
  EXPECT_EQ(storeValue(kIniKindStation, "Config", "CurProfile"), "Cafe");
}

TEST_F(ProfilePageTest, DeletingBySsidRemovesEveryRowOfIt) {
  storeOpenProfile("One", "Same", "2009, 1, 3, 0, 0, 0");
  storeOpenProfile("Other", "Else", "2009, 1, 2, 0, 0, 0");
  storeOpenProfile("Two", "Same", "2009, 1, 1, 0, 0, 0");
  startWithHost();
  page().DeleteProfilesBySsid("Same");
  EXPECT_EQ(rowNames(), std::vector<std::string>{"Other"});
  EXPECT_EQ(sectionNames(), std::vector<std::string>{"Other"});
  EXPECT_FALSE(IsStationProfileListed("Same"));
  EXPECT_TRUE(IsStationProfileListed("Else"));
}

TEST_F(ProfilePageTest, TheOrderSurvivesAHostRebuild) {
  storeOpenProfile("Home2", "A", "2009, 1, 2, 0, 0, 0");
  storeOpenProfile("Home", "B", "2009, 1, 1, 0, 0, 0");
  storeOpenProfile("Cafe", "C", "2009, 1, 3, 0, 0, 0");
  startWithHost();
  command(BRIDGE_CMD_SELECT_PROFILE, "0");
  command(BRIDGE_CMD_PROFILE_MOVE_DOWN);  // Home2, Cafe, Home
  DestroyHideDlg();
  EXPECT_EQ(orderFile(), "Home2\r\nCafe\r\nHome");

  startWithHost();
  EXPECT_EQ(rowNames(), (std::vector<std::string>{"Home2", "Cafe", "Home"}));
}

TEST_F(ProfilePageTest, AnOrderFileOfBadBytesGivesADefinedList) {
  storeOpenProfile("Home", "A", "2009, 1, 2, 0, 0, 0");
  storeOpenProfile("Cafe", "B", "2009, 1, 1, 0, 0, 0");
  const struct {
    std::string bytes;
    std::vector<std::string> rows;
  } table[] = {
      {std::string("\x01\xff\0Home", 7) + "\rUnknown\rCafe", {"Cafe"}},
      {"Cafe\rHome", {"Cafe", "Home"}},
      {"Cafe\n\n\r\nHome\r\nCafe", {"Cafe", "Home"}},
      {"Home", {"Home"}},
      {std::string(1 << 20, 'x'), {}},
      {"", {"Home", "Cafe"}},
  };
  for (const auto& row : table) {
    writeOrderFile(row.bytes);
    startWithHost();
    EXPECT_EQ(rowNames(), row.rows) << row.bytes.substr(0, 20);
    DestroyHideDlg();
  }
}

}  // namespace
}  // namespace station::testing
