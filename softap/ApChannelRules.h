// The rules behind the AP configuration page's lists: wireless-mode texts
// and numbers, the channels of each country region, channel names (J8, J12,
// J16), extension channels, the transmit-rate and MCS lists, and the packed
// 802.11n word stored as "TransmitSetting". Free of windows: the page fills
// its combos from these. Capabilities come from the AP module's globals
// (g_bApHtFamily, g_bApSupportBandA) where a rule depends on them.
#pragma once

#include <vector>

#include "platform/Platform.h"

// ---- Wireless mode ----
// "2.4G" -> 9 (802.11n family) or 0, "5G" -> 8 or 2, any other text 0.
int WirelessModeFromText(const CString& text);
// "5G" for 8 (802.11n family) or 2 (other adapter), "2.4G" for every other.
CString WirelessModeToText(int mode);
// The text as a mode the adapter supports (FixWirelessMode_AP), as text.
CString NormalizeWirelessModeText(const CString& text);
// The band texts the page offers.
constexpr const char* kBand24Text = "2.4G";
constexpr const char* kBand5Text = "5G";

// ---- Country regions ----
// The 2.4 GHz channels of a B/G region (0..7; any other index as 0).
std::vector<BYTE> BandGChannels(int region);
// The 5 GHz channels of an A region for the chip family (12 and above as 0).
std::vector<BYTE> BandAChannels(int region, int family);
// The A-region combo's texts for a chip family; empty for the families that
// keep the template's eleven (2 to 5).
std::vector<CString> BandARegionTexts(int family);
// The texts of the B/G region combo, index by index.
extern const char* const kBandGRegionTexts[8];
// The template's eleven A-region texts.
extern const char* const kBandARegionTemplateTexts[11];

// ---- Channels ----
// 208, 212, 216 as "J8", "J12", "J16"; every other channel its number.
CString ChannelDisplayText(int channel);
// "J8", "J12", "J16" as 208, 212, 216; any other text atoi.
int ChannelFromText(const CString& text);
// The centre frequency in kHz of a channel from the one channel table; 0
// when the table has no row for it.
DWORD ChannelFrequencyKhz(int channel);
// Extension channels of a 2.4 GHz channel among `items` (the listed
// channels in order): the one 4 below, then the one 4 above, when listed.
std::vector<int> ExtChannels24(const std::vector<int>& items, int channel);
// The 40 MHz partner of a 5 GHz channel, 0 when it has none.
int ExtChannelPartner5(int channel);
// 0 for bandwidth 0 or "none"; 1 when the extension channel lies above the
// channel, 3 below, 0 when equal.
int GetExtChannelCode(int bandwidth, const CString& extText, const CString& channelText);

// ---- Rates ----
// The transmit-rate combo's items of a mode: 13 for modes 0 and 9, 9 for
// modes 2 and 8 (empty for any other mode).
std::vector<const char*> TxRateItems(int mode);
// The MCS combo's items: "Auto" (33), "0" to "15", "32".
extern const char* const kMcsItems[18];
constexpr int kMcsAuto = 33;
// "Auto" -> 33, else atoi.
int McsNumberFromText(const CString& text);

// ---- The 802.11n word ("TransmitSetting") ----
struct HtSettings {
  int mode = 0;       // bits 0-3
  int mcs = kMcsAuto; // bits 4-10
  int bandwidth = 0;  // bit 11: 1 = "20 / 40"
  int guardInterval = 0;  // bit 12: 1 = "Auto"
  int stbc = 0;       // bit 13
  int htMode = 0;     // bit 16: 1 = "GF"
  int extCode = 0;    // bits 17-18: 0 none, 1 above, 3 below
};
// Bit 15 always set, bit 14 clear.
DWORD PackTransmitSetting(const HtSettings& settings);
HtSettings UnpackTransmitSetting(DWORD word);
// The extension-channel text a stored word gives at `channel`: "none" for
// bandwidth 0 or code 0, channel + 4 for code 1, channel - 4 for code 3,
// empty for code 2.
CString ExtChannelTextFromWord(const HtSettings& settings, int channel);
