// A region GDI object (HRGN): a Region with a handle.
#pragma once

#include <memory>

#include "platform/win/gdi/Region.h"
#include "platform/win/gdi/GdiObject.h"

namespace wavorel::gdi {

class RegionObject : public GdiObject {
 public:
  RegionObject() : GdiObject(OBJ_REGION), region(std::make_shared<Region>()) {}
  explicit RegionObject(std::shared_ptr<Region> region) : GdiObject(OBJ_REGION), region(std::move(region)) {}

  std::shared_ptr<Region> region;
};

// A new region handle holding `region`.
HRGN makeRegionHandle(Region region);

}  // namespace wavorel::gdi
