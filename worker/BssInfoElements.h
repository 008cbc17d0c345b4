// The texts the station pages show of one BSS record, made from its
// information elements by one pass over them:
//   selector 0  security: the authentication part ("WPA", "WPA-PSK",
//               "WPA-NONE", "WPA2", "WPA2-PSK", "WPA2-NONE" joined by "+", or
//               "Unknown") ";" the cipher part ("TKIP", "AES" joined by "+",
//               or "None"), e.g. "WPA-PSK+WPA2-PSK;TKIP+AES";
//   selector 1  the vendor suites: CCKM ";" vendor flag B ";" vendor flag A,
//               each "TRUE" or "FALSE";
//   selector 2  WPS: config methods, device password id, selected registrar,
//               state, version, setup locked, UUID-E, RF bands ("Unknown"
//               where the element says nothing), then "TRUE"/"FALSE" for a WPS
//               element;
//   selector 3  802.11n: the 54 values below and "TRUE"/"FALSE" for 802.11n
//               information, 55 fields;
//   selector 4  the beacon interval (bytes 8-9 of the element area), "%d".
// Other selectors give the empty text. Every field of selectors 0-3 is
// non-empty, so the texts split at ";" into a fixed number of parts.
//
// Selector 3's values, in the order of the 802.11n page's rows ("%d" for the
// numbers, "TRUE"/"FALSE" for the rest; 0 and "FALSE" where no element says):
//   1 secondary channel offset (element 62, length 3: its first byte)
//   2 20/40 coexistence support (element 127: bit 0)
//   3, 4 neighbour report BSSID-information bits 11 and 12 (element 52)
//   5 an HT capabilities element is present (element 45 or the 00-90-4C-33
//     vendor element)
//   6-21 the HT capability word: LDPC (bit 0), channel width set (1), SM power
//     save (bits 2-3, number), greenfield (4), short GI 20 (5), short GI 40
//     (6), Tx STBC (7), Rx STBC (bits 8-9, number), delayed BlockAck (10),
//     maximum A-MSDU (11), DSSS/CCK in 40 MHz (12), PSMP (13), PSMP again
//     (13), the maximum A-MSDU length in octets (number: 3839 or 7935), forty
//     MHz intolerant (14), L-SIG TXOP protection (15)
//   22, 23 A-MPDU parameters: maximum Rx A-MPDU factor (bits 0-1), minimum
//     MPDU start spacing (bits 2-4), numbers
//   24-27 supported MCS set byte 12: Tx MCS set defined (bit 0), Tx/Rx MCS
//     set not equal (1), Tx maximum spatial streams (bits 2-3, number), Tx
//     unequal modulation (4)
//   28 DSSS/CCK in 40 MHz (capability bit 12), 29 PSMP STAs only (HT
//     information bit 4 of its second byte)
//   30, 31 the maximum A-MPDU length in octets and the minimum MPDU start
//     spacing in nanoseconds, numbers
//   32, 33 HT extended capabilities: +HTC (bit 10), RD responder (bit 11)
//   34-39 HT information (element 61): primary channel (number); from its
//     second byte secondary channel offset (bits 0-1, number), STA channel
//     width (2), RIFS (3), PSMP STAs only (4), service interval granularity
//     (bits 5-7, number)
//   40-43 the first operation word: operating mode (bits 0-1, number),
//     non-greenfield STAs present (2), transmit burst limit (3), OBSS non-HT
//     STAs present (4)
//   44-49 the second operation word: dual beacon (6), dual CTS protection (7),
//     secondary beacon (8), L-SIG TXOP full support (9), PCO active (10), PCO
//     phase (11)
//   50 an HT information element is present (element 61 or the 00-90-4C-34
//     vendor element)
//   51-54 the four 32-bit words of the basic MCS set, numbers
// 55: "TRUE" when the BSS carries either HT element.
#pragma once

#include "platform/Platform.h"

constexpr int kBssTextSecurity = 0;
constexpr int kBssTextVendor = 1;
constexpr int kBssTextWps = 2;
constexpr int kBssTextHt = 3;
constexpr int kBssTextBeaconInterval = 4;

constexpr int kWpsTextFields = 9;
constexpr int kHtTextFields = 55;

// The text `selector` of the NDIS_WLAN_BSSID_EX record at `bss`, of which
// `available` bytes may be read (the rest of its list). A record whose Length
// is below 116 or runs past `available`, or whose IELength runs past its
// Length, gives the defaults ("Unknown;None", "FALSE;FALSE;FALSE", eight
// "Unknown" and "FALSE", all 55 defaults, "0"). The walk steps over the 12
// fixed bytes and stops at an element or attribute that runs past its
// container, keeping what it gathered before.
CString ParseBssInfoElements(const BYTE* bss, DWORD available, int selector);

// What a list of networks marks of a record, by the same walks as the texts
// above but without making them: `secured` when selector 0 would give other
// than "Unknown;None", `wps` and `ht` as the "TRUE" of selector 2's and
// selector 3's last field.
struct BssElementMarks {
  bool secured = false;
  bool wps = false;
  bool ht = false;
};
BssElementMarks ReadBssElementMarks(const BYTE* bss, DWORD available);
