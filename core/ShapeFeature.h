// The shape of a glyph as a few hundred numbers, for finding the characters of a reference
// font that look most like a gaiji. A glyph is cropped to its ink and stretched to a square
// (so that where and how large it was drawn no longer counts), then described twice: as a
// blurred grey image, and by the direction of its stroke edges per region, which depends
// little on stroke weight and so carries over between the designs of different fonts.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace moji {

// A glyph as one byte per pixel, rows top first; non-zero = ink.
struct InkImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> ink;
};

// From a monochrome bitmap whose rows are `stride` bytes, leftmost pixel in the high bit.
// `inkBit` is the bit value of ink (EUF glyphs: 0, GDI glyph bitmaps: 1). Nothing when the
// bits are fewer than the size needs.
InkImage InkFromBits(std::span<const std::uint8_t> bits, int width, int height, int stride, int inkBit);

class CShapeFeature {
 public:
  static constexpr int kGreySide = 16;  // blurred grey image, kGreySide²
  static constexpr int kCells = 8;      // edge directions per region: 4 × kCells²
  static constexpr int kGreySize = kGreySide * kGreySide;
  static constexpr int kEdgeSize = 4 * kCells * kCells;
  static constexpr int kSize = kGreySize + kEdgeSize;
  using Values = std::array<std::uint8_t, kSize>;

  // False when the image has no ink.
  bool Compute(const InkImage& image);
  // From stored values (the index file): the norms are derived again, never read.
  void Assign(const Values& values);

  const Values& values() const { return m_values; }

  // 0 (nothing alike) to 1 (the same shape).
  float Similarity(const CShapeFeature& other) const;

 private:
  void DeriveNorms();

  Values m_values{};
  std::int32_t m_greySum = 0;
  float m_greyNorm = 0;  // of the grey values less their mean
  float m_edgeNorm = 0;
};

}  // namespace moji
