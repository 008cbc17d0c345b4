// Cutting a text into lines of a given width without splitting a double-byte
// character, breaking after a blank or punctuation where one lies in the
// second half of the line.
#include <cstring>
#include <memory>

#include "utilmere/DoubleByte.h"
#include "utilmere/Strings.h"

using utilmere::charLength;
using utilmere::isLeadByte;

int FindSentenceSyncopatePostion(char* text, int limit) {
  if (text == nullptr || limit < 0) return 0;
  const int length = static_cast<int>(std::strlen(text));
  const int m = limit > length - 1 ? length - 1 : limit;
  const auto byteAt = [text](int i) { return static_cast<unsigned char>(text[i]); };

  // Find the last run of double-byte characters that starts at or before m.
  int runStart = -1;
  int runEnd = -1;
  bool inRun = false;
  for (int pos = 0; pos <= m;) {
    if (isLeadByte(byteAt(pos))) {
      if (!inRun) runStart = pos;
      inRun = true;
      pos += 2;
    } else {
      if (inRun) runEnd = pos - 1;
      inRun = false;
      pos += 1;
    }
  }
  if (inRun) {
    // m ends the run: take the character at m only when it is whole.
    const int runLength = m - runStart + 1;
    return runLength % 2 == 0 ? m + 1 : m;
  }
  if (m == length - 1) return length;
  for (int p = m; p > m / 2; --p) {
    const unsigned char b = byteAt(p);
    if (isLeadByte(b) || !utilmere::isAsciiAlnum(b) || p == runEnd) return p + 1;
  }
  return m + 1;
}

namespace {

// The next piece for a line of `width` bytes. A width too small for the next
// character still takes that character whole, so every piece moves on.
int nextPiece(char* text, int width) {
  const int piece = FindSentenceSyncopatePostion(text, width - 1);
  return piece > 0 ? piece : charLength(text);
}

}  // namespace

// A width below 1 gives one character per line. An output too small for all
// pieces and insertions keeps what fits and ends with a zero.
char* InsertCharInterval(char* text, int width, char* insertion, char* output, int outputSize) {
  if (output == nullptr || outputSize < 1) return output;
  std::memset(output, 0, static_cast<size_t>(outputSize));
  if (text == nullptr) return output;
  const size_t insertionLength = insertion != nullptr ? std::strlen(insertion) : 0;
  size_t used = 0;
  const size_t room = static_cast<size_t>(outputSize) - 1;
  const auto append = [&](const char* bytes, size_t count) {
    const size_t n = static_cast<size_t>(
        utilmere::wholeCharacters(bytes, static_cast<int>(count), static_cast<int>(room - used)));
    if (n > 0) std::memcpy(output + used, bytes, n);
    used += n;
    return n == count;
  };
  for (char* rest = text; *rest != '\0' && used < room;) {
    const int piece = nextPiece(rest, width);
    if (!append(rest, static_cast<size_t>(piece)) || !append(insertion, insertionLength)) break;
    rest += piece;
  }
  return output;
}

CStringArray* SyncopateString(char* text, int width) {
  if (text == nullptr || *text == '\0' || width < 1) return nullptr;
  auto lines = std::make_unique<CStringArray>();
  for (char* rest = text; *rest != '\0';) {
    const int piece = nextPiece(rest, width);
    lines->Add(CString(rest, piece));
    rest += piece;
  }
  return lines.release();
}
