// Fixture of the tests of Wavorel's station pages on their own: the module
// fixture (platform root, virtual clock, default world, the adapter's device
// path and driver key), a front-end window that keeps every bridge value, a
// visible frame the page lives in, and the worker's flags of an 802.11n
// adapter with its radio on.
#pragma once

#include <string>
#include <vector>

#include "platform/sim/radio/Machine.h"
#include "platform/testing/Drivers.h"
#include "station/status/ShowDbmFlag.h"
#include "tests/support/FrontEndRecorder.h"
#include "tests/worker/ModuleTest.h"
#include "worker/ModuleFunctions.h"
#include "worker/WorkerGlobals.h"

namespace xp::testing {

class XpStationPageTest : public worker::testing::ModuleTest, protected wavorel::testing::FrontEndRecorder {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    setPageFlags();
    openWindows();
  }
  void TearDown() override {
    closeWindows();
    setPageFlags();
    ModuleTest::TearDown();
  }

  // A world of its own: the windows are made again (the reset took them).
  void reopenIn(const std::string& world) {
    closeWindows();
    useWorld(world);
    setPageFlags();
    openWindows();
  }
  // The default world with `from` replaced by `to`.
  static std::string worldWith(const std::string& from, const std::string& to) {
    std::string world(wavorel::sim::defaultWorldText());
    world.replace(world.find(from), from.size(), to);
    return world;
  }

  // The adapter joins `ssid` (an open network: the adapter's defaults).
  void join(const std::string& ssid) {
    machine().adapter(0).associate(ssid, std::nullopt);
    advance(3000);
    ASSERT_TRUE(machine().adapter(0).connected()) << ssid;
  }
  void advance(uint64_t ms) { wavorel::runFor(ms); }

  // The codes of the driver calls since the last clear, in order.
  static std::vector<DWORD> callCodes() {
    std::vector<DWORD> codes;
    for (const auto& call : calls()) codes.push_back(call.code);
    return codes;
  }

  CWnd& frame() { return frame_; }

 private:
  void setPageFlags() {
    g_bHtFamily = 1;
    g_nWirelessMode = 9;
    g_bRadioOn = 1;
    g_bShowDbm = 0;
    g_bIcvError = 0;
    received().clear();
  }
  void openWindows() {
    openFrontEnd();
    ASSERT_TRUE(frame_.CreateEx(0, kWindowClass, "page", WS_POPUP | WS_VISIBLE, CRect(0, 0, 800, 260),
                                nullptr, 0));
  }
  void closeWindows() {
    if (frame_.GetSafeHwnd()) frame_.DestroyWindow();
    closeFrontEnd();
  }

  CWnd frame_;
};

}  // namespace xp::testing
