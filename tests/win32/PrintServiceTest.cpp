// The page loop of a print job when the spooler or the driver refuses a step, or the user
// cancels: the job ends with the failing printer named, the view's end always comes, and no
// page is drawn after the failure.
#include "PrintService.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace moji {
namespace {

// Records the callbacks; its job is three pages on a memory DC.
class CRecordingView final : public CPrintView {
 public:
  explicit CRecordingView(CPrintService& service) : m_service(service) {}
  bool OnPreparePrinting(CPrintInfo& info) override {
    info.maxPage = 3;
    info.toPage = 3;
    info.dc = ::CreateCompatibleDC(nullptr);
    return true;
  }
  void OnBeginPrinting(HDC, CPrintInfo&) override { ++begun; }
  void OnPrint(HDC, CPrintInfo& info) override {
    printed.push_back(info.currentPage);
    if (info.currentPage == cancelOnPage) m_service.CancelJob();
  }
  void OnEndPrinting(HDC, CPrintInfo&) override { ++ended; }

  int begun = 0, ended = 0, cancelOnPage = 0;
  std::vector<int> printed;

 private:
  CPrintService& m_service;
};

// The spooler's four calls answer as scripted: the step named `failing` fails with
// ERROR_NOT_READY on page `failingPage`, every other step succeeds.
class CScriptedPrintService final : public CPrintService {
 public:
  enum Step { kNone, kStartDoc, kStartPage, kEndPage, kEndDoc };
  Step failing = kNone;
  int failingPage = 0;
  int page = 0;
  std::vector<Step> calls;

 protected:
  int StartDocument(HDC, const DOCINFOW&) override { return Answer(kStartDoc); }
  int StartDevicePage(HDC) override {
    ++page;
    return Answer(kStartPage);
  }
  int EndDevicePage(HDC) override { return Answer(kEndPage); }
  int EndDocument(HDC) override { return Answer(kEndDoc); }

 private:
  int Answer(Step step) {
    calls.push_back(step);
    if (step != failing || (failingPage != 0 && page != failingPage)) return 1;
    ::SetLastError(ERROR_NOT_READY);
    return -1;
  }
};

TEST(PrintService, RefusedStepsEndTheJobAsFailedAndACancelAsCancelled) {
  using S = CScriptedPrintService;
  const struct {
    const char* what;
    S::Step failing;
    int failingPage, cancelOnPage;
    PrintResult::Status status;
    std::vector<int> printed;
  } cases[] = {
      {"all pages", S::kNone, 0, 0, PrintResult::kPrinted, {1, 2, 3}},
      {"StartDoc refused (offline printer, stopped spooler)", S::kStartDoc, 0, 0, PrintResult::kFailed, {}},
      {"StartPage refused on page 2", S::kStartPage, 2, 0, PrintResult::kFailed, {1}},
      {"EndPage refused on page 1", S::kEndPage, 1, 0, PrintResult::kFailed, {1}},
      {"EndDoc refused (output file locked)", S::kEndDoc, 0, 0, PrintResult::kFailed, {1, 2, 3}},
      {"cancelled while page 2 prints", S::kNone, 0, 2, PrintResult::kCancelled, {1, 2}},
  };
  for (const auto& c : cases) {
    S service;
    service.failing = c.failing;
    service.failingPage = c.failingPage;
    CRecordingView view(service);
    view.cancelOnPage = c.cancelOnPage;
    const PrintResult result = service.Print(view, L"外字一覧表");
    EXPECT_EQ(result.status, c.status) << c.what;
    EXPECT_EQ(view.printed, c.printed) << c.what;
    EXPECT_EQ(view.begun, 1) << c.what;
    EXPECT_EQ(view.ended, 1) << c.what << ": the job's end (and its link's undo) was skipped";
    EXPECT_EQ(result.error, c.status == PrintResult::kFailed ? DWORD{ERROR_NOT_READY} : 0u) << c.what;
    EXPECT_EQ(std::count(service.calls.begin(), service.calls.end(), S::kEndDoc),
              c.status == PrintResult::kPrinted || c.failing == S::kEndDoc ? 1 : 0)
        << c.what << ": EndDoc after a failed or cancelled job";
  }
}

}  // namespace
}  // namespace moji
