// CPageProfileDlg: the profile tab of the hidden host dialog (template 158).
// Never shown: it keeps the list of stored station profiles in their display
// order and the current profile, runs add, edit, delete and activate, and
// reports its rows (code 31), the selected profile's details (code 33) and a
// moved row (code 34) to the front end. The worker drives it through the
// bridge (SelectProfile, MoveProfile, its four buttons); the profile editor
// uses FindProfile, DeleteProfilesBySsid and GetNewProfileName.
//
// The display order lives in "<program folder>ProfilesAlign.dat": the names
// joined by CR LF, written on WM_DESTROY through a temporary file and a
// rename, applied once after the first RefreshProfileList.
#pragma once

#include <vector>

#include "platform/Platform.h"
#include "widgets/QuickList.h"
#include "widgets/ShadeButtonST.h"
#include "worker/ProfileData.h"

// Template, controls and texts of the page.
constexpr UINT IDD_PAGE_PROFILE = 158;
constexpr UINT IDC_PROFILE_LIST = 1020;
constexpr UINT IDC_PROFILE_ADD = 1260;
constexpr UINT IDC_PROFILE_EDIT = 1262;
constexpr UINT IDC_PROFILE_DELETE = 1264;
constexpr UINT IDC_PROFILE_ACTIVATE = 1267;
constexpr UINT IDC_PROFILE_GROUP = 1241;
// The eleven detail texts and their captions, in the page's order.
constexpr int kProfileDetailCount = 11;
constexpr UINT kProfileDetailIds[kProfileDetailCount] = {1246, 1252, 1040, 1114, 1116, 1281,
                                                         1030, 1273, 1286, 1294, 1299};
constexpr UINT kProfileCaptionIds[kProfileDetailCount] = {1244, 1248, 1039, 1110, 1112, 1277,
                                                          1028, 1270, 1283, 1290, 1297};
constexpr UINT IDS_PROFILE_ADD = 49;
constexpr UINT IDS_PROFILE_DELETE = 50;
constexpr UINT IDS_PROFILE_EDIT = 51;
constexpr UINT IDS_PROFILE_ACTIVATE = 52;
constexpr UINT IDS_PROFILE_LIST = 104;
constexpr UINT IDS_NO_SELECTED_ITEM = 115;
// The list's images (16 pixels wide each).
constexpr UINT IDB_PROFILE_IMAGES = 201;
// The page's 3000 ms timer.
constexpr UINT_PTR kProfilePageTimer = 1;

class CProfileEditorDlg;

class CPageProfileDlg : public CDialog {
 public:
  explicit CPageProfileDlg(CWnd* pParent = nullptr);
  ~CPageProfileDlg() override;
  CPageProfileDlg(const CPageProfileDlg&) = delete;
  CPageProfileDlg& operator=(const CPageProfileDlg&) = delete;

  BOOL OnInitDialog() override;

  // Button handlers (also pressed by the worker).
  void OnAdd();
  void OnEdit();
  void OnDelete();
  void OnActivate();

  // Activates `row`: the store's "Config", the worker's flags, the record
  // applied, "ActiveTime" stamped, the list rebuilt. Always TRUE.
  BOOL ActivateProfile(int row);
  // Rebuilds m_profiles from the profile store, newest "ActiveTime" first.
  void RefreshProfileList();
  // Every profile section as {name, SSID, channel, authentication, cipher,
  // network type, ActiveTime}, sorted newest first; `current` the row of
  // m_curProfileName or -1.
  void BuildProfileTable(std::vector<std::vector<CString>>& table, int& count, int& current);
  // The order file: applied (entries it does not name drop out of the list
  // until the next refresh) and saved.
  void ApplySavedOrder();
  void SaveProfileOrder();
  // Sizes the list to m_profiles and reports the rows (code 31).
  void RebuildList();
  // Fills the eleven detail texts of the selected row and reports them (code 33).
  void ShowSelectedDetails();
  // Selects `row` when it is in the list and shows its details.
  void SelectProfile(int row);
  // Moves `row` (-1: the selected row) one place up or down and reports the
  // new row (code 34); the row it ends on, -1 for an empty list or a row
  // outside it.
  int MoveProfile(int row, BOOL up);

  // The first row whose SSID is `ssid` (case-sensitive), or -1.
  int FindProfile(LPCSTR ssid) const;
  BOOL IsProfileListed(LPCSTR ssid) const { return FindProfile(ssid) >= 0; }
  // The row named exactly `name`, or -1.
  int FindProfileByName(LPCSTR name) const;
  // Deletes every row of that SSID through OnDelete (a row OnDelete leaves is
  // passed over).
  void DeleteProfilesBySsid(LPCSTR ssid);
  // "Unname Profile" (translated) followed by one more than the largest
  // number a row's name carries after it. Always TRUE.
  BOOL GetNewProfileName(CString& name) const;

  // The order file of the program folder.
  static CString OrderFileName();
  // The names of an order file's text in file order (split at CR and LF,
  // empty lines skipped).
  static std::vector<CString> ParseOrderText(const CString& text);
  // The order file's text of `names`: joined by CR LF, no line end after the
  // last; a name equal to one before it (as the store compares section names)
  // is left out.
  static CString MakeOrderText(const std::vector<CString>& names);

  // The rows in display order; the list control shows exactly these.
  std::vector<_PROFILE_LIST_ITEM> m_profiles;
  CString m_curProfileName;  // the current profile
  CString m_curSsid;         // SSID of the last activated row
  CString m_curChannel;
  // The page's 802.1X settings block.
  _8021X_DATA m_8021x;
  // Cleared by the timer while the current profile's link is up.
  int m_linkFlag = 1;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  LRESULT OnGetListItem(WPARAM wParam, LPARAM lParam);
  LRESULT OnProfileButtonsEnable(WPARAM wParam, LPARAM lParam);
  void OnTimer(UINT_PTR nIDEvent);
  void OnDestroy();
  void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  // Adapter ready and radio on.
  static BOOL IsWorkerReady();
  // The row the buttons act on: the selection, or row 0 of a one-row list;
  // -1 (after "No selected item" with more rows) when none.
  int ActionRow();
  int SelectedRow() const;
  void EnableRowButtons(BOOL enable);
  void ClearDetails();
  // The host's lower area shows the profile editor, expanded.
  void ShowEditor();
  // The host's profile editor with its pages, or null.
  static CProfileEditorDlg* Editor();

  CQuickList m_list;
  CImageList m_images;
  CShadeButtonST m_btnAdd;
  CShadeButtonST m_btnEdit;
  CShadeButtonST m_btnDelete;
  CShadeButtonST m_btnActivate;
  CString m_details[kProfileDetailCount];
  UINT_PTR m_nTimer = 0;
};
