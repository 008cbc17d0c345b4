#include "widgets/MemDC.h"

#include <vector>

namespace {

constexpr UINT kPaletteColours = 236;
constexpr WORD kPaletteVersion = 0x300;

}  // namespace

CMemDC::CMemDC(CDC* pDC, const CRect* pRect, BOOL bCopyFirst) : m_pDC(pDC), m_bMemDC(!pDC->IsPrinting()) {
  if (pRect)
    m_rect = *pRect;
  else
    pDC->GetClipBox(&m_rect);
  if (!m_bMemDC) {
    m_bPrinting = pDC->m_bPrinting;
    m_hDC = pDC->m_hDC;
    m_hAttribDC = pDC->m_hAttribDC;
    return;
  }
  CreateCompatibleDC(pDC);
  m_bitmap.CreateCompatibleBitmap(pDC, m_rect.Width(), m_rect.Height());
  m_pOldBitmap = SelectObject(&m_bitmap);
  SetWindowOrg(m_rect.left, m_rect.top);
  if (bCopyFirst) BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), pDC, m_rect.left, m_rect.top, SRCCOPY);
}

CPalette* CMemDC::RealizeBitmapPalette(CPalette& palette) {
  std::vector<RGBQUAD> table(kPaletteColours);
  const UINT count = GetDIBColorTable(m_hDC, 0, kPaletteColours, table.data());
  std::vector<BYTE> block(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * kPaletteColours);
  auto* logical = reinterpret_cast<LOGPALETTE*>(block.data());
  logical->palVersion = kPaletteVersion;
  logical->palNumEntries = static_cast<WORD>(count);
  for (UINT i = 0; i < count; ++i)
    logical->palPalEntry[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
  if (count == 0 || !palette.CreatePalette(logical)) return nullptr;
  CPalette* old = m_pDC->SelectPalette(&palette, FALSE);
  m_pDC->RealizePalette();
  return old;
}

CMemDC::~CMemDC() {
  if (!m_bMemDC) {
    m_hDC = nullptr;
    m_hAttribDC = nullptr;
    return;
  }
  CPalette palette;
  CPalette* oldPalette = nullptr;
  if (m_pDC->GetDeviceCaps(RASTERCAPS) & RC_PALETTE) oldPalette = RealizeBitmapPalette(palette);
  m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top, SRCCOPY);
  if (oldPalette) m_pDC->SelectPalette(oldPalette, FALSE);
  SelectObject(m_pOldBitmap);
}
