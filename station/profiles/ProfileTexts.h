// The texts the profile page shows for a stored profile's numbers: the
// authentication mode, cipher, network type, TX power and LEAP cipher, and
// the channel ("J8", "J12", "J16" for 208, 212, 216). A number outside its
// table gives the table's fallback named below.
#pragma once

#include "platform/Platform.h"

// Stored authentication modes 0..7; any other number reads as 0 ("Open").
int ProfileAuthModeOf(const CString& text);
CString ProfileAuthModeText(int mode);
// "WEP", "None", "TKIP", "AES" for 0, 1, 4, 6; "" otherwise.
CString ProfileCipherText(int cipher);
CString ProfileChannelText(int channel);
// "" outside the table.
CString ProfileNetworkTypeText(int networkType);
CString ProfileTxPowerText(int txPower);
CString ProfileLeapCipherText(int leapEncryption);
