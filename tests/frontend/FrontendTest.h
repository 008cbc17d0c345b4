// Fixture of the front-end tests: a fresh platform (temporary root, virtual
// clock) whose program folder holds the generated skin and the English
// texts, named like the program of the build under test, with the utility
// library started as the program starts it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>
#include <sys/stat.h>

#include "apps/skin/SkinGenerator.h"
#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/Paths.h"
#include "utilmere/Utilmere.h"

namespace wavorel::testing {

class FrontendTest : public PlatformTest {
 protected:
  // The executable's base name of the build under test.
  static const char* programName() { return WAVOREL_BUILD_XP ? "Wavorel" : "WavorelVista"; }

  void SetUp() override {
    PlatformTest::SetUp();
    programDir_ = root() + "/program";
    ::mkdir(programDir_.c_str(), 0755);
    ::mkdir((programDir_ + "/Language").c_str(), 0755);
    std::string error;
    ASSERT_TRUE(wavorel::skin::writeSkin(programDir_ + "/Skin", &error)) << error;
    std::ofstream(programDir_ + "/Language/English.ini")
        << "[Text]\r\nCompanyName=Quendal Wireless\r\nCompanyWeb=http://www.quendal.example/\r\n"
        << "Model No.=Wavorel 802.11n Wireless Adapter\r\n";
    setProgramFolder(programDir_, programName());
    if (startUtilmere_) Init_Utilmere("Wavorel");
  }

  // The Linux folder of the program.
  const std::string& programDir() const { return programDir_; }

  // The controls Tab goes through in `dialog`, once round from the first.
  static std::vector<HWND> tabRing(HWND dialog) {
    std::vector<HWND> ring;
    for (HWND c = GetNextDlgTabItem(dialog, nullptr, FALSE); c && ring.size() < 100;
         c = GetNextDlgTabItem(dialog, c, FALSE)) {
      if (!ring.empty() && c == ring.front()) break;
      ring.push_back(c);
    }
    return ring;
  }
  static bool inRing(const std::vector<HWND>& ring, HWND control) {
    return control && std::find(ring.begin(), ring.end(), control) != ring.end();
  }

  // Set before SetUp by tests that start the library themselves.
  bool startUtilmere_ = true;

 private:
  std::string programDir_;
};

}  // namespace wavorel::testing
