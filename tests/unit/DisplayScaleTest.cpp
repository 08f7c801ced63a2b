#include "DisplayScale.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "FrameGeometry.h"
#include "GaijiGrid.h"

namespace moji {
namespace {

// One row per display scale: the whole-number glyph scale, the toolbar set, a scaled size
// and the grid that fills no wider list than it needs.
struct DpiCase {
  int dpi;
  int glyphScale;
  int toolbarImage;
  int scaled100;  // 100 pixels of 96 dpi
  int codeColumn;
  int cell;       // row height and column pitch
  int rowWidth;
};

TEST(DisplayScale, ScaleRuleAndMetricsFollowTheDpi) {
  const DpiCase cases[] = {
      {96, 1, 24, 100, 44, 69, 596},      {0, 1, 24, 100, 44, 69, 596},  // no dpi reported: 96
      {120, 1, 36, 125, 55, 69, 607},     {143, 1, 36, 149, 66, 69, 618},
      {144, 2, 36, 150, 66, 133, 1130},   {168, 2, 48, 175, 77, 133, 1141},
      {192, 2, 48, 200, 88, 133, 1152},   {239, 2, 48, 249, 110, 133, 1174},
      {240, 3, 48, 250, 110, 197, 1686},  {288, 3, 48, 300, 132, 197, 1708},
      {336, 4, 48, 350, 154, 261, 2242},
  };
  for (const DpiCase& c : cases) {
    SCOPED_TRACE(c.dpi);
    EXPECT_EQ(GlyphScaleForDpi(c.dpi), c.glyphScale);
    EXPECT_EQ(ToolbarImageSizeForDpi(c.dpi), c.toolbarImage);
    EXPECT_EQ(GlyphScaleToFit(c.dpi, 64, 64 * c.glyphScale), c.glyphScale);
    EXPECT_EQ(GlyphScaleToFit(c.dpi, 64, 64 * c.glyphScale - 1), std::max(1, c.glyphScale - 1));
    EXPECT_EQ(GlyphScaleToFit(c.dpi, 64, 0), 1);
    EXPECT_EQ(ScaleToDpi(100, c.dpi), c.scaled100);
    EXPECT_EQ(ScaleToDpi(-100, c.dpi), -c.scaled100);
    const GridMetrics grid = GridMetricsForDpi(c.dpi);
    EXPECT_EQ(grid.glyphScale, c.glyphScale);
    EXPECT_EQ(grid.glyphSize, 64 * c.glyphScale);
    EXPECT_EQ(grid.codeColumnWidth, c.codeColumn);
    EXPECT_EQ(grid.rowHeight, c.cell);
    EXPECT_EQ(grid.cellWidth, c.cell);
    EXPECT_EQ(grid.RowWidth(), c.rowWidth);
    // The glyph and its frame lie inside the cell, the glyph 2 pixels below the row's top.
    const GridRect row{0, 0, grid.RowWidth(), grid.rowHeight};
    for (int column = 1; column <= 8; ++column) {
      const GridRect cell = GridCellRect(row, column, grid), glyph = GridGlyphRect(row, column, grid);
      const GridRect frame = GridSelectionFrameRect(row, column, grid);
      EXPECT_EQ(glyph.top, 2);
      EXPECT_TRUE(cell.left < frame.left && frame.left < glyph.left && glyph.right < frame.right &&
                  frame.right <= cell.right && frame.bottom == glyph.bottom + 1 && frame.bottom < row.bottom);
      EXPECT_EQ(GridColumnAtX(row, cell.left, grid), column);
      EXPECT_EQ(GridColumnAtX(row, cell.right - 1, grid), column);
    }
    // A wider list: the cells widen to fill it, the rows keep their height, the glyph is centred.
    const GridMetrics wide = GridMetricsForDpi(c.dpi, grid.RowWidth() + 8 * 10 + 7);
    EXPECT_EQ(wide.cellWidth, c.cell + 10);
    EXPECT_EQ(wide.rowHeight, c.cell);
    const GridRect glyph = GridGlyphRect(row, 1, wide);
    EXPECT_EQ(glyph.left - wide.codeColumnWidth, 3 + 5);
    EXPECT_EQ(GridMetricsForDpi(c.dpi, grid.RowWidth() - 50), grid);  // never narrower than the glyph needs
    // The frame's fixed parts grow with the display.
    FrameMetrics frame;
    frame.dpi = c.dpi;
    EXPECT_EQ(ComputeFrameSize(frame).fixedWidth, ScaleToDpi(4, c.dpi));
    EXPECT_EQ(ComputeFrameSize(frame).minimumHeight, ScaleToDpi(2, c.dpi));
  }
}

}  // namespace
}  // namespace moji
