// A part of the platform built as its own shared module beside
// libwavplatform.so, so that the libraries it needs are only mapped in runs
// that use it: the X11 presenter (Xlib, the shape and shared-memory
// extensions) and the WLAN profile reader (libxml2, and ICU through it).
// The module is loaded with the first entry asked for and stays loaded.
#pragma once

#include <mutex>
#include <string>

namespace wavorel {

class CompanionModule {
 public:
  // `fileName` is the module's file name in the platform library's folder.
  explicit CompanionModule(std::string fileName) : fileName_(std::move(fileName)) {}
  CompanionModule(const CompanionModule&) = delete;
  CompanionModule& operator=(const CompanionModule&) = delete;

  // The entry `name`, or null when the module cannot be loaded or lacks it
  // (said once on stderr).
  void* entry(const char* name);
  template <class F>
  F entryAs(const char* name) {
    return reinterpret_cast<F>(entry(name));
  }

 private:
  std::string fileName_;
  std::once_flag loaded_;
  void* handle_ = nullptr;
};

}  // namespace wavorel
