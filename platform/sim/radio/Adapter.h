// One adapter of the simulated machine: the single model of its radio, scan,
// association, link and counters. The driver's code table, the SetupAPI device
// and (later) the Native Wi-Fi and WMI views read and change it; they keep no
// state of their own. Time comes from the platform clock: everything that
// moves (scans, signal, traffic, networks coming and going) is worked out from
// the tick count whenever the model is looked at.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/radio/BlockAckTable.h"
#include "platform/sim/radio/DlsLinkTable.h"
#include "platform/sim/crypto/Pbkdf2.h"
#include "platform/sim/radio/SoftAp.h"
#include "platform/sim/radio/Traffic.h"
#include "platform/sim/radio/World.h"
#include "platform/sim/radio/WpsRun.h"

namespace wavorel::sim {

// How long a scan takes, in milliseconds of the platform clock.
constexpr uint64_t kScanDurationMs = 2500;
// RSSI of a receive chain the adapter does not have.
constexpr int32_t kNoChainDbm = -200;
// How long the pre-shared-key 4-way handshake takes after association.
constexpr uint64_t kHandshakeMs = 300;

// NDIS 802.11 authentication modes and encryption states.
enum AuthMode : uint32_t {
  kAuthOpen = 0,
  kAuthShared = 1,
  kAuthAutoSwitch = 2,
  kAuthWpa = 3,
  kAuthWpaPsk = 4,
  kAuthWpaNone = 5,
  kAuthWpa2 = 6,
  kAuthWpa2Psk = 7,
};
enum EncryptionStatus : uint32_t {
  kWepEnabled = 0,
  kWepDisabled = 1,
  kWepKeyAbsent = 2,
  kEncryptionNotSupported = 3,
  kTkipEnabled = 4,
  kTkipKeyAbsent = 5,
  kAesEnabled = 6,
  kAesKeyAbsent = 7,
};
// Codes of the driver's last link event.
enum LinkEvent : uint32_t {
  kLinkUp = 0,
  kLinkDown = 1,
  kHardwareRadioOff = 2,
  kSoftwareRadioOff = 3,
  kOpenAuthFail = 4,
  kSharedAuthFail = 5,
  kAssociationFailed = 6,
  kFourWayTimeout = 8,
  kEapSucceeded = 10,
};

struct ScanEntry {
  const WorldNetwork* network;
  int32_t rssiDbm;
};


class Adapter {
 public:
  Adapter(WorldAdapter config, const std::vector<WorldNetwork>& networks, std::vector<WorldClient> clients,
          uint64_t loadTick);

  const WorldAdapter& config() const { return config_; }
  const std::string& guid() const { return config_.guid; }
  bool present() const { return present_; }
  // Unplugging drops the link, the scan results and AP mode.
  void setPresent(bool present);

  // Radio: the software switch, the hardware switch on the adapter, and
  // whether the radio works (both on). Turning either off drops the link
  // with its radio-off event and the scan results.
  bool radioOn() const { return radioOn_; }
  void setRadio(bool on);
  bool hardwareRadioOn() const { return hardwareRadioOn_; }
  void setHardwareRadio(bool on);
  bool radioWorks() const { return radioOn_ && hardwareRadioOn_; }
  bool apMode() const { return apMode_; }
  void setApMode(bool on);

  // Scanning: results appear kScanDurationMs after the start.
  void startScan();
  bool scanning();
  std::vector<ScanEntry> scanResults();

  // Station settings the association uses.
  uint32_t infrastructureMode = 1;  // 0 ad hoc, 1 infrastructure, 2 automatic
  uint32_t authMode = kAuthOpen;
  uint32_t encryptionStatus = kWepDisabled;
  // WEP keys: the station's, or in AP mode the AP's.
  void setWepKey(int index, const std::string& material, bool transmit);
  void removeKey(int index);
  // A 32-byte pairwise master key (pre-shared-key modes); an association that
  // waits for it starts its 4-way handshake.
  void setPairwiseMasterKey(const std::string& material);
  void clearKeys();

  // Association. Looks the SSID up among the networks in range (a hidden one
  // too) and checks security and keys; the outcome is the link state and the
  // last link event. With a pre-shared key the link comes up (or fails with
  // the handshake-timeout event) kHandshakeMs after the key is there.
  void associate(const std::string& ssid, const std::optional<Mac>& bssid);
  void disassociate();
  bool connected();
  bool handshaking();  // associated, the 4-way handshake still running
  // The network of the link, or nullptr; in AP mode the AP's own BSS while it
  // beacons (its SSID, the adapter's MAC as BSSID, the configured channel).
  const WorldNetwork* network();
  std::string desiredSsid() const { return desiredSsid_; }
  uint32_t linkEvent();
  bool wepIcvError();

  // The link as it stands now.
  // kNoChainDbm for a chain the adapter lacks; in AP mode the strongest station.
  int32_t rssiDbm(int chain);
  int32_t signalOf(const WorldNetwork& n);
  uint32_t txRateUnits();      // 500 kb/s units
  // The traffic counters since the last reset: of the station's link, or in
  // AP mode of the AP's stations.
  LinkCounters counters();
  void resetCounters();

  // Values of codes that the driver only keeps (by canonical code), with
  // their defaults supplied by the first reader.
  std::vector<uint8_t>& stored(int code, std::vector<uint8_t> initial);

  // Block-Ack sessions and direct links live on the link: only its access
  // point is a Block-Ack peer, direct links need a link, and both end with it.
  bool addBlockAck(const uint8_t* request);
  bool removeBlockAck(const uint8_t* request);
  std::vector<uint8_t> blockAckTable();
  bool applyDirectLink(const uint8_t* entry);
  std::vector<uint8_t> directLinkTable();

  // WPS: a run started by the driver's start request; its status word; the
  // credential table (set by the caller for a registrar run, filled by an
  // enrollee run that ends configured).
  void startWps(const WpsRequest& request);
  uint32_t wpsStatus();
  std::vector<uint8_t>& wpsCredentials() { return wpsTable_; }
  // The adapter's own WPS button: starts a push-button run by the driver,
  // which the driver reports once (the first read after the press).
  void pressWpsButton();
  bool takeWpsButtonReport();

  // The soft AP (its stations move on while AP mode is on). In AP mode the
  // SSID brings its BSS up (disassociating takes it down) and the keys given
  // to the station codes are the AP's.
  SoftAp& softAp();

  // Registers read through the register code: {space, address} -> value.
  uint32_t registerValue(uint32_t space, uint32_t address) const;
  void setRegister(uint32_t space, uint32_t address, uint32_t value);

 private:
  void advance();
  bool inRange(const WorldNetwork& n, uint64_t now) const;
  int32_t signalAt(const WorldNetwork& n, uint64_t tick) const;
  void dropLink(uint32_t event);
  void radioOff(uint32_t event);
  LinkCounters rawCounters() const;
  const WorldNetwork& apBss();
  enum class Admission { Join, Handshake, AwaitKey, Refuse };
  Admission admission(const WorldNetwork& n, uint32_t& failEvent) const;
  void startHandshake(const WorldNetwork& n, uint64_t now);
  void finishHandshake(uint64_t now);

  WorldAdapter config_;
  const std::vector<WorldNetwork>& networks_;
  uint64_t loadTick_;
  uint64_t lastTick_;
  bool present_;
  bool radioOn_ = true;
  bool hardwareRadioOn_;
  bool apMode_ = false;

  std::optional<uint64_t> scanStartedAt_;
  std::vector<ScanEntry> scanResults_;

  std::string wepKeys_[4];
  int transmitKey_ = 0;
  std::optional<Psk> pmk_;

  std::string desiredSsid_;
  const WorldNetwork* network_ = nullptr;  // associated
  const WorldNetwork* pending_ = nullptr;  // waiting for its key (pre-shared-key modes)
  struct Handshake {
    const WorldNetwork* network;
    uint64_t endsAt;
    bool keyMatches;
  };
  std::optional<Handshake> handshake_;
  uint32_t linkEvent_ = kLinkDown;
  bool icvError_ = false;

  uint64_t connectedMs_ = 0;     // link time counted into the traffic
  uint64_t undecryptableMs_ = 0;  // of it, with a WEP key that does not fit
  LinkCounters offset_;           // station counters at the last reset
  LinkCounters apOffset_;         // AP counters at the last reset

  BlockAckTable blockAck_;
  DlsLinkTable directLinks_;
  WpsRun wps_;
  bool wpsRegistrar_ = false;
  bool wpsByButton_ = false;
  const WorldNetwork* wpsTaken_ = nullptr;
  std::vector<uint8_t> wpsTable_ = std::vector<uint8_t>(996, 0);

  SoftAp softAp_;
  WorldNetwork apBss_;  // the AP's own BSS as the link views see it
  std::map<int, std::vector<uint8_t>> stored_;
  std::map<std::pair<uint32_t, uint32_t>, uint32_t> registers_;
};

}  // namespace wavorel::sim
