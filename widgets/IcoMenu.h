// IcoMenu: a menu whose pop-up items are drawn by the program with a small
// icon beside each command, in the flat XP style (a separate icon column) or
// the classic look. The icons come from a toolbar bitmap whose buttons carry
// the menu's command ids; all menus keep their images in one shared image
// list (IcoMenuImageStore).
//
// Load a menu resource (LoadMenu) into a menu bar whose pop-ups hold
// owner-drawn items, each with its IcoMenuData record as item data; track a
// pop-up (GetSubMenu) with its owner passing WM_MEASUREITEM and WM_MENUCHAR to
// the menu (IsIcoMenu, FindKeyboardShortcut). WM_DRAWITEM reaches the pop-up's
// IcoMenu through the class library's owner-draw routing.
//
// The look: classic on a palette device; otherwise, while an XP theme is
// active (Windows XP and a theme other than "Windows Classic.theme"), the
// first XP-style setting decides, else the second.
#pragma once

#include <memory>
#include <vector>

#include "platform/Platform.h"
#include "widgets/IcoMenuData.h"

class IcoMenu : public CMenu {
  DECLARE_DYNAMIC(IcoMenu)

 public:
  // The operating-system kinds of the look.
  enum SystemKind { kWin32s = 0, kOtherNt = 1, kWin95 = 2, kWin98 = 3, kWinMe = 4, kNt4 = 5, kWin2000 = 6, kWinXp = 7 };

  IcoMenu();
  ~IcoMenu() override;

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
  virtual BOOL LoadMenu(UINT nIDResource);
  // FALSE when the resource is missing or its template is cut short.
  virtual BOOL LoadMenu(LPCTSTR lpszResourceName);
  virtual BOOL DestroyMenu();

  void SetIconSize(int cx, int cy) {
    m_nIconX = cx;
    m_nIconY = cy;
  }
  int GetIconWidth() const { return m_nIconX; }
  int GetIconHeight() const { return m_nIconY; }
  void SetBitmapBackground(COLORREF mask) {
    m_crMask = mask;
    m_bMaskSet = TRUE;
  }
  // The toolbar's images become the images of the items with the same ids.
  BOOL LoadToolbar(UINT nToolbarID);

  BOOL AppendItem(const WCHAR* text, UINT nFlags, UINT_PTR nID, int nToolbarID);
  BOOL ModifyItem(const WCHAR* text, UINT nID, CImageList* pImages, int nIndex);
  BOOL ModifyItem(LPCSTR text, UINT nID, CImageList* pImages, int nIndex);
  // A new record for the item at the position (the caller keeps it).
  std::unique_ptr<IcoMenuData> ModifyItemByPosition(UINT nPos, UINT nFlags, UINT_PTR nID, LPCSTR text);
  IcoMenu* FindItem(UINT nID, int& nPos);
  IcoMenu* FindNextItem(UINT nID, int& nPos, std::vector<IcoMenu*>& menus, std::vector<int>& positions);
  BOOL GetItemText(UINT nIDOrPos, CString& text, UINT nFlags);
  // The record of the item at a position, or null.
  IcoMenuData* GetRecord(int nPos) const;
  int GetRecordCount() const { return static_cast<int>(m_records.size()); }

  static BOOL IsIcoMenu(CMenu* pMenu);
  static BOOL IsIcoMenu(HMENU hMenu);
  // The answer to WM_MENUCHAR: MAKELRESULT(position, MNC_EXECUTE) of the
  // first item whose text holds "&" and the character, else 0.
  static LRESULT FindKeyboardShortcut(UINT nChar, UINT nFlags, CMenu* pMenu);

  // Internal steps of the operations above.
  void SynchronizeItems();
  void AlignAccelerators();
  int TopLevelOffset();
  void RefreshTopLevel();

  // Images (the shared store).
  int StoreSharedImage(CImageList* pImages, int nIndex, UINT nID);
  static int SharedImageIndex(UINT nID);
  static BOOL HasDerivedImages(int nIndex);
  BOOL GetToolbarImageIndex(UINT nID, UINT nToolbarID, int& nImage);
  BOOL LoadImageIntoList(CImageList* pImages, UINT nBitmapID);
  BOOL RenderIcon(CDC* pDC, CImageList* pImages, int nIndex, CBitmap& bitmap);
  static void DrawDisabledImage(CDC* pDC, int x, int y, int cx, int cy, HBITMAP hSource, int sx, int sy,
                                COLORREF crBack);
  static void DrawCheckMark(CDC* pDC, int x, int y, COLORREF colour);
  static void DrawRadioBullet(CDC* pDC, int x, int y, COLORREF colour);
  static void DrawClassicCheck(CDC* pDC, const CRect& rect, BOOL bSelected, BOOL bRadio);
  static void DrawXPCheck(CDC* pDC, const CRect& rect, BOOL bRadio, COLORREF crFrame);
  void DrawItemClassic(LPDRAWITEMSTRUCT lpDrawItemStruct);

  // Settings shared by all menus.
  static void SetXPStyle(BOOL bXPStyle);  // both settings
  static BOOL XPStyleInForce();
  static BOOL IsXPThemeActive();
  static int GetSystemKind();
  static BOOL IsClassicTheme();
  // c moves to c + (255 - c) x f in each channel.
  static COLORREF Lighten(COLORREF colour, double f);
  // Everything shared back to its state at program start: the image store,
  // the settings, and the system kind and theme read again on next use.
  static void ResetSharedState();

 private:
  void DrawItemXP(LPDRAWITEMSTRUCT lpDrawItemStruct);
  void DrawXPItemContent(CDC* pDC, const DRAWITEMSTRUCT& item, const IcoMenuData* record);
  // Takes the image settings of `parent`.
  void CopyImageSettings(const IcoMenu& parent);
  // The template of a menu resource into this menu bar; false when cut short.
  bool BuildFromTemplate(const BYTE* data, DWORD size);
  // Updates one record as ModifyItem does.
  void UpdateRecord(IcoMenuData& record, const WCHAR* text, UINT nID, CImageList* pImages, int nIndex);
  IcoMenu* FindItemSkipping(UINT nID, int& nPos, const std::vector<IcoMenu*>& menus,
                            const std::vector<int>& positions);
  int Gap() const;
  // Faded and shadow images of a rendered icon (in place).
  static void MakeFaded(CBitmap& bitmap);
  static void MakeShadow(CBitmap& bitmap);

  std::vector<std::unique_ptr<IcoMenuData>> m_records;  // in item order
  std::vector<HMENU> m_subMenus;
  std::vector<std::unique_ptr<IcoMenu>> m_ownedSubMenus;  // the objects behind m_subMenus
  int m_nIconX = 16;
  int m_nIconY = 15;
  COLORREF m_crMask = RGB(192, 192, 192);
  BOOL m_bMaskSet = FALSE;
  BOOL m_bLoadedAsMenuBar = FALSE;
};
