#include "SimTest.h"

#include <cstdio>

namespace wavorel::sim::testing {
namespace {

class DriverFilesTest : public SimTest {
 protected:
  // "a.b.c.d" of a file's fixed version, or "" without version information.
  std::string fileVersion(const std::string& path) {
    DWORD size = GetFileVersionInfoSize(path.c_str(), nullptr);
    if (size == 0) return "";
    std::vector<BYTE> block(size);
    EXPECT_TRUE(GetFileVersionInfo(path.c_str(), 0, size, block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    EXPECT_TRUE(VerQueryValue(block.data(), "\\", reinterpret_cast<LPVOID*>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileType, VFT_DRV);
    return std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
           std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionLS));
  }
  std::string modified(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesEx(path.c_str(), GetFileExInfoStandard, &data)) return "";
    SYSTEMTIME t{};
    FileTimeToSystemTime(&data.ftLastWriteTime, &t);
    char text[32];
    std::snprintf(text, sizeof text, "%02u-%02u-%04u", t.wMonth, t.wDay, t.wYear);
    return text;
  }
};

TEST_F(DriverFilesTest, TheFamilysDriverFilesAnswerWithTheWorldsVersionAndDate) {
  machine();
  char system[MAX_PATH] = {};
  GetSystemDirectory(system, sizeof system);
  // Family 8: the XP and the Vista driver names.
  for (const char* name : {"\\drivers\\vx31.sys", "\\DRIVERS\\VXW31.SYS"}) {
    std::string path = std::string(system) + name;
    EXPECT_EQ(fileVersion(path), "3.1.4.0") << path;
    EXPECT_EQ(modified(path), "03-18-2009") << path;
  }
  EXPECT_EQ(fileVersion(std::string(system) + "\\drivers\\vxw41.sys"), "") << "another family's driver is not there";
}

TEST_F(DriverFilesTest, WorldNamesTheFileAndItsVersion) {
  std::string world(defaultWorldText());
  world.replace(world.find("DriverFileVersion = 3.1.4.0"), 27, "DriverFileVersion = 5.0.0.12\nDriverFile = own.sys");
  useWorld(world);
  machine();
  char system[MAX_PATH] = {};
  GetSystemDirectory(system, sizeof system);
  EXPECT_EQ(fileVersion(std::string(system) + "\\drivers\\own.sys"), "5.0.0.12");
  EXPECT_EQ(fileVersion(std::string(system) + "\\drivers\\vxw31.sys"), "");
}

}  // namespace
}  // namespace wavorel::sim::testing
