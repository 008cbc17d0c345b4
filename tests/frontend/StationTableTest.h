// Fixture of the station tab control tests: the application with its tray
// (the frames of the generated skin) and its main dialog in station mode,
// made with CTableCtrl_QZ, whose worker start is held back; a recorded worker
// window takes the bridge commands the pages send, and the reports of the
// worker are sent to the tab control as the bridge carries them.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "frontend/StationPageIds.h"
#include "frontend/TableCtrl_QZ.h"
#include "frontend/UiBridge.h"
#include "frontend/WavorelApp.h"
#include "frontend/WavorelDlg.h"
#include "tests/frontend/FrontendTest.h"

namespace station_table_test {

using Command = std::pair<UINT, std::string>;
using Commands = std::vector<Command>;

class StationTableTest : public wavorel::testing::FrontendTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  CTableCtrl_QZ& table() { return *m_table; }
  // A report of the worker, sent to the tab control; the result is its answer.
  LRESULT report(UINT code, const std::string& value = "");
  // What the worker window got since the last call (posted commands first delivered).
  Commands takeWorker();
  // Selects a page as a click on its label does, and lets it settle.
  void showPage(int index);
  // A left click (or double click) on a row of a list, at its centre, as the mouse sends it.
  void clickRow(CListCtrl& list, int row, bool twice = false);
  // A click on empty list space below the rows.
  void clickEmpty(CListCtrl& list);
  // A button press as the button reports it to its page.
  void press(CWnd& page, UINT id);
  // The tray frame shown (index into the frames), -1 for another picture.
  int trayFrame();
  std::string trayTip();
  static std::string text(CWnd* window);
  static int image(CListCtrl& list, int row);

  std::unique_ptr<CWavorelApp> m_app;
  std::unique_ptr<CWavorelDlg> m_dialog;
  CTableCtrl_QZ* m_table = nullptr;
  HWND m_worker = nullptr;
  std::vector<HICON> m_frames;
};

}  // namespace station_table_test
