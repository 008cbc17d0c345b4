#include "platform/tools/rc/ResourceSet.h"

#include "platform/tools/rc/RcError.h"

namespace wavrc {

size_t ResourceSet::addBlob(std::vector<uint8_t> bytes) {
  blobs_.push_back(std::move(bytes));
  return blobs_.size() - 1;
}

void ResourceSet::add(const ResName& type, const ResName& name, uint16_t language, std::vector<uint8_t> bytes,
                      const Token& at) {
  size_t size = bytes.size();
  size_t blob = addBlob(std::move(bytes));
  addView(type, name, language, blob, 0, size, at);
}

void ResourceSet::addView(const ResName& type, const ResName& name, uint16_t language, size_t blob, size_t offset,
                          size_t size, const Token& at) {
  for (const CompiledResource& r : resources_) {
    if (r.type == type && r.name == name && r.language == language) {
      std::string shown = name.isId ? std::to_string(name.id) : "\"" + name.text + "\"";
      throw RcError(at.file, at.line, "duplicate resource " + shown + " of this type and language");
    }
  }
  resources_.push_back(CompiledResource{type, name, language, blob, offset, size});
}

void ResourceSet::addFile(const ResName& type, const ResName& name, size_t blob) {
  files_.push_back(CompiledFile{type, name, blob});
}

uint16_t ResourceSet::nextOrdinal(uint16_t type) {
  uint16_t next = 1;
  for (const CompiledResource& r : resources_) {
    if (r.type == ResName::ordinal(type) && r.name.isId && r.name.id >= next) next = static_cast<uint16_t>(r.name.id + 1);
  }
  return next;
}

}  // namespace wavrc
