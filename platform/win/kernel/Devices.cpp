#include "platform/win/kernel/Devices.h"

#include <cctype>
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

std::string key(const std::string& name) {
  std::string k = name;
  for (char& c : k) c = c == '/' ? '\\' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
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

}  // namespace wavorel
