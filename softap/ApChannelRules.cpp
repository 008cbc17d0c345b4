#include "softap/ApChannelRules.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>

#include "softap/ApModule.h"
#include "softap/ApSettings.h"
#include "utilmere/Utilmere.h"
#include "worker/ChannelTable.h"

namespace {

constexpr int kJapanBase = 200;
constexpr int kJapanChannels[] = {208, 212, 216};

std::vector<BYTE> runOf(int first, int last, int step = 1) {
  std::vector<BYTE> list;
  for (int channel = first; channel <= last; channel += step) list.push_back(static_cast<BYTE>(channel));
  return list;
}

std::vector<BYTE> joined(std::initializer_list<std::vector<BYTE>> parts) {
  std::vector<BYTE> list;
  for (const auto& part : parts) list.insert(list.end(), part.begin(), part.end());
  return list;
}

std::vector<BYTE> listOf(std::initializer_list<int> channels) {
  std::vector<BYTE> list;
  for (int channel : channels) list.push_back(static_cast<BYTE>(channel));
  return list;
}

bool isFamily(int family, std::initializer_list<int> families) {
  return std::find(families.begin(), families.end(), family) != families.end();
}

// 36-64 in steps of 4, 100-140, 149-165: the building blocks of the A regions.
std::vector<BYTE> low5() { return runOf(36, 64, 4); }
std::vector<BYTE> mid5(int last = 140) { return runOf(100, last, 4); }
std::vector<BYTE> high5(int last = 165) { return runOf(149, last, 4); }

}  // namespace

const char* const kBandGRegionTexts[8] = {"0: CH1-11", "1: CH1-13", "2: CH10-11", "3: CH10-13",
                                          "4: CH14",   "5: CH1-14", "6: CH3-9",   "7: CH5-13"};

const char* const kBandARegionTemplateTexts[11] = {
    "0: CH 36,40,44,48,52,56,60,64,149,153,157,161,165",
    "1: CH 36,40,44,48,52,56,60,64,100,104,108,112,116,120,124,128,132,136,140",
    "2: CH 36,40,44,48,52,56,60,64",
    "3: CH 52,56,60,64,149,153,157,161",
    "4: CH 149,153,157,161,165",
    "5: CH 149,153,157,161",
    "6: CH 36,40,44,48",
    "7: CH 36,40,44,48,52,56,60,64,100,104,108,112,116,120,124,128,132,136,140,149,153,157,161,165",
    "8: CH 52, 56, 60, 64",
    "9: CH 34, 38, 42, 46",
    "10: CH 34, 36, 38, 40, 42, 44, 46, 48, 52, 56, 60, 64"};

const char* const kMcsItems[18] = {"Auto", "0", "1", "2",  "3",  "4",  "5",  "6",  "7",
                                   "8",    "9", "10", "11", "12", "13", "14", "15", "32"};

int WirelessModeFromText(const CString& text) {
  if (text == kBand24Text) return g_bApHtFamily ? 9 : 0;
  if (text == kBand5Text) return g_bApHtFamily ? 8 : 2;
  return 0;
}

CString WirelessModeToText(int mode) {
  return mode == (g_bApHtFamily ? 8 : 2) ? CString(kBand5Text) : CString(kBand24Text);
}

CString NormalizeWirelessModeText(const CString& text) {
  return WirelessModeToText(FixWirelessMode_AP(WirelessModeFromText(text)));
}

std::vector<BYTE> BandGChannels(int region) {
  switch (region) {
    case 1: return runOf(1, 13);
    case 2: return runOf(10, 11);
    case 3: return runOf(10, 13);
    case 4: return runOf(14, 14);
    case 5: return runOf(1, 14);
    case 6: return runOf(3, 9);
    case 7: return runOf(5, 13);
    default: return runOf(1, 11);
  }
}

std::vector<BYTE> BandAChannels(int region, int family) {
  const bool family45 = isFamily(family, {4, 5});
  const bool family678 = isFamily(family, {6, 7, 8});
  switch (region) {
    case 1: return joined({low5(), mid5()});
    case 2: return low5();
    case 3: return joined({runOf(52, 64, 4), high5(161)});
    case 4: return high5();
    case 5: return high5(161);
    case 6: return runOf(36, 48, 4);
    case 7: return joined({low5(), mid5(), high5()});
    case 8: return runOf(52, 64, 4);
    case 9:
      if (family45) return listOf({34, 38, 42, 46});
      if (family678) return joined({low5(), mid5(116), listOf({132, 136, 140}), high5()});
      return {};
    case 10:
      if (family45) return joined({runOf(34, 48, 2), runOf(52, 64, 4)});
      if (family678) return joined({runOf(36, 48, 4), high5()});
      return {};
    case 11:
      if (family678) return joined({low5(), mid5(120), high5(161)});
      return {};
    default: return joined({low5(), high5()});
  }
}

std::vector<CString> BandARegionTexts(int family) {
  std::vector<CString> texts;
  if (isFamily(family, {2, 3, 4, 5})) return texts;
  for (int i = 0; i <= 8; ++i) texts.emplace_back(kBandARegionTemplateTexts[i]);
  if (isFamily(family, {6, 7, 8})) {
    texts.emplace_back("9: CH 36, 40, 44, 48, 52, 56, 60, 64, 100, 104, 108, 112, 116, 132, 136, 140, 149, 153, 157, "
                       "161, 165");
    texts.emplace_back("10: CH 36, 40, 44, 48,149, 153, 157, 161, 165");
    texts.emplace_back("11: CH 36,40,44,48,52,56,60,64,100,104,108,112,116,120,149,153,157,161");
  }
  return texts;
}

CString ChannelDisplayText(int channel) {
  for (int japan : kJapanChannels)
    if (channel == japan) return FormatString("J%d", channel - kJapanBase);
  return FormatString("%d", channel);
}

int ChannelFromText(const CString& text) {
  for (int japan : kJapanChannels)
    if (text == ChannelDisplayText(japan)) return japan;
  return std::atoi(text);
}

DWORD ChannelFrequencyKhz(int channel) {
  if (channel < 0) return 0;
  const CHANNEL_FREQUENCY* row = FindChannelByNumber(static_cast<DWORD>(channel));
  return row ? row->Frequency : 0;
}

std::vector<int> ExtChannels24(const std::vector<int>& items, int channel) {
  std::vector<int> ext;
  for (size_t i = 0; i < items.size() && items[i] < channel; ++i)
    if (items[i] == channel - 4) {
      ext.push_back(items[i]);
      break;
    }
  for (size_t i = items.size(); i > 0 && items[i - 1] > channel; --i)
    if (items[i - 1] == channel + 4) {
      ext.push_back(items[i - 1]);
      break;
    }
  return ext;
}

int ExtChannelPartner5(int channel) {
  static const int kPairs[][2] = {{36, 40},   {44, 48},   {52, 56},   {60, 64},   {100, 104}, {108, 112},
                                  {116, 120}, {124, 128}, {132, 136}, {149, 153}, {157, 161}};
  for (const auto& pair : kPairs) {
    if (channel == pair[0]) return pair[1];
    if (channel == pair[1]) return pair[0];
  }
  return 0;
}

int GetExtChannelCode(int bandwidth, const CString& extText, const CString& channelText) {
  if (bandwidth == 0 || extText == "none") return 0;
  const int ext = std::atoi(extText);
  const int channel = ChannelFromText(channelText);
  if (ext > channel) return 1;
  if (ext < channel) return 3;
  return 0;
}

std::vector<const char*> TxRateItems(int mode) {
  if (mode == 0 || mode == 9)
    return {"Auto",   "1 Mbps",  "2 Mbps",  "5.5 Mbps", "11 Mbps", "6 Mbps", "9 Mbps",
            "12 Mbps", "18 Mbps", "24 Mbps", "36 Mbps",  "48 Mbps", "54 Mbps"};
  if (mode == 2 || mode == 8)
    return {"Auto", "6 Mbps", "9 Mbps", "12 Mbps", "18 Mbps", "24 Mbps", "36 Mbps", "48 Mbps", "54 Mbps"};
  return {};
}

int McsNumberFromText(const CString& text) { return text == "Auto" ? kMcsAuto : std::atoi(text); }

DWORD PackTransmitSetting(const HtSettings& s) {
  DWORD word = 0;
  word |= static_cast<DWORD>(s.bandwidth & 1) << 11;
  word |= static_cast<DWORD>(s.guardInterval & 1) << 12;
  word |= static_cast<DWORD>(s.stbc & 1) << 13;
  word |= static_cast<DWORD>(s.htMode & 1) << 16;
  word |= static_cast<DWORD>(s.extCode & 3) << 17;
  word |= (static_cast<DWORD>(s.mcs & 0x7F) << 4) | 0x8000u;
  word |= static_cast<DWORD>(s.mode & 0xF);
  return word;
}

HtSettings UnpackTransmitSetting(DWORD word) {
  HtSettings s;
  s.mode = static_cast<int>(word & 0xF);
  s.mcs = static_cast<int>((word >> 4) & 0x7F);
  s.bandwidth = static_cast<int>((word >> 11) & 1);
  s.guardInterval = static_cast<int>((word >> 12) & 1);
  s.stbc = static_cast<int>((word >> 13) & 1);
  s.htMode = static_cast<int>((word >> 16) & 1);
  s.extCode = static_cast<int>((word >> 17) & 3);
  return s;
}

CString ExtChannelTextFromWord(const HtSettings& s, int channel) {
  if (s.bandwidth == 0 || s.extCode == 0) return "none";
  if (s.extCode == 1) return FormatString("%d", channel + 4);
  if (s.extCode == 3) return FormatString("%d", channel - 4);
  return "";
}
