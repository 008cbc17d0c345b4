// CAuthenStatusDlg in WavorelVista: its template has only OK and Cancel.
#include "station/profiles/AuthenStatusDlg.h"

BOOL CAuthenStatusDlg::OnBuildButton(UINT) { return FALSE; }
