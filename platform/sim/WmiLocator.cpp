#include "platform/sim/WmiLocator.h"

#include <strings.h>

#include "platform/sim/WmiService.h"
#include "platform/win/WideText.h"

namespace wavorel::sim {

namespace {

std::string narrow(const BSTR s) { return s ? utf16ToUtf8(s, SysStringLen(s)) : std::string(); }

template <class Interface>
HRESULT answer(Interface* self, REFIID riid, REFIID own, void** ppvObject) {
  if (!ppvObject) return E_POINTER;
  if (IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, own)) {
    self->AddRef();
    *ppvObject = self;
    return S_OK;
  }
  *ppvObject = nullptr;
  return E_NOINTERFACE;
}

}  // namespace

HRESULT WmiNamespace::QueryInterface(REFIID riid, void** ppvObject) {
  return answer<IWbemServices>(this, riid, IID_IWbemServices, ppvObject);
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
  std::string eventClass = WmiService::queryClass(narrow(strQueryLanguage), narrow(strQuery), error);
  if (eventClass.empty()) return error;
  WmiService::instance().subscribe(pResponseHandler, eventClass);
  return WBEM_S_NO_ERROR;
}

HRESULT WmiNamespace::CancelAsyncCall(IWbemObjectSink* pSink) {
  if (!pSink || !WmiService::instance().cancel(pSink)) return WBEM_E_INVALID_PARAMETER;
  return WBEM_S_NO_ERROR;
}

HRESULT WmiLocator::QueryInterface(REFIID riid, void** ppvObject) {
  return answer<IWbemLocator>(this, riid, IID_IWbemLocator, ppvObject);
}

ULONG WmiLocator::Release() {
  ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT WmiLocator::ConnectServer(const BSTR strNetworkResource, const BSTR, const BSTR, const BSTR, long,
                                  const BSTR, IWbemContext*, IWbemServices** ppNamespace) {
  if (!strNetworkResource || !ppNamespace) return WBEM_E_INVALID_PARAMETER;
  *ppNamespace = nullptr;
  std::string path = narrow(strNetworkResource);
  if (strcasecmp(path.c_str(), "ROOT\\WMI") != 0 && strcasecmp(path.c_str(), "\\\\.\\ROOT\\WMI") != 0)
    return WBEM_E_INVALID_NAMESPACE;
  *ppNamespace = new WmiNamespace();
  return WBEM_S_NO_ERROR;
}

}  // namespace wavorel::sim
