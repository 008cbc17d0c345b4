#include "station/status/PageAboutDlg.h"

#include <algorithm>
#include <iterator>

#include "worker/DeviceTables.h"
#include "worker/DriverCodes.h"
#include "worker/FileVersion.h"
#include "worker/ModuleFunctions.h"
#include "worker/OidRequest.h"
#include "worker/PageTopLine.h"
#include "worker/WorkerGlobals.h"

namespace {

// Versions are shown with the line break the page's texts carry after them.
constexpr char kVersionFormat[] = "%d.%d.%d.%d\n";

// The thread that opens the web site (process-wide, as the page keeps it).
CWinThread* g_pWebThread = nullptr;

UINT OpenWebSiteProc(LPVOID) {
  ShellExecute(nullptr, "open", GetMLText("CompanyWeb"), nullptr, nullptr, SW_SHOWNORMAL);
  return 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CPageAboutDlg, CDialog)
  ON_WM_SHOWWINDOW()
  ON_WM_PAINT()
  ON_BN_CLICKED(IDC_ABOUT_WEB, &CPageAboutDlg::OnOpenWebSite)
END_MESSAGE_MAP()

CPageAboutDlg::CPageAboutDlg(CWnd* pParent) : CDialog(IDD_PAGE_ABOUT, pParent) {}

void CPageAboutDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  for (int i = 0; i < kValueCount; ++i) DDX_Text(pDX, kValueIds[i], m_values[i]);
  DDX_Text(pDX, IDC_ABOUT_COPYRIGHT, m_strCopyright);
  DDX_Control(pDX, IDC_ABOUT_WEB, m_btnWeb);
}

BOOL CPageAboutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  for (int i = 0; i < kValueCount; ++i) {
    ShowControlText(this, GetDlgItem(kLabelIds[i]), kFirstLabelString + i);
    ShowControlText(this, GetDlgItem(kValueIds[i]), 0);
  }
  const CString web = GetMLText("CompanyWeb");
  m_btnWeb.SetWindowText(web);
  m_btnWeb.BuildShadeBitmaps(2, 8, 10, 0, 0, 0, 0);
  return TRUE;
}

BOOL CPageAboutDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  // Enter and Escape never close the hidden page.
  const UINT id = LOWORD(wParam);
  if (id == IDOK || id == IDCANCEL) return TRUE;
  return CDialog::OnCommand(wParam, lParam);
}

void CPageAboutDlg::OnShowWindow(BOOL bShow, UINT nStatus) {
  CDialog::OnShowWindow(bShow, nStatus);
  if (bShow) RefreshAbout();
}

void CPageAboutDlg::OnOpenWebSite() { g_pWebThread = AfxBeginThread(OpenWebSiteProc, nullptr); }

void CPageAboutDlg::OnPaint() { PaintPageTopLine(this); }

CString CPageAboutDlg::DriverFilePath(BOOL* redirectionOff) {
  *redirectionOff = FALSE;
  int column = -1;
  switch (g_nOsType) {
    case 3: case 4: case 5: case 6: column = 0; break;
    case 7: column = 1; break;
    case 8: case 9: case 12: case 13: column = 2; break;
    case 10: column = 2; *redirectionOff = TRUE; break;
    case 11:
      column = IsWow64() ? 4 : 3;
      *redirectionOff = column == 4;
      break;
    default: break;
  }
  if (column < 0 || g_nFamilyIndex < 0 || g_nFamilyIndex >= kFamilyCount) return CString();
  char system[MAX_PATH] = "";
  GetSystemDirectory(system, sizeof system);
  CString path;
  path.Format(column == 0 ? "%s\\%s" : "%s\\drivers\\%s", system, g_chipFamilies[g_nFamilyIndex].driverFiles[column]);
  return path;
}

void CPageAboutDlg::ShowRow(UINT label, UINT value, BOOL show) {
  for (UINT id : {label, value})
    if (CWnd* control = GetDlgItem(id)) control->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CPageAboutDlg::RefreshAbout() {
  char module[256] = "";
  GetModuleFileName(nullptr, module, sizeof module);
  module[sizeof module - 1] = '\0';
  ReadFileVersion(module, kVersionFormat, m_values[kProgramVersion], m_values[kProgramDate], &m_strCopyright);

  BOOL redirectionOff = FALSE;
  const CString driver = DriverFilePath(&redirectionOff);
  if (!driver.IsEmpty()) {
    if (redirectionOff) DisableFsRedirection();
    ReadFileVersion(driver, kVersionFormat, m_values[kDriverVersion], m_values[kDriverDate], nullptr);
    if (redirectionOff) EnableFsRedirection();
  }

  BYTE word[4] = {};
  DWORD returned = 0;
  const BOOL eeprom = QueryOid(OID_VX_VERSION_WORD_1, word, sizeof word, &returned);
  if (eeprom) m_values[kEeprom].Format("%d.%d", word[0], word[1]);
  ShowRow(IDC_ABOUT_EEPROM_LABEL, kValueIds[kEeprom], eeprom);

  std::fill(std::begin(word), std::end(word), 0);
  const BOOL firmware = QueryOid(OID_VX_VERSION_WORD_2, word, sizeof word, &returned);
  if (firmware) m_values[kFirmware].Format("%d.%d", word[1], word[0]);
  ShowRow(IDC_ABOUT_FIRMWARE_LABEL, kValueIds[kFirmware], firmware);

  BYTE mac[6] = {};
  QueryOid(OID_802_3_CURRENT_ADDRESS, mac, sizeof mac, &returned);
  m_values[kMac].Format("%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
  UpdateData(FALSE);
}
