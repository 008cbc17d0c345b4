// CFileException: a failed file operation of CFile, with MFC's cause codes and
// the Win32 error behind it. Thrown as a heap pointer like every MFC
// exception; CFile::Open fills one instead of throwing.
#pragma once

#include "platform/mfc/Exception.h"
#include "platform/mfc/String.h"

class CFileException : public CException {
  DECLARE_DYNAMIC(CFileException)

  enum {
    none,
    genericException,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile
  };

  explicit CFileException(int cause = none, LONG lOsError = -1, LPCTSTR lpszArchiveName = nullptr)
      : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName) {}

  // The cause MFC gives a Win32 error code (genericException for others).
  static int OsErrorToException(LONG lOsError);
  [[noreturn]] static void ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = nullptr);

  int m_cause;
  LONG m_lOsError;
  CString m_strFileName;
};

[[noreturn]] void AfxThrowFileException(int cause, LONG lOsError = -1, LPCTSTR lpszFileName = nullptr);
