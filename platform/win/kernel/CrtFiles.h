// The C run-time's file functions on Windows paths, with the behaviour of the
// MSVC run-time: fopen, _stat, _access and _mkdir.
//
// How names reach the path mapping: fopen is a function-like macro here that
// calls wavorel::crtFopen, so every fopen(path, mode) in a source that
// includes this header (through platform/Platform.h) takes a Windows path.
// The stream it returns is an ordinary FILE*: fread, fwrite, fgets, fputs,
// fprintf, fseek, ftell and fclose work on it unchanged. _stat, _access and
// _mkdir have no Linux namesakes and are plain functions. The platform's own
// sources work on Linux paths and must not include this header (nor
// Platform.h); std::fopen there stays the Linux one.
//
// Modes: "r", "w", "a", each optionally with "+", and "b" (binary) or "t"
// (text, the default as in MSVC). In text mode "\n" is written as "\r\n", and
// "\r\n" reads back as "\n"; text streams are unbuffered so that ftell and
// fseek count the bytes on disk. Mode "a" opens for appending: each block the
// stream writes out lands whole at the end of the file, also while other
// streams or processes append to it. A file opened here shares reading and writing but not deleting with
// other opens of this process (DeleteFile on it fails while it is open), and
// writes move its last-write time on the platform clock.
#pragma once

#include <cstdint>
#include <cstdio>

namespace wavorel {
// fopen on a Windows path; null with errno set (ENOENT, EACCES, EINVAL) on failure.
FILE* crtFopen(const char* path, const char* mode);
}  // namespace wavorel

#define fopen(path, mode) wavorel::crtFopen(path, mode)

#define _S_IFMT 0xF000
#define _S_IFDIR 0x4000
#define _S_IFREG 0x8000
#define _S_IREAD 0x0100
#define _S_IWRITE 0x0080
#define _S_IEXEC 0x0040

// Some C libraries define these field names as macros.
#undef st_atime
#undef st_mtime
#undef st_ctime

struct _stat {
  unsigned int st_dev;  // drive number, 0 = A:
  unsigned short st_ino;
  unsigned short st_mode;
  short st_nlink;
  short st_uid;
  short st_gid;
  unsigned int st_rdev;
  long st_size;
  int64_t st_atime;  // seconds since 1970, UTC
  int64_t st_mtime;
  int64_t st_ctime;  // the creation time, as on Windows
};

// 0, or -1 with errno ENOENT.
int _stat(const char* path, struct _stat* buffer);
// mode 0 (exists), 2 (writable), 4 (readable), 6 (both): 0, or -1 with errno
// ENOENT, EACCES (read-only file asked for writing) or EINVAL.
int _access(const char* path, int mode);
// 0, or -1 with errno EEXIST or ENOENT.
int _mkdir(const char* path);
