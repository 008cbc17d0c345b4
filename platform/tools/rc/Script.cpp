#include "platform/tools/rc/Script.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/tools/rc/Expression.h"
#include "platform/tools/rc/RcError.h"

namespace wavrc {

namespace fs = std::filesystem;

Script::Script(TokenStream& tokens, ResourceSet& resources, std::vector<std::string> includeDirs)
    : ts(tokens), set(resources), includeDirs_(std::move(includeDirs)) {}

ResName Script::name(const char* what) {
  if (ts.isString()) {
    std::string text = ts.expectString(what);
    if (text.empty()) ts.fail(std::string("empty ") + what);
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return ResName{false, 0, text};
  }
  return ResName::ordinal(word(what));
}

uint32_t Script::number(const char* what) {
  const Token& t = ts.peek();
  if (t.kind == TokenKind::End || t.kind == TokenKind::String || (t.kind == TokenKind::Punct && t.text == ",")) {
    ts.fail(std::string("expected ") + what);
  }
  return Expression(ts).parse().value;
}

uint16_t Script::word(const char* what) {
  const Token at = ts.peek();
  uint32_t v = number(what);
  if (v > 0xFFFF && v < 0xFFFF8000u) throw RcError(at.file, at.line, std::string(what) + " does not fit 16 bits");
  return static_cast<uint16_t>(v);
}

std::vector<uint32_t> Script::numbers(size_t count, const char* what) {
  std::vector<uint32_t> v;
  for (size_t i = 0; i < count; ++i) {
    if (i > 0) ts.expectPunct(",", (std::string("between the values of ") + what).c_str());
    v.push_back(number(what));
  }
  return v;
}

void Script::skipMemoryOptions() {
  static const char* const kOptions[] = {"PRELOAD", "LOADONCALL", "FIXED",  "MOVEABLE", "DISCARDABLE",
                                         "PURE",    "IMPURE",     "SHARED", "NONSHARED"};
  for (bool again = true; again;) {
    again = false;
    for (const char* o : kOptions) {
      if (ts.acceptKeyword(o)) again = true;
    }
  }
}

uint16_t Script::languageOperands() {
  std::vector<uint32_t> v = numbers(2, "LANGUAGE");
  return static_cast<uint16_t>(((v[1] & 0x3F) << 10) | (v[0] & 0x3FF));
}

std::vector<uint8_t> Script::readFile(const std::string& name, const Token& at) {
  std::vector<fs::path> dirs{fs::path(at.file).parent_path()};
  for (const std::string& d : includeDirs_) dirs.emplace_back(d);
  for (const fs::path& d : dirs) {
    fs::path p = (d / name).lexically_normal();
    std::error_code ec;
    if (!fs::is_regular_file(p, ec)) continue;
    std::ifstream in(p, std::ios::binary);
    if (!in) throw RcError(at.file, at.line, "cannot read file '" + name + "'");
    files_.push_back(p.string());
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  throw RcError(at.file, at.line, "cannot find file '" + name + "'");
}

}  // namespace wavrc
