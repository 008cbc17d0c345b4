#include "platform/mfc/Menu.h"

#include <memory>
#include <unordered_map>

#include "platform/mfc/WinApp.h"
#include "platform/win/kernel/Resources.h"
#include "platform/mfc/Wnd.h"

IMPLEMENT_DYNAMIC(CMenu, CObject)

namespace {

struct ThreadMenus {
  std::unordered_map<HMENU, CMenu*> permanent;
  std::unordered_map<HMENU, std::unique_ptr<CMenu>> temporaries;
};

ThreadMenus& threadMenus() {
  thread_local ThreadMenus menus;
  return menus;
}

}  // namespace

CMenu::~CMenu() { DestroyMenu(); }

CMenu* CMenu::FromHandlePermanent(HMENU hMenu) {
  auto& map = threadMenus().permanent;
  auto it = map.find(hMenu);
  return it == map.end() ? nullptr : it->second;
}

CMenu* CMenu::FromHandle(HMENU hMenu) {
  if (hMenu == nullptr) return nullptr;
  if (CMenu* pMenu = FromHandlePermanent(hMenu)) return pMenu;
  auto& slot = threadMenus().temporaries[hMenu];
  if (!slot) {
    slot = std::make_unique<CMenu>();
    slot->m_hMenu = hMenu;
  }
  return slot.get();
}

BOOL CMenu::Attach(HMENU hMenu) {
  if (hMenu == nullptr || FromHandlePermanent(hMenu)) return FALSE;
  threadMenus().permanent[hMenu] = this;
  m_hMenu = hMenu;
  return TRUE;
}

HMENU CMenu::Detach() {
  HMENU hMenu = m_hMenu;
  if (hMenu && FromHandlePermanent(hMenu) == this) threadMenus().permanent.erase(hMenu);
  m_hMenu = nullptr;
  return hMenu;
}

BOOL CMenu::Adopt(HMENU hMenu) { return hMenu ? Attach(hMenu) : FALSE; }

BOOL CMenu::CreateMenu() { return Adopt(::CreateMenu()); }
BOOL CMenu::CreatePopupMenu() { return Adopt(::CreatePopupMenu()); }
BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName) {
  return Adopt(::LoadMenu(AfxFindResourceHandle(lpszResourceName, RT_MENU), lpszResourceName));
}
BOOL CMenu::LoadMenu(UINT nIDResource) { return LoadMenu(MAKEINTRESOURCE(nIDResource)); }
BOOL CMenu::LoadMenuIndirect(const void* lpMenuTemplate) { return Adopt(::LoadMenuIndirect(lpMenuTemplate)); }

BOOL CMenu::DestroyMenu() {
  // A temporary object (FromHandle) only stands for the menu; it never owns it.
  if (m_hMenu == nullptr || FromHandlePermanent(m_hMenu) != this) return FALSE;
  return ::DestroyMenu(Detach());
}

CMenu* CMenu::GetSubMenu(int nPos) const { return FromHandle(::GetSubMenu(m_hMenu, nPos)); }
UINT CMenu::GetMenuItemCount() const { return static_cast<UINT>(::GetMenuItemCount(m_hMenu)); }
UINT CMenu::GetMenuItemID(int nPos) const { return ::GetMenuItemID(m_hMenu, nPos); }
UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(m_hMenu, nID, nFlags); }

int CMenu::GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const {
  return ::GetMenuString(m_hMenu, nIDItem, lpString, nMaxCount, nFlags);
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
  int length = ::GetMenuString(m_hMenu, nIDItem, nullptr, 0, nFlags);
  int copied = ::GetMenuString(m_hMenu, nIDItem, rString.GetBuffer(length + 1), length + 1, nFlags);
  rString.ReleaseBuffer(copied);
  return copied;
}

BOOL CMenu::GetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos) {
  return ::GetMenuItemInfo(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}
BOOL CMenu::SetMenuItemInfo(UINT uItem, LPMENUITEMINFO lpMenuItemInfo, BOOL fByPos) {
  return ::SetMenuItemInfo(m_hMenu, uItem, fByPos, lpMenuItemInfo);
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
  return ::AppendMenu(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}
BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
  return ::InsertMenu(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}
BOOL CMenu::ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCTSTR lpszNewItem) {
  return ::ModifyMenu(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}
BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags) { return ::RemoveMenu(m_hMenu, nPosition, nFlags); }
BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags) { return ::DeleteMenu(m_hMenu, nPosition, nFlags); }
UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable) {
  return static_cast<UINT>(::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable));
}
UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck) { return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck); }
BOOL CMenu::CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags) {
  return ::CheckMenuRadioItem(m_hMenu, nIDFirst, nIDLast, nIDItem, nFlags);
}
BOOL CMenu::SetDefaultItem(UINT uItem, BOOL fByPos) { return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos); }
UINT CMenu::GetDefaultItem(UINT gmdiFlags, BOOL fByPos) { return ::GetMenuDefaultItem(m_hMenu, fByPos, gmdiFlags); }

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect) {
  return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd ? pWnd->m_hWnd : nullptr, lpRect);
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}
void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}

namespace wavorel {

bool routeMenuOwnerDraw(UINT message, LPARAM lParam) {
  if (message == WM_DRAWITEM) {
    auto* dis = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
    if (!dis || dis->CtlType != ODT_MENU) return false;
    CMenu* pMenu = CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(dis->hwndItem));
    if (!pMenu) return false;
    pMenu->DrawItem(dis);
    return true;
  }
  if (message == WM_MEASUREITEM) {
    auto* mis = reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam);
    if (!mis || mis->CtlType != ODT_MENU) return false;
    // The menu whose own items hold the id.
    for (const auto& entry : threadMenus().permanent) {
      int count = ::GetMenuItemCount(entry.first);
      for (int i = 0; i < count; ++i) {
        if (::GetMenuItemID(entry.first, i) == mis->itemID) {
          entry.second->MeasureItem(mis);
          return true;
        }
      }
    }
  }
  return false;
}

void releaseTemporaryMenus() {
  auto& temporaries = threadMenus().temporaries;
  for (auto& entry : temporaries) entry.second->m_hMenu = nullptr;
  temporaries.clear();
}

}  // namespace wavorel
