#include "LabWorldTest.h"
#include "platform/sim/services/IcsDhcp.h"

namespace wavorel::sim::testing {
namespace {

using IcsDhcpTest = LabWorldTest;

typedef DWORD(WINAPI* EnableProc)(LPVOID, DWORD);
typedef DWORD(WINAPI* DisableProc)();

TEST_F(IcsDhcpTest, OrdinalFiveSwitchesTheServerOnAndOrdinalSevenOff) {
  HMODULE ics = LoadLibrary("ICSDHCP.dll");
  ASSERT_NE(ics, nullptr);
  auto enable = reinterpret_cast<EnableProc>(GetProcAddress(ics, MAKEINTRESOURCE(5)));
  auto disable = reinterpret_cast<DisableProc>(GetProcAddress(ics, MAKEINTRESOURCE(7)));
  ASSERT_NE(enable, nullptr);
  ASSERT_NE(disable, nullptr);
  EXPECT_EQ(reinterpret_cast<FARPROC>(enable), GetProcAddress(ics, "ICSDHCP_EnableDhcpServer"));
  EXPECT_EQ(reinterpret_cast<FARPROC>(disable), GetProcAddress(ics, "ICSDHCP_DisableDhcpServer"));
  EXPECT_EQ(GetProcAddress(ics, MAKEINTRESOURCE(6)), nullptr);

  EXPECT_FALSE(icsDhcpServerOn());
  BYTE buffer[32] = {};
  EXPECT_EQ(enable(buffer, 0), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_TRUE(icsDhcpServerOn());
  EXPECT_EQ(disable(), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_FALSE(icsDhcpServerOn());
  EXPECT_TRUE(FreeLibrary(ics));
}

}  // namespace
}  // namespace wavorel::sim::testing
