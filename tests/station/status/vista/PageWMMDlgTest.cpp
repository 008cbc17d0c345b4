// The WMM page on the host: WMM switched on by itself in the 802.11n modes and
// the connection re-applied, WMM off clearing the other switches, the power-
// save text from the driver's APSD word, and direct links set up (after the
// checks, in their order), listed, ended by their timeout and torn down.
#include "station/status/PageWMMDlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/station/status/vista/StationToolsTest.h"
#include "worker/OidRequest.h"

namespace station::testing {
namespace {

using Bytes = std::vector<uint8_t>;
constexpr uint32_t kApsdSet = 0xFFF1012A;
constexpr uint32_t kDlsSet = 0xFFF10131;
constexpr uint32_t kWmmSet = 0xFFF1012D;
constexpr uint32_t kDlsLinkSet = 0xFFF10132;
constexpr char kPeer[] = "00-0A-0B-0C-0D-0E";

class PageWMMDlgTest : public StationToolsTest {
 protected:
  void setApsdWord(DWORD word) {
    DWORD written = 0;
    SetOid(OID_VX_APSD_CAPABLE_SET, &word, sizeof word, &written, 3);
  }
  // The MAC's parts (split at "-") into the six edits, and the timeout.
  void enterPeer(const std::string& mac, const char* timeout) {
    std::vector<std::string> parts(6);
    size_t from = 0;
    for (std::string& part : parts) {
      if (from > mac.size()) break;
      const size_t dash = mac.find('-', from);
      part = mac.substr(from, dash == std::string::npos ? std::string::npos : dash - from);
      from = dash == std::string::npos ? mac.size() + 1 : dash + 1;
    }
    for (int i = 0; i < 6; ++i) wmm().SetDlgItemText(IDC_WMM_MAC_EDITS[i], parts[static_cast<size_t>(i)].c_str());
    wmm().SetDlgItemText(IDC_WMM_TIMEOUT, timeout);
  }
  // The list's row clicked (or, with -1, a click beside the rows).
  void clickRow(int row, UINT code = NM_CLICK) {
    CQuickList& list = wmm().GetDlsList();
    list.SetItemState(-1, 0, LVIS_SELECTED);
    if (row >= 0) list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    // The list's notice of a click, as the list control sends it.
    NMITEMACTIVATE click{};
    click.hdr = {list.GetSafeHwnd(), IDC_WMM_DLS_LIST, code};
    click.iItem = row;
    wmm().SendMessage(WM_NOTIFY, IDC_WMM_DLS_LIST, reinterpret_cast<LPARAM>(&click));
  }
  std::vector<std::string> links() {
    std::vector<std::string> out;
    for (const DlsLinkEntry& link : wmm().GetLinks())
      out.push_back(std::string(link.strMac) + " " + std::to_string(link.nTimeout));
    EXPECT_EQ(static_cast<int>(out.size()), wmm().GetDlsList().GetItemCount());
    return out;
  }
  // WMM and DLS on in the driver key, the page shown, connected to HomeNet.
  void showWithDls() {
    connectHome();
    writeText("WMMCapable", "1");
    writeText("DLSCapable", "1");
    DWORD on = 1, written = 0;
    SetOid(OID_VX_DLS_CAPABLE_SET, &on, sizeof on, &written, 3);
    show(wmm());
    ASSERT_TRUE(enabled(wmm(), IDC_WMM_DLS_APPLY));
  }
};

TEST_F(PageWMMDlgTest, ShownInAnHtModeItSwitchesWmmOnAndReconnectsByProfile) {
  connectHome();
  writeText("WMMCapable", "0");
  g_nWirelessMode = 7;
  wavorel::sim::clearDriverCalls();
  received().clear();
  show(wmm());
  EXPECT_EQ("1", readValue("WMMCapable"));
  EXPECT_EQ(Bytes{1}, lastSet(kWmmSet));
  EXPECT_EQ((Bytes{0, 0, 0, 0}), lastSet(kDlsSet));
  EXPECT_EQ(1u, sets(kApsdSet).size());
  EXPECT_TRUE(checked(wmm(), IDC_WMM_ENABLE));
  EXPECT_EQ("Enabled", text(wmm(), IDC_WMM_STATUS));
  EXPECT_FALSE(wavorel::sim::machine().adapter(0).connected()) << "disconnected";
  advance(4000);
  EXPECT_TRUE(wavorel::sim::machine().adapter(0).connected()) << "connected again by its profile";
  EXPECT_TRUE(messages().empty());

  // In mode 3 nothing is switched.
  wmm().ShowWindow(SW_HIDE);
  writeText("WMMCapable", "0");
  g_nWirelessMode = 3;
  wavorel::sim::clearDriverCalls();
  wmm().m_bWmm = 0;
  show(wmm());
  EXPECT_TRUE(sets(kWmmSet).empty());
  EXPECT_EQ("0", readValue("WMMCapable"));
  EXPECT_EQ("Disabled", text(wmm(), IDC_WMM_STATUS));
  EXPECT_FALSE(enabled(wmm(), IDC_WMM_POWER_SAVE));
  EXPECT_FALSE(enabled(wmm(), IDC_WMM_DLS_APPLY));
}

TEST_F(PageWMMDlgTest, ATemporaryConnectionIsDroppedWithTheWarning) {
  startWithHost();
  // Connected by discovery, not by a stored profile.
  DOT11_SSID ssid{};
  ssid.uSSIDLength = 8;
  std::memcpy(ssid.ucSSID, "CafeFree", 8);
  g_pNativeWiFi->ProfileOps()->Connect(nullptr, nullptr, dot11_BSS_type_infrastructure, &ssid, 3, nullptr, FALSE,
                                       FALSE);
  advance(4000);
  ASSERT_TRUE(wavorel::sim::machine().adapter(0).connected());
  writeText("WMMCapable", "0");
  g_nWirelessMode = 5;
  received().clear();
  show(wmm());
  EXPECT_EQ(std::vector<std::string>{"Changing WMM settings will cause current connection lost"}, messages());
  advance(4000);
  EXPECT_FALSE(wavorel::sim::machine().adapter(0).connected()) << "not connected again";
}

TEST_F(PageWMMDlgTest, PowerSaveTextAndWmmOffFromTheDriversWord) {
  startWithHost();
  writeText("WMMCapable", "1");
  writeText("APSDCapable", "1");
  writeText("DLSCapable", "1");
  setApsdWord(0x0B);
  show(wmm());
  EXPECT_EQ("Enabled:AC_BE:AC_VI", text(wmm(), IDC_WMM_POWER_SAVE_STATUS));
  EXPECT_TRUE(checked(wmm(), IDC_WMM_AC_BE));
  EXPECT_FALSE(checked(wmm(), IDC_WMM_AC_BK));
  EXPECT_TRUE(enabled(wmm(), IDC_WMM_AC_VO));
  EXPECT_TRUE(enabled(wmm(), IDC_WMM_DLS_APPLY));
  EXPECT_EQ("Enabled", text(wmm(), IDC_WMM_DLS_STATUS));

  // An access category clicked: the word from the flags, the AC values written.
  click(wmm(), IDC_WMM_AC_VO, BST_CHECKED);
  EXPECT_EQ((Bytes{0x1B, 0, 0, 0}), lastSet(kApsdSet));
  EXPECT_EQ("Enabled:AC_BE:AC_VI:AC_VO", text(wmm(), IDC_WMM_POWER_SAVE_STATUS));
  EXPECT_EQ("1", readValue("APSDAC_VO"));
  EXPECT_EQ("0", readValue("APSDAC_BK"));

  // WMM off: the word without bit 0 and bits 7 up, every switch "0".
  setApsdWord(0x18B);
  wmm().SetDlgItemText(IDC_WMM_TIMEOUT, "300");
  click(wmm(), IDC_WMM_ENABLE, BST_UNCHECKED);
  EXPECT_EQ((Bytes{0x0A, 0, 0, 0}), lastSet(kApsdSet));
  EXPECT_EQ(Bytes{0}, lastSet(kWmmSet));
  EXPECT_EQ((Bytes{0, 0, 0, 0}), lastSet(kDlsSet));
  for (const char* name : {"WMMCapable", "APSDCapable", "DLSCapable"}) EXPECT_EQ("0", readValue(name)) << name;
  EXPECT_EQ("60", text(wmm(), IDC_WMM_TIMEOUT));
  EXPECT_FALSE(checked(wmm(), IDC_WMM_DLS));
  EXPECT_FALSE(checked(wmm(), IDC_WMM_POWER_SAVE));
  for (int id : {IDC_WMM_POWER_SAVE, IDC_WMM_DLS, IDC_WMM_AC_BE, IDC_WMM_DLS_APPLY, IDC_WMM_DLS_TEAR_DOWN,
                 IDC_WMM_TIMEOUT, IDC_WMM_MAC_EDITS[0], IDC_WMM_DLS_LIST})
    EXPECT_FALSE(enabled(wmm(), id)) << id;
  EXPECT_EQ("Disabled", text(wmm(), IDC_WMM_POWER_SAVE_STATUS));
}

TEST_F(PageWMMDlgTest, SwitchTextsOfTheDriverKeyReadAsZeroOrOne) {
  startWithHost();
  struct Case {
    const char* text;
    int flag;
  };
  for (const Case& c : {Case{"0", 0}, Case{"1", 1}, Case{"2", 1}, Case{"-1", 1}, Case{"abc", 0}, Case{"", 0}}) {
    writeText("WMMCapable", c.text);
    writeText("DLSCapable", c.text);
    int powerSave = 7, dls = 7, wmmFlag = 7;
    EXPECT_TRUE(wmm().ReadWmmRegistryValues(powerSave, dls, wmmFlag));
    EXPECT_EQ(c.flag, wmmFlag) << c.text;
    EXPECT_EQ(c.flag, dls) << c.text;
    EXPECT_EQ(7, powerSave) << "a missing value leaves its flag";
  }
  const DWORD number = 1;
  writeValue("WMMCapable", REG_DWORD, &number, sizeof number);
  int powerSave = 0, dls = 0, wmmFlag = 5;
  wmm().ReadWmmRegistryValues(powerSave, dls, wmmFlag);
  EXPECT_EQ(5, wmmFlag) << "only a text is a switch";
}

TEST_F(PageWMMDlgTest, DirectLinkSetupChecksInOrderThenSendsTheEntry) {
  showWithDls();
  struct Case {
    const char* mac;
    const char* timeout;
    const char* message;  // empty: sent
  };
  const char* invalid = "Invalid MAC Address";
  const char* range = "Please enter a integer between 0 to 65535.";
  const Case cases[] = {
      {"00-00-00-00-00-00", "60", invalid},
      {"FF-FF-FF-FF-FF-FF", "-1", invalid},
      {"00-0E-2E-5A-10-01", "60", invalid},  // the adapter's own address
      {"01-0A-0B-0C-0D-0E", "60", invalid},  // a group address
      {kPeer, "70000", range},
      {kPeer, "-1", range},
      {kPeer, "99999999999999999999", range},
  };
  for (const Case& c : cases) {
    received().clear();
    wavorel::sim::clearDriverCalls();
    enterPeer(c.mac, c.timeout);
    press(wmm(), IDC_WMM_DLS_APPLY);
    EXPECT_EQ(std::vector<std::string>{c.message}, messages()) << c.mac << " " << c.timeout;
    EXPECT_TRUE(sets(kDlsLinkSet).empty()) << c.mac << " " << c.timeout;
  }
  // A one-character edit reads as padded with '0': "0" is the byte 00.
  received().clear();
  enterPeer("0-0A-0B-0C-0D-0E", "5");
  press(wmm(), IDC_WMM_DLS_APPLY);
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ((Bytes{5, 0, 0, 0, 0x00, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0, 1}), lastSet(kDlsLinkSet));
  EXPECT_TRUE(links().empty()) << "listed by the next tick";
  advance(1000);
  EXPECT_EQ(std::vector<std::string>{std::string(kPeer) + " 5"}, links());
  advance(5000);
  EXPECT_TRUE(links().empty()) << "its timeout ended it";
}

TEST_F(PageWMMDlgTest, TearDownSendsTheSelectedLinkWithInUseZero) {
  showWithDls();
  enterPeer(kPeer, "0");
  press(wmm(), IDC_WMM_DLS_APPLY);
  advance(1000);
  ASSERT_EQ(std::vector<std::string>{std::string(kPeer) + " 0"}, links());

  // Before any click the selected text is empty: nothing is sent.
  wavorel::sim::clearDriverCalls();
  press(wmm(), IDC_WMM_DLS_TEAR_DOWN);
  EXPECT_TRUE(sets(kDlsLinkSet).empty());
  // A click beside the rows: "No selected item".
  clickRow(-1);
  received().clear();
  press(wmm(), IDC_WMM_DLS_TEAR_DOWN);
  EXPECT_EQ(std::vector<std::string>{"No selected item"}, messages());
  EXPECT_TRUE(sets(kDlsLinkSet).empty());

  // A double click fills the edits; a click selects the link to tear down.
  enterPeer("", "");
  clickRow(0, NM_DBLCLK);
  EXPECT_EQ("0B", text(wmm(), IDC_WMM_MAC_EDITS[2]));
  EXPECT_EQ("0", text(wmm(), IDC_WMM_TIMEOUT));
  clickRow(0);
  EXPECT_STREQ(kPeer, g_strSelectedDlsMac);
  press(wmm(), IDC_WMM_DLS_TEAR_DOWN);
  EXPECT_EQ((Bytes{0, 0, 0, 0, 0x00, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 2, 0}), lastSet(kDlsLinkSet));
  advance(1000);
  EXPECT_TRUE(links().empty());

  // A failed table query lists nothing and tears nothing down.
  enterPeer(kPeer, "0");
  press(wmm(), IDC_WMM_DLS_APPLY);
  advance(1000);
  clickRow(0);
  wavorel::sim::machine().failCode(0xFF710132, 2);
  wavorel::sim::clearDriverCalls();
  press(wmm(), IDC_WMM_DLS_TEAR_DOWN);
  EXPECT_TRUE(sets(kDlsLinkSet).empty());
  advance(1000);
  EXPECT_TRUE(links().empty());
}

}  // namespace
}  // namespace station::testing
