// CSorvik2007Dlg: the never-visible host of the station pages (template
// 103). It creates a tab dialog (template 166) with the tab pages and their
// shaded tab buttons, the extra buttons of the tab strip (scrolling, radio
// on/off, help) and the eleven secondary dialogs, each hidden, and keeps a
// pointer to each in a fixed member; a class that is not built leaves its
// member null (a page then has no tab). It answers its own buttons: radio
// on/off, help, the layout toggle and tab-strip scrolling. After start-up it
// lies at (-9999, -9999), hidden, with the tool-window style.
//
// The members whose code differs per build are in station/host/vista/
// (WavorelVista: the Native Wi-Fi radio, icons) and xp/station/host/
// (Wavorel: the advanced page's tab, the radio by driver code, bitmaps, the
// WMM tab by network type, the help file by language).
#pragma once

#include <array>
#include <memory>

#include "platform/Platform.h"
#include "station/profiles/PageProfileDlg.h"
#include "station/status/PageSiteSurveyDlg.h"
#include "widgets/ShadeButtonST.h"
#include "widgets/TabDialog.h"
#include "worker/HideDlg.h"
#include "worker/StationHost.h"

constexpr UINT IDD_HOST_TAB_DIALOG = 166;
// The host's own controls: the layout toggle, the bottom of the expanded
// layout and the placeholders of the tab strip.
constexpr UINT IDC_HOST_TOGGLE = 1749;
constexpr UINT IDC_HOST_EXPANDED_BOTTOM = 1754;
constexpr UINT IDC_HOST_SCROLL_ROOM = 1789;
constexpr UINT IDC_HOST_RIGHT_SCROLL = 1792;
constexpr UINT IDC_HOST_SLOT = 1796;
// Buttons of the tab strip.
constexpr UINT IDC_HOST_RADIO = 1000;
constexpr UINT IDC_HOST_HELP = 1001;
constexpr UINT IDC_HOST_SCROLL_LEFT = 1002;
constexpr UINT IDC_HOST_SCROLL_RIGHT = 1003;
constexpr UINT IDC_HOST_FILLER = 1013;
// The about tab's caption: string 227 is a wireless-mode text in Wavorel.
constexpr UINT IDS_HOST_TAB_ABOUT = WAVOREL_BUILD_XP ? 2182 : 227;
constexpr UINT kHostTabCaptionIds[kHostTabCount] = {2180, 223, 225, 445, 6278, 495, 6285, IDS_HOST_TAB_ABOUT};
constexpr UINT kHostDialogTemplates[kHostDlgCount] = {205, 220, 218, 222, 333, 2244, 312, 2242, 198, 3242, 3245};
// Wavorel's advanced page and its tab button, between the site survey's and
// the statistics page's.
constexpr UINT IDC_HOST_TAB_ADVANCE = 1006;
constexpr UINT IDS_HOST_TAB_ADVANCE = 2181;
// Wavorel's pictures of the radio button (on, off) and the help button.
constexpr UINT IDB_HOST_RADIO_ON = 272;
constexpr UINT IDB_HOST_RADIO_OFF = 273;
constexpr UINT IDB_HOST_HELP = 295;
// Icons and texts.
constexpr UINT IDI_HOST_RADIO_OFF = 359;
constexpr UINT IDI_HOST_RADIO_ON = 362;
constexpr UINT IDI_HOST_HELP = 393;
constexpr UINT IDI_HOST_EXPANDED = 401;
constexpr UINT IDI_HOST_COLLAPSED = 403;
constexpr UINT IDS_HOST_HELP = 509;
constexpr UINT IDS_HOST_MORE = 522;
constexpr UINT IDS_HOST_LESS = 523;
// The number of slots of the tab strip.
constexpr int kHostStripSlots = 8;

// Wavorel: while set, the WMM tab stays disabled whatever the network type.
extern int g_bWmmTabLocked;

class CSorvik2007Dlg : public CStationHost {
 public:
  explicit CSorvik2007Dlg(CWnd* pParent = nullptr);
  ~CSorvik2007Dlg() override;
  CSorvik2007Dlg(const CSorvik2007Dlg&) = delete;
  CSorvik2007Dlg& operator=(const CSorvik2007Dlg&) = delete;

  // The factory the program hands to the worker.
  static std::unique_ptr<CStationHost> Make();

  BOOL OnInitDialog() override;

  CDialog* GetTabPage(int tab) const override;
  CDialog* GetSecondaryDialog(int index) const override;
  void ShowSecondaryDialog(int index) override;
  void ToggleLayout() override;
  void SetLayoutButton(BOOL expanded) override;
  void SetRadioPicture(BOOL on) override;
  void RefreshPages() override;
  BOOL IsWpsPageReady() const override;
  void RunPageCommand(UINT code, const CString& value) override;
  void ClearSiteConnectTargets() override;
  BOOL IsProfileListed(LPCSTR ssid) const override;

  CPageProfileDlg* GetProfilePage() const { return m_pPageProfile; }
  CPageSiteSurveyDlg* GetSiteSurveyPage() const { return m_pPageSiteSurvey; }
  CTabDialog* GetTabDialog() const { return m_pTabDialog.get(); }
  // Wavorel's advanced page; null in WavorelVista.
  CDialog* GetAdvancePage() const { return m_pPageAdvance.get(); }
  // A tab page's button, an extra button (radio, help, scrolling) or one of
  // the two fillers by control id; null when not created.
  CShadeButtonST* GetStripButton(UINT id) const;
  CShadeButtonST* GetFiller(int which) const;

  // The tab dialog, its pages and buttons, then the secondary dialogs.
  void CreatePages();
  // Places the tab strip's buttons by their position indexes.
  void LayoutTabStrip();
  // Commands 1002 / 1003: every button one position on (+1) or back (-1).
  void ScrollTabStrip(int step);
  // Command 1000.
  void OnRadioOnOff();
  // Command 1001.
  void OnHelp();
  // Wavorel: the WMM tab button enabled in an infrastructure network while
  // g_bWmmTabLocked is clear, disabled otherwise (the worker's timer).
  void UpdateWmmTabEnable();
  // Wavorel: the radio button's picture from the driver key's "Radio": off
  // (273) only when it reads as a non-zero number, else on (272).
  void ShowRadioValuePicture();
  // Wavorel: the radio button's bitmap shown (0 before the first).
  UINT GetRadioPicture() const { return m_nRadioPicture; }
  // TRUE only when single sign-on is installed (HKLM Winlogon\Nerolt
  // "SSOInstall" = "1") on a system whose OS type is not 2 and the program
  // supports single sign-on.
  static BOOL IsSsoInstalled();

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnShowWindow(BOOL bShow, UINT nStatus);
  DECLARE_MESSAGE_MAP()

 private:
  // A shaded button of the tab strip, a child of the tab dialog.
  std::unique_ptr<CShadeButtonST> MakeStripButton(LPCSTR caption, UINT id, const CRect& rect);
  // The steps of CreatePages that both builds take, in their order: the tab
  // dialog, its font and the left scroll button (FALSE: no tab dialog;
  // `first` the first slot's rectangle); one tab page with its button; the
  // radio button; the help and right scroll buttons, the fillers and the
  // layout; the secondary dialogs.
  BOOL CreateTabDialog(CRect& first);
  void CreateTabPage(int tab, const CRect& first);
  void CreateRadioButton(const CRect& first);
  void FinishTabStrip(const CRect& first);
  void CreateSecondaryDialogs();
  // Wavorel: the advanced page and its tab button; the profile and WPS tab
  // buttons enabled unless Zero Configuration holds the adapter; a bitmap on
  // the radio button (only when it changes).
  void CreateAdvancePage(const CRect& first);
  void EnableZeroConfigTabs();
  void ShowRadioPicture(UINT bitmap);
  // A string of the string table in the user's language.
  static CString LoadText(UINT id);
  // Writes "Radio" into the driver key, in the program's own form.
  static void WriteRadioValue(BOOL off);
  // Opens a help file of the program folder with ShellExecute's "open".
  void OpenHelpFile(LPCSTR name, int show);
  // The strip's buttons in map order: tab buttons first, then extra buttons.
  std::vector<CShadeButtonST*> StripButtons() const;
  // Takes a button out of the strip for one layout (position -1, the ones
  // after it move down); the position it had, or 0 when it was not placed.
  int TakeOut(CShadeButtonST* button);
  void PutBack(CShadeButtonST* button, int position);
  BOOL Is80211nTabInUse() const;
  // Bridge commands 3-8 on the site survey page (8: 7 re-posted to the worker
  // and the profile editor's connect-after-save flag set).
  void RunSiteSurveyCommand(UINT code, const CString& value);

  // The tab dialog and the pages, in the Part's order of members.
  std::unique_ptr<CTabDialog> m_pTabDialog;
  CPageProfileDlg* m_pPageProfile = nullptr;
  CPageSiteSurveyDlg* m_pPageSiteSurvey = nullptr;
  std::array<std::unique_ptr<CDialog>, kHostTabCount> m_tabPages;
  std::unique_ptr<CDialog> m_pPageAdvance;
  std::unique_ptr<CShadeButtonST> m_btnAdvance;
  UINT m_nRadioPicture = 0;
  std::array<std::unique_ptr<CDialog>, kHostDlgCount> m_secondary;
  // Tab buttons, extra buttons and the two fillers.
  std::array<std::unique_ptr<CShadeButtonST>, kHostTabCount> m_tabButtons;
  std::unique_ptr<CShadeButtonST> m_btnScrollLeft;
  std::unique_ptr<CShadeButtonST> m_btnRadio;
  std::unique_ptr<CShadeButtonST> m_btnHelp;
  std::unique_ptr<CShadeButtonST> m_btnScrollRight;
  std::array<std::unique_ptr<CShadeButtonST>, 2> m_fillers;
  // The layout toggle (1749), its caption and the tab buttons' font.
  CButtonST m_btnToggle;
  CString m_strToggle;
  LOGFONT m_tabFont{};
  CFont m_font;
};
