// Placing the controls of the worker's pages.
#include "worker/ModuleFunctions.h"

void PlaceControl(CWnd* control, int x, int y, int cx, int cy, UINT stringId) {
  control->MoveWindow(x, y, cx, cy, TRUE);
  control->ShowWindow(SW_SHOW);
  if (stringId != 0) {
    CString text;
    text.LoadString(stringId);
    control->SetWindowText(text);
  }
}

CRect GetControlRect(CRect& out, CWnd* dialog, int controlId) {
  CWnd* control = dialog->GetDlgItem(controlId);
  out.SetRectEmpty();
  if (!control) return out;
  control->GetWindowRect(&out);
  dialog->ScreenToClient(&out);
  return out;
}

void GetControlPosSize(CONTROL_POS_SIZE& out, CWnd* dialog, int controlId) {
  CRect rect;
  GetControlRect(rect, dialog, controlId);
  out = {rect.left, rect.top, rect.Width(), rect.Height()};
}

void ShowControlText(CWnd* parent, CWnd* control, UINT stringId) {
  CRect rect;
  control->GetWindowRect(&rect);
  parent->ScreenToClient(&rect);
  PlaceControl(control, rect.left, rect.top, rect.Width(), rect.Height(), stringId);
}
