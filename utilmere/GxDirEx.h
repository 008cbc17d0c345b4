// CGxDirEx: walks several folders ("a;b") for several file patterns
// ("*.txt;*.log"), less the files that exclusion patterns match. Not
// copyable: it owns its lists.
#pragma once

#include <memory>
#include <vector>

#include "platform/Platform.h"

class CGxDirEx {
 public:
  // Each folder is walked once per pattern (CGxDir), so a folder stands once
  // per pattern in the folder list. A file that an exclusion pattern also
  // finds is dropped from the file list (its first identical entry).
  CGxDirEx(const char* folders, const char* patterns, const char* exclusions, int recursive, int fullPaths);
  ~CGxDirEx();
  CGxDirEx(const CGxDirEx&) = delete;
  CGxDirEx& operator=(const CGxDirEx&) = delete;

  const CStringArray& GetFileList() const { return *m_pFileList; }
  const CStringArray& GetDirList() const { return *m_pDirList; }
  // The total size of the files in the file list.
  ULONGLONG GetAmountBytes() const { return m_nAmountBytes; }

 private:
  struct Walk {
    CStringArray files;
    std::vector<ULONGLONG> sizes;
    CStringArray folders;
    ULONGLONG total = 0;
  };

  // Fills a fresh `walk` with every pattern of the list walked in `folder`.
  static void Dir(const CString& folder, const char* patternList, Walk& walk, int recursive, int fullPaths);
  void DirAll(const CString& folder, const char* patterns, const char* exclusions, int recursive, int fullPaths);

  std::unique_ptr<CStringArray> m_pFileList;
  std::unique_ptr<CStringArray> m_pDirList;
  ULONGLONG m_nAmountBytes = 0;
};
