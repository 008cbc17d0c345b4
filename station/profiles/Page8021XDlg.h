// CPage8021XDlg: the 802.1X settings of a profile (template 226): the EAP
// method, the inner (tunnel) method, session resumption, and four sub-pages
// behind selector buttons in a tab container: credentials, EAP-FAST, client
// certificate and server certificate. The methods show and hide selectors
// and enable the sub-pages' controls; the page reports every value to the
// front end (codes 59-84) and checks them on the host's OK (Validate).
//
// It is the third tab of the profile editor and a page of the security
// editor; both reach it through the worker's bridge commands 40-63.
#pragma once

#include <memory>

#include "platform/Platform.h"
#include "station/profiles/PageClientCertificationDlg.h"
#include "station/profiles/PageEAPFastDlg.h"
#include "station/profiles/PageNamePasswordDlg.h"
#include "station/profiles/PageServerCertificationDlg.h"
#include "widgets/ButtonST.h"
#include "widgets/ShadeButtonST.h"
#include "widgets/TabDialog.h"
#include "worker/ProfileData.h"

class CPageAuthEncryDlg;

constexpr UINT IDD_PAGE_8021X = 226;

constexpr int IDC_8021X_RESUMPTION = 1289;
constexpr int IDC_8021X_RESUMPTION_LABEL = 1744;
constexpr int IDC_8021X_EAP_METHOD = 1152;
constexpr int IDC_8021X_EAP_METHOD_LABEL = 1155;
constexpr int IDC_8021X_INNER = 1162;
constexpr int IDC_8021X_INNER_LABEL = 1158;
// Placeholders: the container, the sub-page area and the selectors' places.
constexpr int IDC_8021X_CONTAINER_PLACE = 1762;
constexpr int IDC_8021X_PAGE_AREA = 1750;
constexpr int IDC_8021X_PLACE_CREDENTIALS = 1780;
constexpr int IDC_8021X_PLACE_EAP_FAST = 1774;
constexpr int IDC_8021X_PLACE_CLIENT = 1766;
constexpr int IDC_8021X_PLACE_SERVER = 1770;
// The selector buttons.
constexpr int IDC_8021X_SEL_CREDENTIALS = 1020;
constexpr int IDC_8021X_SEL_EAP_FAST = 1022;
constexpr int IDC_8021X_SEL_CLIENT = 1023;
constexpr int IDC_8021X_SEL_SERVER = 1024;

// Menus and their item icons.
constexpr UINT IDR_EAP_METHOD_MENU = 357;
constexpr UINT IDR_INNER_MENU = 360;
constexpr UINT IDR_TTLS_INNER_MENU = 303;
constexpr UINT IDR_EAP_METHOD_TOOLBAR = 1284;
constexpr UINT IDR_INNER_TOOLBAR = 1288;
constexpr COLORREF kMenuIconMask8021X = 0xFF00FF;
constexpr UINT ID_EAP_PEAP = 32850;
constexpr UINT ID_EAP_TLS = 32851;
constexpr UINT ID_EAP_TTLS = 32852;
constexpr UINT ID_EAP_FAST = 32887;
constexpr UINT ID_EAP_MD5 = 32889;
constexpr UINT ID_INNER_MSCHAPV2 = 32853;
constexpr UINT ID_INNER_TLS = 32854;
constexpr UINT ID_INNER_GTC = 32855;
constexpr UINT ID_TTLS_CHAP = 32856;
constexpr UINT ID_TTLS_MSCHAPV2 = 32857;
constexpr UINT ID_TTLS_MSCHAP = 32859;
constexpr UINT ID_TTLS_PAP = 32860;
constexpr UINT ID_TTLS_EAP_MD5 = 32861;
// The first bridge command of the 802.1X page and its sub-pages (40-63).
constexpr UINT kFirst8021XCommand = 40;
// Sent by the EAP method button before its menu opens (wParam: the menu).
constexpr UINT WM_EAP_METHOD_MENU_OPENING = WM_USER + 106;

class CPage8021XDlg : public CDialog {
 public:
  enum { kEapPeap, kEapTls, kEapTtls, kEapFast, kEapMd5, kEapCount };
  enum { kInnerMschapV2, kInnerTls, kInnerGtc, kInnerCount };
  enum { kTtlsChap, kTtlsMschap, kTtlsMschapV2, kTtlsPap, kTtlsEapMd5, kTtlsCount };
  enum { kSubCredentials, kSubEapFast, kSubClientCert, kSubServerCert, kSubCount };

  explicit CPage8021XDlg(CWnd* pParent = nullptr);
  ~CPage8021XDlg() override;
  CPage8021XDlg(const CPage8021XDlg&) = delete;
  CPage8021XDlg& operator=(const CPage8021XDlg&) = delete;

  // A new profile: PEAP, EAP-MSCHAP v2, session resumption, empty sub-pages.
  void SetDefaults();
  // SetDefaults without reporting session resumption (a site survey entry).
  void LoadFromSite();
  // The page and its sub-pages from the profile editor's 802.1X block.
  void LoadFromProfile();
  // The current method's command again, then its inner method's.
  void ReapplyMethod();
  // The host's OK: FALSE (after a warning) at the first missing value.
  BOOL Validate();
  // The page's values into an 802.1X block as the editors store them.
  void CollectBlock(_8021X_DATA& block) const;
  // Bridge commands 40-61, and 62/63 (Remove, Import) whose editor the
  // caller chose. FALSE for another code.
  BOOL RunBridgeCommand(UINT code, const CString& value);
  // Clicks a sub-page's selector (its sub-page shown).
  void PressSelector(int subPage);
  // The EAP-FAST sub-page's provisioning tunnel changed.
  void OnProvisioningTunnelChanged();

  BOOL OnInitDialog() override;

  // [Advance] "EAPFastEnhancement" of the program INI is "1".
  static BOOL IsEapFastEnhanced();
  static CString EapMethodText(int method);
  static CString InnerMethodText(int inner);
  static CString TtlsInnerMethodText(int inner);

  CPageNamePasswordDlg* Credentials() const { return m_pCredentials.get(); }
  CPageEAPFastDlg* EapFast() const { return m_pEapFast.get(); }
  CPageClientCertificationDlg* ClientCert() const { return m_pClientCert.get(); }
  CPageServerCertificationDlg* ServerCert() const { return m_pServerCert.get(); }
  CShadeButtonST* Selector(int subPage) const;
  CButtonST& EapMethodButton() { return m_btnEapMethod; }
  CButtonST& InnerButton() { return m_btnInner; }

  BOOL m_bSessionResumption = TRUE;
  BOOL m_bMd5Allowed = FALSE;
  int m_nEapMethod = kEapPeap;
  int m_nInnerMethod = kInnerMschapV2;
  int m_nTtlsInnerMethod = kTtlsChap;
  BOOL m_bFromSite = FALSE;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnEapMethodCommand(UINT nID);
  void OnInnerCommand(UINT nID);
  void OnTtlsInnerCommand(UINT nID);
  void OnResumptionClicked();
  LRESULT OnEapMethodMenuOpening(WPARAM wParam, LPARAM lParam);
  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnPaint();
  void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  BOOL CreateSubPages();
  // A placeholder's rectangle relative to the container's top-left corner.
  CRect PlaceRect(int id) const;
  // Shows, lays out and presses the selectors for the current methods.
  void ApplySelectors();
  // The authentication page of the editor that holds this page, or null.
  CPageAuthEncryDlg* HostAuthPage() const;
  // Password mode shown only for EAP-FAST with provisioning tunnel 2.
  void ShowPasswordModeForFast();
  // The client certificate in use, its check box disabled, the list re-read.
  void ForceClientCert();
  void ClearClientCert();
  void EnableClientChoice();
  void SetInnerButton(BOOL enable, UINT menu, UINT toolbar, const CString& text);
  void ReportDefaults(BOOL withResumption);

  std::unique_ptr<CTabDialog> m_pTabDialog;
  std::unique_ptr<CPageNamePasswordDlg> m_pCredentials;
  std::unique_ptr<CPageEAPFastDlg> m_pEapFast;
  std::unique_ptr<CPageClientCertificationDlg> m_pClientCert;
  std::unique_ptr<CPageServerCertificationDlg> m_pServerCert;
  std::unique_ptr<CShadeButtonST> m_pSelector[kSubCount];
  CFont m_selectorFont;
  CButtonST m_btnEapMethod;
  CButtonST m_btnInner;
  CButtonST m_checkResumption;
};
