#include "frontend/PageMainDlg_SiteSurvey.h"

#include <algorithm>
#include <cstdlib>

#include "frontend/SkinFunctions.h"
#include "frontend/StationPageIds.h"
#include "frontend/StationPageTools.h"
#include "frontend/UiBridge.h"
#include "utilmere/Utilmere.h"

namespace {

// Details in the order the page lays them out.
enum Detail { kSsid, kNetworkType, kEncryption, kChannel, kBssid, kDetailCount };
constexpr UINT kDetailLabels[kDetailCount] = {IDC_SURVEY_SSID_LABEL, IDC_SURVEY_NETTYPE_LABEL,
                                              IDC_SURVEY_ENCRYPTION_LABEL, IDC_SURVEY_CHANNEL_LABEL,
                                              IDC_SURVEY_BSSID_LABEL};
constexpr UINT kDetailValues[kDetailCount] = {IDC_SURVEY_SSID, IDC_SURVEY_NETTYPE, IDC_SURVEY_ENCRYPTION,
                                              IDC_SURVEY_CHANNEL, IDC_SURVEY_BSSID};
// Where each detail stands in a code-28 text (field 0 is the row).
constexpr int kDetailField[kDetailCount] = {1, 5, 3, 4, 2};

constexpr int kFieldSsid = 0;
constexpr int kFieldConnected = 1;
constexpr int kFieldSignal = 6;
constexpr int kPercentPerLevel = 20;

}  // namespace

BEGIN_MESSAGE_MAP(CPageMainDlg_SiteSurvey, CGxTabPage)
  ON_BN_CLICKED(IDC_BTN_CONNECT, &CPageMainDlg_SiteSurvey::OnConnect)
  ON_BN_CLICKED(IDC_SURVEY_REFRESH, &CPageMainDlg_SiteSurvey::OnRefresh)
  ON_BN_CLICKED(IDC_SURVEY_SAVE, &CPageMainDlg_SiteSurvey::OnSave)
  ON_MESSAGE(WM_SORTLIST_CLICK, &CPageMainDlg_SiteSurvey::OnListClick)
  ON_NOTIFY(NM_DBLCLK, IDC_SURVEY_LIST, &CPageMainDlg_SiteSurvey::OnListDblClk)
  ON_MESSAGE(WM_TABPAGE_LEAVE, &CPageMainDlg_SiteSurvey::OnTabPageLeave)
END_MESSAGE_MAP()

CPageMainDlg_SiteSurvey::CPageMainDlg_SiteSurvey(CWnd* pParent) : CGxTabPage(IDD_PAGE_STATION_SITESURVEY, pParent) {
  SetRegionFile(StationSkinPath("TabCtrlPage_SiteSurvey.bmp"), kStationPageSkinKey);
}

CPageMainDlg_SiteSurvey::~CPageMainDlg_SiteSurvey() = default;

void CPageMainDlg_SiteSurvey::DoDataExchange(CDataExchange* pDX) {
  CGxTabPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_PAGE_DESC, m_desc);
  DDX_Control(pDX, IDC_SURVEY_SSID_CAPTION, m_captionSsid);
  DDX_Control(pDX, IDC_SURVEY_SIGNAL_CAPTION, m_captionSignal);
  DDX_Control(pDX, IDC_SURVEY_DETAIL_CAPTION, m_captionDetail);
  DDX_Control(pDX, IDC_LIST_FRAME, m_frame);
  DDX_Control(pDX, IDC_SURVEY_LIST, m_list);
  for (int i = 0; i < kDetailCount; ++i) {
    DDX_Control(pDX, kDetailLabels[i], m_labels[i]);
    DDX_Control(pDX, kDetailValues[i], m_values[i]);
  }
  DDX_Control(pDX, IDC_BTN_CONNECT, m_btnConnect);
  DDX_Control(pDX, IDC_SURVEY_REFRESH, m_btnRefresh);
  DDX_Control(pDX, IDC_SURVEY_SAVE, m_btnSave);
}

BOOL CPageMainDlg_SiteSurvey::OnInitDialog() {
  CGxTabPage::OnInitDialog();
  SkinPageText(&m_desc);
  SkinPageTitle(&m_captionSsid);
  SkinPageTitle(&m_captionSignal);
  SkinPageTitle(&m_captionDetail);
  for (int i = 0; i < kDetailCount; ++i) SkinLabelValuePair(&m_labels[i], &m_values[i], 9, 1, 9, 0);
  SkinCommonButton(&m_btnConnect, 1, nullptr, nullptr);
  SkinCommonButton(&m_btnRefresh, 1, nullptr, nullptr);
  SkinCommonButton(&m_btnSave, 1, nullptr, nullptr);
  m_btnConnect.EnableWindow(FALSE);
  m_btnSave.EnableWindow(FALSE);
  SetUpStationList(m_list, "CPageMainDlg_SiteSurvey::m_ListCtrl", "SSID,140;Signal,200;", "NetSignal.bmp",
                   kStationRowBackground, &m_frame);
  std::vector<PendingRow> pending;
  pending.swap(m_pending);
  for (const PendingRow& row : pending) AppendRow(row);
  m_btnSave.ShowWindow(SW_HIDE);
  return TRUE;
}

int CPageMainDlg_SiteSurvey::SignalImage(int percent, BOOL bConnected) {
  const int level = (std::clamp(percent, 0, 100) - 1) / kPercentPerLevel;
  return level + (bConnected ? kLevelCount : 0);
}

void CPageMainDlg_SiteSurvey::AppendRow(const PendingRow& row) {
  if (!m_list.GetSafeHwnd()) {
    m_pending.push_back(row);
    return;
  }
  CStringArray texts;
  texts.Add(row.ssid);
  texts.Add(FormatString("%d%%", row.signal));
  const int at = m_list.InsertItem(-1, texts, SignalImage(row.signal, row.connected));
  if (at >= 0) m_list.ChangeLineColor(at, kStationRowText, kStationRowBackground);
}

void CPageMainDlg_SiteSurvey::FillSurveyRows(const CString& text) {
  if (m_list.GetSafeHwnd()) m_list.DeleteAllItems();
  m_pending.clear();
  ForEachStationRow(text, [this](CStringArray& fields) {
    AppendRow({GetArrayItemUnquoted(&fields, kFieldSsid), atoi(GetArrayItemUnquoted(&fields, kFieldSignal)),
               atoi(GetArrayItemUnquoted(&fields, kFieldConnected)) != 0 ? TRUE : FALSE});
  });
  if (m_btnRefresh.GetSafeHwnd()) m_btnRefresh.EnableWindow(TRUE);
}

void CPageMainDlg_SiteSurvey::MarkConnectedRow(int row) {
  const int image = GetRowImage(m_list, row);
  if (image < 0 || image >= kLevelCount) return;
  for (int other = 0; other < m_list.GetItemCount(); ++other)
    m_list.ChangeItemImage(other, GetRowImage(m_list, other) % kLevelCount);
  m_list.ChangeItemImage(row, image % kLevelCount + kLevelCount);
}

void CPageMainDlg_SiteSurvey::ShowBssDetail(const CString& text) {
  CStringArray fields;
  SplitStationText(text, "\t", fields);
  if (fields.GetSize() == 0) return;
  const int row = atoi(fields[0]);
  if (row < 0 || row >= m_list.GetItemCount()) return;
  for (int i = 0; i < kDetailCount; ++i) SetWindowTextIfChanged(&m_values[i], GetArrayItemUnquoted(&fields, kDetailField[i]));
  NotifyWorkerInt(BRIDGE_CMD_QUERY_CONNECT_ENABLE, 0, TRUE);
}

void CPageMainDlg_SiteSurvey::BlankDetails() {
  for (CGxEdit& value : m_values) SetWindowTextIfChanged(&value, "");
}

void CPageMainDlg_SiteSurvey::ClearSurvey() {
  if (!m_list.GetSafeHwnd()) return;
  m_list.DeleteAllItems();
  BlankDetails();
}

void CPageMainDlg_SiteSurvey::OnRefresh() {
  m_btnRefresh.EnableWindow(FALSE);
  m_btnConnect.EnableWindow(FALSE);
  m_btnSave.EnableWindow(FALSE);
  BlankDetails();
  NotifyWorkerInt(BRIDGE_CMD_RESCAN, 0, TRUE);
}

void CPageMainDlg_SiteSurvey::OnSave() {
  if (!m_btnSave.IsWindowEnabled()) return;
  NotifyWorkerInt(BRIDGE_CMD_ADD_BSS_TO_PROFILE, m_list.GetSelectionMark(), TRUE);
}

void CPageMainDlg_SiteSurvey::OnConnect() {
  if (!AcceptConnect(m_btnConnect, ConnectPage::kSiteSurvey)) return;
  const int row = m_list.GetSelectionMark();
  const int image = GetRowImage(m_list, row);
  if (image < 0) return;
  if (image >= kLevelCount && !ConfirmConnectAnother()) return;
  NotifyWorkerInt(BRIDGE_CMD_CONNECT_BSS, row, TRUE);
}

LRESULT CPageMainDlg_SiteSurvey::OnListClick(WPARAM wParam, LPARAM) {
  const int row = ClickedRow(m_list, reinterpret_cast<const NMITEMACTIVATE*>(wParam));
  if (row < 0 || row >= m_list.GetItemCount()) return 0;
  m_nClickedRow = row;
  NotifyWorkerInt(BRIDGE_CMD_SELECT_BSS, row, TRUE);
  return 0;
}

void CPageMainDlg_SiteSurvey::OnListDblClk(NMHDR* pNotify, LRESULT* pResult) {
  *pResult = 0;
  const int row = ClickedRow(m_list, reinterpret_cast<const NMITEMACTIVATE*>(pNotify));
  if (row < 0 || row >= m_list.GetItemCount()) return;
  m_nClickedRow = row;
  OnConnect();
}

LRESULT CPageMainDlg_SiteSurvey::OnTabPageLeave(WPARAM, LPARAM) {
  if (m_pSaveFlag) *m_pSaveFlag = 0;
  return 0;
}
