// libFuzzer target for the BSS detail view: the input is one
// NDIS_WLAN_BSSID_EX record with its element area, shown by the detail view
// (every page filled from it). The record lies in a list whose walk keeps its
// Length within the list, so the entry pads the input to a full head and cuts
// Length to the bytes there are, as that walk leaves it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Platform.h"
#include "platform/wire/Bytes.h"
#include "station/status/APDetailInfoDlg.h"
#include "tests/fuzz/FuzzRoot.h"

namespace bss = wavorel::wire::ndis::bssid;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TemporaryRoot root;
  if (root.path.empty()) return 0;
  static std::unique_ptr<CAPDetailInfoDlg> detail;
  if (!detail) {
    // The detail view is a child dialog: a plain pop-up stands for the host.
    static HWND host =
        CreateWindowEx(0, "STATIC", "host", WS_POPUP, 0, 0, 700, 400, nullptr, nullptr, nullptr, nullptr);
    detail = std::make_unique<CAPDetailInfoDlg>(CWnd::FromHandle(host));
    detail->Create(IDD_AP_DETAIL_INFO, CWnd::FromHandle(host));
  }
  std::vector<BYTE> record(data, data + size);
  record.resize(std::max(record.size(), bss::kHeadSize), 0);
  const uint32_t length = wavorel::wire::getU32(record.data() + bss::kLength);
  wavorel::wire::putU32(record.data() + bss::kLength,
                        static_cast<uint32_t>(std::min<size_t>(length, record.size())));
  detail->ShowWindow(SW_HIDE);
  detail->SetBssRecord(reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(record.data()));
  detail->ShowWindow(SW_SHOW);
  detail->SetBssRecord(nullptr);
  return 0;
}
