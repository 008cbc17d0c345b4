// The AP worker of WavorelVista: its message map, creation, start-up, and
// entering and leaving AP mode (the shared rest is softap/HideDlg_AP.cpp).
#include "softap/HideDlg_AP.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "frontend/UiBridge.h"
#include "softap/ApDriver.h"
#include "softap/ApModule.h"
#include "softap/ApRecords.h"
#include "softap/ApSettings.h"
#include "softap/QzPropSheet_AP.h"
#include "utilmere/Utilmere.h"
#include "worker/DriverCodes.h"
#include "platform/wire/Bytes.h"
#include "worker/ModuleFunctions.h"
#include "worker/NativeWiFi.h"
#include "worker/WlanProfileXml.h"
#include "worker/vista/RegistryRpcClient.h"

namespace {

constexpr int kOsWindowsXp = 8;

using IcsDhcpDisableProc = DWORD (*)();

}  // namespace

// ---- The worker object ----

BEGIN_MESSAGE_MAP(CHideDlg_AP, CDialog)
  ON_WM_PAINT()
  ON_WM_TIMER()
  ON_WM_DESTROY()
  ON_WM_POWERBROADCAST()
  ON_MESSAGE(WM_WLAN_CONNECTED, &CHideDlg_AP::OnWlanConnected)
  ON_MESSAGE(WM_WLAN_RADIO_ON, &CHideDlg_AP::OnWlanRadioOn)
  ON_MESSAGE(WM_WLAN_CONNECT_FAILED, &CHideDlg_AP::OnWlanConnectFailed)
  ON_MESSAGE(CHideDlg_AP::WM_AP_TRAY_NOTIFY, &CHideDlg_AP::OnTrayNotify)
  ON_MESSAGE(WM_UIBRIDGE, &CHideDlg_AP::OnUiBridge)
  ON_COMMAND(CHideDlg_AP::ID_OPEN_SHEET, &CHideDlg_AP::OnOpenSheet)
  ON_COMMAND(CHideDlg_AP::ID_EXIT, &CHideDlg_AP::OnExit)
  ON_COMMAND(CHideDlg_AP::ID_LEAVE_AP_MODE, &CHideDlg_AP::OnLeaveApMode)
END_MESSAGE_MAP()

CHideDlg_AP::CHideDlg_AP() : CDialog(IDD, nullptr) {
  GetOsType_AP();
  if (g_nApOsType >= kOsWindowsXp) {
    m_hIcsDhcp = LoadLibrary("ICSDHCP.dll");
    if (m_hIcsDhcp) {
      m_pfnEnableDhcp = GetProcAddress(m_hIcsDhcp, "ICSDHCP_EnableDhcpServer");
      m_pfnDisableDhcp = GetProcAddress(m_hIcsDhcp, "ICSDHCP_DisableDhcpServer");
    }
  }
}

void CHideDlg_AP::OnDestroy() {
  ClearWorkerNotifyWnd(m_hWnd);
  if (RecordedWlanWorkerWindow(WlanNotifyTarget::SoftAp) == m_hWnd)
    RecordWlanWorkerWindow(nullptr, WlanNotifyTarget::SoftAp);
  // No registration of the AP's client outlives its window.
  GetApNativeWiFi().Close();
  if (g_nApOsType >= kOsWindowsXp) {
    if (m_pfnDisableDhcp) reinterpret_cast<IcsDhcpDisableProc>(m_pfnDisableDhcp)();
    if (m_hIcsDhcp) FreeLibrary(m_hIcsDhcp);
    m_hIcsDhcp = nullptr;
    m_pfnEnableDhcp = m_pfnDisableDhcp = nullptr;
  }
  CDialog::OnDestroy();
}

void CHideDlg_AP::EnterApMode(BOOL openSheet) {
  DWORD apMode = 0;
  if (QueryDriverDword_AP(OID_VX_AP_MODE, apMode) && apMode != 1) SetDriverDword_AP(OID_VX_AP_MODE_SET, 1);
  WriteOpMode(1);

  m_bBusy = TRUE;
  // "ApDefault" is made by the one writer of its defaults when it is missing.
  WriteApDefaults(g_strApDriverKey);
  UpdateApDefault();
  g_bApSupportBandA = 0;
  BOOL bandA = FALSE;
  GetApNativeWiFi().SupportsBandA(&bandA);
  g_bApSupportBandA = bandA ? 1 : 0;
  if (g_nApFamilyIndex >= 2)
    ReadRegionFlags();
  else
    FixChannelAndRegion_VX52();
  BYTE version[sizeof(WORD)] = {};
  DWORD returned = 0;
  if (QueryDriverOid_AP(OID_GEN_DRIVER_VERSION, version, sizeof version, &returned) && returned >= sizeof version)
    g_wApDriverVersion = wavorel::wire::getU16(version);
  m_bBusy = FALSE;

  ReadAllowBW40InBGBand();

  // Register 0x36 of space 3, read twice; the values are not used.
  for (int read = 0; read < 2; ++read) {
    BYTE probe[aprecord::reg::kSize] = {};
    wavorel::wire::putU32(probe + aprecord::reg::kSpace, 3);
    wavorel::wire::putU32(probe + aprecord::reg::kAddress, 0x36);
    QueryDriverOid_AP(OID_VX_REGISTER_RW, probe, sizeof probe, &returned);
  }
  g_bApRegisterRead = 1;

  ApplyAllSettings();
  EnableIcsDhcpServer();
  if (openSheet) OpenSheet();
}

void CHideDlg_AP::WriteOpMode(int value) {
  HKEY key = nullptr;
  RegOpenKeyEx_AP(HKEY_LOCAL_MACHINE, g_strApDriverKey, 0, KEY_ALL_ACCESS, &key);
  WriteApText(key, "OpMode", FormatString("%d", value), g_strApDriverKey);
  if (key) RegCloseKey(key);
}

void CHideDlg_AP::LeaveApMode() {
  WriteOpMode(0);
  SetDriverDword_AP(OID_VX_AP_MODE_SET, 0);
  Exit();

  HKEY stationValues = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strApDriverKey + "\\Default", 0, KEY_READ, &stationValues) == ERROR_SUCCESS) {
    HKEY driverKey = nullptr;
    RegOpenKeyEx_AP(HKEY_LOCAL_MACHINE, g_strApDriverKey, 0, KEY_ALL_ACCESS, &driverKey);
    CopyRegistryValues(stationValues, driverKey, g_strApDriverKey);
    if (driverKey) RegCloseKey(driverKey);
    RegCloseKey(stationValues);
  }

  CNativeWiFi& client = GetApNativeWiFi();
  client.Disconnect();
  // The connection was stored under the name of the SSID the AP beaconed
  // (its own name when no SSID is stored).
  if (CWlanProfileList* profiles = client.ProfileList(); profiles && !m_strBeaconSsid.IsEmpty()) {
    const CString profileName = WlanProfileNameOfSsid(reinterpret_cast<const BYTE*>(static_cast<LPCSTR>(m_strBeaconSsid)),
                                                      static_cast<DWORD>(m_strBeaconSsid.GetLength()));
    WCHAR name[WLAN_MAX_NAME_LENGTH] = {};
    MultiByteToWideChar(CP_ACP, 0, profileName, -1, name, WLAN_MAX_NAME_LENGTH - 1);
    profiles->DeleteProfile(name);
  }

  WinExec(FormatString("\"QzSwap.exe\" OFF Sorvik Vendrel \"Nerolt Wireless\" %s %d %s", g_bApUsbFound ? "USB" : "PCI",
                       g_nApFamilyIndex, g_szApHardwareId),
          SW_MINIMIZE);
}

void CHideDlg_AP::Exit() {
  if (m_bBusy) return;
  DisableIcsDhcpServer();
  CloseSheet();
  NOTIFYICONDATA icon{};
  icon.cbSize = sizeof icon;
  icon.hWnd = m_hWnd;
  icon.uID = kTrayIconId;
  if (Shell_NotifyIcon(NIM_DELETE, &icon)) m_bTray = FALSE;
  KillTimer(kPollTimer);
  EndDialog(1);
}

