// The hidden host dialog of the station pages as the worker and the pages
// reach it. The host itself (CSorvik2007Dlg, station/host/) lives in a library
// above the worker and the page libraries; it derives from CStationHost, and
// the program hands its factory to the worker with SetStationHostFactory, so
// that no library links one above it. Without a factory the worker never
// has a host. UI thread only.
#pragma once

#include <memory>

#include "platform/Platform.h"

// The tab pages in the host's order of creation.
enum StationHostTab {
  kHostTabProfile = 0,
  kHostTabSiteSurvey,
  kHostTabStatistics,
  kHostTabWmm,
  kHostTabWps,
  kHostTabSso,
  kHostTab80211n,
  kHostTabAbout,
  kHostTabCount
};

// The host's tab buttons, one per tab page in the order above.
constexpr UINT kHostTabButtonIds[kHostTabCount] = {1004, 1005, 1007, 1008, 1009, 1010, 1011, 1012};

// The site survey page's "Rescan" button, which the worker presses after the
// radio came back on.
constexpr int kSiteSurveyRescanButton = 1018;

// The secondary dialogs in their fixed order: the index CHideDlg::ShowPage takes.
enum StationHostDialog {
  kHostDlgLinkStatus = 0,
  kHostDlgHiddenSsid,
  kHostDlgProfileEditor,
  kHostDlgSecurityEditor,
  kHostDlgApDetailInfo,
  kHostDlgAuthenStatus,
  kHostDlgWpsProfile,
  kHostDlgInvalidIdPw,
  kHostDlgPeapSetting,
  kHostDlgAddBlockAck,
  kHostDlgDeleteBlockAck,
  kHostDlgCount
};

class CStationHost : public CDialog {
 public:
  using CDialog::CDialog;

  // A tab page or secondary dialog; null when its class was not created.
  virtual CDialog* GetTabPage(int tab) const = 0;
  virtual CDialog* GetSecondaryDialog(int index) const = 0;
  // Hides the eleven secondary dialogs and shows the one of `index` (one not
  // created, or an index outside 0..10, shows none).
  virtual void ShowSecondaryDialog(int index) = 0;
  // Flips g_bHostExpanded and resizes the host between its collapsed and
  // expanded layouts; callers that want the lower area clear the flag first.
  virtual void ToggleLayout() = 0;
  // The radio button's picture: 362 for on, 359 for off (g_bRadioOff follows).
  virtual void SetRadioPicture(BOOL on) = 0;
  // The expand button's icon and caption: expanded (401, "Less") or not (403, "More").
  virtual void SetLayoutButton(BOOL expanded) = 0;
  // The worker's poll: the host refreshes its pages' buttons.
  virtual void RefreshPages() = 0;
  // TRUE when the WPS page exists and its window is valid.
  virtual BOOL IsWpsPageReady() const = 0;
  // The bridge commands 2..72 that act on the pages (the worker took the
  // value from the bridge). Commands whose page is missing are dropped.
  virtual void RunPageCommand(UINT code, const CString& value) = 0;
  // TRUE when the profile page lists a profile of that SSID.
  virtual BOOL IsProfileListed(LPCSTR ssid) const = 0;
  // Clears the site survey page's by-BSSID and by-SSID flags (a profile
  // takes over the connection).
  virtual void ClearSiteConnectTargets() = 0;
};

using StationHostFactory = std::unique_ptr<CStationHost> (*)();

// The program's host class; null leaves the worker without a host.
void SetStationHostFactory(StationHostFactory factory);
// A new host object (its window not yet created), or null without a factory.
std::unique_ptr<CStationHost> MakeStationHost();

// The process-wide expanded-layout flag of the host.
extern int g_bHostExpanded;
// The process-wide radio-off flag the host's radio button keeps; the
// pages read its copy g_bRadioOn (ModuleFunctions.h).
extern int g_bRadioOff;
// Single sign-on is supported (set by the single sign-on page when it finds
// the logon library; 0 until then).
extern int g_bSsoSupported;

// Asks the hidden profile page whether a profile with that SSID is listed;
// FALSE when the worker, the host or the page window is missing.
BOOL IsStationProfileListed(LPCSTR ssid);
// The worker's host; null while none exists or its window is gone.
CStationHost* GetStationHost();
