#include "platform/win/kernel/Root.h"

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

}  // namespace

std::string platformRoot() {
  std::string root;
  {
    std::lock_guard<std::mutex> lock(g_rootMutex);
    if (!g_root.empty()) return g_root;
    g_root = defaultRoot();
    while (g_root.size() > 1 && g_root.back() == '/') g_root.pop_back();
    std::error_code ec;
    std::filesystem::create_directories(g_root, ec);
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
    std::error_code ec;
    std::filesystem::create_directories(g_root, ec);
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
