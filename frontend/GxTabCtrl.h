// CGxTabCtrl: a tab control made from a static control. A row of skinned
// radio buttons (the labels) runs across its top; below them the window of
// the selected page. Pages are CGxTabPage dialogs owned by the caller and
// created from their templates the first time they are shown.
//
// A page switch shows the new page and hides the old one, then sends
// WM_TABPAGE_ENTER to the new page, WM_TABPAGE_LEAVE to the old one, and
// WM_NOTIFY GXTN_PAGECHANGED (a _notify_data record) to the parent.
#pragma once

#include <memory>
#include <vector>

#include "frontend/GxTabPage.h"
#include "frontend/PictureDraw.h"
#include "platform/Platform.h"
#include "skinvane/Skinvane.h"

// WM_NOTIFY code of a page switch.
#define GXTN_PAGECHANGED 0xFFFFF000u

class CGxTabCtrl : public CStatic, public CWndCommonAttr {
 public:
  // Control id of the first label; label i has id kFirstLabelId + i.
  static constexpr UINT kFirstLabelId = 4500;
  // Label layout: the first label's left edge, the gap between labels, and
  // how far the page reaches beyond the control's right edge.
  static constexpr int kFirstLabelLeft = 8;
  static constexpr int kLabelGap = 4;
  static constexpr int kPageRightOverhang = 7;

  // One page.
  struct _sheet_data {
    UINT templateId = 0;
    CGxTabPage* page = nullptr;                 // owned by the caller
    std::unique_ptr<CGxBtn_ChkRadio> button;  // the label
    BOOL hidden = FALSE;                        // the label is hidden
  };

  // The WM_NOTIFY record of a page switch; a page is NULL for an index
  // outside the control (the first selection has no old page).
  struct _notify_data {
    NMHDR hdr;
    CGxTabPage* newPage;
    int newIndex;
    CGxTabPage* oldPage;
    int oldIndex;
  };

  CGxTabCtrl();
  ~CGxTabCtrl() override;

  // Appends a page with a label (a radio button the control owns); the
  // label is handed out through `button` so the caller can skin it.
  virtual BOOL AddPage(const CString& label, CGxTabPage* page, UINT templateId, CGxBtn_ChkRadio** button = nullptr);
  // SendMessage(parent, WM_NOTIFY, own id, record); 0 without a parent.
  virtual LRESULT NotifyParent(_notify_data* data);
  // Whether a switch to `index` may happen now (always in this class).
  virtual BOOL CanSelectPage(int index);

  // Selects a page: the previous index, the same index when it is already
  // current, -1 when refused (out of range or CanSelectPage).
  int SetCurSel(int index);
  int GetCurSel() const { return m_curSel; }
  int SelectPage(CGxTabPage* page);
  // Creates the page window when needed, lays out when showing, shows or
  // hides the page and checks or unchecks its label.
  void ShowPage(int index, BOOL show);
  BOOL CreatePageWindow(int index);
  void CreateAllPageWindows();
  int FindPage(CGxTabPage* page) const;
  CGxTabPage* GetPage(int index) const;
  CGxTabPage* GetCurPage() const;
  int GetPageCount() const { return static_cast<int>(m_pages.size()); }
  BOOL IsPageHidden(CGxTabPage* page) const;
  // The label of a page, NULL out of range.
  CGxBtn_ChkRadio* GetLabel(int index) const;
  // Hides a label (moving off the page first when it is current) or shows
  // it again.
  void HideTab(int index);
  void ShowTab(int index);
  // Destroys the page window and the label and drops the page's entry; the
  // pages after it move down one index.
  void RemovePage(int index);
  void RemoveAllPages();
  // Places the visible labels left to right and the current page below them.
  void RecalcLayout();

  // The picture painted behind the pages (none by default); the control
  // owns it.
  void SetBkPicture(std::unique_ptr<CPictureDraw> picture);
  CPictureDraw* GetBkPicture() const { return m_bkPicture.get(); }

 protected:
  void PreSubclassWindow() override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  // The switch messages of a page change, in their fixed order.
  void OnPageSwitched(int oldIndex, int newIndex);
  void SendPageSwitch(UINT code, int oldIndex, int newIndex);

  BOOL OnEraseBkgnd(CDC* dc);
  void OnPaint();
  void OnDestroy();

  DECLARE_MESSAGE_MAP()

 private:
  bool InRange(int index) const { return index >= 0 && index < GetPageCount(); }

  // Label i carries its index as button data and id kFirstLabelId + i; the
  // first label starts the radio group.
  void NumberLabels();

  int m_curSel = -1;
  std::vector<_sheet_data> m_pages;
  std::unique_ptr<CPictureDraw> m_bkPicture;
};
