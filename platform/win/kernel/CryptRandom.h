// The CryptoAPI's random source: a verify-only provider context and
// CryptGenRandom, drawn from the operating system's cryptographic generator.
// Only the calls and flags the programs use.
#pragma once

#include "platform/win/kernel/Types.h"

typedef ULONG_PTR HCRYPTPROV;

#define PROV_RSA_FULL 1
#define CRYPT_VERIFYCONTEXT 0xF0000000u

// Opens a provider context. Only a verify context (no key container) of
// PROV_RSA_FULL is offered; anything else fails with NTE_BAD_FLAGS or
// NTE_BAD_PROV_TYPE.
BOOL CryptAcquireContext(HCRYPTPROV* phProv, LPCSTR pszContainer, LPCSTR pszProvider, DWORD dwProvType,
                         DWORD dwFlags);
// Fills `pbBuffer` with `dwLen` random bytes; FALSE (ERROR_INVALID_HANDLE,
// or NTE_FAIL when the system's generator fails) leaves it unreliable.
BOOL CryptGenRandom(HCRYPTPROV hProv, DWORD dwLen, BYTE* pbBuffer);
BOOL CryptReleaseContext(HCRYPTPROV hProv, DWORD dwFlags);

#define NTE_BAD_FLAGS static_cast<DWORD>(0x80090009L)
#define NTE_BAD_PROV_TYPE static_cast<DWORD>(0x80090014L)
#define NTE_FAIL static_cast<DWORD>(0x80090020L)
