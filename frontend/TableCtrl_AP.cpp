#include "frontend/TableCtrl_AP.h"

#include <cstdlib>
#include <memory>

#include "frontend/ApPageIds.h"
#include "frontend/SkinFunctions.h"
#include "frontend/StationPageTools.h"
#include "frontend/UiBridge.h"
#include "frontend/WavorelApp.h"
#include "softap/HideDlg_AP.h"
#include "utilmere/Utilmere.h"
#include "worker/ModuleFunctions.h"

namespace {

constexpr UINT kStartWorkerMs = 1000;
constexpr UINT kApplyConfigMs = 1000;

// AP states of code 1: 1 the adapter is absent; 0 to 2 leave the pages
// without a live AP.
constexpr int kStateNotExist = 1;
constexpr int kLastUnlinkedState = 2;

// The process-wide tick of the last accepted page switch.
DWORD g_lastSwitchTick = 0;

// The four actions the worker takes on a combo box of a page.
enum class ComboAction { kClear, kAdd, kSelect, kEnable };

void ApplyComboCode(CComboBox& combo, ComboAction action, const CString& value) {
  if (!combo.GetSafeHwnd()) return;
  switch (action) {
    case ComboAction::kClear:
      combo.ResetContent();
      break;
    case ComboAction::kAdd:
      combo.AddString(value);
      break;
    case ComboAction::kSelect:
      SetComboCurSelSafe(&combo, atoi(value));
      break;
    case ComboAction::kEnable:
      combo.EnableWindow(atoi(value) != 0);
      break;
  }
}

void EnableIfWindow(CWnd& control, const CString& value) {
  if (control.GetSafeHwnd()) control.EnableWindow(atoi(value) != 0);
}

void SetTextIfWindow(CWnd& control, const CString& text) {
  if (control.GetSafeHwnd()) SetWindowTextIfChanged(&control, text);
}

void RedrawPage(CWnd& page) {
  if (page.GetSafeHwnd())
    ::RedrawWindow(page.GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace

BEGIN_MESSAGE_MAP(CTableCtrl_AP, CGxTabCtrl)
  ON_MESSAGE(WM_UIBRIDGE, &CTableCtrl_AP::OnUiBridge)
  ON_WM_TIMER()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CTableCtrl_AP::CTableCtrl_AP() = default;

CTableCtrl_AP::~CTableCtrl_AP() = default;

CGxTabCtrl* CTableCtrl_AP::Make(CWnd* pHost) {
  auto table = std::make_unique<CTableCtrl_AP>();
  if (!pHost || !table->SubclassWindow(pHost->GetSafeHwnd())) return nullptr;
  table->Initialize();
  table->ShowWindow(SW_SHOW);
  return table.release();
}

void CTableCtrl_AP::Initialize() {
  SetUINotifyWnd(m_hWnd);
  const CString language = GetCurLanguageType();
  const CString strip =
      language != "SimpChinese" && language != "TradChinese" ? StationSkinPath("TabCtrlLable_Long.bmp") : CString();
  struct PageEntry {
    const char* label;
    CGxTabPage* page;
    UINT templateId;
  };
  const PageEntry pages[] = {
      {"Basic Setting", &m_pageBaseConfig, IDD_PAGE_AP_BASECONFIG},
      {"Security Setting", &m_pageSecurity, IDD_PAGE_AP_SECURITY},
      {"Access Control", &m_pageAccessControl, IDD_PAGE_AP_ACCESSCONTROL},
      {"About", &m_pageAbout, IDD_PAGE_AP_ABOUT},
  };
  for (const PageEntry& entry : pages) {
    CGxBtn_ChkRadio* button = nullptr;
    if (AddPage(GetMLText(entry.label), entry.page, entry.templateId, &button) && button)
      SkinTabLabelButton(button, 0, nullptr, strip);
  }
  SetCurSel(0);
  SetTimer(TIMER_AP_START_WORKER, kStartWorkerMs, nullptr);
}

BOOL CTableCtrl_AP::CanSelectPage(int index) {
  const DWORD now = GetTickCount();
  if (now - g_lastSwitchTick < kSwitchDebounceMs) {
    m_nPendingPage = index;
    SetTimer(TIMER_AP_RETRY_PAGE, kSwitchDebounceMs, nullptr);
    return FALSE;
  }
  g_lastSwitchTick = now;
  m_nPendingPage = -1;
  return TRUE;
}

DWORD CTableCtrl_AP::GetLastSwitchTick() { return g_lastSwitchTick; }

void CTableCtrl_AP::SetLastSwitchTick(DWORD tick) { g_lastSwitchTick = tick; }

void CTableCtrl_AP::ApplyOnBasicPage(CWnd* page) {
  CGxTabCtrl* table = page ? dynamic_cast<CGxTabCtrl*>(page->GetParent()) : nullptr;
  CGxTabPage* basic = table ? table->GetPage(0) : nullptr;
  if (basic && basic->GetSafeHwnd()) basic->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_APPAGE_APPLY, BN_CLICKED), 0);
}

void CTableCtrl_AP::OnTimer(UINT_PTR nIDEvent) {
  switch (nIDEvent) {
    case TIMER_AP_START_WORKER:
      KillTimer(TIMER_AP_START_WORKER);
      ShowHideDlgAP();
      break;
    case TIMER_AP_RETRY_PAGE: {
      KillTimer(TIMER_AP_RETRY_PAGE);
      // A retry that is refused again asks for its page anew.
      const int index = m_nPendingPage;
      m_nPendingPage = -1;
      if (index >= 0 && index < GetPageCount()) SetCurSel(index);
      break;
    }
    case TIMER_AP_APPLY_CONFIG:
      KillTimer(TIMER_AP_APPLY_CONFIG);
      NotifyWorker(BRIDGE_CMD_AP_APPLY_CONFIG, "", TRUE);
      break;
    default:
      break;
  }
  Default();
}

void CTableCtrl_AP::OnDestroy() {
  CGxTabCtrl::OnDestroy();
  // The host control outlives this object: none of its timers may fire later.
  for (UINT_PTR timer : {TIMER_AP_START_WORKER, TIMER_AP_RETRY_PAGE, TIMER_AP_APPLY_CONFIG}) KillTimer(timer);
  SetUINotifyWnd(nullptr);
  DestroyHideDlgAP();
  EnableWzcOnInterface(TRUE);
  m_bChannelReported = FALSE;
}

LRESULT CTableCtrl_AP::OnUiBridge(WPARAM wParam, LPARAM lParam) {
  const CString value = TakeNotifyText(wParam, lParam);
  const UINT code = static_cast<UINT>(wParam);
  if (code == BRIDGE_UI_CONNECTION_STATE) {
    OnConnectionState(value);
    return 0;
  }
  if (code == BRIDGE_UI_MESSAGE_BOX) return OnBridgeMessageBox(value);
  if (code < BRIDGE_UI_AP_FIRST || code > BRIDGE_UI_AP_LAST) return 0;
  if (code <= BRIDGE_UI_AP_CHANNEL_SELECT) {
    ApplyBaseConfigCode(code, value);
  } else if (code <= BRIDGE_UI_AP_WEP_KEY_ENABLE_LAST) {
    ApplySecurityCode(code, value);
  } else if (code == BRIDGE_UI_AP_CONFIG_STATE) {
    if (m_pageSecurity.GetSafeHwnd() && atoi(value) == 1) NotifyWorkerInt(BRIDGE_CMD_PAGE_CHANGED, 1, TRUE);
  } else if (code <= BRIDGE_UI_ACL_BUTTON_ENABLE_LAST) {
    ApplyAccessControlCode(code, value);
  } else if (CWnd* field = m_pageAbout.GetField(static_cast<int>(code - BRIDGE_UI_AP_ABOUT_FIELD))) {
    SetTextIfWindow(*field, code == BRIDGE_UI_AP_ABOUT_FIELD ? GetMLText(value) : value);
  }
  return 0;
}

void CTableCtrl_AP::OnConnectionState(const CString& value) {
  CString text;
  const int state = ParseConnectionState(value, text);
  BOOL changed = FALSE;
  if (CWavorelApp* app = dynamic_cast<CWavorelApp*>(AfxGetApp())) {
    if (state >= 0) app->GetTray().SetIconFromList(state, &changed);
    app->GetTray().SetTooltipText(GetMLText(text));
  }
  if (!changed) return;
  if (state != kStateNotExist) PostHideDlgAPMessage(WM_COMMAND, CHideDlg_AP::ID_OPEN_SHEET, 0);
  if (state > kLastUnlinkedState) return;
  RedrawPage(m_pageBaseConfig);
  m_pageSecurity.ClearAllKeys();
  RedrawPage(m_pageSecurity);
  RedrawPage(m_pageAccessControl);
}

void CTableCtrl_AP::ApplyBaseConfigCode(UINT code, const CString& value) {
  CComboBox& mode = m_pageBaseConfig.GetModeCombo();
  CComboBox& channel = m_pageBaseConfig.GetChannelCombo();
  switch (code) {
    case BRIDGE_UI_AP_MODE_LIST: ApplyComboCode(mode, ComboAction::kClear, value); break;
    case BRIDGE_UI_AP_MODE_ITEM: ApplyComboCode(mode, ComboAction::kAdd, GetMLText(value)); break;
    case BRIDGE_UI_AP_MODE_SELECT: ApplyComboCode(mode, ComboAction::kSelect, value); break;
    case BRIDGE_UI_AP_SSID: SetTextIfWindow(m_pageBaseConfig.GetSsidEdit(), value); break;
    case BRIDGE_UI_AP_CHANNEL_CLEAR: ApplyComboCode(channel, ComboAction::kClear, value); break;
    case BRIDGE_UI_AP_CHANNEL_ITEM: ApplyComboCode(channel, ComboAction::kAdd, value); break;
    case BRIDGE_UI_AP_CHANNEL_ENABLE: ApplyComboCode(channel, ComboAction::kEnable, value); break;
    default:  // BRIDGE_UI_AP_CHANNEL_SELECT
      ApplyComboCode(channel, ComboAction::kSelect, value);
      // One second after the worker first reports its channel, it is asked
      // to apply the configuration.
      if (!m_bChannelReported) {
        m_bChannelReported = TRUE;
        SetTimer(TIMER_AP_APPLY_CONFIG, kApplyConfigMs, nullptr);
      }
      break;
  }
}

void CTableCtrl_AP::ApplySecurityCode(UINT code, const CString& value) {
  CPageAP_SecuritySetting& page = m_pageSecurity;
  if (code >= BRIDGE_UI_AP_CONTROL_ENABLE && code <= BRIDGE_UI_AP_CONTROL_ENABLE_LAST) {
    // The four key radios, then the four key type combos.
    const int n = static_cast<int>(code - BRIDGE_UI_AP_CONTROL_ENABLE);
    const int kKeys = CPageAP_SecuritySetting::kKeyCount;
    EnableIfWindow(n < kKeys ? static_cast<CWnd&>(page.GetKeyRadio(n)) : page.GetKeyTypeCombo(n - kKeys), value);
    return;
  }
  if (code >= BRIDGE_UI_AP_WEP_KEY_TYPE && code <= BRIDGE_UI_AP_WEP_KEY_TYPE_LAST) {
    const int n = static_cast<int>(code - BRIDGE_UI_AP_WEP_KEY_TYPE);
    ApplyComboCode(page.GetKeyTypeCombo(n), ComboAction::kSelect, value);
    page.ApplyKeyRule(n);
    return;
  }
  if (code >= BRIDGE_UI_AP_WEP_KEY && code <= BRIDGE_UI_AP_WEP_KEY_LAST) {
    SetTextIfWindow(page.GetKeyEdit(static_cast<int>(code - BRIDGE_UI_AP_WEP_KEY)), value);
    return;
  }
  if (code >= BRIDGE_UI_AP_WEP_KEY_ENABLE && code <= BRIDGE_UI_AP_WEP_KEY_ENABLE_LAST) {
    EnableIfWindow(page.GetKeyEdit(static_cast<int>(code - BRIDGE_UI_AP_WEP_KEY_ENABLE)), value);
    return;
  }
  switch (code) {
    case BRIDGE_UI_AP_AUTH_CLEAR: ApplyComboCode(page.GetAuthCombo(), ComboAction::kClear, value); break;
    case BRIDGE_UI_AP_AUTH_ITEM: ApplyComboCode(page.GetAuthCombo(), ComboAction::kAdd, value); break;
    case BRIDGE_UI_AP_AUTH_SELECT: ApplyComboCode(page.GetAuthCombo(), ComboAction::kSelect, value); break;
    case BRIDGE_UI_AP_ENC_CLEAR: ApplyComboCode(page.GetEncryptionCombo(), ComboAction::kClear, value); break;
    case BRIDGE_UI_AP_ENC_ITEM: ApplyComboCode(page.GetEncryptionCombo(), ComboAction::kAdd, value); break;
    case BRIDGE_UI_AP_ENC_SELECT: ApplyComboCode(page.GetEncryptionCombo(), ComboAction::kSelect, value); break;
    case BRIDGE_UI_AP_WPA_PSK: SetTextIfWindow(page.GetPskEdit(), value); break;
    case BRIDGE_UI_AP_PSK_ENABLE: EnableIfWindow(page.GetPskEdit(), value); break;
    default:  // BRIDGE_UI_AP_KEY_INDEX
      if (page.GetSafeHwnd()) {
        page.KeyIndex() = atoi(value);
        page.UpdateData(FALSE);
      }
      break;
  }
}

void CTableCtrl_AP::ApplyAccessControlCode(UINT code, const CString& value) {
  CPageAP_AccessControl& page = m_pageAccessControl;
  CListBox& list = page.GetList();
  switch (code) {
    case BRIDGE_UI_ACL_POLICY_CLEAR: ApplyComboCode(page.GetPolicyCombo(), ComboAction::kClear, value); break;
    case BRIDGE_UI_ACL_POLICY_ITEM: ApplyComboCode(page.GetPolicyCombo(), ComboAction::kAdd, GetMLText(value)); break;
    case BRIDGE_UI_ACL_POLICY: ApplyComboCode(page.GetPolicyCombo(), ComboAction::kSelect, value); break;
    case BRIDGE_UI_ACL_POLICY_ENABLE: ApplyComboCode(page.GetPolicyCombo(), ComboAction::kEnable, value); break;
    case BRIDGE_UI_ACL_APPLY_ENABLE: EnableIfWindow(page.GetApplyButton(), value); break;
    case BRIDGE_UI_ACL_LIST_CLEAR:
      if (list.GetSafeHwnd()) list.ResetContent();
      break;
    case BRIDGE_UI_ACL_LIST_ADD:
      if (list.GetSafeHwnd()) list.AddString(value);
      break;
    case BRIDGE_UI_ACL_LIST_DELETE: {
      const int row = atoi(value);
      if (list.GetSafeHwnd() && row >= 0 && row < list.GetCount()) list.DeleteString(static_cast<UINT>(row));
      break;
    }
    case BRIDGE_UI_ACL_LIST_ENABLE: EnableIfWindow(list, value); break;
    case BRIDGE_UI_ACL_LIST: InsertAccessControlRow(value); break;
    case BRIDGE_UI_ACL_BUTTON_ENABLE: EnableIfWindow(page.GetAddButton(), value); break;
    case BRIDGE_UI_ACL_BUTTON_ENABLE + 1: EnableIfWindow(page.GetMacEdit(), value); break;
    case BRIDGE_UI_ACL_BUTTON_ENABLE + 2: EnableIfWindow(page.GetDeleteButton(), value); break;
    default:  // BRIDGE_UI_ACL_BUTTON_ENABLE_LAST
      EnableIfWindow(page.GetRemoveAllButton(), value);
      break;
  }
}

void CTableCtrl_AP::InsertAccessControlRow(const CString& value) {
  CListBox& list = m_pageAccessControl.GetList();
  if (!list.GetSafeHwnd()) return;
  const int separator = value.Find("\r\n");
  if (separator < 0) {
    list.AddString(value);
    return;
  }
  const int row = atoi(value.Left(separator));
  const CString address = value.Mid(separator + 2);
  if (row >= 0 && row < list.GetCount())
    list.InsertString(row, address);
  else
    list.AddString(address);
}
