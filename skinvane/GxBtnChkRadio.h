// CGxBtn_ChkRadio: a skinned check box or radio button drawn from a strip of
// six images (see the state index below). It keeps its own checked state,
// unchecks the other radios of its dialog group, and tells its parent of each
// change with WM_NOTIFY GXBN_CHECKCHANGED.
#pragma once

#include "skinvane/GxBtnPic.h"

// The change notification, sent synchronously with a _notify_data record.
#define GXBN_CHECKCHANGED 0xFFFFEFFFu
// Asks a radio of the group to uncheck itself (wParam and lParam 0).
#define WM_GX_RADIO_UNCHECK 0x900

class CGxBtn_ChkRadio : public CGxBtn_Pic {
 public:
  // The state index of the six-image strip.
  enum {
    CHKSTATE_UNCHECKED = 0,
    CHKSTATE_UNCHECKED_HOVER = 1,
    CHKSTATE_CHECKED = 2,
    CHKSTATE_CHECKED_HOVER = 3,
    CHKSTATE_DISABLED_UNCHECKED = 4,
    CHKSTATE_DISABLED_CHECKED = 5
  };
  // The button types after Init: BS_AUTOCHECKBOX becomes the check box,
  // BS_AUTORADIOBUTTON the radio.
  static constexpr UINT kCheckBoxType = 2;
  static constexpr UINT kRadioType = 4;

  struct _notify_data {
    NMHDR hdr;
    CGxBtn_ChkRadio* button;
  };

  CGxBtn_ChkRadio();
  ~CGxBtn_ChkRadio() override;

  // Takes the strip file if it exists; the next paint loads it.
  void SetBmpFile(const char* path);

  void DrawItem(LPDRAWITEMSTRUCT drawItem) override;
  void SetNormalAttr() override;
  int Get_BTNSTATE_Index() override;
  void Init() override;

 protected:
  LRESULT OnSetCheck(WPARAM check, LPARAM);
  LRESULT OnGetCheck(WPARAM, LPARAM);
  LRESULT OnRadioUncheck(WPARAM, LPARAM);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnKeyDown(UINT key, UINT repeat, UINT flags);
  UINT OnGetDlgCode();

  DECLARE_MESSAGE_MAP()

 private:
  // BM_SETCHECK, then the notification.
  void SetCheckGx(int check);
  void NotifyParent();
  // The click or space bar: a check box toggles, a radio checks.
  void UserAction();
  // The check state the control's own procedure holds.
  int ControlCheck();

  int m_checked = 0;
  CString m_stripFile;
};
