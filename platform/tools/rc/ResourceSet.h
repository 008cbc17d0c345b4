// The resources compiled from one script: binary blobs and the resources that
// are views into them (an icon file's images share the file's blob).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/tools/rc/ByteWriter.h"
#include "platform/tools/rc/Token.h"

namespace wavrc {

struct CompiledResource {
  ResName type;
  ResName name;
  uint16_t language = 0;
  size_t blob = 0;
  size_t offset = 0;
  size_t size = 0;
};

// The file behind an ICON, CURSOR or BITMAP statement.
struct CompiledFile {
  ResName type;
  ResName name;
  size_t blob = 0;
};

class ResourceSet {
 public:
  size_t addBlob(std::vector<uint8_t> bytes);
  // Adds a resource; a second one with the same type, name and language is an
  // error at `at`.
  void add(const ResName& type, const ResName& name, uint16_t language, std::vector<uint8_t> bytes, const Token& at);
  void addView(const ResName& type, const ResName& name, uint16_t language, size_t blob, size_t offset, size_t size,
               const Token& at);
  void addFile(const ResName& type, const ResName& name, size_t blob);
  // The next free ordinal of a type whose names the compiler chooses (the
  // images of icons and cursors).
  uint16_t nextOrdinal(uint16_t type);

  const std::vector<std::vector<uint8_t>>& blobs() const { return blobs_; }
  const std::vector<CompiledResource>& resources() const { return resources_; }
  const std::vector<CompiledFile>& files() const { return files_; }

 private:
  std::vector<std::vector<uint8_t>> blobs_;
  std::vector<CompiledResource> resources_;
  std::vector<CompiledFile> files_;
};

}  // namespace wavrc
