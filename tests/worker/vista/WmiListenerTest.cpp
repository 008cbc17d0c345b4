// The worker's WMI listener: the sinks' posts and their drop rule for the
// connection in progress, the registration's trace and its release on
// failure, and the ICV-error flag that a driver event refreshes.
#include <atomic>
#include <map>
#include <thread>

#include "platform/sim/services/WmiEvent.h"
#include "tests/worker/vista/HideDlgTest.h"
#include "worker/WorkerGlobals.h"

namespace worker::testing {
namespace {

// An event object whose class cannot be read.
class UnreadableEvent : public IWbemClassObject {
 public:
  HRESULT QueryInterface(REFIID, void** ppvObject) override {
    *ppvObject = nullptr;
    return E_NOINTERFACE;
  }
  ULONG AddRef() override { return 1; }
  ULONG Release() override { return 1; }
  HRESULT Get(LPCWSTR, long, VARIANT*, CIMTYPE*, long*) override { return WBEM_E_NOT_FOUND; }
};

// A window that keeps the messages of the WMI sinks it gets.
class SinkTarget {
 public:
  SinkTarget() {
    WNDCLASS wc{};
    wc.lpfnWndProc = &SinkTarget::proc;
    wc.lpszClassName = "WmiSinkTarget";
    RegisterClass(&wc);
    hwnd_ = CreateWindowEx(0, "WmiSinkTarget", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    got().clear();
  }
  ~SinkTarget() { DestroyWindow(hwnd_); }
  HWND hwnd() const { return hwnd_; }
  static std::vector<UINT>& got() {
    static std::vector<UINT> messages;
    return messages;
  }

 private:
  static LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRIVER_MESSAGE_EVENT || message == WM_MEDIA_CONNECT_EVENT) got().push_back(message);
    return DefWindowProc(hwnd, message, wParam, lParam);
  }
  HWND hwnd_ = nullptr;
};

IWbemClassObject* Event(const char* eventClass) { return new wavorel::sim::WmiEvent(eventClass, {}); }

class WmiListenerTest : public HideDlgTest {
 protected:
  // Indicates `objects` to `sink` and returns the messages it posted.
  static std::vector<UINT> Indicate(CMySink& sink, std::vector<IWbemClassObject*> objects) {
    SinkTarget::got().clear();
    EXPECT_EQ(sink.Indicate(static_cast<long>(objects.size()), objects.data()), WBEM_S_NO_ERROR);
    wavorel::pumpMessages();
    return SinkTarget::got();
  }
};

TEST_F(WmiListenerTest, SinkPostsOnePerObjectAndStopsAtAnUnreadableClass) {
  SinkTarget target;
  CMySink sink;
  sink.SetWindow(target.hwnd());
  IWbemClassObject* driver = Event(kDriverEventClass);
  IWbemClassObject* media = Event(kMediaConnectEventClass);
  IWbemClassObject* other = Event("MSNdis_StatusMediaDisconnect");
  UnreadableEvent unreadable;
  EXPECT_EQ(Indicate(sink, {driver, media, other, driver}),
            (std::vector<UINT>{WM_DRIVER_MESSAGE_EVENT, WM_MEDIA_CONNECT_EVENT, WM_DRIVER_MESSAGE_EVENT}));
  EXPECT_EQ(Indicate(sink, {driver, &unreadable, driver}), (std::vector<UINT>{WM_DRIVER_MESSAGE_EVENT}));
  driver->Release();
  media->Release();
  other->Release();
}

TEST_F(WmiListenerTest, SinkInterfacesAndCountThatNeverDeletes) {
  CMySink sink;
  void* out = nullptr;
  EXPECT_EQ(sink.QueryInterface(IID_IWbemObjectSink, &out), S_OK);
  EXPECT_EQ(out, static_cast<IWbemObjectSink*>(&sink));
  EXPECT_EQ(sink.QueryInterface(IID_IUnknown, &out), S_OK);
  EXPECT_EQ(sink.GetRefCount(), 3u);
  out = &sink;
  EXPECT_EQ(sink.QueryInterface(IID_IWbemLocator, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(sink.Release(), 2u);
  EXPECT_EQ(sink.Release(), 1u);
  EXPECT_EQ(sink.Release(), 0u);
  EXPECT_EQ(sink.SetStatus(0, S_OK, nullptr, nullptr), WBEM_S_NO_ERROR);
  EXPECT_EQ(sink.AddRef(), 1u) << "the sink outlives a count of 0";
}

TEST_F(WmiListenerTest, MediaConnectIsDroppedForASecuredConnectionInProgress) {
  SinkTarget target;
  CMySink sink;
  sink.SetWindow(target.hwnd());
  IWbemClassObject* media = Event(kMediaConnectEventClass);
  const struct {
    DWORD auth, use8021x;
    BYTE leap;
    DWORD native, useBssid;
    BOOL started;
    bool dropped;
  } table[] = {
      {4, 0, 0, 1, 0, TRUE, true},  {7, 0, 0, 1, 0, TRUE, true},   {3, 0, 0, 1, 0, TRUE, true},
      {6, 0, 0, 1, 0, TRUE, true},  {0, 1, 0, 1, 0, TRUE, true},   {1, 1, 0, 1, 0, TRUE, true},
      {0, 0, 1, 1, 0, TRUE, true},  {0, 0, 0, 1, 0, TRUE, false},  {2, 0, 0, 1, 0, TRUE, false},
      {4, 0, 0, 0, 0, TRUE, false}, {4, 0, 0, 1, 0, FALSE, false}, {0, 0, 0, 0, 1, FALSE, true},
  };
  for (const auto& row : table) {
    _PROFILE_DATA record;
    record.AuthMode = row.auth;
    record.Use8021X = row.use8021x;
    record.LeapEnabled = row.leap;
    record.ConnectThroughNativeWiFi = row.native;
    record.UseBssid = row.useBssid;
    SetCurrentProfile(&record);
    SetConnectionStarted(row.started);
    EXPECT_EQ(Indicate(sink, {media}).empty(), row.dropped) << "auth " << row.auth << " started " << row.started;
    FreeCurrentProfile();
    EXPECT_EQ(Indicate(sink, {media}), (std::vector<UINT>{WM_MEDIA_CONNECT_EVENT})) << "no record: always posted";
  }
  SetConnectionStarted(FALSE);
  media->Release();
}

// The sink runs on WMI's thread while the UI thread replaces and frees the
// current-profile copy: the sink reads only the drop flag, never the copy.
TEST_F(WmiListenerTest, SinkOnItsThreadNeverReadsTheCopyTheUiThreadFrees) {
  SinkTarget target;
  CMySink sink;
  sink.SetWindow(target.hwnd());
  constexpr int kRounds = 20000;
  std::atomic<bool> done{false};
  std::thread wmi([&] {
    IWbemClassObject* media = Event(kMediaConnectEventClass);
    for (int i = 0; i < kRounds; ++i) sink.Indicate(1, &media);
    media->Release();
    done = true;
  });
  SetConnectionStarted(TRUE);
  for (int i = 0; !done.load() || i < kRounds; ++i) {
    _PROFILE_DATA record;
    record.AuthMode = 4;
    record.ConnectThroughNativeWiFi = 1;
    record.UseBssid = static_cast<DWORD>(i & 1);
    SetCurrentProfile(&record);
    FreeCurrentProfile();
  }
  wmi.join();
  SetConnectionStarted(FALSE);
  wavorel::pumpMessages();
  EXPECT_FALSE(IsMediaConnectDropped());
}

TEST_F(WmiListenerTest, FailedRegistrationLeavesComAndHoldsNothing) {
  const HRESULT before = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  CoUninitialize();
  ASSERT_EQ(before, S_OK) << "the test thread starts outside COM";
  CWmiListener listener;
  listener.SetMessageStrings(kDriverEventClass, kMediaConnectEventClass);
  listener.SetWindow(nullptr);  // no sink window: neither query is taken
  EXPECT_FALSE(listener.IniWMIMsgEvent());
  EXPECT_FALSE(listener.IsDriverEventRegistered());
  EXPECT_FALSE(listener.IsMediaConnectRegistered());
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK) << "the failed registration left COM";
  CoUninitialize();

  SinkTarget target;
  CWmiListener working;
  working.SetMessageStrings("NoSuchEventClass", kMediaConnectEventClass);
  working.SetWindow(target.hwnd());
  EXPECT_TRUE(working.IniWMIMsgEvent()) << "one query taken is enough";
  EXPECT_FALSE(working.IsDriverEventRegistered());
  EXPECT_TRUE(working.IsMediaConnectRegistered());
  working.Release();
  EXPECT_EQ(working.MediaConnectSink(), nullptr);
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK) << "the release left COM";
  CoUninitialize();
}

TEST_F(WmiListenerTest, StartIsTracedStepByStep) {
  writeProgramIni("[Advance]\nOpenFile=1\n");
  startWorker();
  std::vector<std::string> steps;
  std::string messages;
  const std::string trace = readDriveC("Sorvik_test.txt");
  // Written in text mode: each line feed is stored as CR LF.
  for (size_t at = 0; at < trace.size();) {
    const size_t end = trace.find("\r\n", at);
    const std::string line = trace.substr(at, end == std::string::npos ? std::string::npos : end - at);
    at = end == std::string::npos ? trace.size() : end + 2;
    if (line.rfind(" Message = 0x", 0) == 0)
      messages = line;
    else
      steps.push_back(line);
  }
  const std::vector<std::string> expected = {
      "Start to set task bar",        "End to set task bar",          "Start to IniWMIMsgEvent",
      "Start to set window handle",   "End to set window handle",     "Start to set message string",
      "End to set message string",    "Start to register event",      "Start to coinitializeEx",
      "End to coinitializeEx",        "Start to Coinitializesecurity", "End to Coinitializesecurity",
      "Start to CoCreateInstance",    "End to CoCreateInstance",      "Start to ConnectServer",
      "End to ConnectServer",         "Start to ExecuteQuery",        "End to ExecuteQuery",
      "End to register event",        "End to IniWMIMsgEvent",        "Start to set event be zero",
      "End to set event be zero"};
  EXPECT_EQ(steps, expected);
  EXPECT_EQ(messages.size(), std::string(" Message = 0x00000000").size()) << messages;
}

TEST_F(WmiListenerTest, DriverEventRefreshesTheIcvFlagExceptOnVx52) {
  startWorker();
  CMySink* sink = worker().WmiListener().DriverEventSink();
  ASSERT_NE(sink, nullptr);
  // A driver event as WMI's thread indicates it to the worker's sink.
  auto driverEvent = [sink] {
    std::thread wmi([sink] {
      IWbemClassObject* event = Event(kDriverEventClass);
      sink->Indicate(1, &event);
      event->Release();
    });
    wmi.join();
  };
  machine().stuckValue(OID_VX_WEP_ICV_ERROR, 1);
  g_bIcvError = 0;
  driverEvent();
  EXPECT_TRUE(pumpUntil([] { return g_bIcvError == 1; }));

  g_bVx52Family = 1;
  machine().stuckValue(OID_VX_WEP_ICV_ERROR, 0);
  wavorel::sim::clearDriverCalls();
  driverEvent();
  EXPECT_TRUE(pumpUntil([] { return called(OID_VX_WEP_ICV_ERROR); }));
  EXPECT_EQ(g_bIcvError, 1) << "the VX52 family keeps the flag";
  g_bVx52Family = 0;
  machine().failCode(OID_VX_WEP_ICV_ERROR, 1);
  driverEvent();
  EXPECT_TRUE(pumpUntil([] { return g_bIcvError == 0; })) << "a failed query reads as clear";
}

}  // namespace
}  // namespace worker::testing
