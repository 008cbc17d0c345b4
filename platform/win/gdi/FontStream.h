// A font file as FreeType reads it from disk: FreeType asks for the ranges of
// the file it needs (the tables it keeps, then each glyph's outline and
// metrics as they are drawn), and they are read with pread, through a few
// cached blocks so that a glyph's small reads cost no system call each. Only
// what FreeType keeps takes memory, and no page of the file is mapped.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct FT_StreamRec_;

namespace wavorel {

class FontStream {
 public:
  // Opens a regular file; ok() is false for anything else (missing, a folder,
  // a pipe, which cannot be read at an offset).
  explicit FontStream(const std::string& path);
  ~FontStream();
  FontStream(const FontStream&) = delete;
  FontStream& operator=(const FontStream&) = delete;

  bool ok() const { return fd_ >= 0; }
  // The stream to open a face on; it lives as long as this object.
  FT_StreamRec_* stream() const { return stream_.get(); }

  static constexpr unsigned long kBlock = 2048;
  static constexpr int kBlocks = 4;

 private:
  static unsigned long read(FT_StreamRec_* stream, unsigned long offset, unsigned char* buffer,
                            unsigned long count);
  // Copies [offset, offset + count) of the file to `out`; the bytes copied
  // (fewer at the end of the file).
  unsigned long copy(unsigned long offset, unsigned char* out, unsigned long count);
  // The cached block starting at `start` (a multiple of kBlock), read if need be.
  struct Block;
  const Block& block(unsigned long start);

  int fd_ = -1;
  unsigned long size_ = 0;
  std::unique_ptr<FT_StreamRec_> stream_;
  std::unique_ptr<Block[]> blocks_;
  uint64_t uses_ = 0;
};

}  // namespace wavorel
