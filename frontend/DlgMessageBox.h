// CDlgMessageBox: the skinned message box, cut to "Skin\DlgMessageBox.bmp":
// a type icon, a caption line, a text, OK or Yes/No, and a close button.
// Callers use SkinMessageBox; the dialog shown last is the current one until
// it closes (a box opened from inside another hands the place back when it
// closes).
#pragma once

#include "frontend/GxDisplayPic.h"
#include "frontend/MessageBoxIds.h"
#include "platform/Platform.h"
#include "skinvane/Skinvane.h"

class CDlgMessageBox : public CPolygonDialog {
 public:
  enum { IDD = IDD_DLG_MESSAGEBOX };

  explicit CDlgMessageBox(CWnd* parent = nullptr);
  ~CDlgMessageBox() override;

  // The message box on screen, null when none is open. The main dialog ends
  // it with EndDialog(IDCANCEL) before the program exits.
  static CDlgMessageBox* GetCurrent();

  CGxEdit m_editCaption;
  CGxDisplayPic m_picIcon;
  CGxBtn_Pic m_btnClose;
  CGxEdit m_editText;
  CGxBtn_Pic m_btnOK;
  CGxBtn_Pic m_btnYes;
  CGxBtn_Pic m_btnNo;
  // The caller's MB_* flags; the icon index (0 information, 1 warning,
  // 2 question, 3 error) after initialisation.
  int m_nType = 0;
  CString m_strCaption;
  CString m_strText;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnYes();
  void OnNo();
  void OnDestroy();

  DECLARE_MESSAGE_MAP()

 private:
  void Unlist();

  // The box that was current when this one opened.
  CDlgMessageBox* m_outer = nullptr;
};
