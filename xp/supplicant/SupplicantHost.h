// What the supplicant layer asks of the station worker and its hidden host
// dialog. The XP station worker registers its implementation when it starts
// (SetSupplicantHost) and removes it when it ends; without one the status
// texts stay in the ring and nothing is shown. Every call is made on the UI
// thread.
#pragma once

#include "platform/Platform.h"

class CSupplicantHost {
 public:
  virtual ~CSupplicantHost() = default;
  // TRUE when the hidden host dialog exists.
  virtual BOOL HasHostDialog() const = 0;
  // The authentication status page's window, or null.
  virtual HWND GetAuthStatusPage() const = 0;
  // Hides the host's secondary dialogs and shows the one of `index`, which
  // becomes the worker's current-dialog index.
  virtual void ShowPage(int index) = 0;
  // Puts the host into its expanded layout (its flag cleared, then flipped).
  virtual void ExpandHost() = 0;
  // The worker's media-connect refresh (WM_MEDIA_CONNECT_EVENT).
  virtual void PostMediaConnect() = 0;
};

void SetSupplicantHost(CSupplicantHost* host);
CSupplicantHost* GetSupplicantHost();
