#include "platform/win/gdi/GdiObject.h"

#include "platform/win/kernel/Handles.h"

namespace wavorel::gdi {

namespace {

HandleTable<GdiObject>& gdiHandles() {
  static HandleTable<GdiObject> table(0x21000004, 4);
  return table;
}

}  // namespace

HGDIOBJ insertGdiObject(std::shared_ptr<GdiObject> object) {
  return reinterpret_cast<HGDIOBJ>(gdiHandles().insert(std::move(object)));
}

std::shared_ptr<GdiObject> gdiObject(HGDIOBJ handle) {
  return gdiHandles().find(reinterpret_cast<uintptr_t>(handle));
}

std::shared_ptr<GdiObject> removeGdiObject(HGDIOBJ handle) {
  return gdiHandles().remove(reinterpret_cast<uintptr_t>(handle));
}

}  // namespace wavorel::gdi
