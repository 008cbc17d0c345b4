// The supplicant's request thread: credential requests that need the user, a
// file or a slow check are deferred by the credential callback and handed
// through a mailbox of 10 records of 28 bytes to this thread, which answers
// them and completes them. A password change runs on a thread of its own: it
// has the UI thread show the prompt and waits for its answer (OK, Cancel,
// EndPromptDialog, or the request thread's stop, which ends it with 2).
#pragma once

#include "platform/Platform.h"
#include "platform/win/services/AcAuth.h"

struct _PM_PORT;

constexpr int kUiMailboxSlots = 10;
constexpr int kPromptNone = 0;
constexpr int kPromptOk = 1;
constexpr int kPromptCancel = 2;

BOOL UiThreadStart();
// Refuses further requests, ends a prompt that waits with 2, puts the stop
// record, waits for the thread and destroys the mailbox.
void UiThreadStop();
BOOL IsUiThreadRunning();
// TRUE while a request that was put is not yet answered.
BOOL IsUiRequestPending();
// 0 when the record was put, -1 when it could not be; 0 without putting for
// an empty request or port.
int PostCredRequest(const AC_CRED_REQUEST* request, const _PM_PORT* port);
// Answers one request on the request thread.
void DispatchUiRequest(_PM_PORT* port, const AC_CRED_REQUEST& request);

// The password change (thread routine): 1 when a new password was taken, 2
// when the prompt was cancelled or ended.
DWORD WINAPI StoreChangedPassword(LPVOID);
// Waits for the prompt's answer: 1 or 2.
int RunPromptDialogLoop();
// UI thread: ends a waiting prompt with 2 and hands the pages back.
void EndPromptDialog();
// UI thread: shows the password-change prompt (secondary dialog 8) when the
// host exists.
void ShowPasswordPrompt();
// UI thread: the prompt's OK (kPromptOk, with the typed identity and
// password, which become the profile's) or Cancel (kPromptCancel).
void AnswerPasswordPrompt(int result, LPCSTR identity, LPCSTR password);
// 1 while a password change is in progress.
int IsPromptActive();
