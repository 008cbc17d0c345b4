// The station tab control's routing of the worker's reports (codes 1 to 96)
// into the tray, its five pages and their buttons, and the commands the pages
// send back, as a person's clicks and the worker's reports drive them. The
// worker is a recorded window here; the real one is in StationEndToEndTest.
#include "tests/frontend/StationTableTest.h"

#include "frontend/DlgMessageBox.h"
#include "frontend/SkinMessageBox.h"
#include "platform/mfc/ControlRef.h"
#include "utilmere/Utilmere.h"

namespace station_table_test {
namespace {

constexpr int kLink = 0, kSurvey = 1, kProfiles = 2, kStatistics = 3, kWps = 4;

Commands one(UINT code, const std::string& value) { return {{code, value}}; }

// A row of code 26: the seven fields of the worker, quoted as it sends them.
std::string surveyRow(const std::string& ssid, int connected, int signal) {
  return "\"" + ssid + "\"\t\"" + std::to_string(connected) + "\"\t\"Infrastructure\"\t\"6\"\t\"WPA2-PSK\"\t\"AES\"\t\"" +
         std::to_string(signal) + "\"";
}

TEST_F(StationTableTest, ConnectionStatePicksTheTrayFrameAndBlanksThePagesOnlyWhenThePictureChanges) {
  ASSERT_GE(frameCount(), 6u);
  report(BRIDGE_UI_LINK_SSID, "HomeNet");
  report(BRIDGE_UI_CONNECTION_STATE, "03Good");
  EXPECT_EQ(trayFrame(), 3);
  EXPECT_EQ(trayTip(), "Good");
  CPageMainDlg_LinkInfo& link = table().GetLinkPage();
  EXPECT_EQ(text(link.GetValue(1)), "HomeNet");  // a connected state refreshes no page

  report(BRIDGE_UI_CONNECTION_STATE, "00Disconnected");
  EXPECT_EQ(trayFrame(), 0);
  EXPECT_EQ(trayTip(), "Disconnected");
  EXPECT_EQ(text(link.GetValue(0)), "Disconnected");
  EXPECT_EQ(text(link.GetValue(1)), "");

  // States outside the frames keep the picture and refresh nothing; a value
  // shorter than two characters has no text.
  struct Case {
    const char* value;
    const char* tip;
  };
  const Case cases[] = {{"99Far away", "Far away"}, {"-1Below", "Below"}, {"xxJunk", "Junk"}, {"0", ""}};
  report(BRIDGE_UI_CONNECTION_STATE, "04Normal");
  for (const Case& c : cases) {
    report(BRIDGE_UI_LINK_SSID, "Kept");
    report(BRIDGE_UI_CONNECTION_STATE, c.value);
    const int expected = std::string(c.value).rfind("xx", 0) == 0 || std::string(c.value) == "0" ? 0 : 4;
    EXPECT_EQ(trayFrame(), expected) << c.value;
    EXPECT_EQ(trayTip(), c.tip) << c.value;
    if (expected == 4) {
      EXPECT_EQ(text(link.GetValue(1)), "Kept") << c.value;
    }
    report(BRIDGE_UI_CONNECTION_STATE, "04Normal");
  }
}

TEST_F(StationTableTest, LinkReportsFillTheValuesAndTheBars) {
  CPageMainDlg_LinkInfo& link = table().GetLinkPage();
  EXPECT_EQ(link.GetSignalBar().GetPos(), 0);
  EXPECT_EQ(text(link.GetValue(0)), "");
  report(BRIDGE_UI_LINK_STATUS, "Disconnected");
  report(BRIDGE_UI_LINK_QUALITY, "57");
  EXPECT_EQ(link.GetQualityBar().GetPos(), 57);
  EXPECT_EQ(link.GetSignalBar().GetPos(), 0);
  report(BRIDGE_UI_SIGNAL_STRENGTH, "0");
  EXPECT_EQ(text(link.GetValue(0)), "Disconnected");
  report(BRIDGE_UI_SIGNAL_STRENGTH, "80");
  EXPECT_EQ(link.GetSignalBar().GetPos(), 80);
  EXPECT_EQ(text(link.GetValue(0)), "Connect");
  const char* values[] = {"HomeNet", "00:11:22:33:44:55", "WPA2-PSK", "AES", "Infrastructure", "192.168.1.20",
                          "255.255.255.0", "192.168.1.1", "54 Mbps", "1.2 Kbps", "0.8 Kbps"};
  for (UINT i = 0; i < 11; ++i) report(BRIDGE_UI_LINK_SSID + i, values[i]);
  for (int i = 0; i < 11; ++i) EXPECT_EQ(text(link.GetValue(i + 1)), values[i]) << i;
  // Codes outside the station range change nothing and answer 0.
  EXPECT_EQ(report(BRIDGE_UI_AP_SSID, "Other"), 0);
  EXPECT_EQ(report(0, "x"), 0);
  EXPECT_EQ(text(link.GetValue(1)), "HomeNet");
}

TEST_F(StationTableTest, StatisticsPollRunsWhileThePageShowsAndClearAsksForZero) {
  showPage(kStatistics);
  EXPECT_EQ(takeWorker(), one(BRIDGE_CMD_STATISTICS_POLL, "1"));
  CPageMainDlg_Statistic& stats = table().GetStatisticPage();
  for (UINT i = 0; i < 9; ++i) report(BRIDGE_UI_STAT_TX_SUCCESS + i, std::to_string(100 + i));
  for (int i = 0; i < 9; ++i) EXPECT_EQ(text(stats.GetCounter(i)), std::to_string(100 + i));
  press(stats, IDC_STAT_CLEAR);
  EXPECT_EQ(takeWorker(), one(BRIDGE_CMD_CLEAR_STATISTICS, "0"));
  showPage(kLink);
  EXPECT_EQ(takeWorker(), one(BRIDGE_CMD_STATISTICS_POLL, "0"));
}

TEST_F(StationTableTest, SurveyRowsArriveBeforeThePageAndPickTheirSignalImages) {
  struct Row {
    int connected;
    int signal;
    int image;
  };
  const Row rows[] = {{0, 0, 0},  {0, 20, 0},  {0, 21, 1},   {0, 100, 4},
                      {0, 150, 4}, {0, -5, 0}, {1, 100, 9}, {1, -20, 5}};
  std::string text26;
  for (size_t i = 0; i < std::size(rows); ++i)
    text26 += surveyRow("Net" + std::to_string(i), rows[i].connected, rows[i].signal) + "\r\n";
  text26 += "Short";  // missing fields read "" and 0
  report(BRIDGE_UI_SURVEY_ROW, "");
  report(BRIDGE_UI_SURVEY_ROW, text26);
  showPage(kSurvey);
  CPageMainDlg_SiteSurvey& survey = table().GetSurveyPage();
  CSortListCtrl& list = survey.GetList();
  ASSERT_EQ(list.GetItemCount(), static_cast<int>(std::size(rows)) + 1);
  for (size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_EQ(image(list, static_cast<int>(i)), rows[i].image) << i;
    EXPECT_EQ(std::string(list.GetItemText(static_cast<int>(i), 0)), "Net" + std::to_string(i));
  }
  EXPECT_EQ(std::string(list.GetItemText(2, 1)), "21%");
  EXPECT_EQ(std::string(list.GetItemText(8, 0)), "Short");
  EXPECT_EQ(std::string(list.GetItemText(8, 1)), "0%");

  // Code 27 moves the connected mark; a row out of range changes nothing.
  report(BRIDGE_UI_SURVEY_MARK_CONNECTED, "2");
  EXPECT_EQ(image(list, 2), 6);
  EXPECT_EQ(image(list, 6), 4);
  report(BRIDGE_UI_SURVEY_MARK_CONNECTED, "40");
  EXPECT_EQ(image(list, 2), 6);

  // 64 networks and more fill the list.
  std::string many;
  for (int i = 0; i < 70; ++i) many += surveyRow("N" + std::to_string(i), 0, 50) + "\r\n";
  report(BRIDGE_UI_SURVEY_ROW, many);
  EXPECT_EQ(list.GetItemCount(), 70);
  report(BRIDGE_UI_SURVEY_ROW, "");
  EXPECT_EQ(list.GetItemCount(), 0);
}

TEST_F(StationTableTest, SurveyDetailsConnectRefreshAndSaveRequest) {
  showPage(kSurvey);
  CPageMainDlg_SiteSurvey& survey = table().GetSurveyPage();
  CSortListCtrl& list = survey.GetList();
  report(BRIDGE_UI_SURVEY_ROW, surveyRow("Open", 0, 80) + "\r\n" + surveyRow("Home", 1, 60) + "\r\n" +
                                   surveyRow("Cafe", 0, 30));
  takeWorker();

  // Details of a row in range, then the Connect question to the worker.
  report(BRIDGE_UI_BSS_DETAIL, "5\tGhost\t00:00:00:00:00:01\tWEP\t1\tAd hoc");
  EXPECT_TRUE(takeWorker().empty());
  EXPECT_EQ(text(survey.GetDlgItem(IDC_SURVEY_SSID)), "");
  report(BRIDGE_UI_BSS_DETAIL, "0\tOpen\t00:11:22:33:44:55\tNone\t6\tInfrastructure");
  EXPECT_EQ(takeWorker(), one(BRIDGE_CMD_QUERY_CONNECT_ENABLE, "0"));
  EXPECT_EQ(text(survey.GetDlgItem(IDC_SURVEY_SSID)), "Open");
  EXPECT_EQ(text(survey.GetDlgItem(IDC_SURVEY_BSSID)), "00:11:22:33:44:55");
  EXPECT_EQ(text(survey.GetDlgItem(IDC_SURVEY_ENCRYPTION)), "None");
  EXPECT_EQ(text(survey.GetDlgItem(IDC_SURVEY_CHANNEL)), "6");
  EXPECT_EQ(text(survey.GetDlgItem(IDC_SURVEY_NETTYPE)), "Infrastructure");

  EXPECT_FALSE(survey.GetConnectButton().IsWindowEnabled());
  report(BRIDGE_UI_CONNECT_ENABLE, "1");
  EXPECT_TRUE(survey.GetConnectButton().IsWindowEnabled());
  EXPECT_TRUE(survey.GetSaveButton().IsWindowEnabled());

  // A click selects; Connect twice within 3000 ms sends one command.
  clock().advance(10000);
  clickRow(list, 0);
  EXPECT_EQ(takeWorker(), one(BRIDGE_CMD_SELECT_BSS, "0"));
  press(survey, IDC_BTN_CONNECT);
  clock().advance(2000);
  press(survey, IDC_BTN_CONNECT);
  EXPECT_EQ(takeWorker(), one(BRIDGE_CMD_CONNECT_BSS, "0"));

  // The connected network asks first: No sends nothing, Yes connects.
  int answer = IDNO;
  std::string asked;
  wavorel::setModalResponder([&](const wavorel::ModalWindow&) {
    CDlgMessageBox* box = CDlgMessageBox::GetCurrent();
    asked = box ? box->m_strText.GetString() : "";
    return answer;
  });
  clock().advance(3000);
  clickRow(list, 1, true);  // the double click runs Connect
  takeWorker();
  EXPECT_NE(asked.find("Do you need to connect another one ?"), std::string::npos) << asked;
  clock().advance(3000);
  answer = IDYES;
  press(survey, IDC_BTN_CONNECT);
  EXPECT_EQ(takeWorker(), one(BRIDGE_CMD_CONNECT_BSS, "1"));

  // Refresh blanks the details and rescans; the next list brings it back.
  press(survey, IDC_SURVEY_REFRESH);
  EXPECT_EQ(takeWorker(), one(BRIDGE_CMD_RESCAN, "0"));
  EXPECT_FALSE(survey.GetDlgItem(IDC_SURVEY_REFRESH)->IsWindowEnabled());
  EXPECT_FALSE(survey.GetConnectButton().IsWindowEnabled());
  EXPECT_EQ(text(survey.GetDlgItem(IDC_SURVEY_SSID)), "");
  report(BRIDGE_UI_SURVEY_ROW, surveyRow("Open", 0, 80) + "\r\n" + surveyRow("Home", 1, 60) + "\r\n" +
                                   surveyRow("Cafe", 0, 30));
  EXPECT_TRUE(survey.GetDlgItem(IDC_SURVEY_REFRESH)->IsWindowEnabled());

  // The save request takes the row last clicked: Cafe is no profile, so it
  // is selected and saved without the editor showing.
  report(BRIDGE_UI_CONNECT_ENABLE, "1");
  clickRow(list, 2);
  takeWorker();
  report(BRIDGE_UI_SURVEY_SAVE_REQUEST, "0");
  EXPECT_EQ(table().SaveWithoutShowingFlag(), 1);
  EXPECT_EQ(list.GetSelectionMark(), 2);
  EXPECT_EQ(takeWorker(), (Commands{{BRIDGE_CMD_SELECT_BSS, "2"}, {BRIDGE_CMD_ADD_BSS_TO_PROFILE, "2"}}));
  // Any message box clears the flag, and so does leaving the page.
  wavorel::setModalResponder([](const wavorel::ModalWindow&) { return IDOK; });
  SkinMessageBox(MB_ICONINFORMATION, nullptr, "Note");
  EXPECT_EQ(table().SaveWithoutShowingFlag(), 0);
  table().SaveWithoutShowingFlag() = 1;
  showPage(kLink);
  EXPECT_EQ(table().SaveWithoutShowingFlag(), 0);
}

TEST_F(StationTableTest, SaveRequestWithoutARememberedRowDoesNothing) {
  showPage(kSurvey);
  report(BRIDGE_UI_SURVEY_ROW, surveyRow("Open", 0, 80));
  takeWorker();
  report(BRIDGE_UI_SURVEY_SAVE_REQUEST, "0");
  EXPECT_EQ(table().SaveWithoutShowingFlag(), 0);
  EXPECT_TRUE(takeWorker().empty());
}

TEST_F(StationTableTest, ProfileRowsStatesDetailsAndButtons) {
  report(BRIDGE_UI_PROFILE_ROW, "\"Home\"\t\"HomeNet\"\t\"0\"\t\"0\"\r\nOffice\tCorp\t-1\t1\r\nCafe\tFree");
  showPage(kProfiles);
  CPageMainDlg_Profiles& page = table().GetProfilePage();
  CSortListCtrl& list = page.GetList();
  ASSERT_EQ(list.GetItemCount(), 3);
  EXPECT_EQ(std::string(list.GetItemText(0, 0)), "Home");
  EXPECT_EQ(std::string(list.GetItemText(0, 1)), "HomeNet");
  EXPECT_EQ(image(list, 0), 2);
  EXPECT_EQ(image(list, 1), 1);
  EXPECT_EQ(image(list, 2), 2);  // a missing state reads 0, the connected one
  EXPECT_FALSE(page.GetDlgItem(IDC_PROF_UP)->IsWindowEnabled());
  EXPECT_TRUE(page.GetDlgItem(IDC_PROF_NEW)->IsWindowEnabled());

  // Row states: the named row takes the state's image, the others their plain one.
  report(BRIDGE_UI_PROFILE_ROW_STATE, "2\r\n1");
  EXPECT_EQ(image(list, 0), 0);
  EXPECT_EQ(image(list, 1), 1);
  EXPECT_EQ(image(list, 2), 3);
  report(BRIDGE_UI_PROFILE_ROW_STATE, "7\r\n0");
  EXPECT_EQ(image(list, 2), 0);

  // Details: five fields fill, fewer blank all five.
  report(BRIDGE_UI_PROFILE_DETAIL, "Infrastructure\r\nWPA2-PSK\r\nAES\r\n6\r\nNone");
  EXPECT_EQ(text(page.GetDlgItem(IDC_PROF_AUTH)), "WPA2-PSK");
  EXPECT_EQ(text(page.GetDlgItem(IDC_PROF_POWER)), "None");
  report(BRIDGE_UI_PROFILE_DETAIL, "Infrastructure\r\nWPA2-PSK\r\nAES\r\n6");
  EXPECT_EQ(text(page.GetDlgItem(IDC_PROF_NETTYPE)), "");
  EXPECT_EQ(text(page.GetDlgItem(IDC_PROF_POWER)), "");

  // A click selects the row and enables its buttons; empty space disables them.
  takeWorker();
  clickRow(list, 1);
  EXPECT_EQ(takeWorker(), (Commands{{BRIDGE_CMD_SELECT_PROFILE, "1"}, {BRIDGE_CMD_QUERY_CONNECT_ENABLE, "0"}}));
  EXPECT_TRUE(page.GetDlgItem(IDC_PROF_DELETE)->IsWindowEnabled());
  clickEmpty(list);
  EXPECT_TRUE(takeWorker().empty());
  for (UINT id : {IDC_PROF_UP, IDC_PROF_DOWN, IDC_PROF_MODIFY, IDC_PROF_DELETE, IDC_BTN_CONNECT})
    EXPECT_FALSE(page.GetDlgItem(id)->IsWindowEnabled()) << id;
  EXPECT_TRUE(page.GetDlgItem(IDC_PROF_NEW)->IsWindowEnabled());

  // The worker selects a row: echoed back, buttons enabled.
  report(BRIDGE_UI_PROFILE_SELECT, "2");
  EXPECT_EQ(list.GetSelectionMark(), 2);
  EXPECT_EQ(takeWorker(), (Commands{{BRIDGE_CMD_SELECT_PROFILE, "2"}, {BRIDGE_CMD_QUERY_CONNECT_ENABLE, "0"}}));
  EXPECT_TRUE(page.GetDlgItem(IDC_PROF_UP)->IsWindowEnabled());

  const std::pair<UINT, UINT> buttons[] = {{IDC_PROF_UP, BRIDGE_CMD_PROFILE_MOVE_UP},
                                           {IDC_PROF_DOWN, BRIDGE_CMD_PROFILE_MOVE_DOWN},
                                           {IDC_PROF_NEW, BRIDGE_CMD_PROFILE_NEW},
                                           {IDC_PROF_MODIFY, BRIDGE_CMD_PROFILE_MODIFY},
                                           {IDC_PROF_DELETE, BRIDGE_CMD_PROFILE_DELETE}};
  for (const auto& [id, code] : buttons) {
    press(page, id);
    EXPECT_EQ(takeWorker(), one(code, "")) << id;
  }
}

TEST_F(StationTableTest, ProfileConnectIsDebouncedAndAsksOnTheConnectedRow) {
  showPage(kProfiles);
  CPageMainDlg_Profiles& page = table().GetProfilePage();
  CSortListCtrl& list = page.GetList();
  report(BRIDGE_UI_PROFILE_ROW, "Home\tHomeNet\t0\t0\r\nOffice\tCorp\t-1\t0");
  report(BRIDGE_UI_PROFILE_SELECT, "1");
  report(BRIDGE_UI_CONNECT_ENABLE, "1");
  takeWorker();
  clock().advance(10000);
  press(page, IDC_BTN_CONNECT);
  clock().advance(2999);
  press(page, IDC_BTN_CONNECT);
  EXPECT_EQ(takeWorker(), one(BRIDGE_CMD_ACTIVATE_PROFILE, "1"));

  int answer = IDNO;
  int asked = 0;
  wavorel::setModalResponder([&](const wavorel::ModalWindow&) {
    ++asked;
    return answer;
  });
  report(BRIDGE_UI_PROFILE_SELECT, "0");
  report(BRIDGE_UI_CONNECT_ENABLE, "1");
  takeWorker();
  clock().advance(3000);
  clickRow(list, 0, true);  // the double click runs Connect on the connected row
  EXPECT_EQ(asked, 1);
  Commands sent = takeWorker();
  EXPECT_EQ(std::count_if(sent.begin(), sent.end(), [](const Command& c) { return c.first == BRIDGE_CMD_ACTIVATE_PROFILE; }),
            0);
  clock().advance(3000);
  answer = IDYES;
  press(page, IDC_BTN_CONNECT);
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(takeWorker(), one(BRIDGE_CMD_ACTIVATE_PROFILE, "0"));
}

TEST_F(StationTableTest, WpsListsProgressMarksAndButtons) {
  // A flag set before the page exists is applied when it is made.
  report(BRIDGE_UI_WPS_RENEW_ENABLE, "0");
  report(BRIDGE_UI_WPS_CONFIG_MODE, "1");
  report(BRIDGE_UI_WPS_PIN_CODE, "12345670");
  showPage(kWps);
  CPageMainDlg_WPS& wps = table().GetWpsPage();
  EXPECT_FALSE(wps.GetDlgItem(IDC_WPS_RENEW)->IsWindowEnabled());
  EXPECT_TRUE(wps.GetDlgItem(IDC_WPS_PBC)->IsWindowEnabled());
  EXPECT_EQ(ControlRef<CComboBox>(&wps, IDC_WPS_MODE).get()->GetCurSel(), 1);
  EXPECT_EQ(text(wps.GetDlgItem(IDC_WPS_PIN_CODE)), "12345670");
  report(BRIDGE_UI_WPS_PIN_CODE, "00000000");
  EXPECT_EQ(text(wps.GetDlgItem(IDC_WPS_PIN_CODE)), "00000000");

  report(BRIDGE_UI_WPS_AP_ROW, "\"0\"\t\"PushNet\"\t\"11\"\r\n1\tPinNet");
  ASSERT_EQ(wps.GetApList().GetItemCount(), 2);
  EXPECT_EQ(std::string(wps.GetApList().GetItemText(0, 1)), "PushNet");
  EXPECT_EQ(std::string(wps.GetApList().GetItemText(1, 2)), "");
  report(BRIDGE_UI_WPS_PROFILE_ROW, "A\t00:01\r\nB\t00:02\r\nC\t00:03");
  CSortListCtrl& profiles = wps.GetProfileList();
  ASSERT_EQ(profiles.GetItemCount(), 3);
  struct Mark {
    const char* value;
    int images[3];
  };
  const Mark marks[] = {{"65538", {0, 0, 2}},   // 0x00010002: row 2, state 1
                        {"1", {0, 1, 0}},       // row 1, state 0
                        {"-65534", {0, 0, 0}},  // row 2, state -1
                        {"65535", {0, 0, 0}},   // row 0xFFFF, out of range
                        {"x", {1, 0, 0}}};      // not a number: row 0, state 0
  for (const Mark& m : marks) {
    report(BRIDGE_UI_WPS_SELECT, m.value);
    for (int row = 0; row < 3; ++row) EXPECT_EQ(image(profiles, row), m.images[row]) << m.value << " row " << row;
  }

  // Progress: shown while running, hidden 3 s after its end; a value out of
  // range moves the bar only.
  CProgressST& bar = wps.GetProgress();
  EXPECT_FALSE(bar.IsWindowVisible());
  report(BRIDGE_UI_WPS_PROGRESS, "50");
  EXPECT_TRUE(bar.IsWindowVisible());
  report(BRIDGE_UI_WPS_PROGRESS, "150");
  EXPECT_EQ(bar.GetPos(), 100);
  wavorel::runFor(3100);
  EXPECT_TRUE(bar.IsWindowVisible());
  report(BRIDGE_UI_WPS_PROGRESS, "100");
  wavorel::runFor(2900);
  EXPECT_TRUE(bar.IsWindowVisible());
  wavorel::runFor(200);
  EXPECT_FALSE(bar.IsWindowVisible());
  report(BRIDGE_UI_WPS_PROGRESS, "-5");
  EXPECT_EQ(bar.GetPos(), 0);
  EXPECT_FALSE(bar.IsWindowVisible());

  // Buttons: each sends its command; codes 92-96 disable them.
  takeWorker();
  const std::pair<UINT, UINT> buttons[] = {{IDC_WPS_RESCAN, BRIDGE_CMD_WPS_RESCAN},
                                           {IDC_WPS_PBC, BRIDGE_CMD_WPS_PBC},
                                           {IDC_BTN_CONNECT, BRIDGE_CMD_WPS_CONNECT},
                                           {IDC_WPS_DISCONNECT, BRIDGE_CMD_WPS_DISCONNECT},
                                           {IDC_WPS_PIN, BRIDGE_CMD_WPS_PIN}};
  for (size_t i = 0; i < std::size(buttons); ++i) {
    press(wps, buttons[i].first);
    EXPECT_EQ(takeWorker(), one(buttons[i].second, "")) << buttons[i].first;
    report(BRIDGE_UI_WPS_BUTTON_ENABLE + static_cast<UINT>(i), "0");
    EXPECT_FALSE(wps.GetDlgItem(buttons[i].first)->IsWindowEnabled()) << buttons[i].first;
  }
  press(wps, IDC_WPS_RENEW);
  EXPECT_EQ(takeWorker(), one(BRIDGE_CMD_WPS_RENEW_PIN, ""));

  clickRow(wps.GetApList(), 1);
  EXPECT_EQ(takeWorker(), one(BRIDGE_CMD_WPS_SELECT_AP, "1"));
  clickRow(profiles, 2);
  EXPECT_EQ(takeWorker(), one(BRIDGE_CMD_WPS_SELECT_PROFILE, "2"));
  clickEmpty(profiles);
  EXPECT_TRUE(takeWorker().empty());
  ControlRef<CComboBox>(&wps, IDC_WPS_MODE).get()->SetCurSel(0);
  wps.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_WPS_MODE, CBN_SELCHANGE),
                  reinterpret_cast<LPARAM>(wps.GetDlgItem(IDC_WPS_MODE)->GetSafeHwnd()));
  EXPECT_EQ(takeWorker(), one(BRIDGE_CMD_WPS_CONFIG_MODE, "0"));

  // A lost link takes the marks off.
  report(BRIDGE_UI_WPS_SELECT, "1");
  report(BRIDGE_UI_CONNECTION_STATE, "03Good");
  report(BRIDGE_UI_CONNECTION_STATE, "00Disconnected");
  EXPECT_EQ(image(profiles, 1), 0);
}

// The captions on the pages' dark bands are not cut at the bottom ("Signal").
TEST_F(StationTableTest, PageCaptionsHoldALineOfTheirFont) {
  EXPECT_EQ(expectTitlesHoldALineOfTheirFont(table()),
            (std::vector<std::string>{"Wireless Network Current Status", "SSID", "Signal", "Detail Information",
                                      "Profile Name", "SSID", "Detail Information", "Send", "Receive", "WPS AP",
                                      "WPS Profile"}));
}

TEST_F(StationTableTest, MessageBoxRequestIsAnsweredByTheSkinnedBox) {
  std::string text;
  wavorel::setModalResponder([&](const wavorel::ModalWindow&) {
    CDlgMessageBox* box = CDlgMessageBox::GetCurrent();
    text = box ? box->m_strText.GetString() : "";
    return IDYES;
  });
  EXPECT_EQ(report(BRIDGE_UI_MESSAGE_BOX, "36\r\nAsk\r\nReally?"), IDYES);
  EXPECT_EQ(text, "Really?");
}

}  // namespace
}  // namespace station_table_test

namespace station_table_test {
namespace {

// Every one-line label of the five pages shows its whole text in the skin's
// font: a caption narrower than its text wraps, and the second line falls
// below the label's bottom edge.
TEST_F(StationTableTest, PageLabelsShowTheirWholeText) {
  CGxTabPage* pages[] = {&table().GetLinkPage(), &table().GetSurveyPage(), &table().GetProfilePage(),
                         &table().GetStatisticPage(), &table().GetWpsPage()};
  for (CGxTabPage* page : pages) {
    for (CWnd* child = page->GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
      auto* label = dynamic_cast<CGxStatic*>(CWnd::FromHandlePermanent(child->GetSafeHwnd()));
      CString text;
      if (!label || (label->GetWindowText(text), text.IsEmpty())) continue;
      CRect client;
      label->GetClientRect(&client);
      SCOPED_TRACE(std::string(text) + " #" + std::to_string(label->GetDlgCtrlID()));
      const CSize size = label->GetTextSize();
      EXPECT_LE(size.cx, client.Width());
      EXPECT_LE(size.cy, client.Height());
    }
  }
}

}  // namespace
}  // namespace station_table_test
