// The WBEM locator (CLSID_WbemLocator): connects to the "ROOT\WMI"
// namespace. Reference counted; the last Release deletes it.
#pragma once

#include <atomic>

#include "platform/win/services/Wmi.h"

namespace wavorel::sim {

class WmiLocator : public IWbemLocator {
 public:
  HRESULT QueryInterface(REFIID riid, void** ppvObject) override;
  ULONG AddRef() override { return ++references_; }
  ULONG Release() override;
  HRESULT ConnectServer(const BSTR strNetworkResource, const BSTR strUser, const BSTR strPassword,
                        const BSTR strLocale, long lSecurityFlags, const BSTR strAuthority, IWbemContext* pCtx,
                        IWbemServices** ppNamespace) override;

 private:
  std::atomic<ULONG> references_{1};
};

}  // namespace wavorel::sim
