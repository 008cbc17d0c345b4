// The codes the program sends to the adapter's driver through
// IOCTL_NDIS_QUERY_GLOBAL_STATS: the standard NDIS and 802.11 object
// identifiers, and the chip maker's private codes, which the two programs
// number differently. Each private code has one name; the build constant
// WAVOREL_BUILD_XP picks its number, so code is written once for both
// programs. A name whose build has no such code is OID_NOT_IN_BUILD (0), a
// number no driver answers.
//
// A private code OID_VX_<NAME> is its query number, or its set number where
// the build can only set it; OID_VX_<NAME>_SET is its set number wherever
// either build can set it (mostly the query number with OID_VX_SET_FLAG; a
// few sets have numbers of their own, OID_VX_WPS_CREDENTIALS_SET for one).
#pragma once

#include "platform/win/kernel/Types.h"

#ifndef WAVOREL_BUILD_XP
#error "DriverCodes.h is part of a per-program library: WAVOREL_BUILD_XP must be 0 or 1"
#endif

// The number of the program being built: `vista` in WavorelVista, `xp` in Wavorel.
constexpr DWORD DriverCodeOfBuild(DWORD vista, DWORD xp) { return WAVOREL_BUILD_XP ? xp : vista; }

constexpr DWORD OID_NOT_IN_BUILD = 0;
// A set is the query number with this bit.
constexpr DWORD OID_VX_SET_FLAG = 0x00800000;
// What the station module's SetOid ORs into every code: the WavorelVista
// station module replaces the whole top byte (standard codes leave as
// 0xFF8xxxxx), Wavorel only adds the set bit.
constexpr DWORD OID_STATION_SET_MASK = DriverCodeOfBuild(0xFF800000, OID_VX_SET_FLAG);

// ---- Standard codes (the same in both programs) ----
constexpr DWORD OID_GEN_DRIVER_VERSION = 0x00010110;       // query, 2: NDIS version
constexpr DWORD OID_GEN_MEDIA_CONNECT_STATUS = 0x00010114; // query, 4
constexpr DWORD OID_GEN_RCV_OK = 0x00020102;               // query, 4
constexpr DWORD OID_GEN_RCV_NO_BUFFER = 0x00020105;        // query, 4
constexpr DWORD OID_802_3_PERMANENT_ADDRESS = 0x01010101;  // query, 6
constexpr DWORD OID_802_3_CURRENT_ADDRESS = 0x01010102;    // query, 6
constexpr DWORD OID_802_11_BSSID = 0x0D010101;             // query/set, 6
constexpr DWORD OID_802_11_SSID = 0x0D010102;              // query/set, 36
constexpr DWORD OID_802_11_INFRASTRUCTURE_MODE = 0x0D010108;
constexpr DWORD OID_802_11_DISASSOCIATE = 0x0D010115;      // set, no data
constexpr DWORD OID_802_11_AUTHENTICATION_MODE = 0x0D010118;
constexpr DWORD OID_802_11_BSSID_LIST_SCAN = 0x0D01011A;   // set, no data
constexpr DWORD OID_802_11_ENCRYPTION_STATUS = 0x0D01011B;
constexpr DWORD OID_802_11_RELOAD_DEFAULTS = 0x0D01011C;
constexpr DWORD OID_802_11_ADD_KEY = 0x0D01011D;
constexpr DWORD OID_802_11_REMOVE_KEY = 0x0D01011E;        // set, 16
constexpr DWORD OID_802_11_NETWORK_TYPES_SUPPORTED = 0x0D010203;  // query, 20
constexpr DWORD OID_802_11_RSSI = 0x0D010206;              // query, 4: dBm
constexpr DWORD OID_802_11_FRAGMENTATION_THRESHOLD = 0x0D010209;
constexpr DWORD OID_802_11_RTS_THRESHOLD = 0x0D01020A;
constexpr DWORD OID_802_11_DESIRED_RATES = 0x0D010210;     // set, 8
constexpr DWORD OID_802_11_CONFIGURATION = 0x0D010211;     // query/set, 32
constexpr DWORD OID_802_11_POWER_MODE = 0x0D010216;
constexpr DWORD OID_802_11_BSSID_LIST = 0x0D010217;        // query, up to 64 KB
constexpr DWORD OID_802_11_STATISTICS = 0x0D020212;        // query, 176 (XP) / 200 (Vista)
constexpr DWORD OID_DOT11_RTS_THRESHOLD = 0x0D01031F;
constexpr DWORD OID_DOT11_FRAGMENTATION_THRESHOLD = 0x0D010322;
constexpr DWORD OID_DOT11_CURRENT_ADDRESS = 0x0D010702;    // query, 6
constexpr DWORD OID_DOT11_POWER_MGMT_REQUEST = 0x0E01017B;
constexpr DWORD OID_DOT11_DESIRED_BSSID_LIST = 0x0E01017E; // set, 20
constexpr DWORD OID_DOT11_DISCONNECT_REQUEST = 0x0E01018E; // set, no data

// ---- Private codes: DriverCodeOfBuild(WavorelVista, Wavorel) ----
constexpr DWORD OID_VX_PREAMBLE = DriverCodeOfBuild(0xFF710101, 0x0D710101);
constexpr DWORD OID_VX_PREAMBLE_SET = DriverCodeOfBuild(0xFFF10101, 0x0DF10101);
constexpr DWORD OID_VX_LINK_STATUS_BLOCK = DriverCodeOfBuild(0xFF0C0009, 0x0D710102);
constexpr DWORD OID_VX_RESET_COUNTERS = DriverCodeOfBuild(0xFF8C000C, 0x0DF10103);
constexpr DWORD OID_VX_RESET_COUNTERS_SET = DriverCodeOfBuild(0xFF8C000C, 0x0DF10103);
constexpr DWORD OID_VX_PRIVATE_0104 = DriverCodeOfBuild(OID_NOT_IN_BUILD, 0x0DF10104);
constexpr DWORD OID_VX_PRIVATE_0104_SET = DriverCodeOfBuild(OID_NOT_IN_BUILD, 0x0DF10104);
constexpr DWORD OID_VX_REGISTER_RW = DriverCodeOfBuild(0xFF0C0008, 0x0D710105);
constexpr DWORD OID_VX_REGISTER_RW_SET = DriverCodeOfBuild(0xFF8C0008, 0x0DF10105);
constexpr DWORD OID_VX_COUNTRY_REGION = DriverCodeOfBuild(0xFF0C0003, 0x0D710107);
constexpr DWORD OID_VX_COUNTRY_REGION_SET = DriverCodeOfBuild(0xFF8C0003, 0x0DF10107);
constexpr DWORD OID_VX_PRIVATE_0108 = DriverCodeOfBuild(OID_NOT_IN_BUILD, 0x0D710108);
constexpr DWORD OID_VX_PRIVATE_0108_SET = DriverCodeOfBuild(OID_NOT_IN_BUILD, 0x0DF10108);
constexpr DWORD OID_VX_REGISTER_RW_2 = DriverCodeOfBuild(0xFF0C003E, 0x0D710109);
constexpr DWORD OID_VX_REGISTER_RW_2_SET = DriverCodeOfBuild(0xFF8C003E, 0x0DF10109);
constexpr DWORD OID_VX_EVENT_LOG = DriverCodeOfBuild(0xFF0C0043, 0x0D71010A);
constexpr DWORD OID_VX_STATION_TABLE = DriverCodeOfBuild(0xFF0C0029, 0x0D71010B);
constexpr DWORD OID_VX_WIRELESS_MODE = DriverCodeOfBuild(0xFF8C0002, 0x0D71010C);
constexpr DWORD OID_VX_WIRELESS_MODE_SET = DriverCodeOfBuild(0xFF8C0002, 0x0DF1010C);
constexpr DWORD OID_VX_AP_OPTIONS = DriverCodeOfBuild(0xFF0C0040, 0x0D71010F);
constexpr DWORD OID_VX_AP_OPTIONS_SET = DriverCodeOfBuild(0xFF8C0040, 0x0DF1010F);
constexpr DWORD OID_VX_ACCESS_CONTROL = DriverCodeOfBuild(0xFF8C0046, 0x0DF10110);
constexpr DWORD OID_VX_ACCESS_CONTROL_SET = DriverCodeOfBuild(0xFF8C0046, 0x0DF10110);
constexpr DWORD OID_VX_PRIVATE_0111 = DriverCodeOfBuild(0xFF710111, 0x0D710111);
constexpr DWORD OID_VX_PRIVATE_0111_SET = DriverCodeOfBuild(0xFFF10111, 0x0DF10111);
constexpr DWORD OID_VX_WDS_LIST = DriverCodeOfBuild(0xFF8C0048, 0x0DF10112);
constexpr DWORD OID_VX_WDS_LIST_SET = DriverCodeOfBuild(0xFF8C0048, 0x0DF10112);
constexpr DWORD OID_VX_RADIUS = DriverCodeOfBuild(0xFF0C003A, 0x0D710113);
constexpr DWORD OID_VX_RADIUS_SET = DriverCodeOfBuild(0xFF8C003A, 0x0DF10113);
constexpr DWORD OID_VX_REKEY = DriverCodeOfBuild(0xFF0C0041, 0x0D710114);
constexpr DWORD OID_VX_REKEY_SET = DriverCodeOfBuild(0xFF8C0041, 0x0DF10114);
constexpr DWORD OID_VX_REGISTER_REFRESH = DriverCodeOfBuild(0xFF8C0047, 0x0DF10115);
constexpr DWORD OID_VX_REGISTER_REFRESH_SET = DriverCodeOfBuild(0xFF8C0047, 0x0DF10115);
constexpr DWORD OID_VX_TX_POWER = DriverCodeOfBuild(0xFF0C0007, 0x0D710118);
constexpr DWORD OID_VX_TX_POWER_SET = DriverCodeOfBuild(0xFF8C0007, 0x0DF10118);
constexpr DWORD OID_VX_VERSION_WORD_1 = DriverCodeOfBuild(0xFF0C0004, 0x0D710119);
// The station side asks the Wavorel number in both programs; WavorelVista's
// AP side has a number of its own (_AP). The same holds for the IP address.
constexpr DWORD OID_VX_VERSION_WORD_2 = 0x0D710129;
constexpr DWORD OID_VX_VERSION_WORD_2_AP = DriverCodeOfBuild(0xFF0C0005, 0x0D710129);
constexpr DWORD OID_VX_NOISE_LEVEL = DriverCodeOfBuild(0xFF0C000A, 0x0D71011A);
constexpr DWORD OID_VX_TX_RATE = DriverCodeOfBuild(0xFF0C000E, 0x0D71011B);
constexpr DWORD OID_VX_HT_PHY_WORD = DriverCodeOfBuild(0xFF0C0021, 0x0D71011C);
constexpr DWORD OID_VX_LINK_EVENT = DriverCodeOfBuild(0xFF0C000D, 0x0D71011D);
constexpr DWORD OID_VX_PRIVATE_011E = DriverCodeOfBuild(0xFFF1011E, 0x0DF1011E);
constexpr DWORD OID_VX_PRIVATE_011E_SET = DriverCodeOfBuild(0xFFF1011E, 0x0DF1011E);
constexpr DWORD OID_VX_IP_ADDRESS = 0x0D71011F;
constexpr DWORD OID_VX_IP_ADDRESS_AP = DriverCodeOfBuild(0xFF0C001B, 0x0D71011F);
// Wavorel asks OID_802_11_RSSI for chain 0.
constexpr DWORD OID_VX_RSSI0 = DriverCodeOfBuild(0xFF0C000F, OID_NOT_IN_BUILD);
constexpr DWORD OID_VX_RSSI1 = DriverCodeOfBuild(0xFF0C0010, 0x0D710125);
constexpr DWORD OID_VX_RSSI2 = DriverCodeOfBuild(0xFF0C0022, 0x0D710134);
constexpr DWORD OID_VX_SNR0 = DriverCodeOfBuild(0xFF0C0023, 0x0D710135);
constexpr DWORD OID_VX_SNR1 = DriverCodeOfBuild(0xFF0C0024, 0x0D710136);
constexpr DWORD OID_VX_AP_MODE = DriverCodeOfBuild(0xFF0C001A, 0x0D710126);
constexpr DWORD OID_VX_AP_MODE_SET = DriverCodeOfBuild(0xFF8C001A, 0x0DF10126);
// WavorelVista's station module sends these with the top byte replaced by
// 0xFF (its set mask).
constexpr DWORD OID_VX_PRIVATE_0127 = 0x0DF10127;
constexpr DWORD OID_VX_PRIVATE_0127_SET = 0x0DF10127;
constexpr DWORD OID_VX_APSD_CAPABLE = DriverCodeOfBuild(0xFF71012A, 0x0D71012A);
constexpr DWORD OID_VX_APSD_CAPABLE_SET = DriverCodeOfBuild(0xFFF1012A, 0x0DF1012A);
constexpr DWORD OID_VX_PRIVATE_012D = DriverCodeOfBuild(0xFFF1012D, 0x0DF1012D);
constexpr DWORD OID_VX_PRIVATE_012D_SET = DriverCodeOfBuild(0xFFF1012D, 0x0DF1012D);
constexpr DWORD OID_VX_DLS_CAPABLE = DriverCodeOfBuild(0xFFF10131, 0x0DF10131);
constexpr DWORD OID_VX_DLS_CAPABLE_SET = DriverCodeOfBuild(0xFFF10131, 0x0DF10131);
constexpr DWORD OID_VX_DLS_LINKS = DriverCodeOfBuild(0xFF710132, 0x0D710132);
constexpr DWORD OID_VX_DLS_LINKS_SET = DriverCodeOfBuild(0xFFF10132, 0x0DF10132);
constexpr DWORD OID_VX_WEP_ICV_ERROR = 0x0D710133;
constexpr DWORD OID_VX_PRIVATE_0134 = 0x0DF10134;
constexpr DWORD OID_VX_PRIVATE_0134_SET = 0x0DF10134;
constexpr DWORD OID_VX_HT_SETTING = DriverCodeOfBuild(0xFF0C0026, 0x0D710137);
constexpr DWORD OID_VX_HT_SETTING_SET = DriverCodeOfBuild(0xFF8C0026, 0x0DF10137);
constexpr DWORD OID_VX_BLOCK_ACK = DriverCodeOfBuild(0xFF0C0025, 0x0D710138);
constexpr DWORD OID_VX_BLOCK_ACK_SET = DriverCodeOfBuild(0xFF8C0025, 0x0DF10138);
constexpr DWORD OID_VX_PRIVATE_0139 = DriverCodeOfBuild(OID_NOT_IN_BUILD, 0x0DF10139);
constexpr DWORD OID_VX_PRIVATE_0139_SET = DriverCodeOfBuild(OID_NOT_IN_BUILD, 0x0DF10139);
constexpr DWORD OID_VX_BLOCK_ACK_DELETE = DriverCodeOfBuild(0xFF8C0027, 0x0DF1013A);
constexpr DWORD OID_VX_BLOCK_ACK_DELETE_SET = DriverCodeOfBuild(0xFF8C0027, 0x0DF1013A);
constexpr DWORD OID_VX_HT_TRANSMIT = DriverCodeOfBuild(0xFF0C0028, 0x0D71013B);
constexpr DWORD OID_VX_HT_TRANSMIT_SET = DriverCodeOfBuild(0xFF8C0028, 0x0DF1013B);
constexpr DWORD OID_VX_WPS_START = DriverCodeOfBuild(0xFF8C002A, 0x0DF10140);
constexpr DWORD OID_VX_WPS_START_SET = DriverCodeOfBuild(0xFF8C002A, 0x0DF10140);
constexpr DWORD OID_VX_WPS_STATUS = DriverCodeOfBuild(0xFF0C002D, 0x0D710141);
constexpr DWORD OID_VX_WPS_CREDENTIALS = DriverCodeOfBuild(0xFF0C002E, 0x0D710142);
constexpr DWORD OID_VX_WPS_CREDENTIALS_SET = DriverCodeOfBuild(0xFF8C0049, 0x0DF10142);
constexpr DWORD OID_VX_PRIVATE_0143 = DriverCodeOfBuild(OID_NOT_IN_BUILD, 0x0DF10143);
constexpr DWORD OID_VX_PRIVATE_0143_SET = DriverCodeOfBuild(OID_NOT_IN_BUILD, 0x0DF10143);
constexpr DWORD OID_VX_PRIVATE_0144 = DriverCodeOfBuild(0xFF8C002B, 0x0DF10144);
constexpr DWORD OID_VX_PRIVATE_0144_SET = DriverCodeOfBuild(0xFF8C002B, 0x0DF10144);
constexpr DWORD OID_VX_PRIVATE_0145 = DriverCodeOfBuild(0xFF0C002F, 0x0D710145);
constexpr DWORD OID_VX_PRIVATE_0146 = DriverCodeOfBuild(0xFF8C002C, 0x0DF10146);
constexpr DWORD OID_VX_PRIVATE_0146_SET = DriverCodeOfBuild(0xFF8C002C, 0x0DF10146);
constexpr DWORD OID_VX_WPS_PIN = DriverCodeOfBuild(0xFF8C004C, 0x0DF10148);
constexpr DWORD OID_VX_WPS_PIN_SET = DriverCodeOfBuild(0xFF8C004C, 0x0DF10148);
constexpr DWORD OID_VX_PRIVATE_0149 = DriverCodeOfBuild(OID_NOT_IN_BUILD, 0x0DF10149);
constexpr DWORD OID_VX_PRIVATE_0149_SET = DriverCodeOfBuild(OID_NOT_IN_BUILD, 0x0DF10149);
constexpr DWORD OID_VX_PRIVATE_0151 = DriverCodeOfBuild(0xFFF10151, 0x0DF10151);
constexpr DWORD OID_VX_PRIVATE_0151_SET = DriverCodeOfBuild(0xFFF10151, 0x0DF10151);
// Wavorel uses OID_802_11_CONFIGURATION, OID_802_11_RTS_THRESHOLD and
// OID_802_11_FRAGMENTATION_THRESHOLD in place of these three.
constexpr DWORD OID_VX_CONFIGURATION = DriverCodeOfBuild(0xFF0C003B, OID_NOT_IN_BUILD);
constexpr DWORD OID_VX_CONFIGURATION_SET = DriverCodeOfBuild(0xFF8C003B, OID_NOT_IN_BUILD);
constexpr DWORD OID_VX_RTS_THRESHOLD = DriverCodeOfBuild(0xFF0C003C, OID_NOT_IN_BUILD);
constexpr DWORD OID_VX_RTS_THRESHOLD_SET = DriverCodeOfBuild(0xFF8C003C, OID_NOT_IN_BUILD);
constexpr DWORD OID_VX_FRAG_THRESHOLD = DriverCodeOfBuild(0xFF0C003D, OID_NOT_IN_BUILD);
constexpr DWORD OID_VX_FRAG_THRESHOLD_SET = DriverCodeOfBuild(0xFF8C003D, OID_NOT_IN_BUILD);
// WavorelVista's AP codes; Wavorel's AP worker uses the standard codes.
constexpr DWORD OID_VX_AUTH_MODE = DriverCodeOfBuild(0xFF8C0035, OID_NOT_IN_BUILD);
constexpr DWORD OID_VX_AUTH_MODE_SET = DriverCodeOfBuild(0xFF8C0035, OID_NOT_IN_BUILD);
constexpr DWORD OID_VX_ENCRYPTION = DriverCodeOfBuild(0xFF8C0036, OID_NOT_IN_BUILD);
constexpr DWORD OID_VX_ENCRYPTION_SET = DriverCodeOfBuild(0xFF8C0036, OID_NOT_IN_BUILD);
constexpr DWORD OID_VX_ADD_KEY = DriverCodeOfBuild(0xFF8C0038, OID_NOT_IN_BUILD);
constexpr DWORD OID_VX_ADD_KEY_SET = DriverCodeOfBuild(0xFF8C0038, OID_NOT_IN_BUILD);
constexpr DWORD OID_VX_DEFAULT_KEY_ID = DriverCodeOfBuild(0xFF8C0039, OID_NOT_IN_BUILD);
constexpr DWORD OID_VX_DEFAULT_KEY_ID_SET = DriverCodeOfBuild(0xFF8C0039, OID_NOT_IN_BUILD);
constexpr DWORD OID_VX_DESIRED_RATES = DriverCodeOfBuild(0xFF8C0045, OID_NOT_IN_BUILD);
constexpr DWORD OID_VX_DESIRED_RATES_SET = DriverCodeOfBuild(0xFF8C0045, OID_NOT_IN_BUILD);
constexpr DWORD OID_VX_AP_COUNTERS = DriverCodeOfBuild(0xFF0C000B, OID_NOT_IN_BUILD);
constexpr DWORD OID_VX_PRIVATE_FF8C0030 = DriverCodeOfBuild(0xFF8C0030, OID_NOT_IN_BUILD);
constexpr DWORD OID_VX_PRIVATE_FF8C0030_SET = DriverCodeOfBuild(0xFF8C0030, OID_NOT_IN_BUILD);

// Numbers that carry a second record (the driver tells the uses apart by the
// data size): the 16-byte remove-key record on the default-key number, the
// 4-byte R17 adjustment record on the second register number, the MIC error
// test (no data) on the register refresh number, and the automatic-AP flag of
// a WPS PIN start on the PIN number.
constexpr DWORD OID_VX_REMOVE_KEY = OID_VX_DEFAULT_KEY_ID;
constexpr DWORD OID_VX_R17_ADJUST = OID_VX_REGISTER_RW_2;
constexpr DWORD OID_VX_R17_ADJUST_SET = OID_VX_REGISTER_RW_2_SET;
constexpr DWORD OID_VX_MIC_ERROR_TEST = OID_VX_REGISTER_REFRESH;
constexpr DWORD OID_VX_WPS_AUTO_PICK = OID_VX_WPS_PIN;
