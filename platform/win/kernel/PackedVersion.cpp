#include "platform/win/kernel/PackedVersion.h"

#include "platform/win/kernel/System.h"

DWORD GetVersion() {
  const wavorel::OsVersion v = wavorel::osVersion();
  const DWORD low = (v.major & 0xFF) | ((v.minor & 0xFF) << 8);
  if (v.platformId == VER_PLATFORM_WIN32_NT) return low | ((v.build & 0x7FFF) << 16);
  return low | 0x80000000u;
}
