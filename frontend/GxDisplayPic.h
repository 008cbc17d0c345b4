// CGxDisplayPic: a static that paints one icon or, without an icon, one
// picture, over a transparent background (the parent's skin shows through).
#pragma once

#include "frontend/PictureHolder.h"
#include "platform/Platform.h"

class CGxDisplayPic : public CStatic {
 public:
  CGxDisplayPic();
  ~CGxDisplayPic() override;

  // Stores the icon (the previous one is not destroyed); TRUE for a non-null
  // handle. The control owns the icon it holds when it is destroyed.
  BOOL SetIcon(HICON icon);
  HICON GetIcon() const { return m_icon; }
  // The first icon of the file; FALSE (and no icon) when there is none.
  BOOL LoadIconFile(const char* path);

  CPictureHolder& Picture() { return m_picture; }
  // 0 clips the picture to its natural size, non-zero fills the client area.
  void SetFillRect(int fill) { m_fillRect = fill; }

  virtual void BeginModalState();
  virtual void EndModalState();

 protected:
  BOOL OnEraseBkgnd(CDC* dc);
  void OnPaint();

  DECLARE_MESSAGE_MAP()

 private:
  CPictureHolder m_picture;
  int m_fillRect = 0;
  HICON m_icon = nullptr;
};
