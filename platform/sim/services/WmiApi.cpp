// COM start-up, strings and variants, and the one creatable class (the WBEM
// locator) of the WMI surface.
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/win/services/Wmi.h"
#include "platform/sim/services/WmiLocator.h"
#include "platform/win/kernel/Root.h"

const CLSID CLSID_WbemLocator = {0x4590F811, 0x1D3A, 0x11D0, {0x89, 0x1F, 0x00, 0xAA, 0x00, 0x4B, 0x2E, 0x24}};
const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const IID IID_IWbemLocator = {0xDC12A687, 0x737F, 0x11CF, {0x88, 0x4D, 0x00, 0xAA, 0x00, 0x4B, 0x2E, 0x24}};
const IID IID_IWbemServices = {0x9556DC99, 0x828C, 0x11CF, {0xA3, 0x7E, 0x00, 0xAA, 0x00, 0x32, 0x40, 0xC7}};
const IID IID_IWbemClassObject = {0xDC12A681, 0x737F, 0x11CF, {0x88, 0x4D, 0x00, 0xAA, 0x00, 0x4B, 0x2E, 0x24}};
const IID IID_IWbemObjectSink = {0x7C857801, 0x7381, 0x11CF, {0x88, 0x4D, 0x00, 0xAA, 0x00, 0x4B, 0x2E, 0x24}};

namespace {

struct Apartment {
  int entered = 0;  // CoInitializeEx calls not yet undone
  DWORD model = COINIT_MULTITHREADED;
};
thread_local Apartment t_apartment;

std::mutex g_securityMutex;
bool g_securitySet = false;
const bool g_reset = (wavorel::registerStateReset([] {
                        std::lock_guard<std::mutex> lock(g_securityMutex);
                        g_securitySet = false;
                      }),
                      true);

}  // namespace

bool IsEqualGUID(REFGUID a, REFGUID b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }

BSTR SysAllocString(const OLECHAR* psz) {
  if (!psz) return nullptr;
  uint32_t length = 0;
  while (psz[length]) ++length;
  uint32_t bytes = length * sizeof(OLECHAR);
  auto* block = static_cast<uint8_t*>(std::malloc(sizeof(uint32_t) + bytes + sizeof(OLECHAR)));
  if (!block) return nullptr;
  std::memcpy(block, &bytes, sizeof bytes);
  std::memcpy(block + sizeof bytes, psz, bytes + sizeof(OLECHAR));
  return reinterpret_cast<BSTR>(block + sizeof bytes);
}

void SysFreeString(BSTR bstrString) {
  if (bstrString) std::free(reinterpret_cast<uint8_t*>(bstrString) - sizeof(uint32_t));
}

UINT SysStringLen(BSTR pbstr) {
  if (!pbstr) return 0;
  uint32_t bytes = 0;
  std::memcpy(&bytes, reinterpret_cast<uint8_t*>(pbstr) - sizeof bytes, sizeof bytes);
  return bytes / sizeof(OLECHAR);
}

void VariantInit(VARIANT* pvarg) {
  std::memset(pvarg, 0, sizeof *pvarg);
  pvarg->vt = VT_EMPTY;
}

HRESULT VariantClear(VARIANT* pvarg) {
  if (!pvarg) return E_INVALIDARG;
  if (pvarg->vt == VT_BSTR) SysFreeString(pvarg->bstrVal);
  VariantInit(pvarg);
  return S_OK;
}

HRESULT CoInitializeEx(LPVOID, DWORD dwCoInit) {
  DWORD model = dwCoInit & COINIT_APARTMENTTHREADED;
  if (t_apartment.entered > 0) {
    if (t_apartment.model != model) return RPC_E_CHANGED_MODE;
    ++t_apartment.entered;
    return S_FALSE;
  }
  t_apartment.entered = 1;
  t_apartment.model = model;
  return S_OK;
}

void CoUninitialize() {
  if (t_apartment.entered > 0) --t_apartment.entered;
}

HRESULT CoInitializeSecurity(void*, LONG, void*, void*, DWORD, DWORD, void*, DWORD, void*) {
  if (t_apartment.entered == 0) return CO_E_NOTINITIALIZED;
  std::lock_guard<std::mutex> lock(g_securityMutex);
  if (g_securitySet) return RPC_E_TOO_LATE;
  g_securitySet = true;
  return S_OK;
}

HRESULT CoCreateInstance(REFCLSID rclsid, IUnknown* pUnkOuter, DWORD, REFIID riid, LPVOID* ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (t_apartment.entered == 0) return CO_E_NOTINITIALIZED;
  if (pUnkOuter) return CLASS_E_NOAGGREGATION;
  if (!IsEqualGUID(rclsid, CLSID_WbemLocator)) return REGDB_E_CLASSNOTREG;
  auto* locator = new wavorel::sim::WmiLocator();
  HRESULT hr = locator->QueryInterface(riid, ppv);
  locator->Release();
  return hr;
}
