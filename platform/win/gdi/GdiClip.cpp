// Clipping: the DC's clip region (device coordinates) and its queries.
#include "platform/win/kernel/Errors.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/Gdi.h"
#include "platform/win/gdi/RegionObject.h"

using namespace wavorel::gdi;
using wavorel::Region;

namespace {

// The clip region to start from: the DC's, or its whole drawable area.
Region currentClip(DeviceContext& dc) { return dc.state().hasClip ? dc.state().clip : dc.deviceArea(); }

int setClip(DeviceContext& dc, const Region& region) {
  dc.setClip(&region);
  return dc.targetClip().complexity();
}

Region::Op opOf(int mode) {
  switch (mode) {
    case RGN_AND:
      return Region::Op::And;
    case RGN_XOR:
      return Region::Op::Xor;
    case RGN_DIFF:
      return Region::Op::Diff;
    default:
      return Region::Op::Or;
  }
}

}  // namespace

int SelectClipRgn(HDC hdc, HRGN region) { return ExtSelectClipRgn(hdc, region, RGN_COPY); }

int ExtSelectClipRgn(HDC hdc, HRGN region, int mode) {
  auto dc = dcFromHandle(hdc);
  if (!dc || mode < RGN_AND || mode > RGN_COPY) return ERROR;
  if (!region) {
    if (mode != RGN_COPY) return ERROR;
    dc->setClip(nullptr);
    return dc->targetClip().complexity();
  }
  auto source = wavorel::regionFromHandle(region);
  if (!source) return ERROR;
  if (mode == RGN_COPY) return setClip(*dc, *source);
  return setClip(*dc, Region::combine(currentClip(*dc), *source, opOf(mode)));
}

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
  auto dc = dcFromHandle(hdc);
  if (!dc) return ERROR;
  Region rect(dc->toDevice(RECT{left, top, right, bottom}));
  return setClip(*dc, Region::combine(currentClip(*dc), rect, Region::Op::And));
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
  auto dc = dcFromHandle(hdc);
  if (!dc) return ERROR;
  Region rect(dc->toDevice(RECT{left, top, right, bottom}));
  return setClip(*dc, Region::combine(currentClip(*dc), rect, Region::Op::Diff));
}

int GetClipBox(HDC hdc, LPRECT rect) {
  auto dc = dcFromHandle(hdc);
  if (!dc || !rect) return ERROR;
  RECT box = dc->deviceClipBox();
  POINT a = dc->toLogical(POINT{box.left, box.top}), b = dc->toLogical(POINT{box.right, box.bottom});
  *rect = dc->targetClip().empty() ? RECT{0, 0, 0, 0} : RECT{a.x, a.y, b.x, b.y};
  return dc->targetClip().complexity();
}

int GetClipRgn(HDC hdc, HRGN region) {
  auto dc = dcFromHandle(hdc);
  auto target = wavorel::regionFromHandle(region);
  if (!dc || !target) return -1;
  if (!dc->state().hasClip) return 0;
  *target = dc->state().clip;
  return 1;
}
