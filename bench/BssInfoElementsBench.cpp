// The site survey's texts of a whole scan: ParseBssInfoElements with
// selectors 0 (security) and 2 (WPS) over every record of a 64-network list
// that the Native Wi-Fi client converted from the simulated scan.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/sim/radio/Machine.h"
#include "platform/sim/radio/World.h"
#include "platform/testing/BenchRoot.h"
#include "platform/win/kernel/Clock.h"
#include "worker/BssInfoElements.h"
#include "worker/LeBytes.h"
#include "worker/NativeWiFi.h"
#include "worker/NdisBssid.h"

namespace {

constexpr int kNetworks = 64;

// The default world's adapter with 64 networks of every kind of security.
std::string WorldOf64() {
  std::string world(wavorel::sim::defaultWorldText());
  world = world.substr(0, world.find("[Network Home]"));
  const char* const securities[] = {"WPA2-PSK", "WPA-PSK", "Open", "WEP", "WPA2-Enterprise"};
  for (int i = 0; i < kNetworks; ++i) {
    char bssid[32];
    std::snprintf(bssid, sizeof bssid, "00-1D-7E-33-%02X-%02X", i / 256, i % 256);
    const std::string security = securities[i % 5];
    world += "[Network N" + std::to_string(i) + "]\nSsid = Street" + std::to_string(i) + "\nBssid = " + bssid +
             "\nChannel = " + std::to_string(1 + i % 11) + "\nSignal = " + std::to_string(-40 - i % 40) +
             "\nSecurity = " + security + "\n";
    if (security == "WPA2-PSK" || security == "WPA-PSK") world += "Passphrase = street-secret\n";
    if (security == "WEP") world += "Key1 = 0123456789\nKeyIndex = 1\n";
    if (security == "WPA2-Enterprise") world += "Eap = accept\n";
    if (i % 2 == 0) world += i % 4 ? "WPS = Pin\nWpsPin = 12345670\nHT = yes\n" : "WPS = PushButton\nHT = yes\n";
  }
  return world;
}

void BM_ParseBssInfoElementsOfAScan(benchmark::State& state) {
  wavorel::testing::BenchRoot root;
  if (root.path().empty()) {
    state.SkipWithError("cannot create a temporary root");
    return;
  }
  const std::string worldPath = root.path() + "/world.ini";
  std::ofstream(worldPath, std::ios::binary) << WorldOf64();
  setenv("WAVOREL_WORLD", worldPath.c_str(), 1);
  wavorel::resetPlatformState();
  auto clock = wavorel::installVirtualClock();
  wavorel::sim::machine();  // the machine of that world, its services running
  {
    CNativeWiFi client;
    client.Init("Wavorel 802.11n USB Wireless LAN Card", nullptr, 0);
    client.Scan();
    clock->advance(3000);
    client.FillScanList();
    const BYTE* list = client.BssidScanList();
    const DWORD count = GetLeU32(list);
    if (count != kNetworks) {
      state.SkipWithError(("the scan listed " + std::to_string(count) + " networks, not 64").c_str());
    } else {
      for (auto _ : state) {
        DWORD at = ndis_bssid::kListHeadSize;
        for (DWORD i = 0; i < count; ++i) {
          const BYTE* record = list + at;
          benchmark::DoNotOptimize(ParseBssInfoElements(record, kBssidScanListSize - at, kBssTextSecurity));
          benchmark::DoNotOptimize(ParseBssInfoElements(record, kBssidScanListSize - at, kBssTextWps));
          at += GetLeU32(record + ndis_bssid::kLength);
        }
      }
    }
    client.Close();
  }
  unsetenv("WAVOREL_WORLD");
}
BENCHMARK(BM_ParseBssInfoElementsOfAScan)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
