#include "platform/win/user/CrossProcessMessage.h"

#include <strings.h>

#include "platform/win/commctrl/CommonControls.h"
#include "platform/win/commctrl/RichEdit.h"
#include "platform/win/commctrl/UpDown.h"

namespace wavorel {

namespace {

// System messages whose parameters are numbers, flags, points or window
// handles (a handle is a number that the receiver looks up).
bool plainSystemMessage(UINT msg) {
  switch (msg) {
    case WM_NULL:
    case WM_MOVE:
    case WM_SIZE:
    case WM_ACTIVATE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETREDRAW:
    case WM_GETTEXTLENGTH:
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
    case WM_QUIT:
    case WM_SYSCOLORCHANGE:
    case WM_ENDSESSION:
    case WM_SHOWWINDOW:
    case WM_ACTIVATEAPP:
    case WM_CANCELMODE:
    case WM_SETCURSOR:
    case WM_MOUSEACTIVATE:
    case WM_CHILDACTIVATE:
    case WM_CONTEXTMENU:
    case WM_DISPLAYCHANGE:
    case WM_NCHITTEST:
    case WM_NCACTIVATE:
    case WM_COMMAND:
    case WM_SYSCOMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CAPTURECHANGED:
    case WM_POWERBROADCAST:
    case WM_ENTERSIZEMOVE:
    case WM_EXITSIZEMOVE:
    case WM_MOUSEHOVER:
    case WM_MOUSELEAVE:
    case WM_CUT:
    case WM_COPY:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case WM_HOTKEY:
    case WM_THEMECHANGED:
      return true;
    default:
      break;
  }
  return (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) || (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) ||
         (msg >= WM_NCMOUSEMOVE && msg <= WM_NCRBUTTONUP);
}

// Controls whose own messages from WM_USER on take pointers (LVM_INSERTITEM,
// TTM_ADDTOOL, EM_STREAMIN...).
bool controlWithPointerMessages(const std::string& className) {
  for (const char* name : {WC_LISTVIEW, WC_HEADER, WC_TABCONTROL, PROGRESS_CLASS, TRACKBAR_CLASS, TOOLTIPS_CLASS,
                           WC_IPADDRESS, RICHEDIT_CLASS, MSFTEDIT_CLASS, UPDOWN_CLASS})
    if (strcasecmp(className.c_str(), name) == 0) return true;
  return false;
}

}  // namespace

Crossing crossingOf(UINT msg, const std::string& className) {
  if (msg > 0xFFFF) return Crossing::Refused;
  if (msg >= 0xC000) return Crossing::Plain;  // registered messages
  if (msg >= WM_USER) return controlWithPointerMessages(className) ? Crossing::Refused : Crossing::Plain;
  switch (msg) {
    case WM_SETTEXT:
      return Crossing::SetText;
    case WM_GETTEXT:
      return Crossing::GetText;
    case WM_COPYDATA:
      return Crossing::CopyData;
    default:
      return plainSystemMessage(msg) ? Crossing::Plain : Crossing::Refused;
  }
}

}  // namespace wavorel
