// The station profile record and its companions: `_PROFILE_DATA`, the one
// in-memory form of a connection request (filled from the profile store, the
// driver key or a site-survey entry, applied by the worker and turned into a
// WLAN profile document), the profile list entry `_PROFILE_LIST_ITEM` and the
// pages' 802.1X settings block `_8021X_DATA`.
//
// `_PROFILE_DATA` stays inside the process: its fields keep their order and
// names in natural C++ layout, every field starts at 0. Its key blocks go to
// the driver and are byte-exact NDIS_802_11_KEY records. Where the record of
// the pages holds a (pointer, length) pair for a key block, this one holds the
// block itself: `WpaNoneKey` and `WepKey[i]` own their bytes, the length word
// is their size and a key is present exactly when its block is not empty. A
// copy of the record is a deep copy.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/Platform.h"

// NDIS_802_11_SSID: length 0..32 and the bytes, not terminated.
struct NDIS_802_11_SSID {
  ULONG SsidLength;
  UCHAR Ssid[32];
};

// NDIS_802_11_KEY as the driver's add-key request takes it. The block of one
// key is 39 + KeyLength bytes (44 for a 5-byte WEP key, 52 for 13 bytes, 71
// for WPA-None); the bytes behind the key material are zero.
struct NDIS_802_11_KEY {
  ULONG Length;
  ULONG KeyIndex;    // key number - 1; bit 31 marks the transmit key
  ULONG KeyLength;
  UCHAR BSSID[6];
  UCHAR Reserved[6];  // alignment of KeyRSC
  ULONGLONG KeyRSC;
  UCHAR KeyMaterial[32];
};
static_assert(offsetof(NDIS_802_11_KEY, Length) == 0, "NDIS_802_11_KEY layout");
static_assert(offsetof(NDIS_802_11_KEY, KeyIndex) == 4, "NDIS_802_11_KEY layout");
static_assert(offsetof(NDIS_802_11_KEY, KeyLength) == 8, "NDIS_802_11_KEY layout");
static_assert(offsetof(NDIS_802_11_KEY, BSSID) == 12, "NDIS_802_11_KEY layout");
static_assert(offsetof(NDIS_802_11_KEY, KeyRSC) == 24, "NDIS_802_11_KEY layout");
static_assert(offsetof(NDIS_802_11_KEY, KeyMaterial) == 32, "NDIS_802_11_KEY layout");

constexpr DWORD kKeyBlockOverhead = 39;      // block size - key length
constexpr DWORD kTransmitKeyBit = 0x80000000;
constexpr DWORD kWpaNoneKeyLength = 32;
constexpr DWORD kWpaNoneKeyBlockSize = kKeyBlockOverhead + kWpaNoneKeyLength;  // 71

// One NDIS_802_11_KEY block (empty: no key).
using NdisKeyBlock = std::vector<BYTE>;

// A key block for `keyLength` (at most 32) bytes of `key`: its Length word,
// `keyIndex` (bit 31 included), the key length, the broadcast BSSID, and the
// key material at byte 32. A longer key is cut to 32 bytes.
NdisKeyBlock MakeNdisKeyBlock(DWORD keyIndex, const BYTE* key, DWORD keyLength);
// The fields of a block, read safely: 0 / nullptr where the block is too short.
DWORD KeyBlockIndex(const NdisKeyBlock& block);
// The key bytes the block holds: its KeyLength, cut to the block's size.
DWORD KeyBlockKeyLength(const NdisKeyBlock& block);
const BYTE* KeyBlockMaterial(const NdisKeyBlock& block);

constexpr size_t kStationConfigWords = 8;  // the driver's 32-byte station configuration

struct _PROFILE_DATA {
  DWORD UseBssid = 0;                 // 1: connect to `Bssid` only
  NDIS_802_11_SSID Ssid{};
  BYTE Bssid[6] = {};
  DWORD NetworkType = 0;              // 0 ad hoc, 1 infrastructure, 2 automatic
  DWORD PreambleType = 0;
  DWORD RtsThresh = 0;
  DWORD FragThresh = 0;
  DWORD AuthMode = 0;                 // NDIS numbering 0..7
  DWORD CipherMode = 0;               // 0 WEP, 1 disabled, 4 TKIP, 6 AES
  DWORD TxPower = 0;
  NdisKeyBlock WpaNoneKey;            // with its length word: 71 bytes or empty
  NdisKeyBlock WepKey[4];             // keys 1-4 with their length words
  DWORD PSMode = 0;
  DWORD ACPowerCam = 0;
  DWORD ChannelFrequency = 0;         // kHz
  DWORD Valid = 0;
  DWORD AdvancedValid = 0;
  DWORD Reserved1 = 0;
  BYTE DesiredRates[8] = {};          // 500 kbit/s units, 0 = empty slot
  BYTE Reserved28[28] = {};           // carried unchanged
  DWORD StationConfig[kStationConfigWords] = {};
  DWORD Ccx2Control = 0;
  DWORD CountryRegion = 0;            // 2.4 GHz region | 5 GHz region << 8
  DWORD Use8021X = 0;
  DWORD AuthenProtocol = 0;           // 0 PEAP, 1 EAP-TLS, ...
  DWORD TunnelProtocol = 0;           // 26 MS-CHAPv2, 13 TLS, ...
  DWORD ProvisioningTunnel = 0;
  DWORD TunnelProtocol2 = 0;
  DWORD SessionResumption = 0;
  DWORD UseClientCert = 0;
  DWORD UseSmartCard = 0;
  DWORD UseServerCert = 0;
  DWORD UsePAC = 0;
  DWORD ProvisionMode = 0;
  char PACFilePath[256] = {};
  DWORD IntermediateCert = 0;
  DWORD NameRule = 0;
  char Identity[128] = {};
  char Password[128] = {};
  char TunnelID[128] = {};
  char TunnelPassword[128] = {};
  char ServerName[256] = {};
  char WpaPsk[64] = {};               // not terminated when 64 long
  DWORD WpaPskLength = 0;
  DWORD PasswordMode = 0;
  DWORD ServerCertLen = 0;
  BYTE ServerCertData[152] = {};
  DWORD ClientCertLen = 0;
  BYTE ClientCertData[152] = {};
  BYTE LeapEnabled = 0;
  BYTE LeapCcx = 0;
  char LeapUserName[256] = {};
  DWORD LeapUserNameLength = 0;
  char LeapPassword[256] = {};
  DWORD LeapPasswordLength = 0;
  char LeapDomain[256] = {};
  DWORD LeapDomainLength = 0;
  DWORD Reserved2 = 0;
  DWORD ConnectThroughNativeWiFi = 0;
  DWORD ApplyArgument = 0;
};

// One row of the profile page's list.
struct _PROFILE_LIST_ITEM {
  _PROFILE_LIST_ITEM() = default;
  _PROFILE_LIST_ITEM(int state, const CString& name, const CString& ssid, int secured, int infrastructure)
      : State(state), Name(name), Ssid(ssid), Secured(secured), Infrastructure(infrastructure) {}

  int State = -1;          // 0 image 6, 1 image 7, other none
  CString Name;
  CString Ssid;
  int Secured = 0;         // 1 shows image 5
  int Infrastructure = 0;  // image index of the last column
};

// The 802.1X settings of a page, in the editor's order and with its defaults.
// The profile editor, the site survey and the profile page each hold one.
struct _8021X_DATA {
  int EapMethod = 0;              // 0 PEAP .. 4 MD5-Challenge
  int TunnelProtocol = 26;        // inner method, an EAP type number
  int ProvisioningTunnel = 26;
  int TunnelProtocol2 = 3;        // inner method of method 2 (1..5)
  int SessionResumption = 0;
  CString Identity;
  CString Password;
  CString TunnelID;
  CString TunnelPassword;
  CString DomainName;
  int PasswordMode = 1;
  int UseClientCert = 0;
  int UseServerCert = 0;
  int UsePAC = 0;
  int ProvisionMode = 1;
  CString PACFilePath;
  int IntermediateCert = 0;
  CString ServerName;
  int NameRule = 0;
  DWORD ServerCertLen = 0;
  BYTE ServerCertData[150] = {};
  DWORD ClientCertLen = 0;
  BYTE ClientCertData[150] = {};
  int UseSmartCard = 0;
};
