#include "worker/ProfileData.h"

#include <algorithm>
#include <cstring>

#include "worker/LeBytes.h"

NdisKeyBlock MakeNdisKeyBlock(DWORD keyIndex, const BYTE* key, DWORD keyLength) {
  keyLength = std::min<DWORD>(keyLength, sizeof(NDIS_802_11_KEY::KeyMaterial));
  NdisKeyBlock block(kKeyBlockOverhead + keyLength, 0);
  PutLeU32(block.data() + offsetof(NDIS_802_11_KEY, Length), static_cast<DWORD>(block.size()));
  PutLeU32(block.data() + offsetof(NDIS_802_11_KEY, KeyIndex), keyIndex);
  PutLeU32(block.data() + offsetof(NDIS_802_11_KEY, KeyLength), keyLength);
  std::memset(block.data() + offsetof(NDIS_802_11_KEY, BSSID), 0xFF, sizeof(NDIS_802_11_KEY::BSSID));
  if (keyLength) std::memcpy(block.data() + offsetof(NDIS_802_11_KEY, KeyMaterial), key, keyLength);
  return block;
}

DWORD KeyBlockIndex(const NdisKeyBlock& block) {
  return block.size() >= offsetof(NDIS_802_11_KEY, KeyIndex) + 4
             ? GetLeU32(block.data() + offsetof(NDIS_802_11_KEY, KeyIndex))
             : 0;
}

DWORD KeyBlockKeyLength(const NdisKeyBlock& block) {
  constexpr size_t kMaterial = offsetof(NDIS_802_11_KEY, KeyMaterial);
  if (block.size() < kMaterial) return 0;
  return std::min<DWORD>(GetLeU32(block.data() + offsetof(NDIS_802_11_KEY, KeyLength)),
                         static_cast<DWORD>(block.size() - kMaterial));
}

const BYTE* KeyBlockMaterial(const NdisKeyBlock& block) {
  return block.size() >= offsetof(NDIS_802_11_KEY, KeyMaterial) ? block.data() + offsetof(NDIS_802_11_KEY, KeyMaterial)
                                                                 : nullptr;
}
