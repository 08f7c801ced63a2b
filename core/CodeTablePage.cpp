#include "CodeTablePage.h"

#include <cstdio>

#include "GaijiCode.h"

namespace moji {

namespace {

bool IsSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f'; }

char16_t Lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c; }

constexpr int kLastShiftJisGaiji = 0xE757;

}  // namespace

std::u16string ParsePrintTarget(std::u16string_view commandLine) {
  while (!commandLine.empty() && IsSpace(commandLine.front())) commandLine.remove_prefix(1);
  while (!commandLine.empty() && IsSpace(commandLine.back())) commandLine.remove_suffix(1);
  if (commandLine.size() <= 3) return {};
  if (commandLine[0] != u'/' || Lower(commandLine[1]) != u'f' || commandLine[2] != u':') return {};
  return std::u16string(commandLine.substr(3));
}

std::optional<CodeRange> ValidatePrintRange(std::u16string_view startText, std::u16string_view endText) {
  const int start = ParseHexCode(startText);
  const int end = ParseHexCode(endText);
  if (!IsUnicodeGaiji(start) || !IsUnicodeGaiji(end) || start > end) return std::nullopt;
  return CodeRange{start, end};
}

int CodeTablePageCount(const CodeRange& range) {
  const int rows = (range.end - range.start + kTableColumns) / kTableColumns;
  return (rows + kTableRows - 1) / kTableRows;
}

std::u16string FormatPrintDate(int year, int month, int day, int hour, int minute, int second) {
  char text[64];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d-%02d:%02d:%02d", year, month, day, hour, minute, second);
  return std::u16string(text, text + std::char_traits<char>::length(text));
}

std::vector<int> HorizontalGridLines() {
  std::vector<int> lines;
  for (int k = 0; k <= kTableRows; ++k) lines.push_back(kGridTop + kRowPitch * k);
  return lines;
}

std::vector<int> VerticalGridLines() {
  std::vector<int> lines{kGridLeft};
  for (int c = 0; c <= kTableColumns; ++c) lines.push_back(kLabelRight + kRowPitch * c);
  return lines;
}

PageRect CellRect(int row, int column) {
  const int left = kLabelRight + kRowPitch * column, top = kGridTop + kRowPitch * row;
  return PageRect{left, top, left + kRowPitch, top + kRowPitch};
}

PageRect LabelRect(int row) {
  const int top = kGridTop + kRowPitch * row;
  return PageRect{kGridLeft, top, kLabelRight, top + kRowPitch};
}

PageRect GlyphRect(int row, int column) {
  PageRect r = CellRect(row, column);
  r.top += 2;
  r.bottom += 2;
  return r;
}

PageRect SjisRect(int row, int column) {
  PageRect r = GlyphRect(row, column);
  r.top -= 1;
  return r;
}

CodeTablePage LayoutCodeTablePage(const CodeRange& range, int page, bool readOk, const GlyphPresence& hasGlyph) {
  CodeTablePage result;
  result.firstCode = range.start + kCodesPerPage * (page - 1);
  for (int r = 0; r < kTableRows; ++r) {
    const int rowCode = result.firstCode + kTableColumns * r;
    if (rowCode > range.end) break;
    result.labels.push_back(RowLabel{r, FormatHex4(static_cast<std::uint32_t>(rowCode))});
  }
  for (int r = 0; r < kTableRows; ++r) {
    for (int c = 0; c < kTableColumns; ++c) {
      const int code = result.firstCode + kTableColumns * r + c;
      if (!IsUnicodeGaiji(code)) continue;
      if (readOk && !hasGlyph(code)) continue;
      TableCell cell{r, c, code, {}};
      if (code <= kLastShiftJisGaiji) cell.sjis = SjisHexOfUnicode(code);
      result.cells.push_back(std::move(cell));
    }
  }
  return result;
}

}  // namespace moji
