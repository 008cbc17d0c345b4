// The language library: translations of the program's English texts.
//
// Each language type has a file "Language\<type>.ini" in the program folder
// with one section "Text" of lines "English text=translated text". The key is
// the English text as the program passes it (matched without regard to case;
// it cannot hold '=' or begin or end with blanks); the translation may be
// enclosed in quotes to keep blanks at its ends. "English" is the language of
// the texts themselves and needs no file; its file, when present, supplies
// texts that have no fixed English wording (such as "CompanyName").
#pragma once

#include "platform/mfc/String.h"
#include "platform/win/kernel/Types.h"

// The text of the key in the current language; else in the English file;
// else the key itself.
CString GetMLText(LPCTSTR lpszKey);
// Makes a language type current. A type other than "English" must have its
// file; otherwise (and for an empty name or one naming another folder) the
// current type stays and the result is FALSE.
BOOL SetCurLanguageType(LPCTSTR lpszType);
// The current type's name ("English" until another is made current).
CString GetCurLanguageType();
// The type used when no other is chosen: "English".
CString GetDefaultLanguageType();
