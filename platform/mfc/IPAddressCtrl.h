// CIPAddressCtrl: the IP address control.
#pragma once

#include "platform/mfc/Wnd.h"
#include "platform/win/commctrl/IpAddress.h"

class CIPAddressCtrl : public CWnd {
  DECLARE_DYNAMIC(CIPAddressCtrl)

 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  BOOL IsBlank() const { return static_cast<BOOL>(SendMessage(IPM_ISBLANK)); }
  void ClearAddress() { SendMessage(IPM_CLEARADDRESS); }
  void SetAddress(DWORD dwAddress) { SendMessage(IPM_SETADDRESS, 0, static_cast<LPARAM>(dwAddress)); }
  void SetAddress(BYTE nField0, BYTE nField1, BYTE nField2, BYTE nField3) {
    SendMessage(IPM_SETADDRESS, 0, MAKEIPADDRESS(nField0, nField1, nField2, nField3));
  }
  // Both return the number of fields that are not blank.
  int GetAddress(DWORD& dwAddress) const {
    return static_cast<int>(SendMessage(IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&dwAddress)));
  }
  int GetAddress(BYTE& nField0, BYTE& nField1, BYTE& nField2, BYTE& nField3) const;
  void SetFieldRange(int nField, BYTE nLower, BYTE nUpper) {
    SendMessage(IPM_SETRANGE, static_cast<WPARAM>(nField), MAKEIPRANGE(nLower, nUpper));
  }
  void SetFieldFocus(WORD nField) { SendMessage(IPM_SETFOCUS, nField); }
};
