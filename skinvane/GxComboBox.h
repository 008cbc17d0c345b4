// CGxComboBox: a colour-skinned combo box with the common attributes and a
// switch that makes it read-only (mouse clicks and keys are ignored).
#pragma once

#include "platform/Platform.h"
#include "skinvane/WndCommonAttr.h"

class CGxComboBox : public CComboBox, public CWndCommonAttr {
 public:
  CGxComboBox();
  ~CGxComboBox() override;

  int EnableEditing(int enable);
  BOOL PreTranslateMessage(MSG* msg) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  virtual void SetFont(CFont* font, int redraw);

 protected:
  int OnCreate(LPCREATESTRUCT create);
  HBRUSH CtlColor(CDC* dc, UINT ctlColor);

  DECLARE_MESSAGE_MAP()

 private:
  int m_editing = 1;
};
