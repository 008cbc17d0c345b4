// The WLAN profile document of a `_PROFILE_DATA` (WLANProfile schema,
// version 1) with its EAP host configuration, and the EAP user-credential
// document of an 802.1X profile, as UTF-16 text built in growable strings.
//
// Names: the profile is named after the SSID. Its control characters become
// "_" in the profile name; "]]>" in the name is split across two CDATA
// sections. Texts (the SSID's name element, the pass phrase, the 802.1X
// texts) are escaped; the bytes XML 1.0 cannot carry (controls but TAB, LF,
// CR) are left out of them and CR is written as "&#13;". The SSID's hex
// element ("%02X") carries every byte. Every lookup of a
// stored profile by its SSID derives the name with WlanProfileNameOfSsid, so
// it finds the profile this builder named. Vista-only (worker/vista/).
#pragma once

#include <string>

#include "platform/Platform.h"
#include "worker/ProfileData.h"

struct WLAN_PROFILE_XML {
  std::u16string profileName;  // the SSID as the profile's name
  std::u16string nameElement;  // the name as CDATA text
  std::u16string profileXml;   // the WLAN profile document
  std::u16string userXml;      // the EAP user credentials (802.1X), or empty
  DOT11_BSS_TYPE bssType = dot11_BSS_type_infrastructure;
  DWORD connectKind = 0;       // the record's UseBssid
  BOOL secured = FALSE;        // discovery connects securely
};

// Builds the documents of `profile`. A record without an SSID names the
// strongest open infrastructure network of BssidSiteList instead (none: an
// empty name), as an open profile connected manually.
void BuildWlanProfileXml(const _PROFILE_DATA& profile, WLAN_PROFILE_XML& out);

// The name a profile of these SSID bytes gets (ANSI, as the SSID bytes).
CString WlanProfileNameOfSsid(const BYTE* ssid, DWORD length);
