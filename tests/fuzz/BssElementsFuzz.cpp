// libFuzzer target for the information-element parser: the input is one
// NDIS_WLAN_BSSID_EX record with its element area, parsed for every selector
// with the input's size as the bytes the record may use. The marks read
// without texts must be what the texts say.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "worker/BssInfoElements.h"
#include "worker/ModuleFunctions.h"

namespace {

// Whether the last of a text's fields is "TRUE".
bool LastFieldIsTrue(const CString& text, int fields) {
  CStringArray parts;
  SplitString(text, ";", parts);
  return parts.GetSize() == fields && parts[fields - 1] == "TRUE";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<BYTE> record(data, data + size);
  const DWORD available = static_cast<DWORD>(record.size());
  CString texts[kBssTextBeaconInterval + 1];
  for (int selector = -1; selector <= kBssTextBeaconInterval + 1; ++selector) {
    const CString text = ParseBssInfoElements(record.data(), available, selector);
    if (selector >= 0 && selector <= kBssTextBeaconInterval) texts[selector] = text;
  }
  const BssElementMarks marks = ReadBssElementMarks(record.data(), available);
  if (marks.secured != (texts[kBssTextSecurity] != "Unknown;None")) abort();
  if (marks.wps != LastFieldIsTrue(texts[kBssTextWps], kWpsTextFields)) abort();
  if (marks.ht != LastFieldIsTrue(texts[kBssTextHt], kHtTextFields)) abort();
  return 0;
}
