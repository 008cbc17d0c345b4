#include "skinvane/GxBtnHotspot.h"

CGxBtn_Hotspot::CGxBtn_Hotspot() = default;

CGxBtn_Hotspot::~CGxBtn_Hotspot() = default;

void CGxBtn_Hotspot::SetNormalAttr() {
  EnableDrawFocusRect(0);
  SetBtn_Font(-1, 8, 0, 0, 0, "MS Sans Serif");
  SetBtn_Cursor(BTNSTATE_NORMAL, LoadCursor(nullptr, IDC_HAND));
  SetBtn_TextColor(BTNSTATE_NORMAL, 0xB25125);
  SetBtn_TextColor(BTNSTATE_HOVER, 0x0000FF);
  SetBtn_TextColor(BTNSTATE_PRESSED, 0x008080);
  SetBtn_VisitedColor(0x000080);
  m_autoAdjust = 1;
}

int CGxBtn_Hotspot::SetBtn_PicBmp(int, int, COLORREF, const char*) { return 1; }
