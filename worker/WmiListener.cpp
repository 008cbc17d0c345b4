#include "worker/WmiListener.h"

#include <string>

#include "worker/OidRequest.h"
#include "worker/TraceFile.h"
#include "worker/WorkerGlobals.h"

namespace {

// A BSTR of an ANSI text, freed with the object.
class Bstr {
 public:
  explicit Bstr(const std::string& text) {
    std::u16string wide(text.begin(), text.end());
    m_value = SysAllocString(wide.c_str());
  }
  ~Bstr() { SysFreeString(m_value); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR get() const { return m_value; }

 private:
  BSTR m_value;
};

// The trace of the registration's steps, written only while tracing is on.
class StepTrace {
 public:
  StepTrace() : m_on(IsTraceOn()) {}
  void operator()(LPCSTR text) const {
    if (m_on) AppendTrace(text);
  }

 private:
  BOOL m_on;
};

}  // namespace

CWmiListener::CWmiListener()
    : m_pDriverEventSink(std::make_unique<CMySink>()), m_pMediaConnectSink(std::make_unique<CMySink>()) {}

CWmiListener::~CWmiListener() { Release(); }

void CWmiListener::SetWindow(HWND hwnd) { m_hWnd = hwnd; }

void CWmiListener::SetMessageStrings(LPCSTR driverEventClass, LPCSTR mediaConnectClass) {
  if (m_pDriverEventSink) m_pDriverEventSink->SetName(driverEventClass);
  if (m_pMediaConnectSink) m_pMediaConnectSink->SetName(mediaConnectClass);
}

BOOL CWmiListener::IniWMIMsgEvent() {
  const StepTrace trace;
  trace("Start to coinitializeEx\n");
  HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  trace("End to coinitializeEx\nStart to Coinitializesecurity\n");
  if (FAILED(hr)) return FALSE;
  hr = CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT_PRIVACY, RPC_C_IMP_LEVEL_IMPERSONATE,
                            nullptr, EOAC_SECURE_REFS, nullptr);
  trace("End to Coinitializesecurity\n");
  // The process's security is set once; a worker started again (after a
  // mode switch) finds it set and goes on.
  if (FAILED(hr) && hr != RPC_E_TOO_LATE) {
    CoUninitialize();
    return FALSE;
  }
  trace("Start to CoCreateInstance\n");
  hr = CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                        reinterpret_cast<LPVOID*>(&m_pLocator));
  trace("End to CoCreateInstance\n");
  if (FAILED(hr) || !m_pLocator) {
    m_pLocator = nullptr;
    CoUninitialize();
    return FALSE;
  }
  trace("Start to ConnectServer\n");
  const Bstr wmiNamespace("ROOT\\WMI");
  hr = m_pLocator->ConnectServer(wmiNamespace.get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr, &m_pServices);
  trace("End to ConnectServer\n");
  if (FAILED(hr) || !m_pServices) {
    m_pServices = nullptr;
    ReleaseServices();
    return FALSE;
  }
  if (m_pDriverEventSink) m_pDriverEventSink->SetWindow(m_hWnd);
  if (m_pMediaConnectSink) m_pMediaConnectSink->SetWindow(m_hWnd);
  trace("Start to ExecuteQuery\n");
  m_bDriverEventRegistered = Subscribe(m_pDriverEventSink.get());
  m_bMediaConnectRegistered = Subscribe(m_pMediaConnectSink.get());
  trace("End to ExecuteQuery\n");
  if (!m_bDriverEventRegistered && !m_bMediaConnectRegistered) {
    ReleaseServices();
    return FALSE;
  }
  return TRUE;
}

BOOL CWmiListener::Subscribe(CMySink* sink) {
  if (!sink || !IsWindow(sink->GetWindow())) return FALSE;
  const Bstr language("WQL");
  const Bstr query(std::string("SELECT * FROM ") + static_cast<LPCSTR>(sink->GetName()));
  return m_pServices->ExecNotificationQueryAsync(language.get(), query.get(), 0, nullptr, sink) == S_OK;
}

void CWmiListener::ReleaseServices() {
  if (m_pServices) m_pServices->Release();
  if (m_pLocator) m_pLocator->Release();
  m_pServices = nullptr;
  m_pLocator = nullptr;
  CoUninitialize();
}

void CWmiListener::Release() {
  const BOOL registered = m_bDriverEventRegistered || m_bMediaConnectRegistered;
  if (m_bDriverEventRegistered) {
    m_pServices->CancelAsyncCall(m_pDriverEventSink.get());
    m_pDriverEventSink->Release();
  }
  if (m_bMediaConnectRegistered) {
    m_pServices->CancelAsyncCall(m_pMediaConnectSink.get());
    m_pMediaConnectSink->Release();
  }
  m_bDriverEventRegistered = FALSE;
  m_bMediaConnectRegistered = FALSE;
  if (registered) ReleaseServices();
  m_pDriverEventSink.reset();
  m_pMediaConnectSink.reset();
}

void CWmiListener::RefreshIcvErrorFlag() {
  DWORD value = 0, returned = 0;
  if (!QueryOid(OID_VX_WEP_ICV_ERROR, &value, sizeof value, &returned) || returned < sizeof value) value = 0;
  if (!g_bVx52Family) g_bIcvError = static_cast<int>(value & 1);
}
