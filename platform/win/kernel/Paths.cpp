#include "platform/win/kernel/Paths.h"

#include <strings.h>

#include <cctype>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <vector>

#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Root.h"

namespace fs = std::filesystem;

namespace wavorel {

namespace {

const char kProgramFiles[] = "Program Files";

struct ProgramFolder {
  std::string linuxDir;
  std::string exeName;  // "<ExeBase>.exe"
};

std::mutex g_mutex;
ProgramFolder g_program;  // empty: not yet derived from the executable
std::string g_currentDir;  // empty: the program folder
std::string g_driveCReady;  // the drive C folder last made complete

bool endsWithExe(const std::string& name) {
  return name.size() >= 4 && strcasecmp(name.c_str() + name.size() - 4, ".exe") == 0;
}

ProgramFolder runningProgram() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) exe = fs::current_path() / "program";
  return {exe.parent_path().string(), exe.filename().string() + ".exe"};
}

// Must be called with g_mutex held.
const ProgramFolder& program() {
  if (g_program.linuxDir.empty()) g_program = runningProgram();
  return g_program;
}

std::string exeBase(const std::string& exeName) { return exeName.substr(0, exeName.size() - 4); }

bool sameName(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

bool validComponent(const std::string& c) {
  for (unsigned char ch : c) {
    if (ch < 0x20) return false;
    switch (ch) {
      case '<': case '>': case ':': case '"': case '|': case '?': case '*':
        return false;
      default:
        break;
    }
  }
  return true;
}

// A normal absolute Windows path: drive letter and components.
struct WinPath {
  char drive = 'C';
  std::vector<std::string> parts;

  std::string str() const {
    std::string s(1, drive);
    s += ":\\";
    for (size_t i = 0; i < parts.size(); ++i) {
      if (i) s += '\\';
      s += parts[i];
    }
    return s;
  }
};

// Splits `rest` onto `out.parts`, applying "." and "..". Sets the last error on failure.
bool appendComponents(const std::string& rest, WinPath& out) {
  size_t i = 0;
  while (i <= rest.size()) {
    size_t j = rest.find('\\', i);
    if (j == std::string::npos) j = rest.size();
    std::string c = rest.substr(i, j - i);
    i = j + 1;
    if (c.empty() || c == ".") continue;
    if (c == "..") {
      if (out.parts.empty()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
      }
      out.parts.pop_back();
      continue;
    }
    if (!validComponent(c)) {
      SetLastError(ERROR_INVALID_NAME);
      return false;
    }
    out.parts.push_back(c);
  }
  return true;
}

WinPath programWinPath(const ProgramFolder& p) {
  WinPath w;
  w.parts = {kProgramFiles, exeBase(p.exeName)};
  return w;
}

// Must be called with g_mutex held.
bool parseCurrent(WinPath& out) {
  if (g_currentDir.empty()) {
    out = programWinPath(program());
    return true;
  }
  out = WinPath{};
  out.drive = g_currentDir[0];
  return appendComponents(g_currentDir.substr(3), out);
}

bool normalise(const std::string& input, WinPath& out) {
  if (input.empty()) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return false;
  }
  std::string s = input;
  for (char& ch : s)
    if (ch == '/') ch = '\\';
  if (s.size() >= 2 && s[0] == '\\' && s[1] == '\\') {
    SetLastError(ERROR_BAD_PATHNAME);
    return false;
  }
  std::lock_guard<std::mutex> lock(g_mutex);
  WinPath cur;
  if (!parseCurrent(cur)) return false;
  std::string rest;
  if (s.size() >= 2 && s[1] == ':' && std::isalpha(static_cast<unsigned char>(s[0]))) {
    char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(s[0])));
    rest = s.substr(2);
    // "X:name" is relative to the current directory when that is on X:, else to X:'s root.
    if (drive == cur.drive && (rest.empty() || rest[0] != '\\')) {
      out = cur;
    } else {
      out = WinPath{};
      out.drive = drive;
    }
  } else if (s[0] == '\\') {
    out = WinPath{};
    out.drive = cur.drive;
    rest = s;
  } else {
    out = cur;
    rest = s;
  }
  if (!appendComponents(rest, out)) return false;
  if (out.str().size() >= MAX_PATH) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
  }
  return true;
}

// The entry of `dir` named `name`, found case-insensitively when the exact name is absent.
std::string lookup(const fs::path& dir, const std::string& name) {
  std::error_code ec;
  if (fs::symlink_status(dir / name, ec).type() != fs::file_type::not_found) return name;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    std::string entry = it->path().filename().string();
    if (sameName(entry, name)) return entry;
  }
  return name;
}

// Drive C: always exists, with the folders every Windows machine has.
void ensureDriveC(const std::string& folder) {
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    if (g_driveCReady == folder) return;
    g_driveCReady = folder;
  }
  std::error_code ec;
  fs::create_directories(folder + "/Windows/system32", ec);
  fs::create_directories(folder + "/Windows/Temp", ec);
}

std::string driveFolder(char drive) {
  return platformRoot() + "/drive_" + static_cast<char>(std::tolower(static_cast<unsigned char>(drive)));
}

// The components of `p` below `base`, or false when `p` is not inside `base`.
bool relativeTo(const fs::path& p, const fs::path& base, std::vector<std::string>& rest) {
  auto pi = p.begin();
  for (auto bi = base.begin(); bi != base.end(); ++bi, ++pi) {
    if (bi->empty()) continue;  // trailing separator
    if (pi == p.end() || *pi != *bi) return false;
  }
  rest.clear();
  for (; pi != p.end(); ++pi)
    if (!pi->empty()) rest.push_back(pi->string());
  return true;
}

fs::path normalLinux(const std::string& p) {
  std::error_code ec;
  fs::path abs = fs::absolute(p, ec);
  fs::path canon = fs::weakly_canonical(abs, ec);
  return (ec ? abs : canon).lexically_normal();
}

}  // namespace

std::string fullWindowsPath(const std::string& winPath) {
  WinPath w;
  if (!normalise(winPath, w)) return "";
  return w.str();
}

bool resolveWindowsPath(const std::string& winPath, std::string& linuxPath) {
  WinPath w;
  if (!normalise(winPath, w)) return false;
  ProgramFolder prog;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    prog = program();
  }
  fs::path base;
  size_t first = 0;
  WinPath mount = programWinPath(prog);
  if (w.drive == 'C' && w.parts.size() >= 2 && sameName(w.parts[0], mount.parts[0]) &&
      sameName(w.parts[1], mount.parts[1])) {
    base = prog.linuxDir;
    first = 2;
  } else {
    base = driveFolder(w.drive);
    std::error_code ec;
    if (w.drive == 'C') ensureDriveC(base.string());
    if (!fs::is_directory(base, ec)) {
      SetLastError(ERROR_PATH_NOT_FOUND);
      return false;
    }
  }
  for (size_t i = first; i < w.parts.size(); ++i) base /= lookup(base, w.parts[i]);
  linuxPath = base.string();
  return true;
}

std::string toWindowsPath(const std::string& linuxPath) {
  fs::path p = normalLinux(linuxPath);
  ProgramFolder prog;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    prog = program();
  }
  std::vector<std::string> rest;
  WinPath w;
  if (relativeTo(p, normalLinux(prog.linuxDir), rest)) {
    w = programWinPath(prog);
  } else if (relativeTo(p, normalLinux(platformRoot()), rest) && !rest.empty() && rest[0].size() == 7 &&
             rest[0].compare(0, 6, "drive_") == 0 && std::isalpha(static_cast<unsigned char>(rest[0][6]))) {
    w.drive = static_cast<char>(std::toupper(static_cast<unsigned char>(rest[0][6])));
    rest.erase(rest.begin());
  } else {
    return "";
  }
  w.parts.insert(w.parts.end(), rest.begin(), rest.end());
  return w.str();
}

void setProgramFolder(const std::string& linuxDir, const std::string& exeName) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_program.linuxDir = linuxDir;
  g_program.exeName = endsWithExe(exeName) ? exeName : exeName + ".exe";
  g_currentDir.clear();
}

std::string programFolderLinux() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return program().linuxDir;
}

std::string programFolderWindows() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return programWinPath(program()).str();
}

std::string moduleFileName() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return programWinPath(program()).str() + "\\" + program().exeName;
}

std::string currentDirectory() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return g_currentDir.empty() ? programWinPath(program()).str() : g_currentDir;
}

bool setCurrentDirectory(const std::string& winPath) {
  std::string full = fullWindowsPath(winPath);
  std::string linux;
  if (full.empty() || !resolveWindowsPath(full, linux)) return false;
  std::error_code ec;
  fs::file_status st = fs::status(linux, ec);
  if (st.type() == fs::file_type::not_found) {
    SetLastError(missingPathError(linux));
    return false;
  }
  if (st.type() != fs::file_type::directory) {
    SetLastError(ERROR_DIRECTORY);
    return false;
  }
  std::lock_guard<std::mutex> lock(g_mutex);
  g_currentDir = full;
  return true;
}

DWORD missingPathError(const std::string& linuxPath) {
  std::error_code ec;
  return fs::is_directory(fs::path(linuxPath).parent_path(), ec) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

bool isDevicePath(const std::string& winPath) {
  auto sep = [](char c) { return c == '\\' || c == '/'; };
  return winPath.size() > 4 && sep(winPath[0]) && sep(winPath[1]) && winPath[2] == '.' && sep(winPath[3]);
}

namespace {
const bool g_registered = [] {
  registerStateReset([] {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_program = ProgramFolder{};
    g_currentDir.clear();
    g_driveCReady.clear();
  });
  return true;
}();
}  // namespace

}  // namespace wavorel
