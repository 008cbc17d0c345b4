// CSmartEdit: an edit control that lets through only the typed characters
// whose class is in its mask, keeps an integer within a range and can be
// linked both ways to a CLinkSlider. It owns an information pop-up
// (CInfoWnd) beside which its pages show their validation messages.
//
// Character classes (a character passes when mask AND class is not 0):
// control characters 0xFFFF, digits 0x55, A-F/a-f but E/e 0x42, E/e 0x46,
// other letters 0x02, "-" 0x14, "." 0x04, "_" 0x28, anything else 0x08.
#pragma once

#include <memory>

#include "platform/Platform.h"
#include "widgets/InfoWnd.h"

class CLinkSlider;

class CSmartEdit : public CEdit {
 public:
  static constexpr WORD kDigits = 0x01;
  static constexpr WORD kSignedDigits = 0x11;
  static constexpr WORD kHexDigits = 0x40;
  static constexpr WORD kAll = 0xFFFF;
  // The characters read back from the edit when it loses the focus.
  static constexpr int kMaxText = 512;

  CSmartEdit();
  ~CSmartEdit() override;

  virtual void SignalBadInput();
  // Returns the mask now in force.
  WORD SetCharClassMask(WORD wMask);
  WORD GetCharClassMask() const { return m_wMask; }
  // The parent's control `nID` (a CLinkSlider object) becomes the linked slider.
  void LinkSlider(CWnd* pParent, int nID);
  // Within the range: the text becomes the value; else FALSE.
  BOOL SetIntValue(int nValue);
  BOOL SetIntRange(int nMin, int nMax, int nLineSize, int nPageSize);
  // FALSE when the value equals the last one shown.
  BOOL SetValueText(int nValue);
  CInfoWnd& GetInfoWnd() { return *m_pInfo; }
  CLinkSlider* GetLinkedSlider() const { return m_pSlider; }

  // The class of a typed character.
  static WORD CharClass(UINT nChar);

 protected:
  void PreSubclassWindow() override;
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnKillFocus(CWnd* pNewWnd);
  DECLARE_MESSAGE_MAP()

 private:
  WORD m_wMask = kAll;
  std::unique_ptr<CInfoWnd> m_pInfo;
  CLinkSlider* m_pSlider = nullptr;
  int m_nMin = 0;
  int m_nMax = 0;
  int m_nLast = static_cast<int>(0x80000000u);  // not set
};
