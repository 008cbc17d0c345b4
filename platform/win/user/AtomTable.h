// The window system's atom table: names of window classes and registered
// window messages map to numbers from 0xC000 up, compared without regard to
// case. The same name always gives the same atom within the process.
#pragma once

#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/win/kernel/Types.h"

namespace wavorel {

class AtomTable {
 public:
  static AtomTable& instance();

  // The atom of `name`, added when new; 0 when the name is empty or the table is full.
  ATOM add(const std::string& name);
  void clear();

 private:
  static constexpr ATOM kFirst = 0xC000;
  mutable std::mutex mutex_;
  std::unordered_map<std::string, ATOM> byName_;  // lower-case names
  std::vector<std::string> names_;
};

// Lower-case copy, for names that compare without regard to case.
std::string lowerName(const std::string& s);
// The name a class or property argument stands for: the text itself, or "#<n>"
// for an integer atom made with MAKEINTATOM.
std::string atomArgumentName(LPCSTR nameOrAtom);

}  // namespace wavorel
