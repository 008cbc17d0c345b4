// One WMI event object: its class and its properties, read with Get.
// Reference counted; the last Release deletes it.
#pragma once

#include <atomic>
#include <map>
#include <string>

#include "platform/win/services/Wmi.h"

namespace wavorel::sim {

struct WmiValue {
  VARTYPE type = VT_EMPTY;  // VT_BSTR, VT_UI4 or VT_BOOL
  std::string text;         // VT_BSTR (UTF-8)
  ULONG number = 0;         // VT_UI4, VT_BOOL (0 or 1)
};

class WmiEvent : public IWbemClassObject {
 public:
  // "__CLASS" is added from `className`; the count starts at 1.
  WmiEvent(const std::string& className, std::map<std::string, WmiValue> properties);

  HRESULT QueryInterface(REFIID riid, void** ppvObject) override;
  ULONG AddRef() override;
  ULONG Release() override;
  HRESULT Get(LPCWSTR wszName, long lFlags, VARIANT* pVal, CIMTYPE* pType, long* plFlavor) override;

 private:
  std::map<std::string, WmiValue> properties_;
  std::atomic<ULONG> references_{1};
};

}  // namespace wavorel::sim
