// Size and position rules of the browser's main frame. The frame is exactly as wide as its
// form view needs and at least as tall; the user can make it taller, never wider or
// narrower. Its position and height come from the stored placement (Placement.h).
#pragma once

#include <optional>

#include "Placement.h"

namespace moji {

// What the frame's outer size is made of, in pixels of a display of `dpi`: the form view and
// the system's frame parts (border, caption, menu bar) and the frame's own bars.
struct FrameMetrics {
  int dpi = 96;
  int formWidth = 0;
  int formHeight = 0;
  int frameBorderWidth = 0;   // one vertical sizing border
  int frameBorderHeight = 0;  // one horizontal sizing border
  int captionHeight = 0;
  int menuHeight = 0;
  int toolBarHeight = 0;
  int statusBarHeight = 0;
};

// The frame's fixed outer width and its minimum outer height.
struct FrameSize {
  int fixedWidth = -1;
  int minimumHeight = -1;
  bool IsKnown() const { return fixedWidth > 0 && minimumHeight > 0; }
};

// width  = form width + 2 borders + 4;
// height = form height + caption + 3 borders + menu + tool bar + status bar + 2;
// the 4 and 2 pixels being those of 96 dpi, scaled to the metrics' dpi.
FrameSize ComputeFrameSize(const FrameMetrics& metrics);

// The sizes the system asks about while the user moves, sizes or maximises the frame.
struct FrameTrackLimits {
  int maximizedWidth = 0;
  int maximizedHeight = 0;
  int minTrackWidth = 0;
  int minTrackHeight = 0;
  int maxTrackWidth = 0;
  int maxTrackHeight = 0;
};

// Fixes every width at the fixed width and the minimum tracking height at the minimum
// height; the heights otherwise stay as the system proposed. Nothing changes while the
// size is not known yet (the frame is still being created).
void ApplyFrameLimits(const FrameSize& size, FrameTrackLimits& limits);

// The largest height taken from a stored placement (the largest window coordinate).
constexpr int kMaxRestoredFrameHeight = 32767;

// The height to restore at start-up: bottom - top of the stored placement, kept between
// the minimum height and kMaxRestoredFrameHeight; nothing while no height was ever stored
// (bottom -1).
std::optional<int> RestoredFrameHeight(const Placement& stored, int minimumHeight);

}  // namespace moji
