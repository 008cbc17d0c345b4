// The XP build's station profile store: one registry key per profile,
// HKEY_LOCAL_MACHINE\<adapter driver key>\Profile\Station\<name>, every value
// a REG_SZ text. SaveProfileToRegistry writes the profile editor's pages into
// it, LoadProfileFromRegistry reads it back into them. UI thread.
#pragma once

#include "platform/Platform.h"

class CProfileEditorDlg;

// The key path of profile `name` below HKEY_LOCAL_MACHINE.
CString StationProfileKeyPath(const CString& name);
// A name the store can keep as one key: not empty, no "\".
BOOL IsRegistryProfileName(const CString& name);

// Writes the editor's profile (named by its system-configuration page) in the
// store's value order. FALSE, nothing written, when the name is refused or
// the key cannot be created; a value that cannot be written is skipped.
BOOL SaveProfileToRegistry(CProfileEditorDlg* editor);
// Reads the profile named by the editor's system-configuration page into the
// three pages and the editor, mirroring the security fields to the front end;
// a value that cannot be read leaves its field. The pages are refreshed from
// their fields in any case. 1, or 0 when the profile's key cannot be opened
// (a refused name included): nothing was read.
int LoadProfileFromRegistry(CProfileEditorDlg* editor);
