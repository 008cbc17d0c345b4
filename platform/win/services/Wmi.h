// WMI event subscriptions over the simulated machine, through the COM-like
// surface a client uses: COM start-up, the WBEM locator, the "ROOT\WMI"
// namespace, asynchronous notification queries with a sink the client
// implements, and event objects read property by property. Interfaces are
// abstract classes with the documented methods and reference counting; there
// is no real COM. Events come from the adapters' links: a link that comes up
// raises MSNdis_StatusMediaConnect, one that goes down
// MSNdis_StatusMediaDisconnect, and a change of the driver's link event
// QzWLANMessageEvent. Sinks are called on a thread of the service.
#pragma once

#include "platform/win/services/Rpc.h"
#include "platform/win/kernel/Types.h"

typedef WCHAR OLECHAR;
typedef OLECHAR* BSTR;
typedef const OLECHAR* LPCWSTR;
typedef unsigned short VARTYPE;
typedef short VARIANT_BOOL;
typedef LONG CIMTYPE;
typedef const GUID& REFCLSID;

#define VARIANT_TRUE (static_cast<VARIANT_BOOL>(-1))
#define VARIANT_FALSE (static_cast<VARIANT_BOOL>(0))

enum VARENUM : VARTYPE { VT_EMPTY = 0, VT_NULL = 1, VT_I4 = 3, VT_BSTR = 8, VT_BOOL = 11, VT_UI4 = 19 };
enum CIMTYPE_ENUMERATION : CIMTYPE { CIM_SINT32 = 3, CIM_STRING = 8, CIM_BOOLEAN = 11, CIM_UINT32 = 19 };

struct VARIANT {
  VARTYPE vt;
  WORD wReserved1, wReserved2, wReserved3;
  union {
    LONG lVal;
    ULONG ulVal;
    VARIANT_BOOL boolVal;
    BSTR bstrVal;
    ULONGLONG ullVal;
  };
};

// A BSTR holds its length in bytes before the text and a terminator after it.
BSTR SysAllocString(const OLECHAR* psz);
void SysFreeString(BSTR bstrString);
UINT SysStringLen(BSTR pbstr);
void VariantInit(VARIANT* pvarg);
// Frees what the variant owns and makes it VT_EMPTY.
HRESULT VariantClear(VARIANT* pvarg);

#define E_NOINTERFACE (static_cast<HRESULT>(0x80004002u))
#define CO_E_NOTINITIALIZED (static_cast<HRESULT>(0x800401F0u))
#define REGDB_E_CLASSNOTREG (static_cast<HRESULT>(0x80040154u))
#define CLASS_E_NOAGGREGATION (static_cast<HRESULT>(0x80040110u))
#define RPC_E_CHANGED_MODE (static_cast<HRESULT>(0x80010106u))
#define RPC_E_TOO_LATE (static_cast<HRESULT>(0x80010119u))

enum WBEMSTATUS : HRESULT {
  WBEM_S_NO_ERROR = 0,
  WBEM_E_FAILED = static_cast<HRESULT>(0x80041001u),
  WBEM_E_NOT_FOUND = static_cast<HRESULT>(0x80041002u),
  WBEM_E_INVALID_PARAMETER = static_cast<HRESULT>(0x80041008u),
  WBEM_E_INVALID_NAMESPACE = static_cast<HRESULT>(0x8004100Eu),
  WBEM_E_INVALID_CLASS = static_cast<HRESULT>(0x80041010u),
  WBEM_E_INVALID_QUERY_TYPE = static_cast<HRESULT>(0x80041011u),
  WBEM_E_INVALID_QUERY = static_cast<HRESULT>(0x80041017u),
};

#define COINIT_APARTMENTTHREADED 0x2
#define COINIT_MULTITHREADED 0x0
#define CLSCTX_INPROC_SERVER 0x1
#define EOAC_NONE 0x0
#define EOAC_SECURE_REFS 0x2

extern const CLSID CLSID_WbemLocator;
extern const IID IID_IUnknown;
extern const IID IID_IWbemLocator;
extern const IID IID_IWbemServices;
extern const IID IID_IWbemClassObject;
extern const IID IID_IWbemObjectSink;
bool IsEqualGUID(REFGUID a, REFGUID b);

struct IUnknown {
  virtual HRESULT QueryInterface(REFIID riid, void** ppvObject) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

 protected:
  virtual ~IUnknown() = default;
};

struct IWbemContext;  // no context is used

struct IWbemClassObject : IUnknown {
  // VT_BSTR, VT_I4, VT_UI4 or VT_BOOL; WBEM_E_NOT_FOUND for a property the
  // class does not have. pType and plFlavor may be NULL.
  virtual HRESULT Get(LPCWSTR wszName, long lFlags, VARIANT* pVal, CIMTYPE* pType, long* plFlavor) = 0;
};

struct IWbemObjectSink : IUnknown {
  virtual HRESULT Indicate(long lObjectCount, IWbemClassObject** apObjArray) = 0;
  virtual HRESULT SetStatus(long lFlags, HRESULT hResult, BSTR strParam, IWbemClassObject* pObjParam) = 0;
};

struct IWbemServices : IUnknown {
  // Language "WQL", query "SELECT * FROM <event class>". The sink is held
  // (AddRef) until CancelAsyncCall.
  virtual HRESULT ExecNotificationQueryAsync(const BSTR strQueryLanguage, const BSTR strQuery, long lFlags,
                                             IWbemContext* pCtx, IWbemObjectSink* pResponseHandler) = 0;
  // Ends every subscription of the sink; once it returns, the sink is not
  // called again. WBEM_E_INVALID_PARAMETER for a sink with none.
  virtual HRESULT CancelAsyncCall(IWbemObjectSink* pSink) = 0;
};

struct IWbemLocator : IUnknown {
  // Only the local "ROOT\WMI" namespace (any case) exists.
  virtual HRESULT ConnectServer(const BSTR strNetworkResource, const BSTR strUser, const BSTR strPassword,
                                const BSTR strLocale, long lSecurityFlags, const BSTR strAuthority,
                                IWbemContext* pCtx, IWbemServices** ppNamespace) = 0;
};

// S_OK, S_FALSE when this thread had entered the same apartment already,
// RPC_E_CHANGED_MODE for the other kind.
HRESULT CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit);
void CoUninitialize();
// Once per process (RPC_E_TOO_LATE afterwards); CO_E_NOTINITIALIZED before COM
// is started on the calling thread.
HRESULT CoInitializeSecurity(void* pSecDesc, LONG cAuthSvc, void* asAuthSvc, void* pReserved1, DWORD dwAuthnLevel,
                             DWORD dwImpLevel, void* pAuthList, DWORD dwCapabilities, void* pReserved3);
// Only the WBEM locator; CO_E_NOTINITIALIZED before COM is started.
HRESULT CoCreateInstance(REFCLSID rclsid, IUnknown* pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv);
