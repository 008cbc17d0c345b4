// The AP settings store: the copier of registry values, the access list, and
// the channel lists of the VX52 families.
#include <algorithm>
#include <cstring>

#include "softap/ApSettings.h"
#include "platform/sim/services/RegistryRpcService.h"
#include "tests/softap/ApWorkerTest.h"
#include "worker/vista/RegistryRpcClient.h"

namespace softap::testing {
namespace {

class ApSettingsStoreTest : public ApWorkerTest {
 protected:
  static HKEY open(const CString& path, REGSAM access) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, path, 0, access, &key), ERROR_SUCCESS) << path;
    return key;
  }
  static std::vector<std::string> macs(int count) {
    std::vector<std::string> out;
    char mac[24];
    for (int i = 0; i < count; ++i) {
      std::snprintf(mac, sizeof mac, "0024D70000%02X", i + 1);
      out.emplace_back(mac);
    }
    return out;
  }
};

TEST_F(ApSettingsStoreTest, CopierCopiesValuesOfAnySizeAndReportsARefusedWrite) {
  const CString source = driverKeyOf() + "\\ApDefault";
  const CString target = driverKeyOf() + "\\Copy";
  // 20 addresses: 261 bytes, more than a 260-byte buffer holds.
  writeList(source, "AccessControlList", macs(20));
  writeText(source, "ZLater", "after the list");
  writeValue(source, "Blob", REG_BINARY, std::string(4000, '\x5A'));
  writeText(target, "Old", "kept");

  HKEY from = open(source, KEY_READ);
  HKEY to = open(target, KEY_ALL_ACCESS);
  EXPECT_TRUE(CopyRegistryValues(from, to, target));
  RegCloseKey(to);
  EXPECT_EQ(readValue(target, "AccessControlList"), readValue(source, "AccessControlList"));
  EXPECT_EQ(readValue(target, "AccessControlList").size(), 261u);
  EXPECT_EQ(readValue(target, "ZLater"), "after the list");
  EXPECT_EQ(readValue(target, "Blob"), std::string(4000, '\x5A'));
  EXPECT_EQ(readValue(target, "Old"), "kept");

  // A key open for reading and no registry service: the write is refused.
  wavorel::sim::setRegistryServiceListening(false);
  to = open(target, KEY_READ);
  EXPECT_FALSE(CopyRegistryValues(from, to, target));
  RegCloseKey(to);
  RegCloseKey(from);
}

TEST_F(ApSettingsStoreTest, WritesThroughTheRegistryServiceUseOnlyItsSetAndCreateProcedures) {
  // A standard user may not write the driver key: entering AP mode and the
  // copier's values go to the registry service.
  writeApDefault(kBase);
  wavorel::setRunningAsAdministrator(false);
  wavorel::sim::clearRegistryServiceCalls();
  ASSERT_TRUE(start());
  const std::vector<wavorel::sim::RegistryServiceCall> calls = wavorel::sim::registryServiceCalls();
  ASSERT_FALSE(calls.empty());
  std::vector<std::string> copied;
  for (const auto& call : calls) {
    EXPECT_TRUE(call.procedure == kRegistryRpcSetValue || call.procedure == kRegistryRpcCreateKey)
        << "procedure " << call.procedure;
    if (call.procedure != kRegistryRpcSetValue) continue;
    ASSERT_EQ(call.args.size(), 5u);
    if (driverKeyOf().CompareNoCase(call.args[0].text.c_str()) == 0) copied.push_back(call.args[1].text);
  }
  for (const char* name : {"OpMode", "BeaconPeriod", "SSID"})
    EXPECT_NE(std::find(copied.begin(), copied.end(), name), copied.end()) << name;
  EXPECT_EQ(readValue(driverKeyOf(), "BeaconPeriod"), "100");
}

TEST_F(ApSettingsStoreTest, LongAccessListReachesTheDriverWhole) {
  writeList(driverKeyOf() + "\\ApDefault", "AccessControlList", macs(20));
  startWith({{"AccessControlPolicy", "1"}});
  EXPECT_EQ(readValue(driverKeyOf(), "AccessControlList"), readValue(driverKeyOf() + "\\ApDefault", "AccessControlList"));
  EXPECT_EQ(readValue(driverKeyOf(), "WdsEnable"), "1") << "values after the list are copied too";
  const auto acl = setsOf(0xFF8C0046);
  ASSERT_FALSE(acl.empty());
  EXPECT_EQ(u32(acl[0].data, 0), 1u);
  EXPECT_EQ(u32(acl[0].data, 4), 20u);
  EXPECT_EQ(acl[0].data[8 + 19 * 8 + 5], 20);
}

TEST_F(ApSettingsStoreTest, AccessListTakesAtMost32Entries) {
  std::vector<std::string> entries = macs(40);
  entries.insert(entries.begin() + 3, "0024D70000ZZ");
  writeList(driverKeyOf() + "\\ApDefault", "AccessControlList", entries);
  startWith({{"AccessControlPolicy", "2"}});
  const auto acl = setsOf(0xFF8C0046);
  ASSERT_FALSE(acl.empty());
  EXPECT_EQ(acl[0].data.size(), 264u);
  EXPECT_EQ(u32(acl[0].data, 4), 32u);
  EXPECT_EQ(acl[0].data[8 + 3 * 8 + 5], 4) << "the entry that is no MAC is passed over";
}

TEST_F(ApSettingsStoreTest, DriverRefusesRecordsPastTheirBounds) {
  startWith({});
  struct Case {
    DWORD code;
    size_t size, at;
    DWORD value;
    BOOL accepted;
  } cases[] = {
      {0xFF8C0046, 264, 4, 32, TRUE}, {0xFF8C0046, 264, 4, 33, FALSE}, {0xFF8C0048, 60, 0, 3, TRUE},
      {0xFF8C0048, 60, 0, 4, FALSE},  {0xFF8C0048, 60, 24, 32, TRUE},  {0xFF8C0048, 60, 24, 16, FALSE},
  };
  for (const Case& c : cases) {
    std::vector<BYTE> record(c.size, 0);
    std::memcpy(record.data() + c.at, &c.value, sizeof c.value);
    DWORD returned = 0;
    EXPECT_EQ(SetDriverOid_AP(c.code, record.data(), static_cast<DWORD>(record.size()), &returned, 1), c.accepted)
        << std::hex << c.code << " " << std::dec << c.value;
  }
}

TEST(ApChannelLists, RegionAndModeGiveTheVx52Channels) {
  struct Case {
    DWORD region;
    int mode;
    std::vector<int> first_last_count;
  } cases[] = {
      {0x0001, 0, {1, 13, 13}},   {0x0002, 0, {10, 11, 2}},  {0x0004, 0, {14, 14, 1}},
      {0x0000, 0, {1, 11, 11}},   {0x0106, 3, {3, 140, 26}}, {0x0902, 2, {}},
      {0x0402, 2, {149, 165, 5}}, {0x0700, 8, {1, 165, 35}},
  };
  for (const Case& c : cases) {
    const std::vector<int> list = AllowedChannels_VX52(c.region, c.mode);
    if (c.first_last_count.empty()) {
      EXPECT_TRUE(list.empty()) << std::hex << c.region;
      continue;
    }
    ASSERT_FALSE(list.empty()) << std::hex << c.region;
    EXPECT_EQ(list.front(), c.first_last_count[0]) << std::hex << c.region;
    EXPECT_EQ(list.back(), c.first_last_count[1]) << std::hex << c.region;
    EXPECT_EQ(static_cast<int>(list.size()), c.first_last_count[2]) << std::hex << c.region;
  }
}

}  // namespace
}  // namespace softap::testing
