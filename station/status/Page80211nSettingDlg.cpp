#include "station/status/Page80211nSettingDlg.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "station/status/AddBlockAckDlg.h"
#include "station/status/DeleteBlockAckDlg.h"
#include "worker/DriverCodes.h"
#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/PageTopLine.h"
#include "worker/StationHost.h"
#include "worker/WorkerGlobals.h"

namespace {

constexpr UINT kRadioIconOn = 212;
constexpr UINT kRadioIconOff = 210;
constexpr UINT kCheckIconOn = 209;
constexpr UINT kCheckIconOff = 207;
constexpr COLORREF kCheckHoverText = 0xFF0000;
constexpr int kSetTries = 3;
constexpr char kBaCapability[] = "BACapability";
constexpr DWORD kRegistryBufferSize = 128;
// Rows whose cell texts a refresh redraws.
constexpr int kRedrawnRows = 6;

// Controls shown with their string-table text (0: the template's text). The
// hidden A-MSDU radio with its label, "-All" and the recipient's "+" keep the
// template's hidden style.
constexpr std::pair<int, UINT> kShownControls[] = {
    {3254, 0},    {IDC_HT_AMSDU, 0},      {IDC_HT_AMSDU_3839, 0},     {1694, 0},
    {1570, 0},    {IDC_HT_SM_ENABLE, 0},  {IDC_HT_SM_STATIC, 0},      {IDC_HT_SM_DYNAMIC, 0},
    {1698, 0},    {1700, 0},              {1702, 0},                  {IDC_HT_MPDU_AGGREGATION, 0},
    {1692, 0},    {IDC_HT_MANUAL, 0},     {IDC_HT_AUTO, 0},           {1704, 4248},
    {1706, 3247}, {1647, 4273},           {IDC_HT_DENSITY, 0},        {IDC_HT_APPLY, 260},
    {1680, 6245}, {1684, 436},            {1682, 0},                  {IDC_HT_ORIGINATOR_LIST, 0},
    {IDC_HT_ORIGINATOR_ADD, 0},           {IDC_HT_ORIGINATOR_DELETE, 0},
    {1686, 1549}, {1688, 436},            {1690, 0},                  {IDC_HT_RECIPIENT_LIST, 0},
    {IDC_HT_RECIPIENT_DELETE, 0},
};
constexpr int kSessionButtons[] = {IDC_HT_ORIGINATOR_ADD,   IDC_HT_ORIGINATOR_DELETE, IDC_HT_ORIGINATOR_DELETE_ALL,
                                   IDC_HT_RECIPIENT_ADD,    IDC_HT_RECIPIENT_DELETE,  IDC_HT_RECIPIENT_DELETE_ALL};

}  // namespace

BEGIN_MESSAGE_MAP(CPage80211nSettingDlg, CDialog)
  ON_WM_SHOWWINDOW()
  ON_WM_TIMER()
  ON_WM_DESTROY()
  ON_WM_PAINT()
  ON_BN_CLICKED(IDC_HT_APPLY, &CPage80211nSettingDlg::OnBnClickedApply)
  ON_BN_CLICKED(IDC_HT_AMSDU, &CPage80211nSettingDlg::OnBnClickedCheck)
  ON_BN_CLICKED(IDC_HT_MPDU_AGGREGATION, &CPage80211nSettingDlg::OnBnClickedCheck)
  ON_BN_CLICKED(IDC_HT_MANUAL, &CPage80211nSettingDlg::OnBnClickedMode)
  ON_BN_CLICKED(IDC_HT_AUTO, &CPage80211nSettingDlg::OnBnClickedMode)
  ON_MESSAGE(WM_QUICKLIST_GETITEM, &CPage80211nSettingDlg::OnGetListItem)
END_MESSAGE_MAP()

CPage80211nSettingDlg::CPage80211nSettingDlg(CWnd* pParent) : CDialog(IDD_PAGE_80211N_SETTING, pParent) {}

void CPage80211nSettingDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, 3254, m_sepAmsdu);
  DDX_Control(pDX, 1570, m_sepPowerSave);
  DDX_Control(pDX, 1692, m_sepAggregation);
  DDX_Control(pDX, 1680, m_sepOriginator);
  DDX_Control(pDX, 1686, m_sepRecipient);
  DDX_Control(pDX, IDC_HT_AMSDU, m_checkAmsdu);
  DDX_Control(pDX, IDC_HT_MPDU_AGGREGATION, m_checkAggregation);
  DDX_Control(pDX, IDC_HT_AMSDU_3839, m_radioAmsdu3839);
  DDX_Control(pDX, IDC_HT_AMSDU_7935, m_radioAmsdu7935);
  DDX_Control(pDX, IDC_HT_SM_ENABLE, m_radioSmEnable);
  DDX_Control(pDX, IDC_HT_SM_STATIC, m_radioSmStatic);
  DDX_Control(pDX, IDC_HT_SM_DYNAMIC, m_radioSmDynamic);
  DDX_Control(pDX, IDC_HT_MANUAL, m_radioManual);
  DDX_Control(pDX, IDC_HT_AUTO, m_radioAuto);
  DDX_Control(pDX, IDC_HT_DENSITY, m_comboDensity);
  DDX_Control(pDX, IDC_HT_APPLY, m_btnApply);
  DDX_Control(pDX, IDC_HT_ORIGINATOR_LIST, m_listOriginator);
  DDX_Control(pDX, IDC_HT_RECIPIENT_LIST, m_listRecipient);
  DDX_Control(pDX, IDC_HT_ORIGINATOR_ADD, m_btnOriginatorAdd);
  DDX_Control(pDX, IDC_HT_ORIGINATOR_DELETE, m_btnOriginatorDelete);
  DDX_Control(pDX, IDC_HT_RECIPIENT_DELETE, m_btnRecipientDelete);
  DDX_Radio(pDX, IDC_HT_MANUAL, m_nAutoBlockAck);
  DDX_Check(pDX, IDC_HT_MPDU_AGGREGATION, m_bMpduAggregation);
  DDX_CBString(pDX, IDC_HT_DENSITY, m_strMpduDensity);
  DDX_Check(pDX, IDC_HT_AMSDU, m_bAmsdu);
  DDX_Radio(pDX, IDC_HT_AMSDU_3839, m_nAmsduSize);
  DDX_Radio(pDX, IDC_HT_SM_ENABLE, m_nSmPowerSave);
}

BOOL CPage80211nSettingDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  for (const auto& [id, stringId] : kShownControls)
    if (CWnd* control = GetDlgItem(id)) ShowControlText(this, control, stringId);
  for (CButtonST* check : {&m_checkAmsdu, &m_checkAggregation}) {
    check->LoadIconPair(kCheckIconOn, kCheckIconOff);
    check->SetFlatBorder(FALSE, FALSE);
    check->SetPaletteColor(CButtonST::BTNST_COLOR_FG_IN, kCheckHoverText, FALSE);
    check->SetPaletteColor(CButtonST::BTNST_COLOR_FG_OUT, 0, FALSE);
  }
  for (CButtonST* radio : {&m_radioAmsdu3839, &m_radioAmsdu7935, &m_radioSmEnable, &m_radioSmStatic,
                           &m_radioSmDynamic, &m_radioManual, &m_radioAuto}) {
    radio->LoadIconPair(kRadioIconOn, kRadioIconOff);
    radio->SetFlatBorder(FALSE, FALSE);
  }
  for (CShadeButtonST* button : {&m_btnApply, &m_btnOriginatorAdd, &m_btnOriginatorDelete, &m_btnRecipientDelete})
    button->BuildShadeBitmaps(2, 8, 10, 0, 0, 0, 0);
  m_comboDensity.SetColumnCount(1);
  for (int density = 0; density <= 7; ++density) {
    CString item;
    item.Format("%d", density);
    m_comboDensity.AddString(item);
  }
  CRect dropped;
  m_comboDensity.SendMessage(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(static_cast<LPRECT>(dropped)));
  ScreenToClient(&dropped);
  m_comboDensity.MoveWindow(&dropped);
  InitBlockAckList(m_listOriginator);
  InitBlockAckList(m_listRecipient);
  return TRUE;
}

void CPage80211nSettingDlg::InitBlockAckList(CQuickList& list) {
  list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
  list.EnableCellNavigation(TRUE);
  CRect client;
  list.GetClientRect(&client);
  const int width = client.Width();
  list.InsertColumn(0, "MAC Address", LVCFMT_CENTER, width * 14 / 30);
  for (int tid = 0; tid < kBlockAckTids; ++tid) {
    CString header;
    header.Format("%d", tid);
    list.InsertColumn(1 + tid, header, LVCFMT_CENTER, width / 15);
  }
}

BOOL CPage80211nSettingDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  // Enter and Escape never close the hidden page.
  const UINT id = LOWORD(wParam);
  if (id == IDOK || id == IDCANCEL) return TRUE;
  if (HIWORD(wParam) == BN_CLICKED && std::find(std::begin(kSessionButtons), std::end(kSessionButtons),
                                                static_cast<int>(id)) != std::end(kSessionButtons)) {
    OpenSessionDialog(id);
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}

void CPage80211nSettingDlg::OnShowWindow(BOOL bShow, UINT nStatus) {
  CDialog::OnShowWindow(bShow, nStatus);
  if (bShow) {
    m_listOriginator.DeleteAllItems();
    m_listRecipient.DeleteAllItems();
    LoadHtSettingFromRegistry();
    SetHtSettingToDriver();
    EnableControls();
    UpdateData(FALSE);
    m_nTimer = SetTimer(kHtSettingTimer, kHtSettingPeriodMs, nullptr);
  } else {
    if (m_nTimer) KillTimer(m_nTimer);
    m_nTimer = 0;
  }
}

void CPage80211nSettingDlg::OnBnClickedApply() {
  UpdateData(TRUE);
  SetHtSettingToDriver();
  SaveHtSettingToRegistry();
  EnableControls();
}

void CPage80211nSettingDlg::OnBnClickedCheck() {
  UpdateData(TRUE);
  EnableControls();
}

void CPage80211nSettingDlg::OnBnClickedMode() { UpdateData(TRUE); }

void CPage80211nSettingDlg::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == kHtSettingTimer) RefreshBlockAckTables();
  CDialog::OnTimer(nIDEvent);
}

void CPage80211nSettingDlg::OnDestroy() {
  CDialog::OnDestroy();
  if (m_nTimer) KillTimer(m_nTimer);
  m_nTimer = 0;
}

void CPage80211nSettingDlg::OnPaint() { PaintPageTopLine(this); }

std::array<BYTE, kHtSettingRecordSize> CPage80211nSettingDlg::MakeRecord() const {
  std::array<BYTE, kHtSettingRecordSize> record{};
  MakeHtSettingRecord(record.data(), m_nWindowA, m_nWindowB, m_bMpduAggregation, m_nAutoBlockAck, m_strMpduDensity,
                      m_bAmsdu, m_nAmsduSize, m_nSmPowerSave);
  return record;
}

void CPage80211nSettingDlg::SetHtSettingToDriver() {
  std::array<BYTE, kHtSettingRecordSize> record = MakeRecord();
  DWORD written = 0;
  SetOid(OID_VX_HT_SETTING_SET, record.data(), kHtSettingRecordSize, &written, kSetTries);
}

void CPage80211nSettingDlg::SaveHtSettingToRegistry() {
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  const std::array<BYTE, kHtSettingRecordSize> record = MakeRecord();
  const DWORD bits = PackHtSettingBits(record.data());
  RegSetValueEx(key, kBaCapability, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&bits), sizeof bits);
  RegCloseKey(key);
}

BOOL CPage80211nSettingDlg::LoadHtSettingFromRegistry() {
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return FALSE;
  BYTE buffer[kRegistryBufferSize] = {};
  DWORD type = 0, size = sizeof buffer;
  const LONG result = RegQueryValueEx(key, kBaCapability, nullptr, &type, buffer, &size);
  RegCloseKey(key);
  // Only a DWORD is the packed record; anything else counts as missing.
  if (result != ERROR_SUCCESS || type != REG_DWORD || size < sizeof(DWORD)) return FALSE;
  DWORD bits = 0;
  std::memcpy(&bits, buffer, sizeof bits);
  std::array<BYTE, kHtSettingRecordSize> record{};
  UnpackHtSettingBits(bits, record.data());
  UnpackHtSettingRecord(record.data(), m_nWindowA, m_nWindowB, m_bMpduAggregation, m_nAutoBlockAck, m_strMpduDensity,
                        m_bAmsdu, m_nAmsduSize, m_nSmPowerSave);
  return TRUE;
}

void CPage80211nSettingDlg::EnableControls() {
  const bool modes = m_bMpduAggregation != 0;
  const bool sessions = modes && m_nAutoBlockAck != 1;
  for (int id : {IDC_HT_MANUAL, IDC_HT_AUTO, IDC_HT_DENSITY})
    if (CWnd* control = GetDlgItem(id)) control->EnableWindow(modes);
  for (int id : kSessionButtons)
    if (CWnd* control = GetDlgItem(id)) control->EnableWindow(sessions);
  for (int id : {IDC_HT_AMSDU_3839, IDC_HT_AMSDU_7935})
    if (CWnd* control = GetDlgItem(id)) control->EnableWindow(m_bAmsdu != 0);
}

void CPage80211nSettingDlg::RefreshBlockAckTables() {
  // Zeroed first: bytes a short answer does not cover read as empty entries.
  std::vector<BYTE> table(kBlockAckTableSize, 0);
  DWORD returned = 0;
  QueryOid(OID_VX_BLOCK_ACK, table.data(), kBlockAckTableSize, &returned);
  if (returned == 0) return;
  returned = std::min(returned, kBlockAckTableSize);
  m_listOriginator.DeleteAllItems();
  m_listRecipient.DeleteAllItems();
  RefreshBlockAckList(table.data(), returned, FALSE);
  RefreshBlockAckList(table.data(), returned, TRUE);
}

void CPage80211nSettingDlg::RefreshBlockAckList(const BYTE* table, DWORD returned, BOOL recipient) {
  std::vector<BlockAckRow>& rows = recipient ? m_recipientRows : m_originatorRows;
  if (!ReadBlockAckRows(table, returned, recipient, rows)) return;
  CQuickList& list = GetList(recipient);
  list.SetItemCount(static_cast<int>(rows.size()));
  for (int column = 0; column < BlockAckRow::kColumns; ++column)
    list.RedrawCellTexts(0, kRedrawnRows - 1, column, FALSE);
}

LRESULT CPage80211nSettingDlg::OnGetListItem(WPARAM wParam, LPARAM lParam) {
  const HWND asking = reinterpret_cast<HWND>(wParam);
  const std::vector<BlockAckRow>* rows = asking == m_listOriginator.GetSafeHwnd()  ? &m_originatorRows
                                         : asking == m_listRecipient.GetSafeHwnd() ? &m_recipientRows
                                                                                    : nullptr;
  auto* cell = reinterpret_cast<CQuickListCell*>(lParam);
  if (!rows || !cell) return 0;
  UpdateData(TRUE);
  cell->m_bNoHighlight = TRUE;
  cell->m_bBold = FALSE;
  cell->m_bItalic = FALSE;
  const int row = cell->GetRow(), column = cell->GetColumn();
  if (column == 0) cell->m_nTextFormat = DT_CENTER;
  if (row >= 0 && row < static_cast<int>(rows->size()) && column >= 0 && column < BlockAckRow::kColumns)
    cell->m_strText.Format("%s", static_cast<LPCSTR>((*rows)[row].columns[column]));
  return 0;
}

void CPage80211nSettingDlg::OpenSessionDialog(UINT button) {
  CStationHost* host = g_pHideDlg ? g_pHideDlg->GetHost() : nullptr;
  if (!host) return;
  const BOOL originator = button == IDC_HT_ORIGINATOR_ADD || button == IDC_HT_ORIGINATOR_DELETE ||
                          button == IDC_HT_ORIGINATOR_DELETE_ALL;
  int shown = kHostDlgDeleteBlockAck;
  if (button == IDC_HT_ORIGINATOR_ADD || button == IDC_HT_RECIPIENT_ADD) {
    shown = kHostDlgAddBlockAck;
    if (auto* add = dynamic_cast<CAddBlockAckDlg*>(host->GetSecondaryDialog(shown))) add->m_nOriginator = originator;
  } else if (auto* remove = dynamic_cast<CDeleteBlockAckDlg*>(host->GetSecondaryDialog(shown))) {
    const BOOL all = button == IDC_HT_ORIGINATOR_DELETE_ALL || button == IDC_HT_RECIPIENT_DELETE_ALL;
    remove->m_nOriginator = originator;
    remove->m_nOneSession = !all;
    remove->m_nAllSessions = all;
  }
  g_pHideDlg->ShowPage(shown);
  g_bHostExpanded = 0;
  host->ToggleLayout();
}
