#include "widgets/CeXDib.h"

#include <cstring>
#include <new>

WORD CCeXDib::ColourCount(WORD bitCount) {
  switch (bitCount) {
    case 1:
      return 2;
    case 4:
      return 16;
    case 8:
      return 256;
    default:
      return 0;
  }
}

CCeXDib::~CCeXDib() { Release(); }

void CCeXDib::Release() {
  if (m_hMemDC) DeleteDC(m_hMemDC);
  if (m_hSection) DeleteObject(m_hSection);
  m_block.reset();
  m_pixels.reset();
  m_hMemDC = nullptr;
  m_hSection = nullptr;
  m_pSectionBits = nullptr;
  m_header = BITMAPINFOHEADER{};
  m_stride = 0;
  m_colours = 0;
}

BYTE* CCeXDib::Create(DWORD width, DWORD height, WORD bitCount) {
  Release();
  const uint64_t stride = ((static_cast<uint64_t>(bitCount) * width + 31) / 32) * 4;
  const uint64_t image = stride * height;
  const WORD colours = ColourCount(bitCount);
  const uint64_t head = sizeof(BITMAPINFOHEADER) + 4u * colours;
  // The header's fields are 32 bits wide: a picture they cannot describe stays empty.
  if (image > 0xFFFFFFFFu || head + image > 0xFFFFFFFFu || width > 0x7FFFFFFFu || height > 0x7FFFFFFFu)
    return nullptr;
  std::unique_ptr<BYTE[]> block(new (std::nothrow) BYTE[static_cast<size_t>(head)]);
  std::shared_ptr<BYTE[]> pixels(new (std::nothrow) BYTE[image ? static_cast<size_t>(image) : 1]);
  if (!block || !pixels) return nullptr;
  m_block = std::move(block);
  m_pixels = std::move(pixels);
  m_stride = static_cast<DWORD>(stride);
  m_colours = colours;
  m_header.biSize = sizeof(BITMAPINFOHEADER);
  m_header.biWidth = static_cast<LONG>(width);
  m_header.biHeight = static_cast<LONG>(height);
  m_header.biPlanes = 1;
  m_header.biBitCount = bitCount;
  m_header.biCompression = BI_RGB;
  m_header.biSizeImage = static_cast<DWORD>(image);
  memcpy(m_block.get(), &m_header, sizeof m_header);
  return m_block.get();
}

void CCeXDib::CopyFrom(const CCeXDib& source) {
  if (&source == this) return;
  Release();
  if (!source.m_block) return;
  const size_t head = source.m_header.biSize + source.GetColorTableSize();
  m_block.reset(new (std::nothrow) BYTE[head]);
  if (!m_block) return;
  memcpy(m_block.get(), source.m_block.get(), head);
  m_pixels = source.m_pixels;
  m_header = source.m_header;
  m_stride = source.m_stride;
  m_colours = source.m_colours;
}

bool CCeXDib::OwnPixels() {
  if (!m_block) return false;
  if (m_pixels.use_count() == 1) return true;
  std::shared_ptr<BYTE[]> own(new (std::nothrow) BYTE[m_header.biSizeImage ? m_header.biSizeImage : 1]);
  if (!own) return false;
  memcpy(own.get(), m_pixels.get(), m_header.biSizeImage);
  m_pixels = std::move(own);
  return true;
}

RGBQUAD* CCeXDib::ColorTable() const {
  return m_block ? reinterpret_cast<RGBQUAD*>(m_block.get() + m_header.biSize) : nullptr;
}

BYTE* CCeXDib::GetBits() { return OwnPixels() ? m_pixels.get() : nullptr; }

const BYTE* CCeXDib::GetBits() const { return m_block ? m_pixels.get() : nullptr; }

void CCeXDib::SetColorEntry(BYTE index, BYTE red, BYTE green, BYTE blue) {
  if (!m_block || m_colours == 0 || index >= m_colours) return;
  ColorTable()[index] = RGBQUAD{blue, green, red, 0};
}

COLORREF CCeXDib::GetColorEntry(BYTE index) const {
  if (!m_block || index >= m_colours) return 0;
  const RGBQUAD& entry = ColorTable()[index];
  return RGB(entry.rgbRed, entry.rgbGreen, entry.rgbBlue);
}

void CCeXDib::SetPixelIndex(int x, int y, BYTE value) {
  if (!m_block || m_colours == 0 || x < 0 || y < 0 || x >= m_header.biWidth || y >= m_header.biHeight) return;
  if (!OwnPixels()) return;
  m_pixels[static_cast<size_t>(m_header.biHeight - y - 1) * m_stride + static_cast<size_t>(x)] = value;
}

BYTE CCeXDib::GetPixelIndex(int x, int y) const {
  if (!m_block || m_colours == 0 || x < 0 || y < 0 || x >= m_header.biWidth || y >= m_header.biHeight) return 0;
  return m_pixels[static_cast<size_t>(m_header.biHeight - y - 1) * m_stride + static_cast<size_t>(x)];
}

void CCeXDib::Fill(BYTE value) {
  if (OwnPixels()) memset(m_pixels.get(), value, m_header.biSizeImage);
}

void CCeXDib::TintPalette(COLORREF colour, UINT percent) {
  if (!m_block || m_colours == 0) return;
  const UINT p = percent > 100 ? 100 : percent;
  RGBQUAD* table = ColorTable();
  for (WORD i = 0; i < m_colours; ++i) {
    RGBQUAD& e = table[i];
    e.rgbRed = static_cast<BYTE>((e.rgbRed * (100 - p) + GetRValue(colour) * p) / 100);
    e.rgbGreen = static_cast<BYTE>((e.rgbGreen * (100 - p) + GetGValue(colour) * p) / 100);
    e.rgbBlue = static_cast<BYTE>((e.rgbBlue * (100 - p) + GetBValue(colour) * p) / 100);
  }
}

void CCeXDib::Draw(HDC target, int x, int y) {
  if (!m_hSection) {
    if (!m_block) return;
    m_hSection = CreateDIBSection(target, reinterpret_cast<const BITMAPINFO*>(m_block.get()), DIB_RGB_COLORS,
                                  &m_pSectionBits, nullptr, 0);
    if (!m_hSection) return;
    if (!m_pSectionBits) {
      DeleteObject(m_hSection);
      m_hSection = nullptr;
      return;
    }
  }
  memcpy(m_pSectionBits, m_pixels.get(), m_header.biSizeImage);
  if (!m_hMemDC) {
    m_hMemDC = CreateCompatibleDC(target);
    if (!m_hMemDC) return;
  }
  HGDIOBJ old = SelectObject(m_hMemDC, m_hSection);
  BitBlt(target, x, y, m_header.biWidth, m_header.biHeight, m_hMemDC, 0, 0, SRCCOPY);
  SelectObject(m_hMemDC, old);
}
