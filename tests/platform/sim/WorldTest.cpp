#include "SimTest.h"

#include "platform/sim/services/RegistryRpcService.h"
#include "platform/sim/radio/World.h"

namespace wavorel::sim::testing {
namespace {

const char* kAdapter =
    "[Adapter1]\n"
    "HardwareId = PCI\\VEN_F0A5&DEV_0601&SUBSYS_00011234\n"
    "Family = 6\n"
    "Guid = {11111111-2222-3333-4444-555555555555}\n"
    "Description = Test PCI card\n"
    "Mac = 00-0E-2E-00-00-01\n";

TEST(WorldTest, DefaultWorldHoldsOneUsbAdapterAndEveryKindOfNetwork) {
  World w = parseWorld(defaultWorldText(), "default");
  ASSERT_EQ(w.adapters.size(), 1u);
  EXPECT_EQ(w.adapters[0].bus, Bus::Usb);
  EXPECT_EQ(w.networks.size(), 8u);
  std::set<Security> kinds;
  bool hidden = false, wpsButton = false, ht5 = false;
  for (const WorldNetwork& n : w.networks) {
    kinds.insert(n.security);
    hidden |= n.hidden;
    wpsButton |= n.wps == WpsMethod::PushButton;
    ht5 |= n.ht && n.band5();
  }
  EXPECT_EQ(kinds.size(), 5u);
  EXPECT_TRUE(hidden && wpsButton && ht5);
}

TEST(WorldTest, RefusesMalformedFilesWithFileLineAndReason) {
  struct Case {
    std::string text;
    std::string expected;  // start of what()
  };
  const std::string net = "[Network A]\nSsid = A\nBssid = 00-11-22-33-44-55\n";
  const Case cases[] = {
      {"[Adapter1\n", "w.ini:1: section header without ']'"},
      {"; comment\nkey = value\n", "w.ini:2: entry before the first section"},
      {"[Adapter1]\njust words\n", "w.ini:2: not a section header or an entry"},
      {"[Weather]\n", "w.ini:1: unknown section Weather"},
      {std::string(kAdapter) + "Colour = blue\n", "w.ini:7: unknown key colour"},
      {std::string(kAdapter) + "Mac = 1\n", "w.ini:7: key given twice"},
      {"[Adapter1]\nHardwareId = USB\\VID_1&PID_2\n", "w.ini:1: missing Guid"},
      {"[Adapter1]\nHardwareId = PCI\\VEN_1&DEV_2\nFamily = 5\n",
       "w.ini:3: Family: not a chip family of the adapter's bus: 5"},
      {"[Adapter1]\nHardwareId = PCI\\VEN_1&DEV_2\nFamily = 9\n", "w.ini:3: Family: out of range 0..8: 9"},
      {"[Adapter1]\nHardwareId = USB\\VID_1&PID_2\nBus = PCI\n", "w.ini:2: HardwareId: does not name a device"},
      {"[Adapter1]\nHardwareId = USB\\VID_1&PID_2\nGuid = 1234\n", "w.ini:3: Guid: not a GUID in braces"},
      {std::string(kAdapter) + "EepromVersion = 1\n", "w.ini:7: EepromVersion: not a version major.minor: 1"},
      {net + "Address = 300.1.1.1\n", "w.ini:4: Address: not an IPv4 address: 300.1.1.1"},
      {net + "Channel = 15\n", "w.ini:4: Channel: no such channel: 15"},
      {net + "Channel = twelve\n", "w.ini:4: Channel: not a number: twelve"},
      {net + "Signal = -5\n", "w.ini:4: Signal: out of range -100..-10: -5"},
      {net + "Variation = 31\n", "w.ini:4: Variation: out of range 0..30: 31"},
      {"[Network A]\nSsid = 0123456789012345678901234567890123\nBssid = 00-11-22-33-44-55\n",
       "w.ini:2: Ssid: longer than 32 bytes"},
      {"[Network A]\nSsid = A\nBssid = 00-11-22-33-44\n", "w.ini:3: Bssid: not a MAC address"},
      {net + "Security = WPA3\n", "w.ini:4: Security: unknown value: WPA3"},
      {net + "Security = WPA2-PSK\n", "w.ini:1: missing Passphrase"},
      {net + "Security = WPA2-PSK\nPassphrase = short\n", "w.ini:5: Passphrase: must have 8 to 63 characters"},
      {net + "Security = WEP\nKey1 = 01234\n", "w.ini:5: Key1: odd number of hexadecimal digits"},
      {net + "Security = WEP\nKey1 = 01234567\n", "w.ini:5: Key1: a WEP key has 10 or 26 hexadecimal digits"},
      {net + "Security = WEP\nKey1 = 0123456789\nKeyIndex = 2\n", "w.ini:6: KeyIndex: names a key that is not given"},
      {net + "Key1 = 0123456789\n", "w.ini:4: Key1: only WEP networks have keys"},
      {net + "WPS = Pin\nWpsPin = 1234\n", "w.ini:5: WpsPin: a PIN has 8 digits"},
      {net + "Appears = 10\nLeaves = 5\n", "w.ini:5: Leaves: not after Appears"},
      {"[Network A]\nBssid = 00-11-22-33-44-55\n", "w.ini:1: Ssid: missing (a network without one is Hidden)"},
      {"[Client A]\nAdapter = Adapter9\nMac = 00-11-22-33-44-55\n", "w.ini:2: Adapter: no such adapter section: Adapter9"},
      {std::string(kAdapter) + "Chains = 4\n", "w.ini:7: Chains: out of range 1..3: 4"},
      {std::string(kAdapter) + "ClassIndex = 10000\n", "w.ini:7: ClassIndex: out of range 0..9999: 10000"},
      {std::string(kAdapter) + "HardwareRadio = maybe\n", "w.ini:7: HardwareRadio: not yes or no: maybe"},
      {std::string(kAdapter) + "DriverFileVersion = 1.2.3\n", "w.ini:7: DriverFileVersion: not a file version"},
      {std::string(kAdapter) + "DriverFileVersion = 1.2.3.65536\n", "w.ini:7: DriverFileVersion: not a file version"},
      {std::string(kAdapter) + "DriverDate = 2009-13-01\n", "w.ini:7: DriverDate: not a date YYYY-MM-DD"},
      {std::string(kAdapter) + "DriverFile = ..\\evil.sys\n", "w.ini:7: DriverFile: not a file name"},
      {"[Client A]\nAdapter = Adapter1\nMac = 00-11-22-33-44-55\nWepKey = 0102\n" + std::string(kAdapter),
       "w.ini:4: WepKey: a WEP key has 10 or 26 hexadecimal digits"},
      {"[Client A]\nAdapter = Adapter1\nMac = 00-11-22-33-44-55\nPassphrase = short\n" + std::string(kAdapter),
       "w.ini:4: Passphrase: must have 8 to 63 characters"},
      {"[Client A]\nAdapter = Adapter1\nMac = 00-11-22-33-44-55\nEap = maybe\n" + std::string(kAdapter),
       "w.ini:4: Eap: unknown value: maybe"},
      {"[Client A]\nAdapter = Adapter1\nMac = 00-11-22-33-44-55\nArrives = -1\n" + std::string(kAdapter),
       "w.ini:4: Arrives: out of range"},
      {"[Services]\nRegistryService = paused\n", "w.ini:2: RegistryService: unknown value: paused"},
      {"[Faults]\nShort.0D010102 = 70000\n", "w.ini:2: Short.0D010102: out of range 0..65536: 70000"},
      {"[Faults]\nFail.XYZ = 2\n", "w.ini:2: not a hexadecimal code: XYZ"},
      {"[Faults]\nFail.0D010102 = 0\n", "w.ini:2: Fail.0D010102: out of range 1..1000000: 0"},
      {"[Machine]\nAuthenticationMs = 0\n", "w.ini:2: AuthenticationMs: out of range 1..60000: 0"},
      {"[Machine]\nAssociationMs = -5\n", "w.ini:2: AssociationMs: out of range 1..60000: -5"},
      {"[Machine]\nHandshakeMs = 60001\n", "w.ini:2: HandshakeMs: out of range 1..60000: 60001"},
      {"[Machine]\nEapMs = soon\n", "w.ini:2: EapMs: not a number: soon"},
      {"[Machine]\nEapMs = 99999999999999999999\n", "w.ini:2: EapMs: not a number: 99999999999999999999"},
      {"[Machine]\nDriverCallLog = 0\n", "w.ini:2: DriverCallLog: out of range 1..1000000: 0"},
      {"[Machine]\nScanMs = 10\n", "w.ini:2: unknown key scanms"},
  };
  for (const Case& c : cases) {
    try {
      parseWorld(c.text, "w.ini");
      ADD_FAILURE() << "accepted:\n" << c.text;
    } catch (const WorldError& e) {
      EXPECT_EQ(std::string(e.what()).substr(0, c.expected.size()), c.expected) << c.text;
    }
  }
}

class WorldFileTest : public SimTest {};

TEST_F(WorldFileTest, MachineLoadsTheNamedWorldAndKeepsValuesTheProgramChanged) {
  useWorld(std::string(kAdapter) + "Reg.WirelessMode = 5\nClassIndex = 12\n");
  HKEY key = nullptr;
  const char* path = "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0012";
  HDEVINFO set = SetupDiGetClassDevs(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES | DIGCF_PRESENT);
  SetupDiDestroyDeviceInfoList(set);  // the machine is loaded now
  ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, path, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  char text[64] = {};
  DWORD size = sizeof text;
  ASSERT_EQ(RegQueryValueEx(key, "WirelessMode", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size), ERROR_SUCCESS);
  EXPECT_STREQ(text, "5");
  RegSetValueEx(key, "WirelessMode", 0, REG_SZ, reinterpret_cast<const BYTE*>("2"), 2);
  RegCloseKey(key);

  wavorel::resetPlatformState();  // a new machine over the same registry
  set = SetupDiGetClassDevs(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES);
  SetupDiDestroyDeviceInfoList(set);
  ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key), ERROR_SUCCESS);
  size = sizeof text;
  RegQueryValueEx(key, "WirelessMode", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
  EXPECT_STREQ(text, "2");
  RegCloseKey(key);
}

TEST_F(WorldFileTest, EveryLoadSeesTheFileAsItIsThen) {
  // Loads of the same text share one parse; a changed file, another file or
  // the built-in world is read anew, and a refused one is refused each time.
  const std::string one = std::string(kAdapter) + "ClassIndex = 12\n";
  const std::string two = std::string(kAdapter) + "ClassIndex = 13\n";
  useWorld(one);
  EXPECT_EQ(loadWorld().adapters.at(0).classIndex, 12u);
  EXPECT_EQ(loadWorld().adapters.at(0).classIndex, 12u);
  useWorld(two);
  EXPECT_EQ(loadWorld().adapters.at(0).classIndex, 13u);
  useWorld(one);
  EXPECT_EQ(loadWorld().adapters.at(0).classIndex, 12u);
  const std::string other = root() + "/other.ini";
  std::ofstream(other, std::ios::binary) << two;
  setenv("WAVOREL_WORLD", other.c_str(), 1);
  EXPECT_EQ(loadWorld().adapters.at(0).classIndex, 13u);
  unsetenv("WAVOREL_WORLD");
  EXPECT_EQ(loadWorld().adapters.size(), parseWorld(defaultWorldText(), "w.ini").adapters.size());
  useWorld("[Adapter1]\nHardwareId = USB\\VID_1&PID_2\n");
  EXPECT_THROW(loadWorld(), WorldError);
  EXPECT_THROW(loadWorld(), WorldError);
}

TEST_F(WorldFileTest, RefusedWorldLeavesAMachineWithoutAdapters) {
  useWorld("[Adapter1]\nHardwareId = USB\\VID_1&PID_2\n");
  ::testing::internal::CaptureStderr();
  HDEVINFO set = SetupDiGetClassDevs(nullptr, nullptr, nullptr, DIGCF_ALLCLASSES);
  std::string err = ::testing::internal::GetCapturedStderr();
  ASSERT_NE(set, INVALID_HANDLE_VALUE);
  SP_DEVINFO_DATA d{sizeof d, {}, 0, 0};
  EXPECT_FALSE(SetupDiEnumDeviceInfo(set, 0, &d));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_ITEMS));
  SetupDiDestroyDeviceInfoList(set);
  EXPECT_NE(err.find("world.ini:1: missing Guid"), std::string::npos) << err;
}

TEST_F(WorldFileTest, RegistryServiceListensAsTheWorldSaysUnlessATestSaysOtherwise) {
  auto listening = [] {
    RPC_CSTR text = nullptr;
    char protseq[] = "ncalrpc";
    std::string endpoint = kRegistryServiceEndpoint;
    EXPECT_EQ(RpcStringBindingCompose(nullptr, reinterpret_cast<RPC_CSTR>(protseq), nullptr,
                                      reinterpret_cast<RPC_CSTR>(endpoint.data()), nullptr, &text),
              RPC_S_OK);
    RPC_BINDING_HANDLE h = nullptr;
    EXPECT_EQ(RpcBindingFromStringBinding(text, &h), RPC_S_OK);
    RpcStringFree(&text);
    RPC_STATUS status = RpcMgmtIsServerListening(h);
    RpcBindingFree(&h);
    return status;
  };
  EXPECT_EQ(listening(), RPC_S_OK) << "the built-in world's service listens";
  useWorld(std::string(defaultWorldText()) + "[Services]\nRegistryService = stopped\n");
  EXPECT_EQ(listening(), RPC_S_NOT_LISTENING);
  setRegistryServiceListening(true);
  EXPECT_EQ(listening(), RPC_S_OK) << "the test hook overrides the world";
  wavorel::resetPlatformState();
  EXPECT_EQ(listening(), RPC_S_NOT_LISTENING) << "until the next reset";
}

}  // namespace
}  // namespace wavorel::sim::testing
