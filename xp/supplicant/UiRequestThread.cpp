#include "xp/supplicant/UiRequestThread.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>

#include "worker/StationHost.h"
#include "worker/WorkerGlobals.h"
#include "xp/supplicant/Credentials.h"
#include "xp/supplicant/Mailbox.h"
#include "xp/supplicant/PacFile.h"
#include "xp/supplicant/PortManager.h"
#include "xp/supplicant/SupplicantHost.h"
#include "xp/supplicant/SupplicantRegistry.h"
#include "xp/supplicant/UiMarshal.h"

namespace {

constexpr size_t kPromptSize = 513;
constexpr uint32_t kMethodLeap = 5;
constexpr uint32_t kMethodFast = 3;

// The thread's start block.
struct UI_THREAD {
  HANDLE Thread = nullptr;
  DWORD ThreadId = 0;
};

// The library's threads put while the UI thread may be ending the mailbox:
// g_mailboxMutex keeps it alive during a put (a closed mailbox refuses puts
// at once, so none holds the mutex long once the end has begun).
std::mutex g_mailboxMutex;
std::unique_ptr<MAILBOX> g_pMailbox;
std::unique_ptr<UI_THREAD> g_pThread;

// The password prompt: its result (0 while it waits), the event that ends
// the wait, and the answer's texts (kept until the change is stored).
std::mutex g_promptMutex;
HANDLE g_hPromptDone = nullptr;
int g_nPromptResult = kPromptNone;
std::atomic<int> g_bPromptActive{0};
std::atomic<bool> g_bStopping{false};
// Requests put and not yet answered.
std::atomic<int> g_nPending{0};
char g_szPromptPassword[kCredentialTextSize] = {};

// A request record: the receiving port's handle, then the library's request.
struct UI_REQUEST {
  uint32_t Port;
  AC_CRED_REQUEST Request;
};
static_assert(sizeof(UI_REQUEST) == kMailboxRecordSize, "a request record has 7 words");

void SetPromptResult(int result) {
  std::lock_guard<std::mutex> lock(g_promptMutex);
  if (g_nPromptResult == kPromptNone) g_nPromptResult = result;
  if (g_hPromptDone) SetEvent(g_hPromptDone);
}

DWORD UiThreadProc(LPVOID) {
  MAILBOX* mailbox = g_pMailbox.get();
  while (true) {
    UI_REQUEST record{};
    DWORD size = sizeof record;
    uint32_t type = kMailboxStop;
    if (!MailboxGet(&size, mailbox, &type, &record)) break;
    _PM_PORT* port = GetCurrentPort();
    if (!pmPortAddRef(port)) port = nullptr;
    if (type == kMailboxRequest && port && port->Handle == record.Port) DispatchUiRequest(port, record.Request);
    if (port) pmPortDropRef(port);
    if (type == kMailboxRequest) --g_nPending;
    if (type == kMailboxStop) break;
  }
  return 0;
}

void AnswerIdentity(_PM_PORT* port, AC_CRED_REQUEST& r) {
  char prompt[kPromptSize] = {};
  acCredGetIdentityPrompt(port->Handle, &r, prompt, sizeof prompt);
  AC_OBJECT& identity = r.phase ? port->Config.InnerIdentity : port->Config.OuterIdentity;
  if (!identity) {
    const char empty[kCredentialTextSize] = {};
    identity = CreateTextObject(acIdentityCreate, empty, sizeof empty);
  }
  acCredIdentity(port->Handle, &r, identity);
  acCredComplete(port->Handle, &r);
}

void AnswerPassword(_PM_PORT* port, AC_CRED_REQUEST& r) {
  char prompt[kPromptSize] = {};
  acCredGetPasswordPrompt(port->Handle, &r, prompt, sizeof prompt);
  if (r.kind == AC_REQ_CHANGE_PASSWORD) {
    HANDLE thread = CreateThread(nullptr, 0, &StoreChangedPassword, nullptr, 0, nullptr);
    if (thread) {
      WaitForSingleObject(thread, INFINITE);
      CloseHandle(thread);
    }
  }
  PM_PORT_CONFIG& c = port->Config;
  if (c.Password) acPasswordDestroy(c.Password);
  c.Password = 0;
  if (const _PROFILE_DATA* p = SupplicantGetCurrentProfile())
    c.Password = CreateTextObject(acPasswordCreate, p->TunnelPassword, sizeof p->TunnelPassword);
  acCredPassword(port->Handle, &r, c.Password);
  acCredComplete(port->Handle, &r);
}

void AnswerRogueAp(_PM_PORT* port, AC_CRED_REQUEST& r) {
  acPortDisassociate(port->Handle);
  acCredCcxRogueAP(port->Handle, &r);
  acCredComplete(port->Handle, &r);
  if (g_nReassociate == 1) acPortAssociate(port->Handle, &port->Config.Association);
}

}  // namespace

BOOL UiThreadStart() {
  std::lock_guard<std::mutex> mailboxLock(g_mailboxMutex);
  if (g_pMailbox) return TRUE;
  if (!MailboxCreate(g_pMailbox, kUiMailboxSlots, kMailboxRecordSize)) return FALSE;
  {
    std::lock_guard<std::mutex> lock(g_promptMutex);
    if (!g_hPromptDone) g_hPromptDone = CreateEvent(nullptr, TRUE, FALSE, nullptr);
  }
  auto block = std::make_unique<UI_THREAD>();
  block->Thread = CreateThread(nullptr, 0, &UiThreadProc, nullptr, 0, &block->ThreadId);
  if (!block->Thread) {
    MailboxDestroy(g_pMailbox);
    return FALSE;
  }
  g_pThread = std::move(block);
  return TRUE;
}

void UiThreadStop() {
  if (g_pThread) {
    g_bStopping = true;
    MailboxClose(g_pMailbox.get());
    if (g_bPromptActive) SetPromptResult(kPromptCancel);
    MailboxPut(g_pMailbox.get(), kMailboxStop, nullptr);
    WaitForSingleObject(g_pThread->Thread, INFINITE);
    CloseHandle(g_pThread->Thread);
    g_pThread.reset();
    g_bStopping = false;
  }
  {
    std::lock_guard<std::mutex> lock(g_mailboxMutex);
    MailboxDestroy(g_pMailbox);
  }
  std::lock_guard<std::mutex> lock(g_promptMutex);
  if (g_hPromptDone) CloseHandle(g_hPromptDone);
  g_hPromptDone = nullptr;
}

BOOL IsUiThreadRunning() { return g_pThread != nullptr; }

BOOL IsUiRequestPending() { return g_nPending > 0; }

int PostCredRequest(const AC_CRED_REQUEST* request, const _PM_PORT* port) {
  if (!request || !port) return 0;
  const UI_REQUEST record{port->Handle, *request};
  ++g_nPending;
  std::lock_guard<std::mutex> lock(g_mailboxMutex);
  if (MailboxPut(g_pMailbox.get(), kMailboxRequest, &record)) return 0;
  --g_nPending;
  return -1;
}

void DispatchUiRequest(_PM_PORT* port, const AC_CRED_REQUEST& request) {
  if (!port) return;
  AC_CRED_REQUEST r = request;
  switch (r.kind) {
    case AC_REQ_SESSION_START:
      acCredSessionStart(port->Handle, &r, port->Config.Session);
      acCredComplete(port->Handle, &r);
      break;
    case AC_REQ_IDENTITY: AnswerIdentity(port, r); break;
    case AC_REQ_PASSWORD:
    case AC_REQ_CHANGE_PASSWORD:
    case AC_REQ_RETRY_PASSWORD: AnswerPassword(port, r); break;
    case AC_REQ_SERVER_VERIFY: VerifyServerCertificate(port, r); break;
    case AC_REQ_FAST_PAC: LoadPac(port, r); break;
    case AC_REQ_FAST_PAC_STORE: StorePac(port, r); break;
    case AC_REQ_CCX_ROGUE_AP: AnswerRogueAp(port, r); break;
    case AC_REQ_MACHINE_IDENTITY: break;
    default: std::printf("*** UI request type %d not handled ***\n", static_cast<int>(r.kind)); break;
  }
}

DWORD WINAPI StoreChangedPassword(LPVOID) {
  {
    std::lock_guard<std::mutex> lock(g_promptMutex);
    g_nPromptResult = kPromptNone;
    if (g_hPromptDone) ResetEvent(g_hPromptDone);
  }
  // Set only now: a stop that sees the flag ends this prompt, one that does
  // not is seen here.
  g_bPromptActive = 1;
  g_nReassociate = 0;
  if (g_bStopping || !UiMarshalPost(WM_SUPPLICANT_PROMPT, 0, 0)) SetPromptResult(kPromptCancel);
  const int result = RunPromptDialogLoop();
  if (result != kPromptOk) {
    g_bPromptActive = 0;
    return kPromptCancel;
  }
  g_nReassociate = 1;
  char password[kCredentialTextSize] = {};
  {
    std::lock_guard<std::mutex> lock(g_promptMutex);
    std::memcpy(password, g_szPromptPassword, sizeof password - 1);
  }
  WriteSupplicantTexts({"TunnelPassword", "Password"}, password,
                       "RegSetValueEx REGSTR_PROFILE_PASSWORD '%s' failed\n", TRUE);
  g_bPromptActive = 0;
  return kPromptOk;
}

int RunPromptDialogLoop() {
  HANDLE done = nullptr;
  {
    std::lock_guard<std::mutex> lock(g_promptMutex);
    done = g_hPromptDone;
  }
  if (!done) return kPromptCancel;
  WaitForSingleObject(done, INFINITE);
  std::lock_guard<std::mutex> lock(g_promptMutex);
  return g_nPromptResult;
}

void EndPromptDialog() {
  SetPromptResult(kPromptCancel);
  if (CSupplicantHost* host = GetSupplicantHost()) host->ShowPage(kHostDlgLinkStatus);
}

void ShowPasswordPrompt() {
  CSupplicantHost* host = GetSupplicantHost();
  if (!host || !host->HasHostDialog()) return;
  // The server asks for a new password: the prompt's new-password form.
  g_bPromptNewUser = 0;
  g_bPromptOneTimePassword = 0;
  host->ShowPage(kHostDlgPeapSetting);
  host->ExpandHost();
}

void AnswerPasswordPrompt(int result, LPCSTR identity, LPCSTR password) {
  if (!g_bPromptActive) return;
  if (result == kPromptOk) {
    if (_PROFILE_DATA* p = SupplicantGetCurrentProfile()) {
      const auto put = [](char* field, size_t size, LPCSTR text) {
        std::memset(field, 0, size);
        std::snprintf(field, size, "%s", text ? text : "");
      };
      put(p->TunnelID, sizeof p->TunnelID, identity);
      put(p->TunnelPassword, sizeof p->TunnelPassword, password);
      if (p->AuthenProtocol == kMethodLeap || p->AuthenProtocol == kMethodFast) {
        put(p->Identity, sizeof p->Identity, identity);
        put(p->Password, sizeof p->Password, password);
      }
    }
    std::lock_guard<std::mutex> lock(g_promptMutex);
    std::snprintf(g_szPromptPassword, sizeof g_szPromptPassword, "%s", password ? password : "");
  }
  SetPromptResult(result == kPromptOk ? kPromptOk : kPromptCancel);
}

int IsPromptActive() { return g_bPromptActive; }
