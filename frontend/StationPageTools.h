// What the five pages of the station tab control share: their skin paths,
// the set-up of their report lists, the rows of a list as the worker sends
// them, and the Connect rule of the profile and site-survey pages.
#pragma once

#include "platform/Platform.h"
#include "skinvane/Skinvane.h"

// The colour key of the station pages' skin bitmaps.
constexpr COLORREF kStationPageSkinKey = 0x00FFFF;
// Text and background of a list row of the profile and site-survey pages.
constexpr COLORREF kStationRowText = 0x000000;
constexpr COLORREF kStationRowBackground = 0xEFF0F0;

// "<program folder>Skin\<file>".
CString StationSkinPath(LPCTSTR file);

// The report list of a page: its column layout kept under `section`, grid
// attributes (0, 1), extended style plus LVS_EX_ONECLICKACTIVATE |
// LVS_EX_FLATSB, the columns of `headings`, the sort header, the saved
// layout, the images of the skin strip `imageFile` (none when null), the
// background colour, and the list fitted into `frame` (its header hidden).
void SetUpStationList(CSortListCtrl& list, const char* section, const char* headings, LPCTSTR imageFile,
                      COLORREF background, CWnd* frame);

// The pieces of a bridge text between the separators, empty ones kept; ""
// gives none.
void SplitStationText(const CString& text, LPCTSTR separator, CStringArray& out);
// Calls `visit` with the fields of each row of a row list: rows split at
// "\r\n" (empty rows left out), fields at TAB.
template <class Visit>
void ForEachStationRow(const CString& text, Visit visit) {
  CStringArray rows;
  SplitStationText(text, "\r\n", rows);
  for (INT_PTR i = 0; i < rows.GetSize(); ++i) {
    if (rows[i].IsEmpty()) continue;
    CStringArray fields;
    SplitStationText(rows[i], "\t", fields);
    visit(fields);
  }
}

// The image of a row; -1 when the row is out of range.
int GetRowImage(CListCtrl& list, int row);
// The row of a list click: the clicked item, or the row under the click point.
int ClickedRow(CListCtrl& list, const NMITEMACTIVATE* click);

// The pages whose Connect presses are spaced, each with its own process-wide
// tick of the last accepted press (0 at start).
enum class ConnectPage { kProfiles, kSiteSurvey, kCount };
// The first step of a page's Connect: TRUE when the button is enabled and at
// least 3000 ms (unsigned tick difference) passed since the page's last
// accepted press, which then takes the current tick.
BOOL AcceptConnect(CWnd& button, ConnectPage page);
// Both ticks back to 0, as at process start: for a front end made again on a
// platform whose clock started again.
void ResetConnectTicks();
// Asks through the bridge whether to connect although connected already;
// TRUE for Yes.
BOOL ConfirmConnectAnother();
