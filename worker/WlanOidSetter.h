// CWlanOidSetter: the driver writes of the Native Wi-Fi client, each one a
// SetOid with 3 tries on the station module's request path (the code is
// marked as a set there). Every write returns SetOid's result. Vista-only.
#pragma once

#include "platform/Platform.h"

class CWlanOidSetter {
 public:
  // The desired BSSID list with the one entry `mac`.
  BOOL SetDesiredBssid(const BYTE mac[6]);
  BOOL SetRtsThreshold(DWORD value);
  BOOL SetFragThreshold(DWORD value);
  // Level 1..6 sends 100, 75, 50, 25, 10 or 6 percent; any other level -1.
  BOOL SetTxPowerLevel(DWORD level);
  BOOL SetDisconnectOid();
  // Reads the 32-byte configuration block and writes it back with `channel`
  // as its DS configuration; FALSE when the read fails.
  BOOL SetChannel(DWORD channel);
  BOOL SetPowerMgmtMode(DWORD level);
  BOOL SetWlanMode(DWORD value);
};

// The power-management level of a profile's power-save mode: 0 none, 1 the
// maximum PSP (16), 2 fast PSP (8), 3 the maximum level (24), other 0.
DWORD PowerSaveLevelFromMode(DWORD mode);
