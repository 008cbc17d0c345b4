// The station worker with a host: the end of the host and of the worker (the
// closing flag, command 32772, the steps of WM_DESTROY), the profile-listed
// question the pages ask through the worker, and the start's clearing of the
// authentication status lines. The host is a small stand-in that records the
// moment its window is destroyed.
#include <algorithm>
#include <cstring>
#include <functional>
#include <set>
#include <string>

#include "tests/worker/vista/HideDlgTest.h"
#include "widgets/WorkerClosingFlag.h"
#include "worker/OidRequest.h"
#include "worker/StationHost.h"
#include "worker/WorkerGlobals.h"

namespace worker::testing {
namespace {

constexpr UINT IDD_TEST_HOST_PAGE = 9103;

// What the tests see of the hosts the worker makes.
struct HostRecord {
  int destroyed = 0;                // host windows destroyed
  std::function<void()> onDestroy;  // runs while a host window is being destroyed
  std::set<std::string> listed;     // the SSIDs the profile page lists
};
HostRecord& hostRecord() {
  static HostRecord r;
  return r;
}

// A hidden host (template 103 of the test resources) with one hidden page,
// the profile page (template 9103).
class RecordingHost : public CStationHost {
 public:
  RecordingHost() : CStationHost(IDD_STATION_HOST) {}
  ~RecordingHost() override {
    if (IsWindow(m_page.GetSafeHwnd())) m_page.DestroyWindow();
  }
  static std::unique_ptr<CStationHost> Make() { return std::make_unique<RecordingHost>(); }

  CDialog* GetTabPage(int tab) const override {
    return tab == kHostTabProfile ? const_cast<CDialog*>(&m_page) : nullptr;
  }
  CDialog* GetSecondaryDialog(int) const override { return nullptr; }
  void ShowSecondaryDialog(int) override {}
  void ToggleLayout() override {}
  void SetLayoutButton(BOOL) override {}
  void SetRadioPicture(BOOL) override {}
  void RefreshPages() override {}
  BOOL IsWpsPageReady() const override { return FALSE; }
  void RunPageCommand(UINT, const CString&) override {}
  BOOL IsProfileListed(LPCSTR ssid) const override { return hostRecord().listed.count(ssid) ? TRUE : FALSE; }
  void ClearSiteConnectTargets() override {}

 protected:
  BOOL OnInitDialog() override {
    CStationHost::OnInitDialog();
    m_page.Create(IDD_TEST_HOST_PAGE, this);
    return TRUE;
  }
  void OnDestroy() {
    ++hostRecord().destroyed;
    if (hostRecord().onDestroy) hostRecord().onDestroy();
    CStationHost::OnDestroy();
  }
  DECLARE_MESSAGE_MAP()

 private:
  CDialog m_page{IDD_TEST_HOST_PAGE};
};

BEGIN_MESSAGE_MAP(RecordingHost, CStationHost)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

// The worker's state at one moment of its end.
struct Moment {
  BOOL closing;
  bool bridgeNamesWorker;
  bool siteList;
  bool actionQueued;
  bool retryQueued;
  bool currentProfile;
  bool wpsPollTimer;
  bool operator==(const Moment& o) const {
    return closing == o.closing && bridgeNamesWorker == o.bridgeNamesWorker && siteList == o.siteList &&
           actionQueued == o.actionQueued && retryQueued == o.retryQueued && currentProfile == o.currentProfile &&
           wpsPollTimer == o.wpsPollTimer;
  }
};
std::ostream& operator<<(std::ostream& out, const Moment& m) {
  return out << "{closing " << m.closing << ", bridge " << m.bridgeNamesWorker << ", site list " << m.siteList
             << ", actions " << m.actionQueued << ", retries " << m.retryQueued << ", profile " << m.currentProfile
             << ", timer 5 " << m.wpsPollTimer << "}";
}

class HideDlgHostTest : public HideDlgTest {
 protected:
  void SetUp() override {
    HideDlgTest::SetUp();
    hostRecord() = HostRecord{};
    WorkerClosingFlag = FALSE;
    SetStationHostFactory(&RecordingHost::Make);
  }
  void TearDown() override {
    HideDlgTest::TearDown();
    SetStationHostFactory(nullptr);
    hostRecord() = HostRecord{};
    WorkerClosingFlag = FALSE;
  }

  // The worker started; its start-up's rescan step shows the host.
  void startWithHost() {
    startWorker();
    ASSERT_NE(worker().GetHost(), nullptr);
  }

  void command(UINT id) { SendMessage(workerWindow(), WM_COMMAND, id, 0); }

  // Probing a timer kills it: only timer 5 is probed, and only once per moment.
  Moment now() {
    const HWND hwnd = workerWindow();
    return {WorkerClosingFlag,
            NotifyWorker(0, "", FALSE) != -1,
            BssidSiteList != nullptr,
            !GetActionQueue().empty(),
            GetSetOidQueue().GetCount() > 0,
            GetCurrentProfile() != nullptr,
            hwnd && KillTimer(hwnd, kWpsPollValueTimer) != FALSE};
  }
};

TEST_F(HideDlgHostTest, ClosingFlagIsSetBeforeTheHostIsDestroyed) {
  for (const bool unplug : {false, true}) {
    SCOPED_TRACE(unplug ? "adapter unplugged" : "Exit command");
    reopenIn(std::string(wavorel::sim::defaultWorldText()));
    hostRecord() = HostRecord{};
    startWithHost();
    EXPECT_FALSE(WorkerClosingFlag);
    BOOL flagAtDestroy = FALSE;
    hostRecord().onDestroy = [&flagAtDestroy] { flagAtDestroy = WorkerClosingFlag; };
    if (unplug) {
      machine().setPresent(guid(), false);
      advance(2000);
    } else {
      command(ID_WORKER_EXIT);
    }
    EXPECT_EQ(hostRecord().destroyed, 1);
    EXPECT_TRUE(flagAtDestroy);
    EXPECT_EQ(worker().GetHost(), nullptr);
    hostRecord().onDestroy = nullptr;
  }
}

TEST_F(HideDlgHostTest, ExitEndsTheHostOnceAndStopsTheTimersUnlessBusy) {
  startWithHost();
  command(ID_WORKER_EXIT);
  EXPECT_EQ(hostRecord().destroyed, 1);
  EXPECT_TRUE(IsWindow(workerWindow())) << "the command alone leaves the window to its owner";
  for (UINT_PTR id : {kPollTimer, kWpsPollValueTimer, kRescanTimer, kHostLayoutTimer})
    EXPECT_FALSE(KillTimer(workerWindow(), id)) << "timer " << id;
  command(ID_WORKER_EXIT);
  EXPECT_EQ(hostRecord().destroyed, 1) << "the host is torn down once";

  // While the not-ready box shows the worker is busy: Exit does nothing.
  SetStationHostFactory(nullptr);
  reopenIn(std::string(wavorel::sim::defaultWorldText()));
  startWorker();
  machine().setPresent(guid(), false);
  atMessageBox() = [this] { command(ID_WORKER_EXIT); };
  command(ID_WORKER_LAUNCH_CONFIG);
  atMessageBox() = nullptr;
  ASSERT_TRUE(workerBusyAtBox());
  EXPECT_TRUE(KillTimer(workerWindow(), kPollTimer)) << "Exit while busy stopped the poll";
}

TEST_F(HideDlgHostTest, EndTearsDownTheHostThenStopsTimersThenUnregistersAndFrees) {
  startWithHost();
  machine().failCode(OID_VX_AP_MODE_SET, 5);
  DWORD station = 0, returned = 0;
  SetOid(OID_VX_AP_MODE_SET, &station, sizeof station, &returned, 3);  // fails: queued for retry
  worker().AddAction(kActionRescan);
  _PROFILE_DATA record;
  SetCurrentProfile(&record);

  std::vector<Moment> moments;
  hostRecord().onDestroy = [&] { moments.push_back(now()); };
  // The worker's own WM_DESTROY, seen just before and just after it runs.
  static WNDPROC original = nullptr;
  static std::function<void()> around;
  around = [&] { moments.push_back(now()); };
  original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtr(workerWindow(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) {
        if (m == WM_DESTROY) around();
        const LRESULT result = CallWindowProc(original, h, m, w, l);
        if (m == WM_DESTROY) around();
        return result;
      })));

  DestroyHideDlg();
  around = nullptr;
  hostRecord().onDestroy = nullptr;
  const Moment atHost{TRUE, true, true, true, true, true, true};
  const Moment beforeDestroy{TRUE, true, true, true, true, true, false};
  const Moment afterDestroy{TRUE, false, false, false, false, false, false};
  EXPECT_EQ(moments, (std::vector<Moment>{atHost, beforeDestroy, afterDestroy}));

  // The retry record's timer finds its queue empty and sends nothing.
  wavorel::sim::clearDriverCalls();
  advance(2000);
  EXPECT_FALSE(called(OID_VX_AP_MODE_SET | OID_STATION_SET_MASK));
}

TEST_F(HideDlgHostTest, ProfileListedIsAskedOfTheHostsProfilePage) {
  hostRecord().listed = {"Cafe"};
  EXPECT_FALSE(IsStationProfileListed("Cafe")) << "no worker";
  SetStationHostFactory(nullptr);
  startWorker();
  EXPECT_FALSE(IsStationProfileListed("Cafe")) << "no host";
  DestroyHideDlg();

  SetStationHostFactory(&RecordingHost::Make);
  startWithHost();
  EXPECT_TRUE(IsStationProfileListed("Cafe"));
  EXPECT_FALSE(IsStationProfileListed("Home"));
  worker().GetHost()->GetTabPage(kHostTabProfile)->DestroyWindow();
  EXPECT_FALSE(IsStationProfileListed("Cafe")) << "the profile page's window is gone";
}

TEST_F(HideDlgHostTest, StartClearsTheAuthenticationStatusLines) {
  std::memset(g_authStatusEvents, 'x', sizeof g_authStatusEvents);
  startWorker();
  const char* bytes = &g_authStatusEvents[0][0];
  EXPECT_TRUE(std::all_of(bytes, bytes + sizeof g_authStatusEvents, [](char c) { return c == 0; }));
}

}  // namespace
}  // namespace worker::testing
