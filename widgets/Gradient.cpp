#include "widgets/Gradient.h"

#include <algorithm>
#include <cstdarg>
#include <cstdlib>
#include <vector>

namespace {

// Runs of a palette device: the gradient is drawn with at most this many colours.
constexpr int kPaletteColours = 236;
constexpr WORD kPaletteVersion = 0x300;
constexpr COLORREF kPaletteRelative = 0x02000000;

bool isPaletteDevice(CDC* pDC) { return (pDC->GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0; }

}  // namespace

void CGradient::SetEvenColors(int count, ...) {
  if (count < 2) AfxThrowInvalidArgException();
  va_list args;
  va_start(args, count);
  m_colours.SetSize(count);
  for (int i = 0; i < count; ++i) m_colours[i] = va_arg(args, COLORREF);
  va_end(args);
  m_sizes.SetSize(count - 1);
  for (int i = 0; i < count - 1; ++i) m_sizes[i] = 100.0 / (count - 1);
  m_palette.DeleteObject();
  m_fullLength = -1;
}

void CGradient::InterpolateRuns(CGradRuns& runs, COLORREF a, COLORREF b, int length, int from, int to,
                                int maxSteps) {
  if (to == -1) to = length;
  const int dR = GetRValue(b) - GetRValue(a);
  const int dG = GetGValue(b) - GetGValue(a);
  const int dB = GetBValue(b) - GetBValue(a);
  int steps = std::max({std::abs(dR), std::abs(dG), std::abs(dB)});
  if (maxSteps >= 0) steps = std::min(steps, maxSteps);
  steps = std::max(std::min(steps, length), 1);
  const float incR = static_cast<float>(dR) / steps;
  const float incG = static_cast<float>(dG) / steps;
  const float incB = static_cast<float>(dB) / steps;
  const float stepLength = static_cast<float>(length) / steps;
  for (int i = 0; i < steps; ++i) {
    int start = static_cast<int>(i * stepLength);
    int end = i == steps - 1 ? length : static_cast<int>((i + 1) * stepLength);
    if (end < from) continue;
    start = std::max(start, from);
    end = std::min(end, to);
    const COLORREF colour = RGB((GetRValue(a) + static_cast<int>(i * incR)) & 0xFF,
                                (GetGValue(a) + static_cast<int>(i * incG)) & 0xFF,
                                (GetBValue(a) + static_cast<int>(i * incB)) & 0xFF);
    CGradElement run{colour, end - start};
    runs.Add(run);
    if (end >= to) break;
  }
}

void CGradient::MakeRuns(CGradRuns& runs, int length, int from, int to, int maxColours) {
  if (to == -1) to = length;
  const INT_PTR colours = m_colours.GetSize();
  if (colours == 0) AfxThrowInvalidArgException();
  if (colours == 1) {
    CGradElement run{m_colours[0], to - from};
    runs.Add(run);
    return;
  }
  const int segments = static_cast<int>(colours - 1);
  const int cap = maxColours == -1 ? -1 : maxColours / segments;
  double sum = 0;
  int start = 0;
  for (int i = 0; i < segments; ++i) {
    sum += m_sizes[i];
    const int end = i == segments - 1 ? length : static_cast<int>(length * sum / 100);
    if (end >= from)
      InterpolateRuns(runs, m_colours[i], m_colours[i + 1], end - start, std::max(from - start, 0),
                      std::min(to, end) - start, cap);
    if (end >= to) break;
    start = end;
  }
}

void CGradient::MakeShiftedRuns(CGradRuns& runs, int shift, int length, int from, int to, int maxColours) {
  if (to == -1) to = length;
  if (length > 0) {
    shift %= length;
    if (shift < 0) shift += length;
  }
  if (length == 0 || shift == 0 || m_colours.GetSize() < 2) {
    MakeRuns(runs, length, from, to, maxColours);
    return;
  }
  // The whole gradient unshifted: kept for the next rotation (a marquee
  // moves the shift on every step) until the length, the colour limit or
  // the colours change.
  if (m_fullLength != length || m_fullMaxColours != maxColours) {
    m_fullRuns.RemoveAll();
    m_fullRuns.SetSize(0, RunsBound(length));
    MakeRuns(m_fullRuns, length, 0, length, maxColours);
    m_fullLength = length;
    m_fullMaxColours = maxColours;
  }
  const CGradRuns& full = m_fullRuns;
  if (full.GetSize() < 2) {
    CGradElement run{m_colours[0], to - from};
    runs.Add(run);
    return;
  }
  // The last `shift` pixels move to the front, in their order: the end part
  // of the run that crosses the boundary (its first `split` pixels stay
  // behind), then the runs after it.
  int taken = 0;
  INT_PTR cut = full.GetSize();
  int split = -1;
  while (taken < shift && cut > 0) {
    const CGradElement& run = full[cut - 1];
    if (taken + run.length <= shift) {
      taken += run.length;
      --cut;
    } else {
      split = run.length - (shift - taken);
      taken = shift;
    }
  }
  // Clip to [from, to).
  int position = 0;
  const auto place = [&](COLORREF colour, int length) {
    const int start = std::max(position, from);
    const int end = std::min(position + length, to);
    position += length;
    if (end > start) {
      CGradElement clipped{colour, end - start};
      runs.Add(clipped);
    }
    return position < to;
  };
  if (split >= 0 && !place(full[cut - 1].colour, full[cut - 1].length - split)) return;
  for (INT_PTR i = cut; i < full.GetSize(); ++i)
    if (!place(full[i].colour, full[i].length)) return;
  for (INT_PTR i = 0; i < cut; ++i)
    if (!place(full[i].colour, i == cut - 1 && split >= 0 ? split : full[i].length)) return;
}

INT_PTR CGradient::RunsBound(int length) const {
  // At most one run per pixel, plus a cut one at each segment boundary.
  return std::max(length, 1) + m_colours.GetSize();
}

int CGradient::FullLength(const CRect& rect) const {
  const int side = m_direction <= kRightToLeft ? rect.Width() : rect.Height();
  return static_cast<int>(side * m_lengthFactor);
}

CRect CGradient::Strip(const CRect& rect, int start, int end) const {
  switch (m_direction) {
    case kRightToLeft:
      return CRect(rect.right - end, rect.top, rect.right - start, rect.bottom);
    case kTopToBottom:
      return CRect(rect.left, rect.top + start, rect.right, rect.top + end);
    case kBottomToTop:
      return CRect(rect.left, rect.bottom - end, rect.right, rect.bottom - start);
    default:
      return CRect(rect.left + start, rect.top, rect.left + end, rect.bottom);
  }
}

void CGradient::BuildPalette() {
  CGradRuns runs;
  MakeRuns(runs, kPaletteColours, 0, kPaletteColours, kPaletteColours);
  const INT_PTR count = runs.GetSize();
  std::vector<BYTE> block(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * static_cast<size_t>(count));
  auto* palette = reinterpret_cast<LOGPALETTE*>(block.data());
  palette->palVersion = kPaletteVersion;
  palette->palNumEntries = static_cast<WORD>(count);
  for (INT_PTR i = 0; i < count; ++i) {
    PALETTEENTRY& entry = palette->palPalEntry[i];
    entry.peRed = GetRValue(runs[i].colour);
    entry.peGreen = GetGValue(runs[i].colour);
    entry.peBlue = GetBValue(runs[i].colour);
    entry.peFlags = 0;
  }
  m_palette.CreatePalette(palette);
}

void CGradient::Draw(CDC* pDC, CRect rect, int from, int to, int shift) {
  const bool palette = isPaletteDevice(pDC);
  const int length = FullLength(rect);
  if (to == -1) to = length;
  if (!palette && pDC->GetDeviceCaps(BITSPIXEL) * pDC->GetDeviceCaps(PLANES) < 8) {
    if (!m_colours.IsEmpty()) pDC->FillSolidRect(Strip(rect, from, to), m_colours[0]);
    return;
  }
  CGradRuns runs;
  runs.SetSize(0, RunsBound(to - from));
  MakeShiftedRuns(runs, shift, length, from, to, palette ? kPaletteColours : -1);

  CPalette* oldPalette = nullptr;
  bool paletteSelected = false;
  if (palette && m_bUsePalette) {
    if (!m_palette.GetSafeHandle()) BuildPalette();
    if (m_palette.GetSafeHandle()) {
      oldPalette = pDC->SelectPalette(&m_palette, FALSE);
      pDC->RealizePalette();
      paletteSelected = true;
    }
  }
  int position = from;
  for (INT_PTR i = 0; i < runs.GetSize(); ++i) {
    const CRect strip = Strip(rect, position, position + runs[i].length);
    position += runs[i].length;
    if (palette) {
      CBrush brush(runs[i].colour | (paletteSelected ? kPaletteRelative : 0));
      pDC->FillRect(&strip, &brush);
    } else {
      pDC->FillSolidRect(&strip, runs[i].colour);
    }
  }
  if (paletteSelected) pDC->SelectPalette(oldPalette, FALSE);
}
