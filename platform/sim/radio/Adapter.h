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

#include "platform/sim/crypto/Pbkdf2.h"
#include "platform/sim/radio/BlockAckTable.h"
#include "platform/sim/radio/DlsLinkTable.h"
#include "platform/sim/radio/LinkRate.h"
#include "platform/sim/radio/RadioSettings.h"
#include "platform/sim/radio/SettingStore.h"
#include "platform/sim/radio/SoftAp.h"
#include "platform/sim/radio/Traffic.h"
#include "platform/sim/radio/World.h"
#include "platform/sim/radio/WpsRun.h"

namespace wavorel::sim {

// How long a scan takes, in milliseconds of the platform clock.
constexpr uint64_t kScanDurationMs = 2500;
// RSSI of a receive chain the adapter does not have.
constexpr int32_t kNoChainDbm = -200;
// What the signal codes read while there is no link.
constexpr int32_t kNoSignalDbm = -100;

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
  // AP mode only (Wavorel's AP stores its indexes): WPA and WPA2 together,
  // and their pre-shared-key forms together; 2 reads as open with 802.1X.
  kAuthApWpaWpa2 = 8,
  kAuthApWpaPskWpa2Psk = 9,
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
  // AP mode only: TKIP and AES together.
  kApTkipAes = 8,
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

// Where joining a network stands. Authentication and association frames
// come first; then a pre-shared-key network runs the 4-way handshake (once
// the key is there) and an 802.1X network its EAP exchange; then the link is
// up. Once the association frames are done (AwaitingKey and later) the
// adapter is associated with the network.
enum class LinkState { Idle, Authenticating, Associating, AwaitingKey, Handshake, Eap, Connected };

// A step a join entered: its state, and for Idle the link event it ended with.
struct JoinStep {
  LinkState state;
  uint32_t event;
};

struct ScanEntry {
  const WorldNetwork* network;
  int32_t rssiDbm;
  uint64_t heardAtMs;  // tick of the beacon the scan kept
};


class Adapter {
 public:
  // `driverKey`: the adapter's driver key below HKEY_LOCAL_MACHINE, where its settings are kept.
  Adapter(WorldAdapter config, const std::vector<WorldNetwork>& networks, std::vector<WorldClient> clients,
          const WorldTiming& timing, std::string driverKey, uint64_t loadTick);

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

  // The driver's settings (kept in its driver key): a stored value by its
  // code's name, or `initial` while none is stored; and the snapshot of those
  // that change what the radio does.
  std::vector<uint8_t> setting(const std::string& name, const std::vector<uint8_t>& initial);
  uint32_t settingU32(const std::string& name, uint32_t initial);
  void setSetting(const std::string& name, const std::vector<uint8_t>& value);
  RadioSettings radioSettings();

  // Scanning: results appear kScanDurationMs after the start; they hold the
  // networks in range on the bands and channels the settings allow.
  void startScan();
  bool scanning();
  std::vector<ScanEntry> scanResults();
  // When the adapter next changes by itself (a scan or a timed join step
  // ends), in platform clock milliseconds; nothing when no change is due.
  std::optional<uint64_t> nextChangeAt() const;

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
  // too) and starts joining the strongest; each step takes the world's time
  // (authentication, association, then the 4-way handshake or the 802.1X
  // exchange) and checks its part of the security: the shared key during
  // authentication, mode, authentication and cipher at association, the
  // pre-shared key in the handshake (which waits for the key), the network's
  // rule in the EAP exchange. The outcome is the link state and the last link
  // event.
  void associate(const std::string& ssid, const std::optional<Mac>& bssid);
  void disassociate();
  LinkState linkState();
  // The steps entered since the last call, oldest first (the latest 32), so
  // that a watcher that looks now and then still sees every one.
  std::vector<JoinStep> takeJoinSteps();
  bool connected();
  // An outside supplicant attached to the adapter runs the 802.1X exchange
  // itself: while one holds the adapter, the EAP step waits for its outcome
  // (finishExchange) instead of ending by the world's time. Holds are counted.
  void holdExchange(bool hold);
  // The supplicant's outcome of the EAP step under way; on success `sessionKey`
  // (32 bytes) becomes the pairwise key, or with dynamic WEP its first 13
  // bytes the transmit WEP key. False when no EAP step was waiting.
  bool finishExchange(bool accepted, const std::string& sessionKey);
  // Counts the joins started, so a watcher can tell one association from the next.
  uint64_t joinCount() const { return joins_; }
  // The keys installed now (for checks): the pairwise key, a WEP key.
  std::optional<Psk> pairwiseMasterKey() const { return pmk_; }
  std::string wepKey(int index) const { return wepKeys_[index & 3]; }
  bool joining();  // a join under way: from authentication to the end of the handshake or EAP exchange
  // The network of the link, or nullptr; in AP mode the AP's own BSS while it
  // beacons (its SSID, the adapter's MAC as BSSID, the configured channel).
  const WorldNetwork* network();
  // The network the adapter is associated with (the link, or a join past its
  // association frames), or nullptr; in AP mode as network().
  const WorldNetwork* associatedNetwork();
  std::string desiredSsid() const { return desiredSsid_; }
  uint32_t linkEvent();
  bool wepIcvError();

  // The link as it stands now; while not associated there is none.
  // kNoChainDbm for a chain the adapter lacks; kNoSignalDbm without a link;
  // in AP mode the strongest station.
  int32_t rssiDbm(int chain);
  int32_t signalOf(const WorldNetwork& n);
  // The transmit rate of the association, or nullopt without one.
  std::optional<LinkRate> txRate();
  uint32_t txRateUnits();  // 500 kb/s units, 0 without an association
  // The traffic counters since the last reset: of the station's link, or in
  // AP mode of the AP's stations.
  LinkCounters counters();
  void resetCounters();

  // Block-Ack sessions and direct links live on the link: its access point
  // and the peers of its direct links are the Block-Ack peers, direct links
  // need a link, and both end with it.
  bool addBlockAck(const uint8_t* request);
  bool removeBlockAck(const uint8_t* request);
  std::vector<uint8_t> blockAckTable();
  bool applyDirectLink(const uint8_t* entry);
  std::vector<uint8_t> directLinkTable();
  // The driver's station table: in AP mode the AP's stations; in station mode
  // the peers of the link, its access point and then the direct links' peers
  // (none without a link).
  std::vector<uint8_t> stationTable();

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
  void accrue(uint64_t until);
  void finishStep(uint64_t at);
  void failJoin(uint32_t event);
  void linkUp(uint64_t at);
  bool inRange(const WorldNetwork& n, uint64_t now) const;
  bool reaches(const WorldNetwork& n, uint64_t now);
  int32_t signalAt(const WorldNetwork& n, uint64_t tick) const;
  void dropLink(uint32_t event);
  void radioOff(uint32_t event);
  LinkCounters rawCounters() const;
  // The access point of the link and the peers of its direct links; none
  // without a link.
  std::vector<Mac> linkPeers();
  const WorldNetwork& apBss();
  bool sharedKeyFails(const WorldNetwork& n) const;
  enum class Admission { Join, Handshake, AwaitKey, Eap, Refuse };
  Admission admission(const WorldNetwork& n) const;
  void enter(LinkState state, uint32_t event);
  void startStep(LinkState state, uint64_t now, uint64_t durationMs);
  void startHandshake(uint64_t now);
  RadioSettings readRadioSettings();

  WorldAdapter config_;
  const std::vector<WorldNetwork>& networks_;
  WorldTiming timing_;
  SettingStore store_;
  RadioSettings settings_;                     // radioSettings() as of the store's generation
  std::optional<uint64_t> settingsGeneration_;
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
  LinkState state_ = LinkState::Idle;
  const WorldNetwork* target_ = nullptr;  // the network joined or being joined
  uint64_t stepEndsAt_ = 0;               // end of the timed step of state_
  bool keyFits_ = false;                  // the handshake's key is the network's
  std::vector<JoinStep> steps_;           // entered since the last takeJoinSteps
  uint32_t linkEvent_ = kLinkDown;
  bool icvError_ = false;

  // Link time counted into the traffic, in quarter milliseconds (power save
  // counts a part of the time).
  uint64_t connectedQms_ = 0;
  uint64_t undecryptableQms_ = 0;  // of it, with a WEP key that does not fit
  LinkCounters offset_;            // station counters at the last reset
  LinkCounters apOffset_;          // AP counters at the last reset

  BlockAckTable blockAck_;
  DlsLinkTable directLinks_;
  WpsRun wps_;
  bool wpsRegistrar_ = false;
  bool wpsByButton_ = false;
  const WorldNetwork* wpsTaken_ = nullptr;
  std::vector<uint8_t> wpsTable_;

  SoftAp softAp_;
  WorldNetwork apBss_;  // the AP's own BSS as the link views see it
  std::map<std::pair<uint32_t, uint32_t>, uint32_t> registers_;
  int exchangeHolds_ = 0;
  uint64_t joins_ = 0;
};

}  // namespace wavorel::sim
