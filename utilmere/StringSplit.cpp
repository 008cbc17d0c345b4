// Splitting texts into string arrays. Every splitter steps over double-byte
// characters whole, so a separator, bracket or quote never matches the second
// byte of one.
#include <cstring>

#include "utilmere/DoubleByte.h"
#include "utilmere/Strings.h"

using utilmere::charLength;

namespace {

// Longest part before a separator that the character-separator splitter keeps.
constexpr int kMaxPart = 10238;

bool isOneOf(const char* p, const char* set) {
  return charLength(p) == 1 && *p != '\0' && set != nullptr && std::strchr(set, *p) != nullptr;
}


}  // namespace

int PartStringAndAddToStrAry(const char* text, CStringArray& array, const char* separators) {
  if (text == nullptr) return 0;
  array.RemoveAll();
  const char* p = text;
  while (*p != '\0') {
    while (isOneOf(p, separators)) ++p;
    const char* begin = p;
    while (*p != '\0' && !isOneOf(p, separators)) p += charLength(p);
    if (p > begin) array.Add(CString(begin, static_cast<int>(p - begin)));
  }
  return static_cast<int>(array.GetSize());
}

// A null text appends nothing.
int PartStringAndAddToStrAry(const char* text, CStringArray& array, char separator) {
  if (text == nullptr) return static_cast<int>(array.GetSize());
  const char* begin = text;
  for (int at = StrFind(text, 0, separator, 0); at >= 0; at = StrFind(text, at + 1, separator, 0)) {
    const int length = static_cast<int>(text + at - begin);
    CString part(begin, utilmere::wholeCharacters(begin, length, kMaxPart));
    array.Add(part.Trim());
    begin = text + at + 1;
  }
  if (*begin != '\0') array.Add(CString(begin));
  return static_cast<int>(array.GetSize());
}

int PartStringAndAddToStrAry(const char* text, CStringArray& array, char open, char close) {
  array.RemoveAll();
  if (text == nullptr) return 0;
  int from = 0;
  for (;;) {
    const int opened = StrFind(text, from, open, 0);
    if (opened < 0) break;
    const int closed = StrFind(text, opened + 1, close, 0);
    if (closed < 0) {
      if (text[opened + 1] != '\0') array.Add(CString(text + opened + 1));
      break;
    }
    array.Add(CString(text + opened + 1, closed - opened - 1));
    from = closed + 1;
  }
  return static_cast<int>(array.GetSize());
}

int PartStringAndIgnoreStringByQuo(const char* text, CStringArray& array, char separator) {
  if (text == nullptr) return -1;
  CString part;
  const char* p = text;
  while (*p != '\0') {
    const int length = charLength(p);
    if (length == 2) {
      part += CString(p, 2);
      p += 2;
    } else if (*p == separator) {
      array.Add(part);
      part.Empty();
      ++p;
    } else if (*p == '"' || *p == '\'') {
      const char quote = *p;
      const char* content = p + 1;
      const char* end = content;
      bool escaped = false;
      while (*end != '\0' && (*end != quote || escaped || charLength(end) == 2)) {
        escaped = charLength(end) == 1 && *end == '\\';
        end += charLength(end);
      }
      part += CString(content, static_cast<int>(end - content));
      if (*end == '\0') {
        array.Add(part);
        return static_cast<int>(array.GetSize());
      }
      p = end + 1;
    } else {
      part += *p;
      ++p;
    }
  }
  if (!part.IsEmpty()) array.Add(part);
  return static_cast<int>(array.GetSize());
}

int PartDigitOrSpecifyCharAndAddToStrAry(const char* text, CStringArray& array, char* extra) {
  if (text == nullptr) return -1;
  auto inRun = [extra](const char* p) {
    return charLength(p) == 1 && *p != '\0' && ((*p >= '0' && *p <= '9') || isOneOf(p, extra));
  };
  const char* p = text;
  while (*p != '\0') {
    while (*p != '\0' && !inRun(p)) p += charLength(p);
    const char* begin = p;
    while (inRun(p)) ++p;
    if (p > begin) array.Add(CString(begin, static_cast<int>(p - begin)));
  }
  return static_cast<int>(array.GetSize());
}
