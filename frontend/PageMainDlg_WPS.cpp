#include "frontend/PageMainDlg_WPS.h"

#include <cstdlib>

#include "frontend/SkinFunctions.h"
#include "frontend/StationPageIds.h"
#include "frontend/StationPageTools.h"
#include "frontend/UiBridge.h"
#include "utilmere/Utilmere.h"

namespace {

constexpr COLORREF kListBackground = 0xE9E9E9;
constexpr COLORREF kLinkText = 0xE9E9E9;
constexpr UINT_PTR kTimerHideProgress = 1;
constexpr UINT kHideProgressMs = 3000;

}  // namespace

BEGIN_MESSAGE_MAP(CPageMainDlg_WPS, CGxTabPage)
  ON_WM_TIMER()
  ON_CBN_SELCHANGE(IDC_WPS_MODE, &CPageMainDlg_WPS::OnConfigModeChange)
  ON_BN_CLICKED(IDC_WPS_RENEW, &CPageMainDlg_WPS::OnRenew)
  ON_BN_CLICKED(IDC_WPS_RESCAN, &CPageMainDlg_WPS::OnRescan)
  ON_BN_CLICKED(IDC_WPS_PBC, &CPageMainDlg_WPS::OnPbc)
  ON_BN_CLICKED(IDC_BTN_CONNECT, &CPageMainDlg_WPS::OnConnect)
  ON_BN_CLICKED(IDC_WPS_DISCONNECT, &CPageMainDlg_WPS::OnDisconnect)
  ON_BN_CLICKED(IDC_WPS_PIN, &CPageMainDlg_WPS::OnPin)
  ON_MESSAGE(WM_SORTLIST_CLICK, &CPageMainDlg_WPS::OnListClick)
END_MESSAGE_MAP()

CPageMainDlg_WPS::CPageMainDlg_WPS(CWnd* pParent) : CGxTabPage(IDD_PAGE_STATION_WPS, pParent) {
  SetRegionFile(StationSkinPath("TabCtrlPage_WPS.bmp"), kStationPageSkinKey);
}

CPageMainDlg_WPS::~CPageMainDlg_WPS() = default;

void CPageMainDlg_WPS::DoDataExchange(CDataExchange* pDX) {
  CGxTabPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_PAGE_DESC, m_desc);
  DDX_Control(pDX, IDC_WPS_AP_CAPTION, m_captionAp);
  DDX_Control(pDX, IDC_WPS_PROFILE_CAPTION, m_captionProfile);
  DDX_Control(pDX, IDC_WPS_AP_FRAME, m_frameAp);
  DDX_Control(pDX, IDC_WPS_PROFILE_FRAME, m_frameProfile);
  DDX_Control(pDX, IDC_WPS_AP_LIST, m_listAp);
  DDX_Control(pDX, IDC_WPS_PROFILE_LIST, m_listProfile);
  DDX_Control(pDX, IDC_WPS_PIN_GROUP, m_groupPin);
  DDX_Control(pDX, IDC_WPS_PIN_CODE, m_editPin);
  DDX_Control(pDX, IDC_WPS_PIN, m_btnPin);
  DDX_Control(pDX, IDC_WPS_PBC, m_btnPbc);
  DDX_Control(pDX, IDC_WPS_RENEW, m_btnRenew);
  DDX_Control(pDX, IDC_WPS_RESCAN, m_btnRescan);
  DDX_Control(pDX, IDC_BTN_CONNECT, m_btnConnect);
  DDX_Control(pDX, IDC_WPS_DISCONNECT, m_btnDisconnect);
  DDX_Control(pDX, IDC_WPS_MODE, m_comboMode);
  DDX_Text(pDX, IDC_WPS_PIN_CODE, m_strPin);
  DDX_CBIndex(pDX, IDC_WPS_MODE, m_nConfigMode);
}

BOOL CPageMainDlg_WPS::OnInitDialog() {
  CGxTabPage::OnInitDialog();
  SkinPageText(&m_desc);
  SkinPageTitle(&m_captionAp);
  SkinPageTitle(&m_captionProfile);
  SetUpStationList(m_listAp, "CPageMainDlg_WPS::m_ListCtrl_WPSAP", "ID,70;SSID,100;Channel,200;", nullptr,
                   kListBackground, &m_frameAp);
  m_progress.SubclassDlgItem(IDC_WPS_PROGRESS, this);
  m_progress.SetBitmap(StationSkinPath("WPSProgressFR.bmp"), 1);
  m_progress.SetRange(0, 100);
  m_progress.ModifyStyleEx(WS_EX_STATICEDGE, 0);
  m_progress.SetBK_Bitmap(StationSkinPath("WPSProgressBK.bmp"));
  m_progress.DeflateRect(12, 6, 12, 4);
  m_progress.ShowWindow(SW_HIDE);
  SetUpStationList(m_listProfile, "CPageMainDlg_WPS::m_ListCtrl_WPSProfile", "SSID,120;MAC,200;",
                   "WpaProfileListItem.bmp", kListBackground, &m_frameProfile);
  SkinCommonButton(&m_btnPin, 1, nullptr, nullptr);
  SkinCommonButton(&m_btnPbc, 1, nullptr, nullptr);
  SkinCommonButton(&m_btnRenew, 1, nullptr, nullptr);
  SkinLinkButton(&m_btnRescan, nullptr, kLinkText, DT_RIGHT);
  SkinLinkButton(&m_btnConnect, nullptr, kLinkText, DT_RIGHT);
  SkinLinkButton(&m_btnDisconnect, nullptr, kLinkText, DT_RIGHT);
  SkinStaticOnColor(&m_groupPin, kListBackground);
  SkinCommonEdit(&m_editPin);
  SelectComboItem(&m_comboMode, m_nConfigMode);
  for (int button = 0; button < kButtonCount; ++button)
    GetButton(static_cast<Button>(button)).EnableWindow(m_enable[button]);
  return TRUE;
}

CWnd& CPageMainDlg_WPS::GetButton(Button button) {
  switch (button) {
    case kRenew:
      return m_btnRenew;
    case kRescan:
      return m_btnRescan;
    case kPbc:
      return m_btnPbc;
    case kConnect:
      return m_btnConnect;
    case kDisconnect:
      return m_btnDisconnect;
    default:
      return m_btnPin;
  }
}

void CPageMainDlg_WPS::FillWpsApRows(const CString& text) {
  if (!m_listAp.GetSafeHwnd()) return;
  m_listAp.DeleteAllItems();
  ForEachStationRow(text, [this](CStringArray& fields) {
    CStringArray texts;
    for (int field = 0; field < 3; ++field) texts.Add(GetArrayItemUnquoted(&fields, field));
    m_listAp.InsertItem(-1, texts, -1);
  });
}

void CPageMainDlg_WPS::SetWpsProgress(const CString& text) {
  if (!m_progress.GetSafeHwnd()) return;
  const int value = atoi(text);
  m_progress.SetPos(value);
  if (value >= 1 && value <= 99) {
    m_progress.ShowWindow(SW_SHOW);
  } else if (value == 0 || value == 100) {
    SetTimer(kTimerHideProgress, kHideProgressMs, nullptr);
    RepaintMainWindow();
  }
}

void CPageMainDlg_WPS::FillWpsProfileRows(const CString& text) {
  if (!m_listProfile.GetSafeHwnd()) return;
  m_listProfile.DeleteAllItems();
  ForEachStationRow(text, [this](CStringArray& fields) {
    CStringArray texts;
    texts.Add(GetArrayItemUnquoted(&fields, 0));
    texts.Add(GetArrayItemUnquoted(&fields, 1));
    m_listProfile.InsertItem(-1, texts, kImagePlain);
  });
}

void CPageMainDlg_WPS::MarkWpsProfileRow(const CString& text) {
  if (!m_listProfile.GetSafeHwnd()) return;
  const auto value = static_cast<unsigned int>(atoi(text));
  const int row = static_cast<int>(value & 0xFFFF);
  const auto state = static_cast<int16_t>(static_cast<uint16_t>(value >> 16));
  const int image = state == 0 ? kImageState0 : state == 1 ? kImageState1 : kImagePlain;
  for (int other = 0; other < m_listProfile.GetItemCount(); ++other)
    m_listProfile.ChangeItemImage(other, other == row ? image : kImagePlain);
}

void CPageMainDlg_WPS::ResetWpsProfileImages() {
  if (!m_listProfile.GetSafeHwnd()) return;
  for (int row = 0; row < m_listProfile.GetItemCount(); ++row) m_listProfile.ChangeItemImage(row, kImagePlain);
}

void CPageMainDlg_WPS::SetConfigMode(int nMode) {
  m_nConfigMode = nMode;
  if (GetSafeHwnd()) UpdateData(FALSE);
}

void CPageMainDlg_WPS::SetPinCode(const CString& pin) {
  m_strPin = pin;
  if (GetSafeHwnd()) UpdateData(FALSE);
}

void CPageMainDlg_WPS::SetButtonEnable(Button button, BOOL bEnable) {
  if (button < 0 || button >= kButtonCount) return;
  m_enable[button] = bEnable;
  CWnd& control = GetButton(button);
  if (control.GetSafeHwnd()) control.EnableWindow(bEnable);
}

void CPageMainDlg_WPS::RepaintMainWindow() {
  if (CWnd* main = AfxGetMainWnd(); main && main->GetSafeHwnd()) main->Invalidate(TRUE);
}

void CPageMainDlg_WPS::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kTimerHideProgress) {
    CGxTabPage::OnTimer(nIDEvent);
    return;
  }
  KillTimer(kTimerHideProgress);
  m_progress.ShowWindow(SW_HIDE);
  RepaintMainWindow();
}

void CPageMainDlg_WPS::OnConfigModeChange() {
  NotifyWorkerInt(BRIDGE_CMD_WPS_CONFIG_MODE, m_comboMode.GetCurSel(), TRUE);
}

void CPageMainDlg_WPS::OnRenew() { NotifyWorker(BRIDGE_CMD_WPS_RENEW_PIN, "", TRUE); }

void CPageMainDlg_WPS::OnRescan() { NotifyWorker(BRIDGE_CMD_WPS_RESCAN, "", TRUE); }

void CPageMainDlg_WPS::OnPbc() { NotifyWorker(BRIDGE_CMD_WPS_PBC, "", TRUE); }

void CPageMainDlg_WPS::OnConnect() { NotifyWorker(BRIDGE_CMD_WPS_CONNECT, "", TRUE); }

void CPageMainDlg_WPS::OnDisconnect() { NotifyWorker(BRIDGE_CMD_WPS_DISCONNECT, "", TRUE); }

void CPageMainDlg_WPS::OnPin() { NotifyWorker(BRIDGE_CMD_WPS_PIN, "", TRUE); }

LRESULT CPageMainDlg_WPS::OnListClick(WPARAM wParam, LPARAM) {
  auto* click = reinterpret_cast<const NMITEMACTIVATE*>(wParam);
  if (!click) return 0;
  const bool fromAp = click->hdr.hwndFrom == m_listAp.GetSafeHwnd();
  CSortListCtrl& list = fromAp ? m_listAp : m_listProfile;
  const int row = ClickedRow(list, click);
  if (row < 0 || row >= list.GetItemCount()) return 0;
  NotifyWorkerInt(fromAp ? BRIDGE_CMD_WPS_SELECT_AP : BRIDGE_CMD_WPS_SELECT_PROFILE, row, TRUE);
  return 0;
}
