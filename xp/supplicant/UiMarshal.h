// The supplicant's window on the UI thread: the library's threads, the
// request thread and the checks never touch a window, the worker's queues
// or the driver request path; they post here, and the UI thread does it.
// Created by SupplicantInit (UI thread), destroyed by SupplicantClose.
#pragma once

#include "platform/Platform.h"

// The posted requests.
constexpr UINT WM_SUPPLICANT_STATUS_SLOT = WM_APP + 40;  // wParam: a ring slot for the status page
constexpr UINT WM_SUPPLICANT_FAILURE = WM_APP + 41;      // the failure steps (wParam: the failure kind)
constexpr UINT WM_SUPPLICANT_PROMPT = WM_APP + 42;       // show the password-change prompt
constexpr UINT WM_SUPPLICANT_MEDIA_CONNECT = WM_APP + 43;  // the worker's media-connect refresh

void UiMarshalCreate();
void UiMarshalDestroy();
// FALSE when the window does not exist (then nothing happens).
BOOL UiMarshalPost(UINT message, WPARAM wParam, LPARAM lParam);
