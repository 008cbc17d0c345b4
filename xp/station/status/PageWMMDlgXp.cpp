// The WMM page's re-applied connection in Wavorel: the adapter associates
// again by driver codes, whether or not it had a link.
#include "station/status/PageWMMDlg.h"

void CPageWMMDlg::ReapplyConnection() { ReassociateByOids(); }
