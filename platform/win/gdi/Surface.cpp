#include "platform/win/gdi/Surface.h"

#include <sys/ipc.h>
#include <sys/mman.h>
#include <sys/shm.h>

#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

namespace wavorel::gdi {

namespace {

// From this size on, pixels are mapped from the system rather than taken from
// the heap: they come zeroed, cost no memory until drawn on and go back to
// the system when freed. (The heap would hand out a block another bitmap or
// a file read left behind, clearing it page by page.) Under AddressSanitizer
// all pixels come from its heap, which watches their bounds.
#if defined(__SANITIZE_ADDRESS__)
constexpr size_t kMappedFrom = SIZE_MAX;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr size_t kMappedFrom = SIZE_MAX;
#else
constexpr size_t kMappedFrom = 64 * 1024;
#endif
#else
constexpr size_t kMappedFrom = 64 * 1024;
#endif

}  // namespace

void Surface::Free::operator()(BYTE* p) const {
  if (shmId >= 0) ::shmdt(p);
  else if (mapped) ::munmap(p, mapped);
  else std::free(p);
}

Surface Surface::sharedMemory(int width, int height) {
  Surface surface(width, height, 32, false, {}, 4);
  const int id = ::shmget(IPC_PRIVATE, surface.size_ ? surface.size_ : 1, IPC_CREAT | 0600);
  if (id < 0) return surface;
  void* at = ::shmat(id, nullptr, 0);
  // Marked for removal at once, so that no segment outlives the processes
  // using it, however they end; Linux lets a server attach it until then.
  ::shmctl(id, IPC_RMID, nullptr);
  if (at == reinterpret_cast<void*>(-1)) return surface;
  surface.bytes_ = Bytes(static_cast<BYTE*>(at), Free{0, id});
  return surface;
}

Surface::Bytes Surface::allocate(size_t size, bool zeroed) {
  if (size >= kMappedFrom) {
    void* at = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (at == MAP_FAILED) throw std::bad_alloc();
    return Bytes(static_cast<BYTE*>(at), Free{size});
  }
  const size_t n = size ? size : 1;
  Bytes bytes(static_cast<BYTE*>(zeroed ? std::calloc(n, 1) : std::malloc(n)), Free{});
  if (!bytes) throw std::bad_alloc();
  return bytes;
}

size_t Surface::rowBytesFor(int width, int bpp, int align) {
  size_t bits = static_cast<size_t>(width) * static_cast<size_t>(bpp);
  size_t unit = static_cast<size_t>(align) * 8;
  return (bits + unit - 1) / unit * static_cast<size_t>(align);
}

Surface::Surface(int width, int height, int bpp, bool bottomUp, std::vector<RGBQUAD> colours, int align)
    : width_(width),
      height_(height),
      bpp_(bpp),
      bottomUp_(bottomUp),
      rowBytes_(rowBytesFor(width, bpp, align)),
      colours_(std::move(colours)),
      size_(rowBytes_ * static_cast<size_t>(height)),
      bytes_(allocate(size_, true)) {
  if (bpp_ <= 8) colours_.resize(size_t{1} << bpp_, RGBQUAD{0, 0, 0, 0});
  else colours_.clear();
}

Surface::Surface(const Surface& other)
    : width_(other.width_),
      height_(other.height_),
      bpp_(other.bpp_),
      bottomUp_(other.bottomUp_),
      rowBytes_(other.rowBytes_),
      colours_(other.colours_),
      size_(other.size_),
      bytes_(allocate(size_, false)) {
  if (size_) std::memcpy(bytes_.get(), other.bytes_.get(), size_);
}

Surface::Surface(Surface&& other) noexcept
    : width_(other.width_),
      height_(other.height_),
      bpp_(other.bpp_),
      bottomUp_(other.bottomUp_),
      rowBytes_(other.rowBytes_),
      colours_(std::move(other.colours_)),
      size_(std::exchange(other.size_, 0)),
      bytes_(std::move(other.bytes_)) {}

Surface& Surface::operator=(const Surface& other) {
  if (this != &other) *this = Surface(other);
  return *this;
}

Surface& Surface::operator=(Surface&& other) noexcept {
  width_ = other.width_;
  height_ = other.height_;
  bpp_ = other.bpp_;
  bottomUp_ = other.bottomUp_;
  rowBytes_ = other.rowBytes_;
  colours_ = std::move(other.colours_);
  size_ = std::exchange(other.size_, 0);
  bytes_ = std::move(other.bytes_);
  return *this;
}

void Surface::setColours(size_t first, const RGBQUAD* colours, size_t count) {
  for (size_t i = 0; i < count && first + i < colours_.size(); ++i) colours_[first + i] = colours[i];
}

unsigned Surface::index(int x, int y) const {
  const BYTE* r = row(y);
  switch (bpp_) {
    case 1:
      return (r[x >> 3] >> (7 - (x & 7))) & 1u;
    case 4:
      return (x & 1) ? (r[x >> 1] & 0x0Fu) : (r[x >> 1] >> 4);
    case 8:
      return r[x];
    default:
      return 0;
  }
}

void Surface::setIndex(int x, int y, unsigned value) {
  BYTE* r = row(y);
  switch (bpp_) {
    case 1: {
      BYTE bit = static_cast<BYTE>(0x80u >> (x & 7));
      r[x >> 3] = static_cast<BYTE>((value & 1u) ? (r[x >> 3] | bit) : (r[x >> 3] & ~bit));
      break;
    }
    case 4:
      r[x >> 1] = static_cast<BYTE>((x & 1) ? ((r[x >> 1] & 0xF0u) | (value & 0x0Fu))
                                            : ((r[x >> 1] & 0x0Fu) | ((value & 0x0Fu) << 4)));
      break;
    case 8:
      r[x] = static_cast<BYTE>(value);
      break;
    default:
      break;
  }
}

Pixel Surface::get(int x, int y) const {
  switch (bpp_) {
    case 32:
      return row32(y)[x];
    case 24: {
      const BYTE* p = row(y) + static_cast<size_t>(x) * 3;
      return static_cast<Pixel>(p[0]) | (static_cast<Pixel>(p[1]) << 8) | (static_cast<Pixel>(p[2]) << 16);
    }
    case 16: {
      const BYTE* p = row(y) + static_cast<size_t>(x) * 2;
      unsigned v = p[0] | (p[1] << 8);
      unsigned r5 = (v >> 10) & 31, g5 = (v >> 5) & 31, b5 = v & 31;
      return ((r5 << 3 | r5 >> 2) << 16) | ((g5 << 3 | g5 >> 2) << 8) | (b5 << 3 | b5 >> 2);
    }
    default:
      return pixelFromQuad(colours_[index(x, y)]);
  }
}

void Surface::set(int x, int y, Pixel p) {
  switch (bpp_) {
    case 32:
      row32(y)[x] = p;
      break;
    case 24: {
      BYTE* d = row(y) + static_cast<size_t>(x) * 3;
      d[0] = static_cast<BYTE>(p);
      d[1] = static_cast<BYTE>(p >> 8);
      d[2] = static_cast<BYTE>(p >> 16);
      break;
    }
    case 16: {
      BYTE* d = row(y) + static_cast<size_t>(x) * 2;
      unsigned v = (((p >> 19) & 31) << 10) | (((p >> 11) & 31) << 5) | ((p >> 3) & 31);
      d[0] = static_cast<BYTE>(v);
      d[1] = static_cast<BYTE>(v >> 8);
      break;
    }
    default:
      setIndex(x, y, nearestIndex(p));
      break;
  }
}

unsigned Surface::nearestIndex(Pixel p) const {
  unsigned best = 0;
  long bestDistance = -1;
  for (size_t i = 0; i < colours_.size(); ++i) {
    long dr = static_cast<long>((p >> 16) & 0xFF) - colours_[i].rgbRed;
    long dg = static_cast<long>((p >> 8) & 0xFF) - colours_[i].rgbGreen;
    long db = static_cast<long>(p & 0xFF) - colours_[i].rgbBlue;
    long distance = dr * dr + dg * dg + db * db;
    if (bestDistance < 0 || distance < bestDistance) {
      bestDistance = distance;
      best = static_cast<unsigned>(i);
      if (distance == 0) break;
    }
  }
  return best;
}

std::vector<RGBQUAD> monochromeColours() { return {RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}}; }

}  // namespace wavorel::gdi
