// Win32 calls on files and folders by name: delete, copy, move, folders and
// attributes. Names are Windows paths (Paths.h). An open handle that does not
// share deleting makes DeleteFile and MoveFile fail with
// ERROR_SHARING_VIOLATION, as on Windows.
#pragma once

#include "platform/win/kernel/Files.h"
#include "platform/win/kernel/Types.h"

#define MOVEFILE_REPLACE_EXISTING 0x00000001u
#define MOVEFILE_COPY_ALLOWED 0x00000002u
#define MOVEFILE_WRITE_THROUGH 0x00000008u

enum GET_FILEEX_INFO_LEVELS { GetFileExInfoStandard, GetFileExMaxInfoLevel };

struct WIN32_FILE_ATTRIBUTE_DATA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
};
typedef WIN32_FILE_ATTRIBUTE_DATA* LPWIN32_FILE_ATTRIBUTE_DATA;

// A folder or a read-only file cannot be deleted (ERROR_ACCESS_DENIED).
BOOL DeleteFile(LPCSTR lpFileName);
// The copy gets the source's attributes and last-write time; its creation
// time is now. bFailIfExists: an existing target fails with ERROR_FILE_EXISTS.
BOOL CopyFile(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists);
// Renames a file or folder; an existing target fails with
// ERROR_ALREADY_EXISTS. A name that differs only in case renames in place.
BOOL MoveFile(LPCSTR lpExistingFileName, LPCSTR lpNewFileName);
// MOVEFILE_REPLACE_EXISTING replaces a file target; MOVEFILE_COPY_ALLOWED
// copies and deletes a file where a rename cannot cross (else
// ERROR_NOT_SAME_DEVICE).
BOOL MoveFileEx(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags);
BOOL CreateDirectory(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES lpSecurityAttributes);
BOOL RemoveDirectory(LPCSTR lpPathName);
DWORD GetFileAttributes(LPCSTR lpFileName);
BOOL GetFileAttributesEx(LPCSTR lpFileName, GET_FILEEX_INFO_LEVELS fInfoLevelId, LPVOID lpFileInformation);
// READONLY, HIDDEN, SYSTEM and ARCHIVE are kept; NORMAL alone clears them.
BOOL SetFileAttributes(LPCSTR lpFileName, DWORD dwFileAttributes);
