#include "platform/win/kernel/Module.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>

#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Resources.h"
#include "platform/win/kernel/Root.h"
#include "platform/win/kernel/System.h"

namespace wavorel {

namespace {

struct Module {
  std::string fileName;  // "ICSDHCP.dll"
  std::vector<ModuleExport> exports;
  int references = 0;
  bool pinned = false;  // loaded for the whole life of the process
};

// "C:\x\ICSDHCP.dll", "icsdhcp" -> "icsdhcp"
std::string moduleKey(const std::string& name) {
  std::string base = name.substr(name.find_last_of("\\/") == std::string::npos ? 0 : name.find_last_of("\\/") + 1);
  std::transform(base.begin(), base.end(), base.begin(), [](unsigned char c) { return std::tolower(c); });
  if (base.size() > 4 && base.compare(base.size() - 4, 4, ".dll") == 0) base.resize(base.size() - 4);
  return base;
}

std::string fileNameOf(const std::string& name) {
  std::string base = name.substr(name.find_last_of("\\/") == std::string::npos ? 0 : name.find_last_of("\\/") + 1);
  return base.find('.') == std::string::npos ? base + ".dll" : base;
}

std::vector<ModuleExport> kernel32Exports() {
  return {{"IsWow64Process", 0, exportedProc(&IsWow64Process)},
          {"Wow64EnableWow64FsRedirection", 0, exportedProc(&Wow64EnableWow64FsRedirection)}};
}

struct Modules {
  std::mutex mutex;
  std::map<std::string, Module> byKey;
  std::map<std::string, Module> persistent;  // registered for the life of the process

  Modules() { restore(); }
  void restore() {
    byKey = persistent;
    Module k{"kernel32.dll", kernel32Exports(), 0, true};
    byKey.emplace("kernel32", std::move(k));
  }
  // The module of a handle that is loaded now.
  Module* loaded(HMODULE h) {
    for (auto& kv : byKey)
      if ((kv.second.references > 0 || kv.second.pinned) && findModuleInstance(kv.second.fileName) == h)
        return &kv.second;
    return nullptr;
  }
};

Modules& modules() {
  static Modules m;
  return m;
}

const bool g_reset = (registerStateReset([] {
                        std::lock_guard<std::mutex> lock(modules().mutex);
                        modules().restore();
                      }),
                      true);

}  // namespace

void registerModule(const std::string& name, std::vector<ModuleExport> exports, bool persistent) {
  auto& m = modules();
  std::lock_guard<std::mutex> lock(m.mutex);
  Module& module = m.byKey[moduleKey(name)];
  module.fileName = fileNameOf(name);
  module.exports = std::move(exports);
  if (persistent) m.persistent[moduleKey(name)] = Module{module.fileName, module.exports, 0, false};
}

void registerSystemModule(const std::string& name, std::vector<ModuleExport> exports) {
  auto& m = modules();
  std::lock_guard<std::mutex> lock(m.mutex);
  Module module{fileNameOf(name), std::move(exports), 0, true};
  m.persistent[moduleKey(name)] = module;
  m.byKey[moduleKey(name)] = std::move(module);
}

}  // namespace wavorel

using wavorel::modules;

HMODULE LoadLibrary(LPCSTR lpLibFileName) {
  if (!lpLibFileName || !*lpLibFileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto& m = modules();
  std::lock_guard<std::mutex> lock(m.mutex);
  std::string key = wavorel::moduleKey(lpLibFileName);
  auto it = m.byKey.find(key);
  if (it == m.byKey.end()) {
    // A module that holds resources only.
    std::string fileName = wavorel::fileNameOf(lpLibFileName);
    if (!wavorel::findModuleInstance(fileName)) {
      SetLastError(ERROR_MOD_NOT_FOUND);
      return nullptr;
    }
    it = m.byKey.emplace(key, wavorel::Module{fileName, {}, 0, false}).first;
  }
  ++it->second.references;
  return wavorel::moduleInstance(it->second.fileName);
}

HMODULE GetModuleHandle(LPCSTR lpModuleName) {
  if (!lpModuleName) return wavorel::programInstance();
  auto& m = modules();
  std::lock_guard<std::mutex> lock(m.mutex);
  auto it = m.byKey.find(wavorel::moduleKey(lpModuleName));
  if (it == m.byKey.end() || (it->second.references == 0 && !it->second.pinned)) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  return wavorel::moduleInstance(it->second.fileName);
}

FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
  auto& m = modules();
  std::lock_guard<std::mutex> lock(m.mutex);
  wavorel::Module* module = m.loaded(hModule);
  if (!module) {
    // The program itself exports nothing.
    SetLastError(hModule == nullptr || hModule == wavorel::programInstance() ? ERROR_PROC_NOT_FOUND
                                                                               : ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  if (lpProcName) {
    bool byOrdinal = IS_INTRESOURCE(lpProcName);
    WORD ordinal = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(lpProcName));
    for (const auto& e : module->exports) {
      if (byOrdinal ? (ordinal != 0 && e.ordinal == ordinal) : (!e.name.empty() && e.name == lpProcName))
        return e.proc;
    }
  }
  SetLastError(ERROR_PROC_NOT_FOUND);
  return nullptr;
}

BOOL FreeLibrary(HMODULE hLibModule) {
  if (hLibModule == wavorel::programInstance()) return TRUE;
  auto& m = modules();
  std::lock_guard<std::mutex> lock(m.mutex);
  wavorel::Module* module = m.loaded(hLibModule);
  if (!module) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (module->references > 0) --module->references;
  return TRUE;
}
