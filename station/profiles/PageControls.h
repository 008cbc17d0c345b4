// Small steps the 802.1X page, its sub-pages and the security editor take on
// their controls by id; a control the template lacks is skipped.
#pragma once

#include <memory>

#include "platform/Platform.h"
#include "widgets/ShadeButtonST.h"
#include "widgets/TabDialog.h"

void EnablePageItem(CWnd* page, int id, BOOL enable);
void ShowPageItem(CWnd* page, int id, BOOL show);
// A string resource through the language library.
CString LoadPageText(UINT id);
// The page that holds a sub-page: the parent of the sub-page's tab container.
CWnd* SubPageOwner(CWnd* subPage);

// ---- The editors' tab containers ----
// A placeholder's rectangle in `editor`'s client coordinates, looked up in
// the container and then in the editor; empty when neither has it.
CRect EditorPlaceholderRect(const CWnd& editor, const CTabDialog* container, int id);
// The font of tab and selector buttons: "Trebuchet MS", height 20.
void CreateTabFont(CFont& font);
// A tab or selector button of a container: a visible push button at `rect`
// with `font`, shaded with the hover tint 0xB4B4B4 and `selectedTint`, its
// image above the caption. Null when it cannot be created.
std::unique_ptr<CShadeButtonST> MakeTabButton(const CString& text, const CRect& rect, CTabDialog* container, int id,
                                              CFont* font, COLORREF selectedTint);
// An editor's OK and Cancel with their texts (strings 2132, 2133) and shading.
void ShadeEditorButtons(CShadeButtonST& ok, CShadeButtonST& cancel);
