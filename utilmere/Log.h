// Library start-up, the program folder and the log: Init_Utilmere, the
// monthly log file with its routes (console, callbacks, message box, a log
// window fed through a queue), the rich-edit log view, and the formatting and
// message-box helpers.
#pragma once

#include "platform/Platform.h"

class CRichEditCtrl;

// Sent or posted to the log window for each queued line: wParam = the line's
// whole code, lParam = 0.
#define WM_GX_SHOWLOG 0x69A

// Log code, bits 0-3: the level.
#define GXLOG_VERBOSE 0
#define GXLOG_NORMAL 1
#define GXLOG_WARNING 2
#define GXLOG_ERROR 3
#define GXLOG_DEBUG 4
#define GXLOG_INVALID 5
#define GXLOG_LEVEL_MASK 0xFu
// Log code, bits 8 and up: the routing (all 0: the default routing). The
// first of 0x800, 0x100, 0x200 that is set decides; with none, the line is
// queued for the log window, which is notified by a sent message with 0x1000,
// else by a posted one.
#define GXLOG_OUT_NONE 0x800u
#define GXLOG_OUT_CONSOLE 0x100u
#define GXLOG_OUT_DIALOG 0x200u
#define GXLOG_OUT_SEND 0x1000u
#define GXLOG_ROUTE_MASK 0xFFFFFF00u

// Receives every logged line (with its CR LF) and its whole code.
typedef void (*GxLogCallback)(UINT code, const char* line);

// Fixes the program folder from the module path and, for a non-empty name,
// the log name ("Log-<name>-yyyymm.txt"). The name is kept as a pointer and
// must outlive its use. Returns 1.
int Init_Utilmere(const char* name);
// The program folder with its trailing backslash, in the library's buffer.
char* GetCurDir();
// The program folder computed afresh.
CString GetProgramDir();
// Zero-fills buffer, writes the module path cut after its last backslash and
// returns that backslash's position (0 when there is none, or when the path
// does not fit; the buffer is then left empty).
int GetProgramDir(char* buffer, DWORD size);
// The default message-box caption (a non-empty name, kept as a pointer).
void SetAppName(const char* name);
// The full path of this month's log file; "" before a log name is set.
CString GetLogFileName();

// Writes one log line: "[yyyy-mm-dd hh:mm:ss] <LEVEL> text\r\n".
void Log(UINT code, const char* format, ...);
// Logs "Exception occured. <exception's message>. <text>" as an error.
void Log_Exception(CException* exception, const char* format, ...);

void SetCallbackFunc_LogHandleLater(GxLogCallback callback);
void SetCallbackFunc_LogHandleOutDlg(GxLogCallback callback);
// A handle that is not a window is ignored.
void Set_RecvLogMsgHwnd(HWND window);
void Set_LogOutDefaultPosistion(UINT routing);
// Moves every queued line and code to the arrays (both must be given).
void GetLastLogStrAry(CStringArray* lines, CUIntArray* codes);

// The log window's handler of WM_GX_SHOWLOG: adds every queued line to the
// control. Returns 0.
LRESULT OnWM_SHOWLOG(CRichEditCtrl* control, WPARAM wParam, LPARAM lParam);
// Appends a line to a rich edit in the colour of its level; from 20,480
// characters on the new line replaces the whole content.
void AddLogTextToEditCtrl(CRichEditCtrl* control, const char* text, int code);

// printf into a string of at most 1023 characters (a longer text is cut).
CString FormatString(const char* format, ...);
CString GetMLTextPub(const char* format, ...);
// MessageBox with a text of at most 254 characters; a null caption is the
// application name. Returns the box's result.
int gxMsgBox(HWND owner, const char* caption, UINT type, const char* format, ...);
// An MFC message box: the text (at most 255 characters), CR LF, "Error NO : "
// and the thread's last error code.
void MsgBoxErr(const char* format, ...);
// The system's text for an error code, in the library's buffer of 256 bytes
// ("" when the system has none).
char* GxFormatError(DWORD code);
