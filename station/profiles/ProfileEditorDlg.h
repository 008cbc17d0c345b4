// CProfileEditorDlg: the hidden editor of one station profile (template 218),
// secondary dialog 2 of the host. A tab container (template 166) holds its
// System Config, Authentication/Encryption and 802.1X pages; the third tab,
// "8021X", is created disabled until the security page turns 802.1X on. OK validates and collects the pages' fields, replaces
// every stored profile of the same SSID with one saved under the page's name
// (SaveProfile), and hands back to the profile page; LoadProfile reads a
// stored profile into the pages for Edit. The front end mirrors the editor in
// its site editor: the editor reports code 35 when shown, and the worker
// presses OK and Cancel (bridge codes 17 and 18) and sets its fields
// (RunBridgeCommand).
//
// The store mapping (SaveProfile, LoadProfile) is in ProfileEditorStore.cpp.
#pragma once

#include <memory>

#include "platform/Platform.h"
#include "station/profiles/Page8021XDlg.h"
#include "station/profiles/PageAuthEncryDlg.h"
#include "station/profiles/PageSystemConfigDlg.h"
#include "widgets/ShadeButtonST.h"
#include "widgets/TabDialog.h"
#include "worker/ProfileData.h"

constexpr UINT IDD_PROFILE_EDITOR = 218;
constexpr UINT IDD_EDITOR_TABS = 166;
constexpr int IDC_EDITOR_OK = 1293;
constexpr int IDC_EDITOR_CANCEL = 1296;
constexpr int IDC_EDITOR_TAB_SYSTEM = 1017;
constexpr int IDC_EDITOR_TAB_SECURITY = 1015;
constexpr int IDC_EDITOR_TAB_8021X = 1016;
// Placeholders: the page area and the three tab buttons.
constexpr int IDC_EDITOR_PAGE_AREA = 1750;
constexpr int IDC_EDITOR_TAB1_PLACE = 1753;
constexpr int IDC_EDITOR_TAB2_PLACE = 1757;
constexpr int IDC_EDITOR_TAB3_PLACE = 1761;
// Texts.
constexpr UINT IDS_EDITOR_TAB_SYSTEM = 230;
constexpr UINT IDS_EDITOR_TAB_SECURITY = 6288;
constexpr UINT IDS_EDITOR_OK = 2132;
constexpr UINT IDS_EDITOR_CANCEL = 2133;
constexpr UINT IDS_ENTER_PROFILE_NAME = 534;
// Wavorel's string 237 is its advanced page's.
constexpr UINT IDS_ENTER_SSID = WAVOREL_BUILD_XP ? 536 : 237;
constexpr UINT IDS_LEAP_ID_REQUIRED = 415;

// The bridge commands the editors carry out: 17 to this one.
constexpr UINT kLastProfileEditorCommand = 63;

// The latched tab's tint.
constexpr COLORREF kEditorTabSelectedTint = 0x00FF00;

// WEP key bytes the editor keeps per key (13 and a terminator).
constexpr int kEditorWepKeySize = 14;

class CProfileEditorDlg : public CDialog {
 public:
  enum { kTabSystemConfig, kTabAuthEncry, kTab8021X, kTabCount };

  explicit CProfileEditorDlg(CWnd* pParent = nullptr);
  ~CProfileEditorDlg() override;
  CProfileEditorDlg(const CProfileEditorDlg&) = delete;
  CProfileEditorDlg& operator=(const CProfileEditorDlg&) = delete;

  // The editor whose page `page` is (its tab container's parent), or null.
  static CProfileEditorDlg* FromPage(CWnd* page);

  void ResetEditorData();
  // Blanks the profile's section, then writes its 52 keys. TRUE.
  BOOL SaveProfile();
  // Reads the section of the system config page's profile name into the
  // pages and the editor's 802.1X block, reporting each value (codes 37-58).
  BOOL LoadProfile();
  // Bridge commands 17/18 (value 1: this editor's OK/Cancel), 19-22 on the
  // system config page, 23-39 on the security page (25 when its low half is
  // 1), 40-63 on the 802.1X page (62 and 63 when they name 1). FALSE when the
  // code is none of these or the page is missing.
  BOOL RunBridgeCommand(UINT code, const CString& value);

  CPageSystemConfigDlg* GetSystemConfigPage() const { return m_pPageSystemConfig.get(); }
  CPageAuthEncryDlg* GetAuthEncryPage() const { return m_pPageAuthEncry.get(); }
  CPage8021XDlg* Get8021XPage() const { return m_pPage8021X.get(); }
  CTabDialog* GetTabDialog() const { return m_pTabDialog.get(); }
  CShadeButtonST* GetTabButton(int tab) const;
  // BM_CLICK on a tab button (a disabled or missing one does nothing).
  void PressTab(int tab);
  void EnableTab(int tab, BOOL enable);

  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;

  // Set by the worker for a site-survey connect: after the save the profile
  // is selected and activated.
  BOOL m_bConnectAfterSave = FALSE;

  // The editor's collected fields.
  int m_nAuthentication = 0;  // the security page's index, 0 Open .. 7 WPA-None
  int m_nEncryption = 0;      // 0 None, 1 WEP, 2 TKIP, 3 AES
  int m_nUse8021X = 0;
  CString m_strWpaPsk;
  int m_nTransmitKey = 0;
  int m_nWepKeyLength[CPageAuthEncryDlg::kKeyCount] = {};
  BYTE m_wepKey[CPageAuthEncryDlg::kKeyCount][kEditorWepKeySize] = {};
  _8021X_DATA m_8021x;
  CString m_strLeapIdentity;
  CString m_strLeapPassword;
  CString m_strLeapDomain;
  int m_nLeapEncryption = 0;  // 0 WEP, 1 TKIP, 2 AES

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnPaint();
  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnOkClicked();
  void OnCancelClicked();
  DECLARE_MESSAGE_MAP()

 private:
  BOOL CreatePages();
  // A placeholder's rectangle in this dialog's client coordinates, looked up
  // in the tab container and then in the editor; empty when neither has it.
  CRect PlaceholderRect(int id) const;
  // The profile name the store could not keep as a section name.
  static BOOL IsStorableName(const CString& name);
  // The WEP key bytes of the page's key texts.
  void CollectWepKeys(const CPageAuthEncryDlg& security);
  // The store values of the editor's choices.
  int StoredAuthMode(int networkType) const;
  int StoredCipherMode() const;

  std::unique_ptr<CTabDialog> m_pTabDialog;
  std::unique_ptr<CPageSystemConfigDlg> m_pPageSystemConfig;
  std::unique_ptr<CPageAuthEncryDlg> m_pPageAuthEncry;
  std::unique_ptr<CPage8021XDlg> m_pPage8021X;
  std::unique_ptr<CShadeButtonST> m_pTabButton[kTabCount];
  CShadeButtonST m_btnOK;
  CShadeButtonST m_btnCancel;
  CFont m_tabFont;
};
