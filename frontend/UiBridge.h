// The UI bridge: the one message through which the front end's tab control
// (the UI window) and the worker of the current mode (the worker window)
// exchange commands and status, so neither calls the other.
//
// WM_UIBRIDGE: wParam is a code of BridgeCodes.h; lParam names the value, a
// text held by the bridge until its receiver takes it (0 for no value). A
// receiver's first step for every WM_UIBRIDGE is TakeNotifyText, which hands
// out the text and frees it; lParam is never read any other way. A value
// whose message never reaches a receiver (its window was destroyed before
// the message was dispatched, or a sent message was not taken) is freed by
// the bridge, so nothing leaks and no stale lParam is ever read.
//
// All senders and receivers run on the UI thread.
#pragma once

#include "frontend/BridgeCodes.h"
#include "platform/Platform.h"

constexpr UINT WM_UIBRIDGE = WM_USER + 417;

// Target windows. Both are NULL at start.
void SetUINotifyWnd(HWND hwnd);
HWND SetWorkerNotifyWnd(HWND hwnd);
// A worker going away clears the worker window only while the bridge still
// names its window (a newer worker may have registered since); TRUE when
// it was cleared.
BOOL ClearWorkerNotifyWnd(HWND hwnd);

// Sends `text` as the value of `code` to `target`: posted (result 0) or,
// without `post`, sent (result: the receiver's). -1 when `target` is not a
// window of this process, `text` is NULL, the value cannot be allocated or
// the post fails; no value is then left behind.
int SendNotifyText(HWND target, UINT code, const char* text, BOOL post);
int NotifyUI(UINT code, const char* text, BOOL post);
int NotifyWorker(UINT code, const char* text, BOOL post);
// The value formatted "%d".
int NotifyUIInt(UINT code, int value, BOOL post);
int NotifyWorkerInt(UINT code, int value, BOOL post);

// The message-box request, BRIDGE_UI_MESSAGE_BOX, always sent: the value is
// "%d\r\n%s\r\n%s" of the MB_* type, the caption and the text (NULL counts
// as ""). Returns the box's answer (IDOK, IDYES ...), -1 without a UI window.
int NotifyUIMessageBox(const char* text, const char* caption, UINT type);
// NotifyUIMessageBox without a caption; MB_ICONEXCLAMATION is added when
// `type` has no icon bits.
int NotifyUIAlert(const char* text, UINT type);

// Receiver side of the message-box request: splits the value at the first
// two "\r\n" into type, caption and text and returns atoi of the type, or
// -1 (caption and text left alone) when a separator is missing.
int ParseMessageBoxNotify(const CString& value, CString& caption, CString& text);
// The UI window's answer to BRIDGE_UI_MESSAGE_BOX: the skinned message box
// with the parsed type, caption and text; -1 (no box) for a malformed value
// or a negative type.
int OnBridgeMessageBox(const CString& value);

// Receiver side of BRIDGE_UI_CONNECTION_STATE ("%02d%s"): the state is atoi
// of the first two characters, `text` the rest; a value shorter than two
// characters gives an empty text.
int ParseConnectionState(const CString& value, CString& text);

// The value of a received WM_UIBRIDGE, freed by this call: "" for a NULL
// value and for one the bridge does not hold (already taken or never sent).
CString TakeNotifyText(WPARAM wParam, LPARAM lParam);
// Values posted and not yet taken whose receiver still exists.
int CountPendingNotifyTexts();

// `text` made fit to be one TAB-separated field of a CR LF-separated row:
// every "\r\n" becomes two blanks, then every TAB one blank. NULL gives "".
CString MakeNotifyField(const char* text);
// The same for `length` bytes at `field`, in place (neither replacement
// changes the length).
void MendNotifyField(char* field, size_t length);

// Select `index` only when 0 <= index < the item count; TRUE when selected.
BOOL SetComboCurSelSafe(CComboBox* combo, int index);
BOOL SetListBoxCurSelSafe(CListBox* list, int index);
