// IcoMenuDC: the device contexts the icon menus measure and draw with: a DC
// of the main window (else of the desktop window), taken and given back with
// the object, or a DC the caller has; either with the system's menu font
// (SPI_GETNONCLIENTMETRICS, lfMenuFont) selected while the object lives.
#pragma once

#include "platform/Platform.h"

class IcoMenuDC {
 public:
  // A DC of the main window, else of the desktop window.
  explicit IcoMenuDC(bool menuFont);
  // The menu font selected into `pDC`.
  explicit IcoMenuDC(CDC* pDC);
  ~IcoMenuDC();
  IcoMenuDC(const IcoMenuDC&) = delete;
  IcoMenuDC& operator=(const IcoMenuDC&) = delete;

  CDC* dc() { return m_pDC; }

 private:
  void SelectMenuFont();

  HWND m_hWnd = nullptr;  // set when the DC is the object's own
  CDC m_own;
  CDC* m_pDC;
  CFont m_font;
  CFont* m_pOldFont = nullptr;
};
