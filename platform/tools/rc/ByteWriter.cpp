#include "platform/tools/rc/ByteWriter.h"

#include <stdexcept>

#include "platform/win/kernel/WideText.h"
#include "platform/wire/Bytes.h"

namespace wavrc {

void ByteWriter::word(uint16_t v) {
  bytes_.resize(bytes_.size() + 2);
  wavorel::wire::putU16(bytes_.data() + bytes_.size() - 2, v);
}

void ByteWriter::dword(uint32_t v) {
  bytes_.resize(bytes_.size() + 4);
  wavorel::wire::putU32(bytes_.data() + bytes_.size() - 4, v);
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
  if (at > bytes_.size() || bytes_.size() - at < 2) throw std::out_of_range("word patched past the end");
  wavorel::wire::putU16(bytes_.data() + at, v);
}

}  // namespace wavrc
