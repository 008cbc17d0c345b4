#include "station/status/PageWMMDlg.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "station/status/PageSiteSurveyDlg.h"
#include "worker/DriverCodes.h"
#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/PageTopLine.h"
#include "worker/StationHost.h"
#include "worker/WorkerGlobals.h"

int g_nSelectedDlsRow = 0;
CString g_strSelectedDlsMac;

namespace {

constexpr UINT kCheckIconOn = 209;
constexpr UINT kCheckIconOff = 207;
constexpr COLORREF kCheckHoverText = 0xFF0000;
constexpr int kSetTries = 3;
constexpr UINT IDS_WMM_INVALID_MAC = 439;
constexpr UINT IDS_WMM_GROUP_MAC = 440;
constexpr UINT IDS_WMM_TIMEOUT_RANGE = 442;
constexpr UINT IDS_WMM_NO_SELECTION = 115;
constexpr long kTimeoutMax = 65535;
constexpr char kDefaultTimeout[] = "60";
// Registry values of the driver key.
constexpr char kWmmCapable[] = "WMMCapable";
constexpr char kApsdCapable[] = "APSDCapable";
constexpr char kDlsCapable[] = "DLSCapable";
constexpr DWORD kRegistryTextSize = 64;
// The stations' wireless modes with 802.11n, where WMM is switched on.
constexpr int kFirstHtMode = 5;
constexpr int kLastHtMode = 10;

// Controls shown with their string-table text (0: the template's text).
constexpr std::pair<int, UINT> kShownControls[] = {
    {1522, 6262}, {1523, 0},  {IDC_WMM_STATUS, 0}, {1527, 454}, {IDC_WMM_POWER_SAVE_STATUS, 0},
    {1533, 450},  {IDC_WMM_DLS_STATUS, 0}, {IDC_WMM_ENABLE, 0}, {1503, 443}, {IDC_WMM_POWER_SAVE, 0},
    {1507, 448},  {IDC_WMM_AC_BK, 0}, {1515, 0}, {IDC_WMM_AC_BE, 0}, {1517, 0}, {IDC_WMM_AC_VI, 0},
    {1519, 0},    {IDC_WMM_AC_VO, 0}, {1521, 0}, {IDC_WMM_DLS, 0}, {1510, 449}, {1562, 455},
    {1564, 0},    {1578, 0},  {1583, 0}, {1585, 0}, {1586, 0}, {1589, 0}, {1566, 438},
    {IDC_WMM_TIMEOUT, 0},     {1608, 0}, {IDC_WMM_DLS_APPLY, 260}, {IDC_WMM_DLS_TEAR_DOWN, 446},
    {IDC_WMM_DLS_LIST, 0},
};
// The access categories in the order of the power-save text: flag member,
// APSD bit, suffix, driver-key value.
struct AccessCategory {
  int CPageWMMDlg::*flag;
  DWORD bit;
  const char* suffix;
  const char* value;
};
constexpr AccessCategory kCategories[] = {
    {&CPageWMMDlg::m_bAcBe, kApsdAcBe, ":AC_BE", "APSDAC_BE"},
    {&CPageWMMDlg::m_bAcBk, kApsdAcBk, ":AC_BK", "APSDAC_BK"},
    {&CPageWMMDlg::m_bAcVi, kApsdAcVi, ":AC_VI", "APSDAC_VI"},
    {&CPageWMMDlg::m_bAcVo, kApsdAcVo, ":AC_VO", "APSDAC_VO"},
};

// A driver-key text as a switch: not a number reads 0, any other number
// than 0 reads 1.
int SwitchOfText(const char* text) { return std::atoi(text) != 0 ? 1 : 0; }

// The driver key, opened for writing: null when it does not open.
HKEY OpenDriverKeyForWriting() {
  HKEY key = nullptr;
  return RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS ? key : nullptr;
}

// "%d" of `value` as the text value `name`; a failed write is ignored.
void WriteNumberText(HKEY key, LPCSTR name, int value) {
  CString text;
  text.Format("%d", value);
  RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(static_cast<LPCSTR>(text)),
                static_cast<DWORD>(text.GetLength() + 1));
}

}  // namespace

BEGIN_MESSAGE_MAP(CPageWMMDlg, CDialog)
  ON_WM_SHOWWINDOW()
  ON_BN_CLICKED(IDC_WMM_DLS_APPLY, &CPageWMMDlg::OnBnClickedDlsSetup)
  ON_WM_TIMER()
  ON_BN_CLICKED(IDC_WMM_DLS_TEAR_DOWN, &CPageWMMDlg::OnBnClickedDlsTearDown)
  ON_NOTIFY(NM_CLICK, IDC_WMM_DLS_LIST, &CPageWMMDlg::OnDlsListClick)
  ON_BN_CLICKED(IDC_WMM_POWER_SAVE, &CPageWMMDlg::OnBnClickedPowerSaveEnable)
  ON_NOTIFY(NM_DBLCLK, IDC_WMM_DLS_LIST, &CPageWMMDlg::OnDlsListDblClick)
  ON_WM_DESTROY()
  ON_BN_CLICKED(IDC_WMM_ENABLE, &CPageWMMDlg::OnWmmApply)
  ON_BN_CLICKED(IDC_WMM_DLS, &CPageWMMDlg::OnBnClickedDlsEnable)
  ON_BN_CLICKED(IDC_WMM_AC_BK, &CPageWMMDlg::OnBnClickedApsdAc)
  ON_BN_CLICKED(IDC_WMM_AC_BE, &CPageWMMDlg::OnBnClickedApsdAc)
  ON_BN_CLICKED(IDC_WMM_AC_VI, &CPageWMMDlg::OnBnClickedApsdAc)
  ON_BN_CLICKED(IDC_WMM_AC_VO, &CPageWMMDlg::OnBnClickedApsdAc)
  ON_MESSAGE(WM_QUICKLIST_GETITEM, &CPageWMMDlg::OnQuickListGetItem)
  ON_WM_PAINT()
END_MESSAGE_MAP()

CPageWMMDlg::CPageWMMDlg(CWnd* pParent) : CDialog(IDD_PAGE_WMM, pParent) {}

CString CPageWMMDlg::LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return GetMLText(text);
}

void CPageWMMDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_WMM_ENABLE, m_checkWmm);
  DDX_Control(pDX, IDC_WMM_POWER_SAVE, m_checkPowerSave);
  DDX_Control(pDX, IDC_WMM_AC_BK, m_checkAcBk);
  DDX_Control(pDX, IDC_WMM_AC_BE, m_checkAcBe);
  DDX_Control(pDX, IDC_WMM_AC_VI, m_checkAcVi);
  DDX_Control(pDX, IDC_WMM_AC_VO, m_checkAcVo);
  DDX_Control(pDX, IDC_WMM_DLS, m_checkDls);
  for (int i = 0; i < 6; ++i) DDX_Control(pDX, IDC_WMM_MAC_EDITS[i], m_editMac[i]);
  DDX_Control(pDX, IDC_WMM_TIMEOUT, m_editTimeout);
  DDX_Control(pDX, IDC_WMM_DLS_APPLY, m_btnDlsApply);
  DDX_Control(pDX, IDC_WMM_DLS_TEAR_DOWN, m_btnDlsTearDown);
  DDX_Control(pDX, IDC_WMM_DLS_LIST, m_listDls);
  DDX_Check(pDX, IDC_WMM_AC_BE, m_bAcBe);
  DDX_Check(pDX, IDC_WMM_AC_BK, m_bAcBk);
  DDX_Check(pDX, IDC_WMM_AC_VI, m_bAcVi);
  DDX_Check(pDX, IDC_WMM_AC_VO, m_bAcVo);
  DDX_Text(pDX, IDC_WMM_STATUS, m_strWmmStatus);
  DDX_Text(pDX, IDC_WMM_POWER_SAVE_STATUS, m_strPowerSaveStatus);
  DDX_Text(pDX, IDC_WMM_DLS_STATUS, m_strDlsStatus);
  for (int i = 0; i < 6; ++i) DDX_Text(pDX, IDC_WMM_MAC_EDITS[i], m_strMacBytes[i]);
  DDX_Text(pDX, IDC_WMM_TIMEOUT, m_strTimeout);
  DDX_Check(pDX, IDC_WMM_ENABLE, m_bWmm);
  DDX_Check(pDX, IDC_WMM_DLS, m_bDls);
  DDX_Check(pDX, IDC_WMM_POWER_SAVE, m_bPowerSave);
}

BOOL CPageWMMDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  for (const auto& [id, stringId] : kShownControls)
    if (CWnd* control = GetDlgItem(id)) ShowControlText(this, control, stringId);
  for (CButtonST* check : {&m_checkWmm, &m_checkPowerSave, &m_checkAcBk, &m_checkAcBe, &m_checkAcVi, &m_checkAcVo,
                           &m_checkDls}) {
    check->LoadIconPair(kCheckIconOn, kCheckIconOff);
    check->SetFlatBorder(FALSE, FALSE);
    check->SetPaletteColor(CButtonST::BTNST_COLOR_FG_IN, kCheckHoverText, FALSE);
    check->SetPaletteColor(CButtonST::BTNST_COLOR_FG_OUT, 0, FALSE);
  }
  for (CSmartEdit& edit : m_editMac) edit.SetCharClassMask(CSmartEdit::kHexDigits);
  for (CShadeButtonST* button : {&m_btnDlsApply, &m_btnDlsTearDown}) {
    button->BuildShadeBitmaps(2, 8, 10, 0, 0, 0, 0);
    button->SetLatched(0);
  }
  m_listDls.SetExtendedStyle(m_listDls.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP |
                             LVS_EX_GRIDLINES);
  m_listDls.EnableCellNavigation(FALSE);
  CRect window;
  m_listDls.GetWindowRect(&window);
  m_listDls.InsertColumn(0, "MAC Address", LVCFMT_CENTER, window.Width() * 3 / 10);
  m_listDls.InsertColumn(1, "Timeout", LVCFMT_CENTER, window.Width() * 7 / 10);
  return TRUE;
}

BOOL CPageWMMDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  // Enter and Escape never close the hidden page.
  const UINT id = LOWORD(wParam);
  if (id == IDOK || id == IDCANCEL) return TRUE;
  return CDialog::OnCommand(wParam, lParam);
}

void CPageWMMDlg::OnShowWindow(BOOL bShow, UINT nStatus) {
  CDialog::OnShowWindow(bShow, nStatus);
  if (!bShow) {
    if (m_nTimer) KillTimer(m_nTimer);
    m_nTimer = 0;
    return;
  }
  ReadWmmRegistryValues(m_bPowerSave, m_bDls, m_bWmm);
  if (m_bWmm == 0 && g_nWirelessMode >= kFirstHtMode && g_nWirelessMode <= kLastHtMode) {
    m_bWmm = 1;
    UpdateData(FALSE);
    OnWmmApply();
  }
  const DWORD word = QueryApsdWord();
  for (const AccessCategory& category : kCategories)
    if (word & category.bit) this->*category.flag = 1;
  UpdateWmmControls();
  m_strPowerSaveStatus = LoadText(m_bPowerSave == 1 ? IDS_WMM_ENABLED : IDS_WMM_DISABLED);
  for (const AccessCategory& category : kCategories)
    if (this->*category.flag) m_strPowerSaveStatus += category.suffix;
  UpdateData(FALSE);
  m_nTimer = SetTimer(kWmmTimer, kWmmPeriodMs, nullptr);
}

BOOL CPageWMMDlg::ReadWmmRegistryValues(int& powerSave, int& dls, int& wmm) {
  HKEY key = OpenDriverKeyForWriting();
  if (!key) return FALSE;
  const std::pair<const char*, int*> values[] = {{kApsdCapable, &powerSave}, {kDlsCapable, &dls}, {kWmmCapable, &wmm}};
  for (const auto& [name, flag] : values) {
    char text[kRegistryTextSize] = "";
    DWORD type = 0, size = sizeof text - 1;
    if (RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS) continue;
    if (type != REG_SZ) continue;
    *flag = SwitchOfText(text);
  }
  RegCloseKey(key);
  return TRUE;
}

void CPageWMMDlg::WriteWmmValue(LPCSTR name, int value) {
  HKEY key = OpenDriverKeyForWriting();
  if (!key) return;
  WriteNumberText(key, name, value);
  RegCloseKey(key);
}

BOOL CPageWMMDlg::WriteWmmRegistryValues(int writePowerSave, int writeDls, int writeWmm, int powerSave, int dls,
                                         int wmm) {
  HKEY key = OpenDriverKeyForWriting();
  if (!key) return FALSE;
  if (writePowerSave == 1) WriteNumberText(key, kApsdCapable, powerSave == 1 ? 1 : 0);
  if (writeDls == 1) WriteNumberText(key, kDlsCapable, dls == 1 ? 1 : 0);
  if (writeWmm == 1) WriteNumberText(key, kWmmCapable, wmm == 1 ? 1 : 0);
  RegCloseKey(key);
  return TRUE;
}

void CPageWMMDlg::SetWmmOids(int setApsd, int setDls, int setWmm, DWORD apsdWord, DWORD dlsFlag, BYTE wmmFlag) {
  DWORD written = 0;
  if (setApsd == 1) SetOid(OID_VX_APSD_CAPABLE_SET, &apsdWord, sizeof apsdWord, &written, kSetTries);
  if (setDls == 1) SetOid(OID_VX_DLS_CAPABLE_SET, &dlsFlag, sizeof dlsFlag, &written, kSetTries);
  if (setWmm == 1) SetOid(OID_VX_PRIVATE_012D_SET, &wmmFlag, sizeof wmmFlag, &written, kSetTries);
}

DWORD CPageWMMDlg::QueryApsdWord() {
  DWORD word = 0, returned = 0;
  QueryOid(OID_VX_APSD_CAPABLE, &word, sizeof word, &returned);
  return word;
}

void CPageWMMDlg::SetApsdWord(DWORD word) { SetWmmOids(1, 0, 0, word, 0, 0); }

void CPageWMMDlg::EnableIds(std::initializer_list<int> ids, BOOL enable) {
  for (int id : ids)
    if (CWnd* control = GetDlgItem(id)) control->EnableWindow(enable);
}

void CPageWMMDlg::EnableAcControls(BOOL enable) {
  EnableIds({IDC_WMM_AC_BK, 1515, IDC_WMM_AC_BE, 1517, IDC_WMM_AC_VI, 1519, IDC_WMM_AC_VO, 1521}, enable);
}

void CPageWMMDlg::EnableDlsControls(BOOL enable) {
  EnableIds({IDC_WMM_DLS_LIST, 1562, 1566, 1608, IDC_WMM_DLS_APPLY, IDC_WMM_DLS_TEAR_DOWN, IDC_WMM_TIMEOUT}, enable);
  for (int id : IDC_WMM_MAC_EDITS) EnableIds({id}, enable);
}

void CPageWMMDlg::UpdateWmmControls() {
  const CString enabled = LoadText(IDS_WMM_ENABLED), disabled = LoadText(IDS_WMM_DISABLED);
  if (m_bWmm == 0) {
    m_strWmmStatus = m_strPowerSaveStatus = m_strDlsStatus = disabled;
    EnableIds({IDC_WMM_POWER_SAVE, 1507, IDC_WMM_DLS, 1510}, FALSE);
    EnableAcControls(FALSE);
    EnableDlsControls(FALSE);
    return;
  }
  m_strWmmStatus = enabled;
  EnableIds({IDC_WMM_POWER_SAVE, 1507, IDC_WMM_DLS, 1510}, TRUE);
  EnableAcControls(m_bPowerSave == 1);
  m_strPowerSaveStatus = m_bPowerSave == 1 ? enabled : disabled;
  EnableDlsControls(m_bDls == 1);
  m_strDlsStatus = m_bDls == 1 ? enabled : disabled;
}

void CPageWMMDlg::OnBnClickedPowerSaveEnable() {
  UpdateData(TRUE);
  DWORD word = QueryApsdWord();
  if (m_bPowerSave == 1) {
    word |= kApsdPowerSave;
    m_strPowerSaveStatus = LoadText(IDS_WMM_ENABLED);
  } else {
    word &= 0x7E;
    m_strPowerSaveStatus = LoadText(IDS_WMM_DISABLED);
  }
  UpdateData(FALSE);
  EnableAcControls(m_bPowerSave == 1);
  SetApsdWord(word);
  WriteWmmValue(kApsdCapable, m_bPowerSave);
}

void CPageWMMDlg::OnBnClickedApsdAc() {
  UpdateData(TRUE);
  DWORD word = kApsdPowerSave;
  CString text = LoadText(IDS_WMM_ENABLED);
  for (const AccessCategory& category : kCategories) {
    if (!(this->*category.flag)) continue;
    word |= category.bit;
    text += category.suffix;
  }
  m_strPowerSaveStatus = text;
  UpdateData(FALSE);
  SetApsdWord(word);
  for (const AccessCategory& category : kCategories) WriteWmmValue(category.value, this->*category.flag);
  ReassociateByOids();
  RequestRescan();
}

void CPageWMMDlg::ReassociateByOids() {
  NDIS_802_11_SSID ssid{};
  DWORD returned = 0;
  QueryOid(OID_802_11_SSID, &ssid, sizeof ssid, &returned);
  // The driver's length goes back to it no longer than the record's 32 bytes.
  ssid.SsidLength = std::min<ULONG>(ssid.SsidLength, sizeof ssid.Ssid);
  SetOid(OID_802_11_DISASSOCIATE, nullptr, 0, &returned, kSetTries);
  SetOid(OID_802_11_SSID, &ssid, sizeof ssid, &returned, kSetTries);
  DWORD ccx = 0;
  ReadCcx2Control(ccx);
  SetCcxControl(1, ccx);
}

void CPageWMMDlg::OnWmmApply() {
  UpdateData(TRUE);
  if (m_bWmm) {
    m_strWmmStatus = LoadText(IDS_WMM_ENABLED);
    UpdateData(FALSE);
    EnableIds({IDC_WMM_POWER_SAVE, 1507, IDC_WMM_DLS, 1510}, TRUE);
  } else {
    m_strWmmStatus = m_strPowerSaveStatus = m_strDlsStatus = LoadText(IDS_WMM_DISABLED);
    EnableIds({IDC_WMM_POWER_SAVE, 1507, IDC_WMM_DLS, 1510}, FALSE);
    EnableAcControls(FALSE);
    EnableIds({IDC_WMM_DLS_LIST, 1562, 1566, 1608}, FALSE);
    m_bDls = 0;
    m_bPowerSave = 0;
    m_strTimeout = kDefaultTimeout;
    UpdateData(FALSE);
    EnableIds({IDC_WMM_DLS_APPLY, IDC_WMM_DLS_TEAR_DOWN, IDC_WMM_TIMEOUT}, FALSE);
    for (int id : IDC_WMM_MAC_EDITS) EnableIds({id}, FALSE);
  }
  DWORD word = QueryApsdWord();
  if (!m_bWmm) {
    word &= 0x7E;
    WriteWmmRegistryValues(1, 1, 1, 0, 0, 0);
  } else {
    word &= m_bPowerSave == 1 ? 0x7F : 0x7E;
    WriteWmmRegistryValues(0, 0, 1, 0, 0, 1);
  }
  SetWmmOids(1, 1, 1, word, static_cast<DWORD>(m_bDls), static_cast<BYTE>(m_bWmm));
  ReapplyConnection();
  CStationHost* host = g_pHideDlg ? g_pHideDlg->GetHost() : nullptr;
  if (host && g_bRadioOn)
    if (CDialog* survey = host->GetTabPage(kHostTabSiteSurvey))
      survey->PostMessage(WM_COMMAND, MAKEWPARAM(IDC_SS_RESCAN, BN_CLICKED), 0);
}

void CPageWMMDlg::OnBnClickedDlsEnable() {
  UpdateData(TRUE);
  m_strDlsStatus = LoadText(m_bDls == 1 ? IDS_WMM_ENABLED : IDS_WMM_DISABLED);
  UpdateData(FALSE);
  EnableDlsControls(m_bDls == 1);
  WriteWmmValue(kDlsCapable, m_bDls);
  SetWmmOids(0, 1, 0, 0, static_cast<DWORD>(m_bDls), 0);
}

void CPageWMMDlg::OnBnClickedDlsSetup() {
  UpdateData(TRUE);
  BYTE peer[6] = {};
  for (int i = 0; i < 6; ++i) {
    // Each edit gives its first two characters; a shorter text reads as
    // padded with '0'.
    std::string pair(static_cast<LPCSTR>(m_strMacBytes[i]));
    pair.resize(2, '0');
    ConvHexTextToBytes(pair.c_str(), peer + i, 1);
  }
  const CString peerText = MacText(peer);
  std::memset(m_adapterMac, 0, sizeof m_adapterMac);
  DWORD returned = 0;
  QueryOid(OID_802_3_CURRENT_ADDRESS, m_adapterMac, sizeof m_adapterMac, &returned);
  UINT refusal = 0;
  if (peerText == "00-00-00-00-00-00" || peerText == "FF-FF-FF-FF-FF-FF" || peerText == MacText(m_adapterMac))
    refusal = IDS_WMM_INVALID_MAC;
  else if (peer[0] & 0x01)
    refusal = IDS_WMM_GROUP_MAC;
  // strtol saturates, so a long number is refused rather than wrapped.
  const long timeout = std::strtol(m_strTimeout, nullptr, 10);
  if (refusal == 0 && (timeout < 0 || timeout > kTimeoutMax)) refusal = IDS_WMM_TIMEOUT_RANGE;
  if (refusal != 0) {
    WarningMessageBox(LoadText(refusal));
    return;
  }
  std::array<BYTE, kDlsEntrySize> entry = MakeDlsSetupEntry(static_cast<WORD>(timeout), peer);
  SetOid(OID_VX_DLS_LINKS_SET, entry.data(), kDlsEntrySize, &returned, kSetTries);
}

void CPageWMMDlg::OnBnClickedDlsTearDown() {
  if (g_nSelectedDlsRow == -1) {
    WarningMessageBox(LoadText(IDS_WMM_NO_SELECTION));
    return;
  }
  // Zeroed first: a failed query finds no link.
  BYTE table[kDlsTableSize] = {};
  DWORD returned = 0;
  QueryOid(OID_VX_DLS_LINKS, table, kDlsTableSize, &returned);
  const int found = FindDlsLink(table, g_strSelectedDlsMac);
  if (found < 0) return;
  BYTE* entry = table + found * kDlsEntrySize;
  entry[kDlsEntryInUse] = 0;
  SetOid(OID_VX_DLS_LINKS_SET, entry, kDlsEntrySize, &returned, kSetTries);
}

void CPageWMMDlg::RefreshDlsList() {
  // Zeroed first: a failed query lists no link.
  BYTE table[kDlsTableSize] = {};
  DWORD returned = 0;
  QueryOid(OID_VX_DLS_LINKS, table, kDlsTableSize, &returned);
  m_links = ReadDlsLinks(table);
  if (!m_listDls.GetSafeHwnd()) return;
  m_listDls.SetItemCount(static_cast<int>(m_links.size()));
  m_listDls.RedrawCellTexts(0, 0, 0, FALSE);
  m_listDls.RedrawCellTexts(0, 0, 1, FALSE);
}

void CPageWMMDlg::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == kWmmTimer) {
    if (m_nTimer) KillTimer(m_nTimer);
    RefreshDlsList();
    m_nTimer = SetTimer(kWmmTimer, kWmmPeriodMs, nullptr);
  }
  CDialog::OnTimer(nIDEvent);
}

int CPageWMMDlg::TakeSelectedDlsRow() {
  g_nSelectedDlsRow = m_listDls.GetNextItem(-1, LVNI_SELECTED);
  if (g_nSelectedDlsRow >= static_cast<int>(m_links.size())) g_nSelectedDlsRow = -1;
  return g_nSelectedDlsRow;
}

void CPageWMMDlg::OnDlsListClick(NMHDR*, LRESULT* pResult) {
  *pResult = 0;
  const int row = TakeSelectedDlsRow();
  if (row < 0) return;
  g_strSelectedDlsMac = m_links[static_cast<size_t>(row)].strMac;
}

void CPageWMMDlg::OnDlsListDblClick(NMHDR*, LRESULT* pResult) {
  *pResult = 0;
  const int row = TakeSelectedDlsRow();
  if (row < 0) return;
  const DlsLinkEntry& link = m_links[static_cast<size_t>(row)];
  m_strTimeout.Format("%d", link.nTimeout);
  for (int i = 0; i < 6; ++i) m_strMacBytes[i] = link.strMac.Mid(i * 3, 2);
  UpdateData(FALSE);
}

LRESULT CPageWMMDlg::OnQuickListGetItem(WPARAM, LPARAM lParam) {
  UpdateData(TRUE);
  auto* cell = reinterpret_cast<CQuickListCell*>(lParam);
  if (!cell) return 0;
  cell->m_bBold = FALSE;
  cell->m_bItalic = FALSE;
  cell->m_nTextFormat |= DT_CENTER;
  const int row = cell->GetRow();
  if (row < 0 || row >= static_cast<int>(m_links.size())) return 0;
  if (cell->GetColumn() == 0) cell->m_strText.Format("%s", static_cast<LPCSTR>(m_links[static_cast<size_t>(row)].strMac));
  if (cell->GetColumn() == 1) cell->m_strText.Format("%d", m_links[static_cast<size_t>(row)].nTimeout);
  return 0;
}

void CPageWMMDlg::OnPaint() { PaintPageTopLine(this); }

void CPageWMMDlg::OnDestroy() {
  CDialog::OnDestroy();
  if (m_nTimer) KillTimer(m_nTimer);
  m_nTimer = 0;
}
