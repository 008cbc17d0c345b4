// CPageWMMDlg: the station's WMM page (template 343), a tab of the station
// host that the worker's bridge does not drive. It switches WMM, WMM power
// save (with one flag per access category) and Direct Link Setup, keeping
// each switch in the driver and in the driver key ("WMMCapable",
// "APSDCapable", "DLSCapable", "APSDAC_*": decimal texts). With DLS on it
// lists the driver's direct links (timer 1, every second while shown) and
// sets one up by peer MAC and timeout or tears the selected one down.
// Switching WMM re-applies the connection: through Native Wi-Fi in
// WavorelVista (vista/PageWMMApply.cpp), by driver codes in Wavorel
// (xp/station/status/PageWMMDlgXp.cpp).
// UI thread only.
#pragma once

#include <initializer_list>
#include <vector>

#include "platform/Platform.h"
#include "station/status/StationToolRecords.h"
#include "widgets/ButtonST.h"
#include "widgets/QuickList.h"
#include "widgets/ShadeButtonST.h"
#include "widgets/SmartEdit.h"

constexpr UINT IDD_PAGE_WMM = 343;
constexpr int IDC_WMM_STATUS = 1524;
constexpr int IDC_WMM_POWER_SAVE_STATUS = 1530;
constexpr int IDC_WMM_DLS_STATUS = 1535;
constexpr int IDC_WMM_ENABLE = 1592;
constexpr int IDC_WMM_POWER_SAVE = 1627;
constexpr int IDC_WMM_AC_BK = 1514;
constexpr int IDC_WMM_AC_BE = 1516;
constexpr int IDC_WMM_AC_VI = 1518;
constexpr int IDC_WMM_AC_VO = 1520;
constexpr int IDC_WMM_DLS = 1559;
constexpr int IDC_WMM_MAC_EDITS[6] = {1564, 1578, 1583, 1585, 1586, 1589};
constexpr int IDC_WMM_TIMEOUT = 1568;
constexpr int IDC_WMM_DLS_APPLY = 1572;
constexpr int IDC_WMM_DLS_TEAR_DOWN = 1605;
constexpr int IDC_WMM_DLS_LIST = 1602;
constexpr UINT IDS_WMM_ENABLED = 6264;
constexpr UINT IDS_WMM_DISABLED = 6263;
constexpr UINT_PTR kWmmTimer = 1;
constexpr UINT kWmmPeriodMs = 1000;
// The APSD word: bit 0 power save, then AC_BE, AC_BK, AC_VI, AC_VO.
constexpr DWORD kApsdPowerSave = 0x01;
constexpr DWORD kApsdAcBe = 0x02;
constexpr DWORD kApsdAcBk = 0x04;
constexpr DWORD kApsdAcVi = 0x08;
constexpr DWORD kApsdAcVo = 0x10;

// The DLS list's selected row (-1 after a click that found none) and the MAC
// text of the row the last click selected.
extern int g_nSelectedDlsRow;
extern CString g_strSelectedDlsMac;

class CPageWMMDlg : public CDialog {
 public:
  explicit CPageWMMDlg(CWnd* pParent = nullptr);
  ~CPageWMMDlg() override = default;

  BOOL OnInitDialog() override;

  // The three switches of the driver key into the flags (a value not there
  // leaves its flag); TRUE when the key opened.
  BOOL ReadWmmRegistryValues(int& powerSave, int& dls, int& wmm);
  // Each value whose write flag is 1 as "1" (value 1) or "0".
  static BOOL WriteWmmRegistryValues(int writePowerSave, int writeDls, int writeWmm, int powerSave, int dls, int wmm);
  // Sets each driver switch whose flag is 1 (3 tries each).
  static void SetWmmOids(int setApsd, int setDls, int setWmm, DWORD apsdWord, DWORD dlsFlag, BYTE wmmFlag);
  void UpdateWmmControls();
  // WMM switched from check 1592: the controls, the driver key and the
  // driver's switches, the connection re-applied, the site survey rescanned.
  void OnWmmApply();
  // The connection made again under the new switches (per build). WavorelVista:
  // a Native Wi-Fi connection dropped and, when a stored profile made it,
  // made again by that profile. Wavorel: ReassociateByOids.
  void ReapplyConnection();
  // The adapter associates again with the SSID it has (disassociate, then the
  // same SSID set), and the CCX control word of the driver key is restored.
  void ReassociateByOids();
  // Timer 1: the driver's link table into the list.
  void RefreshDlsList();

  const std::vector<DlsLinkEntry>& GetLinks() const { return m_links; }
  CQuickList& GetDlsList() { return m_listDls; }
  UINT_PTR GetTimerId() const { return m_nTimer; }

  // The page's members, in this order.
  BYTE m_adapterMac[6] = {};
  int m_bAcBe = 0;
  int m_bAcBk = 0;
  int m_bAcVi = 0;
  int m_bAcVo = 0;
  CString m_strWmmStatus;
  CString m_strPowerSaveStatus;
  CString m_strDlsStatus;
  CString m_strMacBytes[6];
  CString m_strTimeout = "60";
  int m_bWmm = 0;
  int m_bDls = 0;
  int m_bPowerSave = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnBnClickedDlsSetup();
  void OnTimer(UINT_PTR nIDEvent);
  void OnBnClickedDlsTearDown();
  void OnDlsListClick(NMHDR* pNMHDR, LRESULT* pResult);
  void OnBnClickedPowerSaveEnable();
  void OnDlsListDblClick(NMHDR* pNMHDR, LRESULT* pResult);
  void OnDestroy();
  void OnBnClickedDlsEnable();
  void OnBnClickedApsdAc();
  LRESULT OnQuickListGetItem(WPARAM wParam, LPARAM lParam);
  void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  // A string-table text through the language library.
  static CString LoadText(UINT id);
  void EnableIds(std::initializer_list<int> ids, BOOL enable);
  void EnableDlsControls(BOOL enable);
  void EnableAcControls(BOOL enable);
  // The selected row of the list into g_nSelectedDlsRow: the row, or -1.
  int TakeSelectedDlsRow();
  // The APSD word from the driver (0 when the query fails).
  DWORD QueryApsdWord();
  void SetApsdWord(DWORD word);
  void WriteWmmValue(LPCSTR name, int value);

  std::vector<DlsLinkEntry> m_links;
  CButtonST m_checkWmm, m_checkPowerSave, m_checkAcBk, m_checkAcBe, m_checkAcVi, m_checkAcVo, m_checkDls;
  CSmartEdit m_editMac[6];
  CSmartEdit m_editTimeout;
  CShadeButtonST m_btnDlsApply, m_btnDlsTearDown;
  CQuickList m_listDls;
  UINT_PTR m_nTimer = 0;
};
