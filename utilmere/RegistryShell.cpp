// File types, their menu verbs, URL protocols and programs run at log-on.
#include <cstring>

#include "utilmere/RegistryKey.h"
#include "utilmere/RegistryTools.h"

using utilmere::RegistryKey;

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run\\";

// Texts are REG_EXPAND_SZ with their terminating zero counted.
int writeText(HKEY root, const char* subkey, const char* valueName, const CString& text) {
  DWORD size = static_cast<DWORD>(text.GetLength()) + 1;
  return WriteRegister(root, subkey, valueName, REG_EXPAND_SZ, text.GetString(), &size);
}

// The default value of a key as text (at most 1024 bytes); "" when unreadable.
CString readDefaultText(HKEY root, const char* subkey) {
  char text[1025] = {};
  DWORD size = 1024;
  if (ReadRegister(root, subkey, nullptr, text, &size) < 0) return CString();
  return CString(text);
}

CString normalExtension(CString extension) {
  extension.MakeLower();
  if (extension[0] != '.') extension = "." + extension;
  return extension;
}

}  // namespace

int RegFileType(CString extension, CString& fileType, CString icon, CString openCommand, int overwrite) {
  if (extension.IsEmpty()) return 0;
  extension = normalExtension(extension);
  if (fileType.IsEmpty()) return 0;
  {
    RegistryKey key;
    if (key.open(HKEY_CLASSES_ROOT, extension, KEY_ALL_ACCESS) == ERROR_SUCCESS) {
      if (overwrite) {
        key.receive();
        RegDeleteAllSubKey(HKEY_CLASSES_ROOT, extension);
      } else {
        const CString registered = readDefaultText(HKEY_CLASSES_ROOT, extension);
        if (!registered.IsEmpty()) {
          fileType = registered;
        } else {
          writeText(HKEY_CLASSES_ROOT, extension, nullptr, fileType);
        }
        return 1;
      }
    }
  }
  HKEY created = nullptr;
  if (!CreateRegisterSubKey(HKEY_CLASSES_ROOT, extension, &created)) return 0;
  RegCloseKey(created);
  if (!writeText(HKEY_CLASSES_ROOT, extension, nullptr, fileType)) return 0;
  CString path;
  path.Format("%s\\DefaultIcon", fileType.GetString());
  if (!writeText(HKEY_CLASSES_ROOT, path, nullptr, icon)) return 0;
  path.Format("%s\\shell\\open\\command", fileType.GetString());
  return writeText(HKEY_CLASSES_ROOT, path, nullptr, openCommand);
}

int AddFileTypeMenu(CString fileType, CString verb, CString command, int overwrite) {
  if (fileType.IsEmpty()) return 0;
  CString path;
  path.Format("%s\\shell\\%s\\command", fileType.GetString(), verb.GetString());
  if (IsExistSubKey(HKEY_CLASSES_ROOT, path)) {
    if (!overwrite) return 1;
    RegDeleteAllSubKey(HKEY_CLASSES_ROOT, path);
  }
  HKEY created = nullptr;
  if (!CreateRegisterSubKey(HKEY_CLASSES_ROOT, path, &created)) return 0;
  RegCloseKey(created);
  return writeText(HKEY_CLASSES_ROOT, path, nullptr, command);
}

int DeleteFileTypeMenu(CString extension, CString verb) {
  if (extension.IsEmpty()) return 0;
  extension = normalExtension(extension);
  const CString fileType = readDefaultText(HKEY_CLASSES_ROOT, extension);
  CString path;
  if (!fileType.IsEmpty()) {
    path.Format("%s\\shell\\%s", fileType.GetString(), verb.GetString());
    if (!RegDeleteAllSubKey(HKEY_CLASSES_ROOT, path)) return 0;
  }
  path.Format("%s\\shell\\%s", extension.GetString(), verb.GetString());
  RegDeleteAllSubKey(HKEY_CLASSES_ROOT, path);
  return 1;
}

int RegWebProtocol(const char* protocol, const char* programPath, int iconIndex) {
  if (protocol == nullptr || *protocol == '\0' || programPath == nullptr || *programPath == '\0') return 0;
  if (IsExistSubKey(HKEY_CLASSES_ROOT, protocol)) return 2;
  CString text;
  text.Format("%sProtocol", protocol);
  if (!writeText(HKEY_CLASSES_ROOT, protocol, nullptr, text)) return 0;
  if (!writeText(HKEY_CLASSES_ROOT, protocol, "URL Protocol", programPath)) return 0;
  CString path;
  path.Format("%s\\DefaultIcon", protocol);
  text.Format("%s,%d", programPath, iconIndex);
  if (!writeText(HKEY_CLASSES_ROOT, path, nullptr, text)) return 0;
  path.Format("%s\\shell\\open\\command", protocol);
  text.Format("\"%s\" \"%%1\"", programPath);
  return writeText(HKEY_CLASSES_ROOT, path, nullptr, text);
}

int UnRegWebProtocol(const char* protocol) {
  if (protocol == nullptr || *protocol == '\0') return 0;
  return RegDeleteAllSubKey(HKEY_CLASSES_ROOT, protocol);
}

int AddAutoRunProgram(char* valueName, const char* arguments, const char* programPath) {
  char program[MAX_PATH] = {};
  if (programPath != nullptr) {
    std::strncpy(program, programPath, MAX_PATH - 1);
  } else {
    GetModuleFileName(nullptr, program, MAX_PATH - 1);
  }
  CString command;
  command.Format("\"%s\"", program);
  if (arguments != nullptr && *arguments != '\0') command += CString(" ") + arguments;
  return writeText(HKEY_LOCAL_MACHINE, kRunKey, valueName, command);
}

int DeleteAutoRunProgram(char* valueName) {
  const char* name = valueName != nullptr ? valueName : AfxGetAppName();
  if (name == nullptr) return 0;
  RegistryKey key;
  if (key.open(HKEY_LOCAL_MACHINE, kRunKey, KEY_ALL_ACCESS) != ERROR_SUCCESS) return 0;
  return RegDeleteValue(key.get(), name) == ERROR_SUCCESS ? 1 : 0;
}
