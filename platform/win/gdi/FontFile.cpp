#include "platform/win/gdi/FontFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cerrno>
#include <stdexcept>

namespace wavorel {

namespace {

struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

// Reads to the end in large blocks (a pipe has no size to ask for).
bool readAll(int fd, std::vector<BYTE>& out) {
  constexpr size_t kBlock = 64 * 1024;
  for (;;) {
    size_t at = out.size();
    out.resize(at + kBlock);
    ssize_t got = ::read(fd, out.data() + at, kBlock);
    if (got < 0 && errno == EINTR) {
      out.resize(at);
      continue;
    }
    out.resize(at + (got > 0 ? static_cast<size_t>(got) : 0));
    if (got <= 0) return got == 0;
  }
}

}  // namespace

FontFile::FontFile(const std::string& path, FT_LibraryRec_* library) {
  Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
  struct stat st {};
  if (file.fd < 0 || ::fstat(file.fd, &st) != 0) throw std::runtime_error("font file missing: " + path);
  if (S_ISREG(st.st_mode) && st.st_size > 0) {
    void* at = ::mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ, MAP_PRIVATE, file.fd, 0);
    if (at != MAP_FAILED) {
      mapping_ = at;
      data_ = static_cast<const BYTE*>(at);
      size_ = static_cast<size_t>(st.st_size);
    }
  }
  if (!mapping_) {
    if (!readAll(file.fd, copy_)) throw std::runtime_error("cannot read font file " + path);
    copy_.shrink_to_fit();
    data_ = copy_.data();
    size_ = copy_.size();
  }
  if (FT_New_Memory_Face(library, data_, static_cast<FT_Long>(size_), 0, &tables_) != 0) {
    if (mapping_) ::munmap(mapping_, size_);
    throw std::runtime_error("cannot read font file " + path);
  }
}

FontFile::~FontFile() {
  FT_Done_Face(tables_);
  if (mapping_) ::munmap(mapping_, size_);
}

}  // namespace wavorel
