// Fixture of the host and profile-page tests: the worker fixture (platform,
// default world, a front-end window that keeps every bridge value, the
// virtual clock moved in steps) with the worker making CSorvik2007Dlg as its
// host, and profiles written into the INI store of the default adapter.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "station/host/Sorvik2007Dlg.h"
#include "tests/worker/vista/HideDlgTest.h"
#include "worker/StationHost.h"

namespace station::testing {

using Values = std::vector<std::pair<const char*, const char*>>;

class StationHostTest : public worker::testing::HideDlgTest {
 protected:
  void SetUp() override {
    HideDlgTest::SetUp();
    // The store's files are named after the adapter the worker will find.
    g_strAdapterGuid = guid().c_str();
    SetStationHostFactory(&CSorvik2007Dlg::Make);
    g_bHostExpanded = 0;
    g_bRadioOff = 0;
    g_bRadioOn = 1;
    g_bSsoSupported = 0;
  }
  void TearDown() override {
    HideDlgTest::TearDown();
    SetStationHostFactory(nullptr);
    g_bSsoSupported = 0;
  }

  // Writes a profile section of the "_prof" file.
  static void storeProfile(const char* name, const Values& values) {
    for (const auto& [key, value] : values) WriteIniValue(g_strAdapterGuid, kIniKindProfiles, name, key, value, 0);
  }
  // An open infrastructure profile of `ssid` activated at `time`.
  static void storeOpenProfile(const char* name, const char* ssid, const char* time) {
    storeProfile(name, {{"SSID", ssid}, {"NetworkType", "1"}, {"AuthMode", "0"}, {"CipherMode", "1"},
                        {"Channel", "6"}, {"ActiveTime", time}});
  }
  // The worker started (its rescan step makes the host) and the clock moved
  // past the first poll.
  void startWithHost() {
    startWorker();
    advance(2100);
    ASSERT_NE(host(), nullptr);
  }
  CSorvik2007Dlg* host() { return g_pHideDlg ? static_cast<CSorvik2007Dlg*>(g_pHideDlg->GetHost()) : nullptr; }
  CPageProfileDlg& page() { return *host()->GetProfilePage(); }
  // A bridge command to the worker, sent, then the posted reports pumped.
  void command(UINT code, const char* value = "") {
    SendNotifyText(workerWindow(), code, value, FALSE);
    wavorel::pumpMessages();
  }
  // The profile sections of the store, in file order.
  static std::vector<std::string> sectionNames() {
    CStringArray names;
    ListIniSectionNames(g_strAdapterGuid, &names);
    std::vector<std::string> out;
    for (INT_PTR i = 0; i < names.GetSize(); ++i) out.emplace_back(names[i]);
    return out;
  }
  // The profile page's rows by name, in display order.
  std::vector<std::string> rowNames() {
    std::vector<std::string> out;
    for (const _PROFILE_LIST_ITEM& item : page().m_profiles) out.emplace_back(item.Name);
    return out;
  }
};

}  // namespace station::testing
