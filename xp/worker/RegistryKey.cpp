#include "xp/worker/RegistryKey.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "worker/HexStringToBytes.h"

CRegistryKey::~CRegistryKey() { Close(); }

LSTATUS CRegistryKey::Open(HKEY root, LPCSTR path, REGSAM access) {
  Close();
  return RegOpenKeyEx(root, path, 0, access, &m_hKey);
}

LSTATUS CRegistryKey::Create(HKEY root, LPCSTR path) {
  Close();
  return RegCreateKeyEx(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_hKey, nullptr);
}

void CRegistryKey::Close() {
  if (m_hKey) RegCloseKey(m_hKey);
  m_hKey = nullptr;
}

BOOL CRegistryKey::ReadText(LPCSTR name, DWORD size, std::string& out) const {
  if (!m_hKey || size == 0) return FALSE;
  DWORD type = 0, needed = 0;
  if (RegQueryValueEx(m_hKey, name, nullptr, &type, nullptr, &needed) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return FALSE;
  std::vector<char> whole(needed + 1, '\0');
  if (RegQueryValueEx(m_hKey, name, nullptr, &type, reinterpret_cast<LPBYTE>(whole.data()), &needed) !=
      ERROR_SUCCESS)
    return FALSE;
  out.assign(whole.data(), std::min<size_t>(std::strlen(whole.data()), size - 1));
  return TRUE;
}

BOOL CRegistryKey::ReadDecimal(LPCSTR name, int& out) const {
  std::string text;
  if (!ReadText(name, kValueSize, text)) return FALSE;
  out = std::atoi(text.c_str());
  return TRUE;
}

BOOL CRegistryKey::ReadBinary(LPCSTR name, BYTE* out, DWORD size) const {
  if (!m_hKey) return FALSE;
  DWORD type = 0, needed = 0;
  if (RegQueryValueEx(m_hKey, name, nullptr, &type, nullptr, &needed) != ERROR_SUCCESS || type != REG_BINARY ||
      needed != size)
    return FALSE;
  return RegQueryValueEx(m_hKey, name, nullptr, &type, out, &needed) == ERROR_SUCCESS;
}

void CRegistryKey::ReadHexBytes(LPCSTR lengthName, LPCSTR dataName, DWORD& length, BYTE* data, DWORD capacity) const {
  int stored = 0;
  if (ReadNumber(lengthName, stored)) length = static_cast<DWORD>(std::clamp<int>(stored, 0, static_cast<int>(capacity)));
  std::string hex;
  if (!ReadText(dataName, 2 * capacity + 1, hex)) return;
  length = std::min<DWORD>(length, static_cast<DWORD>(hex.size() / 2));
  HexStringToBytes(hex.c_str(), data, static_cast<int>(length));
}

BOOL CRegistryKey::WriteText(LPCSTR name, LPCSTR text) const {
  if (!m_hKey) return FALSE;
  return RegSetValueEx(m_hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                       static_cast<DWORD>(std::strlen(text) + 1)) == ERROR_SUCCESS;
}

BOOL CRegistryKey::WriteNumber(LPCSTR name, int value) const {
  CString text;
  text.Format("%d", value);
  return WriteText(name, text);
}

BOOL CRegistryKey::WriteBinary(LPCSTR name, const BYTE* data, DWORD size) const {
  if (!m_hKey) return FALSE;
  return RegSetValueEx(m_hKey, name, 0, REG_BINARY, data, size) == ERROR_SUCCESS;
}

BOOL CRegistryKey::DeleteValue(LPCSTR name) const {
  return m_hKey && RegDeleteValue(m_hKey, name) == ERROR_SUCCESS;
}
