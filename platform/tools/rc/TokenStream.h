// Reading position over the tokens of a script, with the checks every
// statement parser needs.
#pragma once

#include <string>
#include <vector>

#include "platform/tools/rc/RcError.h"
#include "platform/tools/rc/Token.h"

namespace wavrc {

class TokenStream {
 public:
  explicit TokenStream(std::vector<Token> tokens);

  const Token& peek(size_t ahead = 0) const;
  const Token& next();
  bool atEnd() const { return peek().kind == TokenKind::End; }

  // Case-insensitive keyword test of the next token.
  bool isKeyword(const char* word, size_t ahead = 0) const;
  bool isPunct(const char* p, size_t ahead = 0) const;
  bool isBegin() const { return isKeyword("BEGIN") || isPunct("{"); }
  bool isEnd() const { return isKeyword("END") || isPunct("}"); }

  // Consumes the token when it matches.
  bool acceptKeyword(const char* word);
  bool acceptPunct(const char* p);
  void expectPunct(const char* p, const char* what);
  void expectBegin(const char* what);
  // A string token (adjacent strings are joined).
  std::string expectString(const char* what);
  bool isString() const { return peek().kind == TokenKind::String; }

  // An error at the next token (or at the last one at the end of input).
  [[noreturn]] void fail(const std::string& message) const;

 private:
  std::vector<Token> tokens_;
  size_t pos_ = 0;
};

}  // namespace wavrc
