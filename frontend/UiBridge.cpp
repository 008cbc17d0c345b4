#include "frontend/UiBridge.h"

#include <atomic>
#include <new>

#include "frontend/SkinMessageBox.h"
#include "frontend/UiBridgeValues.h"

namespace {

std::atomic<HWND> g_uiWnd{nullptr};
std::atomic<HWND> g_workerWnd{nullptr};

// Bridge values are held in this process, so only its own windows can take them.
bool isOwnWindow(HWND hwnd) {
  if (hwnd == nullptr || !IsWindow(hwnd)) return false;
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  return pid == GetCurrentProcessId();
}

CString formatInt(int value) {
  CString s;
  s.Format("%d", value);
  return s;
}

const char kSeparator[] = "\r\n";
// The MB_ICON* bits an alert looks at.
constexpr UINT kIconBits = 0x70;

}  // namespace

void SetUINotifyWnd(HWND hwnd) { g_uiWnd = hwnd; }

HWND SetWorkerNotifyWnd(HWND hwnd) {
  g_workerWnd = hwnd;
  return hwnd;
}

BOOL ClearWorkerNotifyWnd(HWND hwnd) {
  if (hwnd == nullptr) return FALSE;
  HWND expected = hwnd;
  return g_workerWnd.compare_exchange_strong(expected, nullptr) ? TRUE : FALSE;
}

int SendNotifyText(HWND target, UINT code, const char* text, BOOL post) {
  if (text == nullptr || !isOwnWindow(target)) return -1;
  auto& values = CUiBridgeValues::Instance();
  LPARAM token = 0;
  try {
    token = values.Add(target, text);
  } catch (const std::bad_alloc&) {
    return -1;
  }
  if (post) {
    if (PostMessage(target, WM_UIBRIDGE, code, token)) return 0;
    values.Release(token);
    return -1;
  }
  LRESULT result = SendMessage(target, WM_UIBRIDGE, code, token);
  values.Release(token);  // a receiver that did not take it
  return static_cast<int>(result);
}

int NotifyUI(UINT code, const char* text, BOOL post) { return SendNotifyText(g_uiWnd, code, text, post); }

int NotifyWorker(UINT code, const char* text, BOOL post) { return SendNotifyText(g_workerWnd, code, text, post); }

int NotifyUIInt(UINT code, int value, BOOL post) { return NotifyUI(code, formatInt(value), post); }

int NotifyWorkerInt(UINT code, int value, BOOL post) { return NotifyWorker(code, formatInt(value), post); }

int NotifyUIMessageBox(const char* text, const char* caption, UINT type) {
  CString value = formatInt(static_cast<int>(type));
  value += kSeparator;
  value += caption ? caption : "";
  value += kSeparator;
  value += text ? text : "";
  return NotifyUI(BRIDGE_UI_MESSAGE_BOX, value, FALSE);
}

int NotifyUIAlert(const char* text, UINT type) {
  if ((type & kIconBits) == 0) type |= MB_ICONEXCLAMATION;
  return NotifyUIMessageBox(text, nullptr, type);
}

int ParseMessageBoxNotify(const CString& value, CString& caption, CString& text) {
  const int sepLen = static_cast<int>(sizeof(kSeparator) - 1);
  int first = value.Find(kSeparator);
  if (first < 0) return -1;
  int second = value.Find(kSeparator, first + sepLen);
  if (second < 0) return -1;
  caption = value.Mid(first + sepLen, second - first - sepLen);
  text = value.Mid(second + sepLen);
  return atoi(value.Left(first));
}

int OnBridgeMessageBox(const CString& value) {
  CString caption;
  CString text;
  int type = ParseMessageBoxNotify(value, caption, text);
  if (type < 0) return -1;
  return SkinMessageBox(static_cast<UINT>(type), caption, text);
}

int ParseConnectionState(const CString& value, CString& text) {
  if (value.GetLength() < 2) {
    text.Empty();
    return atoi(value);
  }
  text = value.Mid(2);
  return atoi(value.Left(2));
}

CString TakeNotifyText(WPARAM, LPARAM lParam) {
  CString text;
  if (lParam != 0) CUiBridgeValues::Instance().Take(lParam, text);
  return text;
}

int CountPendingNotifyTexts() { return CUiBridgeValues::Instance().Count(); }

CString MakeNotifyField(const char* text) {
  CString field(text);
  const int length = field.GetLength();
  MendNotifyField(field.GetBuffer(length), static_cast<size_t>(length));
  field.ReleaseBuffer(length);
  return field;
}

void MendNotifyField(char* field, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    if (field[i] == '\t') {
      field[i] = ' ';
    } else if (field[i] == '\r' && i + 1 < length && field[i + 1] == '\n') {
      field[i] = field[i + 1] = ' ';
      ++i;
    }
  }
}

BOOL SetComboCurSelSafe(CComboBox* combo, int index) {
  if (combo == nullptr || !IsWindow(combo->GetSafeHwnd())) return FALSE;
  if (index < 0 || index >= combo->GetCount()) return FALSE;
  return combo->SetCurSel(index) != CB_ERR ? TRUE : FALSE;
}

BOOL SetListBoxCurSelSafe(CListBox* list, int index) {
  if (list == nullptr || !IsWindow(list->GetSafeHwnd())) return FALSE;
  if (index < 0 || index >= list->GetCount()) return FALSE;
  return list->SetCurSel(index) != LB_ERR ? TRUE : FALSE;
}
