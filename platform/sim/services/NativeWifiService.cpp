#include "platform/sim/services/NativeWifiService.h"

#include <algorithm>
#include <cstring>

#include "platform/wire/Bytes.h"
#include "platform/wire/NativeWifiRecords.h"
#include "platform/sim/services/GuidText.h"
#include "platform/sim/radio/Machine.h"
#include "platform/sim/crypto/Pbkdf2.h"
#include "platform/win/kernel/Root.h"
#include "platform/win/kernel/WideText.h"

namespace wavorel::sim {

namespace {

const bool g_reset = (registerStateReset([] { NativeWifiService::instance().reset(); }), true);

namespace note = wire::wlan::notification;
namespace radio = wire::wlan::radiostate;

void putName(uint8_t* out, const std::string& name) {
  std::u16string wide = utf8ToUtf16(name);
  size_t n = std::min<size_t>(wide.size(), WLAN_MAX_NAME_LENGTH - 1);
  for (size_t i = 0; i < n; ++i) wire::putU16(out + 2 * i, static_cast<uint16_t>(wide[i]));
}

void putSsid(uint8_t* out, const std::string& ssid) {
  size_t n = std::min<size_t>(ssid.size(), DOT11_SSID_MAX_LENGTH);
  wire::putU32(out, static_cast<uint32_t>(n));
  std::memcpy(out + 4, ssid.data(), n);
}

std::string hexToBytes(const std::string& hex) {
  std::string out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) out.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return out;
}

bool allHex(const std::string& s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

// Sets the adapter's station settings from a profile.
void configure(Adapter& a, const WlanProfile& p) {
  a.infrastructureMode = p.ibss ? 0 : 1;
  const std::string& auth = p.authentication;
  a.authMode = auth == "shared"    ? kAuthShared
               : auth == "WPA"     ? kAuthWpa
               : auth == "WPAPSK"  ? (p.ibss ? kAuthWpaNone : kAuthWpaPsk)
               : auth == "WPA2"    ? kAuthWpa2
               : auth == "WPA2PSK" ? kAuthWpa2Psk
                                   : kAuthOpen;
  a.encryptionStatus = p.encryption == "WEP"    ? kWepEnabled
                       : p.encryption == "TKIP" ? kTkipEnabled
                       : p.encryption == "AES"  ? kAesEnabled
                                                : kWepDisabled;
  a.clearKeys();
  if (p.encryption == "WEP" && !p.keyMaterial.empty()) {
    bool hex = (p.keyMaterial.size() == 10 || p.keyMaterial.size() == 26) && allHex(p.keyMaterial);
    a.setWepKey(p.keyIndex, hex ? hexToBytes(p.keyMaterial) : p.keyMaterial, true);
  }
  if ((auth == "WPAPSK" || auth == "WPA2PSK") && !p.keyMaterial.empty()) {
    if (p.keyMaterial.size() == 64 && allHex(p.keyMaterial)) {
      a.setPairwiseMasterKey(hexToBytes(p.keyMaterial));
    } else {
      Psk key = wpaPassphraseKey(p.keyMaterial, p.ssid);
      a.setPairwiseMasterKey(std::string(key.begin(), key.end()));
    }
  }
}

WLAN_REASON_CODE failureReason(uint32_t linkEvent, bool found) {
  if (!found) return WLAN_REASON_CODE_NETWORK_NOT_AVAILABLE;
  switch (linkEvent) {
    case kFourWayTimeout: return WLAN_REASON_CODE_MSMSEC_PSK_MISMATCH_SUSPECTED;
    case kSharedAuthFail: return WLAN_REASON_CODE_KEY_MISMATCH;
    case kOpenAuthFail: return WLAN_REASON_CODE_SECURITY_FAILURE;
    default: return WLAN_REASON_CODE_ASSOCIATION_FAILURE;
  }
}

}  // namespace

NativeWifiService& NativeWifiService::instance() {
  static NativeWifiService s;
  return s;
}

HANDLE NativeWifiService::open(DWORD /*version*/) {
  if (observer_ == 0) {
    // The service starts: it takes the interfaces present now.
    observer_ = addLinkObserver([this](const LinkNotice& n) { onLink(n); });
    if (Machine* m = machineIfLoaded()) {
      for (size_t i = 0; i < m->adapterCount(); ++i)
        if (m->adapter(i).present()) startAutoConnect(m->adapter(i));
      checkLinks();
    }
  }
  uintptr_t h = nextHandle_++;
  clients_[h] = Client{};
  return reinterpret_cast<HANDLE>(h);
}

bool NativeWifiService::close(HANDLE client) {
  if (!clients_.erase(key(client))) return false;
  return true;
}

void NativeWifiService::registerCallback(HANDLE client, DWORD sources, WLAN_NOTIFICATION_CALLBACK callback,
                                         void* context, DWORD* previous) {
  Client& c = clients_[key(client)];
  if (previous) *previous = c.sources;
  c.sources = callback ? sources : WLAN_NOTIFICATION_SOURCE_NONE;
  c.callback = sources == WLAN_NOTIFICATION_SOURCE_NONE ? nullptr : callback;
  c.context = context;
}

Adapter* NativeWifiService::interfaceAdapter(const GUID& guid) {
  Machine* m = machineIfLoaded();
  Adapter* a = m ? m->findAdapter(guidText(guid)) : nullptr;
  return a && a->present() ? a : nullptr;
}

std::string NativeWifiService::description(Adapter& a) {
  return a.config().friendlyName.empty() ? a.config().description : a.config().friendlyName;
}

WLAN_INTERFACE_STATE NativeWifiService::interfaceState(Adapter& a) {
  if (a.connected()) return wlan_interface_state_connected;
  switch (a.linkState()) {
    case LinkState::Authenticating:
    case LinkState::Associating: return wlan_interface_state_associating;
    case LinkState::AwaitingKey:
    case LinkState::Handshake:
    case LinkState::Eap: return wlan_interface_state_authenticating;
    default: return wlan_interface_state_disconnected;
  }
}

WlanProfileStore& NativeWifiService::store(const std::string& guid) {
  auto& s = stores_[guid];
  if (!s) s = std::make_unique<WlanProfileStore>(guid);
  return *s;
}

void NativeWifiService::notify(DWORD source, DWORD code, const std::string& guid, std::vector<uint8_t> data) {
  GUID g{};
  parseGuidText(guid, g);
  for (auto& [h, c] : clients_) {
    if (!c.callback || !(c.sources & source)) continue;
    WLAN_NOTIFICATION_CALLBACK callback = c.callback;
    void* context = c.context;
    notifier_.post(h, [callback, context, source, code, g, data]() mutable {
      WLAN_NOTIFICATION_DATA n{};
      n.NotificationSource = source;
      n.NotificationCode = code;
      n.InterfaceGuid = g;
      n.dwDataSize = static_cast<DWORD>(data.size());
      n.pData = data.empty() ? nullptr : data.data();
      callback(&n, context);
    });
  }
}

std::vector<uint8_t> NativeWifiService::connectionData(const std::string& guid, WLAN_REASON_CODE reason) const {
  std::vector<uint8_t> d(note::kConnectionSize, 0);
  auto it = connections_.find(guid);
  if (it != connections_.end()) {
    const Connection& c = it->second;
    wire::putU32(d.data() + note::kConnectionMode, c.mode);
    putName(d.data() + note::kProfileName, c.profile);
    putSsid(d.data() + note::kSsid, c.ssid);
    wire::putU32(d.data() + note::kBssType, c.ibss ? dot11_BSS_type_independent : dot11_BSS_type_infrastructure);
    wire::putU32(d.data() + note::kConnectionSecurityEnabled, c.secured ? 1 : 0);
  }
  wire::putU32(d.data() + note::kConnectionReasonCode, reason);
  return d;
}

std::vector<uint8_t> NativeWifiService::msmData(Adapter& a) const {
  std::vector<uint8_t> d(note::kMsmSize, 0);
  auto it = connections_.find(a.guid());
  if (it != connections_.end()) {
    wire::putU32(d.data() + note::kConnectionMode, it->second.mode);
    putName(d.data() + note::kProfileName, it->second.profile);
  }
  if (it != connections_.end()) putSsid(d.data() + note::kSsid, it->second.ssid);
  if (const WorldNetwork* n = a.associatedNetwork()) {
    putSsid(d.data() + note::kSsid, n->ssid);
    wire::putU32(d.data() + note::kBssType, n->adhoc ? dot11_BSS_type_independent : dot11_BSS_type_infrastructure);
    std::copy(n->bssid.begin(), n->bssid.end(), d.data() + note::kMsmMacAddress);
    wire::putU32(d.data() + note::kMsmSecurityEnabled, n->security == Security::Open ? 0 : 1);
  }
  return d;
}

void NativeWifiService::onLink(const LinkNotice& notice) {
  const std::string& guid = notice.guid;
  Machine* m = machineIfLoaded();
  Adapter* a = m ? m->findAdapter(guid) : nullptr;
  if (!a) return;
  switch (notice.change) {
    case LinkChange::ScanComplete:
      notify(WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_scan_complete, guid, {});
      if (autoConnectScans_.erase(guid)) afterLook([this, guid] { autoConnect(guid); });
      break;
    case LinkChange::ScanFailed: {
      autoConnectScans_.erase(guid);
      std::vector<uint8_t> reason(4);
      wire::putU32(reason.data(), WLAN_REASON_CODE_UNKNOWN);
      notify(WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_scan_fail, guid, reason);
      break;
    }
    case LinkChange::JoinStep:
      switch (static_cast<LinkState>(notice.value)) {
        case LinkState::Authenticating:
          notify(WLAN_NOTIFICATION_SOURCE_MSM, wlan_notification_msm_associating, guid, msmData(*a));
          break;
        case LinkState::AwaitingKey:
        case LinkState::Handshake:
        case LinkState::Eap:
          associated(*a);
          notify(WLAN_NOTIFICATION_SOURCE_MSM, wlan_notification_msm_authenticating, guid, msmData(*a));
          break;
        default:
          break;
      }
      break;
    case LinkChange::JoinFailed: {
      auto it = connections_.find(guid);
      if (it != connections_.end() && it->second.pending) failConnection(*a, failureReason(notice.value, true));
      break;
    }
    case LinkChange::Connected:
      if (connections_.count(guid)) connections_[guid].pending = false;
      if (!connections_.count(guid)) {
        const WorldNetwork* n = a->network();
        connections_[guid] = Connection{wlan_connection_mode_discovery_unsecure, "", n ? n->ssid : "",
                                        n && n->security != Security::Open, n && n->adhoc};
      }
      associated(*a);
      notify(WLAN_NOTIFICATION_SOURCE_MSM, wlan_notification_msm_connected, guid, msmData(*a));
      notify(WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_connection_complete, guid,
             connectionData(guid, WLAN_REASON_CODE_SUCCESS));
      break;
    case LinkChange::Disconnected:
      notify(WLAN_NOTIFICATION_SOURCE_MSM, wlan_notification_msm_disconnected, guid, msmData(*a));
      notify(WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_disconnected, guid,
             connectionData(guid, WLAN_REASON_CODE_SUCCESS));
      connections_.erase(guid);
      break;
    case LinkChange::RadioChanged: {
      std::vector<uint8_t> state(radio::kSize, 0);
      wire::putU32(state.data() + radio::kSoftwareState, a->radioOn() ? dot11_radio_state_on : dot11_radio_state_off);
      wire::putU32(state.data() + radio::kHardwareState,
                   a->hardwareRadioOn() ? dot11_radio_state_on : dot11_radio_state_off);
      notify(WLAN_NOTIFICATION_SOURCE_MSM, wlan_notification_msm_radio_state_change, guid, state);
      break;
    }
    case LinkChange::SignalQuality: {
      std::vector<uint8_t> quality(4);
      wire::putU32(quality.data(), notice.value);
      notify(WLAN_NOTIFICATION_SOURCE_MSM, wlan_notification_msm_signal_quality_change, guid, quality);
      break;
    }
    case LinkChange::Arrival:
      notify(WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_interface_arrival, guid, {});
      startAutoConnect(*a);
      break;
    case LinkChange::Removal:
      autoConnectScans_.erase(guid);
      notify(WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_interface_removal, guid, {});
      break;
    case LinkChange::LinkEvent:
      break;
  }
}

void NativeWifiService::connect(Adapter& a, const WlanProfile& p, WLAN_CONNECTION_MODE mode,
                                const DOT11_BSSID_LIST* bssids) {
  checkLinks();  // report what happened before this request first
  autoConnectScans_.erase(a.guid());  // a client's request wins over the automatic one
  if (a.connected() || a.joining()) {
    // A new connection ends the current one (or join) first (in AP mode: the BSS restarts).
    a.disassociate();
    checkLinks();
  }
  Connection c{mode, p.name, p.ssid, p.secured(), p.ibss};
  connections_[a.guid()] = c;
  notify(WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_connection_start, a.guid(),
         connectionData(a.guid(), WLAN_REASON_CODE_SUCCESS));
  std::optional<Mac> bssid;
  if (bssids && bssids->uNumOfEntries > 0) {
    Mac mac;
    std::copy(bssids->BSSIDs[0], bssids->BSSIDs[0] + 6, mac.begin());
    bssid = mac;
  }
  configure(a, p);
  a.associate(p.ssid, bssid);
  if (a.connected() || a.joining()) {
    // The link monitor reports the steps of the join and its outcome.
    connections_[a.guid()].pending = a.joining();
    checkLinks();
    return;
  }
  // The network is not heard (on the bands and channels the settings allow).
  bool found = false;
  for (const ScanEntry& e : a.scanResults()) found = found || e.network->ssid == p.ssid;
  failConnection(a, failureReason(a.linkEvent(), found));
}

void NativeWifiService::associated(Adapter& a) {
  auto it = connections_.find(a.guid());
  if (it == connections_.end() || it->second.associated) return;
  it->second.associated = true;
  notify(WLAN_NOTIFICATION_SOURCE_MSM, wlan_notification_msm_associated, a.guid(), msmData(a));
}

void NativeWifiService::failConnection(Adapter& a, WLAN_REASON_CODE reason) {
  a.disassociate();
  checkLinks();
  notify(WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_connection_attempt_fail, a.guid(),
         connectionData(a.guid(), reason));
  notify(WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_connection_complete, a.guid(),
         connectionData(a.guid(), reason));
  connections_.erase(a.guid());
}

void NativeWifiService::startAutoConnect(Adapter& a) {
  if (a.connected() || a.joining() || a.apMode()) return;
  const auto& profiles = store(a.guid()).profiles();
  if (std::none_of(profiles.begin(), profiles.end(), [](const StoredProfile& p) { return p.profile.autoConnect; }))
    return;
  a.startScan();
  if (a.scanning()) autoConnectScans_.insert(a.guid());
}

void NativeWifiService::autoConnect(const std::string& guid) {
  Machine* m = machineIfLoaded();
  Adapter* a = m ? m->findAdapter(guid) : nullptr;
  if (!a || !a->present() || a->connected() || a->joining() || a->apMode()) return;
  const std::vector<ScanEntry> heard = a->scanResults();
  for (const StoredProfile& p : store(guid).profiles()) {
    if (!p.profile.autoConnect) continue;
    bool inRange = std::any_of(heard.begin(), heard.end(),
                               [&](const ScanEntry& e) { return e.network->ssid == p.profile.ssid; });
    if (inRange) {
      connect(*a, p.profile, wlan_connection_mode_profile, nullptr);
      return;
    }
  }
}

void NativeWifiService::disconnect(Adapter& a) {
  autoConnectScans_.erase(a.guid());
  a.disassociate();
  checkLinks();
}

void NativeWifiService::scan(Adapter& a) {
  checkLinks();
  a.startScan();
  checkLinks();
  if (!a.scanning()) {
    std::vector<uint8_t> reason(4);
    wire::putU32(reason.data(), WLAN_REASON_CODE_UNKNOWN);
    notify(WLAN_NOTIFICATION_SOURCE_ACM, wlan_notification_acm_scan_fail, a.guid(), reason);
  }
}

WLAN_CONNECTION_MODE NativeWifiService::connectionMode(const std::string& guid) const {
  auto it = connections_.find(guid);
  return it == connections_.end() ? wlan_connection_mode_discovery_unsecure : it->second.mode;
}

std::string NativeWifiService::connectionProfile(const std::string& guid) const {
  auto it = connections_.find(guid);
  return it == connections_.end() ? std::string() : it->second.profile;
}

void* NativeWifiService::allocate(size_t size) {
  auto block = std::make_unique<uint8_t[]>(std::max<size_t>(size, 1));
  void* p = block.get();
  std::memset(p, 0, std::max<size_t>(size, 1));
  memory_.emplace(p, std::move(block));
  return p;
}

void NativeWifiService::release(void* memory) { memory_.erase(memory); }

void NativeWifiService::reset() {
  {
    std::lock_guard<std::recursive_mutex> lock(machineMutex());
    clients_.clear();
    stores_.clear();
    connections_.clear();
    lastStored_.clear();
    autoConnectScans_.clear();
    reportedSsidLength_.reset();
    if (observer_) removeLinkObserver(observer_);
    observer_ = 0;
  }
  notifier_.stop();
  std::lock_guard<std::recursive_mutex> lock(machineMutex());
  memory_.clear();
}

}  // namespace wavorel::sim
