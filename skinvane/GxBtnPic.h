// CGxBtn_Pic: the picture button of the skinned dialogs.
#pragma once

#include "skinvane/GxBtnPub.h"

class CGxBtn_Pic : public CGxBtn_Pub {
 public:
  CGxBtn_Pic();
  ~CGxBtn_Pic() override;

  CRect Get_BTNSTATE_Offset(CRect& rect) override;
  void SetNormalAttr() override;
  void DrawFrame(CDC* dc) override;
  using CGxBtn_Pub::SetBtn_BKColor;
  // Picture buttons take no background colour.
  void SetBtn_BKColor(_BTNSTATE_Index state, COLORREF colour);

  // The picture strip with the transparent yellow, picture-only layout, the
  // auto size switch and, when given, a tooltip.
  void SetBtnAttr_Pic(const char* path, int frames, const char* tooltip, int autoSize);
  // A 3-D frame that rises on hover and sinks when pressed.
  void EnableSolidFrame(int solid) { m_solidFrame = solid; }

 protected:
  int m_solidFrame = 0;
};
