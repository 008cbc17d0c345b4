// CGradient: a list of colours laid along one axis of a rectangle as runs of
// solid colour. Neighbouring colours are joined by one segment each, whose
// share of the whole length is kept in percent; a segment is cut into as many
// runs as its largest channel difference (at most one per pixel).
//
// Painting takes the part [from, to) of a gradient as long as the rectangle
// (times the length factor) and may rotate the pattern by a shift. On a
// device of fewer than 8 bits per pixel that is not a palette device the part
// is filled with the first colour.
#pragma once

#include "platform/Platform.h"
#include "widgets/GradElement.h"

using CGradRuns = CArray<CGradElement, CGradElement&>;

class CGradient {
 public:
  enum Direction { kLeftToRight = 0, kRightToLeft = 1, kTopToBottom = 2, kBottomToTop = 3 };

  CGradient() = default;
  virtual ~CGradient() = default;
  CGradient(const CGradient&) = delete;
  CGradient& operator=(const CGradient&) = delete;

  // Paints the part [from, to) (to -1: the full length), rotated by shift.
  virtual void Draw(CDC* pDC, CRect rect, int from, int to, int shift);
  virtual void MakeShiftedRuns(CGradRuns& runs, int shift, int length, int from, int to, int maxColours);
  // Appends the runs of [from, to) of a gradient `length` long; to -1 means
  // length, maxColours -1 means no limit on the runs.
  virtual void MakeRuns(CGradRuns& runs, int length, int from, int to, int maxColours);
  // Appends the runs of [from, to) of one segment from a to b; maxSteps -1
  // means no limit.
  virtual void InterpolateRuns(CGradRuns& runs, COLORREF a, COLORREF b, int length, int from, int to, int maxSteps);

  // `count` colours (COLORREF arguments) in equal segments; fewer than 2
  // throw the invalid-argument exception.
  void SetEvenColors(int count, ...);
  INT_PTR GetColorCount() const { return m_colours.GetSize(); }
  COLORREF GetColor(INT_PTR index) const { return m_colours[index]; }
  void SetDirection(int direction) { m_direction = direction; }
  int GetDirection() const { return m_direction; }
  void SetLengthFactor(float factor) { m_lengthFactor = factor; }
  float GetLengthFactor() const { return m_lengthFactor; }
  // Palette devices only: realise a palette of the gradient's colours.
  void SetUsePalette(BOOL use) { m_bUsePalette = use; }
  CPalette* GetPalette() { return m_palette.GetSafeHandle() ? &m_palette : nullptr; }

 protected:
  // The length Draw lays the gradient over in `rect`.
  int FullLength(const CRect& rect) const;
  // Room for the runs of a part `length` long, so that building them
  // allocates once.
  INT_PTR RunsBound(int length) const;
  // The strip [start, end) of the rectangle along the direction.
  CRect Strip(const CRect& rect, int start, int end) const;

 private:
  void BuildPalette();

  CDWordArray m_colours;
  BOOL m_bUsePalette = FALSE;
  CPalette m_palette;            // made on demand, dropped when the colours change
  CArray<double, double> m_sizes;  // one per segment, percent of the length
  // The unshifted runs of the whole length MakeShiftedRuns rotated last
  // (length -1: none kept).
  CGradRuns m_fullRuns;
  int m_fullLength = -1;
  int m_fullMaxColours = 0;
  int m_direction = kLeftToRight;
  float m_lengthFactor = 1.0f;
};
