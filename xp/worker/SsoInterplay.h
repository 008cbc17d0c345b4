// Single sign-on as the XP build's profile activation and current-profile
// reader see it: the single sign-on key's values (HKEY_LOCAL_MACHINE, the key
// of station/profiles/PageSSODlg.h) and the Winlogon value "GinaDLL" that
// switches the logon component on. UI thread.
#pragma once

#include "platform/Platform.h"

// 1 when the last ReadSsoState found a cancelled single sign-on
// authentication; the current-profile reader clears it once it acted on it.
extern int g_bSsoCancelled;

// Sets g_bSsoCancelled from "SSOAuthenticationCancelled" ("0" = none) while
// "SSOEnable" is on, then waits 1000 ms; with "SSOEnable" "0" resets
// "SSOAuthenticationCancelled" to "0" without the wait. 0 when the key or
// "SSOEnable" cannot be read.
void ReadSsoState();
// Keeps single sign-on in step with the activation of profile
// `profileName`: a profile it cannot use (neither "AuthenProtocol" "3" nor
// "LeapEnabled" "1") switches it off (with the user told while it was on) and
// drops "GinaDLL"; every subkey of the single sign-on key goes; "CurProfile"
// and "ProfileName" name the profile while it is usable and on, else are
// emptied. Without single sign-on installed only "GinaDLL" goes. Registry
// failures end or skip their step.
void CheckSsoProfileRemoval(const CString& profileName);
// TRUE while the user is an administrator, Zero Configuration does not manage
// the adapter (`configToolMode` not 2) and "SSOInstall" reads "1".
BOOL IsSsoInstalledForMode(int configToolMode);
