// Directory listings: FindFirstFile / FindNextFile / FindClose. The pattern's
// last component may hold '*' (any run of characters) and '?' (one
// character), matched without regard to case; a pattern ending in ".*" also
// matches names without a dot, so "*.*" lists everything, as on Windows
// (short 8.3 names do not exist here). A folder other than a drive root lists
// "." and ".." first; the rest come in name order, compared without case.
#pragma once

#include "platform/win/kernel/Types.h"

struct WIN32_FIND_DATA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwReserved0;
  DWORD dwReserved1;
  CHAR cFileName[MAX_PATH];
  CHAR cAlternateFileName[14];
};
typedef WIN32_FIND_DATA* LPWIN32_FIND_DATA;
typedef WIN32_FIND_DATA* PWIN32_FIND_DATA;

// INVALID_HANDLE_VALUE with ERROR_FILE_NOT_FOUND when nothing matches,
// ERROR_PATH_NOT_FOUND when the folder does not exist.
HANDLE FindFirstFile(LPCSTR lpFileName, LPWIN32_FIND_DATA lpFindFileData);
// FALSE with ERROR_NO_MORE_FILES after the last entry.
BOOL FindNextFile(HANDLE hFindFile, LPWIN32_FIND_DATA lpFindFileData);
BOOL FindClose(HANDLE hFindFile);
