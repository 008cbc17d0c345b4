#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Module.h"
#include "platform/win/kernel/Process.h"
#include "platform/win/kernel/Resources.h"
#include "platform/win/kernel/System.h"

namespace wavorel {
namespace {

using Module = testing::PlatformTest;

int enableDhcp(BYTE*, int) { return 1; }
int disableDhcp() { return 2; }

void registerDhcp() {
  registerModule("ICSDHCP.dll", {{"ICSDHCP_EnableDhcpServer", 5, exportedProc(&enableDhcp)},
                                 {"ICSDHCP_DisableDhcpServer", 7, exportedProc(&disableDhcp)}});
}

TEST_F(Module, ExportsAreFoundByNameAndByOrdinal) {
  registerDhcp();
  HMODULE h = LoadLibrary("ICSDHCP.dll");
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(LoadLibrary("c:\\windows\\system32\\icsdhcp"), h);
  auto enable = reinterpret_cast<int (*)(BYTE*, int)>(GetProcAddress(h, "ICSDHCP_EnableDhcpServer"));
  auto disable = reinterpret_cast<int (*)()>(GetProcAddress(h, MAKEINTRESOURCE(7)));
  ASSERT_NE(enable, nullptr);
  ASSERT_NE(disable, nullptr);
  BYTE buffer[32] = {};
  EXPECT_EQ(enable(buffer, 0), 1);
  EXPECT_EQ(disable(), 2);
  EXPECT_EQ(GetProcAddress(h, MAKEINTRESOURCE(5)), exportedProc(&enableDhcp));

  for (LPCSTR missing : std::initializer_list<LPCSTR>{"icsdhcp_enabledhcpserver", "Nothing", MAKEINTRESOURCE(6),
                                                     MAKEINTRESOURCE(0)}) {
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(h, missing), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  }
  FreeLibrary(h);
  FreeLibrary(h);
}

TEST_F(Module, ModuleUnloadsWithItsLastReference) {
  registerDhcp();
  EXPECT_EQ(GetModuleHandle("ICSDHCP.dll"), nullptr) << "registered is not loaded";
  HMODULE h = LoadLibrary("ICSDHCP.dll");
  ASSERT_EQ(LoadLibrary("ICSDHCP.DLL"), h);
  ASSERT_TRUE(FreeLibrary(h));
  EXPECT_EQ(GetModuleHandle("icsdhcp.dll"), h);
  ASSERT_TRUE(FreeLibrary(h));
  EXPECT_EQ(GetModuleHandle("icsdhcp.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  EXPECT_EQ(GetProcAddress(h, "ICSDHCP_EnableDhcpServer"), nullptr);
  EXPECT_FALSE(FreeLibrary(h));

  EXPECT_EQ(LoadLibrary("wlanapi.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST_F(Module, Kernel32IsAlwaysLoadedWithTheWow64Entries) {
  HMODULE k = GetModuleHandle("kernel32");
  ASSERT_NE(k, nullptr);
  EXPECT_EQ(GetModuleHandle("KERNEL32.DLL"), k);
  auto isWow64 = reinterpret_cast<BOOL (*)(HANDLE, PBOOL)>(GetProcAddress(k, "IsWow64Process"));
  ASSERT_NE(isWow64, nullptr);
  ASSERT_NE(GetProcAddress(k, "Wow64EnableWow64FsRedirection"), nullptr);
  setWow64(true);
  BOOL wow = FALSE;
  ASSERT_TRUE(isWow64(GetCurrentProcess(), &wow));
  EXPECT_TRUE(wow);
  EXPECT_TRUE(FreeLibrary(k));
  EXPECT_EQ(GetModuleHandle("kernel32"), k) << "kernel32 never unloads";
  EXPECT_EQ(GetModuleHandle(nullptr), programInstance());
}

}  // namespace
}  // namespace wavorel
