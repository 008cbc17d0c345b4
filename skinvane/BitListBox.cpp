#include "skinvane/BitListBox.h"

BEGIN_MESSAGE_MAP(CBitListBox, CListBox)
  ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {
constexpr COLORREF kListFill = 0x9A8A73;
}

CBitListBox::~CBitListBox() = default;

void CBitListBox::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  CBrush brush;
  brush.CreateSolidBrush(kListFill);
  dc.FillRect(&client, &brush);
}
