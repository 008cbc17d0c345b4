#include "worker/FileVersion.h"

#include <vector>

namespace {

constexpr char kCopyrightValue[] = "\\StringFileInfo\\040904B0\\LegalCopyright";

}  // namespace

BOOL ReadFileVersion(LPCSTR path, LPCSTR versionFormat, CString& version, CString& date, CString* copyright) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSize(path, &handle);
  if (size == 0) return FALSE;
  std::vector<BYTE> block(size);
  if (!GetFileVersionInfo(path, handle, size, block.data())) return FALSE;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (VerQueryValue(block.data(), "\\", reinterpret_cast<LPVOID*>(&fixed), &length) && fixed &&
      length >= sizeof(VS_FIXEDFILEINFO)) {
    version.Format(versionFormat, HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                   HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
  }
  LPSTR text = nullptr;
  if (copyright && VerQueryValue(block.data(), kCopyrightValue, reinterpret_cast<LPVOID*>(&text), &length) && text)
    copyright->Format("%s", text);
  CFileStatus status;
  if (CFile::GetStatus(path, status)) date = status.m_mtime.Format("%m-%d-%Y");
  return TRUE;
}
