#include "utilmere/GxDirEx.h"

#include "platform/Platform.h"
#include "utilmere/GxDir.h"
#include "utilmere/Strings.h"

namespace {

const int kMaxFolder = MAX_PATH - 1;
const int kMaxPatternList = 10239;

}  // namespace

CGxDirEx::CGxDirEx(const char* folders, const char* patterns, const char* exclusions, int recursive, int fullPaths)
    : m_pFileList(std::make_unique<CStringArray>()), m_pDirList(std::make_unique<CStringArray>()) {
  CStringArray list;
  PartStringAndAddToStrAry(folders != nullptr ? folders : "", list, ";");
  for (INT_PTR i = 0; i < list.GetSize(); ++i) DirAll(list[i], patterns, exclusions, recursive, fullPaths);
}

CGxDirEx::~CGxDirEx() = default;

void CGxDirEx::Dir(const CString& folder, const char* patternList, Walk& walk, int recursive, int fullPaths) {
  CString base = folder.Left(kMaxFolder);
  if (base.Right(1) != "\\") base += '\\';
  const CString list(patternList, static_cast<int>(strnlen(patternList, kMaxPatternList)));
  CStringArray patterns;
  PartStringAndAddToStrAry(list, patterns, ";");
  for (INT_PTR i = 0; i < patterns.GetSize(); ++i) {
    CGxDir dir(base + patterns[i], recursive, fullPaths);
    walk.files.Append(dir.GetFileList());
    walk.sizes.insert(walk.sizes.end(), dir.GetFileSizes().begin(), dir.GetFileSizes().end());
    walk.folders.Append(dir.GetDirList());
    walk.total += dir.GetAmountBytes();
  }
}

// The total counts only the files that stay listed: an excluded file's size
// is taken off when its entry is removed, so files the exclusions match but
// the patterns never listed do not lower it (nor wrap it below zero).
void CGxDirEx::DirAll(const CString& folder, const char* patterns, const char* exclusions, int recursive,
                      int fullPaths) {
  Walk found;
  Dir(folder, patterns != nullptr ? patterns : "", found, recursive, fullPaths);
  if (exclusions != nullptr && *exclusions != '\0') {
    Walk excluded;
    Dir(folder, exclusions, excluded, recursive, fullPaths);
    for (INT_PTR i = 0; i < excluded.files.GetSize(); ++i) {
      for (INT_PTR j = 0; j < found.files.GetSize(); ++j) {
        if (found.files[j].Compare(excluded.files[i]) != 0) continue;
        found.total -= found.sizes[static_cast<size_t>(j)];
        found.files.RemoveAt(j);
        found.sizes.erase(found.sizes.begin() + j);
        break;
      }
    }
  }
  m_pFileList->Append(found.files);
  m_pDirList->Append(found.folders);
  m_nAmountBytes += found.total;
}
