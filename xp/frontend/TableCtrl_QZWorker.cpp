// The station worker behind Wavorel's station tab control. Its worker (its
// own driver codes, host and pages) is not part of the program yet: nothing
// starts, so there is nothing to stop, to post to or to ask.
#include "frontend/TableCtrl_QZ.h"

void CTableCtrl_QZ::StartWorker() {}

void CTableCtrl_QZ::StopWorker() {}

void CTableCtrl_QZ::PostWorkerLaunchConfig() {}

BOOL CTableCtrl_QZ::IsWorkerProfileListed(LPCSTR) { return FALSE; }
