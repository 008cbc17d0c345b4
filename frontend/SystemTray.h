// CSystemTray: the program's icon in the taskbar notification area. A hidden
// window receives the icon's callback message and turns a right click into
// the tray menu and a double click into the menu's default command, both for
// the target window (the application's main window unless one is given).
// The picture is chosen from a list of frames, and the icon comes back after
// the taskbar restarts.
#pragma once

#include <vector>

#include "frontend/SystemTrayIds.h"
#include "platform/Platform.h"

// Sent to the target before the tray menu opens (wParam: the popup CMenu*)
// so it can translate the items.
#define WM_TRAY_MENU_LANGUAGE (WM_USER + 512)

class CSystemTray : public CWnd {
 public:
  // Title of the hidden window and name of the registered callback message.
  static constexpr const char* kWindowTitle = "Omrin_SystemTray Window";
  static constexpr const char* kCallbackMessageName = "Omrin_SystemTray";
  // Tray frames: the strip, its frame size and key colour, and the single
  // icon used when the strip gives no frame.
  static constexpr const char* kFrameStripFile = "%sSkin\\TrayIcon.bmp";
  static constexpr const char* kFallbackIconFile = "%sSkin\\WirelessKesh.ico";
  static constexpr int kFrameSize = 32;
  static constexpr COLORREF kFrameKey = 0x00FFFF;

  CSystemTray();
  ~CSystemTray() override;
  CSystemTray(const CSystemTray&) = delete;
  CSystemTray& operator=(const CSystemTray&) = delete;

  // Adds the icon (replacing it when it is there already): `icon` NULL takes
  // the first frame of the list; the balloon shows only when both its title
  // and text are non-empty; `target` NULL means the main window. Texts
  // longer than their fields are cut. The result is whether it was added.
  BOOL Create(const CString& tooltip, HICON icon, UINT id, const CString& balloonTitle, const CString& balloonText,
              CWnd* target);
  void RemoveIcon();
  BOOL IsAdded() const { return m_added; }

  // FALSE when the icon is not added; a different icon is one shell call
  // (*changed = 1), the same icon none (*changed = 0). `changed` may be NULL.
  BOOL SetIcon(HICON icon, BOOL* changed);
  HICON GetIcon() const;
  // Replaces the frames; FALSE (and an empty list) when they cannot be kept.
  BOOL SetIconList(const HICON* icons, int count);
  int GetIconCount() const { return static_cast<int>(m_icons.GetSize()); }
  // FALSE for an index outside the list (the picture stays).
  BOOL SetIconFromList(int index, BOOL* changed);
  // FALSE when not added; the same text again makes no shell call. A text
  // longer than the tip field is cut to it.
  BOOL SetTooltipText(const CString& text);
  CString GetTooltipText() const;

  // Reads the tray pictures from the program folder (`folder` ends in a
  // backslash): the 32 x 32 frames of the strip become the icon list. The
  // result is the icon to add first: the first frame, or, when the strip is
  // missing or empty or the list refuses it, the fallback icon (NULL when
  // that is missing too). The tray destroys the icons it read here.
  HICON LoadIconFrames(const CString& folder);

  // The icon's callback message: mouse events on the icon.
  virtual LRESULT OnTrayNotification(WPARAM id, LPARAM event);

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  DECLARE_MESSAGE_MAP()

 private:
  CWnd* Target() const;
  // Shows the tray menu at the cursor; FALSE when it cannot be loaded.
  BOOL ShowTrayMenu(CWnd* target);
  void RunDefaultCommand(CWnd* target);

  BOOL m_added = FALSE;
  NOTIFYICONDATA m_data{};
  CArray<HICON, HICON> m_icons;
  std::vector<HICON> m_loadedIcons;  // read by LoadIconFrames, destroyed with the tray
  UINT m_defaultItem = 0;
  BOOL m_defaultByPos = TRUE;
  UINT m_taskbarCreatedMessage = 0;
  CWnd* m_target = nullptr;
};
