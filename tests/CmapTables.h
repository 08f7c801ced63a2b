// Character-map tables built byte by byte for the reader's tests and for fake fonts.
#pragma once

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace moji::test {

using Bytes = std::vector<std::uint8_t>;

inline void Put(Bytes& out, std::uint64_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

struct Segment {
  std::uint16_t start, end, delta;
  std::vector<std::uint16_t> glyphs = {};  // non-empty: mapped through the glyph id array
};

inline Bytes Format4(const std::vector<Segment>& segments) {
  const std::size_t n = segments.size();
  Bytes out;
  Put(out, 4, 2), Put(out, 0, 2), Put(out, 0, 2), Put(out, 2 * n, 2), Put(out, 0, 6);
  for (const auto& s : segments) Put(out, s.end, 2);
  Put(out, 0, 2);
  for (const auto& s : segments) Put(out, s.start, 2);
  for (const auto& s : segments) Put(out, s.delta, 2);
  std::size_t arrayAt = 0;  // glyph ids follow the idRangeOffset array
  for (std::size_t i = 0; i < n; ++i) {
    Put(out, segments[i].glyphs.empty() ? 0 : 2 * (n - i) + 2 * arrayAt, 2);
    arrayAt += segments[i].glyphs.size();
  }
  for (const auto& s : segments)
    for (auto g : s.glyphs) Put(out, g, 2);
  out[2] = static_cast<std::uint8_t>(out.size() >> 8), out[3] = static_cast<std::uint8_t>(out.size());
  return out;
}

inline Bytes Format12(const std::vector<std::array<std::uint32_t, 3>>& groups, std::uint32_t claimed = 0) {
  Bytes out;
  Put(out, 12, 2), Put(out, 0, 2), Put(out, 16 + 12 * groups.size(), 4), Put(out, 0, 4);
  Put(out, claimed ? claimed : groups.size(), 4);
  for (const auto& g : groups)
    for (auto v : g) Put(out, v, 4);
  return out;
}

// One selector with default ranges (first, additional) and non-default (code, glyph) pairs.
inline Bytes Format14(std::uint32_t selector, const std::vector<std::pair<std::uint32_t, int>>& defaults,
               const std::vector<std::pair<std::uint32_t, int>>& others) {
  Bytes out;
  const std::uint32_t defaultAt = 21, otherAt = defaultAt + 4 + 4 * static_cast<std::uint32_t>(defaults.size());
  Put(out, 14, 2), Put(out, otherAt + 4 + 5 * others.size(), 4), Put(out, 1, 4);
  Put(out, selector, 3), Put(out, defaults.empty() ? 0 : defaultAt, 4), Put(out, others.empty() ? 0 : otherAt, 4);
  Put(out, defaults.size(), 4);
  for (auto [c, n] : defaults) Put(out, c, 3), Put(out, n, 1);
  Put(out, others.size(), 4);
  for (auto [c, g] : others) Put(out, c, 3), Put(out, g, 2);
  return out;
}

struct Sub {
  std::uint16_t platform, encoding;
  Bytes bytes;
};

inline Bytes Cmap(const std::vector<Sub>& subs) {
  Bytes out;
  Put(out, 0, 2), Put(out, subs.size(), 2);
  std::size_t at = 4 + 8 * subs.size();
  for (const auto& s : subs) {
    Put(out, s.platform, 2), Put(out, s.encoding, 2), Put(out, at, 4);
    at += s.bytes.size();
  }
  for (const auto& s : subs) out.insert(out.end(), s.bytes.begin(), s.bytes.end());
  return out;
}

}  // namespace moji::test
