// CCeXDib: a device-independent bitmap: a block laid out as the head of a
// packed DIB (BITMAPINFOHEADER, colour table) and the pixel rows bottom-up.
// A copy shares the pixel rows of its source until either of them changes
// its pixels (copies that differ by their colour tables cost one table
// each). Drawing copies the pixels into a DIB section kept, with its memory
// DC, between draws. An empty picture (never created, or its block could not
// be had) ignores every change and draws nothing.
#pragma once

#include <memory>

#include "platform/Platform.h"

class CCeXDib {
 public:
  CCeXDib() = default;
  virtual ~CCeXDib();
  CCeXDib(const CCeXDib&) = delete;
  CCeXDib& operator=(const CCeXDib&) = delete;

  // Releases first; the colour table and pixels are left unset. Null (an empty
  // picture) when the block cannot be had, or its size does not fit 32 bits.
  BYTE* Create(DWORD width, DWORD height, WORD bitCount);
  // Colour-table entries of a bit count: 2, 16 or 256 for 1, 4 or 8 bits, else 0.
  static WORD ColourCount(WORD bitCount);
  void CopyFrom(const CCeXDib& source);
  void Release();

  void SetColorEntry(BYTE index, BYTE red, BYTE green, BYTE blue);
  // (x, y) with y from the top.
  void SetPixelIndex(int x, int y, BYTE value);
  void Fill(BYTE value);
  // Moves every colour-table entry `percent` (at most 100) towards `colour`.
  void TintPalette(COLORREF colour, UINT percent);
  void Draw(HDC target, int x, int y);

  // The pixel rows: writable ones are this picture's own.
  BYTE* GetBits();
  const BYTE* GetBits() const;
  DWORD GetWidth() const { return static_cast<DWORD>(m_header.biWidth); }
  DWORD GetHeight() const { return static_cast<DWORD>(m_header.biHeight); }
  DWORD GetStride() const { return m_stride; }
  WORD GetBitCount() const { return m_header.biBitCount; }
  DWORD GetColorTableSize() const { return 4u * m_colours; }
  DWORD GetTotalSize() const { return m_header.biSize + GetColorTableSize() + m_header.biSizeImage; }
  bool IsEmpty() const { return !m_block; }
  // Whether the pixel rows are shared with a copy.
  bool SharesPixels() const { return m_pixels && m_pixels.use_count() > 1; }
  // The colour-table entry (RGB) at `index`; 0 when there is none.
  COLORREF GetColorEntry(BYTE index) const;
  // The pixel value at (x, y) from the top; 0 outside.
  BYTE GetPixelIndex(int x, int y) const;

 private:
  RGBQUAD* ColorTable() const;
  // Gives the picture pixel rows of its own before they change.
  bool OwnPixels();

  std::unique_ptr<BYTE[]> m_block;  // header and colour table
  std::shared_ptr<BYTE[]> m_pixels;
  BITMAPINFOHEADER m_header{};
  DWORD m_stride = 0;
  WORD m_colours = 0;
  HBITMAP m_hSection = nullptr;
  HDC m_hMemDC = nullptr;
  void* m_pSectionBits = nullptr;
};
