#include "skinvane/BalloonHelp.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/win/user/Input.h"
#include "utilmere/Utilmere.h"

BEGIN_MESSAGE_MAP(CBalloonHelp, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_TIMER()
  ON_WM_CLOSE()
  ON_WM_DESTROY()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_RBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_EN_CHANGE(0x7F10, &CBalloonHelp::OnChangeEDIT)
  ON_BN_CLICKED(0x7F11, &CBalloonHelp::OnSaveClicked)
END_MESSAGE_MAP()

namespace {

constexpr char kClassName[] = "BalloonHelpClass";
constexpr DWORD kLayeredAlpha = 0x2;  // LWA_ALPHA
constexpr int kFadeStepMs = 25;
constexpr int kFadeStep = 25;
constexpr UINT kMouseCheckMs = 100;
constexpr UINT kCloseCheckMs = 500;
constexpr UINT kEditId = 0x7F10;
constexpr UINT kSaveId = 0x7F11;

// The keyboard hook that the balloons of the process share, and the windows
// that asked for it, guarded by one lock.
struct HookState {
  CRITICAL_SECTION lock;
  HHOOK hook = nullptr;
  std::vector<HWND> windows;
  HookState() { InitializeCriticalSection(&lock); }
  ~HookState() { DeleteCriticalSection(&lock); }
};

HookState& hookState() {
  static HookState state;
  return state;
}

class Lock {
 public:
  explicit Lock(CRITICAL_SECTION& section) : m_section(section) { EnterCriticalSection(&m_section); }
  ~Lock() { LeaveCriticalSection(&m_section); }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

 private:
  CRITICAL_SECTION& m_section;
};

}  // namespace

CBalloonHelp::CBalloonHelp()
    : m_background(GetSysColor(COLOR_INFOBK)), m_foreground(GetSysColor(COLOR_INFOTEXT)) {
  HMODULE user = GetModuleHandle("USER32.DLL");
  if (user) m_setLayered = reinterpret_cast<SetLayeredProc>(GetProcAddress(user, "SetLayeredWindowAttributes"));
}

CBalloonHelp::~CBalloonHelp() {
  if (GetSafeHwnd()) DestroyWindow();
}

void CBalloonHelp::CreateFonts() {
  if (!m_contentFont.GetSafeHandle()) {
    LOGFONT font = {};
    GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    m_contentFont.CreateFontIndirect(&font);
  }
  if (!m_titleFont.GetSafeHandle()) {
    LOGFONT font = {};
    m_contentFont.GetLogFont(&font);
    font.lfWeight = FW_BOLD;
    m_titleFont.CreateFontIndirect(&font);
  }
}

int CBalloonHelp::Create(const CString& title, const CString& content, const CPoint& anchor, UINT options,
                         CWnd* parent, CString url, UINT timeout, HICON icon) {
  m_title = title;
  m_content = content;
  m_anchor = anchor;
  m_options = options;
  m_url = url;
  m_timeout = timeout;
  if (icon) SetIcon(icon);
  if (!parent || !IsWindow(parent->GetSafeHwnd())) parent = AfxGetMainWnd();
  if (!parent || !IsWindow(parent->GetSafeHwnd())) return 0;
  m_parent = parent;
  CreateFonts();

  static ATOM classAtom = 0;
  WNDCLASS existing = {};
  if (!classAtom || !GetClassInfo(AfxGetInstanceHandle(), kClassName, &existing)) {
    WNDCLASS wc = {};
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.lpszClassName = kClassName;
    classAtom = RegisterClass(&wc);
  }
  BOOL animation = FALSE;
  BOOL fade = FALSE;
  SystemParametersInfo(SPI_GETTOOLTIPANIMATION, 0, &animation, 0);
  SystemParametersInfo(SPI_GETTOOLTIPFADE, 0, &fade, 0);
  if (!animation || !fade || !m_setLayered) m_options |= BALLOON_DISABLE_FADEIN | BALLOON_DISABLE_FADEOUT;
  if (m_options & BALLOON_SHOW_EDIT) {
    m_options |= BALLOON_SHOW_CLOSE_BUTTON;
    m_timeout = 0;
  }

  DWORD exStyle = WS_EX_LAYERED | WS_EX_TOOLWINDOW;
  if (m_options & BALLOON_SHOW_TOPMOST) exStyle |= WS_EX_TOPMOST;
  if (!CreateEx(exStyle, kClassName, m_title, WS_POPUP, CRect(0, 0, 10, 10), m_parent, 0)) return 0;
  PositionWindow();
  ShowBalloon();

  if (m_options & BALLOON_CLOSE_ON_MOUSE_MOVE) {
    POINT cursor = {};
    GetCursorPos(&cursor);
    m_lastMouse = cursor;
    SetTimer(BALLOON_TIMER_MOUSE, kMouseCheckMs, nullptr);
  }
  if ((m_options & BALLOON_CAPTURE_MOUSE) && (m_options & (BALLOON_CLOSE_ON_LBUTTON | BALLOON_CLOSE_ON_RBUTTON)))
    SetCapture();
  if (m_options & BALLOON_CLOSE_ON_KEYPRESS) RegisterKeyboardHook();
  if (m_options & BALLOON_SHOW_EDIT) CreateShowEdit();
  return 1;
}

void CBalloonHelp::LaunchBalloon(const CString& title, const CString& content, const CPoint& anchor,
                                 const char* iconFile, UINT options, CWnd* parent, CString url, UINT timeout) {
  auto balloon = std::make_unique<CBalloonHelp>();
  HICON icon = nullptr;
  if (iconFile && *iconFile)
    icon = static_cast<HICON>(LoadImage(nullptr, iconFile, IMAGE_ICON, 16, 16, LR_LOADFROMFILE));
  const int created =
      balloon->Create(title, content, anchor, options | BALLOON_DELETE_THIS_ON_CLOSE, parent, url, timeout, icon);
  if (icon) DestroyIcon(icon);
  // The window owns the object from here: it deletes itself after WM_NCDESTROY.
  if (created) balloon.release();
}

void CBalloonHelp::ApplyAlpha() {
  if (m_setLayered && GetSafeHwnd())
    m_setLayered(m_hWnd, 0, static_cast<BYTE>(std::clamp(m_alpha, 0, 255)), kLayeredAlpha);
}

void CBalloonHelp::ShowBalloon() {
  ShowWindow(SW_SHOWNOACTIVATE);
  if (m_options & BALLOON_DISABLE_FADEIN) {
    m_alpha = 255;
    ApplyAlpha();
    if (m_timeout) SetTimer(BALLOON_TIMER_TIMEOUT, m_timeout, nullptr);
  } else {
    m_alpha = 5;
    ApplyAlpha();
    SetTimer(BALLOON_TIMER_FADE_IN, kFadeStepMs, nullptr);
  }
}

void CBalloonHelp::HideBalloon(int reason) {
  if (m_hiding || !GetSafeHwnd()) return;
  m_hiding = true;
  if ((m_options & BALLOON_SHOW_EDIT) && m_edit) {
    CString text;
    m_edit->GetWindowText(text);
    if (!text.IsEmpty() && text != m_editInit) OnButtonSavePublic();
  }
  KillTimer(BALLOON_TIMER_FADE_IN);
  KillTimer(BALLOON_TIMER_TIMEOUT);
  if (GetCapture() == this) ReleaseCapture();
  SendMessageToRecver(WM_BALLOON_HIDE, MAKEWPARAM(0, reason), reinterpret_cast<LPARAM>(&m_itemData));
  if (!GetSafeHwnd()) return;
  if (m_options & BALLOON_DISABLE_FADEOUT) {
    DestroyWindow();
    return;
  }
  m_alpha = 250;
  ApplyAlpha();
  SetTimer(BALLOON_TIMER_FADE_OUT, kFadeStepMs, nullptr);
}

LRESULT CBalloonHelp::SendMessageToRecver(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!m_parent || !IsWindow(m_parent->GetSafeHwnd())) return 0;
  return ::SendMessage(m_parent->GetSafeHwnd(), message, wParam, lParam);
}

void CBalloonHelp::OnTimer(UINT_PTR id) {
  switch (id) {
    case BALLOON_TIMER_FADE_IN:
      m_alpha += kFadeStep;
      if (m_alpha > 255) {
        m_alpha = 255;
        KillTimer(BALLOON_TIMER_FADE_IN);
        if (m_timeout) SetTimer(BALLOON_TIMER_TIMEOUT, m_timeout, nullptr);
      }
      ApplyAlpha();
      break;
    case BALLOON_TIMER_FADE_OUT:
      m_alpha -= kFadeStep;
      if (m_alpha < 0) {
        KillTimer(BALLOON_TIMER_FADE_OUT);
        DestroyWindow();
        return;
      }
      ApplyAlpha();
      break;
    case BALLOON_TIMER_TIMEOUT:
      KillTimer(BALLOON_TIMER_TIMEOUT);
      HideBalloon(0);
      break;
    case BALLOON_TIMER_MOUSE: {
      POINT cursor = {};
      GetCursorPos(&cursor);
      if (m_options & BALLOON_SHOW_CLOSE_BUTTON) {
        CPoint local(cursor);
        ScreenToClient(&local);
        const UINT state = CloseButtonRect().PtInRect(local) ? DFCS_HOT : DFCS_FLAT;
        if (state != m_closeState && !m_closePressed) {
          m_closeState = state;
          CClientDC dc(this);
          DrawCloseButton(&dc);
        }
      }
      if ((m_options & BALLOON_CLOSE_ON_MOUSE_MOVE) && m_alpha == 255 && !m_hiding &&
          (std::abs(cursor.x - m_lastMouse.x) > m_tolerance || std::abs(cursor.y - m_lastMouse.y) > m_tolerance))
        HideBalloon(0);
      break;
    }
    default:
      CWnd::OnTimer(id);
  }
}

void CBalloonHelp::OnClose() { HideBalloon(0); }

void CBalloonHelp::OnLButtonDown(UINT, CPoint point) {
  if ((m_options & BALLOON_SHOW_CLOSE_BUTTON) && CloseButtonRect().PtInRect(point)) {
    m_closePressed = true;
    m_closeState = DFCS_PUSHED;
    SetCapture();
    CClientDC dc(this);
    DrawCloseButton(&dc);
    return;
  }
  if (m_options & BALLOON_CLOSE_ON_LBUTTON) {
    if ((m_options & BALLOON_CAPTURE_MOUSE) && GetCapture() == this) ReleaseCapture();
    HideBalloon(1);
  } else if (!m_url.IsEmpty()) {
    const CString url = m_url;
    HideBalloon(1);
    ShellExecute(nullptr, "open", url, nullptr, nullptr, SW_SHOWNORMAL);
  }
}

void CBalloonHelp::OnLButtonUp(UINT, CPoint point) {
  if (!m_closePressed) return;
  m_closePressed = false;
  ReleaseCapture();
  m_closeState = DFCS_FLAT;
  if (CloseButtonRect().PtInRect(point)) {
    HideBalloon(0);
    return;
  }
  CClientDC dc(this);
  DrawCloseButton(&dc);
}

void CBalloonHelp::OnRButtonDown(UINT, CPoint) {
  if (!(m_options & BALLOON_CLOSE_ON_RBUTTON)) return;
  if ((m_options & BALLOON_CAPTURE_MOUSE) && GetCapture() == this) ReleaseCapture();
  HideBalloon(0);
}

void CBalloonHelp::OnMouseMove(UINT, CPoint point) {
  if ((m_options & BALLOON_SHOW_CLOSE_BUTTON) && !m_closePressed) {
    const UINT state = CloseButtonRect().PtInRect(point) ? DFCS_HOT : DFCS_FLAT;
    if (state != m_closeState) {
      m_closeState = state;
      CClientDC dc(this);
      DrawCloseButton(&dc);
    }
    if (state == DFCS_HOT) SetTimer(BALLOON_TIMER_MOUSE, kCloseCheckMs, nullptr);
  }
  if ((m_options & BALLOON_CLOSE_ON_MOUSE_MOVE) && m_alpha == 255) {
    CPoint screen = point;
    ClientToScreen(&screen);
    if (std::abs(screen.x - m_lastMouse.x) > m_tolerance || std::abs(screen.y - m_lastMouse.y) > m_tolerance)
      HideBalloon(0);
  }
}

// ---- The keyboard hook.

LRESULT CALLBACK CBalloonHelp::KeyboardHookProc(int code, WPARAM wParam, LPARAM lParam) {
  HookState& state = hookState();
  HHOOK hook;
  {
    Lock lock(state.lock);
    hook = state.hook;
    if (code == HC_ACTION && !(static_cast<DWORD>(lParam) & 0x80000000u)) {
      for (HWND window : state.windows) ::PostMessage(window, WM_CLOSE, 0, 0);
      state.windows.clear();
    }
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

void CBalloonHelp::RegisterKeyboardHook() {
  HookState& state = hookState();
  Lock lock(state.lock);
  if (!state.hook) state.hook = SetWindowsHookEx(WH_KEYBOARD, &KeyboardHookProc, nullptr, GetCurrentThreadId());
  state.windows.push_back(m_hWnd);
}

void CBalloonHelp::UnregisterKeyboardHook() {
  HookState& state = hookState();
  Lock lock(state.lock);
  state.windows.erase(std::remove(state.windows.begin(), state.windows.end(), m_hWnd), state.windows.end());
  if (state.windows.empty() && state.hook) {
    UnhookWindowsHookEx(state.hook);
    state.hook = nullptr;
  }
}

// ---- The edit box.

void CBalloonHelp::CreateShowEdit() {
  HWND focus = ::GetFocus();
  CRect client;
  GetClientRect(&client);
  const int margin = 8;
  const int lineHeight = 22;
  auto edit = std::make_unique<CEdit>();
  auto save = std::make_unique<CButton>();
  const CRect editRect(margin, client.bottom - margin - lineHeight, client.right - margin - 60, client.bottom - margin);
  const CRect saveRect(editRect.right + 4, editRect.top, client.right - margin, editRect.bottom);
  // The balloon grows by the edit line.
  CRect window;
  GetWindowRect(&window);
  SetWindowPos(nullptr, 0, 0, window.Width(), window.Height() + lineHeight + margin,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const int shift = m_tailAtTop ? lineHeight + margin : 0;
  if (edit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, editRect + CPoint(0, shift), this, kEditId)) {
    edit->SetWindowText(m_editInit);
    m_edit = edit.release();
  }
  if (save->Create("Save", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | WS_DISABLED, saveRect + CPoint(0, shift), this,
                   kSaveId))
    m_saveButton = save.release();
  PositionWindow();
  if (focus) ::SetFocus(focus);
  if (m_options & BALLOON_TOPMOST_AFTER_EDIT)
    SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CBalloonHelp::OnChangeEDIT() {
  if (!m_saveButton) return;
  m_saveButton->EnableWindow(TRUE);
  m_saveButton->Invalidate();
}

void CBalloonHelp::OnSaveClicked() { OnButtonSavePublic(); }

void CBalloonHelp::OnButtonSavePublic() {
  if (!m_edit || !m_saveButton || !m_saveButton->IsWindowEnabled()) return;
  CString text;
  m_edit->GetWindowText(text);
  const int choice = m_choice ? static_cast<int>(m_choice->SendMessage(CB_GETCURSEL)) : 0;
  SendMessageToRecver(WM_BALLOON_SAVE, reinterpret_cast<WPARAM>(static_cast<const char*>(text)),
                      MAKELPARAM(kSaveId, choice));
  m_edit->SetWindowText("");
  m_saveButton->EnableWindow(FALSE);
  HideBalloon(0);
}

// ---- Life.

void CBalloonHelp::OnDestroy() {
  DeleteInstance(&m_edit);
  DeleteInstance(&m_saveButton);
  DeleteInstance(&m_choice);
  UnregisterKeyboardHook();
  CWnd::OnDestroy();
}

void CBalloonHelp::PostNcDestroy() {
  if (m_options & BALLOON_DELETE_THIS_ON_CLOSE) delete this;
}
