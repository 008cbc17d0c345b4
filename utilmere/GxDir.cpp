#include "utilmere/GxDir.h"

#include "platform/Platform.h"
#include "utilmere/FileTools.h"

CGxDir::CGxDir(const char* path, int recursive, int fullPaths)
    : m_pFileList(std::make_unique<CStringArray>()),
      m_pDirList(std::make_unique<CStringArray>()),
      m_pPendingDirs(std::make_unique<CStringArray>()),
      m_bRecursive(recursive),
      m_bFullPath(fullPaths) {
  if (path == nullptr) path = "";
  CString current(path, static_cast<int>(strnlen(path, MAX_PATH - 2)));
  const DWORD attributes = current.IsEmpty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributes(current);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    m_strPattern = "*.*";
    if (current.Right(1) != "\\") current += '\\';
  } else {
    char file[MAX_PATH] = {};
    char folder[MAX_PATH] = {};
    PartFileAndPathByFullPath(current, file, sizeof(file), folder, sizeof(folder));
    m_strPattern = CString(file, static_cast<int>(strnlen(file, kPatternSize - 1)));
    current = folder;
  }
  m_strCurDir = current;

  if (!m_bFullPath) {
    const CString bare = current.Right(1) == "\\" ? current.Left(current.GetLength() - 1) : current;
    if (current.GetLength() == 3 && current.Find(':') >= 0) {
      m_nNameCut = 3;
    } else if (current == "\\") {
      m_nNameCut = 1;
    } else {
      m_nNameCut = bare.ReverseFind('\\') + 1;
    }
  }
  Dir();
}

CGxDir::~CGxDir() = default;

int CGxDir::Dir() {
  FindDirAndFile(m_strCurDir);
  while (m_bRecursive && !m_pPendingDirs->IsEmpty()) {
    const CString folder = m_pPendingDirs->GetAt(m_pPendingDirs->GetUpperBound());
    m_pPendingDirs->RemoveAt(m_pPendingDirs->GetUpperBound());
    FindDirAndFile(folder);
  }
  return static_cast<int>(m_pFileList->GetSize());
}

int CGxDir::FindDirAndFile(const CString& folder) {
  FindAllFileUnderOneDir(folder, "*.*", true);
  return FindAllFileUnderOneDir(folder, m_strPattern, false);
}

int CGxDir::FindAllFileUnderOneDir(const CString& folder, const char* pattern, bool folderPass) {
  WIN32_FIND_DATA data;
  HANDLE find = FindFirstFile(folder + pattern, &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int files = 0;
  do {
    if (HandleOneFile(folder, data, folderPass) == 1) ++files;
  } while (FindNextFile(find, &data));
  FindClose(find);
  return files;
}

// Returns 2 for a folder added, 1 for a file added, 0 for an entry skipped.
// A name that would pass the walker's 779-character buffers is skipped
// rather than cut into a wrong path.
int CGxDir::HandleOneFile(const CString& folder, const WIN32_FIND_DATA& data, bool folderPass) {
  if (data.cFileName[0] == '.') return 0;
  const bool isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  if (folderPass && isFolder) {
    const CString path = folder + data.cFileName + "\\";
    if (path.GetLength() >= kNameBufferSize) return 0;
    m_pPendingDirs->Add(path);
    m_pDirList->Add(path);
    return 2;
  }
  if (!folderPass && !isFolder) {
    const CString name = folder.Mid(m_nNameCut < folder.GetLength() ? m_nNameCut : folder.GetLength()) +
                         data.cFileName;
    if (name.GetLength() >= kNameBufferSize) return 0;
    const ULONGLONG size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    m_pFileList->Add(name);
    m_fileSizes.push_back(size);
    m_nAmountBytes += size;
    return 1;
  }
  return 0;
}
