#include "skinvane/GxEdit.h"

#include <cctype>

#include "platform/win/user/Input.h"

namespace {

constexpr long kDefaultFontPoints = 10;
constexpr COLORREF kEdgeReadOnly = 0x808080;
constexpr COLORREF kEdge = 0xB99E80;

}  // namespace

BEGIN_MESSAGE_MAP(CGxEdit, CEdit)
  ON_WM_CTLCOLOR_REFLECT()
  ON_WM_ERASEBKGND()
  ON_WM_CHAR()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_CREATE()
  ON_WM_LBUTTONUP()
  ON_CONTROL_REFLECT_EX(EN_CHANGE, &CGxEdit::OnEnChange)
END_MESSAGE_MAP()

CGxEdit::CGxEdit() : m_focusTextColor(GetSysColor(COLOR_WINDOWTEXT)) {
  m_focusBrush.CreateSolidBrush(m_focusBkColor);
  m_readOnlyBrush.CreateSolidBrush(m_readOnlyBkColor);
  m_textColor = GetSysColor(COLOR_WINDOWTEXT);
  m_bkColor = 0xFFFFFF;
  m_bkBrush.CreateSolidBrush(m_bkColor);
  m_transparent = 0;
  m_owner = this;
}

CGxEdit::~CGxEdit() = default;

int CGxEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  m_createdByCreate = 1;
  return CEdit::Create(style, rect, parent, id);
}

void CGxEdit::PreSubclassWindow() {
  CEdit::PreSubclassWindow();
  if (!m_createdByCreate && !m_textFont) SetTextFont(kDefaultFontPoints, "Verdana", 0, 0, 0, 0);
}

int CGxEdit::OnCreate(LPCREATESTRUCT createStruct) {
  if (CEdit::OnCreate(createStruct) == -1) return -1;
  SetTextFont(kDefaultFontPoints, "Verdana", 0, 0, 0, 0);
  return 0;
}

int CGxEdit::SetParseType(WORD type) {
  m_parseType = type;
  return type;
}

WORD CGxEdit::CharClass(UINT ch) {
  if (ch < 0x20) return 0xFF;
  if (ch > 0x7F) return 0x08;
  const int c = static_cast<int>(ch);
  if (std::isdigit(c)) return 0x55;
  if (std::isalpha(c)) {
    switch (std::toupper(c)) {
      case 'A':
      case 'B':
      case 'C':
      case 'D':
      case 'F': return 0x42;
      case 'E': return 0x46;
      default: return 0x02;
    }
  }
  switch (c) {
    case '-': return 0x14;
    case '.': return 0x04;
    case '_': return 0x28;
    default: return 0x08;
  }
}

// The character is dropped by the caller.
void CGxEdit::OnBadInput() { MessageBeep(static_cast<UINT>(-1)); }

void CGxEdit::OnChar(UINT ch, UINT repeat, UINT flags) {
  if (m_parseType != GX_PARSE_NONE && !(CharClass(ch) & m_parseType)) {
    OnBadInput();
    return;
  }
  CEdit::OnChar(ch, repeat, flags);
}

LRESULT CGxEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!m_editingEnabled &&
      (message == WM_KEYDOWN || message == WM_CHAR || message == WM_RBUTTONDOWN || message == WM_PASTE))
    return 0;
  if (message == WM_NCPAINT) {
    const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
    if (m_ownEdge) PaintEdge();
    return result;
  }
  return CEdit::WindowProc(message, wParam, lParam);
}

BOOL CGxEdit::PreTranslateMessage(MSG* msg) {
  RelayEvent_ToolTip(msg);
  if (msg->message == WM_KEYDOWN) {
    if (msg->wParam == VK_TAB && m_catchTab) m_tabCaught = 1;
    if (msg->wParam == 'A' && (GetKeyState(VK_CONTROL) & 0x8000)) {
      SetSel(0, -1);
      SendMessage(EM_SCROLLCARET);
      return TRUE;
    }
  }
  return CEdit::PreTranslateMessage(msg);
}

int CGxEdit::EnableEditing(int enable) {
  m_editingEnabled = enable;
  return 1;
}

int CGxEdit::SetBkColorFocus(COLORREF colour) {
  m_focusBkColor = colour;
  m_focusBrush.DeleteObject();
  m_focusBrush.CreateSolidBrush(colour);
  RepaintWithParent();
  return 1;
}

int CGxEdit::GetBkColorFocus(COLORREF& colour) const {
  colour = m_focusBkColor;
  return 1;
}

int CGxEdit::SetTextColorFocus(COLORREF colour) {
  m_focusTextColor = colour;
  RepaintWithParent();
  return 1;
}

int CGxEdit::GetTextColorFocus(COLORREF& colour) const {
  colour = m_focusTextColor;
  return 1;
}

bool CGxEdit::ReadOnlyLook() const {
  return GetSafeHwnd() && ((GetStyle() & ES_READONLY) || !IsWindowEnabled());
}

void CGxEdit::RepaintWithParent() {
  if (!GetSafeHwnd()) return;
  EraseBkgnd();
  Invalidate();
}

BOOL CGxEdit::PaintBackground(CDC* dc) {
  CRect client;
  CWnd::GetClientRect(&client);
  if (m_bkBitmap.GetSafeHandle()) DrawBitmap(m_bkBitmap, dc, client, 1);
  return m_ownEdge ? TRUE : FALSE;
}

// The own edge lies outside the client area, so it is drawn with the frame,
// through the window DC: one pixel out a 2-pixel ring in the background of the
// current state, two pixels out the rounded 1-pixel ring.
void CGxEdit::PaintEdge() {
  CWindowDC dc(this);
  CRect window;
  GetWindowRect(&window);
  CRect edge;
  CWnd::GetClientRect(&edge);
  ClientToScreen(&edge);
  edge.OffsetRect(-window.left, -window.top);
  const COLORREF background = ReadOnlyLook() ? m_readOnlyBkColor : m_focused ? m_focusBkColor : m_bkColor;
  CGdiObject* oldBrush = dc.SelectStockObject(NULL_BRUSH);
  CPen inner(PS_SOLID, 2, background);
  CPen* oldPen = dc.SelectObject(&inner);
  edge.InflateRect(1, 1);
  dc.Rectangle(&edge);
  CPen outer(PS_SOLID, 1, ReadOnlyLook() ? kEdgeReadOnly : kEdge);
  dc.SelectObject(&outer);
  edge.InflateRect(1, 1);
  dc.RoundRect(&edge, CPoint(2, 2));
  dc.SelectObject(oldPen);
  dc.SelectObject(oldBrush);
}

BOOL CGxEdit::OnEraseBkgnd(CDC* dc) {
  if (PaintBackground(dc)) return 1;
  if (m_transparent || m_bkBitmap.GetSafeHandle()) return 1;
  return CEdit::OnEraseBkgnd(dc);
}

HBRUSH CGxEdit::CtlColor(CDC* dc, UINT) {
  COLORREF text = m_textColor;
  COLORREF background = m_bkColor;
  CBrush* brush = &m_bkBrush;
  if (ReadOnlyLook()) {
    background = m_readOnlyBkColor;
    brush = &m_readOnlyBrush;
  } else if (m_focused) {
    text = m_focusTextColor;
    background = m_focusBkColor;
    brush = &m_focusBrush;
  }
  PaintBackground(dc);
  dc->SetTextColor(text);
  if (m_bkBitmap.GetSafeHandle() || m_transparent) {
    dc->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(m_nullBrush.GetSafeHandle());
  }
  dc->SetBkColor(background);
  return static_cast<HBRUSH>(brush->GetSafeHandle());
}

void CGxEdit::OnSetFocus(CWnd* oldWnd) {
  CEdit::OnSetFocus(oldWnd);
  m_focused = 1;
  RepaintWithParent();
  if (m_catchTab && m_tabCaught) {
    ReplaceSel("\t", TRUE);
    m_tabCaught = 0;
  }
  if (m_keepSelection) {
    SetSel(m_selStart, m_selEnd);
    SendMessage(EM_SCROLLCARET);
  }
}

void CGxEdit::OnKillFocus(CWnd* newWnd) {
  CEdit::OnKillFocus(newWnd);
  m_focused = 0;
  RepaintWithParent();
  if (m_keepSelection) GetSel(m_selStart, m_selEnd);
  if (m_catchTab && m_tabCaught) SetFocus();
}

void CGxEdit::OnLButtonUp(UINT flags, CPoint point) {
  CEdit::OnLButtonUp(flags, point);
  RepaintWithParent();
}

// The parent sees the notification too.
BOOL CGxEdit::OnEnChange() {
  RepaintWithParent();
  return FALSE;
}
