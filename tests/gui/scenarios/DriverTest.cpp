// The driver's own pieces that need no window: the PNG encoder (decoded again by the
// system's PNG codec), the text file reader and the scenario folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "PngReader.h"
#include "PngWriter.h"
#include "ScenarioFolder.h"
#include "TextFile.h"

namespace moji::gui {
namespace {

std::filesystem::path TempFolder(const wchar_t* name) {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  return std::filesystem::path(dir) / name;
}

void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TEST(PngWriter, ChecksumsMatchTheirReferenceValues) {
  const std::string digits = "123456789";
  const auto* d = reinterpret_cast<const std::uint8_t*>(digits.data());
  EXPECT_EQ(Crc32(d, digits.size()), 0xCBF43926u);
  EXPECT_EQ(Crc32(d + 4, 5, Crc32(d, 4)), 0xCBF43926u);
  const std::string word = "Wikipedia";
  EXPECT_EQ(Adler32(reinterpret_cast<const std::uint8_t*>(word.data()), word.size()), 0x11E60398u);
  EXPECT_TRUE(EncodePng(RgbImage{}).empty());
}

TEST(PngWriter, SystemCodecDecodesExactlyWhatWasEncoded) {
  // Flat areas (runs longer than one deflate match), rows equal to the one above, stripes,
  // noise, and a width whose rows are no multiple of four bytes.
  RgbImage image{301, 97, {}};
  image.pixels.resize(301 * 97 * 3);
  std::mt19937 random(7);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      std::uint8_t* p = &image.pixels[(y * image.width + x) * 3];
      if (x < 120) {
        p[0] = 0xFF, p[1] = 0xFF, p[2] = 0xC0;
      } else if (x < 200) {
        p[0] = p[1] = p[2] = (y % 5 == 0 || x % 9 == 0) ? 0 : 200;
      } else {
        p[0] = static_cast<std::uint8_t>(random()), p[1] = static_cast<std::uint8_t>(random()),
        p[2] = static_cast<std::uint8_t>(random());
      }
    }
  }
  const auto path = TempFolder(L"moji_png_test.png");
  ASSERT_TRUE(WritePng(path, image));
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  const RgbImage decoded = ReadPng(path);
  CoUninitialize();
  EXPECT_EQ(decoded.width, image.width);
  EXPECT_EQ(decoded.height, image.height);
  EXPECT_TRUE(decoded.pixels == image.pixels);
  std::filesystem::remove(path);
}

TEST(TextFile, DecodesByMarkValidityOrCodePage932) {
  const auto path = TempFolder(L"moji_text_test.txt");
  WriteBytes(path, "\xEF\xBB\xBF\xE5\xA4\x96\xE5\xAD\x97\r\n");  // UTF-8 with mark: 外字
  EXPECT_EQ(ReadTextFile(path), std::optional<std::wstring>(L"外字\r\n"));
  WriteBytes(path, "Pos=1:2\xE5\xA4\x96");  // UTF-8 without mark
  EXPECT_EQ(ReadTextFile(path), std::optional<std::wstring>(L"Pos=1:2外"));
  WriteBytes(path, "\x8A\x4F\x8E\x9A \xBA\xB0\xC4\xDE");  // code page 932: 外字 ｺｰﾄﾞ
  EXPECT_EQ(ReadTextFile(path), std::optional<std::wstring>(L"外字 ｺｰﾄﾞ"));
  WriteBytes(path, std::string_view("\xFF\xFE\x16\x59\x57\x5B", 6));  // UTF-16LE: 外字
  EXPECT_EQ(ReadTextFile(path), std::optional<std::wstring>(L"外字"));
  std::filesystem::remove(path);
  EXPECT_EQ(ReadTextFile(path), std::nullopt);
}

TEST(ScenarioFolder, CopiesProgramFilesButNotRunStateAndStartsEmptyEachTime) {
  const auto programs = TempFolder(L"moji_programs"), scenario = TempFolder(L"moji_scenario");
  std::filesystem::remove_all(programs);
  std::filesystem::create_directories(programs / L"TEMP");
  for (const wchar_t* name : {L"Mojiview.exe", L"SPACE_64.euf", L"MOJIVIEW.INI", L"TEMP\\_Gvw_1"}) {
    WriteBytes(programs / name, "x");
  }
  CScenarioFolder folder;
  ASSERT_TRUE(folder.Prepare(programs, scenario));
  EXPECT_TRUE(std::filesystem::exists(folder.File(L"Mojiview.exe")));
  EXPECT_TRUE(std::filesystem::exists(folder.File(L"SPACE_64.euf")));
  EXPECT_FALSE(std::filesystem::exists(folder.File(L"MOJIVIEW.INI")));
  EXPECT_FALSE(std::filesystem::exists(folder.File(L"TEMP")));

  WriteBytes(folder.File(L"Mojiview.ini"), "[GkpBrowserSettings]\r\n");
  ASSERT_TRUE(folder.Prepare(programs, scenario));
  EXPECT_FALSE(std::filesystem::exists(folder.File(L"Mojiview.ini")));
  std::filesystem::remove_all(programs);
  std::filesystem::remove_all(scenario);
}

}  // namespace
}  // namespace moji::gui
