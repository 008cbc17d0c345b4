// CProgressST: a progress bar whose filled part is tiled from a skin bitmap,
// inside margins, over the attribute part's background bitmap.
#pragma once

#include "platform/Platform.h"
#include "skinvane/WndCommonAttr.h"

class CProgressST : public CProgressCtrl, public CWndCommonAttr {
 public:
  CProgressST();
  ~CProgressST() override;

  // Replaces the bar bitmap; an empty path leaves none (standard painting)
  // and answers 1, otherwise the load result. With `repaint` 1 the parent's
  // area under the bar and the bar are repainted.
  int SetBitmap(const char* path, int repaint);
  void SetRange(int lower, int upper);
  int SetStep(int step);
  // Clamped to the range; returns the previous position.
  int SetPos(int pos);
  // Past the maximum the position wraps to position + minimum - maximum.
  int StepIt();
  void DeflateRect(int left, int top, int right, int bottom);

 protected:
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* dc);

  DECLARE_MESSAGE_MAP()

 private:
  void Repaint();
  // The palette from the bitmap file's colour table (at most 256 colours),
  // else a 6 x 6 x 6 colour cube.
  void CreateBarPalette(const char* path);

  int m_min = 0;
  int m_max = 100;
  int m_range = 100;
  int m_step = 10;
  int m_pos = 0;
  int m_marginLeft = 2;
  int m_marginTop = 2;
  int m_marginRight = 2;
  int m_marginBottom = 2;
  CBitmap m_barBitmap;
  CPalette m_palette;
  int m_barWidth = 0;
  int m_barHeight = 0;
};
