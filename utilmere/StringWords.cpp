// Numbers as text, words and lines taken off the front of a text, and
// trimming helpers.
#include "utilmere/DoubleByte.h"
#include "utilmere/Strings.h"

CString FormatBytes(double bytes) {
  CString text;
  if (bytes < 0) return text;
  if (bytes < 1024.0) {
    text.Format("%.2f B", bytes);
  } else if (bytes < 1048576.0) {
    text.Format("%.2f K", bytes / 1024.0);
  } else if (bytes < 1073741824.0) {
    text.Format("%.2f M", bytes / 1048576.0);
  } else {
    text.Format("%.2f G", bytes / 1073741824.0);
  }
  return text;
}

CString IntToString(int value, int isUnsigned) {
  CString text;
  if (isUnsigned) {
    text.Format("%u", static_cast<unsigned int>(value));
  } else {
    text.Format("%d", value);
  }
  return text;
}

void UIntAry2StrAry(CUIntArray& values, CStringArray& texts) {
  texts.RemoveAll();
  for (INT_PTR i = 0; i < values.GetSize(); ++i) {
    CString text;
    text.Format("%u", values[i]);
    texts.Add(text);
  }
}

void CleanseString(CString& text, const char* characters) {
  if (text.IsEmpty()) return;
  text.Trim();
  if (characters != nullptr && *characters != '\0') text.Trim(characters);
}

int StringIsDigit(const char* text) {
  if (text == nullptr || *text == '\0') return 0;
  for (; *text != '\0'; ++text) {
    if (*text < '0' || *text > '9') return 0;
  }
  return 1;
}

// Without a separator or text nothing is taken and the text stays.
CString GetOneLine(CString& text, const char* separator, int takeAll) {
  CString line;
  if (separator == nullptr || *separator == '\0' || text.IsEmpty()) return line;
  const int at = text.Find(separator);
  if (at >= 0) {
    line = text.Left(at);
    text = text.Mid(at + CString(separator).GetLength());
  } else if (takeAll) {
    line = text;
    text.Empty();
  }
  return line.Trim();
}

// Without a word the text stays as it is.
CString GetOneWord(CString& text, int letterCase) {
  const int begin = FindGraphPos(text, 0);
  if (begin < 0) return CString();
  int end = FindNonGraphPos(text, begin);
  if (end < 0) end = text.GetLength();
  CString word = text.Mid(begin, end - begin);
  text = text.Mid(end);
  if (letterCase == 1) word.MakeLower();
  if (letterCase == 2) word.MakeUpper();
  return word;
}

void DeleteAfterChar(CString& text, char character) {
  const char* found = gxStrChr(text, character);
  if (found != nullptr && *found != '\0') text = text.Left(static_cast<int>(found - text.GetString()));
}

int PartTwoWord(CString& text, CString& left, CString& right, char character) {
  const char* found = gxStrChr(text, character);
  if (found == nullptr || *found == '\0' || found == text.GetString()) return 0;
  const int at = static_cast<int>(found - text.GetString());
  CString before = text.Left(at);
  CString after = text.Mid(at + 1);
  left = before.Trim();
  right = after.Trim();
  return 1;
}
