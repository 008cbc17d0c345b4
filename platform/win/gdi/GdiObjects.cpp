// GDI objects: stock objects, selection, deletion, descriptions, brushes, pens
// and palettes.
#include "platform/win/kernel/Errors.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/Gdi.h"
#include "platform/win/gdi/Palette.h"
#include "platform/win/gdi/RegionObject.h"
#include "platform/win/gdi/StockObjects.h"

using namespace wavorel::gdi;

namespace {

bool slotOf(DWORD type, DcState::Slot& slot) {
  switch (type) {
    case OBJ_BITMAP:
      slot = DcState::kBitmap;
      return true;
    case OBJ_BRUSH:
      slot = DcState::kBrush;
      return true;
    case OBJ_PEN:
      slot = DcState::kPen;
      return true;
    case OBJ_FONT:
      slot = DcState::kFont;
      return true;
    case OBJ_PAL:
      slot = DcState::kPalette;
      return true;
    default:
      return false;
  }
}

}  // namespace

HGDIOBJ GetStockObject(int id) { return stockObject(id); }

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ handle) {
  auto dc = dcFromHandle(hdc);
  auto object = gdiObject(handle);
  if (!dc || !object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (object->type() == OBJ_REGION) {
    int result = SelectClipRgn(hdc, static_cast<HRGN>(handle));
    return result == ERROR ? HGDI_ERROR : reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(result));
  }
  DcState::Slot slot;
  if (!slotOf(object->type(), slot) || slot == DcState::kPalette) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return dc->select(slot, handle, std::move(object));
}

BOOL DeleteObject(HGDIOBJ handle) {
  auto object = gdiObject(handle);
  if (!object || object->type() == OBJ_DC || object->type() == OBJ_MEMDC) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (object->stock) return TRUE;
  if (object->selections > 0) return FALSE;
  removeGdiObject(handle);
  return TRUE;
}

int GetObject(HGDIOBJ handle, int size, LPVOID out) {
  auto object = gdiObject(handle);
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return object->describe(size, out);
}

DWORD GetObjectType(HGDIOBJ handle) {
  auto object = gdiObject(handle);
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return object->type();
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
  auto dc = dcFromHandle(hdc);
  DcState::Slot slot;
  if (!dc || !slotOf(type, slot)) return nullptr;
  return dc->state().selected[slot].handle;
}

HBRUSH CreateSolidBrush(COLORREF colour) {
  return static_cast<HBRUSH>(insertGdiObject(std::make_shared<Brush>(BS_SOLID, colour & 0x00FFFFFFu)));
}

HPEN CreatePen(int style, int width, COLORREF colour) {
  if (style < PS_SOLID || style > PS_INSIDEFRAME) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return static_cast<HPEN>(
      insertGdiObject(std::make_shared<Pen>(static_cast<UINT>(style), width < 0 ? 0 : width, colour & 0x00FFFFFFu)));
}

HPALETTE CreatePalette(const LOGPALETTE* palette) {
  if (!palette || palette->palNumEntries == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::vector<PALETTEENTRY> entries(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries);
  return static_cast<HPALETTE>(insertGdiObject(std::make_shared<Palette>(std::move(entries))));
}

HPALETTE SelectPalette(HDC hdc, HPALETTE palette, BOOL) {
  auto dc = dcFromHandle(hdc);
  auto object = gdiObjectAs<Palette>(palette);
  if (!dc || !object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return static_cast<HPALETTE>(dc->select(DcState::kPalette, palette, std::move(object)));
}

UINT RealizePalette(HDC hdc) {
  // Not a palette device: no entry of the system palette changes.
  if (!dcFromHandle(hdc)) return static_cast<UINT>(-1);
  return 0;
}
