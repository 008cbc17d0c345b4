// Wavorel's link page on the simulated adapter: one tick joined to an open
// network, the driver values that change the page (as tables with the bridge
// values), the states without a link, the throughput arithmetic and the
// driver's failed, short and overlong answers.
#include <memory>
#include <optional>

#include "frontend/BridgeCodes.h"
#include "station/status/LinkStatusDlg.h"
#include "tests/xp/station/XpStationPageTest.h"
#include "worker/DriverCodes.h"

namespace xp::testing {
namespace {

using Page = CLinkStatusDlg;

// Cafe as an 802.11n network with an address, so every row has a value.
constexpr const char* kCafe = "Ssid = CafeFree";
constexpr const char* kCafeHt = "Ssid = CafeFree\nHT = yes\nAddress = 10.1.2.3";

class LinkStatusDlgTest : public XpStationPageTest {
 protected:
  void TearDown() override {
    closePage();
    XpStationPageTest::TearDown();
  }

  // The page made on the frame and shown: its timer ticks every 2 seconds.
  Page& open() {
    page_ = std::make_unique<Page>(&frame());
    EXPECT_TRUE(page_->Create(IDD_LINK_STATUS, &frame()));
    page_->ShowWindow(SW_SHOW);
    return *page_;
  }
  void closePage() {
    if (page_ && page_->GetSafeHwnd()) page_->DestroyWindow();
    page_.reset();
  }
  // Joined to Cafe (802.11n, addressed), the page open and past its first tick.
  void openOnCafe() {
    reopenIn(worldWith(kCafe, kCafeHt));
    join("CafeFree");
    open();
    ticks();
  }
  // The bridge values of the next `count` ticks.
  void ticks(int count = 1) {
    received().clear();
    advance(2000 * static_cast<uint64_t>(count));
  }
  Page& page() { return *page_; }
  std::string text(Page::Text which) { return static_cast<LPCSTR>(page_->GetText(which)); }
  std::string dlgText(UINT id) {
    CString value;
    page_->GetDlgItemText(id, value);
    return static_cast<LPCSTR>(value);
  }
  std::string barText(Page::Bar which) { return static_cast<LPCSTR>(page_->GetBar(which).GetFormatString()); }
  bool visible(UINT id) { return (page_->GetDlgItem(id)->GetStyle() & WS_VISIBLE) != 0; }
  CRect place(UINT id) {
    CRect rect;
    GetControlRect(rect, page_.get(), id);
    return rect;
  }

 private:
  std::unique_ptr<Page> page_;
};

TEST_F(LinkStatusDlgTest, TickOnAnOpenNetworkReportsEveryRow) {
  openOnCafe();
  ticks();
  EXPECT_EQ(lastOf(BRIDGE_UI_LINK_SSID), "CafeFree");
  EXPECT_EQ(lastOf(BRIDGE_UI_LINK_BSSID), "00-1D-7E-11-22-02");
  EXPECT_EQ(lastOf(BRIDGE_UI_LINK_NETWORK_TYPE), "Infrastructure");
  EXPECT_EQ(lastOf(BRIDGE_UI_LINK_AUTH_TYPE), "Open");
  EXPECT_EQ(lastOf(BRIDGE_UI_LINK_ENCRYPTION), "NONE");
  EXPECT_EQ(lastOf(BRIDGE_UI_LINK_IP_ADDRESS), "10.1.2.3");
  EXPECT_EQ(valuesOf(BRIDGE_UI_LINK_STATUS).size(), 0u) << "code 5 only without a link";
  EXPECT_EQ(valuesOf(BRIDGE_UI_LINK_QUALITY).size(), 1u);
  EXPECT_EQ(valuesOf(BRIDGE_UI_SIGNAL_STRENGTH).size(), 1u);
  EXPECT_NE(lastOf(BRIDGE_UI_LINK_LINK_SPEED), "<none>");
  EXPECT_NE(lastOf(BRIDGE_UI_LINK_TX_THROUGHPUT), "<none>") << "the second tick measures";
  EXPECT_NE(lastOf(BRIDGE_UI_LINK_RX_THROUGHPUT), "<none>");
  EXPECT_EQ(text(Page::kStatus), "CafeFree <--> 00-1D-7E-11-22-02 [10.1.2.3]");
  EXPECT_EQ(dlgText(IDC_LINK_STATUS), text(Page::kStatus)) << "the statics show the texts";
  EXPECT_EQ(text(Page::kExtraInfo), "Link is Up [TxPower:100%]");
  EXPECT_EQ(text(Page::kChannel), "1 <--> 2412 MHz") << "no site survey marks the row: no central channel";
  // Chain 0's RSSI and the channel come from the standard codes.
  machine().clearCalls();
  ticks();
  const std::vector<DWORD> codes = callCodes();
  EXPECT_NE(std::find(codes.begin(), codes.end(), OID_802_11_RSSI), codes.end());
  EXPECT_NE(std::find(codes.begin(), codes.end(), OID_802_11_CONFIGURATION), codes.end());
}

TEST_F(LinkStatusDlgTest, LabelsAndBarTextsOfTheXpTemplate) {
  open();
  struct Label {
    UINT id;
    const char* text;
  };
  for (const Label& l : {Label{1026, "Status >>"}, Label{1028, "Extra Info >>"}, Label{1030, "Channel >>"},
                         Label{1032, "Authentication >>"}, Label{1034, "Encryption >>"},
                         Label{1036, "Network Type >>"}, Label{1038, "IP Address >>"}, Label{1040, "Sub Mask >>"},
                         Label{1042, "Default Gateway >>"}, Label{1054, "Link Speed >>"},
                         Label{1056, "Throughput >>"}, Label{1055, "Link Speed >>"}, Label{1057, "Throughput >>"},
                         Label{1052, "Transmit"}, Label{1053, "Receive"}})
    EXPECT_EQ(dlgText(l.id), l.text) << l.id;
  EXPECT_EQ(barText(Page::kQualityBar), "Link Quality >> %d%%");
  EXPECT_EQ(barText(Page::kSignal1Bar), "Signal Strength 1 >> %d%%");
  EXPECT_EQ(barText(Page::kSignal2Bar), "Signal Strength 2 >> %d%%");
  EXPECT_EQ(barText(Page::kSignal3Bar), "Signal Strength 3 >> %d%%");
  EXPECT_EQ(barText(Page::kNoiseBar), "Noise Strength >> %d%%");
}

TEST_F(LinkStatusDlgTest, SecurityAndNetworkTypeTexts) {
  openOnCafe();
  struct Case {
    DWORD code;
    DWORD value;
    UINT bridge;
    const char* text;
  };
  const Case cases[] = {
      {OID_802_11_AUTHENTICATION_MODE, 0, BRIDGE_UI_LINK_AUTH_TYPE, "Open"},
      {OID_802_11_AUTHENTICATION_MODE, 1, BRIDGE_UI_LINK_AUTH_TYPE, "Shared"},
      {OID_802_11_AUTHENTICATION_MODE, 2, BRIDGE_UI_LINK_AUTH_TYPE, "Open"},
      {OID_802_11_AUTHENTICATION_MODE, 3, BRIDGE_UI_LINK_AUTH_TYPE, "WPA"},
      {OID_802_11_AUTHENTICATION_MODE, 4, BRIDGE_UI_LINK_AUTH_TYPE, "WPA-PSK"},
      {OID_802_11_AUTHENTICATION_MODE, 5, BRIDGE_UI_LINK_AUTH_TYPE, "WPA-NONE"},
      {OID_802_11_AUTHENTICATION_MODE, 6, BRIDGE_UI_LINK_AUTH_TYPE, "WPA2"},
      {OID_802_11_AUTHENTICATION_MODE, 7, BRIDGE_UI_LINK_AUTH_TYPE, "WPA2-PSK"},
      {OID_802_11_AUTHENTICATION_MODE, 8, BRIDGE_UI_LINK_AUTH_TYPE, "Open"},
      {OID_802_11_ENCRYPTION_STATUS, 0, BRIDGE_UI_LINK_ENCRYPTION, "WEP"},
      {OID_802_11_ENCRYPTION_STATUS, 1, BRIDGE_UI_LINK_ENCRYPTION, "NONE"},
      {OID_802_11_ENCRYPTION_STATUS, 2, BRIDGE_UI_LINK_ENCRYPTION, "NONE"},
      {OID_802_11_ENCRYPTION_STATUS, 3, BRIDGE_UI_LINK_ENCRYPTION, "WEP Not Supported"},
      {OID_802_11_ENCRYPTION_STATUS, 4, BRIDGE_UI_LINK_ENCRYPTION, "TKIP"},
      {OID_802_11_ENCRYPTION_STATUS, 5, BRIDGE_UI_LINK_ENCRYPTION, "TKIP"},
      {OID_802_11_ENCRYPTION_STATUS, 6, BRIDGE_UI_LINK_ENCRYPTION, "AES"},
      {OID_802_11_ENCRYPTION_STATUS, 7, BRIDGE_UI_LINK_ENCRYPTION, "AES"},
      {OID_802_11_ENCRYPTION_STATUS, 8, BRIDGE_UI_LINK_ENCRYPTION, "NONE"},
      {OID_802_11_INFRASTRUCTURE_MODE, 0, BRIDGE_UI_LINK_NETWORK_TYPE, "Ad-Hoc"},
      {OID_802_11_INFRASTRUCTURE_MODE, 2, BRIDGE_UI_LINK_NETWORK_TYPE, "Infrastructure"},
  };
  for (const Case& c : cases) {
    machine().stuckValue(c.code, c.value);
    ticks();
    EXPECT_EQ(lastOf(c.bridge), c.text) << std::hex << c.code << " = " << c.value;
  }
}

TEST_F(LinkStatusDlgTest, DriverValuesThatChangeTheTick) {
  openOnCafe();
  struct Case {
    const char* what;
    DWORD code;
    DWORD value;
    const char* extraInfo;  // nullptr: not checked
    UINT bridge;            // 0: none checked
    const char* bridgeValue;
    DWORD restore;          // the value the code answers afterwards
  };
  const DWORD weak = static_cast<DWORD>(-50);
  const Case cases[] = {
      {"power 0xFFFFFFFF", OID_VX_TX_POWER, 0xFFFFFFFF, "Link is Up [TxPower:100%]", 0, nullptr, 100},
      {"power 50", OID_VX_TX_POWER, 50, "Link is Up [TxPower:50%]", 0, nullptr, 100},
      {"power 7", OID_VX_TX_POWER, 7, "Link is Up [TxPower:7%]", 0, nullptr, 100},
      {"power 5", OID_VX_TX_POWER, 5, "Link is Up [TxPower:Lowest]", 0, nullptr, 100},
      {"power -2", OID_VX_TX_POWER, static_cast<DWORD>(-2), "Link is Up [TxPower:-2%]", 0, nullptr, 100},
      {"event 10", OID_VX_LINK_EVENT, 10, "EAP succeed [TxPower:100%]", 0, nullptr, 0},
      {"event 11", OID_VX_LINK_EVENT, 11, " [TxPower:100%]", 0, nullptr, 0},
      // The hardware radio is off while the driver reports a link: no link,
      // and with the radio working the state reads "Disconnected".
      {"event 2", OID_VX_LINK_EVENT, 2, "", BRIDGE_UI_LINK_STATUS, "Disconnected", 0},
      // Chain 0 missing: 0 with code 4 (chains 1 and 2 never send it).
      {"RSSI -200", OID_802_11_RSSI, static_cast<DWORD>(-200), nullptr, BRIDGE_UI_SIGNAL_STRENGTH, "0", weak},
      {"RSSI -50", OID_802_11_RSSI, weak, nullptr, BRIDGE_UI_SIGNAL_STRENGTH, nullptr, weak},
      // No address from the driver: the IP helper's address is still posted.
      {"IP 0.0.0.0", OID_VX_IP_ADDRESS, 0, nullptr, BRIDGE_UI_LINK_IP_ADDRESS, "10.1.2.3", 0},
  };
  for (const Case& c : cases) {
    machine().stuckValue(c.code, c.value);
    ticks();
    if (c.extraInfo) {
      EXPECT_EQ(text(Page::kExtraInfo), c.extraInfo) << c.what;
    }
    if (c.bridge && c.bridgeValue) {
      EXPECT_EQ(lastOf(c.bridge), c.bridgeValue) << c.what;
    }
    if (c.code == OID_VX_LINK_EVENT && c.value == 2) {
      EXPECT_EQ(text(Page::kStatus), "Disconnected");
      EXPECT_EQ(text(Page::kChannel), "");
      EXPECT_EQ(page().GetBar(Page::kQualityBar).GetPos(), 0);
      EXPECT_EQ(valuesOf(BRIDGE_UI_LINK_SSID).size(), 0u) << "nothing but the state is posted";
    }
    if (c.code == OID_802_11_RSSI && c.value == static_cast<DWORD>(-200)) {
      EXPECT_EQ(barText(Page::kSignal1Bar), "Signal Strength1 >>");
      EXPECT_EQ(page().GetBar(Page::kSignal1Bar).GetPos(), 0);
      EXPECT_EQ(valuesOf(BRIDGE_UI_SIGNAL_STRENGTH), std::vector<std::string>{"0"});
    }
    if (c.code == OID_VX_IP_ADDRESS) {
      EXPECT_EQ(text(Page::kStatus), "CafeFree <--> 00-1D-7E-11-22-02");
    }
    machine().stuckValue(c.code, c.restore);
  }
}

TEST_F(LinkStatusDlgTest, StatesWithoutALink) {
  open();
  // Not associated, radio working: "Disconnected" from the configuration block.
  ticks();
  EXPECT_EQ(text(Page::kStatus), "Disconnected");
  EXPECT_EQ(lastOf(BRIDGE_UI_LINK_STATUS), "Disconnected");
  // The radio value 0: "RF OFF" without reading the configuration block.
  g_bRadioOn = 0;
  machine().clearCalls();
  ticks();
  EXPECT_EQ(text(Page::kStatus), "RF OFF");
  EXPECT_EQ(lastOf(BRIDGE_UI_LINK_STATUS), "Radio Off");
  const std::vector<DWORD> codes = callCodes();
  EXPECT_EQ(std::find(codes.begin(), codes.end(), OID_VX_PRIVATE_0111), codes.end());
  // Radio value on but the adapter's radio switched off: the block's word 20 is 0.
  g_bRadioOn = 1;
  machine().adapter(0).setRadio(false);
  ticks();
  EXPECT_EQ(text(Page::kStatus), "RF OFF");
  EXPECT_EQ(lastOf(BRIDGE_UI_LINK_STATUS), "Radio Off");
  machine().adapter(0).setRadio(true);
  // The connection state cannot be read.
  machine().failCode(OID_GEN_MEDIA_CONNECT_STATUS, 1);
  ticks();
  EXPECT_EQ(text(Page::kStatus), "NIC or driver not ready");
  EXPECT_EQ(lastOf(BRIDGE_UI_LINK_STATUS), "Driver Error");
  for (Page::Text t : {Page::kExtraInfo, Page::kChannel, Page::kAuth, Page::kTxSpeed, Page::kRxThroughput})
    EXPECT_EQ(text(t), "") << t;
  for (UINT id : {IDC_LINK_HT_BW, IDC_LINK_HT_GI, IDC_LINK_HT_STBC, IDC_LINK_HT_MCS, IDC_LINK_HT_SNR0, IDC_LINK_HT_SNR1})
    EXPECT_EQ(dlgText(id), "n/a") << id;
}

TEST_F(LinkStatusDlgTest, ThroughputDifferencesAndTheir29TickScale) {
  open();
  struct Case {
    DWORD previous, now;
    const char* text;
  };
  // An unsigned 32-bit difference over 2 seconds: 250000 bytes are 1 Mbit/s.
  for (const Case& c : {Case{1000, 251000, "1.000 Mbps"}, Case{1000, 250999, "999.996 Kbps"},
                        Case{0xFFFFFF00, 0x0003D090, "1.001 Mbps"},
                        Case{5, 5, "0.000 Kbps"}}) {
    LinkStatusRecord record;
    record.txBytes = record.rxBytes = c.previous;
    page().UpdateThroughput(TRUE, record);
    record.txBytes = record.rxBytes = c.now;
    received().clear();
    page().UpdateThroughput(FALSE, record);
    wavorel::pumpMessages();
    EXPECT_EQ(lastOf(BRIDGE_UI_LINK_TX_THROUGHPUT), c.text) << c.previous << " -> " << c.now;
    EXPECT_EQ(lastOf(BRIDGE_UI_LINK_RX_THROUGHPUT), c.text);
  }
  // A 2 Mbit/s sample holds the scale for 29 samples, then falls out.
  LinkStatusRecord record;
  page().UpdateThroughput(TRUE, record);
  record.txBytes = 500000;
  page().UpdateThroughput(FALSE, record);
  for (int i = 0; i < 28; ++i) page().UpdateThroughput(FALSE, record);
  EXPECT_DOUBLE_EQ(page().GetTxMax(), 2.0);
  EXPECT_EQ(page().GetTxHistogram().m_strLabels[1], "2.000 Mbps");
  page().UpdateThroughput(FALSE, record);
  EXPECT_DOUBLE_EQ(page().GetTxMax(), 0.0);
  EXPECT_EQ(page().GetTxHistogram().m_strLabels[1], "0.000 Kbps");
}

TEST_F(LinkStatusDlgTest, NoiseFromTheRssiOrTheRawValue) {
  openOnCafe();
  g_bShowDbm = 1;
  // 802.11n: the strongest chain at -60 dBm or more reads the quiet -92 dBm.
  machine().stuckValue(OID_802_11_RSSI, static_cast<DWORD>(-60));
  ticks();
  EXPECT_EQ(page().GetBar(Page::kNoiseBar).GetPos(), 26);
  EXPECT_EQ(barText(Page::kNoiseBar), "Noise Strength >> -92 dBm");
  EXPECT_EQ(page().GetBar(Page::kNoiseBar).GetColor(0), 0x00FF00u);
  EXPECT_EQ(barText(Page::kSignal1Bar), "Signal Strength 1 >> -60 dBm");
  // Without 802.11n: raw 43 less 143 is -100 dBm, 0 %, green.
  g_bHtFamily = 0;
  machine().stuckValue(OID_VX_NOISE_LEVEL, 43);
  ticks();
  EXPECT_EQ(page().GetBar(Page::kNoiseBar).GetPos(), 0);
  EXPECT_EQ(barText(Page::kNoiseBar), "Noise Strength >> -100 dBm");
  EXPECT_EQ(page().GetBar(Page::kNoiseBar).GetColor(0), 0x00FF00u);
}

TEST_F(LinkStatusDlgTest, SnrAndTheHtValuesOfALegacyLink) {
  openOnCafe();
  machine().stuckValue(OID_VX_SNR0, 30);
  ticks();
  EXPECT_EQ(dlgText(IDC_LINK_HT_SNR0), "30");
  machine().stuckValue(OID_VX_SNR0, 44);
  ticks();
  EXPECT_EQ(dlgText(IDC_LINK_HT_SNR0), "n/a");
  machine().failCode(OID_VX_SNR1, 1);
  ticks();
  EXPECT_EQ(dlgText(IDC_LINK_HT_SNR1), "n/a") << "a failed query reads n/a";
  // An OFDM PHY word on an 802.11n adapter: every HT value "n/a", and the
  // SNR values are not written while the link is not an HT link.
  machine().stuckValue(OID_VX_SNR0, 30);
  machine().stuckValue(OID_VX_HT_PHY_WORD, 0x4003);
  ticks();
  for (UINT id : {IDC_LINK_HT_BW, IDC_LINK_HT_GI, IDC_LINK_HT_STBC, IDC_LINK_HT_MCS, IDC_LINK_HT_SNR0})
    EXPECT_EQ(dlgText(id), "n/a") << id;
  EXPECT_EQ(lastOf(BRIDGE_UI_LINK_LINK_SPEED), "18.0 Mbps") << "OFDM index 3";
  page().SetDlgItemText(IDC_LINK_HT_SNR0, "17");
  ticks();
  EXPECT_EQ(dlgText(IDC_LINK_HT_SNR0), "17");
}

TEST_F(LinkStatusDlgTest, ReceiveChainsAndTheNoiseBarsPlace) {
  join("CafeFree");
  struct Case {
    DWORD failing;  // the chain query that fails when the page is shown
    bool second, third;
    UINT noisePlace;
  };
  for (const Case& c : {Case{OID_VX_RSSI1, false, false, IDC_LINK_SIGNAL2_BAR},
                        Case{OID_VX_RSSI2, true, false, IDC_LINK_SIGNAL3_BAR}}) {
    open();
    const CRect wanted = place(c.noisePlace);
    page().ShowWindow(SW_HIDE);
    machine().failCode(c.failing, 1);
    page().ShowWindow(SW_SHOW);
    EXPECT_EQ(visible(IDC_LINK_SIGNAL2_BAR), c.second) << std::hex << c.failing;
    EXPECT_EQ(visible(IDC_LINK_SIGNAL3_BAR), c.third);
    EXPECT_TRUE(visible(IDC_LINK_NOISE_BAR));
    EXPECT_EQ(place(IDC_LINK_NOISE_BAR), wanted);
    closePage();
  }
}

TEST_F(LinkStatusDlgTest, ShortFailedAndOverlongDriverAnswers) {
  // A 32-byte SSID whose driver length says 200: the text stops at 32 bytes.
  const std::string longSsid = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
  reopenIn(worldWith(kCafe, "Ssid = " + longSsid));
  join(longSsid);
  open();
  machine().stuckValue(OID_802_11_SSID, 200);
  ticks();
  EXPECT_EQ(lastOf(BRIDGE_UI_LINK_SSID), longSsid);
  // The link-status block fails: no link speed, no throughput, no quality.
  machine().failCode(OID_VX_LINK_STATUS_BLOCK, 1);
  ticks();
  EXPECT_EQ(valuesOf(BRIDGE_UI_LINK_LINK_SPEED).size(), 0u);
  EXPECT_EQ(valuesOf(BRIDGE_UI_LINK_QUALITY).size(), 0u);
  EXPECT_EQ(valuesOf(BRIDGE_UI_SIGNAL_STRENGTH).size(), 1u);
  // Only word 0 answered: the raw quality reads 0 (10 %, smoothed).
  const int before = page().GetBar(Page::kQualityBar).GetPos();
  machine().shortAnswer(OID_VX_LINK_STATUS_BLOCK, 4);
  ticks();
  EXPECT_EQ(lastOf(BRIDGE_UI_LINK_QUALITY), std::to_string(static_cast<int>((10 + before) * 0.5 + 0.5)));
  // Without 802.11n a failed rate query reads 1 Mbit/s; the power reads 0.
  g_bHtFamily = 0;
  machine().failCode(OID_VX_TX_RATE, 1);
  machine().failCode(OID_VX_TX_POWER, 1);
  ticks();
  EXPECT_EQ(text(Page::kRxSpeed), "1.0 Mbps");
  EXPECT_EQ(text(Page::kExtraInfo), "Link is Up [TxPower:Lowest]");
  g_bIcvError = 1;
  ticks();
  EXPECT_EQ(text(Page::kExtraInfo), "Link is Up -- ICV Error  [TxPower:100%]");
}

}  // namespace
}  // namespace xp::testing
