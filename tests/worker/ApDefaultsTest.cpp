#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/win/kernel/Account.h"
#include "tests/worker/ModuleTest.h"

namespace worker::testing {
namespace {

class ApDefaultsTest : public ModuleTest {
 protected:
  CString apKey() const { return g_strDriverKey + "\\ApDefault"; }

  // Every value of the key in its order: name, type, data.
  struct Value {
    std::string name;
    DWORD type;
    std::string data;
    bool operator==(const Value& o) const { return name == o.name && type == o.type && data == o.data; }
  };
  std::vector<Value> values() const {
    std::vector<Value> out;
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, apKey(), 0, KEY_READ, &key) != ERROR_SUCCESS) return out;
    for (DWORD i = 0;; ++i) {
      char name[64];
      BYTE data[128];
      DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
      if (RegEnumValue(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
      out.push_back({name, type, std::string(reinterpret_cast<char*>(data), dataSize)});
    }
    RegCloseKey(key);
    return out;
  }
};

TEST_F(ApDefaultsTest, WrittenOnceInTheirOrder) {
  // The company name comes from the language library's English file.
  std::filesystem::create_directories(programLinux() + "/Language");
  std::ofstream(programLinux() + "/Language/English.ini") << "[Text]\r\nCompanyName=Quendal\r\n";
  g_bSupportBandA = 0;  // wireless mode 9 stays 9 without the A band on an 802.11n adapter
  g_bHtFamily = 1;
  wavorel::sim::clearDriverCalls();
  WriteApDefaults(g_strDriverKey);

  auto sz = [](const char* name, const char* text) { return Value{name, REG_SZ, text}; };
  const std::vector<Value> expected = {
      sz("SSID", "Quendal-SoftAP"), sz("WirelessMode", "9"), sz("TransRate", "0"), sz("TurboRate", "0"),
      sz("BGProtection", "0"), sz("ShortSlot", "1"), sz("Channel", "1"), sz("PreambleType", "0"),
      sz("TXPower", "0"), sz("RtsThresh", "2347"), sz("FragThresh", "0"), sz(kApAuthValueName, kApOpenAuthText),
      sz(kApCipherValueName, kApNoCipherText), sz("WPAPSK", ""), sz("WEPKey1Type", "0"), sz("WEPKey2Type", "0"),
      sz("WEPKey3Type", "0"), sz("WEPKey4Type", "0"), sz("WEPKeyUse", "1"), sz("WEPKey1", ""), sz("WEPKey2", ""),
      sz("WEPKey3", ""), sz("WEPKey4", ""), sz("RekeyInterval", "60"), sz("RekeyMethod", "0"), sz("RadiusIP", ""),
      sz("RadiusPort", ""), sz("RadiusKey", ""), sz("AccessControlPolicy", "0"),
      Value{"AccessControlList", REG_MULTI_SZ, std::string(1, '\0')}, sz("WdsEnable", "1"),
      Value{"WdsList", REG_MULTI_SZ, std::string(1, '\0')}, sz("AutoChannelSelect", "0"), sz("NoForwarding", "0"),
      sz("HideSSID", "0"), sz("BeaconPeriod", "100")};
  const std::vector<Value> written = values();
  ASSERT_EQ(written.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(written[i].name, expected[i].name) << i;
  EXPECT_EQ(written, expected) << "texts are stored without their terminating zero";

  // The MAC address was asked for (and not written).
  const auto sent = calls();
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].code, OID_DOT11_CURRENT_ADDRESS);

  // A second run leaves the values alone.
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, apKey(), 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
  RegSetValueEx(key, "Channel", 0, REG_SZ, reinterpret_cast<const BYTE*>("6"), 1);
  RegCloseKey(key);
  WriteApDefaults(g_strDriverKey);
  EXPECT_EQ(readText(HKEY_LOCAL_MACHINE, apKey(), "Channel"), "6");
}

TEST_F(ApDefaultsTest, WirelessModeFollowsTheAdapter) {
  g_bSupportBandA = 0;
  g_bHtFamily = 0;
  WriteApDefaults(g_strDriverKey);
  EXPECT_EQ(readText(HKEY_LOCAL_MACHINE, apKey(), "WirelessMode"), "0");
  EXPECT_EQ(readText(HKEY_LOCAL_MACHINE, apKey(), "SSID"), "CompanyName-SoftAP") << "no English file: the key";
}

TEST_F(ApDefaultsTest, AnExistingEmptyKeyStaysEmpty) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, apKey(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
  wavorel::sim::clearDriverCalls();
  WriteApDefaults(g_strDriverKey);
  EXPECT_TRUE(values().empty());
  EXPECT_TRUE(calls().empty());
}

TEST_F(ApDefaultsTest, AKeyThatCannotBeCreatedWritesNothing) {
  wavorel::setRunningAsAdministrator(false);
  WriteApDefaults(g_strDriverKey);
  wavorel::setRunningAsAdministrator(true);
  EXPECT_EQ(readText(HKEY_LOCAL_MACHINE, apKey(), "SSID"), "<no key>");

  g_strDriverKey = "SYSTEM\\Missing\\Deeper";  // created with its parents as the registry does
  WriteApDefaults(g_strDriverKey);
  EXPECT_EQ(readText(HKEY_LOCAL_MACHINE, apKey(), "BeaconPeriod"), "100");
}

}  // namespace
}  // namespace worker::testing
