// The IEEE 802.11i pass-phrase-to-PSK mapping: PBKDF2 with HMAC-SHA1, the
// SSID as salt, 4096 rounds, 32 bytes.
#pragma once

#include "platform/Platform.h"

constexpr int kPskLength = 32;

// Derives the 32-byte pre-shared key of `passphrase` (its text up to the
// terminator) for the SSID's `ssidLength` bytes into `out`. Returns 0 and
// leaves `out` alone when the pass phrase is longer than 63 characters or the
// SSID longer than 32 bytes; else 1.
int PasswordHash(const char* passphrase, const BYTE* ssid, int ssidLength, BYTE out[kPskLength]);
