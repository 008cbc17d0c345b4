#include "platform/win/kernel/Process.h"

#include <strings.h>
#include <unistd.h>

#include <csignal>
#include <map>
#include <mutex>

#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Handles.h"
#include "platform/win/kernel/Paths.h"
#include "platform/win/kernel/ProcessLauncher.h"
#include "platform/win/kernel/Root.h"

using wavorel::Launched;
using wavorel::ProcessObject;

namespace wavorel {

namespace {

struct CaseInsensitiveLess {
  bool operator()(const std::string& a, const std::string& b) const { return strcasecmp(a.c_str(), b.c_str()) < 0; }
};

std::mutex g_mutex;
std::vector<ProcessStart> g_starts;
std::map<std::string, std::string, CaseInsensitiveLess> g_associations;  // ".chm" / "http" -> program
const bool g_reset = (registerStateReset([] {
                        std::lock_guard<std::mutex> lock(g_mutex);
                        g_starts.clear();
                        g_associations.clear();
                      }),
                      true);

}  // namespace

void registerFileAssociation(const std::string& extensionOrScheme, const std::string& program) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_associations[extensionOrScheme] = program;
}

std::vector<ProcessStart> processStarts() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return g_starts;
}

void clearProcessStarts() {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_starts.clear();
}

}  // namespace wavorel

namespace {

// The value ShellExecute and WinExec give for a started program.
constexpr UINT kStarted = 33;

void record(const char* api, const std::string& program, const std::string& commandLine, const std::string& verb,
            int show, DWORD error) {
  std::lock_guard<std::mutex> lock(wavorel::g_mutex);
  wavorel::g_starts.push_back({api, program, commandLine, verb, show, error});
}

std::string text(LPCSTR s) { return s ? std::string(s) : std::string(); }

// The program for a document or address, or "" when none is registered.
std::string associatedProgram(const std::string& file) {
  std::string key;
  size_t colon = file.find(':');
  if (colon != std::string::npos && colon > 1) {
    key = file.substr(0, colon);  // an address: "http:..."
  } else {
    size_t dot = file.find_last_of(".\\/");
    if (dot == std::string::npos || file[dot] != '.') return "";
    key = file.substr(dot);
  }
  std::lock_guard<std::mutex> lock(wavorel::g_mutex);
  auto it = wavorel::g_associations.find(key);
  return it == wavorel::g_associations.end() ? std::string() : it->second;
}

bool isProgramFile(const std::string& file) {
  size_t dot = file.find_last_of(".\\/:");
  if (dot == std::string::npos || file[dot] != '.') return true;
  std::string ext = file.substr(dot);
  for (const char* e : {".exe", ".com", ".bat", ".cmd"})
    if (strcasecmp(ext.c_str(), e) == 0) return true;
  return false;
}

bool isAddress(const std::string& file) {
  size_t colon = file.find(':');
  return colon != std::string::npos && colon > 1;
}

INT_PTR shellError(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
      return SE_ERR_FNF;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
      return SE_ERR_PNF;
    case ERROR_ACCESS_DENIED:
      return SE_ERR_ACCESSDENIED;
    case ERROR_BAD_EXE_FORMAT:
      return ERROR_BAD_FORMAT;
    case ERROR_NO_ASSOCIATION:
      return SE_ERR_NOASSOC;
    default:
      return SE_ERR_OOM;
  }
}

// Starts a document's program: the document must exist.
DWORD openDocument(const std::string& file, const std::string& parameters, const std::string& directory,
                   Launched& launched) {
  std::string commandLine;
  if (isAddress(file)) {
    commandLine = file;
  } else {
    std::string path = file;
    if (!directory.empty() && file.find_first_of("\\/:") == std::string::npos) path = directory + "\\" + file;
    std::string linuxPath;
    if (!wavorel::resolveWindowsPath(path, linuxPath)) return GetLastError();
    if (::access(linuxPath.c_str(), F_OK) != 0)
      return ::access(linuxPath.substr(0, linuxPath.rfind('/')).c_str(), F_OK) == 0 ? ERROR_FILE_NOT_FOUND
                                                                                     : ERROR_PATH_NOT_FOUND;
    commandLine = "\"" + wavorel::fullWindowsPath(path) + "\"";
  }
  std::string program = associatedProgram(file);
  if (program.empty()) return ERROR_NO_ASSOCIATION;
  commandLine = "\"" + program + "\" " + commandLine;
  if (!parameters.empty()) commandLine += " " + parameters;
  return wavorel::launchProgram("", commandLine, directory, launched);
}

std::shared_ptr<ProcessObject> processOf(HANDLE h) { return wavorel::kernelObjectAs<ProcessObject>(h); }

}  // namespace

BOOL CreateProcess(LPCSTR lpApplicationName, LPSTR lpCommandLine, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES,
                   BOOL, DWORD, LPVOID, LPCSTR lpCurrentDirectory, LPSTARTUPINFO lpStartupInfo,
                   LPPROCESS_INFORMATION lpProcessInformation) {
  std::string app = text(lpApplicationName);
  std::string commandLine = lpCommandLine ? std::string(lpCommandLine) : "\"" + app + "\"";
  int show = lpStartupInfo && (lpStartupInfo->dwFlags & STARTF_USESHOWWINDOW) ? lpStartupInfo->wShowWindow : -1;
  if (!lpProcessInformation || (app.empty() && !lpCommandLine)) {
    record("CreateProcess", app, commandLine, "", show, ERROR_INVALID_PARAMETER);
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  Launched launched;
  DWORD error = wavorel::launchProgram(app, commandLine, text(lpCurrentDirectory), launched);
  record("CreateProcess", launched.program, commandLine, "", show, error);
  if (error) {
    SetLastError(error);
    return FALSE;
  }
  lpProcessInformation->dwProcessId = launched.process->id();
  lpProcessInformation->dwThreadId = launched.thread->id();
  lpProcessInformation->hProcess = wavorel::insertKernelObject(std::move(launched.process));
  lpProcessInformation->hThread = wavorel::insertKernelObject(std::move(launched.thread));
  return TRUE;
}

UINT WinExec(LPCSTR lpCmdLine, UINT uCmdShow) {
  std::string commandLine = text(lpCmdLine);
  Launched launched;
  DWORD error = wavorel::launchProgram("", commandLine, "", launched);
  record("WinExec", launched.program, commandLine, "", static_cast<int>(uCmdShow), error);
  if (!error) return kStarted;
  SetLastError(error);
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return error;
    case ERROR_BAD_EXE_FORMAT:
      return ERROR_BAD_FORMAT;
    default:
      return 0;
  }
}

HINSTANCE ShellExecute(HWND, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                       INT nShowCmd) {
  std::string verb = text(lpOperation), file = text(lpFile), parameters = text(lpParameters);
  std::string directory = text(lpDirectory);
  DWORD error = 0;
  Launched launched;
  if (!verb.empty() && strcasecmp(verb.c_str(), "open") != 0) {
    error = ERROR_NO_ASSOCIATION;
  } else if (file.empty()) {
    error = ERROR_FILE_NOT_FOUND;
  } else if (isProgramFile(file) && !isAddress(file)) {
    std::string commandLine = "\"" + file + "\"" + (parameters.empty() ? "" : " " + parameters);
    error = wavorel::launchProgram("", commandLine, directory, launched);
  } else {
    error = openDocument(file, parameters, directory, launched);
  }
  record("ShellExecute", file, parameters, verb, nShowCmd, error);
  if (!error) return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(kStarted));
  SetLastError(error);
  return reinterpret_cast<HINSTANCE>(shellError(error));
}

HWND HtmlHelp(HWND, LPCSTR pszFile, UINT uCommand, DWORD_PTR) {
  if (uCommand != HH_DISPLAY_TOPIC) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const std::string file = text(pszFile);
  std::string linuxPath;
  DWORD error = 0;
  Launched launched;
  if (file.empty() || !wavorel::resolveWindowsPath(file, linuxPath)) {
    error = ERROR_FILE_NOT_FOUND;
  } else if (::access(linuxPath.c_str(), F_OK) != 0) {
    error = ::access(linuxPath.substr(0, linuxPath.rfind('/')).c_str(), F_OK) == 0 ? ERROR_FILE_NOT_FOUND
                                                                                 : ERROR_PATH_NOT_FOUND;
  } else {
    error = wavorel::launchProgram("", "\"hh.exe\" \"" + wavorel::fullWindowsPath(file) + "\"", "", launched);
  }
  record("HtmlHelp", file, "", "", -1, error);
  SetLastError(error);
  return nullptr;
}

BOOL GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode) {
  auto process = processOf(hProcess);
  if (!process || !lpExitCode) {
    SetLastError(process ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return FALSE;
  }
  *lpExitCode = process->exitCode();
  return TRUE;
}

BOOL TerminateProcess(HANDLE hProcess, UINT uExitCode) {
  auto process = processOf(hProcess);
  if (!process) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (process->ended()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (process->linuxPid() == 0) {
    process->finish(uExitCode);
  } else {
    process->requestTermination(uExitCode);
    ::kill(process->linuxPid(), SIGKILL);
  }
  return TRUE;
}

HANDLE GetCurrentProcess() { return reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1)); }

DWORD GetCurrentProcessId() { return static_cast<DWORD>(::getpid()); }
