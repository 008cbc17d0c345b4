// CWavorelDlg: the program's main window, a dialog cut to its skin. It holds
// the close button, the logo, the web link, the two mode radios and the host
// control (5000) onto which the tab control of the current mode is
// subclassed. It hides instead of closing, answers the tray menu and the
// messages between instances, and keeps the mode in "Setting"/"Mode".
#pragma once

#include "frontend/SystemTray.h"
#include "frontend/WavorelDlgIds.h"
#include "skinvane/Skinvane.h"

class CGxTabCtrl;

// Timers of the main dialog.
#define TIMER_AUTO_HIDE 99999
#define TIMER_REPAINT 1
#define TIMER_RADIOS 2

class CWavorelDlg : public CPolygonDialog {
 public:
  // Makes the tab control of a mode on the host control: constructs it,
  // subclasses the host with it and runs its initialisation. Null when it
  // cannot; the host then stays empty.
  typedef CGxTabCtrl* (*TableCreator)(CWnd* pHost);
  // The makers of the station and the AP tab control (none by default:
  // a mode without one leaves the host empty).
  static void SetTableCreators(TableCreator station, TableCreator ap);

  explicit CWavorelDlg(CWnd* pParent = nullptr);
  ~CWavorelDlg() override;

  // Shows, restores and brings the window to the front (back at its place
  // when it started hidden), or minimises and hides it.
  void ShowMainWindow(BOOL bShow);

  CGxTabCtrl* GetStationTable() const { return m_pStationTable; }
  CGxTabCtrl* GetAPTable() const { return m_pAPTable; }
  BOOL IsStationMode();

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;

  void OnSysCommand(UINT nID, LPARAM lParam);
  void OnPaint();
  HCURSOR OnQueryDragIcon();
  void OnDestroy();
  void OnTimer(UINT_PTR nIDEvent);
  void OnBtnClose();
  void OnWebLink();
  void OnExit();
  void OnShowMainUI();
  void OnCompanyWeb();
  void OnModeSwitch();
  LRESULT OnShowInstance(WPARAM wParam, LPARAM lParam);
  LRESULT OnEndInstance(WPARAM wParam, LPARAM lParam);
  LRESULT OnTrayMenuLanguage(WPARAM wParam, LPARAM lParam);
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  DECLARE_MESSAGE_MAP()

 private:
  void SkinModeRadio(CGxBtn_ChkRadio& radio, LPCTSTR lpszImageFile, LPCTSTR lpszTooltipKey);
  void CreateStationTable();
  void CreateAPTable();
  void DestroyStationTable();
  void DestroyAPTable();
  void DestroyTable(CGxTabCtrl*& pTable);
  void FitTableToClient(CGxTabCtrl* pTable);
  LRESULT OnPageChanged(NMHDR* pNotify);

  HICON m_hIcon = nullptr;
  CGxTabCtrl* m_pStationTable = nullptr;
  CGxTabCtrl* m_pAPTable = nullptr;
  CGxBtn_Pic m_btnClose;
  CGxBtn_Pic m_btnLogo;
  CGxBtn_Hotspot m_btnWeb;
  CGxStatic m_text1;
  CGxStatic m_text2;
  CGxBtn_ChkRadio m_radioStation;
  CGxBtn_ChkRadio m_radioAP;
  RECT m_rcAutoHide = {0, 0, 0, 0};
};
