// CWmiListener: the station worker's WMI subscriptions in "ROOT\WMI": the
// driver's event class and the standard media-connect class, each with a
// CMySink that posts to the worker window. The worker sets its window and the
// two event class names, then registers (IniWMIMsgEvent); the destructor
// releases. RefreshIcvErrorFlag is the worker's answer to a driver event.
// UI thread only (the sinks are called on WMI's thread).
#pragma once

#include <memory>

#include "platform/Platform.h"
#include "worker/MySink.h"

constexpr char kDriverEventClass[] = "QzWLANMessageEvent";
constexpr char kMediaConnectEventClass[] = "MSNdis_StatusMediaConnect";

class CWmiListener {
 public:
  CWmiListener();
  ~CWmiListener();
  CWmiListener(const CWmiListener&) = delete;
  CWmiListener& operator=(const CWmiListener&) = delete;

  // The window both sinks post to.
  void SetWindow(HWND hwnd);
  // The event classes of the driver sink and the media-connect sink.
  void SetMessageStrings(LPCSTR driverEventClass, LPCSTR mediaConnectClass);
  // COM start, security, the locator, "ROOT\WMI", then one notification
  // query per sink whose window exists. TRUE when at least one query was
  // taken; on FALSE everything obtained is released again. Traced to
  // "C:\Sorvik_test.txt" while [Advance] "OpenFile" is "1".
  BOOL IniWMIMsgEvent();
  // Cancels the subscriptions, releases the namespace and the locator and
  // leaves COM; then deletes the sinks.
  void Release();
  // The driver's WEP ICV-error bit into g_bIcvError (a failed or short query
  // reads as clear); adapters of the VX52 family leave the flag alone.
  static void RefreshIcvErrorFlag();

  BOOL IsDriverEventRegistered() const { return m_bDriverEventRegistered; }
  BOOL IsMediaConnectRegistered() const { return m_bMediaConnectRegistered; }
  CMySink* DriverEventSink() const { return m_pDriverEventSink.get(); }
  CMySink* MediaConnectSink() const { return m_pMediaConnectSink.get(); }

 private:
  // Subscribes `sink` to "SELECT * FROM " + its name; TRUE when taken.
  BOOL Subscribe(CMySink* sink);
  // What a failed registration obtained, released.
  void ReleaseServices();

  IWbemLocator* m_pLocator = nullptr;
  IWbemServices* m_pServices = nullptr;
  BOOL m_bDriverEventRegistered = FALSE;
  BOOL m_bMediaConnectRegistered = FALSE;
  std::unique_ptr<CMySink> m_pDriverEventSink;
  std::unique_ptr<CMySink> m_pMediaConnectSink;
  HWND m_hWnd = nullptr;
};
