// The AP's security settings as the configuration page keeps them and the
// security dialog edits them. Stays inside the process (natural layout).
#pragma once

#include "platform/Platform.h"

struct _AP_SECURITY_DATA {
  DWORD AuthMode = 0;        // 0 Open, 1 Shared, 4 WPA-PSK, 7 WPA2-PSK, 9 WPA-PSK/WPA2-PSK
  DWORD Encryption = 1;      // 0 WEP, 1 none, 4 TKIP, 6 AES, 8 TKIP and AES
  CString PreSharedKey;      // pass phrase, or 64 hexadecimal digits
  DWORD RekeyInterval = 0;   // in the unit of RekeyMethod
  DWORD RekeyMethod = 0;     // 0: tens of seconds, 1: thousands of packets
  DWORD RadiusPort = 0;
  DWORD RadiusServer = 0;    // IPv4 address as the IP address control gives it
  CString RadiusKey;
  DWORD DefaultKey = 0;      // WEP key 0..3 used for transmission
  DWORD KeyType[4] = {};     // 0 hex, 1 ASCII
  CString Key[4];            // hexadecimal text (10 or 26 digits) or empty
};
