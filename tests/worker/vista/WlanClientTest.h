// Fixture of the Native Wi-Fi client tests: the default world's adapter
// opened by its description, a plain window recorded as the worker window
// that keeps the messages it receives (and the thread they arrived on), and
// helpers that wait for the service's thread to post.
#pragma once

#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/testing/Drivers.h"
#include "tests/worker/DiscoveryTest.h"
#include "worker/NativeWiFi.h"

namespace worker::testing {

struct ReceivedMessage {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  std::thread::id thread;
};

class WlanClientTest : public DiscoveryTest {
 protected:
  void SetUp() override {
    DiscoveryTest::SetUp();
    openWorkerAndClient();
  }
  void TearDown() override {
    client_.Close();
    RecordWlanWorkerWindow(nullptr);
    DestroyWindow(worker_);
    DiscoveryTest::TearDown();
  }

  // Makes `text` the world (which resets the platform's windows too) and
  // opens the worker window and the client again.
  void reopenIn(const std::string& text) {
    client_.Close();
    useWorld(text);
    openWorkerAndClient();
  }

  void openWorkerAndClient() {
    received().clear();
    WNDCLASS wc{};
    wc.lpfnWndProc = &WlanClientTest::recordingProc;
    wc.lpszClassName = "WlanClientTestWindow";
    RegisterClass(&wc);
    worker_ = CreateWindowEx(0, "WlanClientTestWindow", "worker", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                             nullptr);
    ASSERT_NE(worker_, nullptr);
    RecordWlanWorkerWindow(worker_);
    ASSERT_EQ(client_.Init(kDefaultFriendlyName, worker_, 0), static_cast<DWORD>(ERROR_SUCCESS));
    wavorel::sim::clearDriverCalls();
  }

  static std::vector<ReceivedMessage>& received() {
    static std::vector<ReceivedMessage> list;
    return list;
  }
  static LRESULT CALLBACK recordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER && message < WM_USER + 100)
      received().push_back({hwnd, message, wParam, lParam, std::this_thread::get_id()});
    return DefWindowProc(hwnd, message, wParam, lParam);
  }
  static size_t count(UINT message) {
    size_t n = 0;
    for (const ReceivedMessage& m : received()) n += m.message == message;
    return n;
  }
  // Pumps the UI thread's queue until `message` has arrived (the service
  // posts from its own thread, so this waits in real time, a few seconds at most).
  static bool waitForMessage(UINT message) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
      wavorel::pumpMessages();
      if (count(message)) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
  }
  // A scan that ran to its end on the service's clock.
  void scan() {
    ASSERT_EQ(client_.Scan(), static_cast<DWORD>(ERROR_SUCCESS));
    clock().advance(2500);
    ASSERT_TRUE(waitForMessage(WM_WLAN_SCAN_COMPLETE));
  }

  static std::u16string wide(const std::string& s) { return std::u16string(s.begin(), s.end()); }
  static std::string hexOf(const std::string& s) {
    std::string out;
    char b[3];
    for (unsigned char c : s) {
      std::snprintf(b, sizeof b, "%02X", c);
      out += b;
    }
    return out;
  }
  // A WLAN profile document for an infrastructure network.
  static std::u16string profileXml(const std::string& name, const std::string& ssid, const std::string& auth,
                                   const std::string& enc, const std::string& passphrase = "") {
    std::string x = "<?xml version=\"1.0\"?><WLANProfile xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\">"
                    "<name><![CDATA[" + name + "]]></name><SSIDConfig><SSID><hex>" + hexOf(ssid) +
                    "</hex></SSID></SSIDConfig><connectionType>ESS</connectionType><connectionMode>manual"
                    "</connectionMode><autoSwitch>false</autoSwitch><MSM><security><authEncryption><authentication>" +
                    auth + "</authentication><encryption>" + enc + "</encryption><useOneX>false</useOneX>"
                    "</authEncryption>";
    if (!passphrase.empty())
      x += "<sharedKey><keyType>passPhrase</keyType><protected>false</protected><keyMaterial>" + passphrase +
           "</keyMaterial></sharedKey>";
    return wide(x + "</security></MSM></WLANProfile>");
  }

  HWND worker_ = nullptr;
  CNativeWiFi client_;
};

}  // namespace worker::testing
