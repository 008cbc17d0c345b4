#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/testing/PlatformTest.h"
#include "platform/win/kernel/Errors.h"
#include "platform/win/kernel/Paths.h"
#include "platform/win/kernel/VersionInfo.h"

namespace wavorel {
namespace {

using VersionInfo = testing::PlatformTest;

constexpr char kDriver[] = "C:\\Windows\\System32\\drivers\\vx52usb.sys";

void registerDriver() {
  FileVersionInfo info;
  info.fileVersion[0] = 3;
  info.fileVersion[1] = 1;
  info.fileVersion[2] = 400;
  info.fileVersion[3] = 15;
  info.fileType = VFT_DRV;
  info.fileSubtype = VFT2_DRV_NETWORK;
  info.strings = {{"FileVersion", "3.1.400.15"}, {"LegalCopyright", "Copyright (C) Sorvik"}, {"Comments", ""}};
  registerFileVersion("c:\\windows\\system32\\DRIVERS\\VX52USB.SYS", info);
}

std::vector<BYTE> versionOf(const char* path) {
  DWORD handle = 99;
  DWORD size = GetFileVersionInfoSize(path, &handle);
  EXPECT_EQ(handle, 0u);
  std::vector<BYTE> block(size);
  if (size) {
    EXPECT_TRUE(GetFileVersionInfo(path, 0, size, block.data()));
  }
  return block;
}

TEST_F(VersionInfo, RegisteredVersionIsQueriedAsOnWindows) {
  registerDriver();
  std::vector<BYTE> block = versionOf(kDriver);
  ASSERT_FALSE(block.empty());

  LPVOID value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValue(block.data(), "\\", &value, &length));
  ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(fixed->dwSignature, VS_FFI_SIGNATURE);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00030001u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x0190000Fu);
  EXPECT_EQ(fixed->dwFileType, VFT_DRV);

  struct Text {
    const char* query;
    const char* expected;
  } texts[] = {
      {"\\StringFileInfo\\040904B0\\LegalCopyright", "Copyright (C) Sorvik"},
      {"\\stringfileinfo\\040904b0\\FileVersion", "3.1.400.15"},
      {"\\StringFileInfo\\040904b0\\Comments", ""},
  };
  for (const auto& t : texts) {
    ASSERT_TRUE(VerQueryValue(block.data(), t.query, &value, &length)) << t.query;
    EXPECT_STREQ(static_cast<const char*>(value), t.expected);
    EXPECT_EQ(length, std::strlen(t.expected) + 1) << t.query;
    EXPECT_GE(static_cast<BYTE*>(value), block.data());
    EXPECT_LT(static_cast<BYTE*>(value), block.data() + block.size());
  }
  ASSERT_TRUE(VerQueryValue(block.data(), "\\VarFileInfo\\Translation", &value, &length));
  ASSERT_EQ(length, 4u);
  DWORD translation;
  std::memcpy(&translation, value, 4);
  EXPECT_EQ(translation, 0x04B00409u);
  for (const char* missing : {"\\StringFileInfo\\040904b0\\ProductName", "\\StringFileInfo\\04070000\\FileVersion"})
    EXPECT_FALSE(VerQueryValue(block.data(), missing, &value, &length)) << missing;
}

TEST_F(VersionInfo, BlockHasTheFileLayout) {
  registerDriver();
  std::vector<BYTE> block = versionOf(kDriver);
  ASSERT_GE(block.size(), 92u);
  auto word = [&](size_t at) { return static_cast<WORD>(block[at] | block[at + 1] << 8); };
  WORD rootLength = word(0);
  EXPECT_LE(rootLength, block.size());
  EXPECT_EQ(word(2), sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(word(4), 0) << "binary value";
  const char key[] = "VS_VERSION_INFO";
  for (size_t i = 0; i < sizeof key; ++i) EXPECT_EQ(word(6 + 2 * i), static_cast<WORD>(key[i])) << i;
  DWORD signature;
  std::memcpy(&signature, &block[40], 4);
  EXPECT_EQ(signature, VS_FFI_SIGNATURE) << "fixed info after the key, on a 32-bit boundary";
  // The first child follows the fixed info: StringFileInfo, a text record.
  EXPECT_EQ(word(92 + 4), 1);
  const char child[] = "StringFileInfo";
  for (size_t i = 0; i < sizeof child; ++i) EXPECT_EQ(word(92 + 6 + 2 * i), static_cast<WORD>(child[i])) << i;
}

TEST_F(VersionInfo, FilesWithoutVersionFail) {
  registerDriver();
  DWORD size = GetFileVersionInfoSize(kDriver, nullptr);
  std::vector<BYTE> small(size - 1);
  EXPECT_FALSE(GetFileVersionInfo(kDriver, 0, size - 1, small.data()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));

  std::string linuxPath;
  ASSERT_TRUE(resolveWindowsPath("C:\\Windows\\plain.dll", linuxPath));
  std::filesystem::create_directories(std::filesystem::path(linuxPath).parent_path());
  std::ofstream(linuxPath) << "no resources";
  EXPECT_EQ(GetFileVersionInfoSize("C:\\Windows\\plain.dll", nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
  EXPECT_EQ(GetFileVersionInfoSize("C:\\Windows\\missing.dll", nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

}  // namespace
}  // namespace wavorel
