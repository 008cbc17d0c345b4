#include "tests/worker/DiscoveryTest.h"
#include "worker/DeviceTables.h"

namespace worker::testing {
namespace {

class DeviceListTest : public DiscoveryTest {};

TEST_F(DeviceListTest, IniListsAreReadInSectionOrderUpToTheFirstGap) {
  writeIni(
      "[VX31]\r\nDeviceID_1=usb\\vid_f0a5&pid_0101&rev_0001\r\n"
      "[VX52]\r\nDeviceID_1=PCI\\VEN_F0A5&DEV_0001\r\nDeviceID_2=PCI\\VEN_F0A5&DEV_0002\r\nDeviceID_4=PCI\\VEN_F0A5&DEV_0004\r\n"
      "[VX41]\r\nDeviceID_1=\r\nDeviceID_2=USB\\VID_F0A5&PID_0502\r\n");
  EXPECT_EQ(devices.LoadDeviceIdIni(0), 3) << "an empty key ends a section's list";
  ASSERT_EQ(devices.GetCount(), 3);
  EXPECT_STREQ(devices.GetEntry(0).hardwareId, "PCI\\VEN_F0A5&DEV_0001");
  EXPECT_EQ(devices.GetEntry(0).family, 0);
  EXPECT_STREQ(devices.GetEntry(2).hardwareId, "USB\\VID_F0A5&PID_0101") << "upper case, 21 characters";
  EXPECT_EQ(devices.GetEntry(2).family, 8);

  CSupportedDeviceList firstTwo;
  EXPECT_EQ(firstTwo.LoadDeviceIdIni(2), 3);
  EXPECT_EQ(firstTwo.GetCount(), 2);
}

TEST_F(DeviceListTest, MalformedIdsArePassedOver) {
  writeIni(
      "[VX52USB]\r\nDeviceID_1=garbage\r\nDeviceID_2=USB\\VID_F0A5\r\nDeviceID_3=USB\\VID_G0A5&PID_0101\r\n"
      "DeviceID_4=PCI\\VEN_F0A5&DEV_0101\r\nDeviceID_5=USB\\VID_F0A5-PID_0101\r\n"
      "DeviceID_6=USB\\VID_F0A5&PID_0111\r\n");
  EXPECT_EQ(devices.GetCount(), 1) << "only the well-formed USB ID of the USB section counts";
  EXPECT_STREQ(devices.GetEntry(0).hardwareId, "USB\\VID_F0A5&PID_0111");

  // A list of nothing but malformed IDs lists none: the built-in tables hold.
  writeIni("[VX31]\r\nDeviceID_1=USB\\VID_F0A5&PID_010\r\nDeviceID_2=PCI\\VEN_F0A5&DEV_0601\r\n");
  EXPECT_EQ(devices.GetCount(), 0);
  EXPECT_EQ(discover(), 1);
  EXPECT_EQ(g_nFamilyIndex, 8);
}

TEST_F(DeviceListTest, AnIniListReplacesTheBuiltInTables) {
  useTwoAdapters();
  // Only the PCI board is listed (as a VX32 board): the USB one, known to the
  // built-in table, is not offered, so no choice is asked for.
  writeIni("[VX32]\r\nDeviceID_1=PCI\\VEN_F0A5&DEV_0701&SUBSYS_00011234\r\n");
  answerChoice(nullptr, IDOK);
  ASSERT_EQ(discover(), 1);
  EXPECT_TRUE(shown.empty());
  EXPECT_EQ(g_strAdapterGuid, kSecondGuid);
  EXPECT_EQ(g_nFamilyIndex, 7);

  // The family comes from the section, not the built-in table.
  writeIni("[VX42]\r\nDeviceID_1=PCI\\VEN_F0A5&DEV_0701\r\n");
  ASSERT_EQ(discover(), 1);
  EXPECT_EQ(g_nFamilyIndex, 4);
  EXPECT_EQ(g_bHtFamily, 0);
}

TEST_F(DeviceListTest, BuiltInTablesSearchUsbFirstOnTheFirst21Characters) {
  g_nBuiltinRow = -1;
  EXPECT_EQ(MatchDeviceId(devices, "USB\\VID_F0A5&PID_0502&REV_0100"), TRUE);
  EXPECT_EQ(g_nFamilyIndex, 5);
  EXPECT_EQ(g_nBusType, 1);
  EXPECT_EQ(g_bUsbFound, 1);
  EXPECT_EQ(g_bPciFound, 0);
  EXPECT_STREQ(g_usbDeviceIds[g_nBuiltinRow].hardwareId, "USB\\VID_F0A5&PID_0502");

  EXPECT_EQ(MatchDeviceId(devices, "PCI\\VEN_F0A5&DEV_0401"), TRUE);
  EXPECT_EQ(g_nFamilyIndex, 4);
  EXPECT_EQ(g_nBusType, 0);
  EXPECT_EQ(g_bUsbFound, 0) << "the found flags are cleared before each match";
  EXPECT_EQ(g_bPciFound, 1);

  EXPECT_EQ(MatchDeviceId(devices, "PCI\\VEN_F0A5&DEV_040"), FALSE);
  EXPECT_EQ(MatchDeviceId(devices, "USB\\VID_F0A5&PID_9999"), FALSE);
  EXPECT_EQ(g_nFamilyIndex, 4) << "no hit changes nothing";

  for (int i = 0; i < g_nUsbDeviceIdCount; ++i) EXPECT_EQ(IsUsbFamily(g_usbDeviceIds[i].family), 1);
  for (int i = 0; i < g_nPciDeviceIdCount; ++i) EXPECT_EQ(IsUsbFamily(g_pciDeviceIds[i].family), 0);
}

TEST_F(DeviceListTest, FamilyPredicatesFollowTheWindowsGeneration) {
  const int htIndex[kFamilyCount] = {0, 0, 0, 0, 0, 0, 1, 2, 3};
  for (int family = 0; family < kFamilyCount; ++family) {
    g_nOsType = 11;
    EXPECT_EQ(IsVx52Family(family), family <= 1 ? 1 : 0) << family;
    EXPECT_EQ(IsHtFamily(family), htIndex[family] ? 1 : 0) << family;
    EXPECT_EQ(GetHtFamilyIndex(family), htIndex[family]) << family;
    g_nOsType = 6;
    EXPECT_EQ(IsHtFamily(family), 0);
    EXPECT_EQ(GetHtFamilyIndex(family), 0);
  }
  EXPECT_STREQ(g_chipFamilies[8].deviceName, "VX31");
  EXPECT_STREQ(g_chipFamilies[8].driverFiles[0], "");
  EXPECT_STREQ(g_chipFamilies[1].driverFiles[4], "vxw52u64.sys");
}

TEST_F(DeviceListTest, OsTypeFromTheConfiguredVersion) {
  const struct {
    DWORD platform, major, minor, build;
    BYTE product;
    int expected;  // -1: unchanged
  } cases[] = {
      {VER_PLATFORM_WIN32_WINDOWS, 4, 0, 950, 0, 2},
      {VER_PLATFORM_WIN32_WINDOWS, 4, 10, 1998, 0, 3},
      {VER_PLATFORM_WIN32_WINDOWS, 4, 10, (0x040Au << 16) | 2222, 0, 4},  // low 16 bits of the build
      {VER_PLATFORM_WIN32_WINDOWS, 4, 90, 3000, 0, 5},
      {VER_PLATFORM_WIN32_WINDOWS, 4, 20, 1, 0, -1},
      {VER_PLATFORM_WIN32_NT, 4, 0, 1381, VER_NT_WORKSTATION, 6},
      {VER_PLATFORM_WIN32_NT, 5, 0, 2195, VER_NT_WORKSTATION, 7},
      {VER_PLATFORM_WIN32_NT, 5, 1, 2600, VER_NT_WORKSTATION, 8},
      {VER_PLATFORM_WIN32_NT, 5, 2, 3790, VER_NT_SERVER, 9},
      {VER_PLATFORM_WIN32_NT, 5, 2, 3790, VER_NT_WORKSTATION, 10},
      {VER_PLATFORM_WIN32_NT, 6, 0, 6002, VER_NT_WORKSTATION, 11},
      {VER_PLATFORM_WIN32_NT, 6, 1, 7601, VER_NT_SERVER, 11},
      {VER_PLATFORM_WIN32_NT, 5, 3, 1, VER_NT_WORKSTATION, 12},
      {VER_PLATFORM_WIN32_NT, 10, 0, 19045, VER_NT_WORKSTATION, 12},
      {VER_PLATFORM_WIN32_NT, 10, 0, 20348, VER_NT_DOMAIN_CONTROLLER, 13},
      {VER_PLATFORM_WIN32s, 3, 1, 0, 0, -1},
  };
  for (const auto& c : cases) {
    wavorel::OsVersion os;
    os.platformId = c.platform;
    os.major = c.major;
    os.minor = c.minor;
    os.build = c.build;
    os.productType = c.product;
    wavorel::setOsVersion(os);
    g_nOsType = 99;
    GetOsType();
    EXPECT_EQ(g_nOsType, c.expected < 0 ? 99 : c.expected)
        << c.platform << " " << c.major << "." << c.minor << " build " << c.build;
  }
}

}  // namespace
}  // namespace worker::testing
