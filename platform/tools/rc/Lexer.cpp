#include "platform/tools/rc/Lexer.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "platform/tools/rc/RcError.h"

namespace wavrc {

namespace {

void appendUtf8(std::string& out, uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | ((c >> 12) & 0x0F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool isOctal(char c) { return c >= '0' && c <= '7'; }

// Decodes the string that starts at line[i] (the opening quote); returns the
// index after the closing quote.
size_t readString(const std::string& line, size_t i, bool wide, Token& t) {
  auto fail = [&](const std::string& m) { throw RcError(t.file, t.line, m); };
  ++i;
  for (;;) {
    if (i >= line.size()) fail("unterminated string");
    char c = line[i];
    if (c == '"') {
      if (i + 1 < line.size() && line[i + 1] == '"') {
        t.text += '"';
        i += 2;
        continue;
      }
      return i + 1;
    }
    if (c != '\\') {
      t.text += c;
      ++i;
      continue;
    }
    if (++i >= line.size()) fail("unterminated string");
    char e = line[i++];
    switch (e) {
      case 'n': t.text += '\n'; break;
      case 'r': t.text += '\r'; break;
      case 't': t.text += '\t'; break;
      case 'a': t.text += '\a'; break;
      case 'b': t.text += '\b'; break;
      case 'f': t.text += '\f'; break;
      case 'v': t.text += '\v'; break;
      case '\\': t.text += '\\'; break;
      case '"': t.text += '"'; break;
      case '\'': t.text += '\''; break;
      case 'x':
      case 'X': {
        uint32_t v = 0;
        size_t digits = 0;
        size_t maxDigits = wide ? 4 : 2;
        while (i < line.size() && digits < maxDigits && std::isxdigit(static_cast<unsigned char>(line[i]))) {
          char d = line[i++];
          v = v * 16 + static_cast<uint32_t>(std::isdigit(static_cast<unsigned char>(d)) ? d - '0' : (std::tolower(d) - 'a' + 10));
          ++digits;
        }
        if (digits == 0) fail("\\x without hexadecimal digits");
        appendUtf8(t.text, v);  // the character U+00HH (U+HHHH in wide strings)
        break;
      }
      default:
        if (isOctal(e)) {
          uint32_t v = static_cast<uint32_t>(e - '0');
          for (int k = 0; k < 2 && i < line.size() && isOctal(line[i]); ++k) v = v * 8 + static_cast<uint32_t>(line[i++] - '0');
          t.text += static_cast<char>(v & 0xFF);
        } else {
          fail(std::string("unknown escape \\") + e);
        }
    }
  }
}

}  // namespace

void tokenizeLine(const std::string& line, const std::string& file, int lineNo, std::vector<Token>& out) {
  static const char* const kTwoCharPunct[] = {"<<", ">>", "&&", "||", "==", "!=", "<=", ">="};
  size_t i = 0;
  while (i < line.size()) {
    char c = line[i];
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
      continue;
    }
    Token t;
    t.file = file;
    t.line = lineNo;
    bool wideString = (c == 'L' || c == 'l') && i + 1 < line.size() && line[i + 1] == '"';
    if (c == '"' || wideString) {
      t.kind = TokenKind::String;
      t.wide = wideString;
      i = readString(line, wideString ? i + 1 : i, wideString, t);
    } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
      size_t j = i;
      while (j < line.size() && (std::isalnum(static_cast<unsigned char>(line[j])) || line[j] == '_')) ++j;
      t.kind = TokenKind::Identifier;
      t.text = line.substr(i, j - i);
      i = j;
    } else if (std::isdigit(static_cast<unsigned char>(c))) {
      size_t j = i;
      while (j < line.size() && (std::isalnum(static_cast<unsigned char>(line[j])))) ++j;
      t.kind = TokenKind::Number;
      t.text = line.substr(i, j - i);
      std::string digits = t.text;
      while (!digits.empty() && std::strchr("lLuU", digits.back()) != nullptr) {
        if (digits.back() == 'l' || digits.back() == 'L') t.isLong = true;
        digits.pop_back();
      }
      char* end = nullptr;
      unsigned long long v = std::strtoull(digits.c_str(), &end, 0);
      if (digits.empty() || *end != 0 || v > 0xFFFFFFFFull) throw RcError(file, lineNo, "malformed number '" + t.text + "'");
      t.number = static_cast<uint32_t>(v);
      i = j;
    } else {
      t.kind = TokenKind::Punct;
      t.text = std::string(1, c);
      for (const char* p : kTwoCharPunct) {
        if (line.compare(i, 2, p) == 0) t.text = p;
      }
      if (std::strchr(",(){}|&^~!+-*/%<>=", c) == nullptr) {
        throw RcError(file, lineNo, std::string("unexpected character '") + c + "'");
      }
      i += t.text.size();
    }
    out.push_back(std::move(t));
  }
}

}  // namespace wavrc
