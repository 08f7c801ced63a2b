// The GDI glyph renderer on the fixture fonts, whose outlines lie exactly on the 64-pixel grid.
#include "GdiGlyphRenderer.h"

#include <gtest/gtest.h>

#include <map>

#include "GlyphBitmaps.h"
#include "TestPaths.h"

namespace moji {
namespace {

using Bits = std::vector<std::uint8_t>;

Bits Render(CGdiGlyphRenderer& renderer, int code) {
  Bits bits(64 * 64 / 8, 0x55);
  EXPECT_TRUE(renderer.Render(code, bits)) << std::hex << code;
  return bits;
}

TEST(GdiGlyphRenderer, SmallFontGivesTheDesignedBitmaps) {
  CGdiGlyphRenderer renderer;
  ASSERT_TRUE(renderer.Begin(test::Fixture("small.tte"), u"ＭＳ 明朝", 64));
  EXPECT_EQ(renderer.UsesPrivateFont(), !CGdiGlyphRenderer::SystemDrawsEudcLinks());
  const Bits blank(64 * 64 / 8, 0xFF);
  const std::map<int, Bits> expected = {
      {0xE000, test::SquareGlyph()},
      {0xE001, test::EllGlyph()},
      {0xE002, test::BarsGlyph()},
      {0xE003, blank},  // empty outline
      {0xE004, test::CodeShapeGlyph(0xE004)},
      {0xE00F, test::CodeShapeGlyph(0xE00F)},
  };
  // Twice over: the one context of the run is reused without leftovers of earlier codes.
  for (int pass = 0; pass < 2; ++pass)
    for (const auto& [code, bits] : expected) EXPECT_EQ(Render(renderer, code), bits) << std::hex << code;
  if (renderer.UsesPrivateFont()) EXPECT_EQ(Render(renderer, 0xE010), blank);  // not in the font
  for (const auto& [code, bits] : expected) EXPECT_FALSE(renderer.IsMiddleDotOutline(code)) << std::hex << code;

  Bits wrongSize(100);
  EXPECT_FALSE(renderer.Render(0xE000, wrongSize));
  renderer.End();
  EXPECT_FALSE(renderer.Render(0xE000, wrongSize));
  // The private font went with the run: removing it once more fails. (Wine keeps a removed
  // private font selectable, so its face name cannot tell.)
  if (!CGdiGlyphRenderer::SystemDrawsEudcLinks())
    EXPECT_FALSE(RemoveFontResourceExW(test::Fixture("small.tte").c_str(), FR_PRIVATE, nullptr));
}

TEST(GdiGlyphRenderer, OutlineOfTheMiddleDotIsRecognised) {
  CGdiGlyphRenderer renderer;
  ASSERT_TRUE(renderer.Begin(test::Fixture("middot.tte"), u"ＭＳ 明朝", 64));
  EXPECT_EQ(Render(renderer, 0xE001), test::DotGlyph());
  EXPECT_TRUE(renderer.IsMiddleDotOutline(0xE001));
  EXPECT_FALSE(renderer.IsMiddleDotOutline(0xE000));
  EXPECT_FALSE(renderer.IsMiddleDotOutline(0xE002));
  EXPECT_FALSE(renderer.IsMiddleDotOutline(0xE003));  // not mapped: the frame of .notdef
}

TEST(GdiGlyphRenderer, RunsThatCannotStart) {
  CGdiGlyphRenderer renderer;
  EXPECT_FALSE(renderer.Begin(test::Fixture("small.tte"), u"ＭＳ 明朝", 40));  // rows not whole words
  EXPECT_FALSE(renderer.Begin(test::Fixture("small.tte"), u"ＭＳ 明朝", 272));
  if (!CGdiGlyphRenderer::SystemDrawsEudcLinks()) {
    EXPECT_FALSE(renderer.Begin(test::Fixture("valid64.euf"), u"ＭＳ 明朝", 64));  // no font
    EXPECT_FALSE(renderer.Begin(test::Fixture("no such.tte"), u"ＭＳ 明朝", 64));
  }
  Bits bits(64 * 64 / 8);
  EXPECT_FALSE(renderer.Render(0xE000, bits));
  EXPECT_FALSE(renderer.IsMiddleDotOutline(0xE000));
}

}  // namespace
}  // namespace moji
