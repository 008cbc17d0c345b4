// The copy of a registry key's values that the single sign-on page makes
// from a stored profile into the driver key: every value whole, whatever its
// size, and FALSE only when a value cannot be read or written.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

#include "platform/Platform.h"
#include "platform/testing/PlatformTest.h"
#include "worker/CopyRegistryKeyValues.h"

namespace station::testing {
namespace {

constexpr char kSource[] = "Software\\CopyTest\\Profile";
constexpr char kDestination[] = "Software\\CopyTest\\Driver";

using Values = std::map<std::string, std::pair<DWORD, std::string>>;

class CopyRegistryKeyValuesTest : public wavorel::testing::PlatformTest {
 protected:
  static HKEY open(const char* path, REGSAM access) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, path, 0, nullptr, 0, access, nullptr, &key, nullptr), ERROR_SUCCESS);
    return key;
  }
  static void set(HKEY key, const std::string& name, DWORD type, const std::string& data) {
    ASSERT_EQ(RegSetValueEx(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                            static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
  }
  // Every value of the key: type and bytes, read with room for any size.
  static Values read(const char* path) {
    Values out;
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return out;
    for (DWORD i = 0;; ++i) {
      char name[512];
      std::string data(16384, '\0');
      DWORD nameSize = sizeof name, dataSize = static_cast<DWORD>(data.size()), type = 0;
      if (RegEnumValue(key, i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &dataSize) !=
          ERROR_SUCCESS)
        break;
      data.resize(dataSize);
      out[name] = {type, data};
    }
    RegCloseKey(key);
    return out;
  }
};

// An access list of 20 addresses as the soft AP keeps it.
std::string TwentyAddresses() {
  std::string text;
  for (int i = 0; i < 20; ++i) text += "00-1D-7E-00-00-" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ";";
  return text + '\0';
}

TEST_F(CopyRegistryKeyValuesTest, EveryValueIsCopiedWholeWithItsTypeWhateverItsSize) {
  const std::string acl = TwentyAddresses();
  ASSERT_GT(acl.size(), 260u);
  const std::string big(5000, '\x5A');
  HKEY source = open(kSource, KEY_ALL_ACCESS);
  set(source, "SSID", REG_SZ, std::string("CorpWLAN") + '\0');
  set(source, "AccessControlList", REG_SZ, acl);
  set(source, "AuthenProtocol", REG_DWORD, std::string("\x03\0\0\0", 4));
  set(source, "Certificate", REG_BINARY, big);
  set(source, "Password", REG_SZ, std::string("s3cret") + '\0');  // after the large ones
  set(source, "", REG_SZ, std::string("default") + '\0');
  HKEY destination = open(kDestination, KEY_ALL_ACCESS);
  set(destination, "Kept", REG_SZ, std::string("yes") + '\0');

  EXPECT_TRUE(CopyRegistryKeyValues(source, destination));
  RegCloseKey(source);
  RegCloseKey(destination);

  Values expected = read(kSource);
  ASSERT_EQ(expected.size(), 6u);
  EXPECT_EQ(expected["AccessControlList"].second, acl);
  EXPECT_EQ(expected["Certificate"].second.size(), big.size());
  expected["Kept"] = {REG_SZ, std::string("yes") + '\0'};
  EXPECT_EQ(read(kDestination), expected);
}

TEST_F(CopyRegistryKeyValuesTest, AnEmptyKeyCopiesNothingAndAFailedReadOrWriteGivesFalse) {
  HKEY empty = open(kSource, KEY_ALL_ACCESS);
  HKEY destination = open(kDestination, KEY_ALL_ACCESS);
  EXPECT_TRUE(CopyRegistryKeyValues(empty, destination));
  EXPECT_TRUE(read(kDestination).empty());
  set(empty, "SSID", REG_SZ, std::string("CorpWLAN") + '\0');
  RegCloseKey(empty);
  RegCloseKey(destination);

  // A destination that takes no values: the first write fails.
  HKEY source = open(kSource, KEY_READ);
  HKEY readOnly = open(kDestination, KEY_READ);
  EXPECT_FALSE(CopyRegistryKeyValues(source, readOnly));
  RegCloseKey(readOnly);
  EXPECT_TRUE(read(kDestination).empty());

  // A source whose values cannot be read.
  HKEY listOnly = open(kSource, KEY_ENUMERATE_SUB_KEYS);
  destination = open(kDestination, KEY_ALL_ACCESS);
  EXPECT_FALSE(CopyRegistryKeyValues(listOnly, destination));
  EXPECT_FALSE(CopyRegistryKeyValues(nullptr, destination));
  RegCloseKey(listOnly);
  RegCloseKey(destination);
  RegCloseKey(source);
  EXPECT_TRUE(read(kDestination).empty());
}

}  // namespace
}  // namespace station::testing
