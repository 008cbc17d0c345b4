#include "platform/win/kernel/Resources.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <unordered_set>
#include <vector>

#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Root.h"
#include "platform/win/kernel/CodePage.h"
#include "platform/wire/Bytes.h"

namespace wavorel {

namespace {

// Module handles are addresses that are never dereferenced; the program sits
// where Windows loads programs by default.
constexpr uintptr_t kProgramInstance = 0x400000;
constexpr uintptr_t kFirstModuleInstance = 0x10000000;
constexpr uintptr_t kModuleInstanceStep = 0x10000;
// The user's language on this machine: English (United States).
constexpr WORD kUserLanguage = 0x0409;

struct Module {
  std::vector<const ResourceEntry*> entries;
  std::vector<const ResourceFile*> files;
};

struct Registry {
  std::mutex mutex;
  std::map<uintptr_t, Module> modules;
  std::map<std::string, uintptr_t> names;  // upper-case module name -> handle
  std::unordered_set<const ResourceEntry*> known;  // every entry, to check HRSRC values
  uintptr_t nextInstance = kFirstModuleInstance;
  uintptr_t resourceModule = kProgramInstance;
};

Registry& registry() {
  static Registry r;
  static const bool resetRegistered = [] {
    registerStateReset([] {
      std::lock_guard<std::mutex> lock(r.mutex);
      r.resourceModule = kProgramInstance;
    });
    return true;
  }();
  (void)resetRegistered;
  return r;
}

std::string upper(const std::string& s) {
  std::string out = s;
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

uintptr_t moduleValue(HMODULE module) {
  return module == nullptr ? kProgramInstance : reinterpret_cast<uintptr_t>(module);
}

// True when `wanted` (an id or text as callers pass it) names `have`.
bool nameMatches(LPCSTR wanted, const ResourceName& have) {
  if (IS_INTRESOURCE(wanted)) {
    return have.text == nullptr && have.id == static_cast<WORD>(reinterpret_cast<ULONG_PTR>(wanted));
  }
  if (wanted[0] == '#') {
    char* end = nullptr;
    unsigned long id = std::strtoul(wanted + 1, &end, 10);
    return *end == 0 && end != wanted + 1 && id <= 0xFFFF && have.text == nullptr && have.id == id;
  }
  if (have.text == nullptr) return false;
  return upper(wanted) == have.text;
}

template <class T>
const T* findIn(const std::vector<const T*>& list, LPCSTR type, LPCSTR name) {
  for (const T* e : list) {
    if (nameMatches(type, e->type) && nameMatches(name, e->name)) return e;
  }
  return nullptr;
}

bool validName(LPCSTR n) { return n != nullptr; }

const ResourceEntry* entryOf(HMODULE module, HRSRC res) {
  auto* e = reinterpret_cast<const ResourceEntry*>(res);
  Registry& r = registry();
  std::lock_guard<std::mutex> lock(r.mutex);
  if (res == nullptr || r.known.count(e) == 0) return nullptr;
  auto it = r.modules.find(moduleValue(module));
  if (it == r.modules.end()) return nullptr;
  const auto& entries = it->second.entries;
  return std::find(entries.begin(), entries.end(), e) == entries.end() ? nullptr : e;
}

}  // namespace

HINSTANCE programInstance() { return reinterpret_cast<HINSTANCE>(kProgramInstance); }

HINSTANCE moduleInstance(const std::string& name) {
  Registry& r = registry();
  std::lock_guard<std::mutex> lock(r.mutex);
  auto [it, added] = r.names.emplace(upper(name), r.nextInstance);
  if (added) r.nextInstance += kModuleInstanceStep;
  return reinterpret_cast<HINSTANCE>(it->second);
}

HINSTANCE findModuleInstance(const std::string& name) {
  Registry& r = registry();
  std::lock_guard<std::mutex> lock(r.mutex);
  auto it = r.names.find(upper(name));
  return it == r.names.end() ? nullptr : reinterpret_cast<HINSTANCE>(it->second);
}

void registerResourceModule(HINSTANCE module, const ResourceTable& table) {
  Registry& r = registry();
  std::lock_guard<std::mutex> lock(r.mutex);
  Module& m = r.modules[moduleValue(module)];
  for (size_t i = 0; i < table.entryCount; ++i) {
    m.entries.push_back(&table.entries[i]);
    r.known.insert(&table.entries[i]);
  }
  for (size_t i = 0; i < table.fileCount; ++i) m.files.push_back(&table.files[i]);
}

void setResourceModule(HINSTANCE module) {
  Registry& r = registry();
  std::lock_guard<std::mutex> lock(r.mutex);
  r.resourceModule = moduleValue(module);
}

HINSTANCE resourceModule() {
  Registry& r = registry();
  std::lock_guard<std::mutex> lock(r.mutex);
  return reinterpret_cast<HINSTANCE>(r.resourceModule);
}

HINSTANCE findResourceModule(LPCSTR name, LPCSTR type) {
  HINSTANCE first = resourceModule();
  if (FindResource(first, name, type) != nullptr) return first;
  if (FindResource(programInstance(), name, type) != nullptr) return programInstance();
  return first;
}

bool findResourceFile(HINSTANCE module, LPCSTR type, LPCSTR name, const BYTE*& data, DWORD& size) {
  if (!validName(type) || !validName(name)) return false;
  Registry& r = registry();
  std::lock_guard<std::mutex> lock(r.mutex);
  auto it = r.modules.find(moduleValue(module));
  if (it == r.modules.end()) return false;
  const ResourceFile* f = findIn(it->second.files, type, name);
  if (f == nullptr) return false;
  data = f->data;
  size = f->size;
  return true;
}

std::string resourceText(const WCHAR* text, size_t count) {
  if (count == 0) return "";
  int n = static_cast<int>(std::min<size_t>(count, 0xFFFF));
  int bytes = WideCharToMultiByte(CP_ACP, 0, text, n, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(bytes), '\0');
  if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, text, n, out.data(), bytes, nullptr, nullptr);
  return out;
}

}  // namespace wavorel

using wavorel::ResourceEntry;

HRSRC FindResource(HMODULE hModule, LPCSTR lpName, LPCSTR lpType) {
  return FindResourceEx(hModule, lpType, lpName, 0);
}

HRSRC FindResourceEx(HMODULE hModule, LPCSTR lpType, LPCSTR lpName, WORD wLanguage) {
  if (lpType == nullptr || lpName == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto& r = wavorel::registry();
  std::lock_guard<std::mutex> lock(r.mutex);
  auto it = r.modules.find(wavorel::moduleValue(hModule));
  if (it == r.modules.end()) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  bool typeSeen = false;
  const ResourceEntry* best = nullptr;
  int bestRank = 5;
  for (const ResourceEntry* e : it->second.entries) {
    if (!wavorel::nameMatches(lpType, e->type)) continue;
    typeSeen = true;
    if (!wavorel::nameMatches(lpName, e->name)) continue;
    int rank = e->language == wLanguage                                 ? 0
               : PRIMARYLANGID(e->language) == PRIMARYLANGID(wLanguage) ? 1
               : e->language == 0                                       ? 2
               : e->language == wavorel::kUserLanguage                  ? 3
                                                                        : 4;
    if (rank < bestRank) {
      best = e;
      bestRank = rank;
    }
  }
  if (best == nullptr) {
    SetLastError(typeSeen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<HRSRC>(const_cast<ResourceEntry*>(best));
}

HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo) {
  const ResourceEntry* e = wavorel::entryOf(hModule, hResInfo);
  if (e == nullptr) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  return const_cast<BYTE*>(e->data);
}

LPVOID LockResource(HGLOBAL hResData) { return hResData; }

DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo) {
  const ResourceEntry* e = wavorel::entryOf(hModule, hResInfo);
  if (e == nullptr) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return 0;
  }
  return e->size;
}

BOOL FreeResource(HGLOBAL) { return FALSE; }

int LoadString(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax) {
  if (lpBuffer == nullptr || cchBufferMax <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  lpBuffer[0] = 0;
  // Strings live in blocks of 16: block (id / 16) + 1 holds ids id & ~15 to id | 15.
  HRSRC res = uID > 0xFFFF ? nullptr : FindResource(hInstance, MAKEINTRESOURCE((uID >> 4) + 1), RT_STRING);
  if (res == nullptr) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
  }
  const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(hInstance, res)));
  DWORD size = SizeofResource(hInstance, res);
  size_t pos = 0;
  for (UINT index = 0;; ++index) {
    if (pos + 2 > size) {
      SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
      return 0;
    }
    WORD length = wavorel::wire::getU16(data + pos);
    pos += 2;
    if (pos + 2u * length > size) {
      SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
      return 0;
    }
    if (index == (uID & 15)) {
      if (length == 0) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return 0;
      }
      std::u16string wide(length, u'\0');
      std::memcpy(wide.data(), data + pos, 2u * length);
      std::string text = wavorel::resourceText(wide.data(), wide.size());
      // Cut to the buffer, never between the two bytes of a character.
      size_t n = 0, limit = static_cast<size_t>(cchBufferMax) - 1;
      while (n < text.size()) {
        size_t step = IsDBCSLeadByte(static_cast<BYTE>(text[n])) && n + 1 < text.size() ? 2 : 1;
        if (n + step > limit) break;
        n += step;
      }
      std::memcpy(lpBuffer, text.data(), n);
      lpBuffer[n] = 0;
      return static_cast<int>(n);
    }
    pos += 2u * length;
  }
}
