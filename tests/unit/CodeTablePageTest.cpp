#include "CodeTablePage.h"

#include <gtest/gtest.h>

#include <set>

#include "GaijiCode.h"

namespace moji {
namespace {

TEST(CodeTablePage, PrintTargetNeedsTheFlagFirstInAnyCaseAndKeepsTheRest) {
  const struct {
    const char16_t* line;
    const char16_t* target;
  } cases[] = {
      {u"/F:C:\\WINDOWS\\Fonts\\EUDC.TTE", u"C:\\WINDOWS\\Fonts\\EUDC.TTE"},
      {u"  /f:a.tte \t", u"a.tte"},
      {u"/f:\"C:\\my fonts\\a.tte\"", u"\"C:\\my fonts\\a.tte\""},
      {u"/F:D:\\外字\\a b.tte", u"D:\\外字\\a b.tte"},
      {u"/f:", u""},
      {u"  /f:  ", u""},
      {u"x /f:a.tte", u""},
      {u"/g:a.tte", u""},
      {u"", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(ParsePrintTarget(c.line), c.target) << testing::PrintToString(std::u16string(c.line));
}

TEST(CodeTablePage, RangeValidationAndPageCount) {
  const struct {
    const char16_t *start, *end;
    int pages;  // 0: refused
  } cases[] = {
      {u"E000", u"F8FF", 67}, {u"E000", u"E757", 20}, {u"E000", u"E005", 1}, {u"e000", u"e0bf", 2},
      {u"F8FF", u"F8FF", 1},  {u"E003", u"E062", 1},  {u"E003", u"E063", 2}, {u"E010", u"E00F", 0},
      {u"E00", u"E0FF", 0},   {u"DFFF", u"E000", 0},  {u"E000", u"F900", 0}, {u"E00G", u"E0FF", 0},
  };
  for (const auto& c : cases) {
    const auto range = ValidatePrintRange(c.start, c.end);
    EXPECT_EQ(range ? CodeTablePageCount(*range) : 0, c.pages) << testing::PrintToString(std::u16string(c.start));
  }
}

TEST(CodeTablePage, GeometryOfTheA4Page) {
  EXPECT_EQ(HorizontalGridLines().size(), 13u);
  EXPECT_EQ(HorizontalGridLines().back(), 293);
  EXPECT_EQ(VerticalGridLines(), (std::vector<int>{9, 25, 47, 69, 91, 113, 135, 157, 179, 201}));
  EXPECT_EQ(CellRect(11, 7), (PageRect{179, 271, 201, 293}));
  EXPECT_EQ(LabelRect(3), (PageRect{9, 95, 25, 117}));
  EXPECT_EQ(GlyphRect(0, 0), (PageRect{25, 31, 47, 53}));
  EXPECT_EQ(SjisRect(0, 0), (PageRect{25, 30, 47, 53}));
}

TEST(CodeTablePage, LabelsStopAtTheEndCodeWhileCellsFillThePage) {
  const auto even = [](int code) { return code % 2 == 0; };
  const struct {
    CodeRange range;
    int page;
    bool readOk;
    int firstCode, labels, lastLabel, cells, lastCell, lastSjisCell;
  } cases[] = {
      // full range, last page: 8 labelled rows F8C0..F8F8, nothing above F8FF
      {{0xE000, 0xF8FF}, 67, false, 0xF8C0, 8, 0xF8F8, 64, 0xF8FF, -1},
      // Shift-JIS range, last page: 7 labels, cells beyond E757 drawn without Shift-JIS text
      {{0xE000, 0xE757}, 20, false, 0xE720, 7, 0xE750, 96, 0xE77F, 0xE757},
      {{0xE000, 0xE005}, 1, true, 0xE000, 1, 0xE000, 48, 0xE05E, 0xE05E},
      {{0xF8FF, 0xF8FF}, 1, false, 0xF8FF, 1, 0xF8FF, 1, 0xF8FF, -1},
      {{0xE003, 0xF8FF}, 2, true, 0xE063, 12, 0xE0BB, 48, 0xE0C2, 0xE0C2},
  };
  for (const auto& c : cases) {
    const CodeTablePage page = LayoutCodeTablePage(c.range, c.page, c.readOk, even);
    SCOPED_TRACE(c.firstCode);
    EXPECT_EQ(page.firstCode, c.firstCode);
    ASSERT_EQ(static_cast<int>(page.labels.size()), c.labels);
    EXPECT_EQ(page.labels.back().text, FormatHex4(static_cast<std::uint32_t>(c.lastLabel)));
    ASSERT_EQ(static_cast<int>(page.cells.size()), c.cells);
    EXPECT_EQ(page.cells.back().code, c.lastCell);
    int lastSjis = -1;
    std::set<int> seen;
    for (const TableCell& cell : page.cells) {
      EXPECT_EQ(cell.code, c.firstCode + 8 * cell.row + cell.column);
      EXPECT_TRUE(seen.insert(cell.code).second);
      if (!cell.sjis.empty()) lastSjis = cell.code;
    }
    EXPECT_EQ(lastSjis, c.lastSjisCell);
  }
  const auto first = LayoutCodeTablePage({0xE000, 0xE757}, 1, true, even).cells.front();
  EXPECT_EQ(first.sjis, u"F040");
}

}  // namespace
}  // namespace moji
