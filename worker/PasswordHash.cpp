#include "worker/PasswordHash.h"

#include <cstring>

namespace {

constexpr size_t kMaxPassphrase = 63;
constexpr int kMaxSsid = 32;
constexpr ULONGLONG kRounds = 4096;

}  // namespace

int PasswordHash(const char* passphrase, const BYTE* ssid, int ssidLength, BYTE out[kPskLength]) {
  if (!passphrase || !out || ssidLength < 0 || ssidLength > kMaxSsid || (ssidLength && !ssid)) return 0;
  const size_t length = strnlen(passphrase, kMaxPassphrase + 1);
  if (length > kMaxPassphrase) return 0;
  BYTE salt[kMaxSsid] = {};
  if (ssidLength) std::memcpy(salt, ssid, static_cast<size_t>(ssidLength));
  BYTE password[kMaxPassphrase] = {};
  std::memcpy(password, passphrase, length);
  return BCryptDeriveKeyPBKDF2(BCRYPT_HMAC_SHA1_ALG_HANDLE, password, static_cast<ULONG>(length), salt,
                               static_cast<ULONG>(ssidLength), kRounds, out, kPskLength, 0) == STATUS_SUCCESS
             ? 1
             : 0;
}
