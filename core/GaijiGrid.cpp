#include "GaijiGrid.h"

#include <algorithm>
#include <string>

#include "DisplayScale.h"
#include "GaijiCode.h"

namespace moji {

namespace {

constexpr int kFrameInsetTop = 2;
constexpr int kFrameInsetBottom = 3;

int ValidColumn(int column) { return column >= 1 && column <= kGridColumns ? column : 1; }

// Grid line, selection frame and one pixel of space on either side of the glyph.
constexpr int kCellMargin = kGridCellWidth - kGridGlyphSize;

int CellLeft(const GridRect& row, int column, const GridMetrics& m) {
  return row.left + m.codeColumnWidth + m.cellWidth * (ValidColumn(column) - 1);
}

// The glyph's left edge inside its cell: 3 pixels in, and in the middle of a wider cell.
int GlyphLeft(const GridRect& row, int column, const GridMetrics& m) {
  return CellLeft(row, column, m) + 3 + std::max(0, m.cellWidth - m.glyphSize - kCellMargin) / 2;
}

std::u16string Decimal(int value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

GridMetrics GridMetricsForDpi(int dpi, int fillWidth) {
  GridMetrics m;
  m.glyphScale = GlyphScaleForDpi(dpi);
  m.glyphSize = kGridGlyphSize * m.glyphScale;
  m.codeColumnWidth = ScaleToDpi(kGridCodeColumnWidth, dpi);
  m.rowHeight = m.glyphSize + kCellMargin;
  m.cellWidth = std::max(m.rowHeight, (fillWidth - m.codeColumnWidth) / kGridColumns);
  return m;
}

GridCell GridCellOfCode(int code) {
  const int index = GaijiCodeToIndex(code);
  if (index < 0) return {-1, 1};
  return {index / kGridColumns, index % kGridColumns + 1};
}

int GridIndexOfCell(int row, int column) {
  if (row < 0 || row >= kGridRows || column < 1 || column > kGridColumns) return -1;
  return row * kGridColumns + column - 1;
}

int GridRowFirstCode(int row) { return row < 0 ? 0 : kGaijiFirst + kGridColumns * row; }

int GridRowOfCode(int code) {
  const int index = GaijiCodeToIndex(code);
  return index < 0 ? -1 : index / kGridColumns;
}

int GridColumnAtX(const GridRect& row, int x, const GridMetrics& m) {
  int column = 1;
  for (int k = 0; k < kGridColumns - 1; ++k)
    if (x >= row.left + m.codeColumnWidth + m.cellWidth * (k + 1)) ++column;
  return column;
}

int GridColumnLeft(int column) {
  column = ValidColumn(column);
  return column == 1 ? kGridColumns : column - 1;
}

int GridColumnRight(int column) {
  column = ValidColumn(column);
  return column == kGridColumns ? 1 : column + 1;
}

int GridLineX(const GridRect& row, int k, const GridMetrics& m) {
  return row.left + m.codeColumnWidth + m.cellWidth * k;
}

GridRect GridCodeColumnRect(const GridRect& row, const GridMetrics& m) {
  return {row.left, row.top, row.left + m.codeColumnWidth, row.bottom};
}

GridRect GridCellRect(const GridRect& row, int column, const GridMetrics& m) {
  const int left = CellLeft(row, column, m);
  return {left, row.top, left + m.cellWidth, row.bottom};
}

GridRect GridGlyphRect(const GridRect& row, int column, const GridMetrics& m) {
  const int left = GlyphLeft(row, column, m);
  return {left, row.top + 2, left + m.glyphSize, row.top + 2 + m.glyphSize};
}

GridRect GridSelectionFrameRect(const GridRect& row, int column, const GridMetrics& m) {
  const int left = GlyphLeft(row, column, m) - 1;
  return {left, row.top + 1, left + m.glyphSize + 2, row.bottom - 2};
}

std::vector<GridRect> GridFrameInvalidationRects(const GridRect& row, const GridMetrics& m) {
  std::vector<GridRect> rects;
  auto add = [&rects](GridRect r) {
    if (r.left < r.right && r.top < r.bottom) rects.push_back(r);
  };
  const int left = row.left + m.codeColumnWidth;
  const int holeTop = row.top + kFrameInsetTop;
  const int holeBottom = row.bottom - kFrameInsetBottom;
  if (holeTop >= holeBottom) {  // a row too low for any glyph area: all of it
    add({left, row.top, row.right, row.bottom});
    return rects;
  }
  add({left, row.top, row.right, holeTop});
  // Between the holes, over their height: the strips left of each hole and the rest.
  int x = left;
  for (int column = 1; column <= kGridColumns; ++column) {
    const int holeLeft = GlyphLeft(row, column, m);
    const int holeRight = holeLeft + m.glyphSize;
    if (holeLeft >= row.right) break;
    add({x, holeTop, holeLeft, holeBottom});
    x = holeRight;
  }
  add({x, holeTop, row.right, holeBottom});
  add({left, holeBottom, row.right, row.bottom});
  return rects;
}

std::u16string BuildGridStatusLine(int code, int gaijiCount, std::u16string_view readings) {
  if (!IsUnicodeGaiji(code)) return {};
  std::u16string text = u"UNICODE=[" + FormatHex4(static_cast<std::uint32_t>(code)) + u"] S-JIS=[";
  text += code > kGaijiSjisLast ? u"----" : SjisHexOfUnicode(code);
  text += u"] 外字数=[" + Decimal(gaijiCount) + u"]";
  if (!readings.empty()) {
    text += u" 読み=[";
    text += readings;
    text += u"]";
  }
  return text;
}

}  // namespace moji
