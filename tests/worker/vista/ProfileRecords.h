// Profile records of the WLAN profile tests, one per kind of network the
// golden documents cover.
#pragma once

#include <cstring>
#include <string>

#include "worker/ProfileData.h"

namespace worker::testing {

inline void SetSsid(_PROFILE_DATA& p, const std::string& ssid) {
  p.Ssid.SsidLength = static_cast<ULONG>(ssid.size());
  std::memcpy(p.Ssid.Ssid, ssid.data(), ssid.size());
}

template <size_t N>
void SetText(char (&field)[N], const std::string& text) {
  std::memset(field, 0, N);
  std::memcpy(field, text.data(), std::min(text.size(), N - 1));
}

inline void SetWpaKey(_PROFILE_DATA& p, const std::string& key) {
  std::memset(p.WpaPsk, 0, sizeof p.WpaPsk);
  std::memcpy(p.WpaPsk, key.data(), std::min(key.size(), sizeof p.WpaPsk));
  p.WpaPskLength = static_cast<DWORD>(std::min(key.size(), sizeof p.WpaPsk));
}

inline _PROFILE_DATA Infrastructure(const std::string& ssid, DWORD auth, DWORD cipher) {
  _PROFILE_DATA p;
  SetSsid(p, ssid);
  p.NetworkType = 1;
  p.AuthMode = auth;
  p.CipherMode = cipher;
  p.RtsThresh = 2347;
  return p;
}

inline _PROFILE_DATA OpenRecord() { return Infrastructure("CafeFree", 0, 1); }

inline _PROFILE_DATA WepRecord() {
  _PROFILE_DATA p = Infrastructure("OldRouter", 0, 0);
  const BYTE key1[5] = {0x01, 0x23, 0x45, 0x67, 0x89};
  const BYTE key2[13] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC};
  p.WepKey[0] = MakeNdisKeyBlock(0, key1, sizeof key1);
  p.WepKey[1] = MakeNdisKeyBlock(1 | kTransmitKeyBit, key2, sizeof key2);
  return p;
}

inline _PROFILE_DATA WpaPskRecord() {
  _PROFILE_DATA p = Infrastructure("ShopNet", 4, 4);
  SetWpaKey(p, "shopkeeper2009");
  return p;
}

inline _PROFILE_DATA Wpa2PskHexRecord() {
  _PROFILE_DATA p = Infrastructure("HomeNet", 7, 6);
  SetWpaKey(p, "00112233445566778899AABBCCDDEEFF00112233445566778899AABBCCDDEEFF");
  return p;
}

inline _PROFILE_DATA EnterpriseRecord(DWORD outer, DWORD inner) {
  _PROFILE_DATA p = Infrastructure("CorpWLAN", 6, 6);
  p.Use8021X = 1;
  p.AuthenProtocol = outer;
  p.TunnelProtocol = inner;
  SetText(p.Identity, "anonymous");
  SetText(p.TunnelID, "dana");
  SetText(p.TunnelPassword, "s3cret&<pw>");
  SetText(p.ServerName, "radius.corp.example");
  return p;
}

inline void ValidateServer(_PROFILE_DATA& p) {
  p.UseServerCert = 1;
  p.ServerCertLen = 20;
  for (DWORD i = 0; i < p.ServerCertLen; ++i) p.ServerCertData[i] = static_cast<BYTE>(0xA0 + i);
}

inline void UseClientCertificate(_PROFILE_DATA& p) {
  p.UseClientCert = 1;
  p.ClientCertLen = 20;
  for (DWORD i = 0; i < p.ClientCertLen; ++i) p.ClientCertData[i] = static_cast<BYTE>(0x10 + i);
}

inline _PROFILE_DATA PeapMsChapV2Record(bool validate) {
  _PROFILE_DATA p = EnterpriseRecord(0, 26);
  if (validate) ValidateServer(p);
  return p;
}

inline _PROFILE_DATA PeapTlsRecord() {
  _PROFILE_DATA p = EnterpriseRecord(0, 13);
  ValidateServer(p);
  UseClientCertificate(p);
  return p;
}

inline _PROFILE_DATA EapTlsSmartCardRecord() {
  _PROFILE_DATA p = EnterpriseRecord(1, 13);
  SetText(p.Identity, "dana@corp.example");
  p.UseSmartCard = 1;
  ValidateServer(p);
  return p;
}

inline _PROFILE_DATA AdhocWpa2PskRecord() {
  _PROFILE_DATA p;
  SetSsid(p, "Gathering");
  p.NetworkType = 0;
  p.AuthMode = 7;
  p.CipherMode = 6;
  p.ChannelFrequency = 2462000;
  SetWpaKey(p, "party time 2009");
  return p;
}

}  // namespace worker::testing
