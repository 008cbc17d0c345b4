// CPageAP_SecuritySetting's members of WavorelVista: entering the page sends
// nothing to the worker.
#include "frontend/PageAP_SecuritySetting.h"

LRESULT CPageAP_SecuritySetting::OnTabPageEnter(WPARAM, LPARAM) { return Default(); }
