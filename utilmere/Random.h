// Random numbers in a range, time-based unique numbers, bit masks and the
// smallest element of an array.
#pragma once

#include "platform/Platform.h"

// A number from `low` up to low + |high - low| (the difference taken as a
// signed 32-bit value), from rand(), the time in seconds and the tick count.
DWORD GenerateRandNum(DWORD low, DWORD high);
// With a lean > 0 numbers above the middle of the range are favoured, with a
// lean < 0 numbers below it; |lean| of 100 numbers drawn are replaced. A range
// with no number on the favoured side draws without a lean.
DWORD GenerateRandNum(DWORD low, DWORD high, int lean);

// (time in seconds << 16) | (tick count & 0xFFFF); waits 1 ms so that two
// calls in a row differ.
DWORD GenExclusiveDigit();

// The lowest `count` bits set (count modulo 32), inverted when `invert` is set.
DWORD GetHexDataByBitNum(int count, int invert);

// Index of the first smallest element; 0 for an empty array.
int FindMinValue(CUIntArray& values);
