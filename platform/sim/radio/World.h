// The world file: the adapters of the simulated machine and the networks and
// AP-mode clients around them. Format: README.md beside this file.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace wavorel::sim {

using Mac = std::array<uint8_t, 6>;

// A world file that cannot be used: what() is "file:line: reason".
class WorldError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class Bus { Usb, Pci };
// WepEnterprise: 802.1X with dynamic WEP keys (open authentication, WEP).
enum class Security { Open, Wep, WpaPsk, Wpa2Psk, Wpa2Enterprise, WpaEnterprise, WepEnterprise };
enum class WpsMethod { None, PushButton, Pin };

// Cipher bits of a WPA network.
constexpr unsigned kCipherTkip = 1;
constexpr unsigned kCipherCcmp = 2;

struct RegistryValue {
  uint32_t type = 0;  // REG_SZ or REG_DWORD
  std::string data;   // the bytes as stored (REG_SZ with its terminating zero)
};

struct WorldAdapter {
  std::string hardwareId;
  Bus bus = Bus::Usb;
  int family = 5;
  std::string guid;  // "{...}", upper case
  std::string friendlyName;  // may be empty: the device then has no friendly name
  std::string description;
  std::string manufacturer;
  std::string location;
  Mac mac{};
  int chains = 1;
  bool band5 = false;
  bool ht = false;
  bool present = true;
  bool hardwareRadio = true;         // the radio switch on the adapter
  unsigned classIndex = 0;           // the driver key's "00NN"
  uint32_t countryRegion = 0;        // what the driver reports (flag bits included)
  uint16_t driverVersion = 0x0501;   // OID_GEN_DRIVER_VERSION
  uint32_t register54 = 0;           // word behind the register probe {3, 0x36}
  // Versions as {major, minor}; {-1, -1}: the driver cannot tell.
  std::array<int, 2> eepromVersion{1, 2};
  std::array<int, 2> firmwareVersion{2, 5};
  std::vector<std::pair<std::string, RegistryValue>> driverValues;  // file order
  // The driver's files in the system folder's "drivers" folder, their version
  // (most significant word first) and their modification date.
  std::vector<std::string> driverFiles;
  std::array<uint16_t, 4> driverFileVersion{1, 0, 0, 0};
  std::array<int, 3> driverDate{2008, 1, 1};
  int ccx = 0;  // CCX version 0 (none) to 4
};

// EAP methods by their EAP type numbers.
constexpr int kEapMd5 = 4;
constexpr int kEapTls = 13;
constexpr int kEapLeap = 17;
constexpr int kEapTtls = 21;
constexpr int kEapPeap = 25;
constexpr int kEapFast = 43;

// The authentication server of an 802.1X network. Empty texts accept any.
struct WorldEap {
  std::vector<int> methods{kEapPeap, kEapTls, kEapTtls, kEapFast, kEapMd5, kEapLeap};  // EAP types it runs
  int inner = 0;                 // the inner method it wants (PEAP/EAP-FAST: EAP type; TTLS 1-5), 0: any
  std::string identity;          // the user name
  std::string password;
  std::string domain;            // the domain an identity "DOMAIN\user" must name
  std::string serverName = "radius";  // subject of the server certificate
  std::string serverIssuer;      // its issuer (a ROOT certificate's subject), empty: self-signed
  uint64_t timeoutMs = 0;        // the server stays silent and the supplicant gives up after this; 0: it answers
  std::string fastAid;           // EAP-FAST authority id bytes
  bool passwordChange = false;   // the server asks for a new password after a right one
};

struct WorldNetwork {
  std::string ssid;
  bool hidden = false;
  Mac bssid{};
  int channel = 1;
  int signalDbm = -60;
  int variationDbm = 0;
  Security security = Security::Open;
  unsigned ciphers = 0;           // kCipher* bits (WPA kinds)
  std::string passphrase;         // WPA-PSK, WPA2-PSK
  std::array<std::string, 4> wepKeys;  // key bytes, empty when unset
  int wepKeyIndex = 0;            // 0..3
  bool eapAccepts = true;         // 802.1X kinds: outcome of the exchange (false: refused)
  WorldEap eap;                   // 802.1X kinds: the authentication server
  WpsMethod wps = WpsMethod::None;
  std::string wpsPin;             // 8 digits, PIN method
  bool wpsConfigured = true;
  bool ht = false;
  bool adhoc = false;
  int beaconPeriod = 100;
  std::array<uint8_t, 4> address{};  // IPv4 address the adapter gets there, 0.0.0.0: none
  bool dhcp = true;               // the address comes from a DHCP server (else it is static)
  uint64_t dhcpDelayMs = 0;       // how long the DHCP server takes to answer
  uint64_t appearsMs = 0;         // after the machine loads
  uint64_t leavesMs = 0;          // 0: never

  bool band5() const { return channel > 14; }
};

struct WorldClient {
  size_t adapter = 0;  // index into adapters
  Mac mac{};
  std::string passphrase;  // pre-shared key it brings (empty: none)
  std::string wepKey;      // WEP key bytes it brings (empty: none)
  bool eapAccepts = true;  // outcome of its 802.1X authentication
  int signalDbm = -55;     // as the AP hears it
  // The 16-bit transmit setting the AP's station table gives it: bits 0-6
  // rate index or MCS, bit 7 40 MHz, bit 8 short guard interval, bits 14-15
  // PHY mode (0 CCK, 1 OFDM, 2 HT). Default: HT, MCS 7, 20 MHz, long GI.
  uint16_t txSetting = (2u << 14) | 7u;
  uint64_t arrivesMs = 0;  // after AP mode starts
  uint64_t leavesMs = 0;   // 0: stays
};

// A certificate of a system store of the machine.
struct WorldCertificate {
  std::string store;         // "MY" or "ROOT"
  std::string subject;
  std::string issuer;        // the subject when not given (self-signed)
  std::string friendlyName;  // empty: the certificate has none
  std::array<int, 3> expires{};  // year, month, day (UTC midnight)
  bool hashReadable = true;      // false: reading its SHA-1 hash property fails
};

struct WorldFaults {
  std::map<uint32_t, int> failCounts;      // code as sent -> failures still to come
  std::map<uint32_t, uint32_t> shortAnswers;  // code as sent -> bytes answered at most
  std::map<uint32_t, uint32_t> stuckValues;   // code as sent -> the u32 its answers begin with
  std::set<std::string> unopenable;        // adapter GUIDs whose device will not open
};

// How long the steps of joining a network take, in milliseconds: the
// authentication frames, the association frames, then the 4-way handshake
// (pre-shared key) or the 802.1X exchange.
struct WorldTiming {
  uint64_t authenticationMs = 20;
  uint64_t associationMs = 20;
  uint64_t handshakeMs = 300;
  uint64_t eapMs = 500;
};

// The Windows domain the machine belongs to.
struct WorldDomain {
  std::string name;        // empty: no domain
  std::string controller;  // the domain controller's computer name
  bool reachable = true;   // its NETLOGON share answers
};

struct World {
  std::vector<WorldAdapter> adapters;
  std::vector<WorldNetwork> networks;
  std::vector<WorldClient> clients;
  std::vector<WorldCertificate> certificates;
  WorldFaults faults;
  bool registryServiceListening = true;  // [Services] RegistryService
  WorldTiming timing;                    // [Machine]
  size_t driverCallLog = 4096;           // [Machine] DriverCallLog: driver requests kept
  bool ipx = false;                      // [Machine] Ipx: the IPX protocol is installed
  WorldDomain domain;                    // [Domain]
};

// Parses a world; `fileName` names it in errors. Throws WorldError.
World parseWorld(std::string_view text, const std::string& fileName);
// The world of WAVOREL_WORLD, else the built-in default. Throws WorldError.
World loadWorld();
// The built-in default world.
std::string_view defaultWorldText();

// Centre frequency in kHz of a channel, 0 for a channel that does not exist.
uint32_t channelFrequencyKhz(int channel);

}  // namespace wavorel::sim
