// Menu handles and the item functions of the MF_ flag family.
#include <algorithm>
#include <cstring>

#include "platform/win/kernel/Errors.h"
#include "platform/win/user/Menu.h"
#include "platform/win/user/MenuObject.h"

using wavorel::MenuItem;
using wavorel::MenuItemRef;
using wavorel::MenuObject;

namespace {

bool byPosition(UINT flags) { return (flags & MF_BYPOSITION) != 0; }

// A submenu named by MF_POPUP must be a menu.
bool validSubMenu(UINT flags, UINT_PTR idNewItem) {
  return !(flags & MF_POPUP) || MenuObject::find(reinterpret_cast<HMENU>(idNewItem)) != nullptr;
}

BOOL removeItem(HMENU menu, UINT position, UINT flags, bool destroySubMenu) {
  MenuItemRef ref;
  if (!wavorel::findMenuItem(menu, position, byPosition(flags), ref)) return FALSE;
  HMENU sub = ref.item().subMenu;
  ref.menu->items.erase(ref.menu->items.begin() + static_cast<std::ptrdiff_t>(ref.index));
  if (destroySubMenu && sub) MenuObject::destroy(sub);
  return TRUE;
}

}  // namespace

HMENU CreateMenu() { return MenuObject::insert(std::make_shared<MenuObject>(false)); }

HMENU CreatePopupMenu() { return MenuObject::insert(std::make_shared<MenuObject>(true)); }

BOOL DestroyMenu(HMENU menu) {
  if (MenuObject::destroy(menu)) return TRUE;
  SetLastError(ERROR_INVALID_MENU_HANDLE);
  return FALSE;
}

BOOL IsMenu(HMENU menu) {
  DWORD saved = GetLastError();
  bool valid = MenuObject::find(menu) != nullptr;
  SetLastError(saved);
  return valid ? TRUE : FALSE;
}

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idNewItem, LPCSTR newItem) {
  auto m = MenuObject::find(menu);
  if (!m || !validSubMenu(flags, idNewItem)) return FALSE;
  m->items.push_back(wavorel::makeMenuItem(flags, idNewItem, newItem));
  return TRUE;
}

BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCSTR newItem) {
  auto m = MenuObject::find(menu);
  if (!m || !validSubMenu(flags, idNewItem)) return FALSE;
  MenuItem item = wavorel::makeMenuItem(flags, idNewItem, newItem);
  if (byPosition(flags)) {
    size_t at = std::min<size_t>(position, m->items.size());
    m->items.insert(m->items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
    return TRUE;
  }
  MenuItemRef ref;
  if (!wavorel::findMenuItem(menu, position, false, ref)) return FALSE;
  ref.menu->items.insert(ref.menu->items.begin() + static_cast<std::ptrdiff_t>(ref.index), std::move(item));
  return TRUE;
}

BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCSTR newItem) {
  MenuItemRef ref;
  if (!wavorel::findMenuItem(menu, position, byPosition(flags), ref)) return FALSE;
  if (!validSubMenu(flags, idNewItem)) return FALSE;
  MenuItem& old = ref.item();
  MenuItem item = wavorel::makeMenuItem(flags, idNewItem, newItem);
  if (!(flags & MF_OWNERDRAW)) item.data = old.data;
  item.checked = old.checked;
  item.unchecked = old.unchecked;
  HMENU oldSub = old.subMenu;
  old = std::move(item);
  if (oldSub && oldSub != old.subMenu) MenuObject::destroy(oldSub);
  return TRUE;
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) { return removeItem(menu, position, flags, false); }

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) { return removeItem(menu, position, flags, true); }

HMENU GetSubMenu(HMENU menu, int position) {
  auto m = MenuObject::find(menu);
  if (!m || position < 0 || static_cast<size_t>(position) >= m->items.size()) return nullptr;
  return m->items[static_cast<size_t>(position)].subMenu;
}

int GetMenuItemCount(HMENU menu) {
  auto m = MenuObject::find(menu);
  return m ? static_cast<int>(m->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
  auto m = MenuObject::find(menu);
  if (!m || position < 0 || static_cast<size_t>(position) >= m->items.size()) return static_cast<UINT>(-1);
  const MenuItem& item = m->items[static_cast<size_t>(position)];
  return item.subMenu ? static_cast<UINT>(-1) : item.id;
}

UINT GetMenuState(HMENU menu, UINT id, UINT flags) {
  MenuItemRef ref;
  if (!wavorel::findMenuItem(menu, id, byPosition(flags), ref)) return static_cast<UINT>(-1);
  const MenuItem& item = ref.item();
  if (!item.subMenu) return item.flags();
  int count = GetMenuItemCount(item.subMenu);
  return (item.flags() & 0xFF) | (static_cast<UINT>(std::max(count, 0) & 0xFF) << 8);
}

int GetMenuString(HMENU menu, UINT idItem, LPSTR text, int maxCount, UINT flags) {
  MenuItemRef ref;
  if (!wavorel::findMenuItem(menu, idItem, byPosition(flags), ref)) return 0;
  const std::string& s = ref.item().text;
  if (!text || maxCount <= 0) return static_cast<int>(s.size());
  size_t n = std::min(s.size(), static_cast<size_t>(maxCount - 1));
  std::memcpy(text, s.data(), n);
  text[n] = '\0';
  return static_cast<int>(n);
}

BOOL EnableMenuItem(HMENU menu, UINT idEnableItem, UINT enable) {
  MenuItemRef ref;
  if (!wavorel::findMenuItem(menu, idEnableItem, byPosition(enable), ref)) return -1;
  UINT& state = ref.item().state;
  UINT previous = state & (MF_GRAYED | MF_DISABLED);
  state = (state & ~static_cast<UINT>(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
  return static_cast<BOOL>(previous);
}

DWORD CheckMenuItem(HMENU menu, UINT idCheckItem, UINT check) {
  MenuItemRef ref;
  if (!wavorel::findMenuItem(menu, idCheckItem, byPosition(check), ref)) return static_cast<DWORD>(-1);
  UINT& state = ref.item().state;
  DWORD previous = state & MF_CHECKED;
  state = (state & ~static_cast<UINT>(MF_CHECKED)) | (check & MF_CHECKED);
  return previous;
}
