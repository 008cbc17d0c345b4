// Loading bitmaps, icons and cursors; icons from bitmaps; icon drawing.
#include <map>
#include <mutex>
#include <string>
#include <tuple>

#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Paths.h"
#include "platform/win/kernel/Resources.h"
#include "platform/win/kernel/Root.h"
#include "platform/win/user/User.h"
#include "platform/win/gdi/DeviceContext.h"
#include "platform/win/gdi/Gdi.h"
#include "platform/win/gdi/ImageFile.h"
#include "platform/win/gdi/Images.h"
#include "platform/win/gdi/FileBytes.h"
#include "platform/win/gdi/StandardIcons.h"

using namespace wavorel::gdi;

namespace {

// An image file at a Windows path, read whole (null when it cannot be read).
std::unique_ptr<wavorel::FileBytes> readFile(LPCSTR path) {
  std::string linuxPath;
  if (!path || !*path || !wavorel::resolveWindowsPath(path, linuxPath)) return nullptr;
  auto file = std::make_unique<wavorel::FileBytes>(linuxPath);
  if (!file->ok()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
  }
  return file;
}

bool findResource(HINSTANCE instance, LPCSTR name, LPCSTR type, const BYTE*& data, DWORD& size) {
  if (!wavorel::findResourceFile(instance, type, name, data, size)) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return false;
  }
  return true;
}

HBITMAP insertBitmap(std::shared_ptr<Bitmap> bitmap) {
  if (!bitmap) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  return static_cast<HBITMAP>(insertGdiObject(std::move(bitmap)));
}

HICON finishIcon(std::shared_ptr<Icon> icon, int cx, int cy, UINT flags) {
  if (!icon) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  bool isIcon = icon->isIcon();
  if (!cx && (flags & LR_DEFAULTSIZE)) cx = GetSystemMetrics(isIcon ? SM_CXICON : SM_CXCURSOR);
  if (!cy && (flags & LR_DEFAULTSIZE)) cy = GetSystemMetrics(isIcon ? SM_CYICON : SM_CYCURSOR);
  if ((cx && cx != icon->width()) || (cy && cy != icon->height())) icon = icon->scaled(cx, cy);
  if (icon) icon->shared = (flags & LR_SHARED) != 0;
  return insertIcon(std::move(icon));
}

// Icons and cursors loaded from a module's resources with LR_SHARED: a later
// load of the same resource at the same size gets the same handle (DestroyIcon
// keeps such an icon, so the handle stays good).
class SharedImages {
 public:
  using Key = std::tuple<HINSTANCE, std::string, UINT, int, int, bool>;

  static Key keyOf(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT flags) {
    std::string id = IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name)) : name;
    return Key{instance, std::move(id), type, cx, cy, (flags & LR_DEFAULTSIZE) != 0};
  }
  // The handle of an earlier load that still names its icon, or null.
  HICON find(const Key& key) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = loaded_.find(key);
    if (it == loaded_.end()) return nullptr;
    if (iconFromHandle(it->second)) return it->second;
    loaded_.erase(it);
    return nullptr;
  }
  void remember(const Key& key, HICON icon) {
    std::lock_guard<std::mutex> lock(mutex_);
    loaded_[key] = icon;
  }
  void clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    loaded_.clear();
  }

 private:
  std::mutex mutex_;
  std::map<Key, HICON> loaded_;
};

SharedImages& sharedImages() {
  static SharedImages images;
  return images;
}

const bool g_sharedImagesReset = (wavorel::registerStateReset([] { sharedImages().clear(); }), true);

// Icons and cursors read from files: loads of the same file contents at one
// size share the decoded pixels. Each load still gets an icon and a handle of
// its own; the pixels never change once decoded (GetIconInfo hands out copies).
class IconFiles {
 public:
  using Key = std::tuple<std::string, int, int, UINT>;

  static Key keyOf(const wavorel::FileBytes& file, int cx, int cy, UINT flags) {
    return Key{std::string(reinterpret_cast<const char*>(file.data()), file.size()), cx, cy, flags & LR_DEFAULTSIZE};
  }
  // An icon of an earlier load still in use, or null.
  std::shared_ptr<Icon> find(const Key& key) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = loaded_.find(key);
    if (it == loaded_.end()) return nullptr;
    auto icon = it->second.lock();
    if (!icon) loaded_.erase(it);
    return icon;
  }
  void remember(Key key, const std::shared_ptr<Icon>& icon) {
    std::lock_guard<std::mutex> lock(mutex_);
    loaded_[std::move(key)] = icon;
  }
  void clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    loaded_.clear();
  }

 private:
  std::mutex mutex_;
  std::map<Key, std::weak_ptr<Icon>> loaded_;
};

IconFiles& iconFiles() {
  static IconFiles files;
  return files;
}

const bool g_iconFilesReset = (wavorel::registerStateReset([] { iconFiles().clear(); }), true);

HICON iconFromFile(LPCSTR path, int cx, int cy, UINT flags) {
  auto file = readFile(path);
  if (!file) return nullptr;
  IconFiles::Key key = IconFiles::keyOf(*file, cx, cy, flags);
  if (auto earlier = iconFiles().find(key)) {
    auto icon = std::make_shared<Icon>(*earlier);
    icon->shared = (flags & LR_SHARED) != 0;
    return insertIcon(std::move(icon));
  }
  HICON handle = finishIcon(decodeIconFile(file->data(), file->size(), cx, cy), cx, cy, flags);
  if (handle) iconFiles().remember(std::move(key), iconFromHandle(handle));
  return handle;
}

// Copies of a bitmap's pixels as a new bitmap of the same kind, or scaled.
std::shared_ptr<Bitmap> copyBitmap(const Bitmap& from, int cx, int cy, bool dib) {
  const Surface& s = from.surface();
  int w = cx > 0 ? cx : s.width(), h = cy > 0 ? cy : s.height();
  std::shared_ptr<Bitmap> to = dib ? Bitmap::makeDib(w, h, s.bpp(), s.bottomUp(), s.colours())
                                   : Bitmap::makeDdb(w, h, s.bpp() == 1 ? 1 : 32);
  if (!to) return nullptr;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int sx = static_cast<int>((2LL * x + 1) * s.width() / (2LL * w));
      int sy = static_cast<int>((2LL * y + 1) * s.height() / (2LL * h));
      if (to->surface().bpp() <= 8 && s.bpp() == to->surface().bpp()) to->surface().setIndex(x, y, s.index(sx, sy));
      else to->surface().set(x, y, s.get(sx, sy));
    }
  return to;
}

}  // namespace

HANDLE LoadImage(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT flags) {
  if (type > IMAGE_CURSOR || !name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::unique_ptr<wavorel::FileBytes> file;
  const BYTE* data = nullptr;
  DWORD size = 0;
  if ((flags & LR_LOADFROMFILE) && type != IMAGE_BITMAP) return iconFromFile(name, cx, cy, flags);
  if (flags & LR_LOADFROMFILE) {
    if (!(file = readFile(name))) return nullptr;
    data = file->data();
    size = static_cast<DWORD>(file->size());
  } else if (!instance && type != IMAGE_BITMAP) {
    return standardIcon(name, type == IMAGE_ICON);
  } else {
    LPCSTR kind = type == IMAGE_BITMAP ? RT_BITMAP : type == IMAGE_ICON ? RT_GROUP_ICON : RT_GROUP_CURSOR;
    if (!findResource(instance, name, kind, data, size)) return nullptr;
  }
  if (type == IMAGE_BITMAP) return insertBitmap(decodeBmp(data, size, (flags & LR_CREATEDIBSECTION) != 0));
  if (!(flags & LR_SHARED)) return finishIcon(decodeIconFile(data, size, cx, cy), cx, cy, flags);
  const SharedImages::Key key = SharedImages::keyOf(instance, name, type, cx, cy, flags);
  if (HICON loaded = sharedImages().find(key)) return loaded;
  HICON icon = finishIcon(decodeIconFile(data, size, cx, cy), cx, cy, flags);
  if (icon) sharedImages().remember(key, icon);
  return icon;
}

HBITMAP LoadBitmap(HINSTANCE instance, LPCSTR name) {
  if (!instance) instance = wavorel::programInstance();
  return static_cast<HBITMAP>(LoadImage(instance, name, IMAGE_BITMAP, 0, 0, 0));
}

HICON LoadIcon(HINSTANCE instance, LPCSTR name) {
  return static_cast<HICON>(LoadImage(instance, name, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

HCURSOR LoadCursor(HINSTANCE instance, LPCSTR name) {
  return static_cast<HCURSOR>(LoadImage(instance, name, IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

HCURSOR LoadCursorFromFile(LPCSTR path) { return iconFromFile(path, 0, 0, LR_DEFAULTSIZE); }

HICON ExtractIcon(HINSTANCE, LPCSTR path, UINT index) {
  auto file = readFile(path);
  if (!file) return nullptr;
  int count = iconFileImageCount(file->data(), file->size());
  if (count < 0) {
    // Programs and libraries hold no icons here; other files are no icon files.
    bool module = file->size() >= 2 && file->data()[0] == 'M' && file->data()[1] == 'Z';
    return module ? nullptr : reinterpret_cast<HICON>(static_cast<uintptr_t>(1));
  }
  if (index == static_cast<UINT>(-1)) return reinterpret_cast<HICON>(static_cast<uintptr_t>(1));
  if (index != 0) return nullptr;
  return finishIcon(decodeIconFile(file->data(), file->size(), 0, 0), 0, 0, LR_DEFAULTSIZE);
}

HICON CreateIconIndirect(PICONINFO info) {
  auto mask = info ? bitmapFromHandle(info->hbmMask) : nullptr;
  if (!mask) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto colourSource = info->hbmColor ? bitmapFromHandle(info->hbmColor) : nullptr;
  const Surface& m = mask->surface();
  // Without a colour bitmap the mask holds the AND rows over the XOR rows.
  int w = m.width(), h = colourSource ? m.height() : m.height() / 2;
  if (info->hbmColor && !colourSource) return nullptr;
  auto colour = Bitmap::makeDib(w, h, 32, false, {});
  auto andMask = Bitmap::makeDdb(w, h, 1);
  if (!colour || !andMask) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      andMask->surface().setIndex(x, y, m.get(x, y) & 0xFFFFFFu ? 1u : 0u);
      Pixel c = 0;
      if (colourSource) {
        const Surface& cs = colourSource->surface();
        c = cs.contains(x, y) ? cs.get(x, y) : 0;
      } else {
        c = m.get(x, y + h) & 0xFFFFFFu;
      }
      colour->surface().set(x, y, c);
    }
  POINT hot = info->fIcon ? POINT{w / 2, h / 2}
                          : POINT{static_cast<LONG>(info->xHotspot), static_cast<LONG>(info->yHotspot)};
  return insertIcon(std::make_shared<Icon>(info->fIcon != FALSE, hot, std::move(colour), std::move(andMask)));
}

BOOL GetIconInfo(HICON handle, PICONINFO info) {
  auto icon = iconFromHandle(handle);
  if (!icon || !info) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto colour = Bitmap::makeDdb(icon->width(), icon->height(), 32);
  auto mask = Bitmap::makeDdb(icon->width(), icon->height(), 1);
  for (int y = 0; y < icon->height(); ++y)
    for (int x = 0; x < icon->width(); ++x) {
      colour->surface().set(x, y, icon->colour().get(x, y));
      mask->surface().setIndex(x, y, icon->mask().index(x, y));
    }
  info->fIcon = icon->isIcon() ? TRUE : FALSE;
  info->xHotspot = static_cast<DWORD>(icon->hotSpot().x);
  info->yHotspot = static_cast<DWORD>(icon->hotSpot().y);
  info->hbmColor = static_cast<HBITMAP>(insertGdiObject(std::move(colour)));
  info->hbmMask = static_cast<HBITMAP>(insertGdiObject(std::move(mask)));
  return TRUE;
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON icon) {
  return DrawIconEx(hdc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
}

BOOL DrawIconEx(HDC hdc, int x, int y, HICON handle, int cx, int cy, UINT, HBRUSH flickerFree, UINT flags) {
  auto dc = dcFromHandle(hdc);
  auto icon = iconFromHandle(handle);
  if (!dc || !icon) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (cx == 0) cx = (flags & DI_DEFAULTSIZE) ? GetSystemMetrics(icon->isIcon() ? SM_CXICON : SM_CXCURSOR) : icon->width();
  if (cy == 0) cy = (flags & DI_DEFAULTSIZE) ? GetSystemMetrics(icon->isIcon() ? SM_CYICON : SM_CYCURSOR) : icon->height();
  POINT d = dc->toDevice(POINT{x, y});
  RECT r{d.x, d.y, d.x + cx, d.y + cy};
  // With a brush the area is filled first, as drawing through a buffer does.
  if (auto brush = flickerFree ? gdiObjectAs<Brush>(flickerFree) : nullptr) dc->paintRect(r, *brush, PATCOPY);
  drawIcon(*dc, *icon, r, flags);
  return TRUE;
}

BOOL DestroyIcon(HICON handle) {
  auto icon = iconFromHandle(handle);
  if (!icon) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!icon->shared) removeIcon(handle);
  return TRUE;
}

BOOL DestroyCursor(HCURSOR cursor) { return DestroyIcon(cursor); }

HICON CopyIcon(HICON handle) {
  auto icon = iconFromHandle(handle);
  if (!icon) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return insertIcon(icon->scaled(0, 0));
}

HANDLE CopyImage(HANDLE image, UINT type, int cx, int cy, UINT flags) {
  HANDLE result = nullptr;
  if (type == IMAGE_BITMAP) {
    auto bitmap = bitmapFromHandle(static_cast<HBITMAP>(image));
    if (!bitmap) return nullptr;
    bool dib = (flags & LR_CREATEDIBSECTION) || bitmap->isDib();
    result = insertBitmap(copyBitmap(*bitmap, cx, cy, dib));
    if (result && (flags & LR_COPYDELETEORG)) DeleteObject(image);
  } else if (type == IMAGE_ICON || type == IMAGE_CURSOR) {
    auto icon = iconFromHandle(static_cast<HICON>(image));
    if (!icon) return nullptr;
    result = insertIcon(icon->scaled(cx, cy));
    if (result && (flags & LR_COPYDELETEORG)) DestroyIcon(static_cast<HICON>(image));
  }
  if (!result) SetLastError(ERROR_INVALID_PARAMETER);
  return result;
}
