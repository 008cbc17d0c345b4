// Hexadecimal text to bytes, as the profile store, the WPS credentials and the
// pre-shared keys use it.
#pragma once

#include "platform/Platform.h"

// `count` pairs of characters into `count` bytes, the first of a pair the high
// digit (16 x first + second, in 8 bits; a character that is no hexadecimal
// digit counts as 255). No validation: the text must hold 2 x count characters.
void HexStringToBytes(LPCSTR text, BYTE* out, int count);
