// CFile: MFC's binary file on a Win32 file handle (Windows paths, share modes
// and errors as CreateFile has them). Open returns FALSE and fills the
// optional CFileException; every other failing call throws a CFileException*.
// typeText and typeBinary are accepted and ignored: a CFile is always binary.
#pragma once

#include "platform/mfc/FileException.h"
#include "platform/mfc/Object.h"
#include "platform/mfc/String.h"
#include "platform/mfc/Time.h"
#include "platform/win/kernel/Types.h"

struct CFileStatus {
  CTime m_ctime;  // creation
  CTime m_mtime;  // last write
  CTime m_atime;  // last access
  ULONGLONG m_size;
  BYTE m_attribute;  // the low byte of the FILE_ATTRIBUTE_* bits
  BYTE _m_padding;
  TCHAR m_szFullName[MAX_PATH];
};

class CFile : public CObject {
 public:
  enum OpenFlags {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    shareCompat = 0x0000,
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyRead = 0x0030,
    shareDenyNone = 0x0040,
    modeNoInherit = 0x0080,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    typeText = 0x4000,
    typeBinary = 0x8000
  };
  enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

  static const HANDLE hFileNull;

  CFile() = default;
  // Takes over an open handle; it is closed with the object.
  explicit CFile(HANDLE hFile) : m_hFile(hFile) {}
  // Opens or throws.
  CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
  // Closes the file; errors are ignored.
  ~CFile() override;

  virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
  virtual UINT Read(void* lpBuf, UINT nCount);
  virtual void Write(const void* lpBuf, UINT nCount);
  virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
  void SeekToBegin() { Seek(0, begin); }
  ULONGLONG SeekToEnd() { return Seek(0, end); }
  virtual ULONGLONG GetLength() const;
  virtual void SetLength(ULONGLONG dwNewLen);
  virtual ULONGLONG GetPosition() const;
  virtual void Flush();
  virtual void Close();
  // Closes without throwing.
  virtual void Abort();

  // The state of a file by name; FALSE when it cannot be read.
  static BOOL GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus);
  static void Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);
  static void Remove(LPCTSTR lpszFileName);

  operator HANDLE() const { return m_hFile; }  // NOLINT: implicit as in MFC

  HANDLE m_hFile = hFileNull;

 protected:
  CString m_strFileName;
};
