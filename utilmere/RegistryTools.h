// One-call registry functions: each opens its keys, does one thing and closes
// them again. Failures are reported by the result only.
#pragma once

#include "platform/Platform.h"

// 1 when the key opens for enumerating its subkeys.
int IsExistSubKey(HKEY root, const char* subkey);
// Reads a value into `data` (`size`: in the buffer's size, out the value's
// size). A key that may be read but not written is opened read-only. Returns
// the value's type, or -1 when the key or the value cannot be read.
long ReadRegister(HKEY root, const char* subkey, const char* valueName, void* data, DWORD* size);
// Creates the key when missing and sets the value (*size bytes); 1 on success.
int WriteRegister(HKEY root, const char* subkey, const char* valueName, DWORD type, const void* data, DWORD* size);
int DeleteValueRegister(HKEY root, const char* subkey, const char* valueName);
// Deletes the child `keyName` of `subkey`, which must have no children.
int DeleteKeyRegister(HKEY root, const char* subkey, const char* keyName);
// Deletes a key with all its descendants.
int RegDeleteAllSubKey(HKEY root, const char* subkey);
// Creates every level of a backslash-separated path; the last key goes to
// `keyOut` (the caller closes it) or is closed when that is null.
int CreateRegisterSubKey(HKEY root, CString path, HKEY* keyOut);
// The first component of a registry path; the rest, without trailing
// backslashes, goes to `restOut` when given.
CString PartKeyBySubKey(const char* path, CString* restOut);

// File types, verbs and URL protocols below HKEY_CLASSES_ROOT, and programs
// started at log-on. Their values are REG_EXPAND_SZ texts.
int RegFileType(CString extension, CString& fileType, CString icon, CString openCommand, int overwrite);
int AddFileTypeMenu(CString fileType, CString verb, CString command, int overwrite);
int DeleteFileTypeMenu(CString extension, CString verb);
// 2 when the protocol's key exists already (nothing is written).
int RegWebProtocol(const char* protocol, const char* programPath, int iconIndex);
int UnRegWebProtocol(const char* protocol);
int AddAutoRunProgram(char* valueName, const char* arguments, const char* programPath);
int DeleteAutoRunProgram(char* valueName);

// How RegSearch compares a key path or value name and data with the search
// text (case-sensitive; an empty text never matches).
enum _ENUM_SEARCH_TYPE {
  SEARCH_TYPE_EQUAL = 0,    // a text equals the search text
  SEARCH_TYPE_CONTAIN = 1,  // a text contains it
  SEARCH_TYPE_BEGIN = 2,    // a text begins with it
  SEARCH_TYPE_END = 3,      // its first occurrence ends the text
  SEARCH_TYPE_EXCLUDE = 4   // no text contains it
};

// Lists, below `keyPath`, the keys whose path below its first component
// matches (with an empty value name and data) and, with `searchValues`, the
// string values whose name or data matches. Sends `progressMessage` (WPARAM
// "SEARCH", LPARAM the first path component) to `progressWindow` at most
// every 100 ms. 0 for an empty search text or a key that does not open.
int RegSearch(const char* text, _ENUM_SEARCH_TYPE kind, HKEY root, const char* keyPath, int searchValues,
              CStringArray& keys, CStringArray& valueNames, CStringArray& valueData, HWND progressWindow,
              UINT progressMessage);
