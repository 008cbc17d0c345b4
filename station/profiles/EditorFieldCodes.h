// The BRIDGE_UI_EDITOR_FIELD codes (36-84) the profile editor and its pages
// post to the front end's site editor, one control each.
#pragma once

#include "frontend/BridgeCodes.h"

constexpr UINT EDITOR_FIELD_PROFILE_NAME = 36;     // text
constexpr UINT EDITOR_FIELD_SSID = 37;             // text
constexpr UINT EDITOR_FIELD_CHANNEL = 38;          // text
constexpr UINT EDITOR_FIELD_NETWORK_TYPE = 39;     // "%d" 1 infrastructure, 0 ad hoc
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

static_assert(EDITOR_FIELD_PROFILE_NAME == BRIDGE_UI_EDITOR_FIELD, "the first editor field code");
