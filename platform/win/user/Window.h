// One window: its class and procedure, styles, place in the tree, rectangle,
// text, properties, extra bytes, paint state and owning thread.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/win/user/ClassRegistry.h"
#include "platform/win/gdi/Region.h"
#include "platform/win/user/User.h"

namespace wavorel {

class MessageQueue;

// What SetLayeredWindowAttributes kept for a WS_EX_LAYERED window.
struct LayeredAttributes {
  bool set = false;
  COLORREF key = 0;
  BYTE alpha = 255;
  DWORD flags = 0;  // LWA_COLORKEY, LWA_ALPHA
};

class Window {
 public:
  enum class Life { Creating, Alive, Destroying, Destroyed };

  HWND hwnd = nullptr;
  std::shared_ptr<WindowClass> cls;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  HINSTANCE instance = nullptr;
  UINT_PTR id = 0;         // control id of a child, menu handle of a top-level window
  HWND parent = nullptr;   // the desktop window for top-level windows
  HWND owner = nullptr;
  std::vector<HWND> children;  // top of the z-order first
  RECT rect{0, 0, 0, 0};       // in the parent's client coordinates (screen for top-level windows)
  RECT normalRect{0, 0, 0, 0}; // the restored rectangle while minimized or maximized
  std::string text;
  std::vector<std::pair<std::string, HANDLE>> props;
  LONG_PTR userData = 0;
  std::vector<BYTE> extra;
  void* object = nullptr;
  Region update;               // client coordinates
  bool erase = false;
  bool internalPaint = false;
  HRGN region = nullptr;       // window region, window coordinates; owned by the window
  HICON icons[2] = {nullptr, nullptr};  // WM_SETICON: ICON_SMALL, ICON_BIG
  LayeredAttributes layered;
  std::shared_ptr<MessageQueue> queue;
  DWORD threadId = 0;
  std::atomic<Life> life{Life::Creating};  // read by posting threads
  bool modalEnded = false;
  INT_PTR modalResult = 0;

  bool isChild() const { return (style & WS_CHILD) != 0; }
  bool alive() const { return life != Life::Destroyed; }
  LONG width() const { return rect.right - rect.left; }
  LONG height() const { return rect.bottom - rect.top; }
  // The frame around the client area as {left, top, right, bottom} thicknesses:
  // WS_THICKFRAME 4, WS_DLGFRAME or WS_EX_DLGMODALFRAME 3, WS_BORDER 1 pixel;
  // WS_EX_CLIENTEDGE adds 2 and WS_EX_STATICEDGE 1; a caption (WS_CAPTION)
  // adds the caption height (the small one for tool windows) at the top.
  RECT frame() const;
  // {0, 0, client width, client height}.
  RECT clientRect() const;
  bool needsPaint() const { return !update.empty() || internalPaint; }
  HANDLE* findProp(const std::string& name);
};

}  // namespace wavorel
