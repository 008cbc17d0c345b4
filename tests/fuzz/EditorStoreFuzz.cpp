// libFuzzer target for the profile editor's store reader: the input is the
// body of one profile section of the "_prof" file ("[F]" is put in front),
// read by LoadProfile into the editor's pages; what it reads must stay inside
// the pages' bounds (transmit key 0..3, key formats 0 or 1, certificates of
// at most 149 bytes), and saving it again must be readable the same way.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/Platform.h"
#include "station/profiles/ProfileEditorDlg.h"
#include "tests/fuzz/FuzzRoot.h"
#include "worker/IniProfileStore.h"
#include "worker/WorkerGlobals.h"

namespace {

void WriteSection(const std::string& body) {
  const CString file = IniProfileFileName(g_strAdapterGuid, kIniKindProfiles, 0);
  HANDLE handle = CreateFile(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return;
  const std::string text = "[F]\r\n" + body;
  DWORD written = 0;
  WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(handle);
  WritePrivateProfileString(nullptr, nullptr, nullptr, file);
}

void Check(CProfileEditorDlg& editor) {
  const CPageAuthEncryDlg& security = *editor.GetAuthEncryPage();
  if (security.m_nTransmitKey < 0 || security.m_nTransmitKey > 3) std::abort();
  for (int format : security.m_nKeyFormat)
    if (format != 0 && format != 1) std::abort();
  if (editor.m_8021x.ClientCertLen > 149 || editor.m_8021x.ServerCertLen > 149) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TemporaryRoot root;
  if (root.path.empty()) return 0;
  static std::unique_ptr<CProfileEditorDlg> editor;
  if (!editor) {
    g_strDataFolder = "C:\\";
    g_strAdapterGuid = "{FUZZ}";
    g_nFamilyIndex = 8;
    // The editor is a child dialog: a plain pop-up stands for the host.
    static HWND host = CreateWindowEx(0, "STATIC", "host", WS_POPUP, 0, 0, 700, 400, nullptr, nullptr, nullptr, nullptr);
    editor = std::make_unique<CProfileEditorDlg>(CWnd::FromHandle(host));
    editor->Create(IDD_PROFILE_EDITOR, CWnd::FromHandle(host));
  }
  if (!editor->GetSystemConfigPage() || !editor->GetAuthEncryPage()) std::abort();
  WriteSection(std::string(reinterpret_cast<const char*>(data), size));
  editor->GetSystemConfigPage()->m_strProfileName = "F";
  editor->LoadProfile();
  Check(*editor);
  editor->SaveProfile();
  editor->LoadProfile();
  Check(*editor);
  return 0;
}
