#include "worker/ChannelTable.h"

namespace {

constexpr UINT k24(UINT channel) { return 2412000 + 5000 * (channel - 1); }
constexpr UINT k5(UINT channel) { return 5000000 + 5000 * channel; }
constexpr UINT k49(UINT channel) { return 4000000 + 5000 * channel; }
// The Japanese channels: base 200 + 8, 12, 16.
constexpr UINT kJapanBase = 200;

}  // namespace

const CHANNEL_FREQUENCY g_channelTable[kChannelTableRows] = {
    {1, k24(1)},     {2, k24(2)},     {3, k24(3)},     {4, k24(4)},     {5, k24(5)},     {6, k24(6)},
    {7, k24(7)},     {8, k24(8)},     {9, k24(9)},     {10, k24(10)},   {11, k24(11)},   {12, k24(12)},
    {13, k24(13)},   {14, 2484000},   {34, k5(34)},    {36, k5(36)},    {38, k5(38)},    {40, k5(40)},
    {42, k5(42)},    {44, k5(44)},    {46, k5(46)},    {48, k5(48)},    {52, k5(52)},    {56, k5(56)},
    {60, k5(60)},    {64, k5(64)},    {100, k5(100)},  {104, k5(104)},  {108, k5(108)},  {112, k5(112)},
    {116, k5(116)},  {120, k5(120)},  {124, k5(124)},  {128, k5(128)},  {132, k5(132)},  {136, k5(136)},
    {140, k5(140)},  {149, k5(149)},  {153, k5(153)},  {157, k5(157)},  {161, k5(161)},  {165, k5(165)},
    {184, k49(184)}, {188, k49(188)}, {192, k49(192)}, {196, k49(196)}, {kJapanBase + 8, 5040000},
    {kJapanBase + 12, 5060000},       {kJapanBase + 16, 5080000},
};

const CHANNEL_FREQUENCY* FindChannelByFrequency(DWORD frequencyKhz) {
  for (const CHANNEL_FREQUENCY& row : g_channelTable)
    if (row.Frequency == frequencyKhz) return &row;
  return nullptr;
}

const CHANNEL_FREQUENCY* FindChannelByNumber(DWORD channel) {
  for (const CHANNEL_FREQUENCY& row : g_channelTable)
    if (row.Channel == channel) return &row;
  return nullptr;
}
