#include "ShapeFeature.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace moji {

namespace {

constexpr int kSide = 32;     // the normalised image, kSide²
constexpr int kSamples = 4;   // samples per pixel and axis when stretching
constexpr float kGreyWeight = 0.5f;

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

// 1-2-1 blur in both directions, edges repeated.
Plane Blur(const Plane& in) {
  Plane across{}, out{};
  auto at = [](const Plane& p, int x, int y) {
    return p[std::clamp(y, 0, kSide - 1) * kSide + std::clamp(x, 0, kSide - 1)];
  };
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x)
      across[y * kSide + x] = (at(in, x - 1, y) + 2 * at(in, x, y) + at(in, x + 1, y)) / 4;
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x)
      out[y * kSide + x] = (at(across, x, y - 1) + 2 * at(across, x, y) + at(across, x, y + 1)) / 4;
  return out;
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
  const Plane blurred = Blur(Normalise(image, box));

  std::array<float, kGreySize> grey{};
  constexpr int kGreyStep = kSide / kGreySide;
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x) grey[(y / kGreyStep) * kGreySide + x / kGreyStep] += blurred[y * kSide + x];
  Quantise(grey, m_values.data());

  // Edge directions folded to 0..180 degrees, shared between the two nearest of four bins.
  std::array<float, kEdgeSize> edges{};
  constexpr int kCellStep = kSide / kCells;
  auto at = [&](int x, int y) { return blurred[std::clamp(y, 0, kSide - 1) * kSide + std::clamp(x, 0, kSide - 1)]; };
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
      const float position = angle / (std::numbers::pi_v<float> / 4);
      const int bin = static_cast<int>(position) % 4;
      const float share = position - std::floor(position);
      const int cell = (y / kCellStep) * kCells + x / kCellStep;
      edges[bin * kCells * kCells + cell] += magnitude * (1 - share);
      edges[((bin + 1) % 4) * kCells * kCells + cell] += magnitude * share;
    }
  for (float& e : edges) e = std::sqrt(e);
  Quantise(edges, m_values.data() + kGreySize);
  DeriveNorms();
  return true;
}

void CShapeFeature::Assign(const Values& values) {
  m_values = values;
  DeriveNorms();
}

void CShapeFeature::DeriveNorms() {
  std::int64_t sum = 0, squares = 0, edgeSquares = 0;
  for (int i = 0; i < kGreySize; ++i) sum += m_values[i], squares += m_values[i] * m_values[i];
  for (int i = kGreySize; i < kSize; ++i) edgeSquares += m_values[i] * m_values[i];
  m_greySum = static_cast<std::int32_t>(sum);
  const double centred = static_cast<double>(squares) - static_cast<double>(sum) * sum / kGreySize;
  m_greyNorm = static_cast<float>(std::sqrt(std::max(centred, 0.0)));
  m_edgeNorm = static_cast<float>(std::sqrt(static_cast<double>(edgeSquares)));
}

float CShapeFeature::Similarity(const CShapeFeature& other) const {
  if (m_greyNorm == 0 || other.m_greyNorm == 0 || m_edgeNorm == 0 || other.m_edgeNorm == 0) return 0;
  std::int32_t greyDot = 0, edgeDot = 0;
  const std::uint8_t* a = m_values.data();
  const std::uint8_t* b = other.m_values.data();
  for (int i = 0; i < kGreySize; ++i) greyDot += a[i] * b[i];
  for (int i = kGreySize; i < kSize; ++i) edgeDot += a[i] * b[i];
  const double greyCov = greyDot - static_cast<double>(m_greySum) * other.m_greySum / kGreySize;
  const float grey = static_cast<float>(greyCov / (static_cast<double>(m_greyNorm) * other.m_greyNorm));
  const float edge = static_cast<float>(edgeDot / (static_cast<double>(m_edgeNorm) * other.m_edgeNorm));
  return std::clamp(kGreyWeight * std::max(grey, 0.0f) + (1 - kGreyWeight) * edge, 0.0f, 1.0f);
}

}  // namespace moji
