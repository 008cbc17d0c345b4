// CShadeButtonST: the push button of almost every dialog. Instead of a flat
// face it shows a background picture computed once from the system button
// colours (a pattern of gradients or strokes with random noise), a second
// picture for the hovered look and a third for the latched look that
// CTabDialog gives the current tab. The three pictures share their pixels and
// differ only in a tinted colour table. It draws no 3-D border.
#pragma once

#include "platform/Platform.h"
#include "widgets/ButtonST.h"
#include "widgets/CeXDib.h"

class CShadeButtonST : public CButtonST {
 public:
  CShadeButtonST() = default;
  ~CShadeButtonST() override = default;

  // Computes the three pictures at the button's window size (call once the
  // window has its final size). Only the low byte of granularity and
  // colouring counts; noise comes from the C run-time's rand().
  void BuildShadeBitmaps(int nShadePattern, int nGranularity, BYTE byBlend, int nColoring, COLORREF crBase,
                         COLORREF crHover, COLORREF crSelected);

  DWORD PaintBackground(CDC* pDC, CRect* pRect) override;
  DWORD PaintBorder(CDC* pDC, CRect* pRect) override;

  // Latched: painted as the selected tab (1) or not (0).
  int GetLatched() const { return m_nLatched; }
  void SetLatched(int nLatched) { m_nLatched = nLatched; }
  // The position index a CTabDialog gives the button (pages and extra
  // buttons added before it); the host's tab strip moves it, -1 = off the strip.
  int GetTabIndex() const { return m_nTabIndex; }
  void SetTabIndex(int nIndex) { m_nTabIndex = nIndex; }

  const CCeXDib& GetNormalPicture() const { return m_dibNormal; }
  const CCeXDib& GetHoverPicture() const { return m_dibHover; }
  const CCeXDib& GetLatchedPicture() const { return m_dibLatched; }

 private:
  int m_nLatched = 0;
  int m_nTabIndex = 0;
  CCeXDib m_dibNormal;
  CCeXDib m_dibHover;
  CCeXDib m_dibLatched;
};
