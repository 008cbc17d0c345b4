#include <thread>

#include "LabWorldTest.h"
#include "platform/win/kernel/WideText.h"

namespace wavorel::sim::testing {
namespace {

struct Seen {
  std::string eventClass, instance;
  VARTYPE activeType = VT_EMPTY;
  bool active = false;
  std::thread::id thread;
};

std::u16string w(const char* s) { return utf8ToUtf16(s); }

// A BSTR owned by the test.
struct Bstr {
  explicit Bstr(const char* s) : value(SysAllocString(w(s).c_str())) {}
  ~Bstr() { SysFreeString(value); }
  BSTR value;
};

std::string textOf(const VARIANT& v) { return v.vt == VT_BSTR ? utf16ToUtf8(v.bstrVal, SysStringLen(v.bstrVal)) : ""; }

class TestSink : public IWbemObjectSink {
 public:
  HRESULT QueryInterface(REFIID riid, void** ppv) override {
    if (IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, IID_IWbemObjectSink)) {
      AddRef();
      *ppv = this;
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG AddRef() override { return ++references; }
  ULONG Release() override { return --references; }
  HRESULT Indicate(long count, IWbemClassObject** objects) override {
    for (long i = 0; i < count; ++i) {
      Seen s;
      VARIANT v;
      VariantInit(&v);
      objects[i]->Get(w("__CLASS").c_str(), 0, &v, nullptr, nullptr);
      s.eventClass = textOf(v);
      VariantClear(&v);
      objects[i]->Get(w("InstanceName").c_str(), 0, &v, nullptr, nullptr);
      s.instance = textOf(v);
      VariantClear(&v);
      objects[i]->Get(w("Active").c_str(), 0, &v, nullptr, nullptr);
      s.activeType = v.vt;
      s.active = v.boolVal == VARIANT_TRUE;
      missingAnswer = objects[i]->Get(w("NoSuchProperty").c_str(), 0, &v, nullptr, nullptr);
      s.thread = std::this_thread::get_id();
      inbox.add(s);
    }
    return WBEM_S_NO_ERROR;
  }
  HRESULT SetStatus(long, HRESULT, BSTR, IWbemClassObject*) override { return WBEM_S_NO_ERROR; }

  std::atomic<ULONG> references{1};
  std::atomic<HRESULT> missingAnswer{S_OK};
  Inbox<Seen> inbox;
};

class WmiTest : public LabWorldTest {
 protected:
  void TearDown() override {
    if (services) services->Release();
    if (locator) locator->Release();
    CoUninitialize();
    LabWorldTest::TearDown();
  }
  void connect() {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    ASSERT_EQ(CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT_PRIVACY,
                                   RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_SECURE_REFS, nullptr),
              S_OK);
    ASSERT_EQ(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                               reinterpret_cast<LPVOID*>(&locator)),
              S_OK);
    Bstr ns("ROOT\\WMI");
    ASSERT_EQ(locator->ConnectServer(ns.value, nullptr, nullptr, nullptr, 0, nullptr, nullptr, &services),
              WBEM_S_NO_ERROR);
  }
  HRESULT subscribe(const char* query, TestSink& sink, const char* language = "WQL") {
    Bstr l(language), q(query);
    return services->ExecNotificationQueryAsync(l.value, q.value, 0, nullptr, &sink);
  }
  static size_t count(TestSink& sink) { return sink.inbox.events().size(); }
  // Waits (for real) until the sink has had `n` events.
  static bool waitCount(TestSink& sink, size_t n) {
    for (int i = 0; i < 3000 && count(sink) < n; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return count(sink) >= n;
  }

  IWbemLocator* locator = nullptr;
  IWbemServices* services = nullptr;
};

TEST_F(WmiTest, LinkEventsReachTheirSinksOnAServiceThreadUntilCancelled) {
  connect();
  TestSink connects, disconnects, driver;
  ASSERT_EQ(subscribe("SELECT * FROM MSNdis_StatusMediaConnect", connects), WBEM_S_NO_ERROR);
  ASSERT_EQ(subscribe("select * from msndis_statusmediadisconnect", disconnects), WBEM_S_NO_ERROR);
  ASSERT_EQ(subscribe("SELECT * FROM QzWLANMessageEvent", driver), WBEM_S_NO_ERROR);
  EXPECT_EQ(connects.references, 2u) << "the service holds the sink";

  join("LabNet");
  ASSERT_TRUE(connects.inbox.waitFor([](const Seen& s) { return s.eventClass == "MSNdis_StatusMediaConnect"; }));
  Seen up = connects.inbox.events().at(0);
  EXPECT_EQ(up.instance, "Lab USB Wireless");
  EXPECT_EQ(up.activeType, VT_BOOL);
  EXPECT_TRUE(up.active);
  EXPECT_NE(up.thread, std::this_thread::get_id());
  EXPECT_EQ(connects.missingAnswer, WBEM_E_NOT_FOUND);
  ASSERT_TRUE(driver.inbox.waitFor([](const Seen& s) { return s.eventClass == "QzWLANMessageEvent"; }));
  EXPECT_EQ(count(disconnects), 0u);

  leave();
  ASSERT_TRUE(disconnects.inbox.waitFor([](const Seen& s) { return s.eventClass == "MSNdis_StatusMediaDisconnect"; }));
  ASSERT_TRUE(waitCount(driver, 2));
  EXPECT_EQ(count(connects), 1u);

  EXPECT_EQ(services->CancelAsyncCall(&connects), WBEM_S_NO_ERROR);
  EXPECT_EQ(connects.references, 1u);
  EXPECT_EQ(services->CancelAsyncCall(&connects), WBEM_E_INVALID_PARAMETER);
  join("LabNet");
  // Deliveries run in order on one thread: once the driver sink has the third
  // event, a media-connect event for the cancelled sink would have come first.
  ASSERT_TRUE(waitCount(driver, 3));
  EXPECT_EQ(count(connects), 1u);
  EXPECT_EQ(services->CancelAsyncCall(&disconnects), WBEM_S_NO_ERROR);
  EXPECT_EQ(services->CancelAsyncCall(&driver), WBEM_S_NO_ERROR);
}

TEST_F(WmiTest, StartUpAndQueriesAreChecked) {
  IWbemLocator* none = nullptr;
  EXPECT_EQ(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                             reinterpret_cast<LPVOID*>(&none)),
            CO_E_NOTINITIALIZED);
  connect();
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);
  CoUninitialize();
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), RPC_E_CHANGED_MODE);
  EXPECT_EQ(CoInitializeSecurity(nullptr, -1, nullptr, nullptr, 0, 0, nullptr, 0, nullptr), RPC_E_TOO_LATE);
  EXPECT_EQ(CoCreateInstance(IID_IUnknown, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                             reinterpret_cast<LPVOID*>(&none)),
            REGDB_E_CLASSNOTREG);

  Bstr other("ROOT\\CIMV2");
  IWbemServices* cimv2 = nullptr;
  EXPECT_EQ(locator->ConnectServer(other.value, nullptr, nullptr, nullptr, 0, nullptr, nullptr, &cimv2),
            WBEM_E_INVALID_NAMESPACE);
  EXPECT_EQ(cimv2, nullptr);

  struct Case {
    const char* language;
    const char* query;
    HRESULT result;
  } cases[] = {
      {"WQL", "SELECT * FROM MSNdis_NoSuchEvent", WBEM_E_INVALID_CLASS},
      {"SQL", "SELECT * FROM QzWLANMessageEvent", WBEM_E_INVALID_QUERY_TYPE},
      {"WQL", "SELECT InstanceName FROM QzWLANMessageEvent", WBEM_E_INVALID_QUERY},
      {"WQL", "SELECT * FROM QzWLANMessageEvent WHERE Active = TRUE", WBEM_E_INVALID_QUERY},
  };
  TestSink sink;
  for (const Case& c : cases) EXPECT_EQ(subscribe(c.query, sink, c.language), c.result) << c.query;
  EXPECT_EQ(sink.references, 1u) << "a refused query keeps no sink";
}

}  // namespace
}  // namespace wavorel::sim::testing
