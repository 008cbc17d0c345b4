#include "platform/win/kernel/Root.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <vector>

#include "platform/win/kernel/LeftoverFiles.h"
#include "platform/win/kernel/Paths.h"

namespace wavorel {

namespace {

std::mutex g_rootMutex;
std::string g_root;

std::vector<std::function<void()>>& resets() {
  static std::vector<std::function<void()>> v;
  return v;
}

std::string defaultRoot() {
  if (const char* env = std::getenv("WAVOREL_ROOT"); env && *env) return env;
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : "/tmp") + "/.local/share/wavorel";
}

// Everything below the root is the user's private data (keys, pass phrases,
// settings): the root and every folder made below it are for their owner
// alone (0700), and so are files (0600). The process's file-creation mask
// says so for every module that creates something there; a new root is
// made 0700 whatever the mask was.
void makePrivateRoot(const std::string& root) {
  ::umask(077);
  std::error_code ec;
  if (std::filesystem::create_directories(root, ec)) ::chmod(root.c_str(), 0700);
}

}  // namespace

std::string platformRoot() {
  std::string root;
  {
    std::lock_guard<std::mutex> lock(g_rootMutex);
    if (!g_root.empty()) return g_root;
    g_root = defaultRoot();
    while (g_root.size() > 1 && g_root.back() == '/') g_root.pop_back();
    makePrivateRoot(g_root);
    root = g_root;
  }
  // The start of this process on the root.
  removeLeftovers(root, programFolderLinux());
  return root;
}

void setPlatformRoot(const std::string& path) {
  std::string root;
  {
    std::lock_guard<std::mutex> lock(g_rootMutex);
    g_root = path;
    while (g_root.size() > 1 && g_root.back() == '/') g_root.pop_back();
    makePrivateRoot(g_root);
    root = g_root;
  }
  removeLeftovers(root, programFolderLinux());
  resetPlatformState();
}

void registerStateReset(std::function<void()> fn) {
  std::lock_guard<std::mutex> lock(g_rootMutex);
  resets().push_back(std::move(fn));
}

void resetPlatformState() {
  std::vector<std::function<void()>> fns;
  {
    std::lock_guard<std::mutex> lock(g_rootMutex);
    fns = resets();
  }
  for (auto& fn : fns) fn();
}

}  // namespace wavorel
