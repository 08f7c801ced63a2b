#include "OutlineRaster.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

namespace moji::bench {

namespace {

constexpr float kAscent = 0.88f;
constexpr int kCurveSteps = 4;

struct Edge {
  float x0, y0, x1, y1;
};

class CInput {
 public:
  explicit CInput(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    m_bytes.assign(std::istreambuf_iterator<char>(file), {});
  }
  std::uint32_t Next(int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes && m_at < m_bytes.size(); ++i) v |= std::uint32_t{std::uint8_t(m_bytes[m_at++])} << (8 * i);
    return v;
  }

 private:
  std::vector<char> m_bytes;
  std::size_t m_at = 0;
};

}  // namespace

std::vector<Outline> ReadOutlines(const std::filesystem::path& path, bool perGlyphEm) {
  CInput in(path);
  const std::uint32_t count = in.Next(4);
  const int em = static_cast<int>(in.Next(2));
  std::vector<Outline> outlines(count);
  for (Outline& o : outlines) {
    o.unitsPerEm = perGlyphEm ? static_cast<int>(in.Next(2)) : em;
    o.contours.resize(in.Next(2));
    for (auto& contour : o.contours) {
      contour.resize(in.Next(2));
      for (auto& p : contour) {
        p.x = static_cast<std::int16_t>(in.Next(2));
        p.y = static_cast<std::int16_t>(in.Next(2));
        p.on = in.Next(1) != 0;
      }
    }
  }
  return outlines;
}

InkImage Rasterise(const Outline& outline, int size, const Change& change) {
  const float em = static_cast<float>(outline.unitsPerEm);
  auto place = [&](Outline::Point p) {
    const float u = p.x / em - 0.5f, v = p.y / em - 0.38f;
    const float x = 0.5f + u * change.scaleX + change.shear * v * change.scaleY + change.moveX;
    const float y = 0.38f + v * change.scaleY + change.moveY;
    return Outline::Point{x * size, (kAscent - y) * size, p.on};
  };
  std::vector<Edge> edges;
  for (const auto& contour : outline.contours) {
    if (contour.size() < 2) continue;
    std::vector<Outline::Point> points;
    for (const auto& p : contour) points.push_back(place(p));
    // Start on an on-curve point (or the midpoint of two off-curve points).
    const std::size_t n = points.size();
    std::size_t first = 0;
    while (first < n && !points[first].on) ++first;
    Outline::Point start = first < n ? points[first]
                                     : Outline::Point{(points[0].x + points[1].x) / 2, (points[0].y + points[1].y) / 2, true};
    if (first == n) first = 0;
    Outline::Point current = start, control{};
    bool pending = false;
    auto lineTo = [&](Outline::Point to) {
      edges.push_back({current.x, current.y, to.x, to.y});
      current = to;
    };
    auto curveTo = [&](Outline::Point c, Outline::Point to) {
      const Outline::Point from = current;
      for (int s = 1; s <= kCurveSteps; ++s) {
        const float t = static_cast<float>(s) / kCurveSteps, a = (1 - t) * (1 - t), b = 2 * t * (1 - t), d = t * t;
        lineTo({a * from.x + b * c.x + d * to.x, a * from.y + b * c.y + d * to.y, true});
      }
    };
    for (std::size_t k = 1; k <= n; ++k) {
      const Outline::Point p = k == n && first < n && points[first].on ? start : points[(first + k) % n];
      if (p.on) {
        if (pending) curveTo(control, p); else lineTo(p);
        pending = false;
      } else if (pending) {
        const Outline::Point mid{(control.x + p.x) / 2, (control.y + p.y) / 2, true};
        curveTo(control, mid);
        control = p;
      } else {
        control = p, pending = true;
      }
    }
    if (pending) curveTo(control, start);
    else if (current.x != start.x || current.y != start.y) lineTo(start);
  }
  InkImage image{size, size, std::vector<std::uint8_t>(static_cast<std::size_t>(size) * size)};
  std::vector<std::pair<float, int>> crossings;
  for (int row = 0; row < size; ++row) {
    const float y = row + 0.5f;
    crossings.clear();
    for (const Edge& e : edges) {
      if (e.y0 == e.y1 || y < std::min(e.y0, e.y1) || y >= std::max(e.y0, e.y1)) continue;
      crossings.emplace_back(e.x0 + (y - e.y0) / (e.y1 - e.y0) * (e.x1 - e.x0), e.y1 > e.y0 ? 1 : -1);
    }
    std::sort(crossings.begin(), crossings.end());
    int winding = 0;
    for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
      winding += crossings[i].second;
      if (winding == 0) continue;
      const int from = std::max(0, static_cast<int>(std::ceil(crossings[i].first - 0.5f)));
      const int to = std::min(size, static_cast<int>(std::ceil(crossings[i + 1].first - 0.5f)));
      for (int x = from; x < to; ++x) image.ink[static_cast<std::size_t>(row) * size + x] = 1;
    }
  }
  return image;
}

}  // namespace moji::bench
