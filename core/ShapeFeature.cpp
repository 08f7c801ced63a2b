#include "ShapeFeature.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace moji {

namespace {

constexpr int kSide = 32;     // the normalised image, kSide²
constexpr int kSamples = 4;   // samples per pixel and axis when stretching

using Plane = std::array<float, kSide * kSide>;

struct Box {
  int left, top, right, bottom;  // right and bottom exclusive
};

bool InkBox(const InkImage& image, Box& box) {
  box = {image.width, image.height, 0, 0};
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (image.ink[static_cast<std::size_t>(y) * image.width + x]) {
        box.left = std::min(box.left, x), box.right = std::max(box.right, x + 1);
        box.top = std::min(box.top, y), box.bottom = std::max(box.bottom, y + 1);
      }
  return box.right > box.left;
}

// The ink box stretched to kSide², as coverage 0..1. A box much narrower than it is high (or
// the reverse) is widened about its centre first, so that a single stroke stays a stroke.
Plane Normalise(const InkImage& image, const Box& box) {
  float w = static_cast<float>(box.right - box.left), h = static_cast<float>(box.bottom - box.top);
  float x0 = static_cast<float>(box.left), y0 = static_cast<float>(box.top);
  if (w < h / 2) x0 -= (h / 2 - w) / 2, w = h / 2;
  if (h < w / 2) y0 -= (w / 2 - h) / 2, h = w / 2;
  Plane plane{};
  const float step = 1.0f / (kSide * kSamples);
  for (int py = 0; py < kSide; ++py)
    for (int px = 0; px < kSide; ++px) {
      int hits = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        const int y = static_cast<int>(std::floor(y0 + h * ((py * kSamples + sy + 0.5f) * step)));
        if (y < 0 || y >= image.height) continue;
        for (int sx = 0; sx < kSamples; ++sx) {
          const int x = static_cast<int>(std::floor(x0 + w * ((px * kSamples + sx + 0.5f) * step)));
          if (x >= 0 && x < image.width && image.ink[static_cast<std::size_t>(y) * image.width + x]) ++hits;
        }
      }
      plane[py * kSide + px] = static_cast<float>(hits) / (kSamples * kSamples);
    }
  return plane;
}

// Scales values so that the largest becomes 255.
template <std::size_t N>
void Quantise(const std::array<float, N>& in, std::uint8_t* out) {
  const float top = *std::max_element(in.begin(), in.end());
  for (std::size_t i = 0; i < N; ++i)
    out[i] = top > 0 ? static_cast<std::uint8_t>(std::lround(in[i] / top * 255)) : 0;
}

}  // namespace

InkImage InkFromBits(std::span<const std::uint8_t> bits, int width, int height, int stride, int inkBit) {
  InkImage image;
  if (width <= 0 || height <= 0 || stride * 8 < width || bits.size() < static_cast<std::size_t>(stride) * height)
    return image;
  image.width = width, image.height = height;
  image.ink.resize(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int bit = bits[static_cast<std::size_t>(y) * stride + x / 8] >> (7 - x % 8) & 1;
      image.ink[static_cast<std::size_t>(y) * width + x] = bit == inkBit;
    }
  return image;
}

bool CShapeFeature::Compute(const InkImage& image) {
  m_values.fill(0);
  Box box{};
  if (image.ink.size() != static_cast<std::size_t>(image.width) * image.height || !InkBox(image, box)) {
    DeriveNorms();
    return false;
  }
  const Plane plane = Normalise(image, box);

  // Edge directions folded to 0..180 degrees, shared between the two nearest bins.
  std::array<float, kSize> edges{};
  // Outside the ink box lies paper, so that ink reaching the box's border is an edge too
  // (a glyph filling its box would otherwise have no edges at all).
  auto at = [&](int x, int y) { return x < 0 || y < 0 || x >= kSide || y >= kSide ? 0.0f : plane[y * kSide + x]; };
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x) {
      const float gx = at(x + 1, y - 1) + 2 * at(x + 1, y) + at(x + 1, y + 1) - at(x - 1, y - 1) - 2 * at(x - 1, y) -
                       at(x - 1, y + 1);
      const float gy = at(x - 1, y + 1) + 2 * at(x, y + 1) + at(x + 1, y + 1) - at(x - 1, y - 1) - 2 * at(x, y - 1) -
                       at(x + 1, y - 1);
      const float magnitude = std::sqrt(gx * gx + gy * gy);
      if (magnitude < 1e-4f) continue;
      float angle = std::atan2(gy, gx);
      if (angle < 0) angle += std::numbers::pi_v<float>;
      const float position = angle / (std::numbers::pi_v<float> / kBins);
      const int bin = static_cast<int>(position) % kBins;
      const float share = position - std::floor(position);
      // Shared between the four nearest cells too, so that a stroke moved a little across a
      // cell border changes the values a little.
      const float fx = (x + 0.5f) * kCells / kSide - 0.5f, fy = (y + 0.5f) * kCells / kSide - 0.5f;
      const int cx = static_cast<int>(std::floor(fx)), cy = static_cast<int>(std::floor(fy));
      const float wx = fx - cx, wy = fy - cy;
      for (int j = 0; j < 4; ++j) {
        const int gx = std::clamp(cx + (j & 1), 0, kCells - 1), gy = std::clamp(cy + (j >> 1), 0, kCells - 1);
        const float w = ((j & 1) ? wx : 1 - wx) * ((j >> 1) ? wy : 1 - wy) * magnitude;
        edges[bin * kCells * kCells + gy * kCells + gx] += w * (1 - share);
        edges[((bin + 1) % kBins) * kCells * kCells + gy * kCells + gx] += w * share;
      }
    }
  for (float& e : edges) e = std::sqrt(e);
  Quantise(edges, m_values.data());
  DeriveNorms();
  return true;
}

void CShapeFeature::Assign(const Values& values) {
  m_values = values;
  DeriveNorms();
}

void CShapeFeature::DeriveNorms() {
  std::int64_t squares = 0;
  for (const std::uint8_t v : m_values) squares += v * v;
  m_norm = static_cast<float>(std::sqrt(static_cast<double>(squares)));
}

float CShapeFeature::Similarity(const CShapeFeature& other) const {
  if (m_norm == 0 || other.m_norm == 0) return 0;
  std::int32_t dot = 0;
  const std::uint8_t* a = m_values.data();
  const std::uint8_t* b = other.m_values.data();
  for (int i = 0; i < kSize; ++i) dot += a[i] * b[i];
  return std::min(static_cast<float>(dot / (static_cast<double>(m_norm) * other.m_norm)), 1.0f);
}

}  // namespace moji
