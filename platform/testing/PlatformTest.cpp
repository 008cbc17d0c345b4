#include "platform/testing/PlatformTest.h"

#include <cstdlib>
#include <filesystem>

#include "platform/Platform.h"
#include "platform/win/kernel/Root.h"

namespace wavorel::testing {
namespace {

// A test program runs headless whatever desktop it was started from: the
// presenter would otherwise connect to the DISPLAY it inherited, and modal
// windows would wait for a person there. Set while the program loads, before
// any thread reads the environment; a test that wants a display opens its own
// (present::openDisplay) or hands one to the programs it starts.
[[maybe_unused]] const bool g_headless = setenv("WAVOREL_HEADLESS", "1", 1) == 0;

}  // namespace

void PlatformTest::SetUp() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "wavorel-test-XXXXXX").string();
  char* made = mkdtemp(tmpl.data());
  ASSERT_NE(made, nullptr) << "cannot create a temporary platform root";
  root_ = made;
  clock_ = installVirtualClock();
  setPlatformRoot(root_);
  // Any thread may report a fault; GoogleTest takes failures from all of them.
  previousFaultHandler_ = setFaultHandler([](const std::string& text) { ADD_FAILURE() << "platform fault: " << text; });
}

void PlatformTest::TearDown() {
  resetPlatformState();
  setFaultHandler(std::move(previousFaultHandler_));
  if (!root_.empty() && std::getenv("WAVOREL_KEEP_TEST_ROOT") == nullptr) {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
  }
}

void PlatformTest::writeFileDated(const std::string& path, WORD year, WORD month, WORD day) {
  HANDLE file = CreateFile(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  SYSTEMTIME when{};
  when.wYear = year;
  when.wMonth = month;
  when.wDay = day;
  when.wHour = 12;
  FILETIME time{};
  SystemTimeToFileTime(&when, &time);
  EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &time));
  CloseHandle(file);
}

}  // namespace wavorel::testing
