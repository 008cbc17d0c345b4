// The WBEM locator (CLSID_WbemLocator) and the "ROOT\WMI" namespace it
// connects to. Both are reference counted; the last Release deletes them.
#pragma once

#include <atomic>

#include "platform/sim/Wmi.h"

namespace wavorel::sim {

class WmiNamespace : public IWbemServices {
 public:
  HRESULT QueryInterface(REFIID riid, void** ppvObject) override;
  ULONG AddRef() override { return ++references_; }
  ULONG Release() override;
  HRESULT ExecNotificationQueryAsync(const BSTR strQueryLanguage, const BSTR strQuery, long lFlags,
                                     IWbemContext* pCtx, IWbemObjectSink* pResponseHandler) override;
  HRESULT CancelAsyncCall(IWbemObjectSink* pSink) override;

 private:
  std::atomic<ULONG> references_{1};
};

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
