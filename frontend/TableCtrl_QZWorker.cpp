// The station worker behind the station tab control: CHideDlg (each program
// its own build of it).
#include "frontend/TableCtrl_QZ.h"
#include "worker/HideDlg.h"
#include "worker/StationHost.h"

void CTableCtrl_QZ::StartWorker() { CreateHideDlg(); }

void CTableCtrl_QZ::StopWorker() { DestroyHideDlg(); }

void CTableCtrl_QZ::PostWorkerLaunchConfig() { PostToHideDlg(WM_COMMAND, ID_WORKER_LAUNCH_CONFIG, 0); }

BOOL CTableCtrl_QZ::IsWorkerProfileListed(LPCSTR ssid) { return IsStationProfileListed(ssid); }
