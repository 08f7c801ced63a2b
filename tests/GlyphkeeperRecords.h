// Clipboard records of the gaiji management program, built by the tests: the four 32-bit
// fields, the glyph bits (as given, or n * n / 8 bytes of `fill`), then `tail` as UTF-16LE
// units (a reading with its 0 character, or whatever a test needs).
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "ByteOrder.h"

namespace moji::test {

inline std::vector<std::uint8_t> KeeperRecord(int radical, int strokes, int n, int marker,
                                              const std::vector<std::uint8_t>& bits, const std::u16string& tail = {}) {
  std::vector<std::uint8_t> record(16 + bits.size() + 2 * tail.size());
  const int fields[] = {radical, strokes, n, marker};
  for (int f = 0; f < 4; ++f) PutLe32(record.data() + 4 * f, static_cast<std::uint32_t>(fields[f]));
  std::copy(bits.begin(), bits.end(), record.begin() + 16);
  for (std::size_t i = 0; i < tail.size(); ++i) PutLe16(record.data() + 16 + bits.size() + 2 * i, tail[i]);
  return record;
}

inline std::vector<std::uint8_t> KeeperRecord(int radical, int strokes, int n, int marker, std::size_t bitBytes,
                                              const std::u16string& tail = {}, std::uint8_t fill = 0xA5) {
  return KeeperRecord(radical, strokes, n, marker, std::vector<std::uint8_t>(bitBytes, fill), tail);
}

}  // namespace moji::test
