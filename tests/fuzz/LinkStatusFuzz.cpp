// libFuzzer target for the link status page's readers of driver answers: the
// input gives the words the driver answers for the link event, the PHY words,
// transmit power, noise, the three RSSI chains, both SNRs, the IP address and
// the link-status record's first word, how much of the record is answered,
// the 802.11n family flag and the Show dBm flag; the page runs two passes
// over a connected link. Every bar stays in 0..100 and the texts stay whole.
#include <chrono>
#include <cstring>
#include <thread>

#include "platform/sim/radio/Machine.h"
#include "platform/sim/services/NativeWifiService.h"
#include "station/status/LinkStatusDlg.h"
#include "station/status/ShowDbmFlag.h"
#include "tests/fuzz/FuzzRoot.h"
#include "worker/DriverCodes.h"
#include "worker/NativeWiFi.h"
#include "worker/WorkerGlobals.h"

namespace {

constexpr DWORD kOidSsidSet = 0x0D810102;
// The codes whose answers the input gives, in input order.
constexpr DWORD kCodes[] = {OID_VX_LINK_EVENT, OID_VX_HT_PHY_WORD, OID_VX_TX_POWER, OID_VX_TX_RATE,
                            OID_VX_NOISE_LEVEL, OID_VX_RSSI0,      OID_VX_RSSI1,    OID_VX_RSSI2,
                            OID_VX_SNR0,       OID_VX_SNR1,        OID_VX_IP_ADDRESS, OID_VX_LINK_STATUS_BLOCK};

void check(bool condition) {
  if (!condition) __builtin_trap();
}

// The default adapter joined to the open network through the driver, and the
// worker's Native Wi-Fi client on its interface.
CNativeWiFi* Connected() {
  static CNativeWiFi* client = [] {
    wavorel::sim::Machine& machine = wavorel::sim::machine();
    wavorel::sim::Adapter& adapter = machine.adapter(0);
    g_strDevicePath = ("\\\\.\\" + adapter.guid()).c_str();
    BYTE request[36] = {8};
    std::memcpy(request + 4, "CafeFree", 8);
    uint32_t returned = 0, error = 0;
    machine.request(adapter.guid(), kOidSsidSet, request, sizeof request, returned, error);
    for (int i = 0; i < 200 && !adapter.connected(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    static CNativeWiFi wifi;
    wifi.Init(wavorel::sim::NativeWifiService::description(adapter).c_str(), nullptr, 0);
    return &wifi;
  }();
  return client;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TemporaryRoot root;
  constexpr size_t kNeeded = sizeof kCodes / sizeof kCodes[0] * 4 + 3;
  if (root.path.empty() || size < kNeeded) return 0;
  g_pNativeWiFi = Connected();
  wavorel::sim::Machine& machine = wavorel::sim::machine();
  for (size_t i = 0; i < sizeof kCodes / sizeof kCodes[0]; ++i) {
    DWORD value = 0;
    std::memcpy(&value, data + 4 * i, 4);
    machine.stuckValue(kCodes[i], value);
  }
  const uint8_t* flags = data + kNeeded - 3;
  machine.shortAnswer(OID_VX_LINK_STATUS_BLOCK, flags[0] % 21);
  g_bHtFamily = flags[1] & 1;
  g_bShowDbm = flags[2] & 1;
  {
    CWnd frame;
    frame.CreateEx(0, "Static", "frame", WS_POPUP, CRect(0, 0, 620, 290), nullptr, 0);
    CLinkStatusDlg page(&frame);
    if (page.Create(IDD_LINK_STATUS, &frame)) {
      page.ShowWindow(SW_SHOW);
      page.MeasurementPass();
      page.MeasurementPass();
      for (int bar = 0; bar < CLinkStatusDlg::kBarCount; ++bar) {
        const int position = page.GetBar(CLinkStatusDlg::Bar(bar)).GetPos();
        check(position >= 0 && position <= 100);
      }
      for (int text = 0; text < CLinkStatusDlg::kBoundTextCount; ++text)
        check(page.GetText(CLinkStatusDlg::Text(text)).GetLength() < 512);
      page.DestroyWindow();
    }
    frame.DestroyWindow();
  }
  g_pNativeWiFi = nullptr;
  return 0;
}
