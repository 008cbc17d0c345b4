// COskelStaticHistogram: a static that draws a scrolling bar graph of its
// most recent samples, one bar per sample with the newest at one edge, beside
// a column of up to ten scale labels. The samples live in a ring as wide as
// the screen; when it cannot be had the control is not ready, its setters
// answer FALSE and it paints as a plain static. A new sample repaints the
// bars alone while the label column still shows the owner's labels.
#pragma once

#include <memory>

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
  // After a new sample: only the bar area when the label column shows the
  // labels set now, else the whole control.
  void RedrawSample();
  // The label column and the bar area of the client rectangle.
  void SplitClient(const CRect& client, CRect& labels, CRect& area) const;
  // TRUE when the column at `labels` shows the labels set now.
  bool LabelsShown(const CRect& labels) const;

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
};
