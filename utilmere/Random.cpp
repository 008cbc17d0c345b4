#include "utilmere/Random.h"

#include <cstdint>
#include <vector>

namespace {

DWORD spanOf(DWORD low, DWORD high) {
  const int64_t difference = static_cast<int32_t>(high - low);
  return static_cast<DWORD>((difference < 0 ? -difference : difference) + 1);
}

DWORD drawIndex(size_t count) { return GenerateRandNum(0, static_cast<DWORD>(count - 1)); }

}  // namespace

DWORD GenerateRandNum(DWORD low, DWORD high) {
  const DWORD span = spanOf(low, high);
  const float fraction = static_cast<float>(rand() / 32767.0);
  const DWORD scaled = static_cast<DWORD>(fraction * static_cast<float>(span));
  const DWORD seconds = static_cast<DWORD>(_time64(nullptr));
  const DWORD sum = seconds + GetTickCount() + scaled;
  return low + sum % span;
}

DWORD GenerateRandNum(DWORD low, DWORD high, int lean) {
  if (lean == 0) return GenerateRandNum(low, high);
  const DWORD middle = low + (high - low) / 2;
  // The numbers drawn are low .. low + span - 1, wrapping past 0xFFFFFFFF.
  const DWORD span = spanOf(low, high);
  const bool wraps = low + (span - 1) < low;
  const DWORD largest = wraps ? 0xFFFFFFFFu : low + (span - 1);
  const DWORD smallest = wraps ? 0 : low;
  const bool favouredExists = lean > 0 ? largest > middle : smallest < middle;
  if (!favouredExists) return GenerateRandNum(low, high);

  std::vector<DWORD> pool;
  for (int i = 0; i < 100; ++i) pool.push_back(GenerateRandNum(low, high));
  const int64_t toRemove = lean < 0 ? -static_cast<int64_t>(lean) : lean;
  size_t removed = 0;
  for (auto it = pool.begin(); it != pool.end() && static_cast<int64_t>(removed) < toRemove;) {
    const bool qualifies = lean > 0 ? *it < middle : *it != middle;
    if (qualifies) {
      it = pool.erase(it);
      ++removed;
    } else {
      ++it;
    }
  }
  for (size_t kept = 0; kept < removed;) {
    const DWORD n = GenerateRandNum(low, high);
    if (lean > 0 ? n > middle : n < middle) {
      pool.push_back(n);
      ++kept;
    }
  }
  return pool[drawIndex(pool.size())];
}

DWORD GenExclusiveDigit() {
  const DWORD seconds = static_cast<DWORD>(_time64(nullptr));
  const DWORD value = (seconds << 16) | (GetTickCount() & 0xFFFF);
  Sleep(1);
  return value;
}

DWORD GetHexDataByBitNum(int count, int invert) {
  DWORD mask = 0;
  for (int i = 0; i < count && i < 32; ++i) mask |= 1u << i;
  return invert ? ~mask : mask;
}

int FindMinValue(CUIntArray& values) {
  int smallest = 0;
  for (INT_PTR i = 1; i < values.GetSize(); ++i) {
    if (values[i] < values[static_cast<INT_PTR>(smallest)]) smallest = static_cast<int>(i);
  }
  return smallest;
}
