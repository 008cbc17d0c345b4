#include "platform/win/gdi/FileBytes.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace wavorel {

namespace {

// From this size on, a regular file is mapped rather than read.
constexpr size_t kMappedFrom = 256 * 1024;

struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

// Reads to the end into `out`: a regular file's `expected` bytes into one
// buffer of that size (not zeroed first, never copied again), then whatever
// it grew by meanwhile; a pipe, which has no size to ask for, into a buffer
// that doubles.
bool readAll(int fd, size_t expected, std::unique_ptr<BYTE[]>& out, size_t& size) {
  constexpr size_t kBlock = 64 * 1024;
  size_t capacity = expected ? expected : kBlock;
  out.reset(new BYTE[capacity]);
  size = 0;
  for (;;) {
    if (size == capacity) {
      // Full: one more byte tells the end of a file of the size it had.
      BYTE probe = 0;
      ssize_t got = ::read(fd, &probe, 1);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) return got == 0;
      capacity *= 2;
      std::unique_ptr<BYTE[]> grown(new BYTE[capacity]);
      std::memcpy(grown.get(), out.get(), size);
      grown[size++] = probe;
      out = std::move(grown);
      continue;
    }
    ssize_t got = ::read(fd, out.get() + size, capacity - size);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return got == 0;
    size += static_cast<size_t>(got);
  }
}

}  // namespace

FileBytes::FileBytes(const std::string& path) {
  Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
  struct stat st {};
  if (file.fd < 0 || ::fstat(file.fd, &st) != 0 || S_ISDIR(st.st_mode)) return;
  const bool regular = S_ISREG(st.st_mode);
  // A large file is mapped with all its pages at once: no buffer of its size
  // to fault in and fill, no copy of the bytes.
  if (regular && st.st_size >= static_cast<off_t>(kMappedFrom)) {
    void* at = ::mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ, MAP_PRIVATE | MAP_POPULATE, file.fd, 0);
    if (at != MAP_FAILED) {
      mapping_ = at;
      data_ = static_cast<const BYTE*>(at);
      size_ = static_cast<size_t>(st.st_size);
      ok_ = true;
      return;
    }
  }
  if (!readAll(file.fd, regular ? static_cast<size_t>(st.st_size) : 0, copy_, size_)) return;
  data_ = copy_.get();
  ok_ = true;
}

FileBytes::~FileBytes() {
  if (mapping_) ::munmap(mapping_, size_);
}

}  // namespace wavorel
