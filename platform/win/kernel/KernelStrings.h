// The kernel's string functions that work in the user's sort order or cut to
// a buffer size.
#pragma once

#include "platform/win/kernel/Types.h"

// Compares two strings as the user's locale sorts them (always the same
// Western order here): first ignoring case, with punctuation and spaces before
// digits and digits before letters (bytes from 0x80 last, by value); between
// strings that are equal so, the first place where case differs decides, a
// lower-case letter before its capital. No word-sort treatment of hyphens and
// apostrophes. -1, 0 or 1; NULL sorts before any string.
int lstrcmp(LPCSTR lpString1, LPCSTR lpString2);
// Copies at most iMaxLength - 1 characters of lpString2 and always ends the
// copy with a null within iMaxLength characters. lpString1, or NULL when
// either pointer is NULL; a size of 0 or less writes nothing.
LPSTR lstrcpyn(LPSTR lpString1, LPCSTR lpString2, int iMaxLength);
