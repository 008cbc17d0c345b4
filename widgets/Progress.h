// CProgress: a progress-bar model and its painting over a CGradient: range,
// position, step, a moving block ("snake") mode and a formatted text over the
// bar. CProgressCtrlX is the window control built on it.
//
// Style bits: 0x0004 vertical; 0x2000 the gradient stretched over the filled
// part only; 0x0010/0x0020/0x0040/0x0080 text towards the left, right, top,
// bottom (all four: centred, the preset); 0x0100 the text shows the
// percentage, 0x0200 the position; 0x1000 text placed on the filled part;
// 0x4000 the snake runs backwards; 0x8000 snake mode.
#pragma once

#include "platform/Platform.h"
#include "widgets/Gradient.h"

class CProgress : public CGradient {
 public:
  static constexpr DWORD kVertical = 0x0004;
  static constexpr DWORD kTextLeft = 0x0010;
  static constexpr DWORD kTextRight = 0x0020;
  static constexpr DWORD kTextTop = 0x0040;
  static constexpr DWORD kTextBottom = 0x0080;
  static constexpr DWORD kShowPercent = 0x0100;
  static constexpr DWORD kShowPosition = 0x0200;
  static constexpr DWORD kTextOnBar = 0x1000;
  static constexpr DWORD kStretchGradient = 0x2000;
  static constexpr DWORD kSnakeBackwards = 0x4000;
  static constexpr DWORD kSnake = 0x8000;

  CProgress();
  ~CProgress() override = default;
  CProgress(const CProgress&) = delete;
  CProgress& operator=(const CProgress&) = delete;

  // The style word (CProgressCtrlX: its window's style).
  virtual DWORD GetStyle() const { return m_dwStyle; }
  virtual BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd);
  // The text over the bar: `rcBar` is the whole bar, `rcFill` its filled part.
  virtual void DrawText(CDC* pDC, const CRect& rcBar, const CRect& rcFill);
  // Draws `text` with its reference point at `at`, clipped to `clip`.
  virtual void DrawClippedText(CDC* pDC, const CRect& clip, const CString& text, const CPoint& at);
  // Moves the snake (snake mode only, else FALSE): to `value`, or by |value|
  // when `relative`.
  virtual BOOL SnakeStep(int value, BOOL relative);
  virtual CString FormatText();
  virtual float GetPercent();
  virtual BOOL CanChangePos(int oldPos, int newPos);
  virtual void OnPosChanged(int newPos);

  // Lower = the smaller, upper = the larger; the position is clamped again.
  void SetRange(int a, int b);
  void GetRange(int& lower, int& upper) const {
    lower = m_nLower;
    upper = m_nUpper;
  }
  // These return the previous position.
  int SetPos(int pos);
  int OffsetPos(int delta);
  int StepIt() { return OffsetPos(m_nStep); }
  int GetPos() const { return m_nPos; }
  // Returns the previous step.
  int SetStep(int step);
  // A non-empty format with a mode (0x100 or 0x200) shows that text;
  // anything else clears the text.
  void SetTextFormat(LPCSTR format, DWORD mode);
  // Replaces the format alone (the text mode bits stay).
  void SetFormatString(LPCSTR format) { m_strTextFormat = format; }
  const CString& GetFormatString() const { return m_strTextFormat; }

  // Painting: the bar into `rect` of the DC.
  void Draw(CDC* pDC, const CRect& rect);

  // Looks. A bar or background brush (not owned) replaces the gradient or
  // the background colour; CLR_NONE as background paints none.
  void SetBarBrush(CBrush* pBrush) { m_pBarBrush = pBrush; }
  COLORREF SetBkColor(COLORREF colour);
  void SetBkBrush(CBrush* pBrush) { m_pBkBrush = pBrush; }
  void SetTextColors(COLORREF overBar, COLORREF overBackground) {
    m_clrTextOnBar = overBar;
    m_clrTextOnBk = overBackground;
  }
  void SetBorders(const CRect& borders) { m_rcBorders = borders; }
  // A region (a copy is kept; null: none), placed at the bar's top-left, that
  // clips the painting.
  void SetClipRgn(const CRgn* pRgn);
  void SetFontHandle(HFONT font) { m_hFont = font; }
  HFONT GetFontHandle() const { return m_hFont; }
  int GetSnakeTail() const { return m_nTail; }
  int GetSnakeOffset() const { return m_nSnakeOffset; }

 protected:
  // Clamps and stores the position (CanChangePos, OnPosChanged) when it changes.
  void UpdatePos(int pos);
  // The marquee: the snake offset moves by `step` within the range.
  void AdvanceMarquee(int step);

 private:
  CBrush* m_pBarBrush = nullptr;
  COLORREF m_clrBk;
  CBrush* m_pBkBrush = nullptr;
  COLORREF m_clrTextOnBar;
  COLORREF m_clrTextOnBk;
  int m_nTail = 0;
  int m_nSnakeSize = 40;
  int m_nStep = 10;
  int m_nLower = 0;
  int m_nUpper = 100;
  CRect m_rcBorders{0, 0, 0, 0};
  CString m_strTextFormat;
  CRgn m_rgnClip;
  HFONT m_hFont = nullptr;  // none: the DC's font
  DWORD m_dwStyle = 0xF0;
  int m_nPos = 0;
  int m_nSnakeOffset = 0;
};
