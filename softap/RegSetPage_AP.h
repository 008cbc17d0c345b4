// CRegSetPage_AP: the "Setting Register" page, an engineering page the AP
// sheet builds but does not show: it reads and writes the chip's MAC and
// baseband registers, a write-only RF register and EEPROM words through the
// driver's register record, reads and sets the parameters of the chip's
// automatic R17 adjustment, and makes the driver report MIC errors at once,
// 60 + offset seconds later and 120 seconds later.
#pragma once

#include "platform/Platform.h"
#include "softap/ApControls.h"

class CRegSetPage_AP : public CPropertyPage {
  DECLARE_DYNCREATE(CRegSetPage_AP)

 public:
  static constexpr const char* kTemplate = "Setting Register";
  static constexpr UINT kMacOffsetId = 1159;
  static constexpr UINT kMacValueId = 1139;
  static constexpr UINT kMacQueryId = 1145;
  static constexpr UINT kMacSetId = 1151;
  static constexpr UINT kBbpIdId = 1161;
  static constexpr UINT kBbpValueId = 1141;
  static constexpr UINT kBbpQueryId = 1147;
  static constexpr UINT kBbpSetId = 1154;
  static constexpr UINT kMicOffsetId = 1177;
  static constexpr UINT kMicButtonId = 1169;
  static constexpr UINT kRfValueId = 1143;
  static constexpr UINT kRfSetId = 1157;
  static constexpr UINT kR17StepId = 6099;
  static constexpr UINT kR17UpperId = 1175;
  static constexpr UINT kR17LowerId = 1171;
  static constexpr UINT kR17MaxId = 1173;
  static constexpr UINT kR17QueryId = 1149;
  static constexpr UINT kR17SetId = 6098;
  static constexpr UINT kEepromOffsetId = 6107;
  static constexpr UINT kEepromValueId = 6108;
  static constexpr UINT kEepromQueryId = 6109;
  static constexpr UINT kEepromSetId = 6110;
  // The MIC test's second and third reports.
  static constexpr UINT_PTR kMicTimer = 1;
  static constexpr UINT_PTR kMicEndTimer = 2;
  static constexpr UINT kMicDelayMs = 60000;
  static constexpr UINT kMicEndMs = 120000;
  // Register kinds of the register record.
  enum Kind { kMacRegister = 0, kBbpRegister = 1, kRfRegister = 2, kEeprom = 3 };

  CRegSetPage_AP();

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnTimer(UINT_PTR nIDEvent);
  void OnMacQuery();
  void OnMacSet();
  void OnBbpQuery();
  void OnBbpSet();
  void OnRfSet();
  void OnEepromQuery();
  void OnEepromSet();
  void OnR17Query();
  void OnR17Set();
  void OnGenerateMicError();
  DECLARE_MESSAGE_MAP()

 private:
  // Reads the register `offset` of `kind`; FALSE when the driver refuses.
  static BOOL QueryRegister(Kind kind, DWORD offset, DWORD& value);
  static void SetRegister(Kind kind, DWORD offset, DWORD value);
  static void SendMicError();

  CSmartEdit_AP m_hexEdits[6];
  CString m_strMacOffset = "00000000";
  CString m_strMacValue = "00000000";
  UINT m_nBbpId = 0;
  CString m_strBbpValue = "00";
  UINT m_nMicOffset = 10;
  CString m_strRfValue = "00000000";
  UINT m_nR17Step = 0;
  UINT m_nR17Upper = 0;
  UINT m_nR17Lower = 0;
  CString m_strR17Max = "00";
  CString m_strEepromOffset = "00000000";
  CString m_strEepromValue = "00000000";
};
