// The Native Wi-Fi service behind wlanapi: client handles, their notification
// registrations (delivered on the service's own thread), the profile stores of
// the interfaces, the connection each interface was last asked for, and the
// memory handed to clients. The interfaces are the machine's present adapters;
// their state is the adapter model's. Every member runs under the machine lock.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/sim/radio/Adapter.h"
#include "platform/sim/radio/LinkMonitor.h"
#include "platform/sim/services/ServiceThread.h"
#include "platform/win/services/Wlan.h"
#include "platform/sim/services/WlanProfileStore.h"

namespace wavorel::sim {

class NativeWifiService {
 public:
  static NativeWifiService& instance();

  HANDLE open(DWORD version);
  bool close(HANDLE client);  // false: not a handle of ours
  // Waits (without the machine lock) until no callback of `client` runs.
  void quiesce(HANDLE client) { notifier_.quiesce(key(client)); }
  bool valid(HANDLE client) const { return clients_.count(key(client)) != 0; }
  void registerCallback(HANDLE client, DWORD sources, WLAN_NOTIFICATION_CALLBACK callback, void* context,
                        DWORD* previous);

  // The present adapter of an interface GUID, or nullptr.
  Adapter* interfaceAdapter(const GUID& guid);
  static std::string description(Adapter& a);
  // The interface state as the adapter's link stands: associating while the
  // authentication and association frames go, authenticating during the key
  // or EAP exchange.
  static WLAN_INTERFACE_STATE interfaceState(Adapter& a);
  WlanProfileStore& store(const std::string& guid);

  // Connects as asked; queues the start notification, then one for each step
  // of the join as it happens, and the outcome.
  void connect(Adapter& a, const WlanProfile& profile, WLAN_CONNECTION_MODE mode, const DOT11_BSSID_LIST* bssids);
  void disconnect(Adapter& a);
  void scan(Adapter& a);
  // The connection mode and profile name of the current link of `guid`.
  WLAN_CONNECTION_MODE connectionMode(const std::string& guid) const;
  std::string connectionProfile(const std::string& guid) const;

  // What the interface was last given to store: the profile document of the
  // last WlanSetProfile it took and the EAP user data of the last
  // WlanSetProfileEapXmlUserData it took (UTF-8, empty until then).
  struct LastStored {
    std::string profileXml;
    std::string eapUserData;
  };
  LastStored& lastStored(const std::string& guid) { return lastStored_[guid]; }

  // A fault for tests: the current connection's SSID length as the service
  // reports it (past the record's 32 bytes when asked), until the next reset;
  // nullopt reports the real length.
  void setReportedSsidLength(std::optional<ULONG> length) { reportedSsidLength_ = length; }
  std::optional<ULONG> reportedSsidLength() const { return reportedSsidLength_; }

  // Memory handed to clients (WlanFreeMemory takes it back).
  void* allocate(size_t size);
  void release(void* memory);

  void reset();

 private:
  struct Client {
    DWORD sources = WLAN_NOTIFICATION_SOURCE_NONE;
    WLAN_NOTIFICATION_CALLBACK callback = nullptr;
    void* context = nullptr;
  };
  struct Connection {
    WLAN_CONNECTION_MODE mode = wlan_connection_mode_profile;
    std::string profile;  // name (UTF-8)
    std::string ssid;
    bool secured = false;
    bool ibss = false;
    bool pending = false;     // the join still runs
    bool associated = false;  // the associated notification went out
  };

  static uintptr_t key(HANDLE h) { return reinterpret_cast<uintptr_t>(h); }
  void onLink(const LinkNotice& notice);
  // Automatic configuration when the service starts with an interface (the
  // first client's open, an adapter's arrival): an interface that is not
  // connected scans, and when the scan ends joins the first profile in its
  // order marked for automatic connection whose network the scan heard.
  void startAutoConnect(Adapter& a);
  void autoConnect(const std::string& guid);
  void notify(DWORD source, DWORD code, const std::string& guid, std::vector<uint8_t> data);
  // The MSM associated notification, once per connection.
  void associated(Adapter& a);
  // Ends a connection attempt: attempt-failed and completion notifications with `reason`.
  void failConnection(Adapter& a, WLAN_REASON_CODE reason);
  std::vector<uint8_t> connectionData(const std::string& guid, WLAN_REASON_CODE reason) const;
  std::vector<uint8_t> msmData(Adapter& a) const;

  std::map<uintptr_t, Client> clients_;
  uintptr_t nextHandle_ = 0x5A000001;
  std::map<std::string, std::unique_ptr<WlanProfileStore>> stores_;
  std::map<std::string, Connection> connections_;
  std::map<std::string, LastStored> lastStored_;
  std::set<std::string> autoConnectScans_;  // interfaces whose start-up scan runs
  std::map<void*, std::unique_ptr<uint8_t[]>> memory_;
  int observer_ = 0;
  std::optional<ULONG> reportedSsidLength_;
  ServiceThread notifier_;
};

}  // namespace wavorel::sim
