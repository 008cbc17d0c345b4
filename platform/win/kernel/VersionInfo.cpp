#include "platform/win/kernel/VersionInfo.h"

#include <strings.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>

#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Paths.h"
#include "platform/win/kernel/Resources.h"
#include "platform/win/kernel/Root.h"
#include "platform/win/kernel/WideText.h"

namespace wavorel {

namespace {

size_t align4(size_t n) { return (n + 3) & ~size_t{3}; }

WORD read16(const BYTE* p) {
  WORD v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// Writes the nested {wLength, wValueLength, wType, key, value, children}
// records of a version block.
class BlockWriter {
 public:
  // Opens a record; its length is filled in by close().
  size_t open(const std::string& key, WORD type, const void* value, size_t valueBytes, WORD valueLength) {
    pad();
    size_t start = out_.size();
    put16(0);
    put16(valueLength);
    put16(type);
    for (char16_t c : utf8ToUtf16(key)) put16(c);
    put16(0);
    pad();
    const BYTE* v = static_cast<const BYTE*>(value);
    out_.insert(out_.end(), v, v + valueBytes);
    return start;
  }
  void text(const std::string& key, const std::string& value) {
    std::u16string wide = utf8ToUtf16(value);
    wide.push_back(0);
    std::vector<BYTE> bytes(wide.size() * 2);
    std::memcpy(bytes.data(), wide.data(), bytes.size());
    close(open(key, 1, bytes.data(), bytes.size(), static_cast<WORD>(wide.size())));
  }
  void close(size_t start) {
    WORD length = static_cast<WORD>(out_.size() - start);
    std::memcpy(&out_[start], &length, sizeof length);
  }
  std::vector<BYTE> take() { return std::move(out_); }

 private:
  void put16(WORD v) {
    out_.push_back(static_cast<BYTE>(v));
    out_.push_back(static_cast<BYTE>(v >> 8));
  }
  void pad() { out_.resize(align4(out_.size()), 0); }
  std::vector<BYTE> out_;
};

// One record of a block, bounds checked against its parent.
struct Node {
  size_t end = 0;  // offset past the record
  WORD valueLength = 0;
  WORD type = 0;
  std::string key;
  size_t valueOffset = 0;
  size_t valueBytes = 0;
  size_t childrenOffset = 0;
};

bool readNode(const BYTE* block, size_t offset, size_t limit, Node& n) {
  if (offset + 6 > limit) return false;
  WORD length = read16(block + offset);
  if (length < 6 || offset + length > limit) return false;
  n.end = offset + length;
  n.valueLength = read16(block + offset + 2);
  n.type = read16(block + offset + 4);
  std::u16string key;
  size_t pos = offset + 6;
  for (; pos + 2 <= n.end && read16(block + pos) != 0; pos += 2) key.push_back(read16(block + pos));
  if (pos + 2 > n.end) return false;
  n.key = utf16ToUtf8(key.c_str(), key.size());
  n.valueOffset = std::min(align4(pos + 2), n.end);
  n.valueBytes = std::min<size_t>(n.type == 1 ? n.valueLength * 2u : n.valueLength, n.end - n.valueOffset);
  n.childrenOffset = std::min(align4(n.valueOffset + n.valueBytes), n.end);
  return true;
}

template <class F>
void forEachChild(const BYTE* block, const Node& parent, F f) {
  Node child;
  for (size_t off = parent.childrenOffset; readNode(block, off, parent.end, child); off = align4(child.end)) {
    if (!f(child)) return;
  }
}

bool readRoot(const BYTE* block, Node& root) { return readNode(block, 0, read16(block), root); }

bool hasText(const Node& n) { return n.type == 1 && n.valueBytes >= 2; }

// The texts of the block's text records, in record order.
void collectTexts(const BYTE* block, const Node& node, std::vector<std::string>& texts) {
  if (hasText(node)) {
    std::u16string wide;
    for (size_t i = 0; i + 2 <= node.valueBytes; i += 2) {
      WORD c = read16(block + node.valueOffset + i);
      if (c == 0) break;
      wide.push_back(c);
    }
    texts.push_back(utf16ToUtf8(wide.c_str(), wide.size()));
  }
  forEachChild(block, node, [&](const Node& child) {
    collectTexts(block, child, texts);
    return true;
  });
}

// Counts the text records before `target` (by offset) in record order.
bool textIndex(const BYTE* block, const Node& node, size_t target, size_t& index) {
  if (node.valueOffset == target) return true;
  if (hasText(node)) ++index;
  bool found = false;
  forEachChild(block, node, [&](const Node& child) {
    found = textIndex(block, child, target, index);
    return !found;
  });
  return found;
}

struct Registered {
  std::mutex mutex;
  std::map<std::string, FileVersionInfo> byPath;  // by upper-case full path
};

Registered& registered() {
  static Registered r;
  return r;
}

const bool g_reset = (registerStateReset([] {
                        std::lock_guard<std::mutex> lock(registered().mutex);
                        registered().byPath.clear();
                      }),
                      true);

std::string pathKey(const std::string& windowsPath) {
  std::string full = fullWindowsPath(windowsPath);
  if (full.empty()) full = windowsPath;
  for (char& c : full) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  return full;
}

// The file's UTF-16 block, or false with the last error set.
bool versionBlock(const std::string& path, std::vector<BYTE>& block) {
  {
    auto& r = registered();
    std::lock_guard<std::mutex> lock(r.mutex);
    auto it = r.byPath.find(pathKey(path));
    if (it != r.byPath.end()) {
      block = versionResource(it->second);
      return true;
    }
  }
  std::string full = fullWindowsPath(path);
  if (!full.empty() && strcasecmp(full.c_str(), moduleFileName().c_str()) == 0) {
    HRSRC res = FindResource(programInstance(), MAKEINTRESOURCE(1), RT_VERSION);
    if (res) {
      auto* data = static_cast<const BYTE*>(LockResource(LoadResource(programInstance(), res)));
      block.assign(data, data + SizeofResource(programInstance(), res));
      return true;
    }
  }
  std::string linuxPath;
  if (!resolveWindowsPath(path, linuxPath)) return false;
  std::error_code ec;
  SetLastError(std::filesystem::exists(linuxPath, ec) ? ERROR_RESOURCE_TYPE_NOT_FOUND : ERROR_FILE_NOT_FOUND);
  return false;
}

// The block handed to callers: the UTF-16 block, then its texts narrow.
bool callerBlock(LPCSTR path, std::vector<BYTE>& out) {
  if (!path) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  std::vector<BYTE> block;
  Node root;
  if (!versionBlock(path, block)) return false;
  if (block.size() < 6 || read16(block.data()) > block.size() || !readRoot(block.data(), root)) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return false;
  }
  block.resize(align4(root.end), 0);
  std::vector<std::string> texts;
  collectTexts(block.data(), root, texts);
  for (const auto& t : texts) block.insert(block.end(), t.c_str(), t.c_str() + t.size() + 1);
  out = std::move(block);
  return true;
}

}  // namespace

std::vector<BYTE> versionResource(const FileVersionInfo& info) {
  VS_FIXEDFILEINFO fixed{};
  fixed.dwSignature = VS_FFI_SIGNATURE;
  fixed.dwStrucVersion = VS_FFI_STRUCVERSION;
  fixed.dwFileVersionMS = static_cast<DWORD>(info.fileVersion[0]) << 16 | info.fileVersion[1];
  fixed.dwFileVersionLS = static_cast<DWORD>(info.fileVersion[2]) << 16 | info.fileVersion[3];
  fixed.dwProductVersionMS = static_cast<DWORD>(info.productVersion[0]) << 16 | info.productVersion[1];
  fixed.dwProductVersionLS = static_cast<DWORD>(info.productVersion[2]) << 16 | info.productVersion[3];
  fixed.dwFileFlagsMask = VS_FFI_FILEFLAGSMASK;
  fixed.dwFileFlags = info.fileFlags;
  fixed.dwFileOS = info.fileOS;
  fixed.dwFileType = info.fileType;
  fixed.dwFileSubtype = info.fileSubtype;

  char table[9];
  std::snprintf(table, sizeof table, "%04x%04x", info.language, info.codePage);
  DWORD translation = static_cast<DWORD>(info.codePage) << 16 | info.language;

  BlockWriter w;
  size_t root = w.open("VS_VERSION_INFO", 0, &fixed, sizeof fixed, sizeof fixed);
  size_t stringInfo = w.open("StringFileInfo", 1, nullptr, 0, 0);
  size_t stringTable = w.open(table, 1, nullptr, 0, 0);
  for (const auto& kv : info.strings) w.text(kv.first, kv.second);
  w.close(stringTable);
  w.close(stringInfo);
  size_t varInfo = w.open("VarFileInfo", 1, nullptr, 0, 0);
  w.close(w.open("Translation", 0, &translation, sizeof translation, sizeof translation));
  w.close(varInfo);
  w.close(root);
  return w.take();
}

void registerFileVersion(const std::string& windowsPath, const FileVersionInfo& info) {
  auto& r = registered();
  std::lock_guard<std::mutex> lock(r.mutex);
  r.byPath[pathKey(windowsPath)] = info;
}

}  // namespace wavorel

DWORD GetFileVersionInfoSize(LPCSTR lptstrFilename, LPDWORD lpdwHandle) {
  if (lpdwHandle) *lpdwHandle = 0;
  std::vector<BYTE> block;
  if (!wavorel::callerBlock(lptstrFilename, block)) return 0;
  return static_cast<DWORD>(block.size());
}

BOOL GetFileVersionInfo(LPCSTR lptstrFilename, DWORD, DWORD dwLen, LPVOID lpData) {
  std::vector<BYTE> block;
  if (!wavorel::callerBlock(lptstrFilename, block)) return FALSE;
  if (!lpData || dwLen < block.size()) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  std::memcpy(lpData, block.data(), block.size());
  return TRUE;
}

BOOL VerQueryValue(LPCVOID pBlock, LPCSTR lpSubBlock, LPVOID* lplpBuffer, UINT* puLen) {
  using wavorel::Node;
  const auto* block = static_cast<const BYTE*>(pBlock);
  Node root;
  if (!block || !lpSubBlock || !lplpBuffer || !puLen || !wavorel::readRoot(block, root)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  Node node = root;
  std::string path = lpSubBlock;
  for (size_t pos = 0; pos <= path.size();) {
    size_t cut = path.find('\\', pos);
    if (cut == std::string::npos) cut = path.size();
    std::string part = path.substr(pos, cut - pos);
    pos = cut + 1;
    if (part.empty()) continue;
    bool found = false;
    wavorel::forEachChild(block, node, [&](const Node& child) {
      found = strcasecmp(child.key.c_str(), part.c_str()) == 0;
      if (found) node = child;
      return !found;
    });
    if (!found) {
      *puLen = 0;
      SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
      return FALSE;
    }
  }
  if (!wavorel::hasText(node)) {
    *lplpBuffer = const_cast<BYTE*>(block + node.valueOffset);
    *puLen = static_cast<UINT>(node.type == 1 ? 0 : node.valueBytes);
    return node.type == 1 || node.valueBytes > 0 ? TRUE : FALSE;
  }
  // The narrow copy of the text, in the area behind the UTF-16 block.
  size_t index = 0;
  wavorel::textIndex(block, root, node.valueOffset, index);
  const char* text = reinterpret_cast<const char*>(block + wavorel::align4(root.end));
  for (size_t i = 0; i < index; ++i) text += std::strlen(text) + 1;
  *lplpBuffer = const_cast<char*>(text);
  *puLen = static_cast<UINT>(std::strlen(text) + 1);
  return TRUE;
}
