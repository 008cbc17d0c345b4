// The AP worker of Wavorel: its message map, creation, start-up, and entering
// and leaving AP mode by the XP driver codes (the shared rest is
// softap/HideDlg_AP.cpp). There is no DHCP server and no Native Wi-Fi: the
// Zero Configuration service is stopped instead, and the sibling tools get
// their XP command lines.
#include "softap/HideDlg_AP.h"

#include "frontend/UiBridge.h"
#include "platform/wire/Bytes.h"
#include "softap/ApDriver.h"
#include "softap/ApModule.h"
#include "softap/ApRecords.h"
#include "softap/ApSettings.h"
#include "softap/QzPropSheet_AP.h"
#include "utilmere/Utilmere.h"
#include "worker/DriverCodes.h"
#include "worker/ModuleFunctions.h"

namespace {

// Chip families VX52 and VX52USB take the region and channel check.
constexpr int kLastVx52Family = 1;

}  // namespace

BEGIN_MESSAGE_MAP(CHideDlg_AP, CDialog)
  ON_WM_PAINT()
  ON_COMMAND(CHideDlg_AP::ID_OPEN_SHEET, &CHideDlg_AP::OnOpenSheet)
  ON_COMMAND(CHideDlg_AP::ID_EXIT, &CHideDlg_AP::OnExit)
  ON_COMMAND(CHideDlg_AP::ID_LEAVE_AP_MODE, &CHideDlg_AP::OnLeaveApMode)
  ON_WM_TIMER()
  ON_WM_DESTROY()
  ON_MESSAGE(CHideDlg_AP::WM_AP_TRAY_NOTIFY, &CHideDlg_AP::OnTrayNotify)
  ON_MESSAGE(WM_UIBRIDGE, &CHideDlg_AP::OnUiBridge)
END_MESSAGE_MAP()

CHideDlg_AP::CHideDlg_AP() : CDialog(IDD, nullptr) {}

void CHideDlg_AP::OnDestroy() {
  // Only while the bridge still names this window: a station worker that
  // registered since keeps its registration.
  ClearWorkerNotifyWnd(m_hWnd);
  CDialog::OnDestroy();
}

void CHideDlg_AP::EnterApMode(BOOL openSheet) {
  DWORD apMode = 0;
  if (QueryDriverDword_AP(OID_VX_AP_MODE, apMode) && apMode != 1) {
    SetDriverDword_AP(OID_VX_AP_MODE_SET, 1);
    WinExec("\"Pickwell.exe\" ICS_DOWN", SW_HIDE);
    WinExec("Pickwell.exe", SW_SHOW);
  }

  ReadApCheckBuild();
  m_bBusy = TRUE;
  RunOnceInitConfigTxBurst(g_strApDriverKey);
  // "ApDefault" is made by the one writer of its defaults when it is missing.
  WriteApDefaults(g_strApDriverKey);
  UpdateApDefault();
  ReadNetworkTypes();
  if (g_nApFamilyIndex <= kLastVx52Family) FixChannelAndRegion_VX52();
  BYTE version[sizeof(WORD)] = {};
  DWORD returned = 0;
  if (QueryDriverOid_AP(OID_GEN_DRIVER_VERSION, version, sizeof version, &returned) && returned >= sizeof version)
    g_wApDriverVersion = wavorel::wire::getU16(version);
  m_bBusy = FALSE;

  ReadAllowBW40InBGBand();

  // Register 0x36 of space 3, read twice; the values are not used.
  int* const readFlags[] = {&g_bApRegisterRead, &g_bApRegisterRead2};
  for (int* flag : readFlags) {
    BYTE probe[aprecord::reg::kSize] = {};
    wavorel::wire::putU32(probe + aprecord::reg::kSpace, 3);
    wavorel::wire::putU32(probe + aprecord::reg::kAddress, 0x36);
    QueryDriverOid_AP(OID_VX_REGISTER_RW, probe, sizeof probe, &returned);
    *flag = 1;
  }

  StopZeroConfiguration();
  ApplyAllSettings();
  if (openSheet) OpenSheet();
}

void CHideDlg_AP::ReadNetworkTypes() {
  BYTE record[ndisrecord::kNetworkTypesSize] = {};
  DWORD returned = 0;
  if (!QueryDriverOid_AP(OID_802_11_NETWORK_TYPES_SUPPORTED, record, sizeof record, &returned)) return;
  g_bApSupportBandA = 0;
  for (int& flag : g_bApNetworkType) flag = 0;
  for (DWORD type : ParseNetworkTypes(record, returned)) {
    if (type == ndisrecord::kNetworkTypeOfdm5) g_bApSupportBandA = 1;
    if (g_bApHtFamily && type < ndisrecord::kMaxNetworkTypes) g_bApNetworkType[type] = 1;
  }
}

void CHideDlg_AP::LeaveApMode() {
  Exit();
  HKEY stationValues = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strApDriverKey + "\\Default", 0, KEY_READ, &stationValues) == ERROR_SUCCESS) {
    HKEY driverKey = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strApDriverKey, 0, KEY_ALL_ACCESS, &driverKey) == ERROR_SUCCESS) {
      CopyRegistryValues(stationValues, driverKey, g_strApDriverKey);
      RegCloseKey(driverKey);
    }
    RegCloseKey(stationValues);
  }
  WriteOpMode(0);
  SetDriverDword_AP(OID_VX_AP_MODE_SET, 0);
  WinExec("\"QzSwap.exe\" OFF Sorvik Vendrel \"Nerolt Wireless\"", SW_MINIMIZE);
}

void CHideDlg_AP::WriteOpMode(int value) {
  HKEY key = nullptr;
  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, g_strApDriverKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  WriteApText(key, "OpMode", FormatString("%d", value), g_strApDriverKey);
  RegCloseKey(key);
}

void CHideDlg_AP::Exit() {
  if (m_bBusy) return;
  CloseSheet();
  KillTimer(kPollTimer);
  EndDialog(1);
}

void CHideDlg_AP::ReconnectSsid(const CString& ssid) {
  // The AP beacons under the SSID the driver is given.
  m_strBeaconSsid = ssid;
  SetDriverRecord_AP(OID_AP_SSID_SET, BuildSsidRecord(ssid));
}
