#include "worker/TraceFile.h"

#include <cstdio>
#include <cstring>

#include "worker/Settings.h"

BOOL IsTraceOn() {
  char value[8] = "";
  GetModuleIniString("Advance", "OpenFile", "0", value, sizeof value, "ini");
  return std::strcmp(value, "1") == 0;
}

void AppendTrace(LPCSTR text) { AppendTraceTo("C:\\Sorvik_test.txt", text); }

void AppendTraceTo(LPCSTR path, LPCSTR text) {
  FILE* file = fopen(path, "a+");
  if (!file) return;
  std::fputs(text, file);
  std::fclose(file);
}
