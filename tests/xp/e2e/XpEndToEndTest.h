// Fixture of Wavorel end to end, in process: the application with its tray
// and main dialog on the program's own resource script, the station tab
// control starting the XP station worker (with its hidden host of the
// pages) and the AP tab control starting the XP AP worker, on a world with
// an 802.1X network, a pre-shared-key network and soft-AP clients, the
// program folder as installed (INI, English texts, skin) and a virtual clock.
// A test leaves nothing behind in the process: the tests run one after the
// other in one process as well as each in its own.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "apps/skin/SkinGenerator.h"
#include "station/host/Sorvik2007Dlg.h"
#include "tests/frontend/StationFrontEnd.h"
#include "tests/softap/ApWorkerTest.h"
#include "tests/xp/station/ScreenshotProbe.h"
#include "worker/HideDlg.h"
#include "worker/StationHost.h"
#include "xp/worker/XpWorker.h"
#include "xp/worker/ZeroConfigHandover.h"

namespace xp_e2e::testing {

// The soft-AP clients: one with the AP's passphrase, one with another.
constexpr const char* kGoodClient = "00-24-D7-00-00-0A";
constexpr const char* kBadClient = "00-24-D7-00-00-0B";

// Both know the passphrase the AP is given; the second is refused by the
// AP's access list.
constexpr const char* kClientLines = "Passphrase = letmein123\nSignal = -50\nArrives = 6";

// An 802.1X network answering PEAP for "alice"/"secret", strong enough for
// a Good tray, beside the default world's networks.
constexpr const char* kCorpNetwork = R"(
[Network Corp]
Ssid = Corp
Bssid = 00-11-22-33-44-01
Channel = 6
Signal = -40
Variation = 0
Security = WPA2-Enterprise
Cipher = CCMP
EapMethods = PEAP
EapIdentity = alice
EapPassword = secret
Address = 10.1.0.7
Dhcp = no
)";

// Registry values of a profile, name and text.
using Values = std::vector<std::pair<const char*, const char*>>;

class XpEndToEndTest : public softap::testing::ApWorkerTest, protected station_front_end::StationFrontEnd {
 protected:
  void SetUp() override {
    ApWorkerTest::SetUp();
    useDefaultWorld("", std::string(kCorpNetwork) + client("Good", kGoodClient, kClientLines) +
                            client("Bad", kBadClient, kClientLines));
    installProgram();
    SetStationHostFactory(&CSorvik2007Dlg::Make);
    ConfigToolMode = kConfigToolUndetermined;
    ResetXpWorkerState();
    wavorel::setModalResponder([](const wavorel::ModalWindow&) { return IDOK; });
  }
  void TearDown() override {
    wavorel::setModalResponder(nullptr);
    stop();
    pump();
    SetStationHostFactory(nullptr);
    ResetXpWorkerState();
    ApWorkerTest::TearDown();
  }

  // The program folder as the installer leaves it.
  void installProgram() {
    const std::string program = programLinux();
    std::filesystem::create_directories(program + "/Language");
    const auto overwrite = std::filesystem::copy_options::overwrite_existing;
    std::filesystem::copy_file(std::string(WAVOREL_APPS_DIR) + "/Language/English.ini",
                               program + "/Language/English.ini", overwrite);
    std::filesystem::copy_file(std::string(WAVOREL_APPS_DIR) + "/Wavorel.ini", program + "/Wavorel.ini", overwrite);
    std::string error;
    ASSERT_TRUE(wavorel::skin::writeSkin(program + "/Skin", &error)) << error;
  }

  // The virtual clock moved by `ms` in steps of 100 ms, with what fell due run.
  void advance(uint64_t ms) {
    for (uint64_t spent = 0; spent < ms; spent += 100) wavorel::runFor(100);
  }
  // Lets the clock run until `done` holds (at most `limit` ms).
  template <class Done>
  bool runUntil(Done done, uint64_t limit) {
    for (uint64_t spent = 0; spent < limit; spent += 100) {
      if (done()) return true;
      wavorel::runFor(100);
    }
    return done();
  }

  // The station worker's hidden host, once the worker made it.
  static CSorvik2007Dlg* host() {
    return g_pHideDlg ? dynamic_cast<CSorvik2007Dlg*>(g_pHideDlg->GetHost()) : nullptr;
  }
  // Station mode started and the worker's host made.
  void startStation() {
    ASSERT_TRUE(StationFrontEnd::start(false));
    ASSERT_TRUE(runUntil([] { return host() != nullptr; }, 10000));
  }

  // The main dialog's picture, written to `file` in the working folder; the
  // dark (text) pixels of it inside `control`.
  int inkIn(const char* file, CWnd& control) {
    const wavorel::WindowImage image = xp::testing::Picture(dialog(), file);
    EXPECT_EQ(image.width, 600);
    EXPECT_EQ(image.height, 470);
    return xp::testing::CountPixels(image, xp::testing::PlaceIn(dialog(), control), xp::testing::Ink);
  }

  // A registry text as the registry store writes it: REG_SZ with its
  // terminating zero.
  static void putText(const CString& key, const char* value, const std::string& text) {
    writeValue(key, value, REG_SZ, text + '\0');
  }
  // This program chosen on an earlier first run.
  static void chooseUtilityEarlier() { putText(driverKeyOf(), "RunOnceInitConfigTool", "1"); }
  // A profile key as the profile editor leaves it, and the first run's
  // choice of this program.
  static void storeProfile(const char* name, const Values& values) {
    chooseUtilityEarlier();
    const CString key = driverKeyOf() + "\\Profile\\Station\\" + name;
    for (const auto& [value, text] : values) putText(key, value, text);
  }
  static int rowOf(CListCtrl& list, const char* text) {
    for (int row = 0; row < list.GetItemCount(); ++row)
      if (list.GetItemText(row, 1) == text || list.GetItemText(row, 0) == text) return row;
    return -1;
  }
  // A click on the profile's row of the profile tab and on Connect, which
  // activates it in the worker's profile page.
  void activateFromProfileTab(const char* name) {
    showPage(2);
    CPageMainDlg_Profiles& page = table()->GetProfilePage();
    ASSERT_TRUE(runUntil([&] { return rowOf(page.GetList(), name) >= 0; }, 10000));
    // The worker allows Connect once it has the row's details.
    ASSERT_TRUE(runUntil(
        [&] {
          clickRow(page.GetList(), rowOf(page.GetList(), name));
          advance(200);
          return page.GetDlgItem(IDC_BTN_CONNECT)->IsWindowEnabled() != FALSE;
        },
        10000));
    advance(3000);
    press(page, IDC_BTN_CONNECT);
  }
  // Lets the clock run until the link tab shows `ssid` (the supplicant's
  // threads authenticate in real time beside the clock).
  bool linkShows(const char* ssid, uint64_t limit = 30000) {
    return runUntil(
        [&] {
          std::this_thread::sleep_for(std::chrono::milliseconds(5));
          return linkValue(1) == ssid;
        },
        limit);
  }
  // A value of the station link tab (0 status, 1 SSID, 2 BSSID, 6 address).
  std::string linkValue(int index) { return text(table()->GetLinkPage().GetValue(index)); }

  // A HKLM value as text ("<no key>"/"<no value>" when missing).
  static std::string driverValue(const char* name) {
    std::string value = readValue(driverKeyOf(), name);
    while (!value.empty() && value.back() == '\0') value.pop_back();
    return value;
  }
};

}  // namespace xp_e2e::testing
