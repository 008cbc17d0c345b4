// CPageMainDlg_Profiles: the profile page of the station tab control: the
// stored profiles (name, SSID, a state picture), the details of the selected
// one, Connect, UP, DOWN, New, Modify and Delete. It keeps no profile of its
// own: every button and selection is a bridge command to the worker, and
// the tab control fills the list and the details from the worker's reports.
#pragma once

#include <vector>

#include "frontend/GxTabPage.h"
#include "frontend/ListFrame.h"

class CPageMainDlg_Profiles : public CGxTabPage {
 public:
  // Row images of "ProfileListImage.bmp".
  enum { kImageProfile = 0, kImageFlagged = 1, kImageConnected = 2, kImageActivated = 3 };

  explicit CPageMainDlg_Profiles(CWnd* pParent = nullptr);
  ~CPageMainDlg_Profiles() override;

  BOOL OnInitDialog() override;

  // The whole list: rows "name TAB SSID TAB state TAB flag" joined by
  // "\r\n" ("" empties it); kept until the window exists.
  void FillProfileRows(const CString& text);
  // "row\r\nstate": every other row its plain image, the row the image of
  // the state (0 connected, 1 activated).
  void SetProfileRowState(const CString& text);
  // Network type, authentication, encryption, channel and power saving,
  // joined by "\r\n"; fewer than five fields blank all five.
  void ShowProfileDetail(const CString& text);
  // Every row its plain image.
  void ResetProfileRowImages();
  // UP, DOWN, Modify and Delete take the state; enabling asks the worker
  // about Connect, disabling disables it at once. New stays enabled.
  void EnableProfileButtons(BOOL bEnable);

  CSortListCtrl& GetList() { return m_list; }
  CGxBtn_Pic& GetConnectButton() { return m_btnConnect; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnConnect();
  void OnUp();
  void OnDown();
  void OnNew();
  void OnModify();
  void OnDelete();
  LRESULT OnListClick(WPARAM wParam, LPARAM lParam);
  void OnListDblClk(NMHDR* pNotify, LRESULT* pResult);

  DECLARE_MESSAGE_MAP()

 private:
  struct PendingRow {
    CString name;
    CString ssid;
    int state;
    DWORD flag;
  };
  static int ImageOf(int state, DWORD flag);
  void AppendRow(const PendingRow& row);
  int PlainImage(int row);

  CGxStatic m_desc;
  CGxStatic m_captionName;
  CGxStatic m_captionSsid;
  CGxStatic m_captionDetail;
  CListFrame m_frame;
  CSortListCtrl m_list;
  CGxStatic m_labels[5];
  CGxEdit m_values[5];
  CGxBtn_Pic m_btnConnect;
  CGxBtn_Pic m_btnUp;
  CGxBtn_Pic m_btnDown;
  CGxBtn_Hotspot m_btnNew;
  CGxBtn_Hotspot m_btnModify;
  CGxBtn_Hotspot m_btnDelete;
  std::vector<PendingRow> m_pending;
};
