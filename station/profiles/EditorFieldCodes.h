// The BRIDGE_UI_EDITOR_FIELD codes (36-84) the profile editor and its pages
// post to the front end's site editor, one control each.
#pragma once

#include "frontend/BridgeCodes.h"

constexpr UINT EDITOR_FIELD_PROFILE_NAME = 36;     // text
constexpr UINT EDITOR_FIELD_SSID = 37;             // text
constexpr UINT EDITOR_FIELD_CHANNEL = 38;          // text
constexpr UINT EDITOR_FIELD_NETWORK_TYPE = 39;     // "%d" 1 infrastructure, 0 ad hoc
constexpr UINT EDITOR_FIELD_SECURITY_EDITOR_OPEN = 40;  // "": the security editor is shown
constexpr UINT EDITOR_FIELD_AUTHENTICATION = 41;   // "%d" 0..7
constexpr UINT EDITOR_FIELD_ENCRYPTION = 42;       // "%d" 0..3
constexpr UINT EDITOR_FIELD_USE_8021X = 43;        // "%d"
constexpr UINT EDITOR_FIELD_WPA_PSK = 44;          // text
constexpr UINT EDITOR_FIELD_TRANSMIT_KEY = 45;     // "%d" 0..3
constexpr UINT EDITOR_FIELD_KEY1_FORMAT = 46;      // "%d" 0 hexadecimal, 1 ASCII; keys 1-4: 46-49
constexpr UINT EDITOR_FIELD_KEY1 = 50;             // text; keys 1-4: 50-53
constexpr UINT EDITOR_FIELD_LEAP_IDENTITY = 54;    // text
constexpr UINT EDITOR_FIELD_LEAP_PASSWORD = 55;    // text
constexpr UINT EDITOR_FIELD_LEAP_DOMAIN = 56;      // text
constexpr UINT EDITOR_FIELD_LEAP_ENCRYPTION = 57;  // "%d" 0..2
constexpr UINT EDITOR_FIELD_LEAP_MODE = 58;        // "%d"
// The 802.1X page and its sub-pages.
constexpr UINT EDITOR_FIELD_SESSION_RESUMPTION = 59;   // "%d"
constexpr UINT EDITOR_FIELD_EAP_METHOD = 60;           // "%d" 0..4
constexpr UINT EDITOR_FIELD_INNER_METHOD = 61;         // "%d" 0..2
constexpr UINT EDITOR_FIELD_TTLS_INNER_METHOD = 62;    // "%d" 0..4
constexpr UINT EDITOR_FIELD_IDENTITY = 63;             // text
constexpr UINT EDITOR_FIELD_PASSWORD = 64;             // text
constexpr UINT EDITOR_FIELD_TUNNEL_IDENTITY = 65;      // text
constexpr UINT EDITOR_FIELD_TUNNEL_PASSWORD = 66;      // text
constexpr UINT EDITOR_FIELD_DOMAIN = 67;               // text
constexpr UINT EDITOR_FIELD_PASSWORD_MODE = 68;        // "%d" 0 soft token, 1 static password
constexpr UINT EDITOR_FIELD_USE_CLIENT_CERT = 69;      // "%d"
constexpr UINT EDITOR_FIELD_CLIENT_ISSUED_TO = 70;     // text; 70-73 issued to, by, expiry, friendly name
constexpr UINT EDITOR_FIELD_CLIENT_CERT_LIST = 74;     // the rows, "\r\n" between them
constexpr UINT EDITOR_FIELD_USE_SERVER_CERT = 75;      // "%d"
constexpr UINT EDITOR_FIELD_INTERMEDIATE_CERT = 76;    // "%d"
constexpr UINT EDITOR_FIELD_SERVER_NAME = 77;          // text
constexpr UINT EDITOR_FIELD_NAME_RULE = 78;            // "%d"
constexpr UINT EDITOR_FIELD_SERVER_CERT_LIST = 79;     // the rows, "\r\n" between them
constexpr UINT EDITOR_FIELD_ALLOW_UNAUTH_PROVISION = 80;  // "%d"
constexpr UINT EDITOR_FIELD_USE_PAC = 81;              // "%d"
constexpr UINT EDITOR_FIELD_PROVISIONING_TUNNEL = 82;  // "%d" 0..2
constexpr UINT EDITOR_FIELD_PAC_PATH = 83;             // text
constexpr UINT EDITOR_FIELD_PROVISIONING_SHOWN = 84;   // "%d"

static_assert(EDITOR_FIELD_PROFILE_NAME == BRIDGE_UI_EDITOR_FIELD, "the first editor field code");
