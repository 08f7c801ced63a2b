// The standard-character candidates of a gaiji: the index of the reference font built with
// its progress box and left in the cache, the dialog with ten candidates, the copy of one as
// text, the step to the next gaiji, and the mapping table of the whole font as a CSV file.
#include <windows.h>
#include <shlobj.h>

#include <gmock/gmock.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "BrowserFileScenario.h"
#include "CandidateIndex.h"

namespace moji::gui {
namespace {

using ::testing::HasSubstr;

constexpr wchar_t kCaption[] = L"標準文字の候補";
constexpr wchar_t kReferenceFace[] = L"IPA明朝";  // a smaller index than the default font's

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* p = static_cast<const wchar_t*>(GlobalLock(data))) text = p;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

class CandidateScenario : public CBrowserFileScenario {
 protected:
  static std::filesystem::path CacheFile() {
    wchar_t folder[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, folder);
    return std::filesystem::path(folder) / L"Mojiview" / CCandidateIndex::CacheFileName(u"IPA明朝");
  }
  // The candidates dialog (not the progress box of the same caption), once it is shown.
  HWND WaitForCandidates() {
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = FindDialog(BrowserId(), kCaption)) && GetDlgItem(dialog, IDC_CANDIDATE_LIST); },
              120000);
    return dialog && GetDlgItem(dialog, IDC_CANDIDATE_LIST) ? dialog : nullptr;
  }
};

TEST_F(CandidateScenario, DialogCopiesACandidateAndTheTableListsEveryGaiji) {
  std::error_code ec;
  std::filesystem::remove(CacheFile(), ec);
  StoreSetting(kBrowserSettings, L"CandidateFont", kReferenceFace);
  const std::filesystem::path tte = PlaceSmallPair(Folder().File(L"gaiji") / L"mine");
  HWND main = StartBrowserWith(tte);
  ASSERT_TRUE(main);
  ASSERT_EQ(WaitForTitle(main, Title(tte)), Title(tte));

  // No cache yet: the index is built behind its progress box, then the dialog shows E000.
  ASSERT_TRUE(PostCommand(main, ID_CANDIDATES));
  HWND progress = nullptr;
  EXPECT_TRUE(WaitUntil([&] {
    return (progress = FindDialog(BrowserId(), kCaption)) && GetDlgItem(progress, IDC_INDEX_PROGRESS);
  })) << "no progress box";
  if (progress) Screenshot(L"progress", progress);
  HWND dialog = WaitForCandidates();
  ASSERT_TRUE(dialog) << "no candidates dialog";
  EXPECT_GT(std::filesystem::file_size(CacheFile(), ec), 1000u) << "no index in the cache";
  EXPECT_EQ(ControlText(dialog, IDC_CANDIDATE_CODE), L"U+E000");
  EXPECT_EQ(ControlText(dialog, IDC_CANDIDATE_FONT), kReferenceFace);
  HWND list = GetDlgItem(dialog, IDC_CANDIDATE_LIST);
  EXPECT_EQ(Ask(list, LB_GETCOUNT), 10);
  Screenshot(L"dialog", dialog);

  // The second candidate as text: one ideograph (a sequence would add its selector).
  ASSERT_NE(Ask(list, LB_SETCURSEL, 1), LB_ERR);
  ASSERT_TRUE(PressButton(dialog, IDC_CANDIDATE_COPY));
  std::wstring copied;
  EXPECT_TRUE(WaitUntil([&] { return !(copied = ClipboardText()).empty(); }, 3000)) << "nothing on the clipboard";
  ASSERT_FALSE(copied.empty());
  EXPECT_TRUE(IsIdeograph(copied[0]) || (copied[0] >= 0xD840 && copied[0] <= 0xD8BF)) << std::hex << int(copied[0]);

  // ▶ goes to the next gaiji with a glyph, and the grid's selection follows.
  ASSERT_TRUE(PressButton(dialog, IDC_CANDIDATE_NEXT));
  EXPECT_TRUE(WaitUntil([&] { return ControlText(dialog, IDC_CANDIDATE_CODE) == L"U+E001"; }, 5000));
  EXPECT_EQ(WaitForStatusLine(main, Status(L"E001", L"F041", 5)), Status(L"E001", L"F041", 5));
  ASSERT_TRUE(PressButton(dialog, IDCANCEL));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 3000)) << "the dialog stays";

  // The table: the index comes from memory, one row per gaiji with a glyph.
  ASSERT_TRUE(PostCommand(main, ID_CANDIDATE_TABLE));
  const std::filesystem::path csv = tte.parent_path() / L"mine_候補.csv";
  ASSERT_NO_FATAL_FAILURE(SaveAs(L"mine_候補.csv", csv));
  EXPECT_EQ(AnswerMessage(), L"標準文字の対応表を出力しました。\r\n\r\n" + csv.wstring() + L"\r\n出力件数：5件");
  std::ifstream file(csv, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(file), {}};
  std::istringstream lines(text);
  std::vector<std::string> rows;
  for (std::string line; std::getline(lines, line);) rows.push_back(line);
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(rows[0], "\xEF\xBB\xBF外字,S-JIS,読み,候補1,類似度1,候補2,類似度2,候補3,類似度3,候補4,類似度4,候補5,類似度5\r");
  const char* firsts[] = {"U+E000,F040,,U+", "U+E001,F041,,U+", "U+E002,F042,,U+", "U+E004,F044,,U+", "U+E00F,F04F,,U+"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(rows[i + 1].rfind(firsts[i], 0), 0u) << rows[i + 1];
    EXPECT_EQ(std::count(rows[i + 1].begin(), rows[i + 1].end(), ','), 12) << rows[i + 1];
  }
  EXPECT_EQ(ExitBrowser(main), std::optional<DWORD>(0));
  EXPECT_THAT(Log(), HasSubstr(L"Command:標準文字の候補\n"));
  EXPECT_THAT(Log(), HasSubstr(L"Command:標準文字の対応表を出力\n"));
}

}  // namespace
}  // namespace moji::gui
