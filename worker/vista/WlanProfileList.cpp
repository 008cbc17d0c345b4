#include "worker/WlanProfileList.h"

#include <string>

namespace {

constexpr int kMaxNameChars = 40;

}  // namespace

CWlanProfileList::CWlanProfileList(HANDLE* clientHandle, const GUID* interfaceGuid, DWORD profileScope)
    : m_clientHandle(clientHandle), m_interfaceGuid(interfaceGuid), m_profileScope(profileScope) {}

DWORD CWlanProfileList::SetProfile(LPCWSTR xml) {
  const DWORD flags = m_profileScope == 1 ? 0 : WLAN_PROFILE_USER;
  DWORD reason = 0;
  return WlanSetProfile(*m_clientHandle, m_interfaceGuid, flags, xml, nullptr, TRUE, nullptr, &reason);
}

DWORD CWlanProfileList::SetProfilePosition(LPCWSTR name, DWORD position) {
  return WlanSetProfilePosition(*m_clientHandle, m_interfaceGuid, name, position, nullptr);
}

DWORD CWlanProfileList::DeleteProfile(LPCWSTR name) {
  return WlanDeleteProfile(*m_clientHandle, m_interfaceGuid, name, nullptr);
}

BOOL CWlanProfileList::ProfileExists(const CString& name) {
  WCHAR wide[kMaxNameChars + 1] = {};
  MultiByteToWideChar(CP_ACP, 0, name.Left(kMaxNameChars), -1, wide, kMaxNameChars + 1);
  wide[kMaxNameChars] = 0;
  PWLAN_PROFILE_INFO_LIST list = nullptr;
  const DWORD result = WlanGetProfileList(*m_clientHandle, m_interfaceGuid, nullptr, &list);
  BOOL found = FALSE;
  for (DWORD i = 0; result == ERROR_SUCCESS && list && i < list->dwNumberOfItems && !found; ++i) {
    const WCHAR* listed = list->ProfileInfo[i].strProfileName;
    size_t length = 0;
    while (length < WLAN_MAX_NAME_LENGTH && listed[length]) ++length;
    found = std::u16string(listed, length) == wide;
  }
  if (list) WlanFreeMemory(list);
  return found;
}

DWORD CWlanProfileList::DeleteAllProfiles() {
  PWLAN_PROFILE_INFO_LIST list = nullptr;
  const DWORD result = WlanGetProfileList(*m_clientHandle, m_interfaceGuid, nullptr, &list);
  for (DWORD i = 0; result == ERROR_SUCCESS && list && i < list->dwNumberOfItems; ++i)
    WlanDeleteProfile(*m_clientHandle, m_interfaceGuid, list->ProfileInfo[i].strProfileName, nullptr);
  if (list) WlanFreeMemory(list);
  return result;
}
