// CDlgOneSiteEditor: the visible editor of one station profile, a
// caption-less dialog cut to its skin, with the pages "Site Status" and
// "Security Setting". The worker's hidden editors fill it field by field;
// OK validates the pages and sends every field back, then presses the
// hidden editor's OK. It serves as the profile editor (both pages, kind 1)
// and as the security editor before a secured connection (the security page
// only, kind 0). It is never destroyed by OK or Cancel, only hidden.
#pragma once

#include "frontend/GxTabCtrl.h"
#include "frontend/PageSite_Info.h"
#include "frontend/PageSite_Security.h"
#include "skinvane/Skinvane.h"

class CDlgOneSiteEditor : public CPolygonDialog {
 public:
  enum { kSecurityEditor = 0, kProfileEditor = 1 };

  CDlgOneSiteEditor();
  ~CDlgOneSiteEditor() override;

  // Shows the editor and brings it to the front; the first show gives it
  // its place (centred) and drops the tool-window style.
  void ShowEditor();
  // Cancel, OK and the close button in the skin's bottom and top right
  // corners; the tab control across, above the buttons.
  void LayoutButtons();

  // Code 35: both pages, "Site Status" on top, kind 1. With the tab
  // control's save-without-showing flag set, the flag is cleared and OK is
  // pressed at once: the editor shows only when a page fails.
  void OpenAsProfileEditor(int& nSaveWithoutShowing);
  // Code 40: the security page alone, kind 0.
  void OpenAsSecurityEditor();

  int GetEditorKind() const { return m_nEditorKind; }
  CGxTabCtrl& GetTab() { return m_tab; }
  CPageSite_Info& GetInfoPage() { return m_pageInfo; }
  CPageSite_Security& GetSecurityPage() { return m_pageSecurity; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;

  DECLARE_MESSAGE_MAP()

 private:
  void OnOkButton();
  void OnCancelButton();
  // Shows the editor on the page that failed, without the first-show placement.
  void ShowFailedPage();

  CGxTabCtrl m_tab;
  CGxBtn_Pic m_btnClose;
  CGxBtn_Pic m_btnOK;
  CGxBtn_Pic m_btnCancel;
  CPageSite_Info m_pageInfo;
  CPageSite_Security m_pageSecurity;
  CGxStatic m_title;
  HICON m_hIcon = nullptr;
  CRect m_rcFirstShow;
  int m_nEditorKind = kProfileEditor;
};
