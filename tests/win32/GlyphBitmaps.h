// The 64 × 64 bitmaps of the fixture fonts' glyphs, drawn from the same pixel rectangles that
// tests/fixtures/make_fixtures.py turns into outlines (rows top first, 0 = ink).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace moji::test {

struct PixelRect {
  int c0, r0, c1, r1;  // columns [c0, c1), rows [r0, r1)
};

inline std::vector<std::uint8_t> Bitmap64(std::initializer_list<PixelRect> ink) {
  std::vector<std::uint8_t> bits(64 * 64 / 8, 0xFF);
  for (const PixelRect& r : ink)
    for (int row = r.r0; row < r.r1; ++row)
      for (int col = r.c0; col < r.c1; ++col) bits[row * 8 + col / 8] &= static_cast<std::uint8_t>(~(0x80 >> (col % 8)));
  return bits;
}

inline std::vector<std::uint8_t> SquareGlyph() { return Bitmap64({{8, 8, 56, 56}}); }
inline std::vector<std::uint8_t> EllGlyph() { return Bitmap64({{8, 8, 24, 40}, {8, 40, 56, 56}}); }
inline std::vector<std::uint8_t> BarsGlyph() { return Bitmap64({{0, 0, 16, 8}, {48, 56, 64, 64}}); }
inline std::vector<std::uint8_t> DotGlyph() { return Bitmap64({{24, 24, 40, 40}}); }
// code_shape(code) of the fixture script: a frame whose inner bar moves with the code.
inline std::vector<std::uint8_t> CodeShapeGlyph(int code) {
  const int k = code % 48;
  return Bitmap64({{4, 4, 60, 8}, {4, 56, 60, 60}, {8 + k / 2, 12, 12 + k / 2, 52}});
}

}  // namespace moji::test
