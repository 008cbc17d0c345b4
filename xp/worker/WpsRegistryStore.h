// The XP build's WPS store: the credentials of the last WPS run, the WPS
// page's values and the registrar's BSSID under "<adapter driver key>\WscProfile"
// (HKEY_LOCAL_MACHINE), and the WPS-connection flag "WSC" in the driver key.
// The table is g_wscCredentialTable (ModuleFunctions.h). UI thread.
#pragma once

#include "platform/Platform.h"

// "NumberofProfile", "ConfigMode", "Wireless Mode", "PinCode" (REG_SZ "%d")
// and "Bssid" (REG_BINARY, 6 bytes), then the subkeys "Profile0".."Profile7",
// one per record slot whatever the count: "SSID" (cut to its length),
// "AuthType", "EncryType", "KeyIndex", "KeyLength", "Key" (its first
// key-length characters), "MacAddress" (REG_BINARY, 6 bytes). FALSE only when
// "WscProfile" cannot be created; a slot whose subkey cannot be created is
// skipped.
BOOL SaveWpsCredentialsToRegistry();
// "WSC" = g_bWpsConnect into the driver key, then "Bssid" read back into
// g_wpsBssid (left as it was unless it is 6 binary bytes). FALSE when the
// driver key or "WscProfile" cannot be opened.
BOOL SaveWpsIndex();
// Clears the table and g_wpsBssid and reads them back, with the page's
// values, opening the keys with `access`: the count cut to 8, SSIDs to 32
// bytes, key lengths to 64 and keys to their length; a value that is missing
// or no number reads as 0.
void ReadWpsCredentialsFromRegistry(REGSAM access);
