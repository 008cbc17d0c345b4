// The one channel table of the station side: 49 rows of {channel number,
// centre frequency in kHz}, searched front to back. Channels 1-14, the 5 GHz
// channels, the 4.9 GHz channels 184-196, and the Japanese channels J8, J12
// and J16, stored as 208, 212 and 216 (5040, 5060 and 5080 MHz).
#pragma once

#include "platform/Platform.h"

struct CHANNEL_FREQUENCY {
  UINT Channel;
  UINT Frequency;  // kHz
};

constexpr int kChannelTableRows = 49;
extern const CHANNEL_FREQUENCY g_channelTable[kChannelTableRows];

// The first row with that frequency, or nullptr.
const CHANNEL_FREQUENCY* FindChannelByFrequency(DWORD frequencyKhz);
// The first row with that channel number, or nullptr.
const CHANNEL_FREQUENCY* FindChannelByNumber(DWORD channel);
