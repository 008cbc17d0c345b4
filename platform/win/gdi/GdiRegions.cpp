// Region objects: creation, combination, queries and region data.
#include <algorithm>
#include <cstring>

#include "platform/win/kernel/Errors.h"
#include "platform/win/gdi/Gdi.h"
#include "platform/win/gdi/RegionObject.h"

using wavorel::Region;
using wavorel::regionFromHandle;

namespace {

RECT normalised(int left, int top, int right, int bottom) {
  return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

std::shared_ptr<Region> validRegion(HRGN handle) {
  auto region = regionFromHandle(handle);
  if (!region) SetLastError(ERROR_INVALID_HANDLE);
  return region;
}

}  // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  return wavorel::gdi::makeRegionHandle(Region(normalised(left, top, right, bottom)));
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
  if (!rect) return nullptr;
  return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

HRGN ExtCreateRegion(const XFORM* xform, DWORD size, const RGNDATA* data) {
  if (xform && (xform->eM11 != 1 || xform->eM12 != 0 || xform->eM21 != 0 || xform->eM22 != 1)) {
    SetLastError(ERROR_INVALID_PARAMETER);  // only translations are supported
    return nullptr;
  }
  if (!data || size < sizeof(RGNDATAHEADER) || data->rdh.dwSize != sizeof(RGNDATAHEADER) ||
      data->rdh.iType != RDH_RECTANGLES || data->rdh.nCount > (size - sizeof(RGNDATAHEADER)) / sizeof(RECT)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::vector<RECT> rects(data->rdh.nCount);
  if (!rects.empty()) std::memcpy(rects.data(), reinterpret_cast<const BYTE*>(data) + sizeof(RGNDATAHEADER), rects.size() * sizeof(RECT));
  Region region = Region::fromRects(rects.data(), rects.size());
  if (xform) region.offset(static_cast<LONG>(xform->eDx), static_cast<LONG>(xform->eDy));
  return wavorel::gdi::makeRegionHandle(std::move(region));
}

int CombineRgn(HRGN dst, HRGN src1, HRGN src2, int mode) {
  auto target = validRegion(dst), a = validRegion(src1);
  if (!target || !a || mode < RGN_AND || mode > RGN_COPY) return ERROR;
  if (mode == RGN_COPY) {
    *target = *a;
    return target->complexity();
  }
  auto b = validRegion(src2);
  if (!b) return ERROR;
  static const Region::Op ops[] = {Region::Op::And, Region::Op::Or, Region::Op::Xor, Region::Op::Diff};
  *target = Region::combine(*a, *b, ops[mode - RGN_AND]);
  return target->complexity();
}

int OffsetRgn(HRGN handle, int dx, int dy) {
  auto region = validRegion(handle);
  if (!region) return ERROR;
  region->offset(dx, dy);
  return region->complexity();
}

BOOL PtInRegion(HRGN handle, int x, int y) {
  auto region = validRegion(handle);
  return region && region->contains(x, y) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN handle, const RECT* rect) {
  auto region = validRegion(handle);
  if (!region || !rect) return FALSE;
  return region->intersects(normalised(rect->left, rect->top, rect->right, rect->bottom)) ? TRUE : FALSE;
}

BOOL EqualRgn(HRGN a, HRGN b) {
  auto ra = validRegion(a), rb = validRegion(b);
  if (!ra || !rb) return ERROR;
  return *ra == *rb ? TRUE : FALSE;
}

int GetRgnBox(HRGN handle, LPRECT rect) {
  auto region = validRegion(handle);
  if (!region || !rect) return ERROR;
  *rect = region->bounds();
  return region->complexity();
}

DWORD GetRegionData(HRGN handle, DWORD size, LPRGNDATA data) {
  auto region = validRegion(handle);
  if (!region) return 0;
  const auto& rects = region->rects();
  DWORD needed = static_cast<DWORD>(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  if (!data) return needed;
  if (size < needed) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  data->rdh.dwSize = sizeof(RGNDATAHEADER);
  data->rdh.iType = RDH_RECTANGLES;
  data->rdh.nCount = static_cast<DWORD>(rects.size());
  data->rdh.nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
  data->rdh.rcBound = region->bounds();
  if (!rects.empty()) std::memcpy(reinterpret_cast<BYTE*>(data) + sizeof(RGNDATAHEADER), rects.data(), rects.size() * sizeof(RECT));
  return size;
}

BOOL SetRectRgn(HRGN handle, int left, int top, int right, int bottom) {
  auto region = validRegion(handle);
  if (!region) return FALSE;
  *region = Region(normalised(left, top, right, bottom));
  return TRUE;
}
