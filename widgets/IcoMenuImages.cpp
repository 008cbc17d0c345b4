// IcoMenu: the shared settings, the shared image store and the images made
// from it: derived (faded, shadow), rendered and disabled images, check marks.
#include <cstring>

#include "widgets/IcoMenu.h"
#include "widgets/IcoMenuDC.h"
#include "widgets/IcoMenuImageStore.h"
#include "widgets/IcoMenuToolBar.h"

namespace {

// The derived-images flag: faded and shadow images, and the wider XP gap.
constexpr bool kDerivedImages = true;
constexpr DWORD kRaiseOnBlack = 0x00E20746;  // brush where the source is black, else the destination
constexpr int kCheckRows[7] = {2, 3, 4, 3, 2, 1, 0};
constexpr char kThemeKey[] = "Software\\Microsoft\\Plus!\\Themes\\Current";
constexpr char kClassicTheme[] = "windows classic.theme";
constexpr DWORD kThemeValueBytes = 260;

BOOL g_xpStyleForXpThemes = TRUE;
BOOL g_xpStyleOtherwise = FALSE;
int g_systemKind = -1;    // -1: not read yet
int g_classicTheme = -1;  // -1: not read yet

int readSystemKind() {
  OSVERSIONINFO version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionEx(&version)) return IcoMenu::kOtherNt;
  switch (version.dwPlatformId) {
    case VER_PLATFORM_WIN32s:
      return IcoMenu::kWin32s;
    case VER_PLATFORM_WIN32_WINDOWS:
      return version.dwMinorVersion < 10 ? IcoMenu::kWin95 : version.dwMinorVersion < 90 ? IcoMenu::kWin98 : IcoMenu::kWinMe;
    default:
      if (version.dwMajorVersion == 4) return IcoMenu::kNt4;
      if (version.dwMajorVersion == 5 && version.dwMinorVersion == 0) return IcoMenu::kWin2000;
      if (version.dwMajorVersion == 5 && version.dwMinorVersion == 1) return IcoMenu::kWinXp;
      return IcoMenu::kOtherNt;
  }
}

bool readClassicTheme() {
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_CURRENT_USER, kThemeKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  char value[kThemeValueBytes + 1] = {};
  DWORD size = kThemeValueBytes;
  DWORD type = 0;
  const LONG read = RegQueryValueEx(key, "", nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  if (read != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
  CString text(value);
  text.MakeLower();
  const int tail = static_cast<int>(strlen(kClassicTheme));
  return text.GetLength() >= tail && text.Right(tail) == kClassicTheme;
}

// Changes every pixel of the bitmap that is not the button face.
template <class Change>
void changeNonFacePixels(CBitmap& bitmap, Change change) {
  BITMAP info{};
  if (!bitmap.GetSafeHandle() || !bitmap.GetBitmap(&info)) return;
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CBitmap* old = dc.SelectObject(&bitmap);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (int y = 0; y < info.bmHeight; ++y)
    for (int x = 0; x < info.bmWidth; ++x) {
      const COLORREF pixel = dc.GetPixel(x, y);
      if (pixel != face) dc.SetPixel(x, y, change(pixel));
    }
  dc.SelectObject(old);
}

}  // namespace

void IcoMenu::SetXPStyle(BOOL bXPStyle) {
  g_xpStyleForXpThemes = bXPStyle;
  g_xpStyleOtherwise = bXPStyle;
}

int IcoMenu::GetSystemKind() {
  if (g_systemKind < 0) g_systemKind = readSystemKind();
  return g_systemKind;
}

BOOL IcoMenu::IsClassicTheme() {
  if (g_classicTheme < 0) g_classicTheme = readClassicTheme() ? 1 : 0;
  return g_classicTheme == 1;
}

BOOL IcoMenu::IsXPThemeActive() { return GetSystemKind() == kWinXp && !IsClassicTheme(); }

BOOL IcoMenu::XPStyleInForce() { return IsXPThemeActive() ? g_xpStyleForXpThemes : g_xpStyleOtherwise; }

void IcoMenu::ResetSharedState() {
  IcoMenuImageStore::Instance().Reset();
  g_xpStyleForXpThemes = TRUE;
  g_xpStyleOtherwise = FALSE;
  g_systemKind = -1;
  g_classicTheme = -1;
}

COLORREF IcoMenu::Lighten(COLORREF colour, double f) {
  const auto lift = [f](int c) { return static_cast<int>(c + (255 - c) * f); };
  return RGB(lift(GetRValue(colour)), lift(GetGValue(colour)), lift(GetBValue(colour)));
}

void IcoMenu::MakeFaded(CBitmap& bitmap) {
  changeNonFacePixels(bitmap, [](COLORREF pixel) { return Lighten(pixel, 0.3); });
}

void IcoMenu::MakeShadow(CBitmap& bitmap) {
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF colour = IsXPThemeActive() ? shadow : Lighten(shadow, 0.49);
  changeNonFacePixels(bitmap, [colour](COLORREF) { return colour; });
}

int IcoMenu::SharedImageIndex(UINT nID) { return IcoMenuImageStore::Instance().Find(nID); }

BOOL IcoMenu::HasDerivedImages(int nIndex) { return IcoMenuImageStore::Instance().HasDerived(nIndex); }

BOOL IcoMenu::RenderIcon(CDC* pDC, CImageList* pImages, int nIndex, CBitmap& bitmap) {
  HICON icon = ImageList_GetIcon(pImages->GetSafeHandle(), nIndex, 0);
  CDC memory;
  memory.CreateCompatibleDC(pDC);
  bitmap.DeleteObject();
  bitmap.CreateCompatibleBitmap(pDC, m_nIconX, m_nIconY);
  CBitmap* old = memory.SelectObject(&bitmap);
  DrawIconEx(memory.GetSafeHdc(), 0, 0, icon, m_nIconX, m_nIconY, 0, GetSysColorBrush(COLOR_BTNFACE), DI_NORMAL);
  memory.SelectObject(old);
  if (icon) DestroyIcon(icon);
  return TRUE;
}

int IcoMenu::StoreSharedImage(CImageList* pImages, int nIndex, UINT nID) {
  IcoMenuImageStore& store = IcoMenuImageStore::Instance();
  HIMAGELIST shared = store.List(m_nIconX, m_nIconY);
  if (!shared || !pImages) return -1;
  HICON icon = ImageList_GetIcon(pImages->GetSafeHandle(), nIndex, 0);
  if (!icon) return -1;
  const bool derived = XPStyleInForce() && kDerivedImages;
  CBitmap faded, shadow;
  if (derived) {
    IcoMenuDC window(false);
    RenderIcon(window.dc(), pImages, nIndex, faded);
    RenderIcon(window.dc(), pImages, nIndex, shadow);
    MakeFaded(faded);
    MakeShadow(shadow);
  }
  int result = store.Find(nID);
  if (result >= 0) {
    ImageList_ReplaceIcon(shared, result, icon);
    if (derived && store.HasDerived(result)) {
      CBitmap* images[2] = {&faded, &shadow};
      for (int i = 0; i < 2; ++i) {
        CImageList temporary;
        if (!temporary.Create(m_nIconX, m_nIconY, ILC_COLORDDB | ILC_MASK, 1, 1)) continue;
        if (ImageList_AddMasked(temporary.GetSafeHandle(), *images[i], GetSysColor(COLOR_BTNFACE)) < 0) continue;
        if (HICON derivedIcon = ImageList_GetIcon(temporary.GetSafeHandle(), 0, 0)) {
          ImageList_ReplaceIcon(shared, result + 1 + i, derivedIcon);
          DestroyIcon(derivedIcon);
        }
      }
    }
  } else {
    result = store.Count();
    ImageList_ReplaceIcon(shared, -1, icon);
    store.AddId(nID);
    if (derived) {
      ImageList_AddMasked(shared, faded, GetSysColor(COLOR_BTNFACE));
      ImageList_AddMasked(shared, shadow, GetSysColor(COLOR_BTNFACE));
      store.AddId(nID);
      store.AddId(nID);
    }
  }
  DestroyIcon(icon);
  return result;
}

BOOL IcoMenu::LoadImageIntoList(CImageList* pImages, UINT nBitmapID) {
  HBITMAP bitmap = IcoMenuToolBar::LoadSixteenColourBitmap(MAKEINTRESOURCE(nBitmapID));
  if (!bitmap) bitmap = ::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(nBitmapID));
  if (!bitmap) return FALSE;
  const COLORREF mask = m_bMaskSet ? m_crMask : GetSysColor(COLOR_BTNFACE);
  const int added = ImageList_AddMasked(pImages->GetSafeHandle(), bitmap, mask);
  DeleteObject(bitmap);
  if (added < 0) return FALSE;
  if (XPStyleInForce() && kDerivedImages) {
    IcoMenuDC window(false);
    CBitmap faded, shadow;
    RenderIcon(window.dc(), pImages, 0, faded);
    RenderIcon(window.dc(), pImages, 0, shadow);
    MakeFaded(faded);
    MakeShadow(shadow);
    ImageList_AddMasked(pImages->GetSafeHandle(), faded, GetSysColor(COLOR_BTNFACE));
    ImageList_AddMasked(pImages->GetSafeHandle(), shadow, GetSysColor(COLOR_BTNFACE));
  }
  return TRUE;
}

void IcoMenu::DrawDisabledImage(CDC* pDC, int x, int y, int cx, int cy, HBITMAP hSource, int sx, int sy,
                                COLORREF crBack) {
  CDC maskDC;
  maskDC.CreateCompatibleDC(nullptr);
  CBitmap mask;
  if (!mask.CreateBitmap(cx, cy, 1, 1, nullptr)) return;
  CBitmap* oldMask = maskDC.SelectObject(&mask);
  maskDC.PatBlt(0, 0, cx, cy, WHITENESS);
  CDC sourceDC;
  sourceDC.CreateCompatibleDC(nullptr);
  HGDIOBJ oldSource = SelectObject(sourceDC.GetSafeHdc(), hSource);
  // Pixels of the face or highlight colour end white, the image's shape black.
  sourceDC.SetBkColor(GetSysColor(COLOR_BTNFACE));
  maskDC.BitBlt(0, 0, cx, cy, &sourceDC, sx, sy, SRCCOPY);
  sourceDC.SetBkColor(GetSysColor(COLOR_BTNHIGHLIGHT));
  maskDC.BitBlt(0, 0, cx, cy, &sourceDC, sx, sy, SRCPAINT);

  sourceDC.FillSolidRect(0, 0, cx, cy, crBack);
  sourceDC.SetBkColor(RGB(0, 0, 0));
  sourceDC.SetTextColor(RGB(255, 255, 255));
  CBrush highlight(GetSysColor(COLOR_BTNHIGHLIGHT));
  CBrush* oldBrush = sourceDC.SelectObject(&highlight);
  sourceDC.BitBlt(0, 0, cx, cy, &maskDC, 0, 0, kRaiseOnBlack);
  pDC->BitBlt(x + 1, y + 1, cx, cy, &sourceDC, 0, 0, SRCCOPY);
  sourceDC.BitBlt(1, 1, cx, cy, &maskDC, 0, 0, kRaiseOnBlack);
  CBrush shadow(GetSysColor(COLOR_BTNSHADOW));
  sourceDC.SelectObject(&shadow);
  sourceDC.BitBlt(0, 0, cx, cy, &maskDC, 0, 0, kRaiseOnBlack);
  pDC->BitBlt(x, y, cx, cy, &sourceDC, 0, 0, SRCCOPY);
  sourceDC.SelectObject(oldBrush);
  SelectObject(sourceDC.GetSafeHdc(), oldSource);
  maskDC.SelectObject(oldMask);
}

void IcoMenu::DrawCheckMark(CDC* pDC, int x, int y, COLORREF colour) {
  CPen pen(PS_SOLID, 0, colour);
  CPen* old = pDC->SelectObject(&pen);
  for (int i = 0; i < 7; ++i) {
    pDC->MoveTo(x + i, y + kCheckRows[i]);
    pDC->LineTo(x + i, y + kCheckRows[i] + 3);
  }
  pDC->SelectObject(old);
}

void IcoMenu::DrawRadioBullet(CDC* pDC, int x, int y, COLORREF colour) {
  CPen pen(PS_SOLID, 0, colour);
  CBrush brush(colour);
  CPen* oldPen = pDC->SelectObject(&pen);
  CBrush* oldBrush = pDC->SelectObject(&brush);
  pDC->Ellipse(x, y, x + 6, y + 6);
  pDC->SelectObject(oldBrush);
  pDC->SelectObject(oldPen);
}

void IcoMenu::DrawClassicCheck(CDC* pDC, const CRect& rect, BOOL bSelected, BOOL bRadio) {
  COLORREF back = GetSysColor(IsXPThemeActive() ? COLOR_BTNFACE : COLOR_MENU);
  if (!bSelected) back = Lighten(back, 0.6);
  pDC->FillSolidRect(&rect, back);
  if (GetSystemKind() >= kWin95) {
    CRect edge = rect;
    pDC->DrawEdge(&edge, BDR_SUNKENOUTER, BF_RECT);
  }
  const COLORREF mark = GetSysColor(COLOR_MENUTEXT);
  if (bRadio)
    DrawRadioBullet(pDC, rect.left + 5, rect.top + 4, mark);
  else
    DrawCheckMark(pDC, rect.left + 4, rect.top + 4, mark);
}

void IcoMenu::DrawXPCheck(CDC* pDC, const CRect& rect, BOOL bRadio, COLORREF crFrame) {
  pDC->FillSolidRect(&rect, Lighten(crFrame, 0.85));
  pDC->Draw3dRect(&rect, crFrame, crFrame);
  const COLORREF mark = GetSysColor(COLOR_MENUTEXT);
  if (bRadio)
    DrawRadioBullet(pDC, rect.left + 5, rect.top + 4, mark);
  else
    DrawCheckMark(pDC, rect.left + 5, rect.top + 4, mark);
}
