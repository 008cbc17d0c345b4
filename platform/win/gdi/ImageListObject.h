// The image list behind a HIMAGELIST: 32-bit images and monochrome masks of
// one size, stored side by side in one row.
#pragma once

#include <memory>

#include "platform/win/gdi/Bitmap.h"
#include "platform/win/gdi/Icon.h"

namespace wavorel::gdi {

class ImageListObject {
 public:
  ImageListObject(int cx, int cy, bool masked);
  ~ImageListObject();
  ImageListObject(const ImageListObject&) = delete;
  ImageListObject& operator=(const ImageListObject&) = delete;

  int width() const { return cx_; }
  int height() const { return cy_; }
  bool masked() const { return masked_; }
  int count() const { return count_; }
  COLORREF bkColour = 0xFFFFFFFFu;  // CLR_NONE

  // Stores `source` (x from sourceX) as image `index` (count() appends).
  // `mask` (1 = transparent) may be null; `key` (a COLORREF, or CLR_NONE)
  // makes the mask from a colour and blackens those pixels.
  void put(int index, const Surface& source, int sourceX, const Surface* mask, COLORREF key);
  // Room for `count` images in all, made at once: a strip added whole takes
  // what it needs and no more (single images added later double the room).
  void reserve(int count);
  void putIcon(int index, const Icon& icon);
  void resize(int count);
  void remove(int index);
  std::shared_ptr<Icon> icon(int index) const;
  // Draws image `index` (its w x h top-left part) at the device point.
  void draw(class DeviceContext& dc, int index, POINT at, int w, int h, COLORREF bk, COLORREF fg, UINT style) const;
  // Handles of the image and mask bitmaps, valid until the list changes.
  HBITMAP imageHandle();
  HBITMAP maskHandle();

 private:
  void dropHandles();

  int cx_, cy_;
  bool masked_;
  int count_ = 0;
  std::shared_ptr<Bitmap> images_;
  std::shared_ptr<Bitmap> masks_;
  HBITMAP imageHandle_ = nullptr;
  HBITMAP maskHandle_ = nullptr;
};

}  // namespace wavorel::gdi
