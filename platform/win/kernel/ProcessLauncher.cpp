#include "platform/win/kernel/ProcessLauncher.h"

#include <spawn.h>
#include <strings.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <map>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/win/kernel/CommandLine.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Paths.h"
#include "platform/win/kernel/Process.h"
#include "platform/win/kernel/Root.h"

extern char** environ;

namespace fs = std::filesystem;

namespace wavorel {

namespace {

struct CaseInsensitiveLess {
  bool operator()(const std::string& a, const std::string& b) const { return strcasecmp(a.c_str(), b.c_str()) < 0; }
};

using ProgramTable = std::map<std::string, ProgramHandler, CaseInsensitiveLess>;  // by "<name>.exe"
struct Programs {
  std::mutex mutex;
  ProgramTable current;
  ProgramTable persistent;
};
// Reached through a function: other files register programs during static initialisation.
Programs& programs() {
  static Programs p;
  return p;
}
const bool g_reset = (registerStateReset([] {
                        std::lock_guard<std::mutex> lock(programs().mutex);
                        programs().current = programs().persistent;
                      }),
                      true);

// Ids of registered programs' processes lie above every Linux process id.
std::atomic<DWORD> g_nextProgramId{0x00800004};

std::string lastComponent(const std::string& path) {
  size_t cut = path.find_last_of("\\/:");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string withExe(const std::string& name) {
  return lastComponent(name).find('.') == std::string::npos ? name + ".exe" : name;
}

bool hasPath(const std::string& name) { return name.find_first_of("\\/:") != std::string::npos; }

bool endsWithExe(const std::string& name) {
  return name.size() > 4 && strcasecmp(name.c_str() + name.size() - 4, ".exe") == 0;
}

// The Linux file of a Windows program path: the file itself, or for "X.exe"
// an extensionless "X".
bool programFile(const std::string& winPath, std::string& linuxPath, DWORD& error) {
  if (!resolveWindowsPath(winPath, linuxPath)) {
    error = GetLastError();
    return false;
  }
  std::error_code ec;
  if (fs::exists(linuxPath, ec)) return true;
  if (endsWithExe(linuxPath) && fs::is_regular_file(linuxPath.substr(0, linuxPath.size() - 4), ec)) {
    linuxPath.resize(linuxPath.size() - 4);
    return true;
  }
  error = fs::is_directory(fs::path(linuxPath).parent_path(), ec) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
  return false;
}

// Finds `name`: as a path when it has one, else along the search folders.
bool findProgram(const std::string& name, bool search, std::string& winPath, std::string& linuxPath,
                 DWORD& error) {
  std::vector<std::string> tries;
  if (!search || hasPath(name)) {
    tries.push_back(name);
  } else {
    for (const std::string& dir : {programFolderWindows(), currentDirectory(), std::string("C:\\Windows\\System32"),
                                   std::string("C:\\Windows\\System"), std::string("C:\\Windows")})
      tries.push_back(dir + "\\" + name);
  }
  error = ERROR_FILE_NOT_FOUND;
  for (const auto& t : tries) {
    DWORD e = 0;
    if (programFile(t, linuxPath, e)) {
      std::string full = fullWindowsPath(t);
      winPath = full.empty() ? t : full;
      return true;
    }
    // A path's own failure tells more than the search's.
    if (tries.size() == 1) error = e;
  }
  return false;
}

ProgramHandler registeredProgram(const std::string& name) {
  std::lock_guard<std::mutex> lock(programs().mutex);
  auto it = programs().current.find(withExe(lastComponent(name)));
  return it == programs().current.end() ? nullptr : it->second;
}

DWORD runRegistered(const ProgramHandler& handler, ProgramRun run, Launched& launched) {
  auto process = std::make_shared<ProcessObject>(g_nextProgramId.fetch_add(4), 0);
  auto thread = std::make_shared<ThreadObject>(newThreadId());
  try {
    std::thread([handler, run = std::move(run), process, thread] {
      adoptThreadId(thread->id());
      DWORD code = handler(run);
      thread->finish(code);
      process->finish(code);
    }).detach();
  } catch (const std::system_error&) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
  launched.process = std::move(process);
  launched.thread = std::move(thread);
  return 0;
}

DWORD spawnError(int err) {
  switch (err) {
    case ENOENT:
      return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
      return ERROR_ACCESS_DENIED;
    case ENOEXEC:
      return ERROR_BAD_EXE_FORMAT;
    default:
      return ERROR_NOT_ENOUGH_MEMORY;
  }
}

// The child's exit code as Windows would report it; a child killed by a
// signal that TerminateProcess did not send reads as 128 + the signal.
DWORD exitCodeOf(int status, const ProcessObject& process) {
  if (WIFEXITED(status)) return static_cast<DWORD>(WEXITSTATUS(status));
  if (process.terminationRequested()) return process.terminationCode();
  return WIFSIGNALED(status) ? 128u + static_cast<DWORD>(WTERMSIG(status)) : 1u;
}

DWORD spawn(const std::string& linuxPath, const std::string& linuxDir, const std::vector<std::string>& args,
            Launched& launched) {
  std::vector<std::string> env;
  for (char** e = environ; e && *e; ++e)
    if (std::string(*e).rfind("WAVOREL_ROOT=", 0) != 0) env.emplace_back(*e);
  env.push_back("WAVOREL_ROOT=" + platformRoot());
  std::vector<char*> argv, envp;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, linuxDir.c_str());
  pid_t pid = 0;
  int err = posix_spawn(&pid, linuxPath.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (err != 0) return spawnError(err);

  auto process = std::make_shared<ProcessObject>(static_cast<DWORD>(pid), pid);
  auto thread = std::make_shared<ThreadObject>(static_cast<DWORD>(pid));
  try {
    std::thread([process, thread, pid] {
      int status = 0;
      while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
      }
      DWORD code = exitCodeOf(status, *process);
      thread->finish(code);
      process->finish(code);
    }).detach();
  } catch (const std::system_error&) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    return ERROR_NOT_ENOUGH_MEMORY;
  }
  launched.process = std::move(process);
  launched.thread = std::move(thread);
  return 0;
}

bool linuxFolder(const std::string& winDir, std::string& linuxDir, DWORD& error) {
  std::error_code ec;
  if (!resolveWindowsPath(winDir.empty() ? currentDirectory() : winDir, linuxDir)) {
    error = GetLastError();
    return false;
  }
  if (!fs::is_directory(linuxDir, ec)) {
    error = fs::exists(linuxDir, ec) ? ERROR_DIRECTORY : ERROR_PATH_NOT_FOUND;
    return false;
  }
  return true;
}

}  // namespace

void registerProgram(const std::string& name, ProgramHandler handler, bool persistent) {
  std::lock_guard<std::mutex> lock(programs().mutex);
  std::string key = withExe(lastComponent(name));
  if (persistent) programs().persistent[key] = handler;
  programs().current[key] = std::move(handler);
}

DWORD launchProgram(const std::string& applicationName, const std::string& commandLine,
                    const std::string& currentDirectory, Launched& launched) {
  std::vector<std::string> names =
      applicationName.empty() ? programCandidates(commandLine) : std::vector<std::string>{applicationName};
  if (names.empty()) return ERROR_FILE_NOT_FOUND;
  const bool search = applicationName.empty();
  DWORD error = ERROR_FILE_NOT_FOUND;
  std::string winPath, linuxPath;
  bool found = false;
  for (const auto& n : names) {
    std::string name = search ? withExe(n) : n;
    found = findProgram(name, search, winPath, linuxPath, error);
    launched.program = found ? winPath : name;
    if (auto handler = registeredProgram(name)) {
      ProgramRun run{launched.program, commandLine, splitCommandLine(commandLine)};
      return runRegistered(handler, std::move(run), launched);
    }
    if (found) break;
  }
  if (!found) return error;

  std::error_code ec;
  if (fs::is_directory(linuxPath, ec)) return ERROR_ACCESS_DENIED;
  if (::access(linuxPath.c_str(), X_OK) != 0) return ERROR_BAD_EXE_FORMAT;
  std::string linuxDir;
  if (!linuxFolder(currentDirectory, linuxDir, error)) return error;
  std::vector<std::string> args = splitCommandLine(commandLine);
  if (args.empty()) args.push_back(launched.program);
  return spawn(linuxPath, linuxDir, args, launched);
}

}  // namespace wavorel
