// Benchmark, not a test (disabled, so ctest never runs it): the time to create the EUF of the
// 6,400-glyph fixture font next to a bare GDI loop that only draws the same glyphs in the
// same font and size into a monochrome bitmap. Run under Wine from the build folder:
//
//   cd build/windows/tests && ../../../cmake/wine-run.sh ./moji_win32_tests.exe \
//     --gtest_also_run_disabled_tests --gtest_filter='EufCreateBench.*'
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

#include "EufCreatorFakes.h"
#include "GdiGlyphRenderer.h"
#include "TestPaths.h"
#include "Win32TestSupport.h"

namespace moji {
namespace {

constexpr int kSize = 64;
constexpr int kRuns = 7;

double BestMilliseconds(const std::function<void()>& work) { return test::BestMilliseconds(work, kRuns); }

// Draws every gaiji of the private font into one monochrome bitmap and reads its bits.
int BareGdiLoop(const wchar_t* family) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(kSize, kSize, 1, 1, nullptr);
  HFONT font = CreateFontW(-kSize, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, family);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  HGDIOBJ oldFont = SelectObject(dc, font);
  std::uint8_t bits[kSize * kSize / 8];
  int inked = 0;
  for (int code = kGaijiFirst; code <= kGaijiLast; ++code) {
    const wchar_t text = static_cast<wchar_t>(code);
    RECT cell{0, 0, kSize, kSize};
    PatBlt(dc, 0, 0, kSize, kSize, WHITENESS);
    DrawTextW(dc, &text, 1, &cell, DT_LEFT | DT_TOP);
    GdiFlush();
    GetBitmapBits(bitmap, sizeof bits, bits);
    inked += bits[8 * 5] != 0xFF;  // row 5 crosses the frame of every fixture glyph
  }
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(font);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return inked;
}

TEST(EufCreateBench, DISABLED_FullFontAgainstBareGdiLoop) {
  const std::filesystem::path tte = test::Fixture("full.tte");
  CTTEMetrics metrics;
  ASSERT_EQ(metrics.Read(tte), 0);
  ASSERT_EQ(metrics.definedCount, 6400);

  ASSERT_GT(AddFontResourceExW(tte.c_str(), FR_PRIVATE, nullptr), 0);
  int inked = 0;
  const double bare = BestMilliseconds([&] { inked = BareGdiLoop(L"MojiFull"); });
  RemoveFontResourceExW(tte.c_str(), FR_PRIVATE, nullptr);
  EXPECT_EQ(inked, 6400);

  test::ScratchFolder folder(L"eufmake_bench");
  EufCreateRequest request;
  request.ttePath = tte;
  request.eufPath = folder / L"full.euf";
  request.unicode = true;
  request.face = u"ＭＳ 明朝";
  request.defaultEudcFont = u"EUDC.TTE";
  request.templateFolder = test::Template("");
  int result = 0;
  int stored = 0;
  const double create = BestMilliseconds([&] {
    test::CFakePrompter prompter;
    test::CFakeLink link;
    test::CFakeLog log;
    CGdiGlyphRenderer renderer;
    result = CreateEufFromTte(metrics, request, {prompter, link, renderer, log});
    stored = prompter.shown.empty() ? -1 : std::get<int>(prompter.shown.back().args.at(0));
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(stored, 6400);

  std::printf("EUF creation of full.tte (6,400 glyphs, 64 x 64): %.1f ms\n", create);
  std::printf("bare GDI loop over the same glyphs:              %.1f ms\n", bare);
  std::printf("ratio: %.2f\n", create / bare);
}

}  // namespace
}  // namespace moji
