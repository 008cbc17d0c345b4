// A popup menu being tracked (TrackPopupMenu): one window of class
// "WavorelPopupMenu" for the menu and one for each submenu opened from it,
// owned by the menu's owner and shown without activation. The first window
// holds the mouse capture and a thread keyboard hook hands it the keys while
// the modal loop runs.
//
// What a person does:
// - the mouse: the item under the pointer is highlighted (an item that opens
//   a submenu opens it beside itself); a button release on an enabled command
//   chooses it (the right button only with TPM_RIGHTBUTTON); a press outside
//   every menu window ends the menu without a choice; the wheel scrolls.
// - the keyboard: Up and Down move the highlight (round the ends, over
//   separators), Home and End; Right opens the highlighted submenu, Left
//   closes the innermost one; Enter chooses (or opens) the highlighted item;
//   Escape closes the innermost submenu, at the top ends the menu; Alt ends
//   it; a character chooses the item whose mnemonic (& in its text) it is, or
//   moves between items that share it; where no item has it, the owner's
//   WM_MENUCHAR answer executes, selects or closes.
// - a menu taller than the screen shows scroll arrows at its top and bottom;
//   resting the pointer on one scrolls, and the keyboard scrolls the
//   highlighted item into view.
//
// The owner gets WM_INITMENUPOPUP for the menu and for each submenu as it
// opens, WM_MEASUREITEM for owner-drawn items not measured yet, WM_DRAWITEM
// for them when the menu paints (WM_PAINT, WM_PRINTCLIENT; the other items
// are drawn in the menu colours), and WM_MENUSELECT when the highlight moves,
// for the chosen item and on closing. TPM_NONOTIFY leaves out
// WM_INITMENUPOPUP and WM_MENUSELECT.
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
  // One open menu window: the menu, its items' rectangles (in the menu's
  // content, before scrolling) and what is highlighted and scrolled.
  struct Level {
    HMENU menu = nullptr;
    HWND hwnd = nullptr;
    std::vector<RECT> rects;
    LONG contentHeight = 0;
    LONG rowHeight = 0;   // of a text item: the step of scrolling
    LONG viewHeight = 0;  // the client height
    LONG scroll = 0;      // content pixels scrolled out at the top
    bool scrolls = false;  // taller than the screen: scroll arrows shown
    int hot = -1;
    int scrolling = 0;  // -1 or 1 while the pointer rests on a scroll arrow
  };

  static constexpr LONG kGutter = 16;       // room for the check mark, and for the submenu arrow
  static constexpr LONG kArrowHeight = 16;  // a scroll arrow's band

  PopupMenu(UINT flags, HWND owner);
  ~PopupMenu();
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;
  static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK keyboardHook(int code, WPARAM wParam, LPARAM lParam);
  static bool registerClass();

  bool notify() const { return !(flags_ & TPM_NONOTIFY); }
  // WM_MEASUREITEM for the owner-drawn items of `menu` not measured yet.
  void measure(HMENU menu);
  // Lays the items out; the content size.
  SIZE layout(Level& level) const;
  // Opens `menu` as the next level: the top level at `at` as the TPM_ flags
  // ask, a submenu beside `beside` (screen coordinates of its item).
  bool open(HMENU menu, POINT at, const RECT* beside);
  // Closes the levels from `depth` on.
  void closeFrom(size_t depth);
  void describe(HMENU menu, ModalWindow& window, int depth) const;
  // Chooses the command when it is an enabled item of the menu or its
  // submenus (opening the submenus on the way); false leaves the menu open.
  bool choose(UINT id);
  void end(UINT command);

  // Input.
  int levelOf(HWND hwnd) const;
  // The level whose window is under `screen`, -1 for none.
  int levelAt(POINT screen) const;
  // The item of `level` under a client point, -1 for none (or a scroll arrow).
  int itemAt(const Level& level, POINT client) const;
  // The item's rectangle in the level's client area.
  RECT itemRect(const Level& level, int index) const;
  void setHot(size_t depth, int index);
  void scrollBy(size_t depth, LONG pixels);
  void mouseMove(POINT screen);
  void buttonDown(POINT screen);
  void buttonUp(POINT screen);
  void wheel(POINT screen, int delta);
  void keyDown(WPARAM key);
  void character(char ch);
  // The highlighted item's action: a command is chosen, a submenu opens
  // (with its first item highlighted when `fromKeyboard`).
  void activate(size_t depth, int index, bool fromKeyboard);
  // The next item of the innermost level from `from` in direction `step`
  // that the keyboard stops at (not a separator); -1 when there is none.
  int nextItem(const Level& level, int from, int step) const;

  // Painting (PopupMenuPaint.cpp).
  void paint(HDC dc, const Level& level);
  // The default look of an item that is not owner-drawn.
  void drawItem(HDC dc, const MenuItem& item, const RECT& rect, bool hot) const;
  void drawScrollArrows(HDC dc, const Level& level) const;
  // The font of an item's text: the menu font, bold for the default item.
  HGDIOBJ itemFont(const MenuItem& item) const;

  UINT flags_;
  HWND owner_;
  HFONT boldFont_ = nullptr;  // owned
  std::vector<Level> levels_;
  bool ended_ = false;
  UINT command_ = 0;
};

}  // namespace wavorel
