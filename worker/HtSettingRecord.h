// The adapter's 802.11n setting record (8 bytes, the data of the HT setting
// driver code) as the station's 802.11n page and the soft AP's Block-Ack page
// pack it, and its bit form in the driver key's "BACapability" DWORD.
#pragma once

#include "platform/Platform.h"

constexpr int kHtSettingRecordSize = 8;

// Byte offsets in the record.
enum HtSettingByte {
  kHtWindowB = 0,
  kHtWindowA = 1,
  kHtAggregationPolicy = 2,  // 1 = MPDU aggregation on, 2 = off
  kHtMpduDensity = 3,
  kHtAmsduEnable = 4,
  kHtAmsduSize = 5,          // 0 = 3839 bytes, 1 = 7935 bytes
  kHtMimoPowerSave = 6,      // 0 static, 1 dynamic, 3 SM enabled
  kHtAutoBlockAck = 7,
};

// Packs the record: bytes 1 and 0 copied from `windowA` and `windowB`, byte 2
// = 1 when `aggregation` is 1 else 2, byte 3 = the density text as a decimal
// number, bytes 4 and 5 copied, byte 6 = 0 for power-save index 1, 1 for
// index 2, 3 for any other, byte 7 = 1 when `autoIndex` is 1 else 0. Returns
// `record`.
BYTE* MakeHtSettingRecord(BYTE record[kHtSettingRecordSize], int windowA, int windowB,
                          int aggregation, int autoIndex, LPCSTR density, int amsdu,
                          int amsduSize, int powerSaveIndex);

// The inverse: window A = byte 1, window B = byte 0, aggregation = (byte 2 ==
// 1), auto = (byte 7 == 1), density = "%d" of byte 3; when byte 4 is 1 the
// A-MSDU flag is 1 and the size takes byte 5, else the flag is 0 and `amsduSize`
// keeps its value; power-save index 1 for byte 6 = 0, 2 for 1, else 0.
void UnpackHtSettingRecord(const BYTE record[kHtSettingRecordSize], int& windowA, int& windowB,
                           int& aggregation, int& autoBlockAck, CString& density, int& amsdu,
                           int& amsduSize, int& powerSaveIndex);

// "BACapability": bits 0-7 byte 0, 8-15 byte 1, 16 byte 7 (bit 0), 17-18 byte
// 2 (2 bits), 19-21 byte 3 (3 bits), 22 byte 4 (bit 0), 23 byte 5 (bit 0),
// 24-25 byte 6 (2 bits); bits 26-31 written as 0.
DWORD PackHtSettingBits(const BYTE record[kHtSettingRecordSize]);

// Splits a "BACapability" DWORD into the record; bits 26-31 are ignored.
void UnpackHtSettingBits(DWORD bits, BYTE record[kHtSettingRecordSize]);

// The 12-byte HT transmit record (OID_VX_HT_TRANSMIT) filled from the HT
// transmit-setting word: bytes 0-3 bits 0-3, byte 4 bits 14-15, byte 5 bit
// 16, byte 7 bits 4-10, byte 8 bit 11, byte 9 bit 13, byte 10 bit 12; bytes 6
// and 11 stay as the driver answered them.
constexpr DWORD kHtTransmitRecordSize = 12;
void FillHtTransmitRecord(DWORD transmitSetting, BYTE record[kHtTransmitRecordSize]);
