#include "tests/frontend/StationTableTest.h"

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
  WNDCLASS wc = {};
  wc.lpfnWndProc = workerProc;
  wc.lpszClassName = "StationTableWorker";
  RegisterClass(&wc);
  m_worker = CreateWindowEx(0, "StationTableWorker", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  SetWorkerNotifyWnd(m_worker);
  ASSERT_TRUE(start());
  m_table = StationFrontEnd::table();
  // The worker is the recorded window: the control's own start stays off.
  m_table->KillTimer(TIMER_START_WORKER);
  wavorel::pumpMessages();
  g_worker.clear();
}

void StationTableTest::TearDown() {
  wavorel::setModalResponder(nullptr);
  stop();
  SetWorkerNotifyWnd(nullptr);
  if (m_worker) DestroyWindow(m_worker);
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

}  // namespace station_table_test

namespace station_table_test {

std::vector<std::string> StationTableTest::expectTitlesHoldALineOfTheirFont(CGxTabCtrl& tabs) {
  std::vector<std::string> checked;
  tabs.CreateAllPageWindows();
  for (int i = 0; i < tabs.GetPageCount(); ++i) {
    CGxTabPage* page = tabs.GetPage(i);
    for (CWnd* c = page->GetWindow(GW_CHILD); c; c = c->GetWindow(GW_HWNDNEXT)) {
      HDC dc = CreateCompatibleDC(nullptr);
      HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(c->SendMessage(WM_GETFONT)));
      TEXTMETRIC tm{};
      GetTextMetrics(dc, &tm);
      SelectObject(dc, old);
      DeleteDC(dc);
      if (!tm.tmItalic || tm.tmWeight < FW_BOLD) continue;
      CString text;
      c->GetWindowText(text);
      CRect client;
      c->GetClientRect(&client);
      EXPECT_GE(client.Height(), tm.tmHeight) << text.GetString();
      checked.emplace_back(text.GetString());
    }
  }
  return checked;
}

}  // namespace station_table_test
