#include "platform/tools/rc/ByteWriter.h"

#include "platform/win/kernel/WideText.h"

namespace wavrc {

void ByteWriter::word(uint16_t v) {
  bytes_.push_back(static_cast<uint8_t>(v & 0xFF));
  bytes_.push_back(static_cast<uint8_t>(v >> 8));
}

void ByteWriter::dword(uint32_t v) {
  word(static_cast<uint16_t>(v & 0xFFFF));
  word(static_cast<uint16_t>(v >> 16));
}

void ByteWriter::wide(const std::string& utf8, bool terminate) {
  for (char16_t c : wavorel::utf8ToUtf16(utf8)) word(c);
  if (terminate) word(0);
}

void ByteWriter::nameOrOrdinal(const ResName& n) {
  if (n.isId) {
    word(0xFFFF);
    word(n.id);
  } else {
    wide(n.text);
  }
}

void ByteWriter::alignDword() {
  while (bytes_.size() % 4 != 0) bytes_.push_back(0);
}

void ByteWriter::patchWord(size_t at, uint16_t v) {
  bytes_.at(at) = static_cast<uint8_t>(v & 0xFF);
  bytes_.at(at + 1) = static_cast<uint8_t>(v >> 8);
}

}  // namespace wavrc
