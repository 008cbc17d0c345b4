#include "worker/HtSettingRecord.h"

#include <cstdlib>

#include "platform/wire/Bytes.h"

BYTE* MakeHtSettingRecord(BYTE record[kHtSettingRecordSize], int windowA, int windowB,
                          int aggregation, int autoIndex, LPCSTR density, int amsdu,
                          int amsduSize, int powerSaveIndex) {
  record[kHtWindowB] = static_cast<BYTE>(windowB);
  record[kHtWindowA] = static_cast<BYTE>(windowA);
  record[kHtAggregationPolicy] = aggregation == 1 ? 1 : 2;
  record[kHtMpduDensity] = static_cast<BYTE>(density != nullptr ? std::atoi(density) : 0);
  record[kHtAmsduEnable] = static_cast<BYTE>(amsdu);
  record[kHtAmsduSize] = static_cast<BYTE>(amsduSize);
  record[kHtMimoPowerSave] = powerSaveIndex == 1 ? 0 : powerSaveIndex == 2 ? 1 : 3;
  record[kHtAutoBlockAck] = autoIndex == 1 ? 1 : 0;
  return record;
}

void UnpackHtSettingRecord(const BYTE record[kHtSettingRecordSize], int& windowA, int& windowB,
                           int& aggregation, int& autoBlockAck, CString& density, int& amsdu,
                           int& amsduSize, int& powerSaveIndex) {
  windowA = record[kHtWindowA];
  windowB = record[kHtWindowB];
  aggregation = record[kHtAggregationPolicy] == 1 ? 1 : 0;
  autoBlockAck = record[kHtAutoBlockAck] == 1 ? 1 : 0;
  density.Format("%d", record[kHtMpduDensity]);
  if (record[kHtAmsduEnable] == 1) {
    amsdu = 1;
    amsduSize = record[kHtAmsduSize];
  } else {
    amsdu = 0;
  }
  const BYTE mode = record[kHtMimoPowerSave];
  powerSaveIndex = mode == 0 ? 1 : mode == 1 ? 2 : 0;
}

DWORD PackHtSettingBits(const BYTE record[kHtSettingRecordSize]) {
  return static_cast<DWORD>(record[kHtWindowB]) | static_cast<DWORD>(record[kHtWindowA]) << 8 |
         static_cast<DWORD>(record[kHtAutoBlockAck] & 0x1) << 16 |
         static_cast<DWORD>(record[kHtAggregationPolicy] & 0x3) << 17 |
         static_cast<DWORD>(record[kHtMpduDensity] & 0x7) << 19 |
         static_cast<DWORD>(record[kHtAmsduEnable] & 0x1) << 22 |
         static_cast<DWORD>(record[kHtAmsduSize] & 0x1) << 23 |
         static_cast<DWORD>(record[kHtMimoPowerSave] & 0x3) << 24;
}

void UnpackHtSettingBits(DWORD bits, BYTE record[kHtSettingRecordSize]) {
  record[kHtWindowB] = static_cast<BYTE>(bits & 0xFF);
  record[kHtWindowA] = static_cast<BYTE>(bits >> 8 & 0xFF);
  record[kHtAutoBlockAck] = static_cast<BYTE>(bits >> 16 & 0x1);
  record[kHtAggregationPolicy] = static_cast<BYTE>(bits >> 17 & 0x3);
  record[kHtMpduDensity] = static_cast<BYTE>(bits >> 19 & 0x7);
  record[kHtAmsduEnable] = static_cast<BYTE>(bits >> 22 & 0x1);
  record[kHtAmsduSize] = static_cast<BYTE>(bits >> 23 & 0x1);
  record[kHtMimoPowerSave] = static_cast<BYTE>(bits >> 24 & 0x3);
}

void FillHtTransmitRecord(DWORD transmitSetting, BYTE record[kHtTransmitRecordSize]) {
  const DWORD w = transmitSetting;
  wavorel::wire::putU32(record, w & 0xF);
  record[4] = static_cast<BYTE>((w >> 14) & 3);
  record[5] = static_cast<BYTE>((w >> 16) & 1);
  record[7] = static_cast<BYTE>((w >> 4) & 0x7F);
  record[8] = static_cast<BYTE>((w >> 11) & 1);
  record[9] = static_cast<BYTE>((w >> 13) & 1);
  record[10] = static_cast<BYTE>((w >> 12) & 1);
}
