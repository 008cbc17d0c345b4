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

#include <functional>
#include <vector>

#include "platform/Platform.h"
#include "widgets/QuickList.h"
#include "widgets/ShadeButtonST.h"
#include "worker/ProfileData.h"

// Template, controls and texts of the page; WavorelVista's and Wavorel's
// templates have the same layout under their own ids.
constexpr UINT IDD_PAGE_PROFILE = WAVOREL_BUILD_XP ? 143 : 158;
constexpr UINT IDC_PROFILE_LIST = WAVOREL_BUILD_XP ? 1024 : 1020;
constexpr UINT IDC_PROFILE_ADD = WAVOREL_BUILD_XP ? 1133 : 1260;
constexpr UINT IDC_PROFILE_EDIT = WAVOREL_BUILD_XP ? 1134 : 1262;
constexpr UINT IDC_PROFILE_DELETE = WAVOREL_BUILD_XP ? 1135 : 1264;
constexpr UINT IDC_PROFILE_ACTIVATE = WAVOREL_BUILD_XP ? 1136 : 1267;
constexpr UINT IDC_PROFILE_GROUP = WAVOREL_BUILD_XP ? 1127 : 1241;
// The eleven detail texts and their captions, in the page's order: profile
// name, SSID, network type, authentication, encryption, 802.1X, channel,
// power save, TX power, RTS and fragment thresholds.
constexpr int kProfileDetailCount = 11;
constexpr UINT kProfileDetailIds[kProfileDetailCount] = {
    WAVOREL_BUILD_XP ? 1129u : 1246u, WAVOREL_BUILD_XP ? 1131u : 1252u, WAVOREL_BUILD_XP ? 1037u : 1040u,
    WAVOREL_BUILD_XP ? 1076u : 1114u, WAVOREL_BUILD_XP ? 1077u : 1116u, WAVOREL_BUILD_XP ? 1140u : 1281u,
    WAVOREL_BUILD_XP ? 1031u : 1030u, WAVOREL_BUILD_XP ? 1138u : 1273u, WAVOREL_BUILD_XP ? 1142u : 1286u,
    WAVOREL_BUILD_XP ? 1144u : 1294u, WAVOREL_BUILD_XP ? 1146u : 1299u};
constexpr UINT kProfileCaptionIds[kProfileDetailCount] = {
    WAVOREL_BUILD_XP ? 1128u : 1244u, WAVOREL_BUILD_XP ? 1130u : 1248u, WAVOREL_BUILD_XP ? 1036u : 1039u,
    WAVOREL_BUILD_XP ? 1074u : 1110u, WAVOREL_BUILD_XP ? 1075u : 1112u, WAVOREL_BUILD_XP ? 1139u : 1277u,
    WAVOREL_BUILD_XP ? 1030u : 1028u, WAVOREL_BUILD_XP ? 1137u : 1270u, WAVOREL_BUILD_XP ? 1141u : 1283u,
    WAVOREL_BUILD_XP ? 1143u : 1290u, WAVOREL_BUILD_XP ? 1145u : 1297u};
constexpr UINT IDS_PROFILE_ADD = 49;
constexpr UINT IDS_PROFILE_DELETE = 50;
constexpr UINT IDS_PROFILE_EDIT = 51;
constexpr UINT IDS_PROFILE_ACTIVATE = 52;
// WavorelVista loads the list's label; Wavorel's template carries it (its
// string 104 is a link page text).
constexpr UINT IDS_PROFILE_LIST = WAVOREL_BUILD_XP ? 0 : 104;
constexpr UINT IDS_NO_SELECTED_ITEM = 115;
// The list's images (16 pixels wide each).
constexpr UINT IDB_PROFILE_IMAGES = WAVOREL_BUILD_XP ? 167 : 201;
// The page's 3000 ms timer (Wavorel's marks the connected row).
constexpr UINT_PTR kProfilePageTimer = WAVOREL_BUILD_XP ? 2 : 1;

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

  // Activates `row`. WavorelVista: the store's "Config", the worker's flags,
  // the record applied, "ActiveTime" stamped, the list rebuilt. Wavorel:
  // "CurProfile" and "WSC" = "0" in the driver key, the profile's values
  // copied into it (an administrator's only) and applied. Always TRUE.
  BOOL ActivateProfile(int row);
  // Wavorel: the list from the registry store's "\Profile\Station" keys
  // (every row state -1), reported with code 31; the order file is the
  // caller's.
  void LoadProfileList();
  // Wavorel: deletes the action row (the button's handler); the current
  // profile's blank connection is written and applied first.
  void DeleteProfile();
  // Wavorel: removes the profile's key with its subkeys; the user is told
  // when "\Profile\Station" cannot be opened.
  void DeleteProfileKey(const CString& name);
  // Wavorel: the eleven detail texts of `row` from its key (emptied first;
  // a row outside the list leaves them empty).
  void ShowProfileDetails(int row);
  // Wavorel: every row's state -1, then `row`'s (when in the list) `state`;
  // reported as code 32 "row\r\nstate".
  void SetRowState(int row, int state);
  // Wavorel: the first row named (without case) as the activated profile
  // (the administrator's m_curProfileName, another user's non-administrator
  // name); -1 when none.
  int FindCurrentProfileRow() const;
  BOOL IsCurrentProfileRow(int row) const;
  // Rebuilds m_profiles from the profile store (WavorelVista: newest
  // "ActiveTime" first; Wavorel: LoadProfileList).
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
  // Fills the eleven detail texts of the selected row (or of the only row)
  // and reports them (code 33).
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
  // Deletes every row named exactly `name` the same way.
  void DeleteProfileByName(LPCSTR name);
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
  // The eleven detail texts in the page's order.
  CString m_details[kProfileDetailCount];
  // Cleared by the timer while the current profile's link is up.
  int m_linkFlag = 1;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  LRESULT OnGetListItem(WPARAM wParam, LPARAM lParam);
  // WavorelVista's only.
  LRESULT OnProfileButtonsEnable(WPARAM wParam, LPARAM lParam);
  void OnTimer(UINT_PTR nIDEvent);
  void OnDestroy();
  void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  // The command gate. WavorelVista: adapter ready and radio on. Wavorel:
  // Zero Configuration does not manage the adapter and the radio value
  // (OID_VX_PRIVATE_0108) is not 0.
  static BOOL IsWorkerReady();
  // Two names the store keeps as one (the order file leaves the second out).
  static BOOL IsSameProfileName(LPCSTR a, LPCSTR b);
  // Reports the network type, authentication, encryption, channel and power
  // save texts (code 33) and shows the eleven texts.
  void ReportDetails();
  // The list's columns and images, the buttons' and captions' texts.
  void InitListAndTexts();
  // OnDelete on every row `matches` (a row OnDelete leaves is passed over).
  void DeleteRowsWhere(const std::function<bool(const _PROFILE_LIST_ITEM&)>& matches);
  // The row the buttons act on: the selection, or row 0 of a one-row list;
  // -1 (after "No selected item" with more rows) when none.
  int ActionRow();
  int SelectedRow() const;
  void EnableRowButtons(BOOL enable);
  void ClearDetails();
  // The host's first secondary dialog in place of a visible profile editor.
  void LeaveVisibleEditor();
  // `row` (in the list) becomes the current profile and is activated.
  void ActivateRow(int row);
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
  UINT_PTR m_nTimer = 0;
};
