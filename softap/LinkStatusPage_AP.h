// CLinkStatusPage_AP: the soft AP's link-status page. The AP sheet holds one
// but does not add it to its pages, so it has a window only when a sheet adds
// it. While it is the active page it shows every two seconds the AP's own
// link: SSID, BSSID and IP address, the last link event and the transmit
// power, channel and frequency, rates, throughput since the last tick, a
// smoothed link quality, the signal of up to three receive chains (rows of
// absent chains hidden, the noise row moved up into their place), the noise
// level and, on 802.11n adapters, the HT parameters and the SNR of two
// chains. It reads the driver, and the AP's link from the AP's Native Wi-Fi
// client (WavorelVista) or by the NDIS codes (Wavorel, which also shows the
// STBC use of the transmit setting).
#pragma once

#include "platform/Platform.h"
#include "softap/HTTable_AP.h"

class CLinkStatusPage_AP : public CPropertyPage {
  DECLARE_DYNCREATE(CLinkStatusPage_AP)

 public:
  // The template: 143 in WavorelVista; Wavorel's profile page keeps 143.
  static constexpr UINT IDD = WAVOREL_BUILD_XP ? 2143 : 143;
  static constexpr UINT kCaption = 7285;  // "Link Status"
  static constexpr UINT_PTR kRefreshTimer = 1;
  static constexpr UINT kRefreshMs = 2000;
  static constexpr UINT kDbmCheckId = 1193;
  // The bars.
  static constexpr UINT kQualityBarId = 1013;
  static constexpr UINT kChainBarIds[3] = {1015, 1669, 1672};
  static constexpr UINT kNoiseBarId = 1701;
  // The HT line.
  static constexpr UINT kBwId = 1727;
  static constexpr UINT kGiId = 1724;
  static constexpr UINT kMcsId = 1733;
  static constexpr UINT kStbcId = 1730;
  static constexpr UINT kHtGroupId = 1722;
  static constexpr UINT kSnrIds[2] = {1739, 1741};
  // Bits 9 and 10 of a transmit setting: STBC in use.
  static constexpr WORD kStbcBits = 0x0600;

  // The texts the page exchanges with its controls.
  enum Text {
    kStatusLabel, kExtraLabel, kChannelLabel, kSpeedLabel, kTxRateLabel, kRxRateLabel, kThroughputLabel,
    kTxThroughputLabel, kRxThroughputLabel, kQualityLabel, kChain0Label, kChain1Label, kChain2Label, kNoiseLabel,
    kStatus, kExtra, kChannel, kTxRate, kRxRate, kTxThroughput, kRxThroughput, kQualityWord, kQualityValue,
    kChain0Word, kChain0Value, kChain1Word, kChain1Value, kChain2Word, kChain2Value, kNoiseWord, kNoiseValue,
    kSnr0, kSnr1, kTextCount
  };
  static constexpr UINT kTextIds[kTextCount] = {1674, 1676, 1707, 1679, 1691, 1693, 1681, 1689, 1687, 1683, 1685,
                                                1715, 1717, 1697, 1049, 1678, 1052, 1054, 1695, 1010, 1012, 1703,
                                                1044, 1705, 1047, 1720, 1718, 1737, 1735, 1709, 1699, 1739, 1741};

  CLinkStatusPage_AP();

  BOOL OnSetActive() override;
  BOOL OnKillActive() override;
  const CString& GetText(Text which) const { return m_strTexts[which]; }
  int GetBar(UINT id) const;

  // Shows the HT line and its frame on 802.11n adapters, hides them
  // otherwise; STBC stays hidden.
  void ShowHTControls();
  // Mode 1: the bare labels; any other: bandwidth, guard interval and MCS of
  // `setting` (Wavorel: and its STBC use). Nothing without 802.11n.
  void SetHTStatusText(int mode, const WORD* setting);
  // The "n/a" labels while the transmit setting is not HT.
  void ClearHTStatusText();
  // The rate of the transmit setting `oid` reads (0 for none it names); for
  // the HT PHY word the HT line shows the setting too.
  void GetTxRate(DWORD oid, double* rate);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnTimer(UINT_PTR nIDEvent);
  void OnDestroy();
  void OnLinkButton();
  DECLARE_MESSAGE_MAP()

 private:
  // One tick with the link up, and with it down (radio word of the
  // adapter configuration block).
  void ShowLink(const BYTE bssid[6]);
  void ShowNoLink();
  // The AP's link: whether it is up and its BSSID; FALSE when the card or
  // driver is not ready. And the SSID it beacons.
  BOOL QueryLink(BOOL* connected, BYTE bssid[6]);
  CString QueryLinkSsid();
  // Empties a word and value pair and zeroes its bar.
  void ClearRow(Text word, Text value, UINT bar);

  DWORD m_dwPrevQuality = 0;
  CHTTable_AP m_rateTable;
  CProgressCtrl m_signal3;
  CProgressCtrl m_signal2;
  CProgressCtrl m_signal1;
  CProgressCtrl m_quality;
  CProgressCtrl m_noise;
  CString m_strTexts[kTextCount];
  BOOL m_bDbm = FALSE;
  DWORD m_dwPrevTx = 0;
  DWORD m_dwPrevRx = 0;
  UINT_PTR m_nTimer = 0;
  BYTE m_bChain1 = 0;
  BYTE m_bChain2 = 0;
};
