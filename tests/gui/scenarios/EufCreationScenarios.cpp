// The browser creating a missing EUF from the TTE being opened: the question, the creation
// with and without the codes above U+E757, the file written and shown, the refusal, and the
// user's EUDC link values, which the temporary link must leave as they were.
#include <windows.h>

#include <gmock/gmock.h>

#include <algorithm>
#include <iostream>

#include "BrowserFileScenario.h"
#include "EudcRegistry.h"
#include "TTEMetrics.h"

namespace moji::gui {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

constexpr wchar_t kQuestionCaption[] = L"Glyphview";
constexpr wchar_t kOpenCaption[] = L"TTEﾌｧｲﾙを選択  [ 外字ﾌｫﾝﾄﾃﾞｰﾀの読込 ]";
constexpr wchar_t kGaijiFace[] = L"ＭＳ 明朝";  // the default GaijiShowFont

std::wstring Created(int count) { return L"EUFﾌｧｲﾙの作成が完了しました。（外字=" + std::to_wstring(count) + L"件）"; }

bool IsInk(const std::vector<std::uint8_t>& bits, int x, int y) {
  return x >= 0 && y >= 0 && x < 64 && y < 64 && !(bits[y * 8 + x / 8] & (0x80 >> (x % 8)));
}

bool InkNear(const std::vector<std::uint8_t>& bits, int x, int y) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (IsInk(bits, x + dx, y + dy)) return true;
  return false;
}

// Drawn glyphs against the bitmaps the sample font was made from. Wine's monochrome
// rasteriser places the edges of outlines made of many overlapping pieces up to a pixel off,
// so every ink pixel of either must have ink of the other at most one pixel away.
testing::AssertionResult DrawnLike(const std::map<int, std::vector<std::uint8_t>>& drawn,
                                   const std::map<int, std::vector<std::uint8_t>>& expected) {
  std::vector<int> drawnCodes, expectedCodes;
  for (const auto& glyph : drawn) drawnCodes.push_back(glyph.first);
  for (const auto& glyph : expected) expectedCodes.push_back(glyph.first);
  if (drawnCodes != expectedCodes)
    return testing::AssertionFailure() << "codes " << testing::PrintToString(drawnCodes) << " instead of "
                                       << testing::PrintToString(expectedCodes);
  for (const auto& [code, bits] : expected) {
    const std::vector<std::uint8_t>& got = drawn.at(code);
    if (got.size() != bits.size()) return testing::AssertionFailure() << std::hex << code << ": not 64 x 64";
    for (int y = 0; y < 64; ++y) {
      for (int x = 0; x < 64; ++x) {
        if (IsInk(bits, x, y) && !InkNear(got, x, y))
          return testing::AssertionFailure() << std::hex << code << std::dec << ": no ink near " << x << "," << y;
        if (IsInk(got, x, y) && !InkNear(bits, x, y))
          return testing::AssertionFailure() << std::hex << code << std::dec << ": stray ink at " << x << "," << y;
      }
    }
  }
  return testing::AssertionSuccess();
}

std::vector<std::wstring> FileNames(const std::filesystem::path& folder) {
  std::vector<std::wstring> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename().wstring());
  std::sort(names.begin(), names.end());
  return names;
}

class EufCreationScenario : public CEudcLinkScenario {
 protected:
  void SetUp() override {
    CEudcLinkScenario::SetUp();
    if (HasFatalFailure()) return;
    m_fonts = Folder().File(L"fonts");
    std::filesystem::create_directories(m_fonts);
    // Restoring the link for all typefaces writes the configured default EUDC font: the
    // value the key holds now.
    StoreSetting(L"Common", L"DefaultEudcFont", m_before[kLinkForAll]);
    StoreSetting(kBrowserSettings, L"TTEFilePath", m_fonts.wstring());
  }

  // The values after a creation: those before (the scenarios start without a link of the
  // gaiji display face, and the undo removes the one the creation made).
  RegistryValues ExpectedAfterCreation() const {
    RegistryValues expected = m_before;
    expected.erase(kGaijiFace);
    return expected;
  }

  // Answers the creation question: the path shown, the check box as wanted, then `button`.
  void AnswerQuestion(const std::filesystem::path& opened, bool unicode, int button, const wchar_t* screenshot = nullptr) {
    HWND dialog = WaitForDialog(BrowserId(), kQuestionCaption);
    ASSERT_TRUE(dialog) << "no creation question";
    EXPECT_EQ(ControlText(dialog, IDC_EUF_PATH), opened.wstring());
    EXPECT_EQ(ControlText(dialog, IDOK), L"はい(&Y)");
    EXPECT_EQ(ControlText(dialog, IDCANCEL), L"いいえ(&N)");
    HWND check = GetDlgItem(dialog, IDC_EUF_UNICODE);
    EXPECT_EQ(Ask(check, BM_GETCHECK), BST_UNCHECKED) << "the UNICODE check box starts checked";
    if (unicode) {
      Ask(check, BM_CLICK);
      EXPECT_EQ(Ask(check, BM_GETCHECK), BST_CHECKED);
    }
    if (screenshot) Screenshot(screenshot, dialog);
    ASSERT_TRUE(PressButton(dialog, button));
  }

  // Chooses a file of the selection dialog (Ctrl+O) by its list entry.
  void OpenThroughDialog(HWND main, const wchar_t* entry) {
    ASSERT_TRUE(SendKey(main, 'O', kCtrl));
    HWND dialog = WaitForDialog(BrowserId(), kOpenCaption);
    ASSERT_TRUE(dialog);
    HWND list = GetDlgItem(dialog, IDC_TTE_LIST);
    const LRESULT count = Ask(list, LB_GETCOUNT);
    LRESULT index = LB_ERR;
    for (LRESULT i = 0; i < count && count != LB_ERR && index == LB_ERR; ++i) {
      wchar_t text[MAX_PATH] = {};
      DWORD_PTR length = 0;
      SendMessageTimeoutW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 3000,
                          &length);
      if (std::wstring(text) == entry) index = i;
    }
    ASSERT_NE(index, LB_ERR) << "no entry " << testing::PrintToString(std::wstring(entry));
    ASSERT_NE(Ask(list, LB_SETCURSEL, static_cast<WPARAM>(index)), LB_ERR);
    ASSERT_TRUE(PressButton(dialog, IDOK));
  }

  std::filesystem::path m_fonts;
};

TEST_F(EufCreationScenario, YesCreatesTheEufOfTheTtesGlyphsAndShowsThem) {
  const std::filesystem::path tte = PlaceFixture("small.tte", m_fonts / L"fresh.tte");
  const std::filesystem::path euf = m_fonts / L"fresh.euf";
  HWND main = StartBrowserWith(tte);
  ASSERT_TRUE(main);
  ASSERT_NO_FATAL_FAILURE(AnswerQuestion(tte, false, IDOK, L"question"));
  EXPECT_EQ(AnswerMessage(), Created(5));

  EXPECT_EQ(WaitForTitle(main, Title(tte)), Title(tte));
  EXPECT_EQ(WaitForStatusLine(main, Status(L"E000", L"F040", 5)), Status(L"E000", L"F040", 5));
  for (const auto& [code, bits] : SmallFontGlyphs())
    EXPECT_TRUE(WaitForShownGlyph(Grid(main), code, bits)) << std::hex << code;
  Screenshot(L"", main);

  // The EUF holds exactly the five glyphs, drawn as the fixture's rectangles.
  EXPECT_EQ(ReadEufGlyphs(euf), SmallFontGlyphs());
  CEufFile file;
  ASSERT_EQ(file.Open(euf, CBinaryFile::Access::Read), 0);
  EXPECT_EQ(file.GlyphSize(), std::make_pair(64, 64));
  file.Close();
  EXPECT_EQ(FileNames(m_fonts), (std::vector<std::wstring>{L"fresh.euf", L"fresh.tte"})) << "a temporary file stays";

  EXPECT_EQ(ExitBrowser(main), std::optional<DWORD>(0));
  EXPECT_THAT(TempCopies(), IsEmpty());
  EXPECT_EQ(ReadEudcValues(), ExpectedAfterCreation());
  EXPECT_EQ(Setting(kRecentSection, L"File1"), tte.wstring());
  const std::wstring log = Log();
  EXPECT_THAT(log, HasSubstr(L"EUF作成開始(size=64,EUF=" + euf.wstring() + L")\n"));
  EXPECT_THAT(log, HasSubstr(L"EUF作成終了（件数=5:Err=0）\n"));
  EXPECT_THAT(log, HasSubstr(L"SwitchEudc(TTE=" + tte.wstring() + L":Target=" + kGaijiFace + L":CP=932:result=0)\n"));
  EXPECT_THAT(log, HasSubstr(L"SwitchEudc(TTE=解除:Target=" + std::wstring(kGaijiFace) + L":CP=932:result=0)\n"));
}

TEST_F(EufCreationScenario, TheUnicodeCheckBoxAddsTheCodesAboveE757WithoutThePredefinedQuestion) {
  // The question about the predefined codes belongs to systems reporting version x.0.
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  ASSERT_TRUE(GetVersionExW(&version));
  ASSERT_NE(version.dwMinorVersion, 0u) << "this system would be asked message 5023";

  // The sample font without its EUF, twice: with and without the check box.
  const std::filesystem::path unicode = PlaceSample(L".tte", m_fonts / L"unicode.tte");
  const std::filesystem::path sjis = PlaceSample(L".tte", m_fonts / L"sjis.tte");
  CTTEMetrics metrics;
  ASSERT_EQ(metrics.Read(unicode), 0);
  int sjisCount = 0;
  for (int code = 0xE000; code <= 0xE757; ++code) sjisCount += metrics.HasGlyph(code) ? 1 : 0;
  ASSERT_GT(metrics.definedCount, sjisCount) << "the sample font has no code above U+E757";
  const auto shipped = ReadEufGlyphs(ProgramFolder() / L"Sample" / L"SampleGaiji.euf");
  ASSERT_EQ(shipped.size(), static_cast<size_t>(metrics.definedCount));

  HWND main = StartBrowserWith(unicode);
  ASSERT_TRUE(main);
  ASSERT_NO_FATAL_FAILURE(AnswerQuestion(unicode, true, IDOK));
  EXPECT_EQ(AnswerMessage(), Created(metrics.definedCount));
  EXPECT_EQ(WaitForTitle(main, Title(unicode)), Title(unicode));
  EXPECT_TRUE(DrawnLike(ReadEufGlyphs(m_fonts / L"unicode.euf"), shipped));
  Screenshot(L"unicode");

  ASSERT_NO_FATAL_FAILURE(OpenThroughDialog(main, L"sjis.tte"));
  ASSERT_NO_FATAL_FAILURE(AnswerQuestion(sjis, false, IDOK));
  EXPECT_EQ(AnswerMessage(), Created(sjisCount));
  EXPECT_EQ(WaitForTitle(main, Title(sjis)), Title(sjis));
  auto expected = shipped;
  std::erase_if(expected, [](const auto& glyph) { return glyph.first > 0xE757; });
  EXPECT_TRUE(DrawnLike(ReadEufGlyphs(m_fonts / L"sjis.euf"), expected));

  EXPECT_EQ(ExitBrowser(main), std::optional<DWORD>(0));
  EXPECT_THAT(TempCopies(), IsEmpty());
  EXPECT_EQ(ReadEudcValues(), ExpectedAfterCreation());
  EXPECT_EQ(FileNames(m_fonts), (std::vector<std::wstring>{L"sjis.euf", L"sjis.tte", L"unicode.euf", L"unicode.tte"}));
}

TEST_F(EufCreationScenario, NoLeavesTheShownFileAndWritesNothing) {
  const std::filesystem::path good = PlaceSmallPair(m_fonts / L"good");
  PlaceFixture("small.tte", m_fonts / L"noeuf.tte");
  HWND main = StartBrowserWith(good);
  ASSERT_TRUE(main);
  ASSERT_EQ(WaitForTitle(main, Title(good)), Title(good));
  ASSERT_TRUE(WaitForShownGlyph(Grid(main), 0xE000, test::SquareGlyph()));

  ASSERT_NO_FATAL_FAILURE(OpenThroughDialog(main, L"noeuf.tte"));
  ASSERT_NO_FATAL_FAILURE(AnswerQuestion(m_fonts / L"noeuf.tte", false, IDCANCEL));
  EXPECT_EQ(WaitForBrowserMessage(500), nullptr) << MessageBoxText(FindBrowserMessage());
  EXPECT_EQ(WindowText(main), Title(good));
  EXPECT_EQ(ShownGlyph(Grid(main), 0xE000), test::SquareGlyph());
  EXPECT_FALSE(std::filesystem::exists(m_fonts / L"noeuf.euf"));
  EXPECT_EQ(ReadEudcValues(), m_before) << "the link was touched without a creation";

  EXPECT_EQ(ExitBrowser(main), std::optional<DWORD>(0));
  EXPECT_EQ(Setting(kRecentSection, L"File1"), good.wstring());
  EXPECT_EQ(Setting(kRecentSection, L"File2"), L"");
  EXPECT_THAT(Log(), Not(HasSubstr(L"EUF作成開始")));
}

TEST_F(EufCreationScenario, AReloadDuringTheOpenRunsOnceAfterItAndTheNewEufHoldsTheGlyphs) {
  // The sample font is shown; from the recent files comes a TTE the reader cannot read
  // (status 31) that has no EUF. The glyph editor's notification arrives during each message
  // and dialog of that open; the open must finish as if it had not, then reload once.
  const std::filesystem::path shown = PlaceSample(L".tte", m_fonts / L"SampleGaiji.tte");
  PlaceSample(L".euf", m_fonts / L"SampleGaiji.euf");
  const std::filesystem::path tte = PlaceFixture("err_31_segments.tte", m_fonts / L"unread.tte");
  const std::filesystem::path euf = m_fonts / L"unread.euf";
  const std::wstring warning = L"'" + tte.wstring() + L"'\r\nこの外字のTTEﾌｧｲﾙは正しく読み込めない可能性があります。（ErrNo=31）";
  HWND main = ShowThenOpenRecent(shown, tte);
  ASSERT_TRUE(main);
  HWND box = WaitForBrowserMessage();
  ASSERT_TRUE(box);
  EXPECT_EQ(MessageBoxText(box), warning);
  ASSERT_NO_FATAL_FAILURE(ReloadDuring(main, box, IDOK));  // message box 6005
  ASSERT_NO_FATAL_FAILURE(ReloadDuring(main, WaitForDialog(BrowserId(), kQuestionCaption), IDOK));  // dialog 139
  box = WaitForBrowserMessage();
  ASSERT_TRUE(box) << "no question about the unreadable TTE";
  EXPECT_EQ(MessageBoxText(box), L"'" + tte.wstring() +
                                     L"'\r\nこの外字のTTEﾌｧｲﾙは正しく読み込めないため、外字有無の判定が正しく行えない可能性があります。\r\n処理を続行しますか？");
  ASSERT_NO_FATAL_FAILURE(ReloadDuring(main, box, IDYES));  // message box 6006
  box = WaitForBrowserMessage();
  ASSERT_TRUE(box);
  EXPECT_EQ(MessageBoxText(box), Created(5));
  ASSERT_NO_FATAL_FAILURE(ReloadDuring(main, box, IDOK));  // message box 6001

  // The new EUF is shown, and the four notifications give one reload of it afterwards.
  EXPECT_EQ(AnswerMessage(), warning);
  EXPECT_EQ(WaitForBrowserMessage(1000), nullptr) << MessageBoxText(FindBrowserMessage());
  EXPECT_EQ(WaitForTitle(main, Title(tte)), Title(tte));
  EXPECT_EQ(ReadEufGlyphs(euf), SmallFontGlyphs());
  for (const auto& [code, bits] : SmallFontGlyphs())
    EXPECT_TRUE(WaitForShownGlyph(Grid(main), code, bits)) << std::hex << code;
  Screenshot(L"reloaded", main);
  EXPECT_EQ(ExitBrowser(main), std::optional<DWORD>(0));
  const std::wstring log = Log();
  EXPECT_EQ(Occurrences(log, kNotified), 4u);
  EXPECT_EQ(Occurrences(log, kReloaded), 1u);
  EXPECT_THAT(log, HasSubstr(L"EUF作成終了（件数=5:Err=0）\n"));
  EXPECT_THAT(log, HasSubstr(L"処理を続行しますか？\n"));  // the creation's messages are logged
  EXPECT_THAT(log, HasSubstr(Created(5) + L"\n"));
  EXPECT_EQ(ReadEudcValues(), ExpectedAfterCreation());
}

}  // namespace
}  // namespace moji::gui
