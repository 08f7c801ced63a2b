// Geometry and selection model of the gaiji grid: 800 rows of 8 glyph cells covering
// U+E000..U+F8FF, a code column at the left of each row, and the status line that
// describes the selected cell. Pixel values are device pixels relative to a row rectangle;
// the constants below are those of a 96-dpi display, GridMetricsForDpi gives them for others.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace moji {

constexpr int kGridRows = 800;
constexpr int kGridColumns = 8;           // columns count 1..8
constexpr int kGridRowHeight = 69;
constexpr int kGridCodeColumnWidth = 44;
constexpr int kGridCellWidth = 69;        // cell k spans left+44+69k .. left+113+69k
constexpr int kGridRowWidth = 596;
constexpr int kGridGlyphSize = 64;        // glyphs are shown at 64 x 64

// The grid's sizes on one display. The glyph is drawn at a whole-number scale, its cell is
// the glyph plus 5 pixels (grid line, selection frame and the space around it) and the code
// column follows the display's dpi. A cell wider than that (the list is wider than the
// grid needs) keeps the glyph in its middle.
struct GridMetrics {
  int glyphScale = 1;
  int glyphSize = kGridGlyphSize;
  int codeColumnWidth = kGridCodeColumnWidth;
  int cellWidth = kGridCellWidth;
  int rowHeight = kGridRowHeight;
  // Code column and 8 cells.
  int RowWidth() const { return codeColumnWidth + kGridColumns * cellWidth; }
  bool operator==(const GridMetrics&) const = default;
};

// The grid at `dpi` (GlyphScaleForDpi, DisplayScale.h). With `fillWidth`, the client width of
// the list, the cells grow so that the 8 columns fill it; they never shrink below the glyph's.
GridMetrics GridMetricsForDpi(int dpi, int fillWidth = 0);

// A rectangle as the platform takes it: right and bottom lie outside.
struct GridRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const GridRect&) const = default;
};

// A cell of the grid: row 0..799, column 1..8.
struct GridCell {
  int row = 0;
  int column = 1;
  bool operator==(const GridCell&) const = default;
};

// The cell of a gaiji code; {-1, 1} outside U+E000..U+F8FF.
GridCell GridCellOfCode(int code);
// The index (0..6399) of a cell, -1 for a row or column outside the grid.
int GridIndexOfCell(int row, int column);
// The first code of a row (0xE000 + 8 * row); 0 for a negative row.
int GridRowFirstCode(int row);
// The row of a code; -1 outside the gaiji space.
int GridRowOfCode(int code);

// The column hit by x inside the row: a click on the code column or the first cell gives 1,
// one right of the seventh cell gives 8.
int GridColumnAtX(const GridRect& row, int x, const GridMetrics& metrics = {});
// Left and Right keys: the neighbouring column, wrapping inside the row (1 -> 8, 8 -> 1).
// A column outside 1..8 is taken as 1.
int GridColumnLeft(int column);
int GridColumnRight(int column);

// x of the k-th vertical grid line (k = 0..8).
int GridLineX(const GridRect& row, int k, const GridMetrics& metrics = {});
// The code column (left .. left + 44) over the height of the row.
GridRect GridCodeColumnRect(const GridRect& row, const GridMetrics& metrics = {});
// Cell of a column over the height of the row.
GridRect GridCellRect(const GridRect& row, int column, const GridMetrics& metrics = {});
// Where the glyph of a column is drawn: at 96 dpi 64 x 64 at (left + 47 + 69k, top + 2).
GridRect GridGlyphRect(const GridRect& row, int column, const GridMetrics& metrics = {});
// The 1-pixel selection frame around the glyph of a column.
GridRect GridSelectionFrameRect(const GridRect& row, int column, const GridMetrics& metrics = {});
// What a column change repaints: the row right of the code column, minus each glyph's area
// from 2 pixels below the row's top to 3 above its bottom (at 96 dpi: each cell shrunk by
// 3, 2, 2, 3 pixels, left, top, right, bottom), as non-overlapping rectangles. The glyphs
// stay as drawn; only the frames around them are erased and drawn again.
std::vector<GridRect> GridFrameInvalidationRects(const GridRect& row, const GridMetrics& metrics = {});

// The status line of a code: "UNICODE=[E001] S-JIS=[F041] 外字数=[12]", followed by
// " 読み=[あ,い]" when `readings` is not empty; "----" as Shift-JIS code above U+E757.
// Empty for a code outside the gaiji space.
std::u16string BuildGridStatusLine(int code, int gaijiCount, std::u16string_view readings);

}  // namespace moji
