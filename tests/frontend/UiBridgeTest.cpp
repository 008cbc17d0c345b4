// The UI bridge between test receivers: values of every kind arrive
// byte-exact, the two targets switch and clear, nothing is ever left behind
// (not taken, dropped by range, posted to a window destroyed before
// dispatch), and the message-box request reaches the UI window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frontend/UiBridge.h"
#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"

namespace {

struct Received {
  HWND hwnd;
  UINT code;
  std::string value;
};

std::vector<Received> g_received;
LRESULT g_answer = 0;
bool g_showBoxes = false;  // answer code 2 with the skinned box, else with g_answer

// A receiver as the bridge's receivers are written: the value is taken
// first, then codes outside the receiver's range are ignored. The range is
// kept in the window's user data (low word first code, high word last).
LRESULT CALLBACK receiverProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_UIBRIDGE) return DefWindowProc(hwnd, msg, wParam, lParam);
  CString value = TakeNotifyText(wParam, lParam);
  auto range = static_cast<DWORD>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
  UINT code = static_cast<UINT>(wParam);
  if (code < LOWORD(range) || code > HIWORD(range)) return 0;
  g_received.push_back({hwnd, code, std::string(value.GetString())});
  if (code == BRIDGE_UI_MESSAGE_BOX && g_showBoxes) return OnBridgeMessageBox(value);
  return g_answer;
}

class UiBridgeTest : public wavorel::testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    g_received.clear();
    g_answer = 0;
    g_showBoxes = false;
    WNDCLASS wc = {};
    wc.lpfnWndProc = receiverProc;
    wc.lpszClassName = "BridgeReceiver";
    RegisterClass(&wc);
    SetUINotifyWnd(nullptr);
    SetWorkerNotifyWnd(nullptr);
  }
  void TearDown() override {
    SetUINotifyWnd(nullptr);
    SetWorkerNotifyWnd(nullptr);
    wavorel::setModalResponder(nullptr);
    PlatformTest::TearDown();
  }

  static HWND receiver(UINT first, UINT last) {
    HWND hwnd = CreateWindowEx(0, "BridgeReceiver", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtr(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(MAKELONG(first, last)));
    return hwnd;
  }
  static HWND stationTab() { return receiver(BRIDGE_UI_STATION_FIRST, BRIDGE_UI_STATION_LAST); }
  static HWND stationWorker() { return receiver(BRIDGE_CMD_STATION_FIRST, BRIDGE_CMD_STATION_LAST); }
};

TEST_F(UiBridgeTest, TextNumberAndEmptyValuesArriveUnchanged) {
  HWND tab = stationTab();
  SetUINotifyWnd(tab);
  // Rows as the pages build them: quoted TAB fields, CR LF between rows, and
  // bytes of the system code page above 0x7F.
  const char* rows = "\"Home\"\t\"1\"\t\"-62\"\r\n\"Caf\xE9 \"\"5\"\"\"\t\"0\"\t\"\"";
  EXPECT_EQ(NotifyUI(BRIDGE_UI_SURVEY_ROW, rows, TRUE), 0);
  EXPECT_EQ(NotifyUIInt(BRIDGE_UI_SURVEY_MARK_CONNECTED, -1, TRUE), 0);
  EXPECT_EQ(NotifyUIInt(BRIDGE_UI_WPS_SELECT, MAKELONG(3, 1), TRUE), 0);
  EXPECT_EQ(NotifyUI(BRIDGE_UI_EDITOR_OPEN, "", TRUE), 0);
  EXPECT_EQ(NotifyUI(BRIDGE_UI_LINK_SSID, nullptr, TRUE), -1);  // a NULL value is never sent
  EXPECT_TRUE(g_received.empty());                              // posted: nothing before dispatch

  wavorel::pumpMessages();
  ASSERT_EQ(g_received.size(), 4u);
  EXPECT_EQ(g_received[0].code, BRIDGE_UI_SURVEY_ROW);
  EXPECT_EQ(g_received[0].value, rows);
  EXPECT_EQ(g_received[1].value, "-1");
  EXPECT_EQ(g_received[2].value, "65539");
  EXPECT_EQ(g_received[3].code, BRIDGE_UI_EDITOR_OPEN);
  EXPECT_EQ(g_received[3].value, "");
  EXPECT_EQ(CountPendingNotifyTexts(), 0);
}

TEST_F(UiBridgeTest, SentValueAnswersAtOnceWithTheReceiversResult) {
  HWND worker = stationWorker();
  SetWorkerNotifyWnd(worker);
  g_answer = 42;
  EXPECT_EQ(NotifyWorkerInt(BRIDGE_CMD_SELECT_PROFILE, 3, FALSE), 42);
  ASSERT_EQ(g_received.size(), 1u);
  EXPECT_EQ(g_received[0].hwnd, worker);
  EXPECT_EQ(g_received[0].value, "3");
  EXPECT_EQ(NotifyWorker(BRIDGE_CMD_EDITOR_SSID, "Home", TRUE), 0);  // posted: 0, not the receiver's answer
  wavorel::pumpMessages();
  ASSERT_EQ(g_received.size(), 2u);
  EXPECT_EQ(g_received[1].value, "Home");
}

TEST_F(UiBridgeTest, TargetsSwitchAndClear) {
  HWND station = stationTab();
  HWND ap = receiver(BRIDGE_UI_CONNECTION_STATE, BRIDGE_UI_AP_LAST);
  SetUINotifyWnd(station);
  NotifyUI(BRIDGE_UI_CONNECTION_STATE, "03Good", TRUE);
  SetUINotifyWnd(ap);  // a mode switch
  NotifyUI(BRIDGE_UI_CONNECTION_STATE, "04Normal", TRUE);
  wavorel::pumpMessages();
  ASSERT_EQ(g_received.size(), 2u);
  EXPECT_EQ(g_received[0].hwnd, station);
  EXPECT_EQ(g_received[1].hwnd, ap);
  EXPECT_EQ(g_received[1].value, "04Normal");

  SetUINotifyWnd(nullptr);
  EXPECT_EQ(NotifyUI(BRIDGE_UI_LINK_STATUS, "x", TRUE), -1);
  EXPECT_EQ(NotifyUIMessageBox("text", nullptr, MB_OK), -1);

  // A worker that goes away clears the worker window only while it is still
  // the one registered.
  HWND oldWorker = stationWorker();
  HWND newWorker = stationWorker();
  EXPECT_EQ(SetWorkerNotifyWnd(oldWorker), oldWorker);
  SetWorkerNotifyWnd(newWorker);
  EXPECT_FALSE(ClearWorkerNotifyWnd(oldWorker));
  g_received.clear();
  EXPECT_EQ(NotifyWorkerInt(BRIDGE_CMD_RESCAN, 0, FALSE), 0);
  ASSERT_EQ(g_received.size(), 1u);
  EXPECT_EQ(g_received[0].hwnd, newWorker);
  EXPECT_TRUE(ClearWorkerNotifyWnd(newWorker));
  EXPECT_EQ(NotifyWorkerInt(BRIDGE_CMD_RESCAN, 0, TRUE), -1);

  // A registered window that is destroyed is no target either: nothing is
  // allocated for it.
  SetWorkerNotifyWnd(oldWorker);
  DestroyWindow(oldWorker);
  EXPECT_EQ(NotifyWorker(BRIDGE_CMD_EDITOR_SSID, "Home", TRUE), -1);
  EXPECT_EQ(SendNotifyText(reinterpret_cast<HWND>(static_cast<intptr_t>(0x1234)), 1, "x", TRUE), -1);
  EXPECT_EQ(CountPendingNotifyTexts(), 0);
}

TEST_F(UiBridgeTest, ValuesThatNoReceiverTakesAreFreed) {
  HWND worker = stationWorker();
  SetWorkerNotifyWnd(worker);

  // Posted to a window destroyed before the messages were dispatched.
  NotifyWorker(BRIDGE_CMD_EDITOR_SSID, "Home", TRUE);
  NotifyWorkerInt(BRIDGE_CMD_SELECT_BSS, 2, TRUE);
  EXPECT_EQ(CountPendingNotifyTexts(), 2);
  DestroyWindow(worker);
  EXPECT_EQ(CountPendingNotifyTexts(), 0);
  wavorel::pumpMessages();
  EXPECT_TRUE(g_received.empty());

  // Sent to a window that does not handle the bridge.
  HWND plain = CreateWindowEx(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(SendNotifyText(plain, BRIDGE_UI_LINK_SSID, "Home", FALSE), 0);
  EXPECT_EQ(CountPendingNotifyTexts(), 0);

  // A code outside the receiver's range: dropped, and its value freed.
  HWND station = stationWorker();
  SetWorkerNotifyWnd(station);
  EXPECT_EQ(NotifyWorkerInt(BRIDGE_CMD_PAGE_CHANGED, 1, TRUE), 0);
  EXPECT_EQ(NotifyWorker(0, "zero", TRUE), 0);
  wavorel::pumpMessages();
  EXPECT_TRUE(g_received.empty());
  EXPECT_EQ(CountPendingNotifyTexts(), 0);

  // Values for two receivers in turn: only those of the one destroyed go.
  HWND gone = stationWorker();
  for (int i = 0; i < 3; ++i) {
    SendNotifyText(station, BRIDGE_CMD_EDITOR_SSID, "kept", TRUE);
    SendNotifyText(gone, BRIDGE_CMD_EDITOR_SSID, "lost", TRUE);
  }
  DestroyWindow(gone);
  EXPECT_EQ(CountPendingNotifyTexts(), 3);
  wavorel::pumpMessages();
  EXPECT_EQ(CountPendingNotifyTexts(), 0);
  EXPECT_EQ(g_received.size(), 3u);
}

TEST_F(UiBridgeTest, MalformedValueHandlesReadAsEmpty) {
  HWND tab = stationTab();
  SetUINotifyWnd(tab);
  NotifyUI(BRIDGE_UI_LINK_STATUS, "Connected", TRUE);
  MSG sent;
  ASSERT_TRUE(PeekMessage(&sent, tab, WM_UIBRIDGE, WM_UIBRIDGE, PM_NOREMOVE));
  // NULL, and a number the bridge never handed out.
  PostMessage(tab, WM_UIBRIDGE, BRIDGE_UI_LINK_SSID, 0);
  PostMessage(tab, WM_UIBRIDGE, BRIDGE_UI_LINK_BSSID, 0x5A5A5A5A);
  wavorel::pumpMessages();
  ASSERT_EQ(g_received.size(), 3u);
  EXPECT_EQ(g_received[0].value, "Connected");
  EXPECT_EQ(g_received[1].value, "");
  EXPECT_EQ(g_received[2].value, "");
  // The same value delivered a second time (a receiver passing its lParam
  // on) is gone: it reads as empty, never as freed memory.
  EXPECT_STREQ(TakeNotifyText(sent.wParam, sent.lParam), "");
}

TEST_F(UiBridgeTest, MessageBoxRequestIsSentWithItsTypeCaptionAndText) {
  struct Case {
    const char* text;
    const char* caption;
    UINT type;
    bool alert;
    const char* value;
  };
  const Case cases[] = {
      {"Text", "Title", MB_YESNO | MB_ICONQUESTION, false, "36\r\nTitle\r\nText"},
      {nullptr, nullptr, MB_OK, false, "0\r\n\r\n"},
      {"Two\r\nlines", nullptr, MB_ICONEXCLAMATION, false, "48\r\n\r\nTwo\r\nlines"},
      // An alert gets the exclamation icon unless it names an icon itself.
      {"Alert", nullptr, MB_OK, true, "48\r\n\r\nAlert"},
      {"Alert", nullptr, MB_YESNO, true, "52\r\n\r\nAlert"},
      {"Alert", nullptr, MB_ICONHAND, true, "16\r\n\r\nAlert"},
      {"Alert", nullptr, MB_ICONINFORMATION, true, "64\r\n\r\nAlert"},
  };
  HWND tab = stationTab();
  SetUINotifyWnd(tab);
  g_answer = IDNO;
  for (const Case& c : cases) {
    g_received.clear();
    int answer = c.alert ? NotifyUIAlert(c.text, c.type) : NotifyUIMessageBox(c.text, c.caption, c.type);
    // Sent, not posted: the answer is back before any message is pumped.
    EXPECT_EQ(answer, IDNO) << c.value;
    ASSERT_EQ(g_received.size(), 1u) << c.value;
    EXPECT_EQ(g_received[0].code, BRIDGE_UI_MESSAGE_BOX);
    EXPECT_EQ(g_received[0].value, c.value);
  }
  MSG msg;
  EXPECT_FALSE(PeekMessage(&msg, tab, 0, 0, PM_NOREMOVE));
}

TEST_F(UiBridgeTest, ParseMessageBoxRequest) {
  struct Case {
    const char* value;
    int type;
    const char* caption;
    const char* text;
  };
  const Case cases[] = {
      {"48\r\n\r\nHello", 48, "", "Hello"},
      {"36\r\nCap\r\nLine 1\r\nLine 2", 36, "Cap", "Line 1\r\nLine 2"},
      {"0\r\n\r\n", 0, "", ""},
      {"abc\r\nC\r\nT", 0, "C", "T"},  // the type is read with atoi
      {"-5\r\nC\r\nT", -5, "C", "T"},
      {"48\r\nno second separator", -1, "untouched", "untouched"},
      {"48 no separator", -1, "untouched", "untouched"},
      {"48\n\nLF only", -1, "untouched", "untouched"},
      {"", -1, "untouched", "untouched"},
  };
  for (const Case& c : cases) {
    CString caption = "untouched";
    CString text = "untouched";
    EXPECT_EQ(ParseMessageBoxNotify(c.value, caption, text), c.type) << c.value;
    EXPECT_STREQ(caption, c.caption) << c.value;
    EXPECT_STREQ(text, c.text) << c.value;
  }
}

TEST_F(UiBridgeTest, MessageBoxRequestReachesTheUiWindowsSkinnedBox) {
  g_showBoxes = true;
  HWND tab = stationTab();
  SetUINotifyWnd(tab);
  std::vector<std::string> captions;
  std::vector<std::vector<int>> buttons;
  int reply = IDOK;
  wavorel::setModalResponder([&](const wavorel::ModalWindow& box) {
    char caption[64] = {};
    GetDlgItemText(box.hwnd, 5224, caption, sizeof(caption));
    captions.push_back(caption);
    std::vector<int> shown;
    for (int id : {IDOK, IDYES, IDNO})
      if (IsWindowVisible(GetDlgItem(box.hwnd, id))) shown.push_back(id);
    buttons.push_back(shown);
    return reply;
  });

  // An alert without caption: the box picks the caption of its icon type.
  EXPECT_EQ(NotifyUIAlert("Soft AP user's account must have 'Administrator' privilege.", MB_OK), IDOK);
  reply = IDNO;
  EXPECT_EQ(NotifyUIMessageBox("Connect another one ?", nullptr, MB_ICONQUESTION | MB_YESNO), IDNO);
  ASSERT_EQ(captions.size(), 2u);
  EXPECT_EQ(captions[0], "Warning");
  EXPECT_EQ(buttons[0], std::vector<int>{IDOK});
  EXPECT_EQ(captions[1], "Question");
  EXPECT_EQ(buttons[1], (std::vector<int>{IDYES, IDNO}));
  ASSERT_EQ(g_received.size(), 2u);
  EXPECT_EQ(g_received[0].code, BRIDGE_UI_MESSAGE_BOX);

  // A malformed request or a negative type shows nothing and answers -1.
  EXPECT_EQ(OnBridgeMessageBox("48\r\nno text"), -1);
  EXPECT_EQ(OnBridgeMessageBox("-1\r\n\r\ntext"), -1);
  EXPECT_EQ(captions.size(), 2u);
}

TEST_F(UiBridgeTest, ConnectionStateValue) {
  struct Case {
    const char* value;
    int state;
    const char* text;
  };
  const Case cases[] = {
      {"03Good", 3, "Good"},
      {"00Wireless Net  Status : Disconnected", 0, "Wireless Net  Status : Disconnected"},
      {"01", 1, ""},
      {"5", 5, ""},  // shorter than two characters: no text
      {"", 0, ""},
      {"xxWeak", 0, "Weak"},
  };
  for (const Case& c : cases) {
    CString text = "old";
    EXPECT_EQ(ParseConnectionState(c.value, text), c.state) << c.value;
    EXPECT_STREQ(text, c.text) << c.value;
  }
}

TEST_F(UiBridgeTest, NotifyFieldKeepsOneField) {
  struct Case {
    const char* text;
    const char* field;
  };
  const Case cases[] = {
      {"one\r\ntwo\tthree", "one  two three"},
      {"a\t\r\n", "a   "},
      {"\r\r\n\n", "\r  \n"},  // only the pair is a line break
      {"plain", "plain"},
      {"x\r", "x\r"},  // a CR at the end pairs with nothing
      {nullptr, ""},
  };
  for (const Case& c : cases) {
    EXPECT_STREQ(MakeNotifyField(c.text), c.field) << (c.text ? c.text : "NULL");
    // In place in a longer text: only the length given is mended.
    std::string row = std::string("\r\n\t") + (c.text ? c.text : "") + "\r\n\t";
    MendNotifyField(&row[3], row.size() - 6);
    EXPECT_EQ(row, std::string("\r\n\t") + c.field + "\r\n\t") << (c.text ? c.text : "NULL");
  }
}

TEST_F(UiBridgeTest, IndexFromTextIsAppliedOnlyInRange) {
  HWND parent = CreateWindowEx(0, "STATIC", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
  CComboBox combo;
  CListBox list;
  combo.Attach(CreateWindowEx(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 100, 100, parent, nullptr,
                              nullptr, nullptr));
  list.Attach(CreateWindowEx(0, "LISTBOX", "", WS_CHILD, 0, 0, 100, 100, parent, nullptr, nullptr, nullptr));
  for (const char* item : {"a", "b", "c"}) {
    combo.AddString(item);
    list.AddString(item);
  }
  combo.SetCurSel(1);
  list.SetCurSel(1);
  struct Case {
    int index;
    BOOL selected;
    int after;
  };
  const Case cases[] = {{-1, FALSE, 1}, {3, FALSE, 1}, {0, TRUE, 0}, {2, TRUE, 2}, {atoi("x"), TRUE, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(SetComboCurSelSafe(&combo, c.index), c.selected) << c.index;
    EXPECT_EQ(combo.GetCurSel(), c.after) << c.index;
    EXPECT_EQ(SetListBoxCurSelSafe(&list, c.index), c.selected) << c.index;
    EXPECT_EQ(list.GetCurSel(), c.after) << c.index;
  }
  EXPECT_FALSE(SetComboCurSelSafe(nullptr, 0));
  EXPECT_FALSE(SetListBoxCurSelSafe(nullptr, 0));
  combo.Detach();
  list.Detach();
  DestroyWindow(parent);
}

}  // namespace
