// The bytes of a file, read-only. Mapped into memory where the file allows it
// (shared with every other process that maps it; only the pages read become
// resident, and nothing is copied): for files read here and there, as
// FreeType reads fonts. Files read whole once (LoadImage's image files) are
// read into memory in one piece, or, from 256 KB on, mapped with every page
// at once; files that cannot be mapped (a pipe, a file system without mmap)
// are always read. Either way the same bytes.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "platform/win/kernel/Types.h"

namespace wavorel {

class MappedFile {
 public:
  enum class Use { Scattered, Whole };
  // A Linux path. ok() tells whether the file could be read.
  explicit MappedFile(const std::string& path, Use use = Use::Scattered);
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  bool ok() const { return ok_; }
  const BYTE* data() const { return data_; }
  size_t size() const { return size_; }
  bool mapped() const { return mapping_ != nullptr; }

 private:
  bool ok_ = false;
  void* mapping_ = nullptr;  // the mmap'ed file, or null
  std::unique_ptr<BYTE[]> copy_;  // the bytes read where the file is not mapped
  const BYTE* data_ = nullptr;
  size_t size_ = 0;
};

}  // namespace wavorel
