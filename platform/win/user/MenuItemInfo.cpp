// Menu items through MENUITEMINFO, the default item, check marks and radio items.
#include <algorithm>
#include <cstddef>
#include <cstring>

#include "platform/win/kernel/Errors.h"
#include "platform/win/user/Menu.h"
#include "platform/win/user/MenuObject.h"

using wavorel::MenuItem;
using wavorel::MenuItemRef;
using wavorel::MenuObject;

namespace {

constexpr UINT kTypeBits = MFT_BITMAP | MFT_MENUBARBREAK | MFT_MENUBREAK | MFT_OWNERDRAW | MFT_RADIOCHECK |
                           MFT_SEPARATOR | MFT_RIGHTORDER | MFT_RIGHTJUSTIFY;
constexpr UINT kStateBits = MFS_GRAYED | MFS_CHECKED | MFS_HILITE | MFS_DEFAULT;

// The record must be one of the two documented sizes (with or without hbmpItem).
bool validInfo(const MENUITEMINFO* info) {
  if (info && (info->cbSize == sizeof(MENUITEMINFO) ||
               (info->cbSize == offsetof(MENUITEMINFO, hbmpItem) && !(info->fMask & MIIM_BITMAP))))
    return true;
  SetLastError(ERROR_INVALID_PARAMETER);
  return false;
}

bool applyInfo(MenuItem& item, const MENUITEMINFO& info) {
  if ((info.fMask & MIIM_SUBMENU) && info.hSubMenu && !MenuObject::find(info.hSubMenu)) return false;
  if (info.fMask & (MIIM_TYPE | MIIM_FTYPE)) item.type = info.fType & kTypeBits;
  if (info.fMask & MIIM_TYPE) {
    item.text.clear();
    item.bitmap = nullptr;
    if (item.type & MFT_BITMAP)
      item.bitmap = reinterpret_cast<HBITMAP>(info.dwTypeData);
    else if (!(item.type & (MFT_SEPARATOR | MFT_OWNERDRAW)) && info.dwTypeData)
      item.text = info.dwTypeData;
  }
  if (info.fMask & MIIM_STRING) item.text = info.dwTypeData ? info.dwTypeData : "";
  if (info.fMask & MIIM_STATE) item.state = info.fState & kStateBits;
  if (info.fMask & MIIM_ID) item.id = info.wID;
  if (info.fMask & MIIM_SUBMENU) item.subMenu = info.hSubMenu;
  if (info.fMask & MIIM_CHECKMARKS) {
    item.checked = info.hbmpChecked;
    item.unchecked = info.hbmpUnchecked;
  }
  if (info.fMask & MIIM_DATA) item.data = info.dwItemData;
  if (info.fMask & MIIM_BITMAP) item.bitmap = info.hbmpItem;
  item.measured = false;
  return true;
}

// Copies the text as GetMenuItemInfo does: without a buffer only the length.
void copyText(const std::string& text, MENUITEMINFO& info) {
  if (!info.dwTypeData || info.cch == 0) {
    info.cch = static_cast<UINT>(text.size());
    return;
  }
  size_t n = std::min<size_t>(text.size(), info.cch - 1);
  std::memcpy(info.dwTypeData, text.data(), n);
  info.dwTypeData[n] = '\0';
  info.cch = static_cast<UINT>(n);
}

// Index of the item of this menu alone (no submenus) by position or command.
bool ownItem(const MenuObject& menu, UINT item, bool byPosition, size_t& index) {
  if (byPosition) {
    index = item;
    return item < menu.items.size();
  }
  for (index = 0; index < menu.items.size(); ++index)
    if (menu.items[index].id == item && !menu.items[index].subMenu) return true;
  return false;
}

}  // namespace

BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFO info) {
  if (!validInfo(info)) return FALSE;
  MenuItemRef ref;
  if (!wavorel::findMenuItem(menu, item, byPosition != FALSE, ref)) return FALSE;
  const MenuItem& it = ref.item();
  if (info->fMask & (MIIM_TYPE | MIIM_FTYPE)) info->fType = it.type;
  if (info->fMask & MIIM_TYPE) {
    if (it.type & MFT_BITMAP)
      info->dwTypeData = reinterpret_cast<LPSTR>(it.bitmap);
    else if (!(it.type & (MFT_SEPARATOR | MFT_OWNERDRAW)))
      copyText(it.text, *info);
  }
  if (info->fMask & MIIM_STRING) copyText(it.text, *info);
  if (info->fMask & MIIM_STATE) info->fState = it.state;
  if (info->fMask & MIIM_ID) info->wID = it.id;
  if (info->fMask & MIIM_SUBMENU) info->hSubMenu = it.subMenu;
  if (info->fMask & MIIM_CHECKMARKS) {
    info->hbmpChecked = it.checked;
    info->hbmpUnchecked = it.unchecked;
  }
  if (info->fMask & MIIM_DATA) info->dwItemData = it.data;
  if (info->fMask & MIIM_BITMAP) info->hbmpItem = it.bitmap;
  return TRUE;
}

BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFO info) {
  if (!validInfo(info)) return FALSE;
  MenuItemRef ref;
  if (!wavorel::findMenuItem(menu, item, byPosition != FALSE, ref)) return FALSE;
  MenuItem changed = ref.item();
  if (!applyInfo(changed, *info)) return FALSE;
  HMENU oldSub = ref.item().subMenu;
  ref.item() = std::move(changed);
  if (oldSub && oldSub != ref.item().subMenu) MenuObject::destroy(oldSub);
  return TRUE;
}

BOOL InsertMenuItem(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFO info) {
  if (!validInfo(info)) return FALSE;
  auto m = MenuObject::find(menu);
  if (!m) return FALSE;
  MenuItem fresh;
  if (!applyInfo(fresh, *info)) return FALSE;
  if (byPosition) {
    size_t at = std::min<size_t>(item, m->items.size());
    m->items.insert(m->items.begin() + static_cast<std::ptrdiff_t>(at), std::move(fresh));
    return TRUE;
  }
  MenuItemRef ref;
  if (!wavorel::findMenuItem(menu, item, false, ref)) return FALSE;
  ref.menu->items.insert(ref.menu->items.begin() + static_cast<std::ptrdiff_t>(ref.index), std::move(fresh));
  return TRUE;
}

BOOL SetMenuItemBitmaps(HMENU menu, UINT position, UINT flags, HBITMAP unchecked, HBITMAP checked) {
  MenuItemRef ref;
  if (!wavorel::findMenuItem(menu, position, (flags & MF_BYPOSITION) != 0, ref)) return FALSE;
  ref.item().checked = checked;
  ref.item().unchecked = unchecked;
  return TRUE;
}

BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags) {
  bool byPosition = (flags & MF_BYPOSITION) != 0;
  MenuItemRef from, to;
  if (!wavorel::findMenuItem(menu, first, byPosition, from) || !wavorel::findMenuItem(menu, last, byPosition, to))
    return FALSE;
  MenuItemRef target;
  if (from.menu != to.menu || !wavorel::findMenuItem(menu, check, byPosition, target) || target.menu != from.menu ||
      target.index < from.index || target.index > to.index) {
    SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
    return FALSE;
  }
  for (size_t i = from.index; i <= to.index; ++i) {
    MenuItem& it = from.menu->items[i];
    if (i == target.index) {
      it.type |= MFT_RADIOCHECK;
      it.state |= MFS_CHECKED;
    } else {
      it.type &= ~static_cast<UINT>(MFT_RADIOCHECK);
      it.state &= ~static_cast<UINT>(MFS_CHECKED);
    }
  }
  return TRUE;
}

BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPosition) {
  auto m = MenuObject::find(menu);
  if (!m) return FALSE;
  size_t index = 0;
  bool clearOnly = item == static_cast<UINT>(-1);
  if (!clearOnly && !ownItem(*m, item, byPosition != 0, index)) {
    SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
    return FALSE;
  }
  for (MenuItem& it : m->items) it.state &= ~static_cast<UINT>(MFS_DEFAULT);
  if (!clearOnly) m->items[index].state |= MFS_DEFAULT;
  return TRUE;
}

UINT GetMenuDefaultItem(HMENU menu, UINT byPosition, UINT flags) {
  auto m = MenuObject::find(menu);
  if (!m) return static_cast<UINT>(-1);
  auto it = std::find_if(m->items.begin(), m->items.end(),
                         [](const MenuItem& i) { return (i.state & MFS_DEFAULT) != 0; });
  if (it == m->items.end()) return static_cast<UINT>(-1);
  if ((it->state & MFS_GRAYED) && !(flags & GMDI_USEDISABLED)) return static_cast<UINT>(-1);
  if (it->subMenu && (flags & GMDI_GOINTOPOPUPS)) {
    UINT inner = GetMenuDefaultItem(it->subMenu, byPosition, flags);
    if (inner != static_cast<UINT>(-1)) return inner;
  }
  return byPosition ? static_cast<UINT>(it - m->items.begin()) : it->id;
}
