#include "tests/worker/vista/WlanClientTest.h"

namespace worker::testing {
namespace {

class NativeWiFiNotifyTest : public WlanClientTest {
 protected:
  void SetUp() override {
    WlanClientTest::SetUp();
    mine = client_.InterfaceGuid();
    other = mine;
    other.Data1 ^= 0xFFFF;
  }
  GUID mine{}, other{};
};

TEST_F(NativeWiFiNotifyTest, ReportsBecomeTheirMessagesOnlyForTheirOwnInterface) {
  HANDLE noClient = nullptr;
  CNativeWiFiNotify notify(&noClient, &mine, nullptr);
  auto phy = [](DOT11_RADIO_STATE soft) {
    WLAN_PHY_RADIO_STATE state{0, soft, dot11_radio_state_on};
    return state;
  };
  struct Case {
    DWORD source, code;
    bool ours;
    UINT expected;  // 0: nothing posted
  };
  const Case cases[] = {
      {WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_scan_complete, true, WM_WLAN_SCAN_COMPLETE},
      {WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_scan_complete, false, 0},
      {WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_scan_fail, true, WM_WLAN_SCAN_FAIL},
      {WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_connection_complete, true, WM_WLAN_CONNECTED},
      {WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_connection_complete, false, 0},
      {WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_connection_attempt_fail, true,
       WM_WLAN_CONNECT_ATTEMPT_FAIL},
      {WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_interface_arrival, true, WM_WLAN_INTERFACE_ARRIVAL},
      {WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_interface_arrival, false, WM_WLAN_INTERFACE_ARRIVAL},
      {WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_disconnected, true, WM_WLAN_DISCONNECTED},
      {WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_disconnecting, true, 0},
      {WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_connection_start, true, 0},
      {WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_interface_removal, true, 0},
      {WLAN_NOTIFICATION_SOURCE_MSM, wlan_notification_msm_roaming_end, true, WM_WLAN_ROAMING_END},
      {WLAN_NOTIFICATION_SOURCE_MSM, wlan_notification_msm_roaming_end, false, 0},
      {WLAN_NOTIFICATION_SOURCE_MSM, wlan_notification_msm_connected, true, 0},
      {WLAN_NOTIFICATION_SOURCE_MSM, wlan_notification_acm_scan_complete, true, 0},
      {WLAN_NOTIFICATION_SOURCE_ONEX, wlan_notification_acm_scan_complete, true, 0},
  };
  for (const Case& c : cases) {
    received().clear();
    WLAN_NOTIFICATION_DATA data{c.source, c.code, c.ours ? mine : other, 0, nullptr};
    notify.OnNotification(&data);
    wavorel::pumpMessages();
    const std::string label = std::to_string(c.source) + "/" + std::to_string(c.code) + (c.ours ? " ours" : " other");
    if (c.expected) {
      ASSERT_EQ(received().size(), 1u) << label;
      EXPECT_EQ(received()[0].message, c.expected) << label;
      EXPECT_EQ(received()[0].window, worker_) << label;
    } else {
      EXPECT_TRUE(received().empty()) << label;
    }
  }

  // Radio reports by their software state; a report too short to hold one
  // PHY's state, or a null report, posts nothing.
  const struct {
    DOT11_RADIO_STATE soft;
    DWORD size;
    UINT expected;
  } radios[] = {{dot11_radio_state_on, sizeof(WLAN_PHY_RADIO_STATE), WM_WLAN_RADIO_ON},
                {dot11_radio_state_off, sizeof(WLAN_PHY_RADIO_STATE), WM_WLAN_RADIO_OFF},
                {dot11_radio_state_unknown, sizeof(WLAN_PHY_RADIO_STATE), 0},
                {dot11_radio_state_off, 7, 0}};
  for (const auto& r : radios) {
    received().clear();
    WLAN_PHY_RADIO_STATE state = phy(r.soft);
    WLAN_NOTIFICATION_DATA data{WLAN_NOTIFICATION_SOURCE_MSM, wlan_notification_msm_radio_state_change, mine, r.size,
                                &state};
    notify.OnNotification(&data);
    wavorel::pumpMessages();
    if (r.expected) {
      ASSERT_EQ(received().size(), 1u) << r.soft;
      EXPECT_EQ(received()[0].message, r.expected);
    } else {
      EXPECT_TRUE(received().empty()) << r.soft << " / " << r.size;
    }
  }
  received().clear();
  notify.OnNotification(nullptr);
  EXPECT_EQ(wavorel::pumpMessages(), 0u);
}

TEST_F(NativeWiFiNotifyTest, ReportsGoToTheRecordedWorkerWindowAndAreDroppedWithoutOne) {
  HANDLE noClient = nullptr;
  const HWND other = CreateWindowEx(0, "WlanClientTestWindow", "other", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                    nullptr, nullptr);
  CNativeWiFiNotify notify(&noClient, &mine, other);
  WLAN_NOTIFICATION_DATA data{WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_scan_complete, mine, 0, nullptr};
  notify.OnNotification(&data);
  wavorel::pumpMessages();
  ASSERT_EQ(received().size(), 1u);
  EXPECT_EQ(received()[0].window, worker_) << "the recorded worker window, not the one given";

  received().clear();
  RecordWlanWorkerWindow(nullptr);
  notify.OnNotification(&data);
  EXPECT_EQ(wavorel::pumpMessages(), 0u) << "nothing queued, not even a thread message";
  EXPECT_TRUE(received().empty());
  DestroyWindow(other);
}

TEST_F(NativeWiFiNotifyTest, TheServicesScanReportArrivesFromItsThreadAsAPostedMessage) {
  ASSERT_EQ(client_.Scan(), static_cast<DWORD>(ERROR_SUCCESS));
  clock().advance(2500);
  ASSERT_TRUE(waitForMessage(WM_WLAN_SCAN_COMPLETE));
  EXPECT_EQ(received()[0].thread, std::this_thread::get_id());

  // A radio switched off fails the next scan.
  ASSERT_EQ(client_.SetRadio(FALSE), static_cast<DWORD>(ERROR_SUCCESS));
  ASSERT_TRUE(waitForMessage(WM_WLAN_RADIO_OFF));
  client_.Scan();
  clock().advance(2500);
  EXPECT_TRUE(waitForMessage(WM_WLAN_SCAN_FAIL));
}

TEST_F(NativeWiFiNotifyTest, AClosedClientGetsNoMoreReports) {
  client_.Close();
  HANDLE handle = nullptr;
  DWORD version = 0;
  ASSERT_EQ(WlanOpenHandle(2, nullptr, &version, &handle), static_cast<DWORD>(ERROR_SUCCESS));
  ASSERT_EQ(WlanScan(handle, &mine, nullptr, nullptr, nullptr), static_cast<DWORD>(ERROR_SUCCESS));
  clock().advance(2500);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  wavorel::pumpMessages();
  EXPECT_EQ(count(WM_WLAN_SCAN_COMPLETE), 0u);
  WlanCloseHandle(handle, nullptr);
}

}  // namespace
}  // namespace worker::testing
