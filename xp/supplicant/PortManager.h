// The supplicant of Wavorel: start-up and end of the acAuth library, and the
// port manager that keeps one record per attached port (its handle,
// attributes, association record and credential objects). The station worker
// calls SupplicantInit and SupplicantSelectAdapter when it (re)initialises the
// adapter, SupplicantApplyConfig (Credentials.h) and pmStart when it applies a
// profile, pmStop before WPS, a profile change or AP mode, and
// SupplicantRelease when it gives the adapter away.
//
// The port list and the current port are guarded by the manager lock (an
// auto-reset event used as a mutex). The list owns the records; a record goes
// when its reference count reaches 0. The status and credential callbacks run
// on the library's threads and read the current port without the lock; the
// request thread holds a reference while it answers (pmPortAddRef).
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/Platform.h"
#include "platform/win/services/AcAuth.h"
#include "worker/ProfileData.h"

constexpr size_t kPortNameSize = 64;
constexpr size_t kCredentialTextSize = 128;
constexpr size_t kTrustedCaSize = 100;
constexpr size_t kServerNameSize = 256;

// EAP types (IANA) of the port's exchange.
constexpr uint32_t kEapTypeMd5 = 4;
constexpr uint32_t kEapTypeTls = 13;
constexpr uint32_t kEapTypeLeap = 17;
constexpr uint32_t kEapTypeSim = 18;
constexpr uint32_t kEapTypeTtls = 21;
constexpr uint32_t kEapTypePeap = 25;
constexpr uint32_t kEapTypeFast = 43;

// What SupplicantApplyConfig turns the current profile into: everything of a
// port record from its PSK flag on (DestroyCredentials zeroes it).
struct PM_PORT_CONFIG {
  uint32_t Psk = 0;           // a PSK object is handed over before association
  uint32_t Authenticate = 0;  // acPortAuth and acPortAssociate on connect
  uint32_t Session = 0;       // to acCredSessionStart
  uint32_t BssMode = 0;       // 1 infrastructure, 2 ad hoc
  AC_ASSOCIATION Association{};
  AC_OBJECT PskObject = 0;
  // 802.1X settings.
  uint32_t EapType = 0;
  uint32_t InnerMethod = 0;   // PEAP / EAP-FAST inner EAP type
  uint32_t InnerMethod2 = 0;  // EAP-FAST second inner EAP type
  uint32_t TtlsInner = 0;     // 1..5
  int32_t FastChoice1 = 0;    // use of a PAC
  int32_t FastChoice2 = 0;    // provisioning mode
  AC_OBJECT OuterIdentity = 0;
  AC_OBJECT InnerIdentity = 0;
  AC_OBJECT Password = 0;
  AC_OBJECT Certificate = 0;
  AC_OBJECT SimObject = 0;
  AC_OBJECT MachineIdentity = 0;
  char OuterIdentityText[kCredentialTextSize] = {};
  // Server checks.
  uint32_t ChainCheck = 0;
  char TrustedCa[kTrustedCaSize] = {};
  char DomainCheckName[kServerNameSize] = {};
  uint32_t DomainCheck = 0;
  char FieldCheckName[kServerNameSize] = {};
  uint32_t FieldCheck = 0;
  // Two words handed to the library as they stand.
  uint32_t Word8 = 0;
  uint32_t Word1 = 0;
};

struct _PM_PORT {
  int32_t RefCount = 1;
  AC_PORT_CALLBACKS Callbacks{};
  AC_HANDLE Handle = 0;
  char SymName[kPortNameSize] = {};
  AC_PORT_ATTR Attr{};
  uint32_t RadioFlags = 0;  // AC_CCX_*
  uint32_t Started = 0;
  PM_PORT_CONFIG Config;
};

// ---- Module state ----
// The port the program works with; null when none is attached.
_PM_PORT* GetCurrentPort();
// The profile the supplicant applies (owned by the caller, normally the
// worker's current profile); null for none. UI thread.
void SupplicantSetCurrentProfile(_PROFILE_DATA* profile);
_PROFILE_DATA* SupplicantGetCurrentProfile();
// 1 after SupplicantRelease; cleared by an authentication failure and the
// status page's clear button; read by the rogue-AP answer.
extern volatile int g_nReassociate;

// ---- Start-up and end ----
BOOL SupplicantInit();
// TRUE from a SupplicantInit that got as far as the port manager until
// SupplicantClose.
BOOL SupplicantIsInitialised();
BOOL SupplicantSelectAdapter();
void SupplicantRelease();
// Ends the request thread first, then detaches every port and closes the
// lock: nothing is released after pmCleanup.
void SupplicantClose();

// ---- Port manager ----
BOOL pmInit();
void pmCleanup();
BOOL pmAttachAdapterPort(const BYTE mac[6]);
BOOL pmPortAttach(LPCSTR name);
BOOL pmPortDetach();
// pmConnect's status for the current port (0: connected); 1 for a port
// already started; 0 without a current port or lock, as its callers expect.
int pmStart();
BOOL pmStop();
int pmConnect(_PM_PORT* port);
_PM_PORT* pmPortAlloc();
void pmPortRelease(_PM_PORT* port);
BOOL pmPortAddRef(_PM_PORT* port);
BOOL pmPortDropRef(_PM_PORT* port);
BOOL pmValid(const _PM_PORT* port);
BOOL pmLock();
void pmUnlock();

BOOL IsAcFailure(int status);
void SetCcxRadioConfig(_PM_PORT* port);
// The port's attributes as lines of text (written to standard output on attach).
CString FormatPortAttributes(const _PM_PORT* port);
void PrintPortAttributes(const _PM_PORT* port);
// Appends `text` to the trace file while tracing is on.
void SupplicantTrace(LPCSTR text);
