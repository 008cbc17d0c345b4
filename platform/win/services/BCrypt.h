// Key derivation of the CNG primitives: PBKDF2 (RFC 2898) with the HMAC-SHA1
// pseudo-handle, as the WPA pass-phrase mapping uses it.
#pragma once

#include "platform/win/kernel/Types.h"

typedef LONG NTSTATUS;
typedef void* BCRYPT_ALG_HANDLE;

#define STATUS_SUCCESS (static_cast<NTSTATUS>(0x00000000))
#define STATUS_INVALID_HANDLE (static_cast<NTSTATUS>(0xC0000008))
#define STATUS_INVALID_PARAMETER (static_cast<NTSTATUS>(0xC000000D))

// The pseudo-handle of HMAC-SHA1, usable without opening a provider.
#define BCRYPT_HMAC_SHA1_ALG_HANDLE (reinterpret_cast<BCRYPT_ALG_HANDLE>(0x000000a1))

// Fills cbDerivedKey bytes from the password and salt with cIterations rounds
// (at least 1). Only BCRYPT_HMAC_SHA1_ALG_HANDLE is known
// (STATUS_INVALID_HANDLE otherwise); dwFlags must be 0.
NTSTATUS BCryptDeriveKeyPBKDF2(BCRYPT_ALG_HANDLE hPrf, PUCHAR pbPassword, ULONG cbPassword, PUCHAR pbSalt,
                               ULONG cbSalt, ULONGLONG cIterations, PUCHAR pbDerivedKey, ULONG cbDerivedKey,
                               ULONG dwFlags);
