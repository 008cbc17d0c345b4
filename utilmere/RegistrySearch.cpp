// Recursive search of key paths and string values below a registry key.
#include "utilmere/RegistryKey.h"
#include "utilmere/RegistryTools.h"

using utilmere::RegistryKey;

namespace {

// Tick count of the last progress message of any search.
DWORD g_lastProgress = 0;

bool textMatches(_ENUM_SEARCH_TYPE kind, const CString& text, const char* wanted) {
  if (text.IsEmpty()) return false;
  const int at = text.Find(wanted);
  switch (kind) {
    case SEARCH_TYPE_EQUAL:
      return text == wanted;
    case SEARCH_TYPE_CONTAIN:
      return at >= 0;
    case SEARCH_TYPE_BEGIN:
      return at == 0;
    case SEARCH_TYPE_END: {
      // The end of the text, wherever the first occurrence is.
      const int length = static_cast<int>(strlen(wanted));
      return text.GetLength() >= length && text.Right(length) == wanted;
    }
    default:
      return false;
  }
}

// A set of texts matches when one of them matches; for SEARCH_TYPE_EXCLUDE
// when it holds a text and none of its texts contains the search text.
bool setMatches(_ENUM_SEARCH_TYPE kind, const CString& a, const CString& b, const char* wanted) {
  if (kind == SEARCH_TYPE_EXCLUDE) {
    const bool any = !a.IsEmpty() || !b.IsEmpty();
    return any && a.Find(wanted) < 0 && b.Find(wanted) < 0;
  }
  return textMatches(kind, a, wanted) || textMatches(kind, b, wanted);
}

void addFound(CStringArray& keys, CStringArray& names, CStringArray& data, const char* key, const CString& name,
              const CString& value) {
  keys.Add(key);
  names.Add(name);
  data.Add(value);
}

}  // namespace

int RegSearch(const char* text, _ENUM_SEARCH_TYPE kind, HKEY root, const char* keyPath, int searchValues,
              CStringArray& keys, CStringArray& valueNames, CStringArray& valueData, HWND progressWindow,
              UINT progressMessage) {
  if (text == nullptr || *text == '\0' || keyPath == nullptr) return 0;
  CString keyText;
  const CString first = PartKeyBySubKey(keyPath, &keyText);
  if (IsWindow(progressWindow) && GetTickCount() - g_lastProgress > 100) {
    g_lastProgress = GetTickCount();
    SendMessage(progressWindow, progressMessage, reinterpret_cast<WPARAM>("SEARCH"),
                reinterpret_cast<LPARAM>(first.GetString()));
  }
  if (setMatches(kind, keyText, CString(), text)) addFound(keys, valueNames, valueData, keyPath, "", "");

  RegistryKey key;
  if (key.open(root, keyPath, KEY_ALL_ACCESS) != ERROR_SUCCESS) return 0;
  if (searchValues) {
    for (DWORD index = 0;; ++index) {
      char name[1025] = {};
      char data[1025] = {};
      DWORD nameLength = 1024;
      DWORD dataSize = 1024;
      DWORD type = REG_NONE;
      if (RegEnumValue(key.get(), index, name, &nameLength, nullptr, &type, reinterpret_cast<LPBYTE>(data),
                       &dataSize) != ERROR_SUCCESS) {
        break;
      }
      if (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_MULTI_SZ) continue;
      if (setMatches(kind, data, name, text)) addFound(keys, valueNames, valueData, keyPath, name, data);
    }
  }
  DWORD subkeys = 0;
  RegQueryInfoKey(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                  nullptr, nullptr);
  const CString parent = CString(keyPath).Right(1) == "\\" ? CString(keyPath) : CString(keyPath) + "\\";
  for (DWORD index = 0; index < subkeys; ++index) {
    char name[256] = {};
    DWORD nameLength = sizeof name;
    if (RegEnumKeyEx(key.get(), index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
        name[0] == '\0') {
      continue;
    }
    RegSearch(text, kind, root, parent + name + "\\", searchValues, keys, valueNames, valueData, progressWindow,
              progressMessage);
  }
  return 1;
}
