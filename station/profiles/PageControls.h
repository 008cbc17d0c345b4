// Small steps the 802.1X page, its sub-pages and the security editor take on
// their controls by id; a control the template lacks is skipped.
#pragma once

#include "platform/Platform.h"

void EnablePageItem(CWnd* page, int id, BOOL enable);
void ShowPageItem(CWnd* page, int id, BOOL show);
// A string resource through the language library.
CString LoadPageText(UINT id);
// The page that holds a sub-page: the parent of the sub-page's tab container.
CWnd* SubPageOwner(CWnd* subPage);
