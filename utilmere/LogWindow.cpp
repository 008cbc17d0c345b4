#include "platform/Platform.h"
#include "utilmere/Log.h"
#include "utilmere/LogLevels.h"

namespace {

// From this many characters on, a new line replaces the whole content.
const long kLogWindowTextLimit = 0x5000;

long characterCount(CRichEditCtrl* control) { return control->GetTextLengthEx(GTL_NUMCHARS); }

}  // namespace

LRESULT OnWM_SHOWLOG(CRichEditCtrl* control, WPARAM, LPARAM) {
  CStringArray lines;
  CUIntArray codes;
  GetLastLogStrAry(&lines, &codes);
  for (INT_PTR i = 0; i < lines.GetSize(); ++i) AddLogTextToEditCtrl(control, lines[i], static_cast<int>(codes[i]));
  return 0;
}

// A null text adds nothing.
void AddLogTextToEditCtrl(CRichEditCtrl* control, const char* text, int code) {
  if (control == nullptr || text == nullptr || !IsWindow(control->GetSafeHwnd())) return;
  long start = 0;
  if (control->GetTextLength() >= kLogWindowTextLimit) {
    control->SetSel(0, -1);
  } else {
    start = characterCount(control);
    control->SetSel(start, start);
  }
  control->ReplaceSel(text, FALSE);

  control->SetSel(start, -1);
  CHARFORMAT format = {};
  format.cbSize = sizeof(format);
  control->GetSelectionCharFormat(format);
  format.dwEffects &= ~static_cast<DWORD>(CFE_AUTOCOLOR);
  format.dwMask |= CFM_COLOR;
  format.crTextColor = utilmere::logLevel(static_cast<UINT>(code)).colour;
  control->SetSelectionCharFormat(format);

  control->HideSelection(TRUE, FALSE);
  const long end = characterCount(control);
  control->SetSel(end, end);
  control->SendMessage(WM_VSCROLL, SB_BOTTOM, 0);
}
