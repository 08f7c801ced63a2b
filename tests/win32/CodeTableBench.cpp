// Benchmark, not a test (disabled, so ctest never runs it): the time to lay out and draw all
// 67 pages of the full gaiji range (6,400 codes of the fixture font) into the printer's
// device context, next to a bare loop that draws only the same glyphs in the same font,
// size and places into the same context. Both run a whole print job on the test printer
// (a PostScript printer on FILE: set up by tools/wine-setup.sh). The same pair is then
// measured in an A4 bitmap at 150 dpi, where no printer driver stands between the drawing
// and the pixels. A third loop draws the same glyphs plus one character per page in each
// of the page's two text fonts: a printer driver that sends every font again on each page
// charges that much for any page with those fonts, however little text they carry. Run
// under Wine:
//
//   cd build/windows/tests && ../../../cmake/wine-run.sh ./moji_win32_tests.exe \
//     --gtest_also_run_disabled_tests --gtest_filter='CodeTableBench.*'
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "CodeTablePainter.h"
#include "TestPaths.h"
#include "Win32TestSupport.h"

namespace moji {
namespace {

constexpr int kPrinterRuns = 2;
constexpr int kBitmapRuns = 5;
constexpr CodeRange kFullRange{0xE000, 0xF8FF};

// One print job of `pages` pages, each drawn by `page`, into `output`.
void PrintJob(HDC printer, const std::filesystem::path& output, int pages, const std::function<void(int)>& page) {
  DOCINFOW doc{};
  doc.cbSize = sizeof doc;
  doc.lpszDocName = L"bench";
  doc.lpszOutput = output.c_str();
  ASSERT_GT(StartDocW(printer, &doc), 0);
  for (int p = 1; p <= pages; ++p) {
    ASSERT_GT(StartPage(printer), 0);
    const int saved = SaveDC(printer);
    page(p);
    RestoreDC(printer, saved);
    ASSERT_GT(EndPage(printer), 0);
  }
  ASSERT_GT(EndDoc(printer), 0);
}

TEST(CodeTableBench, DISABLED_AllPagesOfTheFullRangeAgainstABareGlyphLoop) {
  const std::filesystem::path tte = test::Fixture("full.tte");
  CTTEMetrics metrics;
  ASSERT_EQ(metrics.Read(tte), 0);
  CGaijiFace face;
  ASSERT_TRUE(face.Open(tte, L"ＭＳ 明朝"));
  HDC printer = CreateDCW(L"WINSPOOL", L"TestPS", nullptr, nullptr);
  ASSERT_TRUE(printer) << "no test printer (tools/wine-setup.sh)";
  const SIZE printable{GetDeviceCaps(printer, HORZRES), GetDeviceCaps(printer, VERTRES)};
  test::ScratchFolder folder(L"code_table_bench");

  CodeTableJob job;
  job.range = kFullRange;
  job.startText = L"E000";
  job.endText = L"F8FF";
  job.tteName = tte.wstring();
  job.dateText = L"2024/01/01-00:00:00";
  job.pageCount = CodeTablePageCount(kFullRange);
  job.labelFace = L"ＭＳ 明朝";
  job.tte = &metrics;
  job.glyphFace = &face;
  ASSERT_EQ(job.pageCount, 67);

  // Every page of the code table, or only its glyphs, into `dc` with `printer` for the sizes.
  // Like the table, the loops make their fonts once.
  const UniqueFont glyphFont(face.CreateFont(-17));
  const UniqueFont textFonts[] = {
      UniqueFont(CGaijiFace::CreateFaceFont(L"ＭＳ ゴシック", CCodeTablePainter::LogicalFontHeight(printer, 12))),
      UniqueFont(CGaijiFace::CreateFaceFont(L"ＭＳ 明朝", CCodeTablePainter::LogicalFontHeight(printer, 12)))};
  const auto table = [&](HDC dc, SIZE viewport, int page) {
    CCodeTablePainter::PaintPage(dc, printer, POINT{0, 0}, viewport, job, page);
  };
  const auto glyphs = [&](HDC dc, SIZE viewport, int page) {
    SetMapMode(dc, MM_ISOTROPIC);
    SetWindowExtEx(dc, kPageWidth, kPageHeight, nullptr);
    SetViewportExtEx(dc, viewport.cx, viewport.cy, nullptr);
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old = SelectObject(dc, glyphFont.get());
    const int first = kFullRange.start + kCodesPerPage * (page - 1);
    for (int i = 0; i < kCodesPerPage && first + i <= kFullRange.end; ++i) {
      const wchar_t text = static_cast<wchar_t>(first + i);
      const PageRect r = GlyphRect(i / kTableColumns, i % kTableColumns);
      RECT rect{r.left, r.top, r.right, r.bottom};
      DrawTextW(dc, &text, 1, &rect, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
    }
    SelectObject(dc, old);
  };
  const auto glyphsAndFonts = [&](HDC dc, SIZE viewport, int page) {
    glyphs(dc, viewport, page);
    for (const UniqueFont& font : textFonts) {
      HGDIOBJ old = SelectObject(dc, font.get());
      RECT rect{kHeaderBand.left, kHeaderBand.top, kHeaderBand.right, kHeaderBand.bottom};
      DrawTextW(dc, L"0", 1, &rect, DT_SINGLELINE | DT_NOPREFIX);
      SelectObject(dc, old);
    }
  };
  const auto onPrinter = [&](auto draw, const wchar_t* name) {
    return test::BestMilliseconds(
        [&] { PrintJob(printer, folder.Path() / name, job.pageCount, [&](int page) { draw(printer, printable, page); }); },
        kPrinterRuns);
  };
  const double printedTable = onPrinter(table, L"table.ps");
  const double printedGlyphs = onPrinter(glyphs, L"glyphs.ps");
  const double printedFonts = onPrinter(glyphsAndFonts, L"fonts.ps");

  // A4 at 150 dpi, white pages.
  const SIZE sheet{1240, 1754};
  BITMAPINFO info{};
  info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), sheet.cx, -sheet.cy, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC memory = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_TRUE(bitmap);
  HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
  // The pages are drawn over each other: clearing 6 MB per page would weigh more than the
  // drawing itself.
  PatBlt(memory, 0, 0, sheet.cx, sheet.cy, WHITENESS);
  const auto inBitmap = [&](auto draw) {
    return test::BestMilliseconds(
        [&] {
          for (int page = 1; page <= job.pageCount; ++page) {
            const int saved = SaveDC(memory);
            draw(memory, sheet, page);
            RestoreDC(memory, saved);
          }
          GdiFlush();
        },
        kBitmapRuns);
  };
  const double drawnTable = inBitmap(table);
  const double drawnGlyphs = inBitmap(glyphs);
  const double drawnFonts = inBitmap(glyphsAndFonts);
  SelectObject(memory, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(memory);
  DeleteDC(printer);

  std::printf("67 pages of E000-F8FF (6,400 glyphs)          printer DC    A4 bitmap, 150 dpi\n");
  std::printf("code table (grid, header, labels, S-JIS)      %8.1f ms   %8.1f ms\n", printedTable, drawnTable);
  std::printf("bare glyph loop, same DC                      %8.1f ms   %8.1f ms\n", printedGlyphs, drawnGlyphs);
  std::printf("bare glyph loop + 1 char in each text font    %8.1f ms   %8.1f ms\n", printedFonts, drawnFonts);
  std::printf("ratio table / bare loop                       %8.2f      %8.2f\n", printedTable / printedGlyphs,
              drawnTable / drawnGlyphs);
  std::printf("ratio table / bare loop with the text fonts   %8.2f      %8.2f\n", printedTable / printedFonts,
              drawnTable / drawnFonts);
}

}  // namespace
}  // namespace moji
