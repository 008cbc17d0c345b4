#include "platform/win/commctrl/ToolTipControl.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "platform/win/user/Input.h"
#include "platform/win/user/Paint.h"
#include "platform/win/kernel/Resources.h"
#include "platform/win/commctrl/Notify.h"

namespace wavorel {

namespace {

constexpr int kDefaultDelays[4] = {ToolTipControl::kDefaultInitial, ToolTipControl::kDefaultInitial / 5,
                                   ToolTipControl::kDefaultInitial * 10, ToolTipControl::kDefaultInitial};
constexpr int kTipHeight = 18;
constexpr int kTipMargin = 8;
constexpr int kCursorHeight = 20;  // the tip opens below the pointer
constexpr UINT kSmallestTool = offsetof(TOOLINFO, lParam);

bool toolInfoFits(const TOOLINFO* info) { return info != nullptr && info->cbSize >= kSmallestTool; }

}  // namespace

LRESULT ToolTipControl::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* info = reinterpret_cast<TOOLINFO*>(lParam);
  switch (msg) {
    case TTM_ACTIVATE:
      active_ = wParam != 0;
      if (!active_) hide();
      return 0;
    case TTM_SETDELAYTIME: {
      int ms = static_cast<short>(LOWORD(lParam));
      if (wParam == TTDT_AUTOMATIC) {
        delays_[TTDT_INITIAL] = ms < 0 ? -1 : ms;
        delays_[TTDT_AUTOPOP] = ms < 0 ? -1 : ms * 10;
        delays_[TTDT_RESHOW] = ms < 0 ? -1 : ms / 5;
      } else if (wParam <= TTDT_INITIAL) {
        delays_[wParam] = ms < 0 ? -1 : ms;
      }
      return 0;
    }
    case TTM_GETDELAYTIME:
      return wParam <= TTDT_INITIAL ? delay(static_cast<int>(wParam == TTDT_AUTOMATIC ? TTDT_AUTOPOP : wParam)) : 0;
    case TTM_ADDTOOL: {
      if (!toolInfoFits(info)) return FALSE;
      Tool tool;
      store(tool, *info);
      tools_.push_back(tool);
      return TRUE;
    }
    case TTM_DELTOOL: {
      int index = toolInfoFits(info) ? find(info) : -1;
      if (index < 0) return 0;
      if (index == current_) hide();
      tools_.erase(tools_.begin() + index);
      for (int* i : {&current_, &suppressed_})
        if (*i == index)
          *i = -1;
        else if (*i > index)
          --*i;
      return 0;
    }
    case TTM_NEWTOOLRECT: {
      int index = toolInfoFits(info) ? find(info) : -1;
      if (index >= 0) tools_[static_cast<size_t>(index)].rect = info->rect;
      return 0;
    }
    case TTM_GETTOOLINFO: {
      int index = toolInfoFits(info) ? find(info) : -1;
      if (index < 0) return FALSE;
      fill(tools_[static_cast<size_t>(index)], info);
      return TRUE;
    }
    case TTM_SETTOOLINFO: {
      int index = toolInfoFits(info) ? find(info) : -1;
      if (index >= 0) store(tools_[static_cast<size_t>(index)], *info);
      return 0;
    }
    case TTM_UPDATETIPTEXT: {
      int index = toolInfoFits(info) ? find(info) : -1;
      if (index < 0) return 0;
      Tool& tool = tools_[static_cast<size_t>(index)];
      TOOLINFO changed{};
      fill(tool, &changed);
      changed.hinst = info->hinst;
      changed.lpszText = info->lpszText;
      store(tool, changed);
      if (phase_ == Phase::Shown && index == current_) SetWindowText(hwnd(), textOf(index).c_str());
      return 0;
    }
    case TTM_GETTEXT: {
      int index = toolInfoFits(info) ? find(info) : -1;
      if (index < 0) return 0;
      return copyText(textOf(index), info->lpszText, wParam ? static_cast<int>(wParam) : kTextSize);
    }
    case TTM_GETTOOLCOUNT:
      return static_cast<LRESULT>(tools_.size());
    case TTM_ENUMTOOLS:
      if (!toolInfoFits(info) || wParam >= tools_.size()) return FALSE;
      fill(tools_[wParam], info);
      return TRUE;
    case TTM_GETCURRENTTOOL:
      if (phase_ != Phase::Shown || current_ < 0) return FALSE;
      if (toolInfoFits(info)) fill(tools_[static_cast<size_t>(current_)], info);
      return TRUE;
    case TTM_RELAYEVENT:
      relay(reinterpret_cast<const MSG*>(lParam));
      return 0;
    case TTM_SETMAXTIPWIDTH: {
      int old = maxWidth_;
      maxWidth_ = static_cast<int>(lParam);
      return old;
    }
    case TTM_GETMAXTIPWIDTH:
      return maxWidth_;
    case TTM_POP:
      hide();
      return 0;
    case TTM_TRACKACTIVATE: {
      int index = toolInfoFits(info) ? find(info) : -1;
      if (wParam && index >= 0 && (tools_[static_cast<size_t>(index)].flags & TTF_TRACK))
        show(index);
      else if (!wParam && phase_ == Phase::Shown && index == current_)
        hide();
      return 0;
    }
    case TTM_TRACKPOSITION:
      trackPoint_ = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (phase_ == Phase::Shown && (tools_[static_cast<size_t>(current_)].flags & TTF_TRACK))
        SetWindowPos(hwnd(), nullptr, trackPoint_.x, trackPoint_.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    case WM_TIMER:
      if (wParam == kShowTimer) {
        KillTimer(hwnd(), kShowTimer);
        if (phase_ == Phase::Waiting) show(current_);
      } else if (wParam == kPopTimer) {
        hide();
      } else if (wParam == kLeaveTimer) {
        const bool shown = phase_ == Phase::Shown && current_ >= 0 && static_cast<size_t>(current_) < tools_.size();
        if (!shown || !cursorOnTool(tools_[static_cast<size_t>(current_)])) hide();
      }
      return 0;
    case WM_PAINT:
      return paintThroughPrintClient(hwnd());
    case WM_PRINTCLIENT:
      paintLook(reinterpret_cast<HDC>(wParam));
      return 0;
    default:
      return byDefault(msg, wParam, lParam);
  }
}

int ToolTipControl::find(const TOOLINFO* info) const {
  for (size_t i = 0; i < tools_.size(); ++i)
    if (tools_[i].hwnd == info->hwnd && tools_[i].id == info->uId) return static_cast<int>(i);
  return -1;
}

void ToolTipControl::fill(const Tool& tool, TOOLINFO* info) const {
  info->uFlags = tool.flags;
  info->hwnd = tool.hwnd;
  info->uId = tool.id;
  info->rect = tool.rect;
  info->hinst = tool.instance;
  info->lParam = tool.lParam;
  // The text goes out only by TTM_GETTEXT; a callback tool says so.
  if (tool.callback) info->lpszText = LPSTR_TEXTCALLBACK;
}

void ToolTipControl::store(Tool& tool, const TOOLINFO& info) {
  tool.flags = info.uFlags;
  tool.hwnd = info.hwnd;
  tool.id = info.uId;
  tool.rect = info.rect;
  tool.instance = info.hinst;
  tool.lParam = info.lParam;
  tool.callback = info.lpszText == LPSTR_TEXTCALLBACK;
  tool.text.clear();
  if (tool.callback || info.lpszText == nullptr) return;
  if (IS_INTRESOURCE(info.lpszText)) {
    char buffer[kTextSize * 4];
    int n = LoadString(info.hinst, static_cast<UINT>(reinterpret_cast<ULONG_PTR>(info.lpszText)), buffer,
                       static_cast<int>(sizeof buffer));
    tool.text.assign(buffer, static_cast<size_t>(std::max(n, 0)));
  } else {
    tool.text = info.lpszText;
  }
}

std::string ToolTipControl::textOf(int index) {
  Tool& tool = tools_[static_cast<size_t>(index)];
  if (!tool.callback) return tool.text;
  NMTTDISPINFO di{};
  di.hdr = {hwnd(), tool.id, TTN_GETDISPINFO};
  di.lpszText = di.szText;
  di.hinst = tool.instance;
  di.uFlags = tool.flags;
  di.lParam = tool.lParam;
  SendMessage(tool.hwnd, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(&di));
  if (!IsWindow(hwnd()) || static_cast<size_t>(index) >= tools_.size()) return std::string();
  std::string text;
  if (di.lpszText == di.szText) {
    text.assign(di.szText, strnlen(di.szText, sizeof di.szText));
  } else if (di.lpszText != nullptr && di.lpszText != LPSTR_TEXTCALLBACK) {
    if (IS_INTRESOURCE(di.lpszText)) {
      char buffer[kTextSize * 4];
      int n = LoadString(di.hinst, static_cast<UINT>(reinterpret_cast<ULONG_PTR>(di.lpszText)), buffer,
                         static_cast<int>(sizeof buffer));
      text.assign(buffer, static_cast<size_t>(std::max(n, 0)));
    } else {
      text = di.lpszText;
    }
  }
  if (di.uFlags & TTF_DI_SETITEM) {
    tools_[static_cast<size_t>(index)].callback = false;
    tools_[static_cast<size_t>(index)].text = text;
  }
  return text;
}

int ToolTipControl::toolAt(const MSG& msg) const {
  POINT pt{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
  for (size_t i = 0; i < tools_.size(); ++i) {
    const Tool& t = tools_[i];
    if (!(t.flags & TTF_TRACK) && covers(t, msg.hwnd, pt)) return static_cast<int>(i);
  }
  return -1;
}

bool ToolTipControl::covers(const Tool& tool, HWND window, POINT client) {
  if (tool.flags & TTF_IDISHWND) return reinterpret_cast<HWND>(tool.id) == window;
  return tool.hwnd == window && client.x >= tool.rect.left && client.x < tool.rect.right &&
         client.y >= tool.rect.top && client.y < tool.rect.bottom;
}

bool ToolTipControl::cursorOnTool(const Tool& tool) const {
  POINT at;
  GetCursorPos(&at);
  const HWND window = WindowFromPoint(at);
  if (!window) return false;
  ScreenToClient(window, &at);
  return covers(tool, window, at);
}

void ToolTipControl::relay(const MSG* msg) {
  if (msg == nullptr || !active_) return;
  switch (msg->message) {
    case WM_MOUSEMOVE: {
      lastPoint_ = {static_cast<short>(LOWORD(msg->lParam)), static_cast<short>(HIWORD(msg->lParam))};
      ClientToScreen(msg->hwnd, &lastPoint_);
      int tool = toolAt(*msg);
      if (tool != suppressed_) suppressed_ = -1;
      if (tool < 0) {
        hide();
        return;
      }
      if (tool == suppressed_ || (phase_ == Phase::Shown && tool == current_)) return;
      if (phase_ == Phase::Shown) {
        hide();
        wait(tool, delay(TTDT_RESHOW));
      } else {
        wait(tool, delay(TTDT_INITIAL));  // the pointer must rest for the whole delay
      }
      return;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      suppressed_ = toolAt(*msg);
      hide();
      return;
    default:
      return;
  }
}

void ToolTipControl::wait(int tool, int ms) {
  KillTimer(hwnd(), kShowTimer);
  current_ = tool;
  phase_ = Phase::Waiting;
  SetTimer(hwnd(), kShowTimer, static_cast<UINT>(ms), nullptr);
}

void ToolTipControl::show(int index) {
  phase_ = Phase::Idle;
  if (index < 0 || static_cast<size_t>(index) >= tools_.size()) return;
  const Tool tool = tools_[static_cast<size_t>(index)];
  if (!(style() & TTS_ALWAYSTIP) && !(tool.flags & TTF_TRACK) && GetActiveWindow() != GetAncestor(tool.hwnd, GA_ROOT))
    return;
  std::string text = textOf(index);
  if (text.empty() || !IsWindow(hwnd())) return;
  current_ = index;
  phase_ = Phase::Shown;
  SetWindowText(hwnd(), text.c_str());
  NMHDR hdr{hwnd(), tool.id, TTN_SHOW};
  bool placed = SendMessage(tool.hwnd, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(&hdr)) != 0;
  int width = textWidth(text);
  if (maxWidth_ > 0) width = std::min(width, maxWidth_);
  width += kTipMargin;
  POINT at = (tool.flags & TTF_TRACK) ? trackPoint_ : POINT{lastPoint_.x, lastPoint_.y + kCursorHeight};
  UINT flags = SWP_NOACTIVATE | SWP_SHOWWINDOW | (placed ? SWP_NOMOVE : 0);
  SetWindowPos(hwnd(), HWND_TOPMOST, at.x, at.y, width, kTipHeight, flags);
  if (tool.flags & TTF_TRACK) return;
  SetTimer(hwnd(), kPopTimer, static_cast<UINT>(delay(TTDT_AUTOPOP)), nullptr);
  if (cursorOnTool(tool)) SetTimer(hwnd(), kLeaveTimer, kLeaveCheckMs, nullptr);
}

void ToolTipControl::hide() {
  KillTimer(hwnd(), kShowTimer);
  KillTimer(hwnd(), kPopTimer);
  KillTimer(hwnd(), kLeaveTimer);
  Phase was = phase_;
  int tool = current_;
  phase_ = Phase::Idle;
  current_ = -1;
  if (was != Phase::Shown) return;
  ShowWindow(hwnd(), SW_HIDE);
  if (tool >= 0 && static_cast<size_t>(tool) < tools_.size()) {
    const Tool& t = tools_[static_cast<size_t>(tool)];
    NMHDR hdr{hwnd(), t.id, TTN_POP};
    SendMessage(t.hwnd, WM_NOTIFY, t.id, reinterpret_cast<LPARAM>(&hdr));
  }
}

int ToolTipControl::delay(int which) const { return delays_[which] >= 0 ? delays_[which] : kDefaultDelays[which]; }

}  // namespace wavorel
