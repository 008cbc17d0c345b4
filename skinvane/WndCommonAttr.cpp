#include "skinvane/WndCommonAttr.h"

namespace {

constexpr UINT_PTR kToolId = 1;
constexpr int kMaxTipWidth = 400;

}  // namespace

CWndCommonAttr::CWndCommonAttr() : m_textColor(GetSysColor(COLOR_WINDOWTEXT)) {
  m_nullBrush.CreateStockObject(NULL_BRUSH);
}

CWndCommonAttr::~CWndCommonAttr() {
  m_bkBrush.DeleteObject();
  m_nullBrush.DeleteObject();
  m_bkBitmap.DeleteObject();
  if (m_textFont) m_textFont->DeleteObject();
  m_textFont.reset();
  if (m_toolTip.GetSafeHwnd()) m_toolTip.DestroyWindow();
  if (m_cursor) DestroyCursor(m_cursor);
}

bool CWndCommonAttr::OwnerWindowExists() const { return m_owner && IsWindow(m_owner->GetSafeHwnd()); }

void CWndCommonAttr::GxInvalidate(int) {}

int CWndCommonAttr::SetBitmap(CBitmap& bitmap, const char* path) {
  if (path == nullptr || *path == '\0') return 0;
  bitmap.DeleteObject();
  return LoadBitmapFromFile(bitmap, path) ? 1 : 0;
}

int CWndCommonAttr::SetBitmap(CBitmap& bitmap, UINT id) {
  bitmap.DeleteObject();
  HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(id), RT_BITMAP);
  HBITMAP handle = LoadBitmap(module, MAKEINTRESOURCE(id));
  return handle && bitmap.Attach(handle) ? 1 : 0;
}

int CWndCommonAttr::SetBK_Bitmap(const char* path) { return SetBitmap(m_bkBitmap, path); }

int CWndCommonAttr::SetBK_Bitmap(UINT id) { return SetBitmap(m_bkBitmap, id); }

void CWndCommonAttr::SetBkColorGx(COLORREF colour) {
  m_bkColor = colour;
  m_bkBrush.DeleteObject();
  m_bkBrush.CreateSolidBrush(colour);
  GxInvalidate(1);
}

void CWndCommonAttr::SetTextColor(COLORREF colour) {
  m_textColor = colour;
  GxInvalidate(1);
}

void CWndCommonAttr::SetTransparent(int transparent) {
  m_transparent = transparent;
  GxInvalidate(1);
}

void CWndCommonAttr::SetBorder(COLORREF colour1, COLORREF colour2) {
  m_borderColor1 = colour1;
  m_borderColor2 = colour2;
  m_drawBorder = 1;
}

void CWndCommonAttr::SetCursorGx(HICON cursor) { m_cursor = cursor; }

int CWndCommonAttr::CreateTextFontObject() {
  if (!m_textFont) m_textFont = std::make_unique<CFont>();
  return m_textFont ? 1 : 0;
}

int CWndCommonAttr::gxCreateFont(CFont& font, long height, int bold, int italic, int underline, const char* face,
                                 int width) {
  if (!OwnerWindowExists()) return ::gxCreateFont(nullptr, font, height, bold, italic, underline, face, width);
  CClientDC dc(m_owner);
  return ::gxCreateFont(dc.GetSafeHdc(), font, height, bold, italic, underline, face, width);
}

int CWndCommonAttr::SetTextFont(long height, const char* face, int bold, int italic, int underline, int width) {
  if (!CreateTextFontObject()) return 0;
  if (!gxCreateFont(*m_textFont, height, bold, italic, underline, face, width)) return 0;
  if (OwnerWindowExists())
    m_owner->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_textFont->GetSafeHandle()), TRUE);
  return 1;
}

void CWndCommonAttr::InitToolTip() {
  if (m_toolTip.GetSafeHwnd()) return;
  m_toolTip.Create(m_owner);
  m_toolTip.Activate(TRUE);
  m_toolTip.SetMaxTipWidth(kMaxTipWidth);
}

void CWndCommonAttr::SetToolTipText(const CString& text, int activate) {
  InitToolTip();
  if (!m_toolTip.GetSafeHwnd()) return;
  if (m_toolTip.GetToolCount() == 0) {
    CRect rect;
    if (OwnerWindowExists()) m_owner->GetClientRect(&rect);
    m_toolTip.AddTool(m_owner, text, &rect, kToolId);
  }
  m_toolTip.UpdateTipText(text, m_owner, kToolId);
  m_toolTip.Activate(activate);
}

int CWndCommonAttr::ActivateToolTip(int activate) {
  if (!m_toolTip.GetSafeHwnd() || m_toolTip.GetToolCount() == 0) return 0;
  m_toolTip.Activate(activate);
  return 1;
}

void CWndCommonAttr::DeleteToolTip() {
  if (!m_toolTip.GetSafeHwnd()) return;
  m_toolTip.DelTool(m_owner, kToolId);
  m_toolTip.DestroyWindow();
}

void CWndCommonAttr::RelayEvent_ToolTip(MSG* msg) {
  InitToolTip();
  if (m_toolTip.GetSafeHwnd()) m_toolTip.RelayEvent(msg);
}

HBRUSH CWndCommonAttr::Handle_CtlColor(CDC* dc, COLORREF text, COLORREF background) {
  if (text == GX_COLOR_NONE) text = m_textColor;
  if (background == GX_COLOR_NONE) background = m_bkColor;
  HBRUSH brush;
  if (m_bkBitmap.GetSafeHandle() || m_transparent) {
    dc->SetBkMode(TRANSPARENT);
    brush = static_cast<HBRUSH>(m_nullBrush.GetSafeHandle());
  } else {
    dc->SetBkMode(OPAQUE);
    dc->SetBkColor(background);
    brush = static_cast<HBRUSH>(m_bkBrush.GetSafeHandle());
  }
  dc->SetTextColor(text);
  return brush;
}

void CWndCommonAttr::FillBackground(CDC* dc) {
  if (!m_bkBrush.GetSafeHandle() || !OwnerWindowExists()) return;
  m_owner->GetClientRect(&m_clientRect);
  dc->FillRect(&m_clientRect, &m_bkBrush);
}

void CWndCommonAttr::EraseBkgnd() {
  if (!OwnerWindowExists()) return;
  CWnd* parent = m_owner->GetParent();
  if (parent == nullptr) return;
  CRect rect;
  m_owner->GetWindowRect(&rect);
  parent->ScreenToClient(&rect);
  RedrawWindow(parent->GetSafeHwnd(), &rect, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}
