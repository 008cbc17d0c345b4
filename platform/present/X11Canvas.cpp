#include "platform/present/X11Canvas.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace wavorel::present {

namespace {

Display* dpy(void* d) { return static_cast<Display*>(d); }

// The error handler while a fresh shared-memory attach is watched: an error
// of the attach or of a request after it (serial from g_watchedFrom on: the
// puts that read the segment) means the server cannot reach the segment;
// errors of earlier requests go on to the handler that was set.
unsigned long g_watchedFrom = 0;
bool g_attachFailed = false;
XErrorHandler g_outerHandler = nullptr;
int noteAttachError(Display* d, XErrorEvent* e) {
  if (e->serial >= g_watchedFrom) {
    g_attachFailed = true;
    return 0;
  }
  return g_outerHandler ? g_outerHandler(d, e) : 0;
}

// Watches for the refusal of the attach sent as request `from` while it
// lives: Xlib hands errors over whenever it reads from the connection (a
// flush reads too), so the watch covers every call from the attach until the
// round trip that settles it.
class AttachWatch {
 public:
  explicit AttachWatch(unsigned long from) {
    g_watchedFrom = from;
    g_attachFailed = false;
    g_outerHandler = XSetErrorHandler(noteAttachError);
  }
  ~AttachWatch() {
    XSetErrorHandler(g_outerHandler);
    g_outerHandler = nullptr;
  }
  AttachWatch(const AttachWatch&) = delete;
  AttachWatch& operator=(const AttachWatch&) = delete;
  bool refused() const { return g_attachFailed; }
};

int bitsPerPixel(Display* d, int depth) {
  int count = 0, bpp = 0;
  XPixmapFormatValues* formats = XListPixmapFormats(d, &count);
  for (int i = 0; i < count; ++i)
    if (formats[i].depth == depth) bpp = formats[i].bits_per_pixel;
  if (formats) XFree(formats);
  return bpp;
}

// An 8-bit channel placed in a visual's mask (its top bits kept).
unsigned long channel(unsigned value, unsigned long mask) {
  if (!mask) return 0;
  int shift = 0, bits = 0;
  while (!((mask >> shift) & 1)) ++shift;
  while ((mask >> (shift + bits)) & 1) ++bits;
  unsigned long v = bits >= 8 ? static_cast<unsigned long>(value) << (bits - 8) : value >> (8 - bits);
  return (v << shift) & mask;
}

// One step of a tile's fingerprint: for a given fingerprint so far, each
// value of the next word gives a different result, and so does each
// fingerprint so far for a given word (a multiplication by an odd number, an
// exclusive or and a rotation are each one to one).
uint64_t mix(uint64_t h, uint64_t word) {
  h ^= word * 0xFF51AFD7ED558CCDull;
  h = (h << 31) | (h >> 33);
  return h * 0x9E3779B97F4A7C15ull;
}

// The fingerprint of the pixels of [left, right) x [top, bottom) of an image
// `stride` pixels wide.
uint64_t fingerprint(const uint32_t* pixels, size_t stride, int left, int top, int right, int bottom) {
  uint64_t h = 0x243F6A8885A308D3ull;
  const int n = right - left;
  for (int y = top; y < bottom; ++y) {
    const uint32_t* p = pixels + static_cast<size_t>(y) * stride + left;
    int x = 0;
    for (; x + 1 < n; x += 2) {
      uint64_t two;
      std::memcpy(&two, p + x, sizeof two);
      h = mix(h, two);
    }
    if (x < n) h = mix(h, p[x]);
  }
  return h;
}

}  // namespace

// The pixels' shared-memory segment as the server has it attached. The
// segment's memory is the caller's (a window surface), not the canvas's.
struct X11Canvas::Shm {
  Display* display = nullptr;
  XShmSegmentInfo info{};
  XImage* image = nullptr;
  bool attached = false;
  bool confirmed = false;         // the server has answered the attach
  unsigned long attachSerial = 0;  // the attach request's serial

  ~Shm() {
    if (attached) XShmDetach(display, &info);
    if (image) {
      image->data = nullptr;  // the segment is not Xlib's to free
      XDestroyImage(image);
    }
  }
};

bool X11Canvas::probe(void* display, Server& out) {
  Display* d = dpy(display);
  const int screen = DefaultScreen(d);
  Visual* visual = DefaultVisual(d, screen);
  if (visual->c_class != TrueColor) return false;
  out.display = display;
  out.masks[0] = visual->red_mask;
  out.masks[1] = visual->green_mask;
  out.masks[2] = visual->blue_mask;
  out.direct = DefaultDepth(d, screen) == 24 && visual->red_mask == 0xFF0000 && visual->green_mask == 0xFF00 &&
               visual->blue_mask == 0xFF && bitsPerPixel(d, 24) == 32 && ImageByteOrder(d) == LSBFirst;
  out.shm = out.direct && XShmQueryExtension(d);
  return true;
}

X11Canvas::X11Canvas(Server& server, unsigned long xwin) : server_(server), xwin_(xwin) {}

X11Canvas::~X11Canvas() = default;

void X11Canvas::reset(const uint32_t* pixels, int width, int height, int shmId) {
  shm_.reset();
  width_ = width;
  height_ = height;
  valid_ = false;
  shmId_ = shmId;
  segment_ = pixels;
  shown_.assign(static_cast<size_t>((width + kTile - 1) / kTile) * ((height + kTile - 1) / kTile), 0);
  if (!server_.shm || shmId < 0) return;
  Display* d = dpy(server_.display);
  auto shm = std::make_unique<Shm>();
  shm->display = d;
  shm->image = XShmCreateImage(d, DefaultVisual(d, DefaultScreen(d)), 24, ZPixmap, nullptr, &shm->info,
                               static_cast<unsigned>(width), static_cast<unsigned>(height));
  if (!shm->image || shm->image->bytes_per_line != width * 4) return;  // not laid out as the pixels are: plain puts
  shm->info.shmid = shmId;
  shm->info.shmaddr = reinterpret_cast<char*>(const_cast<uint32_t*>(pixels));
  shm->info.readOnly = True;
  shm->image->data = shm->info.shmaddr;
  // Not waited for: a server that cannot reach the segment (another
  // machine's) refuses the attach with an error, which comes back with the
  // round trip after the first put (show()), and the canvas falls back.
  shm->attachSerial = NextRequest(d);
  shm->attached = XShmAttach(d, &shm->info) != 0;
  if (shm->attached) shm_ = std::move(shm);
  else server_.shm = false;  // not for this server: plain XPutImage from now on
}

std::vector<RECT> X11Canvas::damage(const uint32_t* pixels) {
  std::vector<RECT> rects;
  if (!valid_) rects.push_back(RECT{0, 0, width_, height_});
  const size_t stride = static_cast<size_t>(width_);
  size_t tile = 0;
  size_t bandStart = 0;  // the previous band's first rectangle
  for (int top = 0; top < height_; top += kTile) {
    const int bottom = std::min(top + kTile, height_);
    std::vector<RECT> band;
    for (int left = 0; left < width_; left += kTile, ++tile) {
      const int right = std::min(left + kTile, width_);
      const uint64_t now = fingerprint(pixels, stride, left, top, right, bottom);
      const bool changed = shown_[tile] != now;
      shown_[tile] = now;
      if (!changed || !valid_) continue;
      if (!band.empty() && band.back().right == left) band.back().right = right;
      else band.push_back(RECT{left, top, right, bottom});
    }
    // A band with the same spans as the one above it extends it.
    bool same = !band.empty() && rects.size() - bandStart == band.size() && rects.back().bottom == top;
    for (size_t i = 0; same && i < band.size(); ++i)
      same = rects[bandStart + i].left == band[i].left && rects[bandStart + i].right == band[i].right;
    if (same) {
      for (size_t i = bandStart; i < rects.size(); ++i) rects[i].bottom = bottom;
    } else if (!band.empty()) {
      bandStart = rects.size();
      rects.insert(rects.end(), band.begin(), band.end());
    }
  }
  return rects;
}

void X11Canvas::send(const uint32_t* pixels, const std::vector<RECT>& rects) {
  Display* d = dpy(server_.display);
  const int screen = DefaultScreen(d);
  GC gc = DefaultGC(d, screen);
  if (shm_) {
    for (const RECT& r : rects)
      XShmPutImage(d, xwin_, gc, shm_->image, r.left, r.top, r.left, r.top, static_cast<unsigned>(r.right - r.left),
                   static_cast<unsigned>(r.bottom - r.top), False);
    return;
  }
  Visual* visual = DefaultVisual(d, screen);
  if (server_.direct) {
    // Xlib only reads an image it puts.
    XImage* whole = XCreateImage(d, visual, 24, ZPixmap, 0, reinterpret_cast<char*>(const_cast<uint32_t*>(pixels)),
                                 static_cast<unsigned>(width_), static_cast<unsigned>(height_), 32, width_ * 4);
    if (!whole) return;
    whole->byte_order = LSBFirst;
    for (const RECT& r : rects)
      XPutImage(d, xwin_, gc, whole, r.left, r.top, r.left, r.top, static_cast<unsigned>(r.right - r.left),
                static_cast<unsigned>(r.bottom - r.top));
    whole->data = nullptr;  // the pixels stay the caller's
    XDestroyImage(whole);
    return;
  }
  // The general way: an image in the server's own format, pixel by pixel.
  const int depth = DefaultDepth(d, screen);
  for (const RECT& r : rects) {
    const unsigned w = static_cast<unsigned>(r.right - r.left), h = static_cast<unsigned>(r.bottom - r.top);
    XImage* part = XCreateImage(d, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr, w, h, 32, 0);
    if (!part) continue;
    part->data = static_cast<char*>(std::calloc(static_cast<size_t>(part->bytes_per_line) * h, 1));
    if (!part->data) {
      XDestroyImage(part);
      continue;
    }
    for (unsigned y = 0; y < h; ++y)
      for (unsigned x = 0; x < w; ++x) {
        const uint32_t p = pixels[static_cast<size_t>(r.top + static_cast<LONG>(y)) * width_ + r.left + x];
        XPutPixel(part, static_cast<int>(x), static_cast<int>(y),
                  channel((p >> 16) & 0xFF, server_.masks[0]) | channel((p >> 8) & 0xFF, server_.masks[1]) |
                      channel(p & 0xFF, server_.masks[2]));
      }
    XPutImage(d, xwin_, gc, part, 0, 0, r.left, r.top, w, h);
    XDestroyImage(part);  // frees the pixels too
  }
}

std::vector<RECT> X11Canvas::show(const uint32_t* pixels, int width, int height, int shmId) {
  if (!pixels || width <= 0 || height <= 0) return {};
  if (width != width_ || height != height_ || shown_.empty() || shmId != shmId_ || (shmId >= 0 && pixels != segment_))
    reset(pixels, width, height, shmId);
  std::optional<AttachWatch> watch;
  if (shm_ && !shm_->confirmed) watch.emplace(shm_->attachSerial);
  // The whole window goes out first when the server holds none of it, and
  // the tiles' fingerprints are taken while the server reads it.
  const bool whole = !valid_;
  if (whole) {
    send(pixels, {RECT{0, 0, width_, height_}});
    XFlush(dpy(server_.display));
  }
  std::vector<RECT> rects = damage(pixels);
  if (!whole && !rects.empty()) send(pixels, rects);
  if (!rects.empty() && shm_) {
    XSync(dpy(server_.display), False);  // the server has read the pixels before they are drawn on again
    if (watch && watch->refused()) {
      // Nothing of the segment reached the window. Plain XPutImage for this
      // server from now on, starting with these rectangles again.
      shm_->attached = false;
      shm_.reset();
      server_.shm = false;
      send(pixels, rects);
    } else if (watch) {
      shm_->confirmed = true;
    }
  }
  valid_ = true;
  return rects;
}

void putPixels(void* display, unsigned long xwin, uint32_t* pixels, int width, int height) {
  X11Canvas::Server server;
  if (!X11Canvas::probe(display, server)) return;
  server.shm = false;
  X11Canvas(server, xwin).show(pixels, width, height);
}

}  // namespace wavorel::present
