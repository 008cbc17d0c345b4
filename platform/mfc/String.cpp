#include "platform/mfc/String.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/mfc/Exception.h"
#include "platform/win/kernel/MsvcFormat.h"
#include "platform/win/kernel/Resources.h"

namespace {

const char* orEmpty(const char* psz) { return psz ? psz : ""; }

int sign(int v) { return (v > 0) - (v < 0); }

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char upperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool isSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

}  // namespace

CString::CString(const char* pch, int nLength) {
  if (pch && nLength > 0) m_str.assign(pch, static_cast<size_t>(nLength));
}

CString::CString(char ch, int nRepeat) {
  if (nRepeat > 0) m_str.assign(static_cast<size_t>(nRepeat), ch);
}

CString& CString::operator=(const char* psz) {
  m_str = orEmpty(psz);
  return *this;
}

CString& CString::operator=(char ch) {
  m_str.assign(1, ch);
  return *this;
}

char CString::GetAt(int nIndex) const {
  if (nIndex < 0 || nIndex > GetLength()) AfxThrowInvalidArgException();
  return m_str.c_str()[nIndex];
}

void CString::SetAt(int nIndex, char ch) {
  if (nIndex < 0 || nIndex >= GetLength()) AfxThrowInvalidArgException();
  m_str[static_cast<size_t>(nIndex)] = ch;
}

CString& CString::operator+=(const CString& s) {
  m_str += s.m_str;
  return *this;
}

CString& CString::operator+=(const char* psz) {
  m_str += orEmpty(psz);
  return *this;
}

CString& CString::operator+=(char ch) {
  m_str += ch;
  return *this;
}

int CString::Compare(const char* psz) const { return sign(std::strcmp(m_str.c_str(), orEmpty(psz))); }

int CString::CompareNoCase(const char* psz) const {
  const char* a = m_str.c_str();
  const char* b = orEmpty(psz);
  for (;; ++a, ++b) {
    unsigned char ca = static_cast<unsigned char>(lowerAscii(*a));
    unsigned char cb = static_cast<unsigned char>(lowerAscii(*b));
    if (ca != cb) return ca < cb ? -1 : 1;
    if (ca == 0) return 0;
  }
}

int CString::Collate(const char* psz) const { return sign(std::strcoll(m_str.c_str(), orEmpty(psz))); }

int CString::Find(char ch, int nStart) const {
  if (nStart < 0 || nStart >= GetLength()) return -1;
  size_t pos = m_str.find(ch, static_cast<size_t>(nStart));
  return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(const char* pszSub, int nStart) const {
  if (!pszSub || nStart < 0 || nStart > GetLength()) return -1;
  const char* hit = std::strstr(m_str.c_str() + nStart, pszSub);
  return hit ? static_cast<int>(hit - m_str.c_str()) : -1;
}

int CString::ReverseFind(char ch) const {
  size_t pos = m_str.rfind(ch);
  return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::FindOneOf(const char* pszCharSet) const {
  const char* hit = std::strpbrk(m_str.c_str(), orEmpty(pszCharSet));
  return hit ? static_cast<int>(hit - m_str.c_str()) : -1;
}

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength() - std::max(nFirst, 0)); }

CString CString::Mid(int nFirst, int nCount) const {
  int len = GetLength();
  nFirst = std::clamp(nFirst, 0, len);
  nCount = std::clamp(nCount, 0, len - nFirst);
  return CString(m_str.c_str() + nFirst, nCount);
}

CString CString::Left(int nCount) const { return CString(m_str.c_str(), std::clamp(nCount, 0, GetLength())); }

CString CString::Right(int nCount) const {
  int n = std::clamp(nCount, 0, GetLength());
  return CString(m_str.c_str() + GetLength() - n, n);
}

CString CString::SpanIncluding(const char* pszCharSet) const {
  return Left(static_cast<int>(std::strspn(m_str.c_str(), orEmpty(pszCharSet))));
}

CString CString::SpanExcluding(const char* pszCharSet) const {
  return Left(static_cast<int>(std::strcspn(m_str.c_str(), orEmpty(pszCharSet))));
}

CString CString::Tokenize(const char* pszTokens, int& nStart) const {
  const char* delims = orEmpty(pszTokens);
  if (nStart >= 0 && nStart < GetLength()) {
    const char* begin = m_str.c_str() + nStart;
    size_t skip = std::strspn(begin, delims);
    if (begin[skip] != '\0') {
      size_t tokenLength = std::strcspn(begin + skip, delims);
      int from = nStart + static_cast<int>(skip);
      nStart = from + static_cast<int>(tokenLength) + 1;
      return CString(m_str.c_str() + from, static_cast<int>(tokenLength));
    }
  }
  nStart = -1;
  return CString();
}

int CString::Replace(char chOld, char chNew) {
  if (chOld == chNew) return 0;
  int count = 0;
  for (char& c : m_str) {
    if (c == chOld) {
      c = chNew;
      ++count;
    }
  }
  return count;
}

int CString::Replace(const char* pszOld, const char* pszNew) {
  size_t oldLength = pszOld ? std::strlen(pszOld) : 0;
  if (oldLength == 0) return 0;
  const char* replacement = orEmpty(pszNew);
  std::string result;
  int count = 0;
  size_t from = 0;
  for (size_t hit; (hit = m_str.find(pszOld, from, oldLength)) != std::string::npos; from = hit + oldLength) {
    result.append(m_str, from, hit - from);
    result += replacement;
    ++count;
  }
  if (count > 0) {
    result.append(m_str, from, std::string::npos);
    m_str.swap(result);
  }
  return count;
}

int CString::Remove(char ch) {
  size_t before = m_str.size();
  m_str.erase(std::remove(m_str.begin(), m_str.end(), ch), m_str.end());
  return static_cast<int>(before - m_str.size());
}

int CString::Insert(int nIndex, char ch) {
  m_str.insert(static_cast<size_t>(std::clamp(nIndex, 0, GetLength())), 1, ch);
  return GetLength();
}

int CString::Insert(int nIndex, const char* psz) {
  m_str.insert(static_cast<size_t>(std::clamp(nIndex, 0, GetLength())), orEmpty(psz));
  return GetLength();
}

int CString::Delete(int nIndex, int nCount) {
  int len = GetLength();
  nIndex = std::max(nIndex, 0);
  if (nIndex < len && nCount > 0) m_str.erase(static_cast<size_t>(nIndex), static_cast<size_t>(std::min(nCount, len - nIndex)));
  return GetLength();
}

CString& CString::MakeLower() {
  std::transform(m_str.begin(), m_str.end(), m_str.begin(), lowerAscii);
  return *this;
}

CString& CString::MakeUpper() {
  std::transform(m_str.begin(), m_str.end(), m_str.begin(), upperAscii);
  return *this;
}

CString& CString::MakeReverse() {
  std::reverse(m_str.begin(), m_str.end());
  return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(char chTarget) { return TrimRight(chTarget).TrimLeft(chTarget); }
CString& CString::Trim(const char* pszTargets) { return TrimRight(pszTargets).TrimLeft(pszTargets); }

CString& CString::TrimLeft() {
  m_str.erase(m_str.begin(), std::find_if_not(m_str.begin(), m_str.end(), isSpace));
  return *this;
}

CString& CString::TrimLeft(char chTarget) {
  m_str.erase(0, std::min(m_str.find_first_not_of(chTarget), m_str.size()));
  return *this;
}

CString& CString::TrimLeft(const char* pszTargets) {
  m_str.erase(0, std::min(m_str.find_first_not_of(orEmpty(pszTargets)), m_str.size()));
  return *this;
}

CString& CString::TrimRight() {
  m_str.erase(std::find_if_not(m_str.rbegin(), m_str.rend(), isSpace).base(), m_str.end());
  return *this;
}

CString& CString::TrimRight(char chTarget) {
  size_t last = m_str.find_last_not_of(chTarget);
  m_str.erase(last == std::string::npos ? 0 : last + 1);
  return *this;
}

CString& CString::TrimRight(const char* pszTargets) {
  size_t last = m_str.find_last_not_of(orEmpty(pszTargets));
  m_str.erase(last == std::string::npos ? 0 : last + 1);
  return *this;
}

void CString::Format(const char* pszFormat, ...) {
  va_list args;
  va_start(args, pszFormat);
  FormatV(pszFormat, args);
  va_end(args);
}

void CString::FormatV(const char* pszFormat, va_list args) { m_str = wavorel::formatMsvc(pszFormat, args); }

void CString::AppendFormat(const char* pszFormat, ...) {
  va_list args;
  va_start(args, pszFormat);
  wavorel::appendFormatMsvc(m_str, pszFormat, args);
  va_end(args);
}

char* CString::GetBuffer() { return &m_str[0]; }

char* CString::GetBuffer(int nMinBufLength) {
  if (nMinBufLength > GetLength()) m_str.resize(static_cast<size_t>(nMinBufLength));
  return &m_str[0];
}

char* CString::GetBufferSetLength(int nNewLength) {
  m_str.resize(static_cast<size_t>(std::max(nNewLength, 0)));
  return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength) {
  size_t length = nNewLength < 0 ? std::strlen(m_str.c_str()) : std::min(static_cast<size_t>(nNewLength), m_str.size());
  m_str.resize(length);
}

BOOL CString::LoadString(UINT nID) {
  HINSTANCE module = wavorel::findResourceModule(MAKEINTRESOURCE((nID >> 4) + 1), RT_STRING);
  // A string resource holds at most 65535 UTF-16 units; LoadString cuts a
  // longer text at most 4 bytes short of the buffer, so a shorter result is whole.
  constexpr size_t kLargest = 65535 * 3 + 5;
  std::string buffer(256, '\0');
  for (;;) {
    int n = ::LoadString(module, nID, &buffer[0], static_cast<int>(buffer.size()));
    if (n <= 0) return FALSE;
    if (static_cast<size_t>(n) + 4 < buffer.size() || buffer.size() >= kLargest) {
      m_str.assign(buffer.data(), static_cast<size_t>(n));
      return TRUE;
    }
    buffer.resize(std::min(buffer.size() * 8, kLargest));
  }
}

CString operator+(const CString& a, const CString& b) {
  CString r(a);
  r += b;
  return r;
}
CString operator+(const CString& a, const char* b) {
  CString r(a);
  r += b;
  return r;
}
CString operator+(const char* a, const CString& b) {
  CString r(a);
  r += b;
  return r;
}
CString operator+(const CString& a, char b) {
  CString r(a);
  r += b;
  return r;
}
CString operator+(char a, const CString& b) {
  CString r(a);
  r += b;
  return r;
}

bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return a.Compare(b) != 0; }
bool operator!=(const CString& a, const char* b) { return a.Compare(b) != 0; }
bool operator!=(const char* a, const CString& b) { return b.Compare(a) != 0; }
bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
bool operator<(const CString& a, const char* b) { return a.Compare(b) < 0; }
bool operator<(const char* a, const CString& b) { return b.Compare(a) > 0; }
bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
bool operator>(const CString& a, const char* b) { return a.Compare(b) > 0; }
bool operator>(const char* a, const CString& b) { return b.Compare(a) < 0; }
bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
bool operator<=(const CString& a, const char* b) { return a.Compare(b) <= 0; }
bool operator<=(const char* a, const CString& b) { return b.Compare(a) >= 0; }
bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
bool operator>=(const CString& a, const char* b) { return a.Compare(b) >= 0; }
bool operator>=(const char* a, const CString& b) { return b.Compare(a) <= 0; }
