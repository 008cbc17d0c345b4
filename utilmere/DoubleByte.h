// Byte classes shared by the string functions of the library. Text is ANSI
// in the system code page: a byte with the top bit set begins a double-byte
// character whose second byte may be any non-zero byte.
#pragma once

namespace utilmere {

inline bool isLeadByte(unsigned char b) { return (b & 0x80) != 0; }

// Length of the character at `text` (a zero byte ends the text, so a lead
// byte before it stands alone).
inline int charLength(const char* text) {
  return isLeadByte(static_cast<unsigned char>(text[0])) && text[1] != '\0' ? 2 : 1;
}

// A visible ASCII character (the C locale's isgraph), or a byte of a
// double-byte character.
inline bool isGraphByte(unsigned char b) { return (b > 0x20 && b < 0x7F) || isLeadByte(b); }

inline bool isAsciiAlnum(unsigned char b) {
  return (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
}

}  // namespace utilmere

namespace utilmere {

// How many of the first `count` bytes of `text` fit in `room` bytes without
// splitting a double-byte character.
inline int wholeCharacters(const char* text, int count, int room) {
  int end = 0;
  while (end < count) {
    const int next = end + (isLeadByte(static_cast<unsigned char>(text[end])) && end + 1 < count ? 2 : 1);
    if (next > room) break;
    end = next;
  }
  return end;
}

}  // namespace utilmere
