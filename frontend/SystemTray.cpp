#include "frontend/SystemTray.h"

#include <new>

#include "utilmere/Utilmere.h"

namespace {

// Copies `text` into a fixed field, cut so that it ends with its zero and
// never in the middle of a double-byte character.
template <size_t N>
void CopyField(CHAR (&field)[N], const char* text) {
  size_t length = 0;
  while (text && text[length] != '\0') {
    const size_t step = IsDBCSLeadByte(static_cast<BYTE>(text[length])) && text[length + 1] != '\0' ? 2 : 1;
    if (length + step > N - 1) break;
    length += step;
  }
  for (size_t i = 0; i < length; ++i) field[i] = text[i];
  for (size_t i = length; i < N; ++i) field[i] = '\0';
}

}  // namespace

BEGIN_MESSAGE_MAP(CSystemTray, CWnd)
END_MESSAGE_MAP()

CSystemTray::CSystemTray() { m_data.cbSize = sizeof(NOTIFYICONDATA); }

CSystemTray::~CSystemTray() {
  RemoveIcon();
  m_icons.RemoveAll();
  if (GetSafeHwnd()) DestroyWindow();
  for (HICON icon : m_loadedIcons) DestroyIcon(icon);
}

BOOL CSystemTray::Create(const CString& tooltip, HICON icon, UINT id, const CString& balloonTitle,
                         const CString& balloonText, CWnd* target) {
  if ((GetVersion() & 0xFF) < 4) {
    m_added = FALSE;
    return FALSE;
  }
  m_target = target;
  if (!GetSafeHwnd() && !CreateEx(0, AfxRegisterWndClass(0), kWindowTitle, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr)) {
    return FALSE;
  }
  RemoveIcon();
  if (!icon && m_icons.GetSize() > 0) icon = m_icons[0];
  const bool balloon = !balloonTitle.IsEmpty() && !balloonText.IsEmpty();
  m_data.cbSize = sizeof(NOTIFYICONDATA);
  m_data.hWnd = m_hWnd;
  m_data.uID = id;
  m_data.hIcon = icon;
  m_data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | (balloon ? NIF_INFO : 0);
  m_data.uCallbackMessage = RegisterWindowMessage(kCallbackMessageName);
  m_data.dwInfoFlags = NIIF_INFO;
  CopyField(m_data.szTip, tooltip);
  CopyField(m_data.szInfoTitle, balloon ? static_cast<LPCTSTR>(balloonTitle) : "");
  CopyField(m_data.szInfo, balloon ? static_cast<LPCTSTR>(balloonText) : "");
  m_added = Shell_NotifyIcon(NIM_ADD, &m_data);
  m_taskbarCreatedMessage = RegisterWindowMessage("TaskbarCreated");
  return m_added;
}

void CSystemTray::RemoveIcon() {
  if (!m_added) return;
  m_data.uFlags = 0;
  Shell_NotifyIcon(NIM_DELETE, &m_data);
  m_added = FALSE;
}

BOOL CSystemTray::SetIcon(HICON icon, BOOL* changed) {
  if (!m_added) return FALSE;
  if (icon == m_data.hIcon) {
    if (changed) *changed = FALSE;
    return TRUE;
  }
  m_data.uFlags = NIF_ICON;
  m_data.hIcon = icon;
  if (changed) *changed = TRUE;
  return Shell_NotifyIcon(NIM_MODIFY, &m_data);
}

HICON CSystemTray::GetIcon() const { return m_added ? m_data.hIcon : nullptr; }

BOOL CSystemTray::SetIconList(const HICON* icons, int count) {
  m_icons.RemoveAll();
  if (count < 0 || (count > 0 && !icons)) return FALSE;
  try {
    for (int i = 0; i < count; ++i) m_icons.Add(icons[i]);
  } catch (CException* e) {
    e->Delete();
    m_icons.RemoveAll();
    return FALSE;
  } catch (const std::bad_alloc&) {
    m_icons.RemoveAll();
    return FALSE;
  }
  return TRUE;
}

BOOL CSystemTray::SetIconFromList(int index, BOOL* changed) {
  if (index < 0 || index >= GetIconCount()) {
    // No frame there: the picture stays as it was.
    if (changed) *changed = FALSE;
    return FALSE;
  }
  return SetIcon(m_icons[index], changed);
}

BOOL CSystemTray::SetTooltipText(const CString& text) {
  if (!m_added) return FALSE;
  CHAR tip[sizeof(m_data.szTip)];
  CopyField(tip, text);
  if (lstrcmp(tip, m_data.szTip) == 0) return TRUE;
  m_data.uFlags = NIF_TIP;
  CopyField(m_data.szTip, tip);
  return Shell_NotifyIcon(NIM_MODIFY, &m_data);
}

CString CSystemTray::GetTooltipText() const { return CString(m_data.szTip); }

HICON CSystemTray::LoadIconFrames(const CString& folder) {
  CString strip;
  strip.Format(kFrameStripFile, static_cast<LPCTSTR>(folder));
  std::vector<HICON> frames;
  CImageList list;
  if (CreateListImageByBmpFile(list, strip, kFrameSize, kFrameSize, kFrameKey)) {
    for (int i = 0; i < list.GetImageCount(); ++i) {
      if (HICON frame = ImageList_GetIcon(list.GetSafeHandle(), i, 0)) frames.push_back(frame);
    }
  }
  if (!frames.empty() && SetIconList(frames.data(), static_cast<int>(frames.size()))) {
    m_loadedIcons.insert(m_loadedIcons.end(), frames.begin(), frames.end());
    return frames.front();
  }
  for (HICON frame : frames) DestroyIcon(frame);
  CString file;
  file.Format(kFallbackIconFile, static_cast<LPCTSTR>(folder));
  HICON fallback = ExtractIcon(AfxGetInstanceHandle(), file, 0);
  // ExtractIcon answers 1 for a file that holds no icon.
  if (fallback == reinterpret_cast<HICON>(1)) fallback = nullptr;
  if (fallback) m_loadedIcons.push_back(fallback);
  return fallback;
}

CWnd* CSystemTray::Target() const { return m_target ? m_target : AfxGetMainWnd(); }

LRESULT CSystemTray::OnTrayNotification(WPARAM id, LPARAM event) {
  if (id != m_data.uID) return 0;
  CWnd* target = Target();
  switch (LOWORD(event)) {
    case WM_RBUTTONUP:
      return target && ShowTrayMenu(target) ? 1 : 0;
    case WM_LBUTTONDBLCLK:
      if (target) RunDefaultCommand(target);
      return 1;
    default:
      return 1;
  }
}

BOOL CSystemTray::ShowTrayMenu(CWnd* target) {
  CMenu menu;
  if (!menu.LoadMenu(m_data.uID)) return FALSE;
  CMenu* popup = menu.GetSubMenu(0);
  if (!popup) return FALSE;
  ::SetMenuDefaultItem(popup->GetSafeHmenu(), m_defaultItem, m_defaultByPos);
  POINT cursor{0, 0};
  GetCursorPos(&cursor);
  target->SendMessage(WM_TRAY_MENU_LANGUAGE, reinterpret_cast<WPARAM>(popup), 0);
  ::TrackPopupMenu(popup->GetSafeHmenu(), 0, cursor.x, cursor.y, 0, target->GetSafeHwnd(), nullptr);
  target->PostMessage(WM_NULL, 0, 0);
  return TRUE;
}

void CSystemTray::RunDefaultCommand(CWnd* target) {
  target->SetForegroundWindow();
  target->SetActiveWindow();
  target->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  target->SetWindowPos(&CWnd::wndNoTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  UINT command = m_defaultItem;
  if (m_defaultByPos) {
    CMenu menu;
    CMenu* popup = menu.LoadMenu(m_data.uID) ? menu.GetSubMenu(0) : nullptr;
    command = popup ? popup->GetMenuItemID(static_cast<int>(m_defaultItem)) : static_cast<UINT>(-1);
  }
  // No command when the menu or its item is not there (or opens a submenu).
  if (command == static_cast<UINT>(-1)) return;
  target->SendMessage(WM_COMMAND, command, 0);
}

LRESULT CSystemTray::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_data.uCallbackMessage != 0 && message == m_data.uCallbackMessage) return OnTrayNotification(wParam, lParam);
  // The taskbar started again with an empty notification area: put the icon
  // back with its last tooltip and picture (unless it had been removed).
  if (m_taskbarCreatedMessage != 0 && message == m_taskbarCreatedMessage && m_added) {
    const CString tip(m_data.szTip);
    const HICON icon = m_data.hIcon;
    const UINT id = m_data.uID;
    RemoveIcon();
    Create(tip, icon, id, CString(), CString(), nullptr);
  }
  return CWnd::WindowProc(message, wParam, lParam);
}
