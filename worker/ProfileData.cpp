#include "worker/ProfileData.h"

#include <algorithm>
#include <cstring>

#include "platform/wire/Bytes.h"
#include "platform/wire/NdisKey.h"

namespace field = wavorel::wire::ndis::key;
using wavorel::wire::getU32;
using wavorel::wire::putU32;

NdisKeyBlock MakeNdisKeyBlock(DWORD keyIndex, const BYTE* key, DWORD keyLength) {
  keyLength = std::min<DWORD>(keyLength, kMaxKeyMaterial);
  NdisKeyBlock block(kKeyBlockOverhead + keyLength, 0);
  putU32(block.data() + field::kLength, static_cast<DWORD>(block.size()));
  putU32(block.data() + field::kKeyIndex, keyIndex);
  putU32(block.data() + field::kKeyLength, keyLength);
  std::memset(block.data() + field::kBssid, 0xFF, 6);
  if (keyLength) std::memcpy(block.data() + field::kKeyMaterial, key, keyLength);
  return block;
}

DWORD KeyBlockIndex(const NdisKeyBlock& block) {
  return block.size() >= field::kKeyIndex + 4 ? getU32(block.data() + field::kKeyIndex) : 0;
}

DWORD KeyBlockKeyLength(const NdisKeyBlock& block) {
  if (block.size() < field::kKeyMaterial) return 0;
  return std::min<DWORD>(getU32(block.data() + field::kKeyLength), static_cast<DWORD>(block.size() - field::kKeyMaterial));
}

const BYTE* KeyBlockMaterial(const NdisKeyBlock& block) {
  return block.size() >= field::kKeyMaterial ? block.data() + field::kKeyMaterial : nullptr;
}
