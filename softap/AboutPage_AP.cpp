#include "softap/AboutPage_AP.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "frontend/UiBridge.h"
#include "softap/ApDriver.h"
#include "softap/ApModule.h"
#include "softap/ApTables.h"
#include "worker/DeviceTables.h"
#include "worker/DriverCodes.h"
#include "worker/FileVersion.h"
#include "worker/ModuleFunctions.h"

namespace {

constexpr char kNoticeText[] = "AP CopyRight";
// Chip families that report a firmware version.
constexpr int kFirstFirmwareFamily = 4;
constexpr int kLastFirmwareFamily = 8;
// The driver-file columns of the family table.
enum DriverColumn { kWin9x = 0, kWin2000 = 1, kWinXp = 2, kWinVista = 3, kWin64 = 4 };

}  // namespace

IMPLEMENT_DYNCREATE(CAboutPage_AP, CPropertyPage)

BEGIN_MESSAGE_MAP(CAboutPage_AP, CPropertyPage)
  ON_WM_TIMER()
  ON_WM_DESTROY()
  ON_BN_CLICKED(CAboutPage_AP::kWebId, &CAboutPage_AP::OnWeb)
END_MESSAGE_MAP()

CAboutPage_AP::CAboutPage_AP() : CPropertyPage(kTemplate) {}

void CAboutPage_AP::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  for (int i = 0; i < kValueCount; ++i) DDX_Text(pDX, static_cast<int>(kValueIds[i]), m_values[i]);
}

void CAboutPage_AP::SetValue(Value which, const CString& text) {
  m_values[which] = text;
  NotifyUI(BRIDGE_UI_AP_ABOUT_FIELD + static_cast<UINT>(which), text, TRUE);
}

void CAboutPage_AP::ShowRow(UINT label, Value value, BOOL show) {
  for (UINT id : {label, kValueIds[value]})
    if (CWnd* control = GetDlgItem(id)) control->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

CString CAboutPage_AP::DriverFilePath(BOOL* redirectionOff) {
  *redirectionOff = FALSE;
  int column = -1;
  switch (g_nApOsType) {
    case 3: case 4: case 5: case 6: column = kWin9x; break;
    case 7: column = kWin2000; break;
    case 8: column = kWinXp; break;
    case 10: column = kWinXp; *redirectionOff = g_bApWow64; break;
    case 11:
      column = g_bApWow64 ? kWin64 : kWinVista;
      *redirectionOff = g_bApWow64;
      break;
    default: break;
  }
  if (column < 0 || g_nApFamilyIndex < 0 || g_nApFamilyIndex >= kFamilyCount) return CString();
  char system[MAX_PATH] = "";
  GetSystemDirectory(system, sizeof system);
  CString path;
  path.Format(column == kWin9x ? "%s\\%s" : "%s\\drivers\\%s", system,
              g_chipFamilies[g_nApFamilyIndex].driverFiles[column]);
  return path;
}

BOOL CAboutPage_AP::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  CString version;
  CString date;
  char module[MAX_PATH] = "";
  GetModuleFileName(nullptr, module, sizeof module);
  module[sizeof module - 1] = '\0';
  ReadFileVersion(module, "%d.%d.%d.%d", version, date, nullptr);
  SetValue(kUtilityVersion, version);
  SetValue(kNotice, kNoticeText);
  if (!date.IsEmpty()) SetValue(kUtilityDate, date);

  BOOL redirectionOff = FALSE;
  const CString driver = DriverFilePath(&redirectionOff);
  if (!driver.IsEmpty()) {
    version.Empty();
    date.Empty();
    if (redirectionOff) DisableFsRedirection();
    ReadFileVersion(driver, "%d.%d.%d.%d", version, date, nullptr);
    if (redirectionOff) EnableFsRedirection();
    SetValue(kDriverVersion, version);
    SetValue(kDriverDate, date);
  }

  BYTE word[4] = {};
  DWORD returned = 0;
  const BOOL eeprom = QueryDriverOid_AP(OID_VX_VERSION_WORD_1, word, sizeof word, &returned);
  if (eeprom) {
    CString text;
    text.Format("%d.%d", word[0], word[1]);
    SetValue(kEepromVersion, text);
  }
  ShowRow(kEepromLabelId, kEepromVersion, eeprom);

  BYTE mac[6] = {};
  if (QueryDriverOid_AP(OID_802_3_CURRENT_ADDRESS, mac, sizeof mac, &returned))
    std::copy(std::begin(mac), std::end(mac), m_mac.begin());
  SetValue(kMacAddress, FormatMacText(m_mac.data()));

  BOOL firmware = FALSE;
  if (g_nApFamilyIndex >= kFirstFirmwareFamily && g_nApFamilyIndex <= kLastFirmwareFamily) {
    std::fill(std::begin(word), std::end(word), 0);
    firmware = QueryDriverOid_AP(OID_VX_VERSION_WORD_2_AP, word, sizeof word, &returned);
    if (firmware) {
      CString text;
      text.Format("%d.%d", word[1], word[0]);
      SetValue(kFirmwareVersion, text);
    }
  }
  ShowRow(kFirmwareLabelId, kFirmwareVersion, firmware);
  if (CWnd* web = GetDlgItem(kWebId)) web->SetWindowText(kWebAddress);
  UpdateData(FALSE);
  return TRUE;
}

void CAboutPage_AP::RefreshIp() {
  for (Value v : {kIpAddress, kSubnetMask, kGateway}) m_values[v].Empty();
  ULONG size = 0;
  if (GetAdaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW || size == 0) return;
  std::vector<BYTE> buffer(size);
  auto* info = reinterpret_cast<PIP_ADAPTER_INFO>(buffer.data());
  if (GetAdaptersInfo(info, &size) != ERROR_SUCCESS) return;
  for (const IP_ADAPTER_INFO* a = info; a; a = a->Next) {
    if (a->AddressLength != m_mac.size() || std::memcmp(a->Address, m_mac.data(), m_mac.size()) != 0) continue;
    SetValue(kIpAddress, a->IpAddressList.IpAddress.String);
    SetValue(kSubnetMask, a->IpAddressList.IpMask.String);
    SetValue(kGateway, a->GatewayList.IpAddress.String);
  }
}

BOOL CAboutPage_AP::OnSetActive() {
  RefreshIp();
  UpdateData(FALSE);
  SetTimer(kRefreshTimer, kRefreshMs, nullptr);
  return CPropertyPage::OnSetActive();
}

BOOL CAboutPage_AP::OnKillActive() {
  KillTimer(kRefreshTimer);
  return CPropertyPage::OnKillActive();
}

void CAboutPage_AP::OnTimer(UINT_PTR nIDEvent) {
  RefreshIp();
  UpdateData(FALSE);
  CPropertyPage::OnTimer(nIDEvent);
}

void CAboutPage_AP::OnDestroy() {
  KillTimer(kRefreshTimer);
  CPropertyPage::OnDestroy();
}

void CAboutPage_AP::OnWeb() { ShellExecute(nullptr, "open", kWebAddress, nullptr, nullptr, SW_SHOWNORMAL); }
