#include "xp/worker/WorkerSupplicantHost.h"

#include "worker/HideDlg.h"

BOOL CWorkerSupplicantHost::HasHostDialog() const { return m_worker.HasHostDlg(); }

HWND CWorkerSupplicantHost::GetAuthStatusPage() const {
  CStationHost* host = m_worker.GetHost();
  CDialog* page = host ? host->GetSecondaryDialog(kHostDlgAuthenStatus) : nullptr;
  return page && IsWindow(page->GetSafeHwnd()) ? page->GetSafeHwnd() : nullptr;
}

void CWorkerSupplicantHost::ShowPage(int index) { m_worker.ShowPage(index); }

void CWorkerSupplicantHost::ExpandHost() {
  CStationHost* host = m_worker.GetHost();
  if (!host) return;
  g_bHostExpanded = 0;
  host->ToggleLayout();
}

void CWorkerSupplicantHost::PostMediaConnect() {
  if (IsWindow(m_worker.GetSafeHwnd())) ::PostMessage(m_worker.GetSafeHwnd(), WM_MEDIA_CONNECT_EVENT, 0, 0);
}
