#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/PackedVersion.h"
#include "platform/win/kernel/System.h"

namespace wavorel {
namespace {

using PackedVersion = testing::PlatformTest;

TEST_F(PackedVersion, PacksMajorMinorAndBuild) {
  struct Case {
    OsVersion version;
    DWORD packed;
  } cases[] = {
      {OsVersion{}, 0x17720006u},  // 6.0.6002
      {OsVersion{5, 1, 2600, VER_PLATFORM_WIN32_NT, "Service Pack 3", 3, 0, 0x100, VER_NT_WORKSTATION}, 0x0A280105u},
      // The 9x family sets bit 31 and carries no build number.
      {OsVersion{4, 10, 0x040A08AE, VER_PLATFORM_WIN32_WINDOWS, " A ", 0, 0, 0, 0}, 0x80000A04u},
  };
  for (const auto& c : cases) {
    setOsVersion(c.version);
    EXPECT_EQ(GetVersion(), c.packed) << c.version.major << "." << c.version.minor;
    EXPECT_EQ(GetVersion() & 0xFF, c.version.major);
  }
}

}  // namespace
}  // namespace wavorel
