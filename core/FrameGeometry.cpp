#include "FrameGeometry.h"

#include <algorithm>

#include "DisplayScale.h"

namespace moji {

FrameSize ComputeFrameSize(const FrameMetrics& m) {
  FrameSize size;
  size.fixedWidth = m.formWidth + 2 * m.frameBorderWidth + ScaleToDpi(4, m.dpi);
  size.minimumHeight = m.formHeight + m.captionHeight + 3 * m.frameBorderHeight + m.menuHeight + m.toolBarHeight +
                       m.statusBarHeight + ScaleToDpi(2, m.dpi);
  return size;
}

void ApplyFrameLimits(const FrameSize& size, FrameTrackLimits& limits) {
  if (!size.IsKnown()) return;
  limits.maximizedWidth = size.fixedWidth;
  limits.minTrackWidth = size.fixedWidth;
  limits.maxTrackWidth = size.fixedWidth;
  limits.minTrackHeight = size.minimumHeight;
  // A system that proposes a smaller largest height than our smallest would leave no size.
  limits.maxTrackHeight = std::max(limits.maxTrackHeight, size.minimumHeight);
  limits.maximizedHeight = std::max(limits.maximizedHeight, size.minimumHeight);
}

std::optional<int> RestoredFrameHeight(const Placement& stored, int minimumHeight) {
  if (stored.bottom == -1) return std::nullopt;
  // Widened before subtracting: stored values are any ints the file held.
  const long long height = static_cast<long long>(stored.bottom) - stored.top;
  return static_cast<int>(std::clamp<long long>(height, std::clamp(minimumHeight, 0, kMaxRestoredFrameHeight),
                                                kMaxRestoredFrameHeight));
}

}  // namespace moji
