// What the supplicant layer asks of Wavorel's station worker, answered by the
// worker and its host dialog; the worker registers one while it lives.
#pragma once

#include "xp/supplicant/SupplicantHost.h"

class CHideDlg;

class CWorkerSupplicantHost : public CSupplicantHost {
 public:
  explicit CWorkerSupplicantHost(CHideDlg& worker) : m_worker(worker) {}

  BOOL HasHostDialog() const override;
  HWND GetAuthStatusPage() const override;
  void ShowPage(int index) override;
  void ExpandHost() override;
  void PostMediaConnect() override;

 private:
  CHideDlg& m_worker;
};
