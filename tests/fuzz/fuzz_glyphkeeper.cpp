// Any clipboard block given to the Glyphkeeper record reader ends in a record whose bits
// and reading lie inside the block, or in nothing; never in a crash or over-read.
#include <cstddef>
#include <cstdint>

#include "GlyphkeeperRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> block(data, size);
  for (const bool withReading : {false, true}) {
    const auto record = moji::ParseGlyphkeeperRecord(block, withReading);
    if (!record) continue;
    const std::size_t n = static_cast<std::size_t>(record->size);
    if (n == 0 || n > 256 || record->bits.size() != n * n / 8) __builtin_trap();
    if (record->bits.data() + record->bits.size() > data + size) __builtin_trap();
    if (16 + record->bits.size() + record->reading.size() * 2 + (withReading && !record->reading.empty() ? 2 : 0) > size)
      __builtin_trap();
  }
  return 0;
}
