#include "platform/lingwell/WindowLanguage.h"

#include <strings.h>
#include <string>

#include "platform/lingwell/Lingwell.h"

namespace {

// Windows whose text is a label rather than data.
bool holdsLabel(HWND hWnd) {
  char cls[32] = "";
  ::GetClassName(hWnd, cls, static_cast<int>(sizeof cls));
  for (const char* label : {"Static", "Button", "#32770"})
    if (strcasecmp(cls, label) == 0) return true;
  return false;
}

void translateText(HWND hWnd) {
  int length = ::GetWindowTextLength(hWnd);
  if (length <= 0) return;
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(::GetWindowText(hWnd, &text[0], length + 1)));
  CString translated = GetMLText(text.c_str());
  if (translated != text.c_str()) ::SetWindowText(hWnd, translated);
}

BOOL CALLBACK translateChild(HWND hWnd, LPARAM) {
  if (holdsLabel(hWnd)) translateText(hWnd);
  return TRUE;
}

}  // namespace

void UpdateWndLanguage(CWnd* pWnd) {
  if (pWnd == nullptr || pWnd->m_hWnd == nullptr) return;
  translateText(pWnd->m_hWnd);
  ::EnumChildWindows(pWnd->m_hWnd, translateChild, 0);
}

void MLMenu(CMenu* pMenu) {
  if (pMenu == nullptr || pMenu->m_hMenu == nullptr) return;
  UINT count = pMenu->GetMenuItemCount();
  for (UINT pos = 0; pos < count; ++pos) {
    CString text;
    if (pMenu->GetMenuString(pos, text, MF_BYPOSITION) > 0) {
      CString translated = GetMLText(text);
      if (translated != text) {
        MENUITEMINFO info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING;
        info.dwTypeData = const_cast<LPTSTR>(static_cast<LPCTSTR>(translated));
        pMenu->SetMenuItemInfo(pos, &info, TRUE);
      }
    }
    if (CMenu* pSub = pMenu->GetSubMenu(static_cast<int>(pos))) MLMenu(pSub);
  }
}
