// Fixture of the site editor tests: the application and its main dialog (a
// station tab control made by a test maker that holds the survey-save flag),
// a recorded worker window and the stand-in front end, and the editor driven
// by UI codes as the station tab control hands them on.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "frontend/DlgOneSiteEditor.h"
#include "frontend/SaveWithoutShowingFlag.h"
#include "frontend/SiteEditor.h"
#include "frontend/SiteEditorIds.h"
#include "frontend/UiBridge.h"
#include "frontend/WavorelApp.h"
#include "frontend/WavorelDlg.h"
#include "tests/frontend/FrontendTest.h"
#include "tests/support/FrontEndRecorder.h"

namespace site_editor_test {

using Command = std::pair<UINT, std::string>;
using Commands = std::vector<Command>;

// A station tab control as far as the editor sees it: the survey-save flag.
class CStationTable : public CGxTabCtrl, public CSaveWithoutShowingFlag {
 public:
  int& SaveWithoutShowingFlag() override { return m_flag; }
  int m_flag = 0;
};

class SiteEditorTest : public wavorel::testing::FrontendTest, protected wavorel::testing::FrontEndRecorder {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A UI code as the station tab control hands it on.
  void code(UINT nCode, const std::string& value = "");
  void code(UINT nCode, int value) { code(nCode, std::to_string(value)); }
  // What the worker window got since the last call (posted commands are
  // delivered first).
  Commands takeWorker();

  CDlgOneSiteEditor& editor();
  HWND item(UINT page, UINT id);  // a control of a page template
  CWnd* control(UINT page, UINT id) { return CWnd::FromHandle(item(page, id)); }
  std::string text(UINT page, UINT id);
  int selection(UINT page, UINT id);
  bool visible(UINT page, UINT id);
  bool enabled(UINT page, UINT id);
  // A click on OK (what the button sends) and on Cancel.
  void pressOk();
  void pressCancel();
  // The current error balloon's text, "" when none is up.
  std::string balloon();
  void dismissBalloon();
  HWND balloonWindow() { return m_app->GetBalloon().GetSafeHwnd(); }

  CStationTable* station() { return m_station; }
  int& saveFlag() { return m_station->m_flag; }
  CWavorelDlg& mainDialog() { return *m_dialog; }

 private:
  std::unique_ptr<CWavorelApp> m_app;
  std::unique_ptr<CWavorelDlg> m_dialog;
  CStationTable* m_station = nullptr;
  HWND m_worker = nullptr;
};

}  // namespace site_editor_test
