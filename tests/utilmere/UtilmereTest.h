// Fixture of the library's tests: a fresh platform (temp root, virtual clock)
// with local time equal to UTC, and a program folder of its own in the temp
// root, seen as C:\Program Files\app\.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/Paths.h"
#include "platform/win/kernel/Time.h"

namespace utilmere::testing {

class UtilmereTest : public wavorel::testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    TIME_ZONE_INFORMATION utc = {};
    wavorel::setTimeZone(utc);
    programLinux_ = root() + "/prog";
    std::filesystem::create_directories(programLinux_);
    wavorel::setProgramFolder(programLinux_, "app");
  }

  // Sets the clock to a local (= UTC) date and time.
  void setNow(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME st = {};
    st.wYear = year;
    st.wMonth = month;
    st.wDay = day;
    st.wHour = hour;
    st.wMinute = minute;
    st.wSecond = second;
    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    clock().setUtcFileTime(wavorel::fileTimeToInt(ft));
  }

  const std::string& programLinux() const { return programLinux_; }

  static std::string readLinuxFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  static void writeLinuxFile(const std::string& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }

 private:
  std::string programLinux_;
};

}  // namespace utilmere::testing
