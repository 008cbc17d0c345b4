#include "skinvane/PolygonDialog.h"

#include <cstring>

namespace {

constexpr DWORD kRectsPerStep = 100;
constexpr DWORD kRectsPerRegion = 2000;

// Rectangles of one region in a movable global block laid out as RGNDATA,
// growing by 100 rectangles when full.
class RegionData {
 public:
  RegionData() { allocate(kRectsPerStep); reset(); }
  ~RegionData() { if (memory_) GlobalFree(memory_); }
  RegionData(const RegionData&) = delete;
  RegionData& operator=(const RegionData&) = delete;

  bool valid() const { return memory_ != nullptr; }

  void add(int left, int top, int right, int bottom) {
    if (header().nCount == capacity_ && !allocate(capacity_ + kRectsPerStep)) return;
    RGNDATAHEADER& h = header();
    RECT* rects = reinterpret_cast<RECT*>(data()->Buffer);
    rects[h.nCount] = RECT{left, top, right, bottom};
    ++h.nCount;
    if (left < h.rcBound.left) h.rcBound.left = left;
    if (top < h.rcBound.top) h.rcBound.top = top;
    if (right > h.rcBound.right) h.rcBound.right = right;
    if (bottom > h.rcBound.bottom) h.rcBound.bottom = bottom;
  }
  DWORD count() { return header().nCount; }

  // Turns the rectangles into a region ORed into `result` (the first one
  // becomes it), then starts a new batch.
  void flushInto(HRGN& result) {
    HRGN part = ExtCreateRegion(nullptr, sizeof(RGNDATAHEADER) + count() * sizeof(RECT), data());
    if (part) {
      if (result) {
        CombineRgn(result, result, part, RGN_OR);
        DeleteObject(part);
      } else {
        result = part;
      }
    }
    reset();
  }

 private:
  RGNDATA* data() { return static_cast<RGNDATA*>(locked_); }
  RGNDATAHEADER& header() { return data()->rdh; }

  void reset() {
    RGNDATAHEADER& h = header();
    h.dwSize = sizeof(RGNDATAHEADER);
    h.iType = RDH_RECTANGLES;
    h.nCount = 0;
    h.nRgnSize = 0;
    h.rcBound = RECT{0x7FFFFFFF, 0x7FFFFFFF, 0, 0};
  }

  bool allocate(DWORD rects) {
    const SIZE_T bytes = sizeof(RGNDATAHEADER) + rects * sizeof(RECT);
    HGLOBAL grown = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!grown) return false;
    void* target = GlobalLock(grown);
    if (memory_) {
      std::memcpy(target, locked_, sizeof(RGNDATAHEADER) + capacity_ * sizeof(RECT));
      GlobalUnlock(memory_);
      GlobalFree(memory_);
    }
    memory_ = grown;
    locked_ = target;
    capacity_ = rects;
    return true;
  }

  HGLOBAL memory_ = nullptr;
  void* locked_ = nullptr;
  DWORD capacity_ = 0;
};

// The blue, green and red bytes of a 32-bit DIB pixel as one word (alpha
// left out), and the key colour the same way.
DWORD pixelColour(const BYTE* bgra) {
  DWORD value;
  std::memcpy(&value, bgra, sizeof value);
  return value & 0x00FFFFFFu;
}

DWORD keyColour(COLORREF key) {
  return static_cast<DWORD>(GetBValue(key)) | static_cast<DWORD>(GetGValue(key)) << 8 |
         static_cast<DWORD>(GetRValue(key)) << 16;
}

// The first column from `x` on whose pixel stops a run (`width` when none):
// a pixel of the key colour when `stopOnKey`, any other pixel otherwise.
int runEnd(const BYTE* row, int x, int width, DWORD key, bool stopOnKey) {
  if (stopOnKey) {
    while (x < width && pixelColour(row + 4 * x) != key) ++x;
  } else {
    while (x < width && pixelColour(row + 4 * x) == key) ++x;
  }
  return x;
}

}  // namespace

BEGIN_MESSAGE_MAP(CPolygonDialog, CDialog)
  ON_WM_CREATE()
  ON_WM_PAINT()
  ON_WM_MOUSEMOVE()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CPolygonDialog::CPolygonDialog() = default;

CPolygonDialog::CPolygonDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

CPolygonDialog::CPolygonDialog(const char* templateName, CWnd* parent) : CDialog(templateName, parent) {}

CPolygonDialog::~CPolygonDialog() { ReleaseSkin(); }

BOOL CPolygonDialog::Create(UINT templateId, CWnd* parent) { return CDialog::Create(MAKEINTRESOURCE(templateId), parent); }

int CPolygonDialog::SetRegionFile(const CString& path, COLORREF key) {
  m_regionFile = path;
  m_keyColor = key;
  return 1;
}

CSize CPolygonDialog::GetBigmapSize() const {
  if (!m_skinBitmap) return CSize(0, 0);
  return CSize(m_bitmapInfo.bmWidth, m_bitmapInfo.bmHeight);
}

void CPolygonDialog::MakeSureRect(RECT* rect) const {
  if (rect == nullptr) return;
  const CSize size = GetBigmapSize();
  rect->right = rect->left + size.cx;
  rect->bottom = rect->top + size.cy;
}

void CPolygonDialog::GetClientRect(RECT* rect) const {
  if (rect == nullptr) return;
  CDialog::GetClientRect(rect);
  MakeSureRect(rect);
}

void CPolygonDialog::GetWindowRect(RECT* rect) const {
  if (rect == nullptr) return;
  CDialog::GetWindowRect(rect);
  MakeSureRect(rect);
}

BOOL CPolygonDialog::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style &= ~(WS_CAPTION | WS_SYSMENU);
  return CDialog::PreCreateWindow(cs);
}

void CPolygonDialog::DoDataExchange(CDataExchange*) {}

void CPolygonDialog::Paint(CDC*) {}

HRGN CPolygonDialog::BitmapRegion(HBITMAP bitmap, COLORREF key, int inside) {
  BITMAP info = {};
  if (!bitmap || !GetObject(bitmap, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return nullptr;
  const int width = info.bmWidth;
  const int height = info.bmHeight;

  HDC memory = CreateCompatibleDC(nullptr);
  if (!memory) return nullptr;
  BITMAPINFO copyInfo = {};
  copyInfo.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  copyInfo.bmiHeader.biWidth = width;
  copyInfo.bmiHeader.biHeight = height;  // bottom-up rows
  copyInfo.bmiHeader.biPlanes = 1;
  copyInfo.bmiHeader.biBitCount = 32;
  copyInfo.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP copy = CreateDIBSection(memory, &copyInfo, DIB_RGB_COLORS, &bits, nullptr, 0);
  HRGN result = nullptr;
  if (copy && bits) {
    HGDIOBJ oldCopy = SelectObject(memory, copy);
    HDC source = CreateCompatibleDC(memory);
    HGDIOBJ oldSource = source ? SelectObject(source, bitmap) : nullptr;
    if (source) BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);

    const int stride = (width * 32 / 8 + 3) & ~3;
    const DWORD keyValue = keyColour(key);
    const bool stopOnKey = inside != 0;
    RegionData rects;
    for (int y = 0; rects.valid() && y < height; ++y) {
      const BYTE* row = static_cast<const BYTE*>(bits) + static_cast<size_t>(height - 1 - y) * stride;
      for (int x = 0; x < width; ++x) {
        const int start = x;
        x = runEnd(row, x, width, keyValue, stopOnKey);
        if (x > start) {
          rects.add(start, y, x, y + 1);
          if (rects.count() == kRectsPerRegion) rects.flushInto(result);
        }
      }
    }
    if (rects.valid() && rects.count() > 0) rects.flushInto(result);

    if (source) {
      SelectObject(source, oldSource);
      DeleteDC(source);
    }
    SelectObject(memory, oldCopy);
  }
  if (copy) DeleteObject(copy);
  DeleteDC(memory);
  return result;
}

int CPolygonDialog::OnCreate(LPCREATESTRUCT createStruct) {
  if (CDialog::OnCreate(createStruct) == -1) return -1;
  if (m_regionFile.IsEmpty()) return 0;
  m_skinBitmap = static_cast<HBITMAP>(
      LoadImage(nullptr, m_regionFile, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (!m_skinBitmap) return 0;
  m_windowRegion = BitmapRegion(m_skinBitmap, m_keyColor, 1);
  if (m_windowRegion) SetWindowRgn(m_windowRegion, TRUE);
  GetObject(m_skinBitmap, sizeof(m_bitmapInfo), &m_bitmapInfo);
  HDC screen = ::GetDC(nullptr);
  m_memoryDC = CreateCompatibleDC(screen);
  ::ReleaseDC(nullptr, screen);
  if (m_memoryDC) m_previousBitmap = SelectObject(m_memoryDC, m_skinBitmap);
  return 0;
}

void CPolygonDialog::OnPaint() {
  CPaintDC dc(this);
  if (m_memoryDC) BitBlt(dc.GetSafeHdc(), 0, 0, m_bitmapInfo.bmWidth, m_bitmapInfo.bmHeight, m_memoryDC, 0, 0, SRCCOPY);
  Paint(&dc);
}

void CPolygonDialog::OnMouseMove(UINT flags, CPoint point) {
  if (GetSafeHwnd() && m_drag && flags == MK_LBUTTON) {
    ReleaseCapture();
    SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, 0);
  }
  CDialog::OnMouseMove(flags, point);
}

void CPolygonDialog::OnDestroy() {
  ReleaseCapture();
  CDialog::OnDestroy();
  ReleaseSkin();
}

void CPolygonDialog::ReleaseSkin() {
  if (m_memoryDC) {
    SelectObject(m_memoryDC, m_previousBitmap);
    DeleteDC(m_memoryDC);
    m_memoryDC = nullptr;
    m_previousBitmap = nullptr;
  }
  if (m_skinBitmap) {
    DeleteObject(m_skinBitmap);
    m_skinBitmap = nullptr;
  }
  m_windowRegion = nullptr;  // the window owns it
}
