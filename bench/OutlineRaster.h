// Glyph outlines read from the benchmark's outline files (make_shape_set.py) and drawn into
// monochrome images the way a TrueType rasteriser without anti-aliasing does: quadratic
// curves flattened, pixel centres filled by the non-zero winding rule.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "ShapeFeature.h"

namespace moji::bench {

struct Outline {
  int unitsPerEm = 1000;
  struct Point {
    float x, y;
    bool on;
  };
  std::vector<std::vector<Point>> contours;
};

// All outlines of a file; `perGlyphEm`: each glyph carries its own units per em.
std::vector<Outline> ReadOutlines(const std::filesystem::path& path, bool perGlyphEm);

// A user's redrawing: scale per axis about the em's centre, horizontal shear, move (in ems).
struct Change {
  float scaleX = 1, scaleY = 1, shear = 0, moveX = 0, moveY = 0;
};

// Draws the outline into a size × size image whose top is the em's ascent (0.88 em).
InkImage Rasterise(const Outline& outline, int size, const Change& change = {});

}  // namespace moji::bench
