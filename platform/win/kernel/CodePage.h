// ANSI code pages and their conversions to and from UTF-16 (WCHAR).
// Supported: 1252 (the default ANSI page), 932, 936, 949, 950 and CP_UTF8.
// Characters a page cannot hold become its default character ('?'); there is
// no best-fit mapping, as with WC_NO_BEST_FIT_CHARS.
#pragma once

#include "platform/win/kernel/Types.h"

#define CP_ACP 0
#define CP_UTF8 65001

#define MB_PRECOMPOSED 0x00000001
#define MB_ERR_INVALID_CHARS 0x00000008

#define WC_DISCARDNS 0x00000010
#define WC_SEPCHARS 0x00000020
#define WC_DEFAULTCHAR 0x00000040
#define WC_ERR_INVALID_CHARS 0x00000080
#define WC_COMPOSITECHECK 0x00000200
#define WC_NO_BEST_FIT_CHARS 0x00000400

UINT GetACP();

// cbMultiByte / cchWideChar -1: the input ends at its zero, which is converted
// too. An output size of 0 asks for the size needed. Returns the count written,
// or 0 with ERROR_INSUFFICIENT_BUFFER (the buffer then holds what fitted),
// ERROR_NO_UNICODE_TRANSLATION (invalid input with MB_ERR_INVALID_CHARS or
// WC_ERR_INVALID_CHARS), ERROR_INVALID_FLAGS or ERROR_INVALID_PARAMETER.
int MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte, LPWSTR lpWideCharStr,
                        int cchWideChar);
int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar, LPSTR lpMultiByteStr,
                        int cbMultiByte, LPCSTR lpDefaultChar, LPBOOL lpUsedDefaultChar);

BOOL IsDBCSLeadByte(BYTE TestChar);
BOOL IsDBCSLeadByteEx(UINT CodePage, BYTE TestChar);

namespace wavorel {

// Chooses the ANSI code page (tests). The default, restored by a platform
// state reset, is 1252.
void setAnsiCodePage(UINT codePage);

}  // namespace wavorel
