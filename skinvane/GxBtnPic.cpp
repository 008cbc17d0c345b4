#include "skinvane/GxBtnPic.h"

CGxBtn_Pic::CGxBtn_Pic() = default;

CGxBtn_Pic::~CGxBtn_Pic() = default;

CRect CGxBtn_Pic::Get_BTNSTATE_Offset(CRect& rect) {
  if (m_solidFrame) return rect;
  return CGxBtn_Pub::Get_BTNSTATE_Offset(rect);
}

void CGxBtn_Pic::SetNormalAttr() {
  EnableDrawFocusRect(0);
  SetBtn_Font(BTNSTATE_NORMAL, 9, 0, 0, 0, "Times New Roman");
  SetBtn_Font(BTNSTATE_HOVER, 9, 1, 0, 0, "Times New Roman");
  SetBtn_Font(BTNSTATE_PRESSED, 9, 0, 1, 0, "Times New Roman");
  SetBtn_Font(BTNSTATE_DISABLED, 9, 0, 1, 0, "Times New Roman");
  SetBtn_Cursor(BTNSTATE_NORMAL, LoadCursor(nullptr, IDC_HAND));
  SetBtn_TextColor(BTNSTATE_NORMAL, 0xB25125);
  SetBtn_TextColor(BTNSTATE_HOVER, 0xFAC800);
  SetBtn_TextColor(BTNSTATE_PRESSED, 0xFFFFFF);
  SetTextFormat(DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  m_autoAdjust = 1;
}

void CGxBtn_Pic::DrawFrame(CDC* dc) {
  if (!m_solidFrame) {
    CGxBtn_Pub::DrawFrame(dc);
    return;
  }
  // Normal and disabled picture buttons show no frame.
  CRect client;
  CWnd::GetClientRect(&client);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  switch (Get_BTNSTATE_Index()) {
    case BTNSTATE_HOVER: dc->Draw3dRect(&client, light, shadow); break;
    case BTNSTATE_PRESSED: dc->Draw3dRect(&client, shadow, light); break;
    default: break;
  }
}

void CGxBtn_Pic::SetBtn_BKColor(_BTNSTATE_Index, COLORREF) {}

void CGxBtn_Pic::SetBtnAttr_Pic(const char* path, int frames, const char* tooltip, int autoSize) {
  SetBtn_PicBmp(frames, 0x00FFFF, path);
  SetBKPicMode(BKPIC_PICTURE_ONLY);
  EnableAutoAdjustRect(autoSize);
  if (tooltip && *tooltip) SetToolTipText(tooltip, 1);
}
