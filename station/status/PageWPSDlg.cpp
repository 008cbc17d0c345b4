#include "station/status/PageWPSDlg.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "frontend/BridgeCodes.h"
#include "frontend/UiBridge.h"
#include "platform/lingwell/Lingwell.h"
#include "station/status/APDetailInfoDlg.h"
#include "station/status/WpsPin.h"
#include "utilmere/WindowTools.h"
#include "widgets/WidgetMessages.h"
#include "worker/ActionQueue.h"
#include "worker/BssLists.h"
#include "worker/DriverCodes.h"
#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/PageTopLine.h"
#include "worker/Settings.h"
#include "worker/StationHost.h"
#include "worker/WorkerGlobals.h"
#include "worker/WpsWorker.h"

int g_nWpsMethod = kWpsMethodNone;
int g_nWpsAutoApIndex = -1;

namespace {

constexpr int kImageWidth = 16;
constexpr int kImageGrowth = 24;
constexpr UINT kCheckIconOn = 209;
constexpr UINT kCheckIconOff = 207;
constexpr COLORREF kCheckHoverText = 0xFF0000;
constexpr int kProgressFontHeight = 16;
constexpr char kProgressFontFace[] = "Trebuchet MS";
constexpr int kProgressStep = 55;
constexpr UINT kButtonWatchPeriodMs = 1000;
constexpr UINT kConnectWatchPeriodMs = 2000;
constexpr DWORD kMaxPinValue = 99999999;
// Images of bitmap 201 the lists show.
constexpr int kImageSecured = 5;
constexpr int kImagePicked = 6;
constexpr int kImageConnecting = 7;
// The worker's timers the page takes over while it exists, and their periods
// when it hands them back.
constexpr UINT kWorkerConnectPeriodMs = 10000;
constexpr UINT kWorkerPollValuePeriodMs = 1000;

struct Column {
  LPCSTR header;
  double width;
};
constexpr Column kApColumns[] = {{"", 0.03}, {"ID", 0.25}, {"SSID", 0.34}, {"BSSID", 0.25}, {"Channel", 0.08},
                                 {"", 0.03}};
constexpr Column kProfileColumns[] = {{"", 0.04}, {"SSID", 0.52}, {"BSSID", 0.25}, {"", 0.20}};

template <size_t N>
void InsertColumns(CQuickList& list, const Column (&columns)[N]) {
  list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
  CRect window;
  list.GetWindowRect(&window);
  for (size_t i = 0; i < N; ++i)
    list.InsertColumn(static_cast<int>(i), columns[i].header, LVCFMT_LEFT,
                      static_cast<int>(window.Width() * columns[i].width));
}

void SetListCount(CQuickList& list, int count) {
  LockWindowUpdate(list.GetSafeHwnd());
  list.SetItemCount(count);
  LockWindowUpdate(nullptr);
  list.RedrawItems(0, std::max(count - 1, 0));
}

}  // namespace

BEGIN_MESSAGE_MAP(CPageWPSDlg, CDialog)
  ON_BN_CLICKED(IDC_WPS_PBC, &CPageWPSDlg::OnBnClickedPbc)
  ON_BN_CLICKED(IDC_WPS_PIN, &CPageWPSDlg::OnBnClickedPin)
  ON_BN_CLICKED(IDC_WPS_RESCAN, &CPageWPSDlg::OnBnClickedRescan)
  ON_BN_CLICKED(IDC_WPS_INFORMATION, &CPageWPSDlg::OnBnClickedInformation)
  ON_BN_CLICKED(IDC_WPS_DETAIL, &CPageWPSDlg::OnBnClickedProfileDetail)
  ON_BN_CLICKED(IDC_WPS_CONNECT, &CPageWPSDlg::OnBnClickedConnect)
  ON_BN_CLICKED(IDC_WPS_ROTATE, &CPageWPSDlg::OnBnClickedRotate)
  ON_BN_CLICKED(IDC_WPS_DISCONNECT, &CPageWPSDlg::OnBnClickedDisconnect)
  ON_BN_CLICKED(IDC_WPS_DELETE, &CPageWPSDlg::OnBnClickedDelete)
  ON_BN_CLICKED(IDC_WPS_EXPORT, &CPageWPSDlg::OnBnClickedExportProfile)
  ON_BN_CLICKED(IDC_WPS_RENEW, &CPageWPSDlg::OnBnClickedRenewPin)
  ON_BN_CLICKED(IDC_WPS_AUTO_SELECT, &CPageWPSDlg::OnBnClickedAutoSelect)
  ON_CBN_SELCHANGE(IDC_WPS_CONFIG_MODE, &CPageWPSDlg::OnSelchangeConfigMode)
  ON_CBN_SELCHANGE(IDC_WPS_WIRELESS_MODE, &CPageWPSDlg::OnSelchangeWirelessMode)
  ON_EN_CHANGE(IDC_WPS_PIN_EDIT, &CPageWPSDlg::OnChangePinCode)
  ON_NOTIFY(NM_CLICK, IDC_WPS_AP_LIST, &CPageWPSDlg::OnListClick)
  ON_NOTIFY(NM_CLICK, IDC_WPS_PROFILE_LIST, &CPageWPSDlg::OnListClick)
  ON_WM_TIMER()
  ON_WM_PAINT()
  ON_MESSAGE(WM_BSSLIST_READY, &CPageWPSDlg::OnBssListReady)
  ON_MESSAGE(WM_SCAN_ENDED, &CPageWPSDlg::OnScanEnded)
  ON_MESSAGE(WM_QUICKLIST_GETITEM, &CPageWPSDlg::OnQuickListGetItem)
END_MESSAGE_MAP()

CPageWPSDlg::CPageWPSDlg(CWnd* pParent) : CDialog(IDD_PAGE_WPS, pParent) {}

CPageWPSDlg::~CPageWPSDlg() {
  g_nWpsAutoApIndex = -1;
  g_nWpsMethod = kWpsMethodNone;
  if (g_pHideDlg && IsWindow(g_pHideDlg->GetSafeHwnd()) && IsWindow(GetSafeHwnd())) {
    // The worker polls again once the page is gone.
    if (g_bWpsConnect && g_bWpsRotate) g_pHideDlg->SetTimer(kWpsConnectTimer, kWorkerConnectPeriodMs, nullptr);
    StopTimers();
    KillTimer(kWpsButtonWatchTimer);
    g_pHideDlg->SetTimer(kWpsPollValueTimer, kWorkerPollValuePeriodMs, nullptr);
  }
  m_pageBss.reset();
}

void CPageWPSDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_WPS_AP_SEPARATOR, m_apSeparator);
  DDX_Control(pDX, IDC_WPS_AP_LIST, m_apList);
  DDX_Control(pDX, IDC_WPS_RESCAN, m_btnRescan);
  DDX_Control(pDX, IDC_WPS_INFORMATION, m_btnInformation);
  DDX_Control(pDX, IDC_WPS_PIN_EDIT, m_editPin);
  DDX_Control(pDX, IDC_WPS_RENEW, m_btnRenew);
  DDX_Control(pDX, IDC_WPS_CONFIG_MODE, m_comboConfigMode);
  DDX_Control(pDX, IDC_WPS_PROFILE_SEPARATOR, m_profileSeparator);
  DDX_Control(pDX, IDC_WPS_PROFILE_LIST, m_profileList);
  DDX_Control(pDX, IDC_WPS_DETAIL, m_btnDetail);
  DDX_Control(pDX, IDC_WPS_CONNECT, m_btnConnect);
  DDX_Control(pDX, IDC_WPS_ROTATE, m_btnRotate);
  DDX_Control(pDX, IDC_WPS_DISCONNECT, m_btnDisconnect);
  DDX_Control(pDX, IDC_WPS_EXPORT, m_btnExport);
  DDX_Control(pDX, IDC_WPS_DELETE, m_btnDelete);
  DDX_Control(pDX, IDC_WPS_PIN, m_btnPin);
  DDX_Control(pDX, IDC_WPS_PBC, m_btnPbc);
  DDX_Control(pDX, IDC_WPS_ASSOCIATE_IE, m_checkAssociateIe);
  DDX_Control(pDX, IDC_WPS_PROBE_IE, m_checkProbeIe);
  DDX_Control(pDX, IDC_WPS_AUTO_SELECT, m_checkAutoSelect);
  DDX_Control(pDX, IDC_WPS_PROGRESS, m_progress);
  DDX_Control(pDX, IDC_WPS_WIRELESS_MODE, m_comboWirelessMode);
  DDX_Check(pDX, IDC_WPS_ASSOCIATE_IE, m_bAssociateIe);
  DDX_Check(pDX, IDC_WPS_PROBE_IE, m_bProbeIe);
  DDX_Check(pDX, IDC_WPS_AUTO_SELECT, m_bAutoSelect);
  DDX_Text(pDX, IDC_WPS_PIN_EDIT, m_strPin);
  DDX_Text(pDX, IDC_WPS_STATUS, m_strStatus);
}

CString CPageWPSDlg::LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return GetMLText(text);
}

BOOL CPageWPSDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetWindowText("WPS");
  const std::pair<int, UINT> texts[] = {
      {IDC_WPS_AP_SEPARATOR, IDS_WPS_AP_LIST},    {IDC_WPS_RESCAN, IDS_WPS_RESCAN},
      {IDC_WPS_INFORMATION, IDS_WPS_INFORMATION}, {IDC_WPS_PIN_GROUP, IDS_WPS_PIN_CODE},
      {IDC_WPS_RENEW, IDS_WPS_RENEW},             {IDC_WPS_CONFIG_GROUP, IDS_WPS_CONFIG_MODE},
      {IDC_WPS_PROFILE_SEPARATOR, IDS_WPS_PROFILE_LIST}, {IDC_WPS_DETAIL, IDS_WPS_DETAIL},
      {IDC_WPS_CONNECT, IDS_WPS_CONNECT},         {IDC_WPS_ROTATE, IDS_WPS_ROTATE},
      {IDC_WPS_DISCONNECT, IDS_WPS_DISCONNECT},   {IDC_WPS_EXPORT, IDS_WPS_EXPORT},
      {IDC_WPS_DELETE, IDS_WPS_DELETE},           {IDC_WPS_ASSOCIATE_IE, IDS_WPS_ASSOCIATE_IE},
      {IDC_WPS_PROBE_IE, IDS_WPS_PROBE_IE},       {IDC_WPS_AUTO_SELECT, IDS_WPS_AUTO},
      {IDC_WPS_WIRELESS_LABEL, IDS_WPS_WIRELESS_LABEL}};
  for (const auto& [id, stringId] : texts)
    if (CWnd* control = GetDlgItem(id)) ShowControlText(this, control, stringId);
  m_checkAutoSelect.ShowWindow(SW_HIDE);

  if (m_images.Create(IDB_WPS_IMAGES, kImageWidth, kImageGrowth, RGB(255, 255, 255))) {
    m_apList.SetImageList(&m_images, LVSIL_SMALL);
    m_profileList.SetImageList(&m_images, LVSIL_SMALL);
  }
  InsertColumns(m_apList, kApColumns);
  InsertColumns(m_profileList, kProfileColumns);
  for (CShadeButtonST* button : {&m_btnRescan, &m_btnInformation, &m_btnRenew, &m_btnDetail, &m_btnConnect,
                                 &m_btnRotate, &m_btnDisconnect, &m_btnExport, &m_btnDelete, &m_btnPin, &m_btnPbc}) {
    button->BuildShadeBitmaps(2, 8, 10, 0, 0, 0, 0);
    button->SetLatched(0);
  }
  for (CButtonST* check : {&m_checkAssociateIe, &m_checkProbeIe, &m_checkAutoSelect}) {
    check->LoadIconPair(kCheckIconOn, kCheckIconOff);
    check->SetFlatBorder(FALSE);
    check->SetPaletteColor(CButtonST::BTNST_COLOR_FG_IN, kCheckHoverText, FALSE);
    check->SetPaletteColor(CButtonST::BTNST_COLOR_FG_OUT, 0, FALSE);
  }

  LOGFONT font{};
  font.lfHeight = kProgressFontHeight;
  std::strncpy(font.lfFaceName, kProgressFontFace, LF_FACESIZE - 1);
  m_progressFont.CreateFontIndirect(&font);
  m_progress.SetTextFont(&m_progressFont);
  m_progress.SetEvenColors(3, COLORREF(0x00FF00), COLORREF(0xF0CAA6), COLORREF(0x00FF00));
  m_progress.SetStep(kProgressStep);
  m_progress.SetTextFormat(LoadText(IDS_WPS_PROGRESS_FORMAT), CProgress::kShowPercent);
  m_progress.SetRange(0, 100);
  SetProgress(0);

  // Values of the "_wsc" file outside their ranges read as 0.
  if (g_nWpsWirelessMode < kWpsBand24 || g_nWpsWirelessMode > kWpsBandAuto) g_nWpsWirelessMode = kWpsBand24;
  if (g_nWpsConfigMode != kWpsEnrollee && g_nWpsConfigMode != kWpsRegistrar) g_nWpsConfigMode = kWpsEnrollee;
  char phyMode[8] = "";
  GetModuleIniString("Advance", "SupportPhyModeinWps", "", phyMode, sizeof phyMode, "ini");
  const int showBand = std::strcmp(phyMode, "1") == 0 ? SW_SHOW : SW_HIDE;
  m_comboWirelessMode.ShowWindow(showBand);
  if (CWnd* label = GetDlgItem(IDC_WPS_WIRELESS_LABEL)) label->ShowWindow(showBand);
  for (CComboBoxSuper* combo : {&m_comboWirelessMode, &m_comboConfigMode}) combo->SetColumnCount(1);
  for (UINT id : {IDS_WPS_PREFER_24G, IDS_WPS_PREFER_5G, IDS_WPS_BAND_AUTO}) m_comboWirelessMode.AddString(LoadText(id));
  m_comboWirelessMode.SetCurSel(g_nWpsWirelessMode);
  for (UINT id : {IDS_WPS_ENROLLEE, IDS_WPS_REGISTRAR}) m_comboConfigMode.AddString(LoadText(id));
  m_comboConfigMode.SetCurSel(g_nWpsConfigMode);
  NotifyUIInt(BRIDGE_UI_WPS_CONFIG_MODE, g_nWpsConfigMode, TRUE);

  // While the page exists it is the one WPS poller.
  if (g_pHideDlg && IsWindow(g_pHideDlg->GetSafeHwnd()))
    for (UINT_PTR id : {kWpsConnectTimer, kWpsPollValueTimer, kWpsStatusTimer}) g_pHideDlg->KillTimer(id);
  m_pageBss = std::make_unique<BYTE[]>(kBssListSize);
  std::memset(m_pageBss.get(), 0, kBssListSize);
  UpdateButtons();

  m_dwGeneratedPin = GeneratePin();
  if (g_nWpsConfigMode == kWpsEnrollee) {
    g_nWpsPinCode = static_cast<int>(m_dwGeneratedPin);
  } else {
    // A stored PIN that is no PIN gives way to a new one.
    if (g_nWpsPinCode < 0 || static_cast<DWORD>(g_nWpsPinCode) > kMaxPinValue)
      g_nWpsPinCode = static_cast<int>(m_dwGeneratedPin);
    m_btnDelete.ShowWindow(SW_HIDE);
  }
  ShowPinForMode();
  m_strPin.Format("%08d", g_nWpsPinCode);
  m_editPin.SetCharClassMask(CSmartEdit::kDigits);
  m_editPin.LimitText(8);
  LoadProfileList();
  UpdateData(FALSE);
  // The data exchange holds back the edit's change notification, so the
  // front end is told the PIN here.
  NotifyUI(BRIDGE_UI_WPS_PIN_CODE, m_strPin, TRUE);
  m_nTickCounter = 1;
  if (g_bWpsConnect && WpsCredentialCount() > 0) SetTimer(kWpsConnectWatchTimer, kConnectWatchPeriodMs, nullptr);
  SetTimer(kWpsButtonWatchTimer, kButtonWatchPeriodMs, nullptr);
  return TRUE;
}

void CPageWPSDlg::ShowPinForMode() {
  const bool enrollee = g_nWpsConfigMode == kWpsEnrollee;
  m_editPin.SetReadOnly(enrollee);
  m_btnRenew.EnableWindow(enrollee);
  NotifyUIInt(BRIDGE_UI_WPS_RENEW_ENABLE, enrollee ? 1 : 0, TRUE);
}

LRESULT CPageWPSDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // A hidden page never closes on Enter or Escape.
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) return 1;
  return CDialog::WindowProc(message, wParam, lParam);
}

void CPageWPSDlg::OnPaint() { PaintPageTopLine(this); }

void CPageWPSDlg::RunBridgeCommand(UINT code, const CString& value) {
  const int number = std::atoi(value);
  switch (code) {
    case BRIDGE_CMD_WPS_SELECT_AP:
      if (number >= 0 && number < m_apList.GetItemCount()) SetListSelected(&m_apList, number, 0, 0);
      return;
    case BRIDGE_CMD_WPS_SELECT_PROFILE:
      if (number >= 0 && number < m_profileList.GetItemCount()) SetListSelected(&m_profileList, number, 0, 0);
      return;
    case BRIDGE_CMD_WPS_CONFIG_MODE:
      if (SetComboCurSelSafe(&m_comboConfigMode, number)) OnSelchangeConfigMode();
      return;
    default:
      break;
  }
  static constexpr std::pair<UINT, int> kPresses[] = {
      {BRIDGE_CMD_WPS_RENEW_PIN, IDC_WPS_RENEW}, {BRIDGE_CMD_WPS_RESCAN, IDC_WPS_RESCAN},
      {BRIDGE_CMD_WPS_PBC, IDC_WPS_PBC},         {BRIDGE_CMD_WPS_CONNECT, IDC_WPS_CONNECT},
      {BRIDGE_CMD_WPS_DISCONNECT, IDC_WPS_DISCONNECT}, {BRIDGE_CMD_WPS_PIN, IDC_WPS_PIN}};
  for (const auto& [command, id] : kPresses)
    if (command == code) SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

// ---- Lists ----

int CPageWPSDlg::SelectedApRow() const { return m_apList.GetNextItem(-1, LVNI_SELECTED); }

int CPageWPSDlg::SelectedProfileRow() const { return m_profileList.GetNextItem(-1, LVNI_SELECTED); }

int CPageWPSDlg::BuildApList() {
  m_apEntries.clear();
  if (!m_pageBss) return 0;
  if (!BssidSiteList) {
    std::memset(m_pageBss.get(), 0, kBssListSize);
    return 0;
  }
  // A copy: the worker's list may change while the page walks it.
  const auto copy = std::make_unique<BYTE[]>(kBssListSize);
  std::memcpy(copy.get(), BssidSiteList.get(), kBssListSize);
  int kept = BuildWpsApEntries(copy.get(), kBssListSize, g_nWpsWirelessMode, m_apEntries, m_pageBss.get(), kBssListSize);
  if (kept == 0 && m_bRescanPending) {
    // Nothing in the preferred band after a rescan: every band, once.
    m_bRescanPending = 0;
    SetWirelessMode(kWpsBandAuto);
    kept = BuildWpsApEntries(copy.get(), kBssListSize, g_nWpsWirelessMode, m_apEntries, m_pageBss.get(), kBssListSize);
  }
  if (kept > 0) m_bRescanPending = 0;
  FillApList();
  if (kept > 0) SetListSelected(&m_apList, 0, 0, 0);
  const int mode = m_comboWirelessMode.GetCurSel();
  if (mode >= kWpsBand24 && mode <= kWpsBandAuto) g_nWpsWirelessMode = mode;
  return 1;
}

void CPageWPSDlg::SetWirelessMode(int mode) {
  g_nWpsWirelessMode = mode;
  m_comboWirelessMode.SetCurSel(mode);
}

void CPageWPSDlg::FillApList() {
  SetListCount(m_apList, static_cast<int>(m_apEntries.size()));
  NotifyUI(BRIDGE_UI_WPS_AP_ROW, MakeWpsApRowsText(m_apEntries), TRUE);
}

void CPageWPSDlg::ClearApList() {
  m_apEntries.clear();
  FillApList();
}

void CPageWPSDlg::LoadProfileList() {
  g_nWpsCurrentIndex = 0;
  g_nWpsNextIndex = 0;
  m_profileEntries = MakeWpsProfileEntries();
  FillProfileList();
  if (!m_profileEntries.empty()) SetListSelected(&m_profileList, 0, 0, 0);
}

void CPageWPSDlg::FillProfileList() {
  SetListCount(m_profileList, static_cast<int>(m_profileEntries.size()));
  NotifyUI(BRIDGE_UI_WPS_PROFILE_ROW, MakeWpsProfileRowsText(m_profileEntries), TRUE);
}

void CPageWPSDlg::MarkProfileRow(int row, int mark) {
  if (row >= 0 && row < static_cast<int>(m_profileEntries.size())) {
    m_profileEntries[row].mark = mark;
    m_profileList.RedrawItems(row, row);
  }
  // The high half carries the mark as a signed 16-bit number.
  const DWORD value = ((static_cast<DWORD>(mark) & 0xFFFFu) << 16) | (static_cast<DWORD>(row) & 0xFFFFu);
  NotifyUIInt(BRIDGE_UI_WPS_SELECT, static_cast<int>(value), TRUE);
}

LRESULT CPageWPSDlg::OnQuickListGetItem(WPARAM wParam, LPARAM lParam) {
  auto* cell = reinterpret_cast<CQuickListCell*>(lParam);
  if (!cell) return 0;
  const int row = cell->GetRow();
  const int column = cell->GetColumn();
  if (reinterpret_cast<HWND>(wParam) == m_apList.GetSafeHwnd()) {
    if (row < 0 || row >= static_cast<int>(m_apEntries.size())) return 0;
    const WpsApEntry& ap = m_apEntries[row];
    switch (column) {
      case 0:
        if (ap.mark == 1) cell->m_nImage = kImagePicked;
        break;
      case 1:
        cell->m_strText.Format("ID : %s", static_cast<LPCSTR>(ap.passwordId));
        break;
      case 2:
        cell->m_strText = ap.ssid;
        break;
      case 3:
        cell->m_strText = ap.bssid;
        break;
      case 4:
        cell->m_strText = ap.channel;
        break;
      case 5:
        if (ap.secured) cell->m_nImage = kImageSecured;
        break;
      default:
        break;
    }
    return 0;
  }
  if (row < 0 || row >= static_cast<int>(m_profileEntries.size())) return 0;
  const WpsProfileEntry& profile = m_profileEntries[row];
  switch (column) {
    case 0:
      if (profile.mark == 0) cell->m_nImage = kImagePicked;
      if (profile.mark == 1) cell->m_nImage = kImageConnecting;
      break;
    case 1:
      cell->m_strText = profile.ssid;
      break;
    case 2:
      cell->m_strText = profile.second;
      break;
    case 3:
      if (profile.secured) cell->m_nImage = kImageSecured;
      break;
    default:
      break;
  }
  return 0;
}

void CPageWPSDlg::OnListClick(NMHDR*, LRESULT* pResult) {
  UpdateButtons();
  *pResult = 0;
}

void CPageWPSDlg::EnableButton(CWnd& button, BOOL enable, UINT code) {
  button.EnableWindow(enable);
  NotifyUIInt(code, enable ? 1 : 0, TRUE);
}

void CPageWPSDlg::UpdateButtons() {
  const BOOL apSelected = SelectedApRow() >= 0;
  const BOOL profileSelected = SelectedProfileRow() >= 0;
  m_btnInformation.EnableWindow(apSelected);
  EnableButton(m_btnPin, apSelected || m_bAutoSelect, BRIDGE_UI_WPS_BUTTON_ENABLE_LAST);
  m_btnDetail.EnableWindow(profileSelected);
  EnableButton(m_btnConnect, profileSelected, BRIDGE_UI_WPS_BUTTON_ENABLE + 2);
  m_btnDelete.EnableWindow(profileSelected);
  m_btnRotate.EnableWindow(WpsCredentialCount() > 0);
}

// ---- PIN ----

DWORD CPageWPSDlg::GeneratePin() { return GenerateWpsPin(); }

BOOL CPageWPSDlg::ValidatePin() {
  DWORD value = 0;
  switch (CheckWpsPinText(m_strPin, value)) {
    case kWpsPinBadLength:
      m_editPin.GetInfoWnd().ShowInfo(&m_editPin, "Invaild Pin Code");
      m_editPin.SetFocus();
      return FALSE;
    case kWpsPinBadChecksum:
      WarningMessageBox("Pin Code error");
      m_editPin.SetFocus();
      return FALSE;
    case kWpsPinValid:
      break;
  }
  g_nWpsPinCode = static_cast<int>(value);
  SaveWpsProfiles(0);
  return TRUE;
}

void CPageWPSDlg::OnBnClickedRenewPin() {
  m_dwGeneratedPin = GeneratePin();
  g_nWpsPinCode = static_cast<int>(m_dwGeneratedPin);
  m_strPin.Format("%08d", g_nWpsPinCode);
  SaveWpsProfiles(0);
  UpdateData(FALSE);
  NotifyUI(BRIDGE_UI_WPS_PIN_CODE, m_strPin, TRUE);
}

void CPageWPSDlg::OnChangePinCode() {
  CString text;
  m_editPin.GetWindowText(text);
  NotifyUI(BRIDGE_UI_WPS_PIN_CODE, text, TRUE);
}

void CPageWPSDlg::OnBnClickedAutoSelect() {
  UpdateData(TRUE);
  EnableButton(m_btnPin, m_bAutoSelect == 1 || SelectedApRow() >= 0, BRIDGE_UI_WPS_BUTTON_ENABLE_LAST);
}

// ---- Modes ----

void CPageWPSDlg::OnSelchangeWirelessMode() {
  const int mode = m_comboWirelessMode.GetCurSel();
  if (mode < kWpsBand24 || mode > kWpsBandAuto) return;
  g_nWpsWirelessMode = mode;
  OnBnClickedRescan();
  DWORD value = static_cast<DWORD>(mode), written = 0;
  SetOid(OID_VX_PRIVATE_0151, &value, sizeof value, &written, 3);
  SaveWpsProfiles(0);
}

void CPageWPSDlg::OnSelchangeConfigMode() {
  const int mode = m_comboConfigMode.GetCurSel();
  if (mode == g_nWpsConfigMode || (mode != kWpsEnrollee && mode != kWpsRegistrar)) return;
  NotifyUIInt(BRIDGE_UI_WPS_CONFIG_MODE, mode, TRUE);
  OnBnClickedDisconnect();
  g_nWpsCurrentIndex = 0;
  g_nWpsNextIndex = 0;
  g_nWpsConfigMode = mode;
  ClearCredentials();
  if (mode == kWpsEnrollee) {
    g_nWpsPinCode = static_cast<int>(m_dwGeneratedPin);
    m_strPin.Format("%08d", g_nWpsPinCode);
    UpdateData(FALSE);
    NotifyUI(BRIDGE_UI_WPS_PIN_CODE, m_strPin, TRUE);
    SaveWpsProfiles(0);
    LoadProfileList();
    m_btnDelete.ShowWindow(SW_SHOW);
  } else {
    MakeRegistrarCredential();
    SaveWpsProfiles(0);
    LoadProfileList();
    m_btnDelete.ShowWindow(SW_HIDE);
  }
  ShowPinForMode();
}

// ---- Scans ----

void CPageWPSDlg::OnBnClickedRescan() {
  m_bRescanPending = 1;
  EnableButton(m_btnRescan, FALSE, BRIDGE_UI_WPS_BUTTON_ENABLE);
  m_btnInformation.EnableWindow(FALSE);
  EnableButton(m_btnPin, FALSE, BRIDGE_UI_WPS_BUTTON_ENABLE_LAST);
  EnableButton(m_btnPbc, FALSE, BRIDGE_UI_WPS_BUTTON_ENABLE + 1);
  m_btnDetail.EnableWindow(FALSE);
  EnableButton(m_btnConnect, FALSE, BRIDGE_UI_WPS_BUTTON_ENABLE + 2);
  m_btnRotate.EnableWindow(FALSE);
  StartRescanWait();
}

LRESULT CPageWPSDlg::OnScanEnded(WPARAM, LPARAM) {
  EnableButton(m_btnRescan, TRUE, BRIDGE_UI_WPS_BUTTON_ENABLE);
  EnableButton(m_btnPbc, TRUE, BRIDGE_UI_WPS_BUTTON_ENABLE + 1);
  UpdateButtons();
  return 0;
}

LRESULT CPageWPSDlg::OnBssListReady(WPARAM, LPARAM) {
  OnScanEnded(0, 0);
  // An automatic PIN run walks the list it started with.
  if (!m_bWalkTimerArmed) {
    BuildApList();
    UpdateButtons();
  }
  return 0;
}

// ---- The detail view and secondary dialogs ----

void CPageWPSDlg::OpenHostDialog(int index) {
  if (!g_pHideDlg) return;
  g_pHideDlg->ShowPage(index);
  if (CStationHost* host = g_pHideDlg->GetHost()) {
    g_bHostExpanded = 0;
    host->ToggleLayout();
  }
}

void CPageWPSDlg::OnBnClickedInformation() {
  const int row = SelectedApRow();
  if (row < 0) {
    WarningMessageBox(LoadText(IDS_WPS_NO_SELECTED_ITEM));
    return;
  }
  DWORD length = 0;
  const BYTE* record = WpsKeptRecord(m_pageBss.get(), kBssListSize, row, &length);
  CStationHost* host = g_pHideDlg ? g_pHideDlg->GetHost() : nullptr;
  auto* detail = dynamic_cast<CAPDetailInfoDlg*>(host ? host->GetSecondaryDialog(kHostDlgApDetailInfo) : nullptr);
  if (!record || !detail || !detail->GetSafeHwnd()) return;
  // Records in the list lie at any byte offset: the view reads an aligned copy.
  m_detailRecord.assign((length + sizeof(DWORD) - 1) / sizeof(DWORD), 0);
  std::memcpy(m_detailRecord.data(), record, length);
  detail->SetBssRecord(reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(m_detailRecord.data()));
  if (detail->IsWindowVisible()) detail->ShowWindow(SW_HIDE);
  g_pHideDlg->ShowPage(kHostDlgApDetailInfo);
  if (CShadeButtonST* first = detail->GetTabButton(0)) first->SendMessage(BM_CLICK);
  g_bHostExpanded = 0;
  host->ToggleLayout();
}
