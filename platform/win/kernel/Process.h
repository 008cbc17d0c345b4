// Processes: CreateProcess, WinExec and ShellExecute start programs named by
// Windows paths.
//
// A program is found as CreateProcess finds it: the application name as given
// (no search, no default extension), or the program part of the command line
// with ".exe" added when its name has no extension, searched for (when it has
// no path) in the program folder, the current directory, C:\Windows\System32,
// C:\Windows\System and C:\Windows. The Linux executable behind "X.exe" may
// also be called plain "X". A found file that can be executed here really runs
// (its arguments split from the command line as its run-time would, its
// current directory mapped, WAVOREL_ROOT set to this platform root); a file
// that cannot fails with ERROR_BAD_EXE_FORMAT; a missing one with
// ERROR_FILE_NOT_FOUND or ERROR_PATH_NOT_FOUND.
//
// Programs that do not exist here (sibling tools, a browser) are modelled by
// registering them: a start of a program of that name (wherever its file is,
// and whether or not it is there) runs the handler on a thread, and the
// process ends with the handler's result. Every start attempt is recorded.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/win/kernel/ExitStatus.h"
#include "platform/win/kernel/Types.h"

#define CREATE_DEFAULT_ERROR_MODE 0x04000000u
#define STARTF_USESHOWWINDOW 0x00000001u

#define SE_ERR_FNF 2
#define SE_ERR_PNF 3
#define SE_ERR_ACCESSDENIED 5
#define SE_ERR_OOM 8
#define SE_ERR_NOASSOC 31

struct STARTUPINFO {
  DWORD cb;
  LPSTR lpReserved;
  LPSTR lpDesktop;
  LPSTR lpTitle;
  DWORD dwX;
  DWORD dwY;
  DWORD dwXSize;
  DWORD dwYSize;
  DWORD dwXCountChars;
  DWORD dwYCountChars;
  DWORD dwFillAttribute;
  DWORD dwFlags;
  WORD wShowWindow;
  WORD cbReserved2;
  LPBYTE lpReserved2;
  HANDLE hStdInput;
  HANDLE hStdOutput;
  HANDLE hStdError;
};
typedef STARTUPINFO* LPSTARTUPINFO;

struct PROCESS_INFORMATION {
  HANDLE hProcess;
  HANDLE hThread;
  DWORD dwProcessId;
  DWORD dwThreadId;
};
typedef PROCESS_INFORMATION* LPPROCESS_INFORMATION;

// The environment block and inherited handles are not passed on; the creation
// flags choose nothing here.
BOOL CreateProcess(LPCSTR lpApplicationName, LPSTR lpCommandLine, LPSECURITY_ATTRIBUTES lpProcessAttributes,
                   LPSECURITY_ATTRIBUTES lpThreadAttributes, BOOL bInheritHandles, DWORD dwCreationFlags,
                   LPVOID lpEnvironment, LPCSTR lpCurrentDirectory, LPSTARTUPINFO lpStartupInfo,
                   LPPROCESS_INFORMATION lpProcessInformation);
// Above 31 when started; else ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND,
// ERROR_BAD_FORMAT, or 0.
UINT WinExec(LPCSTR lpCmdLine, UINT uCmdShow);
// Verb "open" (or none): a program starts with the parameters; a document or
// an address ("http:...") opens with the program registered for its extension
// or scheme. Above 32 when started; else SE_ERR_FNF, SE_ERR_PNF,
// SE_ERR_ACCESSDENIED, ERROR_BAD_FORMAT, SE_ERR_OOM or SE_ERR_NOASSOC (no
// program for the document, or another verb).
HINSTANCE ShellExecute(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                       INT nShowCmd);

// HTML Help: HH_DISPLAY_TOPIC opens the help file in the help viewer, a
// program start ("hh.exe" and the file's full path) recorded as "HtmlHelp".
// A missing file fails (recorded with ERROR_FILE_NOT_FOUND or
// ERROR_PATH_NOT_FOUND) and nothing starts. The viewer is another process:
// no window of this one is returned (NULL). Other commands fail with
// ERROR_INVALID_PARAMETER.
#define HH_DISPLAY_TOPIC 0x0000
HWND HtmlHelp(HWND hwndCaller, LPCSTR pszFile, UINT uCommand, DWORD_PTR dwData);

BOOL GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode);
// Kills the process; once it has died its exit code is uExitCode. A process
// that has already ended gives ERROR_ACCESS_DENIED. A registered program's
// handler runs on to its end detached; its result is dropped.
BOOL TerminateProcess(HANDLE hProcess, UINT uExitCode);
// The pseudo handle of the calling process.
HANDLE GetCurrentProcess();
DWORD GetCurrentProcessId();

namespace wavorel {

struct ProgramRun {
  std::string program;      // Windows path of the program (as named when no file was found)
  std::string commandLine;  // as given to the process
  std::vector<std::string> args;  // split as the program's run-time would
};
using ProgramHandler = std::function<DWORD(const ProgramRun&)>;

// Models a program by its file name (case-insensitive; ".exe" optional).
// Registrations are dropped with the platform state unless persistent. A null
// handler takes the model away: starts then look for the file as for any
// other program.
void registerProgram(const std::string& name, ProgramHandler handler, bool persistent = false);
// The program that opens documents with this extension (".chm") or addresses
// of this scheme ("http"), as ShellExecute's "open" uses it.
void registerFileAssociation(const std::string& extensionOrScheme, const std::string& program);

struct ProcessStart {
  std::string api;          // "CreateProcess", "WinExec", "ShellExecute"
  std::string program;      // the program found or sought; ShellExecute: its file as given
  std::string commandLine;  // ShellExecute: its parameters
  std::string verb;         // ShellExecute only
  int show;                 // the show command, -1 when none was given
  DWORD error;              // 0 when the program started
};
std::vector<ProcessStart> processStarts();
void clearProcessStarts();

}  // namespace wavorel
