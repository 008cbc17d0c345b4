#include "softap/BlockAck_AP.h"

#include <algorithm>

#include "platform/mfc/ControlRef.h"
#include "softap/AddBlockAck_Dlg_AP.h"
#include "softap/ApDriver.h"
#include "softap/ApSettings.h"
#include "softap/ApModule.h"
#include "softap/DeleteBlockAck_APDlg.h"
#include "worker/DriverCodes.h"
#include "worker/HtSettingRecord.h"

namespace {

constexpr char kCapabilityValue[] = "BACapability";
constexpr DWORD kListStyles = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP;
constexpr int kDensityCount = 8;

// The buttons of each direction: ADD, DELETE, DELETE ENTRY.
constexpr UINT kSessionButtons[] = {
    CBlockAck_AP::kOriginatorAddId, CBlockAck_AP::kOriginatorDeleteId, CBlockAck_AP::kOriginatorDeleteEntryId,
    CBlockAck_AP::kRecipientAddId,  CBlockAck_AP::kRecipientDeleteId,  CBlockAck_AP::kRecipientDeleteEntryId};

}  // namespace

IMPLEMENT_DYNCREATE(CBlockAck_AP, CPropertyPage)

BEGIN_MESSAGE_MAP(CBlockAck_AP, CPropertyPage)
  ON_WM_TIMER()
  ON_WM_DESTROY()
  ON_BN_CLICKED(CBlockAck_AP::kApplyId, &CBlockAck_AP::OnApplyButton)
  ON_BN_CLICKED(CBlockAck_AP::kAmsduId, &CBlockAck_AP::OnSwitchChanged)
  ON_BN_CLICKED(CBlockAck_AP::kAggregationId, &CBlockAck_AP::OnSwitchChanged)
  ON_BN_CLICKED(CBlockAck_AP::kManualId, &CBlockAck_AP::OnSetupChanged)
  ON_BN_CLICKED(CBlockAck_AP::kAutoId, &CBlockAck_AP::OnSetupChanged)
  ON_BN_CLICKED(CBlockAck_AP::kOriginatorAddId, &CBlockAck_AP::OnOriginatorAdd)
  ON_BN_CLICKED(CBlockAck_AP::kRecipientAddId, &CBlockAck_AP::OnRecipientAdd)
  ON_BN_CLICKED(CBlockAck_AP::kOriginatorDeleteId, &CBlockAck_AP::OnOriginatorDelete)
  ON_BN_CLICKED(CBlockAck_AP::kRecipientDeleteId, &CBlockAck_AP::OnRecipientDelete)
  ON_BN_CLICKED(CBlockAck_AP::kOriginatorDeleteEntryId, &CBlockAck_AP::OnOriginatorDeleteEntry)
  ON_BN_CLICKED(CBlockAck_AP::kRecipientDeleteEntryId, &CBlockAck_AP::OnRecipientDeleteEntry)
END_MESSAGE_MAP()

CBlockAck_AP::CBlockAck_AP() : CPropertyPage(kTemplate) {}

void CBlockAck_AP::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, kOriginatorListId, m_lists[kOriginator]);
  DDX_Control(pDX, kRecipientListId, m_lists[kRecipient]);
  DDX_Check(pDX, kAggregationId, m_nAggregation);
  DDX_CBString(pDX, kDensityId, m_strDensity);
  DDX_Check(pDX, kAmsduId, m_nAmsdu);
  DDX_Radio(pDX, kAmsduSmallId, m_nAmsduSize);
  DDX_Radio(pDX, kSmEnableId, m_nSmIndex);
  DDX_Radio(pDX, kManualId, m_nAutoIndex);
}

BOOL CBlockAck_AP::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  ControlRef<CComboBox> density(this, kDensityId);
  CString text;
  for (int i = 0; density.get() && i < kDensityCount; ++i) {
    text.Format("%d", i);
    density.get()->AddString(text);
  }
  for (CNoHScrollListCtrl_AP& list : m_lists) {
    list.DeleteAllItems();
    SetUpColumns(list);
  }
  HKEY key = nullptr;
  RegOpenKeyEx_AP(HKEY_LOCAL_MACHINE, g_strApDriverKey, 0, KEY_READ, &key);
  DWORD bits = 0;
  DWORD type = 0;
  DWORD size = sizeof bits;
  if (key && RegQueryValueEx(key, kCapabilityValue, nullptr, &type, reinterpret_cast<LPBYTE>(&bits), &size) ==
                 ERROR_SUCCESS &&
      type == REG_DWORD && size == sizeof bits) {
    BYTE record[kHtSettingRecordSize] = {};
    UnpackHtSettingBits(bits, record);
    UnpackRecord(record);
  }
  if (key) RegCloseKey(key);
  SendRecord();
  RefreshEnableStates();
  UpdateData(FALSE);
  m_nTimer = SetTimer(kRefreshTimer, kRefreshMs, nullptr);
  return TRUE;
}

void CBlockAck_AP::SetUpColumns(CListCtrl& list) {
  list.SetExtendedStyle(kListStyles);
  CRect area;
  list.GetWindowRect(&area);
  const int w = area.Width();
  list.InsertColumn(0, "MAC", LVCFMT_LEFT, static_cast<int>(w * 0.33));
  CString header;
  for (int tid = 0; tid < aptable::blockack::kTidCount; ++tid) {
    header.Format(tid == 0 ? "TID=%d" : "%d", tid);
    list.InsertColumn(tid + 1, header, LVCFMT_LEFT, static_cast<int>(w * (tid == 0 ? 0.12 : 0.08)));
  }
}

void CBlockAck_AP::BuildRecord(BYTE record[8]) const {
  MakeHtSettingRecord(record, m_nWindowA, m_nWindowB, m_nAggregation, m_nAutoIndex, m_strDensity, m_nAmsdu,
                      m_nAmsduSize, m_nSmIndex);
}

void CBlockAck_AP::UnpackRecord(const BYTE record[8]) {
  UnpackHtSettingRecord(record, m_nWindowA, m_nWindowB, m_nAggregation, m_nAutoIndex, m_strDensity, m_nAmsdu,
                        m_nAmsduSize, m_nSmIndex);
}

void CBlockAck_AP::SendRecord() {
  BYTE record[kHtSettingRecordSize] = {};
  BuildRecord(record);
  SetDriverRecord_AP(OID_VX_HT_SETTING_SET, std::vector<BYTE>(record, record + kHtSettingRecordSize));
}

BOOL CBlockAck_AP::OnSetActive() {
  BYTE record[kHtSettingRecordSize] = {};
  DWORD returned = 0;
  if (QueryDriverOid_AP(OID_VX_HT_SETTING, record, sizeof record, &returned) && returned >= sizeof record)
    UnpackRecord(record);
  RefreshEnableStates();
  UpdateData(FALSE);
  return CPropertyPage::OnSetActive();
}

void CBlockAck_AP::RefreshEnableStates() {
  const BOOL setup = m_nAggregation == 1;
  const BOOL sessions = setup && m_nAutoIndex != 1;
  for (UINT id : {kManualId, kAutoId, kDensityId})
    if (CWnd* control = GetDlgItem(id)) control->EnableWindow(setup);
  for (UINT id : kSessionButtons)
    if (CWnd* control = GetDlgItem(id)) control->EnableWindow(sessions);
  for (UINT id : {kAmsduSmallId, kAmsduLargeId})
    if (CWnd* control = GetDlgItem(id)) control->EnableWindow(m_nAmsdu == 1);
}

void CBlockAck_AP::OnApplyButton() {
  UpdateData(TRUE);
  SendRecord();
  BYTE record[kHtSettingRecordSize] = {};
  BuildRecord(record);
  const DWORD bits = PackHtSettingBits(record);
  HKEY key = nullptr;
  RegOpenKeyEx_AP(HKEY_LOCAL_MACHINE, g_strApDriverKey, 0, KEY_ALL_ACCESS, &key);
  RegSetValueEx_AP(key, kCapabilityValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&bits), sizeof bits,
                   g_strApDriverKey);
  if (key) RegCloseKey(key);
  RefreshEnableStates();
}

void CBlockAck_AP::OnSwitchChanged() {
  UpdateData(TRUE);
  RefreshEnableStates();
}

void CBlockAck_AP::OnSetupChanged() { UpdateData(TRUE); }

void CBlockAck_AP::OnTimer(UINT_PTR nIDEvent) {
  // The active page is the one the sheet shows.
  if (nIDEvent == kRefreshTimer && (GetStyle() & WS_VISIBLE)) RefreshTables();
  CPropertyPage::OnTimer(nIDEvent);
}

void CBlockAck_AP::OnDestroy() {
  KillTimer(m_nTimer);
  CPropertyPage::OnDestroy();
}

void CBlockAck_AP::RefreshTables() {
  std::vector<BYTE> table(aptable::blockack::kSize, 0);
  DWORD returned = 0;
  if (!QueryDriverOid_AP(OID_VX_BLOCK_ACK, table.data(), aptable::blockack::kSize, &returned) || returned == 0)
    return;
  for (int direction : {kOriginator, kRecipient}) {
    CListCtrl& list = m_lists[direction];
    list.DeleteAllItems();
    m_rows[direction] = ParseBlockAckTable(table.data(), returned, direction);
    int row = 0;
    for (const BlockAckRow& r : m_rows[direction]) {
      list.InsertItem(row, r.texts[0]);
      for (int tid = 0; tid < aptable::blockack::kTidCount; ++tid) list.SetItemText(row, tid + 1, r.texts[tid + 1]);
      ++row;
    }
  }
}

void CBlockAck_AP::AddSession(int direction) {
  CAddBlockAck_Dlg_AP dialog(this);
  if (dialog.DoModal() != IDOK) return;
  using namespace aptable::blockack;
  std::vector<BYTE> command(kCommandSize, 0);
  command[kCmdDirection] = static_cast<BYTE>(direction);
  std::copy(dialog.GetMac().begin(), dialog.GetMac().end(), command.begin() + kCmdPeer);
  command[kCmdTid] = static_cast<BYTE>(dialog.GetTid());
  command[kCmdWindow] = static_cast<BYTE>(dialog.GetWindowSize());
  SetDriverRecord_AP(OID_VX_BLOCK_ACK_SET, std::move(command));
}

void CBlockAck_AP::DeleteSession(int direction, BOOL bOneTid) {
  CDeleteBlockAck_APDlg dialog(this, m_rows[direction], bOneTid);
  if (dialog.DoModal() != IDOK) return;
  using namespace aptable::blockack;
  std::vector<BYTE> command(kCommandSize, 0);
  command[kCmdDirection] = static_cast<BYTE>(direction);
  std::copy(dialog.GetMac().begin(), dialog.GetMac().end(), command.begin() + kCmdPeer);
  command[kCmdTid] = static_cast<BYTE>(bOneTid ? dialog.GetTid() : 0);
  command[kCmdWholeEntry] = bOneTid ? 0 : 1;
  SetDriverRecord_AP(OID_VX_BLOCK_ACK_DELETE_SET, std::move(command));
}
