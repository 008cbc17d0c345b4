// CPageMainDlg_SiteSurvey: the site-survey page of the station tab control:
// the networks of the last scan (SSID, signal, a signal picture), the
// details of the selected one, Connect, Refresh and the hidden Save (add the
// network to the profiles). It only sends bridge commands; the tab control
// fills it from the worker's reports.
#pragma once

#include <vector>

#include "frontend/GxTabPage.h"
#include "frontend/ListFrame.h"

class CPageMainDlg_SiteSurvey : public CGxTabPage {
 public:
  // "NetSignal.bmp" holds five signal levels, then the same five marked as
  // the network of the current connection.
  static constexpr int kLevelCount = 5;

  explicit CPageMainDlg_SiteSurvey(CWnd* pParent = nullptr);
  ~CPageMainDlg_SiteSurvey() override;

  BOOL OnInitDialog() override;

  // The image of a network: its signal level (signal percent cut to 0..100),
  // plus kLevelCount for the connected one.
  static int SignalImage(int percent, BOOL bConnected);

  // The whole list: rows of seven TAB-separated fields (0 SSID, 1 connected
  // flag, 6 signal percent) joined by "\r\n"; kept until the window exists.
  // Refresh comes back with it.
  void FillSurveyRows(const CString& text);
  // The row gets the connected variant of its image, the others the plain one.
  void MarkConnectedRow(int row);
  // "row TAB SSID TAB address TAB encryption TAB channel TAB network type":
  // the details of a row in range, then the worker is asked about Connect.
  void ShowBssDetail(const CString& text);
  // No rows and blank details (the link or the adapter is lost).
  void ClearSurvey();

  // The station tab control's survey-save flag, cleared when the page is left.
  void SetSaveFlag(int* pFlag) { m_pSaveFlag = pFlag; }
  // The row last clicked or double-clicked; -1 before any.
  int GetClickedRow() const { return m_nClickedRow; }
  CSortListCtrl& GetList() { return m_list; }
  CGxBtn_Pic& GetConnectButton() { return m_btnConnect; }
  CGxBtn_Pic& GetSaveButton() { return m_btnSave; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnConnect();
  void OnRefresh();
  void OnSave();
  LRESULT OnListClick(WPARAM wParam, LPARAM lParam);
  void OnListDblClk(NMHDR* pNotify, LRESULT* pResult);
  LRESULT OnTabPageLeave(WPARAM wParam, LPARAM lParam);

  DECLARE_MESSAGE_MAP()

 private:
  struct PendingRow {
    CString ssid;
    int signal;
    BOOL connected;
  };
  void AppendRow(const PendingRow& row);
  void BlankDetails();

  CGxStatic m_desc;
  CGxStatic m_captionSsid;
  CGxStatic m_captionSignal;
  CGxStatic m_captionDetail;
  CListFrame m_frame;
  CSortListCtrl m_list;
  CGxStatic m_labels[5];
  CGxEdit m_values[5];
  CGxBtn_Pic m_btnConnect;
  CGxBtn_Pic m_btnRefresh;
  CGxBtn_Pic m_btnSave;
  std::vector<PendingRow> m_pending;
  int m_nClickedRow = -1;
  int* m_pSaveFlag = nullptr;
};
