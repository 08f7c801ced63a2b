#include "GaijiGrid.h"

#include <string>

#include "GaijiCode.h"

namespace moji {

namespace {

constexpr int kFrameInsetLeft = 3;
constexpr int kFrameInsetTop = 2;
constexpr int kFrameInsetRight = 2;
constexpr int kFrameInsetBottom = 3;

int ValidColumn(int column) { return column >= 1 && column <= kGridColumns ? column : 1; }

int CellLeft(const GridRect& row, int column) {
  return row.left + kGridCodeColumnWidth + kGridCellWidth * (ValidColumn(column) - 1);
}

std::u16string Decimal(int value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

}  // namespace

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

int GridColumnAtX(const GridRect& row, int x) {
  int column = 1;
  for (int k = 0; k < kGridColumns - 1; ++k)
    if (x >= row.left + kGridCodeColumnWidth + kGridCellWidth * (k + 1)) ++column;
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

int GridLineX(const GridRect& row, int k) { return row.left + kGridCodeColumnWidth + kGridCellWidth * k; }

GridRect GridCodeColumnRect(const GridRect& row) {
  return {row.left, row.top, row.left + kGridCodeColumnWidth, row.bottom};
}

GridRect GridCellRect(const GridRect& row, int column) {
  const int left = CellLeft(row, column);
  return {left, row.top, left + kGridCellWidth, row.bottom};
}

GridRect GridGlyphRect(const GridRect& row, int column) {
  const int left = CellLeft(row, column) + 3;
  return {left, row.top + 2, left + kGridGlyphSize, row.top + 2 + kGridGlyphSize};
}

GridRect GridSelectionFrameRect(const GridRect& row, int column) {
  const int left = CellLeft(row, column) + 2;
  return {left, row.top + 1, left + 66, row.bottom - 2};
}

std::vector<GridRect> GridFrameInvalidationRects(const GridRect& row) {
  std::vector<GridRect> rects;
  auto add = [&rects](GridRect r) {
    if (r.left < r.right && r.top < r.bottom) rects.push_back(r);
  };
  const int left = row.left + kGridCodeColumnWidth;
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
    const GridRect cell = GridCellRect(row, column);
    const int holeLeft = cell.left + kFrameInsetLeft;
    const int holeRight = cell.right - kFrameInsetRight;
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
