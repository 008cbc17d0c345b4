// CBitListBox: stands for the drop-down list window of a CGxComboBitmap; it
// paints its whole client area in one solid colour.
#pragma once

#include "platform/Platform.h"

class CBitListBox : public CListBox {
 public:
  ~CBitListBox() override;

 protected:
  void OnPaint();

  DECLARE_MESSAGE_MAP()
};
