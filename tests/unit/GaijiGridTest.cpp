#include "GaijiGrid.h"

#include <gtest/gtest.h>

namespace moji {
namespace {

TEST(GaijiGrid, CodesCellsAndRowsMapBothWays) {
  EXPECT_EQ(GridCellOfCode(0xE000), (GridCell{0, 1}));
  EXPECT_EQ(GridCellOfCode(0xE00D), (GridCell{1, 6}));
  EXPECT_EQ(GridCellOfCode(0xF8FF), (GridCell{799, 8}));
  EXPECT_EQ(GridCellOfCode(0xDFFF).row, -1);
  EXPECT_EQ(GridCellOfCode(0xF900).row, -1);
  for (int code = 0xE000; code <= 0xF8FF; ++code) {
    const GridCell cell = GridCellOfCode(code);
    ASSERT_EQ(GridIndexOfCell(cell.row, cell.column), code - 0xE000);
    ASSERT_EQ(GridRowFirstCode(cell.row) + cell.column - 1, code);
    ASSERT_EQ(GridRowOfCode(code), cell.row);
  }
  EXPECT_EQ(GridIndexOfCell(-1, 1), -1);
  EXPECT_EQ(GridIndexOfCell(800, 1), -1);
  EXPECT_EQ(GridIndexOfCell(0, 9), -1);
  EXPECT_EQ(GridIndexOfCell(0, 0), -1);
  EXPECT_EQ(GridRowFirstCode(-1), 0);
  EXPECT_EQ(GridRowOfCode(0xF900), -1);
}

TEST(GaijiGrid, LeftAndRightWrapInsideTheRowAndClicksPickColumns) {
  EXPECT_EQ(GridColumnRight(8), 1);
  EXPECT_EQ(GridColumnLeft(1), 8);
  EXPECT_EQ(GridColumnRight(4), 5);
  EXPECT_EQ(GridColumnLeft(4), 3);
  EXPECT_EQ(GridColumnRight(0), 2);  // out of range counts as column 1

  const GridRect row{10, 690, 606, 759};
  EXPECT_EQ(GridColumnAtX(row, -50), 1);  // the code column
  EXPECT_EQ(GridColumnAtX(row, 10 + 43), 1);
  EXPECT_EQ(GridColumnAtX(row, 10 + 112), 1);
  EXPECT_EQ(GridColumnAtX(row, 10 + 113), 2);
  EXPECT_EQ(GridColumnAtX(row, 10 + 44 + 69 * 7 - 1), 7);
  EXPECT_EQ(GridColumnAtX(row, 10 + 44 + 69 * 7), 8);
  EXPECT_EQ(GridColumnAtX(row, 5000), 8);
  for (int column = 1; column <= 8; ++column) {
    const GridRect cell = GridCellRect(row, column);
    EXPECT_EQ(GridColumnAtX(row, cell.left), column);
    EXPECT_EQ(GridColumnAtX(row, cell.right - 1), column);
  }
  EXPECT_EQ(GridLineX(row, 8) - row.left, 596);
}

// The frame of every column must be repainted by a column change and no glyph pixel may be.
TEST(GaijiGrid, FrameInvalidationCoversEveryFrameAndSparesEveryGlyph) {
  const GridRect row{3, 69, 3 + 596, 69 + 69};
  const auto rects = GridFrameInvalidationRects(row);
  auto hits = [&](int x, int y) {
    int n = 0;
    for (const GridRect& r : rects) n += x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    return n;
  };
  for (const GridRect& r : rects) {
    ASSERT_GE(r.left, row.left + 44);
    ASSERT_LE(r.right, row.right);
    ASSERT_GE(r.top, row.top);
    ASSERT_LE(r.bottom, row.bottom);
  }
  for (int column = 1; column <= 8; ++column) {
    const GridRect glyph = GridGlyphRect(row, column);
    EXPECT_EQ(glyph, (GridRect{row.left + 47 + 69 * (column - 1), row.top + 2, row.left + 111 + 69 * (column - 1),
                               row.top + 66}));
    for (int y = glyph.top; y < glyph.bottom; ++y)
      for (int x = glyph.left; x < glyph.right; ++x) ASSERT_EQ(hits(x, y), 0) << column << ' ' << x << ',' << y;
    const GridRect frame = GridSelectionFrameRect(row, column);
    EXPECT_EQ(frame.left, row.left + 46 + 69 * (column - 1));
    EXPECT_EQ(frame.right, row.left + 112 + 69 * (column - 1));
    for (int x = frame.left; x < frame.right; ++x) {
      ASSERT_EQ(hits(x, frame.top), 1) << column << ' ' << x;
      ASSERT_EQ(hits(x, frame.bottom - 1), 1) << column << ' ' << x;
    }
    for (int y = frame.top; y < frame.bottom; ++y) {
      ASSERT_EQ(hits(frame.left, y), 1) << column << ' ' << y;
      ASSERT_EQ(hits(frame.right - 1, y), 1) << column << ' ' << y;
    }
  }
  // Everything else right of the code column is repainted exactly once.
  int covered = 0;
  for (int y = row.top; y < row.bottom; ++y)
    for (int x = row.left; x < row.right; ++x) covered += hits(x, y);
  EXPECT_EQ(covered, (596 - 44) * 69 - 8 * 64 * 64);
}

TEST(GaijiGrid, StatusLineShowsCodesCountAndReadings) {
  EXPECT_EQ(BuildGridStatusLine(0xE001, 12, u"あ,い"), u"UNICODE=[E001] S-JIS=[F041] 外字数=[12] 読み=[あ,い]");
  EXPECT_EQ(BuildGridStatusLine(0xE757, 0, u""), u"UNICODE=[E757] S-JIS=[F9FC] 外字数=[0]");
  EXPECT_EQ(BuildGridStatusLine(0xE758, -1, u""), u"UNICODE=[E758] S-JIS=[----] 外字数=[-1]");
  EXPECT_EQ(BuildGridStatusLine(0xF900, 12, u"あ"), u"");
}

}  // namespace
}  // namespace moji
