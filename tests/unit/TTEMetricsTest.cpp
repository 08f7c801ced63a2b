#include "TTEMetrics.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "TestPaths.h"

namespace moji {
namespace {

using test::Fixture;

TEST(TTEMetrics, SmallEudcFontDefinesExactlyTheCodesWithOutlines) {
  CTTEMetrics tte;
  ASSERT_EQ(tte.Read(Fixture("small.tte")), 0);
  EXPECT_EQ(tte.readStatus, 0);
  EXPECT_EQ(tte.definedCount, 5);
  for (int code : {0xE000, 0xE001, 0xE002, 0xE004, 0xE00F}) EXPECT_TRUE(tte.HasGlyph(code)) << std::hex << code;
  for (int code : {0xE003, 0xE005, 0xE00E, 0xE010, 0xF8FF, 0xDFFF, 0x41}) EXPECT_FALSE(tte.HasGlyph(code)) << std::hex << code;
  std::uint32_t length = 0;
  EXPECT_NE(tte.FindTable("loca", &length), 0u);
  EXPECT_EQ(length, 18u * 4);  // 17 glyphs + the closing entry, 32-bit
  EXPECT_EQ(tte.FindTable("zzzz", &length), 0u);
  EXPECT_EQ(length, 0u);
}

TEST(TTEMetrics, FullFontAndSegmentsReachingOutsideTheGaijiSpace) {
  CTTEMetrics tte;
  ASSERT_EQ(tte.Read(Fixture("full.tte")), 0);
  EXPECT_EQ(tte.definedCount, 6400);
  EXPECT_TRUE(tte.HasGlyph(0xF8FF));
  // DFFE..F900 all with outlines: only E000..F8FF counts.
  ASSERT_EQ(tte.Read(Fixture("wide_segment.tte")), 0);
  EXPECT_EQ(tte.definedCount, 6400);
  EXPECT_FALSE(tte.HasGlyph(0xDFFF));
  EXPECT_FALSE(tte.HasGlyph(0xF900));
}

// Builds loca flags by hand: glyph g is present exactly when loca[g+1] != loca[g], the
// last entry only closes the last glyph, and codes mapping to glyph n or beyond are absent.
TEST(TTEMetrics, LocaFlagsFollowTheOffsetsAndTheDelta) {
  std::vector<std::uint8_t> font;
  auto be16 = [&](unsigned v) { font.push_back(std::uint8_t(v >> 8)); font.push_back(std::uint8_t(v)); };
  auto be32 = [&](std::uint32_t v) { be16(v >> 16); be16(v & 0xFFFF); };
  auto tag = [&](const char* t) { font.insert(font.end(), t, t + 4); };
  const std::uint32_t loca[] = {0, 10, 20, 20, 30, 40, 40, 50, 60};  // 9 entries: glyphs 0..7
  const std::uint32_t locaAt = 12 + 2 * 16, cmapAt = locaAt + sizeof loca;
  be32(0x00010000); be16(2); be16(0); be16(0); be16(0);
  tag("cmap"); be32(0); be32(cmapAt); be32(44);
  tag("loca"); be32(0); be32(locaAt); be32(sizeof loca);
  for (std::uint32_t v : loca) be32(v);
  be16(0); be16(1); be16(3); be16(1); be32(12);                  // one record 3/1
  be16(4); be16(32); be16(0); be16(4); be16(4); be16(1); be16(0); // format 4, 2 segments
  be16(0xE00A); be16(0xFFFF); be16(0);                            // endCode, pad
  be16(0xE000); be16(0xFFFF);                                     // startCode
  be16((1 - 0xE000) & 0xFFFF); be16(1);                           // idDelta: E000 -> glyph 1
  be16(0); be16(0);                                               // idRangeOffset
  CMemorySource source(font);
  CTTEMetrics tte;
  ASSERT_EQ(tte.Read(source), 0);
  // outlines: glyphs 0,1,3,4,6,7; glyph 8 only closes glyph 7; code E000+i maps to glyph 1+i
  const bool expected[] = {true, false, true, true, false, true, true, false, false, false, false};
  for (int i = 0; i < 11; ++i) EXPECT_EQ(tte.HasGlyph(0xE000 + i), expected[i]) << i;
  EXPECT_EQ(tte.definedCount, 5);
}

TEST(TTEMetrics, EveryStatusNumberComesFromAFixture) {
  const std::pair<const char*, int> cases[] = {
      {"err_m1_numtables0.tte", -1}, {"err_m1_version.tte", -1}, {"err_m1_short.tte", -1},
      {"err_m1_directory.tte", -1}, {"valid64.euf", -1}, {"does_not_exist.tte", -1},
      {"err_10_noloca.tte", 10}, {"err_10_locashort.tte", 10}, {"err_11_locahuge.tte", 11},
      {"err_12_locaseek.tte", 12}, {"err_13_locaread.tte", 13}, {"err_20_cmaphead.tte", 20},
      {"err_21_nocmap.tte", 21}, {"err_21_tworecords.tte", 21}, {"err_22_cmapseek.tte", 22},
      {"err_23_format.tte", 23}, {"err_24_format6.tte", 24}, {"err_30_f4head.tte", 30},
      {"err_31_segments.tte", 31}, {"err_32_arrays.tte", 32}, {"err_33_rangeoffset.tte", 33},
  };
  for (const auto& [name, status] : cases) {
    CTTEMetrics tte;
    EXPECT_EQ(tte.Read(Fixture(name)), status) << name;
    EXPECT_EQ(tte.readStatus, status) << name;
    EXPECT_EQ(tte.definedCount, 0) << name;
    for (int code = kGaijiFirst; code <= kGaijiLast; ++code) ASSERT_FALSE(tte.HasGlyph(code)) << name;
  }
}

TEST(TTEMetrics, ReadStartsFromResetAfterAGoodRead) {
  CTTEMetrics tte;
  ASSERT_EQ(tte.Read(Fixture("small.tte")), 0);
  EXPECT_EQ(tte.Read(Fixture("err_31_segments.tte")), 31);
  EXPECT_FALSE(tte.HasGlyph(0xE000));
  EXPECT_EQ(tte.definedCount, 0);
  tte.Reset();
  EXPECT_EQ(tte.readStatus, -1);
  EXPECT_EQ(tte.FindTable("loca"), 0u);
}

TEST(TTEMetrics, RealDebianFontsAreNotEudcFonts) {
  for (const char* path : {"/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
                           "/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf"}) {
    ASSERT_TRUE(std::filesystem::exists(path)) << path << " (fonts-ipafont) is missing";
    CTTEMetrics tte;
    EXPECT_NE(tte.Read(path), 0) << path;
    EXPECT_FALSE(tte.HasGlyph(0xE000));
  }
}

}  // namespace
}  // namespace moji
