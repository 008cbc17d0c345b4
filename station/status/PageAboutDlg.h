// CPageAboutDlg: the hidden about page (a tab of the station host): the
// program's and the driver file's versions and dates, the adapter's EEPROM
// and firmware versions and MAC address, the program's copyright text and a
// button that opens the maker's web site. Every show refreshes the values.
// UI thread only (the web site opens on a thread of its own).
#pragma once

#include "platform/Platform.h"
#include "widgets/ShadeButtonST.h"

constexpr UINT IDD_PAGE_ABOUT = 146;
constexpr UINT IDC_ABOUT_EEPROM_LABEL = 1374;
constexpr UINT IDC_ABOUT_FIRMWARE_LABEL = 3180;
constexpr UINT IDC_ABOUT_COPYRIGHT = 1135;
constexpr UINT IDC_ABOUT_WEB = 3063;

class CPageAboutDlg : public CDialog {
 public:
  // The value texts in row order.
  enum Value { kProgramVersion = 0, kProgramDate, kDriverVersion, kDriverDate, kEeprom, kFirmware, kMac, kValueCount };
  static constexpr UINT kValueIds[kValueCount] = {1068, 1082, 1063, 1076, 1086, 1090, 3059};
  static constexpr UINT kLabelIds[kValueCount] = {1357, 1361, 1366, 1370, 1374, 3180, 1378};
  // The labels' strings, in row order from this id.
  static constexpr UINT kFirstLabelString = 1632;

  explicit CPageAboutDlg(CWnd* pParent = nullptr);

  BOOL OnInitDialog() override;
  // Reads every value again and shows it.
  void RefreshAbout();
  // The driver file of the adapter's family for the running Windows
  // generation, and whether file-system redirection is switched off around
  // reading it.
  static CString DriverFilePath(BOOL* redirectionOff);

  const CString& GetValue(Value which) const { return m_values[which]; }
  const CString& GetCopyright() const { return m_strCopyright; }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnShowWindow(BOOL bShow, UINT nStatus);
  void OnOpenWebSite();
  void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  // Version "%d.%d.%d.%d\n" and date "%m-%d-%Y" of a file; FALSE (texts
  // kept) when it has no version resource. The copyright text too when asked.
  void ShowRow(UINT label, UINT value, BOOL show);

  CString m_values[kValueCount];
  CString m_strCopyright;
  CShadeButtonST m_btnWeb;
};
