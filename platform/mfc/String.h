// CString: the MFC text string (ANSI, TCHAR = char), with MFC's semantics for
// searching, cutting (out-of-range counts are clamped, never an error),
// trimming, comparing and formatting.
//
// Format, FormatV and AppendFormat take the conversions of the Windows C
// run-time (see MsvcFormat.h). Pass a CString to them as (LPCTSTR)s or
// s.GetString(): a class object cannot travel through "..." here.
#pragma once

#include <cstdarg>
#include <string>

#include "platform/win/kernel/Types.h"

class CString {
 public:
  CString() = default;
  CString(const char* psz) : m_str(psz ? psz : "") {}  // NOLINT: implicit as in MFC
  CString(const char* pch, int nLength);
  CString(char ch, int nRepeat = 1);
  CString(const CString&) = default;
  CString(CString&&) noexcept = default;
  CString& operator=(const CString&) = default;
  CString& operator=(CString&&) noexcept = default;
  CString& operator=(const char* psz);
  CString& operator=(char ch);

  // Length and content.
  int GetLength() const { return static_cast<int>(m_str.size()); }
  BOOL IsEmpty() const { return m_str.empty(); }
  void Empty() { m_str.clear(); }
  char GetAt(int nIndex) const;
  void SetAt(int nIndex, char ch);
  char operator[](int nIndex) const { return GetAt(nIndex); }
  operator LPCTSTR() const { return m_str.c_str(); }  // NOLINT: implicit as in MFC
  LPCTSTR GetString() const { return m_str.c_str(); }

  CString& operator+=(const CString& s);
  CString& operator+=(const char* psz);
  CString& operator+=(char ch);

  // Comparison: <0, 0 or >0 like strcmp. CompareNoCase folds A-Z to a-z first;
  // Collate compares by the current C locale.
  int Compare(const char* psz) const;
  int CompareNoCase(const char* psz) const;
  int Collate(const char* psz) const;

  // Searching: the zero-based index, or -1. A start past the end finds nothing
  // (for a substring, a start equal to the length still finds "").
  int Find(char ch, int nStart = 0) const;
  int Find(const char* pszSub, int nStart = 0) const;
  int ReverseFind(char ch) const;
  int FindOneOf(const char* pszCharSet) const;

  // Extraction. Negative or too large positions and counts are clamped.
  CString Mid(int nFirst) const;
  CString Mid(int nFirst, int nCount) const;
  CString Left(int nCount) const;
  CString Right(int nCount) const;
  CString SpanIncluding(const char* pszCharSet) const;
  CString SpanExcluding(const char* pszCharSet) const;
  // The next token after skipping delimiters from nStart; nStart moves past the
  // delimiter that ends it. No token left: "" and nStart = -1.
  CString Tokenize(const char* pszTokens, int& nStart) const;

  // Editing. Replace, Remove return how many were replaced or removed; Insert
  // and Delete return the new length.
  int Replace(char chOld, char chNew);
  int Replace(const char* pszOld, const char* pszNew);
  int Remove(char ch);
  int Insert(int nIndex, char ch);
  int Insert(int nIndex, const char* psz);
  int Delete(int nIndex, int nCount = 1);
  CString& MakeLower();
  CString& MakeUpper();
  CString& MakeReverse();

  // Trimming: no argument trims white space (isspace), a char that char, a
  // string any char of the set.
  CString& Trim();
  CString& Trim(char chTarget);
  CString& Trim(const char* pszTargets);
  CString& TrimLeft();
  CString& TrimLeft(char chTarget);
  CString& TrimLeft(const char* pszTargets);
  CString& TrimRight();
  CString& TrimRight(char chTarget);
  CString& TrimRight(const char* pszTargets);

  void Format(const char* pszFormat, ...);
  void FormatV(const char* pszFormat, va_list args);
  void AppendFormat(const char* pszFormat, ...);

  // Direct buffer access. GetBuffer(n) gives room for at least n characters and
  // a terminator, keeping the text; after writing, ReleaseBuffer(-1) takes the
  // length up to the first '\0', ReleaseBuffer(n) exactly n characters (at most
  // the buffer's size). GetBufferSetLength(n) sets the length to n at once.
  char* GetBuffer();
  char* GetBuffer(int nMinBufLength);
  char* GetBufferSetLength(int nNewLength);
  void ReleaseBuffer(int nNewLength = -1);

  // Replaces the text by string resource nID from the resource module (or the
  // program); FALSE, text unchanged, when there is no such string.
  BOOL LoadString(UINT nID);

 private:
  std::string m_str;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const char* b);
CString operator+(const char* a, const CString& b);
CString operator+(const CString& a, char b);
CString operator+(char a, const CString& b);

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, const char* b);
bool operator==(const char* a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, const char* b);
bool operator!=(const char* a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator<(const CString& a, const char* b);
bool operator<(const char* a, const CString& b);
bool operator>(const CString& a, const CString& b);
bool operator>(const CString& a, const char* b);
bool operator>(const char* a, const CString& b);
bool operator<=(const CString& a, const CString& b);
bool operator<=(const CString& a, const char* b);
bool operator<=(const char* a, const CString& b);
bool operator>=(const CString& a, const CString& b);
bool operator>=(const CString& a, const char* b);
bool operator>=(const char* a, const CString& b);
