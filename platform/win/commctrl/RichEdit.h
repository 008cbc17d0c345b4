// The rich edit control ("RichEdit20A", and "RICHEDIT50W" of msftedit.dll):
// text with per-character formats. Paragraphs end with a single CR inside the
// control (CR LF and LF given to it become CR); character positions count
// that CR as one character; WM_GETTEXT and WM_GETTEXTLENGTH give CR LF.
// Lines break only at paragraph ends (no word wrap yet); a line is 16 pixels
// high for scrolling. The standard edit messages and EN_* codes are those of
// the edit control (ControlConstants.h); EN_CHANGE and EN_UPDATE reach the
// parent only with ENM_CHANGE and ENM_UPDATE in the event mask.
#pragma once

#include <string>
#include <vector>

#include "platform/win/user/User.h"
#include "platform/win/commctrl/CommonControls.h"
#include "platform/win/controls/ControlConstants.h"

#define RICHEDIT_CLASS "RichEdit20A"
#define MSFTEDIT_CLASS "RICHEDIT50W"

#define EM_EXGETSEL (WM_USER + 52)
#define EM_EXLIMITTEXT (WM_USER + 53)
#define EM_EXLINEFROMCHAR (WM_USER + 54)
#define EM_EXSETSEL (WM_USER + 55)
#define EM_GETCHARFORMAT (WM_USER + 58)
#define EM_GETEVENTMASK (WM_USER + 59)
#define EM_GETSELTEXT (WM_USER + 62)
#define EM_HIDESELECTION (WM_USER + 63)
#define EM_SETBKGNDCOLOR (WM_USER + 67)
#define EM_SETCHARFORMAT (WM_USER + 68)
#define EM_SETEVENTMASK (WM_USER + 69)
#define EM_GETTEXTLENGTHEX (WM_USER + 95)

#define LF_FACESIZE 32

#define CFM_BOLD 0x00000001
#define CFM_ITALIC 0x00000002
#define CFM_UNDERLINE 0x00000004
#define CFM_STRIKEOUT 0x00000008
#define CFM_PROTECTED 0x00000010
#define CFM_LINK 0x00000020
#define CFM_WEIGHT 0x00400000
#define CFM_BACKCOLOR 0x04000000
#define CFM_CHARSET 0x08000000
#define CFM_OFFSET 0x10000000
#define CFM_FACE 0x20000000
#define CFM_COLOR 0x40000000
#define CFM_SIZE 0x80000000
#define CFM_EFFECTS (CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_COLOR | CFM_STRIKEOUT | CFM_PROTECTED | CFM_LINK)

#define CFE_BOLD 0x00000001
#define CFE_ITALIC 0x00000002
#define CFE_UNDERLINE 0x00000004
#define CFE_STRIKEOUT 0x00000008
#define CFE_PROTECTED 0x00000010
#define CFE_LINK 0x00000020
#define CFE_AUTOBACKCOLOR CFM_BACKCOLOR
#define CFE_AUTOCOLOR CFM_COLOR

#define SCF_DEFAULT 0x0000
#define SCF_SELECTION 0x0001
#define SCF_WORD 0x0002
#define SCF_ALL 0x0004

#define ENM_NONE 0x00000000
#define ENM_CHANGE 0x00000001
#define ENM_UPDATE 0x00000002
#define ENM_SCROLL 0x00000004
#define ENM_KEYEVENTS 0x00010000
#define ENM_MOUSEEVENTS 0x00020000
#define ENM_SELCHANGE 0x00080000

#define GTL_DEFAULT 0
#define GTL_USECRLF 1
#define GTL_PRECISE 2
#define GTL_CLOSE 4
#define GTL_NUMCHARS 8
#define GTL_NUMBYTES 16

struct CHARRANGE {
  LONG cpMin;
  LONG cpMax;
};

struct CHARFORMAT {
  UINT cbSize;
  DWORD dwMask;
  DWORD dwEffects;
  LONG yHeight;
  LONG yOffset;
  COLORREF crTextColor;
  BYTE bCharSet;
  BYTE bPitchAndFamily;
  char szFaceName[LF_FACESIZE];
};

struct CHARFORMAT2 : CHARFORMAT {
  WORD wWeight;
  SHORT sSpacing;
  COLORREF crBackColor;
  LCID lcid;
  DWORD dwReserved;
  SHORT sStyle;
  WORD wKerning;
  BYTE bUnderlineType;
  BYTE bAnimation;
  BYTE bRevAuthor;
  BYTE bReserved1;
};

struct GETTEXTLENGTHEX {
  DWORD flags;
  UINT codepage;
};

namespace wavorel {

// A run of characters that share one format.
struct RichEditRun {
  LONG cpMin;
  LONG cpMax;
  std::string text;
  DWORD effects;  // CFE_* bits
  COLORREF color;
  COLORREF backColor;
  LONG height;  // twips
  std::string face;
};

// The control's text cut into runs of equal format, in order.
std::vector<RichEditRun> richEditRuns(HWND richEdit);

}  // namespace wavorel
