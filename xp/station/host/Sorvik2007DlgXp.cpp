// CSorvik2007Dlg's members of Wavorel: the advanced page's tab between the
// site survey's and the statistics page's, the profile and WPS tabs disabled
// while Zero Configuration holds the adapter, the radio switched by the
// driver's private code 0108 with the pictures 272 (on) and 273 (off), the
// WMM tab by the network type, and the help file by the system language.
#include "station/host/Sorvik2007Dlg.h"

#include "worker/ActionQueue.h"
#include "worker/DriverCodes.h"
#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/ProfileStore.h"
#include "worker/WorkerGlobals.h"
#include "xp/station/PageAdvanceDlg.h"
#include "xp/station/host/RadioValue.h"
#include "xp/worker/XpWorker.h"
#include "xp/worker/ZeroConfigHandover.h"

int g_bWmmTabLocked = 0;

namespace {

constexpr int kTries = 3;
constexpr LANGID kChineseTaiwan = 0x0404;
constexpr char kHelpFileChinese[] = "QZCONFIGCHN.CHM";
constexpr char kHelpFileEnglish[] = "QZCONFIGENG.CHM";

// A bitmap of the program's resources as the button's picture (opaque).
void ShowBitmap(CButtonST* button, UINT id) {
  if (!button || !button->GetSafeHwnd()) return;
  HBITMAP bitmap = LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(id));
  if (!bitmap) return;
  BITMAP size{};
  GetObject(bitmap, sizeof size, &size);
  HBITMAP mask = CreateBitmap(size.bmWidth, size.bmHeight, 1, 1, nullptr);
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmMask = mask;
  info.hbmColor = bitmap;
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  DeleteObject(bitmap);
  if (icon) button->SetIcons(icon, nullptr);
}

}  // namespace

void CSorvik2007Dlg::CreatePages() {
  CRect first;
  if (!CreateTabDialog(first)) return;
  CreateTabPage(kHostTabProfile, first);
  CreateTabPage(kHostTabSiteSurvey, first);
  CreateAdvancePage(first);
  for (int tab = kHostTabStatistics; tab <= kHostTab80211n; ++tab) CreateTabPage(tab, first);
  CreateRadioButton(first);
  ShowRadioValuePicture();
  CreateTabPage(kHostTabAbout, first);
  FinishTabStrip(first);
  EnableZeroConfigTabs();
  CreateSecondaryDialogs();
}

void CSorvik2007Dlg::EnableZeroConfigTabs() {
  // While Zero Configuration holds the adapter its profiles and WPS are not ours.
  const BOOL ours = ConfigToolMode != kConfigToolZeroConfig;
  for (int tab : {kHostTabProfile, kHostTabWps})
    if (m_tabButtons[tab] && m_tabButtons[tab]->GetSafeHwnd()) m_tabButtons[tab]->EnableWindow(ours);
}

void CSorvik2007Dlg::CreateAdvancePage(const CRect& first) {
  auto page = std::make_unique<CPageAdvanceDlg>(m_pTabDialog.get());
  if (!page->Create(IDD_PAGE_ADVANCE, m_pTabDialog.get())) return;
  m_pPageAdvance = std::move(page);
  m_btnAdvance = MakeStripButton(LoadText(IDS_HOST_TAB_ADVANCE), IDC_HOST_TAB_ADVANCE, first);
  m_pTabDialog->AddPage(m_pPageAdvance.get(), m_btnAdvance.get());
}

void CSorvik2007Dlg::ShowRadioValuePicture() { ShowRadioPicture(IsRadioValueOff() ? IDB_HOST_RADIO_OFF : IDB_HOST_RADIO_ON); }

void CSorvik2007Dlg::ShowRadioPicture(UINT bitmap) {
  if (bitmap == m_nRadioPicture || !m_btnRadio) return;
  ShowBitmap(m_btnRadio.get(), bitmap);
  m_nRadioPicture = bitmap;
}

void CSorvik2007Dlg::SetRadioPicture(BOOL on) {
  g_bRadioOff = on ? 0 : 1;
  ShowRadioPicture(on ? IDB_HOST_RADIO_ON : IDB_HOST_RADIO_OFF);
}

void CSorvik2007Dlg::RefreshPages() {
  // The worker's poll: the radio as the driver's switch stands, the WMM tab
  // by the network type, the profile and WPS tabs by who holds the adapter.
  ShowRadioPicture(XpWorkerState().RadioValue != 0 ? IDB_HOST_RADIO_ON : IDB_HOST_RADIO_OFF);
  UpdateWmmTabEnable();
  EnableZeroConfigTabs();
}

void CSorvik2007Dlg::UpdateWmmTabEnable() {
  CShadeButtonST* wmm = m_tabButtons[kHostTabWmm].get();
  if (!wmm || !wmm->GetSafeHwnd()) return;
  DWORD mode = 0, returned = 0;
  QueryOid(OID_802_11_INFRASTRUCTURE_MODE, &mode, sizeof mode, &returned);
  wmm->EnableWindow(mode != 0 && g_bWmmTabLocked != 1);
}

void CSorvik2007Dlg::OnRadioOnOff() {
  XP_WORKER_STATE& state = XpWorkerState();
  state.RadioValue = state.RadioValue == 0 ? 1 : 0;
  g_bApplyRequested = state.RadioValue == 1;
  DWORD value = state.RadioValue, returned = 0;
  SetOid(OID_VX_PRIVATE_0108_SET, &value, sizeof value, &returned, kTries);
  const BOOL on = value != 0;
  g_bRadioOn = on;
  SetRadioPicture(on);
  if (on && ConfigToolMode != kConfigToolZeroConfig) {
    ClearSiteConnectTargets();
    if (g_bAdministrator)
      LoadAndApplyCurrentProfile(TRUE, 0, 0);
    else
      LoadAndApplyCurrentProfileReadOnly(TRUE);
  }
  if (g_bAdministrator) WriteRadioValue(!on);
  if (m_pPageSiteSurvey) m_pPageSiteSurvey->m_bRescanPending = 1;
  RequestRescan();
}

void CSorvik2007Dlg::OnHelp() {
  OpenHelpFile(GetSystemDefaultLangID() == kChineseTaiwan ? kHelpFileChinese : kHelpFileEnglish, SW_SHOW);
  ShowBitmap(m_btnHelp.get(), IDB_HOST_HELP);
}
