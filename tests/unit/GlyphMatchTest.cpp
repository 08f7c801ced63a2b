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

TEST(GlyphMatch, ThrottledProbeIsAskedFirstAndThenOncePerInterval) {
  std::uint64_t now = 0;
  int asked = 0;
  const auto probe = ThrottledProbe([&] { return ++asked, true; }, [&] { return now; }, 16);
  struct {
    std::uint64_t now;
    bool answer;
    int asked;
  } calls[] = {
      {1000, true, 1},   // the first call asks
      {1000, false, 1},  // then nothing within the interval
      {1015, false, 1},
      {1016, true, 2},   // the interval counts from the last asking
      {1031, false, 2},
      {1100, true, 3},
      {1100, false, 3},
  };
  for (const auto& c : calls) {
    SCOPED_TRACE(c.now);
    now = c.now;
    EXPECT_EQ(probe(), c.answer);
    EXPECT_EQ(asked, c.asked);
  }
}

}  // namespace
}  // namespace moji
