#include "softap/QzPropSheet_AP.h"

#include <cstring>
#include <memory>
#include <string>

#include "softap/ApModule.h"
#include "worker/Settings.h"

namespace {

constexpr DWORD kIniValueSize = 16;

// The help thread: opens the file whose path it owns.
UINT ShowHelpFile(LPVOID pParam) {
  std::unique_ptr<std::string> path(static_cast<std::string*>(pParam));
  HtmlHelp(nullptr, path->c_str(), HH_DISPLAY_TOPIC, 0);
  return 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CQzPropSheet_AP, CPropertySheet)
  ON_COMMAND(IDHELP, &CQzPropSheet_AP::OnHelpButton)
  ON_MESSAGE(WM_HELP, &CQzPropSheet_AP::OnHelpMessage)
END_MESSAGE_MAP()

CQzPropSheet_AP::CQzPropSheet_AP(CWnd* pParentWnd) : CPropertySheet(kCaption, pParentWnd, 0) {
  m_psh.dwFlags |= PSH_MODELESS | PSH_NOAPPLYNOW | PSH_USEHICON;
  m_psh.hIcon = LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(kIconId));
  // In the sheet's order: Config, Access Control, WDS, Mac Table, Event Log,
  // Statistics, 11n Setting, About.
  AddPage(&m_configPage);
  AddPage(&m_accessControlPage);
  if (OffersWdsPage()) AddPage(&m_wdsPage);
  AddPage(&m_macTablePage);
  AddPage(&m_eventLogPage);
  AddPage(&m_statisticPage);
  if (Offers11nPage()) AddPage(&m_blockAckPage);
  AddPage(&m_aboutPage);
}

BOOL CQzPropSheet_AP::OffersWdsPage() { return !g_bApUsbFound && g_bApWepOrNone; }

BOOL CQzPropSheet_AP::Offers11nPage() {
  if (!g_bApHtFamily) return FALSE;
  char value[kIniValueSize] = {};
  GetModuleIniString("Page", "11n Setting", "", value, sizeof value, "ini");
  return std::strcmp(value, "1") == 0;
}

void CQzPropSheet_AP::KeepPage(CPropertyPage* pPage, BOOL bWanted) {
  const BOOL present = GetPageIndex(pPage) >= 0;
  if (bWanted && !present)
    AddPage(pPage);
  else if (!bWanted && present)
    RemovePage(pPage);
}

void CQzPropSheet_AP::RefreshWdsPage() {
  if (OffersWdsPage())
    KeepPage(&m_wdsPage, TRUE);
  else if (!g_bApWepOrNone)
    KeepPage(&m_wdsPage, FALSE);
}

void CQzPropSheet_AP::Refresh11nPage() { KeepPage(&m_blockAckPage, Offers11nPage()); }

BOOL CQzPropSheet_AP::OnInitDialog() {
  CPropertySheet::OnInitDialog();
  if (CWnd* help = GetDlgItem(IDHELP)) {
    help->ShowWindow(SW_SHOW);
    help->EnableWindow(TRUE);
  }
  ModifyStyleEx(0, WS_EX_TOOLWINDOW);
  MoveWindow(kOffScreen, kOffScreen, kOffScreen, kOffScreen);
  ShowWindow(SW_HIDE);
  return TRUE;
}

BOOL CQzPropSheet_AP::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_LBUTTONUP && m_hWnd) {
    CWnd* ok = GetDlgItem(IDOK);
    if (ok && pMsg->hwnd == ok->GetSafeHwnd()) {
      OnClose();
      return TRUE;
    }
  }
  return CPropertySheet::PreTranslateMessage(pMsg);
}

void CQzPropSheet_AP::OnHelpButton() { StartHelp(); }

LRESULT CQzPropSheet_AP::OnHelpMessage(WPARAM, LPARAM) {
  StartHelp();
  return TRUE;
}

void CQzPropSheet_AP::StartHelp() {
  CWinApp* app = AfxGetApp();
  auto path = std::make_unique<std::string>(app && app->m_pszHelpFilePath ? app->m_pszHelpFilePath : "");
  // The thread object deletes itself when the thread ends.
  if (AfxBeginThread(&ShowHelpFile, path.get())) path.release();
}
