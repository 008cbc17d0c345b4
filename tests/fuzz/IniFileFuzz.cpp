// libFuzzer target for the INI reader: any bytes parse; what was read is read
// the same after a rewrite (serialize, parse again); a key set with clean
// names reads back as set, also after a rewrite.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win/kernel/IniFile.h"

namespace {

using wavorel::IniFile;

void check(bool ok) {
  if (!ok) std::abort();
}

// Every section with its entries, as the reader reports them.
std::vector<std::vector<std::string>> contents(const IniFile& ini) {
  std::vector<std::vector<std::string>> all;
  for (const std::string& section : ini.sectionNames()) {
    std::vector<std::string> one{section};
    for (const std::string& entry : ini.entries(section)) one.push_back(entry);
    for (const std::string& key : ini.keyNames(section)) {
      const std::string* value = ini.find(section, key);
      check(value != nullptr);
      one.push_back(key + "=" + *value);
    }
    all.push_back(std::move(one));
  }
  return all;
}

// A name or value the writer can hold: no line break, no blank at either end,
// and for names none of the characters that end them.
std::string clean(std::string_view text, const char* forbidden) {
  std::string out;
  for (char c : text)
    if (c != '\r' && c != '\n' && c != '\0' && std::string_view(forbidden).find(c) == std::string_view::npos) out += c;
  while (!out.empty() && (out.back() == ' ' || out.back() == '\t')) out.pop_back();
  while (!out.empty() && (out.front() == ' ' || out.front() == '\t')) out.erase(0, 1);
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  IniFile ini = IniFile::parse(text);
  const auto before = contents(ini);
  IniFile again = IniFile::parse(ini.serialize());
  check(contents(again) == before);
  check(again.serialize() == ini.serialize());

  // The last line of the input names a section, a key and a value to set.
  const size_t lastLine = text.find_last_of('\n');
  const std::string_view spec = lastLine == std::string_view::npos ? text : text.substr(lastLine + 1);
  const size_t bar1 = spec.find('|');
  const size_t bar2 = bar1 == std::string_view::npos ? bar1 : spec.find('|', bar1 + 1);
  if (bar2 == std::string_view::npos) return 0;
  const std::string section = clean(spec.substr(0, bar1), "[];");
  const std::string key = clean(spec.substr(bar1 + 1, bar2 - bar1 - 1), "=[;");
  const std::string value = clean(spec.substr(bar2 + 1), "");
  if (section.empty() || key.empty()) return 0;
  ini.set(section, key, value);
  const std::string* read = ini.find(section, key);
  check(read != nullptr && *read == value);
  IniFile written = IniFile::parse(ini.serialize());
  read = written.find(section, key);
  check(read != nullptr && *read == value);
  check(ini.removeKey(section, key));
  check(ini.removeSection(section));
  check(!ini.hasSection(section));
  return 0;
}
