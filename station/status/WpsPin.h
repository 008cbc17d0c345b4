// WPS PINs and the random bytes of the registrar's key: eight digits, the
// last the WPS checksum of the first seven, drawn from the platform's
// cryptographic random source (never from a generator another program could
// seed alike).
#pragma once

#include "platform/Platform.h"

// The checksum digit of a seven-digit number (weights 3,1,3,1,3,1,3 from the
// most significant digit; (10 - sum mod 10) mod 10).
DWORD WpsPinChecksum(DWORD sevenDigits);
// `count` random bytes into `out`; FALSE (logged) when the source failed,
// `out` then zeroed.
BOOL DrawRandomBytes(BYTE* out, DWORD count);
// A new PIN: three random bytes taken as a number mod 10 000 000, times ten,
// plus its checksum.
DWORD GenerateWpsPin();

enum WpsPinCheck { kWpsPinValid = 0, kWpsPinBadLength, kWpsPinBadChecksum };
// A PIN text as typed: exactly eight characters, read as a decimal number
// whose last digit is the checksum of the rest. `value` takes the number
// when the text is valid.
WpsPinCheck CheckWpsPinText(const CString& text, DWORD& value);
