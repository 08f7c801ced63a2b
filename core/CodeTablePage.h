// The printed code table of the printer (Mojisheet), as a pure function of the range, the
// presence flags of the TTE and the page number: which codes a page holds, which rows carry
// a label, which cells a glyph and which a Shift-JIS code, and where everything lies on the
// logical A4 page (210 x 297 units, one unit = one millimetre at full scale).
//
// Page p (from 1) begins at start + 96 (p - 1); rows are runs of 8 codes counted from the
// start code itself; pages = ((end - start + 8) / 8 + 11) / 12.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace moji {

// The print TTE path of a printer command line: the whole line trimmed of white space; when
// it is longer than 3 characters and begins with "/f:" in any letter case, the rest as it
// is (quotes kept). Empty otherwise.
std::u16string ParsePrintTarget(std::u16string_view commandLine);

struct CodeRange {
  int start = 0;
  int end = 0;
};

// Both texts parse as 4 hex digits within E000..F8FF and start <= end; nullopt otherwise.
std::optional<CodeRange> ValidatePrintRange(std::u16string_view startText, std::u16string_view endText);

constexpr int kTableRows = 12;
constexpr int kTableColumns = 8;
constexpr int kCodesPerPage = kTableRows * kTableColumns;

int CodeTablePageCount(const CodeRange& range);

// "%Y/%m/%d-%H:%M:%S" of a local time.
std::u16string FormatPrintDate(int year, int month, int day, int hour, int minute, int second);

// ---- page geometry in logical units ----------------------------------------------------
struct PageRect {
  int left, top, right, bottom;
  bool operator==(const PageRect&) const = default;
};
inline constexpr int kPageWidth = 210;
inline constexpr int kPageHeight = 297;
inline constexpr PageRect kHeaderBand{9, 10, 201, 25};
inline constexpr int kGridTop = 29;
inline constexpr int kGridBottom = 293;
inline constexpr int kGridLeft = 9;
inline constexpr int kGridRight = 201;
inline constexpr int kRowPitch = 22;
inline constexpr int kLabelRight = 25;

// y of the 13 horizontal and x of the 10 vertical grid lines.
std::vector<int> HorizontalGridLines();
std::vector<int> VerticalGridLines();
PageRect CellRect(int row, int column);
PageRect LabelRect(int row);
PageRect GlyphRect(int row, int column);  // the cell moved down by 2
PageRect SjisRect(int row, int column);   // the glyph rectangle with its top raised by 1

// ---- one page --------------------------------------------------------------------------
struct RowLabel {
  int row;
  std::u16string text;  // FormatHex4 of the row's first code
};
struct TableCell {  // the code's character drawn in the glyph font
  int row, column, code;
  std::u16string sjis;   // Shift-JIS code text, empty for none
};
struct CodeTablePage {
  int firstCode = 0;
  std::vector<RowLabel> labels;
  std::vector<TableCell> cells;  // only cells with something to draw
};

// Presence of a glyph for a code; when the TTE read failed (`readOk` false) every cell
// counts as having one.
using GlyphPresence = std::function<bool(int code)>;

// Page `page` (1..CodeTablePageCount) of `range`. Labels stop at the first row whose code
// exceeds the end code; cells go on to the end of the page for codes with a glyph up to
// F8FF, with a Shift-JIS text up to E757.
CodeTablePage LayoutCodeTablePage(const CodeRange& range, int page, bool readOk, const GlyphPresence& hasGlyph);

}  // namespace moji
