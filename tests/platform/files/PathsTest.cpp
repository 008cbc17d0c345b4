#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/testing/PlatformTest.h"
#include "platform/win/Errors.h"
#include "platform/win/Paths.h"
#include "platform/win/Root.h"

namespace fs = std::filesystem;

namespace wavorel {
namespace {

class Paths : public testing::PlatformTest {};

TEST_F(Paths, MapsDrivePathsWithEitherSeparator) {
  fs::create_directories(root() + "/drive_c/Data/skin");
  std::ofstream(root() + "/drive_c/Data/skin/A.bmp") << "x";
  struct Case {
    const char* win;
    const char* linux;
  } cases[] = {
      {"C:\\Data\\skin\\A.bmp", "/drive_c/Data/skin/A.bmp"},
      {"c:/data/SKIN/a.BMP", "/drive_c/Data/skin/A.bmp"},
      {"C:\\\\Data\\\\Skin\\\\New.txt", "/drive_c/Data/skin/New.txt"},
      {"C:\\Data\\.\\x\\..\\skin\\", "/drive_c/Data/skin"},
      {"C:\\", "/drive_c"},
  };
  for (const Case& c : cases) {
    std::string out;
    ASSERT_TRUE(resolveWindowsPath(c.win, out)) << c.win;
    EXPECT_EQ(out, root() + c.linux) << c.win;
  }
}

}  // namespace
}  // namespace wavorel
