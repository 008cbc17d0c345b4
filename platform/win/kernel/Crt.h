// The parts of the Microsoft C run-time that behave differently from the host's
// C library: the rand generator, 32-bit long conversions, printf with the
// Windows conversions (%I64d, %hs, %S, long as 32 bits, see
// platform/win/kernel/MsvcFormat.h) and the run-time's own string functions.
//
// rand, srand, RAND_MAX, atoi, atol, strtoul and sprintf share their names with
// the C library. This header includes the C library's declarations first and
// then sends every call to the wavorel_ version through a function-like macro,
// so the system's plain `rand()` and `std::rand()` alike reach the Windows
// behaviour, while `&strtoul` and the C++ library's own uses of these names
// (std::stoul...) keep the host's. Standard headers may come before or after it.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/win/kernel/Types.h"

// The run-time's generator: seed = seed * 214013 + 2531011, result bits 16..30.
// Each thread has its own seed, 1 until it calls srand.
int wavorel_rand();
void wavorel_srand(unsigned int seed);

// Decimal conversions of the run-time: leading white space, an optional sign,
// digits; a value out of range gives the nearest limit and sets errno to ERANGE.
int wavorel_atoi(const char* str);
LONG wavorel_atol(const char* str);  // long is 32 bits on Windows
__int64 _atoi64(const char* str);
// Unsigned 32-bit conversion: a value past 0xFFFFFFFF gives 0xFFFFFFFF
// (ERANGE); a minus sign negates the value modulo 2^32.
ULONG wavorel_strtoul(const char* nptr, char** endptr, int base);

// Formats into `buffer` without its terminator when the text fills `count`
// exactly (returns count) and cut to `count` characters, unterminated, when it
// is longer (returns -1). With a null buffer and count 0, returns the length
// the text needs.
int _snprintf(char* buffer, size_t count, const char* format, ...);
int _vsnprintf(char* buffer, size_t count, const char* format, va_list args);
int wavorel_sprintf(char* buffer, const char* format, ...);

// Case-insensitive comparisons of the "C" locale (both texts lower-cased).
int _stricmp(const char* string1, const char* string2);
int _strnicmp(const char* string1, const char* string2, size_t count);

namespace std {
using ::wavorel_atoi;
using ::wavorel_atol;
using ::wavorel_rand;
using ::wavorel_sprintf;
using ::wavorel_srand;
using ::wavorel_strtoul;
}  // namespace std

#undef RAND_MAX
#define RAND_MAX 0x7FFF
#define rand() wavorel_rand()
#define srand(seed) wavorel_srand(seed)
#define atoi(str) wavorel_atoi(str)
#define atol(str) wavorel_atol(str)
#define strtoul(nptr, endptr, base) wavorel_strtoul(nptr, endptr, base)
#define sprintf(...) wavorel_sprintf(__VA_ARGS__)
