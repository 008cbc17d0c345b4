// IcoMenuToolBar: a hidden toolbar used only to read a toolbar resource for
// IcoMenu: its buttons' command ids and image indexes, and the image size,
// which it keeps. Only a 16-colour toolbar bitmap is accepted.
#pragma once

#include "platform/Platform.h"

class IcoMenuToolBar : public CToolBar {
 public:
  BOOL LoadToolBar(LPCTSTR lpszResourceName) override;
  BOOL LoadBitmap(LPCTSTR lpszResourceName) override;
  int GetImageWidth() const { return m_nImageWidth; }
  int GetImageHeight() const { return m_nImageHeight; }

  // The bitmap resource, looked up in the resource module and then the
  // program, loaded with the system colours mapped when it is a 16-colour
  // bitmap (colour count biClrUsed, else 2, 16 or 256 for 1, 4 or 8 bits);
  // NULL otherwise. The caller deletes it.
  static HBITMAP LoadSixteenColourBitmap(LPCTSTR lpszResourceName);

 private:
  int m_nImageWidth = 0;
  int m_nImageHeight = 0;
};
