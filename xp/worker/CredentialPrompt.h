// The two steps of a connection in Wavorel's station worker that may ask the
// user: the credential prompt (the host's secondary dialog 8, run as a modal
// prompt) and the logon credentials of single sign-on. Each answers
// kPromptOk, kPromptCancel (the user cancelled: the queue run ends) or
// kPromptNone (nothing was asked). UI thread.
#pragma once

#include "platform/Platform.h"
#include "worker/ProfileData.h"
#include "worker/StationHost.h"

// Shows the prompt of `host` with the one-time password form, the identity
// preset from `credentials` (its inner identity, else its identity), and
// waits for its answer while messages keep flowing. OK leaves the typed
// identity and password in `credentials`' identity/password pair and sets
// the apply-requested flag. kPromptNone without a host or prompt window; a
// prompt hidden or destroyed before it answered counts as cancelled.
int RunXpCredentialPrompt(CStationHost* host, _PROFILE_DATA& credentials);

// The logon credentials for an EAP-FAST or LEAP connection, by the single
// sign-on key: nothing is asked while single sign-on is not installed or
// off, nor when it uses the Winlogon or the profile's identity
// ("SavedPassword" "0", missing, or "1"); any other "SavedPassword" asks
// for a user name and password with the prompt's new-user form, which
// become `credentials`' identity/password pair.
int TakeXpLogonCredentials(CStationHost* host, _PROFILE_DATA& credentials);

// TRUE while one of the prompts above waits for its answer.
BOOL IsXpCredentialPromptRunning();
