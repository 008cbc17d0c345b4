#include "xp/worker/CredentialPrompt.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/win/user/ModalLoop.h"
#include "station/profiles/PageSSODlg.h"
#include "station/profiles/PeapSettingDlg.h"
#include "worker/HideDlg.h"
#include "worker/WorkerGlobals.h"
#include "xp/supplicant/UiRequestThread.h"
#include "xp/worker/RegistryKey.h"

namespace {

bool g_running = false;

// "SavedPassword" of the single sign-on key: where the logon takes its
// identity and password from.
constexpr char kWinlogonIdentity[] = "0";
constexpr char kProfileIdentity[] = "1";

std::string ItemText(HWND dialog, int id) {
  char text[kPeapCredentialMax + 1] = {};
  GetDlgItemText(dialog, id, text, sizeof text);
  return text;
}

void PutText(char* field, size_t size, const std::string& text) {
  std::memset(field, 0, size);
  std::snprintf(field, size, "%s", text.c_str());
}

// The prompt shown through the worker (which keeps the shown index) when it
// owns `host`, else through the host itself; the host in its expanded layout.
void ShowPrompt(CStationHost& host) {
  if (g_pHideDlg && g_pHideDlg->GetHost() == &host)
    g_pHideDlg->ShowPage(kHostDlgPeapSetting);
  else
    host.ShowSecondaryDialog(kHostDlgPeapSetting);
  g_bHostExpanded = 0;
  host.ToggleLayout();
}

// The prompt as a modal window: its caption and description, OK and Cancel;
// an answer presses the button (IDCANCEL closes it). Cancel is the answer
// when nobody is there to type: OK with empty fields only warns and leaves
// the prompt waiting for good.
wavorel::ModalQuestion Question(HWND prompt) {
  wavorel::ModalQuestion question;
  question.describe = [prompt] {
    wavorel::ModalWindow window;
    window.hwnd = prompt;
    char caption[128] = {};
    GetWindowText(prompt, caption, sizeof caption);
    window.caption = caption;
    window.text = ItemText(prompt, IDC_PEAP_DESCRIPTION);
    window.buttons = {IDC_PEAP_OK, IDCANCEL};
    window.defaultButton = IDCANCEL;
    return window;
  };
  question.press = [prompt](int id) {
    SendMessage(prompt, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(prompt, id)));
  };
  return question;
}

// Runs the prompt in the form the two flags choose; OK leaves the edits'
// texts in `identity` and `password`.
int AskUser(CStationHost* host, BOOL newUser, const std::string& preset, std::string& identity,
            std::string& password) {
  CDialog* prompt = host ? host->GetSecondaryDialog(kHostDlgPeapSetting) : nullptr;
  const HWND window = prompt ? prompt->GetSafeHwnd() : nullptr;
  if (!window || !IsWindow(window) || g_running) return kPromptNone;
  g_bPromptNewUser = newUser;
  g_bPromptOneTimePassword = !newUser;
  g_nPeapPromptResult = 0;
  g_running = true;
  ShowPrompt(*host);
  if (!newUser) SetDlgItemText(window, IDC_PEAP_IDENTITY, preset.c_str());
  SetDlgItemText(window, IDC_PEAP_PASSWORD, "");
  const wavorel::ModalQuestion question = Question(window);
  const bool answered = wavorel::runModalLoop(
      window, [window] { return g_nPeapPromptResult != 0 || !(GetWindowLong(window, GWL_STYLE) & WS_VISIBLE); },
      [window](MSG& msg) { return IsDialogMessage(window, &msg) != FALSE; }, &question);
  g_running = false;
  if (!answered || g_nPeapPromptResult != kPeapPromptOk || !IsWindow(window)) return kPromptCancel;
  identity = ItemText(window, IDC_PEAP_IDENTITY);
  password = ItemText(window, IDC_PEAP_PASSWORD);
  return kPromptOk;
}

// Takes an answered prompt's texts into the identity/password pair.
int Answer(int result, const std::string& identity, const std::string& password, _PROFILE_DATA& credentials) {
  if (result != kPromptOk) return result;
  PutText(credentials.Identity, sizeof credentials.Identity, identity);
  PutText(credentials.Password, sizeof credentials.Password, password);
  g_bApplyRequested = 1;
  return kPromptOk;
}

}  // namespace

int RunXpCredentialPrompt(CStationHost* host, _PROFILE_DATA& credentials) {
  const std::string preset = credentials.TunnelID[0] ? credentials.TunnelID : credentials.Identity;
  std::string identity, password;
  const int result = AskUser(host, FALSE, preset, identity, password);
  return Answer(result, identity, password, credentials);
}

int TakeXpLogonCredentials(CStationHost* host, _PROFILE_DATA& credentials) {
  CRegistryKey sso;
  if (sso.Open(HKEY_LOCAL_MACHINE, kSsoKeyPath, KEY_READ) != ERROR_SUCCESS) return kPromptNone;
  std::string install, enable, source = kWinlogonIdentity;
  if (!sso.ReadText("SSOInstall", CRegistryKey::kValueSize, install) || install != "1") return kPromptNone;
  if (!sso.ReadText("SSOEnable", CRegistryKey::kValueSize, enable) || enable == "0") return kPromptNone;
  sso.ReadText("SavedPassword", CRegistryKey::kValueSize, source);
  if (source == kWinlogonIdentity || source == kProfileIdentity) return kPromptNone;
  std::string identity, password;
  const int result = AskUser(host, TRUE, "", identity, password);
  return Answer(result, identity, password, credentials);
}

BOOL IsXpCredentialPromptRunning() { return g_running; }
