// The link page on the simulated machine: what one pass reports while
// connected, the throughput arithmetic, smoothing, the receive chains, an
// adapter without 802.11n, the states without a link and the driver's
// failed or short answers.
#include <cstring>
#include <vector>

#include "platform/sim/services/NativeWifiService.h"
#include "tests/station/status/vista/LinkStatusTest.h"
#include "worker/ModuleFunctions.h"
#include "worker/NativeWiFi.h"
#include "worker/OidRequest.h"

namespace station::testing {
namespace {

using wavorel::sim::machine;
using Page = CLinkStatusDlg;

TEST_F(LinkStatusTest, ConnectedPassReportsEveryValue) {
  connectHome();
  ticks(2);
  EXPECT_EQ(lastOf(BRIDGE_UI_LINK_SSID), "HomeNet");
  EXPECT_EQ(lastOf(BRIDGE_UI_LINK_BSSID), "00-1D-7E-11-22-01");
  EXPECT_EQ(lastOf(BRIDGE_UI_LINK_AUTH_TYPE), "WPA2-PSK");
  EXPECT_EQ(lastOf(BRIDGE_UI_LINK_ENCRYPTION), "AES");
  EXPECT_EQ(lastOf(BRIDGE_UI_LINK_NETWORK_TYPE), "Infrastructure");
  EXPECT_EQ(lastOf(BRIDGE_UI_LINK_IP_ADDRESS), "192.168.1.23");
  EXPECT_EQ(lastOf(BRIDGE_UI_LINK_SUBNET_MASK), "255.255.255.0");
  EXPECT_EQ(lastOf(BRIDGE_UI_LINK_GATEWAY), "192.168.1.1");
  // The simulated peers carry 8000 bytes a second out and 45000 in.
  EXPECT_EQ(lastOf(BRIDGE_UI_LINK_TX_THROUGHPUT), "64.000 Kbps");
  EXPECT_EQ(lastOf(BRIDGE_UI_LINK_RX_THROUGHPUT), "360.000 Kbps");
  EXPECT_EQ(valuesOf(BRIDGE_UI_LINK_STATUS).size(), 0u) << "code 5 only without a link";
  EXPECT_EQ(intsOf(BRIDGE_UI_LINK_QUALITY).size(), 2u);
  EXPECT_EQ(intsOf(BRIDGE_UI_SIGNAL_STRENGTH).size(), 2u);

  // The link speed is the HT PHY word's rate, as the HT block decodes it.
  DWORD word = 0, returned = 0;
  ASSERT_TRUE(QueryOid(OID_VX_HT_PHY_WORD, &word, 4, &returned));
  CHTTable table;
  table.Rebuild();
  double rate = 0;
  ASSERT_TRUE(table.Lookup((word >> 7) & 1, (word >> 8) & 1, word & 0x7F, &rate));
  CString speed;
  speed.Format("%.1f Mbps", rate);
  EXPECT_EQ(lastOf(BRIDGE_UI_LINK_LINK_SPEED), static_cast<LPCSTR>(speed));
  EXPECT_EQ(dlgText(IDC_LINK_HT_BW), (word & 0x80) ? "40" : "20");
  EXPECT_EQ(dlgText(IDC_LINK_HT_GI), (word & 0x100) ? "short" : "long");
  EXPECT_EQ(dlgText(IDC_LINK_HT_MCS), std::to_string(word & 0x7F));

  EXPECT_EQ(text(Page::kStatus), "HomeNet <--> 00-1D-7E-11-22-01 [192.168.1.23]");
  EXPECT_EQ(text(Page::kExtraInfo), "Link is Up [TxPower:100%]");
  EXPECT_EQ(text(Page::kChannel), "6 <--> 2437 MHz; central channel : 6");
  EXPECT_EQ(dlgText(IDC_LINK_STATUS), text(Page::kStatus)) << "the statics show the texts";
  // Both histories end with the last samples; the labels name the maximum.
  EXPECT_DOUBLE_EQ(Page::TxHistory().back(), 0.064);
  EXPECT_DOUBLE_EQ(Page::RxHistory().back(), 0.36);
  EXPECT_EQ(page().GetRxHistogram().m_strLabels[1], "360.000 Kbps");
}

TEST_F(LinkStatusTest, LabelsAndBarTextsFromTheStringTable) {
  startWithHost();
  struct Label {
    UINT id;
    const char* text;
  };
  for (const Label& l : {Label{1022, "Status >>"}, Label{1025, "Extra Info >>"}, Label{1028, "Channel >>"},
                         Label{1032, "Authentication >>"}, Label{1036, "Encryption >>"},
                         Label{1039, "Network Type >>"}, Label{1042, "IP Address >>"}, Label{1046, "Sub Mask >>"},
                         Label{1051, "Default Gateway >>"}, Label{1071, "Link Speed >>"}, Label{1079, "Throughput >>"},
                         Label{1074, "Link Speed >>"}, Label{1085, "Throughput >>"}, Label{1061, "Transmit"},
                         Label{1065, "Receive"}})
    EXPECT_EQ(dlgText(l.id), l.text) << l.id;
  EXPECT_EQ(barText(Page::kQualityBar), "Link Quality >> %d%%");
  EXPECT_EQ(barText(Page::kSignal1Bar), "Signal Strength 1 >> %d%%");
  EXPECT_EQ(barText(Page::kSignal2Bar), "Signal Strength 2 >> %d%%");
  EXPECT_EQ(barText(Page::kSignal3Bar), "Signal Strength 3 >> %d%%");
  EXPECT_EQ(barText(Page::kNoiseBar), "Noise Strength >> %d%%");
}

TEST_F(LinkStatusTest, ThroughputTextsAndCounterWrap) {
  startWithHost();
  struct Case {
    DWORD before, after;
    const char* text;
  };
  for (const Case& c : {Case{1000, 251000, "1.000 Mbps"}, Case{0, 125000, "500.000 Kbps"},
                        Case{0xFFFFFF00u, 0x0003D000u, "1.000 Mbps"} /* wrapped: 250112 bytes */,
                        Case{7, 7, "0.000 Kbps"}}) {
    LinkStatusRecord record;
    record.txBytes = c.before;
    record.rxBytes = c.before;
    page().UpdateThroughput(TRUE, record);
    received().clear();
    record.txBytes = c.after;
    record.rxBytes = c.after;
    page().UpdateThroughput(FALSE, record);
    wavorel::pumpMessages();
    EXPECT_EQ(lastOf(BRIDGE_UI_LINK_TX_THROUGHPUT), c.text) << c.before;
    EXPECT_EQ(lastOf(BRIDGE_UI_LINK_RX_THROUGHPUT), c.text) << c.before;
  }
  // The largest of the 29 samples scales the histogram and names its label.
  EXPECT_NEAR(page().GetTxMax(), 1.000448, 1e-9);
  EXPECT_EQ(page().GetTxHistogram().m_strLabels[1], "1.000 Mbps");
}

TEST_F(LinkStatusTest, SignalIsSmoothedAndShownInPercentOrDbm) {
  connectCafe();  // -67 dBm, swinging by up to 6 dBm
  machine().stuckValue(OID_VX_RSSI0, static_cast<DWORD>(-60));  // 76 %
  ticks(6);
  const int settled = intsOf(BRIDGE_UI_SIGNAL_STRENGTH).back();
  EXPECT_NEAR(settled, 76, 1);
  machine().stuckValue(OID_VX_RSSI0, static_cast<DWORD>(-50));  // 100 %
  ticks(2);
  const int first = smoothed(100, settled);
  EXPECT_EQ(intsOf(BRIDGE_UI_SIGNAL_STRENGTH), (std::vector<int>{first, smoothed(100, first)}));
  EXPECT_EQ(barText(Page::kSignal1Bar), "Signal Strength 1 >> %d%%");
  EXPECT_EQ(page().GetBar(Page::kSignal1Bar).GetPos(), smoothed(100, first));
  EXPECT_EQ(page().GetBar(Page::kSignal1Bar).GetColor(0), 0x00FF00u) << "green from 70 %";

  g_bShowDbm = 1;
  ticks();
  EXPECT_EQ(barText(Page::kSignal1Bar), "Signal Strength 1 >> -50 dBm");
  EXPECT_EQ(barText(Page::kNoiseBar).rfind("Noise Strength >> -", 0), 0u) << barText(Page::kNoiseBar);
}

TEST_F(LinkStatusTest, ShortLinkRecordReadsAsZeroAndQualityIsSmoothed) {
  connectCafe();
  ticks();
  const std::vector<int> first = intsOf(BRIDGE_UI_LINK_QUALITY);
  ASSERT_EQ(first.size(), 1u);
  // Only word 0 answered: the raw quality reads 0, which alone gives 10 %.
  machine().shortAnswer(OID_VX_LINK_STATUS_BLOCK, 4);
  ticks(2);
  const int once = smoothed(10, first.back());
  const int twice = smoothed(10, once);
  EXPECT_EQ(intsOf(BRIDGE_UI_LINK_QUALITY), (std::vector<int>{once, twice}));
  EXPECT_EQ(page().GetBar(Page::kQualityBar).GetPos(), twice);
  EXPECT_EQ(page().GetBar(Page::kQualityBar).GetColor(0), twice < 35 ? 0x0000FFu : 0x32E6FAu);
}

TEST_F(LinkStatusTest, ReceiveChainsAndTheNoiseBar) {
  struct Case {
    const char* chains;
    bool second, third;
  };
  for (const Case& c : {Case{"Chains = 1", false, false}, Case{"Chains = 3", true, true}}) {
    reopenIn(worldWith("Chains = 2", c.chains));
    g_strAdapterGuid = guid().c_str();
    connectHome();
    ticks();
    // A chain the adapter lacks reads -200 dBm: the bare label, an empty bar.
    EXPECT_EQ(barText(Page::kSignal2Bar), c.second ? "Signal Strength 2 >> %d%%" : "Signal Strength2 >>") << c.chains;
    EXPECT_EQ(barText(Page::kSignal3Bar), c.third ? "Signal Strength 3 >> %d%%" : "Signal Strength3 >>") << c.chains;
    EXPECT_EQ(page().GetBar(Page::kSignal3Bar).GetPos() > 0, c.third) << c.chains;
    EXPECT_EQ(dlgText(IDC_LINK_HT_SNR1), c.second ? std::to_string(std::stoi(dlgText(IDC_LINK_HT_SNR1))) : "n/a")
        << "SNR 44 reads n/a";
    EXPECT_EQ(barText(Page::kNoiseBar), "Noise Strength >> %d%%");
  }

  // A driver that cannot report chain 2 or 3: their bars go and the noise bar
  // takes the first free place.
  CRect signal2, signal3, noise;
  GetControlRect(signal2, &page(), IDC_LINK_SIGNAL2_BAR);
  GetControlRect(signal3, &page(), IDC_LINK_SIGNAL3_BAR);
  machine().failCode(OID_VX_RSSI2, 1);
  page().ShowWindow(SW_HIDE);
  page().ShowWindow(SW_SHOW);
  EXPECT_TRUE(visible(IDC_LINK_SIGNAL2_BAR));
  EXPECT_FALSE(visible(IDC_LINK_SIGNAL3_BAR));
  GetControlRect(noise, &page(), IDC_LINK_NOISE_BAR);
  EXPECT_EQ(noise, signal3);
  machine().failCode(OID_VX_RSSI1, 1);
  page().ShowWindow(SW_HIDE);
  page().ShowWindow(SW_SHOW);
  EXPECT_FALSE(visible(IDC_LINK_SIGNAL2_BAR));
  GetControlRect(noise, &page(), IDC_LINK_NOISE_BAR);
  EXPECT_EQ(noise, signal2);
}

TEST_F(LinkStatusTest, AdapterWithout80211n) {
  // A USB adapter of family 5 (no 802.11n); the adapter's section comes first.
  std::string world = worldWith("Family = 8", "Family = 5");
  world.replace(world.find("PID_0101"), 8, "PID_0501");
  world.replace(world.find("HT = yes"), 8, "HT = no");
  reopenIn(world);
  g_strAdapterGuid = guid().c_str();
  g_nFamilyIndex = 5;
  connectCafe();
  ticks(2);
  for (UINT id : {IDC_LINK_HT_BW, IDC_LINK_HT_MCS, IDC_LINK_HT_SNR0, IDC_LINK_HT_STBC}) EXPECT_FALSE(visible(id)) << id;
  EXPECT_FALSE(visible(IDC_LINK_HT_SEPARATOR));
  // The link speed is word 0 of the 16-byte record in 500 kb/s units.
  BYTE record[16] = {};
  DWORD returned = 0;
  ASSERT_TRUE(QueryOid(OID_VX_LINK_STATUS_BLOCK, record, sizeof record, &returned));
  EXPECT_EQ(returned, 16u);
  CString speed;
  speed.Format("%.1f Mbps", (record[0] | record[1] << 8) * 0.5);
  EXPECT_EQ(lastOf(BRIDGE_UI_LINK_LINK_SPEED), static_cast<LPCSTR>(speed));
  EXPECT_NE(speed, "0.0 Mbps");
  // Noise is the driver's raw value less 143: -92 to -90 dBm here, 26 to 33 %.
  EXPECT_GE(page().GetBar(Page::kNoiseBar).GetPos(), 26);
  EXPECT_LE(page().GetBar(Page::kNoiseBar).GetPos(), 33);
  EXPECT_EQ(text(Page::kChannel), "1 <--> 2412 MHz") << "no central channel without 802.11n";
}

TEST_F(LinkStatusTest, HtAdapterOnALegacyNetworkShowsNotApplicable) {
  connectCafe();
  ticks();
  for (UINT id : {IDC_LINK_HT_BW, IDC_LINK_HT_GI, IDC_LINK_HT_MCS}) EXPECT_EQ(dlgText(id), "n/a") << id;
  EXPECT_TRUE(visible(IDC_LINK_HT_BW));
  EXPECT_FALSE(visible(IDC_LINK_HT_STBC));
  EXPECT_EQ(text(Page::kChannel), "1 <--> 2412 MHz") << "a network without 802.11n has no central channel";
}

TEST_F(LinkStatusTest, TransmitPowerTexts) {
  connectCafe();
  struct Case {
    DWORD value;
    const char* text;
  };
  for (const Case& c : {Case{0xFFFFFFFF, "100%"}, Case{100, "100%"}, Case{50, "50%"}, Case{7, "7%"},
                        Case{6, "Lowest"}, Case{0, "Lowest"}}) {
    machine().stuckValue(OID_VX_TX_POWER, c.value);
    ticks();
    EXPECT_EQ(text(Page::kExtraInfo), std::string("Link is Up [TxPower:") + c.text + "]") << c.value;
  }
  // The power cannot be read: no text (the value is left to the page).
  machine().failCode(OID_VX_TX_POWER, 1);
  ticks();
  EXPECT_EQ(text(Page::kExtraInfo), "Link is Up [TxPower:]");
  g_bIcvError = 1;
  ticks();
  EXPECT_EQ(text(Page::kExtraInfo), "Link is Up -- ICV Error  [TxPower:Lowest]");
}

TEST_F(LinkStatusTest, LinkEventTexts) {
  connectCafe();
  const char* const texts[] = {"Link is Up",
                               "Link is Down",
                               "Hardware radio off",
                               "Software radio off",
                               "Open authentication fail",
                               "Shared authentication fail",
                               "Association failed",
                               "Deauthencation because MIC failure",
                               "Deauthencation on 4-way handshake timeout",
                               "Deauthencation on group key handshake timeout",
                               "EAP succeed"};
  for (DWORD code = 0; code <= 11; ++code) {
    machine().stuckValue(OID_VX_LINK_EVENT, code);
    ticks();
    if (code == 2) {
      // The hardware radio is off: no link, every value but the state emptied.
      EXPECT_EQ(text(Page::kStatus), "RF OFF");
      EXPECT_EQ(lastOf(BRIDGE_UI_LINK_STATUS), "Radio Off");
      EXPECT_EQ(text(Page::kExtraInfo), "");
      continue;
    }
    EXPECT_EQ(text(Page::kExtraInfo), code == 11 ? " [TxPower:100%]" : std::string(texts[code]) + " [TxPower:100%]")
        << code;
  }
}

TEST_F(LinkStatusTest, StatesWithoutALink) {
  startWithHost();
  ticks();
  EXPECT_EQ(valuesOf(BRIDGE_UI_LINK_STATUS), (std::vector<std::string>{"Disconnected"}));
  EXPECT_EQ(text(Page::kStatus), "Disconnected");
  // The software radio switched off by the user.
  machine().adapter(0).setRadio(false);
  g_bRadioOn = 0;  // as the site survey page reads it on its pass
  ticks();
  EXPECT_EQ(valuesOf(BRIDGE_UI_LINK_STATUS), (std::vector<std::string>{"Radio Off"}));
  machine().adapter(0).setRadio(true);
  ticks();

  // Native Wi-Fi closed: the state cannot be read (a pass before the
  // worker's poll opens it again).
  g_pNativeWiFi->Close();
  received().clear();
  page().MeasurementPass();
  wavorel::pumpMessages();
  EXPECT_EQ(valuesOf(BRIDGE_UI_LINK_STATUS),
            (std::vector<std::string>{"Driver Error", "AutoConfig service is disable"}));
  EXPECT_EQ(text(Page::kStatus), "AutoConfig service is disable");

  // The radio switch on the adapter: the driver's link event says so.
  machine().setHardwareRadio(guid(), false);
  ticks();
  EXPECT_EQ(valuesOf(BRIDGE_UI_LINK_STATUS), (std::vector<std::string>{"Radio Off"}));
  EXPECT_EQ(text(Page::kStatus), "RF OFF");
}

TEST_F(LinkStatusTest, AdapterUnpluggedUnderTheLink) {
  connectHome();
  ticks(2);
  ASSERT_GT(page().GetBar(Page::kSignal1Bar).GetPos(), 0);
  ASSERT_NE(text(Page::kIpAddress), "");
  // The pass that comes before the worker notices (the worker then takes the
  // host down with the adapter).
  machine().setPresent(guid(), false);
  received().clear();
  page().MeasurementPass();
  wavorel::pumpMessages();
  EXPECT_EQ(valuesOf(BRIDGE_UI_LINK_STATUS), (std::vector<std::string>{"Driver Error"}));
  EXPECT_EQ(text(Page::kStatus), "NIC or driver not ready");
  for (int bar = 0; bar < Page::kBarCount; ++bar) EXPECT_EQ(page().GetBar(Page::Bar(bar)).GetPos(), 0) << bar;
  for (Page::Text t : {Page::kExtraInfo, Page::kIpAddress, Page::kTxThroughput, Page::kChannel})
    EXPECT_EQ(text(t), "") << t;
  EXPECT_EQ(Page::TxHistory().back(), 0.0) << "an empty sample";
}

TEST_F(LinkStatusTest, NativeWifiSsidLongerThanItsRecordIsCut) {
  storeProfile("Max", {{"SSID", "CafeFree"}, {"NetworkType", "1"}, {"AuthMode", "0"}, {"CipherMode", "1"}});
  connectFirstProfile();
  wavorel::sim::NativeWifiService::instance().setReportedSsidLength(200);
  ticks();
  // The record's 32 bytes are read (and no byte past them: the sanitizer
  // build checks), the text ending at the first NUL.
  EXPECT_EQ(lastOf(BRIDGE_UI_LINK_SSID), "CafeFree");
  EXPECT_EQ(page().GetText(Page::kStatus).GetLength(), 31);
  EXPECT_EQ(text(Page::kStatus), "CafeFree <--> 00-1D-7E-11-22-02");
}

TEST_F(LinkStatusTest, HiddenPageStopsItsTimer) {
  connectCafe();
  page().ShowWindow(SW_HIDE);
  ticks(2);
  EXPECT_TRUE(valuesOf(BRIDGE_UI_LINK_SSID).empty());
  page().ShowWindow(SW_SHOW);
  ticks();
  EXPECT_EQ(lastOf(BRIDGE_UI_LINK_SSID), "CafeFree");
  page().SendMessage(WM_COMMAND, IDCANCEL, 0);
  page().SendMessage(WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(IsWindow(page().GetSafeHwnd()));
  EXPECT_TRUE(page().GetStyle() & WS_VISIBLE) << "Enter and Escape do not close the page";
}

// Setting a control repaints it even with the same value: a pass that
// changes nothing leaves every control as it is (the histograms, which take
// a sample each pass, paint at once), with a link and without one.
TEST_F(LinkStatusTest, APassThatChangesNothingLeavesTheControlsUnpainted) {
  connectHome();
  CWnd frame;
  ASSERT_TRUE(frame.CreateEx(0, kWindowClass, "link", WS_POPUP | WS_VISIBLE, CRect(0, 0, 620, 290), nullptr, 0));
  CLinkStatusDlg shown(&frame);
  ASSERT_TRUE(shown.Create(IDD_LINK_STATUS, &frame));
  shown.ShowWindow(SW_SHOW);
  const auto invalidated = [&shown] {
    std::vector<int> ids;
    EnumChildWindows(
        shown.GetSafeHwnd(),
        [](HWND child, LPARAM list) {
          if (GetUpdateRect(child, nullptr, FALSE)) reinterpret_cast<std::vector<int>*>(list)->push_back(GetDlgCtrlID(child));
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&ids));
    return ids;
  };
  // No time passes between the passes: once quality and signal have settled
  // (each pass goes halfway) and the throughput reads 0, nothing changes.
  const auto settle = [&shown] {
    for (int i = 0; i < 10; ++i) {
      shown.MeasurementPass();
      wavorel::pumpMessages();
    }
  };
  settle();
  ASSERT_GT(shown.GetBar(Page::kSignal1Bar).GetPos(), 0);
  ASSERT_EQ(shown.GetText(Page::kTxThroughput), "0.000 Kbps");
  // (The hidden controls were never painted: they keep their update areas.)
  const std::vector<int> hidden = invalidated();
  shown.MeasurementPass();
  EXPECT_EQ(invalidated(), hidden);

  machine().adapter(0).setRadio(false);
  g_bRadioOn = 0;
  settle();
  ASSERT_EQ(shown.GetText(Page::kStatus), "RF OFF");
  shown.MeasurementPass();
  EXPECT_EQ(invalidated(), hidden);
  shown.DestroyWindow();
  frame.DestroyWindow();
}

}  // namespace
}  // namespace station::testing
