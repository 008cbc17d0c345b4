// A token of a preprocessed resource script, with the place it came from.
#pragma once

#include <cstdint>
#include <string>

namespace wavrc {

enum class TokenKind { Identifier, Number, String, Punct, End };

struct Token {
  TokenKind kind = TokenKind::End;
  std::string text;  // identifier, punctuation, number spelling, or the decoded string (UTF-8)
  uint32_t number = 0;
  bool isLong = false;  // number with an L suffix
  bool wide = false;    // L"..." string
  std::string file;
  int line = 0;
};

}  // namespace wavrc
