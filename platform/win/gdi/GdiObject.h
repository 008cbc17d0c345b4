// GDI objects and their handle table. Every HGDIOBJ (bitmaps, brushes, pens,
// fonts, regions, palettes and DCs) names a GdiObject in one process-wide
// table whose handle values are never reused. Objects are shared: a DC keeps
// what is selected into it alive, so DeleteObject only ends the handle.
#pragma once

#include <atomic>
#include <cstring>
#include <functional>
#include <memory>

#include "platform/win/gdi/GdiTypes.h"

namespace wavorel::gdi {

class GdiObject {
 public:
  explicit GdiObject(DWORD type) : type_(type) {}
  virtual ~GdiObject() = default;
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  // OBJ_BITMAP, OBJ_BRUSH, ... (GetObjectType).
  DWORD type() const { return type_; }
  // GetObject: with `out` null, the size of the description; else writes it
  // when `size` is large enough and returns the bytes written (0 otherwise).
  virtual int describe(int size, void* out) const {
    (void)size;
    (void)out;
    return 0;
  }

  // Stock objects survive DeleteObject.
  bool stock = false;
  // How many DCs have the object selected (DeleteObject refuses then).
  std::atomic<int> selections{0};

 protected:
  // Helper for describe(): copies a whole structure.
  template <class T>
  static int describeAs(const T& value, int size, void* out) {
    if (!out) return static_cast<int>(sizeof(T));
    if (size < static_cast<int>(sizeof(T))) return 0;
    std::memcpy(out, &value, sizeof(T));
    return static_cast<int>(sizeof(T));
  }

 private:
  DWORD type_;
};

HGDIOBJ insertGdiObject(std::shared_ptr<GdiObject> object);
std::shared_ptr<GdiObject> gdiObject(HGDIOBJ handle);
template <class T>
std::shared_ptr<T> gdiObjectAs(HGDIOBJ handle) {
  return std::dynamic_pointer_cast<T>(gdiObject(handle));
}
// Ends the handle; the object lives on while something still holds it.
std::shared_ptr<GdiObject> removeGdiObject(HGDIOBJ handle);

// Stock fonts come from the text layer: it registers the maker of a stock
// font object for an id (OEM_FIXED_FONT ... DEFAULT_GUI_FONT). Without one,
// GetStockObject of a font gives NULL.
void setStockFontMaker(std::function<std::shared_ptr<GdiObject>(int id)> maker);

}  // namespace wavorel::gdi
