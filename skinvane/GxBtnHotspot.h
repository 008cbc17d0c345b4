// CGxBtn_Hotspot: a text link button without a picture: hand cursor, a text
// colour per state, and a visited colour after the first click.
#pragma once

#include "skinvane/GxBtnPub.h"

class CGxBtn_Hotspot : public CGxBtn_Pub {
 public:
  CGxBtn_Hotspot();
  ~CGxBtn_Hotspot() override;

  void SetNormalAttr() override;
  using CGxBtn_Pub::SetBtn_PicBmp;
  // A hotspot takes no picture.
  virtual int SetBtn_PicBmp(int frames, int unused, COLORREF mask, const char* path);
};
