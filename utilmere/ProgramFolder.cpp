#include "platform/Platform.h"
#include "utilmere/FileTools.h"
#include "utilmere/Strings.h"
#include "utilmere/Log.h"
#include "utilmere/LogLevels.h"

namespace {

char g_programFolder[MAX_PATH] = {};
const char* g_logName = nullptr;

void computeProgramFolder() { GetProgramDir(g_programFolder, sizeof(g_programFolder)); }

}  // namespace

const char* utilmere::logName() { return g_logName; }

int Init_Utilmere(const char* name) {
  computeProgramFolder();
  if (name != nullptr && *name != '\0') g_logName = name;
  return 1;
}

char* GetCurDir() {
  if (g_programFolder[0] == '\0') computeProgramFolder();
  return g_programFolder;
}

CString GetProgramDir() {
  char folder[MAX_PATH] = {};
  GetProgramDir(folder, sizeof(folder));
  return CString(folder);
}

int GetProgramDir(char* buffer, DWORD size) {
  if (buffer == nullptr || size == 0) return 0;
  memset(buffer, 0, size);
  const DWORD length = GetModuleFileName(nullptr, buffer, size);
  if (length == 0 || length >= size) {  // a cut path names no folder
    memset(buffer, 0, size);
    return 0;
  }
  const char* last = gxStrrChr(buffer, '\\');
  if (last == nullptr) return 0;
  const int position = static_cast<int>(last - buffer);
  memset(buffer + position + 1, 0, size - static_cast<DWORD>(position) - 1);
  return position;
}

CString GetLogFileName() {
  const char* folder = GetCurDir();
  if (g_logName == nullptr) return CString();
  return GenerateDateFileName(folder, FormatString("Log-%s", g_logName), "txt");
}
