#include "SimTest.h"

namespace wavorel::sim::testing {
namespace {

constexpr DWORD OID_802_3_CURRENT_ADDRESS = 0x01010102;
constexpr DWORD OID_802_11_SSID = 0x0D010102;
constexpr DWORD OID_802_11_STATISTICS = 0x0D020212;
constexpr DWORD OID_802_11_BSSID_LIST_SCAN_SET = 0x0D81011A;
constexpr DWORD OID_802_11_BSSID_LIST = 0x0D010217;
constexpr DWORD OID_GEN_DRIVER_VERSION = 0x00010110;

class DriverTest : public SimTest {};

TEST_F(DriverTest, UnknownCodesWrongControlCodesAndShortInputFail) {
  std::vector<uint8_t> b(8);
  DWORD returned = 99, error = 0;
  EXPECT_FALSE(request(0x0D7101FF, b, returned, error));
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_NOT_SUPPORTED));
  EXPECT_EQ(returned, 0u);

  HANDLE h = CreateFile(devicePath().c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD oid = OID_GEN_DRIVER_VERSION;
  EXPECT_FALSE(DeviceIoControl(h, 0x00170006, &oid, 4, b.data(), 8, &returned, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FUNCTION));
  EXPECT_FALSE(DeviceIoControl(h, IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, 2, b.data(), 8, &returned, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(DeviceIoControl(h, IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, 4, b.data(), 8, &returned, nullptr));
  EXPECT_EQ(returned, 2u);
  EXPECT_EQ(b[0] | (b[1] << 8), 0x0501);
  CloseHandle(h);
}

TEST_F(DriverTest, BufferTooSmallGetsTheNeededSizeAndIsNotWritten) {
  set(OID_802_11_BSSID_LIST_SCAN_SET, {});
  clock().advance(kScanDurationMs);
  struct Case {
    DWORD oid;
    DWORD needed;
  };
  DWORD listSize = static_cast<DWORD>(query(OID_802_11_BSSID_LIST, 65536).size());
  const Case cases[] = {{OID_802_3_CURRENT_ADDRESS, 6}, {OID_802_11_SSID, 36}, {OID_802_11_STATISTICS, 176},
                        {0xFF0C0009, 20} /* link status of an 802.11n family */, {OID_802_11_BSSID_LIST, listSize},
                        {0xFF0C000B, 184}, {0xFF0C0029, 324} /* station table */, {0xFF0C0043, 168} /* event log */,
                        {0xFF0C002E, 996} /* WPS credentials */, {0xFF0C0025, 3076} /* Block-Ack tables */};
  for (const Case& c : cases) {
    std::vector<uint8_t> b(c.needed - 1, 0xEE);
    DWORD returned = 0, error = 0;
    EXPECT_FALSE(request(c.oid, b, returned, error)) << std::hex << c.oid;
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(returned, c.needed) << std::hex << c.oid;
    EXPECT_EQ(b, std::vector<uint8_t>(c.needed - 1, 0xEE));
  }
  // Sets whose data is shorter than their record are refused with the size they need.
  const Case sets[] = {{0x0D810102, 36} /* SSID */,          {0xFF8C0046, 264} /* access control */,
                       {0xFF8C003A, 72} /* RADIUS */,        {0xFF8C0038, 32} /* key record head */,
                       {0xFF8C002A, 56} /* WPS start */,     {0xFF8C0008, 12} /* register */};
  for (const Case& c : sets) {
    std::vector<uint8_t> b(c.needed - 1, 0);
    DWORD returned = 0, error = 0;
    EXPECT_FALSE(request(c.oid, b, returned, error)) << std::hex << c.oid;
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER)) << std::hex << c.oid;
    EXPECT_EQ(returned, c.needed) << std::hex << c.oid;
  }
  // The statistics record has a second, longer form.
  EXPECT_EQ(query(OID_802_11_STATISTICS, 200).size(), 200u);
  EXPECT_EQ(query(OID_802_11_STATISTICS, 199).size(), 176u);
}

TEST_F(DriverTest, InjectedFailuresPassAfterTheirCountAndEveryCallIsRecorded) {
  machine().failCode(OID_GEN_DRIVER_VERSION, 2);
  clearDriverCalls();
  std::vector<uint8_t> b(2);
  DWORD returned = 0, error = 0;
  EXPECT_FALSE(request(OID_GEN_DRIVER_VERSION, b, returned, error));
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_GEN_FAILURE));
  EXPECT_FALSE(request(OID_GEN_DRIVER_VERSION, b, returned, error));
  EXPECT_TRUE(request(OID_GEN_DRIVER_VERSION, b, returned, error));
  setU32(0xFF8C0007, 50);  // transmit power, Vista set

  std::vector<DriverCall> calls = driverCalls();
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].error, static_cast<uint32_t>(ERROR_GEN_FAILURE));
  EXPECT_EQ(calls[2].error, 0u);
  EXPECT_EQ(calls[2].data, (std::vector<uint8_t>{0x01, 0x05}));
  EXPECT_FALSE(calls[2].set);
  EXPECT_EQ(calls[3].code, 0xFF8C0007u);
  EXPECT_TRUE(calls[3].set);
  EXPECT_EQ(calls[3].size, 4u);
  EXPECT_EQ(calls[3].data, u32(50));
  clearDriverCalls();
  EXPECT_TRUE(driverCalls().empty());
}

TEST_F(DriverTest, TheCallLogIsARingOfTheLatestCalls) {
  useWorld(std::string(defaultWorldText()) + "[Machine]\nDriverCallLog = 3\n");
  for (uint32_t percent = 10; percent <= 50; percent += 10) setU32(0xFF8C0007, percent);
  std::vector<DriverCall> calls = driverCalls();
  ASSERT_EQ(calls.size(), 3u) << "a long run keeps only the latest";
  EXPECT_EQ(calls[0].data, u32(30));
  EXPECT_EQ(calls[2].data, u32(50));
  machine().setCallLogLimit(1);
  calls = driverCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].data, u32(50));
}

TEST_F(DriverTest, DeviceFaultsFromTheWorldFile) {
  useWorld(std::string(defaultWorldText()) +
           "[Faults]\nNoOpen.1 = {6B29FC40-CA47-1067-B31D-00DD010662DA}\nShort.00010110 = 1\n");
  HANDLE h = CreateFile(devicePath().c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  machine().setOpenable(kDefaultGuid, true);
  std::vector<uint8_t> b(2, 0xEE);
  DWORD returned = 0, error = 0;
  EXPECT_TRUE(request(OID_GEN_DRIVER_VERSION, b, returned, error));
  EXPECT_EQ(returned, 1u);
  EXPECT_EQ(b, (std::vector<uint8_t>{0x01, 0xEE}));
}

TEST_F(DriverTest, UnpluggingUnderAnOpenHandleFailsItsRequests) {
  HANDLE h = CreateFile(devicePath().c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  machine().setPresent(kDefaultGuid, false);
  DWORD oid = OID_GEN_DRIVER_VERSION, returned = 0;
  uint8_t b[2];
  EXPECT_FALSE(DeviceIoControl(h, IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, 4, b, 2, &returned, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DEVICE_NOT_CONNECTED));
  CloseHandle(h);
}

TEST_F(DriverTest, EveryNumberingOfACodeReachesTheSameValue) {
  struct Case {
    DWORD set;
    DWORD query;
    uint32_t value;
  };
  const Case cases[] = {
      {0xFF8C001A, 0x0D710126, 1},   // AP mode: Vista set, XP query
      {0x0DF10126, 0xFF0C001A, 0},   // and back: XP set, Vista query
      {0x0DF10118, 0xFF0C0007, 70},  // transmit power
      {0xFFF10118, 0x0D710118, 40},  // XP set with its top byte replaced
      {0xFF8C0003, 0x0D710107, 5},   // country region
      {0xFFF10101, 0xFF710101, 1},   // preamble
      {0x0DF1010C, 0x0D71010C, 3},   // wireless mode
      {0xFF8C0002, 0x0D71010C, 6},
  };
  for (const Case& c : cases) {
    setU32(c.set, c.value);
    EXPECT_EQ(queryU32(c.query), c.value) << std::hex << c.set << " -> " << c.query;
  }
}

TEST_F(DriverTest, OneNumberWithTwoRecordsIsToldApartBySize) {
  setU32(0xFF8C0039, 2);  // default AP key index
  std::vector<uint8_t> removeKey(16, 0);
  removeKey[0] = 16;
  removeKey[4] = 5;  // no key 5
  DWORD returned = 0, error = 0;
  EXPECT_FALSE(request(0xFF8C0039, removeKey, returned, error));
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  removeKey[4] = 1;
  EXPECT_TRUE(request(0xFF8C0039, removeKey, returned, error));
  std::vector<uint8_t> odd(8, 0);
  EXPECT_FALSE(request(0xFF8C0039, odd, returned, error));
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(DriverTest, VersionWordsComeFromTheWorldOrFail) {
  EXPECT_EQ(queryU32(0xFF0C0004), 0x0201u) << "EEPROM 1.2: byte 0 major";
  EXPECT_EQ(queryU32(0x0D710129), 0x0205u) << "firmware 2.5: byte 1 major";
  EXPECT_EQ(queryU32(0xFF0C0005), 0x0205u);
  std::string world(defaultWorldText());
  useWorld(world.replace(world.find("FirmwareVersion = 2.5"), 21, "FirmwareVersion = none"));
  std::vector<uint8_t> b(4);
  DWORD returned = 0, error = 0;
  EXPECT_FALSE(request(0x0D710129, b, returned, error));
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_NOT_SUPPORTED));
}

TEST_F(DriverTest, RegisterProbeReadsTheWorldsWordAndRegistersKeepWrites) {
  std::string world(defaultWorldText());
  useWorld(world.replace(world.find("Register54 = 0x0000"), 19, "Register54 = 0x0300"));
  std::vector<uint8_t> probe = {3, 0, 0, 0, 0x36, 0, 0, 0, 0, 0, 0, 0};
  DWORD returned = 0, error = 0;
  ASSERT_TRUE(request(0xFF0C0008, probe, returned, error));
  EXPECT_EQ(returned, 12u);
  EXPECT_EQ(u32At(probe, 8), 0x0300u);
  std::vector<uint8_t> write = {1, 0, 0, 0, 0x10, 0, 0, 0, 0xAB, 0, 0, 0};
  set(0x0DF10105, write);  // XP numbering
  std::vector<uint8_t> read = {1, 0, 0, 0, 0x10, 0, 0, 0, 0, 0, 0, 0};
  ASSERT_TRUE(request(0xFF0C0008, read, returned, error));
  EXPECT_EQ(u32At(read, 8), 0xABu);
}

}  // namespace
}  // namespace wavorel::sim::testing
