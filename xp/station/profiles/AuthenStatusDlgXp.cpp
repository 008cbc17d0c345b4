// CAuthenStatusDlg in Wavorel: the clear button (1145) ends what the log
// follows. The supplicant layer stops the port (no re-association after it),
// empties the ring and resets its write index, and the host returns to its
// first secondary dialog; the page starts its log and its slot count anew.
#include "station/profiles/AuthenStatusDlg.h"
#include "xp/supplicant/AuthStatus.h"

BOOL CAuthenStatusDlg::OnBuildButton(UINT id) {
  if (id != IDC_AUTHEN_CLEAR) return FALSE;
  SupplicantClearAuthStatus();
  s_nRingIndex = 0;
  ReadNames();
  return TRUE;
}
