// The WPS credential records the driver hands over after a run and the
// worker keeps (one table in the whole station program): `_WSC_CREDENTIAL`,
// 124 bytes, and `_WSC_CREDENTIAL_TABLE`, a count and 8 records, 996 bytes.
// Both are driver records: little-endian, byte-exact, no pointers.
#pragma once

#include <cstddef>

#include "platform/Platform.h"

constexpr int kMaxWscCredentials = 8;
constexpr DWORD kWscKeyMax = 64;

struct _WSC_CREDENTIAL {
  ULONG SsidLength;     // 0..32
  UCHAR Ssid[32];       // not terminated when 32 long
  ULONG AuthType;       // 1 open, 2 WPA-PSK, 4 shared, 8 WPA, 16 WPA2, 32 WPA2-PSK, 34 both PSK
  ULONG EncrType;       // 1 none, 2 WEP, 4 TKIP, 8 AES, 12 TKIP and AES
  ULONG KeyIndex;       // 0-based; bit 31 is not part of the index
  ULONG KeyLength;      // key characters, 0..64
  UCHAR Key[kWscKeyMax];
  UCHAR MacAddress[6];  // BSSID of the network
  UCHAR Padding[2];
};
static_assert(sizeof(_WSC_CREDENTIAL) == 124, "_WSC_CREDENTIAL layout");
static_assert(offsetof(_WSC_CREDENTIAL, Ssid) == 4, "_WSC_CREDENTIAL layout");
static_assert(offsetof(_WSC_CREDENTIAL, AuthType) == 36, "_WSC_CREDENTIAL layout");
static_assert(offsetof(_WSC_CREDENTIAL, EncrType) == 40, "_WSC_CREDENTIAL layout");
static_assert(offsetof(_WSC_CREDENTIAL, KeyIndex) == 44, "_WSC_CREDENTIAL layout");
static_assert(offsetof(_WSC_CREDENTIAL, KeyLength) == 48, "_WSC_CREDENTIAL layout");
static_assert(offsetof(_WSC_CREDENTIAL, Key) == 52, "_WSC_CREDENTIAL layout");
static_assert(offsetof(_WSC_CREDENTIAL, MacAddress) == 116, "_WSC_CREDENTIAL layout");

struct _WSC_CREDENTIAL_TABLE {
  ULONG Count;  // records at and behind the count are zero
  _WSC_CREDENTIAL Credentials[kMaxWscCredentials];
};
static_assert(sizeof(_WSC_CREDENTIAL_TABLE) == 996, "_WSC_CREDENTIAL_TABLE layout");
static_assert(offsetof(_WSC_CREDENTIAL_TABLE, Credentials) == 4, "_WSC_CREDENTIAL_TABLE layout");
