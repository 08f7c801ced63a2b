// Benchmark of the browser's start-up (prints figures, never fails on time; disabled, so the
// scenario run skips it). Run it by hand in the X display of a test run:
//
//   export WINEPREFIX=$PWD/build/wineprefix-<yours>
//   xvfb-run -a -s "-screen 0 1280x1024x24" cmake/wine-run.sh
//       build/<preset>/tests/gui/moji_gui_tests.exe
//       --gtest_also_run_disabled_tests --gtest_filter='*StartUpBench*'
//   (one command line)
//
// The time from CreateProcessW to the visible, tagged main window of Mojiview.exe started
// without a file, next to the same for the two start floors (StartFloor.cpp): a bare
// window program and one that also initialises OLE, as drag and drop needs. The programs
// take turns; each figure is the median of its starts after one start to warm the caches.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "BrowserNames.h"
#include "GuiScenario.h"

namespace moji::gui {
namespace {

constexpr int kStarts = 25;
constexpr wchar_t kFloorTag[] = L"_MOJI_START_FLOOR_TAG";

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

class StartUpBench : public CGuiScenario {
 protected:
  // Milliseconds from the start of `program` to its visible main window with `tag`; the
  // program is closed again. Negative when no window came.
  double TimeToMainWindow(const std::filesystem::path& program, const wchar_t* tag) {
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    CTargetProcess process;
    QueryPerformanceCounter(&start);
    if (!process.Start(program, {}, Folder().Path())) return -1;
    HWND found = nullptr;
    for (int polls = 0; !found && polls < 20000 && process.IsRunning(); ++polls) {
      for (HWND h : WindowsWithProperty(tag))
        if (ProcessOf(h) == process.Id() && IsWindowVisible(h)) found = h;
      if (!found) Sleep(1);
    }
    QueryPerformanceCounter(&now);
    if (!found) return -1;
    PostMessageW(found, WM_CLOSE, 0, 0);
    if (!process.WaitForExit(10000)) process.Terminate();
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
  }
};

TEST_F(StartUpBench, DISABLED_BrowserAgainstMinimalWindowPrograms) {
  const std::filesystem::path floors = FakeTargetProgram().parent_path();
  struct {
    std::filesystem::path program;
    const wchar_t* tag;
    std::vector<double> times;
  } programs[] = {
      {Folder().File(kBrowserProgram), kBrowserTag, {}},
      {floors / L"moji_start_floor.exe", kFloorTag, {}},
      {floors / L"moji_start_floor_ole.exe", kFloorTag, {}},
  };
  for (int run = 0; run <= kStarts; ++run) {
    for (auto& p : programs) {
      const double ms = TimeToMainWindow(p.program, p.tag);
      ASSERT_GE(ms, 0) << "no main window from " << p.program;
      if (run > 0) p.times.push_back(ms);
    }
  }
  const double browser = Median(programs[0].times), bare = Median(programs[1].times), ole = Median(programs[2].times);
  const auto fastest = [](const std::vector<double>& times) { return *std::min_element(times.begin(), times.end()); };
  std::printf("start to visible main window, of %d starts    median     fastest\n", kStarts);
  std::printf("Mojiview.exe without a file               %8.1f ms %8.1f ms\n", browser, fastest(programs[0].times));
  std::printf("minimal window program                    %8.1f ms %8.1f ms\n", bare, fastest(programs[1].times));
  std::printf("minimal window program with OleInitialize %8.1f ms %8.1f ms\n", ole, fastest(programs[2].times));
  std::printf("ratio to the minimal program              %8.2f (goal: at most 1.6)\n", browser / bare);
  std::printf("ratio to the minimal program with OLE     %8.2f (goal: at most 1.3)\n", browser / ole);
}

}  // namespace
}  // namespace moji::gui
