// printf-style formatting with the conversions of the Windows C run-time, on
// top of the host's vsnprintf. Shared by CString::Format and the C run-time
// functions of the platform.
//
// Differences from the host's printf that this handles:
//   %I64d %I64u %I64x %I64X (and %lld...)  64-bit integers
//   %I32d, %ld %lu %lx                     32-bit integers (long is 32 bits)
//   %Id %Iu %Ix                            pointer-sized integers
//   %hs %hc                                narrow string / character
//   %S %ls %ws, %C %lc %wc                 WCHAR (UTF-16) string / character,
//                                          written in the ANSI code page
//                                          (WideCharToMultiByte, CP_ACP);
//                                          precision and width count bytes
//   %s with a null pointer                 "(null)" (also for the wide forms)
//   %p                                     16 upper-case hex digits, no "0x"
// A conversion with an unknown conversion (and %n, which the Windows
// run-time refuses) is copied to the output as written and reads no argument.
#pragma once

#include <cstdarg>
#include <string>

namespace wavorel {

// Formats `fmt` with the arguments in `args` (which it reads with va_arg on a
// copy; the caller still owns and ends `args`). A null `fmt` gives "".
std::string formatMsvc(const char* fmt, va_list args);

// Appends the formatted text to `out`.
void appendFormatMsvc(std::string& out, const char* fmt, va_list args);

}  // namespace wavorel
