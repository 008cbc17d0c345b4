#include "platform/tools/rc/Expression.h"

#include "platform/tools/rc/Constants.h"

namespace wavrc {

namespace {

Value combine(Value a, Value b, uint32_t v) { return Value{v, a.isLong || b.isLong}; }

}  // namespace

Value Expression::parse() { return logicalOr(); }

uint32_t Expression::parseStyle(uint32_t initial) {
  uint32_t v = initial;
  do {
    if (ts_.acceptKeyword("NOT")) {
      v &= ~bitXor().value;
    } else {
      v |= bitXor().value;
    }
  } while (ts_.acceptPunct("|"));
  return v;
}

Value Expression::logicalOr() {
  Value a = logicalAnd();
  while (ts_.acceptPunct("||")) {
    Value b = logicalAnd();
    a = combine(a, b, (a.value || b.value) ? 1 : 0);
  }
  return a;
}

Value Expression::logicalAnd() {
  Value a = bitOr();
  while (ts_.acceptPunct("&&")) {
    Value b = bitOr();
    a = combine(a, b, (a.value && b.value) ? 1 : 0);
  }
  return a;
}

Value Expression::bitOr() {
  Value a = bitXor();
  while (ts_.acceptPunct("|")) {
    Value b = bitXor();
    a = combine(a, b, a.value | b.value);
  }
  return a;
}

Value Expression::bitXor() {
  Value a = bitAnd();
  while (ts_.acceptPunct("^")) {
    Value b = bitAnd();
    a = combine(a, b, a.value ^ b.value);
  }
  return a;
}

Value Expression::bitAnd() {
  Value a = equality();
  while (ts_.acceptPunct("&")) {
    Value b = equality();
    a = combine(a, b, a.value & b.value);
  }
  return a;
}

Value Expression::equality() {
  Value a = relational();
  for (;;) {
    if (ts_.acceptPunct("==")) {
      Value b = relational();
      a = combine(a, b, a.value == b.value);
    } else if (ts_.acceptPunct("!=")) {
      Value b = relational();
      a = combine(a, b, a.value != b.value);
    } else {
      return a;
    }
  }
}

Value Expression::relational() {
  Value a = shift();
  for (;;) {
    // Signed comparison, as C compares the int values of resource.h.
    auto sa = static_cast<int32_t>(a.value);
    if (ts_.acceptPunct("<")) {
      Value b = shift();
      a = combine(a, b, sa < static_cast<int32_t>(b.value));
    } else if (ts_.acceptPunct(">")) {
      Value b = shift();
      a = combine(a, b, sa > static_cast<int32_t>(b.value));
    } else if (ts_.acceptPunct("<=")) {
      Value b = shift();
      a = combine(a, b, sa <= static_cast<int32_t>(b.value));
    } else if (ts_.acceptPunct(">=")) {
      Value b = shift();
      a = combine(a, b, sa >= static_cast<int32_t>(b.value));
    } else {
      return a;
    }
  }
}

Value Expression::shift() {
  Value a = additive();
  for (;;) {
    if (ts_.acceptPunct("<<")) {
      Value b = additive();
      a = combine(a, b, b.value >= 32 ? 0 : a.value << b.value);
    } else if (ts_.acceptPunct(">>")) {
      Value b = additive();
      a = combine(a, b, b.value >= 32 ? 0 : a.value >> b.value);
    } else {
      return a;
    }
  }
}

Value Expression::additive() {
  Value a = multiplicative();
  for (;;) {
    if (ts_.acceptPunct("+")) {
      Value b = multiplicative();
      a = combine(a, b, a.value + b.value);
    } else if (ts_.acceptPunct("-")) {
      Value b = multiplicative();
      a = combine(a, b, a.value - b.value);
    } else {
      return a;
    }
  }
}

Value Expression::multiplicative() {
  Value a = unary();
  for (;;) {
    if (ts_.acceptPunct("*")) {
      Value b = unary();
      a = combine(a, b, a.value * b.value);
    } else if (ts_.isPunct("/") || ts_.isPunct("%")) {
      const Token op = ts_.next();
      bool divide = op.text == "/";
      Value b = unary();
      if (b.value == 0) throw RcError(op.file, op.line, "division by zero");
      a = combine(a, b, divide ? a.value / b.value : a.value % b.value);
    } else {
      return a;
    }
  }
}

Value Expression::unary() {
  if (ts_.acceptPunct("-")) {
    Value v = unary();
    return Value{0u - v.value, v.isLong};
  }
  if (ts_.acceptPunct("~")) {
    Value v = unary();
    return Value{~v.value, v.isLong};
  }
  if (ts_.acceptPunct("!")) {
    Value v = unary();
    return Value{v.value == 0 ? 1u : 0u, v.isLong};
  }
  if (ts_.acceptPunct("+")) return unary();
  return primary();
}

Value Expression::primary() {
  if (ts_.acceptPunct("(")) {
    Value v = parse();
    ts_.expectPunct(")", "to close the expression");
    return v;
  }
  const Token& t = ts_.peek();
  if (t.kind == TokenKind::Number) {
    ts_.next();
    return Value{t.number, t.isLong};
  }
  if (t.kind == TokenKind::Identifier) {
    uint32_t v = 0;
    if (lookupConstant(t.text, v)) {
      ts_.next();
      return Value{v, false};
    }
    if (unknownIsZero_) {
      ts_.next();
      return Value{0, false};
    }
    ts_.fail("unknown constant '" + t.text + "'");
  }
  ts_.fail("expected a number");
}

}  // namespace wavrc
