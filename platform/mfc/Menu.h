// CMenu: the class library's object around a menu handle.
//
// A CMenu that created, loaded or attached a menu is the menu's permanent
// object (per thread) and destroys the menu with itself. FromHandle gives the
// permanent object or a temporary one that the thread keeps until
// wavorel::releaseTemporaryMenus() (idle time) and that never destroys the menu.
//
// Owner-drawn menu items: routeMenuOwnerDraw passes WM_DRAWITEM and
// WM_MEASUREITEM of ODT_MENU items to the permanent CMenu of the menu that
// holds the item (DrawItem by the handle in the record, MeasureItem by the
// item's id among the thread's permanent menus).
#pragma once

#include "platform/mfc/Object.h"
#include "platform/mfc/String.h"
#include "platform/win/user/Menu.h"

class CWnd;

class CMenu : public CObject {
  DECLARE_DYNAMIC(CMenu)

 public:
  HMENU m_hMenu = nullptr;

  CMenu() = default;
  ~CMenu() override;
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  operator HMENU() const { return m_hMenu; }  // NOLINT: implicit as in MFC
  HMENU GetSafeHmenu() const { return m_hMenu; }

  static CMenu* FromHandle(HMENU hMenu);
  static CMenu* FromHandlePermanent(HMENU hMenu);
  // FALSE for a null handle or one that has a permanent object already.
  BOOL Attach(HMENU hMenu);
  HMENU Detach();

  BOOL CreateMenu();
  BOOL CreatePopupMenu();
  BOOL LoadMenu(LPCTSTR lpszResourceName);
  BOOL LoadMenu(UINT nIDResource);
  BOOL LoadMenuIndirect(const void* lpMenuTemplate);
  BOOL DestroyMenu();

  CMenu* GetSubMenu(int nPos) const;
  UINT GetMenuItemCount() const;
  UINT GetMenuItemID(int nPos) const;
  UINT GetMenuState(UINT nID, UINT nFlags) const;
  int GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const;
  int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
  BOOL GetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE);
  BOOL SetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos = FALSE);

  BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
  BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
  BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr);
  BOOL RemoveMenu(UINT nPosition, UINT nFlags);
  BOOL DeleteMenu(UINT nPosition, UINT nFlags);
  UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);
  UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck);
  BOOL CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags);
  BOOL SetDefaultItem(UINT uItem, BOOL fByPos = FALSE);
  UINT GetDefaultItem(UINT gmdiFlags, BOOL fByPos = FALSE);

  BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);

  // Owner-drawn items; the defaults do nothing.
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);

 private:
  BOOL Adopt(HMENU hMenu);  // Attach after a create or load, FALSE for none
};

namespace wavorel {

// WM_DRAWITEM / WM_MEASUREITEM of an ODT_MENU item to its CMenu; true when a
// CMenu took it.
bool routeMenuOwnerDraw(UINT message, LPARAM lParam);
// Deletes the thread's temporary CMenu objects.
void releaseTemporaryMenus();

}  // namespace wavorel
