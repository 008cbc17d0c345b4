// CConfigPage_AP: the "Config" page of the AP property sheet. It holds the
// soft AP's basic settings (SSID, band, channel, country regions, rates,
// power, beacon, idle time, the on/off options, the 802.11n options) and the
// security record its "SECURITY..." button edits in CAuthSecuDlg_AP. It loads
// them from the adapter's driver key when it starts, writes them to
// "ApDefault", the driver key and the driver on "APPLY", and restores the
// factory values on "DEFAULT" (written only by the next "APPLY").
//
// The page lives in the hidden sheet; the front end's AP page mirrors it
// through the UI bridge (codes 97 to 104 and 134) and the AP worker drives
// it with the front end's commands (74 to 78) through the operations below.
// UI thread only.
#pragma once

#include "platform/Platform.h"
#include "softap/ApConfigIds.h"
#include "softap/ApControls.h"
#include "softap/ApSecurityData.h"
#include "softap/HTTable_AP.h"

class CAuthSecuDlg_AP;

class CConfigPage_AP : public CPropertyPage {
  DECLARE_DYNCREATE(CConfigPage_AP)

 public:
  static constexpr const char* kTemplate = "Config";
  // The HT check's timer and its period.
  static constexpr UINT_PTR kHtTimer = 1;
  static constexpr UINT kHtTimerMs = 1000;

  CConfigPage_AP();
  ~CConfigPage_AP() override;

  // Loads the fields from the adapter's driver key; TRUE.
  BOOL ReadSettings();
  // Writes "ApDefault", copies it into the driver key and sets the driver;
  // TRUE.
  BOOL SaveSettings();
  // UpdateData(bSave); on save the channel and MCS combos' texts are kept.
  BOOL Refresh(BOOL bSave);
  void ShowTxRateLabel(int htFamilyCode);
  void EnableExtChannel(BOOL bEnable);
  // The list builders.
  void BuildChannelLists();
  void FillChannelCombo();
  void FillExtChannelCombo();
  void UpdateAllowBw40(int checkState);
  void FillMcsCombo(const CString& mcsText);
  void OnWirelessModeChange();
  // "Auto" is 33.
  int GetMcsNumber() const;

  // ---- The front end's commands ----
  void SelectWirelessMode(int index);   // 74
  void SetSsid(const CString& ssid);    // 75
  void SelectChannel(int index);        // 76
  void PressApply();                    // 77
  void PressDefault();                  // 78
  void PressSecurity();                 // 73 "1"

  // The security dialog while it runs (else nullptr), and its cancel (the
  // program's exit, the sheet going away).
  CAuthSecuDlg_AP* GetSecurityDialog() const { return m_pSecuDlg; }
  void CancelSecurityDialog();

  // Read by the tests and the sheet.
  const _AP_SECURITY_DATA& GetSecurityData() const { return m_security; }
  const CString& GetSsid() const { return m_strSsid; }
  const CString& GetCurrentChannel() const { return m_strChannel; }
  const CString& GetWirelessModeText() const { return m_strWirelessMode; }
  int GetRtsThreshold() const { return m_nRts; }
  int GetFragThreshold() const { return m_nFragment; }
  int GetIdleTime() const { return m_nIdleTime; }
  int GetBandwidth() const { return m_nBandwidth; }
  const CString& GetExtChannelText() const { return m_strExtChannel; }
  const CString& GetMacSsid() const { return m_strMacSsid; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  BOOL OnSetActive() override;

  void OnApplyClicked();
  void OnDefault();
  void OnSecurity();
  void OnUseMac();
  void OnRegionChange();
  void OnAutoChannel();
  void OnChannelChange();
  void OnRateChoice();
  void OnBandwidth20();
  void OnBandwidth40();
  void OnAllowBw40();
  void OnTimer(UINT_PTR nIDEvent);
  DECLARE_MESSAGE_MAP()

 private:
  // Step by step parts of SaveSettings.
  void WriteApDefaultKey(int mode);
  void SetDriverValues(int mode);
  void SendSecurityKeys();
  // "%s-SoftAP" of the translated company name.
  static CString DefaultSsid();
  // The adapter's MAC address (zeros when it cannot be read).
  static void QueryMac(BYTE mac[6]);
  void SelectWirelessModeText();
  BOOL IsPskAuth() const;
  BOOL IsWepInUse() const;

  CHTTable_AP m_htTable;
  CAuthSecuDlg_AP* m_pSecuDlg = nullptr;
  CResizeWidthComboBox_AP m_comboRegionA;
  CResizeWidthComboBox_AP m_comboRegionBG;
  CComboBox m_comboWirelessMode;
  CComboBox m_comboTxPower;
  CComboBox m_comboProtection;
  CComboBox m_comboTxRate;
  CComboBox m_comboPreamble;
  CComboBox m_comboTxAnt;
  CComboBox m_comboRxAnt;
  CComboBox m_comboChannel;
  CString m_strSsid;
  int m_nPreamble = 0;
  int m_nBeacon = 100;
  int m_nFragment = 2347;
  int m_nRts = 2346;
  BOOL m_bTxBurst = TRUE;
  BOOL m_bNoForwarding = FALSE;
  BOOL m_bHideSsid = FALSE;
  CString m_strTxAntLabel;
  CString m_strRxAntLabel;
  CString m_strFragLabel;
  CString m_strRtsLabel;
  CString m_strSsidLabel;
  CString m_strTxRateLabel;
  CString m_strPreambleLabel;
  CString m_strBeaconLabel;
  CString m_strModeLabel;
  CString m_strProtectionLabel;
  CString m_strTxPowerLabel;
  BOOL m_bTurbo = FALSE;
  BOOL m_bShortSlot = TRUE;
  CString m_strWirelessMode;
  int m_nProtection = 0;
  BOOL m_bAutoChannel = FALSE;
  int m_nTxPower = 0;
  int m_nRegionBG = 0;
  int m_nRegionA = 0;
  int m_nIdleTime = 300;
  CComboBox m_comboMcs;
  int m_nStbc = 1;
  int m_nBandwidth = 1;
  int m_nGuardInterval = 1;
  int m_nHtMode = 0;
  CString m_strMcs = "Auto";
  CString m_strExtChannel = "none";
  CComboBox m_comboExtChannel;
  BOOL m_bAllowBw40 = FALSE;
  _AP_SECURITY_DATA m_security;
  BYTE m_channels5[32] = {};
  int m_nChannels5 = 0;
  BYTE m_channels24[14] = {};
  int m_nChannels24 = 0;
  int m_nTxRate = 0;
  CString m_strChannel;
  CString m_strMacSsid;
};
