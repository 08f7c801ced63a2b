#include "GlyphMatch.h"

#include <algorithm>

#include "GaijiCode.h"

namespace moji {

bool GlyphMatches(const EufGlyph& glyph, const GlyphPattern& pattern) {
  if (glyph.width != pattern.width || glyph.height != pattern.height || glyph.width <= 0 || glyph.height <= 0)
    return false;
  const std::size_t n = static_cast<std::size_t>(pattern.width) * static_cast<std::size_t>(pattern.height) / 8;
  if (glyph.bits.size() < n || pattern.bits.size() < n) return false;
  return std::equal(pattern.bits.begin(), pattern.bits.begin() + static_cast<std::ptrdiff_t>(n), glyph.bits.begin());
}

int FindMatchingGlyph(int startCode, const GlyphPattern& pattern, const std::function<bool(int, EufGlyph&)>& read,
                      const std::function<bool()>& abortRequested) {
  EufGlyph glyph;
  for (int code = std::max(startCode, kGaijiFirst); code <= kGaijiLast; ++code) {
    if (read(code, glyph) && GlyphMatches(glyph, pattern)) return code;
    if (abortRequested && abortRequested()) return kSearchAborted;
  }
  return kSearchNotFound;
}

std::function<bool()> ThrottledProbe(std::function<bool()> probe, std::function<std::uint64_t()> clockMs,
                                     std::uint64_t intervalMs) {
  return [probe = std::move(probe), clockMs = std::move(clockMs), intervalMs, asked = false,
          last = std::uint64_t{0}]() mutable {
    const std::uint64_t now = clockMs();
    if (asked && now - last < intervalMs) return false;
    asked = true;
    last = now;
    return probe();
  };
}

}  // namespace moji
