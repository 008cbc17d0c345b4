#include "widgets/OskelStaticHistogram.h"

#include <algorithm>
#include <new>

namespace {

constexpr UINT kRedraw = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;
constexpr int kBarStep = 2;
constexpr int kBarMargin = 2;

}  // namespace

BEGIN_MESSAGE_MAP(COskelStaticHistogram, CStatic)
  ON_WM_PAINT()
END_MESSAGE_MAP()

COskelStaticHistogram::COskelStaticHistogram() {
  const int size = GetSystemMetrics(SM_CXSCREEN);
  if (size <= 0) return;
  m_pSamples.reset(new (std::nothrow) double[static_cast<size_t>(size)]());
  if (!m_pSamples) return;
  m_nRingSize = size;
  m_bReady = 1;
}

void COskelStaticHistogram::Redraw() {
  if (!GetSafeHwnd()) return;
  ::RedrawWindow(m_hWnd, nullptr, nullptr, kRedraw);
  CRect client, labels, area;
  GetClientRect(&client);
  SplitClient(client, labels, area);
  KeepPaintedBars(area);
}

bool COskelStaticHistogram::LabelsShown(const CRect& labels) const {
  const int count = std::clamp(m_nLabelCount, 0, kMaxLabels);
  if (m_nShownLabelCount != count || m_rcShownLabels != labels) return false;
  return std::equal(m_strLabels, m_strLabels + count, m_strShownLabels);
}

void COskelStaticHistogram::SplitClient(const CRect& client, CRect& labels, CRect& area) const {
  labels = area = client;
  if (m_bLabelsLeft) {
    labels.right = std::min(client.left + m_nLabelWidth, static_cast<int>(client.right));
    area.left = labels.right;
  } else {
    labels.left = std::max(client.right - m_nLabelWidth, static_cast<int>(client.left));
    area.right = labels.left;
  }
}

void COskelStaticHistogram::RedrawSample() {
  if (!GetSafeHwnd()) return;
  CRect client, labels, area;
  GetClientRect(&client);
  SplitClient(client, labels, area);
  if (m_bEraseBackground || !LabelsShown(labels) || !BarsLookAsPainted(area)) {
    Redraw();
    return;
  }
  // Only the columns whose bar changed height: with the same samples in a
  // row (an idle link) nothing is drawn at all.
  int first = area.right, last = area.left;
  size_t column = 0;
  bool sameColumns = true;
  ForEachColumn(area, [&](int x, int right, int height) {
    if (column >= m_paintedHeights.size()) {
      sameColumns = false;
    } else if (m_paintedHeights[column] != height) {
      m_paintedHeights[column] = height;
      first = std::min(first, x);
      last = std::max(last, right);
    }
    ++column;
  });
  if (!sameColumns || column != m_paintedHeights.size()) {
    Redraw();
    return;
  }
  if (first >= last) return;
  const CRect changed(first, area.top, last, area.bottom);
  ::RedrawWindow(m_hWnd, &changed, nullptr, kRedraw);
}

BOOL COskelStaticHistogram::AddSample(double dValue) {
  if (!m_bReady) return FALSE;
  m_nIndex = (m_nIndex + 1) % m_nRingSize;
  m_pSamples[static_cast<size_t>(m_nIndex)] = dValue;
  RedrawSample();
  return TRUE;
}

void COskelStaticHistogram::ClearSamples() {
  if (!m_bReady) return;
  std::fill(m_pSamples.get(), m_pSamples.get() + m_nRingSize, 0.0);
  m_nIndex = 0;
  Redraw();
}

BOOL COskelStaticHistogram::SetLabelWidth(int nWidth) {
  if (!m_bReady) return FALSE;
  m_nLabelWidth = nWidth;
  m_bEraseBackground = 1;
  Redraw();
  return TRUE;
}

BOOL COskelStaticHistogram::SetLabelCount(int nCount) {
  if (!m_bReady) return FALSE;
  m_nLabelCount = nCount;
  m_bEraseBackground = 1;
  Redraw();
  return TRUE;
}

BOOL COskelStaticHistogram::SetFullScale(double dFullScale) {
  if (!m_bReady) return FALSE;
  m_dFullScale = dFullScale;
  m_bEraseBackground = 1;
  Redraw();
  return TRUE;
}

void COskelStaticHistogram::OnPaint() {
  if (!m_bReady) {
    Default();
    return;
  }
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  if (m_bEraseBackground) {
    m_bEraseBackground = 0;
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
  }
  const COLORREF black = RGB(0, 0, 0);
  CRect labels, area;
  SplitClient(client, labels, area);
  // Outside the update rectangle nothing is drawn: the labels are left out
  // there, and count as shown only when painted whole.
  const CRect update(dc.m_ps.rcPaint);
  CRect labelsPainted;
  if (labelsPainted.IntersectRect(&labels, &update)) {
    dc.FillSolidRect(&labels, black);
    const int count = std::clamp(m_nLabelCount, 0, kMaxLabels);
    const int rowHeight = m_nLabelCount > 0 ? client.Height() / m_nLabelCount : 0;
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF oldColour = dc.SetTextColor(RGB(255, 255, 255));
    for (int i = 0; i < count; ++i) {
      CRect row(labels.left, client.top + i * rowHeight, labels.right, client.top + (i + 1) * rowHeight);
      dc.DrawText(m_strLabels[i], &row, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    dc.SetTextColor(oldColour);
    dc.SetBkMode(oldMode);
    m_nShownLabelCount = -1;
    if (labelsPainted == labels) {
      std::copy(m_strLabels, m_strLabels + count, m_strShownLabels);
      m_nShownLabelCount = count;
      m_rcShownLabels = labels;
    }
  }
  if (area.IsRectEmpty()) return;
  if (m_dFullScale == 0) {
    dc.FillSolidRect(&area, black);
    return;
  }
  // Each column is black but for its bar: the columns the bars take are
  // filled black in one go and the bars drawn over them.
  int first = area.right, last = area.left;
  ForEachColumn(area, [&](int x, int right, int) {
    first = std::min(first, x);
    last = std::max(last, right);
  });
  if (first >= last) return;
  dc.FillSolidRect(first, area.top, last - first, area.Height(), black);
  // (A column outside the update rectangle would draw nothing.)
  ForEachColumn(area, [&](int x, int, int height) {
    if (height > 0 && x >= update.left && x < update.right)
      dc.FillSolidRect(x, area.bottom - 1 - height, 1, height, m_crBar);
  });
}

template <typename F>
void COskelStaticHistogram::ForEachColumn(const CRect& area, F f) const {
  if (m_dFullScale == 0) return;
  const int room = std::max(static_cast<int>(area.Height()) - kBarMargin, 0);
  // From the newest sample on: one bar pixel and one pixel of gap each,
  // until the far edge of the area.
  int index = m_nIndex;
  for (int step = kBarMargin;; step += kBarStep) {
    const int x = m_bLeftToRight ? area.left + step : area.right - step - kBarStep;
    if (x < area.left || x >= area.right) break;
    // A negative (or not a number) sample draws no bar; one above full scale a full one.
    const double scaled = m_pSamples[static_cast<size_t>(index)] * room / m_dFullScale;
    const int height = !(scaled > 0) ? 0 : scaled >= room ? room : static_cast<int>(scaled);
    f(x, std::min(x + kBarStep, static_cast<int>(area.right)), height);
    index = index == 0 ? m_nRingSize - 1 : index - 1;
  }
}

void COskelStaticHistogram::KeepPaintedBars(const CRect& area) {
  m_rcPaintedArea = area;
  m_dPaintedScale = m_dFullScale;
  m_crPaintedBar = m_crBar;
  m_bPaintedLeftToRight = m_bLeftToRight;
  m_paintedHeights.clear();
  ForEachColumn(area, [this](int, int, int height) { m_paintedHeights.push_back(height); });
  m_bBarsPainted = 1;
}

bool COskelStaticHistogram::BarsLookAsPainted(const CRect& area) const {
  // (Not a number as the scale never matches: the whole control repaints.)
  return m_bBarsPainted && m_rcPaintedArea == area && m_dPaintedScale == m_dFullScale && m_crPaintedBar == m_crBar &&
         m_bPaintedLeftToRight == m_bLeftToRight;
}
