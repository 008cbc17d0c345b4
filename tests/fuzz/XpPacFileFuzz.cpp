// libFuzzer target for the PAC files Wavorel reads back: the input is a
// server AID (its length in the first byte, up to 128 bytes), a 128-byte
// outer identity (not always terminated) and the file's bytes. The expected
// IID is taken from the identity, the file is judged as the PAC request does,
// and a record that is used must be sound and write back to the same bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "xp/supplicant/PacFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr size_t kIdentitySize = 128;
  if (size < 1) return 0;
  const size_t aidLength = std::min<size_t>(data[0], 128);
  size_t at = 1;
  std::vector<uint8_t> aid(data + at, data + std::min(size, at + aidLength));
  at = std::min(size, at + aidLength);
  char identity[kIdentitySize] = {};
  const size_t identityBytes = std::min(size - at, kIdentitySize);
  std::memcpy(identity, data + at, identityBytes);
  at += identityBytes;
  std::vector<uint8_t> file(data + at, data + size);

  size_t start = 0;
  const size_t iidLength = ExpectedIid(identity, sizeof identity, &start);
  if (start > sizeof identity || iidLength > sizeof identity - start) __builtin_trap();
  PAC_RECORD record;
  if (!SelectPac(file.data(), file.size(), aid.data(), aid.size(), identity + start, iidLength, record)) return 0;
  const uint64_t total = uint64_t{record.AidLength} + record.IidLength + record.KeyLength + record.OpaqueLength;
  if (file.size() < kPacFileSize || total > kPacDataSize || record.AidLength != aid.size()) __builtin_trap();
  uint8_t again[kPacFileSize];
  FormatPacFile(record, again);
  if (std::memcmp(again, file.data(), kPacHeaderSize + total) != 0) __builtin_trap();
  return 0;
}
