#include "SimTest.h"

namespace wavorel::sim::testing {
namespace {

class SetupApiTest : public SimTest {
 protected:
  HDEVINFO netDevices(DWORD flags = DIGCF_PRESENT) {
    GUID classes[3];
    DWORD count = 0;
    EXPECT_TRUE(SetupDiClassGuidsFromName("Net", classes, 3, &count));
    EXPECT_EQ(count, 1u);
    return SetupDiGetClassDevs(&classes[0], nullptr, nullptr, flags);
  }
  std::string property(HDEVINFO set, SP_DEVINFO_DATA& d, DWORD which, DWORD* type = nullptr) {
    BYTE buffer[256];
    DWORD required = 0;
    if (!SetupDiGetDeviceRegistryProperty(set, &d, which, type, buffer, sizeof buffer, &required)) return "<none>";
    return std::string(reinterpret_cast<char*>(buffer), required);
  }
};

TEST_F(SetupApiTest, ListsThePresentAdapterWithItsIdsNamesAndDriverKey) {
  HDEVINFO set = netDevices();
  ASSERT_NE(set, INVALID_HANDLE_VALUE);
  SP_DEVINFO_DATA d{sizeof d, {}, 0, 0};
  ASSERT_TRUE(SetupDiEnumDeviceInfo(set, 0, &d));
  DWORD type = 0;
  EXPECT_EQ(property(set, d, SPDRP_HARDWAREID, &type),
            std::string("USB\\VID_F0A5&PID_0101&REV_0001\0USB\\VID_F0A5&PID_0101\0\0", 54));
  EXPECT_EQ(type, static_cast<DWORD>(REG_MULTI_SZ));
  EXPECT_EQ(property(set, d, SPDRP_FRIENDLYNAME, &type), std::string("Wavorel 802.11n USB Wireless LAN Card\0", 38));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(property(set, d, SPDRP_DEVICEDESC), std::string("802.11n USB Wireless LAN Card\0", 30));
  EXPECT_EQ(property(set, d, SPDRP_MFG), std::string("Wavorel\0", 8));
  EXPECT_EQ(property(set, d, SPDRP_DRIVER), std::string("{4D36E972-E325-11CE-BFC1-08002BE10318}\\0007\0", 44));

  HKEY key = SetupDiOpenDevRegKey(set, &d, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_READ);
  ASSERT_NE(static_cast<void*>(key), INVALID_HANDLE_VALUE);
  char id[128] = {};
  DWORD size = sizeof id;
  ASSERT_EQ(RegQueryValueEx(key, "NetCfgInstanceId", nullptr, nullptr, reinterpret_cast<BYTE*>(id), &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(id, kDefaultGuid);
  RegCloseKey(key);
  EXPECT_EQ(static_cast<void*>(SetupDiOpenDevRegKey(set, &d, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ)),
            INVALID_HANDLE_VALUE);

  char instance[64];
  ASSERT_TRUE(SetupDiGetDeviceInstanceId(set, &d, instance, sizeof instance, nullptr));
  EXPECT_STREQ(instance, "USB\\VID_F0A5&PID_0101\\000E2E5A1001");

  EXPECT_FALSE(SetupDiEnumDeviceInfo(set, 1, &d));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_ITEMS));
  EXPECT_TRUE(SetupDiDestroyDeviceInfoList(set));
  EXPECT_FALSE(SetupDiDestroyDeviceInfoList(set));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(SetupApiTest, PropertyBuffersFollowTheSizeProtocol) {
  HDEVINFO set = netDevices();
  SP_DEVINFO_DATA d{sizeof d, {}, 0, 0};
  ASSERT_TRUE(SetupDiEnumDeviceInfo(set, 0, &d));
  const DWORD needed = 30;  // "802.11n USB Wireless LAN Card" and its terminator
  BYTE buffer[64];
  std::memset(buffer, 'x', sizeof buffer);
  DWORD required = 0;
  for (DWORD size : {DWORD(0), DWORD(1), needed - 1}) {
    required = 0;
    EXPECT_FALSE(SetupDiGetDeviceRegistryProperty(set, &d, SPDRP_DEVICEDESC, nullptr, size ? buffer : nullptr, size,
                                                  &required));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(required, needed);
    EXPECT_EQ(buffer[0], 'x') << "a buffer too small is left alone";
  }
  EXPECT_TRUE(SetupDiGetDeviceRegistryProperty(set, &d, SPDRP_DEVICEDESC, nullptr, buffer, needed, &required));
  EXPECT_EQ(buffer[needed - 1], 0);
  EXPECT_EQ(buffer[needed], 'x');

  SP_DEVINFO_DATA wrong{sizeof wrong + 1, {}, 0, 0};
  EXPECT_FALSE(SetupDiEnumDeviceInfo(set, 0, &wrong));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_USER_BUFFER));
  SetupDiDestroyDeviceInfoList(set);
}

TEST_F(SetupApiTest, DeviceWithoutFriendlyNameOrMakerLacksThoseProperties) {
  useWorld(
      "[Adapter1]\nHardwareId = PCI\\VEN_F0A5&DEV_0601\nFamily = 7\n"
      "Guid = {11111111-2222-3333-4444-555555555555}\nDescription = Plain card\nMac = 00-0E-2E-00-00-01\n");
  HDEVINFO set = netDevices();
  SP_DEVINFO_DATA d{sizeof d, {}, 0, 0};
  ASSERT_TRUE(SetupDiEnumDeviceInfo(set, 0, &d));
  for (DWORD p : {SPDRP_FRIENDLYNAME, SPDRP_MFG, SPDRP_LOCATION_INFORMATION}) {
    BYTE buffer[16];
    EXPECT_FALSE(SetupDiGetDeviceRegistryProperty(set, &d, p, nullptr, buffer, sizeof buffer, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
  }
  EXPECT_EQ(property(set, d, SPDRP_DEVICEDESC), std::string("Plain card\0", 11));
  SetupDiDestroyDeviceInfoList(set);
}

TEST_F(SetupApiTest, UnpluggedAdapterLeavesThePresentListAndItsDevicePathFails) {
  machine().setPresent(kDefaultGuid, false);
  HANDLE h = CreateFile(devicePath().c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  HDEVINFO present = netDevices(DIGCF_PRESENT);
  SP_DEVINFO_DATA d{sizeof d, {}, 0, 0};
  EXPECT_FALSE(SetupDiEnumDeviceInfo(present, 0, &d));
  HDEVINFO all = netDevices(0);
  EXPECT_TRUE(SetupDiEnumDeviceInfo(all, 0, &d)) << "an unplugged device is still installed";
  SetupDiDestroyDeviceInfoList(present);
  SetupDiDestroyDeviceInfoList(all);

  machine().setPresent(kDefaultGuid, true);
  h = CreateFile(devicePath().c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
}

TEST_F(SetupApiTest, OtherClassesHaveNoDevices) {
  DWORD count = 7;
  EXPECT_TRUE(SetupDiClassGuidsFromName("Printer", nullptr, 0, &count));
  EXPECT_EQ(count, 0u);
  EXPECT_FALSE(SetupDiClassGuidsFromName("net", nullptr, 0, &count));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(count, 1u);
  GUID printers = {0x4D36E979u, 0xE325u, 0x11CEu, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
  HDEVINFO set = SetupDiGetClassDevs(&printers, nullptr, nullptr, DIGCF_PRESENT);
  SP_DEVINFO_DATA d{sizeof d, {}, 0, 0};
  EXPECT_FALSE(SetupDiEnumDeviceInfo(set, 0, &d));
  SetupDiDestroyDeviceInfoList(set);
}

}  // namespace
}  // namespace wavorel::sim::testing
