#include "platform/win/kernel/Devices.h"

#include <map>
#include <mutex>

#include "platform/win/kernel/Errors.h"

namespace wavorel {

namespace {

std::mutex g_mutex;
std::map<std::string, DeviceFactory>& devices() {
  static std::map<std::string, DeviceFactory> m;
  return m;
}

// Device names compare without case (ASCII letters: every device is opened
// on each driver request, so no locale look-up per character).
std::string key(const std::string& name) {
  std::string k = name;
  for (char& c : k) {
    if (c == '/')
      c = '\\';
    else if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
  }
  return k;
}

}  // namespace

void registerDevice(const std::string& name, DeviceFactory factory) {
  std::lock_guard<std::mutex> lock(g_mutex);
  devices()[key(name)] = std::move(factory);
}

void unregisterDevice(const std::string& name) {
  std::lock_guard<std::mutex> lock(g_mutex);
  devices().erase(key(name));
}

HANDLE openDevice(const std::string& path) {
  DeviceFactory factory;
  {
    std::lock_guard<std::mutex> lock(g_mutex);
    auto it = devices().find(key(path));
    if (it != devices().end()) factory = it->second;
  }
  SetLastError(ERROR_FILE_NOT_FOUND);
  if (!factory) return INVALID_HANDLE_VALUE;
  std::shared_ptr<KernelObject> device = factory();
  if (!device) return INVALID_HANDLE_VALUE;
  SetLastError(ERROR_SUCCESS);
  return insertKernelObject(std::move(device));
}

namespace {
// Set from other modules' static start-up: made on first use.
struct NetworkPaths {
  std::mutex mutex;
  NetworkPathResolver resolver;
};
NetworkPaths& networkPaths() {
  static NetworkPaths paths;
  return paths;
}
bool separator(char c) { return c == '\\' || c == '/'; }
}  // namespace

void setNetworkPathResolver(NetworkPathResolver resolver) {
  std::lock_guard<std::mutex> lock(networkPaths().mutex);
  networkPaths().resolver = std::move(resolver);
}

bool isNetworkPath(const std::string& path) {
  return path.size() > 2 && separator(path[0]) && separator(path[1]) && !separator(path[2]) && path[2] != '.' &&
         path[2] != '?';
}

HANDLE openNetworkPath(const std::string& path) {
  size_t serverEnd = path.find_first_of("\\/", 2);
  std::string server = path.substr(2, serverEnd == std::string::npos ? std::string::npos : serverEnd - 2);
  std::string share;
  if (serverEnd != std::string::npos) {
    size_t shareEnd = path.find_first_of("\\/", serverEnd + 1);
    share = path.substr(serverEnd + 1, shareEnd == std::string::npos ? std::string::npos : shareEnd - serverEnd - 1);
  }
  NetworkPathResolver resolver;
  {
    std::lock_guard<std::mutex> lock(networkPaths().mutex);
    resolver = networkPaths().resolver;
  }
  SetLastError(resolver ? resolver(server, share) : ERROR_BAD_NETPATH);
  return INVALID_HANDLE_VALUE;
}

}  // namespace wavorel
