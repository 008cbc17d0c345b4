// The supplicant's registry writes: a text value into the adapter's driver
// key (HKLM) and into the station profile key of the current profile
// (<driver key>\Profile\Station\<CurProfile>). A failing call only traces
// its text.
#pragma once

#include <initializer_list>
#include <string>

#include "platform/Platform.h"

// "CurProfile" of the driver key (at most 127 bytes); empty when it cannot
// be read.
std::string ReadCurProfileName();
// Writes `value` as REG_SZ under each of `names` in the driver key and, with
// `profileKeyToo` and a current profile name that names a key of its own,
// in that profile's key. `failFormat` is the trace line of a failed write
// (its %s: the value).
void WriteSupplicantTexts(std::initializer_list<LPCSTR> names, LPCSTR value, LPCSTR failFormat, BOOL profileKeyToo);
