// The security a person chose in the security editor for a site survey
// connection: what the editor hands to the connection it continues. Key
// slots hold 13 bytes and a terminator.
#pragma once

#include "platform/Platform.h"
#include "worker/ProfileData.h"

constexpr int kChoiceKeyCount = 4;
constexpr int kChoiceKeyBytes = 14;

struct SecurityChoices {
  int auth = 0;    // 0 open, 1 shared, 2 LEAP, 3 WPA, 4 WPA-PSK, 5 WPA2, 6 WPA2-PSK, 7 WPA-None
  int cipher = 0;  // 0 none, 1 WEP, 2 TKIP, 3 AES
  int use8021X = 0;
  int transmitKey = 0;
  int keyLength[kChoiceKeyCount] = {};
  BYTE keys[kChoiceKeyCount][kChoiceKeyBytes] = {};
  CString passPhrase;
  _8021X_DATA oneX;  // filled only with the adapter's 802.1X support
  CString leapIdentity;
  CString leapPassword;
  CString leapDomain;
  int leapCipher = 0;  // 0 WEP, 1 TKIP, 2 AES
  // "CCX2Control" bits 0 (CCX 2.0) and 1 (LEAP CCKM) when the editor opened.
  int ccx2 = 0;
  int ccxCckm = 0;
};
