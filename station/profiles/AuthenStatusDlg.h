// CAuthenStatusDlg: the hidden authentication status log (template 2244),
// secondary dialog 5 of the host. The authentication side writes texts into
// the worker's message ring (g_authStatusEvents: 200 slots of 256 bytes) and
// posts WM_AUTH_STATUS_EVENT with a slot index; the dialog appends each text
// with a time stamp to its list, and the text "OK" ends the log: the ring is
// zeroed and the host returns to its first secondary dialog. While shown, a
// 20 ms timer keeps the card and profile texts current. Wavorel's template
// adds a clear button (1145) that stops the supplicant's port and empties the
// ring and the log.
#pragma once

#include <vector>

#include "platform/Platform.h"
#include "widgets/QuickList.h"
#include "widgets/ShadeButtonST.h"

constexpr UINT IDD_AUTHEN_STATUS = 2244;
constexpr int IDC_AUTHEN_CARD = 4283;
constexpr int IDC_AUTHEN_PROFILE = 1007;
constexpr int IDC_AUTHEN_TITLE = 1565;
constexpr int IDC_AUTHEN_LIST = 1639;
constexpr int IDC_AUTHEN_OK = 1293;
constexpr int IDC_AUTHEN_CANCEL = 1296;
constexpr int IDC_AUTHEN_CLEAR = 1145;
constexpr UINT IDS_AUTHEN_CARD_NAME = 468;
constexpr UINT IDS_AUTHEN_PROFILE_NAME = 469;
constexpr UINT IDS_AUTHEN_TITLE = 6248;
constexpr UINT IDS_AUTHEN_MANUAL = 6286;
constexpr UINT IDS_DIALOG_OK = 2132;
constexpr UINT IDS_DIALOG_CANCEL = 2133;
// A slot index of the ring in wParam.
constexpr UINT WM_AUTH_STATUS_EVENT = WM_APP + 2;
constexpr UINT_PTR kAuthenStatusTimer = 1;
constexpr UINT kAuthenStatusPeriodMs = 20;

class CAuthenStatusDlg : public CDialog {
 public:
  struct Event {
    CString time;  // "hh:mm:ss.mmm "
    CString text;
  };
  // The bytes of a slot read as its text: at most 255.
  static constexpr int kSlotTextMax = 255;

  explicit CAuthenStatusDlg(CWnd* pParent = nullptr);
  ~CAuthenStatusDlg() override;
  CAuthenStatusDlg(const CAuthenStatusDlg&) = delete;
  CAuthenStatusDlg& operator=(const CAuthenStatusDlg&) = delete;

  BOOL OnInitDialog() override;

  // Empties the log and reads the card and profile names (ReadCardAndProfile).
  void ReadNames();
  // One ring slot: "OK" ends the log, any other text is appended. An index
  // outside the ring is ignored.
  void OnAuthStatus(int slot);
  // Appends (local time, text) and shows it; an empty text is "NULL STRING".
  void AppendLine(const CString& text);

  const std::vector<Event>& GetEvents() const { return m_events; }
  CQuickList& GetList() { return m_list; }
  // The slot the next event is expected in, 0..199.
  static int GetRingIndex() { return s_nRingIndex; }
  // Lines appended by any status dialog of the process.
  static int GetAppendedCount() { return s_nAppended; }

  CString m_strCard;
  CString m_strProfile;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnPaint();
  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnTimer(UINT_PTR nIDEvent);
  LRESULT OnAuthStatusEvent(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetItem(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  // "DriverDesc" and, for a current profile not bound to a BSSID,
  // "CurProfile" of the driver key into the two texts; a value that cannot
  // be read leaves its text as it was.
  void ReadCardAndProfile();
  void CloseLog();
  // A button only one build's template has: TRUE when `id` was one of them
  // and was handled (the XP build's clear button; none in WavorelVista).
  BOOL OnBuildButton(UINT id);

  std::vector<Event> m_events;
  CQuickList m_list;
  CShadeButtonST m_btnOk;
  CShadeButtonST m_btnCancel;
  UINT_PTR m_nTimer = 0;

  static int s_nRingIndex;
  static int s_nAppended;
};
