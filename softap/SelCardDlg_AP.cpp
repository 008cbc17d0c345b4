#include "softap/SelCardDlg_AP.h"

#include "worker/DeviceProperty.h"

BEGIN_MESSAGE_MAP(CSelCardDlg_AP, CDialog)
  ON_CBN_SELCHANGE(CSelCardDlg_AP::IDC_CARD_LIST, &CSelCardDlg_AP::OnSelchangeCardList)
END_MESSAGE_MAP()

CSelCardDlg_AP::CSelCardDlg_AP(CWnd* pParent) : CDialog(IDD, pParent) {}

void CSelCardDlg_AP::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_CARD_LIST, m_cardList);
}

void CSelCardDlg_AP::ShowProperties(DWORD index) {
  SP_DEVINFO_DATA device{sizeof device, {}, 0, 0};
  const BOOL found = SetupDiEnumDeviceInfo(m_hDevInfo, index, &device);
  SetDlgItemText(IDC_DEVICE_DESC, found ? DevicePropertyText(m_hDevInfo, &device, SPDRP_DEVICEDESC) : CString());
  SetDlgItemText(IDC_HARDWARE_ID, found ? DevicePropertyText(m_hDevInfo, &device, SPDRP_HARDWAREID) : CString());
  SetDlgItemText(IDC_LOCATION, found ? DevicePropertyText(m_hDevInfo, &device, SPDRP_LOCATION_INFORMATION) : CString());
  SetDlgItemText(IDC_MANUFACTURER, found ? DevicePropertyText(m_hDevInfo, &device, SPDRP_MFG) : CString());
}

BOOL CSelCardDlg_AP::OnInitDialog() {
  CDialog::OnInitDialog();
  // Nothing to choose from: the dialog offers no row and OK chooses none.
  if (!IsValidDeviceInfoSet(m_hDevInfo) || m_arrDevIndex.GetSize() < 1) return FALSE;
  for (INT_PTR i = 0; i < m_arrDevIndex.GetSize(); ++i) {
    SP_DEVINFO_DATA device{sizeof device, {}, 0, 0};
    CString name;
    if (SetupDiEnumDeviceInfo(m_hDevInfo, m_arrDevIndex[i], &device)) {
      name = DevicePropertyText(m_hDevInfo, &device, SPDRP_FRIENDLYNAME);
      if (name.IsEmpty()) name = DevicePropertyText(m_hDevInfo, &device, SPDRP_DEVICEDESC);
    }
    m_cardList.AddString(name);
  }
  ShowProperties(m_arrDevIndex[0]);
  m_cardList.SetCurSel(0);
  return TRUE;
}

void CSelCardDlg_AP::OnSelchangeCardList() {
  const int row = m_cardList.GetCurSel();
  if (row >= 0 && row < m_arrDevIndex.GetSize()) ShowProperties(m_arrDevIndex[row]);
}

void CSelCardDlg_AP::OnOK() {
  const int row = m_cardList.GetCurSel();
  if (row >= 0 && row < m_arrDevIndex.GetSize()) m_nResult = static_cast<int>(m_arrDevIndex[row]);
  EndDialog(IDOK);
}
