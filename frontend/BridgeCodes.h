// Codes of the UI bridge (WM_UIBRIDGE wParam). A number means one thing on
// the way to a worker (BRIDGE_CMD_*) and another on the way to the front end
// (BRIDGE_UI_*). Rows and indexes are zero-based; "%d" values are read with
// atoi. A family of codes is named by its first code; NAME_LAST is its last,
// and the n-th member (n from 0) is NAME + n.
#pragma once

#include "platform/Platform.h"

// ---- Front end to worker -------------------------------------------------

// Ranges taken by each worker's receiver.
constexpr UINT BRIDGE_CMD_STATION_FIRST = 1;
constexpr UINT BRIDGE_CMD_STATION_LAST = 72;
constexpr UINT BRIDGE_CMD_AP_FIRST = 73;
constexpr UINT BRIDGE_CMD_AP_LAST = 98;

// Station worker.
constexpr UINT BRIDGE_CMD_SET_PSP_XLINK = 1;            // "%d" 0/1
constexpr UINT BRIDGE_CMD_STATISTICS_POLL = 2;          // "%d" 1 start, 0 stop
constexpr UINT BRIDGE_CMD_RESCAN = 3;                   // "%d" 0
constexpr UINT BRIDGE_CMD_SELECT_BSS = 4;               // "%d" row
constexpr UINT BRIDGE_CMD_QUERY_CONNECT_ENABLE = 5;     // "%d" 0
constexpr UINT BRIDGE_CMD_CONNECT_BSS_DIRECT = 6;       // "%d"
constexpr UINT BRIDGE_CMD_ADD_BSS_TO_PROFILE = 7;       // "%d" row
constexpr UINT BRIDGE_CMD_CONNECT_BSS = 8;              // "%d" row
constexpr UINT BRIDGE_CMD_SELECT_PROFILE = 9;           // "%d" row
constexpr UINT BRIDGE_CMD_ACTIVATE_PROFILE = 10;        // "%d" row
constexpr UINT BRIDGE_CMD_PROFILE_MOVE_UP = 11;         // ""
constexpr UINT BRIDGE_CMD_PROFILE_MOVE_DOWN = 12;       // ""
constexpr UINT BRIDGE_CMD_PROFILE_NEW = 13;             // ""
constexpr UINT BRIDGE_CMD_PROFILE_MODIFY = 14;          // ""
constexpr UINT BRIDGE_CMD_PROFILE_DELETE = 15;          // ""
constexpr UINT BRIDGE_CMD_CLEAR_STATISTICS = 16;        // "%d" 0
constexpr UINT BRIDGE_CMD_EDITOR_OK = 17;               // "%d" 1 profile editor, 0 security editor
constexpr UINT BRIDGE_CMD_EDITOR_CANCEL = 18;           // "%d" as code 17
constexpr UINT BRIDGE_CMD_EDITOR_PROFILE_NAME = 19;     // text
constexpr UINT BRIDGE_CMD_EDITOR_SSID = 20;             // text
constexpr UINT BRIDGE_CMD_EDITOR_NETWORK_TYPE = 21;     // "%d" index
constexpr UINT BRIDGE_CMD_EDITOR_CHANNEL = 22;          // "%d" index
constexpr UINT BRIDGE_CMD_EDITOR_SECURITY_FIELD = 23;   // int or text, one field per code
constexpr UINT BRIDGE_CMD_EDITOR_SECURITY_FIELD_LAST = 42;
constexpr UINT BRIDGE_CMD_EDITOR_8021X_IDPW_FIELD = 43;
constexpr UINT BRIDGE_CMD_EDITOR_8021X_IDPW_FIELD_LAST = 48;
constexpr UINT BRIDGE_CMD_EDITOR_CLIENT_CERT_FIELD = 49;
constexpr UINT BRIDGE_CMD_EDITOR_CLIENT_CERT_FIELD_LAST = 51;
constexpr UINT BRIDGE_CMD_EDITOR_SERVER_CERT_FIELD = 52;
constexpr UINT BRIDGE_CMD_EDITOR_SERVER_CERT_FIELD_LAST = 57;
constexpr UINT BRIDGE_CMD_EDITOR_EAPFAST_FIELD = 58;
constexpr UINT BRIDGE_CMD_EDITOR_EAPFAST_FIELD_LAST = 61;
constexpr UINT BRIDGE_CMD_EAPFAST_BUTTON1 = 62;         // "%d"
constexpr UINT BRIDGE_CMD_EAPFAST_BUTTON2 = 63;         // "%d"
constexpr UINT BRIDGE_CMD_WPS_SELECT_AP = 64;           // "%d" row
constexpr UINT BRIDGE_CMD_WPS_SELECT_PROFILE = 65;      // "%d" row
constexpr UINT BRIDGE_CMD_WPS_CONFIG_MODE = 66;         // "%d" index
constexpr UINT BRIDGE_CMD_WPS_RENEW_PIN = 67;           // ""
constexpr UINT BRIDGE_CMD_WPS_RESCAN = 68;              // ""
constexpr UINT BRIDGE_CMD_WPS_PBC = 69;                 // ""
constexpr UINT BRIDGE_CMD_WPS_CONNECT = 70;             // ""
constexpr UINT BRIDGE_CMD_WPS_DISCONNECT = 71;          // ""
constexpr UINT BRIDGE_CMD_WPS_PIN = 72;                 // ""

// AP worker.
constexpr UINT BRIDGE_CMD_PAGE_CHANGED = 73;            // "%d" page index
constexpr UINT BRIDGE_CMD_AP_WIRELESS_MODE = 74;        // "%d" index
constexpr UINT BRIDGE_CMD_AP_SSID = 75;                 // text
constexpr UINT BRIDGE_CMD_AP_CHANNEL = 76;              // "%d" index
constexpr UINT BRIDGE_CMD_AP_APPLY_CONFIG = 77;         // ""
constexpr UINT BRIDGE_CMD_AP_RESTORE_DEFAULT = 78;      // ""
constexpr UINT BRIDGE_CMD_AP_AUTH_TYPE = 79;            // "%d" index
constexpr UINT BRIDGE_CMD_AP_ENCRYPTION = 80;           // "%d" index
constexpr UINT BRIDGE_CMD_AP_WPA_PSK = 81;              // text
constexpr UINT BRIDGE_CMD_AP_WEP_KEY_INDEX = 82;        // "%d" radio group index 0-3
constexpr UINT BRIDGE_CMD_AP_WEP_KEY_TYPE = 83;         // "%d" index, keys 1-4
constexpr UINT BRIDGE_CMD_AP_WEP_KEY_TYPE_LAST = 86;
constexpr UINT BRIDGE_CMD_AP_WEP_KEY = 87;              // text, keys 1-4
constexpr UINT BRIDGE_CMD_AP_WEP_KEY_LAST = 90;
constexpr UINT BRIDGE_CMD_AP_APPLY_SECURITY = 91;       // ""
constexpr UINT BRIDGE_CMD_ACL_POLICY = 92;              // "%d" index
constexpr UINT BRIDGE_CMD_ACL_APPLY = 93;               // ""
constexpr UINT BRIDGE_CMD_ACL_SELECT = 94;              // "%d" row
constexpr UINT BRIDGE_CMD_ACL_ADD = 95;                 // ""
constexpr UINT BRIDGE_CMD_ACL_MAC_TEXT = 96;            // text
constexpr UINT BRIDGE_CMD_ACL_DELETE = 97;              // ""
constexpr UINT BRIDGE_CMD_ACL_REMOVE_ALL = 98;          // ""

// ---- Worker to front end -------------------------------------------------

// Ranges taken by each tab control's receiver: the station tab control
// takes 1-96, the AP tab control 1, 2 and 97-159.
constexpr UINT BRIDGE_UI_STATION_FIRST = 1;
constexpr UINT BRIDGE_UI_STATION_LAST = 96;
constexpr UINT BRIDGE_UI_AP_FIRST = 97;
constexpr UINT BRIDGE_UI_AP_LAST = 159;

// "%02d%s": the state (tray frame index) and the status text. Station states:
// 0 Disconnected, 1 Not Exist, 2 WEP Error, 3 Good, 4 Normal, 5 Weak; AP
// states: 0 Lost, 1 Not Exist, 3 Good, 4 Normal, 5 Weak.
constexpr UINT BRIDGE_UI_CONNECTION_STATE = 1;
constexpr UINT BRIDGE_UI_MESSAGE_BOX = 2;               // "%d\r\n%s\r\n%s", sent
constexpr UINT BRIDGE_UI_LINK_QUALITY = 3;              // "%d" percent
constexpr UINT BRIDGE_UI_SIGNAL_STRENGTH = 4;           // "%d" percent
constexpr UINT BRIDGE_UI_LINK_STATUS = 5;               // text
constexpr UINT BRIDGE_UI_LINK_SSID = 6;
constexpr UINT BRIDGE_UI_LINK_BSSID = 7;
constexpr UINT BRIDGE_UI_LINK_AUTH_TYPE = 8;
constexpr UINT BRIDGE_UI_LINK_ENCRYPTION = 9;
constexpr UINT BRIDGE_UI_LINK_NETWORK_TYPE = 10;
constexpr UINT BRIDGE_UI_LINK_IP_ADDRESS = 11;
constexpr UINT BRIDGE_UI_LINK_SUBNET_MASK = 12;
constexpr UINT BRIDGE_UI_LINK_GATEWAY = 13;
constexpr UINT BRIDGE_UI_LINK_LINK_SPEED = 14;
constexpr UINT BRIDGE_UI_LINK_RX_THROUGHPUT = 15;
constexpr UINT BRIDGE_UI_LINK_TX_THROUGHPUT = 16;
constexpr UINT BRIDGE_UI_STAT_TX_SUCCESS = 17;          // text
constexpr UINT BRIDGE_UI_STAT_TX_REPEAT = 18;
constexpr UINT BRIDGE_UI_STAT_TX_RETRY_ERROR = 19;
constexpr UINT BRIDGE_UI_STAT_RTS_CORRECTION = 20;
constexpr UINT BRIDGE_UI_STAT_TRS_ERROR = 21;
constexpr UINT BRIDGE_UI_STAT_RX_SUCCESS = 22;
constexpr UINT BRIDGE_UI_STAT_RX_CRC = 23;
constexpr UINT BRIDGE_UI_STAT_RX_PACKET_LOSS = 24;
constexpr UINT BRIDGE_UI_STAT_RX_REPEAT = 25;
constexpr UINT BRIDGE_UI_SURVEY_ROW = 26;               // text, "" clears
constexpr UINT BRIDGE_UI_SURVEY_MARK_CONNECTED = 27;    // "%d" row
constexpr UINT BRIDGE_UI_BSS_DETAIL = 28;               // text
constexpr UINT BRIDGE_UI_CONNECT_ENABLE = 29;           // "%d" 0/1
constexpr UINT BRIDGE_UI_SURVEY_SAVE_REQUEST = 30;      // "%d"
constexpr UINT BRIDGE_UI_PROFILE_ROW = 31;              // text, "" clears
constexpr UINT BRIDGE_UI_PROFILE_ROW_STATE = 32;        // row "\r\n" state
constexpr UINT BRIDGE_UI_PROFILE_DETAIL = 33;           // text
constexpr UINT BRIDGE_UI_PROFILE_SELECT = 34;           // "%d" row
constexpr UINT BRIDGE_UI_EDITOR_OPEN = 35;              // ""
constexpr UINT BRIDGE_UI_EDITOR_FIELD = 36;             // int or text, one editor control each
constexpr UINT BRIDGE_UI_EDITOR_FIELD_LAST = 84;
constexpr UINT BRIDGE_UI_WPS_AP_ROW = 85;               // text
constexpr UINT BRIDGE_UI_WPS_PROGRESS = 86;             // "%d" 0-100
constexpr UINT BRIDGE_UI_WPS_PROFILE_ROW = 87;          // text
constexpr UINT BRIDGE_UI_WPS_SELECT = 88;               // "%d": high 16 bits list, low 16 bits row
constexpr UINT BRIDGE_UI_WPS_CONFIG_MODE = 89;          // "%d"
constexpr UINT BRIDGE_UI_WPS_PIN_CODE = 90;             // text
constexpr UINT BRIDGE_UI_WPS_RENEW_ENABLE = 91;         // "%d" 0/1
constexpr UINT BRIDGE_UI_WPS_BUTTON_ENABLE = 92;        // "%d" 0/1: Rescan, PBC, Connect, Disconnect, PIN
constexpr UINT BRIDGE_UI_WPS_BUTTON_ENABLE_LAST = 96;
constexpr UINT BRIDGE_UI_AP_MODE_LIST = 97;             // text
constexpr UINT BRIDGE_UI_AP_MODE_ITEM = 98;             // text key, translated by the receiver
constexpr UINT BRIDGE_UI_AP_MODE_SELECT = 99;           // "%d"
constexpr UINT BRIDGE_UI_AP_SSID = 100;                 // text
constexpr UINT BRIDGE_UI_AP_CHANNEL_CLEAR = 101;        // ""
constexpr UINT BRIDGE_UI_AP_CHANNEL_ITEM = 102;         // text
constexpr UINT BRIDGE_UI_AP_CHANNEL_ENABLE = 103;       // "%d"
constexpr UINT BRIDGE_UI_AP_CHANNEL_SELECT = 104;       // "%d"
constexpr UINT BRIDGE_UI_AP_AUTH_CLEAR = 105;           // ""
constexpr UINT BRIDGE_UI_AP_AUTH_ITEM = 106;            // text
constexpr UINT BRIDGE_UI_AP_AUTH_SELECT = 107;          // "%d"
constexpr UINT BRIDGE_UI_AP_ENC_CLEAR = 108;            // ""
constexpr UINT BRIDGE_UI_AP_ENC_ITEM = 109;             // text
constexpr UINT BRIDGE_UI_AP_ENC_SELECT = 110;           // "%d"
constexpr UINT BRIDGE_UI_AP_WPA_PSK = 111;              // text
constexpr UINT BRIDGE_UI_AP_PSK_ENABLE = 112;           // "%d"
constexpr UINT BRIDGE_UI_AP_KEY_INDEX = 113;            // "%d"
constexpr UINT BRIDGE_UI_AP_CONTROL_ENABLE = 114;       // "%d" 0/1, eight controls (114 + n)
constexpr UINT BRIDGE_UI_AP_CONTROL_ENABLE_LAST = 121;
constexpr UINT BRIDGE_UI_AP_WEP_KEY_TYPE = 122;         // "%d", keys 1-4
constexpr UINT BRIDGE_UI_AP_WEP_KEY_TYPE_LAST = 125;
constexpr UINT BRIDGE_UI_AP_WEP_KEY = 126;              // text, keys 1-4
constexpr UINT BRIDGE_UI_AP_WEP_KEY_LAST = 129;
constexpr UINT BRIDGE_UI_AP_WEP_KEY_ENABLE = 130;       // "%d" 0/1, key edits 1-4
constexpr UINT BRIDGE_UI_AP_WEP_KEY_ENABLE_LAST = 133;
constexpr UINT BRIDGE_UI_AP_CONFIG_STATE = 134;         // "%d"
constexpr UINT BRIDGE_UI_ACL_POLICY_CLEAR = 135;        // ""
constexpr UINT BRIDGE_UI_ACL_POLICY_ITEM = 136;         // text, translated by the receiver
constexpr UINT BRIDGE_UI_ACL_POLICY = 137;              // "%d"
constexpr UINT BRIDGE_UI_ACL_POLICY_ENABLE = 138;       // "%d" 0/1
constexpr UINT BRIDGE_UI_ACL_APPLY_ENABLE = 139;        // "%d" 0/1
constexpr UINT BRIDGE_UI_ACL_LIST_CLEAR = 140;          // ""
constexpr UINT BRIDGE_UI_ACL_LIST_ADD = 141;            // text
constexpr UINT BRIDGE_UI_ACL_LIST_DELETE = 142;         // "%d" row
constexpr UINT BRIDGE_UI_ACL_LIST_ENABLE = 143;         // "%d" 0/1
constexpr UINT BRIDGE_UI_ACL_LIST = 144;                // rows separated by "\r\n"
constexpr UINT BRIDGE_UI_ACL_BUTTON_ENABLE = 145;       // "%d" 0/1: Add, address edit, Delete, Remove All
constexpr UINT BRIDGE_UI_ACL_BUTTON_ENABLE_LAST = 148;
constexpr UINT BRIDGE_UI_AP_ABOUT_FIELD = 149;          // text: versions, dates, addresses
constexpr UINT BRIDGE_UI_AP_ABOUT_FIELD_LAST = 159;

