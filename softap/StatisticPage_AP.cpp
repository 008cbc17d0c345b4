#include "softap/StatisticPage_AP.h"

#include "softap/ApDriver.h"
#include "softap/ApModule.h"
#include "worker/DriverCodes.h"

namespace {

// The label of the "without retry" count, hidden with its value.
constexpr UINT kTxNoRetryLabelId = 1112;

CString Format64(LONGLONG value) {
  CString text;
  text.Format("%I64d", static_cast<long long>(value));
  return text;
}

CString Format32(ULONGLONG value) {
  CString text;
  text.Format("%u", static_cast<unsigned>(value & 0xFFFFFFFFu));
  return text;
}

}  // namespace

IMPLEMENT_DYNCREATE(CStatisticPage_AP, CPropertyPage)

BEGIN_MESSAGE_MAP(CStatisticPage_AP, CPropertyPage)
  ON_WM_TIMER()
  ON_BN_CLICKED(CStatisticPage_AP::kResetId, &CStatisticPage_AP::OnResetCounters)
END_MESSAGE_MAP()

CStatisticPage_AP::CStatisticPage_AP() : CPropertyPage(kTemplate) {}

void CStatisticPage_AP::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  for (int i = 0; i < kCounterCount; ++i) DDX_Text(pDX, static_cast<int>(kCounterIds[i]), m_strCounters[i]);
}

BOOL CStatisticPage_AP::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  for (UINT id : {kCounterIds[kTxNoRetry], kTxNoRetryLabelId})
    if (CWnd* control = GetDlgItem(id)) control->ShowWindow(SW_HIDE);
  return TRUE;
}

BOOL CStatisticPage_AP::OnSetActive() {
  m_nTimer = SetTimer(kRefreshTimer, kRefreshMs, nullptr);
  return CPropertyPage::OnSetActive();
}

BOOL CStatisticPage_AP::OnKillActive() {
  KillTimer(m_nTimer);
  return CPropertyPage::OnKillActive();
}

void CStatisticPage_AP::OnTimer(UINT_PTR nIDEvent) {
  Refresh();
  CPropertyPage::OnTimer(nIDEvent);
}

void CStatisticPage_AP::Refresh() {
  wavorel::wire::ndis::statistics::layout::Statistics stats{};
  ULONGLONG received = 0;
  QueryApCounters(&stats, &received);
  m_strCounters[kTxSuccess] = Format64(stats.TransmittedFragmentCount);
  m_strCounters[kTxNoRetry] = Format64(stats.TransmittedFragmentCount - stats.RetryCount);
  m_strCounters[kTxAfterRetry] = Format64(stats.RetryCount);
  m_strCounters[kTxAckFailed] = Format64(stats.FailedCount);
  m_strCounters[kRtsSuccess] = Format64(stats.RTSSuccessCount);
  m_strCounters[kRtsFailed] = Format64(stats.RTSFailureCount);
  m_strCounters[kRxSuccess] = Format32(received);
  m_strCounters[kRxCrcError] = Format64(stats.FCSErrorCount);
  m_strCounters[kRxDuplicate] = Format64(stats.FrameDuplicateCount);
  DWORD noBuffer = 0;
  QueryDriverDword_AP(OID_GEN_RCV_NO_BUFFER, noBuffer);
  m_strCounters[kRxNoBuffer] = Format32(noBuffer);
  if (GetSafeHwnd()) UpdateData(FALSE);
}

void CStatisticPage_AP::OnResetCounters() {
  for (CString& text : m_strCounters) text = "0";
  UpdateData(FALSE);
  DWORD returned = 0;
  SetDriverOid_AP(OID_VX_RESET_COUNTERS_SET, nullptr, 0, &returned, kApSetTries);
}
