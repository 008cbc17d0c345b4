// CPropertyPage: one page of a CPropertySheet, made from a dialog template.
// Its window is created (a control-parent child of the sheet, without the
// template's caption) only when the sheet first activates it; the caption
// is the string nIDCaption, else the template's caption.
#pragma once

#include "platform/mfc/Dialog.h"

class CPropertySheet;

class CPropertyPage : public CDialog {
  DECLARE_DYNAMIC(CPropertyPage)

 public:
  explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
  explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

  // The sheet is switching to this page: the data goes to the controls
  // (UpdateData(FALSE)) except on the first activation, which OnInitDialog
  // has done. FALSE keeps the page from showing.
  virtual BOOL OnSetActive();
  // The sheet is leaving this page: UpdateData(TRUE); FALSE keeps the page.
  virtual BOOL OnKillActive();
  // OK or Apply: OnOK(); TRUE.
  virtual BOOL OnApply();
  // Cancel: OnCancel().
  virtual void OnReset();
  // A page ends nothing itself: these do nothing here.
  void OnOK() override;
  void OnCancel() override;
  // Enables (or, when no page is modified, disables) the sheet's Apply button.
  void SetModified(BOOL bChanged = TRUE);
  BOOL IsModified() const { return m_bModified; }

  CString GetCaption() const;

 private:
  friend class CPropertySheet;
  // Makes the page window inside the sheet at `place` (sheet client pixels).
  BOOL CreatePage(CPropertySheet* pSheet, const RECT& place);
  // The template size in dialog units.
  SIZE TemplateSize() const;

  UINT m_nIDCaption = 0;
  BOOL m_bFirstSetActive = TRUE;
  BOOL m_bModified = FALSE;
  CPropertySheet* m_pSheet = nullptr;
};
