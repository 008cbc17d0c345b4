// CSelCardDlg_AP: the modal dialog (template 216) in which the user picks the
// AP's adapter among several that match. The drop-down list shows each
// candidate's friendly name (or device description); four read-only texts
// show the selected one's description, hardware ID, location and maker. The
// caller sets the device information set and the candidates (member indexes
// of that set, in list order) before DoModal and reads GetResult after it.
#pragma once

#include "platform/Platform.h"

class CSelCardDlg_AP : public CDialog {
 public:
  static constexpr UINT IDD = 216;
  static constexpr int IDC_CARD_LIST = 6094;
  static constexpr int IDC_DEVICE_DESC = 6095;
  static constexpr int IDC_HARDWARE_ID = 6097;
  static constexpr int IDC_LOCATION = 1164;
  static constexpr int IDC_MANUFACTURER = 1167;

  explicit CSelCardDlg_AP(CWnd* pParent = nullptr);

  // The set whose entries are listed (not owned).
  void SetDevInfo(HDEVINFO devInfo) { m_hDevInfo = devInfo; }
  // The member index chosen with OK; -1 when the dialog ended otherwise.
  int GetResult() const { return m_nResult; }

  CDWordArray m_arrDevIndex;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnSelchangeCardList();

  DECLARE_MESSAGE_MAP()

 private:
  // The four properties of the set's member `index` into the texts.
  void ShowProperties(DWORD index);

  HDEVINFO m_hDevInfo = nullptr;
  CComboBox m_cardList;
  int m_nResult = -1;
};
