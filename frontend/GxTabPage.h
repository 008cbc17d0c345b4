// CGxTabPage: one page of a CGxTabCtrl, a skinned modeless dialog created
// from its template the first time the tab control shows it. Enter and
// Escape on a page act on the dialog that holds the tab control.
#pragma once

#include "platform/Platform.h"
#include "skinvane/Skinvane.h"

// Sent (wParam 0, lParam 0) to the page that comes to the front and to the
// page that leaves it, in that order, after the switch is visible.
#define WM_TABPAGE_ENTER (WM_USER + 502)
#define WM_TABPAGE_LEAVE (WM_USER + 503)

class CGxTabPage : public CPolygonDialog {
 public:
  CGxTabPage(UINT templateId, CWnd* parent);
  ~CGxTabPage() override;

  // The dialog's initialisation, then the window texts in the user's language.
  BOOL OnInitDialog() override;

 protected:
  // Pass IDOK / IDCANCEL to the parent of the page's parent.
  void OnOK() override;
  void OnCancel() override;

  DECLARE_MESSAGE_MAP()

 private:
  void CommandToHolder(UINT command);
};
