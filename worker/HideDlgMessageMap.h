// The entries of CHideDlg's message map that both programs share; each build
// writes its map (vista/HideDlgPoll.cpp, xp/worker/HideDlgPollXp.cpp) with
// these and the handlers of its own driver events.
#pragma once

#include "frontend/UiBridge.h"
#include "worker/HideDlg.h"

#define HIDE_DLG_SHARED_MESSAGE_ENTRIES()                                  \
  ON_WM_PAINT()                                                            \
  ON_WM_TIMER()                                                            \
  ON_WM_DESTROY()                                                          \
  ON_COMMAND(ID_WORKER_LAUNCH_CONFIG, &CHideDlg::OnLaunchConfigUtilities)  \
  ON_COMMAND(ID_WORKER_EXIT, &CHideDlg::OnExit)                            \
  ON_COMMAND(ID_WORKER_SWITCH_TO_AP, &CHideDlg::OnSwitchToApMode)          \
  ON_COMMAND(ID_WORKER_USE_QZCONFIG, &CHideDlg::OnUseUtilityConfig)        \
  ON_COMMAND(ID_WORKER_USE_ZERO_CONFIG, &CHideDlg::OnUseZeroConfig)        \
  ON_MESSAGE(WM_DRIVER_MESSAGE_EVENT, &CHideDlg::OnDriverMessageEvent)     \
  ON_MESSAGE(WM_UIBRIDGE, &CHideDlg::OnUIBridge)
