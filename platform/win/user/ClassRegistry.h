// Registered window classes. Class names are process-wide and compare without
// regard to case; the instance handle given at registration is kept and
// reported but does not take part in the lookup.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/win/user/User.h"

namespace wavorel {

struct WindowClass {
  std::string name;
  ATOM atom = 0;
  UINT style = 0;
  WNDPROC proc = nullptr;
  int wndExtra = 0;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HICON iconSm = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  LPCSTR menuName = nullptr;  // an integer resource, or points into menuNameText
  std::string menuNameText;
  std::vector<BYTE> extra;  // cbClsExtra bytes
  std::atomic<int> windows{0};  // live windows of the class
  // Windows of the class stay within their process: they are not published
  // on the shared desktop (the tooltips and drop-down lists that controls make
  // for themselves).
  bool processPrivate = false;
};

class ClassRegistry {
 public:
  static ClassRegistry& instance();

  // Sets the last error and returns 0 on failure.
  ATOM add(const WNDCLASSEX& wc);
  // By name or integer atom.
  std::shared_ptr<WindowClass> find(LPCSTR nameOrAtom) const;
  BOOL remove(LPCSTR nameOrAtom);
  void clear();

 private:
  mutable std::mutex mutex_;
  mutable std::atomic<bool> systemClassesReady_{false};
  std::map<std::string, std::shared_ptr<WindowClass>> byName_;  // lower-case names
};

// The system's global classes (the standard controls and the like). A module
// that provides some adds its registrar once, at load time; the registrars run
// before the first class lookup after a start or a reset of the window system.
void addSystemClassRegistrar(void (*registrar)());
void registerSystemClasses();

}  // namespace wavorel
