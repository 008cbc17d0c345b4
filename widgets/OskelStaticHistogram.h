// COskelStaticHistogram: a static that draws a scrolling bar graph of its
// most recent samples, one bar per sample with the newest at one edge, beside
// a column of up to ten scale labels. The samples live in a ring as wide as
// the screen; when it cannot be had the control is not ready, its setters
// answer FALSE and it paints as a plain static. A new sample repaints only
// the columns whose bars changed while the label column still shows the
// owner's labels and the scale, colour and direction are as painted.
#pragma once

#include <memory>
#include <vector>

#include "platform/Platform.h"

class COskelStaticHistogram : public CStatic {
 public:
  static constexpr int kMaxLabels = 10;

  COskelStaticHistogram();
  ~COskelStaticHistogram() override = default;

  BOOL AddSample(double dValue);
  void ClearSamples();
  BOOL SetLabelWidth(int nWidth);
  BOOL SetLabelCount(int nCount);
  BOOL SetFullScale(double dFullScale);
  BOOL IsReady() const { return m_bReady; }

  // Set directly by the owner: the bar colour and the labels (label 0 in the
  // top row), and which edge the labels and the newest bar stand at.
  COLORREF m_crBar = RGB(0, 255, 0);
  CString m_strLabels[kMaxLabels];
  int m_bLabelsLeft = 1;
  int m_bLeftToRight = 1;

 protected:
  void OnPaint();
  DECLARE_MESSAGE_MAP()

 private:
  // Repaints the whole control now.
  void Redraw();
  // After a new sample: only the columns whose bars changed height when the
  // label column shows the labels set now and the bars look as painted,
  // else the whole control.
  void RedrawSample();
  // The label column and the bar area of the client rectangle.
  void SplitClient(const CRect& client, CRect& labels, CRect& area) const;
  // TRUE when the column at `labels` shows the labels set now.
  bool LabelsShown(const CRect& labels) const;
  // The bar columns of `area`, newest sample first: f(x, right, height),
  // the column's edges and its bar's height (0: none). None at full scale 0.
  template <typename F>
  void ForEachColumn(const CRect& area, F f) const;
  // The bar area as set now is what the screen shows (after a repaint).
  void KeepPaintedBars(const CRect& area);
  // TRUE when the area, scale, colour and direction are as last painted.
  bool BarsLookAsPainted(const CRect& area) const;

  int m_bReady = 0;
  int m_nLabelCount = 0;
  int m_nLabelWidth = 0;
  int m_nIndex = 0;
  double m_dFullScale = 1.0;
  std::unique_ptr<double[]> m_pSamples;
  int m_nRingSize = 0;
  int m_bEraseBackground = 0;
  // The labels the column shows and where, as last painted whole (count -1:
  // unknown).
  CString m_strShownLabels[kMaxLabels];
  int m_nShownLabelCount = -1;
  CRect m_rcShownLabels;
  // The bar area as last repainted: its place, scale, colour, direction and
  // each column's bar height.
  int m_bBarsPainted = 0;
  CRect m_rcPaintedArea;
  double m_dPaintedScale = 0;
  COLORREF m_crPaintedBar = 0;
  int m_bPaintedLeftToRight = 1;
  std::vector<int> m_paintedHeights;
};
