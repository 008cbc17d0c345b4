// libFuzzer target for the XP registry profile store's reader: the input's
// entries become the values of profile "F" (XpRegistryInput.h, key 0), read
// by LoadProfileFromRegistry into the profile editor's pages; what it reads
// must stay inside the pages' bounds, and saving it again must read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/Platform.h"
#include "station/profiles/ProfileEditorDlg.h"
#include "tests/fuzz/FuzzRoot.h"
#include "tests/fuzz/XpRegistryInput.h"
#include "worker/WorkerGlobals.h"
#include "xp/worker/RegistryProfileStore.h"

namespace {

void Check(CProfileEditorDlg& editor) {
  const CPageAuthEncryDlg& security = *editor.GetAuthEncryPage();
  if (security.m_nTransmitKey < 0 || security.m_nTransmitKey > 3) std::abort();
  for (int format : security.m_nKeyFormat)
    if (format != 0 && format != 1) std::abort();
  if (editor.m_8021x.ClientCertLen > 150 || editor.m_8021x.ServerCertLen > 150) std::abort();
  if (editor.GetSystemConfigPage()->m_strSsid.GetLength() > 32) std::abort();
  if (editor.GetSystemConfigPage()->m_nRtsValue > 2347 || editor.GetSystemConfigPage()->m_nRtsValue < 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TemporaryRoot root;
  if (root.path.empty()) return 0;
  static std::unique_ptr<CProfileEditorDlg> editor;
  if (!editor) {
    g_strDriverKey = "SYSTEM\\Fuzz\\0000";
    static HWND host = CreateWindowEx(0, "STATIC", "host", WS_POPUP, 0, 0, 700, 400, nullptr, nullptr, nullptr, nullptr);
    editor = std::make_unique<CProfileEditorDlg>(CWnd::FromHandle(host));
    editor->Create(IDD_PROFILE_EDITOR, CWnd::FromHandle(host));
  }
  if (!editor->GetSystemConfigPage() || !editor->GetAuthEncryPage()) std::abort();
  const std::string base = std::string(g_strDriverKey) + "\\Profile\\Station\\F";
  xpfuzz::WriteEntries(base, data, size);
  editor->GetSystemConfigPage()->m_strProfileName = "F";
  LoadProfileFromRegistry(editor.get());
  Check(*editor);
  if (!SaveProfileToRegistry(editor.get())) std::abort();
  LoadProfileFromRegistry(editor.get());
  Check(*editor);
  return 0;
}
