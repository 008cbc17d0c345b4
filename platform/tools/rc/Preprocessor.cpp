#include "platform/tools/rc/Preprocessor.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/tools/rc/Expression.h"
#include "platform/tools/rc/Lexer.h"
#include "platform/tools/rc/RcError.h"
#include "platform/tools/rc/TokenStream.h"

namespace wavrc {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxIncludeDepth = 32;

bool isBuiltinHeader(std::string name) {
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  static const char* const kHeaders[] = {"windows.h", "winres.h",  "winresrc.h", "afxres.h",  "commctrl.h",
                                         "winver.h",  "winuser.h", "richedit.h", "dlgs.h"};
  for (const char* h : kHeaders) {
    if (name == h) return true;
  }
  return false;
}

// Removes comments (keeping line breaks so that line numbers hold) and joins
// lines ended by a backslash; returns the lines with their numbers.
std::vector<std::pair<int, std::string>> logicalLines(const std::string& text, const std::string& file) {
  std::string clean;
  clean.reserve(text.size());
  bool inString = false;
  int line = 1;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (inString) {
      if (c == '\\' && i + 1 < text.size() && text[i + 1] != '\n') {
        clean += c;
        clean += text[++i];
        continue;
      }
      if (c == '"' || c == '\n') inString = false;
    } else if (c == '"') {
      inString = true;
    } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
      while (i < text.size() && text[i] != '\n') ++i;
      --i;
      continue;
    } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
      size_t end = text.find("*/", i + 2);
      if (end == std::string::npos) throw RcError(file, line, "unterminated comment");
      for (size_t k = i; k < end; ++k) {
        if (text[k] == '\n') {
          clean += '\n';
          ++line;
        }
      }
      clean += ' ';
      i = end + 1;
      continue;
    }
    if (c == '\n') ++line;
    if (c != '\r') clean += c;
  }
  std::vector<std::pair<int, std::string>> lines;
  std::istringstream in(clean);
  std::string part, pending;
  int number = 0, pendingLine = 0;
  bool continued = false;
  while (std::getline(in, part)) {
    ++number;
    if (continued) {
      pending += part;
    } else {
      pending = part;
      pendingLine = number;
    }
    continued = !pending.empty() && pending.back() == '\\';
    if (continued) {
      pending.pop_back();
      continue;
    }
    lines.emplace_back(pendingLine, pending);
  }
  if (continued) lines.emplace_back(pendingLine, pending);
  return lines;
}

}  // namespace

Preprocessor::Preprocessor(std::vector<std::string> includeDirs) : includeDirs_(std::move(includeDirs)) {
  Token one;
  one.kind = TokenKind::Number;
  one.text = "1";
  one.number = 1;
  macros_["RC_INVOKED"] = {one};
}

std::vector<Token> Preprocessor::run(const std::string& path) {
  processFile(path, 0);
  return std::move(out_);
}

bool Preprocessor::active(const std::vector<Conditional>& conds) const {
  return conds.empty() || conds.back().active;
}

void Preprocessor::processFile(const std::string& path, int depth) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw RcError(path, 0, "cannot open file");
  std::stringstream buffer;
  buffer << in.rdbuf();
  std::string text = buffer.str();
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
  dependencies_.push_back(path);

  std::vector<Conditional> conds;
  int lastLine = 0;
  for (auto& [number, line] : logicalLines(text, path)) {
    lastLine = number;
    size_t first = line.find_first_not_of(" \t");
    if (first != std::string::npos && line[first] == '#') {
      directive(line.substr(first + 1), path, number, depth, conds);
      continue;
    }
    if (!active(conds)) continue;
    std::vector<Token> raw;
    tokenizeLine(line, path, number, raw);
    std::set<std::string> busy;
    expand(raw, out_, busy, nullptr);
  }
  if (!conds.empty()) throw RcError(path, lastLine, "#if without #endif");
}

void Preprocessor::directive(const std::string& body, const std::string& file, int line, int depth,
                             std::vector<Conditional>& conds) {
  size_t p = body.find_first_not_of(" \t");
  size_t e = p == std::string::npos ? p : body.find_first_of(" \t(\"<", p);
  std::string name = p == std::string::npos ? "" : body.substr(p, e == std::string::npos ? e : e - p);
  std::string rest = e == std::string::npos ? "" : body.substr(e);
  auto restTokens = [&] {
    std::vector<Token> t;
    tokenizeLine(rest, file, line, t);
    return t;
  };
  auto macroName = [&]() {
    std::vector<Token> t = restTokens();
    if (t.empty() || t[0].kind != TokenKind::Identifier) throw RcError(file, line, "#" + name + " needs a name");
    return t[0].text;
  };

  if (name == "if" || name == "ifdef" || name == "ifndef") {
    bool parent = active(conds);
    bool value = false;
    if (parent) {
      value = name == "if" ? evaluate(restTokens(), file, line) : (macros_.count(macroName()) != 0) == (name == "ifdef");
    }
    conds.push_back({parent, parent && value, value, false});
    return;
  }
  if (name == "elif" || name == "else" || name == "endif") {
    if (conds.empty()) throw RcError(file, line, "#" + name + " without #if");
    Conditional& c = conds.back();
    if (name == "endif") {
      conds.pop_back();
      return;
    }
    if (c.seenElse) throw RcError(file, line, "#" + name + " after #else");
    bool value = name == "else" ? true : (c.parentActive && !c.taken && evaluate(restTokens(), file, line));
    c.seenElse = name == "else";
    c.active = c.parentActive && !c.taken && value;
    c.taken = c.taken || c.active;
    return;
  }
  if (!active(conds)) return;

  if (name == "include") {
    size_t q = rest.find_first_not_of(" \t");
    if (q == std::string::npos || (rest[q] != '"' && rest[q] != '<')) throw RcError(file, line, "#include needs \"file\" or <file>");
    char close = rest[q] == '"' ? '"' : '>';
    size_t end = rest.find(close, q + 1);
    if (end == std::string::npos) throw RcError(file, line, "unterminated #include file name");
    std::string header = rest.substr(q + 1, end - q - 1);
    std::string found = findInclude(header, file, close == '>');
    if (found.empty()) {
      if (isBuiltinHeader(header)) return;
      throw RcError(file, line, "cannot find include file '" + header + "'");
    }
    if (depth >= kMaxIncludeDepth) throw RcError(file, line, "#include nested too deeply");
    processFile(found, depth + 1);
  } else if (name == "define") {
    std::vector<Token> t = restTokens();
    if (t.empty() || t[0].kind != TokenKind::Identifier) throw RcError(file, line, "#define needs a name");
    size_t after = rest.find(t[0].text) + t[0].text.size();
    if (after < rest.size() && rest[after] == '(') throw RcError(file, line, "function-like macros are not supported");
    macros_[t[0].text] = std::vector<Token>(t.begin() + 1, t.end());
  } else if (name == "undef") {
    macros_.erase(macroName());
  } else if (name == "pragma") {
    // code_page and the like: nothing to do.
  } else if (name == "error") {
    throw RcError(file, line, "#error" + rest);
  } else {
    throw RcError(file, line, "unknown directive '#" + name + "'");
  }
}

bool Preprocessor::evaluate(std::vector<Token> tokens, const std::string& file, int line) const {
  // `defined X` and `defined(X)` are decided before macros are expanded.
  std::vector<Token> resolved;
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].kind == TokenKind::Identifier && tokens[i].text == "defined") {
      size_t j = i + 1;
      bool paren = j < tokens.size() && tokens[j].text == "(";
      if (paren) ++j;
      if (j >= tokens.size() || tokens[j].kind != TokenKind::Identifier) throw RcError(file, line, "defined needs a name");
      Token v = tokens[j];
      v.kind = TokenKind::Number;
      v.number = macros_.count(tokens[j].text) ? 1 : 0;
      v.text = std::to_string(v.number);
      if (paren && (j + 1 >= tokens.size() || tokens[j + 1].text != ")")) throw RcError(file, line, "expected ')' after defined(");
      i = paren ? j + 1 : j;
      resolved.push_back(v);
      continue;
    }
    resolved.push_back(tokens[i]);
  }
  std::vector<Token> expanded;
  std::set<std::string> busy;
  expand(resolved, expanded, busy, nullptr);
  if (expanded.empty()) throw RcError(file, line, "#if needs an expression");
  TokenStream ts(std::move(expanded));
  Value v = Expression(ts, true).parse();
  if (!ts.atEnd()) ts.fail("unexpected text after the #if expression");
  return v.value != 0;
}

void Preprocessor::expand(const std::vector<Token>& in, std::vector<Token>& out, std::set<std::string>& busy,
                          const Token* site) const {
  for (const Token& t : in) {
    auto it = t.kind == TokenKind::Identifier ? macros_.find(t.text) : macros_.end();
    if (it == macros_.end() || busy.count(t.text)) {
      out.push_back(t);
      if (site != nullptr) {
        out.back().file = site->file;
        out.back().line = site->line;
      }
      continue;
    }
    busy.insert(t.text);
    expand(it->second, out, busy, site != nullptr ? site : &t);
    busy.erase(t.text);
  }
}

std::string Preprocessor::findInclude(const std::string& name, const std::string& fromFile, bool angled) const {
  std::vector<fs::path> dirs;
  if (!angled) dirs.push_back(fs::path(fromFile).parent_path());
  for (const std::string& d : includeDirs_) dirs.emplace_back(d);
  for (const fs::path& d : dirs) {
    fs::path p = d / name;
    std::error_code ec;
    if (fs::is_regular_file(p, ec)) return p.lexically_normal().string();
  }
  return "";
}

}  // namespace wavrc
