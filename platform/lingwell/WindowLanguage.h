// The language library's window and menu translation: texts are keys of
// GetMLText and are replaced by their text in the current language.
#pragma once

#include "platform/mfc/Menu.h"
#include "platform/mfc/Wnd.h"

// Translates the window's caption and the texts of its labels, buttons and
// child dialogs, at any depth (edit, list and combo boxes hold data and keep
// theirs). A text only changes when its translation differs.
void UpdateWndLanguage(CWnd* pWnd);
// Translates the texts of the menu's items and of its submenus, keeping each
// item's id, state and submenu.
void MLMenu(CMenu* pMenu);
