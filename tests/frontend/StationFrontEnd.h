// The front end as the tests drive it: the application with its tray (the
// frames of the generated skin) and its main dialog made with the station
// tab control (or, in soft-AP mode, the AP tab control), and the hands of a
// person on it (page labels, buttons, list rows).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "frontend/StationPageIds.h"
#include "frontend/TableCtrl_AP.h"
#include "frontend/TableCtrl_QZ.h"
#include "frontend/UiBridge.h"
#include "frontend/WavorelApp.h"
#include "frontend/WavorelDlg.h"
#include "frontend/WavorelDlgIds.h"

namespace station_front_end {

class StationFrontEnd {
 public:
  // Builds it all, in station mode or (`apMode`) in soft-AP mode; FALSE
  // when a part cannot be made.
  bool start(bool apMode = false);
  void stop();

  CWavorelApp& app() { return *m_app; }
  CWavorelDlg& dialog() { return *m_dialog; }
  // The tab control the dialog holds now (null in AP mode).
  CTableCtrl_QZ* table() { return dynamic_cast<CTableCtrl_QZ*>(m_dialog->GetStationTable()); }
  // The AP tab control the dialog holds now (null in station mode).
  CTableCtrl_AP* apTable() { return dynamic_cast<CTableCtrl_AP*>(m_dialog->GetAPTable()); }

  // The tray frame shown (index into the frames), -1 for another picture.
  int trayFrame() const;
  size_t frameCount() const { return m_frames.size(); }
  std::string trayTip() const;

  // Selects a page of the current mode's tab control as a click on its
  // label does, and lets it settle.
  void showPage(int index);
  // A click on the main dialog's radio of soft-AP mode (or station mode),
  // which makes the mode's tab control in place of the other.
  void chooseMode(bool apMode);
  // A button press as the button reports it to its page.
  static void press(CWnd& page, UINT id);
  // A left click (or double click) on a row of a list, at its centre, as the mouse sends it.
  static void clickRow(CListCtrl& list, int row, bool twice = false);
  // A click on empty list space below the rows.
  static void clickEmpty(CListCtrl& list);
  static std::string text(CWnd* window);
  // The image index of a list row, -100 when the row cannot be read.
  static int image(CListCtrl& list, int row);

 private:
  std::unique_ptr<CWavorelApp> m_app;
  std::unique_ptr<CWavorelDlg> m_dialog;
  std::vector<HICON> m_frames;
};

}  // namespace station_front_end
