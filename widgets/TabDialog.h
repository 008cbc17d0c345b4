// CTabDialog: a container dialog that switches between child page dialogs
// with CShadeButtonST buttons acting as tabs, the current tab latched. Extra
// command buttons of the container deliver their clicks to the container's
// own parent, as WM_COMMAND with their control id, as if they belonged to it.
//
// Page i and tab button i share key i, in the order of adding; every button
// gets a position index (pages and extras added before it) that the host's
// tab strip reads, moves and lays out.
#pragma once

#include "platform/Platform.h"
#include "widgets/ShadeButtonST.h"

using CTabButtonMap = CMap<int, int, CShadeButtonST*, CShadeButtonST*>;

class CTabDialog : public CDialog {
 public:
  explicit CTabDialog(UINT nIDTemplate, CWnd* pParent = nullptr);
  ~CTabDialog() override = default;

  BOOL AddPage(CDialog* pPage, CShadeButtonST* pButton);
  BOOL AddExtraButton(CShadeButtonST* pButton);
  // Moves every page into the rectangle; the selected key's page is shown
  // and its tab button latched.
  void ArrangePages(const RECT& rcPage, WORD wReserved1, WORD wReserved2, int nSelected);

  int GetPageCount() const { return m_nPageCount; }
  int GetExtraCount() const { return m_nExtraCount; }
  // The button maps the host's tab strip walks: their sizes, and the button
  // under each key 0..size-1 (null when missing).
  int GetPageButtonCount() const { return static_cast<int>(m_mapButtons.GetCount()); }
  int GetExtraButtonCount() const { return static_cast<int>(m_mapExtraButtons.GetCount()); }
  CShadeButtonST* GetPageButton(int nKey) const;
  CShadeButtonST* GetExtraButton(int nKey) const;
  CDialog* GetPage(int nKey) const;

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  CMap<int, int, CDialog*, CDialog*> m_mapPages{10};
  CTabButtonMap m_mapButtons{10};
  CTabButtonMap m_mapExtraButtons{10};
  int m_nPageCount = 0;
  int m_nExtraCount = 0;
};
