#include "platform/win/kernel/CryptRandom.h"

#include <sys/random.h>

#include <cerrno>
#include <mutex>
#include <set>

#include "platform/win/kernel/Errors.h"

namespace {

// The open provider contexts; a handle is never given out twice.
struct Contexts {
  std::mutex lock;
  std::set<HCRYPTPROV> open;
  HCRYPTPROV next = 1;
};

Contexts& contexts() {
  static Contexts c;
  return c;
}

bool isOpen(HCRYPTPROV handle) {
  Contexts& c = contexts();
  std::lock_guard<std::mutex> guard(c.lock);
  return c.open.count(handle) != 0;
}

}  // namespace

BOOL CryptAcquireContext(HCRYPTPROV* phProv, LPCSTR pszContainer, LPCSTR, DWORD dwProvType, DWORD dwFlags) {
  if (!phProv) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (dwProvType != PROV_RSA_FULL) {
    SetLastError(NTE_BAD_PROV_TYPE);
    return FALSE;
  }
  // Without key containers only a verify context can be had.
  if (dwFlags != CRYPT_VERIFYCONTEXT || (pszContainer && *pszContainer)) {
    SetLastError(NTE_BAD_FLAGS);
    return FALSE;
  }
  Contexts& c = contexts();
  std::lock_guard<std::mutex> guard(c.lock);
  *phProv = c.next++;
  c.open.insert(*phProv);
  return TRUE;
}

BOOL CryptGenRandom(HCRYPTPROV hProv, DWORD dwLen, BYTE* pbBuffer) {
  if (!isOpen(hProv)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!pbBuffer && dwLen != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  DWORD filled = 0;
  while (filled < dwLen) {
    const ssize_t got = getrandom(pbBuffer + filled, dwLen - filled, 0);
    if (got < 0) {
      if (errno == EINTR) continue;
      SetLastError(NTE_FAIL);
      return FALSE;
    }
    filled += static_cast<DWORD>(got);
  }
  return TRUE;
}

BOOL CryptReleaseContext(HCRYPTPROV hProv, DWORD dwFlags) {
  Contexts& c = contexts();
  std::lock_guard<std::mutex> guard(c.lock);
  if (dwFlags != 0 || c.open.erase(hProv) == 0) {
    SetLastError(dwFlags != 0 ? NTE_BAD_FLAGS : ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}
