// CGxGroupBox: a group frame coloured through the attribute part.
#pragma once

#include "platform/Platform.h"
#include "skinvane/WndCommonAttr.h"

class CGxGroupBox : public CButton, public CWndCommonAttr {
 public:
  CGxGroupBox();
  ~CGxGroupBox() override;

  // Colour and brush as the attribute part sets them, then opaque.
  void SetBkColorGx(COLORREF colour) override;

 protected:
  void PreSubclassWindow() override;
  int OnCreate(LPCREATESTRUCT create);
  HBRUSH CtlColor(CDC* dc, UINT ctlColor);
  BOOL OnEraseBkgnd(CDC* dc);

  DECLARE_MESSAGE_MAP()

 private:
  // Makes the button a group box with the GUI font, once.
  void InitGroupBox();

  int m_initialised = 0;
};
