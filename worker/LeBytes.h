// Little-endian fields of the byte-exact records the worker exchanges with
// the driver and the Native Wi-Fi service, read and written byte by byte (the
// records in a list need not be aligned).
#pragma once

#include "platform/Platform.h"

inline WORD GetLeU16(const BYTE* at) { return static_cast<WORD>(at[0] | at[1] << 8); }

inline DWORD GetLeU32(const BYTE* at) {
  return static_cast<DWORD>(at[0]) | static_cast<DWORD>(at[1]) << 8 | static_cast<DWORD>(at[2]) << 16 |
         static_cast<DWORD>(at[3]) << 24;
}

inline void PutLeU16(BYTE* at, WORD value) {
  at[0] = static_cast<BYTE>(value);
  at[1] = static_cast<BYTE>(value >> 8);
}

inline void PutLeU32(BYTE* at, DWORD value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<BYTE>(value >> (8 * i));
}

inline void PutLeU64(BYTE* at, ULONGLONG value) {
  for (int i = 0; i < 8; ++i) at[i] = static_cast<BYTE>(value >> (8 * i));
}
