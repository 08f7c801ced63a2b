#include "CandidateIndex.h"

#include <gtest/gtest.h>

#include "CandidateTable.h"
#include "CmapTables.h"

namespace moji {
namespace {

using namespace test;

// A font of glyphs 1..8, each a different set of bars in a 64 × 64 em, reached from the
// ideographs U+4E00..U+4E07; U+4E01 also through a sequence with a glyph of its own (8)
// and U+4E02 through a default sequence; U+0041 is no ideograph.
class CBarsRenderer final : public CFontGlyphRenderer {
 public:
  bool Begin(const std::u16string& face, int size) override { return face == u"Bars" && size > 0; }
  std::vector<std::uint8_t> FontTable(const char tag[4]) override {
    if (std::string_view(tag, 4) == "cmap")
      return Cmap({{3, 1, Format4({{0x41, 0x41, 0}, {0x4E00, 0x4E06, static_cast<std::uint16_t>(1 - 0x4E00)},
                                   {0xFFFF, 0xFFFF, 1}})},
                   {0, 5, Format14(0xE0100, {{0x4E02, 0}}, {{0x4E01, 8}})}});
    if (std::string_view(tag, 4) == "maxp") return maxp;
    if (std::string_view(tag, 4) == "head") return {0, 1, 0, 0, 0, 0, 0, 0, 0x12, 0x34, 0x56, 0x78};
    return {};
  }
  std::uint64_t FontFileSize() override { return 4711; }
  bool RenderGlyph(std::uint16_t glyph, InkImage& out) override {
    out = Bars(glyph);
    return ++rendered != failAt;
  }
  void End() override { ++ended; }

  static InkImage Bars(int pattern) {
    InkImage image{64, 64, std::vector<std::uint8_t>(64 * 64)};
    for (int bar = 0; bar < 4; ++bar)
      for (int y = 4 + bar * 14; y < 10 + bar * 14; ++y)
        for (int x = (pattern >> bar & 1) ? 4 : 30; x < 60; ++x) image.ink[y * 64 + x] = 1;
    for (int y = 4; y < 60; ++y)  // a vertical stroke, so that every glyph has the same box
      for (int x = 4; x < 8 + 4 * (pattern >> 2); ++x) image.ink[y * 64 + x] = 1;
    return image;
  }

  std::vector<std::uint8_t> maxp = {0, 1, 0, 0, 0, 9};
  int rendered = 0, failAt = -1, ended = 0;
};

CShapeFeature FeatureOf(const InkImage& image) {
  CShapeFeature feature;
  EXPECT_TRUE(feature.Compute(image));
  return feature;
}

TEST(CandidateIndexTest, FindsTheDrawnGlyphFirstAndNamesItsSequence) {
  CBarsRenderer renderer;
  CCandidateIndex index;
  std::size_t lastDone = 0;
  ASSERT_EQ(index.Build(renderer, u"Bars", [&](std::size_t done, std::size_t total) {
    lastDone = done;
    return total == 8;
  }), CCandidateIndex::kBuilt);
  EXPECT_EQ(renderer.ended, 1);
  EXPECT_EQ(lastDone, 8u);
  EXPECT_EQ(index.Key(), (FontKey{u"Bars", 4711, 0x12345678}));
  for (int glyph = 1; glyph <= 8; ++glyph) {
    SCOPED_TRACE(glyph);
    const auto found = index.Find(FeatureOf(CBarsRenderer::Bars(glyph)), 3);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].glyph, glyph);
    EXPECT_FLOAT_EQ(found[0].similarity, 100);
    EXPECT_GE(found[0].similarity, found[1].similarity);
    EXPECT_GE(found[1].similarity, found[2].similarity);
  }
  const auto first = [&](int glyph) { return index.Find(FeatureOf(CBarsRenderer::Bars(glyph)), 1)[0]; };
  EXPECT_EQ(FormatCandidateCodes(first(1)), "U+4E00");
  EXPECT_EQ(FormatCandidateCodes(first(8)), "U+4E01 U+E0100");
  EXPECT_EQ(FormatCandidateCodes(first(3)), "U+4E02 U+E0100");  // default sequence, same glyph
  EXPECT_EQ(index.MappingsOf(3).size(), 2u);
  EXPECT_EQ(CandidateText({0x20B9F, 0xE0101}), u"\U00020B9F\U000E0101");
}

// The shape ignores where and how large a glyph is drawn, but not what is drawn.
TEST(ShapeFeatureTest, ComparesShapesWhateverTheirPlaceAndSize) {
  const InkImage bars = CBarsRenderer::Bars(5);
  InkImage smaller{100, 80, std::vector<std::uint8_t>(100 * 80)};  // half size, elsewhere
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) smaller.ink[(10 + y / 2) * 100 + 30 + x / 2] |= bars.ink[y * 64 + x];
  InkImage filled{8, 8, std::vector<std::uint8_t>(64, 1)};
  CShapeFeature empty;
  EXPECT_FALSE(empty.Compute(InkImage{8, 8, std::vector<std::uint8_t>(64)}));
  EXPECT_FALSE(empty.Compute(InkImage{8, 8, std::vector<std::uint8_t>(10, 1)}));  // fewer pixels than its size
  EXPECT_EQ(FeatureOf(filled).Similarity(empty), 0);
  EXPECT_FLOAT_EQ(FeatureOf(filled).Similarity(FeatureOf(filled)), 1);  // ink up to its box's border
  const float same = FeatureOf(bars).Similarity(FeatureOf(smaller));
  EXPECT_GT(same, 0.9f);
  EXPECT_GT(same, FeatureOf(bars).Similarity(FeatureOf(CBarsRenderer::Bars(6))));
  // EUF rows of 16-bit words with 0 = ink, GDI rows of 32-bit words with 1 = ink.
  const std::vector<std::uint8_t> euf{0x7F, 0xFF, 0xFF, 0xFE}, gdi{0x80, 0, 0, 0, 0x01, 0, 0, 0};
  EXPECT_EQ(InkFromBits(euf, 16, 2, 2, 0).ink, InkFromBits(std::vector<std::uint8_t>{0x80, 0, 0, 0x01}, 16, 2, 2, 1).ink);
  EXPECT_EQ(InkFromBits(gdi, 9, 2, 4, 1).ink[0], 1);
  EXPECT_EQ(InkFromBits(gdi, 9, 2, 4, 1).ink[9 + 7], 1);
  EXPECT_TRUE(InkFromBits(gdi, 9, 3, 4, 1).ink.empty());
}

TEST(CandidateIndexTest, BuildEndsTheRunOnEveryPath) {
  CBarsRenderer renderer;
  CCandidateIndex index;
  EXPECT_EQ(index.Build(renderer, u"Other", {}), CCandidateIndex::kNoFont);
  renderer.maxp = {0, 1, 0, 0, 0, 1};  // glyph 0 only: the map reaches nothing
  EXPECT_EQ(index.Build(renderer, u"Bars", {}), CCandidateIndex::kNoMap);
  renderer.maxp = {0, 1, 0, 0, 0, 9};
  EXPECT_EQ(index.Build(renderer, u"Bars", [](std::size_t done, std::size_t) { return done < 4; }),
            CCandidateIndex::kCancelled);
  EXPECT_EQ(index.GlyphCount(), 0u);
  EXPECT_EQ(renderer.ended, 3);
  renderer.rendered = 0, renderer.failAt = 2;  // a glyph not drawn has no shape to be found by
  ASSERT_EQ(index.Build(renderer, u"Bars", {}), CCandidateIndex::kBuilt);
  for (const Candidate& c : index.Find(FeatureOf(CBarsRenderer::Bars(2)), 8))
    EXPECT_EQ(c.similarity == 0, c.glyph == 2) << c.glyph;
}

TEST(CandidateIndexTest, CacheIsTakenOnlyWholeAndForItsFont) {
  CBarsRenderer renderer;
  CCandidateIndex built;
  ASSERT_EQ(built.Build(renderer, u"Bars", {}), CCandidateIndex::kBuilt);
  const auto bytes = built.Serialise();
  const FontKey key = built.Key();
  auto flipped = [&](std::size_t at) {
    auto copy = bytes;
    copy[at] ^= 0x01;
    return copy;
  };
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
    FontKey key;
    bool taken;
  } cases[] = {
      {"as written", bytes, key, true},
      {"another face", bytes, {u"Bars2", key.fileSize, key.checksum}, false},
      {"another file size", bytes, {key.face, key.fileSize + 1, key.checksum}, false},
      {"another checksum", bytes, {key.face, key.fileSize, key.checksum ^ 1}, false},
      {"a feature byte changed", flipped(bytes.size() - 20), key, false},
      {"the glyph count changed", flipped(4 + 4 + 4 + 2 * 4 + 8 + 4), key, false},
      {"the content checksum changed", flipped(bytes.size() - 1), key, false},
      {"cut short", std::vector<std::uint8_t>(bytes.begin(), bytes.end() - 9), key, false},
      {"empty", {}, key, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CCandidateIndex read;
    EXPECT_EQ(read.Deserialise(c.bytes, c.key), c.taken);
    EXPECT_EQ(read.GlyphCount(), c.taken ? built.GlyphCount() : 0u);
    if (c.taken) {
      EXPECT_EQ(read.Serialise(), bytes);
    }
  }
  EXPECT_EQ(CCandidateIndex::CacheFileName(u"A:B/C*"), std::filesystem::path(u"A_B_C_.idx"));
}

TEST(CandidateTableTest, QuotesFieldsAsRfc4180) {
  const std::pair<const char*, const char*> fields[] = {
      {"plain", "plain"},   {"a,b", "\"a,b\""},     {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"two\r\nlines", "\"two\r\nlines\""},       {"lf\n", "\"lf\n\""}, {"", ""},
  };
  for (auto [in, out] : fields) EXPECT_EQ(CsvField(in), out) << in;
}

TEST(CandidateTableTest, WritesHeaderAndOneRowPerGaiji) {
  const std::vector<CandidateRow> rows = {
      {0xE000, {u"かつ", u"くず"}, {{0x845B, 0xE0100, 1, 97.25f}, {0x845B, 0, 2, 90.0f}}},
      {0xE758, {u"a,\"b\""}, {}},
  };
  const auto bytes = MakeCandidateTable(rows);
  const std::string text(bytes.begin(), bytes.end());
  EXPECT_EQ(text,
            "\xEF\xBB\xBF外字,S-JIS,読み,候補1,類似度1,候補2,類似度2,候補3,類似度3,候補4,類似度4,候補5,類似度5\r\n"
            "U+E000,F040,かつ、くず,U+845B U+E0100,97.2,U+845B,90.0,,,,,,\r\n"
            "U+E758,,\"a,\"\"b\"\"\",,,,,,,,,,\r\n");
}

}  // namespace
}  // namespace moji
