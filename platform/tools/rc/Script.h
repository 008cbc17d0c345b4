// One script being compiled: its tokens, the resources made so far and the
// helpers that every statement parser uses.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/tools/rc/ResourceSet.h"
#include "platform/tools/rc/TokenStream.h"

namespace wavrc {

// Resource types by number.
enum : uint16_t {
  kRtCursor = 1,
  kRtBitmap = 2,
  kRtIcon = 3,
  kRtMenu = 4,
  kRtDialog = 5,
  kRtString = 6,
  kRtRcData = 10,
  kRtGroupCursor = 12,
  kRtGroupIcon = 14,
  kRtVersion = 16,
  kRtDlgInit = 240,
  kRtToolbar = 241,
};

class Script {
 public:
  Script(TokenStream& ts, ResourceSet& set, std::vector<std::string> includeDirs);

  TokenStream& ts;
  ResourceSet& set;
  uint16_t language = 0x409;  // LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US until a LANGUAGE statement
  // Strings of every STRINGTABLE, by language and id.
  std::map<uint16_t, std::map<uint16_t, std::string>> strings;

  // A resource name: a quoted text (made upper-case) or a 16-bit number.
  ResName name(const char* what);
  // A numeric expression; `word` also checks that it fits 16 bits (negative
  // values count as their 16-bit form).
  uint32_t number(const char* what);
  uint16_t word(const char* what);
  // `expr, expr, ...`: `count` numbers with commas between them.
  std::vector<uint32_t> numbers(size_t count, const char* what);
  // PRELOAD, DISCARDABLE and the other memory options have no meaning here.
  void skipMemoryOptions();
  // The operands of LANGUAGE (after the keyword).
  uint16_t languageOperands();
  // The bytes of the file named by the string token `at`, looked up beside the
  // script that names it, then in the include folders.
  std::vector<uint8_t> readFile(const std::string& name, const Token& at);

  // Every file read besides the scripts and headers.
  const std::vector<std::string>& files() const { return files_; }

 private:
  std::vector<std::string> includeDirs_;
  std::vector<std::string> files_;
};

}  // namespace wavrc
