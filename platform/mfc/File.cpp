#include "platform/mfc/File.h"

#include "platform/win/kernel/CloseHandle.h"
#include "platform/win/kernel/Clock.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/FileSystem.h"
#include "platform/win/kernel/Files.h"
#include "platform/win/kernel/Folders.h"

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace {

CTime timeOf(const FILETIME& ft) {
  int64_t v = wavorel::fileTimeToInt(ft);
  return v ? CTime((v - wavorel::kFileTimeUnixEpoch) / 10000000) : CTime();
}

}  // namespace

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) {
  CFileException e;
  if (!Open(lpszFileName, nOpenFlags, &e)) AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile() { Abort(); }

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
  Abort();
  DWORD access = 0;
  switch (nOpenFlags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    default: access = GENERIC_READ | GENERIC_WRITE; break;
  }
  DWORD share = 0;
  switch (nOpenFlags & 0x70) {
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: break;  // shareCompat, shareExclusive
  }
  DWORD disposition = OPEN_EXISTING;
  if (nOpenFlags & modeCreate) disposition = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
  HANDLE h = CreateFile(lpszFileName, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    if (pError) {
      pError->m_lOsError = static_cast<LONG>(GetLastError());
      pError->m_cause = CFileException::OsErrorToException(pError->m_lOsError);
      pError->m_strFileName = lpszFileName;
    }
    return FALSE;
  }
  m_hFile = h;
  m_strFileName = lpszFileName;
  return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
  DWORD n = 0;
  if (!ReadFile(m_hFile, lpBuf, nCount, &n, nullptr))
    CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
  return n;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
  DWORD n = 0;
  if (!WriteFile(m_hFile, lpBuf, nCount, &n, nullptr))
    CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
  if (n != nCount) AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
  LARGE_INTEGER distance, pos;
  distance.QuadPart = lOff;
  if (!SetFilePointerEx(m_hFile, distance, &pos, nFrom))
    CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
  return static_cast<ULONGLONG>(pos.QuadPart);
}

ULONGLONG CFile::GetLength() const {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(m_hFile, &size))
    CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
  return static_cast<ULONGLONG>(size.QuadPart);
}

void CFile::SetLength(ULONGLONG dwNewLen) {
  Seek(static_cast<LONGLONG>(dwNewLen), begin);
  if (!SetEndOfFile(m_hFile)) CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
}

ULONGLONG CFile::GetPosition() const {
  LARGE_INTEGER zero, pos;
  zero.QuadPart = 0;
  if (!SetFilePointerEx(m_hFile, zero, &pos, FILE_CURRENT))
    CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
  return static_cast<ULONGLONG>(pos.QuadPart);
}

void CFile::Flush() {
  if (m_hFile == hFileNull) return;
  if (!FlushFileBuffers(m_hFile)) CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
}

void CFile::Close() {
  if (m_hFile == hFileNull) return;
  BOOL closed = CloseHandle(m_hFile);
  DWORD error = GetLastError();
  m_hFile = hFileNull;
  CString name = m_strFileName;
  m_strFileName.Empty();
  if (!closed) CFileException::ThrowOsError(static_cast<LONG>(error), name);
}

void CFile::Abort() {
  if (m_hFile != hFileNull) CloseHandle(m_hFile);
  m_hFile = hFileNull;
  m_strFileName.Empty();
}

BOOL CFile::GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  DWORD n = GetFileAttributesEx(lpszFileName, GetFileExInfoStandard, &data)
                ? GetFullPathName(lpszFileName, MAX_PATH, rStatus.m_szFullName, nullptr)
                : 0;
  if (n == 0 || n >= MAX_PATH) {
    rStatus.m_szFullName[0] = '\0';
    return FALSE;
  }
  rStatus.m_ctime = timeOf(data.ftCreationTime);
  rStatus.m_atime = timeOf(data.ftLastAccessTime);
  rStatus.m_mtime = timeOf(data.ftLastWriteTime);
  rStatus.m_size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  rStatus.m_attribute = static_cast<BYTE>(data.dwFileAttributes & 0xFF);
  rStatus._m_padding = 0;
  return TRUE;
}

void CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName) {
  if (!MoveFile(lpszOldName, lpszNewName)) CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszOldName);
}

void CFile::Remove(LPCTSTR lpszFileName) {
  if (!DeleteFile(lpszFileName)) CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszFileName);
}
