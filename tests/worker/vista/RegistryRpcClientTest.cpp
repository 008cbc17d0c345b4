// The registry service client: direct writes first, the service when they
// fail, and the real result either way.
#include <string>

#include "platform/Platform.h"
#include "platform/sim/services/RegistryRpcService.h"
#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/Account.h"
#include "worker/vista/RegistryRpcClient.h"

namespace worker::testing {
namespace {

constexpr const char* kDriverKey =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\0000";

class RegistryRpcClientTest : public wavorel::testing::PlatformTest {
 protected:
  void SetUp() override {
    PlatformTest::SetUp();
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, kDriverKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
  void TearDown() override {
    wavorel::setRunningAsAdministrator(true);
    wavorel::sim::setRegistryServiceListening(true);
    PlatformTest::TearDown();
  }

  // A value under HKEY_LOCAL_MACHINE, or "<missing>".
  static std::string read(const std::string& path, const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return "<missing>";
    char value[256] = {};
    DWORD size = sizeof(value) - 1;
    const LONG r = RegQueryValueEx(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    return r == ERROR_SUCCESS ? std::string(value) : "<missing>";
  }
  static bool keyExists(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }
  static LONG setText(HKEY key, const char* name, const std::string& text, const std::string& path) {
    return RpcRegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>(text.size() + 1), path.c_str());
  }
};

TEST_F(RegistryRpcClientTest, BindsOnlyToAListeningService) {
  {
    CRegistryRpcClient client;
    EXPECT_TRUE(client.IsBound());
    EXPECT_TRUE(client.Unbind());
    EXPECT_FALSE(client.IsBound());
    EXPECT_TRUE(client.Bind());
    EXPECT_TRUE(client.IsBound()) << "a client bound again unbinds when it ends";
    EXPECT_TRUE(client.Bind()) << "binding twice starts over";
  }
  wavorel::sim::setRegistryServiceListening(false);
  CRegistryRpcClient client;
  EXPECT_FALSE(client.IsBound());
}

TEST_F(RegistryRpcClientTest, AdministratorWritesDirectly) {
  wavorel::sim::setRegistryServiceListening(false);
  CRegistryRpcClient client;
  HKEY key = nullptr;
  ASSERT_EQ(RpcRegOpenKeyEx(HKEY_LOCAL_MACHINE, kDriverKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  EXPECT_EQ(setText(key, "SSID", "Direct", kDriverKey), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(read(kDriverKey, "SSID"), "Direct");
}

TEST_F(RegistryRpcClientTest, StandardUsersWriteGoesThroughTheService) {
  CRegistryRpcClient client;
  ASSERT_TRUE(client.IsBound());
  wavorel::setRunningAsAdministrator(false);

  // The key cannot be opened for writing: the caller goes on with no key and
  // the service writes by path.
  HKEY key = nullptr;
  EXPECT_NE(RpcRegOpenKeyEx(HKEY_LOCAL_MACHINE, kDriverKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  EXPECT_EQ(key, nullptr);
  EXPECT_EQ(setText(key, "SSID", "ViaService", kDriverKey), ERROR_SUCCESS);
  EXPECT_EQ(read(kDriverKey, "SSID"), "ViaService");

  const std::string apDefault = std::string(kDriverKey) + "\\ApDefault";
  HKEY created = nullptr;
  EXPECT_EQ(RpcRegCreateKeyEx(HKEY_LOCAL_MACHINE, apDefault.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created,
                              nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(created, nullptr) << "the service made the key; the caller holds no handle";
  EXPECT_TRUE(keyExists(apDefault));
}

TEST_F(RegistryRpcClientTest, LostWritesAreReportedWhenTheServiceDoesNotListen) {
  CRegistryRpcClient client;
  wavorel::sim::setRegistryServiceListening(false);
  wavorel::setRunningAsAdministrator(false);

  EXPECT_EQ(setText(nullptr, "SSID", "Lost", kDriverKey), ERROR_INVALID_HANDLE);
  HKEY readOnly = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kDriverKey, 0, KEY_READ, &readOnly), ERROR_SUCCESS);
  EXPECT_EQ(setText(readOnly, "SSID", "Lost", kDriverKey), ERROR_ACCESS_DENIED);
  RegCloseKey(readOnly);
  EXPECT_EQ(read(kDriverKey, "SSID"), "<missing>");

  const std::string apDefault = std::string(kDriverKey) + "\\ApDefault";
  HKEY created = nullptr;
  EXPECT_EQ(RpcRegCreateKeyEx(HKEY_LOCAL_MACHINE, apDefault.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created,
                              nullptr),
            ERROR_ACCESS_DENIED);
  EXPECT_FALSE(keyExists(apDefault));
}

TEST_F(RegistryRpcClientTest, ServiceRefusalIsReturned) {
  CRegistryRpcClient client;
  wavorel::setRunningAsAdministrator(false);
  // The registry refuses a value name that holds a line break; the client
  // hands on the service's answer.
  EXPECT_EQ(setText(nullptr, "Bad\nName", "x", kDriverKey), ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryRpcClientTest, DataWithoutTerminatorIsSentOnlyUpToItsSize) {
  CRegistryRpcClient client;
  wavorel::setRunningAsAdministrator(false);
  const char bytes[] = {'W', 'P', 'A', 'K', 'E', 'Y'};
  EXPECT_EQ(RpcRegSetValueEx(nullptr, "WPAPSK", 0, REG_SZ, reinterpret_cast<const BYTE*>(bytes), 3, kDriverKey),
            ERROR_SUCCESS);
  EXPECT_EQ(read(kDriverKey, "WPAPSK"), "WPA");
}

TEST_F(RegistryRpcClientTest, BinaryValueKeepsItsZeroBytesThroughTheService) {
  CRegistryRpcClient client;
  wavorel::setRunningAsAdministrator(false);
  const DWORD word = 0x01020300;  // its first byte is zero
  EXPECT_EQ(RpcRegSetValueEx(nullptr, "BACapability", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&word),
                             sizeof(word), kDriverKey),
            ERROR_SUCCESS);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kDriverKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  DWORD type = 0, value = 0, size = sizeof(value);
  EXPECT_EQ(RegQueryValueEx(key, "BACapability", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
            ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(value, word);
}

}  // namespace
}  // namespace worker::testing
