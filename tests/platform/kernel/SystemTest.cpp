#include <cstring>
#include <thread>
#include <vector>

#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/Account.h"
#include "platform/win/kernel/CloseHandle.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Process.h"
#include "platform/win/kernel/Security.h"
#include "platform/win/kernel/System.h"

namespace wavorel {
namespace {

using System = testing::PlatformTest;

TEST_F(System, GetVersionExReportsTheConfiguredVersion) {
  struct Case {
    OsVersion version;
    bool extended;  // the OSVERSIONINFOEX form is answered
  } cases[] = {
      {OsVersion{}, true},
      {OsVersion{5, 1, 2600, VER_PLATFORM_WIN32_NT, "Service Pack 3", 3, 0, 0x100, VER_NT_WORKSTATION}, true},
      {OsVersion{5, 2, 3790, VER_PLATFORM_WIN32_NT, "Service Pack 2", 2, 0, 0x112, VER_NT_SERVER}, true},
      {OsVersion{4, 0, 1381, VER_PLATFORM_WIN32_NT, "Service Pack 6", 6, 0, 0, VER_NT_WORKSTATION}, true},
      {OsVersion{4, 0, 1381, VER_PLATFORM_WIN32_NT, "Service Pack 5", 5, 0, 0, VER_NT_WORKSTATION}, false},
      {OsVersion{4, 10, 0x040A08AE, VER_PLATFORM_WIN32_WINDOWS, " A ", 0, 0, 0, 0}, false},
  };
  for (const auto& c : cases) {
    setOsVersion(c.version);
    OSVERSIONINFOEX ex;
    std::memset(&ex, 0xCC, sizeof ex);
    ex.dwOSVersionInfoSize = sizeof ex;
    ASSERT_EQ(GetVersionEx(&ex), c.extended ? TRUE : FALSE) << c.version.major << "." << c.version.minor;
    OSVERSIONINFO plain;
    std::memset(&plain, 0xCC, sizeof plain);
    plain.dwOSVersionInfoSize = sizeof plain;
    ASSERT_TRUE(GetVersionEx(&plain));
    EXPECT_EQ(plain.dwMajorVersion, c.version.major);
    EXPECT_EQ(plain.dwMinorVersion, c.version.minor);
    EXPECT_EQ(plain.dwBuildNumber, c.version.build);
    EXPECT_EQ(plain.dwPlatformId, c.version.platformId);
    EXPECT_STREQ(plain.szCSDVersion, c.version.servicePack.c_str());
    if (c.extended) {
      EXPECT_EQ(ex.dwBuildNumber, c.version.build);
      EXPECT_EQ(ex.wServicePackMajor, c.version.servicePackMajor);
      EXPECT_EQ(ex.wSuiteMask, c.version.suiteMask);
      EXPECT_EQ(ex.wProductType, c.version.productType);
    } else {
      EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    }
  }
  OSVERSIONINFO bad{};
  bad.dwOSVersionInfoSize = sizeof bad - 4;
  EXPECT_FALSE(GetVersionEx(&bad));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

// Whether the process token's groups hold the built-in Administrators group,
// asked the way the programs ask: a small first buffer, grown on demand.
bool tokenHoldsAdministrators() {
  HANDLE token = nullptr;
  EXPECT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
  DWORD needed = 0;
  std::vector<uint64_t> buffer(2);
  EXPECT_FALSE(GetTokenInformation(token, TokenGroups, buffer.data(), 16, &needed));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_GT(needed, 16u);
  buffer.resize(needed / 8 + 1);
  EXPECT_TRUE(GetTokenInformation(token, TokenGroups, buffer.data(), needed, &needed));
  CloseHandle(token);

  SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
  PSID admins = nullptr;
  EXPECT_TRUE(AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                       &admins));
  auto* groups = reinterpret_cast<TOKEN_GROUPS*>(buffer.data());
  EXPECT_GT(groups->GroupCount, 5u);
  bool found = false;
  for (DWORD i = 0; i < groups->GroupCount; ++i) found = found || EqualSid(groups->Groups[i].Sid, admins);
  EXPECT_EQ(FreeSid(admins), nullptr);
  return found;
}

TEST_F(System, AdministratorsMembershipFollowsTheAccount) {
  EXPECT_TRUE(tokenHoldsAdministrators());
  setRunningAsAdministrator(false);
  EXPECT_FALSE(tokenHoldsAdministrators());
}

TEST_F(System, SidsCompareByValueAndAreFreedOnce) {
  SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY, world = SECURITY_WORLD_SID_AUTHORITY;
  PSID a = nullptr, b = nullptr, users = nullptr, everyone = nullptr;
  ASSERT_TRUE(AllocateAndInitializeSid(&nt, 2, 32, 544, 0, 0, 0, 0, 0, 0, &a));
  ASSERT_TRUE(AllocateAndInitializeSid(&nt, 2, 32, 544, 9, 9, 9, 9, 9, 9, &b));
  ASSERT_TRUE(AllocateAndInitializeSid(&nt, 2, 32, 545, 0, 0, 0, 0, 0, 0, &users));
  ASSERT_TRUE(AllocateAndInitializeSid(&world, 1, 0, 0, 0, 0, 0, 0, 0, 0, &everyone));
  EXPECT_TRUE(EqualSid(a, b)) << "sub-authorities past the count do not count";
  EXPECT_FALSE(EqualSid(a, users));
  EXPECT_FALSE(EqualSid(a, everyone));
  PSID tooLong = nullptr;
  EXPECT_FALSE(AllocateAndInitializeSid(&nt, 9, 0, 0, 0, 0, 0, 0, 0, 0, &tooLong));
  for (PSID s : {a, b, users, everyone}) EXPECT_EQ(FreeSid(s), nullptr);
  EXPECT_EQ(FreeSid(a), a) << "freed twice";
}

TEST_F(System, Wow64StateAndPerThreadRedirection) {
  BOOL wow = TRUE;
  ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &wow));
  EXPECT_FALSE(wow);
  EXPECT_FALSE(Wow64EnableWow64FsRedirection(FALSE));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FUNCTION));
  EXPECT_FALSE(wow64FsRedirectionActive());

  setWow64(true);
  ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &wow));
  EXPECT_TRUE(wow);
  EXPECT_TRUE(wow64FsRedirectionActive());
  EXPECT_TRUE(Wow64EnableWow64FsRedirection(FALSE));
  EXPECT_FALSE(wow64FsRedirectionActive());
  bool otherThread = false;
  std::thread([&] { otherThread = wow64FsRedirectionActive(); }).join();
  EXPECT_TRUE(otherThread) << "redirection is switched per thread";
  EXPECT_TRUE(Wow64EnableWow64FsRedirection(TRUE));
  EXPECT_TRUE(wow64FsRedirectionActive());

  EXPECT_FALSE(IsWow64Process(reinterpret_cast<HANDLE>(0x1234), &wow));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

}  // namespace
}  // namespace wavorel
