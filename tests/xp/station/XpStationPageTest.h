// Fixture of the tests of Wavorel's station pages on their own: the module
// fixture (platform root, virtual clock, default world, the adapter's device
// path and driver key), a front-end window that keeps every bridge value, a
// visible frame the page lives in, and the worker's flags of an 802.11n
// adapter with its radio on.
#pragma once

#include <string>
#include <vector>

#include "frontend/UiBridge.h"
#include "platform/sim/radio/Machine.h"
#include "platform/testing/Drivers.h"
#include "station/status/ShowDbmFlag.h"
#include "tests/worker/ModuleTest.h"
#include "worker/ModuleFunctions.h"
#include "worker/WorkerGlobals.h"

namespace xp::testing {

struct BridgeValue {
  UINT code;
  std::string text;
};

class XpStationPageTest : public worker::testing::ModuleTest {
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

  static std::vector<BridgeValue>& received() {
    static std::vector<BridgeValue> values;
    return values;
  }
  static std::vector<std::string> valuesOf(UINT code) {
    std::vector<std::string> out;
    for (const BridgeValue& v : received())
      if (v.code == code) out.push_back(v.text);
    return out;
  }
  static std::string lastOf(UINT code) {
    const std::vector<std::string> values = valuesOf(code);
    return values.empty() ? std::string("<none>") : values.back();
  }
  // The codes of the driver calls since the last clear, in order.
  static std::vector<DWORD> callCodes() {
    std::vector<DWORD> codes;
    for (const auto& call : calls()) codes.push_back(call.code);
    return codes;
  }

  CWnd& frame() { return frame_; }

 private:
  static void setPageFlags() {
    g_bHtFamily = 1;
    g_nWirelessMode = 9;
    g_bRadioOn = 1;
    g_bShowDbm = 0;
    g_bIcvError = 0;
    received().clear();
  }
  void openWindows() {
    WNDCLASS wc{};
    wc.lpfnWndProc = &XpStationPageTest::uiProc;
    wc.lpszClassName = "XpStationPageTestUi";
    RegisterClass(&wc);
    ui_ = CreateWindowEx(0, "XpStationPageTestUi", "ui", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(ui_, nullptr);
    SetUINotifyWnd(ui_);
    ASSERT_TRUE(frame_.CreateEx(0, "XpStationPageTestUi", "page", WS_POPUP | WS_VISIBLE, CRect(0, 0, 800, 260),
                                nullptr, 0));
  }
  void closeWindows() {
    if (frame_.GetSafeHwnd()) frame_.DestroyWindow();
    SetUINotifyWnd(nullptr);
    if (ui_) DestroyWindow(ui_);
    ui_ = nullptr;
  }
  static LRESULT CALLBACK uiProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_UIBRIDGE) return DefWindowProc(hwnd, message, wParam, lParam);
    const CString value = TakeNotifyText(wParam, lParam);
    received().push_back({static_cast<UINT>(wParam), static_cast<LPCSTR>(value)});
    return 0;
  }

  HWND ui_ = nullptr;
  CWnd frame_;
};

}  // namespace xp::testing
