#include "GlyphkeeperRecord.h"

#include <gtest/gtest.h>

#include <vector>

#include "GlyphkeeperRecords.h"

namespace moji {
namespace {
using namespace std::string_literals;

using test::KeeperRecord;

struct Case {
  const char* name;
  std::vector<std::uint8_t> block;
  bool withReading;
  bool accepted;
  std::u16string reading;
};

TEST(GlyphkeeperRecord, AcceptsWholeRecordsAndRefusesEverythingElse) {
  const Case cases[] = {
      {"good, reading asked", KeeperRecord(5, 12, 32, 1, 128, u"あい\0"s), true, true, u"あい"},
      {"good, reading not asked", KeeperRecord(5, 12, 32, 1, 128, u"あい\0"s), false, true, u""},
      {"marker 0 ignores the tail", KeeperRecord(5, 12, 32, 0, 128), true, true, u""},
      {"odd size rounds down", KeeperRecord(0, 0, 12, -1, 18), true, true, u""},
      {"largest size", KeeperRecord(0, 0, 256, 0, 8192), true, true, u""},
      {"16 bytes are no glyph", KeeperRecord(0, 0, 8, 0, 0), true, false, u""},
      {"empty block", {}, true, false, u""},
      {"bits cut short", KeeperRecord(0, 0, 32, 0, 127), true, false, u""},
      {"N = 0", KeeperRecord(0, 0, 0, 0, 64), true, false, u""},
      {"N negative", KeeperRecord(0, 0, -8, 0, 64), true, false, u""},
      {"N too large", KeeperRecord(0, 0, 257, 0, 8256), true, false, u""},
      {"N huge", KeeperRecord(0, 0, 0x7FFFFFFF, 0, 64), true, false, u""},
      {"reading without terminator", KeeperRecord(0, 0, 16, 1, 32, u"あい"), true, false, u""},
      {"reading without terminator, not asked", KeeperRecord(0, 0, 16, 1, 32, u"あい"), false, true, u""},
      {"reading with half a character", [] { auto b = KeeperRecord(0, 0, 16, 1, 32, u"あ"); b.push_back(0); return b; }(),
       true, false, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto record = ParseGlyphkeeperRecord(c.block, c.withReading);
    ASSERT_EQ(record.has_value(), c.accepted);
    if (!record) continue;
    const std::size_t n = static_cast<std::size_t>(record->size);
    EXPECT_EQ(record->bits.size(), n * n / 8);
    EXPECT_EQ(record->bits.data(), c.block.data() + 16);
    EXPECT_EQ(record->reading, c.reading);
  }
  const auto fields = ParseGlyphkeeperRecord(KeeperRecord(-3, 7, 16, 0, 32), false);
  ASSERT_TRUE(fields);
  EXPECT_EQ(fields->radical, -3);
  EXPECT_EQ(fields->strokes, 7);
  EXPECT_EQ(fields->size, 16);
}

}  // namespace
}  // namespace moji
