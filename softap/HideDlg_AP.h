// The soft-AP worker CHideDlg_AP: a hidden modeless dialog (template 169) that
// finds the adapter, switches its driver into AP mode, writes every stored AP
// setting to the driver, runs the DHCP server of connection sharing, polls
// the adapter every two seconds (tray state, event log), sends the security
// keys again after each reconnect, takes the front end's AP commands over the
// UI bridge and leaves AP mode. Its entry points below are what the front end
// calls. Both programs share softap/HideDlg_AP.cpp; the rest is WavorelVista's
// (softap/vista/) or Wavorel's (xp/softap/: no DHCP server, no Native Wi-Fi,
// the Zero Configuration service stopped, the driver's NDIS codes). UI thread
// only.
#pragma once

#include <memory>
#include <vector>

#include "platform/Platform.h"

class CQzPropSheet_AP;
class CSelCardDlg_AP;

// Creates the AP worker and its window when absent (the registry service
// client with the first worker) and asks it to open its property sheet;
// non-zero when the worker window exists, 0 when it cannot be created.
int ShowHideDlgAP();
// Tells the AP worker to exit, destroys its window and deletes it. Called
// while the worker runs its adapter choice dialog, the dialog is ended and
// the worker goes as soon as its handler has returned.
void DestroyHideDlgAP();
// Cancels the AP worker's open security dialog and releases the AP module's
// registry-service binding.
void CloseAPOnExit();
// Posts the message to the AP worker's window; 0 when there is none.
BOOL PostHideDlgAPMessage(UINT message, WPARAM wParam, LPARAM lParam);

class CHideDlg_AP : public CDialog {
 public:
  static constexpr UINT IDD = WAVOREL_BUILD_XP ? 6149 : 169;
  // Commands of the tray menu and the front end.
  static constexpr UINT ID_OPEN_SHEET = 34774;
  static constexpr UINT ID_EXIT = 34776;
  static constexpr UINT ID_LEAVE_AP_MODE = 34778;
  // Timers: the poll and (WavorelVista) the re-apply after a failed connect.
  static constexpr UINT_PTR kPollTimer = WAVOREL_BUILD_XP ? 0 : 1;
  static constexpr UINT kPollMs = 2000;
  static constexpr UINT_PTR kReapplyTimer = 3;
  static constexpr UINT kReapplyMs = 3000;
  // The tray callback message and the tray icon's id.
  static constexpr UINT WM_AP_TRAY_NOTIFY = WM_USER + 100;
  static constexpr UINT kTrayIconId = 190;
  // The tray menu, the first tray text and the administrator message.
  static constexpr UINT kTrayMenu = WAVOREL_BUILD_XP ? 6217 : 3217;
  static constexpr UINT kDisconnectedText = WAVOREL_BUILD_XP ? 6200 : 7134;
  static constexpr const char* kNotAdministratorText = "Soft AP user's account must have 'Administrator' privilege.";

  CHideDlg_AP();
  ~CHideDlg_AP() override;

  // Adapter discovery: the supported, openable adapter (the user picks one
  // of several) into the module's adapter globals; TRUE when one was taken.
  BOOL EnumAdapters_AP();
  // Switches the driver into AP mode and applies every stored setting.
  void EnterApMode(BOOL openSheet);
  // Back to station mode: "OpMode" 0 and the driver's AP mode off first,
  // then Exit, the station values restored, the AP's connection and profile
  // gone and the swap tool started.
  void LeaveApMode();
  // DHCP server off, sheet closed, tray icon removed, poll stopped, dialog
  // ended; nothing while busy.
  void Exit();
  // Opens the AP property sheet when not busy and the adapter is there.
  void OpenSheet();
  // "OpMode" of the driver key as "%d" (through the registry service when
  // the direct write is refused).
  void WriteOpMode(int value);
  // Reads every AP value of the driver key and sends it to the driver, then
  // restarts the AP's connection under its SSID.
  void ApplyAllSettings();
  // The tray state of the icon id (190 Good, 183 Normal, 186 Weak, 194 Lost,
  // 219 Not Exist) to the front end as bridge code 1.
  void SetTrayState(UINT iconId);
  // Restarts the AP's Native Wi-Fi connection as `ssid` (nothing when empty);
  // the keys go out again once it is up.
  void ReconnectSsid(const CString& ssid);
  // With the key-pending flag: the pre-shared key or the WEP keys again.
  void ResendKeys();
  // The configuration page's applied settings: authentication and cipher
  // indexes, the pre-shared key, the four WEP keys, the default key (1..4)
  // and the SSID.
  void TakeSettings(int authIndex, int cipherIndex, const CString& preSharedKey, const CString wepKeys[4],
                    int defaultKey, const CString& ssid);

  // State read by the AP pages and the tests.
  BOOL IsAdapterFound() const { return m_bAdapterFound; }
  BOOL IsDriverKeyChanged() const { return m_bDriverKeyChanged; }
  BOOL IsKeyPending() const { return m_bKeyPending; }
  BOOL IsBusy() const { return m_bBusy; }
  int GetAuthIndex() const { return m_nAuthIndex; }
  int GetCipherIndex() const { return m_nCipherIndex; }
  const CString& GetWpaPsk() const { return m_strWpaPsk; }
  const CString& GetWepKey(int n) const { return m_strWepKey[n]; }
  int GetDefaultKey() const { return m_nDefaultKey; }
  const CString& GetSsid() const { return m_strSsid; }
  // The SSID the AP beacons: the stored "SSID", or "SoftAP-%02X" of the
  // adapter's MAC when that is empty.
  const CString& GetBeaconSsid() const { return m_strBeaconSsid; }
  // The AP property sheet (none until the sheet is built on demand).
  CQzPropSheet_AP* GetSheet() const { return m_pSheet.get(); }

 protected:
  BOOL OnInitDialog() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnPaint();
  void OnTimer(UINT_PTR nIDEvent);
  void OnDestroy();
  UINT OnPowerBroadcast(UINT nPowerEvent, LPARAM nEventData);
  LRESULT OnWlanConnected(WPARAM wParam, LPARAM lParam);
  LRESULT OnWlanRadioOn(WPARAM wParam, LPARAM lParam);
  LRESULT OnWlanConnectFailed(WPARAM wParam, LPARAM lParam);
  LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
  LRESULT OnUiBridge(WPARAM wParam, LPARAM lParam);
  void OnOpenSheet();
  void OnExit();
  void OnLeaveApMode();

  DECLARE_MESSAGE_MAP()

 private:
  friend void DestroyHideDlgAP();

  // The poll body (WavorelVista: timers 1 and 3; Wavorel: timer 0).
  void Poll();
  // Wavorel: OID_802_11_NETWORK_TYPES_SUPPORTED into the 5 GHz flag and the
  // network-type flags; and the Zero Configuration service stopped while it
  // runs.
  void ReadNetworkTypes();
  void StopZeroConfiguration();
  // The poll's rediscovery after the adapter went or was never found.
  void Rediscover();
  void ShowTrayMenu();
  // Bridge code 1 with state 0 and the first tray text.
  void AnnounceFirstTrayState();
  static constexpr UINT kFirstRegisteredMessage = 0xC000;
  static constexpr UINT kLastRegisteredMessage = 0xFFFF;
  // Closes the sheet: its window destroyed, the object deleted. While its
  // Config page runs the security dialog (a handler of this worker below),
  // the dialog is cancelled and the sheet goes once it has returned.
  void CloseSheet();
  BOOL IsSheetWindow() const;
  // The security keys of apply-all and of the re-send: the pre-shared key
  // of the stored text for the beaconed SSID (none for a text that gives no
  // key), and WEP key n (1..4) set, or removed when its text is no key.
  void SendPreSharedKey();
  void SendWepKey(int n);
  // Ends a running choice dialog and marks the worker for deletion once its
  // handler returns (DestroyHideDlgAP from inside a worker handler).
  void RetireAfterHandler();
  // With no handler of this worker running: the closed sheets whose dialog
  // has returned deleted, and a retiring worker ended and deleted.
  void FinishDeferred();

  BOOL m_bAdapterFound = FALSE;
  BOOL m_bOpenSheetAfterEntering = TRUE;
  BOOL m_bDriverKeyChanged = FALSE;
  BOOL m_bKeyPending = FALSE;
  int m_nAuthIndex = 0;
  int m_nCipherIndex = 1;
  CString m_strWpaPsk;
  CString m_strWepKey[4];
  int m_nDefaultKey = 0;
  CString m_strSsid;
  BOOL m_bBusy = FALSE;
  HMODULE m_hIcsDhcp = nullptr;
  FARPROC m_pfnEnableDhcp = nullptr;
  FARPROC m_pfnDisableDhcp = nullptr;
  BOOL m_bTray = FALSE;
  UINT_PTR m_nPollTimer = 0;
  std::unique_ptr<CQzPropSheet_AP> m_pSheet;
  UINT_PTR m_nReapplyTimer = 0;

  CString m_strBeaconSsid;
  // Handlers of this window running now (nested modal loops included), the
  // choice dialog while it runs, and a deletion asked for meanwhile.
  int m_nHandlerDepth = 0;
  CSelCardDlg_AP* m_pChoiceDlg = nullptr;
  BOOL m_bRetiring = FALSE;
  // Closed sheets kept until the security dialog running on them returned.
  std::vector<std::unique_ptr<CQzPropSheet_AP>> m_closingSheets;
};

// The worker singleton (null while none exists).
CHideDlg_AP* GetHideDlgAP();
