#include "FontCmap.h"

#include <gtest/gtest.h>

#include "CmapTables.h"

namespace moji {
namespace {

using namespace test;

struct Probe {
  char32_t code, selector;
  std::uint16_t glyph;
};

struct Case {
  const char* name;
  Bytes table;
  int status;
  std::vector<Probe> probes;
  std::size_t mappings;
  std::uint32_t glyphCount = 100;
};

const Bytes kBmp = Format4({{0x41, 0x43, 9}, {0x4E00, 0x4E01, 0, {20, 0}}, {0xFFFF, 0xFFFF, 1}});

TEST(FontCmapTest, ReadsMapsOfEachFormat) {
  Bytes truncated = Cmap({{3, 1, kBmp}});
  truncated.resize(truncated.size() - 4);  // idRangeOffset array runs past the end
  Bytes outside = Cmap({{3, 1, kBmp}});
  outside[11] = 0xF0;                     // subtable offset beyond the table
  const Case cases[] = {
      {"format 4: delta, glyph id array, 0 in the array, final 0xFFFF",
       Cmap({{3, 1, kBmp}}), CFontCmap::kOk,
       {{0x41, 0, 0x4A}, {0x43, 0, 0x4C}, {0x4E00, 0, 20}, {0x4E01, 0, 0}, {0xFFFF, 0, 0}}, 4},
      {"format 12 before format 4, codes beyond the BMP",
       Cmap({{3, 1, kBmp}, {3, 10, Format12({{0x20000, 0x20002, 30}, {0x41, 0x41, 7}})}}), CFontCmap::kOk,
       {{0x20001, 0, 31}, {0x41, 0, 7}, {0x42, 0, 0}}, 4},
      {"format 12 claiming more groups than it holds: format 4 instead",
       Cmap({{3, 10, Format12({{0x41, 0x41, 7}}, 1000)}, {3, 1, kBmp}}), CFontCmap::kOk, {{0x41, 0, 0x4A}}, 4},
      {"format 12 group running past the glyph count stops there",
       Cmap({{3, 10, Format12({{0x100, 0x10FFFF, 95}})}}), CFontCmap::kOk, {{0x104, 0, 99}, {0x105, 0, 0}}, 5},
      {"format 14: default sequences take the character's glyph, others their own",
       Cmap({{3, 1, kBmp}, {0, 5, Format14(0xE0100, {{0x41, 1}, {0x50, 0}}, {{0x4E00, 60}, {0x4E01, 61}})}}),
       CFontCmap::kOk,
       {{0x41, 0xE0100, 0x4A}, {0x42, 0xE0100, 0x4B}, {0x43, 0xE0100, 0}, {0x50, 0xE0100, 0},
        {0x4E00, 0xE0100, 60}, {0x4E01, 0xE0100, 61}, {0x4E00, 0xE0101, 0}, {0x4E00, 0, 20}},
       8},
      {"glyphs at or above the glyph count are dropped", Cmap({{3, 1, kBmp}}), CFontCmap::kOk,
       {{0x41, 0, 0}, {0x4E00, 0, 20}}, 1, 0x4A},
      {"Unicode platform format 4", Cmap({{0, 3, kBmp}}), CFontCmap::kOk, {{0x42, 0, 0x4B}}, 4},
      {"only a symbol map", Cmap({{3, 0, kBmp}}), CFontCmap::kNoUnicodeMap, {{0x41, 0, 0}}, 0},
      {"glyph id array cut short", truncated, CFontCmap::kOk, {{0x41, 0, 0x4A}, {0x4E00, 0, 0}}, 3},
      {"subtable outside the table", outside, CFontCmap::kNoUnicodeMap, {}, 0},
      {"encoding records beyond the end", Bytes{0, 0, 0, 9, 0, 3}, CFontCmap::kBadHeader, {}, 0},
      {"empty", Bytes{}, CFontCmap::kBadHeader, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CFontCmap cmap;
    EXPECT_EQ(cmap.Read(c.table, c.glyphCount), c.status);
    for (const Probe& p : c.probes) EXPECT_EQ(cmap.GlyphOf(p.code, p.selector), p.glyph) << std::hex << static_cast<std::uint32_t>(p.code);
    const auto all = cmap.Mappings();
    EXPECT_EQ(all.size(), c.mappings);
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end(), [](auto& a, auto& b) {
      return a.code != b.code ? a.code < b.code : a.selector < b.selector;
    }));
  }
}

TEST(FontCmapTest, FontTableWithinFileOnly) {
  Bytes font;
  Put(font, 0x00010000, 4), Put(font, 2, 2), Put(font, 0, 6);
  font.insert(font.end(), {'c', 'm', 'a', 'p'}), Put(font, 0, 4), Put(font, 44, 4), Put(font, 4, 4);
  font.insert(font.end(), {'m', 'a', 'x', 'p'}), Put(font, 0, 4), Put(font, 48, 4), Put(font, 100, 4);
  Put(font, 0xCAFEF00D, 4), Put(font, 0x00005000, 4), Put(font, 0x0123, 2);
  CMemorySource source(font);
  EXPECT_EQ(ReadFontTable(source, "cmap", 1000), (Bytes{0xCA, 0xFE, 0xF0, 0x0D}));
  EXPECT_TRUE(ReadFontTable(source, "cmap", 3).empty());
  EXPECT_TRUE(ReadFontTable(source, "maxp", 1000).empty());  // runs past the file
  EXPECT_TRUE(ReadFontTable(source, "glyf", 1000).empty());
  EXPECT_EQ(GlyphCountOfMaxp(std::vector<std::uint8_t>{0, 0, 0x50, 0, 0x01, 0x23}), 0x123u);
}

}  // namespace
}  // namespace moji
