#include "tests/frontend/StationTableTest.h"

#include "frontend/SiteEditor.h"
#include "utilmere/Utilmere.h"

namespace station_table_test {

namespace {

Commands g_worker;

LRESULT CALLBACK workerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_UIBRIDGE) return DefWindowProc(hwnd, msg, wParam, lParam);
  CString value = TakeNotifyText(wParam, lParam);
  g_worker.emplace_back(static_cast<UINT>(wParam), value.GetString());
  return 0;
}

}  // namespace

void StationTableTest::SetUp() {
  FrontendTest::SetUp();
  g_worker.clear();
  CWavorelDlg::SetTableCreators(&CTableCtrl_QZ::Make, nullptr);
  m_app = std::make_unique<CWavorelApp>();
  std::string line;
  ASSERT_TRUE(AfxWinInit(wavorel::programInstance(), nullptr, line.data(), SW_SHOWNORMAL));
  m_app->SetRegistryKey("Wavorel(Quendal)");
  m_app->WriteProfileInt("Setting", "Mode", 1);
  CSystemTray& tray = m_app->GetTray();
  HICON first = tray.LoadIconFrames(GetCurDir());
  ASSERT_TRUE(tray.Create("Wavorel", first, IDR_TRAY_MENU, "", "", nullptr));
  for (int i = 0; i < tray.GetIconCount(); ++i) {
    tray.SetIconFromList(i, nullptr);
    m_frames.push_back(tray.GetIcon());
  }
  tray.SetIconFromList(0, nullptr);

  WNDCLASS wc = {};
  wc.lpfnWndProc = workerProc;
  wc.lpszClassName = "StationTableWorker";
  RegisterClass(&wc);
  m_worker = CreateWindowEx(0, "StationTableWorker", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  SetWorkerNotifyWnd(m_worker);

  m_dialog = std::make_unique<CWavorelDlg>();
  m_app->m_pMainWnd = m_dialog.get();
  ASSERT_TRUE(m_dialog->Create(IDD_WAVOREL_DIALOG, nullptr));
  m_dialog->ShowWindow(SW_SHOWNORMAL);
  m_table = dynamic_cast<CTableCtrl_QZ*>(m_dialog->GetStationTable());
  ASSERT_NE(m_table, nullptr);
  // The worker is the recorded window: the control's own start stays off.
  m_table->KillTimer(TIMER_START_WORKER);
  wavorel::pumpMessages();
  g_worker.clear();
}

void StationTableTest::TearDown() {
  DestroySiteEditor();
  wavorel::setModalResponder(nullptr);
  if (m_dialog && m_dialog->GetSafeHwnd()) m_dialog->DestroyWindow();
  SetWorkerNotifyWnd(nullptr);
  if (m_worker) DestroyWindow(m_worker);
  if (m_app) m_app->ExitInstance();
  m_dialog.reset();
  m_app.reset();
  CWavorelDlg::SetTableCreators(nullptr, nullptr);
  FrontendTest::TearDown();
}

LRESULT StationTableTest::report(UINT code, const std::string& value) {
  const LRESULT result = SendNotifyText(m_table->GetSafeHwnd(), code, value.c_str(), FALSE);
  wavorel::pumpMessages();
  return result;
}

Commands StationTableTest::takeWorker() {
  wavorel::pumpMessages();
  Commands taken;
  taken.swap(g_worker);
  return taken;
}

void StationTableTest::showPage(int index) {
  m_table->SetCurSel(index);
  wavorel::pumpMessages();
}

void StationTableTest::clickRow(CListCtrl& list, int row, bool twice) {
  CRect rect;
  ASSERT_TRUE(list.GetItemRect(row, &rect, LVIR_BOUNDS));
  const LPARAM at = MAKELPARAM(rect.left + 4, rect.CenterPoint().y);
  list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
  list.SendMessage(WM_LBUTTONUP, 0, at);
  if (twice) {
    list.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    list.SendMessage(WM_LBUTTONUP, 0, at);
  }
  wavorel::pumpMessages();
}

void StationTableTest::clickEmpty(CListCtrl& list) {
  CRect client;
  list.GetClientRect(&client);
  const LPARAM at = MAKELPARAM(client.left + 4, client.bottom - 3);
  list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
  list.SendMessage(WM_LBUTTONUP, 0, at);
  wavorel::pumpMessages();
}

void StationTableTest::press(CWnd& page, UINT id) {
  page.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(page.GetSafeHwnd(), id)));
  wavorel::pumpMessages();
}

int StationTableTest::trayFrame() {
  const HICON shown = m_app->GetTray().GetIcon();
  for (size_t i = 0; i < m_frames.size(); ++i)
    if (m_frames[i] == shown) return static_cast<int>(i);
  return -1;
}

std::string StationTableTest::trayTip() { return m_app->GetTray().GetTooltipText().GetString(); }

std::string StationTableTest::text(CWnd* window) { return gxGetWindowText(window).GetString(); }

int StationTableTest::image(CListCtrl& list, int row) {
  LVITEM item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  return list.GetItem(&item) ? item.iImage : -100;
}

}  // namespace station_table_test
