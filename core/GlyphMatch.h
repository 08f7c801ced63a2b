// The exact bitmap match of the bitmap search: a glyph matches a pattern when it has the
// pattern's width and height and its first W*H/8 bytes equal the pattern's bytes. No
// tolerance, no shifting; the pattern has been normalised to the file's glyph size.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "EufFile.h"

namespace moji {

struct GlyphPattern {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bits;  // width*height/8 bytes
};

bool GlyphMatches(const EufGlyph& glyph, const GlyphPattern& pattern);

// Search results besides a found code.
inline constexpr int kSearchNotFound = 0;
inline constexpr int kSearchAborted = -1;

// Reads the codes from `startCode` up to U+F8FF with `read` (false: no glyph) and answers
// the first matching code. After each code that did not match, `abortRequested` is asked
// once; true ends the search with kSearchAborted. A start past U+F8FF searches nothing.
int FindMatchingGlyph(int startCode, const GlyphPattern& pattern, const std::function<bool(int, EufGlyph&)>& read,
                      const std::function<bool()>& abortRequested);

// `probe` asked at most once per `intervalMs` of `clockMs`, for a probe that costs much more
// than a glyph comparison (a key state read through the window server): the first call
// asks it, later calls answer false until `intervalMs` has passed since it was last asked.
std::function<bool()> ThrottledProbe(std::function<bool()> probe, std::function<std::uint64_t()> clockMs,
                                     std::uint64_t intervalMs);

}  // namespace moji
