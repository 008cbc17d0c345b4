#include "platform/win/gdi/StandardIcons.h"

#include <cstdlib>
#include <map>
#include <mutex>

#include "platform/win/kernel/Errors.h"
#include "platform/win/gdi/Icon.h"

namespace wavorel::gdi {

namespace {

struct Look {
  WORD id;
  bool icon;
  Pixel colour;   // the face
  POINT hotSpot;  // cursors
};

// Icons: a coloured disc; cursors: a black shape with a white edge.
const Look kLooks[] = {
    {32512, true, 0x3060C0, {16, 16}},  // IDI_APPLICATION
    {32513, true, 0xD02020, {16, 16}},  // IDI_HAND
    {32514, true, 0x2060D0, {16, 16}},  // IDI_QUESTION
    {32515, true, 0xE0C000, {16, 16}},  // IDI_EXCLAMATION
    {32516, true, 0x2080E0, {16, 16}},  // IDI_ASTERISK
    {32517, true, 0x20A040, {16, 16}},  // IDI_WINLOGO
    {32512, false, 0, {0, 0}},          // IDC_ARROW
    {32513, false, 0, {16, 16}},        // IDC_IBEAM
    {32514, false, 0, {16, 16}},        // IDC_WAIT
    {32515, false, 0, {16, 16}},        // IDC_CROSS
    {32516, false, 0, {16, 0}},         // IDC_UPARROW
    {32642, false, 0, {16, 16}},        // IDC_SIZENWSE
    {32643, false, 0, {16, 16}},        // IDC_SIZENESW
    {32644, false, 0, {16, 16}},        // IDC_SIZEWE
    {32645, false, 0, {16, 16}},        // IDC_SIZENS
    {32646, false, 0, {16, 16}},        // IDC_SIZEALL
    {32648, false, 0, {16, 16}},        // IDC_NO
    {32649, false, 0, {6, 0}},          // IDC_HAND
    {32650, false, 0, {0, 0}},          // IDC_APPSTARTING
};

std::shared_ptr<Icon> draw(const Look& look) {
  constexpr int kSize = 32;
  auto colour = Bitmap::makeDib(kSize, kSize, 32, false, {});
  auto mask = Bitmap::makeDdb(kSize, kSize, 1);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      bool inside;
      if (look.icon) {
        int dx = 2 * x - (kSize - 1), dy = 2 * y - (kSize - 1);
        inside = dx * dx + dy * dy <= (kSize - 2) * (kSize - 2);
      } else {
        // A wedge from the hot spot.
        int dx = x - look.hotSpot.x, dy = y - look.hotSpot.y;
        inside = dx >= 0 && dy >= 0 && dx <= dy && dy < 20;
        if (look.hotSpot.x != 0 || look.hotSpot.y != 0) inside = std::abs(dx) <= 1 || std::abs(dy) <= 1;
        inside = inside && std::abs(dx) < 12 && std::abs(dy) < 12 + (look.hotSpot.y == 0 ? 8 : 0);
      }
      mask->surface().setIndex(x, y, inside ? 0u : 1u);
      colour->surface().set(x, y, inside ? look.colour : 0u);
    }
  return std::make_shared<Icon>(look.icon, look.icon ? POINT{kSize / 2, kSize / 2} : look.hotSpot, std::move(colour),
                                std::move(mask));
}

}  // namespace

HICON standardIcon(LPCSTR id, bool icon) {
  static std::mutex mutex;
  static std::map<std::pair<WORD, bool>, HICON> handles;
  if (!IS_INTRESOURCE(id)) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  WORD value = static_cast<WORD>(reinterpret_cast<uintptr_t>(id));
  std::lock_guard<std::mutex> lock(mutex);
  auto it = handles.find({value, icon});
  if (it != handles.end()) return it->second;
  for (const Look& look : kLooks) {
    if (look.id != value || look.icon != icon) continue;
    auto object = draw(look);
    object->shared = true;
    HICON handle = insertIcon(std::move(object));
    handles[{value, icon}] = handle;
    return handle;
  }
  SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
  return nullptr;
}

}  // namespace wavorel::gdi
