// The sample gaiji font shipped in the program folder: its TTE and EUF describe the same codes.
#include <gtest/gtest.h>

#include "EufFile.h"
#include "TTEMetrics.h"
#include "TestPaths.h"

namespace moji {
namespace {

TEST(SampleFont, TteAndEufHoldTheSameGaiji) {
  CTTEMetrics tte;
  ASSERT_EQ(tte.Read(test::Template("Sample/SampleGaiji.tte")), 0);
  CEufFile euf;
  ASSERT_EQ(euf.Open(test::Template("Sample/SampleGaiji.euf"), CBinaryFile::Access::Read), 0);
  EXPECT_EQ(euf.GlyphSize(), std::make_pair(64, 64));
  int both = 0;
  for (int code = kGaijiFirst; code <= kGaijiLast; ++code) {
    ASSERT_EQ(tte.HasGlyph(code), euf.HasGlyph(code)) << std::hex << code;
    if (!euf.HasGlyph(code)) continue;
    EufGlyph glyph;
    ASSERT_TRUE(euf.ReadGlyph(code, glyph)) << std::hex << code;
    EXPECT_EQ(glyph.width, 64);
    EXPECT_NE(std::count(glyph.bits.begin(), glyph.bits.end(), 0xFF), static_cast<long>(glyph.bits.size()));
    ++both;
  }
  EXPECT_EQ(both, tte.definedCount);
  EXPECT_GE(both, 12);
}

}  // namespace
}  // namespace moji
