// The core's file access through the Windows API, run under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include "EufFile.h"
#include "TTEMetrics.h"
#include "TestPaths.h"

namespace moji {
namespace {

TEST(BinaryFileWin32, DenyWriteKeepsOtherWritersOutButNotReaders) {
  wchar_t dir[MAX_PATH];
  ASSERT_GT(GetTempPathW(MAX_PATH, dir), 0u);
  const std::filesystem::path path = std::filesystem::path(dir) / L"moji_share_test.euf";
  std::filesystem::copy_file(test::Fixture("valid64.euf"), path, std::filesystem::copy_options::overwrite_existing);
  {
    auto file = CBinaryFile::Open(path, CBinaryFile::Access::ReadDenyWrite);
    ASSERT_TRUE(file);
    HANDLE writer = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
    if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
    auto reader = CBinaryFile::Open(path, CBinaryFile::Access::Read);
    EXPECT_TRUE(reader);
  }
  EXPECT_TRUE(DeleteFileW(path.c_str()));
}

TEST(BinaryFileWin32, ReadersWorkOnWidePathsWithJapaneseNames) {
  wchar_t dir[MAX_PATH];
  ASSERT_GT(GetTempPathW(MAX_PATH, dir), 0u);
  const std::filesystem::path folder = std::filesystem::path(dir) / L"外字テスト";
  std::filesystem::create_directories(folder);
  const auto tte = folder / L"私の外字.tte";
  const auto euf = folder / L"私の外字.euf";
  std::filesystem::copy_file(test::Fixture("small.tte"), tte, std::filesystem::copy_options::overwrite_existing);
  std::filesystem::copy_file(test::Fixture("valid64.euf"), euf, std::filesystem::copy_options::overwrite_existing);
  CTTEMetrics metrics;
  EXPECT_EQ(metrics.Read(tte), 0);
  EXPECT_EQ(metrics.definedCount, 5);
  CEufFile file;
  ASSERT_EQ(file.Open(euf, CBinaryFile::Access::Read), 0);
  EufGlyph glyph;
  EXPECT_TRUE(file.ReadGlyph(0xE757, glyph));
  file.Close();
  std::filesystem::remove_all(folder);
}

TEST(BinaryFileWin32, TemplatesLieInTheProgramFolder) {
  for (int s = 16; s <= 256; s += 16) {
    CEufFile file;
    EXPECT_EQ(file.Open(test::Template("SPACE_" + std::to_string(s) + ".euf"), CBinaryFile::Access::Read), 0) << s;
  }
}

}  // namespace
}  // namespace moji
