#include "widgets/IcoMenuToolBar.h"

#include <cstring>

#include "widgets/CeXDib.h"

namespace {

constexpr DWORD kSixteenColours = 16;

// The colour count of a bitmap header: biClrUsed, else the one of its bit count.
DWORD colourCount(const BITMAPINFOHEADER& header) {
  return header.biClrUsed ? header.biClrUsed : CCeXDib::ColourCount(header.biBitCount);
}

// The bitmap resource when it is a 16-colour bitmap, with its module.
HRSRC findSixteenColourBitmap(LPCTSTR name, HINSTANCE& module) {
  module = AfxFindResourceHandle(name, RT_BITMAP);
  HRSRC found = FindResource(module, name, RT_BITMAP);
  if (!found) return nullptr;
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  BITMAPINFOHEADER header{};
  if (!data || SizeofResource(module, found) < sizeof header) return nullptr;
  memcpy(&header, data, sizeof header);
  return colourCount(header) == kSixteenColours ? found : nullptr;
}

}  // namespace

HBITMAP IcoMenuToolBar::LoadSixteenColourBitmap(LPCTSTR lpszResourceName) {
  HINSTANCE module = nullptr;
  HRSRC found = findSixteenColourBitmap(lpszResourceName, module);
  return found ? AfxLoadSysColorBitmap(module, found) : nullptr;
}

BOOL IcoMenuToolBar::LoadBitmap(LPCTSTR lpszResourceName) {
  HINSTANCE module = nullptr;
  return findSixteenColourBitmap(lpszResourceName, module) ? CToolBar::LoadBitmap(lpszResourceName) : FALSE;
}

BOOL IcoMenuToolBar::LoadToolBar(LPCTSTR lpszResourceName) {
  const BOOL loaded = CToolBar::LoadToolBar(lpszResourceName);
  m_nImageWidth = GetImageSize().cx;
  m_nImageHeight = GetImageSize().cy;
  return loaded;
}
