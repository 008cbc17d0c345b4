#include "station/host/Sorvik2007Dlg.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "frontend/BridgeCodes.h"
#include "frontend/UiBridge.h"
#include "station/profiles/AuthenStatusDlg.h"
#include "station/profiles/HiddenSsidDlg.h"
#include "station/profiles/InvalidIDPW.h"
#include "station/profiles/PageSSODlg.h"
#include "station/profiles/PeapSettingDlg.h"
#include "station/profiles/ProfileEditorDlg.h"
#include "station/profiles/SecurityEditorDlg.h"
#include "station/status/APDetailInfoDlg.h"
#include "station/status/AddBlockAckDlg.h"
#include "station/status/DeleteBlockAckDlg.h"
#include "station/status/LinkStatusDlg.h"
#include "station/status/Page80211nSettingDlg.h"
#include "station/status/PageAboutDlg.h"
#include "station/status/PageStatisticsDlg.h"
#include "station/status/PageWPSDlg.h"
#include "station/status/PageWPSProfile.h"
#include "station/status/PageWMMDlg.h"
#include "worker/HideDlg.h"
#include "worker/ModuleFunctions.h"
#include "worker/Settings.h"
#include "worker/WorkerGlobals.h"

namespace {

// Each page's template (per build where the programs number them apart).
constexpr UINT kHostTabTemplates[kHostTabCount] = {IDD_PAGE_PROFILE, IDD_PAGE_SITE_SURVEY,    IDD_PAGE_STATISTICS,
                                                   IDD_PAGE_WMM,     IDD_PAGE_WPS,            IDD_PAGE_SSO,
                                                   IDD_PAGE_80211N_SETTING, IDD_PAGE_ABOUT};

constexpr int kOffScreen = -9999;
constexpr int kCollapsedMargin = 2;
constexpr int kTabFontHeight = 20;
constexpr char kTabFontFace[] = "Trebuchet MS";
constexpr int kWin95OsType = 2;
constexpr char kSsoKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Nerolt";
// The driver-key value "Radio" of each program: WavorelVista writes "0" for
// off and "1" for on, Wavorel the other way round.
constexpr const char* kRadioOffValue = WAVOREL_BUILD_XP ? "1" : "0";
constexpr const char* kRadioOnValue = WAVOREL_BUILD_XP ? "0" : "1";

// The program INI switch [Page] "11n Setting" is "1".
bool Is80211nSettingOn() {
  char value[8] = "";
  GetModuleIniString("Page", "11n Setting", "0", value, sizeof value, "ini");
  return std::strcmp(value, "1") == 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CSorvik2007Dlg, CStationHost)
  ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CSorvik2007Dlg::CSorvik2007Dlg(CWnd* pParent) : CStationHost(IDD_STATION_HOST, pParent) {}

CSorvik2007Dlg::~CSorvik2007Dlg() {
  m_pPageProfile = nullptr;
  m_pPageSiteSurvey = nullptr;
  for (auto& page : m_tabPages) page.reset();
  m_pPageAdvance.reset();
  for (auto& dialog : m_secondary) dialog.reset();
  for (auto& button : m_tabButtons) button.reset();
  m_btnAdvance.reset();
  m_btnScrollLeft.reset();
  m_btnRadio.reset();
  m_btnHelp.reset();
  m_btnScrollRight.reset();
  for (auto& filler : m_fillers) filler.reset();
  m_pTabDialog.reset();
}

std::unique_ptr<CStationHost> CSorvik2007Dlg::Make() { return std::make_unique<CSorvik2007Dlg>(); }

void CSorvik2007Dlg::DoDataExchange(CDataExchange* pDX) {
  CStationHost::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_HOST_TOGGLE, m_btnToggle);
}

BOOL CSorvik2007Dlg::OnInitDialog() {
  CStationHost::OnInitDialog();
  CreatePages();
  if (g_pHideDlg) g_pHideDlg->ShowPage(kHostDlgLinkStatus);
  SetWindowLong(m_hWnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
  MoveWindow(kOffScreen, kOffScreen, kOffScreen, kOffScreen, FALSE);
  ShowWindow(SW_HIDE);
  return TRUE;
}

std::unique_ptr<CShadeButtonST> CSorvik2007Dlg::MakeStripButton(LPCSTR caption, UINT id, const CRect& rect) {
  auto button = std::make_unique<CShadeButtonST>();
  if (!button->Create(caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, m_pTabDialog.get(), id)) return nullptr;
  button->SetFont(&m_font, FALSE);
  button->BuildShadeBitmaps(2, 8, 10, 0, 0, 0, 0);
  return button;
}

BOOL CSorvik2007Dlg::CreateTabDialog(CRect& first) {
  m_pTabDialog = std::make_unique<CTabDialog>(IDD_HOST_TAB_DIALOG, this);
  if (!m_pTabDialog->Create(IDD_HOST_TAB_DIALOG, this)) {
    m_pTabDialog.reset();
    return FALSE;
  }
  m_tabFont.lfHeight = kTabFontHeight;
  std::strncpy(m_tabFont.lfFaceName, kTabFontFace, LF_FACESIZE - 1);
  m_font.CreateFontIndirect(&m_tabFont);
  CRect slot;
  GetControlRect(slot, this, IDC_HOST_SLOT);
  first = CRect(0, 0, slot.Width(), slot.Height());
  m_btnScrollLeft = MakeStripButton("", IDC_HOST_SCROLL_LEFT, first);
  m_pTabDialog->AddExtraButton(m_btnScrollLeft.get());
  return TRUE;
}

void CSorvik2007Dlg::CreateTabPage(int tab, const CRect& first) {
  // A page whose template does not load keeps a null member and stays out of the strip.
  if (tab == kHostTabProfile) {
    auto page = std::make_unique<CPageProfileDlg>(m_pTabDialog.get());
    if (page->Create(kHostTabTemplates[tab], m_pTabDialog.get())) {
      m_pPageProfile = page.get();
      m_tabPages[tab] = std::move(page);
    }
  }
  if (tab == kHostTabSiteSurvey) {
    auto page = std::make_unique<CPageSiteSurveyDlg>(m_pTabDialog.get());
    if (page->Create(kHostTabTemplates[tab], m_pTabDialog.get())) {
      m_pPageSiteSurvey = page.get();
      m_tabPages[tab] = std::move(page);
    }
  }
  if (tab == kHostTabSso) {
    auto page = std::make_unique<CPageSSODlg>(m_pTabDialog.get());
    if (page->Create(kHostTabTemplates[tab], m_pTabDialog.get())) m_tabPages[tab] = std::move(page);
  }
  if (tab == kHostTabStatistics) {
    auto page = std::make_unique<CPageStatisticsDlg>(m_pTabDialog.get());
    if (page->Create(kHostTabTemplates[tab], m_pTabDialog.get())) m_tabPages[tab] = std::move(page);
  }
  if (tab == kHostTabWps) {
    auto page = std::make_unique<CPageWPSDlg>(m_pTabDialog.get());
    if (page->Create(kHostTabTemplates[tab], m_pTabDialog.get())) m_tabPages[tab] = std::move(page);
  }
  if (tab == kHostTabWmm) {
    auto page = std::make_unique<CPageWMMDlg>(m_pTabDialog.get());
    if (page->Create(kHostTabTemplates[tab], m_pTabDialog.get())) m_tabPages[tab] = std::move(page);
  }
  if (tab == kHostTab80211n) {
    auto page = std::make_unique<CPage80211nSettingDlg>(m_pTabDialog.get());
    if (page->Create(kHostTabTemplates[tab], m_pTabDialog.get())) m_tabPages[tab] = std::move(page);
  }
  if (tab == kHostTabAbout) {
    auto page = std::make_unique<CPageAboutDlg>(m_pTabDialog.get());
    if (page->Create(kHostTabTemplates[tab], m_pTabDialog.get())) m_tabPages[tab] = std::move(page);
  }
  if (m_tabPages[tab]) {
    m_tabButtons[tab] = MakeStripButton(LoadText(kHostTabCaptionIds[tab]), kHostTabButtonIds[tab], first);
    m_pTabDialog->AddPage(m_tabPages[tab].get(), m_tabButtons[tab].get());
  }
}

void CSorvik2007Dlg::CreateRadioButton(const CRect& first) {
  m_btnRadio = MakeStripButton("Radio On/Off", IDC_HOST_RADIO, first);
  m_pTabDialog->AddExtraButton(m_btnRadio.get());
}

void CSorvik2007Dlg::FinishTabStrip(const CRect& first) {
  m_btnHelp = MakeStripButton(LoadText(IDS_HOST_HELP), IDC_HOST_HELP, first);
  m_pTabDialog->AddExtraButton(m_btnHelp.get());
  m_btnScrollRight = MakeStripButton("", IDC_HOST_SCROLL_RIGHT, first);
  m_pTabDialog->AddExtraButton(m_btnScrollRight.get());
  for (auto& filler : m_fillers) filler = MakeStripButton("", IDC_HOST_FILLER, first);

  LayoutTabStrip();
  CRect pages;
  m_pTabDialog->GetClientRect(&pages);
  pages.top = first.Height();
  m_pTabDialog->ArrangePages(pages, 0, 0, kHostTabProfile);
}

void CSorvik2007Dlg::CreateSecondaryDialogs() {
  // One whose window cannot be created keeps a null member, which ShowPage,
  // the layout and the destructor skip.
  auto linkStatus = std::make_unique<CLinkStatusDlg>(this);
  if (linkStatus->Create(IDD_LINK_STATUS, this)) m_secondary[kHostDlgLinkStatus] = std::move(linkStatus);
  auto editor = std::make_unique<CProfileEditorDlg>(this);
  if (editor->Create(IDD_PROFILE_EDITOR, this)) m_secondary[kHostDlgProfileEditor] = std::move(editor);
  auto securityEditor = std::make_unique<CSecurityEditorDlg>(this);
  if (securityEditor->Create(IDD_SECURITY_EDITOR, this)) m_secondary[kHostDlgSecurityEditor] = std::move(securityEditor);
  auto detail = std::make_unique<CAPDetailInfoDlg>(this);
  if (detail->Create(IDD_AP_DETAIL_INFO, this)) m_secondary[kHostDlgApDetailInfo] = std::move(detail);
  auto hiddenSsid = std::make_unique<CHiddenSsidDlg>(this);
  if (hiddenSsid->Create(IDD_HIDDEN_SSID, this)) m_secondary[kHostDlgHiddenSsid] = std::move(hiddenSsid);
  auto authenStatus = std::make_unique<CAuthenStatusDlg>(this);
  if (authenStatus->Create(IDD_AUTHEN_STATUS, this)) m_secondary[kHostDlgAuthenStatus] = std::move(authenStatus);
  auto wpsProfile = std::make_unique<CPageWPSProfile>(this);
  if (wpsProfile->Create(IDD_WPS_PROFILE, this)) m_secondary[kHostDlgWpsProfile] = std::move(wpsProfile);
  auto invalidIdPw = std::make_unique<CInvalidIDPW>(this);
  if (invalidIdPw->Create(IDD_INVALID_ID_PW, this)) m_secondary[kHostDlgInvalidIdPw] = std::move(invalidIdPw);
  auto peapSetting = std::make_unique<CPeapSettingDlg>(this);
  if (peapSetting->Create(IDD_PEAP_SETTING, this)) m_secondary[kHostDlgPeapSetting] = std::move(peapSetting);
  auto addBlockAck = std::make_unique<CAddBlockAckDlg>(this);
  if (addBlockAck->Create(IDD_ADD_BLOCK_ACK, this)) m_secondary[kHostDlgAddBlockAck] = std::move(addBlockAck);
  auto deleteBlockAck = std::make_unique<CDeleteBlockAckDlg>(this);
  if (deleteBlockAck->Create(IDD_DELETE_BLOCK_ACK, this)) m_secondary[kHostDlgDeleteBlockAck] = std::move(deleteBlockAck);
}

std::vector<CShadeButtonST*> CSorvik2007Dlg::StripButtons() const {
  std::vector<CShadeButtonST*> buttons;
  if (!m_pTabDialog) return buttons;
  for (int key = 0; key < m_pTabDialog->GetPageButtonCount(); ++key)
    if (CShadeButtonST* button = m_pTabDialog->GetPageButton(key)) buttons.push_back(button);
  for (int key = 0; key < m_pTabDialog->GetExtraButtonCount(); ++key)
    if (CShadeButtonST* button = m_pTabDialog->GetExtraButton(key)) buttons.push_back(button);
  return buttons;
}

int CSorvik2007Dlg::TakeOut(CShadeButtonST* button) {
  if (!button) return 0;
  const int kept = button->GetTabIndex();
  button->SetTabIndex(-1);
  for (CShadeButtonST* other : StripButtons())
    if (other != button && other->GetTabIndex() > kept) other->SetTabIndex(other->GetTabIndex() - 1);
  return kept;
}

void CSorvik2007Dlg::PutBack(CShadeButtonST* button, int position) {
  if (!button) return;
  for (CShadeButtonST* other : StripButtons())
    if (other != button && other->GetTabIndex() >= position) other->SetTabIndex(other->GetTabIndex() + 1);
  button->SetTabIndex(position);
}

void CSorvik2007Dlg::LayoutTabStrip() {
  if (!m_pTabDialog) return;
  const std::vector<CShadeButtonST*> buttons = StripButtons();
  for (CShadeButtonST* button : buttons) {
    if (button == m_btnScrollLeft.get() || button == m_btnScrollRight.get()) continue;
    button->EnableWindow(TRUE);
    button->ShowWindow(SW_SHOW);
  }
  for (auto& filler : m_fillers)
    if (filler) {
      filler->EnableWindow(TRUE);
      filler->ShowWindow(SW_SHOW);
    }
  int count = m_pTabDialog->GetPageButtonCount() + m_pTabDialog->GetExtraButtonCount() - 2;

  CShadeButtonST* sso = m_tabButtons[kHostTabSso].get();
  CShadeButtonST* ht = m_tabButtons[kHostTab80211n].get();
  int ssoKept = 0, htKept = 0;
  const bool ssoOut = sso && !IsSsoInstalled();
  const bool htOut = ht && !Is80211nSettingOn();
  if (ssoOut) {
    ssoKept = TakeOut(sso);
    --count;
  }
  if (htOut) {
    htKept = TakeOut(ht);
    --count;
  }

  CRect room, right, slot;
  GetControlRect(room, this, IDC_HOST_SCROLL_ROOM);
  GetControlRect(right, this, IDC_HOST_RIGHT_SCROLL);
  GetControlRect(slot, this, IDC_HOST_SLOT);
  const int offset = count > kHostStripSlots ? room.Width() : 0;
  int x = 0;
  for (int position = 1; position <= kHostStripSlots; ++position) {
    const auto at = std::find_if(buttons.begin(), buttons.end(),
                                 [&](CShadeButtonST* button) { return button->GetTabIndex() == position; });
    if (at != buttons.end()) (*at)->MoveWindow(x + offset, 0, slot.Width(), slot.Height(), FALSE);
    x += slot.Width();
  }
  for (CShadeButtonST* button : buttons) {
    const int position = button->GetTabIndex();
    if (position < 1 || position > kHostStripSlots) {
      button->EnableWindow(FALSE);
      button->ShowWindow(SW_HIDE);
    }
  }
  if (count < kHostStripSlots + 1 && m_fillers[0])
    m_fillers[0]->MoveWindow(slot.Width() * count, 0, slot.Width(), slot.Height(), FALSE);
  if (count + 1 < kHostStripSlots + 1 && m_fillers[1])
    m_fillers[1]->MoveWindow(slot.Width() * (count + 1), 0, slot.Width(), slot.Height(), FALSE);
  for (auto* scroll : {m_btnScrollLeft.get(), m_btnScrollRight.get()}) {
    if (!scroll) continue;
    if (count > kHostStripSlots) {
      const CRect& place = scroll == m_btnScrollLeft.get() ? room : right;
      scroll->MoveWindow(place.left, 0, place.Width(), place.Height(), FALSE);
      scroll->ShowWindow(SW_SHOW);
    } else {
      scroll->ShowWindow(SW_HIDE);
    }
  }
  if (ht && !g_bHtFamily) ht->EnableWindow(FALSE);
  if (count > kHostStripSlots) {
    CShadeButtonST* profile = m_tabButtons[kHostTabProfile].get();
    if (m_btnScrollLeft) m_btnScrollLeft->EnableWindow(profile && profile->GetTabIndex() != 1);
    if (m_btnScrollRight) m_btnScrollRight->EnableWindow(m_btnHelp && m_btnHelp->GetTabIndex() >= 9);
  }
  if (htOut) PutBack(ht, htKept);
  if (ssoOut) PutBack(sso, ssoKept);
}

BOOL CSorvik2007Dlg::Is80211nTabInUse() const {
  // In use: the 802.11n page is the tab shown (its button latched). Its strip
  // position alone says nothing, since every layout puts the button back.
  const CShadeButtonST* ht = m_tabButtons[kHostTab80211n].get();
  return ht && ht->GetLatched();
}

void CSorvik2007Dlg::ScrollTabStrip(int step) {
  if (step > 0 || Is80211nSettingOn() || Is80211nTabInUse())
    for (CShadeButtonST* button : StripButtons()) button->SetTabIndex(button->GetTabIndex() + step);
  LayoutTabStrip();
}

CShadeButtonST* CSorvik2007Dlg::GetStripButton(UINT id) const {
  for (CShadeButtonST* button : StripButtons())
    if (static_cast<UINT>(button->GetDlgCtrlID()) == id) return button;
  return nullptr;
}

CShadeButtonST* CSorvik2007Dlg::GetFiller(int which) const {
  return which >= 0 && which < static_cast<int>(m_fillers.size()) ? m_fillers[which].get() : nullptr;
}

CDialog* CSorvik2007Dlg::GetTabPage(int tab) const {
  return tab >= 0 && tab < kHostTabCount ? m_tabPages[tab].get() : nullptr;
}

CDialog* CSorvik2007Dlg::GetSecondaryDialog(int index) const {
  return index >= 0 && index < kHostDlgCount ? m_secondary[index].get() : nullptr;
}

void CSorvik2007Dlg::ShowSecondaryDialog(int index) {
  for (const auto& dialog : m_secondary)
    if (dialog && dialog->GetSafeHwnd()) dialog->ShowWindow(SW_HIDE);
  CDialog* shown = GetSecondaryDialog(index);
  if (shown && shown->GetSafeHwnd()) shown->ShowWindow(SW_SHOW);
}

void CSorvik2007Dlg::ToggleLayout() {
  g_bHostExpanded = !g_bHostExpanded;
  // The window's bottom becomes the bottom of control 1754 (expanded) or 2
  // pixels below the toggle button (collapsed).
  CWnd* marker = GetDlgItem(g_bHostExpanded ? IDC_HOST_EXPANDED_BOTTOM : IDC_HOST_TOGGLE);
  if (marker) {
    CRect window, bottom;
    GetWindowRect(&window);
    marker->GetWindowRect(&bottom);
    const int height = bottom.bottom - window.top + (g_bHostExpanded ? 0 : kCollapsedMargin);
    SetWindowPos(nullptr, 0, 0, window.Width(), height, SWP_NOMOVE | SWP_NOZORDER);
  }
  SetLayoutButton(g_bHostExpanded);
}

void CSorvik2007Dlg::SetLayoutButton(BOOL expanded) {
  if (!m_btnToggle.GetSafeHwnd()) return;
  const UINT icon = expanded ? IDI_HOST_EXPANDED : IDI_HOST_COLLAPSED;
  m_btnToggle.LoadIconPair(icon, 0);
  m_strToggle = LoadText(expanded ? IDS_HOST_LESS : IDS_HOST_MORE);
  m_btnToggle.SetWindowText(m_strToggle);
}

BOOL CSorvik2007Dlg::IsWpsPageReady() const {
  const CDialog* page = GetTabPage(kHostTabWps);
  return page && IsWindow(page->GetSafeHwnd());
}

BOOL CSorvik2007Dlg::IsProfileListed(LPCSTR ssid) const {
  return m_pPageProfile && IsWindow(m_pPageProfile->GetSafeHwnd()) && m_pPageProfile->IsProfileListed(ssid);
}

void CSorvik2007Dlg::ClearSiteConnectTargets() {
  if (!m_pPageSiteSurvey) return;
  m_pPageSiteSurvey->m_bByBssid = 0;
  m_pPageSiteSurvey->m_bBySsid = 0;
}

void CSorvik2007Dlg::RunPageCommand(UINT code, const CString& value) {
  if (code >= BRIDGE_CMD_EDITOR_OK && code <= kLastProfileEditorCommand) {
    // Both editors take the field, the profile editor first; each checks the
    // editor kind of the codes that name one.
    if (auto* editor = dynamic_cast<CProfileEditorDlg*>(GetSecondaryDialog(kHostDlgProfileEditor)))
      editor->RunBridgeCommand(code, value);
    if (auto* editor = dynamic_cast<CSecurityEditorDlg*>(GetSecondaryDialog(kHostDlgSecurityEditor)))
      editor->RunBridgeCommand(code, value);
    return;
  }
  if (code == BRIDGE_CMD_STATISTICS_POLL || code == BRIDGE_CMD_CLEAR_STATISTICS) {
    auto* statistics = dynamic_cast<CPageStatisticsDlg*>(m_tabPages[kHostTabStatistics].get());
    if (!statistics || !IsWindow(statistics->GetSafeHwnd())) return;
    if (code == BRIDGE_CMD_STATISTICS_POLL)
      statistics->SetPolling(std::atoi(value) != 0);
    else
      statistics->PostMessage(WM_COMMAND, MAKEWPARAM(IDC_STAT_RESET, BN_CLICKED), 0);
    return;
  }
  if (code >= BRIDGE_CMD_WPS_SELECT_AP && code <= BRIDGE_CMD_WPS_PIN) {
    auto* wps = dynamic_cast<CPageWPSDlg*>(m_tabPages[kHostTabWps].get());
    if (wps && IsWindow(wps->GetSafeHwnd())) wps->RunBridgeCommand(code, value);
    return;
  }
  if (code >= BRIDGE_CMD_RESCAN && code <= BRIDGE_CMD_CONNECT_BSS) {
    RunSiteSurveyCommand(code, value);
    return;
  }
  CPageProfileDlg* profile = m_pPageProfile;
  if (!profile || !IsWindow(profile->GetSafeHwnd())) return;
  const auto press = [profile](UINT id) { profile->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); };
  switch (code) {
    case BRIDGE_CMD_SELECT_PROFILE:
      profile->SelectProfile(std::atoi(value));
      break;
    case BRIDGE_CMD_ACTIVATE_PROFILE:
      press(IDC_PROFILE_ACTIVATE);
      break;
    case BRIDGE_CMD_PROFILE_MOVE_UP:
    case BRIDGE_CMD_PROFILE_MOVE_DOWN:
      profile->MoveProfile(-1, code == BRIDGE_CMD_PROFILE_MOVE_UP);
      break;
    case BRIDGE_CMD_PROFILE_NEW:
      press(IDC_PROFILE_ADD);
      break;
    case BRIDGE_CMD_PROFILE_MODIFY:
      press(IDC_PROFILE_EDIT);
      break;
    case BRIDGE_CMD_PROFILE_DELETE:
      press(IDC_PROFILE_DELETE);
      break;
    default:
      break;
  }
}

void CSorvik2007Dlg::RunSiteSurveyCommand(UINT code, const CString& value) {
  if (code == BRIDGE_CMD_CONNECT_BSS) {
    // "Add To Profile" runs after this command; the editor it opens connects
    // once its profile is saved.
    NotifyWorker(BRIDGE_CMD_ADD_BSS_TO_PROFILE, value, TRUE);
    auto* editor = dynamic_cast<CProfileEditorDlg*>(GetSecondaryDialog(kHostDlgProfileEditor));
    if (editor && IsWindow(editor->GetSafeHwnd())) editor->m_bConnectAfterSave = TRUE;
    return;
  }
  CPageSiteSurveyDlg* site = m_pPageSiteSurvey;
  if (!site || !IsWindow(site->GetSafeHwnd())) return;
  switch (code) {
    case BRIDGE_CMD_RESCAN:
      site->PostMessage(WM_COMMAND, MAKEWPARAM(IDC_SS_RESCAN, BN_CLICKED), 0);
      break;
    case BRIDGE_CMD_SELECT_BSS:
      site->SelectSite(std::atoi(value));
      break;
    case BRIDGE_CMD_QUERY_CONNECT_ENABLE:
      site->UpdateConnectButton();
      break;
    case BRIDGE_CMD_CONNECT_BSS_DIRECT:
      site->ConnectSelected(std::atoi(value));
      break;
    case BRIDGE_CMD_ADD_BSS_TO_PROFILE:
      site->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SS_ADD_TO_PROFILE, BN_CLICKED), 0);
      break;
    default:
      break;
  }
}

BOOL CSorvik2007Dlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  switch (LOWORD(wParam)) {
    case IDC_HOST_RADIO:
      OnRadioOnOff();
      return TRUE;
    case IDC_HOST_HELP:
      OnHelp();
      return TRUE;
    case IDC_HOST_TOGGLE:
      ToggleLayout();
      return TRUE;
    case IDC_HOST_SCROLL_LEFT:
      ScrollTabStrip(1);
      return TRUE;
    case IDC_HOST_SCROLL_RIGHT:
      ScrollTabStrip(-1);
      return TRUE;
    default:
      return CStationHost::OnCommand(wParam, lParam);
  }
}

CString CSorvik2007Dlg::LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return GetMLText(text);
}

void CSorvik2007Dlg::WriteRadioValue(BOOL off) {
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  const char* text = off ? kRadioOffValue : kRadioOnValue;
  RegSetValueEx(key, "Radio", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), static_cast<DWORD>(std::strlen(text) + 1));
  RegCloseKey(key);
}

void CSorvik2007Dlg::OpenHelpFile(LPCSTR name, int show) {
  char path[MAX_PATH] = "";
  GetModuleFileName(nullptr, path, sizeof path);
  if (char* slash = std::strrchr(path, '\\')) slash[1] = '\0';
  CString file = path;
  file += name;
  ShellExecute(m_hWnd, "open", file, nullptr, nullptr, show);
}

BOOL CSorvik2007Dlg::IsSsoInstalled() {
  if (g_nOsType == kWin95OsType || !g_bSsoSupported) return FALSE;
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, kSsoKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return FALSE;
  char value[8] = "";
  DWORD size = sizeof value - 1, type = 0;
  const bool read = RegQueryValueEx(key, "SSOInstall", nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
                    ERROR_SUCCESS;
  RegCloseKey(key);
  value[std::min<DWORD>(size, sizeof value - 1)] = '\0';
  return read && std::strcmp(value, "1") == 0;
}

void CSorvik2007Dlg::OnShowWindow(BOOL bShow, UINT nStatus) {
  CStationHost::OnShowWindow(bShow, nStatus);
  if (bShow) ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
