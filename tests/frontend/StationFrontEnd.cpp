#include "tests/frontend/StationFrontEnd.h"

#include <algorithm>

#include "frontend/SiteEditor.h"
#include "frontend/StationPageTools.h"
#include "platform/testing/Drivers.h"
#include "platform/win/kernel/Paths.h"
#include "platform/win/kernel/Resources.h"
#include "utilmere/Utilmere.h"

namespace station_front_end {

bool StationFrontEnd::start(bool apMode) {
  // A program started anew: the pages' Connect ticks start at 0 on the
  // platform's clock, which a test's platform started again.
  ResetConnectTicks();
  CWavorelDlg::SetTableCreators(&CTableCtrl_QZ::Make, &CTableCtrl_AP::Make);
  m_app = std::make_unique<CWavorelApp>();
  std::string line;
  if (!AfxWinInit(wavorel::programInstance(), nullptr, line.data(), SW_SHOWNORMAL)) return false;
  m_app->SetRegistryKey("Wavorel(Quendal)");
  m_app->WriteProfileInt("Setting", "Mode", apMode ? 0 : 1);
  CSystemTray& tray = m_app->GetTray();
  if (!tray.Create("Wavorel", tray.LoadIconFrames(GetCurDir()), IDR_TRAY_MENU, "", "", nullptr)) return false;
  for (int i = 0; i < tray.GetIconCount(); ++i) {
    tray.SetIconFromList(i, nullptr);
    m_frames.push_back(tray.GetIcon());
  }
  tray.SetIconFromList(0, nullptr);
  m_dialog = std::make_unique<CWavorelDlg>();
  m_app->m_pMainWnd = m_dialog.get();
  if (!m_dialog->Create(IDD_WAVOREL_DIALOG, nullptr)) return false;
  m_dialog->ShowWindow(SW_SHOWNORMAL);
  return apMode ? apTable() != nullptr : table() != nullptr;
}

void StationFrontEnd::stop() {
  DestroySiteEditor();
  if (m_dialog && m_dialog->GetSafeHwnd()) m_dialog->DestroyWindow();
  if (m_app) m_app->ExitInstance();
  m_dialog.reset();
  m_app.reset();
  CWavorelDlg::SetTableCreators(nullptr, nullptr);
}

int StationFrontEnd::trayFrame() const {
  const auto at = std::find(m_frames.begin(), m_frames.end(), m_app->GetTray().GetIcon());
  return at == m_frames.end() ? -1 : static_cast<int>(at - m_frames.begin());
}

std::string StationFrontEnd::trayTip() const { return m_app->GetTray().GetTooltipText().GetString(); }

void StationFrontEnd::showPage(int index) {
  CGxTabCtrl* current = m_dialog->GetStationTable() ? m_dialog->GetStationTable() : m_dialog->GetAPTable();
  current->SetCurSel(index);
  wavorel::pumpMessages();
}

void StationFrontEnd::chooseMode(bool apMode) {
  ::SendDlgItemMessage(m_dialog->GetSafeHwnd(), IDC_RADIO_STATION, BM_SETCHECK, apMode ? BST_UNCHECKED : BST_CHECKED, 0);
  ::SendDlgItemMessage(m_dialog->GetSafeHwnd(), IDC_RADIO_AP, BM_SETCHECK, apMode ? BST_CHECKED : BST_UNCHECKED, 0);
  const UINT radio = apMode ? IDC_RADIO_AP : IDC_RADIO_STATION;
  m_dialog->SendMessage(WM_COMMAND, MAKEWPARAM(radio, BN_CLICKED), 0);
  wavorel::pumpMessages();
}

void StationFrontEnd::press(CWnd& page, UINT id) {
  page.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(page.GetSafeHwnd(), id)));
  wavorel::pumpMessages();
}

void StationFrontEnd::clickRow(CListCtrl& list, int row, bool twice) {
  CRect rect;
  if (!list.GetItemRect(row, &rect, LVIR_BOUNDS)) return;
  const LPARAM at = MAKELPARAM(rect.left + 4, rect.CenterPoint().y);
  list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
  list.SendMessage(WM_LBUTTONUP, 0, at);
  if (twice) {
    list.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    list.SendMessage(WM_LBUTTONUP, 0, at);
  }
  wavorel::pumpMessages();
}

void StationFrontEnd::clickEmpty(CListCtrl& list) {
  CRect client;
  list.GetClientRect(&client);
  const LPARAM at = MAKELPARAM(client.left + 4, client.bottom - 3);
  list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
  list.SendMessage(WM_LBUTTONUP, 0, at);
  wavorel::pumpMessages();
}

std::string StationFrontEnd::text(CWnd* window) { return gxGetWindowText(window).GetString(); }

int StationFrontEnd::image(CListCtrl& list, int row) {
  LVITEM item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  return list.GetItem(&item) ? item.iImage : -100;
}

}  // namespace station_front_end
