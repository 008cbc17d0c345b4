// CPropertySheet: a dialog holding CPropertyPage pages, one shown at a time,
// with OK, Cancel, Apply (unless PSH_NOAPPLYNOW) and a hidden Help button
// (IDHELP; shown with PSH_HASHELP) under the page area. Modal (DoModal) or
// modeless (Create).
//
// A tab control (GetTabControl) holds one tab per page with the page's
// caption, follows AddPage, RemovePage and SetActivePage, and the pages sit
// in its display area. A click on a tab switches pages as SetActivePage
// does: the active page's OnKillActive may refuse (TCN_SELCHANGING), then the
// new page's OnSetActive (TCN_SELCHANGE).
//
// OK: the active page's OnKillActive, then OnApply of every page that has a
// window; then the sheet ends (modal) or is destroyed (modeless). Cancel:
// OnReset of those pages, then the same. Apply: OnKillActive and OnApply,
// and the Apply button is disabled. WM_CLOSE is Cancel.
#pragma once

#include "platform/mfc/Array.h"
#include "platform/mfc/PropertyPage.h"
#include "platform/mfc/TabCtrl.h"

// PROPSHEETHEADER flags used here.
#define PSH_DEFAULT 0x00000000
#define PSH_USEHICON 0x00000002
#define PSH_NOAPPLYNOW 0x00000080
#define PSH_HASHELP 0x00000200
#define PSH_MODELESS 0x00000400
#define ID_APPLY_NOW 0x3021
#define AFX_IDC_TAB_CONTROL 0x3020

struct PROPSHEETHEADER {
  DWORD dwSize = sizeof(PROPSHEETHEADER);
  DWORD dwFlags = PSH_DEFAULT;
  HWND hwndParent = nullptr;
  HINSTANCE hInstance = nullptr;
  HICON hIcon = nullptr;
  LPCSTR pszCaption = nullptr;
  UINT nPages = 0;
  UINT nStartPage = 0;
};

class CPropertySheet : public CWnd {
  DECLARE_DYNAMIC(CPropertySheet)

 public:
  explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

  PROPSHEETHEADER m_psh;

  // Modeless. dwStyle -1: WS_SYSMENU | WS_POPUP | WS_CAPTION | DS_MODALFRAME |
  // DS_CONTEXTHELP | WS_VISIBLE.
  virtual BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = static_cast<DWORD>(-1), DWORD dwExStyle = 0);
  // Modal: IDOK or IDCANCEL; -1 when the sheet cannot be made.
  virtual INT_PTR DoModal();

  void AddPage(CPropertyPage* pPage);
  void RemovePage(CPropertyPage* pPage);
  void RemovePage(int nPage);
  int GetPageCount() const;
  CPropertyPage* GetPage(int nPage) const;
  int GetPageIndex(CPropertyPage* pPage) const;
  // The shown page; before the window exists, the start page.
  CPropertyPage* GetActivePage() const;
  int GetActiveIndex() const;
  // FALSE when the index is out of range or the active page refuses to go.
  BOOL SetActivePage(int nPage);
  BOOL SetActivePage(CPropertyPage* pPage);
  void SetTitle(LPCTSTR lpszText);
  // The tab strip; its m_hWnd is null while the sheet has no window.
  CTabCtrl* GetTabControl() const;

  virtual BOOL OnInitDialog();
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  void OnClose();

 protected:
  DECLARE_MESSAGE_MAP()

 private:
  friend class CPropertyPage;
  BOOL CreateSheet(HWND hWndParent, DWORD dwStyle, DWORD dwExStyle);
  RECT PageRect() const;
  // Switches pages with no refusal check (the active page has let go).
  void ShowPage(int nPage);
  void Finish(int nResult);
  void PageModified();
  void InsertTab(int nPage);

  CString m_strCaption;
  CWnd* m_pParentWnd;
  CArray<CPropertyPage*, CPropertyPage*> m_pages;
  int m_nActive = -1;
  BOOL m_bModeless = FALSE;
  mutable CTabCtrl m_tabCtrl;
};
