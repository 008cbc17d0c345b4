#include "utilmere/Log.h"

#include <atomic>

#include "platform/Platform.h"
#include "utilmere/FileTools.h"
#include "utilmere/LogLevels.h"
#include "utilmere/TimeTools.h"

namespace {

const int kLineBufferSize = 2048;
const int kLineTextLimit = 2045;  // everything before the CR LF
const LONGLONG kLogFileLimit = 2097152;

const utilmere::LogLevel kLevels[] = {
    {"VERBOSE", MB_ICONINFORMATION, 0x404040}, {"NORMAL", MB_ICONINFORMATION, 0x800000},
    {"WARNING", MB_ICONEXCLAMATION, 0x000080}, {"ERROR", MB_ICONSTOP, 0x0000FF},
    {"DEBUG", MB_ICONSTOP, 0x0000FF},          {"INVALID", 0, 0x000000},
};

std::atomic<GxLogCallback> g_later{nullptr};
std::atomic<GxLogCallback> g_outDialog{nullptr};
std::atomic<HWND> g_logWindow{nullptr};
std::atomic<UINT> g_defaultRouting{0};

// The queue of lines for the log window; both arrays change together under
// the lock, which lives as long as the library.
class LogQueue {
 public:
  LogQueue() { InitializeCriticalSection(&lock_); }
  ~LogQueue() { DeleteCriticalSection(&lock_); }
  LogQueue(const LogQueue&) = delete;
  LogQueue& operator=(const LogQueue&) = delete;

  void add(const char* line, UINT code) {
    EnterCriticalSection(&lock_);
    lines_.Add(CString(line));
    codes_.Add(code);
    LeaveCriticalSection(&lock_);
  }
  void takeAll(CStringArray& lines, CUIntArray& codes) {
    EnterCriticalSection(&lock_);
    lines.Append(lines_);
    codes.Append(codes_);
    lines_.RemoveAll();
    codes_.RemoveAll();
    LeaveCriticalSection(&lock_);
  }

 private:
  CRITICAL_SECTION lock_;
  CStringArray lines_;
  CUIntArray codes_;
};

LogQueue& logQueue() {
  static LogQueue queue;
  return queue;
}

// This month's log file. Lines from any thread are appended one at a time,
// each whole, under the file's lock; the file is opened for appending, so a
// line of another process never overwrites one of ours.
class LogFile {
 public:
  LogFile() { InitializeCriticalSection(&lock_); }
  ~LogFile() { DeleteCriticalSection(&lock_); }
  LogFile(const LogFile&) = delete;
  LogFile& operator=(const LogFile&) = delete;

  // A file past 2 MiB is deleted first, so the line starts a new one.
  // Failures lose the line silently.
  void append(const char* line, int length) {
    if (utilmere::logName() == nullptr) return;
    const CString path = GetLogFileName();
    EnterCriticalSection(&lock_);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesEx(path, GetFileExInfoStandard, &data) &&
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      const LONGLONG size = static_cast<LONGLONG>((static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) |
                                                  data.nFileSizeLow);
      if (size > kLogFileLimit) DeleteFile(path);
    }
    WriteDataToFile(path, const_cast<char*>(line), length, "ab+", -1);
    LeaveCriticalSection(&lock_);
  }

 private:
  CRITICAL_SECTION lock_;
};

LogFile& logFile() {
  static LogFile file;
  return file;
}

void route(UINT code, const char* line, const char* text) {
  UINT routing = code & GXLOG_ROUTE_MASK;
  if (routing == 0) routing = g_defaultRouting.load();
  if (routing & GXLOG_OUT_NONE) return;
  if (routing & GXLOG_OUT_CONSOLE) {
    fputs(line, stdout);
    fflush(stdout);
    return;
  }
  if (routing & GXLOG_OUT_DIALOG) {
    if (GxLogCallback outDialog = g_outDialog.load()) {
      outDialog(code, line);
    } else {
      gxMsgBox(nullptr, nullptr, utilmere::logLevel(code).icon, "%s", text);
    }
    return;
  }
  const HWND window = g_logWindow.load();
  if (window == nullptr || !IsWindow(window)) return;
  logQueue().add(line, code);
  if (routing & GXLOG_OUT_SEND) {
    SendMessage(window, WM_GX_SHOWLOG, code, 0);
  } else {
    PostMessage(window, WM_GX_SHOWLOG, code, 0);
  }
}

}  // namespace

const utilmere::LogLevel& utilmere::logLevel(UINT code) {
  const UINT level = code & GXLOG_LEVEL_MASK;
  return kLevels[level < GXLOG_INVALID ? level : GXLOG_INVALID];
}

void Log(UINT code, const char* format, ...) {
  char buffer[kLineBufferSize] = {};
  char stamp[20] = {};
  GetCurTimeString(stamp, 0);
  int length = _snprintf(buffer, kLineTextLimit, "[%s] <%s> ", stamp, utilmere::logLevel(code).name);
  const int textStart = length;
  if (format != nullptr) {
    va_list args;
    va_start(args, format);
    _vsnprintf(buffer + textStart, static_cast<size_t>(kLineTextLimit - textStart), format, args);
    va_end(args);
  }
  length = static_cast<int>(strnlen(buffer, kLineTextLimit));
  const CString text(buffer + textStart, length - textStart);
  memcpy(buffer + length, "\r\n", 2);
  length += 2;
  const CString line(buffer, length);

  logFile().append(line, length);
  route(code, line, text);
  if (GxLogCallback later = g_later.load()) later(code, line);
}

void Log_Exception(CException* exception, const char* format, ...) {
  char text[256] = {};
  if (format != nullptr) {
    va_list args;
    va_start(args, format);
    _vsnprintf(text, sizeof(text) - 1, format, args);
    va_end(args);
  }
  char message[256] = {};
  if (exception != nullptr) exception->GetErrorMessage(message, sizeof(message));
  Log(GXLOG_ERROR, "Exception occured. %s. %s", message, text);
}

void SetCallbackFunc_LogHandleLater(GxLogCallback callback) { g_later = callback; }
void SetCallbackFunc_LogHandleOutDlg(GxLogCallback callback) { g_outDialog = callback; }

void Set_RecvLogMsgHwnd(HWND window) {
  if (window != nullptr && IsWindow(window)) g_logWindow = window;
}

void Set_LogOutDefaultPosistion(UINT routing) { g_defaultRouting = routing; }

void GetLastLogStrAry(CStringArray* lines, CUIntArray* codes) {
  if (lines == nullptr || codes == nullptr) return;
  logQueue().takeAll(*lines, *codes);
}
