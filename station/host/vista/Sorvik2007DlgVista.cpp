// CSorvik2007Dlg's members of WavorelVista: the tab strip without an advanced
// page, the radio switched through Native Wi-Fi, the buttons' icons and the
// English help file.
#include "station/host/Sorvik2007Dlg.h"

#include "worker/ActionQueue.h"
#include "worker/ModuleFunctions.h"
#include "worker/NativeWiFi.h"
#include "worker/WorkerGlobals.h"

namespace {

constexpr char kHelpFile[] = "QZCONFIGENG.CHM";

}  // namespace

void CSorvik2007Dlg::CreatePages() {
  CRect first;
  if (!CreateTabDialog(first)) return;
  for (int tab = kHostTabProfile; tab <= kHostTab80211n; ++tab) CreateTabPage(tab, first);
  CreateRadioButton(first);
  if (m_btnRadio) m_btnRadio->LoadIconPair(g_bRadioOff ? IDI_HOST_RADIO_OFF : IDI_HOST_RADIO_ON, 0);
  CreateTabPage(kHostTabAbout, first);
  FinishTabStrip(first);
  CreateSecondaryDialogs();
}

void CSorvik2007Dlg::SetRadioPicture(BOOL on) {
  g_bRadioOff = on ? 0 : 1;
  if (m_btnRadio) m_btnRadio->LoadIconPair(on ? IDI_HOST_RADIO_ON : IDI_HOST_RADIO_OFF, 0);
}

void CSorvik2007Dlg::RefreshPages() {
  // The radio button acts only while the Native Wi-Fi interface exists.
  if (m_btnRadio && m_btnRadio->GetSafeHwnd())
    m_btnRadio->EnableWindow(g_pNativeWiFi && g_pNativeWiFi->IsOpened());
}

void CSorvik2007Dlg::OnRadioOnOff() {
  g_bRadioOff = !g_bRadioOff;
  g_bRadioOn = !g_bRadioOff;
  if (g_pNativeWiFi) g_pNativeWiFi->SetRadio(g_bRadioOn);
  if (m_btnRadio) m_btnRadio->LoadIconPair(g_bRadioOff ? IDI_HOST_RADIO_OFF : IDI_HOST_RADIO_ON, 0);
  if (g_bSsoSupported) WriteRadioValue(g_bRadioOff);
  RequestRescan();
}

void CSorvik2007Dlg::OnHelp() {
  OpenHelpFile(kHelpFile, SW_SHOWNORMAL);
  if (m_btnHelp) m_btnHelp->LoadIconPair(IDI_HOST_HELP, 0);
}
