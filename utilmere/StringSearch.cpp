// Character searches that step over double-byte characters whole.
#include <cstdarg>
#include <cstring>
#include <string>

#include "utilmere/DoubleByte.h"
#include "utilmere/Strings.h"

using utilmere::charLength;
using utilmere::isGraphByte;

int StrFind(const char* text, int start, ...) {
  if (text == nullptr || start < 0) return -1;
  std::string wanted;
  va_list args;
  va_start(args, start);
  for (int c = va_arg(args, int); static_cast<char>(c) != '\0'; c = va_arg(args, int)) {
    wanted += static_cast<char>(c);
  }
  va_end(args);
  if (static_cast<size_t>(start) > std::strlen(text)) return -1;
  for (int i = start; text[i] != '\0';) {
    const int length = charLength(text + i);
    if (length == 1 && !utilmere::isLeadByte(static_cast<unsigned char>(text[i])) &&
        wanted.find(text[i]) != std::string::npos) {
      return i;
    }
    i += length;
  }
  return -1;
}

// Both searches skip double-byte characters; a lone lead byte before the end
// of the text is an ordinary byte.
char* gxStrChr(const char* text, int character) {
  if (text == nullptr) return nullptr;
  const char wanted = static_cast<char>(character);
  for (const char* p = text;; p += charLength(p)) {
    if (charLength(p) == 1 && *p == wanted) return const_cast<char*>(p);
    if (*p == '\0') return nullptr;
  }
}

char* gxStrrChr(const char* text, int character) {
  if (text == nullptr) return nullptr;
  const char wanted = static_cast<char>(character);
  const char* found = nullptr;
  for (const char* p = text;; p += charLength(p)) {
    if (charLength(p) == 1 && *p == wanted) found = p;
    if (*p == '\0') return const_cast<char*>(found);
  }
}

void ReplaceChineseStrToEnglish(char* text, char filler) {
  if (text == nullptr) return;
  for (char* p = text; *p != '\0';) {
    const int length = charLength(p);
    if (length == 2) p[0] = p[1] = filler;
    p += length;
  }
}

int CalcCharCount(const char* text, char character) {
  if (text == nullptr) return 0;
  int count = 0;
  for (; *text != '\0'; ++text) {
    if (*text == character) ++count;
  }
  return count;
}

static int findByClass(const CString& text, int start, bool graph) {
  for (int i = start < 0 ? 0 : start; i < text.GetLength(); ++i) {
    if (isGraphByte(static_cast<unsigned char>(text[i])) == graph) return i;
  }
  return -1;
}

int FindGraphPos(CString& text, int start) { return findByClass(text, start, true); }

int FindNonGraphPos(CString& text, int start) { return findByClass(text, start, false); }
