#include "platform/lingwell/Lingwell.h"

#include <strings.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/win/kernel/AtomicFile.h"
#include "platform/win/kernel/IniFile.h"
#include "platform/win/kernel/Paths.h"
#include "platform/win/kernel/Root.h"

namespace {

using wavorel::IniFile;

constexpr char kEnglish[] = "English";
constexpr char kSection[] = "Text";

struct LanguageState {
  std::mutex mutex;
  std::string current = kEnglish;
  // Loaded files by lower-case type name; nullptr for a type without a file.
  std::map<std::string, std::shared_ptr<const IniFile>> tables;
};

LanguageState& state() {
  static LanguageState s;
  static const bool registered = (wavorel::registerStateReset([] {
                                    std::lock_guard<std::mutex> lock(s.mutex);
                                    s.current = kEnglish;
                                    s.tables.clear();
                                  }),
                                  true);
  (void)registered;
  return s;
}

bool isEnglish(const std::string& type) { return strcasecmp(type.c_str(), kEnglish) == 0; }

// The language file of a type, loaded once. Call with the state's mutex held.
std::shared_ptr<const IniFile> table(LanguageState& s, const std::string& type) {
  std::string lower = type;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  auto it = s.tables.find(lower);
  if (it != s.tables.end()) return it->second;
  std::shared_ptr<const IniFile> loaded;
  std::string linuxPath;
  std::string text;
  if (wavorel::resolveWindowsPath(wavorel::programFolderWindows() + "\\Language\\" + type + ".ini", linuxPath) &&
      wavorel::readWholeFile(linuxPath, text)) {
    loaded = std::make_shared<const IniFile>(IniFile::parse(text));
  }
  s.tables.emplace(lower, loaded);
  return loaded;
}

}  // namespace

CString GetMLText(LPCTSTR lpszKey) {
  if (lpszKey == nullptr) return CString();
  LanguageState& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  for (const std::string& type : {s.current, std::string(kEnglish)}) {
    std::shared_ptr<const IniFile> ini = table(s, type);
    if (const std::string* text = ini ? ini->find(kSection, lpszKey) : nullptr) {
      std::string_view unquoted = IniFile::unquote(*text);
      return CString(unquoted.data(), static_cast<int>(unquoted.size()));
    }
  }
  return CString(lpszKey);
}

BOOL SetCurLanguageType(LPCTSTR lpszType) {
  if (lpszType == nullptr) return FALSE;
  std::string type = lpszType;
  if (type.empty() || type.find_first_of("\\/:") != std::string::npos) return FALSE;
  LanguageState& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (!isEnglish(type) && table(s, type) == nullptr) return FALSE;
  s.current = type;
  return TRUE;
}

CString GetCurLanguageType() {
  LanguageState& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  return CString(s.current.c_str());
}

CString GetDefaultLanguageType() { return CString(kEnglish); }
