// The folders of the machine and of the process as Windows paths: temporary
// folder, system and Windows folders, current directory, the module's file
// name and full path names. Functions that fill a buffer return the length
// written (without the terminating zero) or, when the buffer is too small,
// the size needed (with it) and leave the buffer alone.
#pragma once

#include "platform/win/kernel/Types.h"

// "C:\Windows\Temp\" (drive C: is made with it).
DWORD GetTempPath(DWORD nBufferLength, LPSTR lpBuffer);
// "<path>\<first 3 of prefix><hex>.TMP" into a MAX_PATH buffer. uUnique 0
// picks an unused number and creates the empty file; otherwise the name is
// only formed. Returns the number used, 0 on failure.
UINT GetTempFileName(LPCSTR lpPathName, LPCSTR lpPrefixString, UINT uUnique, LPSTR lpTempFileName);
// "C:\Windows\system32".
UINT GetSystemDirectory(LPSTR lpBuffer, UINT uSize);
// "C:\Windows".
UINT GetWindowsDirectory(LPSTR lpBuffer, UINT uSize);
DWORD GetCurrentDirectory(DWORD nBufferLength, LPSTR lpBuffer);
BOOL SetCurrentDirectory(LPCSTR lpPathName);
// The program's module (hModule null or the program's instance): its
// "C:\Program Files\<ExeBase>\<ExeBase>.exe". A short buffer gets the name cut
// and terminated; the result is then nSize with ERROR_INSUFFICIENT_BUFFER.
DWORD GetModuleFileName(HMODULE hModule, LPSTR lpFilename, DWORD nSize);
// The absolute form of a path (a trailing separator stays); *lpFilePart points
// at its last component in the buffer (null when it ends in a separator).
DWORD GetFullPathName(LPCSTR lpFileName, DWORD nBufferLength, LPSTR lpBuffer, LPSTR* lpFilePart);
