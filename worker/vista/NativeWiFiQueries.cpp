// CNativeWiFi: scan, radio, disconnect and the queries of the interface and
// its current connection.
#include <algorithm>
#include <cstring>

#include "worker/NativeWiFi.h"

DWORD CNativeWiFi::Query(WLAN_INTF_OPCODE opCode, DWORD minSize, PVOID* data, DWORD* size) {
  *size = 0;
  *data = nullptr;
  DWORD result = WlanQueryInterface(m_clientHandle, &m_interfaceInfo.InterfaceGuid, opCode, nullptr, size, data,
                                    nullptr);
  if (result == ERROR_SUCCESS && (!*data || *size < minSize)) result = ERROR_INVALID_DATA;
  if (result != ERROR_SUCCESS && *data) {
    WlanFreeMemory(*data);
    *data = nullptr;
  }
  return result;
}

DWORD CNativeWiFi::QueryDword(WLAN_INTF_OPCODE opCode, DWORD* out) {
  PVOID data = nullptr;
  DWORD size = 0;
  const DWORD result = Query(opCode, sizeof(DWORD), &data, &size);
  if (result == ERROR_SUCCESS) {
    std::memcpy(out, data, sizeof(DWORD));
    WlanFreeMemory(data);
  }
  return result;
}

DWORD CNativeWiFi::QueryConnection(WLAN_CONNECTION_ATTRIBUTES* out) {
  PVOID data = nullptr;
  DWORD size = 0;
  const DWORD result = Query(wlan_intf_opcode_current_connection, sizeof(WLAN_CONNECTION_ATTRIBUTES), &data, &size);
  if (result == ERROR_SUCCESS) {
    std::memcpy(out, data, sizeof *out);
    WlanFreeMemory(data);
    DOT11_SSID& ssid = out->wlanAssociationAttributes.dot11Ssid;
    if (ssid.uSSIDLength > DOT11_SSID_MAX_LENGTH) ssid.uSSIDLength = DOT11_SSID_MAX_LENGTH;
    out->strProfileName[WLAN_MAX_NAME_LENGTH - 1] = 0;
  }
  return result;
}

DWORD CNativeWiFi::Scan() {
  return WlanScan(m_clientHandle, &m_interfaceInfo.InterfaceGuid, nullptr, nullptr, nullptr);
}

DWORD CNativeWiFi::IsConnected(BOOL* out) {
  DWORD state = 0;
  const DWORD result = QueryDword(wlan_intf_opcode_interface_state, &state);
  *out = result == ERROR_SUCCESS && state == wlan_interface_state_connected;
  return result;
}

DWORD CNativeWiFi::GetDesiredBssType(DWORD* out) {
  DWORD type = 0;
  const DWORD result = QueryDword(wlan_intf_opcode_bss_type, &type);
  if (result == ERROR_SUCCESS)
    *out = type == dot11_BSS_type_infrastructure ? 1 : type == dot11_BSS_type_independent ? 0 : 2;
  return result;
}

DWORD CNativeWiFi::GetChannel(DWORD* out) { return QueryDword(wlan_intf_opcode_channel_number, out); }

DWORD CNativeWiFi::GetCurrentSsid(DOT11_SSID* out) {
  std::memset(out, 0, sizeof *out);
  WLAN_CONNECTION_ATTRIBUTES connection;
  const DWORD result = QueryConnection(&connection);
  if (result == ERROR_SUCCESS) {
    const DOT11_SSID& ssid = connection.wlanAssociationAttributes.dot11Ssid;
    // The service's length is trusted no further than the record's 32 bytes.
    out->uSSIDLength = std::min<ULONG>(ssid.uSSIDLength, DOT11_SSID_MAX_LENGTH);
    std::memcpy(out->ucSSID, ssid.ucSSID, out->uSSIDLength);
  }
  return result;
}

DWORD CNativeWiFi::GetCurrentBssid(BYTE out[6]) {
  std::memset(out, 0, 6);
  WLAN_CONNECTION_ATTRIBUTES connection;
  const DWORD result = QueryConnection(&connection);
  if (result == ERROR_SUCCESS) std::memcpy(out, connection.wlanAssociationAttributes.dot11Bssid, 6);
  return result;
}

DWORD CNativeWiFi::GetConnectionMode(DWORD* out) {
  WLAN_CONNECTION_ATTRIBUTES connection;
  const DWORD result = QueryConnection(&connection);
  if (result == ERROR_SUCCESS) *out = connection.wlanConnectionMode;
  return result;
}

DWORD CNativeWiFi::GetProfileName(WCHAR out[WLAN_MAX_NAME_LENGTH]) {
  WLAN_CONNECTION_ATTRIBUTES connection;
  const DWORD result = QueryConnection(&connection);
  if (result == ERROR_SUCCESS) std::memcpy(out, connection.strProfileName, sizeof connection.strProfileName);
  return result;
}

DWORD CNativeWiFi::GetBssType(DWORD* out) {
  WLAN_CONNECTION_ATTRIBUTES connection;
  const DWORD result = QueryConnection(&connection);
  if (result == ERROR_SUCCESS) *out = connection.wlanAssociationAttributes.dot11BssType;
  return result;
}

DWORD CNativeWiFi::IsOneXEnabled(DWORD* out) {
  WLAN_CONNECTION_ATTRIBUTES connection;
  const DWORD result = QueryConnection(&connection);
  if (result == ERROR_SUCCESS) *out = connection.wlanSecurityAttributes.bOneXEnabled;
  return result;
}

DWORD CNativeWiFi::GetAuthAlgorithm(DWORD* out) {
  WLAN_CONNECTION_ATTRIBUTES connection;
  const DWORD result = QueryConnection(&connection);
  if (result == ERROR_SUCCESS) *out = connection.wlanSecurityAttributes.dot11AuthAlgorithm;
  return result;
}

DWORD CNativeWiFi::GetCipherAlgorithm(DWORD* out) {
  WLAN_CONNECTION_ATTRIBUTES connection;
  const DWORD result = QueryConnection(&connection);
  if (result == ERROR_SUCCESS) *out = connection.wlanSecurityAttributes.dot11CipherAlgorithm;
  return result;
}

DWORD CNativeWiFi::SetRadio(BOOL on) {
  PVOID data = nullptr;
  DWORD size = 0;
  const DWORD result = Query(wlan_intf_opcode_radio_state, sizeof(DWORD), &data, &size);
  if (result != ERROR_SUCCESS) return result;
  const auto* radio = static_cast<const WLAN_RADIO_STATE*>(data);
  // Only the PHY records the answer really holds.
  DWORD phys = static_cast<DWORD>((size - sizeof(DWORD)) / sizeof(WLAN_PHY_RADIO_STATE));
  if (radio->dwNumberOfPhys < phys) phys = radio->dwNumberOfPhys;
  for (DWORD i = 0; i < phys; ++i) {
    WLAN_PHY_RADIO_STATE phy = radio->PhyRadioState[i];
    phy.dot11SoftwareRadioState = on ? dot11_radio_state_on : dot11_radio_state_off;
    WlanSetInterface(m_clientHandle, &m_interfaceInfo.InterfaceGuid, wlan_intf_opcode_radio_state, sizeof phy, &phy,
                     nullptr);
  }
  WlanFreeMemory(data);
  return result;
}

DWORD CNativeWiFi::Disconnect() {
  return WlanDisconnect(m_clientHandle, &m_interfaceInfo.InterfaceGuid, nullptr);
}

BOOL CNativeWiFi::SupportsAdhocWpa2Psk() {
  PVOID data = nullptr;
  DWORD size = 0;
  if (Query(wlan_intf_opcode_supported_adhoc_auth_cipher_pairs, sizeof(DWORD), &data, &size) != ERROR_SUCCESS)
    return FALSE;
  const auto* pairs = static_cast<const WLAN_AUTH_CIPHER_PAIR_LIST*>(data);
  DWORD count = static_cast<DWORD>((size - sizeof(DWORD)) / sizeof(DOT11_AUTH_CIPHER_PAIR));
  if (pairs->dwNumberOfItems < count) count = pairs->dwNumberOfItems;
  BOOL found = FALSE;
  for (DWORD i = 0; i < count && !found; ++i)
    found = pairs->pAuthCipherPairList[i].AuthAlgoId == DOT11_AUTH_ALGO_RSNA_PSK &&
            pairs->pAuthCipherPairList[i].CipherAlgoId == DOT11_CIPHER_ALGO_CCMP;
  WlanFreeMemory(data);
  return found;
}
