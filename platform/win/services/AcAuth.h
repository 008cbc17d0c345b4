// acAuth: the 802.1X, WPA and CCX supplicant library of the XP build. Every
// call returns a signed status word: 0 success; AC_ERR_ALREADY (-32) also
// counts as success except for acInit and acPortAttach; any other value is a
// failure. The simulated machine answers the calls (platform/sim/services/).
//
// Ports are the network interfaces the library knows: one per present
// adapter, a wired one and a WAN one that has no attributes. An attached port
// follows its adapter: an association to an 802.1X or pre-shared-key network
// runs the exchange on the port's own thread, which calls the port's status
// callback (events AC_PORT_EVENT_*) and asks for credentials through the
// credential callback; a request is answered with the acCred* calls and ended
// with acCredComplete, now or later (acCredDeferred) from any thread.
#pragma once

#include <cstdint>

// Status words.
#define AC_OK 0
#define AC_ERR_FAILED (-1)
#define AC_ERR_NOT_FOUND (-2)          // no such port, no more ports
#define AC_ERR_INVALID_HANDLE (-3)     // a null or stale port, object or request
#define AC_ERR_INVALID_PARAM (-4)
#define AC_ERR_NOT_INITIALIZED (-5)    // acInit has not run
#define AC_ERR_BUFFER_TOO_SMALL (-6)
#define AC_ERR_BUSY (-7)               // the port is attached already
#define AC_ERR_NO_RADIO_CFG (-8)       // the CCX version has no radio configuration
#define AC_ERR_NOT_CCX (-16)           // the port has no CCX
#define AC_ERR_NO_MATCH (-20)          // a server check did not match
#define AC_ERR_NO_MORE_FIELDS (-21)    // acCredServerGetField past the last field
#define AC_ERR_RADIO_CFG_CHANGED (-22) // the radio configuration was cut to what the port has: read it back
#define AC_ERR_ALREADY (-32)           // nothing to do (counts as success); acGetPortAttr: no attributes
#define AC_ERR_ANSWER_IGNORED (-35)    // the answer does not fit the request, which still waits for acCredComplete

// Library events (acInit's event callback; acEventString names them).
#define AC_EVENT_INIT 1
#define AC_EVENT_PORTS_CHANGED 2
// acNetCallback's network events.
#define AC_NET_EVENT_ADAPTERS_CHANGED 1

// Port status callback events and what to read then.
#define AC_PORT_EVENT_LINK 1    // acPortGetLinkState
#define AC_PORT_EVENT_STATE 2   // acPortGetState
#define AC_PORT_EVENT_STATUS 3  // acPortGetStatus

// acPortGetLinkState.
#define AC_LINK_NONE 0
#define AC_LINK_DOWN 1
#define AC_LINK_UP 2
// acPortGetState.
#define AC_STATE_STOPPED 0
#define AC_STATE_IDLE 1
#define AC_STATE_CONNECTING 3
#define AC_STATE_AUTHENTICATING 4
#define AC_STATE_AUTHENTICATED 5
#define AC_STATE_HELD 6     // the exchange failed
#define AC_STATE_PROGRESS 7 // a step of progress: read the status
// acPortGetStatus.
#define AC_STATUS_NONE 0
#define AC_STATUS_LINK_DOWN 2
#define AC_STATUS_STARTING_CONNECTION 3
#define AC_STATUS_REJECTED 301
#define AC_STATUS_INVALID_CREDENTIALS 302
#define AC_STATUS_TIMEOUT 305
#define AC_STATUS_FAST_PROVISIONED 317
#define AC_STATUS_PAC_INVALID 318
#define AC_STATUS_PAC_EXPIRED 319

// Credential request kinds.
#define AC_REQ_SESSION_START 2
#define AC_REQ_IDENTITY 3
#define AC_REQ_EAP_METHODS 4
#define AC_REQ_PASSWORD 5
#define AC_REQ_CHANGE_PASSWORD 6
#define AC_REQ_RETRY_PASSWORD 7
#define AC_REQ_SERVER_VERIFY 8
#define AC_REQ_USER_CERT 9
#define AC_REQ_EAP_NOTIFICATION 10
#define AC_REQ_FAST_PAC 11
#define AC_REQ_FAST_PAC_TYPES 12
#define AC_REQ_FAST_PAC_STORE 13
#define AC_REQ_FAST_PAC_REFRESH 14
#define AC_REQ_TTLS_METHOD 15
#define AC_REQ_CCX_ROGUE_AP 16
#define AC_REQ_MACHINE_IDENTITY 17
#define AC_REQ_FAST_PROVISION_MODES 18

// acCertUrlWin32String kinds: a certificate of the MY or the ROOT store.
#define AC_CERT_URL_MY 1
#define AC_CERT_URL_ROOT 3
// acCertGetField fields (also the server certificate's fields).
#define AC_CERT_FIELD_SUBJECT 0
#define AC_CERT_FIELD_ALT_NAME 1
#define AC_CERT_FIELD_ISSUER 2

// CCX radio configuration flags.
#define AC_CCX_MIXED_CELL 1
#define AC_CCX_NETWORK_EAP 2
#define AC_CCX_ROGUE_AP 4
#define AC_CCX_FAST_ROAM 8
#define AC_CCX_RADIO_MEAS 16

// Port capability bits (AC_PORT_ATTR::capabilities) and extra bits.
#define AC_CAP_8023 0x1u
#define AC_CAP_80211A 0x2u
#define AC_CAP_80211B 0x4u
#define AC_CAP_80211G 0x8u
#define AC_CAP_80211N 0x10u
#define AC_CAP_ENCR_NONE 0x100u
#define AC_CAP_ENCR_WEP 0x200u
#define AC_CAP_ENCR_TKIP 0x400u
#define AC_CAP_ENCR_AES 0x800u
#define AC_CAP_AUTH_OPEN 0x10000u
#define AC_CAP_AUTH_SHARED 0x20000u
#define AC_CAP_AUTH_WPA_1X 0x40000u
#define AC_CAP_AUTH_WPA_PSK 0x80000u
#define AC_CAP_AUTH_11I_1X 0x100000u
#define AC_CAP_AUTH_11I_PSK 0x200000u
#define AC_EXTRA_CMIC 0x1u
#define AC_EXTRA_CKIP 0x2u
#define AC_EXTRA_WPA_CCKM 0x100u
#define AC_EXTRA_11I_CCKM 0x200u

// Handles: 0 is none.
typedef uint32_t AC_HANDLE;  // an attached port
typedef uint32_t AC_OBJECT;  // a credential, certificate, PSK or PAC object

// The attribute record of a port: 280 bytes, little-endian.
struct AC_PORT_ATTR {
  char name[256];        // the adapter's description
  uint8_t mac[6];
  uint8_t spare[2];
  int32_t mtu;
  uint32_t capabilities;  // AC_CAP_*
  int32_t ccxVersion;     // 0: none
  uint32_t extra;         // AC_EXTRA_*
};
static_assert(sizeof(AC_PORT_ATTR) == 280, "the attribute record has 280 bytes");

// A credential request as the credential callback receives it.
struct AC_CRED_REQUEST {
  uint32_t id;       // the request
  uint32_t kind;     // AC_REQ_*
  uint32_t phase;    // nonzero in the inner (tunnelled) phase
  uint32_t eapType;  // the method of the exchange
  uint32_t reserved[2];
};

typedef int (*AC_PORT_STATUS_CALLBACK)(void* context, int event);
typedef int (*AC_CRED_CALLBACK)(void* context, AC_CRED_REQUEST* request);
struct AC_PORT_CALLBACKS {
  void* context;
  AC_PORT_STATUS_CALLBACK status;
  AC_CRED_CALLBACK credential;
};

typedef int (*AC_EVENT_CALLBACK)(int event);
typedef int (*AC_NET_CALLBACK)(int netEvent);
// The init record: the program's event callback and the library's acNetCallback.
struct AC_INIT {
  AC_EVENT_CALLBACK eventCallback;
  AC_NET_CALLBACK netCallback;
};

// The association record of acPortAssociate.
struct AC_ASSOCIATION {
  uint8_t ssid[32];
  uint32_t ssidLength;
  uint32_t authMode;  // 1 shared, 2 open, 10 WPA, 11 WPA-PSK, 20 WPA2, 21 WPA2-PSK
  uint32_t cipher;    // 1 none, 2 WEP, 3 TKIP, 4 AES
};

// Start-up.
int acInit(const AC_INIT* init);
int ac8021xInit();
int acRsnInit();
int acEapInitAll();
int acCcxInit();
int acNetCallback(int netEvent);
// The event's name, "AC_EVENT_..."; "UNKNOWN" for a number that is none.
const char* acEventString(int event);
int acDebugEnable(int level, int on);

// Ports.
int acGetNextPortSymName(char* name, uint32_t size);
int acGetPortAttr(const char* name, AC_PORT_ATTR* attr);
int acPortAttach(AC_HANDLE* port, const char* name, const AC_PORT_CALLBACKS* callbacks);
int acPortDetach(AC_HANDLE port);
int acPortAuth(AC_HANDLE port);
int acPortAssociate(AC_HANDLE port, const AC_ASSOCIATION* association);
int acPortDisassociate(AC_HANDLE port);
int acPortStop(AC_HANDLE port);
int acPortGetLinkState(AC_HANDLE port, uint32_t* state);
int acPortGetState(AC_HANDLE port, uint32_t* state);
int acPortGetStatus(AC_HANDLE port, uint32_t* status);

// Credential objects.
int acIdentityCreate(AC_OBJECT* identity, const char* text, uint32_t length);
int acIdentityDestroy(AC_OBJECT identity);
int acPasswordCreate(AC_OBJECT* password, const char* text, uint32_t length);
int acPasswordDestroy(AC_OBJECT password);
int acRsnPskCreate(AC_OBJECT* psk, const char* passphrase, uint32_t passphraseLength, const uint8_t* ssid,
                   uint32_t ssidLength);
int acRsnBinPskCreate(AC_OBJECT* psk, const uint8_t* key, uint32_t length);
int acRsnPskDestroy(AC_OBJECT psk);
int acCertUrlWin32String(int kind, const char* subject, char* url, uint32_t size);
int acCertCreate(AC_OBJECT* cert, const char* url, uint32_t length);
int acCertDestroy(AC_OBJECT cert);
int acCertGetField(AC_OBJECT cert, int field, char* text, uint32_t size);
int acEapFASTPacCreate(AC_OBJECT* pac, const uint8_t* key, uint32_t keyLength, const uint8_t* opaque,
                       uint32_t opaqueLength);
int acEapFASTPacDestroy(AC_OBJECT pac);

// CCX.
int acCcxEnable(AC_HANDLE port, int on);
int acCcxRogueApTimeout(AC_HANDLE port, uint32_t seconds);
int acCcxRadioCfg(AC_HANDLE port, uint32_t flags);
int acCcxGetRadioCfg(AC_HANDLE port, uint32_t* flags);

// Answers to a request.
int acCredIdentity(AC_HANDLE port, const AC_CRED_REQUEST* request, AC_OBJECT identity);
int acCredMachineIdentity(AC_HANDLE port, const AC_CRED_REQUEST* request, AC_OBJECT identity);
int acCredPassword(AC_HANDLE port, const AC_CRED_REQUEST* request, AC_OBJECT password);
int acCredEapSIM(AC_HANDLE port, const AC_CRED_REQUEST* request, AC_OBJECT sim);
// `methods`: `count` entries of two words {vendor 0, EAP type}; `final` 1.
int acCredEapMethods(AC_HANDLE port, const AC_CRED_REQUEST* request, const uint32_t* methods, uint32_t count,
                     int final);
int acCredUserCert(AC_HANDLE port, const AC_CRED_REQUEST* request, AC_OBJECT cert);
int acCredRsnPsk(AC_HANDLE port, AC_OBJECT psk);
int acCredSessionStart(AC_HANDLE port, const AC_CRED_REQUEST* request, uint32_t session);
int acCredCcxRogueAP(AC_HANDLE port, const AC_CRED_REQUEST* request);
int acCredServerVerifyChain(AC_HANDLE port, const AC_CRED_REQUEST* request);
int acCredServerVerifyCA(AC_HANDLE port, const AC_CRED_REQUEST* request, const char* caUrl);
int acCredServerVerifyDomain(AC_HANDLE port, const AC_CRED_REQUEST* request, const char* name, int field);
int acCredServerVerifyField(AC_HANDLE port, const AC_CRED_REQUEST* request, const char* name);
int acCredServerGetField(AC_HANDLE port, const AC_CRED_REQUEST* request, int field, char* text, uint32_t size);
int acCredServerVerified(AC_HANDLE port, const AC_CRED_REQUEST* request, int result);
int acCredEapFASTPacTypes(AC_HANDLE port, const AC_CRED_REQUEST* request, const uint32_t* types, uint32_t count);
int acCredEapFASTProvisionModes(AC_HANDLE port, const AC_CRED_REQUEST* request, const uint32_t* modes,
                                uint32_t count);
int acCredEapFASTPac(AC_HANDLE port, const AC_CRED_REQUEST* request, AC_OBJECT pac);
int acCredEapTTLSTunnelMethod(AC_HANDLE port, const AC_CRED_REQUEST* request, uint32_t method);
int acCredGetEapMethod(AC_HANDLE port, const AC_CRED_REQUEST* request, uint32_t* eapType);
int acCredGetEapFASTMode(AC_HANDLE port, const AC_CRED_REQUEST* request, uint32_t* mode);
int acCredGetEapFASTAID(AC_HANDLE port, const AC_CRED_REQUEST* request, uint8_t* aid, uint32_t size,
                        uint32_t* length);
int acCredGetEapNotification(AC_HANDLE port, const AC_CRED_REQUEST* request, char* text, uint32_t size);
int acCredGetIdentityPrompt(AC_HANDLE port, const AC_CRED_REQUEST* request, char* text, uint32_t size);
int acCredGetPasswordPrompt(AC_HANDLE port, const AC_CRED_REQUEST* request, char* text, uint32_t size);
// The PAC a provisioning request (AC_REQ_FAST_PAC_STORE) hands over.
int acCredGetEapFASTPacAID(AC_HANDLE port, const AC_CRED_REQUEST* request, uint8_t* data, uint32_t size,
                           uint32_t* length);
int acCredGetEapFASTPacIID(AC_HANDLE port, const AC_CRED_REQUEST* request, uint8_t* data, uint32_t size,
                           uint32_t* length);
int acCredGetEapFASTPacKey(AC_HANDLE port, const AC_CRED_REQUEST* request, uint8_t* data, uint32_t size,
                           uint32_t* length);
int acCredGetEapFASTPacOpaque(AC_HANDLE port, const AC_CRED_REQUEST* request, uint8_t* data, uint32_t size,
                              uint32_t* length);
int acCredGetEapFASTPacAIDInfo(AC_HANDLE port, const AC_CRED_REQUEST* request, char* text, uint32_t size);
int acCredGetEapFASTPacType(AC_HANDLE port, const AC_CRED_REQUEST* request, uint32_t* type);
// Seconds since 1970-01-01 UTC when the PAC expires.
int acCredGetEapFASTPacLifeTime(AC_HANDLE port, const AC_CRED_REQUEST* request, int64_t* expires);
int acCredDeferred(AC_HANDLE port, const AC_CRED_REQUEST* request);
int acCredComplete(AC_HANDLE port, const AC_CRED_REQUEST* request);

// IP state of the port's link.
int acIpIsConnected(AC_HANDLE port, int* connected);
int acIpDhcpIsEnabled(AC_HANDLE port, int* enabled);
int acIpGetConfig(AC_HANDLE port, uint8_t address[4]);
int acIpDhcpRenew(AC_HANDLE port);
