// The common part of the standard controls: each control window owns one
// Control object, made at WM_NCCREATE and dropped after WM_NCDESTROY (or when
// the window system is reset), that answers the window's messages. Objects are
// found by window handle, so a control keeps working when a class library
// subclasses its window.
#pragma once

#include <memory>
#include <string>

#include "platform/win/user/User.h"
#include "platform/win/controls/ControlConstants.h"

namespace wavorel {

class Control {
 public:
  explicit Control(HWND hwnd) : hwnd_(hwnd) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  virtual LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) = 0;
  // The WM_CTLCOLOR* message the control sends its parent before painting.
  virtual UINT colorMessage() const = 0;

  HWND hwnd() const { return hwnd_; }
  // WM_SETFONT / WM_GETFONT, answered for every control: the font is kept
  // (null: the default font), fontChanged() told and, when asked, the control
  // redrawn; WM_GETFONT gives the font kept.
  LRESULT fontMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  HFONT font() const { return font_; }

 protected:
  // Controls whose geometry follows the font recompute it here.
  virtual void fontChanged() {}
  // Text in the control's font, or DEFAULT_GUI_FONT while it has none: the
  // width of a single line and the height of a line (tmHeight).
  int textWidth(const std::string& text) const;
  int fontHeight() const;
  DWORD style() const { return static_cast<DWORD>(GetWindowLong(hwnd_, GWL_STYLE)); }
  void setStyle(DWORD style) const { SetWindowLong(hwnd_, GWL_STYLE, static_cast<LONG>(style)); }
  UINT id() const { return static_cast<UINT>(GetDlgCtrlID(hwnd_)); }
  HWND parent() const { return GetParent(hwnd_); }
  // WM_COMMAND with the control's id and `code` to the parent.
  void notify(UINT code) const;
  LRESULT sendParent(UINT msg, WPARAM wParam, LPARAM lParam) const;
  LRESULT byDefault(UINT msg, WPARAM wParam, LPARAM lParam) const { return DefWindowProc(hwnd_, msg, wParam, lParam); }
  void redraw() const { InvalidateRect(hwnd_, nullptr, TRUE); }
  // WM_DRAWITEM to the parent for the whole control or one item.
  void drawItem(UINT ctlType, HDC dc, UINT itemId, UINT state, ULONG_PTR itemData, const RECT& rect) const;

 private:
  HWND hwnd_;
  HFONT font_ = nullptr;
};

// Keeps `control` as the object of its window.
void adoptControl(std::shared_ptr<Control> control);
// The object of a control window, or null.
std::shared_ptr<Control> controlOf(HWND hwnd);
// Hands a message to the window's object (DefWindowProc when it has none) and
// drops the object after WM_NCDESTROY.
LRESULT dispatchToControl(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The window procedure of a control class.
template <class T>
LRESULT CALLBACK controlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) adoptControl(std::make_shared<T>(hwnd));
  return dispatchToControl(hwnd, msg, wParam, lParam);
}

// Asks the control's parent for the brush to paint `control` with, by the
// control's WM_CTLCOLOR* message (wParam the DC, lParam the control). Null
// when `control` is not a standard control or its parent leaves the colours to
// the defaults.
HBRUSH controlColorBrush(HWND control, HDC dc);

}  // namespace wavorel
