// Figures, not a test (run with --gtest_also_run_disabled_tests): the grid's bitmap match
// search over a 6,400-glyph EUF that finds nothing, with the real Pause-key poll, next to
// the plain reading of the same 6,400 glyphs through the same grid; then what the search
// spends besides reading: the wait box, the pattern's normalisation and a Pause-key read.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "BrowserGaijiListCtrl.h"
#include "ClipboardGlyph.h"
#include "FormView.h"
#include "GaijiCode.h"
#include "MojiviewRes.h"
#include "TestPaths.h"
#include "WaitMessage.h"
#include "win32/Win32TestSupport.h"

namespace moji {
namespace {

class BenchGrid : public CBrowserGaijiListCtrl {
 protected:
  void OnDeleteKey() override {}
};

TEST(BitmapSearchBench, DISABLED_SearchThatFindsNothingAgainstPlainReading) {
  test::ScratchFolder scratch(L"search_bench");
  wchar_t savedTmp[1024] = {};
  const bool hadTmp = GetEnvironmentVariableW(L"TMP", savedTmp, 1024) > 0;
  SetEnvironmentVariableW(L"TMP", scratch.Path().c_str());  // the grid's temporary copy
  CWindow host;
  ASSERT_TRUE(host.CreateEx(0, nullptr, L"search bench", WS_OVERLAPPEDWINDOW, 0, 0, 680, 600, nullptr, nullptr));
  CFormView form{IDD_GLYPHVIEW_FORM};
  ASSERT_TRUE(form.CreateView(host.Handle()));
  BenchGrid grid;
  ASSERT_TRUE(grid.SubclassDlgItem(IDC_GAIJI_LIST, form.Handle()));
  grid.InitRows(nullptr);
  ASSERT_TRUE(grid.AttachEuf(test::Fixture("full64.euf"), 6400));
  HBITMAP pattern = CreateBitmap(64, 64, 1, 1, nullptr);  // all ink: no glyph of the file

  const auto milliseconds = [](auto start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  };
  double read = 1e300, search = 1e300, unpolled = 1e300, newBox = 1e300, waitBox = 1e300, normalise = 1e300,
         keyRead = 1e300;
  CWaitMessage box(IDS_WAIT_SEARCHING, host.Handle(), false);
  for (int run = 0; run < 7; ++run) {
    auto start = std::chrono::steady_clock::now();
    int width = 0, height = 0, found = 0;
    for (int code = kGaijiFirst; code <= kGaijiLast; ++code) found += !grid.ReadGlyph(code, width, height).empty();
    read = std::min(read, milliseconds(start));
    ASSERT_EQ(found, 6400);
    start = std::chrono::steady_clock::now();
    ASSERT_EQ(grid.FindBitmap(true, pattern), 0);
    search = std::min(search, milliseconds(start));
    grid.SetPauseProbe([] { return false; });
    start = std::chrono::steady_clock::now();
    ASSERT_EQ(grid.FindBitmap(true, pattern), 0);
    unpolled = std::min(unpolled, milliseconds(start));
    grid.SetPauseProbe(CBrowserGaijiListCtrl::PauseKeyProbe());
    start = std::chrono::steady_clock::now();
    { CWaitMessage wait(IDS_WAIT_SEARCHING, host.Handle()); }
    newBox = std::min(newBox, milliseconds(start));
    start = std::chrono::steady_clock::now();
    box.Show();
    box.Hide();
    waitBox = std::min(waitBox, milliseconds(start));
    start = std::chrono::steady_clock::now();
    ASSERT_EQ(NormalizeToPattern(pattern, 64, 64).bits.size(), 512u);
    normalise = std::min(normalise, milliseconds(start));
    start = std::chrono::steady_clock::now();
    for (int i = 0; i < 100; ++i) GetAsyncKeyState(VK_PAUSE);
    keyRead = std::min(keyRead, milliseconds(start) * 10);
  }
  std::printf("plain reading of 6,400 glyphs through the grid: %.2f ms\n", read);
  std::printf("search that finds nothing (wait box, Pause poll): %.2f ms\n", search);
  std::printf("the same search without the Pause poll:           %.2f ms\n", unpolled);
  std::printf("ratio: %.2f (goal: at most 3)\n", search / read);
  std::printf("of which: wait box shown and hidden: %.2f ms (made and closed: %.2f ms), pattern normalised: %.2f ms,\n"
              "one Pause-key read: %.1f us\n",
              waitBox, newBox, normalise, keyRead);
  DeleteObject(pattern);
  grid.ReleaseEuf();
  SetEnvironmentVariableW(L"TMP", hadTmp ? savedTmp : nullptr);
}

}  // namespace
}  // namespace moji
