// The clipboard record of the gaiji management program ("Glyphkeeper" clipboard format),
// written by another program and read here as untrusted bytes. Layout (little-endian):
//
//   0   int32  radical code (shown minus 1 when positive)
//   4   int32  stroke count (shown when positive)
//   8   int32  N: the glyph is N x N pixels
//   12  int32  reading marker: a reading follows the bits when positive
//   16  N*N/8 bytes of glyph bits in the row layout of a device-dependent monochrome bitmap
//   ..  the reading: UTF-16 characters up to a 0 character (only when the marker is positive)
//
// A record is accepted only when N is 1..256, the block holds all N*N/8 bytes of bits and,
// when the reading is asked for and announced, its 0 character lies inside the block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace moji {

namespace glyphkeeper {
inline constexpr std::size_t kHeaderSize = 16;
inline constexpr int kMaxSize = 256;
}  // namespace glyphkeeper

struct GlyphkeeperRecord {
  int radical = -1;
  int strokes = -1;
  int size = 0;                       // N
  std::span<const std::uint8_t> bits;  // N*N/8 bytes inside the parsed block
  std::u16string reading;             // empty unless asked for and announced
};

// Parses `block`; nothing for a block of 16 bytes or less and for every record that breaks
// the rules above. `withReading` asks for the reading (its absence is then no fault unless
// the marker announces it).
std::optional<GlyphkeeperRecord> ParseGlyphkeeperRecord(std::span<const std::uint8_t> block, bool withReading);

}  // namespace moji
