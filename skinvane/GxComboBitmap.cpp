#include "skinvane/GxComboBitmap.h"

#include <algorithm>

#include "utilmere/Utilmere.h"

BEGIN_MESSAGE_MAP(CGxComboBitmap, CComboBox)
  ON_WM_PAINT()
  ON_WM_DESTROY()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

namespace {

// One saved list procedure and one text indent for the whole library: the
// last combo whose list was taken or painted sets them.
WNDPROC g_savedListProc = nullptr;
int g_textIndent = 0;

LRESULT CALLBACK passThroughListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProc(g_savedListProc, hwnd, message, wParam, lParam);
}

CSize bitmapSize(CBitmap& bitmap) {
  BITMAP info = {};
  if (!bitmap.GetSafeHandle() || !bitmap.GetObject(sizeof(info), &info)) return CSize(0, 0);
  return CSize(info.bmWidth, info.bmHeight);
}

// Copies (or stretches, when `target` differs from the bitmap's size) the
// whole bitmap into `target`.
void drawBitmap(CDC& dc, CBitmap& bitmap, const CRect& target) {
  const CSize size = bitmapSize(bitmap);
  if (size.cx <= 0 || size.cy <= 0) return;
  CDC memory;
  memory.CreateCompatibleDC(&dc);
  CBitmap* old = memory.SelectObject(&bitmap);
  if (target.Width() == size.cx && target.Height() == size.cy)
    dc.BitBlt(target.left, target.top, size.cx, size.cy, &memory, 0, 0, SRCCOPY);
  else
    dc.StretchBlt(target.left, target.top, target.Width(), target.Height(), &memory, 0, 0, size.cx, size.cy,
                  SRCCOPY);
  memory.SelectObject(old);
}

enum Border { kLeft, kRight, kTop, kBottom };

}  // namespace

int CGxComboBitmap::TextIndent() { return g_textIndent; }

CGxComboBitmap::CGxComboBitmap() = default;

CGxComboBitmap::~CGxComboBitmap() {
  m_listBottom.DeleteObject();
  m_listTop.DeleteObject();
  m_listRight.DeleteObject();
  m_listLeft.DeleteObject();
  m_middleDisabled.DeleteObject();
  m_rightDisabled.DeleteObject();
  m_leftDisabled.DeleteObject();
  m_middle.DeleteObject();
  m_right.DeleteObject();
  m_left.DeleteObject();
  // The list object only named the combo's own list window.
  m_list.m_hWnd = nullptr;
}

BOOL CGxComboBitmap::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                            UINT id, CCreateContext* context) {
  style &= ~static_cast<DWORD>(0x4 | 0x8);
  style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS;
  return CWnd::Create(className, windowName, style, rect, parent, id, context);
}

int CGxComboBitmap::LoadBitmap(CBitmap& bitmap, const char* path) {
  if (!LoadBitmapFromFile(bitmap, path)) return 0;
  if (GetSafeHwnd()) Invalidate(TRUE);
  return 1;
}

int CGxComboBitmap::LoadBitmap(CBitmap& bitmap, UINT id) {
  bitmap.DeleteObject();
  HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(id), RT_BITMAP);
  HBITMAP handle = ::LoadBitmap(module, MAKEINTRESOURCE(id));
  if (!handle || !bitmap.Attach(handle)) return 0;
  if (GetSafeHwnd()) Invalidate(TRUE);
  return 1;
}

int CGxComboBitmap::SetComboBitmap(UINT left, UINT leftDisabled, UINT right, UINT rightDisabled, UINT middle,
                                   UINT middleDisabled) {
  return LoadBitmap(m_left, left) && LoadBitmap(m_leftDisabled, leftDisabled) && LoadBitmap(m_right, right) &&
                 LoadBitmap(m_rightDisabled, rightDisabled) && LoadBitmap(m_middle, middle) &&
                 LoadBitmap(m_middleDisabled, middleDisabled)
             ? 1
             : 0;
}

int CGxComboBitmap::SetComboBitmap(const char* left, const char* leftDisabled, const char* right,
                                   const char* rightDisabled, const char* middle, const char* middleDisabled) {
  return LoadBitmap(m_left, left) && LoadBitmap(m_leftDisabled, leftDisabled) && LoadBitmap(m_right, right) &&
                 LoadBitmap(m_rightDisabled, rightDisabled) && LoadBitmap(m_middle, middle) &&
                 LoadBitmap(m_middleDisabled, middleDisabled)
             ? 1
             : 0;
}

int CGxComboBitmap::SetComboListBitmap(UINT left, UINT right, UINT top, UINT bottom) {
  return LoadBitmap(m_listLeft, left) && LoadBitmap(m_listRight, right) && LoadBitmap(m_listTop, top) &&
                 LoadBitmap(m_listBottom, bottom)
             ? 1
             : 0;
}

int CGxComboBitmap::SetComboListBitmap(const char* left, const char* right, const char* top, const char* bottom) {
  return LoadBitmap(m_listLeft, left) && LoadBitmap(m_listRight, right) && LoadBitmap(m_listTop, top) &&
                 LoadBitmap(m_listBottom, bottom)
             ? 1
             : 0;
}

void CGxComboBitmap::SetHighlightColor(COLORREF background, COLORREF text) {
  m_highlightBack = background;
  m_highlightText = text;
}

void CGxComboBitmap::SetNormalPositionColor(COLORREF background, COLORREF text) {
  m_normalBack = background;
  m_normalText = text;
}

void CGxComboBitmap::SetDisableColor(COLORREF background, COLORREF text) {
  m_disabledBack = background;
  m_disabledText = text;
}

LRESULT CGxComboBitmap::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // The message maps key every colour request alike; the list's is told apart here.
  if (message == WM_CTLCOLORLISTBOX) return OnCtlColorListBox(wParam, lParam);
  return CComboBox::WindowProc(message, wParam, lParam);
}

LRESULT CGxComboBitmap::OnCtlColorListBox(WPARAM wParam, LPARAM lParam) {
  HWND list = reinterpret_cast<HWND>(lParam);
  if (!m_list.GetSafeHwnd() && list && list != m_hWnd) {
    m_list.m_hWnd = list;
    g_savedListProc = reinterpret_cast<WNDPROC>(GetWindowLongPtr(list, GWL_WNDPROC));
    SetWindowLongPtr(list, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&passThroughListProc));
  }
  return DefWindowProc(WM_CTLCOLORLISTBOX, wParam, lParam);
}

void CGxComboBitmap::OnDestroy() {
  if (m_list.GetSafeHwnd()) {
    if (IsWindow(m_list.m_hWnd))
      SetWindowLongPtr(m_list.m_hWnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(g_savedListProc));
    m_list.m_hWnd = nullptr;
  }
  CComboBox::OnDestroy();
}

void CGxComboBitmap::OnSetFocus(CWnd* oldWnd) { CComboBox::OnSetFocus(oldWnd); }

void CGxComboBitmap::OnKillFocus(CWnd* newWnd) {
  CComboBox::OnKillFocus(newWnd);
  Invalidate(TRUE);
}

HFONT CGxComboBitmap::ListFont() const {
  return m_list.GetSafeHwnd() ? reinterpret_cast<HFONT>(m_list.SendMessage(WM_GETFONT)) : nullptr;
}

void CGxComboBitmap::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  const bool enabled = IsWindowEnabled() != FALSE;
  CBitmap& left = enabled ? m_left : m_leftDisabled;
  CBitmap& middle = enabled ? m_middle : m_middleDisabled;
  CBitmap& right = enabled ? m_right : m_rightDisabled;
  const CSize leftSize = bitmapSize(left);
  if (left.GetSafeHandle()) drawBitmap(dc, left, CRect(client.TopLeft(), leftSize));
  if (middle.GetSafeHandle())
    drawBitmap(dc, middle,
               CRect(client.left + leftSize.cx, client.top, client.right, client.top + bitmapSize(middle).cy));

  CString text;
  GetWindowText(text);
  CRect textRect = client;
  textRect.left += g_textIndent;
  HFONT font = ListFont();
  HGDIOBJ oldFont = font ? SelectObject(dc.GetSafeHdc(), font) : nullptr;
  dc.SetBkMode(TRANSPARENT);
  CRect band(client.left + leftSize.cx, client.top + 3, client.right, client.bottom - 4);
  if (::GetFocus() == m_hWnd) {
    dc.FillSolidRect(&band, m_highlightBack);
    dc.SetTextColor(m_highlightText);
  } else {
    dc.FillSolidRect(&band, enabled ? m_normalBack : m_disabledBack);
    dc.SetTextColor(enabled ? m_normalText : m_disabledText);
  }
  dc.DrawText(text, &textRect, DT_VCENTER | DT_SINGLELINE);
  if (right.GetSafeHandle()) {
    const CSize size = bitmapSize(right);
    drawBitmap(dc, right, CRect(client.right - size.cx, client.top, client.right, client.top + size.cy));
  }
  if (oldFont) SelectObject(dc.GetSafeHdc(), oldFont);

  if (m_list.GetSafeHwnd()) {
    CClientDC listDc(&m_list);
    PaintList(listDc);
  }
}

void CGxComboBitmap::PaintList(CDC& dc) {
  const bool enabled = IsWindowEnabled() != FALSE;
  const int shift = bitmapSize(m_left).cx + 5;
  HFONT font = ListFont();
  HGDIOBJ oldFont = font ? SelectObject(dc.GetSafeHdc(), font) : nullptr;
  const int count = static_cast<int>(m_list.SendMessage(LB_GETCOUNT));
  const auto itemText = [this](int i) {
    CString text;
    const int length = static_cast<int>(m_list.SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(i)));
    if (length > 0) {
      m_list.SendMessage(LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.GetBuffer(length + 1)));
      text.ReleaseBuffer(length);
    }
    return text;
  };
  int widest = 0;
  for (int i = 0; i < count; ++i) {
    CRect item;
    m_list.SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    widest = std::max<int>(widest, item.left + shift + dc.GetTextExtent(itemText(i)).cx);
  }
  CRect window;
  m_list.GetWindowRect(&window);
  if (window.Width() < widest) {
    CWnd* listParent = m_list.GetParent();
    if (listParent) listParent->ScreenToClient(&window);
    m_list.MoveWindow(window.left, window.top, widest + 10, window.Height(), TRUE);
  }
  CRect client;
  m_list.GetClientRect(&client);
  dc.FillSolidRect(&client, enabled ? m_normalBack : m_disabledBack);
  DrawListLeft(0);
  DrawListRight(0);
  DrawListTop(0);
  DrawListBot(0);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(enabled ? m_normalText : m_disabledText);
  for (int i = 0; i < count; ++i) {
    CRect item;
    m_list.SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    item.left += shift;
    g_textIndent = item.left;
    const CString text = itemText(i);
    dc.DrawText(text, &item, DT_VCENTER | DT_SINGLELINE);
  }
  if (oldFont) SelectObject(dc.GetSafeHdc(), oldFont);
}

void CGxComboBitmap::DrawListBorder(CBitmap& bitmap, int which) {
  if (!IsWindow(m_list.GetSafeHwnd()) || !bitmap.GetSafeHandle()) return;
  CRect client;
  m_list.GetClientRect(&client);
  const CSize size = bitmapSize(bitmap);
  CRect target;
  switch (which) {
    case kLeft:
      target = CRect(client.left, client.top, client.left + size.cx, client.bottom);
      break;
    case kRight:
      target = CRect(client.right - size.cx, client.top, client.right, client.bottom);
      break;
    case kTop:
      target = CRect(client.left, client.top, client.right, client.top + size.cy);
      break;
    default:
      target = CRect(client.left, client.bottom - size.cy, client.right, client.bottom);
      break;
  }
  CClientDC dc(&m_list);
  drawBitmap(dc, bitmap, target);
}

void CGxComboBitmap::DrawListLeft(int) { DrawListBorder(m_listLeft, kLeft); }
void CGxComboBitmap::DrawListRight(int) { DrawListBorder(m_listRight, kRight); }
void CGxComboBitmap::DrawListTop(int) { DrawListBorder(m_listTop, kTop); }
void CGxComboBitmap::DrawListBot(int) { DrawListBorder(m_listBottom, kBottom); }

void CGxComboBitmap::DrawItem(LPDRAWITEMSTRUCT draw) {
  if (static_cast<int>(draw->itemID) == -1) return;
  CDC* dc = CDC::FromHandle(draw->hDC);
  const bool enabled = IsWindowEnabled() != FALSE;
  CRect item(draw->rcItem);
  if (draw->itemState & ODS_FOCUS) {
    dc->FillSolidRect(&item, m_highlightBack);
    dc->SetTextColor(m_highlightText);
  } else {
    dc->FillSolidRect(&item, enabled ? m_normalBack : m_disabledBack);
    dc->SetTextColor(enabled ? m_normalText : m_disabledText);
  }
  const bool listIsWindow = IsWindow(m_list.GetSafeHwnd()) != FALSE;
  if (listIsWindow) {
    DrawListLeft(0);
    DrawListRight(0);
    if (static_cast<int>(draw->itemID) + 1 == static_cast<int>(m_list.SendMessage(LB_GETCOUNT))) DrawListBot(0);
    if (draw->itemID == 0) DrawListTop(0);
  }
  CString text;
  GetLBText(static_cast<int>(draw->itemID), text);
  dc->SetBkMode(TRANSPARENT);
  item.left = g_textIndent;
  HFONT font = listIsWindow ? ListFont() : nullptr;
  HGDIOBJ oldFont = font ? SelectObject(dc->GetSafeHdc(), font) : nullptr;
  dc->DrawText(text, &item, DT_VCENTER | DT_SINGLELINE);
  if (oldFont) SelectObject(dc->GetSafeHdc(), oldFont);
}
