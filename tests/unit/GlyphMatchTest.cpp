#include "GlyphMatch.h"

#include <gtest/gtest.h>

#include <map>

#include "GaijiCode.h"

namespace moji {
namespace {

EufGlyph Glyph(int width, int height, std::uint8_t fill) {
  return {width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width * height / 8), fill)};
}

TEST(GlyphMatch, OnlyEqualSizeAndEqualBitsMatch) {
  const GlyphPattern pattern{16, 16, std::vector<std::uint8_t>(32, 0x0F)};
  struct {
    const char* name;
    EufGlyph glyph;
    bool matches;
  } cases[] = {
      {"same", Glyph(16, 16, 0x0F), true},
      {"one bit off", [] { auto g = Glyph(16, 16, 0x0F); g.bits[31] ^= 1; return g; }(), false},
      {"other width", Glyph(32, 8, 0x0F), false},
      {"other height", Glyph(16, 32, 0x0F), false},
      {"no glyph", EufGlyph{}, false},
      {"bits cut short", [] { auto g = Glyph(16, 16, 0x0F); g.bits.resize(31); return g; }(), false},
  };
  for (const auto& c : cases) EXPECT_EQ(GlyphMatches(c.glyph, pattern), c.matches) << c.name;
}

TEST(GlyphMatch, SearchFindsTheLowestCodeFromTheStartAndStopsOnRequest) {
  const GlyphPattern pattern{16, 16, std::vector<std::uint8_t>(32, 0x33)};
  const std::map<int, std::uint8_t> fills{{0xE005, 0x33}, {0xE007, 0x33}, {0xE006, 0x11}, {0xF8FF, 0x33}};
  int reads = 0;
  const auto read = [&](int code, EufGlyph& glyph) {
    ++reads;
    const auto it = fills.find(code);
    if (it == fills.end()) return false;
    glyph = Glyph(16, 16, it->second);
    return true;
  };
  struct {
    int start;
    int stopAfter;  // abort requests answered true from this many questions on; 0 = never
    int result;
  } cases[] = {
      {kGaijiFirst, 0, 0xE005}, {0xE006, 0, 0xE007}, {0xE008, 0, 0xF8FF},
      {0xF900, 0, kSearchNotFound}, {kGaijiFirst, 3, kSearchAborted}, {0xE004, 3, 0xE005},
  };
  for (const auto& c : cases) {
    int questions = 0;
    const auto abort = [&] { return c.stopAfter != 0 && ++questions >= c.stopAfter; };
    EXPECT_EQ(FindMatchingGlyph(c.start, pattern, read, abort), c.result) << std::hex << c.start;
  }
  reads = 0;
  const GlyphPattern none{16, 16, std::vector<std::uint8_t>(32, 0x77)};
  EXPECT_EQ(FindMatchingGlyph(kGaijiFirst, none, read, nullptr), kSearchNotFound);
  EXPECT_EQ(reads, kGaijiCount);  // one read per code, no wrap-around
}

}  // namespace
}  // namespace moji
