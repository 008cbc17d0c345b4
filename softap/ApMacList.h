// The MAC address lists of the access-control and WDS pages: an address is
// shown as six pairs of hexadecimal digits joined by "-" and stored in the
// driver key as a REG_MULTI_SZ entry of its 12 digits. These helpers read a
// stored list (well-formed, distinct entries only, cut to what the driver
// record holds), build the stored form and check an address typed for Add
// or Modify, reporting the refusal to the front end.
#pragma once

#include <string>
#include <vector>

#include "platform/Platform.h"
#include "softap/ApRecords.h"

constexpr int kMacTextDigits = 12;

// "AABBCCDDEEFF" -> "AA-BB-CC-DD-EE-FF"; a text of another length is
// returned unchanged.
CString InsertMacDashes(const CString& digits);
CString RemoveMacDashes(const CString& text);
// The six bytes of an address in either form; zero bytes for a malformed one.
MacAddress MacFromText(const CString& text);
// TRUE when the text is exactly 12 hexadecimal digits.
BOOL IsMacDigits(const CString& text);

// The entries of a REG_MULTI_SZ block of `size` bytes (not necessarily
// terminated): entries of exactly 12 hexadecimal digits, in order, each
// shown with dashes; empty, short, non-hex and duplicate entries (case
// ignored) are skipped. At most `limit` are taken; `dropped` tells how many
// well-formed distinct entries beyond that were left out.
std::vector<CString> ParseMacMultiString(const char* data, size_t size, size_t limit, size_t& dropped);
// The list value `name` of `key`, read whole whatever its size, through
// ParseMacMultiString; entries left out are logged. FALSE (`rows` untouched)
// when the value cannot be read.
BOOL ReadMacListValue(HKEY key, LPCSTR name, size_t limit, std::vector<CString>& rows);
// The stored form of the rows: each row's 12 digits and a zero, then one more
// zero (rows x 13 + 1 bytes).
std::string BuildMacMultiString(const std::vector<CString>& rows);

// The check of an address typed for Add or Modify against the list it would
// join: 12 hexadecimal digits ("Invalid MAC"), a unicast first byte
// ("Multicast MAC Not Accepted"), both with the caption "AP Error Message"
// and the error icon, and not already listed ("Duplicated MAC", exclamation
// icon). A refusal goes to the front end as a message-box request; FALSE then.
BOOL CheckNewMac(const CString& text, const CListBox& list);
