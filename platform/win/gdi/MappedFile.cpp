#include "platform/win/gdi/MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace wavorel {

namespace {

struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

// Reads to the end: `expected` bytes at once where the size is known, then
// in blocks (a pipe has no size to ask for).
bool readAll(int fd, size_t expected, std::vector<BYTE>& out) {
  constexpr size_t kBlock = 64 * 1024;
  out.reserve(expected + kBlock);
  for (;;) {
    size_t at = out.size();
    const size_t want = at < expected ? expected - at : kBlock;
    out.resize(at + want);
    ssize_t got = ::read(fd, out.data() + at, want);
    if (got < 0 && errno == EINTR) {
      out.resize(at);
      continue;
    }
    out.resize(at + (got > 0 ? static_cast<size_t>(got) : 0));
    if (got <= 0) return got == 0;
  }
}

}  // namespace

MappedFile::MappedFile(const std::string& path, Use use) {
  Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
  struct stat st {};
  if (file.fd < 0 || ::fstat(file.fd, &st) != 0 || S_ISDIR(st.st_mode)) return;
  const bool regular = S_ISREG(st.st_mode);
  if (use == Use::Scattered && regular && st.st_size > 0) {
    void* at = ::mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ, MAP_PRIVATE, file.fd, 0);
    if (at != MAP_FAILED) {
      mapping_ = at;
      data_ = static_cast<const BYTE*>(at);
      size_ = static_cast<size_t>(st.st_size);
      ok_ = true;
      return;
    }
  }
  if (!readAll(file.fd, regular ? static_cast<size_t>(st.st_size) : 0, copy_)) return;
  copy_.shrink_to_fit();
  data_ = copy_.data();
  size_ = copy_.size();
  ok_ = true;
}

MappedFile::~MappedFile() {
  if (mapping_) ::munmap(mapping_, size_);
}

}  // namespace wavorel
