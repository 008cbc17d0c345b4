// What one X window shows of a window's pixels (its backing surface, as
// painted), and how it is brought up to date: only the tiles that differ from
// what the window shows are sent. The canvas keeps no copy of the window's
// pixels: it knows each tile it sent by a 64-bit fingerprint of its pixels
// (a tile whose fingerprint is unchanged is taken as unchanged; a change of a
// single 8-byte word always changes it).
//
// Three ways, chosen by what the server offers:
// - MIT-SHM (a local server with a 24-bit true-colour visual stored as 32
//   bits) when the pixels are a shared-memory segment (a window surface made
//   with gdi::Surface::sharedMemory): the server reads the changed tiles from
//   them in place (XShmPutImage), no copy made;
// - plain XPutImage straight from the pixels given (pixels in ordinary
//   memory, no MIT-SHM, or attaching the segment failed: a remote server);
// All three leave the same pixels in the window. Used by X11Display.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/win/kernel/Types.h"

namespace wavorel::present {

class X11Canvas {
 public:
  // What a display's server takes, found out once per connection.
  struct Server {
    void* display = nullptr;  // Display*
    bool direct = false;      // 24-bit true colour, 32 bits a pixel, masks 0xFF0000/0xFF00/0xFF, LSB first
    bool shm = false;         // MIT-SHM offered (and not yet found unusable)
    unsigned long masks[3] = {0, 0, 0};  // the visual's red, green and blue masks
  };
  // Null `display`: nothing. False when the visual is not true colour.
  static bool probe(void* display, Server& out);

  X11Canvas(Server& server, unsigned long xwin);
  ~X11Canvas();
  X11Canvas(const X11Canvas&) = delete;
  X11Canvas& operator=(const X11Canvas&) = delete;

  // Brings the window up to `pixels` (width x height, 0x00RRGGBB in the low
  // bits, rows top down one after another, the top-left corner at the
  // window's), sending only what differs; gives the rectangles sent. `shmId`:
  // the shared-memory segment that starts at `pixels`, or -1.
  std::vector<RECT> show(const uint32_t* pixels, int width, int height, int shmId = -1);
  // The window's pixels are lost (Expose): the next show sends everything.
  void invalidate() { valid_ = false; }
  bool sharedMemory() const { return shm_ != nullptr; }

  static constexpr int kTile = 32;  // damage is found in tiles of kTile x kTile pixels

 private:
  struct Shm;
  void reset(const uint32_t* pixels, int width, int height, int shmId);
  std::vector<RECT> damage(const uint32_t* pixels);
  void send(const uint32_t* pixels, const std::vector<RECT>& rects);

  Server& server_;
  unsigned long xwin_;
  int width_ = 0;
  int height_ = 0;
  bool valid_ = false;
  int shmId_ = -1;                 // of the pixels last shown
  const uint32_t* segment_ = nullptr;  // where that segment starts
  std::unique_ptr<Shm> shm_;       // the server's view of that segment
  std::vector<uint64_t> shown_;    // the fingerprint of each tile as the window shows it, rows of tiles
};

// Puts width x height pixels (0x00RRGGBB, rows top down) into the X window
// at its top-left corner, converted to the server's visual where needed.
void putPixels(void* display, unsigned long xwin, uint32_t* pixels, int width, int height);

}  // namespace wavorel::present
