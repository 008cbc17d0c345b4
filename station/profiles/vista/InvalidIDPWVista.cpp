// CInvalidIDPW's buttons in WavorelVista: OK takes the dialog data, Cancel
// hands back to the host's first secondary dialog.
#include "station/profiles/InvalidIDPW.h"
#include "worker/HideDlg.h"
#include "worker/StationHost.h"

BEGIN_MESSAGE_MAP(CInvalidIDPW, CDialog)
  ON_WM_PAINT()
  ON_BN_CLICKED(IDC_INVALID_OK, &CInvalidIDPW::OnOkClicked)
  ON_BN_CLICKED(IDC_INVALID_CANCEL, &CInvalidIDPW::OnCancelClicked)
END_MESSAGE_MAP()

void CInvalidIDPW::OnOkClicked() { OnOK(); }

void CInvalidIDPW::OnCancel() {
  if (g_pHideDlg) g_pHideDlg->ShowPage(kHostDlgLinkStatus);
}
