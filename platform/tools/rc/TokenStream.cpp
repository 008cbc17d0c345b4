#include "platform/tools/rc/TokenStream.h"

#include <strings.h>

namespace wavrc {

TokenStream::TokenStream(std::vector<Token> tokens) : tokens_(std::move(tokens)) {
  Token end;
  if (!tokens_.empty()) {
    end.file = tokens_.back().file;
    end.line = tokens_.back().line;
  }
  tokens_.push_back(end);
}

const Token& TokenStream::peek(size_t ahead) const {
  size_t i = pos_ + ahead;
  return i < tokens_.size() ? tokens_[i] : tokens_.back();
}

const Token& TokenStream::next() {
  const Token& t = peek();
  if (pos_ + 1 < tokens_.size()) ++pos_;
  return t;
}

bool TokenStream::isKeyword(const char* word, size_t ahead) const {
  const Token& t = peek(ahead);
  return t.kind == TokenKind::Identifier && strcasecmp(t.text.c_str(), word) == 0;
}

bool TokenStream::isPunct(const char* p, size_t ahead) const {
  const Token& t = peek(ahead);
  return t.kind == TokenKind::Punct && t.text == p;
}

bool TokenStream::acceptKeyword(const char* word) {
  if (!isKeyword(word)) return false;
  next();
  return true;
}

bool TokenStream::acceptPunct(const char* p) {
  if (!isPunct(p)) return false;
  next();
  return true;
}

void TokenStream::expectPunct(const char* p, const char* what) {
  if (!acceptPunct(p)) fail(std::string("expected '") + p + "' " + what);
}

void TokenStream::expectBegin(const char* what) {
  if (!isBegin()) fail(std::string("expected BEGIN or '{' ") + what);
  next();
}

std::string TokenStream::expectString(const char* what) {
  if (!isString()) fail(std::string("expected a string ") + what);
  std::string s = next().text;
  while (isString()) s += next().text;
  return s;
}

void TokenStream::fail(const std::string& message) const {
  const Token& t = peek();
  std::string where = t.kind == TokenKind::End ? "at end of file" : "at '" + t.text + "'";
  if (t.kind == TokenKind::String) where = "at string \"" + t.text + "\"";
  throw RcError(t.file, t.line, message + " (" + where + ")");
}

}  // namespace wavrc
