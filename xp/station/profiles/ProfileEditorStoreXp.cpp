// CProfileEditorDlg's store mapping in the XP build: one registry key per
// profile below the adapter's driver key (xp/worker/RegistryProfileStore.h).
#include "station/profiles/ProfileEditorDlg.h"
#include "xp/worker/RegistryProfileStore.h"

BOOL CProfileEditorDlg::SaveProfile() { return SaveProfileToRegistry(this); }

BOOL CProfileEditorDlg::LoadProfile() { return LoadProfileFromRegistry(this) != 0; }
