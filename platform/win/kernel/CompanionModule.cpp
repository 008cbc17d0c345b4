#include "platform/win/kernel/CompanionModule.h"

#include <dlfcn.h>

#include "platform/win/kernel/PlatformLog.h"

namespace wavorel {

namespace {

// The folder of the platform library (with its trailing slash).
std::string platformFolder() {
  Dl_info info{};
  if (!dladdr(reinterpret_cast<void*>(&platformFolder), &info) || !info.dli_fname) return "";
  std::string path = info.dli_fname;
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

}  // namespace

void* CompanionModule::entry(const char* name) {
  std::call_once(loaded_, [this] {
    const std::string path = platformFolder() + fileName_;
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) logNote("cannot load %s: %s", path.c_str(), dlerror());
  });
  if (!handle_) return nullptr;
  void* found = dlsym(handle_, name);
  if (!found) logNote("%s has no entry %s", fileName_.c_str(), name);
  return found;
}

}  // namespace wavorel
