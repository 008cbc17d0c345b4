// IcoMenu: drawing one item, in the XP style or the classic look.
#include <algorithm>

#include "widgets/IcoMenu.h"
#include "widgets/IcoMenuDC.h"
#include "widgets/IcoMenuImageStore.h"
#include "widgets/IcoMenuMemDC.h"

namespace {

constexpr int kCheckSide = 16;
constexpr int kTextMargin = 8;

// The text before the first tab, and the accelerator after it.
void splitAtTab(const CString& text, CString& label, CString& accelerator) {
  const int tab = text.Find('\t');
  label = tab >= 0 ? text.Left(tab) : text;
  accelerator = tab >= 0 ? text.Mid(tab + 1) : CString();
}

int half(double value) { return std::max(0, static_cast<int>(value * 0.5 + 0.5)); }

}  // namespace

void IcoMenu::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
  if (!dc) return;
  // Items are measured in the menu font: they are drawn in it too.
  IcoMenuDC font(dc);
  if ((dc->GetDeviceCaps(RASTERCAPS) & RC_PALETTE) || !XPStyleInForce())
    DrawItemClassic(lpDrawItemStruct);
  else
    DrawItemXP(lpDrawItemStruct);
}

void IcoMenu::DrawItemXP(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  const auto* record = reinterpret_cast<const IcoMenuData*>(lpDrawItemStruct->itemData);
  CDC* target = CDC::FromHandle(lpDrawItemStruct->hDC);
  if (lpDrawItemStruct->itemAction == ODA_SELECT) {
    IcoMenuMemDC memory(target, CRect(lpDrawItemStruct->rcItem));
    IcoMenuDC font(&memory);
    DrawXPItemContent(&memory, *lpDrawItemStruct, record);
  } else {
    DrawXPItemContent(target, *lpDrawItemStruct, record);
  }
}

void IcoMenu::DrawXPItemContent(CDC* pDC, const DRAWITEMSTRUCT& item, const IcoMenuData* record) {
  const bool theme = IsXPThemeActive() != FALSE;
  const COLORREF back = GetSysColor(COLOR_WINDOW);
  COLORREF column = GetSysColor(COLOR_BTNFACE);
  if (!theme) column = Lighten(column, 0.25);
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  const COLORREF selection = Lighten(highlight, theme ? 0.7 : 0.85);
  const CRect rect(item.rcItem);
  const int gap = Gap();
  const CRect columnRect(rect.left, rect.top, std::min(rect.left + m_nIconX + gap, static_cast<int>(rect.right)),
                         rect.bottom);

  if (record && (record->nFlags & MF_SEPARATOR)) {
    pDC->FillSolidRect(&rect, back);
    pDC->FillSolidRect(&columnRect, column);
    pDC->Draw3dRect(&columnRect, column, column);
    CRect line(columnRect.right, rect.top + rect.Height() / 2, rect.right, rect.bottom);
    pDC->DrawEdge(&line, EDGE_ETCHED, BF_TOP);
    return;
  }
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const bool grayed = (item.itemState & ODS_GRAYED) != 0;
  if (selected) {
    pDC->FillSolidRect(&rect, selection);
    pDC->Draw3dRect(&rect, highlight, highlight);
  } else {
    pDC->FillSolidRect(&rect, back);
    pDC->Draw3dRect(&rect, back, back);
    pDC->FillSolidRect(&columnRect, column);
    pDC->Draw3dRect(&columnRect, column, column);
  }

  HIMAGELIST shared = IcoMenuImageStore::Instance().Existing();
  const int image = record ? record->nIconIndex : -1;
  if (shared && image >= 0) {
    const int x = rect.left + half(gap);
    const int y = rect.top + half(rect.Height() - m_nIconY);
    // Grayed items show the faded image; a selected one its shadow under the image.
    if (grayed && HasDerivedImages(image)) {
      ImageList_Draw(shared, image + 1, pDC->GetSafeHdc(), x, y, ILD_TRANSPARENT);
    } else {
      if (selected && HasDerivedImages(image)) ImageList_Draw(shared, image + 2, pDC->GetSafeHdc(), x + 1, y + 1, ILD_TRANSPARENT);
      ImageList_Draw(shared, image, pDC->GetSafeHdc(), x, y, ILD_TRANSPARENT);
    }
  } else if (item.itemState & ODS_CHECKED) {
    MENUITEMINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_CHECKMARKS;
    ::GetMenuItemInfo(m_hMenu, item.itemID, FALSE, &info);
    const int x = rect.left + half(columnRect.Width() - kCheckSide);
    const int y = rect.top + half(rect.Height() - kCheckSide);
    DrawXPCheck(pDC, CRect(x, y, x + kCheckSide, y + kCheckSide), info.hbmpChecked != nullptr, highlight);
  }

  if (!record) return;
  COLORREF textColour = GetSysColor(COLOR_MENUTEXT);
  if (grayed) {
    textColour = GetSysColor(COLOR_GRAYTEXT);
    if (!selected && !theme) textColour = Lighten(textColour, 0.4);
  }
  CString label, accelerator;
  splitAtTab(record->GetAnsiString(), label, accelerator);
  CRect textRect(columnRect.right + kTextMargin / 2, rect.top, rect.right - kTextMargin / 2, rect.bottom);
  const int oldMode = pDC->SetBkMode(TRANSPARENT);
  const COLORREF oldColour = pDC->SetTextColor(textColour);
  pDC->DrawText(label, &textRect, DT_SINGLELINE | DT_VCENTER);
  if (!accelerator.IsEmpty()) pDC->DrawText(accelerator, &textRect, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
  pDC->SetTextColor(oldColour);
  pDC->SetBkMode(oldMode);
}

void IcoMenu::DrawItemClassic(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
  const auto* record = reinterpret_cast<const IcoMenuData*>(lpDrawItemStruct->itemData);
  const CRect item(lpDrawItemStruct->rcItem);
  const int L = item.left, T = item.top, R = item.right, B = item.bottom;
  const int W = m_nIconX, H = m_nIconY;
  const COLORREF back = GetSysColor(IsXPThemeActive() ? COLOR_BTNFACE : COLOR_MENU);

  if (record && (record->nFlags & MF_SEPARATOR)) {
    dc->FillSolidRect(&item, back);
    CRect line = item;
    line.top += line.Height() / 2;
    dc->DrawEdge(&line, EDGE_ETCHED, BF_TOP);
    return;
  }
  const UINT state = lpDrawItemStruct->itemState;
  const bool selected = (state & ODS_SELECTED) != 0;
  const bool grayed = (state & ODS_GRAYED) != 0;
  const bool checked = (state & ODS_CHECKED) != 0;
  HIMAGELIST shared = IcoMenuImageStore::Instance().Existing();
  const int image = record ? record->nIconIndex : -1;
  const bool hasImage = shared && image >= 0;
  const bool selectedImage = hasImage && selected && !grayed;
  const bool grayedImage = hasImage && grayed;

  COLORREF textColour;
  if (selected) {
    CRect fill = item;
    if (hasImage || checked) fill.left = L + W + 5;
    dc->FillSolidRect(&fill, GetSysColor(COLOR_HIGHLIGHT));
    textColour = GetSysColor(COLOR_HIGHLIGHTTEXT);
  } else {
    dc->FillSolidRect(&item, back);
    dc->Draw3dRect(&item, back, back);
    textColour = GetSysColor(COLOR_MENUTEXT);
  }

  const int dy = std::max(0, (B - H - T - 4) / 2);
  const CRect iconRect(L + 1, T + dy + 1, L + W + 3, T + dy + H + 3);
  const CRect outer(L, T + dy, L + W + 4, T + dy + H + 4);
  const bool raisedFrames = GetSystemKind() >= kWin95;
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  if (hasImage) {
    dc->Draw3dRect(&iconRect, back, back);
    if (grayedImage) {
      CImageList* images = CImageList::FromHandle(shared);
      CBitmap rendered;
      RenderIcon(dc, images, image, rendered);
      dc->Draw3dRect(&outer, back, back);
      DrawDisabledImage(dc, L + 2, T + dy + 2, W, H, rendered, 0, 0, back);
    } else {
      if (selectedImage) {
        dc->FillSolidRect(&iconRect, back);
        if (raisedFrames) dc->Draw3dRect(&outer, checked ? shadow : light, checked ? light : shadow);
      } else if (checked) {
        dc->FillSolidRect(&iconRect, Lighten(back, 0.6));
        if (raisedFrames) dc->Draw3dRect(&outer, shadow, light);
      } else {
        dc->FillSolidRect(&iconRect, back);
        dc->Draw3dRect(&outer, back, back);
      }
      ImageList_Draw(shared, image, dc->GetSafeHdc(), L + 2, T + dy + 2, ILD_TRANSPARENT);
    }
  } else if (checked) {
    MENUITEMINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_CHECKMARKS;
    ::GetMenuItemInfo(m_hMenu, lpDrawItemStruct->itemID, FALSE, &info);
    DrawClassicCheck(dc, CRect(L + 1, T + dy + 2, L + W + 1, T + dy + H + 2), selected, info.hbmpChecked != nullptr);
  }

  if (!record) return;
  CString label, accelerator;
  splitAtTab(record->GetAnsiString(), label, accelerator);
  if (label.IsEmpty() && accelerator.IsEmpty()) return;
  CRect textRect(L + W + 9, T - 1, R, B - 1);
  if (record->GetAnsiString().Find('\t') >= 0) textRect.right -= W;
  const int oldMode = dc->SetBkMode(TRANSPARENT);
  const COLORREF oldColour = dc->GetTextColor();
  auto drawText = [&](const CRect& where, COLORREF colour) {
    dc->SetTextColor(colour);
    CRect r = where;
    dc->DrawText(label, &r, DT_SINGLELINE | DT_VCENTER);
    if (!accelerator.IsEmpty()) {
      r = where;
      dc->DrawText(accelerator, &r, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    }
  };
  if (!grayed) {
    drawText(textRect, textColour);
  } else if (selected) {
    drawText(textRect, back);
  } else {
    CRect moved = textRect;
    moved.OffsetRect(1, 1);
    drawText(moved, GetSysColor(COLOR_BTNHIGHLIGHT));
    drawText(textRect, GetSysColor(COLOR_GRAYTEXT));
  }
  dc->SetTextColor(oldColour);
  dc->SetBkMode(oldMode);
}
