// Reading, writing and deleting registry keys and values.
#include "utilmere/RegistryTools.h"

#include "utilmere/RegistryKey.h"

using utilmere::RegistryKey;

int IsExistSubKey(HKEY root, const char* subkey) {
  RegistryKey key;
  return key.open(root, subkey, KEY_ENUMERATE_SUB_KEYS) == ERROR_SUCCESS ? 1 : 0;
}

long ReadRegister(HKEY root, const char* subkey, const char* valueName, void* data, DWORD* size) {
  RegistryKey key;
  LSTATUS status = key.open(root, subkey, KEY_ALL_ACCESS);
  if (status == ERROR_ALREADY_EXISTS || status == ERROR_ACCESS_DENIED) status = key.open(root, subkey, KEY_READ);
  if (status != ERROR_SUCCESS) return -1;
  DWORD type = REG_NONE;
  if (RegQueryValueEx(key.get(), valueName, nullptr, &type, static_cast<LPBYTE>(data), size) != ERROR_SUCCESS) {
    return -1;
  }
  return static_cast<long>(type);
}

int WriteRegister(HKEY root, const char* subkey, const char* valueName, DWORD type, const void* data, DWORD* size) {
  RegistryKey key;
  char keyClass[] = "gxSoftReg";
  if (RegCreateKeyEx(root, subkey, 0, keyClass, 0, KEY_ALL_ACCESS, nullptr, key.receive(), nullptr) !=
      ERROR_SUCCESS) {
    return 0;
  }
  const DWORD bytes = size != nullptr ? *size : 0;
  return RegSetValueEx(key.get(), valueName, 0, type, static_cast<const BYTE*>(data), bytes) == ERROR_SUCCESS ? 1
                                                                                                              : 0;
}

int DeleteValueRegister(HKEY root, const char* subkey, const char* valueName) {
  RegistryKey key;
  if (key.open(root, subkey, KEY_ALL_ACCESS) != ERROR_SUCCESS) return 0;
  return RegDeleteValue(key.get(), valueName) == ERROR_SUCCESS ? 1 : 0;
}

int DeleteKeyRegister(HKEY root, const char* subkey, const char* keyName) {
  RegistryKey key;
  if (key.open(root, subkey, KEY_ALL_ACCESS) != ERROR_SUCCESS) return 0;
  return RegDeleteKey(key.get(), keyName) == ERROR_SUCCESS ? 1 : 0;
}

// An empty path would name the root itself, which is never deleted.
int RegDeleteAllSubKey(HKEY root, const char* subkey) {
  if (subkey == nullptr) return 0;
  CString path(subkey);
  path.TrimRight('\\');
  if (path.IsEmpty()) return 0;
  for (;;) {
    RegistryKey key;
    if (key.open(root, path, KEY_ALL_ACCESS) != ERROR_SUCCESS) return 0;
    char child[256] = {};
    DWORD length = sizeof child;
    if (RegEnumKeyEx(key.get(), 0, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    if (!RegDeleteAllSubKey(root, path + "\\" + child)) return 0;
  }
  return RegDeleteKey(root, path) == ERROR_SUCCESS ? 1 : 0;
}

int CreateRegisterSubKey(HKEY root, CString path, HKEY* keyOut) {
  if (path.IsEmpty()) return 0;
  if (path[path.GetLength() - 1] != '\\') path += '\\';
  RegistryKey current;
  HKEY parent = root;
  int start = 0;
  for (CString level = path.Tokenize("\\", start); start >= 0; level = path.Tokenize("\\", start)) {
    RegistryKey next;
    if (RegCreateKeyEx(parent, level, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, next.receive(), nullptr) !=
        ERROR_SUCCESS) {
      return 0;
    }
    *current.receive() = next.release();
    parent = current.get();
  }
  if (parent == root) return 0;
  if (keyOut != nullptr) *keyOut = current.release();
  return 1;
}

CString PartKeyBySubKey(const char* path, CString* restOut) {
  CString whole(path);
  const int at = whole.Find('\\');
  CString first = at >= 0 ? whole.Left(at) : whole;
  if (restOut != nullptr) {
    *restOut = at >= 0 ? whole.Mid(at + 1) : CString();
    restOut->TrimRight('\\');
  }
  return first;
}
