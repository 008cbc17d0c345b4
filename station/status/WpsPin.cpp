#include "station/status/WpsPin.h"

#include <cstdlib>
#include <cstring>

#include "utilmere/Utilmere.h"

namespace {

constexpr DWORD kPinDigits = 8;
constexpr DWORD kSevenDigitModulus = 10000000;

}  // namespace

DWORD WpsPinChecksum(DWORD sevenDigits) {
  DWORD sum = 0;
  DWORD n = sevenDigits % kSevenDigitModulus;
  // From the least significant digit the weights run 3, 1, 3, ...
  for (int i = 0; i < 7; ++i, n /= 10) sum += (n % 10) * (i % 2 == 0 ? 3 : 1);
  return (10 - sum % 10) % 10;
}

BOOL DrawRandomBytes(BYTE* out, DWORD count) {
  HCRYPTPROV provider = 0;
  BOOL ok = CryptAcquireContext(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT);
  if (ok) {
    ok = CryptGenRandom(provider, count, out);
    CryptReleaseContext(provider, 0);
  }
  if (!ok) {
    std::memset(out, 0, count);
    Log(GXLOG_ERROR, "WPS: the random source failed (%lu)", static_cast<unsigned long>(GetLastError()));
  }
  return ok;
}

DWORD GenerateWpsPin() {
  BYTE b[3] = {};
  DrawRandomBytes(b, sizeof b);
  const DWORD n = ((static_cast<DWORD>(b[0]) * 256 + b[1]) * 256 + b[2]) % kSevenDigitModulus;
  return n * 10 + WpsPinChecksum(n);
}

WpsPinCheck CheckWpsPinText(const CString& text, DWORD& value) {
  if (static_cast<DWORD>(text.GetLength()) != kPinDigits) return kWpsPinBadLength;
  const DWORD number = static_cast<DWORD>(std::strtoul(text, nullptr, 10));
  if (number % 10 != WpsPinChecksum(number / 10)) return kWpsPinBadChecksum;
  value = number;
  return kWpsPinValid;
}
