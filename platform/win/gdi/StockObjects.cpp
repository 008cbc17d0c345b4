#include "platform/win/gdi/StockObjects.h"

#include <mutex>

#include "platform/win/gdi/Bitmap.h"
#include "platform/win/gdi/Brush.h"
#include "platform/win/gdi/Palette.h"
#include "platform/win/gdi/Pen.h"

namespace wavorel::gdi {

namespace {

constexpr int kStockCount = DC_PEN + 1;

struct Stock {
  std::mutex mutex;
  HGDIOBJ objects[kStockCount] = {};
  HGDIOBJ bitmap = nullptr;
  std::function<std::shared_ptr<GdiObject>(int)> fontMaker;
};

Stock& stock() {
  static Stock s;
  return s;
}

// The 20 colours of the default palette: the 16 VGA colours and four more.
std::vector<PALETTEENTRY> defaultPaletteEntries() {
  static const BYTE rgb[20][3] = {{0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},
                                  {0, 0, 128},     {128, 0, 128},   {0, 128, 128},   {192, 192, 192},
                                  {192, 220, 192}, {166, 202, 240}, {255, 251, 240}, {160, 160, 164},
                                  {128, 128, 128}, {255, 0, 0},     {0, 255, 0},     {255, 255, 0},
                                  {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
  std::vector<PALETTEENTRY> entries;
  for (const auto& c : rgb) entries.push_back({c[0], c[1], c[2], 0});
  return entries;
}

std::shared_ptr<GdiObject> makeStock(int id, const std::function<std::shared_ptr<GdiObject>(int)>& fontMaker) {
  switch (id) {
    case WHITE_BRUSH:
      return std::make_shared<Brush>(BS_SOLID, RGB(255, 255, 255));
    case LTGRAY_BRUSH:
      return std::make_shared<Brush>(BS_SOLID, RGB(192, 192, 192));
    case GRAY_BRUSH:
      return std::make_shared<Brush>(BS_SOLID, RGB(128, 128, 128));
    case DKGRAY_BRUSH:
      return std::make_shared<Brush>(BS_SOLID, RGB(64, 64, 64));
    case BLACK_BRUSH:
      return std::make_shared<Brush>(BS_SOLID, RGB(0, 0, 0));
    case NULL_BRUSH:
      return std::make_shared<Brush>(BS_NULL, 0);
    case WHITE_PEN:
      return std::make_shared<Pen>(PS_SOLID, 0, RGB(255, 255, 255));
    case BLACK_PEN:
      return std::make_shared<Pen>(PS_SOLID, 0, RGB(0, 0, 0));
    case NULL_PEN:
      return std::make_shared<Pen>(PS_NULL, 0, 0);
    case DEFAULT_PALETTE:
      return std::make_shared<Palette>(defaultPaletteEntries());
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case ANSI_VAR_FONT:
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
    case SYSTEM_FIXED_FONT:
    case DEFAULT_GUI_FONT:
      return fontMaker ? fontMaker(id) : nullptr;
    default:
      return nullptr;
  }
}

}  // namespace

HGDIOBJ stockObject(int id) {
  if (id < 0 || id >= kStockCount) return nullptr;
  Stock& s = stock();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (!s.objects[id]) {
    auto object = makeStock(id, s.fontMaker);
    if (!object) return nullptr;
    object->stock = true;
    s.objects[id] = insertGdiObject(std::move(object));
  }
  return s.objects[id];
}

HBITMAP stockBitmap() {
  Stock& s = stock();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (!s.bitmap) {
    auto bitmap = Bitmap::makeDdb(1, 1, 1);
    bitmap->stock = true;
    s.bitmap = insertGdiObject(std::move(bitmap));
  }
  return static_cast<HBITMAP>(s.bitmap);
}

void setStockFontMaker(std::function<std::shared_ptr<GdiObject>(int id)> maker) {
  Stock& s = stock();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.fontMaker = std::move(maker);
}

}  // namespace wavorel::gdi
