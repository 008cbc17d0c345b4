#include "worker/StationHost.h"

#include "worker/HideDlg.h"

int g_bHostExpanded = 0;
int g_bRadioOff = 0;
int g_bSsoSupported = 0;

namespace {

StationHostFactory g_hostFactory = nullptr;

}  // namespace

void SetStationHostFactory(StationHostFactory factory) { g_hostFactory = factory; }

std::unique_ptr<CStationHost> MakeStationHost() { return g_hostFactory ? g_hostFactory() : nullptr; }

CStationHost* GetStationHost() { return g_pHideDlg ? g_pHideDlg->GetHost() : nullptr; }

BOOL IsStationProfileListed(LPCSTR ssid) {
  CStationHost* host = GetStationHost();
  if (!host) return FALSE;
  CDialog* page = host->GetTabPage(kHostTabProfile);
  if (!page || !IsWindow(page->GetSafeHwnd())) return FALSE;
  return host->IsProfileListed(ssid);
}
