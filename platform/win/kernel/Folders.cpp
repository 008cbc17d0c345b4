#include "platform/win/kernel/Folders.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/win/kernel/Clock.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/FileObject.h"
#include "platform/win/kernel/Files.h"
#include "platform/win/kernel/Paths.h"
#include "platform/win/kernel/Resources.h"

namespace {

const char kWindowsDir[] = "C:\\Windows";
const char kSystemDir[] = "C:\\Windows\\system32";
const char kTempDir[] = "C:\\Windows\\Temp\\";

DWORD copyOut(const std::string& s, LPSTR buffer, DWORD size) {
  if (!buffer || s.size() + 1 > size) return static_cast<DWORD>(s.size() + 1);
  std::memcpy(buffer, s.c_str(), s.size() + 1);
  return static_cast<DWORD>(s.size());
}

bool endsWithSeparator(const std::string& s) { return !s.empty() && (s.back() == '\\' || s.back() == '/'); }

}  // namespace

DWORD GetTempPath(DWORD nBufferLength, LPSTR lpBuffer) { return copyOut(kTempDir, lpBuffer, nBufferLength); }

UINT GetTempFileName(LPCSTR lpPathName, LPCSTR lpPrefixString, UINT uUnique, LPSTR lpTempFileName) {
  if (!lpPathName || !lpTempFileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string base = lpPathName;
  if (!endsWithSeparator(base)) base += '\\';
  base += std::string(lpPrefixString ? lpPrefixString : "").substr(0, 3);
  auto nameFor = [&base](UINT n) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%X", n & 0xFFFFu);
    return base + hex + ".TMP";
  };
  auto emit = [&](UINT n) -> UINT {
    std::string name = nameFor(n);
    if (name.size() >= MAX_PATH) {
      SetLastError(ERROR_BUFFER_OVERFLOW);
      return 0;
    }
    std::memcpy(lpTempFileName, name.c_str(), name.size() + 1);
    return n;
  };
  if (uUnique) return emit(uUnique & 0xFFFFu);
  std::string folder;
  if (!wavorel::resolveWindowsPath(lpPathName, folder)) return 0;
  UINT start = static_cast<UINT>(wavorel::clock().tickMs() & 0xFFFFu);
  for (UINT i = 0; i < 0xFFFFu; ++i) {
    UINT n = (start + i) % 0xFFFFu + 1;
    std::string path;
    if (!wavorel::resolveWindowsPath(nameFor(n), path)) return 0;
    if (wavorel::FileObject::open(path, GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL)) return emit(n);
    DWORD error = GetLastError();
    if (error == ERROR_PATH_NOT_FOUND) {
      SetLastError(ERROR_DIRECTORY);
      return 0;
    }
    if (error != ERROR_FILE_EXISTS && error != ERROR_ACCESS_DENIED) return 0;
  }
  SetLastError(ERROR_FILE_EXISTS);
  return 0;
}

UINT GetSystemDirectory(LPSTR lpBuffer, UINT uSize) { return copyOut(kSystemDir, lpBuffer, uSize); }

UINT GetWindowsDirectory(LPSTR lpBuffer, UINT uSize) { return copyOut(kWindowsDir, lpBuffer, uSize); }

DWORD GetCurrentDirectory(DWORD nBufferLength, LPSTR lpBuffer) {
  return copyOut(wavorel::currentDirectory(), lpBuffer, nBufferLength);
}

BOOL SetCurrentDirectory(LPCSTR lpPathName) {
  if (!lpPathName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return wavorel::setCurrentDirectory(lpPathName) ? TRUE : FALSE;
}

DWORD GetModuleFileName(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
  if (hModule && hModule != wavorel::programInstance()) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  if (!lpFilename || nSize == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::string name = wavorel::moduleFileName();
  if (name.size() >= nSize) {
    std::memcpy(lpFilename, name.data(), nSize - 1);
    lpFilename[nSize - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return nSize;
  }
  std::memcpy(lpFilename, name.c_str(), name.size() + 1);
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(name.size());
}

DWORD GetFullPathName(LPCSTR lpFileName, DWORD nBufferLength, LPSTR lpBuffer, LPSTR* lpFilePart) {
  if (!lpFileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string full = wavorel::fullWindowsPath(lpFileName);
  if (full.empty()) return 0;
  if (endsWithSeparator(lpFileName) && full.back() != '\\') full += '\\';
  DWORD n = copyOut(full, lpBuffer, nBufferLength);
  if (lpFilePart && n < nBufferLength) *lpFilePart = full.back() == '\\' ? nullptr : lpBuffer + full.rfind('\\') + 1;
  return n;
}
