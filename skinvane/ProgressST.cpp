#include "skinvane/ProgressST.h"

#include <cstdlib>
#include <vector>

BEGIN_MESSAGE_MAP(CProgressST, CProgressCtrl)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

constexpr WORD kPaletteVersion = 0x300;
constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kInfoHeaderBytes = 40;

DWORD readU32(const BYTE* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<DWORD>(p[3]) << 24); }

// A logical palette of `count` entries filled by `entry(i)`.
template <class Entry>
bool makePalette(CPalette& palette, int count, Entry entry) {
  std::vector<BYTE> block(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * static_cast<size_t>(count));
  auto* logical = reinterpret_cast<LOGPALETTE*>(block.data());
  logical->palVersion = kPaletteVersion;
  logical->palNumEntries = static_cast<WORD>(count);
  for (int i = 0; i < count; ++i) logical->palPalEntry[i] = entry(i);
  return palette.CreatePalette(logical) != FALSE;
}

}  // namespace

CProgressST::CProgressST() {
  m_transparent = 0;
  m_owner = this;
}

CProgressST::~CProgressST() {
  m_barBitmap.DeleteObject();
  m_palette.DeleteObject();
}

void CProgressST::CreateBarPalette(const char* path) {
  m_palette.DeleteObject();
  CFile file;
  std::vector<BYTE> head(kFileHeaderBytes + kInfoHeaderBytes);
  if (!file.Open(path, CFile::modeRead)) return;
  if (file.Read(head.data(), static_cast<UINT>(head.size())) != head.size()) return;
  const BYTE* info = head.data() + kFileHeaderBytes;
  const DWORD headerBytes = readU32(info);
  const WORD bits = static_cast<WORD>(info[14] | (info[15] << 8));
  DWORD colours = readU32(info + 32);
  if (colours == 0 && bits <= 8) colours = 1u << bits;
  if (colours == 0 || colours > 256) {
    HDC screen = ::GetDC(nullptr);
    m_palette.Attach(::CreateHalftonePalette(screen));
    ::ReleaseDC(nullptr, screen);
    return;
  }
  std::vector<BYTE> table(colours * 4);
  file.Seek(static_cast<LONGLONG>(kFileHeaderBytes + headerBytes), CFile::begin);
  if (file.Read(table.data(), static_cast<UINT>(table.size())) != table.size()) return;
  makePalette(m_palette, static_cast<int>(colours), [&table](int i) {
    const BYTE* q = &table[static_cast<size_t>(i) * 4];
    return PALETTEENTRY{q[2], q[1], q[0], 0};
  });
}

int CProgressST::SetBitmap(const char* path, int repaint) {
  m_barBitmap.DeleteObject();
  m_palette.DeleteObject();
  m_barWidth = m_barHeight = 0;
  int result = 1;
  if (path && *path) {
    result = LoadBitmapFromFile(m_barBitmap, path);
    if (result) {
      BITMAP info = {};
      m_barBitmap.GetObject(sizeof(info), &info);
      m_barWidth = info.bmWidth;
      m_barHeight = info.bmHeight;
      CreateBarPalette(path);
    }
  }
  if (repaint == 1) Repaint();
  return result;
}

void CProgressST::Repaint() {
  if (!GetSafeHwnd()) return;
  EraseBkgnd();
  Invalidate();
}

void CProgressST::SetRange(int lower, int upper) {
  m_min = lower;
  m_max = upper;
  m_range = std::abs(upper - lower);
  if (m_range == 0) m_range = 1;
  SendMessage(PBM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(lower), static_cast<WORD>(upper)));
  Repaint();
}

int CProgressST::SetStep(int step) {
  m_step = step;
  const int answer = static_cast<int>(SendMessage(PBM_SETSTEP, static_cast<WPARAM>(step)));
  Repaint();
  return answer;
}

int CProgressST::SetPos(int pos) {
  if (pos < m_min) pos = m_min;
  if (pos > m_max) pos = m_max;
  m_pos = pos;
  const int answer = static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(pos)));
  Repaint();
  return answer;
}

int CProgressST::StepIt() {
  m_pos += m_step;
  if (m_pos > m_max) m_pos = m_pos + m_min - m_max;
  const int answer = static_cast<int>(SendMessage(PBM_STEPIT));
  Repaint();
  return answer;
}

void CProgressST::DeflateRect(int left, int top, int right, int bottom) {
  m_marginLeft = left;
  m_marginTop = top;
  m_marginRight = right;
  m_marginBottom = bottom;
}

void CProgressST::OnPaint() {
  if (!m_barBitmap.GetSafeHandle()) {
    Default();
    return;
  }
  CPaintDC dc(this);
  CRect area;
  GetClientRect(&area);
  area.DeflateRect(m_marginLeft, m_marginTop, m_marginRight, m_marginBottom);
  const int percent = (m_pos - m_min) * 100 / m_range;
  int right = area.left + area.Width() * percent / 100;
  if (right > area.right) right = area.right - 1;
  const int width = right - area.left;
  const int height = area.Height();
  if (width <= 0 || height <= 0 || m_barWidth <= 0 || m_barHeight <= 0) return;

  if ((dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) && m_palette.GetSafeHandle()) {
    dc.SelectPalette(&m_palette, FALSE);
    dc.RealizePalette();
  }
  CDC part;
  CDC tile;
  CBitmap partBitmap;
  part.CreateCompatibleDC(&dc);
  tile.CreateCompatibleDC(&dc);
  partBitmap.CreateCompatibleBitmap(&dc, width, height);
  CBitmap* oldPart = part.SelectObject(&partBitmap);
  CBitmap* oldTile = tile.SelectObject(&m_barBitmap);
  const int columns = (width + m_barWidth - 1) / m_barWidth;
  const int rows = (height + m_barHeight - 1) / m_barHeight;
  for (int row = 0; row < rows; ++row)
    for (int column = 0; column < columns; ++column)
      part.BitBlt(column * m_barWidth, row * m_barHeight, m_barWidth, m_barHeight, &tile, 0, 0, SRCCOPY);
  dc.BitBlt(area.left, area.top, width, height, &part, 0, 0, SRCCOPY);
  tile.SelectObject(oldTile);
  part.SelectObject(oldPart);
}

BOOL CProgressST::OnEraseBkgnd(CDC* dc) {
  if (m_bkBitmap.GetSafeHandle()) {
    CRect client;
    GetClientRect(&client);
    DrawBitmap(m_bkBitmap, dc, client, 1);
    return TRUE;
  }
  if (m_transparent) return TRUE;
  return static_cast<BOOL>(Default());
}
