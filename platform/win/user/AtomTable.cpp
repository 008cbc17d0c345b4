#include "platform/win/user/AtomTable.h"

#include <cctype>

namespace wavorel {

AtomTable& AtomTable::instance() {
  static AtomTable table;
  return table;
}

ATOM AtomTable::add(const std::string& name) {
  if (name.empty()) return 0;
  std::string key = lowerName(name);
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = byName_.find(key);
  if (it != byName_.end()) return it->second;
  if (names_.size() >= 0x10000u - kFirst) return 0;
  ATOM atom = static_cast<ATOM>(kFirst + names_.size());
  names_.push_back(name);
  byName_.emplace(key, atom);
  return atom;
}

void AtomTable::clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  byName_.clear();
  names_.clear();
}

std::string lowerName(const std::string& s) {
  std::string out = s;
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string atomArgumentName(LPCSTR nameOrAtom) {
  if (nameOrAtom == nullptr) return std::string();
  if (IS_INTRESOURCE(nameOrAtom)) return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(nameOrAtom));
  return nameOrAtom;
}

}  // namespace wavorel
