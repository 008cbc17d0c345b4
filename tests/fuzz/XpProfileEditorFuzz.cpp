// libFuzzer target for the XP registry profile store's reader: the input's
// entries become the values of profile "F" (XpRegistryInput.h, key 0), read
// by LoadProfileFromRegistry into the profile editor's pages; what it reads
// must stay inside the pages' bounds, and saving it again must read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/Platform.h"
#include "tests/fuzz/FuzzRoot.h"
#include "tests/fuzz/ProfileEditorFuzz.h"
#include "tests/fuzz/XpRegistryInput.h"
#include "worker/WorkerGlobals.h"
#include "xp/worker/RegistryProfileStore.h"

namespace {

constexpr DWORD kCertificateLimit = 150;

void Check(CProfileEditorDlg& editor) {
  CheckEditorBounds(editor, kCertificateLimit);
  if (editor.GetSystemConfigPage()->m_strSsid.GetLength() > 32) std::abort();
  if (editor.GetSystemConfigPage()->m_nRtsValue > 2347 || editor.GetSystemConfigPage()->m_nRtsValue < 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TemporaryRoot root;
  if (root.path.empty()) return 0;
  g_strDriverKey = "SYSTEM\\Fuzz\\0000";
  CProfileEditorDlg& editor = FuzzProfileEditor();
  const std::string base = std::string(g_strDriverKey) + "\\Profile\\Station\\F";
  xpfuzz::WriteEntries(base, data, size);
  editor.GetSystemConfigPage()->m_strProfileName = "F";
  LoadProfileFromRegistry(&editor);
  Check(editor);
  if (!SaveProfileToRegistry(&editor)) std::abort();
  LoadProfileFromRegistry(&editor);
  Check(editor);
  return 0;
}
