// The CNG key derivation over the machine's own SHA-1.
#include <algorithm>
#include <string_view>

#include "platform/sim/crypto/Pbkdf2.h"
#include "platform/win/services/BCrypt.h"

NTSTATUS BCryptDeriveKeyPBKDF2(BCRYPT_ALG_HANDLE hPrf, PUCHAR pbPassword, ULONG cbPassword, PUCHAR pbSalt,
                               ULONG cbSalt, ULONGLONG cIterations, PUCHAR pbDerivedKey, ULONG cbDerivedKey,
                               ULONG dwFlags) {
  if (hPrf != BCRYPT_HMAC_SHA1_ALG_HANDLE) return STATUS_INVALID_HANDLE;
  if (dwFlags != 0 || cIterations == 0 || cIterations > 0xFFFFFFFFu || (!pbPassword && cbPassword) ||
      (!pbSalt && cbSalt) || (!pbDerivedKey && cbDerivedKey))
    return STATUS_INVALID_PARAMETER;
  const std::vector<uint8_t> key = wavorel::sim::pbkdf2Sha1(
      std::string_view(reinterpret_cast<const char*>(pbPassword), cbPassword),
      std::string_view(reinterpret_cast<const char*>(pbSalt), cbSalt), static_cast<uint32_t>(cIterations),
      cbDerivedKey);
  std::copy(key.begin(), key.end(), pbDerivedKey);
  return STATUS_SUCCESS;
}
