// String and buffer functions: splitting texts into string arrays, searches
// that step over the double-byte characters of the system code page (a byte
// with the top bit set begins a character of two bytes), line breaking, hex
// and GUID texts, UTF-16 to ANSI, bounded formatting and small buffer edits.
#pragma once

#include "platform/Platform.h"

// UTF-16 (wide != 0) or narrow text to a CString in the ANSI code page.
// Wide: length < 0 converts the text up to its zero; else `length`
// characters go through a block of length + 1 bytes, and a longer ANSI text is
// cut before the first character that does not fit.
// Narrow: length > 0 takes up to `length` bytes (stopping at a zero byte),
// 0 gives "", < 0 the whole text. A null source gives "".
CString GetCompatibleString(void* source, int wide, int length);

// Index of the first byte at or after `start` equal to one of the characters
// listed after it (the list ends with a 0), never inside a double-byte
// character; -1 when none, for a null text or a negative start.
int StrFind(const char* text, int start, ...);

// Empties `array` and adds the parts of `text` between runs of characters of
// `separators` (no empty parts, not trimmed). A null text returns 0 and
// leaves the array alone. Returns the number of parts.
int PartStringAndAddToStrAry(const char* text, CStringArray& array, const char* separators);
// Appends the parts of `text` between single `separator` characters: parts
// before a separator trimmed (an empty one added as ""), cut to 10,238 bytes;
// the last part untrimmed and only when not empty. Returns the array's count.
// A null text appends nothing.
int PartStringAndAddToStrAry(const char* text, CStringArray& array, char separator);
// Empties `array` and adds every text between an `open` and the next `close`
// character; an open without a close adds the rest after it when not empty.
int PartStringAndAddToStrAry(const char* text, CStringArray& array, char open, char close);
// Appends the `separator`-delimited parts of `text`, where quoted stretches
// ('...' or "...", a quote after a backslash does not close) are taken
// without their quotes and do not split. Returns the array's count; -1 for a
// null text.
int PartStringAndIgnoreStringByQuo(const char* text, CStringArray& array, char separator);
// Appends each maximal run of decimal digits and characters of `extra`;
// returns the array's count, -1 for a null text.
int PartDigitOrSpecifyCharAndAddToStrAry(const char* text, CStringArray& array, char* extra);

// Length of the next piece of `text` for a line of at most limit + 1 bytes:
// never splits a double-byte character and prefers a break after a blank or
// punctuation in the second half of the line.
int FindSentenceSyncopatePostion(char* text, int limit);
// Writes `text` into `output` cut into lines of at most `width` bytes, each
// followed by `insertion`; the output is zero-filled first and always ends
// with a zero (pieces that do not fit are cut). Returns `output`.
char* InsertCharInterval(char* text, int width, char* insertion, char* output, int outputSize);
// The text cut into lines of at most `width` bytes, as a new array the
// caller deletes; null for a null or empty text or a width below 1.
CStringArray* SyncopateString(char* text, int width);

// Hex and GUID texts.
CString Data2HexString(void* data, int length, int perLine);
int ConvStringToHexData(CString text, BYTE* output, int size);
int StringToGUID(const char* text, GUID& guid);
CString GUIDToString(GUID& guid);

// Numbers and words.
CString FormatBytes(double bytes);
CString IntToString(int value, int isUnsigned);
void UIntAry2StrAry(CUIntArray& values, CStringArray& texts);
void CleanseString(CString& text, const char* characters);
int CalcCharCount(const char* text, char character);
int StringIsDigit(const char* text);
CString GetOneLine(CString& text, const char* separator, int takeAll);
CString GetOneWord(CString& text, int letterCase);
int FindGraphPos(CString& text, int start);
int FindNonGraphPos(CString& text, int start);
void DeleteAfterChar(CString& text, char character);
int PartTwoWord(CString& text, CString& left, CString& right, char character);
void ReplaceChineseStrToEnglish(char* text, char filler);
char* gxStrChr(const char* text, int character);
char* gxStrrChr(const char* text, int character);

// Buffers.
char* SkipIsNotGraph(char* data, int& length);
int HandleBackspaceCharOfBuffer(char* text);
void TrimBufferLeft(void* buffer, DWORD size, DWORD& used, void* newStart);
int RenewBuffer(BYTE*& buffer, DWORD& size, DWORD newSize);
void ReverseBuffer(BYTE* bytes, int length);

// Bounded formatting: at most size - 1 characters and a zero; 0 for a size
// below 1. Returns the characters stored.
int gxSnprintfA(char* buffer, int size, const char* format, ...);
int gxSnprintfW(WCHAR* buffer, int size, const WCHAR* format, ...);
