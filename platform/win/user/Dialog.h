// The dialog manager: dialogs of the dialog class "#32770" created from the
// dialog templates of the resources, modal dialogs on the modal loop, the
// keyboard interface of dialogs (IsDialogMessage) and the dialog item calls.
//
// A dialog's window procedure is DefDlgProc: it gives each message to the
// dialog procedure first (DWLP_DLGPROC) and does the default processing when
// that returns FALSE. A message the procedure handles answers with the value
// the procedure left in DWLP_MSGRESULT, except the messages that answer with
// the procedure's own result (WM_INITDIALOG, WM_CTLCOLOR*, WM_COMPAREITEM,
// WM_VKEYTOITEM, WM_CHARTOITEM, WM_QUERYDRAGICON).
//
// Controls are created by their class names, so a template can hold any
// registered class. An ICON control's resource ordinal reaches its window as a
// MAKEINTRESOURCE name.
#pragma once

#include <functional>
#include <string>

#include "platform/win/user/DialogTemplate.h"
#include "platform/win/gdi/Fonts.h"
#include "platform/win/user/User.h"
#include "platform/win/controls/ControlConstants.h"

typedef INT_PTR(CALLBACK* DLGPROC)(HWND, UINT, WPARAM, LPARAM);

#define WC_DIALOG "#32770"
#define DLGWINDOWEXTRA 30

// Dialog styles.
#define DS_ABSALIGN 0x01L
#define DS_SYSMODAL 0x02L
#define DS_3DLOOK 0x04L
#define DS_FIXEDSYS 0x08L
#define DS_NOFAILCREATE 0x10L
#define DS_LOCALEDIT 0x20L
#define DS_SETFONT 0x40L
#define DS_MODALFRAME 0x80L
#define DS_NOIDLEMSG 0x100L
#define DS_SETFOREGROUND 0x200L
#define DS_CONTROL 0x0400L
#define DS_CENTER 0x0800L
#define DS_CENTERMOUSE 0x1000L
#define DS_CONTEXTHELP 0x2000L
#define DS_SHELLFONT (DS_SETFONT | DS_FIXEDSYS)

// Dialog messages.
#define DM_GETDEFID (WM_USER + 0)
#define DM_SETDEFID (WM_USER + 1)
#define DM_REPOSITION (WM_USER + 2)
#define DC_HASDEFID 0x534B

// Creating dialogs.
HWND CreateDialogParam(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM initParam);
HWND CreateDialog(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc);
// Modal dialogs: the owner's top-level window is disabled while the loop runs.
// The result is what EndDialog gave; -1 when the dialog cannot be created.
INT_PTR DialogBoxParam(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc, LPARAM initParam);
INT_PTR DialogBox(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC proc);
// Ends a modal dialog's loop with `result`; a modeless dialog keeps the result
// and is hidden (it is destroyed with DestroyWindow).
BOOL EndDialog(HWND dialog, INT_PTR result);
LRESULT DefDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);

// Keyboard interface.
BOOL IsDialogMessage(HWND dialog, LPMSG msg);
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);

// Dialog items.
BOOL SetDlgItemText(HWND dialog, int id, LPCSTR text);
UINT GetDlgItemText(HWND dialog, int id, LPSTR text, int maxCount);
BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned);
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned);
BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);
BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId);
LRESULT SendDlgItemMessage(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL MapDialogRect(HWND dialog, LPRECT rect);
LONG GetDialogBaseUnits();

namespace wavorel {

// The dialog base units (average character width, character height in
// pixels) of a dialog font, measured by the text layer: the width is the
// average width of the 52 letters A-Z a-z rounded, (extent / 26 + 1) / 2,
// the height the font's tmHeight. A size of 0 or less means 8 points.
SIZE dialogFontBaseUnits(const std::string& face, int points, int weight, bool italic);
// The font of a DS_SETFONT template: -MulDiv(points, 96, 72) pixels high.
LOGFONT dialogLogFont(const std::string& face, int points, int weight, bool italic);

// A dialog from a parsed template (the work of CreateDialogParam).
HWND createDialog(HINSTANCE instance, const DialogTemplate& dialogTemplate, HWND parent, DLGPROC proc,
                  LPARAM initParam);

// Runs a dialog modally: disables the owner's top-level window, shows the
// dialog, lets the modal responder answer (its button is clicked), runs the
// modal loop until EndDialog, enables the owner again. Each message the loop
// takes goes first to `preTranslate` (by default the dialog's keyboard
// interface, IsDialogMessage) and is dispatched when that returns FALSE.
// Returns the EndDialog result, or -1 when the dialog went away without one.
// Does not destroy the dialog.
INT_PTR runDialogModal(HWND dialog, const std::function<BOOL(MSG*)>& preTranslate = {});

// Sends the initial list and combo box items of the DLGINIT resource of
// dialog `name` to the dialog's controls (CB_ADDSTRING, LB_ADDSTRING). FALSE
// when the resource is malformed; TRUE when there is none.
BOOL runDialogInit(HWND dialog, HINSTANCE instance, LPCSTR name);

// Focuses a control the way the dialog manager does (an edit control gets
// all its text selected).
void setDialogFocus(HWND dialog, HWND control);

}  // namespace wavorel
