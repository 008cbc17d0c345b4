// Commands 32774 and 32775 in WavorelVista: the Native Wi-Fi service keeps
// the adapter, so there is nothing to hand over, nothing to release before
// AP mode, and the tray menu offers no choice of configuration tool.
#include "worker/HideDlg.h"

void CHideDlg::OnUseZeroConfig() {}

void CHideDlg::OnUseUtilityConfig() {}

BOOL CHideDlg::TakesAdapterOnCreation() const { return TRUE; }

void CHideDlg::ReleaseAdapterForApMode() {}

UINT CHideDlg::TrayMenuId(BOOL offerAp) { return offerAp ? IDR_WORKER_MENU_AP : IDR_WORKER_MENU; }
