// CMySink: the station worker's WMI event sink. WMI calls Indicate on a
// thread of its own; the sink only posts to the worker window:
// WM_DRIVER_MESSAGE_EVENT for a driver event ("QzWLANMessageEvent") and
// WM_MEDIA_CONNECT_EVENT for a media-connect event
// ("MSNdis_StatusMediaConnect") unless the connection in progress drops it
// (IsMediaConnectDropped). The reference count starts at 1 and Release never
// deletes the sink: the listener that made it owns it.
#pragma once

#include <atomic>

#include "platform/Platform.h"

class CMySink : public IWbemObjectSink {
 public:
  CMySink() = default;
  ~CMySink() override = default;
  CMySink(const CMySink&) = delete;
  CMySink& operator=(const CMySink&) = delete;

  // IUnknown and IWbemObjectSink only.
  HRESULT QueryInterface(REFIID riid, void** ppvObject) override;
  ULONG AddRef() override;
  ULONG Release() override;
  // One post per object of a known class; stops at an object whose class
  // cannot be read. Always WBEM_S_NO_ERROR.
  HRESULT Indicate(long lObjectCount, IWbemClassObject** apObjArray) override;
  HRESULT SetStatus(long lFlags, HRESULT hResult, BSTR strParam, IWbemClassObject* pObjParam) override;

  // Set on the UI thread before the sink is subscribed.
  void SetWindow(HWND hwnd) { m_hWnd.store(hwnd); }
  HWND GetWindow() const { return m_hWnd.load(); }
  void SetName(const CString& name) { m_strName = name; }
  const CString& GetName() const { return m_strName; }
  ULONG GetRefCount() const { return m_nRef.load(); }

 private:
  std::atomic<HWND> m_hWnd{nullptr};
  CString m_strName;
  std::atomic<ULONG> m_nRef{1};
};
