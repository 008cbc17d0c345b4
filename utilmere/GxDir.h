// CGxDir: walks a folder, or the files of a folder that match a pattern, in
// its constructor; afterwards the file list, the folder list and the total
// size of the listed files are read. Not copyable: it owns its lists.
#pragma once

#include <memory>
#include <vector>

#include "platform/Platform.h"

class CGxDir {
 public:
  // `path`: a folder (every file is listed) or a folder followed by a file
  // name or wildcard pattern. recursive: also walk every subfolder (depth
  // first, the folder found last first). fullPaths 0: file names start with
  // the walked folder's own name ("b\x.txt" for a walk of C:\a\b); else
  // they are full paths. Entries whose names begin with "." are skipped.
  CGxDir(const char* path, int recursive, int fullPaths);
  ~CGxDir();
  CGxDir(const CGxDir&) = delete;
  CGxDir& operator=(const CGxDir&) = delete;

  // The files that matched the pattern, and the folders met (full paths with
  // a trailing backslash; with recursive 0 the direct subfolders).
  const CStringArray& GetFileList() const { return *m_pFileList; }
  const CStringArray& GetDirList() const { return *m_pDirList; }
  // The size of each file of the file list, in the same order.
  const std::vector<ULONGLONG>& GetFileSizes() const { return m_fileSizes; }
  ULONGLONG GetAmountBytes() const { return m_nAmountBytes; }

 private:
  enum { kNameBufferSize = 779, kPatternSize = 130 };

  int Dir();
  int FindDirAndFile(const CString& folder);
  int FindAllFileUnderOneDir(const CString& folder, const char* pattern, bool folderPass);
  int HandleOneFile(const CString& folder, const WIN32_FIND_DATA& data, bool folderPass);

  std::unique_ptr<CStringArray> m_pFileList;
  std::unique_ptr<CStringArray> m_pDirList;
  CString m_strCurDir;
  std::unique_ptr<CStringArray> m_pPendingDirs;
  ULONGLONG m_nAmountBytes = 0;
  int m_bRecursive;
  int m_bFullPath;
  int m_nNameCut = 0;
  CString m_strPattern;
  std::vector<ULONGLONG> m_fileSizes;
};
