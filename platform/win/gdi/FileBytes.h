// The bytes of a file read whole once (LoadImage's image files, font files
// that cannot be read at an offset): a regular file is read into one buffer of
// its size, never copied again, or, from 256 KB on (the skins), mapped with all
// its pages at once, with no buffer to fill; a pipe, which has no size to ask
// for, is read into a buffer that grows. Either way the same bytes.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "platform/win/kernel/Types.h"

namespace wavorel {

class FileBytes {
 public:
  // A Linux path. ok() tells whether the file could be read.
  explicit FileBytes(const std::string& path);
  ~FileBytes();
  FileBytes(const FileBytes&) = delete;
  FileBytes& operator=(const FileBytes&) = delete;

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
