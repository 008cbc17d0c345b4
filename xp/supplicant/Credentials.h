// The supplicant's credentials: the current profile becomes the current
// port's association record and credential objects before the port
// connects, and the library's credential requests are answered from them
// or deferred to the request thread (UiRequestThread.h).
#pragma once

#include <cstdint>

#include "platform/Platform.h"
#include "platform/win/services/AcAuth.h"

struct _PM_PORT;

// Only with a current port and profile: the old objects go, the port is set
// up from the profile, and the library's debug levels 1..18 are enabled.
void SupplicantApplyConfig();
// Destroys the current port's objects and zeroes its settings.
void DestroyCredentials();
void SupplicantSetupPort();
void FillAssociation();
void CreatePsk();
void CreateCredentials();
// The credential callback of every attached port (library thread).
int SupplicantCredentialCallback(void* context, AC_CRED_REQUEST* request);
// The server certificate check (request thread): the library's status of a
// check that failed, else that of acCredServerVerified.
int VerifyServerCertificate(_PM_PORT* port, const AC_CRED_REQUEST& request);

// An object made by `create` from a text field of `size` bytes, read to its
// first zero or its end; 0 for an empty text or a refused one.
AC_OBJECT CreateTextObject(int (*create)(AC_OBJECT*, const char*, uint32_t), const char* text, size_t size);
