// CPageGeneralDlg: the "General" page of the BSS detail view (template 335):
// SSID, MAC address, authentication and encryption types, channel, network
// type, supported rates and beacon interval as texts, and the signal strength
// as a coloured bar with the text "Signal Strength >> %d%%". The detail view
// sets the values and the bar; the page shows them through data exchange.
#pragma once

#include "platform/Platform.h"
#include "widgets/ProgressCtrlX.h"

constexpr UINT IDD_PAGE_GENERAL = 335;
// Values.
constexpr int IDC_GENERAL_SSID = 1252;
constexpr int IDC_GENERAL_MAC = 1256;
constexpr int IDC_GENERAL_AUTH = 1467;
constexpr int IDC_GENERAL_ENCRYPT = 1480;
constexpr int IDC_GENERAL_CHANNEL = 1030;
constexpr int IDC_GENERAL_NETWORK_TYPE = 1040;
constexpr int IDC_GENERAL_RATES = 1498;
constexpr int IDC_GENERAL_BEACON = 1633;
// Labels.
constexpr int IDC_GENERAL_SSID_LABEL = 1248;
constexpr int IDC_GENERAL_MAC_LABEL = 1470;
constexpr int IDC_GENERAL_AUTH_LABEL = 1440;
constexpr int IDC_GENERAL_ENCRYPT_LABEL = 1473;
constexpr int IDC_GENERAL_CHANNEL_LABEL = 1028;
constexpr int IDC_GENERAL_NETWORK_TYPE_LABEL = 1039;
constexpr int IDC_GENERAL_BEACON_LABEL = 1628;
constexpr int IDC_GENERAL_RATES_LABEL = 1495;
// The signal bar.
constexpr int IDC_GENERAL_SIGNAL = 1491;
// Wavorel's string 9 is its link page's "Throughput >>".
constexpr UINT IDS_GENERAL_SIGNAL_FORMAT = WAVOREL_BUILD_XP ? 526 : 9;

// The bar's colours by signal percentage.
constexpr COLORREF kSignalWeakColor = 0x0000FF;
constexpr COLORREF kSignalNormalColor = 0x32E6FA;
constexpr COLORREF kSignalGoodColor = 0x00FF00;
constexpr COLORREF kSignalBackColor = 0xF0CAA6;

class CPageGeneralDlg : public CDialog {
 public:
  explicit CPageGeneralDlg(CWnd* pParent = nullptr);
  ~CPageGeneralDlg() override;
  CPageGeneralDlg(const CPageGeneralDlg&) = delete;
  CPageGeneralDlg& operator=(const CPageGeneralDlg&) = delete;

  BOOL OnInitDialog() override;

  // The bar at `percent`: red below 35, yellow from 35 to 69, green from 70
  // to 100; above 100 the colours stay.
  void SetSignal(int percent);
  CProgressCtrlX& GetSignalBar() { return m_ctrlSignal; }

  CString m_strSsid;
  CString m_strMacAddress;
  CString m_strAuthType;
  CString m_strEncryptType;
  CString m_strChannel;
  CString m_strNetworkType;
  CString m_strSupportedRates;
  CString m_strBeaconInterval;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  CStatic m_lblSsid;
  CStatic m_lblMacAddress;
  CStatic m_lblAuthType;
  CStatic m_lblEncryptType;
  CStatic m_lblChannel;
  CStatic m_lblNetworkType;
  CStatic m_lblBeaconInterval;
  CStatic m_lblSupportedRates;
  CProgressCtrlX m_ctrlSignal;
  CString m_strSignalText;
  CFont m_barFont;
};
