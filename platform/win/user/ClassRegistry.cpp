#include "platform/win/user/ClassRegistry.h"

#include "platform/win/user/AtomTable.h"
#include "platform/win/kernel/Errors.h"

namespace wavorel {

namespace {

std::vector<void (*)()>& systemRegistrars() {
  static std::vector<void (*)()> list;
  return list;
}

}  // namespace

void addSystemClassRegistrar(void (*registrar)()) { systemRegistrars().push_back(registrar); }

void registerSystemClasses() {
  for (auto registrar : systemRegistrars()) registrar();
}

ClassRegistry& ClassRegistry::instance() {
  static ClassRegistry registry;
  return registry;
}

ATOM ClassRegistry::add(const WNDCLASSEX& wc) {
  if (wc.lpszClassName == nullptr || IS_INTRESOURCE(wc.lpszClassName) || *wc.lpszClassName == '\0' ||
      wc.lpfnWndProc == nullptr || wc.cbClsExtra < 0 || wc.cbWndExtra < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  auto cls = std::make_shared<WindowClass>();
  cls->name = wc.lpszClassName;
  cls->style = wc.style;
  cls->proc = wc.lpfnWndProc;
  cls->wndExtra = wc.cbWndExtra;
  cls->instance = wc.hInstance;
  cls->icon = wc.hIcon;
  cls->iconSm = wc.hIconSm;
  cls->cursor = wc.hCursor;
  cls->background = wc.hbrBackground;
  if (wc.lpszMenuName && !IS_INTRESOURCE(wc.lpszMenuName)) {
    cls->menuNameText = wc.lpszMenuName;
    cls->menuName = cls->menuNameText.c_str();
  } else {
    cls->menuName = wc.lpszMenuName;
  }
  cls->extra.assign(static_cast<size_t>(wc.cbClsExtra), 0);
  std::string key = lowerName(cls->name);
  std::lock_guard<std::mutex> lock(mutex_);
  if (byName_.count(key)) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  cls->atom = AtomTable::instance().add(cls->name);
  byName_.emplace(key, cls);
  return cls->atom;
}

std::shared_ptr<WindowClass> ClassRegistry::find(LPCSTR nameOrAtom) const {
  if (nameOrAtom == nullptr) return nullptr;
  if (!systemClassesReady_.exchange(true)) registerSystemClasses();
  std::lock_guard<std::mutex> lock(mutex_);
  if (IS_INTRESOURCE(nameOrAtom)) {
    ATOM atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(nameOrAtom));
    for (const auto& kv : byName_)
      if (kv.second->atom == atom) return kv.second;
    return nullptr;
  }
  auto it = byName_.find(lowerName(nameOrAtom));
  return it == byName_.end() ? nullptr : it->second;
}

BOOL ClassRegistry::remove(LPCSTR nameOrAtom) {
  auto cls = find(nameOrAtom);
  if (!cls) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  std::lock_guard<std::mutex> lock(mutex_);
  if (cls->windows > 0) {
    SetLastError(ERROR_CLASS_HAS_WINDOWS);
    return FALSE;
  }
  byName_.erase(lowerName(cls->name));
  return TRUE;
}

void ClassRegistry::clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  byName_.clear();
  systemClassesReady_ = false;
}

}  // namespace wavorel
