#include "utilmere/ProcessTools.h"

#include <vector>

#include "platform/Platform.h"

// The thread handle of the new process is closed here: the caller only ever
// gets the process handle, so the thread handle would otherwise be lost.
HANDLE gxCreateProcess(const char* program, const char* arguments) {
  if (program == nullptr || *program == '\0') {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  CString commandLine;
  if (arguments != nullptr && *arguments != '\0') {
    commandLine.Format("\"%s\" %s", program, arguments);
  } else {
    commandLine.Format("\"%s\"", program);
  }
  commandLine.Trim();
  std::vector<char> line(commandLine.GetString(), commandLine.GetString() + commandLine.GetLength() + 1);

  STARTUPINFO startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process = {};
  if (!CreateProcess(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_DEFAULT_ERROR_MODE, nullptr, nullptr,
                     &startup, &process)) {
    return nullptr;
  }
  CloseHandle(process.hThread);
  return process.hProcess;
}

// The process handle is closed before returning, as the caller never sees it;
// a process still running at a time-out runs on. A wait of more than
// 4,294,967 seconds has no millisecond count: it waits without end.
int ExecuteProcAndWaitEnd(const char* program, const char* arguments, DWORD seconds, DWORD* exitCodeOut) {
  HANDLE process = gxCreateProcess(program, arguments);
  if (process == nullptr) return -1;
  int result = 0;
  if (seconds != 0) {
    const DWORD milliseconds = seconds < INFINITE / 1000 ? seconds * 1000 : INFINITE;
    if (WaitForSingleObject(process, milliseconds) != WAIT_OBJECT_0) result = -2;
  }
  if (result == 0 && exitCodeOut != nullptr && !GetExitCodeProcess(process, exitCodeOut)) result = -3;
  CloseHandle(process);
  return result;
}

int WaitForThreadEnd(HANDLE* thread, DWORD milliseconds) {
  if (thread == nullptr || *thread == nullptr) return 1;
  int result = 1;
  if (WaitForSingleObject(*thread, milliseconds) != WAIT_OBJECT_0) {
    TerminateThread(*thread, 0);
    result = 0;
  }
  CloseHandle(*thread);
  *thread = nullptr;
  return result;
}

WORD GetSystemLanguageType() { return LOWORD(GetSystemDefaultLCID()); }
WORD GetUserLanguageType() { return LOWORD(GetUserDefaultLCID()); }
