#include "softap/WdsPage_AP.h"

#include "softap/ApDriver.h"
#include "softap/ApMacList.h"
#include "softap/ApModule.h"
#include "softap/ApRecords.h"
#include "softap/ApSettings.h"
#include "utilmere/Utilmere.h"
#include "worker/DriverCodes.h"

namespace {

constexpr char kStateValue[] = "WdsEnable";
constexpr char kListValue[] = "WdsList";
// The cipher indexes the WDS record tells apart: WEP or none carries the
// peers, any other cipher does not.
constexpr int kCipherNone = 1;
constexpr int kCipherTkip = 4;

}  // namespace

IMPLEMENT_DYNCREATE(CWdsPage_AP, CPropertyPage)

BEGIN_MESSAGE_MAP(CWdsPage_AP, CMacListPage_AP)
  ON_BN_CLICKED(CMacListPage_AP::kApplyId, &CWdsPage_AP::OnApplyButton)
  ON_BN_CLICKED(CWdsPage_AP::kEnableId, &CWdsPage_AP::OnEnable)
  ON_BN_CLICKED(CWdsPage_AP::kDisableId, &CWdsPage_AP::OnDisable)
  ON_LBN_DBLCLK(CWdsPage_AP::kListId, &CWdsPage_AP::OnBeginChange)
END_MESSAGE_MAP()

CWdsPage_AP::CWdsPage_AP() : CMacListPage_AP(kTemplate, kListId, kMaxPeers) {}

void CWdsPage_AP::DoDataExchange(CDataExchange* pDX) {
  CMacListPage_AP::DoDataExchange(pDX);
  DDX_Radio(pDX, kEnableId, m_nState);
}

BOOL CWdsPage_AP::OnInitDialog() {
  CMacListPage_AP::OnInitDialog();
  Load();
  EnableListControls(m_nState == kWdsOn);
  return TRUE;
}

BOOL CWdsPage_AP::OnSetActive() {
  EnableListControls(m_nState == kWdsOn);
  return CMacListPage_AP::OnSetActive();
}

void CWdsPage_AP::Load() {
  const CString apPath = g_strApDriverKey + "\\ApDefault";
  HKEY key = nullptr;
  RegOpenKeyEx_AP(HKEY_LOCAL_MACHINE, apPath, 0, KEY_READ, &key);
  if (key) {
    ReadApInt(key, kStateValue, m_nState);
    // Any stored number but 0 leaves the system off, as apply-all reads it.
    if (m_nState != kWdsOn) m_nState = kWdsOff;
    std::vector<CString> rows;
    if (ReadMacListValue(key, kListValue, kMaxPeers, rows)) AddRows(rows);
    RegCloseKey(key);
  }
  CopyApDefaultToDriverKey();
  UpdateData(FALSE);
}

void CWdsPage_AP::OnEnable() {
  UpdateData(TRUE);
  EnableListControls(TRUE);
}

void CWdsPage_AP::OnDisable() {
  UpdateData(TRUE);
  EnableListControls(FALSE);
}

void CWdsPage_AP::LockForChange(BOOL bLock) {
  EnableControl(kApplyId, !bLock);
  EnableControl(kEnableId, !bLock);
  EnableControl(kDisableId, !bLock);
  EnableListControls(!bLock && m_nState == kWdsOn);
}

void CWdsPage_AP::OnApplyButton() {
  UpdateData(TRUE);
  const CString apPath = g_strApDriverKey + "\\ApDefault";
  HKEY apDefault = nullptr;
  RegOpenKeyEx_AP(HKEY_LOCAL_MACHINE, apPath, 0, KEY_ALL_ACCESS, &apDefault);
  CString state;
  state.Format("%d", m_nState);
  WriteApText(apDefault, kStateValue, state, apPath);
  const std::vector<CString> rows = GetRows();
  StoreRows(apDefault, kListValue, rows, apPath);
  if (apDefault) RegCloseKey(apDefault);
  CopyApDefaultToDriverKey();

  std::vector<MacAddress> peers;
  for (const CString& row : rows) peers.push_back(MacFromText(row));
  ApTrace(FormatString("WDS Apply: state %d, %u peers", m_nState, static_cast<unsigned>(peers.size())));
  SetDriverRecord_AP(OID_VX_WDS_LIST_SET, BuildWdsRecord(m_nState == kWdsOn, peers, g_nApAuthIndex,
                                                         g_bApWepOrNone ? kCipherNone : kCipherTkip, g_strApWpaPsk));
}
