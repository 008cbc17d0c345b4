// CSelCardDlg: the modal dialog in which the user picks one of several
// matching adapters. The combo box lists the candidates by friendly name (or
// device description); the four edits show the selected one's description,
// hardware ID, location and manufacturer. The caller sets the device
// information set and fills m_arrDevIndex (member indexes within that set,
// in list order) before DoModal, and reads GetSelectedRow afterwards.
#pragma once

#include "platform/Platform.h"
#include "widgets/ComboBoxSuper.h"

class CSelCardDlg : public CDialog {
 public:
  static constexpr UINT IDD = 193;
  static constexpr int IDC_CARD_LIST = 1153;
  static constexpr int IDC_DEVICE_DESC = 1156;
  static constexpr int IDC_HARDWARE_ID = 1160;
  static constexpr int IDC_LOCATION = 1163;
  static constexpr int IDC_MANUFACTURER = 1166;

  explicit CSelCardDlg(CWnd* pParent = nullptr);

  // The set whose entries are listed (not owned).
  void SetDevInfo(HDEVINFO devInfo) { m_hDevInfo = devInfo; }
  // The row that was selected when the dialog closed (-1: none).
  int GetSelectedRow() const { return m_nSelectedRow; }

  CDWordArray m_arrDevIndex;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnSelchangeCardList();
  void OnDestroy();

  DECLARE_MESSAGE_MAP()

 private:
  // The four properties of the set's device `index` into the texts.
  void ReadProperties(DWORD index);
  // The device's friendly name, else its description.
  CString DeviceName(DWORD index);

  HDEVINFO m_hDevInfo = nullptr;
  CComboBoxSuper m_cardList;
  CString m_strDeviceDesc;
  CString m_strHardwareId;
  CString m_strLocation;
  CString m_strManufacturer;
  int m_nSelectedRow = -1;
};
