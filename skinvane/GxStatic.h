// CGxStatic: the text label of the skinned pages. Transparent by default (the
// parent's skin shows behind the text), coloured through the attribute part,
// with an optional tooltip, cursor and one data word.
#pragma once

#include "platform/Platform.h"
#include "skinvane/WndCommonAttr.h"

class CGxStatic : public CStatic, public CWndCommonAttr {
 public:
  CGxStatic();
  ~CGxStatic() override;

  void SetAppendData(DWORD data) { m_appendData = data; }
  DWORD GetAppendData() const { return m_appendData; }
  // Hides and shows the window, so a transparent label is repainted over a
  // fresh parent background.
  void Refresh();
  // The window text's extent in the attribute font (the window's font when
  // none was set).
  CSize GetTextSize();

  // Also gives the label SS_NOTIFY, so it receives the mouse messages the
  // tooltip needs.
  void SetToolTipText(const CString& text, int activate) override;
  void GxInvalidate(int erase) override;

  BOOL PreTranslateMessage(MSG* msg) override;

 protected:
  void PreSubclassWindow() override;
  HBRUSH CtlColor(CDC* dc, UINT ctlColor);
  BOOL OnEraseBkgnd(CDC* dc);
  BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
  LRESULT OnSetText(WPARAM wParam, LPARAM lParam);

  DECLARE_MESSAGE_MAP()

 private:
  DWORD m_appendData = 0;
};
