// ICON, CURSOR and BITMAP: the file is embedded once; RT_ICON images and the
// RT_BITMAP data are views into it, RT_GROUP_ICON / RT_GROUP_CURSOR are
// directories made from the file's own directory.
#include "platform/tools/rc/ByteWriter.h"
#include "platform/tools/rc/RcError.h"
#include "platform/tools/rc/Statements.h"
#include "platform/wire/Bytes.h"

namespace wavrc {

namespace {

uint32_t le16(const std::vector<uint8_t>& b, size_t p) { return wavorel::wire::getU16(b.data() + p); }
uint32_t le32(const std::vector<uint8_t>& b, size_t p) { return wavorel::wire::getU32(b.data() + p); }

struct DirEntry {
  uint8_t width, height, colors;
  uint16_t planesOrHotX, bitsOrHotY;
  uint32_t size, offset;
};

// Reads the directory of an .ico (type 1) or .cur (type 2) file.
std::vector<DirEntry> readDirectory(const std::vector<uint8_t>& b, uint16_t type, const std::string& fileName,
                                    const Token& at) {
  const char* kind = type == 1 ? "icon" : "cursor";
  auto bad = [&](const std::string& why) {
    return RcError(at.file, at.line, "'" + fileName + "' is not a valid " + kind + " file: " + why);
  };
  if (b.size() < 6 || le16(b, 0) != 0 || le16(b, 2) != type) throw bad("wrong header");
  uint32_t count = le16(b, 4);
  if (count == 0) throw bad("no images");
  if (6 + 16ull * count > b.size()) throw bad("directory cut short");
  std::vector<DirEntry> entries;
  for (uint32_t i = 0; i < count; ++i) {
    size_t p = 6 + 16 * i;
    DirEntry e{b[p], b[p + 1], b[p + 2], static_cast<uint16_t>(le16(b, p + 4)), static_cast<uint16_t>(le16(b, p + 6)),
               le32(b, p + 8), le32(b, p + 12)};
    if (e.size == 0 || e.offset > b.size() || e.size > b.size() - e.offset) throw bad("image outside the file");
    entries.push_back(e);
  }
  return entries;
}

// Planes and bit count from an image's BITMAPINFOHEADER (PNG images: 1, 32).
void imageFormat(const std::vector<uint8_t>& b, const DirEntry& e, uint16_t& planes, uint16_t& bits) {
  planes = 1;
  bits = 32;
  if (e.size >= 16 && le32(b, e.offset) == 40) {
    planes = static_cast<uint16_t>(le16(b, e.offset + 12));
    bits = static_cast<uint16_t>(le16(b, e.offset + 14));
  }
}

}  // namespace

void parseIcon(Script& s, const ResName& name, const Token& at) {
  s.skipMemoryOptions();
  const Token fileToken = s.ts.peek();
  std::string fileName = s.ts.expectString("for the icon file");
  std::vector<uint8_t> bytes = s.readFile(fileName, fileToken);
  std::vector<DirEntry> entries = readDirectory(bytes, 1, fileName, fileToken);
  size_t blob = s.set.addBlob(bytes);
  ByteWriter group;
  group.word(0);
  group.word(1);
  group.word(static_cast<uint16_t>(entries.size()));
  for (const DirEntry& e : entries) {
    uint16_t id = s.set.nextOrdinal(kRtIcon);
    s.set.addView(ResName::ordinal(kRtIcon), ResName::ordinal(id), s.language, blob, e.offset, e.size, at);
    uint16_t planes = e.planesOrHotX, bits = e.bitsOrHotY;
    if (bits == 0) imageFormat(bytes, e, planes, bits);
    group.byte(e.width);
    group.byte(e.height);
    group.byte(e.colors);
    group.byte(0);
    group.word(planes);
    group.word(bits);
    group.dword(e.size);
    group.word(id);
  }
  s.set.add(ResName::ordinal(kRtGroupIcon), name, s.language, std::move(group.bytes()), at);
  s.set.addFile(ResName::ordinal(kRtGroupIcon), name, blob);
}

void parseCursor(Script& s, const ResName& name, const Token& at) {
  s.skipMemoryOptions();
  const Token fileToken = s.ts.peek();
  std::string fileName = s.ts.expectString("for the cursor file");
  std::vector<uint8_t> bytes = s.readFile(fileName, fileToken);
  std::vector<DirEntry> entries = readDirectory(bytes, 2, fileName, fileToken);
  ByteWriter group;
  group.word(0);
  group.word(2);
  group.word(static_cast<uint16_t>(entries.size()));
  for (const DirEntry& e : entries) {
    // An RT_CURSOR image is the hot spot followed by the image.
    ByteWriter image;
    image.word(e.planesOrHotX);
    image.word(e.bitsOrHotY);
    image.raw(std::vector<uint8_t>(bytes.begin() + e.offset, bytes.begin() + e.offset + e.size));
    uint16_t id = s.set.nextOrdinal(kRtCursor);
    uint16_t planes = 0, bits = 0;
    imageFormat(bytes, e, planes, bits);
    s.set.add(ResName::ordinal(kRtCursor), ResName::ordinal(id), s.language, std::move(image.bytes()), at);
    group.word(e.width == 0 ? 256 : e.width);
    group.word(static_cast<uint16_t>((e.height == 0 ? 256 : e.height) * 2));  // image and mask
    group.word(planes);
    group.word(bits);
    group.dword(e.size + 4);
    group.word(id);
  }
  s.set.add(ResName::ordinal(kRtGroupCursor), name, s.language, std::move(group.bytes()), at);
  s.set.addFile(ResName::ordinal(kRtGroupCursor), name, s.set.addBlob(std::move(bytes)));
}

void parseBitmap(Script& s, const ResName& name, const Token& at) {
  s.skipMemoryOptions();
  const Token fileToken = s.ts.peek();
  std::string fileName = s.ts.expectString("for the bitmap file");
  std::vector<uint8_t> bytes = s.readFile(fileName, fileToken);
  constexpr size_t kFileHeader = 14, kInfoHeader = 40;
  if (bytes.size() < kFileHeader + kInfoHeader || bytes[0] != 'B' || bytes[1] != 'M') {
    throw RcError(fileToken.file, fileToken.line, "'" + fileName + "' is not a valid bitmap file");
  }
  size_t size = bytes.size();
  size_t blob = s.set.addBlob(std::move(bytes));
  // RT_BITMAP holds the file without its BITMAPFILEHEADER.
  s.set.addView(ResName::ordinal(kRtBitmap), name, s.language, blob, kFileHeader, size - kFileHeader, at);
  s.set.addFile(ResName::ordinal(kRtBitmap), name, blob);
}

}  // namespace wavrc
