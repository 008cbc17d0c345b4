#include "platform/win/gdi/RegionObject.h"

namespace wavorel {

HRGN insertRegion(std::shared_ptr<Region> region) {
  return reinterpret_cast<HRGN>(gdi::insertGdiObject(std::make_shared<gdi::RegionObject>(std::move(region))));
}

std::shared_ptr<Region> regionFromHandle(HRGN handle) {
  auto object = gdi::gdiObjectAs<gdi::RegionObject>(handle);
  return object ? object->region : nullptr;
}

bool deleteRegion(HRGN handle) {
  if (!gdi::gdiObjectAs<gdi::RegionObject>(handle)) return false;
  return gdi::removeGdiObject(handle) != nullptr;
}

namespace gdi {

HRGN makeRegionHandle(Region region) { return insertRegion(std::make_shared<Region>(std::move(region))); }

}  // namespace gdi
}  // namespace wavorel
