// Bytes as hex text and back, GUIDs as text and back.
#include <cstdio>

#include "utilmere/Strings.h"

CString Data2HexString(void* data, int length, int perLine) {
  CString text;
  if (data == nullptr) return text;
  const BYTE* bytes = static_cast<const BYTE*>(data);
  for (int i = 0; i < length; ++i) {
    text.AppendFormat("%02X ", bytes[i]);
    if (perLine > 0 && (i + 1) % perLine == 0) text += "\r\n";
  }
  return text;
}

static int hexValue(char c) { return c >= 'a' ? c - 'a' + 10 : c - '0'; }

int ConvStringToHexData(CString text, BYTE* output, int size) {
  text.MakeLower();
  text.Replace("0x", "");
  CString digits;
  for (int i = 0; i < text.GetLength(); ++i) {
    const char c = text[i];
    if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')) digits += c;
  }
  if (digits.IsEmpty() || output == nullptr) return 0;
  if (digits.GetLength() % 2 != 0) digits += '0';
  int count = 0;
  for (int i = 0; i + 1 < digits.GetLength() && count < size; i += 2) {
    output[count++] = static_cast<BYTE>(hexValue(digits[i]) << 4 | hexValue(digits[i + 1]));
  }
  return count;
}

// The C library's reading of the layout: each field takes up to its width of
// hex digits; text after the last field is ignored.
int StringToGUID(const char* text, GUID& guid) {
  if (text == nullptr) return 0;
  unsigned int fields[11] = {};
  const int read = std::sscanf(text, "%08x-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x", &fields[0], &fields[1],
                               &fields[2], &fields[3], &fields[4], &fields[5], &fields[6], &fields[7], &fields[8],
                               &fields[9], &fields[10]);
  if (read != 11) return 0;
  guid.Data1 = fields[0];
  guid.Data2 = static_cast<uint16_t>(fields[1]);
  guid.Data3 = static_cast<uint16_t>(fields[2]);
  for (int i = 0; i < 8; ++i) guid.Data4[i] = static_cast<uint8_t>(fields[3 + i]);
  return 1;
}

CString GUIDToString(GUID& guid) {
  CString text;
  text.Format("%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X", guid.Data1, guid.Data2, guid.Data3, guid.Data4[0],
              guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6],
              guid.Data4[7]);
  return text;
}
