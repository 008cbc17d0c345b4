#include "utilmere/FileTools.h"

#include <climits>

#include "platform/Platform.h"
#include "utilmere/DoubleByte.h"
#include "utilmere/LocalTimeValue.h"
#include "utilmere/Strings.h"
#include "utilmere/TimeTools.h"

namespace {

const int kMaxPath = MAX_PATH - 1;
const int kMaxComponent = 255;
const char kForbidden[] = ":*?\"<>|";

bool isSeparator(char c) { return c == '\\' || c == '/'; }

// The byte length of `text` cut to `limit` without splitting a double-byte
// character.
int cutLength(const char* text, int limit) {
  int length = 0;
  while (text[length] != '\0') {
    int step = utilmere::charLength(text + length);
    if (length + step > limit) break;
    length += step;
  }
  return length;
}

// True when the last character of text[0, length) is the single byte `c`
// (the second byte of a double-byte character never counts).
bool endsWithChar(const char* text, int length, char c) {
  int last = -1;
  for (int i = 0; i < length; i += utilmere::charLength(text + i)) last = i;
  return last >= 0 && last == length - 1 && text[last] == c;
}

// Copies text[0, length) into `out` when it fits with its terminator; else
// leaves `out` empty. A null `out` takes nothing and always succeeds.
bool putPart(char* out, int size, const char* text, int length) {
  if (out == nullptr) return true;
  if (size <= 0) return false;
  if (length + 1 > size) {
    out[0] = '\0';
    return false;
  }
  memcpy(out, text, static_cast<size_t>(length));
  out[length] = '\0';
  return true;
}

// Replaces, outside double-byte characters, every byte of `set` by `filler`.
void replaceBytes(CString& text, const char* set, char filler) {
  char* p = text.GetBuffer();
  for (int i = 0; p[i] != '\0'; i += utilmere::charLength(p + i)) {
    if (utilmere::charLength(p + i) == 1 && strchr(set, p[i]) != nullptr) p[i] = filler;
  }
  text.ReleaseBuffer();
}

bool isFolder(const char* path) {
  DWORD attributes = GetFileAttributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

int WriteDataToFile(const char* path, void* data, LONG length, const char* mode, int offset) {
  if (path == nullptr || *path == '\0' || mode == nullptr || *mode == '\0' || length < 0) return -1;
  if (data == nullptr && length > 0) return -1;
  char openMode[9] = {};
  strncpy(openMode, mode, sizeof(openMode) - 1);
  FILE* file = fopen(path, openMode);
  if (file == nullptr) return -1;
  int result = -1;
  if (offset < 0 || fseek(file, offset, SEEK_SET) == 0) {
    size_t written = length > 0 ? fwrite(data, 1, static_cast<size_t>(length), file) : 0;
    if (written == static_cast<size_t>(length)) result = length;
  }
  fclose(file);
  return result;
}

int ReadDataFromFile(const char* path, void* buffer, LONG length, int offset) {
  if (path == nullptr || *path == '\0' || length < 0) return -1;
  if (buffer == nullptr && length > 0) return -1;
  FILE* file = fopen(path, "rb");
  if (file == nullptr) return -1;
  int result = -1;
  if (offset < 0 || fseek(file, offset, SEEK_SET) == 0) {
    result = length > 0 ? static_cast<int>(fread(buffer, 1, static_cast<size_t>(length), file)) : 0;
  }
  fclose(file);
  return result;
}

CString GenerateDateFileName(const char* folder, const char* name, const char* extension) {
  CString text;
  text.Format("%s%s-%s.%s", folder ? folder : "", name ? name : "",
              static_cast<LPCTSTR>(ConvertTimeToStr(gxGetCurrentTime(), GXTIME_YEARMONTH)),
              extension ? extension : "");
  return text;
}

CString GetTempPathFileName(const char* name) {
  char folder[MAX_PATH] = {};
  DWORD length = GetTempPath(MAX_PATH, folder);
  if (length == 0 || length >= MAX_PATH) folder[0] = '\0';
  CString text;
  text.Format("%s%s", folder, name ? name : "");
  return text;
}

// The whole path is a folder path: every part up to a backslash and the part
// after the last one are folders. createdOut (when not null) gets 1 when
// every folder already existed, 2 when this call made at least one, 0 on
// failure. The walk stops at the first folder that cannot be made (a file of
// that name, a component over 255 characters, a refused creation), since no
// deeper folder can be made below it.
int MakeSureDirectory(const char* path, int* createdOut) {
  if (createdOut != nullptr) *createdOut = 0;
  if (path == nullptr || *path == '\0') return 0;
  bool created = false;
  int componentStart = 0;
  const int length = static_cast<int>(strlen(path));
  for (int i = 0; i <= length;) {
    const bool end = i == length;
    if (!end && !(path[i] == '\\' && utilmere::charLength(path + i) == 1)) {
      i += utilmere::charLength(path + i);
      continue;
    }
    if (i - componentStart > kMaxComponent) return 0;
    const bool drive = i == 2 && path[1] == ':';
    if (i > componentStart && !drive) {
      CString folder(path, i);
      if (!isFolder(folder)) {
        if (GetFileAttributes(folder) != INVALID_FILE_ATTRIBUTES) return 0;
        if (!CreateDirectory(folder, nullptr)) return 0;
        created = true;
      }
    }
    componentStart = ++i;
  }
  if (createdOut != nullptr) *createdOut = created ? 2 : 1;
  return 1;
}

int IsFileExist(const char* path) {
  if (path == nullptr || *path == '\0') return 0;
  struct _stat status;
  if (_stat(path, &status) != 0) return 0;
  return status.st_ctime != 0 || status.st_mtime != 0 ? 1 : 0;
}

// A file of 2 GiB or more gives INT_MAX: the result has no room for its size.
int gxGetFileAttr(const char* path, DWORD* createdOut) {
  if (path == nullptr || *path == '\0') return 0;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesEx(path, GetFileExInfoStandard, &data)) return 0;
  if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return 0;
  if (createdOut != nullptr) {
    FILETIME local;
    SYSTEMTIME st;
    *createdOut = 0;
    if (FileTimeToLocalFileTime(&data.ftCreationTime, &local) && FileTimeToSystemTime(&local, &st)) {
      *createdOut = static_cast<DWORD>(utilmere::localTimeValue(st));
    }
  }
  const ULONGLONG size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return size > static_cast<ULONGLONG>(INT_MAX) ? INT_MAX : static_cast<int>(size);
}

CString StandardizationPathBuffer(const char* path, char separator) {
  if (path == nullptr || *path == '\0') return CString();
  CString text(path, cutLength(path, kMaxPath));
  if (!endsWithChar(text, text.GetLength(), separator)) text += separator;
  return text;
}

void StandardizationPathBuffer(char* buffer, UINT size, char separator, int clean) {
  if (buffer == nullptr || size == 0) return;
  int length = static_cast<int>(strnlen(buffer, size));
  if (length == static_cast<int>(size)) {  // unterminated: the last byte becomes the end
    length = static_cast<int>(size) - 1;
    buffer[length] = '\0';
  }
  if (clean) {
    CString cleaned = StandardizationFileForPathName(buffer, 0, '_');
    memcpy(buffer, static_cast<LPCTSTR>(cleaned), static_cast<size_t>(length));
  }
  if (length > 0 && !endsWithChar(buffer, length, separator) && static_cast<UINT>(length) + 1 < size) {
    buffer[length] = separator;
    buffer[length + 1] = '\0';
  }
}

// A zero filler would end the text early: it counts as "_".
CString StandardizationFileForPathName(const char* path, int flatten, char filler) {
  if (path == nullptr) return CString();
  if (filler == '\0') filler = '_';
  CString body(path);
  if (flatten) {
    replaceBytes(body, "\\/", filler);
    replaceBytes(body, kForbidden, filler);
    return body;
  }
  CString prefix, suffix;
  int start = 0;
  if (body.GetLength() >= 2 && utilmere::charLength(path) == 1 && body[1] == ':') start = 2;
  if (start < body.GetLength() && isSeparator(body[start])) ++start;
  prefix = body.Left(start);
  body = body.Mid(start);
  const int length = body.GetLength();
  if (length > 0 && (endsWithChar(body, length, '\\') || endsWithChar(body, length, '/'))) {
    suffix = body.Right(1);
    body = body.Left(length - 1);
  }
  replaceBytes(body, kForbidden, filler);
  return prefix + body + suffix;
}

// An existing folder gets the separator only when it does not already end
// with it, so its folder part never ends in a doubled separator.
int PartFileAndPathByFullPath(const char* path, char* fileOut, int fileSize, char* folderOut, int folderSize) {
  if (path == nullptr) path = "";
  const int length = static_cast<int>(strlen(path));
  const char separator = gxStrChr(path, '/') != nullptr ? '/' : '\\';
  if (length > 0 && isFolder(path)) {
    CString folder(path);
    if (!endsWithChar(folder, length, separator)) folder += separator;
    const bool fileFits = putPart(fileOut, fileSize, "", 0);
    const bool folderFits = putPart(folderOut, folderSize, folder, folder.GetLength());
    return fileFits && folderFits ? 1 : 0;
  }
  const char* last = gxStrrChr(path, separator);
  const int folderLength = last != nullptr ? static_cast<int>(last - path) + 1 : 0;
  const bool fileFits = putPart(fileOut, fileSize, path + folderLength, length - folderLength);
  const bool folderFits = putPart(folderOut, folderSize, path, folderLength);
  return fileFits && folderFits ? 1 : 0;
}

int PartPathAndFileAndExtensionName(const char* path, CString* folderOut, CString* nameOut,
                                    CString* extensionOut) {
  CString folder, name, extension;
  int result = 0;
  if (path != nullptr) {
    const char* backslash = gxStrrChr(path, '\\');
    const char* slash = gxStrrChr(path, '/');
    const char* last = slash == nullptr || (backslash != nullptr && backslash - path > slash - path) ? backslash : slash;
    const char* file = last != nullptr ? last + 1 : path;
    folder = CString(path, static_cast<int>(file - path));
    const char* dot = gxStrrChr(file, '.');
    name = dot != nullptr ? CString(file, static_cast<int>(dot - file)) : CString(file);
    extension = dot != nullptr ? CString(dot + 1) : CString();
    result = 1;
  }
  if (folderOut != nullptr) *folderOut = folder;
  if (nameOut != nullptr) *nameOut = name;
  if (extensionOut != nullptr) *extensionOut = extension;
  return result;
}
