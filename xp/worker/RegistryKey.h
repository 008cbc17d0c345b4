// CRegistryKey: one open registry key of the XP build's stores, closed when
// the object goes. Texts are REG_SZ with their terminator; a text is read
// into room for a given number of bytes (the terminator included), cut to it
// and always terminated; a read reports whether the value was there with a
// text type, so that a missing value can leave a field as it was.
#pragma once

#include <string>

#include "platform/Platform.h"

class CRegistryKey {
 public:
  CRegistryKey() = default;
  ~CRegistryKey();
  CRegistryKey(const CRegistryKey&) = delete;
  CRegistryKey& operator=(const CRegistryKey&) = delete;

  // Opens `path` below `root` with `access`; creates it (with its missing
  // parents) with all access. The result of the registry call.
  LSTATUS Open(HKEY root, LPCSTR path, REGSAM access);
  LSTATUS Create(HKEY root, LPCSTR path);
  void Close();
  BOOL IsOpen() const { return m_hKey != nullptr; }
  HKEY Handle() const { return m_hKey; }

  // A text value cut to `size` - 1 bytes (size at least 1): TRUE and `out`,
  // or FALSE leaving `out` alone (missing, not a text).
  BOOL ReadText(LPCSTR name, DWORD size, std::string& out) const;
  // A text value read with 128 bytes as a decimal number (a text that is no
  // number reads 0): TRUE and `out`, or FALSE leaving it alone.
  template <typename T>
  BOOL ReadNumber(LPCSTR name, T& out) const {
    int value = 0;
    if (!ReadDecimal(name, value)) return FALSE;
    out = static_cast<T>(value);
    return TRUE;
  }
  // A binary value of exactly `size` bytes into `out`; FALSE (nothing
  // changed) for another size or type.
  BOOL ReadBinary(LPCSTR name, BYTE* out, DWORD size) const;

  // A byte string stored as a decimal length ("<lengthName>") and hexadecimal
  // text ("<dataName>", two digits a byte): the length cut to `capacity` and
  // to the digits present, and that many bytes decoded into `data`. A missing
  // length keeps `length` (cut to the digits); a missing text decodes nothing.
  void ReadHexBytes(LPCSTR lengthName, LPCSTR dataName, DWORD& length, BYTE* data, DWORD capacity) const;

  BOOL WriteText(LPCSTR name, LPCSTR text) const;
  BOOL WriteNumber(LPCSTR name, int value) const;
  BOOL WriteBinary(LPCSTR name, const BYTE* data, DWORD size) const;
  BOOL DeleteValue(LPCSTR name) const;

  // The size of the buffer every plain value is read with.
  static constexpr DWORD kValueSize = 128;

 private:
  BOOL ReadDecimal(LPCSTR name, int& out) const;

  HKEY m_hKey = nullptr;
};
