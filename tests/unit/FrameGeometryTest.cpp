#include "FrameGeometry.h"

#include <gtest/gtest.h>

#include <climits>

namespace moji {
namespace {

// A form of 350 x 212 dialog units in a 9-point font at 96 dpi, with Wine's default metrics.
FrameMetrics TypicalMetrics() {
  FrameMetrics m;
  m.formWidth = 592;
  m.formHeight = 391;
  m.frameBorderWidth = 4;
  m.frameBorderHeight = 4;
  m.captionHeight = 19;
  m.menuHeight = 19;
  m.toolBarHeight = 36;
  m.statusBarHeight = 21;
  return m;
}

TEST(FrameGeometry, EveryPartOfTheFrameCountsOnceAndBordersAsOftenAsTheyAreCrossed) {
  const FrameSize size = ComputeFrameSize(TypicalMetrics());
  EXPECT_EQ(size.fixedWidth, 592 + 2 * 4 + 4);
  EXPECT_EQ(size.minimumHeight, 391 + 19 + 3 * 4 + 19 + 36 + 21 + 2);
  // Each part enters with its own weight: a bar that is one pixel taller makes the frame
  // one pixel taller, a border one pixel thicker makes it 2 wider and 3 taller.
  FrameMetrics m = TypicalMetrics();
  m.statusBarHeight += 1;
  EXPECT_EQ(ComputeFrameSize(m).minimumHeight, size.minimumHeight + 1);
  m = TypicalMetrics();
  m.frameBorderWidth += 1;
  m.frameBorderHeight += 1;
  EXPECT_EQ(ComputeFrameSize(m).fixedWidth, size.fixedWidth + 2);
  EXPECT_EQ(ComputeFrameSize(m).minimumHeight, size.minimumHeight + 3);
  EXPECT_TRUE(size.IsKnown());
  EXPECT_FALSE(FrameSize{}.IsKnown());
}

TEST(FrameGeometry, LimitsFixTheWidthAndTheSmallestHeightOnly) {
  const FrameSize size{604, 500};
  FrameTrackLimits limits{1288, 1032, 112, 27, 1290, 1034};
  ApplyFrameLimits(size, limits);
  EXPECT_EQ(limits.maximizedWidth, 604);
  EXPECT_EQ(limits.minTrackWidth, 604);
  EXPECT_EQ(limits.maxTrackWidth, 604);
  EXPECT_EQ(limits.minTrackHeight, 500);
  EXPECT_EQ(limits.maximizedHeight, 1032);  // maximising makes it as tall as the screen
  EXPECT_EQ(limits.maxTrackHeight, 1034);

  // A screen lower than the smallest frame: the largest heights grow to the smallest, so
  // that some size remains allowed.
  FrameTrackLimits small{640, 400, 112, 27, 642, 402};
  ApplyFrameLimits(size, small);
  EXPECT_EQ(small.maxTrackHeight, 500);
  EXPECT_EQ(small.maximizedHeight, 500);
  EXPECT_EQ(small.minTrackHeight, 500);
}

TEST(FrameGeometry, LimitsAreLeftAloneWhileTheSizeIsNotComputed) {
  // The system asks while the window is being created, before the form is known.
  const FrameTrackLimits proposed{1288, 1032, 112, 27, 1290, 1034};
  FrameTrackLimits limits = proposed;
  ApplyFrameLimits(FrameSize{}, limits);
  EXPECT_EQ(limits.minTrackWidth, proposed.minTrackWidth);
  EXPECT_EQ(limits.maxTrackWidth, proposed.maxTrackWidth);
  EXPECT_EQ(limits.maximizedWidth, proposed.maximizedWidth);
  EXPECT_EQ(limits.minTrackHeight, proposed.minTrackHeight);
}

TEST(FrameGeometry, RestoredHeightComesFromAStoredBottomOnly) {
  EXPECT_EQ(RestoredFrameHeight(Placement{40, 40, -1, -1}, 500), std::nullopt);
  EXPECT_EQ(RestoredFrameHeight(Placement{100, 50, 500, 800}, 500), 750);
  // A stored right of -1 does not matter; only the bottom tells whether a height was kept.
  EXPECT_EQ(RestoredFrameHeight(Placement{100, 50, -1, 800}, 500), 750);
}

TEST(FrameGeometry, RestoredHeightStaysBetweenTheMinimumAndTheLargestCoordinate) {
  // Hand-edited or stale files: too low, upside down, absurdly tall, overflowing.
  EXPECT_EQ(RestoredFrameHeight(Placement{100, 50, 500, 60}, 500), 500);
  EXPECT_EQ(RestoredFrameHeight(Placement{100, 800, 500, 50}, 500), 500);
  EXPECT_EQ(RestoredFrameHeight(Placement{0, 0, 0, 2000000}, 500), kMaxRestoredFrameHeight);
  EXPECT_EQ(RestoredFrameHeight(Placement{0, INT_MIN, 0, INT_MAX}, 500), kMaxRestoredFrameHeight);
  EXPECT_EQ(RestoredFrameHeight(Placement{0, INT_MAX, 0, INT_MIN}, 500), 500);
  // A bottom of -2 is a stored value like any other.
  EXPECT_EQ(RestoredFrameHeight(Placement{0, -600, 0, -2}, 500), 598);
}

}  // namespace
}  // namespace moji
