#include "worker/MySink.h"

#include <string>

#include "worker/ActionQueue.h"
#include "worker/HideDlg.h"

namespace {

bool IsClass(const VARIANT& value, const char* name) {
  if (value.vt != VT_BSTR || !value.bstrVal) return false;
  const UINT length = SysStringLen(value.bstrVal);
  const std::string expected(name);
  if (length != expected.size()) return false;
  for (UINT i = 0; i < length; ++i)
    if (value.bstrVal[i] != static_cast<OLECHAR>(static_cast<unsigned char>(expected[i]))) return false;
  return true;
}

}  // namespace

HRESULT CMySink::QueryInterface(REFIID riid, void** ppvObject) {
  if (!ppvObject) return E_POINTER;
  if (IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, IID_IWbemObjectSink)) {
    *ppvObject = static_cast<IWbemObjectSink*>(this);
    AddRef();
    return S_OK;
  }
  *ppvObject = nullptr;
  return E_NOINTERFACE;
}

ULONG CMySink::AddRef() { return ++m_nRef; }

ULONG CMySink::Release() { return --m_nRef; }

HRESULT CMySink::Indicate(long lObjectCount, IWbemClassObject** apObjArray) {
  if (!apObjArray) return WBEM_S_NO_ERROR;
  for (long i = 0; i < lObjectCount; ++i) {
    IWbemClassObject* object = apObjArray[i];
    if (!object) break;
    VARIANT value;
    VariantInit(&value);
    if (object->Get(u"__CLASS", 0, &value, nullptr, nullptr) != WBEM_S_NO_ERROR) break;
    if (IsClass(value, "QzWLANMessageEvent")) {
      PostMessage(m_hWnd.load(), WM_DRIVER_MESSAGE_EVENT, 0, 0);
    } else if (IsClass(value, "MSNdis_StatusMediaConnect") && !IsMediaConnectDropped()) {
      PostMessage(m_hWnd.load(), WM_MEDIA_CONNECT_EVENT, 0, 0);
    }
    VariantClear(&value);
  }
  return WBEM_S_NO_ERROR;
}

HRESULT CMySink::SetStatus(long, HRESULT, BSTR, IWbemClassObject*) { return WBEM_S_NO_ERROR; }
