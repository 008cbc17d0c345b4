// CAboutPage_AP: the "About" page of the AP sheet: the utility's and the
// adapter driver file's versions and dates, the EEPROM and (families 4 to 8)
// firmware versions, the adapter's MAC address and the IP address, mask and
// gateway the system gives the adapter with that MAC, refreshed every five
// seconds while the page is active. Every value is mirrored to the front
// end's AP about page (bridge codes 149 to 159). Button 6063 opens the web
// address it shows.
#pragma once

#include "platform/Platform.h"
#include "softap/ApRecords.h"

class CAboutPage_AP : public CPropertyPage {
  DECLARE_DYNCREATE(CAboutPage_AP)

 public:
  static constexpr const char* kTemplate = "About";
  static constexpr UINT kWebId = 6063;
  // The IP refresh: timer 0, stopped by that id (SetTimer answers 1 for a
  // window's timer 0, which names no timer).
  static constexpr UINT_PTR kRefreshTimer = 0;
  static constexpr UINT kRefreshMs = 5000;
  static constexpr const char* kWebAddress = "https://www.example.com/wavorel/";
  // The values, in the order of their bridge codes (149 to 159).
  enum Value {
    kNotice, kUtilityVersion, kDriverVersion, kEepromVersion, kUtilityDate, kDriverDate, kFirmwareVersion,
    kIpAddress, kSubnetMask, kMacAddress, kGateway, kValueCount
  };
  static constexpr UINT kValueIds[kValueCount] = {1136, 1069, 1064, 1072, 1083, 1077, 1091, 1486, 1508, 1087, 1511};
  static constexpr UINT kEepromLabelId = 6178;
  static constexpr UINT kFirmwareLabelId = 6179;

  CAboutPage_AP();

  BOOL OnSetActive() override;
  BOOL OnKillActive() override;
  // The IP address, mask and gateway of the system's adapter with the
  // page's MAC address (empty when there is none).
  void RefreshIp();
  const CString& GetValue(Value which) const { return m_values[which]; }
  // The driver file of the adapter's family for the Windows generation
  // (empty when there is none), and whether file-system redirection is
  // switched off around reading it.
  static CString DriverFilePath(BOOL* redirectionOff);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnTimer(UINT_PTR nIDEvent);
  void OnDestroy();
  void OnWeb();
  DECLARE_MESSAGE_MAP()

 private:
  // Sets a value and mirrors it.
  void SetValue(Value which, const CString& text);
  void ShowRow(UINT label, Value value, BOOL show);

  CString m_values[kValueCount];
  MacAddress m_mac{};
};
