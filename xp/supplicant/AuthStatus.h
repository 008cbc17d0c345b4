// Authentication progress of Wavorel: the port status callback turns the
// library's events into lines of the authentication status page (the
// worker's ring of 200 slots of 256 bytes, each line posted to the page as
// WM_AUTH_STATUS_EVENT with its slot), a failed authentication pulls the
// adapter off the network and asks for the credentials again, and after a
// successful one a thread of its own checks the link, the address, IPX and
// the domain controller and reports each result the same way.
#pragma once

#include "platform/Platform.h"

// The failure kinds of the last failed authentication (read by the
// credential re-entry dialog).
constexpr int kAuthFailureTimeout = 0;
constexpr int kAuthFailureInvalidCredentials = 1;
constexpr int kAuthFailureRejected = 2;
// Set by the profile page's activation: no failure of its own.
constexpr int kAuthFailureActivation = 3;

// Copies `text` (cut to 255 bytes) into the ring at the write index, under
// the ring's lock, and has the UI thread post the slot to the status page;
// the index moves on and wraps at 200. Any thread.
void PostAuthStatusText(LPCSTR text);
// The slot the next text goes to, 0..199.
int GetAuthStatusWriteIndex();

// The status callback of every attached port (library thread).
int SupplicantPortStatusCallback(void* context, int event);

// 1 once the state reached "authenticated".
int IsSupplicantAuthenticated();
// The credential re-entry dialog's OK resets it (and sets it again after a
// LEAP time-out).
void SetSupplicantAuthenticated(int authenticated);
int GetAuthFailureKind();
void SetAuthFailureKind(int kind);

// UI thread: posts a ring slot to the status page when the host, the page
// and its window exist.
void ForwardAuthStatusSlot(int slot);
// UI thread: the failure steps' driver writes (disassociate, then an SSID of
// 32 bytes 0x10), then ShowCredentialRetry.
void RunFailureSteps(int kind);
// UI thread: hides the host's secondary dialogs, shows the re-entry dialog
// and expands the host. Nothing without a host.
void ShowCredentialRetry();
// UI thread: the status page's clear button (1145): no re-association, the
// port stopped, the ring zeroed and its index reset, the worker's first page.
void SupplicantClearAuthStatus();

// The checks after a successful authentication, on their own thread; 999
// at once while a run is going on.
DWORD WINAPI PostAssociationChecks(LPVOID);
// Starts the checks thread unless one runs.
void StartPostAssociationChecks();
// Ends a run early (it stops at its next pause) and waits for its thread.
void StopPostAssociationChecks();
