#include "worker/SelCardDlg.h"

#include "worker/DeviceProperty.h"

BEGIN_MESSAGE_MAP(CSelCardDlg, CDialog)
  ON_CBN_SELCHANGE(CSelCardDlg::IDC_CARD_LIST, &CSelCardDlg::OnSelchangeCardList)
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CSelCardDlg::CSelCardDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

void CSelCardDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_CARD_LIST, m_cardList);
  DDX_Text(pDX, IDC_DEVICE_DESC, m_strDeviceDesc);
  DDX_Text(pDX, IDC_HARDWARE_ID, m_strHardwareId);
  DDX_Text(pDX, IDC_LOCATION, m_strLocation);
  DDX_Text(pDX, IDC_MANUFACTURER, m_strManufacturer);
}

CString CSelCardDlg::DeviceName(DWORD index) {
  SP_DEVINFO_DATA device{sizeof device, {}, 0, 0};
  if (!SetupDiEnumDeviceInfo(m_hDevInfo, index, &device)) return CString();
  CString name = DevicePropertyText(m_hDevInfo, &device, SPDRP_FRIENDLYNAME);
  if (name.IsEmpty()) name = DevicePropertyText(m_hDevInfo, &device, SPDRP_DEVICEDESC);
  return name;
}

void CSelCardDlg::ReadProperties(DWORD index) {
  SP_DEVINFO_DATA device{sizeof device, {}, 0, 0};
  const BOOL found = SetupDiEnumDeviceInfo(m_hDevInfo, index, &device);
  m_strDeviceDesc = found ? DevicePropertyText(m_hDevInfo, &device, SPDRP_DEVICEDESC) : CString();
  m_strHardwareId = found ? DevicePropertyText(m_hDevInfo, &device, SPDRP_HARDWAREID) : CString();
  m_strLocation = found ? DevicePropertyText(m_hDevInfo, &device, SPDRP_LOCATION_INFORMATION) : CString();
  m_strManufacturer = found ? DevicePropertyText(m_hDevInfo, &device, SPDRP_MFG) : CString();
}

BOOL CSelCardDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (m_arrDevIndex.GetSize() < 1) AfxThrowInvalidArgException();
  if (!IsValidDeviceInfoSet(m_hDevInfo)) return FALSE;
  m_cardList.SetColumnCount(1);
  m_cardList.SetColumnWidth(0, 200);
  for (INT_PTR i = 0; i < m_arrDevIndex.GetSize(); ++i) {
    m_cardList.AddString(DeviceName(m_arrDevIndex[i]));
    if (i == 0) ReadProperties(m_arrDevIndex[0]);
  }
  m_cardList.SetCurSel(0);
  UpdateData(FALSE);
  return TRUE;
}

void CSelCardDlg::OnSelchangeCardList() {
  const int row = m_cardList.GetCurSel();
  if (row < 0 || row >= m_arrDevIndex.GetSize()) AfxThrowInvalidArgException();
  ReadProperties(m_arrDevIndex[row]);
  UpdateData(FALSE);
}

void CSelCardDlg::OnDestroy() {
  if (m_cardList.GetSafeHwnd()) m_nSelectedRow = m_cardList.GetCurSel();
  CDialog::OnDestroy();
}
