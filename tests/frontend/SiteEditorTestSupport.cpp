#include "tests/frontend/SiteEditorTest.h"

namespace site_editor_test {

namespace {

Commands g_worker;
CStationTable* g_made = nullptr;

LRESULT CALLBACK workerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_UIBRIDGE) return DefWindowProc(hwnd, msg, wParam, lParam);
  CString value = TakeNotifyText(wParam, lParam);
  g_worker.emplace_back(static_cast<UINT>(wParam), value.GetString());
  return 0;
}

CGxTabCtrl* makeStation(CWnd* host) {
  auto table = std::make_unique<CStationTable>();
  if (!host || !table->SubclassWindow(host->GetSafeHwnd())) return nullptr;
  g_made = table.get();
  return table.release();
}

HWND makeWindow(const char* className, WNDPROC proc) {
  WNDCLASS wc = {};
  wc.lpfnWndProc = proc;
  wc.lpszClassName = className;
  RegisterClass(&wc);
  return CreateWindowEx(0, className, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
}

}  // namespace

void SiteEditorTest::SetUp() {
  FrontendTest::SetUp();
  g_worker.clear();
  g_made = nullptr;
  CWavorelDlg::SetTableCreators(makeStation, nullptr);
  m_app = std::make_unique<CWavorelApp>();
  std::string line;
  ASSERT_TRUE(AfxWinInit(wavorel::programInstance(), nullptr, line.data(), SW_SHOWNORMAL));
  m_app->SetRegistryKey("Wavorel(Quendal)");
  m_app->WriteProfileInt("Setting", "Mode", 1);
  m_dialog = std::make_unique<CWavorelDlg>();
  m_app->m_pMainWnd = m_dialog.get();
  ASSERT_TRUE(m_dialog->Create(IDD_WAVOREL_DIALOG, nullptr));
  m_dialog->ShowWindow(SW_SHOWNORMAL);
  m_station = g_made;
  ASSERT_NE(m_station, nullptr);
  m_worker = makeWindow("SiteEditorWorker", workerProc);
  SetWorkerNotifyWnd(m_worker);
  openFrontEnd();
}

void SiteEditorTest::TearDown() {
  DestroySiteEditor();
  SetWorkerNotifyWnd(nullptr);
  closeFrontEnd();
  wavorel::setModalResponder(nullptr);
  if (m_app) m_app->ExitInstance();
  m_dialog.reset();
  m_app.reset();
  CWavorelDlg::SetTableCreators(nullptr, nullptr);
  FrontendTest::TearDown();
}

void SiteEditorTest::code(UINT nCode, const std::string& value) {
  ApplySiteEditorCode(nCode, CString(value.c_str()), m_station->m_flag);
  wavorel::pumpMessages();
}

Commands SiteEditorTest::takeWorker() {
  wavorel::pumpMessages();
  Commands taken;
  taken.swap(g_worker);
  return taken;
}

CDlgOneSiteEditor& SiteEditorTest::editor() {
  CDlgOneSiteEditor* made = GetSiteEditor();
  EXPECT_NE(made, nullptr);
  return *made;
}

HWND SiteEditorTest::item(UINT page, UINT id) {
  CDlgOneSiteEditor& e = editor();
  CPageSite_Security& security = e.GetSecurityPage();
  CWnd* holder = nullptr;
  switch (page) {
    case IDD_DLG_ONESITEEDITOR: holder = &e; break;
    case IDD_PAGESITE_INFO: holder = &e.GetInfoPage(); break;
    case IDD_PAGESITE_SECURITY: holder = &security; break;
    case IDD_PAGE8021X_IDPASSWORD: holder = security.Get8021XTab().GetPage(0); break;
    case IDD_PAGE8021X_CLIENTCERT: holder = security.Get8021XTab().GetPage(1); break;
    case IDD_PAGE8021X_SERVERCERT: holder = security.Get8021XTab().GetPage(2); break;
    case IDD_PAGE8021X_EAPFAST: holder = security.Get8021XTab().GetPage(3); break;
    default: break;
  }
  return holder ? ::GetDlgItem(holder->GetSafeHwnd(), static_cast<int>(id)) : nullptr;
}

std::string SiteEditorTest::text(UINT page, UINT id) {
  CString value;
  if (CWnd* c = control(page, id)) c->GetWindowText(value);
  return value.GetString();
}

int SiteEditorTest::selection(UINT page, UINT id) {
  return static_cast<int>(::SendMessage(item(page, id), CB_GETCURSEL, 0, 0));
}

// Shown by its own style (the editor itself may be hidden).
bool SiteEditorTest::visible(UINT page, UINT id) { return (::GetWindowLong(item(page, id), GWL_STYLE) & WS_VISIBLE) != 0; }

bool SiteEditorTest::enabled(UINT page, UINT id) { return ::IsWindowEnabled(item(page, id)) != FALSE; }

void SiteEditorTest::pressOk() {
  editor().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SITE_OK, BN_CLICKED), 0);
  wavorel::pumpMessages();
}

void SiteEditorTest::pressCancel() {
  editor().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SITE_CANCEL, BN_CLICKED), 0);
  wavorel::pumpMessages();
}

std::string SiteEditorTest::balloon() {
  CBalloonHelp& help = m_app->GetBalloon();
  if (!help.GetSafeHwnd() || !::IsWindowVisible(help.GetSafeHwnd()) || ::IsIconic(help.GetSafeHwnd())) return "";
  // The balloon breaks long lines: the message is the text without them.
  CString content = help.GetContent();
  content.Replace("\r\n", "");
  return content.GetString();
}

void SiteEditorTest::dismissBalloon() {
  if (m_app->GetBalloon().GetSafeHwnd()) m_app->GetBalloon().DestroyWindow();
}

}  // namespace site_editor_test
