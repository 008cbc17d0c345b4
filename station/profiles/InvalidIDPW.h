// CInvalidIDPW: the hidden credential re-entry dialog (template 2242),
// secondary dialog 7 of the host, shown after a failed 802.1X
// authentication: the card, the profile and a message, with identity,
// password and domain fields as the current profile's EAP method uses them.
// WavorelVista: OK takes the dialog data (the fields below hold the result);
// Cancel hands back to the host's first secondary dialog. Wavorel: being
// shown fills the card and profile names and chooses the re-entry form or a
// time-out notice by the last failure; OK stores the credentials in the
// supplicant's profile and the registry and sets the SSID again, Cancel
// gives up the re-application (xp/station/profiles/InvalidIDPWXp.cpp).
#pragma once

#include "platform/Platform.h"
#include "widgets/ShadeButtonST.h"

constexpr UINT IDD_INVALID_ID_PW = 2242;
// Values.
constexpr int IDC_INVALID_CARD = 5261;
constexpr int IDC_INVALID_PROFILE = 3216;
constexpr int IDC_INVALID_MESSAGE = 1246;
constexpr int IDC_INVALID_IDENTITY = 1174;
constexpr int IDC_INVALID_PASSWORD = 1178;
constexpr int IDC_INVALID_DOMAIN = 4265;
// Labels and their texts.
constexpr int IDC_INVALID_CARD_LABEL = 4283;
constexpr int IDC_INVALID_PROFILE_LABEL = 4257;
constexpr int IDC_INVALID_MESSAGE_LABEL = 1244;
constexpr int IDC_INVALID_IDENTITY_LABEL = 1168;
constexpr int IDC_INVALID_PASSWORD_LABEL = 1170;
constexpr int IDC_INVALID_DOMAIN_LABEL = 3159;
constexpr UINT IDS_INVALID_CARD = 468;
constexpr UINT IDS_INVALID_PROFILE = 469;
constexpr UINT IDS_INVALID_MESSAGE = 470;
constexpr UINT IDS_INVALID_IDENTITY = 365;
constexpr UINT IDS_INVALID_PASSWORD = 367;
constexpr UINT IDS_INVALID_DOMAIN = 476;
constexpr int IDC_INVALID_OK = 1293;
constexpr int IDC_INVALID_CANCEL = 1296;

class CInvalidIDPW : public CDialog {
 public:
  explicit CInvalidIDPW(CWnd* pParent = nullptr);
  ~CInvalidIDPW() override;
  CInvalidIDPW(const CInvalidIDPW&) = delete;
  CInvalidIDPW& operator=(const CInvalidIDPW&) = delete;

  BOOL OnInitDialog() override;
  // Hands back to the host's first secondary dialog; the fields stay.
  void OnCancel() override;

  CString m_strCardName;
  CString m_strProfileName;
  CString m_strMessage;
  CString m_strIdentity;
  CString m_strPassword;
  CString m_strDomain;
  // Set: the credential fields are offered (as the current profile's EAP
  // method asks); clear: all of them are hidden (Wavorel's time-out notice).
  int m_bShowCredentials = 1;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void OnPaint();
  void OnOkClicked();
  // Wavorel's.
  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnCancelClicked();
  DECLARE_MESSAGE_MAP()

 private:
  void ShowPair(int labelId, int editId, bool show);

  CShadeButtonST m_btnOk;
  CShadeButtonST m_btnCancel;
};
