// FormatMessage for the system's message table: the English texts of the
// Win32 error codes the machine raises (Errors.h), each ending in CR LF.
#pragma once

#include <cstdarg>

#include "platform/win/kernel/Types.h"

#define FORMAT_MESSAGE_ALLOCATE_BUFFER 0x00000100u
#define FORMAT_MESSAGE_IGNORE_INSERTS 0x00000200u
#define FORMAT_MESSAGE_FROM_STRING 0x00000400u
#define FORMAT_MESSAGE_FROM_HMODULE 0x00000800u
#define FORMAT_MESSAGE_FROM_SYSTEM 0x00001000u
#define FORMAT_MESSAGE_ARGUMENT_ARRAY 0x00002000u
#define FORMAT_MESSAGE_MAX_WIDTH_MASK 0x000000FFu

#define ERROR_MR_MID_NOT_FOUND 317L
#define ERROR_RESOURCE_LANG_NOT_FOUND 1815L

// Only the system source (FORMAT_MESSAGE_FROM_SYSTEM) is served, into the
// caller's buffer; inserts such as "%1" are never replaced (as with
// FORMAT_MESSAGE_IGNORE_INSERTS). Other sources and
// FORMAT_MESSAGE_ALLOCATE_BUFFER fail with ERROR_INVALID_PARAMETER. dwLanguageId: 0, or a neutral or English language
// (MAKELANGID(LANG_NEUTRAL or LANG_ENGLISH, any sublanguage)); another
// language fails with ERROR_RESOURCE_LANG_NOT_FOUND. An unknown code fails
// with ERROR_MR_MID_NOT_FOUND; a text that does not fit nSize characters with
// its terminator fails with ERROR_INSUFFICIENT_BUFFER. Returns the length
// written without the terminator, 0 on failure.
DWORD FormatMessage(DWORD dwFlags, LPCVOID lpSource, DWORD dwMessageId, DWORD dwLanguageId, LPSTR lpBuffer,
                    DWORD nSize, va_list* Arguments);
