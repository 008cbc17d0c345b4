#include "frontend/PageMainDlg_Profiles.h"

#include <cstdlib>

#include "frontend/SkinFunctions.h"
#include "frontend/StationPageIds.h"
#include "frontend/StationPageTools.h"
#include "frontend/UiBridge.h"
#include "utilmere/Utilmere.h"

namespace {

constexpr int kDetailCount = 5;
// Detail label and value ids in the order of the detail fields.
constexpr UINT kDetailLabels[kDetailCount] = {IDC_PROF_NETTYPE_LABEL, IDC_PROF_AUTH_LABEL,
                                              IDC_PROF_ENCRYPTION_LABEL, IDC_PROF_CHANNEL_LABEL,
                                              IDC_PROF_POWER_LABEL};
constexpr UINT kDetailValues[kDetailCount] = {IDC_PROF_NETTYPE, IDC_PROF_AUTH, IDC_PROF_ENCRYPTION,
                                              IDC_PROF_CHANNEL, IDC_PROF_POWER};

}  // namespace

BEGIN_MESSAGE_MAP(CPageMainDlg_Profiles, CGxTabPage)
  ON_BN_CLICKED(IDC_BTN_CONNECT, &CPageMainDlg_Profiles::OnConnect)
  ON_BN_CLICKED(IDC_PROF_UP, &CPageMainDlg_Profiles::OnUp)
  ON_BN_CLICKED(IDC_PROF_DOWN, &CPageMainDlg_Profiles::OnDown)
  ON_BN_CLICKED(IDC_PROF_NEW, &CPageMainDlg_Profiles::OnNew)
  ON_BN_CLICKED(IDC_PROF_MODIFY, &CPageMainDlg_Profiles::OnModify)
  ON_BN_CLICKED(IDC_PROF_DELETE, &CPageMainDlg_Profiles::OnDelete)
  ON_MESSAGE(WM_SORTLIST_CLICK, &CPageMainDlg_Profiles::OnListClick)
  ON_NOTIFY(NM_DBLCLK, IDC_PROF_LIST, &CPageMainDlg_Profiles::OnListDblClk)
END_MESSAGE_MAP()

CPageMainDlg_Profiles::CPageMainDlg_Profiles(CWnd* pParent) : CGxTabPage(IDD_PAGE_STATION_PROFILES, pParent) {
  SetRegionFile(StationSkinPath("TabCtrlPage_Profiles.bmp"), kStationPageSkinKey);
}

CPageMainDlg_Profiles::~CPageMainDlg_Profiles() = default;

void CPageMainDlg_Profiles::DoDataExchange(CDataExchange* pDX) {
  CGxTabPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_PAGE_DESC, m_desc);
  DDX_Control(pDX, IDC_PROF_NAME_CAPTION, m_captionName);
  DDX_Control(pDX, IDC_PROF_SSID_CAPTION, m_captionSsid);
  DDX_Control(pDX, IDC_PROF_DETAIL_CAPTION, m_captionDetail);
  DDX_Control(pDX, IDC_LIST_FRAME, m_frame);
  DDX_Control(pDX, IDC_PROF_LIST, m_list);
  for (int i = 0; i < kDetailCount; ++i) {
    DDX_Control(pDX, kDetailLabels[i], m_labels[i]);
    DDX_Control(pDX, kDetailValues[i], m_values[i]);
  }
  DDX_Control(pDX, IDC_BTN_CONNECT, m_btnConnect);
  DDX_Control(pDX, IDC_PROF_UP, m_btnUp);
  DDX_Control(pDX, IDC_PROF_DOWN, m_btnDown);
  DDX_Control(pDX, IDC_PROF_NEW, m_btnNew);
  DDX_Control(pDX, IDC_PROF_MODIFY, m_btnModify);
  DDX_Control(pDX, IDC_PROF_DELETE, m_btnDelete);
}

BOOL CPageMainDlg_Profiles::OnInitDialog() {
  CGxTabPage::OnInitDialog();
  SkinPageText(&m_desc);
  SkinPageTitle(&m_captionName);
  SkinPageTitle(&m_captionSsid);
  SkinPageTitle(&m_captionDetail);
  for (int i = 0; i < kDetailCount; ++i) SkinLabelValuePair(&m_labels[i], &m_values[i], 9, 1, 9, 0);
  SetUpStationList(m_list, "CPageMainDlg_Profiles::m_ListCtrl", "ProfileName,140;SSID,200;", "ProfileListImage.bmp",
                   kStationRowBackground, &m_frame);
  std::vector<PendingRow> pending;
  pending.swap(m_pending);
  for (const PendingRow& row : pending) AppendRow(row);
  EnableProfileButtons(FALSE);
  SkinCommonButton(&m_btnConnect, 0, nullptr, nullptr);
  SkinCommonButton(&m_btnUp, 1, nullptr, nullptr);
  SkinCommonButton(&m_btnDown, 1, nullptr, nullptr);
  SkinLinkButton(&m_btnNew, nullptr, 0xFFFFFF, DT_RIGHT);
  SkinLinkButton(&m_btnModify, nullptr, 0xFFFFFF, DT_RIGHT);
  SkinLinkButton(&m_btnDelete, nullptr, 0xFFFFFF, DT_RIGHT);
  return TRUE;
}

int CPageMainDlg_Profiles::ImageOf(int state, DWORD flag) {
  if (state == 0) return kImageConnected;
  if (state == 1) return kImageActivated;
  return flag ? kImageFlagged : kImageProfile;
}

int CPageMainDlg_Profiles::PlainImage(int row) { return ImageOf(-1, m_list.GetItemData(row, 0)); }

void CPageMainDlg_Profiles::AppendRow(const PendingRow& row) {
  if (!m_list.GetSafeHwnd()) {
    m_pending.push_back(row);
    return;
  }
  CStringArray texts;
  texts.Add(row.name);
  texts.Add(row.ssid);
  const int at = m_list.InsertItem(-1, texts, ImageOf(row.state, row.flag));
  if (at < 0) return;
  m_list.ChangeLineColor(at, kStationRowText, kStationRowBackground);
  m_list.SetItemData(at, row.flag, 0);
}

void CPageMainDlg_Profiles::FillProfileRows(const CString& text) {
  if (m_list.GetSafeHwnd()) m_list.DeleteAllItems();
  EnableProfileButtons(FALSE);
  m_pending.clear();
  ForEachStationRow(text, [this](CStringArray& fields) {
    AppendRow({GetArrayItemUnquoted(&fields, 0), GetArrayItemUnquoted(&fields, 1),
               atoi(GetArrayItemUnquoted(&fields, 2)), static_cast<DWORD>(atoi(GetArrayItemUnquoted(&fields, 3)))});
  });
}

void CPageMainDlg_Profiles::SetProfileRowState(const CString& text) {
  CStringArray parts;
  SplitStationText(text, "\r\n", parts);
  const int row = atoi(GetArrayItemUnquoted(&parts, 0));
  const int state = atoi(GetArrayItemUnquoted(&parts, 1));
  ResetProfileRowImages();
  if (row >= 0 && row < m_list.GetItemCount()) m_list.ChangeItemImage(row, ImageOf(state, m_list.GetItemData(row, 0)));
}

void CPageMainDlg_Profiles::ShowProfileDetail(const CString& text) {
  CStringArray fields;
  SplitStationText(text, "\r\n", fields);
  const bool complete = fields.GetSize() >= kDetailCount;
  for (int i = 0; i < kDetailCount; ++i) SetWindowTextIfChanged(&m_values[i], complete ? fields[i] : CString());
}

void CPageMainDlg_Profiles::ResetProfileRowImages() {
  if (!m_list.GetSafeHwnd()) return;
  for (int row = 0; row < m_list.GetItemCount(); ++row) m_list.ChangeItemImage(row, PlainImage(row));
}

void CPageMainDlg_Profiles::EnableProfileButtons(BOOL bEnable) {
  if (!GetSafeHwnd()) return;
  if (bEnable)
    NotifyWorkerInt(BRIDGE_CMD_QUERY_CONNECT_ENABLE, 0, TRUE);
  else
    m_btnConnect.EnableWindow(FALSE);
  m_btnUp.EnableWindow(bEnable);
  m_btnDown.EnableWindow(bEnable);
  m_btnModify.EnableWindow(bEnable);
  m_btnDelete.EnableWindow(bEnable);
}

void CPageMainDlg_Profiles::OnConnect() {
  if (!AcceptConnect(m_btnConnect, ConnectPage::kProfiles)) return;
  POSITION pos = m_list.GetFirstSelectedItemPosition();
  const int row = pos ? m_list.GetNextSelectedItem(pos) : -1;
  if (row < 0) return;
  if (GetRowImage(m_list, row) == kImageConnected && !ConfirmConnectAnother()) return;
  NotifyWorkerInt(BRIDGE_CMD_ACTIVATE_PROFILE, row, TRUE);
}

void CPageMainDlg_Profiles::OnUp() { NotifyWorker(BRIDGE_CMD_PROFILE_MOVE_UP, "", TRUE); }

void CPageMainDlg_Profiles::OnDown() { NotifyWorker(BRIDGE_CMD_PROFILE_MOVE_DOWN, "", TRUE); }

void CPageMainDlg_Profiles::OnNew() { NotifyWorker(BRIDGE_CMD_PROFILE_NEW, "", TRUE); }

void CPageMainDlg_Profiles::OnModify() { NotifyWorker(BRIDGE_CMD_PROFILE_MODIFY, "", TRUE); }

void CPageMainDlg_Profiles::OnDelete() { NotifyWorker(BRIDGE_CMD_PROFILE_DELETE, "", TRUE); }

LRESULT CPageMainDlg_Profiles::OnListClick(WPARAM wParam, LPARAM) {
  const int row = ClickedRow(m_list, reinterpret_cast<const NMITEMACTIVATE*>(wParam));
  const bool inRange = row >= 0 && row < m_list.GetItemCount();
  if (inRange) NotifyWorkerInt(BRIDGE_CMD_SELECT_PROFILE, row, TRUE);
  EnableProfileButtons(inRange ? TRUE : FALSE);
  return 0;
}

void CPageMainDlg_Profiles::OnListDblClk(NMHDR* pNotify, LRESULT* pResult) {
  *pResult = 0;
  const int row = ClickedRow(m_list, reinterpret_cast<const NMITEMACTIVATE*>(pNotify));
  if (row >= 0 && row < m_list.GetItemCount()) OnConnect();
}
