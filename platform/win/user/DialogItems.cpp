// The dialog item calls: texts, numbers and check states of a dialog's
// controls by id.
#include <cctype>
#include <cstdio>
#include <string>

#include "platform/win/user/Dialog.h"

namespace {

// Reads a number as GetDlgItemInt does: blanks, an optional minus sign (when
// signed), at least one digit, blanks; the value must fit.
bool parseItemInt(const std::string& text, bool isSigned, UINT& out) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = isSigned && i < text.size() && text[i] == '-';
  if (negative) ++i;
  unsigned long long value = 0;
  size_t digits = 0;
  const unsigned long long limit = !isSigned ? 0xFFFFFFFFull : negative ? 0x80000000ull : 0x7FFFFFFFull;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i, ++digits) {
    value = value * 10 + static_cast<unsigned>(text[i] - '0');
    if (value > limit) return false;
  }
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  if (digits == 0 || i != text.size()) return false;
  out = negative ? static_cast<UINT>(0u - static_cast<UINT>(value)) : static_cast<UINT>(value);
  return true;
}

}  // namespace

LRESULT SendDlgItemMessage(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND control = GetDlgItem(dialog, id);
  return control ? SendMessage(control, msg, wParam, lParam) : 0;
}

BOOL SetDlgItemText(HWND dialog, int id, LPCSTR text) {
  HWND control = GetDlgItem(dialog, id);
  return control ? static_cast<BOOL>(SendMessage(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text))) : FALSE;
}

UINT GetDlgItemText(HWND dialog, int id, LPSTR text, int maxCount) {
  if (text && maxCount > 0) text[0] = '\0';
  HWND control = GetDlgItem(dialog, id);
  if (!control || !text || maxCount <= 0) return 0;
  return static_cast<UINT>(SendMessage(control, WM_GETTEXT, static_cast<WPARAM>(maxCount), reinterpret_cast<LPARAM>(text)));
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
  char text[16];
  std::snprintf(text, sizeof text, isSigned ? "%d" : "%u", isSigned ? static_cast<int>(value) : value);
  return SetDlgItemText(dialog, id, text);
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
  if (translated) *translated = FALSE;
  HWND control = GetDlgItem(dialog, id);
  if (!control) return 0;
  std::string text(static_cast<size_t>(SendMessage(control, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
  text.resize(static_cast<size_t>(
      SendMessage(control, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(&text[0]))));
  UINT value = 0;
  if (!parseItemInt(text, isSigned != FALSE, value)) return 0;
  if (translated) *translated = TRUE;
  return value;
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
  HWND control = GetDlgItem(dialog, id);
  if (!control) return FALSE;
  SendMessage(control, BM_SETCHECK, check, 0);
  return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
  return static_cast<UINT>(SendDlgItemMessage(dialog, id, BM_GETCHECK, 0, 0));
}

BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId) {
  if (!IsWindow(dialog)) return FALSE;
  for (int id = firstId; id <= lastId; ++id)
    SendDlgItemMessage(dialog, id, BM_SETCHECK, id == checkId ? BST_CHECKED : BST_UNCHECKED, 0);
  return TRUE;
}
