// The AP worker's poll: stations and the tray state they give, the event log,
// the adapter going and coming back, power events, the re-apply after a failed
// connection and the retry queue of driver writes.
#include "tests/softap/ApWorkerTest.h"
#include "softap/QzPropSheet_AP.h"

namespace softap::testing {
namespace {

// Clients of the default adapter: `lines` of [Client<name>] sections.
class ApPollTest : public ApWorkerTest {
 protected:
  // Events of the store with `code`, by the station's last MAC byte.
  static std::vector<int> stationsWithEvent(USHORT code) {
    std::vector<int> out;
    for (INT_PTR i = 0; i < g_apEventLog.GetSize(); ++i)
      if (g_apEventLog[i].EventCode == code) out.push_back(g_apEventLog[i].MacAddress[5]);
    return out;
  }
  // The driver's station table: the last MAC byte of each row.
  static std::vector<int> stationTable() {
    std::vector<BYTE> table(324, 0);
    DWORD returned = 0;
    std::vector<int> out;
    if (!QueryDriverOid_AP(0xFF0C0029, table.data(), static_cast<DWORD>(table.size()), &returned)) return out;
    const uint32_t count = u32(table, 0);
    for (uint32_t i = 0; i < count && i < 32; ++i) out.push_back(table[4 + i * 10 + 5]);
    return out;
  }
  static size_t setCount(uint32_t code) { return setsOf(code).size(); }
  static size_t queryCount(uint32_t code) {
    size_t n = 0;
    for (const auto& c : calls()) n += c.code == code && !c.set;
    return n;
  }
};

TEST_F(ApPollTest, PskStationsJoinWithTheRightPassPhraseOnly) {
  useDefaultWorld("", client("Good", "00-24-D7-00-00-0A", "Passphrase = letmein123\nArrives = 1") +
                          client("Bad", "00-24-D7-00-00-0B", "Passphrase = wrongguess1\nArrives = 1"));
  startWith({{"AuthMode", "7"}, {"CipherMode", "4"}, {"WPAPSK", "letmein123"}});
  tick(CHideDlg_AP::kPollMs);
  EXPECT_EQ(stationsWithEvent(1), std::vector<int>{0x0A});
  EXPECT_EQ(stationsWithEvent(5), std::vector<int>{0x0B});
  EXPECT_EQ(stationTable(), std::vector<int>{0x0A});
}

TEST_F(ApPollTest, AccessPolicyAdmitsOrRefusesTheListedStation) {
  for (const char* policy : {"1", "2"}) {
    SCOPED_TRACE(policy);
    useDefaultWorld("", client("Listed", "00-24-D7-00-00-0A", "Arrives = 1") +
                            client("Other", "00-24-D7-00-00-0B", "Arrives = 1"));
    writeList(driverKeyOf() + "\\ApDefault", "AccessControlList", {"0024D700000A"});
    startWith({{"AccessControlPolicy", policy}});
    tick(CHideDlg_AP::kPollMs);
    EXPECT_EQ(stationTable(), std::vector<int>{policy[0] == '1' ? 0x0A : 0x0B});
    DestroyHideDlgAP();
  }
}

TEST_F(ApPollTest, TrayFollowsTheStrongestStation) {
  // -45 dBm until 20 s, then the -55 dBm station of the default world (until
  // 120 s) and one at -60 dBm, then one at -75 dBm.
  useDefaultWorld("", client("Near", "00-24-D7-00-00-01", "Signal = -45\nArrives = 1\nLeaves = 20") +
                          client("Mid", "00-24-D7-00-00-02", "Signal = -60\nArrives = 1\nLeaves = 40") +
                          client("Far", "00-24-D7-00-00-03", "Signal = -75\nArrives = 1"));
  startWith({});
  auto pollFor = [this](int seconds) {
    for (int s = 0; s < seconds; s += 2) tick(CHideDlg_AP::kPollMs);
  };
  pollFor(10);
  EXPECT_EQ(lastState(), "03Soft AP  Status : Good");
  pollFor(20);
  EXPECT_EQ(lastState(), "04Soft AP  Status : Normal");
  pollFor(100);
  EXPECT_EQ(lastState(), "05Soft AP  Status : Weak");
}

TEST_F(ApPollTest, UnreadableSignalShowsLost) {
  useDefaultWorld("", client("Near", "00-24-D7-00-00-01", "Signal = -45\nArrives = 1"));
  startWith({});
  tick(CHideDlg_AP::kPollMs);
  ASSERT_EQ(lastState(), "03Soft AP  Status : Good");
  // A failed query, then an answer shorter than the 4-byte value.
  wavorel::sim::machine().failCode(0xFF0C000F, 1);
  tick(CHideDlg_AP::kPollMs);
  EXPECT_EQ(lastState(), "00Soft AP  Status : Lost");
  tick(CHideDlg_AP::kPollMs);
  EXPECT_EQ(lastState(), "03Soft AP  Status : Good");
  wavorel::sim::machine().shortAnswer(0xFF0C000F, 2);
  tick(CHideDlg_AP::kPollMs);
  EXPECT_EQ(lastState(), "00Soft AP  Status : Lost");
}

TEST_F(ApPollTest, EventLogStoreKeepsTheNewestHundred) {
  std::string clients;
  for (int i = 1; i <= 7; ++i) {
    const std::string n = std::to_string(i);
    clients += client(("C" + n).c_str(), ("00-24-D7-00-00-0" + n).c_str(), "Arrives = 1");
  }
  useDefaultWorld("", clients);
  startWith({});
  worker()->GetSheet()->DestroyWindow();  // no Event Log page lists the store
  ClearApEventLog();
  StoreApEvents(std::vector<_VX_802_11_EVENT_LOG>(95));
  g_nApEventLogShown = 50;
  tick(CHideDlg_AP::kPollMs);
  // The restart of the BSS and the seven stations: 8 new entries.
  ASSERT_EQ(g_apEventLog.GetSize(), 100);
  EXPECT_EQ(g_nApEventLogShown, 47);
  EXPECT_EQ(g_apEventLog[92].EventCode, 0) << "the restart, oldest of the new";
  EXPECT_EQ(g_apEventLog[99].EventCode, 1);
  EXPECT_EQ(g_apEventLog[99].MacAddress[5], 7);
}

TEST_F(ApPollTest, ShortEventLogAnswersAddOnlyWholeEntries) {
  useDefaultWorld("", client("A", "00-24-D7-00-00-01", "Arrives = 1") + client("B", "00-24-D7-00-00-02", "Arrives = 1"));
  startWith({});
  ClearApEventLog();
  // The count and one entry and a half: one entry is taken.
  wavorel::sim::machine().shortAnswer(0xFF0C0043, 8 + 16 + 8);
  tick(CHideDlg_AP::kPollMs);
  EXPECT_EQ(g_apEventLog.GetSize(), 1);
  // An answer without its count adds nothing.
  ClearApEventLog();
  wavorel::sim::machine().shortAnswer(0xFF0C0043, 4);
  tick(CHideDlg_AP::kPollMs);
  EXPECT_EQ(g_apEventLog.GetSize(), 0);
}

TEST_F(ApPollTest, UnplugShowsNotExistAndReplugEntersApModeWithoutTheSheet) {
  startWith({});
  auto& machine = wavorel::sim::machine();
  machine.setPresent(guid(), false);
  tick(CHideDlg_AP::kPollMs);
  EXPECT_EQ(lastState(), "01Soft AP  Status : Not Exist");
  EXPECT_FALSE(worker()->IsAdapterFound());
  EXPECT_EQ(g_bApUsbFound, 0);
  tick(CHideDlg_AP::kPollMs);
  EXPECT_EQ(lastState(), "01Soft AP  Status : Not Exist") << "rediscovery every poll";

  g_nApEventLogShown = 5;
  machine.setPresent(guid(), true);
  ASSERT_FALSE(machine.adapter(0).apMode());
  wavorel::sim::clearDriverCalls();
  tick(CHideDlg_AP::kPollMs);
  EXPECT_EQ(lastState(), "00Soft AP  Status : Lost");
  EXPECT_TRUE(worker()->IsAdapterFound());
  EXPECT_TRUE(machine.adapter(0).apMode());
  EXPECT_EQ(setCount(0xFF8C0002), 1u) << "apply-all ran again";
  EXPECT_EQ(g_nApEventLogShown, 5) << "no sheet was opened";
  EXPECT_EQ(worker()->GetSheet(), nullptr);
  settle([] { return !worker()->IsKeyPending(); });
  tick(CHideDlg_AP::kPollMs);
  EXPECT_NE(lastState(), "00Soft AP  Status : Lost");
  EXPECT_EQ(queryCount(0xFF0C000F), 1u) << "the signal is polled again";
}

TEST_F(ApPollTest, SuspendStopsTheTimersAndResumeReconnects) {
  startWith({});
  worker()->SendMessage(WM_USER + 10, 0, 0);  // arms the re-apply timer
  worker()->SendMessage(WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
  wavorel::sim::clearDriverCalls();
  tick(CHideDlg_AP::kReapplyMs);
  tick(CHideDlg_AP::kPollMs);
  EXPECT_TRUE(calls().empty()) << "neither the poll nor the re-apply ran";

  wavorel::sim::machine().adapter(0).disassociate();
  ASSERT_FALSE(wavorel::sim::machine().adapter(0).softAp().beaconing());
  worker()->SendMessage(WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
  EXPECT_TRUE(wavorel::sim::machine().adapter(0).softAp().beaconing()) << "reconnected";
  EXPECT_EQ(wavorel::sim::machine().adapter(0).softAp().ssid(), "Quendal-SoftAP");
  EXPECT_TRUE(settle([] { return !worker()->IsKeyPending(); }));
  wavorel::sim::clearDriverCalls();
  tick(CHideDlg_AP::kPollMs);
  EXPECT_EQ(queryCount(0xFF0C000F), 1u) << "the poll runs again";
  EXPECT_EQ(setCount(0xFF8C0002), 0u) << "the re-apply stayed off";
}

TEST_F(ApPollTest, FailedConnectionAppliesEverythingAgainOnce) {
  startWith({});
  wavorel::sim::clearDriverCalls();
  worker()->SendMessage(WM_USER + 10, 0, 0);
  tick(CHideDlg_AP::kReapplyMs - CHideDlg_AP::kPollMs);
  tick(CHideDlg_AP::kPollMs);
  EXPECT_EQ(setCount(0xFF8C0002), 1u);
  settle([] { return !worker()->IsKeyPending(); });
  tick(CHideDlg_AP::kReapplyMs);
  EXPECT_EQ(setCount(0xFF8C0002), 1u) << "the timer fires once";
}

TEST_F(ApPollTest, BssThatCannotComeUpIsAppliedAgainAfterThreeSeconds) {
  // The radio switch is off: the AP's connection fails, and the worker hears
  // of it from its Native Wi-Fi client.
  wavorel::sim::machine().setHardwareRadio(guid(), false);
  writeApDefault(kBase);
  ASSERT_EQ(ShowHideDlgAP(), 1);
  pump();
  wavorel::sim::clearDriverCalls();
  tick(CHideDlg_AP::kPollMs);
  EXPECT_EQ(setCount(0xFF8C0002), 0u);
  tick(CHideDlg_AP::kReapplyMs - CHideDlg_AP::kPollMs);
  EXPECT_EQ(setCount(0xFF8C0002), 1u) << "apply-all again, 3 s after the failed connection";
  EXPECT_FALSE(wavorel::sim::machine().adapter(0).softAp().beaconing());
}

TEST_F(ApPollTest, RetryQueueTriesThreeTimesHalfASecondApart) {
  startWith({});
  settle([] { return !worker()->IsKeyPending(); });
  wavorel::sim::clearDriverCalls();
  wavorel::sim::machine().failCode(0xFF8C0007, 10);
  EXPECT_FALSE(SetDriverDword_AP(0xFF0C0007, 50));
  EXPECT_EQ(setCount(0xFF8C0007), 1u);
  EXPECT_EQ(GetApSetOidQueue().GetCount(), 1);
  tick(499);
  EXPECT_EQ(setCount(0xFF8C0007), 1u);
  tick(1);
  EXPECT_EQ(setCount(0xFF8C0007), 2u);
  tick(500);
  EXPECT_EQ(setCount(0xFF8C0007), 3u);
  EXPECT_EQ(GetApSetOidQueue().GetCount(), 0) << "dropped after its third try";
  tick(1000);
  EXPECT_EQ(setCount(0xFF8C0007), 3u);

  // One try: a failed write is not queued.
  DWORD value = 50, returned = 0;
  EXPECT_FALSE(SetDriverOid_AP(0xFF0C0007, &value, sizeof value, &returned, 1));
  EXPECT_EQ(GetApSetOidQueue().GetCount(), 0);
}

TEST_F(ApPollTest, UnpluggedAdapterDrainsTheRetryQueue) {
  startWith({});
  settle([] { return !worker()->IsKeyPending(); });
  wavorel::sim::machine().failCode(0xFF8C0007, 10);
  wavorel::sim::machine().failCode(0xFF8C0002, 10);
  SetDriverDword_AP(0xFF0C0007, 50);
  SetDriverDword_AP(0xFF0C0002, 9);
  ASSERT_EQ(GetApSetOidQueue().GetCount(), 2);
  wavorel::sim::machine().setPresent(guid(), false);
  wavorel::sim::clearDriverCalls();
  tick(500);
  EXPECT_EQ(GetApSetOidQueue().GetCount(), 0);
  wavorel::sim::machine().setPresent(guid(), true);
  tick(500);
  tick(500);
  EXPECT_EQ(setCount(0xFF8C0007) + setCount(0xFF8C0002), 0u) << "no timer of the drained queue is left";
}

}  // namespace
}  // namespace softap::testing
