// Driver queries and sets of the station module against the simulated driver.
#include <array>
#include <cstring>
#include <memory>

#include "tests/worker/DriverTest.h"
#include "platform/win/kernel/Devices.h"

namespace worker::testing {
namespace {

using OidRequestTest = DriverTest;

TEST_F(OidRequestTest, QueryGoesOutAsGivenAndOpensTheDeviceForEachCall) {
  WORD version = 0;
  DWORD returned = 99;
  ASSERT_TRUE(QueryOid(OID_GEN_DRIVER_VERSION, &version, sizeof(version), &returned));
  EXPECT_EQ(returned, 2u);
  EXPECT_EQ(version, 0x0501);
  DWORD mode = 5;
  ASSERT_TRUE(QueryOid(OID_VX_AP_MODE, &mode, sizeof(mode), &returned));
  EXPECT_EQ(mode, 0u);

  const auto c = calls();
  ASSERT_EQ(c.size(), 2u);
  EXPECT_EQ(c[0].code, 0x00010110u);
  EXPECT_EQ(c[1].code, WAVOREL_BUILD_XP ? 0x0D710126u : 0xFF0C001Au);
  EXPECT_FALSE(c[1].set);
}

// The station module's sets: WavorelVista replaces the top byte of every code
// by 0xFF (private codes already carry it), Wavorel only adds the set bit.
TEST_F(OidRequestTest, SetsLeaveWithTheStationModulesSetMask) {
  struct Case {
    DWORD oid;
    DWORD size;
    DWORD vista;
    DWORD xp;
  };
  const Case cases[] = {
      {OID_802_11_SSID, 36, 0xFF810102, 0x0D810102},
      {OID_802_11_BSSID, 6, 0xFF810101, 0x0D810101},
      {OID_802_11_DISASSOCIATE, 0, 0xFF810115, 0x0D810115},
      {OID_VX_PRIVATE_0127_SET, 26, 0xFFF10127, 0x0DF10127},
      {OID_VX_PRIVATE_0134_SET, 4, 0xFFF10134, 0x0DF10134},
      {OID_VX_AP_MODE_SET, 4, 0xFF8C001A, 0x0DF10126},
      {OID_VX_COUNTRY_REGION_SET, 4, 0xFF8C0003, 0x0DF10107},
  };
  std::array<uint8_t, 36> data{};
  data[0] = 4;  // an SSID record of length 4, for the SSID set
  std::memcpy(&data[4], "Home", 4);
  for (const Case& k : cases) {
    wavorel::sim::clearDriverCalls();
    DWORD returned = 0;
    SetOid(k.oid, k.size ? data.data() : nullptr, k.size, &returned, 1);
    const auto c = calls();
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0].code, WAVOREL_BUILD_XP ? k.xp : k.vista) << std::hex << k.oid;
    EXPECT_TRUE(c[0].set);
    EXPECT_EQ(c[0].size, k.size);
  }
  if (!WAVOREL_BUILD_XP) {
    wavorel::sim::clearDriverCalls();
    std::array<uint8_t, 20> bssidList{};
    DWORD returned = 0;
    SetOid(OID_DOT11_DESIRED_BSSID_LIST, bssidList.data(), 20, &returned, 1);
    ASSERT_EQ(calls().size(), 1u);
    EXPECT_EQ(calls()[0].code, 0xFF81017Eu);
  }
}

TEST_F(OidRequestTest, ShortAnswerIsReportedAndLeavesTheRestOfTheBuffer) {
  const DWORD ssidQuery = OID_802_11_SSID;
  machine().shortAnswer(ssidQuery, 3);
  std::array<uint8_t, 36> buffer;
  buffer.fill(0xEE);
  DWORD returned = 0;
  ASSERT_TRUE(QueryOid(ssidQuery, buffer.data(), 36, &returned));
  EXPECT_EQ(returned, 3u);
  for (size_t i = 3; i < buffer.size(); ++i) ASSERT_EQ(buffer[i], 0xEE) << i;
}

TEST_F(OidRequestTest, WrappersTakeAShortAnswerAsAFailedQuery) {
  // Soft-AP mode on, then a driver that answers fewer bytes than asked.
  DWORD on = 1;
  DWORD returned = 0;
  ASSERT_TRUE(SetOid(OID_VX_AP_MODE_SET, &on, 4, &returned, 3));
  EXPECT_FALSE(IsStationMode());
  machine().shortAnswer(OID_VX_AP_MODE, 2);
  EXPECT_TRUE(IsStationMode()) << "a half answer counts as a failed query";

  ASSERT_TRUE(QueryDriverVersion());
  EXPECT_EQ(g_wDriverVersion, 0x0501);
  g_wDriverVersion = 0x1234;
  machine().shortAnswer(OID_GEN_DRIVER_VERSION, 1);
  EXPECT_FALSE(QueryDriverVersion());
  EXPECT_EQ(g_wDriverVersion, 0x1234);
}

TEST_F(OidRequestTest, AdapterGoneBeforeTheFirstCall) {
  machine().setPresent(guid(), false);
  DWORD value = 0;
  DWORD returned = 5;
  EXPECT_EQ(IsAdapterPresent(), 0);
  EXPECT_FALSE(QueryOid(OID_VX_AP_MODE, &value, 4, &returned));
  EXPECT_FALSE(QueryDriverVersion());
  EXPECT_TRUE(IsStationMode()) << "a failed query counts as station mode";
  EXPECT_FALSE(SetOid(OID_VX_AP_MODE_SET, &value, 4, &returned, 3));
  EXPECT_EQ(GetSetOidQueue().GetCount(), 0);
  EXPECT_TRUE(calls().empty());

  machine().setPresent(guid(), true);
  EXPECT_EQ(IsAdapterPresent(), 1);
  g_strDevicePath.Empty();
  EXPECT_EQ(IsAdapterPresent(), 0) << "no adapter was found yet";
}

TEST_F(OidRequestTest, RefusedQueryReportsFailure) {
  machine().failCode(OID_VX_LINK_EVENT, 1);
  DWORD value = 0x55;
  DWORD returned = 9;
  EXPECT_FALSE(QueryOid(OID_VX_LINK_EVENT, &value, 4, &returned));
  EXPECT_EQ(returned, 0u);
  EXPECT_EQ(value, 0x55u);
}

TEST_F(OidRequestTest, CcxControlWordAndPspXlinkSwitch) {
  struct Case {
    int kind;
    DWORD value;
    DWORD sent;
  };
  const Case cases[] = {
      {1, 0x0000FFFF, 0x0000FFFF},  // a value read from the driver key goes as it is
      {0, 0x0000FFFF, 0x0000FADF},  // else bits 0x520 cleared, 0xFA00 forced
      {0, 0x00000000, 0x0000FA00},
      {2, 0x12340520, 0x1234FA00},
  };
  for (const Case& k : cases) {
    wavorel::sim::clearDriverCalls();
    SetCcxControl(k.kind, k.value);
    ASSERT_EQ(calls().size(), 1u);
    EXPECT_EQ(calls()[0].code, OID_VX_PRIVATE_011E_SET | OID_STATION_SET_MASK);
    DWORD sent = 0;
    ASSERT_EQ(calls()[0].data.size(), 4u);
    std::memcpy(&sent, calls()[0].data.data(), 4);
    EXPECT_EQ(sent, k.sent) << k.kind << " " << std::hex << k.value;
  }
  for (int on : {7, 0}) {
    wavorel::sim::clearDriverCalls();
    SetPspXlink(on);
    ASSERT_EQ(calls().size(), 1u);
    EXPECT_EQ(calls()[0].data, (std::vector<uint8_t>{static_cast<uint8_t>(on ? 1 : 0), 0, 0, 0}));
  }
}

}  // namespace
}  // namespace worker::testing

namespace worker::testing {
namespace {

// A driver that writes into the data of every set it receives.
class ScribblingDevice : public wavorel::DeviceIoObject {
 public:
  BOOL ioControl(DWORD, const void*, DWORD, void* out, DWORD outSize, DWORD& returned) override {
    if (out && outSize) std::memset(out, 0xCC, outSize);
    returned = outSize;
    return TRUE;
  }
};

TEST_F(OidRequestTest, OnXp64ASetWorksOnACopyOfTheCallersData) {
  const std::string path = "\\\\.\\Scribbler";
  wavorel::registerDevice(path, [] { return std::make_shared<ScribblingDevice>(); });
  g_strDevicePath = path.c_str();
  for (int osType : {10, 11}) {
    g_nOsType = osType;
    DWORD value = 0x11223344;
    DWORD returned = 0;
    EXPECT_TRUE(SetOid(OID_VX_AP_MODE_SET, &value, sizeof(value), &returned, 3));
    EXPECT_EQ(returned, 4u);
    if (osType == 10) {
      EXPECT_EQ(value, 0x11223344u) << "the driver wrote into a copy";
    } else {
      EXPECT_EQ(value, 0xCCCCCCCCu) << "the driver works on the caller's buffer";
    }
  }
  wavorel::unregisterDevice(path);
}

}  // namespace
}  // namespace worker::testing
