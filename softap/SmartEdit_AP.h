// CSmartEdit_AP: the AP pages' numeric and hexadecimal edit. Typed
// characters pass the widgets' character filter (CSmartEdit::CharClass)
// under the edit's mask; a refused one calls SignalBadInput. With a linked
// slider, leaving the edit reads its number, pulls it into the range (a
// beep and the corrected text when it was outside) and moves the slider.
#pragma once

#include "platform/Platform.h"

class CLinkSlider;

class CSmartEdit_AP : public CEdit {
 public:
  static constexpr int kNoValue = static_cast<int>(0x80000000u);

  virtual void SignalBadInput();
  // Returns the mask now in force.
  WORD SetCharClassMask(WORD wMask);
  WORD GetCharClassMask() const { return m_wMask; }
  // The slider that follows the edit's value (none: nullptr) and the range.
  void SetLinkedSlider(CLinkSlider* pSlider) { m_pSlider = pSlider; }
  void SetRange(int nMin, int nMax);
  // 0 when the value is the current one; else stores it, shows it as "%d"
  // and returns 1.
  int SetValue(int nValue);
  int GetValue() const { return m_nValue; }

 protected:
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnKillFocusReflect();
  DECLARE_MESSAGE_MAP()

 private:
  WORD m_wMask = 0xFFFF;
  CLinkSlider* m_pSlider = nullptr;
  int m_nMin = 0;
  int m_nMax = 0;
  int m_nValue = kNoValue;
};
