// What the tests of the Zero Configuration hand-over read and set of the
// simulated machine: the service's state and start type, the adapter's
// interface key and its "ControlFlags".
#pragma once

#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/sim/services/ServiceManager.h"
#include "platform/win/kernel/Clock.h"
#include "worker/WorkerGlobals.h"

namespace worker::testing {

inline wavorel::sim::ServiceState WzcService() {
  wavorel::sim::ServiceState state{};
  EXPECT_TRUE(wavorel::sim::serviceState("WZCSVC", state));
  return state;
}

inline CString WzcInterfaceKey() {
  return CString("SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\") + g_strAdapterGuid;
}

// The interface's "ControlFlags", or -1.
inline long long WzcControlFlags() {
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, WzcInterfaceKey(), 0, KEY_READ, &key) != ERROR_SUCCESS) return -1;
  DWORD flags = 0, size = sizeof flags;
  LSTATUS status = RegQueryValueEx(key, "ControlFlags", nullptr, nullptr, reinterpret_cast<LPBYTE>(&flags), &size);
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? static_cast<long long>(flags) : -1;
}

inline void SetWzcControlFlags(DWORD flags) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, WzcInterfaceKey(), 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
  RegSetValueEx(key, "ControlFlags", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&flags), sizeof flags);
  RegCloseKey(key);
}

// Opens the manager once so that the service's interface key exists.
inline void TouchServiceManager() {
  SC_HANDLE manager = OpenSCManager(nullptr, nullptr, SC_MANAGER_CONNECT);
  ASSERT_NE(manager, nullptr);
  CloseServiceHandle(manager);
}

// Lets a start or stop in progress end.
inline void SettleWzcService(wavorel::VirtualClock& clock) { clock.advance(wavorel::sim::kServiceTransitionMs + 1); }

}  // namespace worker::testing
