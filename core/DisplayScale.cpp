#include "DisplayScale.h"

#include <algorithm>

namespace moji {

int ValidDpi(int dpi) { return dpi > 0 ? dpi : kDefaultDpi; }

int ScaleToDpi(int pixels96, int dpi) {
  const long long scaled = static_cast<long long>(pixels96) * ValidDpi(dpi);
  const long long half = kDefaultDpi / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kDefaultDpi : -((-scaled + half) / kDefaultDpi));
}

int GlyphScaleForDpi(int dpi) { return std::max(1, (ValidDpi(dpi) + kDefaultDpi / 2) / kDefaultDpi); }

int GlyphScaleToFit(int dpi, int glyphSize, int room) {
  if (glyphSize <= 0) return 1;
  return std::max(1, std::min(GlyphScaleForDpi(dpi), room / glyphSize));
}

int ToolbarImageSizeForDpi(int dpi) {
  const int wanted = ScaleToDpi(kToolbarImageSizes.front(), dpi);
  for (const int size : kToolbarImageSizes)
    if (size >= wanted) return size;
  return kToolbarImageSizes.back();
}

}  // namespace moji
