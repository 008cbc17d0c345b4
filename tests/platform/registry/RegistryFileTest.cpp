#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "platform/win/kernel/Root.h"
#include "tests/platform/registry/RegistryFixture.h"

namespace wavorel::testing {
namespace {

using RegistryFile = RegistryTest;

void writeHive(const std::string& path, const std::string& text) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  ASSERT_TRUE(writeFileAtomically(path, text));
}

TEST_F(RegistryFile, APersonsEditIsReadOnTheNextCall) {
  HKEY key = create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Edit");
  ASSERT_EQ(setDword(key, "Old", 1), ERROR_SUCCESS);

  writeHive(hivePath("HKLM.reg"),
            "REGEDIT4\r\n"
            "\r\n"
            "; edited by hand\r\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Edit]\r\n"
            "\"Long\"=hex:01,02,\\\r\n"
            "  03,04\r\n"
            "\"Count\" = dword:1F\r\n"
            "\"Path\"=\"C:\\\\Program Files\\\\\"\r\n");
  DWORD type = 0;
  std::string data;
  EXPECT_EQ(get(key, "Old", type, data), ERROR_FILE_NOT_FOUND);
  ASSERT_EQ(get(key, "Long", type, data), ERROR_SUCCESS);
  EXPECT_EQ(data, std::string("\1\2\3\4", 4));
  ASSERT_EQ(get(key, "count", type, data), ERROR_SUCCESS);
  EXPECT_EQ(data, std::string("\x1f\0\0\0", 4));
  ASSERT_EQ(get(key, "Path", type, data), ERROR_SUCCESS);
  EXPECT_EQ(data, std::string("C:\\Program Files\\\0", 18));
  RegCloseKey(key);
}

TEST_F(RegistryFile, TwoProcessesWritingOneKeyKeepEachOthersValues) {
  constexpr int kEach = 40;
  HKEY key = create(HKEY_CURRENT_USER, "Software\\Shared");
  pid_t child = fork();
  ASSERT_GE(child, 0);
  const char* who = child == 0 ? "child" : "parent";
  int failures = 0;
  for (int i = 0; i < kEach; ++i) {
    std::string name = std::string(who) + std::to_string(i);
    if (setDword(key, name.c_str(), static_cast<DWORD>(i)) != ERROR_SUCCESS) ++failures;
  }
  if (child == 0) _exit(failures == 0 ? 0 : 1);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the child's writes failed";
  EXPECT_EQ(failures, 0);

  DWORD values = 0;
  ASSERT_EQ(RegQueryInfoKey(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                            nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(values, 2u * kEach);
  resetPlatformState();
  DWORD type = 0;
  std::string data;
  for (const char* name : {"child0", "child39", "parent0", "parent39"}) {
    EXPECT_EQ(get(key, name, type, data), ERROR_SUCCESS) << name;
  }
  RegCloseKey(key);
}

TEST_F(RegistryFile, CorruptHiveIsReportedAndKept) {
  const char* bad[] = {
      "",                                                                  // empty
      "REGEDIT5\n[HKEY_LOCAL_MACHINE\\A]\n",                               // not the header
      "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\A]\n\"x\"=\"cut off\n",            // open quote
      "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\A]\n\"x\"=hex:01,02,\\\n",         // list cut off
      "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\A]\n\"x\"=dword:123456789\n",      // nine digits
      "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\A\n",                              // no ]
      "REGEDIT4\n\n\"x\"=dword:1\n",                                       // value before a key
      "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n",                              // another root
      "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\A]\n\"x\"=\"C:\\Windows\"\n",      // lone backslash
      "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\A]\n\"x\"=hex:1,xyz\n",            // not hex
  };
  for (const char* text : bad) {
    SCOPED_TRACE(text);
    resetPlatformState();
    writeHive(hivePath("HKLM.reg"), text);
    ::testing::internal::CaptureStderr();
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "A", 0, KEY_READ, &key), ERROR_REGISTRY_CORRUPT);
    EXPECT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, "B", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_REGISTRY_CORRUPT);
    EXPECT_EQ(setDword(HKEY_LOCAL_MACHINE, "x", 1), ERROR_REGISTRY_CORRUPT);
    std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find(hivePath("HKLM.reg")), std::string::npos) << err;
    EXPECT_EQ(hiveText("HKLM.reg"), text) << "the file is left as it was";
  }

  // The other root is not affected, and a repaired file is read again.
  EXPECT_EQ(setDword(HKEY_CURRENT_USER, "x", 1), ERROR_SUCCESS);
  writeHive(hivePath("HKLM.reg"), "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\A]\n\"x\"=dword:00000002\n");
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "A", 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);
}

// A call that leaves what the hive holds as it was does not rewrite the file
// (each rewrite is a new file renamed over the old one, so its inode shows it).
TEST_F(RegistryFile, OnlyCallsThatChangeTheHiveRewriteIt) {
  HKEY key = create(HKEY_CURRENT_USER, "Software\\Same");
  ASSERT_EQ(setDword(key, "Value", 7), ERROR_SUCCESS);
  auto inode = [&] {
    struct stat st {};
    EXPECT_EQ(::stat(hivePath("HKCU.reg").c_str(), &st), 0);
    return st.st_ino;
  };
  struct Case {
    const char* what;
    std::function<LONG()> call;
    bool rewrites;
  } cases[] = {
      {"the same value again", [&] { return setDword(key, "Value", 7); }, false},
      {"an existing key created again",
       [&] {
         HKEY again = nullptr;
         LONG r = RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Same", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                 &again, nullptr);
         RegCloseKey(again);
         return r;
       },
       false},
      {"another value", [&] { return setDword(key, "Value", 8); }, true},
      {"a new value", [&] { return setDword(key, "Other", 1); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto before = inode();
    EXPECT_EQ(c.call(), ERROR_SUCCESS);
    EXPECT_EQ(inode() != before, c.rewrites);
  }
  RegCloseKey(key);
}

}  // namespace
}  // namespace wavorel::testing
