// What reaches an X window from a window's pixels (held in shared memory, as
// window surfaces are while an X display is open), on three servers: 24 bits
// with MIT-SHM (the shared-memory way), 24 bits without it (plain XPutImage)
// and 16 bits (the general way, each pixel converted): every pixel arrives,
// and after a change only the tiles that differ are sent. Then a whole
// display on a 16-bit server. Skipped where Xvfb cannot be started.
#include "PaintTestSupport.h"
#include "XvfbServer.h"
#include "platform/present/Presenter.h"
#include "platform/present/X11Canvas.h"
#include "platform/win/gdi/Surface.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <sys/shm.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <utility>
#include <string>

namespace wavorel::testing {
namespace {

using present::X11Canvas;

struct ServerKind {
  const char* name;
  int depth;
  bool shm;
};
const ServerKind kServers[] = {{"24 bits, MIT-SHM", 24, true}, {"24 bits, no MIT-SHM", 24, false}, {"16 bits", 16, true}};

// The pixel value a server of `depth` bits keeps for 0xRRGGBB (16 bits: 5-6-5).
unsigned long serverPixel(uint32_t rgb, int depth) {
  if (depth == 24) return rgb & 0xFFFFFF;
  return (((rgb >> 19) & 0x1F) << 11) | (((rgb >> 10) & 0x3F) << 5) | ((rgb >> 3) & 0x1F);
}

// A mapped, plain X window.
::Window mappedWindow(Display* d, int width, int height) {
  ::Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, static_cast<unsigned>(width),
                                   static_cast<unsigned>(height), 0, 0, 0);
  XSelectInput(d, w, StructureNotifyMask);
  XMapWindow(d, w);
  XEvent e;
  do XNextEvent(d, &e);
  while (e.type != MapNotify);
  return w;
}

WindowImage randomImage(int width, int height, std::mt19937& random) {
  WindowImage image;
  image.width = width;
  image.height = height;
  image.pixels.resize(static_cast<size_t>(width) * height);
  for (uint32_t& p : image.pixels) p = 0xFF000000u | (random() & 0xFFFFFFu);
  return image;
}

// Every pixel of the window as the server keeps it, against the image.
int differences(Display* d, ::Window w, const WindowImage& image, int depth) {
  XImage* got = XGetImage(d, w, 0, 0, static_cast<unsigned>(image.width), static_cast<unsigned>(image.height),
                          AllPlanes, ZPixmap);
  if (!got) return -1;
  int wrong = 0;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      wrong += XGetPixel(got, x, y) != serverPixel(image.pixel(x, y), depth);
  XDestroyImage(got);
  return wrong;
}

long area(const std::vector<RECT>& rects) {
  long sum = 0;
  for (const RECT& r : rects) sum += static_cast<long>(r.right - r.left) * (r.bottom - r.top);
  return sum;
}

// Shows `image` from `surface`, a shared-memory surface (remade at the
// image's size) that the image is copied into first.
std::vector<RECT> showShared(X11Canvas& canvas, gdi::Surface& surface, const WindowImage& image) {
  if (surface.width() != image.width || surface.height() != image.height)
    surface = gdi::Surface::sharedMemory(image.width, image.height);
  for (int y = 0; y < image.height; ++y)
    std::memcpy(surface.row32(y), &image.pixels[static_cast<size_t>(y) * image.width],
                static_cast<size_t>(image.width) * 4);
  return canvas.show(surface.row32(0), image.width, image.height, surface.shmId());
}

using X11CanvasSuite = PaintTest;

TEST_F(X11CanvasSuite, EveryWayLeavesTheSamePixelsAndSendsOnlyWhatChanged) {
  for (const ServerKind& kind : kServers) {
    SCOPED_TRACE(kind.name);
    Xvfb server(kind.depth, kind.shm);
    if (!server.display()) GTEST_SKIP() << "Xvfb cannot be started";
    Display* d = server.display();
    X11Canvas::Server taken;
    ASSERT_TRUE(X11Canvas::probe(d, taken));
    EXPECT_EQ(taken.direct, kind.depth == 24);
    ::Window w = mappedWindow(d, 150, 100);
    X11Canvas canvas(taken, w);
    std::mt19937 random(11);
    WindowImage image = randomImage(150, 100, random);
    gdi::Surface surface = gdi::Surface::sharedMemory(1, 1);
    auto show = [&](const WindowImage& shown) { return showShared(canvas, surface, shown); };

    std::vector<RECT> sent = show(image);
    EXPECT_GE(surface.shmId(), 0);
    EXPECT_EQ(canvas.sharedMemory(), kind.shm && kind.depth == 24);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(area(sent), 150 * 100);
    EXPECT_EQ(differences(d, w, image, kind.depth), 0);

    // A 5 x 5 change across a tile corner: the four tiles around it.
    for (int y = 30; y < 35; ++y)
      for (int x = 60; x < 65; ++x) image.pixels[static_cast<size_t>(y) * 150 + x] ^= 0x00808080u;
    sent = show(image);
    EXPECT_EQ(area(sent), 4 * X11Canvas::kTile * X11Canvas::kTile);
    for (const RECT& r : sent) EXPECT_TRUE(r.left <= 60 && r.right >= 65 && r.top <= 30 && r.bottom >= 35);
    EXPECT_EQ(differences(d, w, image, kind.depth), 0);

    // Two pixels of one tile, one above the other, trade places: the same pixel
    // values, elsewhere in the tile, are still a change of that tile.
    std::swap(image.pixels[70 * 150 + 100], image.pixels[71 * 150 + 100]);
    sent = show(image);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(area(sent), X11Canvas::kTile * X11Canvas::kTile);
    EXPECT_EQ(differences(d, w, image, kind.depth), 0);

    EXPECT_TRUE(show(image).empty());
    canvas.invalidate();  // the server lost the window's pixels (Expose)
    EXPECT_EQ(area(show(image)), 150 * 100);

    // A new size starts over.
    WindowImage smaller = randomImage(70, 40, random);
    EXPECT_EQ(area(show(smaller)), 70 * 40);
    EXPECT_EQ(differences(d, w, smaller, kind.depth), 0);

    // Pixels in ordinary memory: put plainly on every server, the same pixels.
    X11Canvas plain(taken, w);
    EXPECT_EQ(area(plain.show(image.pixels.data(), image.width, image.height)), 150 * 100);
    EXPECT_FALSE(plain.sharedMemory());
    EXPECT_EQ(differences(d, w, image, kind.depth), 0);
    XDestroyWindow(d, w);
  }
}

int g_errors = 0;
int countError(Display*, XErrorEvent*) {
  ++g_errors;
  return 0;
}

// The attach of a segment is not waited for: the server's refusal comes back
// with the first put's round trip, the same pixels then go plainly and the
// server is no longer asked to attach. An error of an earlier request in
// flight at that point still reaches the program's handler and is not taken
// for a refusal.
TEST_F(X11CanvasSuite, ARefusedSegmentFallsBackToPlainPutsWithTheSamePixels) {
  Xvfb server;
  if (!server.display()) GTEST_SKIP() << "Xvfb cannot be started";
  Display* d = server.display();
  XErrorHandler previous = XSetErrorHandler(countError);
  X11Canvas::Server taken;
  ASSERT_TRUE(X11Canvas::probe(d, taken));
  ASSERT_TRUE(taken.shm);
  ::Window w = mappedWindow(d, 90, 70);
  std::mt19937 random(5);
  WindowImage image = randomImage(90, 70, random);
  gdi::Surface surface = gdi::Surface::sharedMemory(1, 1);

  g_errors = 0;
  XMapWindow(d, w + 1000);  // no such window: an error on its way back
  X11Canvas shared(taken, w);
  showShared(shared, surface, image);
  EXPECT_EQ(g_errors, 1);
  EXPECT_TRUE(shared.sharedMemory());
  EXPECT_EQ(differences(d, w, image, 24), 0);

  // A segment that no longer exists stands for one the server cannot reach.
  const int gone = shmget(IPC_PRIVATE, 4096, IPC_CREAT | 0600);
  ASSERT_GE(gone, 0);
  shmctl(gone, IPC_RMID, nullptr);
  image = randomImage(90, 70, random);
  X11Canvas refused(taken, w);
  EXPECT_EQ(area(refused.show(image.pixels.data(), image.width, image.height, gone)), 90 * 70);
  EXPECT_FALSE(refused.sharedMemory());
  EXPECT_FALSE(taken.shm);
  EXPECT_EQ(differences(d, w, image, 24), 0);
  image.pixels[35 * 90 + 45] ^= 0x00FFFFFFu;
  EXPECT_EQ(area(refused.show(image.pixels.data(), image.width, image.height, gone)), X11Canvas::kTile * X11Canvas::kTile);
  EXPECT_EQ(differences(d, w, image, 24), 0);
  XSync(d, False);
  XSetErrorHandler(previous);
}

TEST_F(X11CanvasSuite, ADisplayWithA16BitVisualShowsTheWindows) {
  Xvfb server(16);
  if (!server.display()) GTEST_SKIP() << "Xvfb cannot be started";
  ASSERT_TRUE(present::openDisplay(server.name().c_str()));
  HWND top = CreateWindowEx(0, "STATIC", "Sixteen", WS_POPUP | WS_VISIBLE, 30, 20, 120, 80, nullptr, nullptr, nullptr,
                            nullptr);
  Display* d = server.display();
  ::Window xwin = 0;
  ASSERT_TRUE(pumpUntil([&] {
    xwin = findWindow(d, "Sixteen");
    XWindowAttributes attrs{};
    if (!xwin || !XGetWindowAttributes(d, xwin, &attrs) || attrs.map_state != IsViewable) return false;
    XImage* pixel = XGetImage(d, xwin, 60, 40, 1, 1, AllPlanes, ZPixmap);
    if (!pixel) return false;
    const unsigned long got = XGetPixel(pixel, 0, 0);
    XDestroyImage(pixel);
    return got == serverPixel(composeWindow(top).pixel(60, 40), 16);
  }));
  DestroyWindow(top);
  present::closeDisplay();
}

}  // namespace
}  // namespace wavorel::testing
