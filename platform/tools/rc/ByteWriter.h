// Builds the little-endian binary layouts of resources.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wavrc {

// A resource type or name: an ordinal or an upper-case text.
struct ResName {
  bool isId = true;
  uint16_t id = 0;
  std::string text;

  static ResName ordinal(uint16_t v) { return ResName{true, v, ""}; }
  bool operator==(const ResName& o) const { return isId == o.isId && (isId ? id == o.id : text == o.text); }
};

class ByteWriter {
 public:
  void byte(uint8_t v) { bytes_.push_back(v); }
  void word(uint16_t v);
  void dword(uint32_t v);
  // UTF-8 text as UTF-16 code units, with a terminating zero when asked.
  void wide(const std::string& utf8, bool terminate = true);
  // A name-or-ordinal field: 0xFFFF and the ordinal, or the text.
  void nameOrOrdinal(const ResName& n);
  void raw(const std::vector<uint8_t>& b) { bytes_.insert(bytes_.end(), b.begin(), b.end()); }
  void alignDword();
  void patchWord(size_t at, uint16_t v);

  size_t size() const { return bytes_.size(); }
  std::vector<uint8_t>& bytes() { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace wavrc
