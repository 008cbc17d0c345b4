#include "frontend/PageSite_Security.h"

#include "frontend/DlgOneSiteEditor.h"
#include "frontend/SiteEditor.h"
#include "frontend/SiteEditorIds.h"
#include "frontend/SkinFunctions.h"
#include "frontend/UiBridge.h"
#include "utilmere/Utilmere.h"

namespace {

constexpr UINT kKeyRadioIds[4] = {IDC_SEC_KEY1_RADIO, IDC_SEC_KEY2_RADIO, IDC_SEC_KEY3_RADIO, IDC_SEC_KEY4_RADIO};
constexpr UINT kKeyTypeLabelIds[4] = {IDC_SEC_KEY1_TYPE_LABEL, IDC_SEC_KEY2_TYPE_LABEL, IDC_SEC_KEY3_TYPE_LABEL,
                                      IDC_SEC_KEY4_TYPE_LABEL};
constexpr UINT kKeyTypeIds[4] = {IDC_SEC_KEY1_TYPE, IDC_SEC_KEY2_TYPE, IDC_SEC_KEY3_TYPE, IDC_SEC_KEY4_TYPE};
constexpr UINT kKeyLabelIds[4] = {IDC_SEC_KEY1_LABEL, IDC_SEC_KEY2_LABEL, IDC_SEC_KEY3_LABEL, IDC_SEC_KEY4_LABEL};
constexpr UINT kKeyIds[4] = {IDC_SEC_KEY1, IDC_SEC_KEY2, IDC_SEC_KEY3, IDC_SEC_KEY4};
constexpr UINT kLeapRadioIds[3] = {IDC_SEC_LEAP_WEP, IDC_SEC_LEAP_TKIP, IDC_SEC_LEAP_AES};

const char* const kEncryptionNames[] = {"None", "WEP", "TKIP", "AES"};
const char* const kInnerMethodNames[] = {"EAP-MSCHAP v2", "EAP-TLS / Smart Card", "Generic Token Card", "CHAP",
                                         "MS-CHAP",       "MS-CHAP-V2",           "PAP",                "EAP-MD5"};

// Key types: row 0 hexadecimal digits, row 1 any character.
constexpr WORD kParseHexDigits = 64;
constexpr int kHexKeyLimit = 26;
constexpr int kAsciiKeyLimit = 13;
constexpr int kMinPskLength = 8;
constexpr int kHexPskLength = 64;

constexpr UINT_PTR kShowKeyTimer = 1;
constexpr UINT kShowKeyDelayMs = 10;

bool IsHexText(const CString& text) {
  CString upper(text);
  upper.MakeUpper();
  return upper.SpanIncluding("0123456789ABCDEF").GetLength() == upper.GetLength();
}

CString WindowText(CWnd& window) {
  CString text;
  window.GetWindowText(text);
  return text;
}

CString ComboText(CComboBox& combo) {
  CString text;
  const int row = combo.GetCurSel();
  if (row >= 0) combo.GetLBText(row, text);
  return text;
}

}  // namespace

BEGIN_MESSAGE_MAP(CPageSite_Security, CGxTabPage)
  ON_CBN_SELCHANGE(IDC_SEC_AUTH, &CPageSite_Security::OnAuthChanged)
  ON_CBN_SELCHANGE(IDC_SEC_ENCRYPTION, &CPageSite_Security::OnEncryptionChanged)
  ON_CBN_SELCHANGE(IDC_SEC_EAP, &CPageSite_Security::OnEapChanged)
  ON_CBN_SELCHANGE(IDC_SEC_INNER, &CPageSite_Security::OnInnerChanged)
  ON_BN_CLICKED(IDC_SEC_SHOW_KEY, &CPageSite_Security::OnShowKeyContent)
  ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_SEC_KEY1_TYPE, IDC_SEC_KEY4_TYPE, &CPageSite_Security::OnKeyTypeChanged)
  ON_WM_TIMER()
END_MESSAGE_MAP()

CPageSite_Security::CPageSite_Security(CWnd* pParent) : CGxTabPage(IDD_PAGESITE_SECURITY, pParent) {
  SetRegionFile(SiteEditorSkinPath("TabCtrlPageSite_Security.bmp"), kSiteSkinKey);
}

CPageSite_Security::~CPageSite_Security() = default;

void CPageSite_Security::DoDataExchange(CDataExchange* pDX) {
  CGxTabPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_SEC_AUTH_LABEL, m_labelAuth);
  DDX_Control(pDX, IDC_SEC_AUTH, m_comboAuth);
  DDX_Control(pDX, IDC_SEC_ENCRYPTION_LABEL, m_labelEncryption);
  DDX_Control(pDX, IDC_SEC_ENCRYPTION, m_comboEncryption);
  DDX_Control(pDX, IDC_SEC_SHOW_KEY, m_checkShowKey);
  for (int i = 0; i < 4; ++i) {
    DDX_Control(pDX, static_cast<int>(kKeyRadioIds[i]), m_radioKey[i]);
    DDX_Control(pDX, static_cast<int>(kKeyTypeLabelIds[i]), m_labelKeyType[i]);
    DDX_Control(pDX, static_cast<int>(kKeyTypeIds[i]), m_comboKeyType[i]);
    DDX_Control(pDX, static_cast<int>(kKeyLabelIds[i]), m_labelKey[i]);
    DDX_Control(pDX, static_cast<int>(kKeyIds[i]), m_editKey[i]);
  }
  DDX_Control(pDX, IDC_SEC_LEAP_ID_LABEL, m_labelLeapId);
  DDX_Control(pDX, IDC_SEC_LEAP_ID, m_editLeapId);
  DDX_Control(pDX, IDC_SEC_LEAP_PASSWORD_LABEL, m_labelLeapPassword);
  DDX_Control(pDX, IDC_SEC_LEAP_PASSWORD, m_editLeapPassword);
  DDX_Control(pDX, IDC_SEC_LEAP_DOMAIN_LABEL, m_labelLeapDomain);
  DDX_Control(pDX, IDC_SEC_LEAP_DOMAIN, m_editLeapDomain);
  for (int i = 0; i < 3; ++i) DDX_Control(pDX, static_cast<int>(kLeapRadioIds[i]), m_radioLeap[i]);
  DDX_Control(pDX, IDC_SEC_PSK_LABEL, m_labelPsk);
  DDX_Control(pDX, IDC_SEC_PSK, m_editPsk);
  DDX_Control(pDX, IDC_SEC_8021X_TAB, m_tab8021X);
  DDX_Control(pDX, IDC_SEC_EAP_LABEL, m_labelEap);
  DDX_Control(pDX, IDC_SEC_EAP, m_comboEap);
  DDX_Control(pDX, IDC_SEC_INNER_LABEL, m_labelInner);
  DDX_Control(pDX, IDC_SEC_INNER, m_comboInner);
  DDX_Control(pDX, IDC_SEC_SESSION_RESUME, m_checkSessionResume);
  DDX_Radio(pDX, IDC_SEC_KEY1_RADIO, m_nDefaultKey);
  DDX_Radio(pDX, IDC_SEC_LEAP_WEP, m_nLeapEncryption);
}

BOOL CPageSite_Security::OnInitDialog() {
  CGxTabPage::OnInitDialog();
  SkinCheckButton(&m_checkShowKey, nullptr);
  SkinCheckButton(&m_checkSessionResume, nullptr);
  for (CGxBtn_ChkRadio& radio : m_radioKey) SkinRadioButton(&radio, nullptr);
  for (CGxBtn_ChkRadio& radio : m_radioLeap) SkinRadioButton(&radio, nullptr);
  for (int i = 0; i < 4; ++i) {
    SkinSmallText(&m_labelKeyType[i]);
    SkinSmallText(&m_labelKey[i]);
    SkinCommonEdit(&m_editKey[i]);
    m_comboKeyType[i].SetCurSel(0);
  }
  for (CGxStatic* label : {&m_labelAuth, &m_labelEncryption, &m_labelLeapId, &m_labelLeapPassword, &m_labelLeapDomain,
                           &m_labelPsk, &m_labelEap, &m_labelInner}) {
    SkinSmallText(label);
  }
  for (CGxEdit* edit : {&m_editLeapId, &m_editLeapPassword, &m_editLeapDomain, &m_editPsk}) SkinCommonEdit(edit);

  struct SubPage {
    const char* label;
    CGxTabPage* page;
    UINT templateId;
  };
  const SubPage pages[] = {{"ID/PASSWORD", &m_pageIdPassword, IDD_PAGE8021X_IDPASSWORD},
                           {"Client Certification", &m_pageClientCert, IDD_PAGE8021X_CLIENTCERT},
                           {"Server Certification", &m_pageServerCert, IDD_PAGE8021X_SERVERCERT},
                           {"EAP Fast", &m_pageEapFast, IDD_PAGE8021X_EAPFAST}};
  const CString labelStrip = SiteEditorSkinPath("TabCtrlLable_8021x.bmp");
  for (const SubPage& sub : pages) {
    CGxBtn_ChkRadio* label = nullptr;
    if (m_tab8021X.AddPage(GetMLText(sub.label), sub.page, sub.templateId, &label) && label) {
      SkinTabLabelButton(label, 1, nullptr, labelStrip);
    }
  }
  // Every sub-page is made now, so the worker's codes find their controls
  // whichever sub-page is on top.
  m_tab8021X.CreateAllPageWindows();
  m_tab8021X.RecalcLayout();
  m_tab8021X.SetCurSel(kSubIdPassword);

  m_nDefaultKey = 0;
  m_radioKey[0].SetCheck(1);
  m_comboAuth.SetCurSel(kAuthOpen);
  OnAuthChanged();
  m_comboEap.SetCurSel(kEapPeap);
  UpdateEapLayout(TRUE);
  SetTimer(kShowKeyTimer, kShowKeyDelayMs, nullptr);
  for (int i = 0; i < 4; ++i) ApplyKeyRule(i);
  return TRUE;
}

void CPageSite_Security::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kShowKeyTimer) return;
  KillTimer(kShowKeyTimer);
  ApplyShowKeyContent();
  Invalidate();
}

void CPageSite_Security::OnShowKeyContent() { ApplyShowKeyContent(); }

void CPageSite_Security::ApplyShowKeyContent() {
  const BOOL show = m_checkShowKey.GetCheck() != 0;
  const char mask = show ? 0 : '*';
  for (CGxEdit& key : m_editKey) key.SetPasswordChar(mask);
  m_editLeapPassword.SetPasswordChar(mask);
  m_editPsk.SetPasswordChar(mask);
  m_pageIdPassword.SetShowPassword(show);
  ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void CPageSite_Security::OnKeyTypeChanged(UINT nId) {
  for (int i = 0; i < 4; ++i) {
    if (kKeyTypeIds[i] == nId) ApplyKeyRule(i);
  }
}

void CPageSite_Security::ApplyKeyRule(int nKey) {
  const BOOL hex = m_comboKeyType[nKey].GetCurSel() == 0;
  m_editKey[nKey].SetParseType(hex ? kParseHexDigits : GX_PARSE_NONE);
  m_editKey[nKey].LimitText(hex ? kHexKeyLimit : kAsciiKeyLimit);
}

int CPageSite_Security::FillEncryptionList(int lo, int hi) {
  m_comboEncryption.ResetContent();
  for (int i = lo; lo >= 0 && i <= hi && i < 4; ++i) m_comboEncryption.AddString(kEncryptionNames[i]);
  if (m_comboEncryption.GetCount() == 0) {
    m_comboEncryption.EnableWindow(FALSE);
    return -1;
  }
  m_comboEncryption.SetCurSel(0);
  m_comboEncryption.EnableWindow(TRUE);
  return 0;
}

int CPageSite_Security::FillInnerMethodList(int lo, int hi) {
  m_comboInner.ResetContent();
  for (int i = lo; lo >= 0 && i <= hi && i < 8; ++i) m_comboInner.AddString(kInnerMethodNames[i]);
  if (m_comboInner.GetCount() == 0) {
    m_comboInner.EnableWindow(FALSE);
    return -1;
  }
  m_comboInner.SetCurSel(0);
  m_comboInner.EnableWindow(TRUE);
  return 0;
}

void CPageSite_Security::ShowGroup(std::initializer_list<CWnd*> controls, BOOL bShow) {
  for (CWnd* control : controls) control->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void CPageSite_Security::ShowWepGroup(BOOL bShow) {
  for (int i = 0; i < 4; ++i) {
    ShowGroup({&m_radioKey[i], &m_labelKeyType[i], &m_comboKeyType[i], &m_labelKey[i], &m_editKey[i]}, bShow);
  }
}

void CPageSite_Security::ShowLeapGroup(BOOL bShow) {
  ShowGroup({&m_labelLeapId, &m_editLeapId, &m_labelLeapPassword, &m_editLeapPassword, &m_labelLeapDomain,
             &m_editLeapDomain, &m_radioLeap[0], &m_radioLeap[1], &m_radioLeap[2]},
            bShow);
}

void CPageSite_Security::ShowPskGroup(BOOL bShow) { ShowGroup({&m_labelPsk, &m_editPsk}, bShow); }

void CPageSite_Security::Show8021XGroup(BOOL bShow) {
  ShowGroup({&m_tab8021X, &m_labelEap, &m_comboEap, &m_labelInner, &m_comboInner, &m_checkSessionResume}, bShow);
}

void CPageSite_Security::UpdateSecurityLayout(BOOL bRefill) {
  ShowWepGroup(FALSE);
  ShowLeapGroup(FALSE);
  ShowPskGroup(FALSE);
  Show8021XGroup(FALSE);
  switch (m_comboAuth.GetCurSel()) {
    case kAuthOpen:
      if (bRefill) FillEncryptionList(0, 1);
      ShowWepGroup(ComboText(m_comboEncryption) == "WEP");
      break;
    case kAuthShared:
      if (bRefill) FillEncryptionList(0, 1);
      ShowWepGroup(TRUE);
      break;
    case kAuthLeap:
      if (bRefill) FillEncryptionList(-1, -1);
      ShowLeapGroup(TRUE);
      break;
    case kAuth8021X:
      if (bRefill) FillEncryptionList(0, 1);
      Show8021XGroup(TRUE);
      break;
    case kAuthWpa:
    case kAuthWpa2:
      if (bRefill) FillEncryptionList(2, 3);
      Show8021XGroup(TRUE);
      break;
    case kAuthWpaPsk:
    case kAuthWpa2Psk:
      if (bRefill) FillEncryptionList(2, 3);
      ShowPskGroup(TRUE);
      break;
    default:
      if (bRefill) FillEncryptionList(-1, -1);
      break;
  }
}

void CPageSite_Security::OnAuthChanged() {
  UpdateSecurityLayout(TRUE);
  const CString auth = ComboText(m_comboAuth);
  if (auth.Find("WPA-PSK") >= 0 || auth.Find("WPA2-PSK") >= 0) {
    m_labelPsk.SetWindowText(FormatString("%s %s", static_cast<LPCTSTR>(auth), static_cast<LPCTSTR>(GetMLText("Key"))));
  }
}

void CPageSite_Security::OnEncryptionChanged() { UpdateSecurityLayout(FALSE); }

void CPageSite_Security::OnEapChanged() { UpdateEapLayout(TRUE); }

void CPageSite_Security::OnInnerChanged() { UpdateEapLayout(FALSE); }

void CPageSite_Security::UpdateEapLayout(BOOL bRefill) {
  const int method = m_comboEap.GetCurSel();
  if (method == kEapPeap || method == kEapTtls) {
    if (bRefill) method == kEapPeap ? FillInnerMethodList(0, 2) : FillInnerMethodList(3, 7);
  } else {
    FillInnerMethodList(-1, -1);
  }
  if (bRefill) {
    if (method == kEapFast) {
      m_tab8021X.HideTab(kSubClientCert);
      m_tab8021X.HideTab(kSubServerCert);
      m_tab8021X.ShowTab(kSubEapFast);
      m_tab8021X.SetCurSel(kSubEapFast);
    } else if (method >= kEapPeap && method <= kEapTtls) {
      m_tab8021X.HideTab(kSubEapFast);
      m_tab8021X.ShowTab(kSubClientCert);
      m_tab8021X.ShowTab(kSubServerCert);
    }
  }
  const int inner = m_comboInner.GetCurSel();
  m_pageIdPassword.EnableForMethod(method, inner);
  m_pageClientCert.EnableForMethod(method, inner);
  m_pageServerCert.EnableForMethod(method, inner);
  m_pageEapFast.EnableForMethod(method, inner);
}

void CPageSite_Security::SelectInEditor() {
  if (CGxTabCtrl* tabs = dynamic_cast<CGxTabCtrl*>(GetParent())) tabs->SelectPage(this);
}

void CPageSite_Security::Fail(CWnd* field, const CString& message) {
  SelectInEditor();
  ShowSiteEditorError(field, message);
}

BOOL CPageSite_Security::Validate() {
  UpdateData(TRUE);
  int auth = m_comboAuth.GetCurSel();
  if (auth > kAuth8021X) --auth;
  const int encryption = m_comboEncryption.GetCurSel();
  if (auth == kAuthWpa || auth == kAuthWpa2) {
    // The pre-shared key: 8 to 63 characters, or 64 hexadecimal digits.
    const CString key = WindowText(m_editPsk);
    const CString authText = ComboText(m_comboAuth);
    if (key.GetLength() < kMinPskLength) {
      Fail(&m_editPsk, FormatString(GetMLText("%s is invalid. Should over 8 characters"),
                                    static_cast<LPCTSTR>(authText)));
      return FALSE;
    }
    if (key.GetLength() == kHexPskLength && !IsHexText(key)) {
      Fail(&m_editPsk, FormatString(GetMLText("Invalid %s. Use field should be 64 hex digits."),
                                    static_cast<LPCTSTR>(authText)));
      return FALSE;
    }
    if (key.GetLength() > kHexPskLength) {
      Fail(&m_editPsk, GetMLText("Invalid WPA Pre-Shared key. WPA-PSK used field should use 8 to 63 characters."));
      return FALSE;
    }
    return TRUE;
  }
  if (auth == kAuthShared || (auth == kAuthOpen && encryption == 1)) {
    // Only the default key is checked.
    const int key = m_nDefaultKey >= 0 && m_nDefaultKey < 4 ? m_nDefaultKey : 0;
    const int length = WindowText(m_editKey[key]).GetLength();
    if (m_comboKeyType[key].GetCurSel() == 0) {
      if (length != 10 && length != 26) {
        m_editKey[key].LimitText(kHexKeyLimit);
        Fail(&m_editKey[key], GetMLText("WEP key length is invalid. Should is 10 or 26 hex digit"));
        return FALSE;
      }
    } else if (length != 5 && length != 13) {
      m_editKey[key].LimitText(kAsciiKeyLimit);
      Fail(&m_editKey[key], GetMLText("WEP key length is invalid. Should is 5 or 13 hex characters"));
      return FALSE;
    }
  }
  return TRUE;
}

int CPageSite_Security::EncryptionIndexOffset() {
  if (m_comboEncryption.GetCount() <= 0) return 0;
  CString first;
  m_comboEncryption.GetLBText(0, first);
  return first != kEncryptionNames[0] ? 2 : 0;
}

// Codes 23-42 are the family BRIDGE_CMD_EDITOR_SECURITY_FIELD, one field each.
void CPageSite_Security::SendValues() {
  UpdateData(TRUE);
  const int auth = m_comboAuth.GetCurSel();
  if (auth == kAuth8021X) NotifyWorker(24, "", TRUE);
  else NotifyWorkerInt(23, auth > kAuth8021X ? auth - 1 : auth, TRUE);

  const int encryption = m_comboEncryption.GetCurSel();
  if (encryption >= 0) {
    const int absolute = encryption + EncryptionIndexOffset();
    CDlgOneSiteEditor* editor = GetSiteEditor();
    const int kind = editor ? editor->GetEditorKind() : 0;
    NotifyWorkerInt(25, static_cast<int>((static_cast<unsigned>(absolute) << 16) |
                                                    (static_cast<unsigned>(kind) & 0xFFFFu)),
                    TRUE);
  }
  NotifyWorkerInt(26, m_nDefaultKey, TRUE);
  for (int i = 0; i < 4; ++i) NotifyWorkerInt(27 + i, m_comboKeyType[i].GetCurSel(), TRUE);
  for (int i = 0; i < 4; ++i) NotifyWorker(31 + i, WindowText(m_editKey[i]), TRUE);
  NotifyWorker(35, WindowText(m_editLeapId), TRUE);
  NotifyWorker(36, WindowText(m_editLeapPassword), TRUE);
  NotifyWorker(37, WindowText(m_editLeapDomain), TRUE);
  NotifyWorkerInt(38, m_nLeapEncryption, TRUE);
  NotifyWorker(39, WindowText(m_editPsk), TRUE);
  NotifyWorkerInt(40, m_comboEap.GetCurSel(), TRUE);
  const int inner = m_comboInner.GetCurSel();
  if (inner >= 0) {
    CString first;
    m_comboInner.GetLBText(0, first);
    NotifyWorkerInt(41, inner + (first != "EAP-MSCHAP v2" ? 3 : 0), TRUE);
  }
  NotifyWorkerInt(42, m_checkSessionResume.GetCheck(), TRUE);
  m_pageIdPassword.SendValues();
  m_pageClientCert.SendValues();
  m_pageServerCert.SendValues();
  m_pageEapFast.SendValues();
}

void CPageSite_Security::ApplyCode(UINT nCode, const CString& value) {
  if (!GetSafeHwnd()) return;
  const int number = atoi(value);
  if (nCode >= 63 && nCode <= 68) {
    m_pageIdPassword.ApplyCode(nCode, value);
  } else if (nCode >= 69 && nCode <= 74) {
    m_pageClientCert.ApplyCode(nCode, value);
  } else if (nCode >= 75 && nCode <= 79) {
    m_pageServerCert.ApplyCode(nCode, value);
  } else if (nCode >= 80 && nCode <= 84) {
    m_pageEapFast.ApplyCode(nCode, value);
  } else if (nCode == 41) {
    // The hidden editor has no "802.1x" row.
    // (A number past the list clears the selection as n + 1 would, without
    // the overflow of n + 1 at the top of int.)
    m_comboAuth.SetCurSel(number >= kAuth8021X ? (number < m_comboAuth.GetCount() ? number + 1 : -1) : number);
    UpdateSecurityLayout(TRUE);
  } else if (nCode == 42) {
    // The worker names the encryption by its index (0 None .. 3 AES), as OK
    // sends it back: the row is the index less the list's offset.
    m_comboEncryption.SetCurSel(number >= 0 ? number - EncryptionIndexOffset() : -1);
    UpdateSecurityLayout(FALSE);
  } else if (nCode == 43 || nCode == 58) {
    if (number != 0) m_comboAuth.SetCurSel(nCode == 43 ? kAuth8021X : kAuthLeap);
    UpdateSecurityLayout(FALSE);
  } else if (nCode == 44) {
    m_editPsk.SetWindowText(value);
  } else if (nCode == 45 || nCode == 57) {
    UpdateData(TRUE);
    (nCode == 45 ? m_nDefaultKey : m_nLeapEncryption) = number;
    UpdateData(FALSE);
  } else if (nCode >= 46 && nCode <= 49) {
    SetComboCurSelSafe(&m_comboKeyType[nCode - 46], number);
  } else if (nCode >= 50 && nCode <= 53) {
    m_editKey[nCode - 50].SetWindowText(value);
  } else if (nCode >= 54 && nCode <= 56) {
    CGxEdit* leap[] = {&m_editLeapId, &m_editLeapPassword, &m_editLeapDomain};
    leap[nCode - 54]->SetWindowText(value);
  } else if (nCode == 59) {
    m_checkSessionResume.SetCheck(number);
  } else if (nCode == 60) {
    SetComboCurSelSafe(&m_comboEap, number);
    UpdateEapLayout(TRUE);
  } else if (nCode == 61 || nCode == 62) {
    SetComboCurSelSafe(&m_comboInner, number);
    UpdateEapLayout(FALSE);
  }
}
