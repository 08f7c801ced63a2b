#include "EufFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "GaijiCode.h"
#include "TestPaths.h"

namespace moji {
namespace {

using test::Fixture;
using test::Template;

// The bits the fixture script stores for a code (see make_fixtures.py).
std::vector<std::uint8_t> Pattern(int code, int size) {
  std::vector<std::uint8_t> bits(static_cast<std::size_t>(size) * size / 8);
  for (std::size_t i = 0; i < bits.size(); ++i) bits[i] = static_cast<std::uint8_t>((code * 7 + i) & 0xFF);
  bits[0] = 0;
  return bits;
}

std::vector<std::uint8_t> Slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(EufFile, Valid64FileReadsEveryStoredGlyph) {
  CEufFile euf;
  ASSERT_EQ(euf.Open(Fixture("valid64.euf"), CBinaryFile::Access::Read), 0);
  EXPECT_EQ(euf.FirstCode(), 0xE000);
  EXPECT_EQ(euf.LastCode(), 0xF8FF);
  EXPECT_EQ(euf.GlyphSize(), std::make_pair(64, 64));
  int present = 0;
  for (int code = kGaijiFirst; code <= kGaijiLast; ++code) {
    EufGlyph g;
    const EufReadResult r = euf.ReadGlyph(code, g);
    EXPECT_EQ(bool(r), euf.HasGlyph(code));
    if (!r) {
      ASSERT_EQ(r.fault, EufReadFault::NoGlyph);
      ASSERT_EQ(g.width, 0);
      continue;
    }
    ++present;
    ASSERT_EQ(g.width, 64);
    ASSERT_EQ(g.height, 64);
    ASSERT_EQ(g.bits, Pattern(code, 64)) << std::hex << code;
  }
  EXPECT_EQ(present, 7);
  EufGlyph g;
  EXPECT_FALSE(euf.ReadGlyph(0xDFFF, g));
  EXPECT_FALSE(euf.ReadGlyph(0xF900, g));
}

TEST(EufFile, GlyphSizesTheFileCanHold) {
  CEufFile euf;
  EufGlyph g;
  ASSERT_EQ(euf.Open(Fixture("valid48.euf"), CBinaryFile::Access::Read), 0);
  EXPECT_EQ(euf.GlyphSize(), std::make_pair(48, 48));
  ASSERT_TRUE(euf.ReadGlyph(0xE010, g));
  EXPECT_EQ(g.bits, Pattern(0xE010, 48));

  ASSERT_EQ(euf.Open(Fixture("rec256.euf"), CBinaryFile::Access::Read), 0);
  ASSERT_TRUE(euf.ReadGlyph(0xE001, g));
  EXPECT_EQ(g.bits.size(), 8192u);

  ASSERT_EQ(euf.Open(Fixture("second300.euf"), CBinaryFile::Access::Read), 0);
  EXPECT_EQ(euf.GlyphSize(), std::make_pair(64, 64));
  EufReadResult r = euf.ReadGlyph(0xE001, g);
  EXPECT_EQ(r.fault, EufReadFault::BufferSize);
  EXPECT_EQ(r.detail, 300u * 300 / 8);
  EXPECT_EQ(g.width, 0);
  EXPECT_TRUE(g.bits.empty());

  // 40 pixels are not a whole number of 16-bit words per row: refused.
  ASSERT_EQ(euf.Open(Fixture("width40.euf"), CBinaryFile::Access::Read), 0);
  EXPECT_EQ(euf.ReadGlyph(0xE000, g).fault, EufReadFault::BufferSize);
}

TEST(EufFile, FirstCodeWithoutGlyphTakesItsSizeFromTheBlock) {
  CEufFile euf;
  ASSERT_EQ(euf.Open(Fixture("nofirst64.euf"), CBinaryFile::Access::Read), 0);
  EXPECT_FALSE(euf.HasGlyph(0xE000));
  EXPECT_EQ(euf.GlyphSize(), std::make_pair(64, 64));
  EufGlyph g;
  EXPECT_TRUE(euf.ReadGlyph(0xE005, g));
}

TEST(EufFile, EveryMessageComesFromAFixture) {
  const std::pair<const char*, int> cases[] = {
      {"missing.euf", 2015},
      {"", 2015},  // the fixture folder itself: not a file
      {"err2017_101bytes.euf", 2017},
      {"err2017_signature.euf", 2017},
      {"small.tte", 2017},
      {"err2018_p5.euf", 2018},
      {"err2018_plen.euf", 2018},
      {"err2019_lastbelowfirst.euf", 2019},
      {"err2019_table.euf", 2019},
      // Glyph sizes outside 1..256 per side, which would drive layout and search buffers.
      {"rec300.euf", 2019},
      {"size65535.euf", 2019},
      {"size272x16.euf", 2019},
      {"size16x0.euf", 2019},
      {"nofirst_size0x64.euf", 2019},
  };
  for (const auto& [name, message] : cases) {
    CEufFile euf;
    EXPECT_EQ(euf.Open(Fixture(name), CBinaryFile::Access::Read), message) << name;
    EXPECT_FALSE(euf.IsLoaded()) << name;
    EXPECT_FALSE(euf.HasGlyph(0xE000)) << name;
  }
  CEufFile one;
  ASSERT_EQ(one.Open(Fixture("onecode.euf"), CBinaryFile::Access::Read), 0);
  EXPECT_TRUE(one.HasGlyph(0xE000));
  EXPECT_FALSE(one.HasGlyph(0xE001));
}

TEST(EufFile, BrokenRecordsAreAbsentAndReportWhy) {
  CEufFile euf;
  ASSERT_EQ(euf.Open(Fixture("faults64.euf"), CBinaryFile::Access::Read), 0);
  const std::uint64_t size = std::filesystem::file_size(Fixture("faults64.euf"));
  const std::uint64_t anchor = euf.Anchor();
  EufGlyph g;
  EufReadResult r = euf.ReadGlyph(0xE001, g);
  EXPECT_EQ(r.fault, EufReadFault::HeaderPosition);
  EXPECT_EQ(r.detail, size + 10);
  EXPECT_EQ(r.entry, size + 10 - anchor);
  r = euf.ReadGlyph(0xE002, g);
  EXPECT_EQ(r.fault, EufReadFault::HeaderRead);
  EXPECT_EQ(r.detail, size - 4);
  r = euf.ReadGlyph(0xF8FF, g);  // header readable, bits cut off by the end of the file
  EXPECT_EQ(r.fault, EufReadFault::DataPosition);
  EXPECT_EQ(r.detail, anchor + euf.Entry(0xF8FF) + 512);
  EXPECT_EQ(g.width, 0);
  EXPECT_TRUE(euf.ReadGlyph(0xE000, g));  // the others are unaffected
}

TEST(EufFile, TemplatesHaveTheShapeNewFilesAreMadeFrom) {
  for (int s = 16; s <= 256; s += 16) {
    const auto path = Template("SPACE_" + std::to_string(s) + ".euf");
    CEufFile euf;
    ASSERT_EQ(euf.Open(path, CBinaryFile::Access::Read), 0) << path;
    EXPECT_EQ(euf.FirstCode(), 0xE000);
    EXPECT_EQ(euf.LastCode(), 0xF8FF);
    EXPECT_EQ(euf.Entry(0xE000), euf.FirstRecordOffset());
    for (int code = 0xE001; code <= kGaijiLast; ++code) ASSERT_FALSE(euf.HasGlyph(code));
    const std::uint32_t record = 8 + s * s / 8;
    EXPECT_EQ(euf.DataEnd(), euf.FirstRecordOffset() + record);
    EXPECT_EQ(std::filesystem::file_size(path), euf.Anchor() + euf.DataEnd());
    EXPECT_EQ(euf.GlyphSize(), std::make_pair(s, s));
  }
}

class EufAddTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_template = Slurp(Template("SPACE_64.euf"));
    ASSERT_FALSE(m_template.empty());
    ASSERT_EQ(m_euf.Load(std::make_unique<CMemorySource>(m_template)), 0);
  }
  const std::vector<std::uint8_t>& Bytes() { return static_cast<CMemorySource*>(m_euf.Source())->Data(); }

  std::vector<std::uint8_t> m_template;
  CEufFile m_euf;
};

TEST_F(EufAddTest, FirstGlyphReplacesTheTemplateRecordLaterOnesAreAppended) {
  const std::uint32_t first = m_euf.FirstRecordOffset();
  const std::uint32_t end = m_euf.DataEnd();
  ASSERT_TRUE(m_euf.AddGlyph(0xE123, 64, 64, Pattern(0xE123, 64)));
  EXPECT_EQ(m_euf.Entry(0xE000), 0u);
  EXPECT_EQ(m_euf.Entry(0xE123), first);
  EXPECT_EQ(Bytes().size(), m_template.size());
  ASSERT_TRUE(m_euf.AddGlyph(0xE001, 64, 64, Pattern(0xE001, 64)));
  EXPECT_EQ(m_euf.Entry(0xE001), end);
  EXPECT_EQ(m_euf.DataEnd(), end + 520);
  ASSERT_TRUE(m_euf.Commit());

  // Read back through a fresh load of the written bytes.
  CEufFile back;
  ASSERT_EQ(back.Load(std::make_unique<CMemorySource>(Bytes())), 0);
  EXPECT_EQ(back.DataEnd(), end + 520);
  EXPECT_EQ(Bytes().size(), back.Anchor() + back.DataEnd());
  EufGlyph g;
  ASSERT_TRUE(back.ReadGlyph(0xE123, g));
  EXPECT_EQ(g.bits, Pattern(0xE123, 64));
  ASSERT_TRUE(back.ReadGlyph(0xE001, g));
  EXPECT_EQ(g.bits, Pattern(0xE001, 64));
  EXPECT_FALSE(back.HasGlyph(0xE000));
  // Header and the block's uninterpreted bytes are the template's.
  EXPECT_TRUE(std::equal(m_template.begin(), m_template.begin() + 102, Bytes().begin()));
}

TEST_F(EufAddTest, NothingAddedLeavesTheTemplateByteForByte) {
  ASSERT_TRUE(m_euf.Commit());
  EXPECT_EQ(Bytes(), m_template);
}

TEST_F(EufAddTest, RefusesCodesAndSizesTheFileCannotHold) {
  EXPECT_FALSE(m_euf.AddGlyph(0xDFFF, 64, 64, Pattern(0xE000, 64)));
  EXPECT_FALSE(m_euf.AddGlyph(0xF900, 64, 64, Pattern(0xE000, 64)));
  EXPECT_FALSE(m_euf.AddGlyph(0xE000, 64, 64, std::vector<std::uint8_t>(100)));
  EXPECT_FALSE(m_euf.AddGlyph(0xE000, 40, 40, std::vector<std::uint8_t>(200)));
  EXPECT_EQ(m_euf.AddedCount(), 0);
  EXPECT_EQ(m_euf.Entry(0xE000), m_euf.FirstRecordOffset());
}

TEST(EufFile, AddsThroughARealFileOpenedForWriting) {
  const auto path = std::filesystem::temp_directory_path() / "moji_add_test.euf";
  std::filesystem::copy_file(Template("SPACE_64.euf"), path, std::filesystem::copy_options::overwrite_existing);
  {
    CEufFile euf;
    ASSERT_EQ(euf.Open(path, CBinaryFile::Access::ReadWrite), 0);
    ASSERT_TRUE(euf.AddGlyph(0xE000, 64, 64, Pattern(0xE000, 64)));
    ASSERT_TRUE(euf.AddGlyph(0xE001, 64, 64, Pattern(0xE001, 64)));
    EufGlyph g;
    ASSERT_TRUE(euf.ReadGlyph(0xE001, g));  // reads see the writes
    ASSERT_TRUE(euf.Commit());
  }
  CEufFile euf;
  ASSERT_EQ(euf.Open(path, CBinaryFile::Access::Read), 0);
  EufGlyph g;
  ASSERT_TRUE(euf.ReadGlyph(0xE000, g));
  EXPECT_EQ(g.bits, Pattern(0xE000, 64));
  ASSERT_TRUE(euf.ReadGlyph(0xE001, g));
  EXPECT_EQ(g.bits, Pattern(0xE001, 64));
  euf.Close();
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace moji
