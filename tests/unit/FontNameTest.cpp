#include "FontName.h"

#include <gtest/gtest.h>

#include "TestPaths.h"

namespace moji {
namespace {

struct NameRecord {
  std::uint16_t platform, encoding, language, nameId;
  std::string bytes;
  int offsetShift = 0;  // moves the string's offset, to point it elsewhere
};

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v >> 8));
  out.push_back(static_cast<std::uint8_t>(v));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v >> 16);
  Put16(out, v & 0xFFFF);
}

std::string Utf16Be(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) out += {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)};
  return out;
}

// A font file holding nothing but a `name` table with these records.
std::vector<std::uint8_t> FontWithNames(const std::vector<NameRecord>& records) {
  std::vector<std::uint8_t> table;
  Put16(table, 0);
  Put16(table, static_cast<std::uint32_t>(records.size()));
  Put16(table, static_cast<std::uint32_t>(6 + 12 * records.size()));
  std::string strings;
  for (const NameRecord& r : records) {
    for (std::uint32_t v : {r.platform, r.encoding, r.language, r.nameId}) Put16(table, v);
    Put16(table, static_cast<std::uint32_t>(r.bytes.size()));
    Put16(table, static_cast<std::uint32_t>(static_cast<int>(strings.size()) + r.offsetShift));
    strings += r.bytes;
  }
  table.insert(table.end(), strings.begin(), strings.end());

  std::vector<std::uint8_t> font;
  Put32(font, 0x00010000);
  Put16(font, 1);
  for (int i = 0; i < 3; ++i) Put16(font, 0);
  font.insert(font.end(), {'n', 'a', 'm', 'e'});
  Put32(font, 0);
  Put32(font, 28);
  Put32(font, static_cast<std::uint32_t>(table.size()));
  font.insert(font.end(), table.begin(), table.end());
  return font;
}

std::optional<std::u16string> Read(std::vector<std::uint8_t> bytes) {
  CMemorySource source(std::move(bytes));
  return ReadFontFamilyName(source);
}

TEST(FontName, FixtureFontsGiveTheirFamily) {
  EXPECT_EQ(ReadFontFamilyName(test::Fixture("small.tte")), u"MojiTestEUDC");
  EXPECT_EQ(ReadFontFamilyName(test::Fixture("full.tte")), u"MojiFull");
  EXPECT_FALSE(ReadFontFamilyName(test::Fixture("valid64.euf")));
  EXPECT_FALSE(ReadFontFamilyName(test::Fixture("no such font.tte")));
}

TEST(FontName, WindowsEnglishRecordIsPreferred) {
  const NameRecord mac{1, 0, 0, 1, "MacName"};
  const NameRecord japanese{3, 1, 0x0411, 1, Utf16Be(u"外字フォント")};
  const NameRecord english{3, 1, 0x0409, 1, Utf16Be(u"Gaiji Font")};
  const NameRecord style{3, 1, 0x0409, 2, Utf16Be(u"Regular")};
  EXPECT_EQ(Read(FontWithNames({mac, style, japanese, english})), u"Gaiji Font");
  EXPECT_EQ(Read(FontWithNames({mac, japanese})), u"外字フォント");
  EXPECT_EQ(Read(FontWithNames({mac, style})), u"MacName");
  EXPECT_FALSE(Read(FontWithNames({style})));
}

TEST(FontName, BrokenRecordsAreSkipped) {
  const NameRecord good{1, 0, 0, 1, "Fallback"};
  const NameRecord odd{3, 1, 0x0409, 1, std::string("\0A\0", 3)};              // odd UTF-16 length
  const NameRecord outside{3, 1, 0x0409, 1, Utf16Be(u"Far"), 1000};            // past the table
  const NameRecord empty{3, 1, 0x0411, 1, std::string("\0\0", 2)};             // only a NUL
  const NameRecord highMac{1, 0, 0, 1, "\xC4pfel"};                            // not ASCII
  EXPECT_EQ(Read(FontWithNames({odd, outside, empty, good})), u"Fallback");
  EXPECT_FALSE(Read(FontWithNames({highMac})));

  std::vector<std::uint8_t> font = FontWithNames({good});
  // A record count that runs past the table, a table past the file, a cut file.
  auto manyRecords = font;
  manyRecords[28 + 2] = 0x10;
  EXPECT_FALSE(Read(manyRecords));
  auto longTable = font;
  longTable[24] = 0x7F;
  EXPECT_FALSE(Read(longTable));
  EXPECT_FALSE(Read(std::vector<std::uint8_t>(font.begin(), font.begin() + 20)));
  auto noTables = font;
  noTables[5] = 0;
  EXPECT_FALSE(Read(noTables));
}

}  // namespace
}  // namespace moji
