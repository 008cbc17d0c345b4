#include "platform/sim/services/WmiNamespace.h"

#include "platform/sim/services/WmiService.h"
#include "platform/win/kernel/WideText.h"

namespace wavorel::sim {

std::string bstrText(const BSTR s) { return s ? utf16ToUtf8(s, SysStringLen(s)) : std::string(); }

HRESULT answerInterface(IUnknown* self, REFIID riid, REFIID own, void** ppvObject) {
  if (!ppvObject) return E_POINTER;
  if (IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, own)) {
    self->AddRef();
    *ppvObject = self;
    return S_OK;
  }
  *ppvObject = nullptr;
  return E_NOINTERFACE;
}

HRESULT WmiNamespace::QueryInterface(REFIID riid, void** ppvObject) {
  return answerInterface(this, riid, IID_IWbemServices, ppvObject);
}

ULONG WmiNamespace::Release() {
  ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT WmiNamespace::ExecNotificationQueryAsync(const BSTR strQueryLanguage, const BSTR strQuery, long lFlags,
                                                 IWbemContext*, IWbemObjectSink* pResponseHandler) {
  if (!strQueryLanguage || !strQuery || !pResponseHandler || lFlags != 0) return WBEM_E_INVALID_PARAMETER;
  HRESULT error = WBEM_S_NO_ERROR;
  std::string eventClass = WmiService::queryClass(bstrText(strQueryLanguage), bstrText(strQuery), error);
  if (eventClass.empty()) return error;
  WmiService::instance().subscribe(pResponseHandler, eventClass);
  return WBEM_S_NO_ERROR;
}

HRESULT WmiNamespace::CancelAsyncCall(IWbemObjectSink* pSink) {
  if (!pSink || !WmiService::instance().cancel(pSink)) return WBEM_E_INVALID_PARAMETER;
  return WBEM_S_NO_ERROR;
}

}  // namespace wavorel::sim
