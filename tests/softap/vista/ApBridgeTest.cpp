// The front end's AP commands 73 to 91 through the worker's bridge handler,
// on the worker's own sheet: the security dialog opened, driven and ended
// by codes, apply and default, indexes outside their lists, and the worker
// leaving AP mode or exiting while the dialog runs.
#include <string>
#include <utility>
#include <vector>

#include "softap/QzPropSheet_AP.h"
#include "tests/softap/vista/ApConfigPageTest.h"

namespace softap::testing {
namespace {

using Commands = std::vector<std::pair<UINT, std::string>>;

class ApBridgeTest : public ApConfigPageTest {
 protected:
  // AP mode with the base settings and `changes`; the start's posts and
  // driver calls cleared.
  void begin(const Texts& changes = {}) {
    startWith(changes);
    ASSERT_NE(sheet(), nullptr);
    received().clear();
    wavorel::sim::clearDriverCalls();
  }
  static CQzPropSheet_AP* sheet() { return worker() ? worker()->GetSheet() : nullptr; }
  static CConfigPage_AP& config() { return sheet()->GetConfigPage(); }
  // Posts the commands to the worker as the front end does, then runs them:
  // those behind 73 "1" are taken inside the security dialog's loop.
  static void send(const Commands& commands) {
    for (const auto& [code, value] : commands) ASSERT_EQ(NotifyWorker(code, value.c_str(), TRUE), 0);
    pump();
  }
  static std::string apDefault(const char* name) { return readValue(driverKeyOf() + "\\ApDefault", name); }
};

TEST_F(ApBridgeTest, SheetHoldsItsPagesInOrder) {
  begin();
  // USB: no WDS page; no [Page] "11n Setting": no 11n Setting page.
  const std::vector<CPropertyPage*> pages = {&config(), &sheet()->GetAccessControlPage(),
                                             &sheet()->GetMacTablePage(), &sheet()->GetEventLogPage(),
                                             &sheet()->GetStatisticPage(), &sheet()->GetAboutPage()};
  ASSERT_EQ(sheet()->GetPageCount(), static_cast<int>(pages.size()));
  for (size_t i = 0; i < pages.size(); ++i) EXPECT_EQ(sheet()->GetPage(static_cast<int>(i)), pages[i]) << i;
  EXPECT_EQ(sheet()->GetActivePage(), &config());
  EXPECT_TRUE(::IsWindow(config().GetSafeHwnd()));
}

TEST_F(ApBridgeTest, SecurityCodesThenApplyStoreTheNewRecordAndTheStationJoins) {
  useDefaultWorld("", client("Guest", "00-24-D7-00-00-0A", "Passphrase = bridge-secret-9\nArrives = 3"));
  begin();
  // 91 ends the dialog's loop; 77 is taken after it, so it applies the new
  // record.
  send({{BRIDGE_CMD_PAGE_CHANGED, "1"},
        {BRIDGE_CMD_AP_AUTH_TYPE, "3"},  // WPA2-PSK
        {BRIDGE_CMD_AP_ENCRYPTION, "1"},  // AES
        {BRIDGE_CMD_AP_WPA_PSK, "bridge-secret-9"},
        {BRIDGE_CMD_AP_SSID, "Bridged"},
        {BRIDGE_CMD_AP_APPLY_SECURITY, ""},
        {BRIDGE_CMD_AP_APPLY_CONFIG, ""}});
  EXPECT_EQ(valuesOf(BRIDGE_UI_AP_CONFIG_STATE), std::vector<std::string>{"1"});
  EXPECT_EQ(config().GetSecurityDialog(), nullptr);
  EXPECT_EQ(apDefault("AuthMode"), "7");
  EXPECT_EQ(apDefault("CipherMode"), "4");
  EXPECT_EQ(apDefault("WPAPSK"), "bridge-secret-9");
  EXPECT_EQ(readValue(driverKeyOf(), "SSID"), "Bridged");
  // The pre-shared key record (the worker may already have sent it again).
  ASSERT_GE(setsOf(0xFF8C0038).size(), 1u);
  EXPECT_EQ(setsOf(0xFF8C0038)[0].data.size(), 71u);
  EXPECT_EQ(g_bApWepOrNone, 0) << "AES: no WDS page offered";
  EXPECT_EQ(sheet()->GetPageCount(), 6);

  ASSERT_TRUE(settle([] { return !worker()->IsKeyPending(); }));
  EXPECT_EQ(wavorel::sim::machine().adapter(0).softAp().ssid(), "Bridged");
  tick(4000);
  tick(CHideDlg_AP::kPollMs);
  std::vector<BYTE> table(324, 0);
  DWORD returned = 0;
  ASSERT_TRUE(QueryDriverOid_AP(0xFF0C0029, table.data(), static_cast<DWORD>(table.size()), &returned));
  EXPECT_EQ(u32(table, 0), 1u) << "the station associated with the new pass phrase";
}

TEST_F(ApBridgeTest, WepKeyCodesAddressKeysOneToFour) {
  begin();
  send({{BRIDGE_CMD_PAGE_CHANGED, "1"},
        {BRIDGE_CMD_AP_AUTH_TYPE, "0"},
        {BRIDGE_CMD_AP_ENCRYPTION, "1"},  // WEP
        {BRIDGE_CMD_AP_WEP_KEY_TYPE + 1, "1"},  // key 2 ASCII
        {BRIDGE_CMD_AP_WEP_KEY + 1, "abcde"},
        {BRIDGE_CMD_AP_WEP_KEY + 3, "0123456789"},  // key 4 hex
        {BRIDGE_CMD_AP_WEP_KEY_INDEX, "1"},
        {BRIDGE_CMD_AP_APPLY_SECURITY, ""},
        {BRIDGE_CMD_AP_APPLY_CONFIG, ""}});
  EXPECT_EQ(valuesOf(BRIDGE_UI_AP_CONFIG_STATE), std::vector<std::string>{"1"});
  EXPECT_EQ(apDefault("WEPKey2Type"), "1");
  EXPECT_EQ(apDefault("WEPKey2"), "6162636465");
  EXPECT_EQ(apDefault("WEPKey4Type"), "0");
  EXPECT_EQ(apDefault("WEPKey4"), "0123456789");
  EXPECT_EQ(apDefault("WEPKeyUse"), "2");
  EXPECT_EQ(g_bApWepOrNone, 1);
  // Key 2 is the default key: its index carries the transmit bit (the
  // worker sends the keys once more when the AP is up again).
  const auto keys = setsOf(0xFF8C0038);
  ASSERT_GE(keys.size(), 2u);
  EXPECT_EQ(u32(keys[0].data, 4), 0x80000001u);
  EXPECT_EQ(u32(keys[1].data, 4), 3u);
}

TEST_F(ApBridgeTest, PageChangedCancelsTheDialogAndActivatesTheNamedPage) {
  begin();
  struct Case {
    const char* value;
    CPropertyPage* page;
  };
  const Case cases[] = {{"0", &config()},
                        {"2", &sheet()->GetAccessControlPage()},
                        {"3", &sheet()->GetAboutPage()},
                        {"7", &sheet()->GetAboutPage()}};  // no such page: the sheet stays
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    received().clear();
    send({{BRIDGE_CMD_PAGE_CHANGED, "1"}, {BRIDGE_CMD_AP_WPA_PSK, "never-taken"}, {BRIDGE_CMD_PAGE_CHANGED, c.value}});
    EXPECT_EQ(valuesOf(BRIDGE_UI_AP_CONFIG_STATE), std::vector<std::string>{"2"}) << "cancelled";
    EXPECT_EQ(config().GetSecurityData().PreSharedKey, "");
    EXPECT_EQ(sheet()->GetActivePage(), c.page);
  }
  sheet()->SetActivePage(&sheet()->GetEventLogPage());
  send({{BRIDGE_CMD_PAGE_CHANGED, "0"}});
  EXPECT_EQ(sheet()->GetActivePage(), &config());
  EXPECT_TRUE(valuesOf(BRIDGE_UI_AP_CONFIG_STATE).size() == 1) << "no dialog was open: nothing cancelled";
}

TEST_F(ApBridgeTest, IndexesOutsideTheirListsAndCommandsWithoutTheirWindowChangeNothing) {
  begin();
  const CString mode = config().GetWirelessModeText();
  const CString channel = config().GetCurrentChannel();
  // No dialog: the security commands are dropped.
  send({{BRIDGE_CMD_AP_WIRELESS_MODE, "9"},
        {BRIDGE_CMD_AP_WIRELESS_MODE, "-1"},
        {BRIDGE_CMD_AP_CHANNEL, "99"},
        {BRIDGE_CMD_AP_WPA_PSK, "dropped"},
        {BRIDGE_CMD_AP_APPLY_SECURITY, ""}});
  EXPECT_EQ(config().GetWirelessModeText(), mode);
  EXPECT_EQ(config().GetCurrentChannel(), channel);
  EXPECT_TRUE(valuesOf(BRIDGE_UI_AP_CONFIG_STATE).empty());
  EXPECT_TRUE(valuesOf(BRIDGE_UI_AP_MODE_SELECT).empty()) << "no follow-up step";

  // Inside the dialog: a key type beyond its list leaves the key's type,
  // a default key beyond 0-3 leaves the radio.
  send({{BRIDGE_CMD_PAGE_CHANGED, "1"},
        {BRIDGE_CMD_AP_AUTH_TYPE, "0"},
        {BRIDGE_CMD_AP_ENCRYPTION, "1"},
        {BRIDGE_CMD_AP_AUTH_TYPE, "12"},
        {BRIDGE_CMD_AP_WEP_KEY_TYPE_LAST, "5"},
        {BRIDGE_CMD_AP_WEP_KEY_INDEX, "4"},
        {BRIDGE_CMD_AP_WEP_KEY, "abcdef0123"},
        {BRIDGE_CMD_AP_WEP_KEY_LAST, "0123456789"},
        {BRIDGE_CMD_AP_APPLY_SECURITY, ""}});
  EXPECT_EQ(valuesOf(BRIDGE_UI_AP_CONFIG_STATE), std::vector<std::string>{"1"});
  const _AP_SECURITY_DATA& data = config().GetSecurityData();
  EXPECT_EQ(data.AuthMode, 0u);
  EXPECT_EQ(data.Encryption, 0u);
  EXPECT_EQ(data.KeyType[3], 0u);
  EXPECT_EQ(data.DefaultKey, 0u);
  EXPECT_EQ(data.Key[0], "abcdef0123");
  EXPECT_EQ(data.Key[3], "0123456789");

  // Without the sheet every command is dropped.
  sheet()->DestroyWindow();
  send({{BRIDGE_CMD_PAGE_CHANGED, "1"}, {BRIDGE_CMD_AP_APPLY_CONFIG, ""}});
  EXPECT_EQ(valuesOf(BRIDGE_UI_AP_CONFIG_STATE).size(), 1u);
}

TEST_F(ApBridgeTest, DefaultThenApplyWritesTheFactoryValues) {
  begin({{"RtsThresh", "500"}, {"SSID", "Stored"}});
  send({{BRIDGE_CMD_AP_RESTORE_DEFAULT, ""}});
  EXPECT_EQ(apDefault("RtsThresh"), "500") << "nothing written before apply";
  send({{BRIDGE_CMD_AP_APPLY_CONFIG, ""}});
  EXPECT_EQ(apDefault("RtsThresh"), "2346");
  EXPECT_EQ(apDefault("FragThresh"), "2347");
  EXPECT_EQ(apDefault("SSID"), "Quendal Wireless-SoftAP");
}

TEST_F(ApBridgeTest, ExitWhileTheSecurityDialogRuns) {
  begin();
  const HWND workerWindow = worker()->GetSafeHwnd();
  const HWND sheetWindow = sheet()->GetSafeHwnd();
  // The front end closes while the dialog's loop runs inside the worker's
  // bridge handler.
  ASSERT_EQ(NotifyWorker(BRIDGE_CMD_PAGE_CHANGED, "1", TRUE), 0);
  postScript([] {
    ASSERT_NE(config().GetSecurityDialog(), nullptr);
    CloseAPOnExit();
    DestroyHideDlgAP();
  });
  pump();
  EXPECT_EQ(valuesOf(BRIDGE_UI_AP_CONFIG_STATE), std::vector<std::string>{"2"});
  EXPECT_EQ(worker(), nullptr);
  EXPECT_FALSE(::IsWindow(workerWindow));
  EXPECT_FALSE(::IsWindow(sheetWindow));
}

TEST_F(ApBridgeTest, LeavingApModeWhileTheSecurityDialogRuns) {
  begin();
  const HWND sheetWindow = sheet()->GetSafeHwnd();
  wavorel::clearProcessStarts();
  ASSERT_EQ(NotifyWorker(BRIDGE_CMD_PAGE_CHANGED, "1", TRUE), 0);
  ASSERT_TRUE(PostHideDlgAPMessage(WM_COMMAND, CHideDlg_AP::ID_LEAVE_AP_MODE, 0));
  pump();
  EXPECT_EQ(valuesOf(BRIDGE_UI_AP_CONFIG_STATE), std::vector<std::string>{"2"});
  ASSERT_NE(worker(), nullptr);
  EXPECT_EQ(sheet(), nullptr);
  EXPECT_FALSE(::IsWindow(sheetWindow)) << "the closed sheet went once the dialog returned";
  EXPECT_EQ(readValue(driverKeyOf(), "OpMode"), "0");
  bool swapped = false;
  for (const auto& s : wavorel::processStarts()) swapped |= s.program.find("QzSwap.exe") != std::string::npos;
  EXPECT_TRUE(swapped);
  DestroyHideDlgAP();
  pump();
  EXPECT_EQ(worker(), nullptr);
}

}  // namespace
}  // namespace softap::testing
