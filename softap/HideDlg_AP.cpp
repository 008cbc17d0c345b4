// What the AP workers of both programs share: the entry points and the
// worker's life (deferred deletion while a handler of it runs), adapter
// discovery, the property sheet, the tray state and menu, and the front end's
// commands over the UI bridge. The rest of each worker lives in
// softap/vista/ and xp/softap/.
#include "softap/HideDlg_AP.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "frontend/UiBridge.h"
#include "softap/ApDriver.h"
#include "softap/ApModule.h"
#include "softap/ApPoll.h"
#include "softap/AuthSecuDlg_AP.h"
#include "softap/QzPropSheet_AP.h"
#include "softap/SelCardDlg_AP.h"
#include "utilmere/Utilmere.h"
#include "worker/DeviceHandle.h"
#include "worker/DeviceProperty.h"
#include "worker/DeviceTables.h"
#include "worker/ModuleFunctions.h"
#include "worker/SupportedDeviceList.h"

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
constexpr DWORD kPropertySize = 256;
constexpr DWORD kInstanceIdSize = 128;
constexpr int kClassGuidRoom = 3;
constexpr const char* kDevicePrefix = "\\\\.\\";

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
    StartApModuleServices();
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
  CloseApModuleServices();
}

BOOL PostHideDlgAPMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!g_worker || !::IsWindow(g_worker->GetSafeHwnd())) return FALSE;
  return g_worker->PostMessage(message, wParam, lParam);
}

// ---- The worker object ----

CHideDlg_AP::~CHideDlg_AP() {
  // While the object is whole, so its own WM_DESTROY handler runs.
  if (::IsWindow(m_hWnd)) DestroyWindow();
}

LRESULT CHideDlg_AP::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_AP_DEFERRED) {
    FinishDeferred();
    return 0;
  }
  // Wavorel: a registered message (the task bar made anew) has the first
  // tray state announced again.
  if (WAVOREL_BUILD_XP && message >= kFirstRegisteredMessage && message <= kLastRegisteredMessage)
    AnnounceFirstTrayState();
  ++m_nHandlerDepth;
  const LRESULT result = CDialog::WindowProc(message, wParam, lParam);
  if (--m_nHandlerDepth == 0 && (m_bRetiring || !m_closingSheets.empty())) PostMessage(WM_AP_DEFERRED, 0, 0);
  return result;
}

BOOL CHideDlg_AP::OnInitDialog() {
  CDialog::OnInitDialog();
  GetOsType_AP();
  g_bApWow64 = IsWow64_AP();
  AttachApWorkerWindow(m_hWnd);
  if (!IsUserAdministrator_AP()) {
    NotifyUIAlert(kNotAdministratorText, MB_ICONEXCLAMATION);
    EndDialog(2);
  }
  m_bAdapterFound = EnumAdapters_AP();
  if (m_bRetiring) return TRUE;
  if (m_bAdapterFound) EnterApMode(m_bOpenSheetAfterEntering);
  AnnounceFirstTrayState();
  m_nPollTimer = SetTimer(kPollTimer, kPollMs, nullptr);
  SetWorkerNotifyWnd(m_hWnd);
  return TRUE;
}

void CHideDlg_AP::AnnounceFirstTrayState() {
  CString disconnected;
  disconnected.LoadString(kDisconnectedText);
  NotifyUI(BRIDGE_UI_CONNECTION_STATE, FormatString("%02d%s", 0, static_cast<LPCSTR>(disconnected)), TRUE);
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

void CHideDlg_AP::OnPaint() {
  CPaintDC dc(this);
  ShowWindow(SW_HIDE);
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
  // WavorelVista also takes the supported-device list of the program's INI;
  // Wavorel matches the built-in tables only.
  CSupportedDeviceList devices;
  if (!WAVOREL_BUILD_XP) devices.LoadDeviceIdIni(devices.LoadDeviceIdIni(0));

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
  BindApAdapter(g_szApFriendlyName, m_hWnd);
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

// ---- Sheet, tray and bridge ----

void CHideDlg_AP::SetTrayState(UINT iconId) {
  const AP_TRAY_STATE* state = FindApTrayState(iconId);
  if (!state) return;
  NotifyUI(BRIDGE_UI_CONNECTION_STATE,
           FormatString("%02d%s", state->State, static_cast<LPCSTR>(GetMLText(state->Text))), TRUE);
  if (IsSheetWindow())
    m_pSheet->SendMessage(WM_SETICON, ICON_SMALL,
                          reinterpret_cast<LPARAM>(LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(iconId))));
}

void CHideDlg_AP::CloseSheet() {
  if (!m_pSheet) return;
  CConfigPage_AP& page = m_pSheet->GetConfigPage();
  if (page.GetSecurityDialog()) {
    // DoModal runs on the page further down the stack: the sheet must
    // outlive it.
    page.CancelSecurityDialog();
    m_closingSheets.push_back(std::move(m_pSheet));
    return;
  }
  if (IsSheetWindow()) m_pSheet->DestroyWindow();
  m_pSheet.reset();
}

BOOL CHideDlg_AP::IsSheetWindow() const { return m_pSheet && ::IsWindow(m_pSheet->GetSafeHwnd()); }

LRESULT CHideDlg_AP::OnTrayNotify(WPARAM, LPARAM lParam) {
  if (m_bBusy) return 0;
  if (lParam == WM_LBUTTONDBLCLK) {
    if (m_bAdapterFound && IsApDeviceOpen()) OpenSheet();
  } else if (lParam == WM_RBUTTONDOWN) {
    ShowTrayMenu();
  }
  return 0;
}

void CHideDlg_AP::ShowTrayMenu() {
  CMenu menu;
  if (!menu.LoadMenu(kTrayMenu)) return;
  CMenu* popup = menu.GetSubMenu(0);
  if (!popup) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  SetForegroundWindow();
  popup->TrackPopupMenu(TPM_RIGHTBUTTON, cursor.x, cursor.y, this);
}

namespace {

// Commands 92 to 98, for the Access Control page while it is a window.
void OnAccessControlCommand(CAccessControlPage_AP& page, UINT code, const CString& value) {
  if (!::IsWindow(page.GetSafeHwnd())) return;
  const int number = std::atoi(value);
  switch (code) {
    case BRIDGE_CMD_ACL_POLICY: page.SelectPolicy(number); break;
    case BRIDGE_CMD_ACL_APPLY: page.PressApply(); break;
    case BRIDGE_CMD_ACL_SELECT: page.SelectRow(number); break;
    case BRIDGE_CMD_ACL_ADD: page.PressAdd(); break;
    case BRIDGE_CMD_ACL_MAC_TEXT: page.SetMacText(value); break;
    case BRIDGE_CMD_ACL_DELETE: page.PressDelete(); break;
    case BRIDGE_CMD_ACL_REMOVE_ALL: page.PressRemoveAll(); break;
    default: break;
  }
}

}  // namespace

LRESULT CHideDlg_AP::OnUiBridge(WPARAM wParam, LPARAM lParam) {
  // The value is taken (and freed) whatever becomes of the command.
  const CString value = TakeNotifyText(wParam, lParam);
  const UINT code = static_cast<UINT>(wParam);
  if (code < BRIDGE_CMD_AP_FIRST || code > BRIDGE_CMD_AP_LAST || !IsSheetWindow()) return 0;
  // The sheet may go while a command runs (a nested dialog's loop): the
  // page is reached through the sheet each time.
  CQzPropSheet_AP* sheet = m_pSheet.get();
  if (code >= BRIDGE_CMD_ACL_POLICY) {
    OnAccessControlCommand(sheet->GetAccessControlPage(), code, value);
    return 0;
  }
  CConfigPage_AP& page = sheet->GetConfigPage();
  if (!::IsWindow(page.GetSafeHwnd())) return 0;
  const int number = std::atoi(value);
  if (code == BRIDGE_CMD_PAGE_CHANGED) {
    if (value == "1") {
      page.PressSecurity();
      return 0;
    }
    page.CancelSecurityDialog();
    if (number == 0)
      sheet->SetActivePage(&page);
    else if (number == 2)
      sheet->SetActivePage(&sheet->GetAccessControlPage());
    else if (number == 3)
      sheet->SetActivePage(&sheet->GetAboutPage());
    return 0;
  }
  switch (code) {
    case BRIDGE_CMD_AP_WIRELESS_MODE: page.SelectWirelessMode(number); return 0;
    case BRIDGE_CMD_AP_SSID: page.SetSsid(value); return 0;
    case BRIDGE_CMD_AP_CHANNEL: page.SelectChannel(number); return 0;
    case BRIDGE_CMD_AP_APPLY_CONFIG: page.PressApply(); return 0;
    case BRIDGE_CMD_AP_RESTORE_DEFAULT: page.PressDefault(); return 0;
    default: break;
  }
  CAuthSecuDlg_AP* dialog = page.GetSecurityDialog();
  if (!dialog || !::IsWindow(dialog->GetSafeHwnd())) return 0;
  if (code >= BRIDGE_CMD_AP_WEP_KEY_TYPE && code <= BRIDGE_CMD_AP_WEP_KEY_TYPE_LAST) {
    dialog->SelectKeyType(static_cast<int>(code - BRIDGE_CMD_AP_WEP_KEY_TYPE) + 1, number);
  } else if (code >= BRIDGE_CMD_AP_WEP_KEY && code <= BRIDGE_CMD_AP_WEP_KEY_LAST) {
    dialog->SetKeyText(static_cast<int>(code - BRIDGE_CMD_AP_WEP_KEY) + 1, value);
  } else if (code == BRIDGE_CMD_AP_AUTH_TYPE) {
    dialog->SelectAuthType(number);
  } else if (code == BRIDGE_CMD_AP_ENCRYPTION) {
    dialog->SelectEncryption(number);
  } else if (code == BRIDGE_CMD_AP_WPA_PSK) {
    dialog->SetPreSharedKey(value);
  } else if (code == BRIDGE_CMD_AP_WEP_KEY_INDEX) {
    dialog->SetDefaultKey(number);
  } else if (code == BRIDGE_CMD_AP_APPLY_SECURITY) {
    dialog->PressOK();
  }
  return 0;
}
