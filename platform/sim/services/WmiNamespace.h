// The "ROOT\WMI" namespace a locator connects to: notification queries
// handed to the WMI event service. Reference counted; the last Release
// deletes it.
#pragma once

#include <atomic>
#include <string>

#include "platform/win/services/Wmi.h"

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

// QueryInterface of the objects of this surface: IUnknown and `own`.
HRESULT answerInterface(IUnknown* self, REFIID riid, REFIID own, void** ppvObject);
// The UTF-8 text of a BSTR (empty for NULL).
std::string bstrText(const BSTR s);

}  // namespace wavorel::sim
