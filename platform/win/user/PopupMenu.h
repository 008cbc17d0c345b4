// A popup menu being tracked (TrackPopupMenu): a window of class
// "WavorelPopupMenu" owned by the menu's owner, shown without activation, that
// holds the mouse capture and takes the keyboard through a thread keyboard
// hook while its modal loop runs.
//
// The owner gets WM_INITMENUPOPUP for the menu (and for each submenu on the
// way to a chosen command), WM_MEASUREITEM for owner-drawn items not measured
// yet, WM_DRAWITEM for them when the menu paints (WM_PAINT, WM_PRINTCLIENT;
// the other items are drawn in the menu colours), and WM_MENUSELECT for
// the chosen item and on closing. TPM_NONOTIFY leaves out WM_INITMENUPOPUP and
// WM_MENUSELECT. The item under the mouse is highlighted (MFS_HILITE, drawn
// selected); the arrow keys move the highlight and Enter chooses it; a letter
// chooses the text item with that mnemonic, else the owner's WM_MENUCHAR
// answer (MNC_EXECUTE, MNC_SELECT) decides.
#pragma once

#include <vector>

#include "platform/win/user/Menu.h"
#include "platform/win/user/User.h"

namespace wavorel {

struct MenuItem;

struct ModalWindow;

class PopupMenu {
 public:
  static constexpr const char* kClassName = "WavorelPopupMenu";

  // TrackPopupMenu itself: the chosen command id, 0 when none was chosen.
  static UINT track(HMENU menu, UINT flags, int x, int y, HWND owner);

 private:
  PopupMenu(HMENU menu, UINT flags, HWND owner) : menu_(menu), flags_(flags), owner_(owner) {}
  static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK keyboardHook(int code, WPARAM wParam, LPARAM lParam);
  static bool registerClass();

  bool notify() const { return !(flags_ & TPM_NONOTIFY); }
  // WM_MEASUREITEM for the owner-drawn items of `menu` not measured yet.
  void measure(HMENU menu);
  // Item rectangles of the menu (client coordinates) and the window size.
  SIZE layout();
  void describe(HMENU menu, ModalWindow& window, int depth) const;
  // Chooses the command when it is an enabled item of the menu or its
  // submenus (opening the submenus on the way); false leaves the menu open.
  bool choose(UINT id);
  void drawItems(HDC dc);
  // The default look of an item that is not owner-drawn (PopupMenuPaint.cpp).
  void drawItem(HDC dc, const MenuItem& item, const RECT& rect) const;
  // The position of the item under a client point, -1 for none; the command
  // of an item (0 for a separator, a submenu or none) and of the item under a
  // point.
  int positionAt(POINT pt) const;
  UINT commandOf(int position) const;
  UINT commandAt(POINT pt) const;
  // Highlights the item at `position` alone (-1 or a separator: none).
  void hilite(int position);
  // Moves the highlight to the next (1) or previous (-1) item that is no
  // separator, wrapping.
  void step(int direction);
  // A letter or digit typed: the text item with that mnemonic is chosen, else
  // the owner's WM_MENUCHAR answer executes or selects an item.
  void typed(char key);
  void end(UINT command);

  HMENU menu_;
  UINT flags_;
  HWND owner_;
  HWND hwnd_ = nullptr;
  std::vector<RECT> rects_;  // one per item of the menu
  bool ended_ = false;
  UINT command_ = 0;
  int hot_ = -1;  // the highlighted position
};

}  // namespace wavorel
