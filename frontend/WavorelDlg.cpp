#include "frontend/WavorelDlg.h"

#include "frontend/DlgMessageBox.h"
#include "frontend/GxTabCtrl.h"
#include "frontend/SkinFunctions.h"
#include "frontend/UiBridge.h"
#include "frontend/WavorelApp.h"
#include "softap/HideDlg_AP.h"
#include "utilmere/Utilmere.h"

namespace {

constexpr COLORREF kSkinKey = 0x00FFFF;
constexpr UINT kAutoHideDelayMs = 1;
constexpr UINT kRepaintDelayMs = 3000;
constexpr UINT kRadioLockMs = 3000;
constexpr int kOffScreen = -9999;

CWavorelDlg::TableCreator g_stationCreator = nullptr;
CWavorelDlg::TableCreator g_apCreator = nullptr;

CString SkinPath(LPCTSTR file) { return FormatString("%sSkin\\%s", GetCurDir(), file); }

CWavorelApp* WavorelApp() { return dynamic_cast<CWavorelApp*>(AfxGetApp()); }

}  // namespace

BEGIN_MESSAGE_MAP(CWavorelDlg, CPolygonDialog)
  ON_WM_SYSCOMMAND()
  ON_WM_PAINT()
  ON_WM_QUERYDRAGICON()
  ON_COMMAND(IDC_BTN_CLOSE, &CWavorelDlg::OnBtnClose)
  ON_WM_DESTROY()
  ON_COMMAND(IDC_BTN_WEB, &CWavorelDlg::OnWebLink)
  ON_MESSAGE(WM_SHOW_INSTANCE, &CWavorelDlg::OnShowInstance)
  ON_MESSAGE(WM_END_INSTANCE, &CWavorelDlg::OnEndInstance)
  ON_COMMAND(ID_TRAY_EXIT, &CWavorelDlg::OnExit)
  ON_COMMAND(ID_TRAY_SHOW_MAIN_UI, &CWavorelDlg::OnShowMainUI)
  ON_COMMAND(ID_TRAY_VISIT_COMPANY_WEB, &CWavorelDlg::OnCompanyWeb)
  ON_WM_TIMER()
  ON_COMMAND(IDC_RADIO_STATION, &CWavorelDlg::OnModeSwitch)
  ON_COMMAND(IDC_RADIO_AP, &CWavorelDlg::OnModeSwitch)
  ON_MESSAGE(WM_TRAY_MENU_LANGUAGE, &CWavorelDlg::OnTrayMenuLanguage)
END_MESSAGE_MAP()

void CWavorelDlg::SetTableCreators(TableCreator station, TableCreator ap) {
  g_stationCreator = station;
  g_apCreator = ap;
}

CWavorelDlg::CWavorelDlg(CWnd* pParent) : CPolygonDialog(IDD_WAVOREL_DIALOG, pParent) {
  m_hIcon = ExtractIcon(AfxGetInstanceHandle(), SkinPath("WirelessKesh.ico"), 0);
  SetRegionFile(SkinPath("dlgMainUI.bmp"), kSkinKey);
}

CWavorelDlg::~CWavorelDlg() {
  DestroyStationTable();
  DestroyAPTable();
  if (m_hIcon) DestroyIcon(m_hIcon);
}

void CWavorelDlg::DoDataExchange(CDataExchange* pDX) {
  CPolygonDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_BTN_CLOSE, m_btnClose);
  DDX_Control(pDX, IDC_BTN_LOGO, m_btnLogo);
  DDX_Control(pDX, IDC_BTN_WEB, m_btnWeb);
  DDX_Control(pDX, IDC_STATIC_TEXT1, m_text1);
  DDX_Control(pDX, IDC_STATIC_TEXT2, m_text2);
  DDX_Control(pDX, IDC_RADIO_STATION, m_radioStation);
  DDX_Control(pDX, IDC_RADIO_AP, m_radioAP);
}

BOOL CWavorelDlg::OnInitDialog() {
  CPolygonDialog::OnInitDialog();
  if (CWinApp* app = AfxGetApp()) ::SetProp(m_hWnd, app->m_pszExeName, reinterpret_cast<HANDLE>(1));
  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);

  m_btnClose.SetBtnAttr_Pic(SkinPath("btnMainUIClose.bmp"), 4, "Hide main dialog", 1);
  SkinMainText(&m_text1);
  SkinMainText(&m_text2);
  m_btnLogo.SetBtnAttr_Pic(SkinPath("btnLogo.bmp"), 4, nullptr, 1);
  m_btnLogo.SetBKPicMode(BKPIC_PICTURE_ONLY);

  m_btnWeb.SetBtn_Font(-1, 10, 1, 0, 0, GetSkinFontName());
  m_btnWeb.SetBtn_TextColor(0, 0xFFFFFF);
  m_btnWeb.SetBtn_TextColor(1, 0xFF0000);
  m_btnWeb.SetBtn_TextColor(2, 0x0000FF);
  m_btnWeb.SetTextFormat(DT_RIGHT | DT_VCENTER | DT_SINGLELINE);

  SkinModeRadio(m_radioStation, "btnCheck_Station.bmp", "Switch to station mode");
  SkinModeRadio(m_radioAP, "btnCheck_AP.bmp", "Switch to AP mode");
  m_radioStation.SetCheck(1);

  CGxWinApp* app = dynamic_cast<CGxWinApp*>(AfxGetApp());
  if (app && app->GetOption("AutoHide")) {
    GetWindowRect(&m_rcAutoHide);
    MoveWindow(kOffScreen, kOffScreen, kOffScreen, kOffScreen, TRUE);
    SetWindowPos(nullptr, kOffScreen, kOffScreen, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_HIDEWINDOW);
    SetTimer(TIMER_AUTO_HIDE, kAutoHideDelayMs, nullptr);
    ShowWindow(SW_HIDE);
    ::SetWindowLong(m_hWnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
  }

  SetWindowText(GetMLText("Wireless USB Adapter/Soft AP"));
  BOOL station = AfxGetApp() ? AfxGetApp()->GetProfileInt("Setting", "Mode", 1) != 0 : TRUE;
  (station ? m_radioStation : m_radioAP).SetCheck(1);
  OnModeSwitch();
  SetTimer(TIMER_REPAINT, kRepaintDelayMs, nullptr);
  UpdateWndLanguage(this);
  return TRUE;
}

void CWavorelDlg::SkinModeRadio(CGxBtn_ChkRadio& radio, LPCTSTR lpszImageFile, LPCTSTR lpszTooltipKey) {
  radio.SetBtnAttr_Pic(SkinPath(lpszImageFile), 6, GetMLText(lpszTooltipKey), 0);
  radio.SetBtn_Cursor(0, SkinPath("RadioCheck.cur"));
  radio.SetBtn_Cursor(2, SkinPath("RadioUnCheck.cur"));
  radio.SetBKPicMode(BKPIC_LEFT);
  radio.SetTextFormat(DT_VCENTER | DT_SINGLELINE);
  radio.SetBtn_TextColor(0, 0x000000);
  radio.SetBtn_TextColor(2, 0x000000);
  radio.SetBtn_TextColor(1, 0x404040);
  radio.SetBtn_TextColor(3, 0x404040);
  radio.SetBtn_Font(-1, 10, 0, 0, 0, GetSkinFontName());
}

BOOL CWavorelDlg::IsStationMode() { return m_radioStation.GetSafeHwnd() && m_radioStation.GetCheck() != 0; }

void CWavorelDlg::OnOK() { ShowMainWindow(FALSE); }

void CWavorelDlg::OnCancel() { ShowMainWindow(FALSE); }

void CWavorelDlg::OnBtnClose() { OnOK(); }

void CWavorelDlg::ShowMainWindow(BOOL bShow) {
  if (!bShow) {
    ShowWindow(SW_MINIMIZE);
    ShowWindow(SW_HIDE);
    return;
  }
  ShowWindow(SW_SHOW);
  ShowWindow(SW_RESTORE);
  if (!CRect(m_rcAutoHide).IsRectEmpty()) {
    ModifyStyleEx(WS_EX_TOOLWINDOW, 0);
    MoveWindow(&m_rcAutoHide, TRUE);
    m_rcAutoHide = RECT{0, 0, 0, 0};
    CenterWindow();
  }
  ActiveWindowToForeground(this);
}

void CWavorelDlg::OnSysCommand(UINT nID, LPARAM lParam) {
  if ((nID & 0xFFF0) == 0x10) {
    NotifyUIAlert("About dialog", MB_ICONEXCLAMATION);
    return;
  }
  CPolygonDialog::OnSysCommand(nID, lParam);
}

void CWavorelDlg::OnPaint() {
  if (!::IsIconic(m_hWnd)) {
    CPolygonDialog::OnPaint();
    return;
  }
  CPaintDC dc(this);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
  CRect client;
  CWnd::GetClientRect(&client);
  int x = (client.Width() - GetSystemMetrics(SM_CXICON) + 1) / 2;
  int y = (client.Height() - GetSystemMetrics(SM_CYICON) + 1) / 2;
  dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CWavorelDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

void CWavorelDlg::OnWebLink() {
  ShellExecute(nullptr, "open", "iexplore.exe", GetMLText("CompanyWeb"), nullptr, SW_SHOWMAXIMIZED);
}

LRESULT CWavorelDlg::OnShowInstance(WPARAM, LPARAM) {
  ShowMainWindow(TRUE);
  return 0;
}

LRESULT CWavorelDlg::OnEndInstance(WPARAM, LPARAM) {
  PostMessage(WM_COMMAND, ID_TRAY_EXIT, 0);
  return 0;
}

void CWavorelDlg::OnShowMainUI() { SendMessage(WM_SHOW_INSTANCE, 0, 0); }

void CWavorelDlg::OnCompanyWeb() { PostMessage(WM_COMMAND, IDC_BTN_WEB, 0); }

LRESULT CWavorelDlg::OnTrayMenuLanguage(WPARAM wParam, LPARAM) {
  if (CMenu* menu = reinterpret_cast<CMenu*>(wParam)) MLMenu(menu);
  return 0;
}

void CWavorelDlg::OnExit() {
  CloseAPOnExit();
  ShowMainWindow(FALSE);
  if (CWavorelApp* app = WavorelApp()) app->GetTray().RemoveIcon();
  if (CDlgMessageBox* box = CDlgMessageBox::GetCurrent()) box->EndDialog(IDCANCEL);
  CDialog::OnOK();
}

void CWavorelDlg::OnTimer(UINT_PTR nIDEvent) {
  switch (nIDEvent) {
    case TIMER_AUTO_HIDE:
      KillTimer(TIMER_AUTO_HIDE);
      ShowWindow(SW_HIDE);
      break;
    case TIMER_REPAINT:
      KillTimer(TIMER_REPAINT);
      Invalidate(TRUE);
      break;
    case TIMER_RADIOS:
      KillTimer(TIMER_RADIOS);
      m_radioStation.EnableWindow(TRUE);
      m_radioAP.EnableWindow(TRUE);
      break;
    default:
      CPolygonDialog::OnTimer(nIDEvent);
      break;
  }
}

void CWavorelDlg::OnModeSwitch() {
  m_radioStation.EnableWindow(FALSE);
  m_radioAP.EnableWindow(FALSE);
  if (IsStationMode()) {
    DestroyAPTable();
    CreateStationTable();
  } else {
    DestroyStationTable();
    CreateAPTable();
  }
  SetTimer(TIMER_RADIOS, kRadioLockMs, nullptr);
}

void CWavorelDlg::CreateStationTable() {
  if (m_pStationTable || !g_stationCreator) return;
  m_pStationTable = g_stationCreator(GetDlgItem(IDC_TABLE_HOST));
  if (m_pStationTable) FitTableToClient(m_pStationTable);
}

void CWavorelDlg::CreateAPTable() {
  if (m_pAPTable || !g_apCreator) return;
  m_pAPTable = g_apCreator(GetDlgItem(IDC_TABLE_HOST));
  if (m_pAPTable) FitTableToClient(m_pAPTable);
}

void CWavorelDlg::DestroyStationTable() { DestroyTable(m_pStationTable); }

void CWavorelDlg::DestroyAPTable() { DestroyTable(m_pAPTable); }

void CWavorelDlg::DestroyTable(CGxTabCtrl*& pTable) {
  if (!pTable) return;
  if (pTable->GetSafeHwnd()) {
    pTable->SendMessage(WM_DESTROY, 0, 0);
    pTable->UnsubclassWindow();
  }
  if (pTable->GetSafeHwnd()) pTable->DestroyWindow();
  delete pTable;
  pTable = nullptr;
}

void CWavorelDlg::FitTableToClient(CGxTabCtrl* pTable) {
  if (!pTable || !pTable->GetSafeHwnd()) return;
  CRect client;
  GetClientRect(&client);
  CRect host;
  pTable->GetWindowRect(&host);
  ScreenToClient(&host);
  pTable->MoveWindow(0, host.top, host.right, client.bottom - host.top, TRUE);
}

BOOL CWavorelDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
  if (header && header->code == GXTN_PAGECHANGED && header->idFrom == IDC_TABLE_HOST) {
    *pResult = OnPageChanged(header);
    return TRUE;
  }
  return CPolygonDialog::OnNotify(wParam, lParam, pResult);
}

LRESULT CWavorelDlg::OnPageChanged(NMHDR* pNotify) {
  auto* record = reinterpret_cast<CGxTabCtrl::_notify_data*>(pNotify);
  if (record && m_pAPTable && record->newIndex >= 0 && record->newIndex < m_pAPTable->GetPageCount())
    NotifyWorkerInt(BRIDGE_CMD_PAGE_CHANGED, record->newIndex, TRUE);
  return 0;
}

void CWavorelDlg::OnDestroy() {
  CWinApp* app = AfxGetApp();
  if (app) ::RemoveProp(m_hWnd, app->m_pszExeName);
  if (app) app->WriteProfileInt("Setting", "Mode", IsStationMode() ? 1 : 0);
  DestroyStationTable();
  DestroyAPTable();
  CPolygonDialog::OnDestroy();
}
