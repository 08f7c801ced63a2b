// Benchmark of the browser's grid (prints figures, never fails on time; disabled, so the
// scenario run skips it). Run it by hand in the X display of a test run:
//
//   export WINEPREFIX=$PWD/build/wineprefix-<yours>
//   xvfb-run -a -s "-screen 0 1280x1024x24" cmake/wine-run.sh
//       build/<preset>/tests/gui/moji_gui_tests.exe
//       --gtest_also_run_disabled_tests --gtest_filter='*GridScrollBench*'
//   (one command line)
//
// The browser shows full.tte with full64.euf (all 6,400 codes have a 64 × 64 glyph). The
// driver scrolls the grid from the first to the last row a page at a time (LB_SETTOPINDEX by
// the number of whole rows in view) and has each page painted at once (RedrawWindow with
// RDW_UPDATENOW, which paints the grid before it returns); the time per page is a full
// repaint of the rows in view, every glyph read from the temporary EUF copy. Beside it, the
// time the test process needs to read the same glyphs of the same pages from the same file
// with CEufFile::ReadGlyph alone (through the same 64 KiB read window of CBinaryFile, so
// neighbouring records mostly come from memory).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "BrowserFileScenario.h"

namespace moji::gui {
namespace {

constexpr int kRows = 800;
constexpr int kPasses = 3;

double Milliseconds(LONGLONG ticks) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

LONGLONG Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

class GridScrollBench : public CBrowserFileScenario {};

TEST_F(GridScrollBench, DISABLED_GridScrollBench) {
  const std::filesystem::path tte = PlaceFixture("full.tte", Folder().File(L"full.tte"));
  const std::filesystem::path euf = PlaceFixture("full64.euf", Folder().File(L"full.euf"));
  HWND main = StartBrowserWith(tte);
  ASSERT_TRUE(main);
  ASSERT_EQ(WaitForTitle(main, Title(tte)), Title(tte));
  ASSERT_EQ(WaitForStatusLine(main, Status(L"E000", L"F040", 6400)), Status(L"E000", L"F040", 6400));
  HWND grid = Grid(main);
  RECT client{};
  ASSERT_TRUE(GetClientRect(grid, &client));
  const int pageRows = std::max<LONG>(1, client.bottom / 69);
  std::vector<int> tops;
  for (int top = 0; top < kRows; top += pageRows) tops.push_back(std::min(top, kRows - pageRows));

  // The painting is synchronous: right after the call a page's glyphs are on the screen.
  const auto glyphs = ReadEufGlyphs(euf);
  ASSERT_EQ(glyphs.size(), 6400u);
  for (int top : {0, 137, 402, kRows - pageRows}) {
    ASSERT_NE(Ask(grid, LB_SETTOPINDEX, static_cast<WPARAM>(top)), LB_ERR);
    RedrawWindow(grid, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const int code = 0xE000 + (top + pageRows - 1) * 8 + 7;
    ASSERT_EQ(ShownGlyph(grid, code), glyphs.at(code)) << "page " << top << " was not painted when the call returned";
  }

  std::vector<double> paint, read;
  for (int pass = 0; pass < kPasses; ++pass) {
    ASSERT_NE(Ask(grid, LB_SETTOPINDEX, 0), LB_ERR);
    RedrawWindow(grid, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const LONGLONG start = Now();
    for (int top : tops) {
      Ask(grid, LB_SETTOPINDEX, static_cast<WPARAM>(top));
      RedrawWindow(grid, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    paint.push_back(Milliseconds(Now() - start) / static_cast<double>(tops.size()));

    CEufFile file;
    ASSERT_EQ(file.Open(euf, CBinaryFile::Access::ReadDenyWrite), 0);
    EufGlyph glyph;
    size_t bytes = 0;
    const LONGLONG readStart = Now();
    for (int top : tops) {
      for (int code = 0xE000 + top * 8; code < 0xE000 + (top + pageRows) * 8; ++code) {
        if (file.ReadGlyph(code, glyph)) bytes += glyph.bits.size();
      }
    }
    read.push_back(Milliseconds(Now() - readStart) / static_cast<double>(tops.size()));
    EXPECT_EQ(bytes, tops.size() * pageRows * 8 * 512u);
  }
  Screenshot(L"", main);
  std::printf("grid scroll: %d rows in view, %zu pages per pass, %d passes\n", pageRows, tops.size(), kPasses);
  std::printf("  full repaint of the rows in view (browser):  %.3f ms per page (median), %.4f ms per glyph\n",
              Median(paint), Median(paint) / (pageRows * 8));
  std::printf("  reading the same glyphs (CEufFile alone):    %.3f ms per page (median), %.4f ms per glyph\n",
              Median(read), Median(read) / (pageRows * 8));
  RecordProperty("repaint_ms_per_page", std::to_string(Median(paint)));
  RecordProperty("read_ms_per_page", std::to_string(Median(read)));
  EXPECT_EQ(ExitBrowser(main), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace moji::gui
