#include "ServiceTest.h"
#include "platform/win/kernel/Account.h"
#include "platform/win/services/Services.h"

namespace wavorel::sim::testing {
namespace {

class ServicesTest : public ServiceTest {
 protected:
  DWORD state(SC_HANDLE service) {
    SERVICE_STATUS s{};
    EXPECT_TRUE(QueryServiceStatus(service, &s));
    return s.dwCurrentState;
  }
};

TEST_F(ServicesTest, StopAndStartPassThroughThePendingStatesOnTheClock) {
  SC_HANDLE scm = OpenSCManager(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  ASSERT_NE(scm, nullptr);
  SC_HANDLE wzc = OpenService(scm, "wzcsvc", SERVICE_ALL_ACCESS);
  ASSERT_NE(wzc, nullptr);
  EXPECT_EQ(state(wzc), static_cast<DWORD>(SERVICE_RUNNING));
  EXPECT_FALSE(StartService(wzc, 0, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SERVICE_ALREADY_RUNNING));

  SERVICE_STATUS s{};
  ASSERT_TRUE(ControlService(wzc, SERVICE_CONTROL_STOP, &s));
  EXPECT_EQ(s.dwCurrentState, static_cast<DWORD>(SERVICE_STOP_PENDING));
  EXPECT_FALSE(ControlService(wzc, SERVICE_CONTROL_STOP, &s));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SERVICE_CANNOT_ACCEPT_CTRL));
  clock().advance(999);
  EXPECT_EQ(state(wzc), static_cast<DWORD>(SERVICE_STOP_PENDING));
  clock().advance(1);
  EXPECT_EQ(state(wzc), static_cast<DWORD>(SERVICE_STOPPED));
  EXPECT_FALSE(ControlService(wzc, SERVICE_CONTROL_STOP, &s));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SERVICE_NOT_ACTIVE));

  ASSERT_TRUE(ChangeServiceConfig(wzc, SERVICE_NO_CHANGE, SERVICE_DISABLED, SERVICE_NO_CHANGE, nullptr, nullptr,
                                  nullptr, nullptr, nullptr, nullptr, nullptr));
  EXPECT_FALSE(StartService(wzc, 0, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SERVICE_DISABLED));
  ASSERT_TRUE(ChangeServiceConfig(wzc, SERVICE_NO_CHANGE, SERVICE_DEMAND_START, SERVICE_NO_CHANGE, nullptr, nullptr,
                                  nullptr, nullptr, nullptr, nullptr, nullptr));
  ASSERT_TRUE(StartService(wzc, 0, nullptr));
  EXPECT_EQ(state(wzc), static_cast<DWORD>(SERVICE_START_PENDING));
  clock().advance(1000);
  EXPECT_EQ(state(wzc), static_cast<DWORD>(SERVICE_RUNNING));
  EXPECT_TRUE(CloseServiceHandle(wzc));
  EXPECT_FALSE(QueryServiceStatus(wzc, &s));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(OpenService(scm, "NoSuchService", SERVICE_QUERY_STATUS), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SERVICE_DOES_NOT_EXIST));
  EXPECT_TRUE(CloseServiceHandle(scm));
}

TEST_F(ServicesTest, AStandardUserMayOnlyQueryAndTheInterfaceFlagsAreInTheRegistry) {
  setRunningAsAdministrator(false);
  EXPECT_EQ(OpenSCManager(nullptr, nullptr, SC_MANAGER_ALL_ACCESS), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  SC_HANDLE scm = OpenSCManager(nullptr, nullptr, SC_MANAGER_CONNECT);
  ASSERT_NE(scm, nullptr);
  EXPECT_EQ(OpenService(scm, "WZCSVC", SERVICE_ALL_ACCESS), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  SC_HANDLE wzc = OpenService(scm, "WZCSVC", SERVICE_QUERY_STATUS);
  ASSERT_NE(wzc, nullptr);
  EXPECT_EQ(state(wzc), static_cast<DWORD>(SERVICE_RUNNING));
  CloseServiceHandle(wzc);
  CloseServiceHandle(scm);

  // The service wrote its interface key although the user could not.
  HKEY key = nullptr;
  std::string path = std::string("SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\") + kAdapterGuid;
  ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
  DWORD flags = 0, size = sizeof flags;
  EXPECT_EQ(RegQueryValueEx(key, "ControlFlags", nullptr, nullptr, reinterpret_cast<BYTE*>(&flags), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(flags, 0x8000u);
  RegCloseKey(key);
  EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, &key), ERROR_ACCESS_DENIED);
  {
    RegistryServiceRights rights;
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    RegCloseKey(key);
  }
  EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, &key), ERROR_ACCESS_DENIED);
}

}  // namespace
}  // namespace wavorel::sim::testing
