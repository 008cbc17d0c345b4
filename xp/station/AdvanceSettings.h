// The advanced settings page's stored words and values without a window: the
// driver key's "CCX2Control" and "TransmitSetting" words taken apart and put
// together, the decimal texts and DWORDs of the driver key, the TCP/IP
// parameters key and the desired rates of a wireless mode.
#pragma once

#include "platform/Platform.h"

constexpr int kThresholdMin = -90;
constexpr int kThresholdMax = -60;
constexpr int kThresholdDefault = -70;
constexpr UINT kLimitMax = 2000;
constexpr UINT kLimitDefault = 250;
constexpr char kTcpWindowSize[] = "TCPWindowSize";

// "CCX2Control": bits 0-5 the switches, bits 8-15 the fast-roaming threshold
// as a positive number, bits 16-31 the measurement limit in ms.
struct CcxFields {
  int ccx = 0;
  int leapCckm = 0;
  int radioMeasurements = 0;
  int limitEnable = 0;
  int qos = 0;
  int fastRoaming = 0;
  int threshold = kThresholdDefault;  // dBm; outside -90..-60 read as -70
  UINT limit = kLimitDefault;         // above 2000 read as 250
};
CcxFields UnpackCcxControl(DWORD word);
// From 0x00FA4600 (limit 250, threshold 70): the CCX switches and the limit
// only while CCX 2.0 is on (the limit switch only with radio measurements),
// the threshold and bit 5 only with fast roaming.
DWORD PackCcxControl(const CcxFields& fields);

// "TransmitSetting": bits 0-3 wireless mode, 4-10 MCS (33 automatic), 11
// bandwidth, 12 guard interval, 13 STBC, 15 always set, 16 HT mode, 17-18
// the extension channel coded 0 none, 1 above, 3 below.
struct HtFields {
  int mode = 0;
  int mcs = 33;
  int bandwidth = 0;
  int guardInterval = 0;
  int stbc = 0;
  int htMode = 0;
  int extChannel = 0;  // the radio: 0 none, 1 above, 2 below
};
HtFields UnpackHtFields(DWORD word);
DWORD PackTransmitSetting(const HtFields& fields);

// A decimal text value: TRUE and its number, or FALSE leaving `value` (no
// such value, an empty one or one not stored as text).
BOOL ReadDecimalValue(HKEY key, LPCSTR name, int& value);
// A REG_DWORD of 4 bytes: TRUE and `value`, or FALSE leaving it.
BOOL ReadDwordValue(HKEY key, LPCSTR name, DWORD& value);
// `value` as decimal text (REG_SZ, its characters without a terminator).
LONG WriteDecimalValue(HKEY key, LPCSTR name, int value);
// HKLM "SYSTEM\CurrentControlSet\Services\Tcpip\Parameters" with all access,
// through the 64-bit view from Windows XP x64 on under WOW64; null when it
// does not open.
HKEY OpenTcpParametersKey();
// The window tuning values on (written) or off (deleted); failures ignored.
void SetTcpWindowTuning(BOOL on);

// OID_802_11_DESIRED_RATES (500 kbit/s units, unused bytes zero) of a
// wireless mode, TX rate index and MCS (33 automatic).
void FillDesiredRates(int mode, int rateIndex, int mcs, BYTE rates[8]);
