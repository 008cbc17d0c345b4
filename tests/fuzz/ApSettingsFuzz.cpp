// libFuzzer target for the AP settings store: the input fills the adapter's
// driver key with values of any type and size (ApDriverKeyInput.h), and
// apply-all reads them and sends its records to the simulated driver. Every
// record sent must keep its size and the bounds of its counts and lengths.
#include "softap/HideDlg_AP.h"
#include "tests/fuzz/ApDriverKeyInput.h"
#include "tests/fuzz/FuzzRoot.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TemporaryRoot root;
  if (root.path.empty() || size < 1 || !apfuzz::useFirstAdapter()) return 0;
  if (!apfuzz::fillDriverKey(data, size)) return 0;
  wavorel::sim::clearDriverCalls();
  {
    CHideDlg_AP worker;
    worker.ApplyAllSettings();
  }
  for (const wavorel::sim::DriverCall& c : wavorel::sim::driverCalls())
    if (c.set) apfuzz::checkRecord(c);
  return 0;
}
