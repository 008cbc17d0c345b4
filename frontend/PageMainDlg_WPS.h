// CPageMainDlg_WPS: the WPS page of the station tab control: the access
// points that offer WPS, the credentials obtained so far, the station's PIN,
// the progress of a running exchange and the buttons PIN, PBC, Renew,
// Rescan, Connect and Disconnect. Every action is a bridge command to the
// worker; the tab control fills the page from the worker's reports.
#pragma once

#include "frontend/GxTabPage.h"
#include "frontend/ListFrame.h"

class CPageMainDlg_WPS : public CGxTabPage {
 public:
  // The buttons whose enable state the worker sets (codes 91 to 96).
  enum Button { kRenew, kRescan, kPbc, kConnect, kDisconnect, kPin, kButtonCount };
  // Row images of "WpaProfileListItem.bmp".
  enum { kImagePlain = 0, kImageState0 = 1, kImageState1 = 2 };

  explicit CPageMainDlg_WPS(CWnd* pParent = nullptr);
  ~CPageMainDlg_WPS() override;

  BOOL OnInitDialog() override;

  // Rows "ID TAB SSID TAB channel" joined by "\r\n".
  void FillWpsApRows(const CString& text);
  // The bar at the value; 1..99 shows it, 0 and 100 hide it 3 s later.
  void SetWpsProgress(const CString& text);
  // Rows "SSID TAB MAC" joined by "\r\n", all with the plain image.
  void FillWpsProfileRows(const CString& text);
  // The low 16 bits name a row, the high 16 bits (signed) its state.
  void MarkWpsProfileRow(const CString& text);
  void ResetWpsProfileImages();

  // The stored configuration mode and PIN, moved to the controls with
  // UpdateData(FALSE) when the window exists.
  void SetConfigMode(int nMode);
  void SetPinCode(const CString& pin);
  int GetConfigMode() const { return m_nConfigMode; }
  // Keeps the flag and applies it when the button exists.
  void SetButtonEnable(Button button, BOOL bEnable);

  CSortListCtrl& GetApList() { return m_listAp; }
  CSortListCtrl& GetProfileList() { return m_listProfile; }
  CProgressST& GetProgress() { return m_progress; }
  CWnd& GetButton(Button button);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnTimer(UINT_PTR nIDEvent);
  void OnConfigModeChange();
  void OnRenew();
  void OnRescan();
  void OnPbc();
  void OnConnect();
  void OnDisconnect();
  void OnPin();
  LRESULT OnListClick(WPARAM wParam, LPARAM lParam);

  DECLARE_MESSAGE_MAP()

 private:
  void RepaintMainWindow();

  CGxStatic m_desc;
  CGxStatic m_captionAp;
  CGxStatic m_captionProfile;
  CListFrame m_frameAp;
  CListFrame m_frameProfile;
  CSortListCtrl m_listAp;
  CSortListCtrl m_listProfile;
  CGxGroupBox m_groupPin;
  CGxEdit m_editPin;
  CGxBtn_Pic m_btnPin;
  CGxBtn_Pic m_btnPbc;
  CGxBtn_Pic m_btnRenew;
  CGxBtn_Hotspot m_btnRescan;
  CGxBtn_Hotspot m_btnConnect;
  CGxBtn_Hotspot m_btnDisconnect;
  CComboBox m_comboMode;
  CProgressST m_progress;
  int m_nConfigMode = 0;
  CString m_strPin;
  BOOL m_enable[kButtonCount] = {TRUE, TRUE, TRUE, TRUE, TRUE, TRUE};
};
