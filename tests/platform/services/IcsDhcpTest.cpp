#include <algorithm>

#include "LabWorldTest.h"
#include "platform/sim/services/IcsDhcp.h"
#include "platform/win/kernel/Root.h"

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

TEST_F(IcsDhcpTest, EnableWritesItsAnswerIntoTheBufferAndRecordsTheCall) {
  HMODULE ics = LoadLibrary("ICSDHCP.dll");
  auto enable = reinterpret_cast<EnableProc>(GetProcAddress(ics, MAKEINTRESOURCE(5)));
  ASSERT_NE(enable, nullptr);
  BYTE buffer[kIcsDhcpAnswerSize + 1] = {};
  enable(buffer, 0);
  enable(nullptr, 3);
  EXPECT_TRUE(std::all_of(buffer, buffer + kIcsDhcpAnswerSize, [](BYTE b) { return b == kIcsDhcpAnswerByte; }));
  EXPECT_EQ(buffer[kIcsDhcpAnswerSize], 0) << "nothing past its 32 bytes";
  const std::vector<IcsDhcpEnableCall> calls = icsDhcpEnableCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_TRUE(calls[0].buffer);
  EXPECT_EQ(calls[0].flags, 0u);
  EXPECT_FALSE(calls[1].buffer);
  EXPECT_EQ(calls[1].flags, 3u);
  FreeLibrary(ics);
  wavorel::resetPlatformState();
  EXPECT_TRUE(icsDhcpEnableCalls().empty());
}

}  // namespace
}  // namespace wavorel::sim::testing
