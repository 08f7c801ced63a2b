#include "YomiDictionary.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "YomiRecords.h"

namespace moji {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

struct DictionaryCase {
  const char* name;
  std::vector<test::YomiReading> readings;
  std::u16string expectedText;  // after the byte-order mark
  std::size_t expectedLines;
};

// The expected file: FF FE, then every unit low byte first.
Bytes Utf16LeWithBom(std::u16string_view text) {
  Bytes out{0xFF, 0xFE};
  for (char16_t unit : text) {
    out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    out.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return out;
}

TEST(YomiDictionaryTest, WritesOneLinePerReadingRecord) {
  const DictionaryCase cases[] = {
      {"several readings of one gaiji",
       {{0xE000, u"あ"}, {0xE000, u"いろは"}, {0xE001, u"ゔぁ"}},
       u"あ\t\uE000\t単漢字\r\nいろは\t\uE000\t単漢字\r\nゔぁ\t\uE001\t単漢字\r\n",
       3},
      {"a gaiji above U+E757 and a ten-character reading",
       {{0xE758, u"かきくけこさしすせそ"}, {0xF8FF, u"ん"}},
       u"かきくけこさしすせそ\t\uE758\t単漢字\r\nん\t\uF8FF\t単漢字\r\n",
       2},
      {"records without a reading or outside the gaiji range give no line",
       {{0xE002, u""}, {0x4E00, u"いち"}, {0xE003, u"え"}},
       u"え\t\uE003\t単漢字\r\n",
       1},
      {"an empty store gives the byte-order mark alone", {}, u"", 0},
  };
  const fs::path file = fs::temp_directory_path() / "moji_yomi_dictionary.txt";
  for (const DictionaryCase& c : cases) {
    std::size_t lines = 99;
    ASSERT_TRUE(WriteYomiDictionary(file, test::YomiRecords(c.readings), lines)) << c.name;
    std::ifstream in(file, std::ios::binary);
    const Bytes written{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(written, Utf16LeWithBom(c.expectedText)) << c.name;
    EXPECT_EQ(lines, c.expectedLines) << c.name;
  }
  fs::remove(file);
}

}  // namespace
}  // namespace moji
