#include "GlyphMatch.h"

#include <gtest/gtest.h>


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

}  // namespace
}  // namespace moji
