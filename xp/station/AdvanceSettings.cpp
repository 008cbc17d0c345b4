#include "xp/station/AdvanceSettings.h"

#include <cstdlib>
#include <cstring>
#include <iterator>

#include "worker/RateSets.h"
#include "worker/WorkerGlobals.h"

namespace {

constexpr DWORD kCcxBase = 0x00FA4600;
constexpr DWORD kHtAlwaysSet = 0x8000;
constexpr int kMcsAuto = 33;
// The extension channel radio's codes in the word, and back.
constexpr DWORD kExtCodes[] = {0, 1, 3};
constexpr int kExtRadioOfCode[] = {0, 1, 0, 2};

constexpr char kTcpParameters[] = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";
struct TcpValue {
  const char* name;
  DWORD value;
};
constexpr TcpValue kTcpValues[] = {{kTcpWindowSize, 65536}, {"SackOpts", 1}, {"TcpMaxDupAcks", 2}, {"Tcp1323Opts", 1}};

// The single rates of the rate list's entries 1.. in 500 kbit/s units.
constexpr BYTE kSingleB[] = {2, 4, 11, 22};
constexpr BYTE kSingleG[] = {12, 18, 24, 36, 48, 72, 96, 108};

}  // namespace

CcxFields UnpackCcxControl(DWORD word) {
  CcxFields f;
  f.ccx = word & 1;
  f.leapCckm = (word >> 1) & 1;
  f.radioMeasurements = (word >> 2) & 1;
  f.limitEnable = (word >> 3) & 1;
  f.qos = (word >> 4) & 1;
  f.fastRoaming = (word >> 5) & 1;
  f.limit = word >> 16;
  if (f.limit > kLimitMax) f.limit = kLimitDefault;
  f.threshold = -static_cast<int>((word >> 8) & 0xFF);
  if (f.threshold < kThresholdMin || f.threshold > kThresholdMax) f.threshold = kThresholdDefault;
  return f;
}

DWORD PackCcxControl(const CcxFields& f) {
  DWORD word = kCcxBase;
  if (f.ccx) {
    word |= 1;
    if (f.leapCckm) word |= 2;
    if (f.radioMeasurements) word |= 4;
    if (f.radioMeasurements && f.limitEnable) word |= 8;
    if (f.qos) word |= 0x10;
    word = (word & 0xFFFF) | (static_cast<DWORD>(f.limit & 0xFFFF) << 16);
  }
  if (f.fastRoaming) word = (word & ~0xFF00u) | ((static_cast<DWORD>(std::abs(f.threshold)) & 0xFF) << 8) | 0x20;
  return word;
}

HtFields UnpackHtFields(DWORD word) {
  HtFields f;
  f.mode = word & 0xF;
  f.mcs = (word >> 4) & 0x7F;
  f.bandwidth = (word >> 11) & 1;
  f.guardInterval = (word >> 12) & 1;
  f.stbc = (word >> 13) & 1;
  f.htMode = (word >> 16) & 1;
  f.extChannel = kExtRadioOfCode[(word >> 17) & 3];
  return f;
}

DWORD PackTransmitSetting(const HtFields& f) {
  const DWORD ext = f.extChannel >= 0 && f.extChannel < static_cast<int>(std::size(kExtCodes)) ? kExtCodes[f.extChannel] : 0;
  return (static_cast<DWORD>(f.mode) & 0xF) | ((static_cast<DWORD>(f.mcs) & 0x7F) << 4) |
         ((static_cast<DWORD>(f.bandwidth) & 1) << 11) | ((static_cast<DWORD>(f.guardInterval) & 1) << 12) |
         ((static_cast<DWORD>(f.stbc) & 1) << 13) | kHtAlwaysSet | ((static_cast<DWORD>(f.htMode) & 1) << 16) |
         (ext << 17);
}

BOOL ReadDecimalValue(HKEY key, LPCSTR name, int& value) {
  char text[64] = "";
  DWORD type = REG_NONE, size = sizeof text - 1;
  if (RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(text), &size) != ERROR_SUCCESS ||
      type != REG_SZ || size == 0)
    return FALSE;
  text[size < sizeof text ? size : sizeof text - 1] = '\0';
  value = atoi(text);
  return TRUE;
}

BOOL ReadDwordValue(HKEY key, LPCSTR name, DWORD& value) {
  DWORD read = 0, type = REG_NONE, size = sizeof read;
  if (RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(&read), &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof read)
    return FALSE;
  value = read;
  return TRUE;
}

LONG WriteDecimalValue(HKEY key, LPCSTR name, int value) {
  char text[16];
  const int length = std::snprintf(text, sizeof text, "%d", value);
  return RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(length));
}

HKEY OpenTcpParametersKey() {
  REGSAM access = KEY_ALL_ACCESS;
  if (g_nOsType >= 10 && g_bWow64) access |= KEY_WOW64_64KEY;
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, kTcpParameters, 0, access, &key) != ERROR_SUCCESS) return nullptr;
  return key;
}

void SetTcpWindowTuning(BOOL on) {
  HKEY key = OpenTcpParametersKey();
  if (!key) return;
  for (const TcpValue& v : kTcpValues) {
    if (on)
      RegSetValueEx(key, v.name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v.value), sizeof v.value);
    else
      RegDeleteValue(key, v.name);
  }
  RegCloseKey(key);
}

void FillDesiredRates(int mode, int rateIndex, int mcs, BYTE rates[8]) {
  std::memset(rates, 0, 8);
  if (IsHtWirelessMode(mode)) {
    if (mcs == kMcsAuto)
      std::memcpy(rates, kRatesMixed, sizeof kRatesMixed);
    else
      rates[0] = kRatesMixed[0];
    return;
  }
  const int singles = static_cast<int>(std::size(kSingleB) + std::size(kSingleG));
  if (mode == 2 || mode == 4) {
    if (rateIndex >= 1 && rateIndex <= static_cast<int>(std::size(kSingleG)))
      rates[0] = kSingleG[rateIndex - 1];
    else
      std::memcpy(rates, kRatesG, sizeof kRatesG);
    return;
  }
  if (rateIndex >= 1 && rateIndex <= singles) {
    const int i = rateIndex - 1;
    rates[0] = i < static_cast<int>(std::size(kSingleB)) ? kSingleB[i] : kSingleG[i - std::size(kSingleB)];
  } else if (mode == 1) {
    std::memcpy(rates, kRatesB, sizeof kRatesB);
  } else {
    std::memcpy(rates, kRatesMixed, sizeof kRatesMixed);
  }
}
