// CLinkSlider: a slider (trackbar) that mirrors its position into a linked
// CSmartEdit; a vertical slider runs inverted (its top is the maximum).
#pragma once

#include "platform/Platform.h"

class CSmartEdit;

class CLinkSlider : public CSliderCtrl {
 public:
  // Returns the slider's style word.
  DWORD SetLinkedEdit(CSmartEdit* pEdit);
  // Stores the range and sets it on the slider (redrawn).
  void SetRange(int nMin, int nMax);
  // The value as the slider shows it (max + min - value when inverted).
  void SetLinkedPos(int nValue);
  int GetLinkedPos() const { return m_nPos; }

 protected:
  void HScroll(UINT nSBCode, UINT nPos);
  DECLARE_MESSAGE_MAP()

 private:
  CSmartEdit* m_pEdit = nullptr;
  int m_nMin = 0;
  int m_nMax = 0;
  int m_nPos = 0x7FFFFFFF;  // not set
  int m_bInverted = 0;
};
