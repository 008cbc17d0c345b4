#include "platform/mfc/DataExchange.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/mfc/UserException.h"
#include "platform/mfc/WinApp.h"
#include "platform/win/user/Dialog.h"

namespace {

// MFC's prompts.
constexpr const char* kParseInt = "Please enter an integer.";
constexpr const char* kParseUInt = "Please enter a positive integer.";
constexpr const char* kParseByte = "Please enter an integer between 0 and 255.";
constexpr const char* kParseReal = "Please enter a number.";
constexpr const char* kIntRange = "Please enter an integer between %1 and %2.";
constexpr const char* kStringSize = "Please enter no more than %1 characters.";

CString windowText(HWND hWnd) {
  CString text;
  // Most texts fit a small buffer and are read with one message; one that
  // may not fit is read again at its length.
  char small[256];
  const int copied = ::GetWindowText(hWnd, small, static_cast<int>(sizeof small));
  if (copied >= 0 && copied < static_cast<int>(sizeof small) - 1) {
    small[copied] = '\0';
    text = small;
    return text;
  }
  int length = ::GetWindowTextLength(hWnd);
  std::string buffer(static_cast<size_t>(length) + 1, '\0');
  buffer.resize(static_cast<size_t>(::GetWindowText(hWnd, &buffer[0], length + 1)));
  text = buffer.c_str();
  return text;
}

// Sets a control's text only when it differs.
void setWindowText(HWND hWnd, const char* text) {
  if (windowText(hWnd) != text) ::SetWindowText(hWnd, text);
}

CString prompt(const char* format, const std::string& first, const std::string& second = "") {
  std::string text = format;
  for (auto [mark, value] : {std::pair<const char*, const std::string*>{"%1", &first}, {"%2", &second}}) {
    size_t at = text.find(mark);
    if (at != std::string::npos) text.replace(at, 2, *value);
  }
  return CString(text.c_str());
}

[[noreturn]] void failWith(CDataExchange* pDX, const CString& message, UINT type = MB_OK) {
  AfxMessageBox(message, type);
  pDX->Fail();
}

// A whole number as MFC reads one: blanks, a sign, digits, blanks; within
// [minVal, maxVal].
bool parseWhole(const CString& text, long long minVal, long long maxVal, long long& out) {
  const char* p = text;
  while (*p == ' ' || *p == '\t') ++p;
  bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  if (*p < '0' || *p > '9') return false;
  long long value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    value = value * 10 + (*p - '0');
    if (value > maxVal - minVal + 1) return false;
  }
  while (*p == ' ' || *p == '\t') ++p;
  if (*p != '\0') return false;
  if (negative) value = -value;
  if (value < minVal || value > maxVal) return false;
  out = value;
  return true;
}

template <typename T>
void exchangeWhole(CDataExchange* pDX, int nIDC, T& value, long long minVal, long long maxVal, const char* error) {
  HWND hWnd = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    long long parsed = 0;
    if (!parseWhole(windowText(hWnd), minVal, maxVal, parsed)) failWith(pDX, error);
    value = static_cast<T>(parsed);
  } else {
    setWindowText(hWnd, std::to_string(static_cast<long long>(value)).c_str());
  }
}

template <typename T>
void exchangeReal(CDataExchange* pDX, int nIDC, T& value, int digits) {
  HWND hWnd = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) {
    CString text = windowText(hWnd);
    const char* begin = text;
    char* end = nullptr;
    errno = 0;
    double parsed = std::strtod(begin, &end);
    while (end && (*end == ' ' || *end == '\t')) ++end;
    if (end == begin || *end != '\0' || errno == ERANGE) failWith(pDX, kParseReal);
    value = static_cast<T>(parsed);
  } else {
    char text[64];
    std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
    setWindowText(hWnd, text);
  }
}

template <typename T>
void validateRange(CDataExchange* pDX, T value, T minVal, T maxVal) {
  if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal)) return;
  failWith(pDX, prompt(kIntRange, std::to_string(minVal), std::to_string(maxVal)), MB_ICONEXCLAMATION);
}

bool isRadio(HWND hWnd) { return (::SendMessage(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0; }

}  // namespace

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
  HWND hWnd = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
  if (hWnd == nullptr) AfxThrowInvalidArgException();
  m_idLastControl = hWnd;
  m_bEditLastControl = FALSE;
  return hWnd;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
  HWND hWnd = PrepareCtrl(nIDC);
  m_bEditLastControl = TRUE;
  return hWnd;
}

void CDataExchange::Fail() {
  if (m_bSaveAndValidate && m_idLastControl) {
    if (m_bEditLastControl) ::SendMessage(m_idLastControl, EM_SETSEL, 0, -1);
    ::SetFocus(m_idLastControl);
  }
  AfxThrowUserException();
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWnd = pDX->PrepareEditCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    value = windowText(hWnd);
  else
    setWindowText(hWnd, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) { exchangeWhole(pDX, nIDC, value, INT_MIN, INT_MAX, kParseInt); }
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) { exchangeWhole(pDX, nIDC, value, 0, UINT_MAX, kParseUInt); }
void DDX_Text(CDataExchange* pDX, int nIDC, long& value) { exchangeWhole(pDX, nIDC, value, INT_MIN, INT_MAX, kParseInt); }
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value) { exchangeWhole(pDX, nIDC, value, 0, 255, kParseByte); }
void DDX_Text(CDataExchange* pDX, int nIDC, short& value) {
  exchangeWhole(pDX, nIDC, value, SHRT_MIN, SHRT_MAX, kParseInt);
}
void DDX_Text(CDataExchange* pDX, int nIDC, float& value) { exchangeReal(pDX, nIDC, value, FLT_DIG); }
void DDX_Text(CDataExchange* pDX, int nIDC, double& value) { exchangeReal(pDX, nIDC, value, DBL_DIG); }

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
  HWND hWnd = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    value = static_cast<int>(::SendMessage(hWnd, BM_GETCHECK, 0, 0));
  else
    ::SendMessage(hWnd, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
  HWND hWnd = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate) value = -1;
  int index = 0;
  for (HWND c = hWnd; c; c = ::GetWindow(c, GW_HWNDNEXT)) {
    if (c != hWnd && (::GetWindowLong(c, GWL_STYLE) & WS_GROUP)) break;
    if (!isRadio(c)) continue;
    if (pDX->m_bSaveAndValidate) {
      if (::SendMessage(c, BM_GETCHECK, 0, 0) != BST_UNCHECKED) value = index;
    } else {
      ::SendMessage(c, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    ++index;
  }
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index) {
  HWND hWnd = pDX->PrepareCtrl(nIDC);
  if (pDX->m_bSaveAndValidate)
    index = static_cast<int>(::SendMessage(hWnd, CB_GETCURSEL, 0, 0));
  else
    ::SendMessage(hWnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) {
  HWND hWnd = pDX->PrepareCtrl(nIDC);
  if (!pDX->m_bSaveAndValidate) {
    if (::SendMessage(hWnd, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(value))) == CB_ERR)
      setWindowText(hWnd, value);
    return;
  }
  if (::GetWindowTextLength(hWnd) > 0) {
    value = windowText(hWnd);
    return;
  }
  value = "";
  LRESULT index = ::SendMessage(hWnd, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return;
  LRESULT length = ::SendMessage(hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length <= 0) return;
  std::string text(static_cast<size_t>(length) + 1, '\0');
  ::SendMessage(hWnd, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
  value = text.c_str();
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
  if (rControl.m_hWnd != nullptr) return;
  HWND hWnd = pDX->PrepareCtrl(nIDC);
  if (!rControl.SubclassWindow(hWnd)) AfxThrowInvalidArgException();
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars) {
  if (!pDX->m_bSaveAndValidate) {
    if (pDX->m_idLastControl) ::SendMessage(pDX->m_idLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
    return;
  }
  if (value.GetLength() > nChars) failWith(pDX, prompt(kStringSize, std::to_string(nChars)), MB_ICONEXCLAMATION);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) { validateRange(pDX, value, minVal, maxVal); }
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) {
  validateRange(pDX, value, minVal, maxVal);
}
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal) {
  validateRange(pDX, value, minVal, maxVal);
}
void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal) {
  validateRange(pDX, value, minVal, maxVal);
}
void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal) {
  validateRange<int>(pDX, value, minVal, maxVal);
}
