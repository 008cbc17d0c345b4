// File, path and directory functions: whole buffers read and written through
// the C run-time, paths split and cleaned, dated and temporary file names,
// folder chains made, files tested. Paths are ANSI, at most 259 characters.
// The directory walkers are CGxDir and CGxDirEx.
#pragma once

#include "platform/Platform.h"

// Writes `length` bytes to the file opened with fopen `mode` (at most 8
// characters), after seeking to `offset` from the start when it is 0 or
// more. Returns length when every byte was written, else -1 (also for a null
// or empty path or mode, a null buffer, a negative length, a failed open or
// seek).
int WriteDataToFile(const char* path, void* data, LONG length, const char* mode, int offset);
// Reads up to `length` bytes (mode "rb") from `offset` when it is 0 or more.
// Returns the bytes read, or -1 for a null or empty path, a null buffer, a
// negative length, a failed open or seek.
int ReadDataFromFile(const char* path, void* buffer, LONG length, int offset);

// folder + name + "-" + the current year and month ("%Y%m") + "." +
// extension; a null argument counts as empty.
CString GenerateDateFileName(const char* folder, const char* name, const char* extension);
// The system's temporary folder (trailing backslash) followed by `name`.
CString GetTempPathFileName(const char* name);

// Creates every missing folder of `path` from the root down. Returns 1 when
// the whole chain stands afterwards, 0 when a folder could not be made.
int MakeSureDirectory(const char* path, int* createdOut);

// 1 when the file or folder exists and has a time stamp, else 0.
int IsFileExist(const char* path);
// The size of a file (0 for a missing path or a folder); `createdOut`, when
// not null, gets its creation time as a time value.
int gxGetFileAttr(const char* path, DWORD* createdOut);

// The path (cut to 259 characters) with `separator` appended when it does
// not already end with it; an empty path stays empty.
CString StandardizationPathBuffer(const char* path, char separator);
// The same in place, within `size` bytes; with `clean` set the characters a
// file name may not hold are also replaced by "_" (the structure is kept).
void StandardizationPathBuffer(char* buffer, UINT size, char separator, int clean);
// Replaces : * ? " < > | by `filler`; with `flatten` set also every "\" and
// "/", else a drive prefix and one leading and one trailing separator are
// kept as they are.
CString StandardizationFileForPathName(const char* path, int flatten, char filler);

// Splits a path at its last separator ("/" when the path holds one, else
// "\"): the name to fileOut, the folder with its separator to folderOut; an
// existing folder goes whole to folderOut. Returns 1, or 0 when a part does
// not fit its buffer (that buffer is then left empty).
int PartFileAndPathByFullPath(const char* path, char* fileOut, int fileSize, char* folderOut, int folderSize);
// Splits a path into folder (with its separator), name without extension and
// extension (after the last "." of the name). Null outputs are skipped.
int PartPathAndFileAndExtensionName(const char* path, CString* folderOut, CString* nameOut, CString* extensionOut);
