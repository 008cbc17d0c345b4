// CLinkStatusDlg: the hidden link status page, secondary dialog 0 of the
// station host. While it is shown its timer measures the link every 2 seconds
// and every value goes to the front end over the UI bridge (codes 3 to 16):
// state, SSID, BSSID, security, addresses, link speeds, throughput, link
// quality, the signal of up to three receive chains and the noise. It keeps a
// 29-sample throughput history per direction for its two histograms.
//
// The values come from the driver's codes (QueryOid), the IP Helper's adapter
// table and, in WavorelVista, the worker's Native Wi-Fi client. The members
// whose sources differ between the builds (the connection, its security, the
// channel and the not-connected display) live in vista/LinkStatusSources.cpp
// and, for Wavorel, in xp/station/status/LinkStatusDlgXp.cpp. UI thread only.
#pragma once

#include <array>
#include <map>
#include <memory>

#include "platform/Platform.h"
#include "station/status/HTTable.h"
#include "widgets/OskelStaticHistogram.h"
#include "widgets/ProgressCtrlX.h"
#include "widgets/Separator.h"

// Template and controls of the page: each build has its own numbers.
constexpr UINT LinkStatusIdOfBuild(UINT vista, UINT xp) { return WAVOREL_BUILD_XP ? xp : vista; }
constexpr UINT IDD_LINK_STATUS = LinkStatusIdOfBuild(205, 170);
constexpr UINT IDC_LINK_STATUS = LinkStatusIdOfBuild(1023, 1027);
constexpr UINT IDC_LINK_EXTRA_INFO = LinkStatusIdOfBuild(1026, 1029);
constexpr UINT IDC_LINK_CHANNEL = LinkStatusIdOfBuild(1030, 1031);
constexpr UINT IDC_LINK_AUTH = LinkStatusIdOfBuild(1034, 1033);
constexpr UINT IDC_LINK_ENCRYPTION = LinkStatusIdOfBuild(1037, 1035);
constexpr UINT IDC_LINK_NETWORK_TYPE = LinkStatusIdOfBuild(1040, 1037);
constexpr UINT IDC_LINK_IP_ADDRESS = LinkStatusIdOfBuild(1043, 1039);
constexpr UINT IDC_LINK_SUBNET_MASK = LinkStatusIdOfBuild(1048, 1041);
constexpr UINT IDC_LINK_GATEWAY = LinkStatusIdOfBuild(1053, 1043);
constexpr UINT IDC_LINK_TX_SPEED = LinkStatusIdOfBuild(1088, 1058);
constexpr UINT IDC_LINK_TX_THROUGHPUT = LinkStatusIdOfBuild(1092, 1059);
constexpr UINT IDC_LINK_RX_SPEED = LinkStatusIdOfBuild(1093, 1060);
constexpr UINT IDC_LINK_RX_THROUGHPUT = LinkStatusIdOfBuild(1095, 1061);
constexpr UINT IDC_LINK_TX_HISTOGRAM = LinkStatusIdOfBuild(1275, 1139);
constexpr UINT IDC_LINK_RX_HISTOGRAM = LinkStatusIdOfBuild(1279, 1140);
constexpr UINT IDC_LINK_QUALITY_BAR = LinkStatusIdOfBuild(1058, 1049);
constexpr UINT IDC_LINK_SIGNAL1_BAR = LinkStatusIdOfBuild(1059, 1050);
constexpr UINT IDC_LINK_SIGNAL2_BAR = LinkStatusIdOfBuild(1097, 1062);
constexpr UINT IDC_LINK_SIGNAL3_BAR = LinkStatusIdOfBuild(1100, 1063);
constexpr UINT IDC_LINK_NOISE_BAR = LinkStatusIdOfBuild(1060, 1051);
constexpr UINT IDC_LINK_TX_SEPARATOR = LinkStatusIdOfBuild(1061, 1052);
constexpr UINT IDC_LINK_RX_SEPARATOR = LinkStatusIdOfBuild(1065, 1053);
constexpr UINT IDC_LINK_HT_SEPARATOR = LinkStatusIdOfBuild(1619, 1274);
// The HT block: labels BW, GI, STBC, MCS, SNR0, SNR1 and their values.
constexpr UINT IDC_LINK_HT_BW_LABEL = 3269;
constexpr UINT IDC_LINK_HT_GI_LABEL = 3270;
constexpr UINT IDC_LINK_HT_STBC_LABEL = 3271;
constexpr UINT IDC_LINK_HT_MCS_LABEL = 3272;
constexpr UINT IDC_LINK_HT_SNR0_LABEL = LinkStatusIdOfBuild(1622, 1275);
constexpr UINT IDC_LINK_HT_SNR1_LABEL = LinkStatusIdOfBuild(1625, 1276);
constexpr UINT IDC_LINK_HT_BW = 3286;
constexpr UINT IDC_LINK_HT_GI = 3285;
constexpr UINT IDC_LINK_HT_STBC = 3287;
constexpr UINT IDC_LINK_HT_MCS = LinkStatusIdOfBuild(1664, 1288);
constexpr UINT IDC_LINK_HT_SNR0 = LinkStatusIdOfBuild(1667, 1289);
constexpr UINT IDC_LINK_HT_SNR1 = LinkStatusIdOfBuild(1670, 1290);
// The page's timer.
constexpr UINT_PTR kLinkStatusTimer = 1;
constexpr UINT kLinkStatusPeriodMs = 2000;
// Samples of each throughput history.
constexpr int kThroughputSamples = 29;
// The receive chain a driver answers for when it has no such chain.
constexpr int kNoChainDbm = -200;

// The link-status record: u32 words, 20 bytes on an 802.11n adapter, else 16.
struct LinkStatusRecord {
  DWORD txRateUnits = 0;  // 500 kb/s units
  DWORD rawQuality = 0;
  DWORD txBytes = 0;      // free-running, wraps at 2^32
  DWORD rxBytes = 0;
  DWORD centralChannel = 0;
};

class CLinkStatusDlg : public CDialog {
 public:
  // The bar controls in their order: link quality, signal of chains 1-3, noise.
  enum Bar { kQualityBar = 0, kSignal1Bar, kSignal2Bar, kSignal3Bar, kNoiseBar, kBarCount };
  // The thirteen value texts bound to the value statics, in template order.
  enum Text {
    kStatus = 0, kExtraInfo, kChannel, kAuth, kEncryption, kNetworkType, kIpAddress, kSubnetMask, kGateway,
    kTxSpeed, kTxThroughput, kRxSpeed, kRxThroughput, kBoundTextCount
  };

  explicit CLinkStatusDlg(CWnd* pParent = nullptr);
  ~CLinkStatusDlg() override;
  CLinkStatusDlg(const CLinkStatusDlg&) = delete;
  CLinkStatusDlg& operator=(const CLinkStatusDlg&) = delete;

  BOOL OnInitDialog() override;

  // One measurement pass (the timer's work): the link read and reported.
  void MeasurementPass();
  // The throughput of both directions from the record's byte counters
  // against the previous ones (an unsigned 32-bit difference over the
  // 2-second period); the first sample only keeps the counters.
  void UpdateThroughput(BOOL first, const LinkStatusRecord& record);
  // Starts both byte counts from zero (the statistics page's counter reset).
  void ResetByteCounts() { m_prevTxBytes = m_prevRxBytes = 0; }

  const CString& GetText(Text which) const { return m_texts[which]; }
  CProgressCtrlX& GetBar(Bar which) { return m_bars[which]; }
  COskelStaticHistogram& GetTxHistogram() { return m_histTx; }
  COskelStaticHistogram& GetRxHistogram() { return m_histRx; }
  double GetTxMax() const { return m_dTxMax; }
  double GetRxMax() const { return m_dRxMax; }
  // The two histories, oldest first (process-wide).
  static const std::array<double, kThroughputSamples>& TxHistory() { return s_txHistory; }
  static const std::array<double, kThroughputSamples>& RxHistory() { return s_rxHistory; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnTimer(UINT_PTR nIDEvent);
  void OnPaint();
  void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  // ---- Shared by both builds (LinkStatusDlg.cpp) ----
  // The last link event into the extra-info text; TRUE when it says the
  // hardware radio is off.
  BOOL UpdateLinkEvent();
  // 1 unless the HT PHY word's mode (bits 14-15) is 2 or 3.
  int IsPhyNotHt();
  // The transmit power text: "100%", "%d%%" above 6, "Lowest" for 0..6,
  // empty when the query fails.
  CString FormatTxPower();
  // The BSSID and status texts and codes 6, 7, 11.
  void UpdateConnectionText(const CString& ssid, const BYTE bssid[6]);
  // IP address, mask and gateway of the adapter with the page's MAC (codes 11-13).
  void UpdateAdapterAddresses();
  // The rate of a PHY word code in Mbps (0 when it decodes to no rate).
  double DecodeRate(DWORD oid);
  void UpdateTxRate(const LinkStatusRecord& record);
  void UpdateRxRate(int notHt);
  // The link-status record, zeroed first; FALSE when the query failed.
  BOOL QueryLinkStatusBlock(LinkStatusRecord& record);
  void UpdateLinkQuality(const LinkStatusRecord& record);
  void UpdateSignalBars(int rssi[3]);
  void UpdateSnrTexts(int notHt, DWORD snr[2]);
  void UpdateNoiseBar(const int rssi[3], const DWORD snr[2]);
  // Mode 1: "n/a" in the six HT values; else BW, GI, STBC and MCS of `value`.
  void SetHTStatusText(int mode, WORD value);
  void ShowHTControls();
  // Hides the bars of chains the driver cannot report and moves the noise bar up.
  void UpdateChainBars();
  // One direction of UpdateThroughput.
  void AddThroughputSample(DWORD bytes, DWORD& previous, std::array<double, kThroughputSamples>& history,
                           double& maximum, COskelStaticHistogram& histogram, Text text, UINT code);
  // A sample into a history: the maximum, the histogram's scale and label.
  void PushSample(double mbps, std::array<double, kThroughputSamples>& history, double& maximum,
                  COskelStaticHistogram& histogram);
  // A bar's position, colour (three-colour gradient) and text.
  void SetBar(Bar which, int position, COLORREF colour, LPCSTR text, DWORD mode);
  // The labels and colour of a histogram at start.
  void InitHistogram(COskelStaticHistogram& histogram, double maximum, COLORREF colour);
  // A string of the string table through the language library. The table's
  // texts are read once per showing of the page and kept.
  CString LoadText(UINT id);
  // The value statics whose texts differ from `shown` (what they held when
  // the pass began) are set; the others are left alone, as setting a static
  // repaints it even with the same text.
  void ShowChangedTexts(const std::array<CString, kBoundTextCount>& shown);
  // Sets a static's text only when it differs from what the static shows.
  void SetItemText(UINT id, LPCSTR text);
  // The text of an SSID: its length trusted no further than the record's 32
  // bytes, ending at the first NUL.
  static CString SsidText(const UCHAR* bytes, ULONG length);
  // Without a link: every value but the state emptied, the bars at 0, the HT
  // values "n/a" (unless already so on a non-HT link), a zero throughput
  // sample in each history.
  void ClearLinkValues(int notHt);
  // "; central channel : %d" of the record's word 4 after the channel text.
  void AddCentralChannel(const LinkStatusRecord& record);

  // ---- Per build (vista/LinkStatusSources.cpp, xp/station/status/LinkStatusDlgXp.cpp) ----
  // The link is not there: status text and code 5, the values emptied.
  void ShowNotConnected(int notHt, int ready, int radioOff);
  // Network type, authentication and cipher of the connection (codes 10, 8, 9).
  void GetNetworkTexts();
  void UpdateChannelText();
  // "; central channel : %d" after the channel of an HT link.
  void AppendCentralChannel(const LinkStatusRecord& record);
  // The current connection's SSID and BSSID; FALSE when the interface is not
  // connected (or the query failed: then *queryOk is FALSE).
  BOOL ReadConnection(BOOL* queryOk, CString& ssid, BYTE bssid[6]);

  static std::array<double, kThroughputSamples> s_txHistory;
  static std::array<double, kThroughputSamples> s_rxHistory;

  CString m_texts[kBoundTextCount];
  // The string table's texts read so far (by id), before translation.
  std::map<UINT, CString> m_tableTexts;
  CHTTable m_htTable;
  double m_dTxMax = 0.0;
  double m_dRxMax = 0.0;
  DWORD m_prevTxBytes = 0;
  DWORD m_prevRxBytes = 0;
  int m_bHtNotApplicable = 0;
  DWORD m_prevQuality = 0;
  DWORD m_prevSignal1 = 0;
  BYTE m_bChain2 = 0;
  BYTE m_bChain3 = 0;
  BYTE m_mac[6] = {};
  COskelStaticHistogram m_histTx;
  COskelStaticHistogram m_histRx;
  CProgressCtrlX m_bars[kBarCount];
  CSeparator m_sepTx;
  CSeparator m_sepRx;
  CSeparator m_sepHt;
  CFont m_barFont;
  UINT_PTR m_nTimer = 0;
  int m_bFirstSample = 1;
  // The BSSID of the link the current pass reads.
  BYTE m_bssid[6] = {};
};
