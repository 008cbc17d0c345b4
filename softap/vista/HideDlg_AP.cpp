// The AP worker's life: its entry points, creation and destruction, start-up,
// adapter discovery, and entering and leaving AP mode.
#include "softap/HideDlg_AP.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

#include "frontend/UiBridge.h"
#include "softap/ApDriver.h"
#include "softap/ApModule.h"
#include "softap/ApPoll.h"
#include "softap/ApRecords.h"
#include "softap/ApSettings.h"
#include "softap/QzPropSheet_AP.h"
#include "softap/SelCardDlg_AP.h"
#include "utilmere/Utilmere.h"
#include "worker/DeviceHandle.h"
#include "worker/DeviceProperty.h"
#include "worker/DeviceTables.h"
#include "worker/DriverCodes.h"
#include "platform/wire/Bytes.h"
#include "worker/ModuleFunctions.h"
#include "worker/NativeWiFi.h"
#include "worker/SupportedDeviceList.h"
#include "worker/WlanProfileXml.h"
#include "worker/vista/RegistryRpcClient.h"

namespace {

// The worker singleton, and workers that go once their running handler has
// returned (DestroyHideDlgAP called from inside one).
std::unique_ptr<CHideDlg_AP> g_worker;
std::vector<std::unique_ptr<CHideDlg_AP>> g_retiring;

// Deletes a retiring worker.
void deleteRetired(const CHideDlg_AP* worker) {
  g_retiring.erase(std::remove_if(g_retiring.begin(), g_retiring.end(),
                                  [worker](const std::unique_ptr<CHideDlg_AP>& w) { return w.get() == worker; }),
                   g_retiring.end());
}

// Posted to the worker once no handler of it runs any more, when a closed
// sheet or the worker itself waits to be deleted.
constexpr UINT WM_AP_DEFERRED = WM_APP + 0x1A0;

constexpr int kOsWindows98SE = 4;
constexpr int kOsWindowsMe = 5;
constexpr int kOsWindows2000 = 7;
constexpr int kOsWindowsXp = 8;
constexpr DWORD kPropertySize = 256;
constexpr DWORD kInstanceIdSize = 128;
constexpr int kClassGuidRoom = 3;
constexpr UINT kDisconnectedText = 7134;
constexpr const char* kDevicePrefix = "\\\\.\\";
constexpr const char* kNotAdministrator = "Soft AP user's account must have 'Administrator' privilege.";

using IcsDhcpDisableProc = DWORD (*)();

// The device information set of one discovery, destroyed on the way out.
using DeviceInfoSet = std::unique_ptr<void, BOOL (*)(HDEVINFO)>;

bool validSet(HDEVINFO set) { return set != nullptr && set != INVALID_HANDLE_VALUE; }

void upperCase(char* text) {
  for (; *text; ++text) *text = static_cast<char>(std::toupper(static_cast<unsigned char>(*text)));
}

// The AP module's match of a hardware ID: the program INI's list when it
// names any device, else the built-in tables (USB, then PCI). A hit sets the
// family, the found flag of its bus and the row.
bool matchDeviceId(const CSupportedDeviceList& devices, LPCSTR id) {
  g_bApUsbFound = 0;
  g_bApPciFound = 0;
  auto take = [](int family, bool usb) {
    g_nApFamilyIndex = family;
    (usb ? g_bApUsbFound : g_bApPciFound) = 1;
    return true;
  };
  if (devices.GetCount() > 0) {
    for (int i = 0; i < devices.GetCount(); ++i) {
      const CSupportedDeviceList::Entry& entry = devices.GetEntry(i);
      if (std::strncmp(id, entry.hardwareId, kHardwareIdLength) == 0) return take(entry.family, IsUsbFamily(entry.family));
    }
    return false;
  }
  const struct {
    const DEVICE_ID_ROW* rows;
    int count;
    bool usb;
  } tables[] = {{g_usbDeviceIds, g_nUsbDeviceIdCount, true}, {g_pciDeviceIds, g_nPciDeviceIdCount, false}};
  for (const auto& table : tables) {
    for (int row = 0; row < table.count; ++row) {
      if (std::strncmp(id, table.rows[row].hardwareId, kHardwareIdLength) != 0) continue;
      g_nApBuiltinRow = row;
      return take(table.rows[row].family, table.usb);
    }
  }
  return false;
}

// The device's upper-case hardware ID (the first of its list).
void hardwareIdOf(HDEVINFO set, PSP_DEVINFO_DATA device, char* id) {
  ReadDeviceProperty(set, device, SPDRP_HARDWAREID, id, kPropertySize);
  upperCase(id);
}

// The device path of a matched device: the family's name on Windows 98 SE and
// Me, "\\.\" and the NetCfgInstanceId of its driver key from Windows 2000 on
// (`instanceId` gets it); none on other systems or without that value.
bool devicePathOf(HDEVINFO set, PSP_DEVINFO_DATA device, CString& path, CString* instanceId) {
  if (g_nApOsType == kOsWindows98SE || g_nApOsType == kOsWindowsMe) {
    path = CString(kDevicePrefix) + g_chipFamilies[g_nApFamilyIndex].deviceName;
    return true;
  }
  if (g_nApOsType < kOsWindows2000) return false;
  HKEY key = SetupDiOpenDevRegKey(set, device, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_READ);
  if (key == reinterpret_cast<HKEY>(INVALID_HANDLE_VALUE) || key == nullptr) return false;
  char value[kInstanceIdSize];
  ReadRegistryText(key, "NetCfgInstanceId", value, sizeof value);
  RegCloseKey(key);
  if (value[0] == '\0') return false;
  path = CString(kDevicePrefix) + value;
  if (instanceId) *instanceId = value;
  return true;
}

// Sends the exit command, ends and destroys the worker's window.
void closeWorkerWindow(CHideDlg_AP& worker) {
  if (!::IsWindow(worker.GetSafeHwnd())) return;
  worker.SendMessage(WM_COMMAND, CHideDlg_AP::ID_EXIT, 0);
  worker.EndDialog(2);
  worker.DestroyWindow();
}

}  // namespace

// ---- Entry points ----

CHideDlg_AP* GetHideDlgAP() { return g_worker.get(); }

int ShowHideDlgAP() {
  if (!g_worker) {
    g_worker = std::make_unique<CHideDlg_AP>();
    if (!g_pApRegistryClient) g_pApRegistryClient = std::make_unique<CRegistryRpcClient>();
  }
  if (!::IsWindow(g_worker->GetSafeHwnd()) &&
      !g_worker->Create(CHideDlg_AP::IDD, CWnd::FromHandle(::GetDesktopWindow())))
    return 0;
  // Start-up may have retired the worker (the front end left AP mode while
  // its choice dialog ran).
  if (!g_worker) return 0;
  g_worker->SendMessage(WM_COMMAND, CHideDlg_AP::ID_OPEN_SHEET, 0);
  return g_worker && ::IsWindow(g_worker->GetSafeHwnd()) ? 1 : 0;
}

void DestroyHideDlgAP() {
  if (!g_worker) return;
  if (g_worker->m_nHandlerDepth > 0) {
    // A handler of the worker runs below this call: it must not lose its
    // object. The worker is ended when that handler has returned.
    g_worker->RetireAfterHandler();
    g_retiring.push_back(std::move(g_worker));
    return;
  }
  closeWorkerWindow(*g_worker);
  g_worker.reset();
}

void CloseAPOnExit() {
  if (g_worker) {
    CQzPropSheet_AP* sheet = g_worker->GetSheet();
    if (sheet && ::IsWindow(sheet->GetSafeHwnd())) sheet->GetConfigPage().CancelSecurityDialog();
  }
  g_pApRegistryClient.reset();
}

BOOL PostHideDlgAPMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!g_worker || !::IsWindow(g_worker->GetSafeHwnd())) return FALSE;
  return g_worker->PostMessage(message, wParam, lParam);
}

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

CHideDlg_AP::~CHideDlg_AP() {
  // While the object is whole, so its own WM_DESTROY handler runs.
  if (::IsWindow(m_hWnd)) DestroyWindow();
}

LRESULT CHideDlg_AP::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_AP_DEFERRED) {
    FinishDeferred();
    return 0;
  }
  ++m_nHandlerDepth;
  const LRESULT result = CDialog::WindowProc(message, wParam, lParam);
  if (--m_nHandlerDepth == 0 && (m_bRetiring || !m_closingSheets.empty())) PostMessage(WM_AP_DEFERRED, 0, 0);
  return result;
}

void CHideDlg_AP::FinishDeferred() {
  if (m_nHandlerDepth > 0) return;
  for (auto it = m_closingSheets.begin(); it != m_closingSheets.end();) {
    CQzPropSheet_AP& sheet = **it;
    if (sheet.GetConfigPage().GetSecurityDialog()) {
      ++it;
      continue;
    }
    if (::IsWindow(sheet.GetSafeHwnd())) sheet.DestroyWindow();
    it = m_closingSheets.erase(it);
  }
  if (!m_bRetiring) return;
  m_bRetiring = FALSE;
  closeWorkerWindow(*this);
  deleteRetired(this);  // nothing of this object is touched after
}

void CHideDlg_AP::RetireAfterHandler() {
  m_bRetiring = TRUE;
  if (m_pChoiceDlg && ::IsWindow(m_pChoiceDlg->GetSafeHwnd())) m_pChoiceDlg->EndDialog(IDCANCEL);
  if (m_pSheet) m_pSheet->GetConfigPage().CancelSecurityDialog();
}

BOOL CHideDlg_AP::OnInitDialog() {
  CDialog::OnInitDialog();
  GetOsType_AP();
  g_bApWow64 = IsWow64_AP();
  // The AP's Native Wi-Fi client reports to this window.
  RecordWlanWorkerWindow(m_hWnd, WlanNotifyTarget::SoftAp);
  if (!IsUserAdministrator_AP()) {
    NotifyUIAlert(kNotAdministrator, MB_ICONEXCLAMATION);
    EndDialog(2);
  }
  m_bAdapterFound = EnumAdapters_AP();
  if (m_bRetiring) return TRUE;
  if (m_bAdapterFound) EnterApMode(m_bOpenSheetAfterEntering);
  CString disconnected;
  disconnected.LoadString(kDisconnectedText);
  NotifyUI(BRIDGE_UI_CONNECTION_STATE, FormatString("%02d%s", 0, static_cast<LPCSTR>(disconnected)), TRUE);
  m_nPollTimer = SetTimer(kPollTimer, kPollMs, nullptr);
  SetWorkerNotifyWnd(m_hWnd);
  return TRUE;
}

void CHideDlg_AP::OnPaint() {
  CPaintDC dc(this);
  ShowWindow(SW_HIDE);
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

BOOL CHideDlg_AP::EnumAdapters_AP() {
  GUID classes[kClassGuidRoom];
  DWORD classCount = 0;
  if (!SetupDiClassGuidsFromName("Net", classes, kClassGuidRoom, &classCount) || classCount == 0) return FALSE;
  DeviceInfoSet set(SetupDiGetClassDevs(&classes[0], nullptr, nullptr, DIGCF_PRESENT), SetupDiDestroyDeviceInfoList);
  if (!validSet(set.get())) {
    set.release();
    return FALSE;
  }
  CSupportedDeviceList devices;
  devices.LoadDeviceIdIni(devices.LoadDeviceIdIni(0));

  CDWordArray candidates;
  for (DWORD i = 0;; ++i) {
    SP_DEVINFO_DATA device{sizeof device, {}, 0, 0};
    if (!SetupDiEnumDeviceInfo(set.get(), i, &device)) break;
    char id[kPropertySize];
    hardwareIdOf(set.get(), &device, id);
    if (!matchDeviceId(devices, id)) continue;
    CString path;
    if (!devicePathOf(set.get(), &device, path, nullptr) || !CDeviceHandle(path).IsOpen()) continue;
    candidates.Add(i);
  }
  if (candidates.GetSize() == 0) return FALSE;

  DWORD chosen = candidates[0];
  if (candidates.GetSize() > 1) {
    m_bBusy = TRUE;
    CSelCardDlg_AP dialog(this);
    dialog.SetDevInfo(set.get());
    dialog.m_arrDevIndex.Copy(candidates);
    m_pChoiceDlg = &dialog;
    dialog.DoModal();
    m_pChoiceDlg = nullptr;
    m_bBusy = FALSE;
    if (m_bRetiring) return FALSE;
    // Only OK names a device; otherwise the first candidate is taken.
    if (dialog.GetResult() >= 0) chosen = static_cast<DWORD>(dialog.GetResult());
  }

  SP_DEVINFO_DATA device{sizeof device, {}, 0, 0};
  if (!SetupDiEnumDeviceInfo(set.get(), chosen, &device)) return FALSE;
  char id[kPropertySize];
  hardwareIdOf(set.get(), &device, id);
  std::memset(g_szApFriendlyName, 0, sizeof g_szApFriendlyName);
  ReadDeviceProperty(set.get(), &device, SPDRP_FRIENDLYNAME, g_szApFriendlyName, sizeof g_szApFriendlyName);
  if (g_szApFriendlyName[0] == '\0')
    ReadDeviceProperty(set.get(), &device, SPDRP_DEVICEDESC, g_szApFriendlyName, sizeof g_szApFriendlyName);
  GetApNativeWiFi().Init(g_szApFriendlyName, m_hWnd, kApNativeWiFiFlag);
  std::memset(g_szApHardwareId, 0, sizeof g_szApHardwareId);
  std::memcpy(g_szApHardwareId, id, std::min<size_t>(std::strlen(id), kHardwareIdLength));
  matchDeviceId(devices, g_szApHardwareId);

  const bool htFamily = g_nApOsType >= kOsWindows2000 && g_nApFamilyIndex >= 6 && g_nApFamilyIndex <= 8;
  g_bApHtFamily = htFamily ? 1 : 0;
  g_nApHtFamilyCode = htFamily ? g_nApFamilyIndex - 5 : 0;

  CString path;
  if (devicePathOf(set.get(), &device, path, &g_strApInstanceId))
    g_strApDevicePath = path;
  else if (g_nApOsType >= kOsWindows2000)
    return FALSE;

  char driver[kPropertySize];
  ReadDeviceProperty(set.get(), &device, SPDRP_DRIVER, driver, sizeof driver);
  const char* classRoot = g_nApOsType >= kOsWindows2000 ? "System\\CurrentControlSet\\Control\\Class"
                                                        : "System\\CurrentControlSet\\Services\\Class";
  const CString driverKey = FormatString("%s\\%s", classRoot, driver);
  if (!g_strApDriverKey.IsEmpty() && g_strApDriverKey != driverKey) m_bDriverKeyChanged = TRUE;
  g_strApDriverKey = driverKey;
  return TRUE;
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

  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strApDriverKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
    int allow = 0;
    if (ReadApInt(key, "AllowBW40InBGBand", allow)) g_bApAllowBW40BandG = allow == 1 ? 1 : 0;
    RegCloseKey(key);
  }

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
  RpcRegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strApDriverKey, 0, KEY_ALL_ACCESS, &key);
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
    RpcRegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strApDriverKey, 0, KEY_ALL_ACCESS, &driverKey);
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

void CHideDlg_AP::OpenSheet() {
  if (m_bBusy || !m_bAdapterFound || !IsApDeviceOpen() || IsSheetWindow()) return;
  // The Event Log page of a new sheet lists the whole store.
  g_nApEventLogShown = 0;
  m_pSheet.reset();
  m_pSheet = std::make_unique<CQzPropSheet_AP>(this);
  if (!m_pSheet->Create(this)) {
    m_pSheet.reset();
    return;
  }
  // The sheet ends 10 pixels below its OK button.
  CRect sheet;
  CRect ok;
  m_pSheet->GetWindowRect(&sheet);
  if (CWnd* button = m_pSheet->GetDlgItem(IDOK)) {
    button->GetWindowRect(&ok);
    m_pSheet->SetWindowPos(nullptr, 0, 0, sheet.Width(), ok.bottom + 10 - sheet.top,
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void CHideDlg_AP::OnOpenSheet() { OpenSheet(); }

void CHideDlg_AP::TakeSettings(int authIndex, int cipherIndex, const CString& preSharedKey, const CString wepKeys[4],
                               int defaultKey, const CString& ssid) {
  m_nAuthIndex = authIndex;
  m_nCipherIndex = cipherIndex;
  m_strWpaPsk = preSharedKey;
  for (int n = 0; n < 4; ++n) m_strWepKey[n] = wepKeys[n];
  m_nDefaultKey = defaultKey;
  m_strSsid = ssid;
}

void CHideDlg_AP::OnExit() { Exit(); }

void CHideDlg_AP::OnLeaveApMode() { LeaveApMode(); }
