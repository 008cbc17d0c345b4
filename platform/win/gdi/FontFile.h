// The bytes of one font file, as FreeType reads them: the file mapped into
// memory (read-only, shared with every other process that maps it, only the
// pages FreeType touches become resident), or, where the file cannot be
// mapped (a pipe, a file system without mmap), read into memory once. Both
// give FreeType the same bytes, so text looks the same either way.
// Also holds one FreeType face over the bytes, unsized, for reading the
// file's tables.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/win/kernel/Types.h"

struct FT_FaceRec_;
struct FT_LibraryRec_;

namespace wavorel {

class FontFile {
 public:
  // Throws std::runtime_error when the file cannot be read or is no font.
  FontFile(const std::string& path, FT_LibraryRec_* library);
  ~FontFile();
  FontFile(const FontFile&) = delete;
  FontFile& operator=(const FontFile&) = delete;

  const BYTE* data() const { return data_; }
  size_t size() const { return size_; }
  bool mapped() const { return mapping_ != nullptr; }
  // The unsized face, for the tables (OS/2, hhea) and names.
  FT_FaceRec_* tables() const { return tables_; }

 private:
  void* mapping_ = nullptr;  // the mmap'ed file, or null
  std::vector<BYTE> copy_;   // the bytes read when the file could not be mapped
  const BYTE* data_ = nullptr;
  size_t size_ = 0;
  FT_FaceRec_* tables_ = nullptr;
};

}  // namespace wavorel
