#include "skinvane/GxBtnPub.h"

#include <algorithm>

namespace {

constexpr int kPicTextGap = 2;

}  // namespace

BEGIN_MESSAGE_MAP(CGxBtn_Pub, CButton)
  ON_WM_CREATE()
  ON_WM_MOUSEMOVE()
  ON_WM_MOUSELEAVE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_SETCURSOR()
  ON_WM_ENABLE()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_TIMER()
  ON_WM_ERASEBKGND()
  ON_MESSAGE(WM_SETTEXT, &CGxBtn_Pub::OnSetText)
END_MESSAGE_MAP()

CGxBtn_Pub::CGxBtn_Pub() {
  m_nullBrush.DeleteObject();
  m_nullBrush.CreateStockObject(NULL_BRUSH);
  m_owner = this;
}

CGxBtn_Pub::~CGxBtn_Pub() {
  m_imageList.DeleteImageList();
  m_stateAttr.reset();
}

CGxBtn_Pub::StateAttr* CGxBtn_Pub::NewAttr() {
  if (!m_stateAttr) {
    m_stateAttr.reset(new (std::nothrow) StateAttr[static_cast<size_t>(m_stateCount)]);
    if (m_stateAttr)
      for (int i = 0; i < m_stateCount; ++i) m_stateAttr[i].cursor = LoadCursor(nullptr, IDC_ARROW);
  }
  return m_stateAttr.get();
}

CGxBtn_Pub::StateAttr* CGxBtn_Pub::StateAttrOf(int state) {
  StateAttr* attrs = NewAttr();
  if (!attrs || state < 0 || state >= m_stateCount) return nullptr;
  return &attrs[state];
}

void CGxBtn_Pub::SetBtn_BorderColor(int state, COLORREF colour) {
  for (int s = std::max(state, 0); StateAttrOf(s); ++s) StateAttrOf(s)->border = colour;
}

void CGxBtn_Pub::SetBtn_TextColor(int state, COLORREF colour) {
  for (int s = std::max(state, 0); StateAttrOf(s); ++s) StateAttrOf(s)->text = colour;
}

void CGxBtn_Pub::SetBtn_BKColor(int state, COLORREF colour) {
  for (int s = std::max(state, 0); StateAttrOf(s); ++s) StateAttrOf(s)->background = colour;
}

void CGxBtn_Pub::SetBtn_Cursor(int state, HICON cursor) {
  for (int s = std::max(state, 0); StateAttrOf(s); ++s) StateAttrOf(s)->cursor = cursor;
}

void CGxBtn_Pub::SetBtn_Cursor(int state, const char* file) { SetBtn_Cursor(state, LoadCursorFromFile(file)); }

void CGxBtn_Pub::SetBtn_Cursor(int state, UINT resourceId) {
  HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(resourceId), RT_GROUP_CURSOR);
  SetBtn_Cursor(state, LoadCursor(module, MAKEINTRESOURCE(resourceId)));
}

int CGxBtn_Pub::SetBtn_Font(int state, long height, int bold, int italic, int underline, const CString& face) {
  if (!NewAttr()) return 0;
  const int first = state == -1 ? 0 : state;
  const int last = state == -1 ? m_stateCount - 1 : state;
  for (int s = first; s <= last; ++s) {
    StateAttr* attr = StateAttrOf(s);
    if (!attr || !gxCreateFont(attr->font, height, bold, italic, underline, face, 0)) return 0;
  }
  return 1;
}

void CGxBtn_Pub::FallBackToStandard() {
  if (GetSafeHwnd()) SetButtonStyle(GetButtonStyle() & ~static_cast<UINT>(BS_OWNERDRAW) & 0xF0);
}

int CGxBtn_Pub::AddPicStrip(CBitmap& bitmap, int frames, COLORREF mask) {
  BITMAP info = {};
  const int width = frames > 0 && bitmap.GetBitmap(&info) ? info.bmWidth / frames : 0;
  bool ok = width > 0;
  if (ok && !m_imageList.GetSafeHandle())
    ok = m_imageList.Create(width, info.bmHeight, ILC_COLOR24 | ILC_MASK, m_stateCount, 1) != FALSE;
  if (ok && m_imageList.Add(&bitmap, mask) >= 0) {
    Invalidate();
    return 1;
  }
  FallBackToStandard();
  return 0;
}

int CGxBtn_Pub::SetBtn_PicBmp(int frames, COLORREF mask, const char* path) {
  CBitmap bitmap;
  CWndCommonAttr::SetBitmap(bitmap, path);
  return AddPicStrip(bitmap, frames, mask);
}

int CGxBtn_Pub::SetBtn_PicBmp(int frames, COLORREF mask, UINT bitmapId) {
  CBitmap bitmap;
  CWndCommonAttr::SetBitmap(bitmap, bitmapId);
  return AddPicStrip(bitmap, frames, mask);
}

int CGxBtn_Pub::AddPicIcon(int index, HICON icon, int cx, int cy) {
  // ExtractIcon answers 1 for a file that holds no icon.
  if (!icon || icon == reinterpret_cast<HICON>(1)) {
    FallBackToStandard();
    return 0;
  }
  bool ok = true;
  if (!m_imageList.GetSafeHandle()) {
    const CSize size = cx > 0 && cy > 0 ? CSize(cx, cy) : gxGetIconSize(icon);
    ok = m_imageList.Create(size.cx, size.cy, ILC_COLOR24 | ILC_MASK, m_stateCount, 1) != FALSE;
  }
  if (ok) {
    ok = index >= 0 && index < m_imageList.GetImageCount() ? m_imageList.Replace(index, icon) >= 0
                                                            : m_imageList.Add(icon) >= 0;
  }
  DestroyIcon(icon);
  if (!ok) {
    FallBackToStandard();
    return 0;
  }
  Invalidate();
  return 1;
}

int CGxBtn_Pub::SetBtn_PicIcon(int index, const char* exeFile, int cx, int cy) {
  return AddPicIcon(index, ExtractIcon(nullptr, exeFile, 0), cx, cy);
}

int CGxBtn_Pub::SetBtn_PicIcon(int index, UINT iconId, int cx, int cy) {
  HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(iconId), RT_GROUP_ICON);
  HICON icon = static_cast<HICON>(LoadImage(module, MAKEINTRESOURCE(iconId), IMAGE_ICON, std::max(cx, 0),
                                            std::max(cy, 0), 0));
  return AddPicIcon(index, icon, cx, cy);
}

CRect CGxBtn_Pub::Get_BTNSTATE_Offset(CRect& rect) {
  CRect shifted = rect;
  switch (Get_BTNSTATE_Index()) {
    case BTNSTATE_PRESSED: shifted.OffsetRect(1, 1); break;
    case BTNSTATE_HOVER: shifted.OffsetRect(-1, -1); break;
    default: break;
  }
  return shifted;
}

int CGxBtn_Pub::Get_BTNSTATE_Index() {
  if (GetSafeHwnd() && !IsWindowEnabled()) return BTNSTATE_DISABLED;
  if (m_itemState & ODS_SELECTED) return BTNSTATE_PRESSED;
  if (m_mouseOver) return BTNSTATE_HOVER;
  return BTNSTATE_NORMAL;
}

void CGxBtn_Pub::Init() {
  if (m_initialised) return;
  m_initialised = 1;
  m_btnType = GetStyle() & 0xFF;
  // As BM_SETSTYLE would, also while the window is still being created and
  // its button procedure has not seen a message yet.
  ModifyStyle(0xFFFF, m_btnType | BS_OWNERDRAW);
  Invalidate();
  CWnd::GetClientRect(&m_btnRect);
  if (m_autoSetAttr) SetNormalAttr();
}

void CGxBtn_Pub::PreSubclassWindow() {
  CButton::PreSubclassWindow();
  Init();
}

int CGxBtn_Pub::OnCreate(LPCREATESTRUCT createStruct) {
  if (CButton::OnCreate(createStruct) == -1) return -1;
  Init();
  return 0;
}

void CGxBtn_Pub::GetPicAndTextRect() {
  CString text;
  if (GetSafeHwnd()) {
    GetWindowText(text);
    CClientDC dc(this);
    StateAttr* normal = StateAttrOf(0);
    CFont* font = normal && normal->font.GetSafeHandle() ? &normal->font
                                                          : CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    CFont* old = font ? dc.SelectObject(font) : nullptr;
    const CSize extent = dc.GetTextExtent(text);
    if (old) dc.SelectObject(old);
    m_textRect.SetRect(0, 0, extent.cx, extent.cy);
  } else {
    m_textRect = m_btnRect;
  }
  m_picRect.SetRectEmpty();
  m_hasPicture = 0;
  IMAGEINFO info = {};
  if (m_imageList.GetSafeHandle() && m_imageList.GetImageCount() > 0 && m_imageList.GetImageInfo(0, &info)) {
    m_picRect.SetRect(0, 0, info.rcImage.right - info.rcImage.left, info.rcImage.bottom - info.rcImage.top);
    m_hasPicture = 1;
  }
  const int picWidth = m_picRect.Width();
  const int picHeight = m_picRect.Height();
  switch (m_picMode) {
    case BKPIC_CENTER:
      if (m_autoAdjust && m_hasPicture) {
        const int textHeight = m_textRect.Height();
        m_textRect = m_picRect;
        if (picHeight < textHeight) m_picRect.bottom = m_picRect.top + textHeight;
      } else if (m_autoAdjust) {
        m_textRect.right += 4;
        m_textRect.bottom += 2;
      } else {
        m_textRect = m_btnRect;
        m_picRect = m_btnRect;
      }
      break;
    case BKPIC_LEFT:
      if (!m_autoAdjust && m_hasPicture) {
        m_textRect.left = m_picRect.right + kPicTextGap;
        m_textRect.right = m_btnRect.right;
        m_textRect.top = m_btnRect.top;
        m_textRect.bottom = m_btnRect.bottom;
      } else if (m_autoAdjust && m_hasPicture) {
        m_textRect.OffsetRect(picWidth + kPicTextGap, 0);
        m_textRect.bottom = m_textRect.top + picHeight;
        m_btnRect.bottom = m_btnRect.top + picHeight;
      }
      break;
    case BKPIC_RIGHT:
      if (m_autoAdjust) {
        m_picRect.OffsetRect(m_textRect.Width() + kPicTextGap, 0);
        if (m_hasPicture) {
          m_textRect.bottom = m_textRect.top + picHeight;
          m_btnRect.bottom = m_btnRect.top + picHeight;
        }
      } else if (m_hasPicture) {
        m_picRect.MoveToXY(m_btnRect.right - picWidth, m_picRect.top);
        m_textRect.right = m_picRect.left - kPicTextGap;
      }
      break;
    case BKPIC_PICTURE_ONLY:
      m_textRect.SetRectEmpty();
      if (!m_autoAdjust) m_picRect = m_btnRect;
      break;
  }
  m_textRect.OffsetRect(m_textOffset);
  if (text.IsEmpty()) m_textRect.SetRectEmpty();
}

void CGxBtn_Pub::AdjustBtnRect() {
  if (!m_autoAdjust || !GetSafeHwnd()) return;
  // The right edges: beside its picture the text starts past it.
  int width = std::max(m_textRect.right, m_picRect.right);
  int height = std::max(m_textRect.Height(), m_picRect.Height()) + 2;
  if (m_picMode != BKPIC_PICTURE_ONLY && m_imageList.GetSafeHandle() && m_imageList.GetImageCount() == 0) {
    width += 2;
    height += 2;
  }
  CRect old;
  CWnd::GetWindowRect(&old);
  if (CWnd* parent = GetParent()) parent->ScreenToClient(&old);
  CRect placed(old.left, old.top, old.left + width, old.top + height);
  if (m_textFormat & DT_RIGHT) {
    placed.MoveToXY(old.right - width, old.top);
  } else if (m_textFormat & DT_CENTER) {
    const CPoint centre = old.CenterPoint();
    placed.MoveToXY(centre.x - width / 2, centre.y - height / 2);
  }
  if (placed != old) MoveWindow(&placed);
  CWnd::GetClientRect(&m_btnRect);
}

void CGxBtn_Pub::SnapRectCenter(CRect& outer, CRect& inner) {
  const CPoint centre = outer.CenterPoint();
  inner.MoveToXY(centre.x - inner.Width() / 2, centre.y - inner.Height() / 2);
}

int CGxBtn_Pub::DrawBackground(CDC* dc) {
  const int state = Get_BTNSTATE_Index();
  const int count = m_imageList.GetSafeHandle() ? m_imageList.GetImageCount() : 0;
  if (count > 0) {
    CRect at = m_picRect;
    if (m_picMode == BKPIC_CENTER || m_picMode == BKPIC_PICTURE_ONLY) SnapRectCenter(m_btnRect, at);
    int image = 0;
    if (m_animationToggle) {
      image = count - 1;
    } else if (count == 1) {
      at = Get_BTNSTATE_Offset(at);
    } else {
      image = std::min(state, count - 1);
    }
    if (m_imageList.Draw(dc, image, at.TopLeft(), ILD_TRANSPARENT)) return 1;
  }
  StateAttr* attr = StateAttrOf(state);
  if (attr && attr->background != GX_COLOR_NONE) {
    m_bkBrush.DeleteObject();
    m_bkBrush.CreateSolidBrush(attr->background);
    dc->FillRect(&m_btnRect, &m_bkBrush);
  }
  return 0;
}

void CGxBtn_Pub::DrawText(CDC* dc) {
  CString text;
  GetWindowText(text);
  if (m_textRect.IsRectEmpty() || text.IsEmpty()) return;
  StateAttr* attr = StateAttrOf(Get_BTNSTATE_Index());
  CFont* font = attr && attr->font.GetSafeHandle() ? &attr->font
                                                    : CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  CFont* oldFont = font ? dc->SelectObject(font) : nullptr;
  const COLORREF oldColour = dc->GetTextColor();
  CRect rect = m_textRect;
  if (IsWindowEnabled()) {
    rect.InflateRect(0, 1);
    dc->SetTextColor(attr ? attr->text : m_textColor);
    dc->DrawText(text, &rect, m_textFormat);
  } else {
    rect.OffsetRect(1, 1);
    dc->SetTextColor(GetSysColor(COLOR_BTNHIGHLIGHT));
    dc->DrawText(text, &rect, m_textFormat);
    rect.OffsetRect(-1, -1);
    dc->SetTextColor(GetSysColor(COLOR_BTNSHADOW));
    dc->DrawText(text, &rect, m_textFormat);
  }
  dc->SetTextColor(oldColour);
  if (oldFont) dc->SelectObject(oldFont);
}

void CGxBtn_Pub::DrawFrame(CDC* dc) {
  if (m_btnType == 2 || m_btnType == 4) return;
  StateAttr* attr = StateAttrOf(Get_BTNSTATE_Index());
  if (!attr || attr->border == GX_COLOR_NONE) return;
  CBrush brush(attr->border);
  dc->FrameRect(&m_btnRect, &brush);
}

void CGxBtn_Pub::DrawItem(LPDRAWITEMSTRUCT drawItem) {
  CDC* dc = CDC::FromHandle(drawItem->hDC);
  m_itemState = drawItem->itemState;
  m_btnRect = drawItem->rcItem;
  m_enabled = IsWindowEnabled();
  m_btnState = GetState();
  if (m_itemState & ODS_SELECTED) m_mouseOver = 0;
  if (m_transparent) dc->SetBkMode(TRANSPARENT);
  GetPicAndTextRect();
  AdjustBtnRect();
  DrawBackground(dc);
  DrawText(dc);
  DrawFrame(dc);
  if (m_focus && m_drawFocusRect && !(m_itemState & ODS_SELECTED)) {
    CRect focus = m_btnRect;
    focus.DeflateRect(3, 3, 3, 3);
    dc->DrawFocusRect(&focus);
  }
}

BOOL CGxBtn_Pub::PreTranslateMessage(MSG* msg) {
  RelayEvent_ToolTip(msg);
  return CButton::PreTranslateMessage(msg);
}

void CGxBtn_Pub::SetBKPicMode(BKPIC_MODE mode) {
  m_picMode = mode;
  Invalidate();
}

void CGxBtn_Pub::EnableAutoAdjustRect(int adjust) {
  m_autoAdjust = adjust;
  Invalidate();
}

void CGxBtn_Pub::SetTransparent(int transparent) {
  CWndCommonAttr::SetTransparent(transparent);
  Invalidate();
}

void CGxBtn_Pub::Invalidate(int erase) {
  if (!GetSafeHwnd()) return;
  CWnd* parent = GetParent();
  if (!parent || !ShowsParentThrough()) {
    CButton::Invalidate(erase);
    return;
  }
  // The button paints nothing under its text (or around its picture), so its
  // old pixels stay unless the parent draws its background there first: the
  // parent's area under the button is invalidated, and with it the button.
  CRect under;
  GetWindowRect(&under);
  parent->ScreenToClient(&under);
  ::RedrawWindow(parent->GetSafeHwnd(), &under, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool CGxBtn_Pub::ShowsParentThrough() {
  if (!m_transparent) return false;
  for (int state = 0; state < m_stateCount; ++state) {
    const StateAttr* attr = StateAttrOf(state);
    if (!attr || attr->background == GX_COLOR_NONE) return true;
  }
  return false;
}

void CGxBtn_Pub::SetTextFormat(UINT format) {
  m_textFormat = format;
  AdjustPosition();
}

void CGxBtn_Pub::SetTextOffset(CSize& offset) {
  m_textOffset = offset;
  AdjustPosition();
}

void CGxBtn_Pub::AdjustPosition() {
  GetPicAndTextRect();
  AdjustBtnRect();
}

void CGxBtn_Pub::GetClientRect(RECT* rect) {
  AdjustPosition();
  CWnd::GetClientRect(rect);
}

void CGxBtn_Pub::Dynamic(UINT ms) { SetTimer(kAnimationTimer, ms, nullptr); }

void CGxBtn_Pub::StopDynamic() {
  KillTimer(kAnimationTimer);
  m_animationToggle = 0;
  Invalidate();
}

BOOL CGxBtn_Pub::EnableWindow(int enable) {
  const BOOL result = CButton::EnableWindow(enable);
  EraseBkgndAndRedraw(this);
  return result;
}

void CGxBtn_Pub::OnMouseMove(UINT flags, CPoint point) {
  if (!m_mouseOver) {
    m_mouseOver = 1;
    Invalidate();
    TrackMouseEvent(this);
  }
  CButton::OnMouseMove(flags, point);
}

void CGxBtn_Pub::OnMouseLeave() {
  m_mouseOver = 0;
  Invalidate();
  CButton::OnMouseLeave();
}

void CGxBtn_Pub::OnLButtonDown(UINT flags, CPoint point) {
  m_pressed = 1;
  Invalidate();
  CButton::OnLButtonDown(flags, point);
}

void CGxBtn_Pub::OnLButtonUp(UINT flags, CPoint point) {
  m_pressed = 0;
  if (m_visitedColor != GX_COLOR_NONE) {
    if (StateAttr* normal = StateAttrOf(0)) normal->text = m_visitedColor;
  }
  CButton::OnLButtonUp(flags, point);
}

BOOL CGxBtn_Pub::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
  StateAttr* attr = StateAttrOf(Get_BTNSTATE_Index());
  if (!attr || !attr->cursor) return CButton::OnSetCursor(wnd, hitTest, message);
  SetCursor(attr->cursor);
  return TRUE;
}

void CGxBtn_Pub::OnEnable(BOOL enable) {
  Invalidate();
  CButton::OnEnable(enable);
}

void CGxBtn_Pub::OnSetFocus(CWnd* oldWnd) {
  m_focus = 1;
  Invalidate();
  CButton::OnSetFocus(oldWnd);
}

void CGxBtn_Pub::OnKillFocus(CWnd* newWnd) {
  m_focus = 0;
  Invalidate();
  CButton::OnKillFocus(newWnd);
}

void CGxBtn_Pub::OnTimer(UINT_PTR id) {
  if (id == kAnimationTimer) {
    m_animationToggle = !m_animationToggle;
    Invalidate();
    return;
  }
  CButton::OnTimer(id);
}

BOOL CGxBtn_Pub::OnEraseBkgnd(CDC*) { return 1; }

LRESULT CGxBtn_Pub::OnSetText(WPARAM, LPARAM) {
  const LRESULT result = Default();
  // A new text may give the button a new size: the parent shows again where
  // the old text stood.
  if (m_autoAdjust) AdjustPosition();
  Invalidate();
  return result;
}
