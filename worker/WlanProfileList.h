// CWlanProfileList: the Native Wi-Fi profile list of the client's interface
// (store, order, delete, look up). It reads the client handle and interface
// GUID through pointers into CNativeWiFi, so a re-opened handle is seen.
// Vista-only.
#pragma once

#include "platform/Platform.h"

class CWlanProfileList {
 public:
  CWlanProfileList(HANDLE* clientHandle, const GUID* interfaceGuid, DWORD profileScope);

  // Stores (overwrites) the profile document: an all-user profile when the
  // data folder is the one named in the setting file (scope 1), else a
  // per-user profile. The API result.
  DWORD SetProfile(LPCWSTR xml);
  DWORD SetProfilePosition(LPCWSTR name, DWORD position);
  DWORD DeleteProfile(LPCWSTR name);
  // TRUE when the interface holds a profile of that name (case-sensitive;
  // the name counts up to 40 characters); FALSE on any failure.
  BOOL ProfileExists(const CString& name);
  // Deletes every profile of the interface; the profile list's result.
  DWORD DeleteAllProfiles();

 private:
  HANDLE* m_clientHandle;
  const GUID* m_interfaceGuid;
  DWORD m_profileScope;
};
