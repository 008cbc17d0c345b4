#include "platform/win/gdi/FontStream.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace wavorel {

namespace {

// Reads up to `count` bytes at `offset`; the bytes read (fewer only at the end
// of the file or on an error).
unsigned long readAt(int fd, unsigned long offset, unsigned char* out, unsigned long count) {
  unsigned long done = 0;
  while (done < count) {
    const ssize_t got = ::pread(fd, out + done, count - done, static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += static_cast<unsigned long>(got);
  }
  return done;
}

}  // namespace

struct FontStream::Block {
  unsigned long start = 0;
  unsigned long size = 0;  // 0: empty
  uint64_t lastUse = 0;
  unsigned char bytes[kBlock];
};

FontStream::FontStream(const std::string& path) {
  // Anything but a regular file is left unopened: opening a pipe and closing
  // it again would break its writer, who has to fill it for the one read that
  // takes it whole.
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return;
  }
  fd_ = fd;
  size_ = static_cast<unsigned long>(st.st_size);
  stream_ = std::make_unique<FT_StreamRec_>();
  stream_->size = size_;
  stream_->descriptor.pointer = this;
  stream_->read = &FontStream::read;
  blocks_ = std::make_unique<Block[]>(kBlocks);
}

FontStream::~FontStream() {
  if (fd_ >= 0) ::close(fd_);
}

unsigned long FontStream::read(FT_StreamRec_* stream, unsigned long offset, unsigned char* buffer,
                               unsigned long count) {
  auto* self = static_cast<FontStream*>(stream->descriptor.pointer);
  // A count of 0 is a seek: 0 when the offset lies in the file.
  if (count == 0) return offset <= self->size_ ? 0 : 1;
  if (offset >= self->size_) return 0;
  return self->copy(offset, buffer, std::min(count, self->size_ - offset));
}

unsigned long FontStream::copy(unsigned long offset, unsigned char* out, unsigned long count) {
  // A table read whole goes straight to FreeType's buffer.
  if (count >= kBlock) return readAt(fd_, offset, out, count);
  unsigned long done = 0;
  while (done < count) {
    const unsigned long at = offset + done;
    const Block& b = block(at - at % kBlock);
    const unsigned long from = at - b.start;
    if (from >= b.size) break;
    const unsigned long n = std::min(count - done, b.size - from);
    std::memcpy(out + done, b.bytes + from, n);
    done += n;
  }
  return done;
}

const FontStream::Block& FontStream::block(unsigned long start) {
  Block* oldest = &blocks_[0];
  for (int i = 0; i < kBlocks; ++i) {
    Block& b = blocks_[i];
    if (b.size && b.start == start) {
      b.lastUse = ++uses_;
      return b;
    }
    if (b.lastUse < oldest->lastUse) oldest = &b;
  }
  oldest->start = start;
  oldest->size = readAt(fd_, start, oldest->bytes, std::min(kBlock, size_ - start));
  oldest->lastUse = ++uses_;
  return *oldest;
}

}  // namespace wavorel
