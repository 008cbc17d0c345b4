// The Native Wi-Fi service's SSID-length fault: the current connection
// reports the length a test set (past the record's 32 bytes), the bytes stay
// the network's, and a platform reset ends the fault.
#include "SimTest.h"

#include "platform/sim/services/GuidText.h"
#include "platform/sim/services/NativeWifiService.h"
#include "platform/win/services/Wlan.h"

namespace wavorel::sim::testing {
namespace {

constexpr DWORD OID_802_11_SSID_SET = 0x0D810102;

using NativeWifiSsidFaultTest = SimTest;

// The SSID length and bytes of the current connection, as the service reports them.
std::pair<ULONG, std::string> currentSsid() {
  HANDLE client = nullptr;
  DWORD version = 0;
  EXPECT_EQ(WlanOpenHandle(2, nullptr, &version, &client), static_cast<DWORD>(ERROR_SUCCESS));
  GUID guid{};
  EXPECT_TRUE(parseGuidText(kDefaultGuid, guid));
  DWORD size = 0;
  PVOID data = nullptr;
  std::pair<ULONG, std::string> out;
  if (WlanQueryInterface(client, &guid, wlan_intf_opcode_current_connection, nullptr, &size, &data, nullptr) ==
      ERROR_SUCCESS) {
    const DOT11_SSID& s = static_cast<WLAN_CONNECTION_ATTRIBUTES*>(data)->wlanAssociationAttributes.dot11Ssid;
    out = {s.uSSIDLength, std::string(reinterpret_cast<const char*>(s.ucSSID), 8)};
    WlanFreeMemory(data);
  }
  WlanCloseHandle(client, nullptr);
  return out;
}

TEST_F(NativeWifiSsidFaultTest, ReportedLengthPastTheRecord) {
  std::vector<uint8_t> s(36, 0);
  s[0] = 8;
  std::memcpy(&s[4], "CafeFree", 8);
  set(OID_802_11_SSID_SET, s);
  clock().advance(associationMs());
  EXPECT_EQ(currentSsid(), (std::pair<ULONG, std::string>{8, "CafeFree"}));
  NativeWifiService::instance().setReportedSsidLength(40);
  EXPECT_EQ(currentSsid(), (std::pair<ULONG, std::string>{40, "CafeFree"}));
  NativeWifiService::instance().reset();
  EXPECT_FALSE(NativeWifiService::instance().reportedSsidLength().has_value());
}

}  // namespace
}  // namespace wavorel::sim::testing
