#include "platform/win/user/MenuObject.h"

#include <algorithm>

#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Handles.h"
#include "platform/win/kernel/Root.h"

namespace wavorel {

namespace {

HandleTable<MenuObject>& menuHandles() {
  static HandleTable<MenuObject> table(0x30000004, 4);
  static const bool reset = (registerStateReset([] { table.clear(); }), true);
  (void)reset;
  return table;
}

uintptr_t value(HMENU menu) { return reinterpret_cast<uintptr_t>(menu); }

// Depth-first search by command id; `path` guards against a menu that holds
// itself through its submenus.
bool findByCommand(HMENU handle, UINT id, std::vector<HMENU>& path, MenuItemRef& out) {
  if (std::find(path.begin(), path.end(), handle) != path.end()) return false;
  auto menu = menuHandles().find(value(handle));
  if (!menu) return false;
  path.push_back(handle);
  for (size_t i = 0; i < menu->items.size(); ++i) {
    const MenuItem& item = menu->items[i];
    if (item.subMenu && findByCommand(item.subMenu, id, path, out)) return true;
    if (item.id == id) {
      out = MenuItemRef{menu, handle, i};
      return true;
    }
  }
  path.pop_back();
  return false;
}

}  // namespace

std::shared_ptr<MenuObject> MenuObject::find(HMENU menu) {
  auto m = menuHandles().find(value(menu));
  if (!m) SetLastError(ERROR_INVALID_MENU_HANDLE);
  return m;
}

HMENU MenuObject::insert(std::shared_ptr<MenuObject> menu) {
  return reinterpret_cast<HMENU>(menuHandles().insert(std::move(menu)));
}

bool MenuObject::destroy(HMENU menu) {
  auto m = menuHandles().remove(value(menu));
  if (!m) return false;
  for (const MenuItem& item : m->items)
    if (item.subMenu) destroy(item.subMenu);
  return true;
}

bool findMenuItem(HMENU menu, UINT item, bool byPosition, MenuItemRef& out) {
  auto m = MenuObject::find(menu);
  if (!m) return false;
  if (byPosition) {
    if (item < m->items.size()) {
      out = MenuItemRef{m, menu, item};
      return true;
    }
  } else {
    std::vector<HMENU> path;
    if (findByCommand(menu, item, path, out)) return true;
  }
  SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
  return false;
}

MenuItem makeMenuItem(UINT flags, UINT_PTR idNewItem, LPCSTR newItem) {
  MenuItem item;
  item.type = flags & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW | MF_MENUBARBREAK | MF_MENUBREAK | MF_RIGHTJUSTIFY);
  item.state = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT);
  item.id = static_cast<UINT>(idNewItem);
  if (flags & MF_POPUP) item.subMenu = reinterpret_cast<HMENU>(idNewItem);
  // An owner-drawn item keeps its data, an owner-drawn separator too.
  if (flags & MF_OWNERDRAW)
    item.data = reinterpret_cast<ULONG_PTR>(newItem);
  else if (item.isSeparator())
    return item;
  else if (flags & MF_BITMAP)
    item.bitmap = reinterpret_cast<HBITMAP>(const_cast<char*>(newItem));
  else if (newItem)
    item.text = newItem;
  return item;
}

}  // namespace wavorel
