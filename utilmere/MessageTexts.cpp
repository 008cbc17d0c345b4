#include "platform/Platform.h"
#include "utilmere/Log.h"
#include "utilmere/LogLevels.h"

namespace {

const char* g_appName = "Pellandor.Omrin.LogInfo";
char g_errorText[256] = {};

// Formats into `buffer`, at most size - 1 characters, always terminated.
void formatCut(char* buffer, size_t size, const char* format, va_list args) {
  buffer[0] = '\0';
  if (format != nullptr) _vsnprintf(buffer, size - 1, format, args);
  buffer[size - 1] = '\0';
}

CString formatString(const char* format, va_list args) {
  char buffer[1024] = {};
  formatCut(buffer, sizeof(buffer), format, args);
  return CString(buffer);
}

}  // namespace

const char* utilmere::appName() { return g_appName; }

void SetAppName(const char* name) {
  if (name != nullptr && *name != '\0') g_appName = name;
}

CString FormatString(const char* format, ...) {
  va_list args;
  va_start(args, format);
  CString text = formatString(format, args);
  va_end(args);
  return text;
}

CString GetMLTextPub(const char* format, ...) {
  va_list args;
  va_start(args, format);
  CString text = formatString(format, args);
  va_end(args);
  return text;
}

int gxMsgBox(HWND owner, const char* caption, UINT type, const char* format, ...) {
  char text[255] = {};
  va_list args;
  va_start(args, format);
  formatCut(text, sizeof(text), format, args);
  va_end(args);
  return MessageBox(owner, text, caption != nullptr ? caption : g_appName, type);
}

void MsgBoxErr(const char* format, ...) {
  const DWORD error = GetLastError();
  char text[256] = {};
  va_list args;
  va_start(args, format);
  formatCut(text, sizeof(text), format, args);
  va_end(args);
  AfxMessageBox(FormatString("%s\r\nError NO : %d", text, static_cast<int>(error)));
}

char* GxFormatError(DWORD code) {
  g_errorText[0] = '\0';
  if (FormatMessage(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                    MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), g_errorText, sizeof(g_errorText), nullptr) == 0) {
    g_errorText[0] = '\0';
  }
  return g_errorText;
}
