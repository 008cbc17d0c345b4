// CProgressCtrlX: a progress-bar control painted by CProgress with a
// gradient. It subclasses a progress-bar window and answers the standard
// progress messages itself; its window style is the CProgress style word.
// Timer 11 steps the bar, timer 12 moves the marquee block.
#pragma once

#include "platform/Platform.h"
#include "widgets/Progress.h"

class CProgressCtrlX : public CProgressCtrl, public CProgress {
 public:
  static constexpr UINT_PTR kStepTimer = 11;
  static constexpr UINT_PTR kMarqueeTimer = 12;

  CProgressCtrlX() = default;
  ~CProgressCtrlX() override = default;

  DWORD GetStyle() const override { return CProgressCtrl::GetStyle(); }
  BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd) override { return CProgressCtrl::ModifyStyle(dwRemove, dwAdd); }

  // The bar's position; the whole control is invalidated with its background
  // erased. Returns the previous position.
  int SetPos(int pos);
  // The font of the bar text (not owned); the control is invalidated (erase).
  void SetTextFont(CFont* pFont);
  // Timer 12 every `period` ms moves the marquee by `step`.
  void StartMarquee(UINT period, int step);

  using CProgress::GetPos;
  using CProgress::GetRange;
  using CProgress::OffsetPos;
  using CProgress::SetRange;
  using CProgress::SetStep;
  using CProgress::StepIt;

 protected:
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnPaint();
  void OnTimer(UINT_PTR nIDEvent);
  LRESULT OnSetRange(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetRange32(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetRange(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetPos(WPARAM wParam, LPARAM lParam);
  LRESULT OnDeltaPos(WPARAM wParam, LPARAM lParam);
  LRESULT OnStepIt(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetStep(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetPos(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetBarColor(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetBkColor(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  // The old range as PBM_SETRANGE answers it: upper high, lower low.
  LRESULT ApplyRange(int a, int b);
  void Repaint() { Invalidate(FALSE); }

  int m_nMarqueeStep = 1;
};
