#include "GlyphkeeperRecord.h"

#include <gtest/gtest.h>

#include <vector>

#include "ByteOrder.h"

namespace moji {
namespace {
using namespace std::string_literals;

// A record of size n with `bitBytes` bytes of bits (0xA5 each) and the given tail.
std::vector<std::uint8_t> Record(int radical, int strokes, int n, int marker, std::size_t bitBytes,
                                 std::u16string tail = {}) {
  std::vector<std::uint8_t> block(16 + bitBytes + tail.size() * 2, 0xA5);
  PutLe32(block.data(), static_cast<std::uint32_t>(radical));
  PutLe32(block.data() + 4, static_cast<std::uint32_t>(strokes));
  PutLe32(block.data() + 8, static_cast<std::uint32_t>(n));
  PutLe32(block.data() + 12, static_cast<std::uint32_t>(marker));
  for (std::size_t i = 0; i < tail.size(); ++i) PutLe16(block.data() + 16 + bitBytes + 2 * i, tail[i]);
  return block;
}

struct Case {
  const char* name;
  std::vector<std::uint8_t> block;
  bool withReading;
  bool accepted;
  std::u16string reading;
};

TEST(GlyphkeeperRecord, AcceptsWholeRecordsAndRefusesEverythingElse) {
  const Case cases[] = {
      {"good, reading asked", Record(5, 12, 32, 1, 128, u"あい\0"s), true, true, u"あい"},
      {"good, reading not asked", Record(5, 12, 32, 1, 128, u"あい\0"s), false, true, u""},
      {"marker 0 ignores the tail", Record(5, 12, 32, 0, 128), true, true, u""},
      {"odd size rounds down", Record(0, 0, 12, -1, 18), true, true, u""},
      {"largest size", Record(0, 0, 256, 0, 8192), true, true, u""},
      {"16 bytes are no glyph", std::vector<std::uint8_t>(Record(0, 0, 8, 0, 0)), true, false, u""},
      {"empty block", {}, true, false, u""},
      {"bits cut short", Record(0, 0, 32, 0, 127), true, false, u""},
      {"N = 0", Record(0, 0, 0, 0, 64), true, false, u""},
      {"N negative", Record(0, 0, -8, 0, 64), true, false, u""},
      {"N too large", Record(0, 0, 257, 0, 8256), true, false, u""},
      {"N huge", Record(0, 0, 0x7FFFFFFF, 0, 64), true, false, u""},
      {"reading without terminator", Record(0, 0, 16, 1, 32, u"あい"), true, false, u""},
      {"reading without terminator, not asked", Record(0, 0, 16, 1, 32, u"あい"), false, true, u""},
      {"reading with half a character", [] { auto b = Record(0, 0, 16, 1, 32, u"あ"); b.push_back(0); return b; }(),
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
  const auto fields = ParseGlyphkeeperRecord(Record(-3, 7, 16, 0, 32), false);
  ASSERT_TRUE(fields);
  EXPECT_EQ(fields->radical, -3);
  EXPECT_EQ(fields->strokes, 7);
  EXPECT_EQ(fields->size, 16);
}

}  // namespace
}  // namespace moji
