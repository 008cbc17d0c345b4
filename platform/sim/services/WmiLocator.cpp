#include "platform/sim/services/WmiLocator.h"

#include <strings.h>

#include "platform/sim/services/WmiNamespace.h"

namespace wavorel::sim {

HRESULT WmiLocator::QueryInterface(REFIID riid, void** ppvObject) {
  return answerInterface(this, riid, IID_IWbemLocator, ppvObject);
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
  std::string path = bstrText(strNetworkResource);
  if (strcasecmp(path.c_str(), "ROOT\\WMI") != 0 && strcasecmp(path.c_str(), "\\\\.\\ROOT\\WMI") != 0)
    return WBEM_E_INVALID_NAMESPACE;
  *ppNamespace = new WmiNamespace();
  return WBEM_S_NO_ERROR;
}

}  // namespace wavorel::sim
