// Wavorel switched from station mode to soft-AP mode and back through the
// main dialog's radios: the station worker ends, the AP worker enters AP
// mode with the stored settings, a client with the passphrase associates and
// one on the access list does not (the worker's Mac Table and Event Log pages
// show it), the security tab posts the key types on entry; back in station
// mode the station worker runs again and joins the activated profile's
// network.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/xp/e2e/XpEndToEndTest.h"
#include "platform/mfc/ControlRef.h"
#include "softap/QzPropSheet_AP.h"
#include "worker/DriverCodes.h"

namespace xp_e2e::testing {
namespace {

class ApModeTest : public XpEndToEndTest {
 protected:
  // WPA2-PSK with the clients' passphrase and a reject list naming the second.
  void storeApSettings() {
    writeApDefault(softap::testing::kBase);
    writeApDefault({{"AuthenType", "7"}, {"Encryption", "6"}, {"WPAPSK", "letmein123"}, {"AccessControlPolicy", "2"}});
    writeList(driverKeyOf() + "\\ApDefault", "AccessControlList", {"0024D700000B"});
  }
  // The texts of a column of a list of the worker's sheet.
  static std::vector<std::string> column(CWnd& page, UINT listId, int index) {
    std::vector<std::string> texts;
    ControlRef<CListCtrl> list(&page, listId);
    for (int row = 0; list.get() && row < list.get()->GetItemCount(); ++row)
      texts.emplace_back(static_cast<LPCSTR>(list.get()->GetItemText(row, index)));
    return texts;
  }
  static bool holds(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
  }
  // The bridge codes the worker window gets from now on, taken in front of
  // its own procedure.
  static void watchWorkerInbox() {
    inbox().clear();
    const HWND window = worker()->GetSafeHwnd();
    const auto watching = reinterpret_cast<LONG_PTR>(&inboxProc);
    if (::GetWindowLongPtr(window, GWLP_WNDPROC) != watching)
      previousProc() = reinterpret_cast<WNDPROC>(::SetWindowLongPtr(window, GWLP_WNDPROC, watching));
  }
  static std::vector<UINT>& inbox() {
    static std::vector<UINT> codes;
    return codes;
  }
  static WNDPROC& previousProc() {
    static WNDPROC proc = nullptr;
    return proc;
  }
  static LRESULT CALLBACK inboxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_UIBRIDGE) inbox().push_back(static_cast<UINT>(wParam));
    return ::CallWindowProc(previousProc(), window, message, wParam, lParam);
  }
  static bool associated(const char* mac) {
    const uint8_t last = static_cast<uint8_t>(std::strtoul(mac + 15, nullptr, 16));
    const uint8_t address[6] = {0x00, 0x24, 0xD7, 0x00, 0x00, last};
    return wavorel::sim::machine().adapter(0).softAp().hasStation(address);
  }
};

TEST_F(ApModeTest, SwitchToApModeAppliesTheStoredSettingsAndOnlyTheListedClientStaysOut) {
  storeApSettings();
  storeProfile("Cafe", {{"SSID", "CafeFree"}, {"NetworkType", "1"}, {"AuthenType", "0"}, {"Encryption", "1"}});
  startStation();
  advance(3500);
  activateFromProfileTab("Cafe");
  ASSERT_TRUE(linkShows("CafeFree"));
  wavorel::clearProcessStarts();
  wavorel::sim::clearDriverCalls();

  chooseMode(true);
  EXPECT_EQ(table(), nullptr);
  ASSERT_NE(apTable(), nullptr);
  EXPECT_EQ(g_pHideDlg, nullptr);
  ASSERT_TRUE(runUntil([] { return worker() != nullptr; }, 3000));
  settle([] { return !worker()->IsKeyPending(); });
  // The adapter went to AP mode by the XP driver code, and the sibling tool
  // took the connection sharing down.
  ASSERT_FALSE(setsOf(OID_VX_AP_MODE_SET).empty());
  EXPECT_EQ(u32(setsOf(OID_VX_AP_MODE_SET).front().data, 0), 1u);
  bool pickwell = false;
  for (const auto& s : wavorel::processStarts()) pickwell |= s.commandLine == "\"Pickwell.exe\" ICS_DOWN";
  EXPECT_TRUE(pickwell);

  ASSERT_TRUE(runUntil([] { return associated(kGoodClient); }, 15000));
  advance(4000);
  EXPECT_FALSE(associated(kBadClient));
  EXPECT_EQ(wavorel::sim::machine().adapter(0).softAp().ssid(), "Quendal-SoftAP");
  // The tray follows the AP worker's poll.
  EXPECT_NE(trayTip().find("Soft AP  Status"), std::string::npos) << trayTip();

  // The worker's sheet shows it as a person sees it there: the Mac Table
  // page lists the admitted client and not the refused one, and the Event
  // Log page has the association.
  CQzPropSheet_AP* sheet = worker()->GetSheet();
  ASSERT_NE(sheet, nullptr);
  sheet->SetActivePage(&sheet->GetMacTablePage());
  advance(2 * CMacTablePage_AP::kRefreshMs);
  const std::vector<std::string> stations = column(sheet->GetMacTablePage(), CMacTablePage_AP::kListId, 0);
  EXPECT_TRUE(holds(stations, kGoodClient)) << ::testing::PrintToString(stations);
  EXPECT_FALSE(holds(stations, kBadClient)) << ::testing::PrintToString(stations);
  sheet->SetActivePage(&sheet->GetEventLogPage());
  advance(2 * CEventLogPage_AP::kRefreshMs);
  const std::vector<std::string> events = column(sheet->GetEventLogPage(), CEventLogPage_AP::kListId, 1);
  EXPECT_TRUE(holds(events, std::string(" ") + kGoodClient + " associated")) << ::testing::PrintToString(events);
  for (const std::string& event : events) EXPECT_EQ(event.find(kBadClient), std::string::npos) << event;

  // Entering the security tab posts the four WEP key types to the worker,
  // ahead of the page change that opens the worker's security dialog (on the
  // first visit the page's making posts them before that as well). The
  // dialog's loop runs until the person leaves the tab: that change is
  // posted behind them, as the next click on a tab sends it.
  const std::vector<UINT> keyTypes = {83, 84, 85, 86};
  std::vector<UINT> firstVisit = keyTypes;
  firstVisit.insert(firstVisit.end(), keyTypes.begin(), keyTypes.end());
  for (const std::vector<UINT>& expected : {firstVisit, keyTypes}) {
    advance(CTableCtrl_AP::kSwitchDebounceMs + 100);
    watchWorkerInbox();
    apTable()->SetCurSel(1);
    NotifyWorkerInt(BRIDGE_CMD_PAGE_CHANGED, 0, TRUE);
    wavorel::pumpMessages();
    const auto change = std::find(inbox().begin(), inbox().end(), BRIDGE_CMD_PAGE_CHANGED);
    EXPECT_EQ(std::vector<UINT>(inbox().begin(), change), expected);
    EXPECT_EQ(std::count(change, inbox().end(), BRIDGE_CMD_PAGE_CHANGED), 2);
    EXPECT_EQ(sheet->GetConfigPage().GetSecurityDialog(), nullptr);
    advance(CTableCtrl_AP::kSwitchDebounceMs + 100);
    apTable()->SetCurSel(0);
    wavorel::pumpMessages();
  }

  // The screenshot shows the configuration tab with the AP's name.
  showPage(0);
  EXPECT_GT(inkIn("xp-ap-configuration.png", apTable()->GetBaseConfigPage().GetSsidEdit()), 10);

  // Back to station mode once the radios are free again.
  advance(3000);
  chooseMode(false);
  EXPECT_EQ(apTable(), nullptr);
  ASSERT_NE(table(), nullptr);
  EXPECT_EQ(worker(), nullptr);
  EXPECT_TRUE(runUntil([] { return g_pHideDlg != nullptr; }, 5000));
  // The station worker applies the activated profile again: the adapter
  // joins its network and the link tab shows it.
  EXPECT_TRUE(linkShows("CafeFree")) << linkValue(0);
  const wavorel::sim::WorldNetwork* joined = wavorel::sim::machine().adapter(0).associatedNetwork();
  EXPECT_EQ(joined ? joined->ssid : "", "CafeFree");
}

}  // namespace
}  // namespace xp_e2e::testing
