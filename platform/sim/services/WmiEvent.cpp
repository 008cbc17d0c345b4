#include "platform/sim/services/WmiEvent.h"

#include <memory>

#include "platform/sim/services/WmiNamespace.h"
#include "platform/win/kernel/WideText.h"

namespace wavorel::sim {

namespace {

size_t wideLength(LPCWSTR s) {
  size_t n = 0;
  while (s[n]) ++n;
  return n;
}

}  // namespace

WmiEvent::WmiEvent(const std::string& className, std::map<std::string, WmiValue> properties)
    : properties_(std::move(properties)) {
  properties_["__CLASS"] = WmiValue{VT_BSTR, className, 0};
}

HRESULT WmiEvent::QueryInterface(REFIID riid, void** ppvObject) {
  return answerInterface(this, riid, IID_IWbemClassObject, ppvObject);
}

ULONG WmiEvent::AddRef() { return ++references_; }

ULONG WmiEvent::Release() {
  ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT WmiEvent::Get(LPCWSTR wszName, long lFlags, VARIANT* pVal, CIMTYPE* pType, long* plFlavor) {
  if (!wszName || lFlags != 0) return WBEM_E_INVALID_PARAMETER;
  auto it = properties_.find(utf16ToUtf8(wszName, wideLength(wszName)));
  if (it == properties_.end()) return WBEM_E_NOT_FOUND;
  const WmiValue& v = it->second;
  if (pVal) {
    VariantInit(pVal);
    pVal->vt = v.type;
    if (v.type == VT_BSTR) {
      pVal->bstrVal = SysAllocString(utf8ToUtf16(v.text).c_str());
      if (!pVal->bstrVal) return E_OUTOFMEMORY;
    } else if (v.type == VT_BOOL) {
      pVal->boolVal = v.number ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
      pVal->ulVal = v.number;
    }
  }
  if (pType) *pType = static_cast<CIMTYPE>(v.type);
  if (plFlavor) *plFlavor = 0;
  return WBEM_S_NO_ERROR;
}

}  // namespace wavorel::sim
