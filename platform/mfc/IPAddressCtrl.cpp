#include "platform/mfc/IPAddressCtrl.h"

IMPLEMENT_DYNAMIC(CIPAddressCtrl, CWnd)

BOOL CIPAddressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create(WC_IPADDRESS, nullptr, dwStyle, rect, pParentWnd, nID);
}

int CIPAddressCtrl::GetAddress(BYTE& nField0, BYTE& nField1, BYTE& nField2, BYTE& nField3) const {
  DWORD address = 0;
  int filled = GetAddress(address);
  nField0 = static_cast<BYTE>(FIRST_IPADDRESS(address));
  nField1 = static_cast<BYTE>(SECOND_IPADDRESS(address));
  nField2 = static_cast<BYTE>(THIRD_IPADDRESS(address));
  nField3 = static_cast<BYTE>(FOURTH_IPADDRESS(address));
  return filled;
}
