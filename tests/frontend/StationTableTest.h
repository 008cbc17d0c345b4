// Fixture of the station tab control tests: the station front end with its
// worker start held back; a recorded worker window takes the bridge commands
// the pages send, and the reports of the worker are sent to the tab control
// as the bridge carries them.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tests/frontend/FrontendTest.h"
#include "tests/frontend/StationFrontEnd.h"

namespace station_table_test {

using Command = std::pair<UINT, std::string>;
using Commands = std::vector<Command>;

class StationTableTest : public wavorel::testing::FrontendTest, protected station_front_end::StationFrontEnd {
 protected:
  void SetUp() override;
  void TearDown() override;

  CTableCtrl_QZ& table() { return *m_table; }
  // A report of the worker, sent to the tab control; the result is its answer.
  LRESULT report(UINT code, const std::string& value = "");
  // What the worker window got since the last call (posted commands first delivered).
  Commands takeWorker();
  // Every page caption of `tabs` drawn in the title font (bold italic) is as
  // tall as a line of that font; the captions checked, by their texts.
  static std::vector<std::string> expectTitlesHoldALineOfTheirFont(CGxTabCtrl& tabs);

  CTableCtrl_QZ* m_table = nullptr;
  HWND m_worker = nullptr;
};

}  // namespace station_table_test
