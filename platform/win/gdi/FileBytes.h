// The bytes of a file, read into memory in one piece (a regular file into one
// buffer of its size, never copied again; a pipe, which has no size to ask
// for, into a buffer that grows): for files read whole once, as LoadImage's
// image files, and font files that cannot be read at an offset.
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
  FileBytes(const FileBytes&) = delete;
  FileBytes& operator=(const FileBytes&) = delete;

  bool ok() const { return ok_; }
  const BYTE* data() const { return bytes_.get(); }
  size_t size() const { return size_; }

 private:
  bool ok_ = false;
  std::unique_ptr<BYTE[]> bytes_;
  size_t size_ = 0;
};

}  // namespace wavorel
