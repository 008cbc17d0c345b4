#include "station/status/PageSiteSurveyDlg.h"

#include <algorithm>
#include <cstring>

#include "frontend/BridgeCodes.h"
#include "frontend/UiBridge.h"
#include "platform/lingwell/Lingwell.h"
#include "platform/wire/Bytes.h"
#include "platform/wire/NdisBssidList.h"
#include "station/profiles/HiddenSsidDlg.h"
#include "station/profiles/PageProfileDlg.h"
#include "station/profiles/ProfileEditorDlg.h"
#include "station/status/APDetailInfoDlg.h"
#include "utilmere/WindowTools.h"
#include "widgets/WidgetMessages.h"
#include "worker/ActionQueue.h"
#include "worker/BssInfoElements.h"
#include "worker/BssLists.h"
#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"
#include "worker/PageTopLine.h"
#include "worker/StationHost.h"
#include "worker/WorkerGlobals.h"

namespace {

using namespace wavorel::wire::ndis::bssid;
using wavorel::wire::getU32;

constexpr int kImageWidth = 16;
constexpr int kImageGrowth = 24;
constexpr UINT kRadioIconOn = 212;
constexpr UINT kRadioIconOff = 210;
constexpr UINT kCheckIconOn = 209;
constexpr UINT kCheckIconOff = 207;
constexpr COLORREF kCheckHoverText = 0xFF0000;

struct Column {
  LPCSTR header;
  int format;
  double width;
};
constexpr Column kColumns[kSiteColCount] = {
    {"Connected Icon", LVCFMT_CENTER, 0.02}, {"SSID", LVCFMT_LEFT, 0.31},     {"Network Type", LVCFMT_CENTER, 0.02},
    {"Channel", LVCFMT_LEFT, 0.04},          {"a Icon", LVCFMT_CENTER, 0.02}, {"b Icon", LVCFMT_CENTER, 0.02},
    {"g Icon", LVCFMT_CENTER, 0.02},         {"n Icon", LVCFMT_CENTER, 0.02}, {"Security Icon", LVCFMT_CENTER, 0.02},
    {"", LVCFMT_CENTER, 0.08},               {"Signal", LVCFMT_CENTER, 0.41}};

// The signal bar's colour of a percentage.
COLORREF BarColour(int percent) {
  if (percent > 75) return 0xC87814;
  if (percent > 50) return 0x46F064;
  if (percent > 25) return 0x32E6FA;
  return 0x2828F0;
}

CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return GetMLText(text);
}

}  // namespace

BEGIN_MESSAGE_MAP(CPageSiteSurveyDlg, CDialog)
  ON_WM_PAINT()
  ON_WM_TIMER()
  ON_WM_DESTROY()
  ON_BN_CLICKED(IDC_SS_RESCAN, &CPageSiteSurveyDlg::OnRescan)
  ON_BN_CLICKED(IDC_SS_SORT_SSID, &CPageSiteSurveyDlg::OnSortKey)
  ON_BN_CLICKED(IDC_SS_SORT_CHANNEL, &CPageSiteSurveyDlg::OnSortKey)
  ON_BN_CLICKED(IDC_SS_SORT_SIGNAL, &CPageSiteSurveyDlg::OnSortKey)
  ON_BN_CLICKED(IDC_SS_SHOW_DBM, &CPageSiteSurveyDlg::OnShowDbm)
  ON_BN_CLICKED(IDC_SS_CONNECT, &CPageSiteSurveyDlg::OnConnect)
  ON_BN_CLICKED(IDC_SS_ADD_TO_PROFILE, &CPageSiteSurveyDlg::OnAddToProfile)
  ON_MESSAGE(WM_QUICKLIST_GETITEM, &CPageSiteSurveyDlg::OnGetItem)
  ON_NOTIFY(NM_DBLCLK, IDC_SS_LIST, &CPageSiteSurveyDlg::OnListDblClk)
  ON_NOTIFY(NM_CLICK, IDC_SS_LIST, &CPageSiteSurveyDlg::OnListClick)
  ON_MESSAGE(WM_BSSLIST_READY, &CPageSiteSurveyDlg::OnBssListReady)
END_MESSAGE_MAP()

CPageSiteSurveyDlg::CPageSiteSurveyDlg(CWnd* pParent)
    : CDialog(IDD_PAGE_SITE_SURVEY, pParent), m_siteCopy(std::make_unique<BYTE[]>(kBssListSize)) {
  std::memset(m_siteCopy.get(), 0, kBssListSize);
  ResetSecurity();
}

CPageSiteSurveyDlg::~CPageSiteSurveyDlg() = default;

void CPageSiteSurveyDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_SS_LIST, m_list);
  DDX_Control(pDX, IDC_SS_RESCAN, m_btnRescan);
  DDX_Control(pDX, IDC_SS_CONNECT, m_btnConnect);
  DDX_Control(pDX, IDC_SS_ADD_TO_PROFILE, m_btnAddToProfile);
  DDX_Control(pDX, IDC_SS_SORT_SSID, m_radioSort[0]);
  DDX_Control(pDX, IDC_SS_SORT_CHANNEL, m_radioSort[1]);
  DDX_Control(pDX, IDC_SS_SORT_SIGNAL, m_radioSort[2]);
  DDX_Control(pDX, IDC_SS_SHOW_DBM, m_checkShowDbm);
  DDX_Control(pDX, IDC_SS_SEPARATOR, m_separator);
  DDX_Radio(pDX, IDC_SS_SORT_SSID, m_nSortKey);
  DDX_Check(pDX, IDC_SS_SHOW_DBM, g_bShowDbm);
}

BOOL CPageSiteSurveyDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (CWnd* text = GetDlgItem(IDC_SS_STATIC)) ShowControlText(this, text, 0);
  ShowControlText(this, &m_list, 0);
  const std::pair<int, UINT> labels[] = {{IDC_SS_SSID_LABEL, IDS_SS_SSID},
                                         {IDC_SS_CHANNEL_LABEL, IDS_SS_CHANNEL},
                                         {IDC_SS_SIGNAL_LABEL, IDS_SS_SIGNAL},
                                         {IDC_SS_SHOW_DBM_LABEL, IDS_SS_SHOW_DBM},
                                         {IDC_SS_SEPARATOR, IDS_SS_AP_LIST}};
  for (const auto& [id, stringId] : labels)
    if (CWnd* label = GetDlgItem(id)) ShowControlText(this, label, stringId);
  for (CButtonST& radio : m_radioSort) radio.LoadIconPair(kRadioIconOn, kRadioIconOff);
  m_checkShowDbm.LoadIconPair(kCheckIconOn, kCheckIconOff);
  m_checkShowDbm.SetPaletteColor(CButtonST::BTNST_COLOR_FG_IN, kCheckHoverText, FALSE);
  m_checkShowDbm.SetPaletteColor(CButtonST::BTNST_COLOR_FG_OUT, 0, FALSE);

  m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
  if (m_images.Create(IDB_SITE_IMAGES, kImageWidth, kImageGrowth, RGB(255, 255, 255)))
    m_list.SetImageList(&m_images, LVSIL_SMALL);
  CRect window;
  m_list.GetWindowRect(&window);
  for (int column = 0; column < kSiteColCount; ++column)
    m_list.InsertColumn(column, kColumns[column].header, kColumns[column].format,
                        static_cast<int>(window.Width() * kColumns[column].width));

  const std::pair<CShadeButtonST*, UINT> buttons[] = {
      {&m_btnRescan, IDS_SS_RESCAN}, {&m_btnConnect, IDS_SS_CONNECT}, {&m_btnAddToProfile, IDS_SS_ADD_TO_PROFILE}};
  for (const auto& [button, stringId] : buttons) {
    button->SetWindowText(LoadText(stringId));
    button->BuildShadeBitmaps(2, 8, 10, 0, 0, 0, 0);
  }
  m_btnConnect.ShowWindow(SW_HIDE);

  StartAdapterView();
  UpdateButtons();
  m_nTimer = SetTimer(kSiteSurveyTimer, kSiteSurveyPeriodMs, nullptr);
  return TRUE;
}

BOOL CPageSiteSurveyDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  // A hidden page never closes on Enter or Escape.
  const UINT id = LOWORD(wParam);
  if (id == IDOK || id == IDCANCEL) return TRUE;
  return CDialog::OnCommand(wParam, lParam);
}

void CPageSiteSurveyDlg::OnPaint() { PaintPageTopLine(this); }

void CPageSiteSurveyDlg::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == kSiteSurveyTimer) {
    RefreshConnection();
    UpdateButtons();
  }
  CDialog::OnTimer(nIDEvent);
}

void CPageSiteSurveyDlg::OnDestroy() {
  if (m_nTimer) KillTimer(m_nTimer);
  m_nTimer = 0;
  // The prompt must not call back into a page that is gone.
  if (CHiddenSsidDlg* prompt = HiddenSsidPrompt()) prompt->SetContinuation(nullptr);
  CDialog::OnDestroy();
}

void CPageSiteSurveyDlg::OnRescan() {
  m_bRescanPending = 1;
  RequestRescan();
  UpdateButtons();
}

void CPageSiteSurveyDlg::OnSortKey() {
  UpdateData(TRUE);
  m_bRescanPending = 1;
}

void CPageSiteSurveyDlg::OnShowDbm() {
  UpdateData(TRUE);
  const int top = m_list.GetTopIndex();
  m_list.RedrawCellTexts(top, top + m_list.GetCountPerPage(), kSiteColSignalText, FALSE);
}

void CPageSiteSurveyDlg::OnConnect() { ConnectSelected(SelectedRow()); }

void CPageSiteSurveyDlg::RebuildList() {
  m_rows.clear();
  m_rowOffsets.clear();
  NotifyUI(BRIDGE_UI_SURVEY_ROW, "", TRUE);
  SortSiteList(BssidSiteList.get(), kBssListSize, g_siteStamps, kSiteStampCapacity, m_nSortKey);
  m_list.SetItemCount(0);
  if (BssidSiteList)
    std::memcpy(m_siteCopy.get(), BssidSiteList.get(), kBssListSize);
  else
    std::memset(m_siteCopy.get(), 0, kBssListSize);
  BuildSiteRows(m_siteCopy.get(), kBssListSize, m_rows, &m_rowOffsets);
  FillList();
}

void CPageSiteSurveyDlg::FillList() {
  m_list.SendMessage(WM_SETREDRAW, FALSE);
  m_list.SetItemCount(GetRowCount());
  m_list.SendMessage(WM_SETREDRAW, TRUE);
  const int top = m_list.GetTopIndex();
  m_list.RedrawItems(top, top + m_list.GetCountPerPage());
  NotifyUI(BRIDGE_UI_SURVEY_ROW, MakeSurveyRowsText(m_rows), TRUE);
}

const BYTE* CPageSiteSurveyDlg::RecordOfRow(int row, DWORD* length) const {
  if (row < 0 || row >= static_cast<int>(m_rowOffsets.size())) return nullptr;
  const BYTE* record = m_siteCopy.get() + m_rowOffsets[row];
  if (length) *length = getU32(record + kLength);
  return record;
}

void CPageSiteSurveyDlg::MarkConnected(int row, BOOL notConnected) {
  for (SiteRow& site : m_rows) site.connected = 0;
  const bool marked = !notConnected && row >= 0 && row < GetRowCount();
  if (marked) m_rows[row].connected = 1;
  const int top = m_list.GetTopIndex();
  m_list.RedrawCells(top, top + m_list.GetCountPerPage(), kSiteColConnected, FALSE);
  NotifyUIInt(BRIDGE_UI_SURVEY_MARK_CONNECTED, marked ? row : -1, TRUE);
}

void CPageSiteSurveyDlg::UpdateConnectButton() {
  UpdateButtons();
  NotifyUIInt(BRIDGE_UI_CONNECT_ENABLE, m_btnConnect.IsWindowEnabled() ? 1 : 0, TRUE);
}

int CPageSiteSurveyDlg::SelectedRow() const { return m_list.GetNextItem(-1, LVNI_SELECTED); }

LRESULT CPageSiteSurveyDlg::OnGetItem(WPARAM, LPARAM lParam) {
  auto* cell = reinterpret_cast<CQuickListCell*>(lParam);
  if (!cell) return 0;
  const int row = cell->GetRow();
  if (row < 0 || row >= GetRowCount()) return 0;
  const SiteRow& site = m_rows[row];
  const int percent = RssiToPercent(site.rssi);
  switch (cell->GetColumn()) {
    case kSiteColConnected:
      if (site.connected == 1) cell->m_nImage = kSiteImageConnected;
      break;
    case kSiteColSsid:
      cell->m_strText = site.ssid;
      break;
    case kSiteColNetworkType:
      cell->m_nImage = site.infrastructureMode;
      break;
    case kSiteColChannel:
      cell->m_strText = site.channelText;
      break;
    case kSiteColA:
      if (site.networkType == 2) cell->m_nImage = kSiteImageA;
      break;
    case kSiteColB:
      if (site.networkType == 0 || site.networkType == 1 || site.networkType == 3) cell->m_nImage = kSiteImageB;
      break;
    case kSiteColG:
      if (site.networkType == 3) cell->m_nImage = kSiteImageG;
      break;
    case kSiteColN:
      if (site.ht == 1) cell->m_nImage = kSiteImageN;
      break;
    case kSiteColSecurity:
      if (site.wps == 1)
        cell->m_nImage = kSiteImageWps;
      else if (site.secured == 1)
        cell->m_nImage = kSiteImageLock;
      break;
    case kSiteColSignalText:
      if (g_bShowDbm)
        cell->m_strText.Format("%d dBm", site.rssi);
      else
        cell->m_strText.Format("%d%%", percent);
      break;
    case kSiteColSignalBar:
      cell->m_nProgressMax = 100;
      cell->m_nProgressValue = percent;
      cell->m_nBarEdge = 3;
      cell->m_crBar = BarColour(percent);
      break;
    default:
      break;
  }
  return 0;
}

void CPageSiteSurveyDlg::OnListClick(NMHDR*, LRESULT* pResult) {
  const int row = SelectedRow();
  if (row >= 0 && row < GetRowCount()) {
    m_nSecurityKind = m_rows[row].secured;
    UpdateButtons();
  }
  *pResult = 0;
}

void CPageSiteSurveyDlg::SelectSite(int row) {
  if (row < 0 || row >= m_list.GetItemCount()) return;
  SetListSelected(&m_list, row, 0, 0);
  DWORD length = 0;
  const BYTE* record = RecordOfRow(row, &length);
  if (getU32(m_siteCopy.get()) == 0 || !record) return;
  CString auth, cipher;
  if (!SiteSecurityFields(record, length, auth, cipher)) return;
  const CString security = cipher == "None" && getU32(record + kPrivacy) != 0 ? CString("WEP") : cipher;
  CString ssid = SiteSsid(record);
  if (ssid.IsEmpty()) ssid = "Hidden";
  const DWORD frequency = getU32(record + kConfiguration + wavorel::wire::ndis::configuration::kDsConfig);
  CString text;
  text.Format("%d\t%s\t%s\t%s\t%s\t%s", row, static_cast<LPCSTR>(MakeNotifyField(ssid)),
              static_cast<LPCSTR>(SiteBssidText(record)), static_cast<LPCSTR>(MakeNotifyField(security)),
              static_cast<LPCSTR>(SiteDetailChannelText(frequency)),
              SiteNetworkTypeText(getU32(record + kInfrastructureMode)));
  NotifyUI(BRIDGE_UI_BSS_DETAIL, text, TRUE);
}

void CPageSiteSurveyDlg::OnListDblClk(NMHDR*, LRESULT* pResult) {
  *pResult = 0;
  const int row = SelectedRow();
  if (row < 0) {
    WarningMessageBox(LoadText(IDS_SS_NO_SELECTED_ITEM));
    return;
  }
  DWORD length = 0;
  const BYTE* record = RecordOfRow(row, &length);
  if (getU32(m_siteCopy.get()) == 0 || !record) return;
  CStationHost* host = g_pHideDlg ? g_pHideDlg->GetHost() : nullptr;
  auto* detail = dynamic_cast<CAPDetailInfoDlg*>(host ? host->GetSecondaryDialog(kHostDlgApDetailInfo) : nullptr);
  if (detail && detail->GetSafeHwnd()) {
    // Records in the list lie at any byte offset: the view reads an aligned copy.
    m_detailRecord.assign((length + sizeof(DWORD) - 1) / sizeof(DWORD), 0);
    std::memcpy(m_detailRecord.data(), record, length);
    detail->SetBssRecord(reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(m_detailRecord.data()));
    if (detail->IsWindowVisible()) detail->ShowWindow(SW_HIDE);
  }
  OpenHostDialog(kHostDlgApDetailInfo);
}

void CPageSiteSurveyDlg::OnAddToProfile() {
  const int row = SelectedRow();
  if (row < 0) {
    WarningMessageBox(LoadText(IDS_SS_NO_SELECTED_ITEM));
    return;
  }
  if (getU32(m_siteCopy.get()) == 0) return;
  m_pSelectedRecord = RecordOfRow(row);
  if (!m_pSelectedRecord) return;
  TakeSiteSecurity();
  OpenProfileEditorFromSite();
}

void CPageSiteSurveyDlg::OpenProfileEditorFromSite() {
  CStationHost* host = g_pHideDlg ? g_pHideDlg->GetHost() : nullptr;
  if (!host) return;
  auto* editor = dynamic_cast<CProfileEditorDlg*>(host->GetSecondaryDialog(kHostDlgProfileEditor));
  if (editor && editor->GetSafeHwnd() && editor->GetSystemConfigPage() && editor->GetAuthEncryPage()) {
    const BYTE* record = m_pSelectedRecord;
    const int infrastructure = static_cast<int>(getU32(record + kInfrastructureMode));
    CString name;
    if (auto* profiles = dynamic_cast<CPageProfileDlg*>(host->GetTabPage(kHostTabProfile))) profiles->GetNewProfileName(name);
    CPageAuthEncryDlg* security = editor->GetAuthEncryPage();
    security->m_nHostKind = 1;
    editor->GetSystemConfigPage()->LoadFromSite(
        name, SiteSsid(record), infrastructure,
        getU32(record + kConfiguration + wavorel::wire::ndis::configuration::kDsConfig));
    security->LoadFromSite(infrastructure, m_bSecured, m_nSecurityKind, m_strSiteCipher);
    if (CPage8021XDlg* oneX = editor->Get8021XPage()) {
      oneX->m_bFromSite = TRUE;
      oneX->LoadFromSite();
    }
  }
  OpenHostDialog(kHostDlgProfileEditor);
}
