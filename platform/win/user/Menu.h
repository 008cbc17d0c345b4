// Menus: menu handles and their items, menu templates, and popup menus
// tracked in a modal loop (TrackPopupMenu).
//
// A menu handle is never reused; DestroyMenu also destroys the submenus its
// items open. An item is found by position or by command id (MF_BYCOMMAND):
// by command the items are searched in order, each submenu before the item
// that opens it is compared, so an item in a submenu is found through the
// menu that holds the submenu.
//
// TrackPopupMenu shows the menu in a window of class "WavorelPopupMenu" owned
// by the owner window (and each submenu opened from it in another) and runs a
// modal loop in which a person works it with the mouse and the keyboard
// (PopupMenu.h). The modal responder (ModalLoop.h) sees the menu as a
// ModalWindow of kind Menu whose `buttons` are the command ids of the menu and
// its submenus (separators and submenu items left out) with their texts in
// `labels`; it answers a command id, or 0 to leave the menu open. A grayed or
// disabled item, or an id the menu does not hold, is refused and the menu
// stays open. With a person at a display the menu waits for them; in a
// headless run without a responder it is dismissed. The menu also ends on
// Escape, on a click outside it, when it loses the mouse capture and when its
// owner is destroyed. The chosen command is returned (TPM_RETURNCMD) or posted
// to the owner as WM_COMMAND (not with TPM_NONOTIFY).
#pragma once

#include "platform/win/user/OwnerDraw.h"
#include "platform/win/kernel/Types.h"

// Item flags of AppendMenu, InsertMenu, ModifyMenu and the state functions.
#define MF_INSERT 0x00000000L
#define MF_CHANGE 0x00000080L
#define MF_APPEND 0x00000100L
#define MF_DELETE 0x00000200L
#define MF_REMOVE 0x00001000L
#define MF_BYCOMMAND 0x00000000L
#define MF_BYPOSITION 0x00000400L
#define MF_SEPARATOR 0x00000800L
#define MF_ENABLED 0x00000000L
#define MF_GRAYED 0x00000001L
#define MF_DISABLED 0x00000002L
#define MF_UNCHECKED 0x00000000L
#define MF_CHECKED 0x00000008L
#define MF_USECHECKBITMAPS 0x00000200L
#define MF_STRING 0x00000000L
#define MF_BITMAP 0x00000004L
#define MF_OWNERDRAW 0x00000100L
#define MF_POPUP 0x00000010L
#define MF_MENUBARBREAK 0x00000020L
#define MF_MENUBREAK 0x00000040L
#define MF_UNHILITE 0x00000000L
#define MF_HILITE 0x00000080L
#define MF_DEFAULT 0x00001000L
#define MF_SYSMENU 0x00002000L
#define MF_HELP 0x00004000L
#define MF_RIGHTJUSTIFY 0x00004000L
#define MF_MOUSESELECT 0x00008000L
#define MF_END 0x00000080L

// Item types and states of MENUITEMINFO.
#define MFT_STRING MF_STRING
#define MFT_BITMAP MF_BITMAP
#define MFT_MENUBARBREAK MF_MENUBARBREAK
#define MFT_MENUBREAK MF_MENUBREAK
#define MFT_OWNERDRAW MF_OWNERDRAW
#define MFT_RADIOCHECK 0x00000200L
#define MFT_SEPARATOR MF_SEPARATOR
#define MFT_RIGHTORDER 0x00002000L
#define MFT_RIGHTJUSTIFY MF_RIGHTJUSTIFY
#define MFS_GRAYED 0x00000003L
#define MFS_DISABLED MFS_GRAYED
#define MFS_CHECKED MF_CHECKED
#define MFS_HILITE MF_HILITE
#define MFS_ENABLED MF_ENABLED
#define MFS_UNCHECKED MF_UNCHECKED
#define MFS_UNHILITE MF_UNHILITE
#define MFS_DEFAULT MF_DEFAULT

// MENUITEMINFO members to set or read.
#define MIIM_STATE 0x00000001
#define MIIM_ID 0x00000002
#define MIIM_SUBMENU 0x00000004
#define MIIM_CHECKMARKS 0x00000008
#define MIIM_TYPE 0x00000010
#define MIIM_DATA 0x00000020
#define MIIM_STRING 0x00000040
#define MIIM_BITMAP 0x00000080
#define MIIM_FTYPE 0x00000100

// GetMenuDefaultItem.
#define GMDI_USEDISABLED 0x0001L
#define GMDI_GOINTOPOPUPS 0x0002L

// TrackPopupMenu.
#define TPM_LEFTBUTTON 0x0000L
#define TPM_RIGHTBUTTON 0x0002L
#define TPM_LEFTALIGN 0x0000L
#define TPM_CENTERALIGN 0x0004L
#define TPM_RIGHTALIGN 0x0008L
#define TPM_TOPALIGN 0x0000L
#define TPM_VCENTERALIGN 0x0010L
#define TPM_BOTTOMALIGN 0x0020L
#define TPM_HORIZONTAL 0x0000L
#define TPM_VERTICAL 0x0040L
#define TPM_NONOTIFY 0x0080L
#define TPM_RETURNCMD 0x0100L

// Answers to WM_MENUCHAR (high word).
#define MNC_IGNORE 0
#define MNC_CLOSE 1
#define MNC_EXECUTE 2
#define MNC_SELECT 3

struct MENUITEMINFO {
  UINT cbSize;
  UINT fMask;
  UINT fType;
  UINT fState;
  UINT wID;
  HMENU hSubMenu;
  HBITMAP hbmpChecked;
  HBITMAP hbmpUnchecked;
  ULONG_PTR dwItemData;
  LPSTR dwTypeData;
  UINT cch;
  HBITMAP hbmpItem;
};
typedef MENUITEMINFO* LPMENUITEMINFO;
typedef const MENUITEMINFO* LPCMENUITEMINFO;

struct TPMPARAMS {
  UINT cbSize;
  RECT rcExclude;
};
typedef TPMPARAMS* LPTPMPARAMS;

// Menus.
HMENU CreateMenu();
HMENU CreatePopupMenu();
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
// A resource of type RT_MENU (MENUITEMTEMPLATEHEADER and items) as a menu bar.
HMENU LoadMenu(HINSTANCE instance, LPCSTR name);
HMENU LoadMenuIndirect(const void* menuTemplate);

// Items. With MF_POPUP `idNewItem` is the submenu's handle; with MF_OWNERDRAW
// `newItem` is the item data, with MF_BITMAP the bitmap handle.
BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR idNewItem, LPCSTR newItem);
// Position -1 (or past the end) by position appends.
BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCSTR newItem);
BOOL InsertMenuItem(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFO info);
// Replaces the item; a submenu it opened before is destroyed unless it opens it again.
BOOL ModifyMenu(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCSTR newItem);
// RemoveMenu keeps the submenu the item opens, DeleteMenu destroys it.
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);

HMENU GetSubMenu(HMENU menu, int position);
// -1 for an invalid menu.
int GetMenuItemCount(HMENU menu);
// -1 for an item that opens a submenu or a position out of range; 0 for a separator.
UINT GetMenuItemID(HMENU menu, int position);
// The item's flags; for an item that opens a submenu, the low byte holds the
// flags and the next byte the submenu's item count. -1 when there is no such item.
UINT GetMenuState(HMENU menu, UINT id, UINT flags);
// Copies the item's text cut to maxCount - 1 characters; returns the characters
// copied, or the text's length when `text` is null or maxCount is 0.
int GetMenuString(HMENU menu, UINT idItem, LPSTR text, int maxCount, UINT flags);
// The previous MF_GRAYED and MF_DISABLED bits, or -1 when there is no such item.
BOOL EnableMenuItem(HMENU menu, UINT idEnableItem, UINT enable);
// The previous MF_CHECKED bit, or -1 when there is no such item.
DWORD CheckMenuItem(HMENU menu, UINT idCheckItem, UINT check);
// Checks `check` as a radio item and clears the check of the others in first..last.
BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags);
BOOL SetMenuItemBitmaps(HMENU menu, UINT position, UINT flags, HBITMAP unchecked, HBITMAP checked);
BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFO info);
BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFO info);
// The default item of this menu (its own items only); item -1 clears it.
BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPosition);
// -1 when the menu has no default item (or it is disabled without GMDI_USEDISABLED).
UINT GetMenuDefaultItem(HMENU menu, UINT byPosition, UINT flags);

// Popup menus. With TPM_RETURNCMD the result is the chosen command id (0 when
// none was chosen); otherwise WM_COMMAND is posted to the owner and the result
// is TRUE when a command was chosen. One popup menu at a time per thread
// (ERROR_POPUP_ALREADY_ACTIVE).
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect);
BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS params);
