// CPictureDraw: the background picture of a window that paints it on its own
// (the skinned tab control): erases the owner's background around the picture
// and draws the picture into a target rectangle (all zero: the owner's client
// rectangle). While it holds an icon it paints nothing.
#pragma once

#include "frontend/PictureHolder.h"
#include "platform/Platform.h"

class CPictureDraw {
 public:
  explicit CPictureDraw(CWnd* owner);
  virtual ~CPictureDraw();
  CPictureDraw(const CPictureDraw&) = delete;
  CPictureDraw& operator=(const CPictureDraw&) = delete;

  // Paints the picture into the DC (the owner's WM_PAINT).
  virtual void Draw(CDC* dc);
  // Fills the target rectangle outside the picture with the owner's class
  // background brush. FALSE when the owner has no window.
  BOOL EraseBackground(CDC* dc);

  void SetRect(const RECT& rect) { m_rect = rect; }
  // The icon is the caller's; it only switches the painting off.
  void SetIcon(HICON icon) { m_icon = icon; }
  CPictureHolder& Picture() { return m_picture; }

 private:
  RECT TargetRect() const;

  CWnd* m_owner;
  RECT m_rect{0, 0, 0, 0};
  CPictureHolder m_picture;
  HICON m_icon = nullptr;
};
