// libFuzzer target for the WPS page's readers of driver records: the input is
// taken as the driver's BSS list, whose WPS access points the page lists (in
// each band mode), and its first 996 bytes as the driver's credential table,
// whose records the credential dialog shows (Detail) and loads for editing
// (registrar mode), on the programs' templates.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Platform.h"
#include "platform/wire/WpsRecords.h"
#include "station/status/PageWPSProfile.h"
#include "station/status/WpsApList.h"
#include "tests/fuzz/FuzzRoot.h"
#include "worker/WorkerGlobals.h"
#include "worker/WpsWorker.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TemporaryRoot root;
  if (root.path.empty()) return 0;
  static std::unique_ptr<CPageWPSProfile> dialog;
  if (!dialog) {
    // The dialog is a child dialog: a plain pop-up stands for the host.
    static HWND host =
        CreateWindowEx(0, "STATIC", "host", WS_POPUP, 0, 0, 700, 400, nullptr, nullptr, nullptr, nullptr);
    dialog = std::make_unique<CPageWPSProfile>(CWnd::FromHandle(host));
    dialog->Create(IDD_WPS_PROFILE, CWnd::FromHandle(host));
  }
  const std::vector<BYTE> list(data, data + size);
  const auto kept = std::make_unique<BYTE[]>(64 * 1024);
  for (int mode = kWpsBand24; mode <= kWpsBandAuto; ++mode) {
    std::vector<WpsApEntry> entries;
    const int count = BuildWpsApEntries(list.data(), static_cast<DWORD>(list.size()), mode, entries, kept.get(),
                                        64 * 1024);
    MakeWpsApRowsText(entries);
    for (int i = 0; i <= count; ++i) WpsKeptRecord(kept.get(), 64 * 1024, i);
  }

  const std::vector<BYTE> answer(data, data + std::min<size_t>(size, wavorel::wire::wps::table::kSize));
  LoadWpsCredentialTable(answer.data(), static_cast<DWORD>(answer.size()));
  MakeWpsProfileRowsText(MakeWpsProfileEntries());
  for (int i = 0; i < WpsCredentialCount(); ++i) dialog->ShowCredential(WpsCredentialAt(i));
  g_nWpsConfigMode = 1;
  dialog->LoadCredentialRecord();
  dialog->CheckKey();
  return 0;
}
