// CNativeWiFi: the worker's client of the Native Wi-Fi service (WavorelVista):
// it opens the service, finds the interface whose description is the
// adapter's name, and answers the band and radio questions of discovery and
// the worker's rescan. Vista-only (worker/vista/). UI thread only.
#pragma once

#include "platform/Platform.h"

class CNativeWiFi {
 public:
  CNativeWiFi() = default;
  ~CNativeWiFi();
  CNativeWiFi(const CNativeWiFi&) = delete;
  CNativeWiFi& operator=(const CNativeWiFi&) = delete;

  // Opens the client (again) and finds the interface described as
  // `description`; keeps the window and data-folder kind. Returns
  // FindInterface's result; IsOpened is TRUE when it is 0.
  DWORD Init(LPCSTR description, HWND notifyWindow, DWORD profileScope);
  // Closes an open client handle and opens a new one (client version 2).
  DWORD OpenClient();
  // The first interface whose description (in the ANSI code page) equals
  // `description` exactly; WlanEnumInterfaces's result (0 also without a match).
  DWORD FindInterface(LPCSTR description);
  void Close();

  // *out = TRUE when the interface lists the OFDM (5 GHz) PHY type; up to 5
  // attempts, each followed by a 1000 ms pause, until one succeeds. The last
  // attempt's result.
  DWORD SupportsBandA(BOOL* out);
  // The software and hardware radio state (1 on, 0 off) of the first PHY that
  // is not switched off by software.
  DWORD GetRadioState(DWORD* soft, DWORD* hard);
  BOOL IsOpened() const { return m_opened; }

  const GUID& InterfaceGuid() const { return m_interfaceInfo.InterfaceGuid; }
  HWND NotifyWindow() const { return m_notifyWindow; }
  DWORD ProfileScope() const { return m_profileScope; }

 private:
  HWND m_notifyWindow = nullptr;
  HANDLE m_clientHandle = nullptr;
  WLAN_INTERFACE_INFO m_interfaceInfo{};
  DWORD m_profileScope = 0;
  BOOL m_opened = FALSE;
};

// The worker's A-band query: clears g_bSupportBandA and lets the client fill
// it; the client's result.
DWORD QueryBandA(CNativeWiFi& client);
