// The site editor of station mode: the one visible editor of a station
// profile (CDlgOneSiteEditor and its pages), mirrored field by field from
// the worker's hidden editors over the UI bridge.
//
// The editor is a process-wide singleton, created hidden by the first
// GetSiteEditor and ended by DestroySiteEditor when the program ends.
// ApplySiteEditorCode is the station tab control's handler of the UI codes
// 35 to 84.
#pragma once

#include "platform/Platform.h"

class CDlgOneSiteEditor;

// The skin key colour of the editor and its pages.
constexpr COLORREF kSiteSkinKey = 0x00FFFF;

// The editor, created (hidden, off-screen) on the first call; null when its
// window cannot be created.
CDlgOneSiteEditor* GetSiteEditor();
// Destroys the editor's window, then the editor.
void DestroySiteEditor();

// Applies UI code 35-84 with its value to the editor, creating it first;
// a code outside the range, or one that arrives when no editor can be made,
// is dropped. `nSaveWithoutShowing` is the station tab control's flag of a
// site saved without showing the editor: code 35 reads and clears it.
void ApplySiteEditorCode(UINT nCode, const CString& value, int& nSaveWithoutShowing);

// "<program folder>Skin\<file>".
CString SiteEditorSkinPath(LPCTSTR file);

// The application's error balloon with `text` (translated already) at the
// control, which then gets the focus.
void ShowSiteEditorError(CWnd* pControl, const CString& text);

// Empties `combo` and adds the rows of `text` (split at line ends, double
// quotes at the ends of a row trimmed); row 0 is selected when there is any.
void FillCertificateList(CComboBox& combo, const CString& text);
