#include "frontend/TableCtrl_QZ.h"

#include <cstdlib>
#include <memory>

#include "frontend/SiteEditor.h"
#include "frontend/SkinFunctions.h"
#include "frontend/StationPageIds.h"
#include "frontend/UiBridge.h"
#include "frontend/WavorelApp.h"
#include "utilmere/Utilmere.h"

namespace {

constexpr UINT kStartWorkerMs = 1000;
constexpr UINT kSettleMs = 10;

// Connection states of code 1 that mean no link: disconnected, no adapter,
// WEP error.
constexpr int kStateNotExist = 1;
constexpr int kLastUnlinkedState = 2;

}  // namespace

BEGIN_MESSAGE_MAP(CTableCtrl_QZ, CGxTabCtrl)
  ON_MESSAGE(WM_UIBRIDGE, &CTableCtrl_QZ::OnUiBridge)
  ON_WM_TIMER()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CTableCtrl_QZ::CTableCtrl_QZ() { m_pageSiteSurvey.SetSaveFlag(&m_nSaveWithoutShowing); }

CTableCtrl_QZ::~CTableCtrl_QZ() = default;

CGxTabCtrl* CTableCtrl_QZ::Make(CWnd* pHost) {
  auto table = std::make_unique<CTableCtrl_QZ>();
  if (!pHost || !table->SubclassWindow(pHost->GetSafeHwnd())) return nullptr;
  table->Initialize();
  table->ShowWindow(SW_SHOW);
  return table.release();
}

void CTableCtrl_QZ::Initialize() {
  SetUINotifyWnd(m_hWnd);
  struct PageEntry {
    const char* label;
    const char* tooltip;
    CGxTabPage* page;
    UINT templateId;
  };
  const PageEntry pages[] = {
      {"Status(#1)", "Wireless Network Current Status", &m_pageLinkInfo, IDD_PAGE_STATION_LINKINFO},
      {"Site Survey", "Site Survey", &m_pageSiteSurvey, IDD_PAGE_STATION_SITESURVEY},
      {"Profile(#1)", "Profile Management", &m_pageProfiles, IDD_PAGE_STATION_PROFILES},
      {"Statistics", "Statistics", &m_pageStatistic, IDD_PAGE_STATION_STATISTIC},
      {"WPS Setting", "WPS Setting", &m_pageWps, IDD_PAGE_STATION_WPS},
  };
  for (const PageEntry& entry : pages) {
    CGxBtn_ChkRadio* button = nullptr;
    if (AddPage(GetMLText(entry.label), entry.page, entry.templateId, &button) && button)
      SkinTabLabelButton(button, 0, entry.tooltip, nullptr);
  }
  SetCurSel(0);
  SetTimer(TIMER_SETTLE, kSettleMs, nullptr);
  SetTimer(TIMER_START_WORKER, kStartWorkerMs, nullptr);
}

void CTableCtrl_QZ::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == TIMER_START_WORKER) {
    KillTimer(TIMER_START_WORKER);
    StartWorker();
    NotifyWorkerInt(BRIDGE_CMD_WPS_CONFIG_MODE, 0, TRUE);
  } else if (nIDEvent == TIMER_SETTLE) {
    KillTimer(TIMER_SETTLE);
  }
  Default();
}

void CTableCtrl_QZ::OnDestroy() {
  SetUINotifyWnd(nullptr);
  StopWorker();
  CGxTabCtrl::OnDestroy();
}

LRESULT CTableCtrl_QZ::OnUiBridge(WPARAM wParam, LPARAM lParam) {
  const CString value = TakeNotifyText(wParam, lParam);
  const UINT code = static_cast<UINT>(wParam);
  if (code < BRIDGE_UI_STATION_FIRST || code > BRIDGE_UI_STATION_LAST) return 0;
  if (code == BRIDGE_UI_MESSAGE_BOX) return OnBridgeMessageBox(value);
  if (code >= BRIDGE_UI_EDITOR_OPEN && code <= BRIDGE_UI_EDITOR_FIELD_LAST) {
    ApplySiteEditorCode(code, value, m_nSaveWithoutShowing);
    return 0;
  }
  if (code >= BRIDGE_UI_WPS_AP_ROW) {
    RouteWpsCode(code, value);
    return 0;
  }
  if (code >= BRIDGE_UI_LINK_STATUS && code <= BRIDGE_UI_LINK_TX_THROUGHPUT) {
    const int index = static_cast<int>(code - BRIDGE_UI_LINK_STATUS);
    SetWindowTextIfChanged(m_pageLinkInfo.GetValue(index), index == 0 ? GetMLText(value) : value);
    return 0;
  }
  if (code >= BRIDGE_UI_STAT_TX_SUCCESS && code <= BRIDGE_UI_STAT_RX_REPEAT) {
    SetWindowTextIfChanged(m_pageStatistic.GetCounter(static_cast<int>(code - BRIDGE_UI_STAT_TX_SUCCESS)), value);
    return 0;
  }
  switch (code) {
    case BRIDGE_UI_CONNECTION_STATE:
      OnConnectionState(value);
      break;
    case BRIDGE_UI_LINK_QUALITY:
      if (m_pageLinkInfo.GetQualityBar().GetSafeHwnd()) m_pageLinkInfo.GetQualityBar().SetPos(atoi(value));
      break;
    case BRIDGE_UI_SIGNAL_STRENGTH: {
      const int percent = atoi(value);
      if (m_pageLinkInfo.GetSignalBar().GetSafeHwnd()) m_pageLinkInfo.GetSignalBar().SetPos(percent);
      if (percent > 0) SetWindowTextIfChanged(m_pageLinkInfo.GetValue(0), GetMLText("Connect"));
      break;
    }
    case BRIDGE_UI_SURVEY_ROW:
      m_pageSiteSurvey.FillSurveyRows(value);
      break;
    case BRIDGE_UI_SURVEY_MARK_CONNECTED:
      m_pageSiteSurvey.MarkConnectedRow(atoi(value));
      break;
    case BRIDGE_UI_BSS_DETAIL:
      m_pageSiteSurvey.ShowBssDetail(value);
      break;
    case BRIDGE_UI_CONNECT_ENABLE: {
      const BOOL enable = atoi(value);
      CWnd* buttons[] = {&m_pageSiteSurvey.GetConnectButton(), &m_pageSiteSurvey.GetSaveButton(),
                         &m_pageProfiles.GetConnectButton()};
      for (CWnd* button : buttons)
        if (button->GetSafeHwnd()) button->EnableWindow(enable);
      break;
    }
    case BRIDGE_UI_SURVEY_SAVE_REQUEST:
      OnSurveySaveRequest();
      break;
    case BRIDGE_UI_PROFILE_ROW:
      m_pageProfiles.FillProfileRows(value);
      break;
    case BRIDGE_UI_PROFILE_ROW_STATE:
      m_pageProfiles.SetProfileRowState(value);
      break;
    case BRIDGE_UI_PROFILE_DETAIL:
      m_pageProfiles.ShowProfileDetail(value);
      break;
    case BRIDGE_UI_PROFILE_SELECT:
      OnProfileSelect(atoi(value));
      break;
    default:
      break;
  }
  return 0;
}

void CTableCtrl_QZ::OnConnectionState(const CString& value) {
  CString text;
  const int state = ParseConnectionState(value, text);
  BOOL changed = FALSE;
  CWavorelApp* app = dynamic_cast<CWavorelApp*>(AfxGetApp());
  if (app) {
    if (state >= 0) app->GetTray().SetIconFromList(state, &changed);
    app->GetTray().SetTooltipText(GetMLText(text));
  }
  if (!changed) return;
  if (state != kStateNotExist) PostWorkerLaunchConfig();
  if (state > kLastUnlinkedState) return;
  m_pageLinkInfo.ShowDisconnected();
  m_pageSiteSurvey.ClearSurvey();
  m_pageProfiles.ResetProfileRowImages();
  m_pageWps.ResetWpsProfileImages();
}

void CTableCtrl_QZ::OnSurveySaveRequest() {
  if (!m_pageSiteSurvey.GetSafeHwnd()) return;
  CSortListCtrl& list = m_pageSiteSurvey.GetList();
  const int row = m_pageSiteSurvey.GetClickedRow();
  if (row < 0 || row >= list.GetItemCount()) return;
  if (IsWorkerProfileListed(list.GetItemText(row, 0))) return;
  m_nSaveWithoutShowing = 1;
  SetListSelected(&list, row, TRUE, TRUE);
  NotifyWorkerInt(BRIDGE_CMD_SELECT_BSS, row, TRUE);
  m_pageSiteSurvey.PostMessage(WM_COMMAND, IDC_SURVEY_SAVE, 0);
}

void CTableCtrl_QZ::OnProfileSelect(int row) {
  CSortListCtrl& list = m_pageProfiles.GetList();
  if (!list.GetSafeHwnd()) return;
  SetListSelected(&list, row, TRUE, TRUE);
  NotifyWorkerInt(BRIDGE_CMD_SELECT_PROFILE, row, TRUE);
  m_pageProfiles.EnableProfileButtons(TRUE);
}

void CTableCtrl_QZ::RouteWpsCode(UINT code, const CString& value) {
  switch (code) {
    case BRIDGE_UI_WPS_AP_ROW:
      m_pageWps.FillWpsApRows(value);
      break;
    case BRIDGE_UI_WPS_PROGRESS:
      m_pageWps.SetWpsProgress(value);
      break;
    case BRIDGE_UI_WPS_PROFILE_ROW:
      m_pageWps.FillWpsProfileRows(value);
      break;
    case BRIDGE_UI_WPS_SELECT:
      m_pageWps.MarkWpsProfileRow(value);
      break;
    case BRIDGE_UI_WPS_CONFIG_MODE:
      m_pageWps.SetConfigMode(atoi(value));
      break;
    case BRIDGE_UI_WPS_PIN_CODE:
      m_pageWps.SetPinCode(value);
      break;
    case BRIDGE_UI_WPS_RENEW_ENABLE:
      m_pageWps.SetButtonEnable(CPageMainDlg_WPS::kRenew, atoi(value));
      break;
    default:  // 92 to 96: Rescan, PBC, Connect, Disconnect, PIN
      m_pageWps.SetButtonEnable(
          static_cast<CPageMainDlg_WPS::Button>(CPageMainDlg_WPS::kRescan + (code - BRIDGE_UI_WPS_BUTTON_ENABLE)),
          atoi(value));
      break;
  }
}
