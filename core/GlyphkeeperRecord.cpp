#include "GlyphkeeperRecord.h"

#include "ByteOrder.h"

namespace moji {

namespace {
int Field(std::span<const std::uint8_t> block, std::size_t offset) {
  return static_cast<std::int32_t>(Le32(block.data() + offset));
}
}  // namespace

std::optional<GlyphkeeperRecord> ParseGlyphkeeperRecord(std::span<const std::uint8_t> block, bool withReading) {
  if (block.size() <= glyphkeeper::kHeaderSize) return std::nullopt;
  GlyphkeeperRecord record;
  record.radical = Field(block, 0);
  record.strokes = Field(block, 4);
  record.size = Field(block, 8);
  const int marker = Field(block, 12);
  if (record.size <= 0 || record.size > glyphkeeper::kMaxSize) return std::nullopt;
  const std::size_t n = static_cast<std::size_t>(record.size);
  const std::size_t bitsEnd = glyphkeeper::kHeaderSize + n * n / 8;
  if (block.size() < bitsEnd) return std::nullopt;
  record.bits = block.subspan(glyphkeeper::kHeaderSize, bitsEnd - glyphkeeper::kHeaderSize);
  if (withReading && marker > 0) {
    for (std::size_t at = bitsEnd;; at += 2) {
      if (at + 2 > block.size()) return std::nullopt;  // no 0 character inside the block
      const char16_t c = static_cast<char16_t>(Le16(block.data() + at));
      if (c == u'\0') break;
      record.reading.push_back(c);
    }
  }
  return record;
}

}  // namespace moji
