#include "platform/mfc/FileException.h"

#include "platform/win/kernel/Errors.h"

IMPLEMENT_DYNAMIC(CFileException, CException)

int CFileException::OsErrorToException(LONG lOsError) {
  switch (lOsError) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_INVALID_HANDLE:
    case ERROR_NO_MORE_FILES:
      return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_NOT_SAME_DEVICE:
    case ERROR_BUFFER_OVERFLOW:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_DIRECTORY:
      return badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
      return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return accessDenied;
    case ERROR_BAD_FORMAT:
      return invalidFile;
    case ERROR_DIR_NOT_EMPTY:
      return removeCurrentDir;
    case ERROR_NEGATIVE_SEEK:
      return badSeek;
    case ERROR_NOT_READY:
    case ERROR_IO_PENDING:
      return hardIO;
    case ERROR_SHARING_VIOLATION:
      return sharingViolation;
    case ERROR_HANDLE_EOF:
      return endOfFile;
    case ERROR_DISK_FULL:
      return diskFull;
    default:
      return genericException;
  }
}

void CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName) {
  AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName) {
  throw new CFileException(cause, lOsError, lpszFileName);
}
