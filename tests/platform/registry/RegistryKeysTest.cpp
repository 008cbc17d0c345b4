#include <string>
#include <vector>

#include "platform/win/kernel/Account.h"
#include "platform/win/kernel/Root.h"
#include "tests/platform/registry/RegistryFixture.h"

namespace wavorel::testing {
namespace {

using RegistryKeys = RegistryTest;

std::vector<std::string> subkeyNames(HKEY key) {
  std::vector<std::string> names;
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD size = sizeof name;
    LONG r = RegEnumKeyEx(key, i, name, &size, nullptr, nullptr, nullptr, nullptr);
    if (r == ERROR_NO_MORE_ITEMS) break;
    EXPECT_EQ(r, ERROR_SUCCESS);
    if (r != ERROR_SUCCESS) break;
    EXPECT_EQ(size, std::string(name).size());
    names.push_back(name);
  }
  return names;
}

std::vector<std::string> valueNames(HKEY key) {
  std::vector<std::string> names;
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD size = sizeof name;
    LONG r = RegEnumValue(key, i, name, &size, nullptr, nullptr, nullptr, nullptr);
    if (r == ERROR_NO_MORE_ITEMS) break;
    EXPECT_EQ(r, ERROR_SUCCESS);
    if (r != ERROR_SUCCESS) break;
    names.push_back(name);
  }
  return names;
}

TEST_F(RegistryKeys, CreateMakesEveryLevelAndReportsDisposition) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, "System\\Class\\{guid}\\0001", 0, const_cast<LPSTR>("gxSoftReg"), 0,
                           KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr, &key, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
  RegCloseKey(key);
  ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, "SYSTEM\\class\\{GUID}\\0001", 0, nullptr, 0, KEY_READ, nullptr, &key,
                           &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
  RegCloseKey(key);
  EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "System\\Class", 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);

  struct PathCase {
    const char* path;
    LONG result;
  } paths[] = {
      {"System\\Class\\", ERROR_SUCCESS},  // a trailing backslash is ignored
      {"\\System", ERROR_BAD_PATHNAME},
      {"System\\\\Class", ERROR_BAD_PATHNAME},
      {"System\\Missing", ERROR_FILE_NOT_FOUND},
  };
  for (const auto& c : paths) {
    key = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, c.path, 0, KEY_READ, &key), c.result) << c.path;
    if (c.result == ERROR_SUCCESS) {
      RegCloseKey(key);
    } else {
      EXPECT_EQ(key, nullptr) << "a failed open leaves no handle";
    }
  }
}

TEST_F(RegistryKeys, SubkeysEnumerateByNameWithoutCaseValuesByCreation) {
  HKEY key = create(HKEY_CURRENT_USER, "Software\\Order");
  for (const char* name : {"beta", "_x", "Alpha2", "gamma", "ALPHA"}) RegCloseKey(create(key, name));
  for (const char* name : {"zeta", "Alpha", "mid"}) ASSERT_EQ(setDword(key, name, 1), ERROR_SUCCESS);
  ASSERT_EQ(setDword(key, "zeta", 2), ERROR_SUCCESS);  // a rewrite keeps the value's place

  // Letters compare as upper case, so "_" (after "Z") sorts after the letters.
  const std::vector<std::string> keys = {"ALPHA", "Alpha2", "beta", "gamma", "_x"};
  const std::vector<std::string> values = {"zeta", "Alpha", "mid"};
  EXPECT_EQ(subkeyNames(key), keys);
  EXPECT_EQ(valueNames(key), values);
  resetPlatformState();
  EXPECT_EQ(subkeyNames(key), keys) << "after reading the file again";
  EXPECT_EQ(valueNames(key), values) << "after reading the file again";

  DWORD subkeys = 0, maxSubkey = 0, count = 0, maxName = 0, maxData = 0;
  ASSERT_EQ(RegQueryInfoKey(key, nullptr, nullptr, nullptr, &subkeys, &maxSubkey, nullptr, &count, &maxName,
                            &maxData, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(subkeys, 5u);
  EXPECT_EQ(maxSubkey, 6u);  // "Alpha2"
  EXPECT_EQ(count, 3u);
  EXPECT_EQ(maxName, 5u);  // "Alpha"
  EXPECT_EQ(maxData, 4u);
  RegCloseKey(key);
}

TEST_F(RegistryKeys, EnumerationBuffersTooSmall) {
  HKEY key = create(HKEY_CURRENT_USER, "Software\\Small");
  RegCloseKey(create(key, "Child"));
  ASSERT_EQ(set(key, "Value", REG_SZ, std::string("12345678\0", 9)), ERROR_SUCCESS);

  char name[8];
  DWORD size = 5;  // "Child" needs 6 with its terminator
  EXPECT_EQ(RegEnumKeyEx(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
  EXPECT_EQ(size, 5u);
  size = 6;
  EXPECT_EQ(RegEnumKeyEx(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(size, 5u);

  BYTE data[4];
  DWORD dataSize = sizeof data, type = 0;
  size = 5;
  EXPECT_EQ(RegEnumValue(key, 0, name, &size, nullptr, &type, data, &dataSize), ERROR_MORE_DATA) << "name too small";
  size = sizeof name;
  EXPECT_EQ(RegEnumValue(key, 0, name, &size, nullptr, &type, data, &dataSize), ERROR_MORE_DATA) << "data too small";
  EXPECT_EQ(dataSize, 9u);
  dataSize = 0;
  size = sizeof name;
  EXPECT_EQ(RegEnumValue(key, 0, name, &size, nullptr, &type, nullptr, &dataSize), ERROR_SUCCESS);
  EXPECT_EQ(dataSize, 9u);
  EXPECT_EQ(size, 5u);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  RegCloseKey(key);
}

TEST_F(RegistryKeys, DeleteKeyNeedsALeafShDeleteKeyTakesTheTree) {
  HKEY key = create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Drv\\Profile\\Station\\Home\\Deep");
  ASSERT_EQ(setDword(key, "x", 1), ERROR_SUCCESS);
  RegCloseKey(key);
  HKEY station = create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Drv\\Profile\\Station");

  EXPECT_EQ(RegDeleteKey(station, "Home"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(subkeyNames(station), std::vector<std::string>{"Home"});
  EXPECT_EQ(RegDeleteKey(station, "Nope"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteKey(station, nullptr), ERROR_INVALID_PARAMETER);

  HKEY deep = nullptr;
  ASSERT_EQ(RegOpenKeyEx(station, "home\\deep", 0, KEY_READ, &deep), ERROR_SUCCESS);
  EXPECT_EQ(SHDeleteKey(station, "HOME"), ERROR_SUCCESS);
  EXPECT_TRUE(subkeyNames(station).empty());
  DWORD type = 0;
  std::string data;
  EXPECT_EQ(get(deep, "x", type, data), ERROR_KEY_DELETED) << "a handle to a deleted key";
  EXPECT_EQ(SHDeleteKey(station, "Home"), ERROR_FILE_NOT_FOUND);

  RegCloseKey(create(station, "Leaf"));
  EXPECT_EQ(RegDeleteKey(station, "leaf"), ERROR_SUCCESS);
  resetPlatformState();
  EXPECT_TRUE(subkeyNames(station).empty());
  EXPECT_EQ(hiveText("HKLM.reg").find("Home"), std::string::npos);
  RegCloseKey(deep);
  RegCloseKey(station);
}

TEST_F(RegistryKeys, HandleRightsDecideValueAccess) {
  HKEY full = create(HKEY_CURRENT_USER, "Software\\Rights");
  ASSERT_EQ(setDword(full, "v", 7), ERROR_SUCCESS);

  HKEY readOnly = nullptr, queryOnly = nullptr, setOnly = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Rights", 0, KEY_READ, &readOnly), ERROR_SUCCESS);
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Rights", 0, KEY_QUERY_VALUE, &queryOnly), ERROR_SUCCESS);
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Rights", 0, KEY_SET_VALUE, &setOnly), ERROR_SUCCESS);

  DWORD type = 0;
  std::string data;
  EXPECT_EQ(get(readOnly, "v", type, data), ERROR_SUCCESS);
  EXPECT_EQ(setDword(readOnly, "v", 8), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteValue(readOnly, "v"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(get(setOnly, "v", type, data), ERROR_ACCESS_DENIED);
  EXPECT_EQ(setDword(setOnly, "v", 9), ERROR_SUCCESS);
  char name[16];
  DWORD size = sizeof name;
  EXPECT_EQ(RegEnumKeyEx(queryOnly, 0, name, &size, nullptr, nullptr, nullptr, nullptr), ERROR_ACCESS_DENIED);
  EXPECT_EQ(get(full, "v", type, data), ERROR_SUCCESS);
  EXPECT_EQ(data, std::string("\x09\0\0\0", 4));

  // Creating and deleting keys is checked against the key, not the handle.
  HKEY child = nullptr;
  EXPECT_EQ(RegCreateKeyEx(readOnly, "Child", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(child);
  EXPECT_EQ(RegDeleteKey(readOnly, "Child"), ERROR_SUCCESS);
  for (HKEY k : {full, readOnly, queryOnly, setOnly}) RegCloseKey(k);
}

TEST_F(RegistryKeys, StandardUserReadsButCannotChangeLocalMachine) {
  HKEY key = create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Drv");
  ASSERT_EQ(setDword(key, "BACapability", 5), ERROR_SUCCESS);
  RegCloseKey(create(key, "ApDefault"));
  RegCloseKey(key);
  std::string before = hiveText("HKLM.reg");

  setRunningAsAdministrator(false);
  key = reinterpret_cast<HKEY>(1);
  EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Drv", 0, KEY_ALL_ACCESS, &key), ERROR_ACCESS_DENIED);
  EXPECT_EQ(key, nullptr);
  EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Missing", 0, KEY_ALL_ACCESS, &key), ERROR_FILE_NOT_FOUND);
  ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Drv", 0, KEY_READ, &key), ERROR_SUCCESS);
  DWORD type = 0;
  std::string data;
  EXPECT_EQ(get(key, "BACapability", type, data), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKey(key, "ApDefault"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(SHDeleteKey(key, "ApDefault"), ERROR_ACCESS_DENIED);
  RegCloseKey(key);

  HKEY made = nullptr;
  DWORD disposition = 0;
  EXPECT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Drv\\New", 0, nullptr, 0, KEY_READ, nullptr, &made,
                           &disposition),
            ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Drv", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &made,
                           &disposition),
            ERROR_ACCESS_DENIED);
  ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Drv", 0, nullptr, 0, KEY_READ, nullptr, &made,
                           &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
  RegCloseKey(made);
  EXPECT_EQ(setDword(HKEY_LOCAL_MACHINE, "Direct", 1), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegCreateKeyEx(HKEY_CLASSES_ROOT, ".abc", 0, nullptr, 0, KEY_READ, nullptr, &made, nullptr),
            ERROR_ACCESS_DENIED);
  EXPECT_EQ(hiveText("HKLM.reg"), before);

  HKEY own = create(HKEY_CURRENT_USER, "Software\\Mine");
  EXPECT_EQ(setDword(own, "v", 1), ERROR_SUCCESS) << "the user's own root stays writable";
  RegCloseKey(own);
}

TEST_F(RegistryKeys, ClassesRootIsAViewOfLocalMachineClasses) {
  HKEY ext = create(HKEY_CLASSES_ROOT, ".wvp");
  ASSERT_EQ(set(ext, nullptr, REG_EXPAND_SZ, std::string("Wvp.File\0", 9)), ERROR_SUCCESS);
  RegCloseKey(ext);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\Classes\\.WVP", 0, KEY_READ, &key), ERROR_SUCCESS);
  DWORD type = 0;
  std::string data;
  EXPECT_EQ(get(key, "", type, data), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));
  RegCloseKey(key);
  EXPECT_EQ(subkeyNames(HKEY_CLASSES_ROOT), std::vector<std::string>{".wvp"});
  EXPECT_NE(hiveText("HKLM.reg").find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\.wvp]"), std::string::npos);
}

TEST_F(RegistryKeys, HandlesAreNeverReused) {
  HKEY first = create(HKEY_CURRENT_USER, "Software\\H");
  ASSERT_EQ(RegCloseKey(first), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(first), ERROR_INVALID_HANDLE);
  EXPECT_EQ(setDword(first, "v", 1), ERROR_INVALID_HANDLE);
  HKEY second = create(HKEY_CURRENT_USER, "Software\\H");
  EXPECT_NE(second, first);
  EXPECT_EQ(RegFlushKey(second), ERROR_SUCCESS);
  RegCloseKey(second);
  EXPECT_EQ(RegFlushKey(second), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS) << "closing a root changes nothing";
  EXPECT_EQ(setDword(HKEY_CURRENT_USER, "AtRoot", 1), ERROR_SUCCESS);
}

}  // namespace
}  // namespace wavorel::testing
