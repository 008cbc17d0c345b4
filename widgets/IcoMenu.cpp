#include "widgets/IcoMenu.h"

#include <algorithm>

#include "widgets/IcoMenuDC.h"
#include "widgets/IcoMenuImageStore.h"
#include "widgets/IcoMenuToolBar.h"
#include "platform/wire/Bytes.h"

IMPLEMENT_DYNAMIC(IcoMenu, CMenu)

namespace {

constexpr UINT kListFlags = 0xFF;  // ILC_COLORDDB | ILC_MASK
constexpr DWORD kHiddenToolBarStyle = 0x50002800;
constexpr UINT kHiddenToolBarId = 59392;

// Every HMENU appended to an IcoMenu as a pop-up, once per append. The list
// lives as long as the process: menus held by objects destroyed at exit
// still take their handles out of it.
std::vector<HMENU>& iconMenuHandles() {
  static auto* handles = new std::vector<HMENU>();
  return *handles;
}

void forgetHandle(HMENU menu) {
  auto& handles = iconMenuHandles();
  handles.erase(std::remove(handles.begin(), handles.end(), menu), handles.end());
}

int textWidth(CDC& dc, const CString& text) { return dc.GetTextExtent(text).cx; }

}  // namespace

IcoMenu::IcoMenu() = default;

IcoMenu::~IcoMenu() { DestroyMenu(); }

BOOL IcoMenu::IsIcoMenu(HMENU hMenu) {
  const auto& handles = iconMenuHandles();
  return hMenu && std::find(handles.begin(), handles.end(), hMenu) != handles.end();
}

BOOL IcoMenu::IsIcoMenu(CMenu* pMenu) { return pMenu && IsIcoMenu(pMenu->GetSafeHmenu()); }

void IcoMenu::CopyImageSettings(const IcoMenu& parent) {
  m_nIconX = parent.m_nIconX;
  m_nIconY = parent.m_nIconY;
  m_crMask = parent.m_crMask;
  m_bMaskSet = parent.m_bMaskSet;
}

IcoMenuData* IcoMenu::GetRecord(int nPos) const {
  return nPos >= 0 && nPos < GetRecordCount() ? m_records[static_cast<size_t>(nPos)].get() : nullptr;
}

BOOL IcoMenu::DestroyMenu() {
  forgetHandle(m_hMenu);
  while (!m_subMenus.empty()) {
    HMENU sub = m_subMenus.back();
    m_subMenus.pop_back();
    forgetHandle(sub);
    auto owned = std::find_if(m_ownedSubMenus.begin(), m_ownedSubMenus.end(),
                              [sub](const std::unique_ptr<IcoMenu>& menu) { return menu->m_hMenu == sub; });
    if (owned != m_ownedSubMenus.end()) m_ownedSubMenus.erase(owned);
  }
  m_ownedSubMenus.clear();
  m_records.clear();
  return CMenu::DestroyMenu();
}

BOOL IcoMenu::LoadMenu(UINT nIDResource) { return LoadMenu(MAKEINTRESOURCE(nIDResource)); }

BOOL IcoMenu::LoadMenu(LPCTSTR lpszResourceName) {
  HINSTANCE module = AfxFindResourceHandle(lpszResourceName, RT_MENU);
  HRSRC found = FindResource(module, lpszResourceName, RT_MENU);
  if (!found) return FALSE;
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  if (!data) return FALSE;
  DestroyMenu();
  if (!CreateMenu()) return FALSE;
  if (!BuildFromTemplate(data, SizeofResource(module, found))) {
    DestroyMenu();
    return FALSE;
  }
  m_bLoadedAsMenuBar = TRUE;
  const int count = static_cast<int>(GetMenuItemCount());
  for (int pos = 0; pos < count && pos < GetRecordCount(); ++pos) {
    IcoMenuData& record = *m_records[static_cast<size_t>(pos)];
    const CString text = record.GetAnsiString();
    if (HMENU sub = ::GetSubMenu(m_hMenu, pos)) {
      record.nFlags = MF_POPUP | MF_BYPOSITION;
      ModifyMenu(static_cast<UINT>(pos), MF_POPUP | MF_BYPOSITION, reinterpret_cast<UINT_PTR>(sub), text);
    } else {
      record.nFlags = MF_BYPOSITION;
      ModifyMenu(static_cast<UINT>(pos), MF_BYPOSITION, record.nID, text);
    }
  }
  return TRUE;
}

bool IcoMenu::BuildFromTemplate(const BYTE* data, DWORD size) {
  if (size < 4) return false;
  DWORD at = 4u + wavorel::wire::getU16(data + 2);
  struct Open {
    IcoMenu* menu;
    bool ended;
  };
  std::vector<Open> stack{{this, false}};
  while (!stack.empty()) {
    if (at + 2 > size) return false;
    const WORD flags = wavorel::wire::getU16(data + at);
    at += 2;
    WORD id = 0;
    if (!(flags & MF_POPUP)) {
      if (at + 2 > size) return false;
      id = wavorel::wire::getU16(data + at);
      at += 2;
    }
    std::u16string text;
    for (;;) {
      if (at + 2 > size) return false;
      const WORD unit = wavorel::wire::getU16(data + at);
      at += 2;
      if (unit == 0) break;
      text.push_back(static_cast<char16_t>(unit));
    }
    const UINT passed = flags & ~static_cast<UINT>(MF_END);
    IcoMenu* innermost = stack.back().menu;
    if (!(flags & MF_POPUP)) {
      innermost->AppendItem(text.c_str(), passed, id, -1);
      if (flags & MF_END) {
        stack.back().ended = true;
        while (!stack.empty() && stack.back().ended) {
          stack.back().menu->AlignAccelerators();
          stack.pop_back();
        }
      }
      continue;
    }
    if (flags & MF_END) stack.back().ended = true;
    auto sub = std::make_unique<IcoMenu>();
    sub->CopyImageSettings(*innermost);
    if (!sub->CreatePopupMenu()) return false;
    IcoMenu* opened = sub.get();
    innermost->m_ownedSubMenus.push_back(std::move(sub));
    innermost->AppendItem(text.c_str(), passed, reinterpret_cast<UINT_PTR>(opened->m_hMenu), -1);
    stack.push_back({opened, false});
  }
  return true;
}

BOOL IcoMenu::AppendItem(const WCHAR* text, UINT nFlags, UINT_PTR nID, int nToolbarID) {
  if (nID != 0)
    nFlags |= MF_OWNERDRAW;
  else
    nFlags = MF_SEPARATOR | MF_OWNERDRAW | (nFlags & MF_BYPOSITION);
  if (nFlags & MF_POPUP) {
    auto sub = reinterpret_cast<HMENU>(nID);
    iconMenuHandles().push_back(sub);
    m_subMenus.push_back(sub);
  }
  m_records.push_back(std::make_unique<IcoMenuData>());
  IcoMenuData& record = *m_records.back();
  record.SetWideString(text);
  record.nIconIndex = -1;
  if (nToolbarID < 0) {
    record.nIconIndex = SharedImageIndex(static_cast<UINT>(nID));
  } else {
    int image = 0;
    GetToolbarImageIndex(static_cast<UINT>(nID), static_cast<UINT>(nToolbarID), image);
    record.pOwnImageList.reset();
    CImageList images;
    if (images.Create(m_nIconX, m_nIconY, kListFlags, 1, 1) &&
        LoadImageIntoList(&images, static_cast<UINT>(nToolbarID)))
      record.nIconIndex = StoreSharedImage(&images, image, static_cast<UINT>(nID));
  }
  record.nFlags = nFlags;
  record.nID = nID;
  const BOOL appended = AppendMenu(nFlags, nID, reinterpret_cast<LPCSTR>(&record));
  if (m_bLoadedAsMenuBar) RefreshTopLevel();
  return appended;
}

int IcoMenu::TopLevelOffset() {
  if (!m_bLoadedAsMenuBar) return 0;
  const int count = static_cast<int>(GetMenuItemCount());
  for (int pos = 0; pos < count; ++pos) {
    CString text;
    GetMenuString(static_cast<UINT>(pos), text, MF_BYPOSITION);
    for (int i = 0; i < GetRecordCount(); ++i) {
      if (text == m_records[static_cast<size_t>(i)]->GetAnsiString()) return std::max(pos - i, 0);
    }
  }
  return 0;
}

void IcoMenu::RefreshTopLevel() {
  const int count = static_cast<int>(GetMenuItemCount());
  for (int pos = TopLevelOffset(), i = 0; pos < count && i < GetRecordCount(); ++pos, ++i) {
    HMENU sub = ::GetSubMenu(m_hMenu, pos);
    if (!sub) continue;
    IcoMenuData& record = *m_records[static_cast<size_t>(i)];
    record.nFlags = MF_POPUP | MF_BYPOSITION;
    ModifyMenu(static_cast<UINT>(pos), MF_POPUP | MF_BYPOSITION, reinterpret_cast<UINT_PTR>(sub),
               record.GetAnsiString());
  }
}

IcoMenu* IcoMenu::FindItemSkipping(UINT nID, int& nPos, const std::vector<IcoMenu*>& menus,
                                   const std::vector<int>& positions) {
  const int count = static_cast<int>(GetMenuItemCount());
  for (int pos = 0; pos < count; ++pos) {
    HMENU sub = ::GetSubMenu(m_hMenu, pos);
    if (sub) {
      CMenu* object = CMenu::FromHandlePermanent(sub);
      if (object && object->IsKindOf(RUNTIME_CLASS(IcoMenu))) {
        if (IcoMenu* found = static_cast<IcoMenu*>(object)->FindItemSkipping(nID, nPos, menus, positions))
          return found;
        continue;
      }
    }
    if (GetMenuItemID(pos) != nID) continue;
    bool visited = false;
    for (size_t i = 0; i < menus.size() && !visited; ++i) visited = menus[i] == this && positions[i] == pos;
    if (visited) continue;
    nPos = pos;
    return this;
  }
  nPos = -1;
  return nullptr;
}

IcoMenu* IcoMenu::FindItem(UINT nID, int& nPos) { return FindItemSkipping(nID, nPos, {}, {}); }

IcoMenu* IcoMenu::FindNextItem(UINT nID, int& nPos, std::vector<IcoMenu*>& menus, std::vector<int>& positions) {
  return FindItemSkipping(nID, nPos, menus, positions);
}

void IcoMenu::UpdateRecord(IcoMenuData& record, const WCHAR* text, UINT nID, CImageList* pImages, int nIndex) {
  if (text) record.SetWideString(text);
  if (pImages) {
    record.pOwnImageList.reset();
    record.nIconIndex = StoreSharedImage(pImages, nIndex, nID);
  }
  record.nFlags = (record.nFlags & ~static_cast<UINT>(MF_BYPOSITION)) | MF_OWNERDRAW;
  record.nID = nID;
}

BOOL IcoMenu::ModifyItem(const WCHAR* text, UINT nID, CImageList* pImages, int nIndex) {
  IcoMenuData* last = nullptr;
  int pos = -1;
  IcoMenu* menu = static_cast<int>(nID) < 0 ? nullptr : FindItem(nID, pos);
  std::vector<IcoMenu*> menus;
  std::vector<int> positions;
  while (menu) {
    if (IcoMenuData* record = menu->GetRecord(pos)) {
      UpdateRecord(*record, text, nID, pImages, nIndex);
      last = record;
    }
    menus.push_back(menu);
    positions.push_back(pos);
    menu = FindNextItem(nID, pos, menus, positions);
  }
  if (!last) {
    m_records.push_back(std::make_unique<IcoMenuData>());
    last = m_records.back().get();
    UpdateRecord(*last, text, nID, pImages, nIndex);
  }
  return ModifyMenu(nID, last->nFlags, nID, reinterpret_cast<LPCSTR>(last));
}

BOOL IcoMenu::ModifyItem(LPCSTR text, UINT nID, CImageList* pImages, int nIndex) {
  if (!text) return ModifyItem(static_cast<const WCHAR*>(nullptr), nID, pImages, nIndex);
  IcoMenuData converted;
  converted.SetAnsiString(text);
  return ModifyItem(converted.GetWideString(), nID, pImages, nIndex);
}

std::unique_ptr<IcoMenuData> IcoMenu::ModifyItemByPosition(UINT nPos, UINT nFlags, UINT_PTR nID, LPCSTR text) {
  auto record = std::make_unique<IcoMenuData>();
  record->SetAnsiString(text);
  record->nFlags = nFlags;
  record->nID = nID;
  record->nIconIndex = -1;
  if (nFlags & MF_OWNERDRAW)
    ModifyMenu(nPos, nFlags, nID, reinterpret_cast<LPCSTR>(record.get()));
  else
    ModifyMenu(nPos, nFlags, nID, nullptr);
  return record;
}

BOOL IcoMenu::GetItemText(UINT nIDOrPos, CString& text, UINT nFlags) {
  if (nFlags & MF_BYPOSITION) {
    const IcoMenuData* record = GetRecord(static_cast<int>(nIDOrPos));
    if (!record) return FALSE;
    text = record->GetAnsiString();
    return TRUE;
  }
  int pos = -1;
  IcoMenu* holder = FindItem(nIDOrPos, pos);
  return holder ? holder->GetItemText(static_cast<UINT>(pos), text, MF_BYPOSITION) : FALSE;
}

void IcoMenu::SynchronizeItems() {
  for (auto& record : m_records) record->bSeen = FALSE;
  // Takes the first unseen record with the id out of the array.
  auto take = [this](UINT_PTR id) -> std::unique_ptr<IcoMenuData> {
    for (auto& record : m_records) {
      if (record && !record->bSeen && record->nID == id) {
        record->bSeen = TRUE;
        return std::move(record);
      }
    }
    return nullptr;
  };
  std::vector<std::unique_ptr<IcoMenuData>> ordered;
  const int count = static_cast<int>(GetMenuItemCount());
  for (int p = 0; p < count; ++p) {
    const auto pos = static_cast<UINT>(p);
    const UINT state = GetMenuState(pos, MF_BYPOSITION);
    CString text;
    GetMenuString(pos, text, MF_BYPOSITION);
    std::unique_ptr<IcoMenuData> record;
    if (HMENU sub = ::GetSubMenu(m_hMenu, p)) {
      record = take(reinterpret_cast<UINT_PTR>(sub));
      if (record && !text.IsEmpty()) record->SetAnsiString(text);
      if (!record)
        record = ModifyItemByPosition(pos, ((state & 0xFF) & ~static_cast<UINT>(MF_POPUP)) | MF_POPUP | MF_OWNERDRAW | MF_BYPOSITION,
                                      reinterpret_cast<UINT_PTR>(sub), text);
    } else if (state & MF_SEPARATOR) {
      record = take(0);
      if (record)
        ModifyMenu(pos, record->nFlags | MF_BYPOSITION, 0, reinterpret_cast<LPCSTR>(record.get()));
      else
        record = ModifyItemByPosition(pos, state | MF_SEPARATOR | MF_OWNERDRAW | MF_BYPOSITION, 0, "");
    } else {
      const UINT id = GetMenuItemID(p);
      record = take(id);
      if (record) {
        record->nFlags = state | MF_OWNERDRAW | MF_BYPOSITION;
        if (!text.IsEmpty()) record->SetAnsiString(text);
        ModifyMenu(pos, record->nFlags, id, reinterpret_cast<LPCSTR>(record.get()));
      } else {
        record = ModifyItemByPosition(pos, state | MF_OWNERDRAW | MF_BYPOSITION, id, text);
      }
    }
    ordered.push_back(std::move(record));
  }
  m_records = std::move(ordered);  // the records left unseen go
}

LRESULT IcoMenu::FindKeyboardShortcut(UINT nChar, UINT nFlags, CMenu* pMenu) {
  if (!pMenu || !pMenu->IsKindOf(RUNTIME_CLASS(IcoMenu)) || !(nFlags & MF_POPUP)) return 0;
  auto* menu = static_cast<IcoMenu*>(pMenu);
  CString key;
  key.Format("&%c", static_cast<char>(nChar));
  key.MakeLower();
  if (static_cast<int>(menu->GetMenuItemCount()) != menu->GetRecordCount()) menu->SynchronizeItems();
  for (int pos = 0; pos < menu->GetRecordCount(); ++pos) {
    CString text = menu->m_records[static_cast<size_t>(pos)]->GetAnsiString();
    text.MakeLower();
    if (text.Find(key) >= 0) return MAKELRESULT(pos & 0xFFFF, MNC_EXECUTE);
  }
  return 0;
}

void IcoMenu::AlignAccelerators() {
  IcoMenuDC fontDC(true);
  CDC& dc = *fontDC.dc();
  const int records = std::min(GetRecordCount(), static_cast<int>(GetMenuItemCount()));
  int widest = 0;
  for (int i = 0; i < records; ++i) {
    const CString text = m_records[static_cast<size_t>(i)]->GetAnsiString();
    const int tab = text.Find('\t');
    widest = std::max(widest, textWidth(dc, (tab >= 0 ? text.Left(tab) : text) + " "));
  }
  for (int i = 0; i < records; ++i) {
    IcoMenuData& record = *m_records[static_cast<size_t>(i)];
    const CString text = record.GetAnsiString();
    const int tab = text.Find('\t');
    if (tab < 0) continue;
    CString label = text.Left(tab);
    int width = textWidth(dc, label);
    while (width < widest) {
      const int grown = textWidth(dc, label + " ");
      if (grown <= width) break;  // a blank that takes no room would never get there
      label += " ";
      width = grown;
    }
    record.SetAnsiString(label + text.Mid(tab));
  }
}

BOOL IcoMenu::LoadToolbar(UINT nToolbarID) {
  CWnd* parent = AfxGetMainWnd() ? AfxGetMainWnd() : CWnd::FromHandle(GetDesktopWindow());
  IcoMenuToolBar bar;
  if (!bar.Create(parent, kHiddenToolBarStyle, kHiddenToolBarId)) return FALSE;
  if (!bar.LoadToolBar(MAKEINTRESOURCE(nToolbarID))) {
    bar.DestroyWindow();
    return FALSE;
  }
  m_nIconX = std::max(m_nIconX, bar.GetImageWidth());
  m_nIconY = std::max(m_nIconY, bar.GetImageHeight());
  CImageList images;
  const BOOL added =
      images.Create(m_nIconX, m_nIconY, kListFlags, 1, 1) && LoadImageIntoList(&images, nToolbarID);
  for (int i = 0; added && i < bar.GetCount(); ++i) {
    UINT id = 0, style = 0;
    int image = 0;
    bar.GetButtonInfo(i, id, style, image);
    if (id != 0 && GetMenuState(id, MF_BYCOMMAND) != static_cast<UINT>(-1))
      ModifyItem(static_cast<const WCHAR*>(nullptr), id, &images, image);
  }
  bar.DestroyWindow();
  return added;
}

BOOL IcoMenu::GetToolbarImageIndex(UINT nID, UINT nToolbarID, int& nImage) {
  CWnd* parent = AfxGetMainWnd() ? AfxGetMainWnd() : CWnd::FromHandle(GetDesktopWindow());
  IcoMenuToolBar bar;
  if (!bar.Create(parent, kHiddenToolBarStyle, kHiddenToolBarId)) return FALSE;
  BOOL found = FALSE;
  if (bar.LoadToolBar(MAKEINTRESOURCE(nToolbarID))) {
    const int index = bar.CommandToIndex(nID);
    if (index >= 0) {
      UINT id = 0, style = 0;
      int image = 0;
      bar.GetButtonInfo(index, id, style, image);
      if (image > 0) nImage = image;
      found = TRUE;
    }
  }
  bar.DestroyWindow();
  return found;
}

int IcoMenu::Gap() const { return XPStyleInForce() ? 7 : 4; }

void IcoMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  const auto* record = reinterpret_cast<const IcoMenuData*>(lpMeasureItemStruct->itemData);
  const int gap = Gap();
  if (!record || (record->nFlags & MF_SEPARATOR)) {
    lpMeasureItemStruct->itemWidth = 0;
    lpMeasureItemStruct->itemHeight =
        static_cast<UINT>(std::max(GetSystemMetrics(SM_CYMENU) / 2, (m_nIconY + gap) / 2));
    return;
  }
  const bool win32s = GetSystemKind() < kWin95;
  IcoMenuDC fontDC(!win32s);
  int width = 0;
  if (!win32s) {
    const WCHAR* text = record->GetWideString();
    int length = 0;
    while (text[length]) ++length;
    SIZE size{};
    GetTextExtentPoint32W(fontDC.dc()->GetSafeHdc(), text, length, &size);
    width = size.cx;
  } else {
    // The measured text plus 3, and 3 more pixels per average character width.
    const CString text = record->GetAnsiString();
    CRect rect;
    fontDC.dc()->DrawText(text, &rect, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
    width = rect.Width() + 3;
    if (!text.IsEmpty()) width += 3 * (width / text.GetLength());
  }
  lpMeasureItemStruct->itemWidth =
      static_cast<UINT>(XPStyleInForce() ? m_nIconX + width + gap + 8 : width + 2 * m_nIconX + 1);
  lpMeasureItemStruct->itemHeight = static_cast<UINT>(std::max(GetSystemMetrics(SM_CYMENU), m_nIconY + gap));
}
