// Integer expressions of resource scripts, as C evaluates them on 32-bit
// unsigned values: | ^ & == != < > <= >= << >> + - * / % and the unary
// - ~ ! +, parentheses, numbers and named constants. Style expressions also
// take "NOT x", which clears x from everything to its left (and from the
// statement's default style).
#pragma once

#include <cstdint>

#include "platform/tools/rc/TokenStream.h"

namespace wavrc {

struct Value {
  uint32_t value = 0;
  bool isLong = false;  // one of its numbers carried an L suffix
};

class Expression {
 public:
  // With `unknownIsZero` (preprocessor conditions) an unknown name counts 0;
  // otherwise it is an error.
  explicit Expression(TokenStream& ts, bool unknownIsZero = false) : ts_(ts), unknownIsZero_(unknownIsZero) {}

  Value parse();
  uint32_t parseStyle(uint32_t initial);

 private:
  Value logicalOr();
  Value logicalAnd();
  Value bitOr();
  Value bitXor();
  Value bitAnd();
  Value equality();
  Value relational();
  Value shift();
  Value additive();
  Value multiplicative();
  Value unary();
  Value primary();

  TokenStream& ts_;
  bool unknownIsZero_;
};

}  // namespace wavrc
