// Modules (DLLs) that the platform provides: LoadLibrary, GetModuleHandle,
// GetProcAddress and FreeLibrary over a registry of modules and their exports.
// A name matches without regard to case, with or without ".dll" and any
// folder in front. kernel32 is always loaded; a module that only holds
// resources (Resources.h) can be loaded too. Module handles are the ones the
// resource functions use; GetModuleHandle(NULL) is the program.
#pragma once

#include <string>
#include <vector>

#include "platform/win/kernel/Types.h"

// ERROR_MOD_NOT_FOUND for a module that is not registered.
HMODULE LoadLibrary(LPCSTR lpLibFileName);
// A loaded module only (no reference taken); ERROR_MOD_NOT_FOUND otherwise.
HMODULE GetModuleHandle(LPCSTR lpModuleName);
// By name (case-sensitive) or by ordinal (MAKEINTRESOURCE); ERROR_PROC_NOT_FOUND
// when the module has no such export.
FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName);
// Drops one reference; the module unloads when none is left (kernel32 never does).
BOOL FreeLibrary(HMODULE hLibModule);

namespace wavorel {

struct ModuleExport {
  std::string name;  // may be empty for an export by ordinal only
  WORD ordinal;      // 0: none
  FARPROC proc;
};

template <class F>
FARPROC exportedProc(F* function) {
  return reinterpret_cast<FARPROC>(function);
}

// Provides (or replaces) a module. Registrations are reset with the platform
// state; kernel32 comes back with its built-in exports, and so does a module
// registered as persistent (the system's own modules), unloaded.
void registerModule(const std::string& name, std::vector<ModuleExport> exports, bool persistent = false);
// A module every process has loaded, as kernel32: GetModuleHandle finds it
// without LoadLibrary, FreeLibrary never unloads it, and it survives resets.
void registerSystemModule(const std::string& name, std::vector<ModuleExport> exports);

}  // namespace wavorel
