// The Open and Save As dialogs (GetOpenFileName, GetSaveFileName).
//
// The dialog is a modal window with a file name edit (id edt1), an Open (or
// Save) button (IDOK) and Cancel (IDCANCEL). It is shown to the modal
// responder as a ModalWindow of kind FileDialog (text: the initial file name;
// labels: the filter, description and pattern in turn). The responder types a
// name into edt1 and answers IDOK, or answers IDCANCEL; a headless run
// cancels.
//
// On OK the name gets the default extension when it has none, and a relative
// name is taken against lpstrInitialDir (else the current directory). A name
// the flags refuse (OFN_PATHMUSTEXIST, OFN_FILEMUSTEXIST, OFN_OVERWRITEPROMPT
// answered No) is explained in a message box owned by the dialog, and then
// the dialog ends as cancelled: with no user to try another name, it does not
// stay open. So does an empty name or one with wildcards.
//
// The chosen full path goes to lpstrFile (nFileOffset: where the name starts;
// nFileExtension: where the extension starts, the end when there is none, 0
// when the name ends in '.'), the name alone to lpstrFileTitle (cut to fit).
// When lpstrFile cannot hold the path, the result is FALSE with
// FNERR_BUFFERTOOSMALL and the first two bytes of lpstrFile hold the size it
// needs, in characters with the terminating null. Unless OFN_NOCHANGEDIR, the
// current directory becomes the folder of the chosen file.
#pragma once

#include "platform/win/user/User.h"

typedef UINT_PTR(CALLBACK* LPOFNHOOKPROC)(HWND, UINT, WPARAM, LPARAM);

struct OPENFILENAME {
  DWORD lStructSize;
  HWND hwndOwner;
  HINSTANCE hInstance;
  LPCSTR lpstrFilter;  // pairs of strings, ended by an empty string
  LPSTR lpstrCustomFilter;
  DWORD nMaxCustFilter;
  DWORD nFilterIndex;  // 1-based
  LPSTR lpstrFile;
  DWORD nMaxFile;
  LPSTR lpstrFileTitle;
  DWORD nMaxFileTitle;
  LPCSTR lpstrInitialDir;
  LPCSTR lpstrTitle;
  DWORD Flags;
  WORD nFileOffset;
  WORD nFileExtension;
  LPCSTR lpstrDefExt;  // up to three characters are added
  LPARAM lCustData;
  LPOFNHOOKPROC lpfnHook;
  LPCSTR lpTemplateName;
  void* pvReserved;
  DWORD dwReserved;
  DWORD FlagsEx;
};
typedef OPENFILENAME* LPOPENFILENAME;

#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004  // there is no read-only check box here
#define OFN_NOCHANGEDIR 0x00000008
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000  // implies OFN_PATHMUSTEXIST

// CommDlgExtendedError codes.
#define CDERR_STRUCTSIZE 0x0001
#define CDERR_INITIALIZATION 0x0002
#define CDERR_DIALOGFAILURE 0xFFFF
#define FNERR_BUFFERTOOSMALL 0x3003

// The file name edit.
#define edt1 0x0480

// TRUE when a file was chosen; FALSE when cancelled or on an error
// (CommDlgExtendedError tells which; 0 for a cancel).
BOOL GetOpenFileName(LPOPENFILENAME lpofn);
BOOL GetSaveFileName(LPOPENFILENAME lpofn);
// The error of the calling thread's last file dialog.
DWORD CommDlgExtendedError();
