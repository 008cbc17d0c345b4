// libFuzzer target for the profile editor's store reader: the input is the
// body of one profile section of the "_prof" file ("[F]" is put in front),
// read by LoadProfile into the editor's pages; what it reads must stay inside
// the pages' bounds (transmit key 0..3, key formats 0 or 1, certificates of
// at most 149 bytes), and saving it again must be readable the same way.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/Platform.h"
#include "tests/fuzz/FuzzRoot.h"
#include "tests/fuzz/ProfileEditorFuzz.h"
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

constexpr DWORD kCertificateLimit = 149;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TemporaryRoot root;
  if (root.path.empty()) return 0;
  g_strDataFolder = "C:\\";
  g_strAdapterGuid = "{FUZZ}";
  g_nFamilyIndex = 8;
  CProfileEditorDlg& editor = FuzzProfileEditor();
  WriteSection(std::string(reinterpret_cast<const char*>(data), size));
  editor.GetSystemConfigPage()->m_strProfileName = "F";
  editor.LoadProfile();
  CheckEditorBounds(editor, kCertificateLimit);
  editor.SaveProfile();
  editor.LoadProfile();
  CheckEditorBounds(editor, kCertificateLimit);
  return 0;
}
