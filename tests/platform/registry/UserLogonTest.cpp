#include <filesystem>
#include <string>

#include "platform/win/kernel/Root.h"
#include "tests/platform/registry/RegistryFixture.h"

namespace wavorel::testing {
namespace {

class UserLogon : public RegistryTest {
 protected:
  // A value of HKEY_CURRENT_USER\Volatile Environment as its text, or
  // "<missing>" when it is not there.
  std::string environmentValue(const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, "Volatile Environment", 0, KEY_READ, &key) != ERROR_SUCCESS)
      return "<no key>";
    DWORD type = 0;
    std::string data;
    const LONG status = get(key, name, type, data);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return "<missing>";
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << name;
    EXPECT_EQ(data.back(), '\0') << name;
    return data.substr(0, data.size() - 1);
  }
  void setEnvironmentValue(const char* name, const std::string& text) {
    HKEY key = create(HKEY_CURRENT_USER, "Volatile Environment");
    EXPECT_EQ(set(key, name, REG_SZ, text + '\0'), ERROR_SUCCESS);
    RegCloseKey(key);
  }
};

// The first use of HKEY_CURRENT_USER on a fresh root finds the profile's
// folders, made under the root.
TEST_F(UserLogon, FreshRootHasTheProfileFoldersUnderIt) {
  const struct {
    const char* name;
    const char* text;
    const char* folder;  // under the root; null for a value that is no folder
  } expected[] = {
      {"USERNAME", "User", nullptr},
      {"USERPROFILE", "C:\\Users\\User", "drive_c/Users/User"},
      {"HOMEDRIVE", "C:", nullptr},
      {"HOMEPATH", "\\Users\\User", nullptr},
      {"APPDATA", "C:\\Users\\User\\AppData\\Roaming", "drive_c/Users/User/AppData/Roaming"},
      {"LOCALAPPDATA", "C:\\Users\\User\\AppData\\Local", "drive_c/Users/User/AppData/Local"},
  };
  for (const auto& e : expected) {
    EXPECT_EQ(environmentValue(e.name), e.text) << e.name;
    if (e.folder) {
      EXPECT_TRUE(std::filesystem::is_directory(root() + "/" + e.folder)) << e.folder;
    }
  }
}

// Each start logs on again: values set before it (in the hive file by hand,
// or by a program) stay, missing ones come back; within a start a value
// taken away stays away.
TEST_F(UserLogon, EachStartKeepsWhatIsSetAndRestoresWhatIsMissing) {
  std::filesystem::create_directories(root() + "/registry");
  ASSERT_TRUE(writeFileAtomically(hivePath("HKCU.reg"),
                                  "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Volatile Environment]\r\n"
                                  "\"LOCALAPPDATA\"=\"D:\\\\Data\"\r\n"));
  resetPlatformState();
  EXPECT_EQ(environmentValue("LOCALAPPDATA"), "D:\\Data");
  EXPECT_EQ(environmentValue("APPDATA"), "C:\\Users\\User\\AppData\\Roaming");

  setEnvironmentValue("USERNAME", "ann");
  HKEY key = create(HKEY_CURRENT_USER, "Volatile Environment");
  ASSERT_EQ(RegDeleteValue(key, "APPDATA"), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(environmentValue("APPDATA"), "<missing>");

  resetPlatformState();
  EXPECT_EQ(environmentValue("APPDATA"), "C:\\Users\\User\\AppData\\Roaming");
  EXPECT_EQ(environmentValue("USERNAME"), "ann");
  EXPECT_EQ(environmentValue("LOCALAPPDATA"), "D:\\Data");
}

}  // namespace
}  // namespace wavorel::testing
