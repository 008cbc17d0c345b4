#include "worker/WholeFile.h"

bool ReadWholeFile(const CString& path, std::string& text) {
  HANDLE file = CreateFile(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  char chunk[4096];
  DWORD got = 0;
  while ((ok = ReadFile(file, chunk, sizeof chunk, &got, nullptr) != FALSE) && got) text.append(chunk, got);
  CloseHandle(file);
  return ok;
}

bool WriteFileAtomically(const CString& path, const std::string& text) {
  const CString temporary = path + ".tmp";
  HANDLE file = CreateFile(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = text.empty() || (WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                                   written == text.size());
  const bool closed = CloseHandle(file) != FALSE;
  if (!ok || !closed || !MoveFileEx(temporary, path, MOVEFILE_REPLACE_EXISTING)) {
    DeleteFile(temporary);
    return false;
  }
  return true;
}
