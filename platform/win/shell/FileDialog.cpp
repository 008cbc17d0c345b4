#include "platform/win/shell/FileDialog.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/win/user/ClassRegistry.h"
#include "platform/win/user/Dialog.h"
#include "platform/win/kernel/FileSystem.h"
#include "platform/win/user/ModalLoop.h"
#include "platform/win/kernel/Paths.h"

namespace {

constexpr char kClassName[] = "WavorelFileDialog";

thread_local DWORD t_error = 0;

// What the window works with while it is open.
struct Session {
  OPENFILENAME* ofn;
  bool save;
  std::string path;  // the accepted full path
};

void registerFileDialogClass();
const bool g_added = (wavorel::addSystemClassRegistrar(registerFileDialogClass), true);

std::string editText(HWND dialog) {
  HWND edit = GetDlgItem(dialog, edt1);
  std::string text(static_cast<size_t>(GetWindowTextLength(edit)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowText(edit, &text[0], static_cast<int>(text.size()))));
  return text;
}

// The filter's strings, description and pattern in turn (a description
// without its pattern gets an empty one).
std::vector<std::string> filterStrings(LPCSTR filter) {
  std::vector<std::string> out;
  for (LPCSTR p = filter; p && *p; p += std::strlen(p) + 1) out.emplace_back(p);
  if (out.size() % 2) out.emplace_back();
  return out;
}

bool isRelative(const std::string& name) {
  return !(name.size() >= 2 && name[1] == ':') && name[0] != '\\' && name[0] != '/';
}

bool isFolder(const std::string& path) {
  DWORD attributes = GetFileAttributes(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

size_t nameStart(const std::string& path) {
  size_t sep = path.find_last_of("\\/");
  return sep == std::string::npos ? 0 : sep + 1;
}

bool refuse(HWND dialog, const std::string& name, const char* why) {
  std::string text = name + "\n" + why;
  char caption[256] = "";
  GetWindowText(dialog, caption, static_cast<int>(sizeof caption));
  MessageBox(dialog, text.c_str(), caption, MB_OK | MB_ICONWARNING);
  return false;
}

// The typed name checked against the flags; true with session.path set when
// it is accepted.
bool accept(HWND dialog, Session& session) {
  const OPENFILENAME& ofn = *session.ofn;
  std::string name = editText(dialog);
  if (name.empty() || name.find_first_of("*?") != std::string::npos) return false;
  std::string withExt = name;
  if (ofn.lpstrDefExt && *ofn.lpstrDefExt && withExt.find('.', nameStart(withExt)) == std::string::npos)
    withExt += "." + std::string(ofn.lpstrDefExt).substr(0, 3);
  if (isRelative(withExt)) {
    std::string base = ofn.lpstrInitialDir && *ofn.lpstrInitialDir ? ofn.lpstrInitialDir : wavorel::currentDirectory();
    withExt = base + "\\" + withExt;
  }
  std::string full = wavorel::fullWindowsPath(withExt);
  if (full.empty()) return refuse(dialog, name, "The file name is not valid.");
  DWORD attributes = GetFileAttributes(full.c_str());
  bool exists = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  if ((ofn.Flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) && !isFolder(full.substr(0, nameStart(full))))
    return refuse(dialog, name, "Path does not exist.\nCheck the path and try again.");
  if ((ofn.Flags & OFN_FILEMUSTEXIST) && !exists)
    return refuse(dialog, name, "File not found.\nCheck the file name and try again.");
  if (session.save && (ofn.Flags & OFN_OVERWRITEPROMPT) && exists) {
    char caption[256] = "";
    GetWindowText(dialog, caption, static_cast<int>(sizeof caption));
    std::string text = name + " already exists.\nDo you want to replace it?";
    if (MessageBox(dialog, text.c_str(), caption, MB_YESNO | MB_ICONWARNING) != IDYES) return false;
  }
  session.path = full;
  return true;
}

LRESULT CALLBACK fileDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* session = reinterpret_cast<Session*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
  switch (msg) {
    case WM_NCCREATE:
      SetWindowLongPtr(hwnd, GWLP_USERDATA,
                       reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCT*>(lParam)->lpCreateParams));
      break;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK && session) {
        wavorel::endModal(hwnd, accept(hwnd, *session) ? IDOK : IDCANCEL);
        return 0;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        wavorel::endModal(hwnd, IDCANCEL);
        return 0;
      }
      break;
    case WM_CLOSE:
      wavorel::endModal(hwnd, IDCANCEL);
      return 0;
    default:
      break;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

void registerFileDialogClass() {
  WNDCLASS wc{};
  wc.style = CS_GLOBALCLASS;
  wc.lpfnWndProc = fileDialogProc;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  wc.lpszClassName = kClassName;
  RegisterClass(&wc);
}

HWND createWindow(Session& session, const std::string& caption, const std::string& initialName) {
  HWND dialog = CreateWindowEx(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kClassName, caption.c_str(),
                               WS_POPUP | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 420, 110,
                               session.ofn->hwndOwner, nullptr, nullptr, &session);
  if (dialog == nullptr) return nullptr;
  struct Child {
    LPCSTR className;
    LPCSTR text;
    int id;
    DWORD style;
    RECT r;
  };
  const Child children[] = {
      {WC_STATIC, "File &name:", -1, SS_LEFT, {10, 14, 80, 30}},
      {WC_EDIT, initialName.c_str(), edt1, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, {85, 10, 400, 32}},
      {WC_BUTTON, session.save ? "&Save" : "&Open", IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, {230, 44, 310, 68}},
      {WC_BUTTON, "Cancel", IDCANCEL, WS_TABSTOP | BS_PUSHBUTTON, {320, 44, 400, 68}},
  };
  for (const Child& c : children) {
    if (!CreateWindowEx(0, c.className, c.text, WS_CHILD | WS_VISIBLE | c.style, c.r.left, c.r.top,
                        c.r.right - c.r.left, c.r.bottom - c.r.top, dialog,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), nullptr, nullptr)) {
      DestroyWindow(dialog);
      return nullptr;
    }
  }
  return dialog;
}

void copyCut(LPSTR buffer, DWORD size, const std::string& text) {
  if (buffer == nullptr || size == 0) return;
  size_t n = std::min<size_t>(text.size(), size - 1);
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
}

// Hands the accepted path back through the structure.
BOOL deliver(OPENFILENAME& ofn, const std::string& path) {
  if (path.size() + 1 > ofn.nMaxFile) {
    if (ofn.nMaxFile >= 2) {
      WORD needed = static_cast<WORD>(std::min<size_t>(path.size() + 1, 0xFFFF));
      std::memcpy(ofn.lpstrFile, &needed, sizeof needed);
    }
    t_error = FNERR_BUFFERTOOSMALL;
    return FALSE;
  }
  std::memcpy(ofn.lpstrFile, path.c_str(), path.size() + 1);
  size_t start = nameStart(path);
  size_t dot = path.rfind('.');
  ofn.nFileOffset = static_cast<WORD>(start);
  if (dot == std::string::npos || dot < start)
    ofn.nFileExtension = static_cast<WORD>(path.size());
  else
    ofn.nFileExtension = static_cast<WORD>(dot + 1 == path.size() ? 0 : dot + 1);
  copyCut(ofn.lpstrFileTitle, ofn.nMaxFileTitle, path.substr(start));
  DWORD filters = static_cast<DWORD>(filterStrings(ofn.lpstrFilter).size() / 2);
  if (filters && (ofn.nFilterIndex > filters || (ofn.nFilterIndex == 0 && ofn.lpstrCustomFilter == nullptr)))
    ofn.nFilterIndex = 1;
  if (!(ofn.Flags & OFN_NOCHANGEDIR)) wavorel::setCurrentDirectory(path.substr(0, start));
  return TRUE;
}

BOOL runFileDialog(LPOPENFILENAME ofn, bool save) {
  t_error = 0;
  if (ofn == nullptr || ofn->lStructSize != sizeof(OPENFILENAME)) {
    t_error = CDERR_STRUCTSIZE;
    return FALSE;
  }
  if (ofn->lpstrFile == nullptr || ofn->nMaxFile == 0) {
    t_error = CDERR_INITIALIZATION;
    return FALSE;
  }
  Session session{ofn, save, {}};
  std::string initialName(ofn->lpstrFile, strnlen(ofn->lpstrFile, ofn->nMaxFile));
  std::string caption = ofn->lpstrTitle ? ofn->lpstrTitle : save ? "Save As" : "Open";
  HWND dialog = createWindow(session, caption, initialName);
  if (dialog == nullptr) {
    t_error = CDERR_DIALOGFAILURE;
    return FALSE;
  }
  HWND owner = ofn->hwndOwner ? GetAncestor(ofn->hwndOwner, GA_ROOT) : nullptr;
  bool disabledOwner = owner && IsWindowEnabled(owner);
  if (disabledOwner) EnableWindow(owner, FALSE);
  ShowWindow(dialog, SW_SHOWNORMAL);
  wavorel::setDialogFocus(dialog, GetDlgItem(dialog, edt1));

  wavorel::ModalWindow window;
  window.hwnd = dialog;
  window.kind = wavorel::ModalWindow::Kind::FileDialog;
  window.caption = caption;
  window.text = initialName;
  window.buttons = {IDOK, IDCANCEL};
  window.defaultButton = IDOK;
  window.labels = filterStrings(ofn->lpstrFilter);
  wavorel::ModalQuestion question{[&window] { return window; }, [dialog](int answer) {
                                    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                                                reinterpret_cast<LPARAM>(GetDlgItem(dialog, answer)));
                                  }};
  wavorel::runModalLoop(
      dialog, {}, [dialog](MSG& msg) { return IsDialogMessage(dialog, &msg) != FALSE; }, &question);
  INT_PTR result = IDCANCEL;
  if (!wavorel::takeModalResult(dialog, &result)) result = IDCANCEL;
  if (disabledOwner && IsWindow(owner)) EnableWindow(owner, TRUE);
  if (IsWindow(dialog)) DestroyWindow(dialog);
  return result == IDOK ? deliver(*ofn, session.path) : FALSE;
}

}  // namespace

BOOL GetOpenFileName(LPOPENFILENAME lpofn) { return runFileDialog(lpofn, false); }

BOOL GetSaveFileName(LPOPENFILENAME lpofn) { return runFileDialog(lpofn, true); }

DWORD CommDlgExtendedError() { return t_error; }
