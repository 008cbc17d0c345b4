#include "softap/RegSetPage_AP.h"

#include <cstdlib>
#include <vector>

#include "platform/wire/Bytes.h"
#include "softap/ApDriver.h"
#include "softap/ApRecords.h"
#include "worker/DriverCodes.h"

namespace {

constexpr WORD kHexDigitsMask = 0x40;
constexpr UINT kHexEditIds[] = {CRegSetPage_AP::kMacOffsetId,    CRegSetPage_AP::kMacValueId,
                                CRegSetPage_AP::kBbpValueId,     CRegSetPage_AP::kRfValueId,
                                CRegSetPage_AP::kEepromOffsetId, CRegSetPage_AP::kEepromValueId};
constexpr UINT kByteMax = 255;
constexpr UINT kMicOffsetMax = 59;
// The R17 record: lower and upper false-CCA thresholds, step, maximum.
constexpr DWORD kR17Size = 4;

DWORD hex(const CString& text) { return static_cast<DWORD>(std::strtoul(text, nullptr, 16)); }

CString hex8(DWORD value) {
  CString text;
  text.Format("%08X", value);
  return text;
}

}  // namespace

IMPLEMENT_DYNCREATE(CRegSetPage_AP, CPropertyPage)

BEGIN_MESSAGE_MAP(CRegSetPage_AP, CPropertyPage)
  ON_WM_TIMER()
  ON_BN_CLICKED(CRegSetPage_AP::kMacQueryId, &CRegSetPage_AP::OnMacQuery)
  ON_BN_CLICKED(CRegSetPage_AP::kMacSetId, &CRegSetPage_AP::OnMacSet)
  ON_BN_CLICKED(CRegSetPage_AP::kBbpQueryId, &CRegSetPage_AP::OnBbpQuery)
  ON_BN_CLICKED(CRegSetPage_AP::kBbpSetId, &CRegSetPage_AP::OnBbpSet)
  ON_BN_CLICKED(CRegSetPage_AP::kRfSetId, &CRegSetPage_AP::OnRfSet)
  ON_BN_CLICKED(CRegSetPage_AP::kEepromQueryId, &CRegSetPage_AP::OnEepromQuery)
  ON_BN_CLICKED(CRegSetPage_AP::kEepromSetId, &CRegSetPage_AP::OnEepromSet)
  ON_BN_CLICKED(CRegSetPage_AP::kR17QueryId, &CRegSetPage_AP::OnR17Query)
  ON_BN_CLICKED(CRegSetPage_AP::kR17SetId, &CRegSetPage_AP::OnR17Set)
  ON_BN_CLICKED(CRegSetPage_AP::kMicButtonId, &CRegSetPage_AP::OnGenerateMicError)
END_MESSAGE_MAP()

CRegSetPage_AP::CRegSetPage_AP() : CPropertyPage(kTemplate) {}

void CRegSetPage_AP::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  int n = 0;
  for (UINT id : kHexEditIds) DDX_Control(pDX, static_cast<int>(id), m_hexEdits[n++]);
  DDX_Text(pDX, kMacOffsetId, m_strMacOffset);
  DDX_Text(pDX, kMacValueId, m_strMacValue);
  DDX_Text(pDX, kBbpIdId, m_nBbpId);
  DDV_MinMaxUInt(pDX, m_nBbpId, 0, kByteMax);
  DDX_Text(pDX, kBbpValueId, m_strBbpValue);
  DDX_Text(pDX, kMicOffsetId, m_nMicOffset);
  DDV_MinMaxUInt(pDX, m_nMicOffset, 0, kMicOffsetMax);
  DDX_Text(pDX, kRfValueId, m_strRfValue);
  DDX_Text(pDX, kR17StepId, m_nR17Step);
  DDV_MinMaxUInt(pDX, m_nR17Step, 0, kByteMax);
  DDX_Text(pDX, kR17UpperId, m_nR17Upper);
  DDV_MinMaxUInt(pDX, m_nR17Upper, 0, kByteMax);
  DDX_Text(pDX, kR17LowerId, m_nR17Lower);
  DDV_MinMaxUInt(pDX, m_nR17Lower, 0, kByteMax);
  DDX_Text(pDX, kR17MaxId, m_strR17Max);
  DDX_Text(pDX, kEepromOffsetId, m_strEepromOffset);
  DDX_Text(pDX, kEepromValueId, m_strEepromValue);
}

BOOL CRegSetPage_AP::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  for (CSmartEdit_AP& edit : m_hexEdits) edit.SetCharClassMask(kHexDigitsMask);
  return TRUE;
}

BOOL CRegSetPage_AP::QueryRegister(Kind kind, DWORD offset, DWORD& value) {
  std::vector<BYTE> record(aprecord::reg::kSize, 0);
  wavorel::wire::putU32(record.data() + aprecord::reg::kSpace, kind);
  wavorel::wire::putU32(record.data() + aprecord::reg::kAddress, offset);
  DWORD returned = 0;
  if (!QueryDriverOid_AP(OID_VX_REGISTER_RW, record.data(), aprecord::reg::kSize, &returned)) return FALSE;
  value = wavorel::wire::getU32(record.data() + aprecord::reg::kValue);
  return TRUE;
}

void CRegSetPage_AP::SetRegister(Kind kind, DWORD offset, DWORD value) {
  std::vector<BYTE> record(aprecord::reg::kSize, 0);
  wavorel::wire::putU32(record.data() + aprecord::reg::kSpace, kind);
  wavorel::wire::putU32(record.data() + aprecord::reg::kAddress, offset);
  wavorel::wire::putU32(record.data() + aprecord::reg::kValue, value);
  SetDriverRecord_AP(OID_VX_REGISTER_RW_SET, std::move(record));
}

void CRegSetPage_AP::OnMacQuery() {
  if (!UpdateData(TRUE)) return;
  DWORD value = 0;
  if (QueryRegister(kMacRegister, hex(m_strMacOffset), value)) m_strMacValue = hex8(value);
  UpdateData(FALSE);
}

void CRegSetPage_AP::OnMacSet() {
  if (UpdateData(TRUE)) SetRegister(kMacRegister, hex(m_strMacOffset), hex(m_strMacValue));
}

void CRegSetPage_AP::OnBbpQuery() {
  if (!UpdateData(TRUE)) return;
  DWORD value = 0;
  if (QueryRegister(kBbpRegister, m_nBbpId, value)) m_strBbpValue.Format("%02X", value % 256);
  UpdateData(FALSE);
}

void CRegSetPage_AP::OnBbpSet() {
  if (UpdateData(TRUE)) SetRegister(kBbpRegister, m_nBbpId, hex(m_strBbpValue));
}

void CRegSetPage_AP::OnRfSet() {
  if (UpdateData(TRUE)) SetRegister(kRfRegister, 0, hex(m_strRfValue));
}

void CRegSetPage_AP::OnEepromQuery() {
  if (!UpdateData(TRUE)) return;
  DWORD value = 0;
  if (QueryRegister(kEeprom, hex(m_strEepromOffset), value)) m_strEepromValue = hex8(value);
  UpdateData(FALSE);
}

void CRegSetPage_AP::OnEepromSet() {
  if (UpdateData(TRUE)) SetRegister(kEeprom, hex(m_strEepromOffset), hex(m_strEepromValue));
}

void CRegSetPage_AP::OnR17Query() {
  BYTE record[kR17Size] = {};
  DWORD returned = 0;
  if (QueryDriverOid_AP(OID_VX_R17_ADJUST, record, kR17Size, &returned)) {
    m_nR17Lower = record[0];
    m_nR17Upper = record[1];
    m_nR17Step = record[2];
    m_strR17Max.Format("%02x", record[3]);
  }
  UpdateData(FALSE);
}

void CRegSetPage_AP::OnR17Set() {
  if (!UpdateData(TRUE)) return;
  std::vector<BYTE> record = {static_cast<BYTE>(m_nR17Lower), static_cast<BYTE>(m_nR17Upper),
                              static_cast<BYTE>(m_nR17Step), static_cast<BYTE>(hex(m_strR17Max))};
  SetDriverRecord_AP(OID_VX_R17_ADJUST_SET, std::move(record));
}

void CRegSetPage_AP::SendMicError() {
  DWORD returned = 0;
  SetDriverOid_AP(OID_VX_MIC_ERROR_TEST, nullptr, 0, &returned, 1);
}

void CRegSetPage_AP::OnGenerateMicError() {
  if (!UpdateData(TRUE)) return;
  SendMicError();
  SetTimer(kMicTimer, (m_nMicOffset + kMicDelayMs / 1000) * 1000, nullptr);
  SetTimer(kMicEndTimer, kMicEndMs, nullptr);
  if (CWnd* button = GetDlgItem(kMicButtonId)) button->EnableWindow(FALSE);
}

void CRegSetPage_AP::OnTimer(UINT_PTR nIDEvent) {
  SendMicError();
  KillTimer(nIDEvent);
  if (nIDEvent == kMicEndTimer)
    if (CWnd* button = GetDlgItem(kMicButtonId)) button->EnableWindow(TRUE);
  CPropertyPage::OnTimer(nIDEvent);
}
