// Commands 32774 and 32775 in WavorelVista: the Native Wi-Fi service keeps
// the adapter, so there is nothing to hand over.
#include "worker/HideDlg.h"

void CHideDlg::OnUseZeroConfig() {}

void CHideDlg::OnUseUtilityConfig() {}
