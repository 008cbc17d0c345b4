// The private-profile functions: values in INI files named by Windows paths.
// A file name without a folder ("app.ini") names a file in the Windows folder
// "C:\Windows"; a NULL file name names "win.ini" there. Parsing rules are
// those of wavorel::IniFile. Reads use a per-process cache of parsed files
// that notices changes of the file on disk (its identity, size and times).
// Every write is a read-modify-write under a lock shared with other processes
// (the file is read afresh under it, so no other writer's change is lost),
// and replaces the file atomically.
#pragma once

#include "platform/win/kernel/Types.h"

// lpAppName NULL: the section names; lpKeyName NULL: the keys of the section;
// both as NUL-separated lists ending in a second NUL. Otherwise the value of
// the key without a matching pair of enclosing quotes, or lpDefault (NULL for
// "") without its trailing blanks. Returns the characters copied without the
// final NUL: a value cut to the buffer gives nSize - 1, a list cut to the
// buffer gives nSize - 2. A missing file sets ERROR_FILE_NOT_FOUND.
DWORD GetPrivateProfileString(LPCTSTR lpAppName, LPCTSTR lpKeyName, LPCTSTR lpDefault, LPTSTR lpReturnedString,
                              DWORD nSize, LPCTSTR lpFileName);
// The leading number of the value: optional sign, decimal digits or "0x" and
// hexadecimal digits, converted to 32 bits (-1 reads as 0xFFFFFFFF); a value
// that does not start with a number reads as 0. A missing or empty value
// gives nDefault.
UINT GetPrivateProfileInt(LPCTSTR lpAppName, LPCTSTR lpKeyName, INT nDefault, LPCTSTR lpFileName);
// The section names as with GetPrivateProfileString(NULL, ...).
DWORD GetPrivateProfileSectionNames(LPTSTR lpszReturnBuffer, DWORD nSize, LPCTSTR lpFileName);
// The entries of a section as a NUL-separated list of "key=value" ending in a
// second NUL, cut to the buffer as the lists of GetPrivateProfileString.
DWORD GetPrivateProfileSection(LPCTSTR lpAppName, LPTSTR lpReturnedString, DWORD nSize, LPCTSTR lpFileName);
// Sets a key ("key=value"), creating the file and the section as needed;
// lpString NULL deletes the key, lpKeyName NULL deletes the whole section.
// All three NULL only drops the cached copy of the file and returns FALSE.
// Returns FALSE with the last error set when the file cannot be written (its
// folder must exist).
BOOL WritePrivateProfileString(LPCTSTR lpAppName, LPCTSTR lpKeyName, LPCTSTR lpString, LPCTSTR lpFileName);
