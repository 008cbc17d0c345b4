// The dialog window procedure and EndDialog.
#include "platform/win/user/Dialog.h"
#include "platform/win/user/DialogState.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/user/ModalLoop.h"
#include "platform/win/gdi/Shapes.h"
#include "platform/win/gdi/Gdi.h"

namespace {

// Messages whose answer is the dialog procedure's own result.
bool answersDirectly(UINT msg) {
  switch (msg) {
    case WM_INITDIALOG:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
      return true;
    default:
      return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC;
  }
}

// DM_SETDEFID: the old default push button becomes a plain one, the new one
// (when it is a push button) the default.
void setDefaultButton(HWND dialog, wavorel::DialogState& state, WORD id) {
  if (state.defId != 0 && state.defId != id) {
    HWND old = GetDlgItem(dialog, state.defId);
    if (old && (wavorel::dialogCode(old) & DLGC_DEFPUSHBUTTON)) SendMessage(old, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  }
  state.defId = id;
  HWND button = id ? GetDlgItem(dialog, id) : nullptr;
  if (button && (wavorel::dialogCode(button) & DLGC_UNDEFPUSHBUTTON))
    SendMessage(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

// The control that gets the focus when the dialog does.
void focusControl(HWND dialog, wavorel::DialogState& state) {
  HWND target = state.savedFocus;
  if (!target || !IsWindow(target) || !IsChild(dialog, target)) target = GetNextDlgTabItem(dialog, nullptr, FALSE);
  if (target) wavorel::setDialogFocus(dialog, target);
}

LRESULT defaultProcessing(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto state = wavorel::dialogState(dialog);
  if (!state) return DefWindowProc(dialog, msg, wParam, lParam);
  switch (msg) {
    case WM_NCDESTROY:
      if (state->templateFont) DeleteObject(state->templateFont);
      wavorel::removeDialogState(dialog);
      return DefWindowProc(dialog, msg, wParam, lParam);
    case WM_CLOSE: {
      HWND cancel = GetDlgItem(dialog, IDCANCEL);
      if (cancel && !IsWindowEnabled(cancel)) return 0;
      PostMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
      return 0;
    }
    case WM_SETFONT:
      state->font = reinterpret_cast<HFONT>(wParam);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(state->font);
    case DM_GETDEFID:
      return state->defId ? MAKELONG(state->defId, DC_HASDEFID) : 0;
    case DM_SETDEFID:
      setDefaultButton(dialog, *state, static_cast<WORD>(wParam));
      return TRUE;
    case WM_NEXTDLGCTL: {
      HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                   : GetNextDlgTabItem(dialog, GetFocus(), wParam != 0);
      if (target) wavorel::setDialogFocus(dialog, target);
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(dialog, focus)) state->savedFocus = focus;
        return 0;
      }
      return DefWindowProc(dialog, msg, wParam, lParam);
    case WM_SETFOCUS:
      focusControl(dialog, *state);
      return 0;
    case WM_ERASEBKGND: {
      // The background is the brush the dialog answers WM_CTLCOLORDLG with.
      auto brush =
          reinterpret_cast<HBRUSH>(SendMessage(dialog, WM_CTLCOLORDLG, wParam, reinterpret_cast<LPARAM>(dialog)));
      RECT r;
      GetClientRect(dialog, &r);
      return brush && FillRect(reinterpret_cast<HDC>(wParam), &r, brush) ? TRUE : FALSE;
    }
    default:
      return DefWindowProc(dialog, msg, wParam, lParam);
  }
}

}  // namespace

LRESULT DefDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) wavorel::addDialogState(dialog);
  auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtr(dialog, DWLP_DLGPROC));
  if (proc) {
    INT_PTR handled = proc(dialog, msg, wParam, lParam);
    if (handled) return answersDirectly(msg) ? handled : GetWindowLongPtr(dialog, DWLP_MSGRESULT);
    if (msg == WM_INITDIALOG) return 0;
  }
  return defaultProcessing(dialog, msg, wParam, lParam);
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
  auto state = wavorel::dialogState(dialog);
  if (!state) {
    SetLastError(IsWindow(dialog) ? ERROR_WINDOW_NOT_DIALOG : ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (!wavorel::endModal(dialog, result)) return FALSE;
  state->hasResult = true;
  state->result = result;
  // The owner comes back first, so that it takes the activation.
  if (state->disabledOwner && IsWindow(state->disabledOwner)) EnableWindow(state->disabledOwner, TRUE);
  state->disabledOwner = nullptr;
  ShowWindow(dialog, SW_HIDE);
  return TRUE;
}
