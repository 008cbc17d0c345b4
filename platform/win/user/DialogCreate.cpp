// Dialogs from templates: the dialog class, the window and its controls,
// WM_INITDIALOG, and the dialog-unit conversions. A control's flat border
// (WS_BORDER) becomes the sunken client edge (WS_EX_CLIENTEDGE), as the
// three-dimensional look of Windows dialogs has it.
#include <string>

#include "platform/win/user/Dialog.h"
#include "platform/win/user/DialogState.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Resources.h"
#include "platform/win/user/Window.h"

namespace {

// The base units of the system font, used by dialogs without DS_SETFONT.
constexpr LONG kSystemCharWidth = 8;
constexpr LONG kSystemCharHeight = 16;

bool registerDialogClass() {
  WNDCLASS existing{};
  if (GetClassInfo(nullptr, WC_DIALOG, &existing)) return true;
  WNDCLASS wc{};
  wc.style = CS_DBLCLKS | CS_SAVEBITS;
  wc.lpfnWndProc = DefDlgProc;
  wc.cbWndExtra = DLGWINDOWEXTRA;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_3DFACE + 1));
  wc.lpszClassName = WC_DIALOG;
  return RegisterClass(&wc) != 0;
}

// x, y, cx and cy of a template rectangle in pixels, each converted alone.
RECT placeInPixels(const RECT& units, SIZE baseUnits) {
  RECT sizes{units.left, units.top, units.right - units.left, units.bottom - units.top};
  return wavorel::dialogUnitsToPixels(sizes, baseUnits.cx, baseUnits.cy);
}

// Where the window of a dialog with this style and client size goes.
POINT dialogOrigin(DWORD style, HWND parent, POINT templateOrigin, LONG width, LONG height) {
  if (style & WS_CHILD) return templateOrigin;
  if (style & DS_CENTER) {
    RECT work{};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    return {work.left + (work.right - work.left - width) / 2, work.top + (work.bottom - work.top - height) / 2};
  }
  POINT origin = templateOrigin;
  if (parent && !(style & DS_ABSALIGN)) ClientToScreen(parent, &origin);
  return origin;
}

bool createControls(HWND dialog, HINSTANCE instance, const wavorel::DialogTemplate& t, wavorel::DialogState& state) {
  for (const wavorel::DialogControl& c : t.controls) {
    RECT r = placeInPixels(c.rect, state.baseUnits);
    LPCSTR text = c.text.isOrdinal ? MAKEINTRESOURCE(c.text.ordinal) : c.text.text.c_str();
    void* data = c.creationData.empty() ? nullptr : const_cast<BYTE*>(c.creationData.data());
    // Controls get the three-dimensional look: a flat border becomes the
    // sunken client edge, two pixels wide (a caption keeps its border).
    DWORD style = c.style | WS_CHILD;
    DWORD exStyle = c.exStyle | WS_EX_NOPARENTNOTIFY;
    if ((style & WS_CAPTION) == WS_BORDER) {
      style &= ~WS_BORDER;
      exStyle |= WS_EX_CLIENTEDGE;
    }
    HWND control = CreateWindowEx(exStyle, c.className.c_str(), text, style, r.left, r.top, r.right, r.bottom, dialog,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(c.id)), instance, data);
    if (control == nullptr) {
      if (t.style & DS_NOFAILCREATE) continue;
      return false;
    }
    if (state.templateFont) SendMessage(control, WM_SETFONT, reinterpret_cast<WPARAM>(state.templateFont), FALSE);
    if (state.defId == 0 && (wavorel::dialogCode(control) & DLGC_DEFPUSHBUTTON))
      state.defId = static_cast<WORD>(c.id);
  }
  return true;
}

}  // namespace

namespace wavorel {

HWND createDialog(HINSTANCE instance, const DialogTemplate& t, HWND parent, DLGPROC proc, LPARAM initParam) {
  std::string className = WC_DIALOG;
  if (t.windowClass.isOrdinal)
    className = "#" + std::to_string(t.windowClass.ordinal);
  else if (!t.windowClass.text.empty())
    className = t.windowClass.text;
  if (className == WC_DIALOG && !registerDialogClass()) return nullptr;

  SIZE units = t.hasFont ? dialogFontBaseUnits(t.font.face, t.font.pointSize, t.font.weight, t.font.italic != 0)
                         : SIZE{kSystemCharWidth, kSystemCharHeight};
  DWORD style = t.style & ~WS_VISIBLE;
  DWORD exStyle = t.exStyle;
  if (style & DS_MODALFRAME) exStyle |= WS_EX_DLGMODALFRAME;
  if (style & DS_CONTROL) {
    style &= ~(WS_CAPTION | WS_SYSMENU);
    exStyle |= WS_EX_CONTROLPARENT;
  }
  RECT client = placeInPixels(t.rect, units);
  Window shape;
  shape.style = style;
  shape.exStyle = exStyle;
  RECT frame = shape.frame();
  LONG width = client.right + frame.left + frame.right;
  LONG height = client.bottom + frame.top + frame.bottom;
  POINT origin = dialogOrigin(style, parent, POINT{client.left, client.top}, width, height);

  HWND dialog = CreateWindowEx(exStyle, className.c_str(), t.caption.c_str(), style, origin.x, origin.y, width, height,
                               parent, nullptr, instance, nullptr);
  if (dialog == nullptr) return nullptr;
  auto state = addDialogState(dialog);
  state->baseUnits = units;
  SetWindowLongPtr(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
  // DS_SETFONT: the template's font goes to the dialog, then to each control.
  if (t.hasFont) {
    const LOGFONT lf = dialogLogFont(t.font.face, t.font.pointSize, t.font.weight, t.font.italic != 0);
    state->templateFont = CreateFontIndirect(&lf);
    SendMessage(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(state->templateFont), FALSE);
  }
  if (!createControls(dialog, instance, t, *state)) {
    DWORD error = GetLastError();
    DestroyWindow(dialog);
    SetLastError(error);
    return nullptr;
  }
  HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
  if (SendMessage(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), initParam) && first && IsWindow(first)) {
    // The default focus would activate the dialog's top-level window: a
    // dialog made hidden while another window is active keeps it for its
    // first activation instead of taking the keyboard from that window.
    HWND active = GetActiveWindow();
    if ((t.style & WS_VISIBLE) || !active || active == GetAncestor(dialog, GA_ROOT))
      setDialogFocus(dialog, first);
    else if (!(style & WS_CHILD))
      state->savedFocus = first;
  }
  if (!IsWindow(dialog)) return nullptr;
  if (t.style & WS_VISIBLE) ShowWindow(dialog, SW_SHOWNORMAL);
  return IsWindow(dialog) ? dialog : nullptr;
}

BOOL runDialogInit(HWND dialog, HINSTANCE instance, LPCSTR name) {
  if (FindResource(instance, name, RT_DLGINIT) == nullptr) return TRUE;
  std::vector<DialogInitItem> items;
  if (!findDialogInit(instance, name, items)) return FALSE;
  for (const DialogInitItem& item : items) {
    UINT msg = item.message == 0x403 ? CB_ADDSTRING : item.message == 0x401 ? LB_ADDSTRING : 0;
    if (msg == 0) continue;
    std::string text(item.data.begin(), item.data.end());
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
    SendDlgItemMessage(dialog, item.controlId, msg, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  return TRUE;
}

}  // namespace wavorel

HWND CreateDialogParam(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM initParam) {
  wavorel::DialogTemplate t;
  SetLastError(ERROR_SUCCESS);
  if (!wavorel::findDialogTemplate(instance, templateName, t)) {
    if (GetLastError() == ERROR_SUCCESS) SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  return wavorel::createDialog(instance, t, parent, proc, initParam);
}

HWND CreateDialog(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc) {
  return CreateDialogParam(instance, templateName, parent, proc, 0);
}

BOOL MapDialogRect(HWND dialog, LPRECT rect) {
  auto state = wavorel::dialogState(dialog);
  if (!state || rect == nullptr) {
    SetLastError(state ? ERROR_INVALID_PARAMETER : ERROR_WINDOW_NOT_DIALOG);
    return FALSE;
  }
  *rect = wavorel::dialogUnitsToPixels(*rect, state->baseUnits.cx, state->baseUnits.cy);
  return TRUE;
}

LONG GetDialogBaseUnits() { return MAKELONG(kSystemCharWidth, kSystemCharHeight); }
