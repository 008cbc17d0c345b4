#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/CloseHandle.h"
#include "platform/win/kernel/Devices.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Files.h"
#include "platform/win/kernel/Folders.h"
#include "platform/win/kernel/Paths.h"

namespace fs = std::filesystem;

namespace wavorel {
namespace {

class Paths : public testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    fs::create_directories(root() + "/drive_c/Data/skin");
    std::ofstream(root() + "/drive_c/Data/skin/A.bmp") << "x";
    program_ = root() + "/build.v2/bin";
    fs::create_directories(program_);
    setProgramFolder(program_, "WavorelVista");
  }
  std::string program_;
};

TEST_F(Paths, ResolvesWindowsPaths) {
  struct Case {
    const char* win;
    const char* linux;  // below the root; "@" stands for the program folder
  } cases[] = {
      {"C:\\Data\\skin\\A.bmp", "/drive_c/Data/skin/A.bmp"},
      {"c:/data/SKIN/a.BMP", "/drive_c/Data/skin/A.bmp"},           // either separator, any case
      {"C:\\\\Data\\\\Skin\\\\New.txt", "/drive_c/Data/skin/New.txt"},  // doubled separators; new name keeps its case
      {"C:\\Data\\.\\x\\..\\skin\\", "/drive_c/Data/skin"},
      {"C:\\", "/drive_c"},
      {"C:\\Program Files\\WavorelVista\\Skin\\a.bmp", "@/Skin/a.bmp"},
      {"c:\\program files\\WAVORELVISTA", "@"},
      {"C:\\Program Files\\Other\\x", "/drive_c/Program Files/Other/x"},
      {"Skin\\a.bmp", "@/Skin/a.bmp"},  // relative: the program folder is the current directory
      {".\\setting", "@/setting"},
      {"\\Data\\skin", "/drive_c/Data/skin"},
      {"C:Skin", "@/Skin"},  // drive-relative: the current directory is on C:
  };
  for (const Case& c : cases) {
    std::string out;
    ASSERT_TRUE(resolveWindowsPath(c.win, out)) << c.win;
    std::string want = c.linux[0] == '@' ? program_ + (c.linux + 1) : root() + c.linux;
    EXPECT_EQ(out, want) << c.win;
  }
}

TEST_F(Paths, RefusesMalformedOrEscapingPaths) {
  struct Case {
    const char* win;
    DWORD error;
  } cases[] = {
      {"C:\\..\\x", ERROR_ACCESS_DENIED},
      {"..\\..\\..\\..\\etc\\passwd", ERROR_ACCESS_DENIED},  // from the program folder, three levels deep
      {"C:\\Data\\a?b.txt", ERROR_INVALID_NAME},
      {"C:\\Data\\a|b", ERROR_INVALID_NAME},
      {"C:\\Data\\<x>", ERROR_INVALID_NAME},
      {"C:\\Data\\a\"b", ERROR_INVALID_NAME},
      {"C:\\Da:ta", ERROR_INVALID_NAME},
      {"", ERROR_PATH_NOT_FOUND},
      {"\\\\server\\share\\x", ERROR_BAD_PATHNAME},
      {"D:\\x.txt", ERROR_PATH_NOT_FOUND},  // no such drive
  };
  for (const Case& c : cases) {
    std::string out = "untouched";
    SetLastError(0);
    EXPECT_FALSE(resolveWindowsPath(c.win, out)) << c.win;
    EXPECT_EQ(GetLastError(), c.error) << c.win;
    EXPECT_EQ(out, "untouched");
  }
  // The full path counts against MAX_PATH: 259 characters are the most.
  std::string longest = "C:\\" + std::string(MAX_PATH - 4, 'a');
  std::string out;
  EXPECT_TRUE(resolveWindowsPath(longest, out));
  EXPECT_FALSE(resolveWindowsPath(longest + "b", out));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));

  // "..\..\" that stays on the drive is fine.
  EXPECT_TRUE(resolveWindowsPath("..\\..\\Data", out));
  EXPECT_EQ(out, root() + "/drive_c/Data");
}

TEST_F(Paths, OtherDriveExistsOnceItsFolderDoes) {
  fs::create_directories(root() + "/drive_d");
  std::string out;
  ASSERT_TRUE(resolveWindowsPath("d:\\x.txt", out));
  EXPECT_EQ(out, root() + "/drive_d/x.txt");
}

TEST_F(Paths, CurrentDirectoryMovesRelativePaths) {
  char buf[MAX_PATH];
  ASSERT_EQ(GetCurrentDirectory(MAX_PATH, buf), strlen("C:\\Program Files\\WavorelVista"));
  EXPECT_STREQ(buf, "C:\\Program Files\\WavorelVista");

  EXPECT_TRUE(SetCurrentDirectory("c:/data/SKIN/"));
  GetCurrentDirectory(MAX_PATH, buf);
  EXPECT_STREQ(buf, "C:\\data\\SKIN");  // kept as given
  std::string out;
  ASSERT_TRUE(resolveWindowsPath("a.bmp", out));
  EXPECT_EQ(out, root() + "/drive_c/Data/skin/A.bmp");
  ASSERT_TRUE(resolveWindowsPath("..\\x", out));
  EXPECT_EQ(out, root() + "/drive_c/Data/x");

  EXPECT_FALSE(SetCurrentDirectory("C:\\Data\\none"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(SetCurrentDirectory("C:\\Data\\skin\\A.bmp"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));
  EXPECT_EQ(currentDirectory(), "C:\\data\\SKIN");

  // A short buffer gets nothing and the size needed.
  char small[4] = "abc";
  EXPECT_EQ(GetCurrentDirectory(sizeof small, small), strlen("C:\\data\\SKIN") + 1);
  EXPECT_STREQ(small, "abc");
}

TEST_F(Paths, ModuleFileNameIgnoresDotsInTheRealFolder) {
  char buf[MAX_PATH];
  DWORD n = GetModuleFileName(nullptr, buf, MAX_PATH);
  EXPECT_STREQ(buf, "C:\\Program Files\\WavorelVista\\WavorelVista.exe");
  EXPECT_EQ(n, strlen(buf));
  // What the system does with it: the INI beside the program.
  std::string ini = buf;
  ini = ini.substr(0, ini.rfind('.')) + ".ini";
  std::string out;
  ASSERT_TRUE(resolveWindowsPath(ini, out));
  EXPECT_EQ(out, program_ + "/WavorelVista.ini");

  char small[8];
  EXPECT_EQ(GetModuleFileName(nullptr, small, sizeof small), sizeof small);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_STREQ(small, "C:\\Prog");

  setProgramFolder(program_, "Wavorel.exe");
  GetModuleFileName(nullptr, buf, MAX_PATH);
  EXPECT_STREQ(buf, "C:\\Program Files\\Wavorel\\Wavorel.exe");
}

TEST_F(Paths, LinuxPathsMapBack) {
  EXPECT_EQ(toWindowsPath(root() + "/drive_c/Data/skin/A.bmp"), "C:\\Data\\skin\\A.bmp");
  EXPECT_EQ(toWindowsPath(root() + "/drive_d"), "D:\\");
  EXPECT_EQ(toWindowsPath(program_ + "/Skin/x.bmp"), "C:\\Program Files\\WavorelVista\\Skin\\x.bmp");
  EXPECT_EQ(toWindowsPath(root() + "/registry"), "");
  EXPECT_EQ(toWindowsPath("/etc/passwd"), "");
}

TEST_F(Paths, FullPathNames) {
  char buf[MAX_PATH];
  LPSTR part = nullptr;
  DWORD n = GetFullPathName("Skin\\..\\a.ini", MAX_PATH, buf, &part);
  EXPECT_EQ(n, strlen(buf));
  EXPECT_STREQ(buf, "C:\\Program Files\\WavorelVista\\a.ini");
  EXPECT_STREQ(part, "a.ini");
  GetFullPathName("c:/x/y/", MAX_PATH, buf, &part);
  EXPECT_STREQ(buf, "C:\\x\\y\\");
  EXPECT_EQ(part, nullptr);
}

// A device object as the simulated adapter registers one.
class FakeDevice : public KernelObject {
 public:
  int id = 7;
};

TEST_F(Paths, DeviceNamesOpenRegisteredDevices) {
  const char* name = "\\\\.\\{3F2504E0-4F89-11D3-9A0C-0305E82C3301}";
  HANDLE h = CreateFile(name, 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

  registerDevice(name, [] { return std::make_shared<FakeDevice>(); });
  h = CreateFile("//./{3f2504e0-4f89-11d3-9a0c-0305e82c3301}", 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                 nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  auto device = kernelObjectAs<FakeDevice>(h);
  ASSERT_NE(device, nullptr);
  EXPECT_EQ(device->id, 7);
  EXPECT_TRUE(CloseHandle(h));
  EXPECT_FALSE(CloseHandle(h));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

  // A device that refuses to open keeps its own error.
  registerDevice(name, []() -> std::shared_ptr<KernelObject> {
    SetLastError(ERROR_DEVICE_NOT_CONNECTED);
    return nullptr;
  });
  EXPECT_EQ(CreateFile(name, 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DEVICE_NOT_CONNECTED));
  unregisterDevice(name);
  EXPECT_EQ(CreateFile(name, 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

}  // namespace
}  // namespace wavorel
