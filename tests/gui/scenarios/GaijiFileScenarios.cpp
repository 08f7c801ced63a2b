// The browser opening gaiji files: by command line and by the selection dialog, the title,
// status line, glyphs and header colour that follow, readings of the linked font, the grid's
// column keys, reload and the recent-file list, the messages of files that cannot be shown,
// the jump to a typed code, the log lines and the temporary copies.
#include <windows.h>

#include <gmock/gmock.h>

#include <fstream>
#include <iostream>
#include <random>

#include "BrowserFileScenario.h"
#include "CommandStateQuery.h"
#include "TTEMetrics.h"

namespace moji::gui {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr wchar_t kOpenCaption[] = L"TTEﾌｧｲﾙを選択  [ 外字ﾌｫﾝﾄﾃﾞｰﾀの読込 ]";
constexpr wchar_t kJumpCaption[] = L"指定文字ｺｰﾄﾞへｼﾞｬﾝﾌﾟ";
constexpr wchar_t kBadCode[] =
    L"指定のｺｰﾄﾞが１６進４桁でないか、外字の範囲にありません。\r\nｺｰﾄﾞは、ﾕﾆｺｰﾄﾞかS-JISｺｰﾄﾞの１６進４桁の外字ｺｰﾄﾞを入力して下さい。";

std::wstring Quoted(const std::filesystem::path& path) { return L"'" + path.wstring() + L"'\r\n"; }

// One 46-byte reading record: the code high byte first, then the reading in UTF-16LE.
void AppendReading(std::string& file, int code, const std::u16string& reading) {
  std::string record(46, '\0');
  record[0] = static_cast<char>(code >> 8);
  record[1] = static_cast<char>(code & 0xFF);
  for (size_t i = 0; i < reading.size(); ++i) {
    record[2 + 2 * i] = static_cast<char>(reading[i] & 0xFF);
    record[3 + 2 * i] = static_cast<char>(reading[i] >> 8);
  }
  file += record;
}

class GaijiFileScenario : public CBrowserFileScenario {
 protected:
  // Opens the jump dialog with F2.
  HWND OpenJumpDialog(HWND main) {
    EXPECT_TRUE(PostKey(main, VK_F2));
    HWND dialog = WaitForDialog(BrowserId(), kJumpCaption);
    EXPECT_TRUE(dialog) << "no jump dialog";
    return dialog;
  }

  // Chooses the code type, types `typed` into the emptied code field (as the user types it)
  // and presses OK.
  void TypeCodeAndConfirm(HWND dialog, const wchar_t* typed, int typeButton, const wchar_t* shown) {
    ASSERT_TRUE(SetControlText(dialog, IDC_JUMP_CODE, L""));
    Ask(GetDlgItem(dialog, typeButton), BM_CLICK);
    ASSERT_EQ(Ask(GetDlgItem(dialog, typeButton), BM_GETCHECK), BST_CHECKED);
    ASSERT_TRUE(PostMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_JUMP_CODE)), TRUE));
    ASSERT_TRUE(TypeText(dialog, typed));
    ASSERT_TRUE(WaitUntil([&] { return ControlText(dialog, IDC_JUMP_CODE) == shown; }, 3000))
        << "the field shows " << testing::PrintToString(ControlText(dialog, IDC_JUMP_CODE));
    ASSERT_TRUE(PressButton(dialog, IDOK));
  }

  bool DialogClosed(HWND dialog) {
    return WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 3000);
  }

  std::optional<CommandState> MenuState(HWND main, UINT id) {
    const auto states = QueryCommandStates(main);
    EXPECT_TRUE(states) << "the frame did not answer the query";
    if (states) {
      for (const CommandState& s : *states)
        if (s.kind == L'M' && s.id == id) return s;
    }
    return std::nullopt;
  }
};

TEST_F(GaijiFileScenario, CommandLineShowsThePairWithTitleStatusGlyphsAndColumnKeys) {
  const std::filesystem::path tte = PlaceSmallPair(Folder().File(L"pair"));
  const std::filesystem::path euf = Folder().File(L"pair.euf");
  HWND main = StartBrowserWith(tte);
  ASSERT_TRUE(main);
  EXPECT_EQ(WaitForTitle(main, Title(tte)), Title(tte));
  EXPECT_EQ(WaitForStatusLine(main, Status(L"E000", L"F040", 5)), Status(L"E000", L"F040", 5));
  EXPECT_EQ(FindBrowserMessage(), nullptr);

  HWND grid = Grid(main);
  for (const auto& [code, bits] : SmallFontGlyphs())
    EXPECT_TRUE(WaitForShownGlyph(grid, code, bits)) << std::hex << code << " is not shown as the EUF holds it";
  EXPECT_EQ(InkPixels(grid, 0xE003), 0) << "a code without glyph shows something";
  EXPECT_EQ(HeaderColour(grid, 0), kDefaultHeaderColour) << "not the linked font: pale yellow";

  // Left on column 1 goes to column 8 of the same row, Right on column 8 back to column 1;
  // Down moves the row and keeps the column.
  ASSERT_TRUE(PostKey(grid, VK_LEFT));
  EXPECT_EQ(WaitForStatusLine(main, Status(L"E007", L"F047", 5)), Status(L"E007", L"F047", 5));
  ASSERT_TRUE(PostKey(grid, VK_RIGHT));
  EXPECT_EQ(WaitForStatusLine(main, Status(L"E000", L"F040", 5)), Status(L"E000", L"F040", 5));
  ASSERT_TRUE(PostKey(grid, VK_DOWN));
  EXPECT_EQ(WaitForStatusLine(main, Status(L"E008", L"F048", 5)), Status(L"E008", L"F048", 5));
  Screenshot(L"", main);

  // The copy of a read-only EUF is read-only on Windows (CopyFileW copies the attributes,
  // Wine's does not): it must still go.
  const std::wstring copy = (Tmp() / L"_Gvw_0").wstring();
  EXPECT_TRUE(std::filesystem::exists(copy)) << "the temporary copy is not in TMP";
  EXPECT_TRUE(SetFileAttributesW(copy.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(ExitBrowser(main), std::optional<DWORD>(0));
  EXPECT_THAT(TempCopies(), IsEmpty());
  EXPECT_EQ(Setting(kRecentSection, L"File1"), tte.wstring());
  const std::wstring log = Log();
  EXPECT_THAT(log, HasSubstr(L"RegistEUF=" + euf.wstring() + L"\n"));
  EXPECT_THAT(log, HasSubstr(L"TEMP=" + copy + L"\n"));
  EXPECT_THAT(log, HasSubstr(L"Delete TMP=" + copy + L"\n"));
  EXPECT_LT(log.find(L"TEMP=" + copy), log.find(L"Delete TMP=" + copy));
}

TEST_F(GaijiFileScenario, CtrlOShowsTheFolderAndOpensTheChosenFile) {
  const std::filesystem::path fonts = Folder().File(L"fonts");
  PlaceSmallPair(fonts / L"alpha");
  const std::filesystem::path beta = PlaceFixture("small.tte", fonts / L"beta.tte");
  PlaceFixture("valid64.euf", fonts / L"beta.euf");
  PlaceFixture("small.tte", fonts / L".hidden.tte");
  StoreSetting(kBrowserSettings, L"TTEFilePath", fonts.wstring());
  HWND main = StartBrowser();
  ASSERT_TRUE(main);

  ASSERT_TRUE(SendKey(main, 'O', kCtrl));
  HWND dialog = WaitForDialog(BrowserId(), kOpenCaption);
  ASSERT_TRUE(dialog) << "no selection dialog";
  EXPECT_EQ(ControlText(dialog, IDC_TTE_FOLDER), fonts.wstring());
  HWND list = GetDlgItem(dialog, IDC_TTE_LIST);
  EXPECT_EQ(ListBoxEntries(list), (std::vector<std::wstring>{L"alpha.tte", L"beta.tte"}));
  ASSERT_NE(Ask(list, LB_SETCURSEL, 1), LB_ERR);
  Screenshot(L"open-dialog", dialog);
  ASSERT_TRUE(PressButton(dialog, IDOK));
  ASSERT_TRUE(DialogClosed(dialog));

  EXPECT_EQ(WaitForTitle(main, Title(beta)), Title(beta));
  EXPECT_EQ(WaitForStatusLine(main, Status(L"E000", L"F040", 5)), Status(L"E000", L"F040", 5));
  const auto glyphs = ReadEufGlyphs(test::Fixture("valid64.euf"));
  ASSERT_EQ(glyphs.count(0xE000), 1u);
  EXPECT_TRUE(WaitForShownGlyph(Grid(main), 0xE000, glyphs.at(0xE000)));
  EXPECT_EQ(InkPixels(Grid(main), 0xE004), 0) << "the grid shows the EUF's glyphs, not the TTE's";

  EXPECT_EQ(ExitBrowser(main), std::optional<DWORD>(0));
  EXPECT_THAT(Log(), HasSubstr(L"Command:ﾌｧｲﾙを開く（" + beta.wstring() + L"）\n"));
  EXPECT_EQ(Setting(kRecentSection, L"File1"), beta.wstring());
  EXPECT_THAT(TempCopies(), IsEmpty());
}

TEST_F(GaijiFileScenario, TheLinkedFontShowsItsReadingsAndAPaleRedHeader) {
  const std::filesystem::path tte = PlaceSmallPair(Folder().File(L"linked"));
  const std::filesystem::path euf = Folder().File(L"linked.euf");
  std::string readings;
  AppendReading(readings, 0xE001, u"あ");
  AppendReading(readings, 0xE001, u"い");
  AppendReading(readings, 0xE003, u"う");
  std::ofstream(Folder().File(L"linked.ymi"), std::ios::binary) << readings;
  StoreSetting(kBrowserSettings, L"YomiManage", L"true");
  StoreSetting(L"Common", L"DefaultEudcFont", tte.wstring());
  // The same TTE in other letter case is still the linked font.
  const std::filesystem::path otherCase = Folder().File(L"LINKED.TTE");
  StoreRecentFiles({otherCase.wstring()});

  // Through its EUF path the linked font is not the linked font: no readings, pale yellow.
  HWND main = StartBrowserWith(euf);
  ASSERT_TRUE(main);
  HWND grid = Grid(main);
  EXPECT_EQ(WaitForTitle(main, Title(euf)), Title(euf));
  ASSERT_TRUE(PostKey(grid, VK_RIGHT));
  EXPECT_EQ(WaitForStatusLine(main, Status(L"E001", L"F041", 5)), Status(L"E001", L"F041", 5));
  EXPECT_TRUE(WaitForHeaderColour(grid, 0, kDefaultHeaderColour)) << std::hex << HeaderColour(grid, 0);
  EXPECT_EQ(FindBrowserMessage(), nullptr) << "a question about readings for a font that is not linked";

  // The recent-file list now holds the EUF path first and the TTE second.
  ASSERT_TRUE(PostCommand(main, ID_FILE_MRU_FIRST + 1));
  EXPECT_EQ(WaitForTitle(main, Title(otherCase)), Title(otherCase));
  EXPECT_EQ(WaitForStatusLine(main, Status(L"E001", L"F041", 5, L"あ,い")), Status(L"E001", L"F041", 5, L"あ,い"));
  EXPECT_TRUE(WaitForHeaderColour(grid, 0, kLinkedHeaderColour)) << std::hex << HeaderColour(grid, 0);
  EXPECT_TRUE(WaitForShownGlyph(grid, 0xE001, test::EllGlyph()));
  Screenshot(L"", main);

  ASSERT_TRUE(PostKey(grid, VK_RIGHT));
  EXPECT_EQ(WaitForStatusLine(main, Status(L"E002", L"F042", 5)), Status(L"E002", L"F042", 5));
  EXPECT_EQ(ExitBrowser(main), std::optional<DWORD>(0));
  EXPECT_EQ(Setting(kRecentSection, L"File1"), otherCase.wstring());
  EXPECT_EQ(Setting(kRecentSection, L"File2"), euf.wstring());
}

TEST_F(GaijiFileScenario, SampleFontFillsTheGridAndReloadFollowsTheFiles) {
  const std::filesystem::path tte = PlaceSample(L".tte", Folder().File(L"SampleGaiji.tte"));
  const std::filesystem::path euf = PlaceSample(L".euf", Folder().File(L"SampleGaiji.euf"));
  CTTEMetrics metrics;
  ASSERT_EQ(metrics.Read(tte), 0);
  const auto glyphs = ReadEufGlyphs(euf);
  ASSERT_FALSE(glyphs.empty());

  HWND main = StartBrowserWith(tte);
  ASSERT_TRUE(main);
  HWND grid = Grid(main);
  EXPECT_EQ(WaitForTitle(main, Title(tte)), Title(tte));
  const std::wstring status = Status(L"E000", L"F040", metrics.definedCount);
  EXPECT_EQ(WaitForStatusLine(main, status), status);
  int compared = 0;
  for (int code = 0xE000; code < 0xE010; ++code) {
    if (glyphs.count(code)) {
      EXPECT_TRUE(WaitForShownGlyph(grid, code, glyphs.at(code))) << std::hex << code;
      ++compared;
    } else {
      EXPECT_EQ(InkPixels(grid, code), 0) << std::hex << code;
    }
  }
  EXPECT_GE(compared, 12);
  Screenshot(L"sample", main);

  // The glyph editor's notification reloads the shown file: now a 48 × 48 EUF, stretched.
  PlaceFixture("valid48.euf", euf);
  ASSERT_TRUE(PostMessageW(main, kReloadNotification, 0, 0));
  EXPECT_EQ(WaitForTitle(main, Title(tte, 48)), Title(tte, 48));
  EXPECT_TRUE(WaitUntil([&] { return InkPixels(grid, 0xE000, 48) > 0; }, 3000))
      << "the 48 × 48 glyph is not stretched to the 64 × 64 cell";
  EXPECT_TRUE(WaitForEmptyCell(grid, 0xE002)) << "a glyph of the previous EUF stays";
  EXPECT_EQ(WaitForStatusLine(main, status), status);
  Screenshot(L"48x48", main);

  // F5 after the shown file went: the message, the glyphs stay, the entry leaves the list.
  const int inkBefore = InkPixels(grid, 0xE000);
  ASSERT_TRUE(std::filesystem::remove(tte));
  ASSERT_TRUE(PostKey(main, VK_F5));
  EXPECT_EQ(AnswerMessage(), Quoted(tte) + L"このﾌｧｲﾙは存在しません。");
  EXPECT_EQ(WindowText(main), Title(tte, 48));
  Sleep(200);
  EXPECT_EQ(InkPixels(grid, 0xE000), inkBefore) << "the glyphs shown went with the file";
  const auto recent = MenuState(main, ID_FILE_MRU_FIRST);
  ASSERT_TRUE(recent);
  EXPECT_FALSE(recent->enabled) << "the deleted file is still in the list: " << testing::PrintToString(recent->text);
  EXPECT_EQ(ExitBrowser(main), std::optional<DWORD>(0));
  EXPECT_EQ(Setting(kRecentSection, L"File1"), L"");
  EXPECT_THAT(TempCopies(), IsEmpty());
  const std::wstring log = Log();
  EXPECT_THAT(log, HasSubstr(L"Glyphdraw → 更新通知\n"));
  EXPECT_THAT(log, HasSubstr(L"Command:データ再読込\n"));
}

TEST_F(GaijiFileScenario, MissingRecentFileIsReportedAndLeavesTheList) {
  const std::filesystem::path gone = Folder().File(L"gone.tte");
  const std::filesystem::path next = PlaceSmallPair(Folder().File(L"next"));
  StoreRecentFiles({gone.wstring(), next.wstring()});
  HWND main = StartBrowser();
  ASSERT_TRUE(main);
  ASSERT_TRUE(PostCommand(main, ID_FILE_MRU_FIRST));
  EXPECT_EQ(AnswerMessage(), Quoted(gone) + L"このﾌｧｲﾙは存在しません。");
  EXPECT_EQ(WindowText(main), kEmptyBrowserTitle);
  const auto first = MenuState(main, ID_FILE_MRU_FIRST);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->text, L"&1 " + next.wstring());
  EXPECT_EQ(ExitBrowser(main), std::optional<DWORD>(0));
  EXPECT_EQ(Setting(kRecentSection, L"File1"), next.wstring());
  EXPECT_EQ(Setting(kRecentSection, L"File2"), L"");
}

TEST_F(GaijiFileScenario, UnusableEufsAreReportedAndLeaveTheGridAsTheirFailureRequires) {
  const std::filesystem::path good = PlaceSmallPair(Folder().File(L"good"));
  struct Case {
    const wchar_t* name;
    const char* euf;  // nullptr: a folder named like the EUF, or (locked) a locked file
    bool locked;
    std::wstring message;  // after the quoted path
    bool keepsGlyphs;      // the copy failed: the previous attachment stays
  };
  const std::vector<Case> cases = {
      {L"sig", "err2017_signature.euf", false, L"ﾌｧｲﾙをEUFﾌｧｲﾙとして処理できません。", false},
      {L"plen", "err2018_plen.euf", false, L"ﾌｧｲﾙのﾋﾞｯﾄﾏｯﾌﾟ管理ﾃｰﾌﾞﾙが読み込めません。", false},
      {L"table", "err2019_lastbelowfirst.euf", false, L"ﾌｧｲﾙの内部異常のため読み込めません。", false},
      {L"folder", nullptr, false, L"上記のEUFﾌｧｲﾙをﾃﾝﾎﾟﾗﾘへｺﾋﾟｰできません。", true},
      {L"locked", "valid64.euf", true, L"上記のEUFﾌｧｲﾙをﾃﾝﾎﾟﾗﾘへｺﾋﾟｰできません。", true},
  };
  std::vector<std::wstring> recent;
  for (const Case& c : cases) {
    const std::filesystem::path base = Folder().File(c.name);
    recent.push_back(PlaceFixture("small.tte", std::filesystem::path(base) += L".tte").wstring());
    if (c.euf) {
      PlaceFixture(c.euf, std::filesystem::path(base) += L".euf");
    } else {
      std::filesystem::create_directories(std::filesystem::path(base) += L".euf");
    }
  }
  StoreRecentFiles(recent);

  HWND main = StartBrowserWith(good);
  ASSERT_TRUE(main);
  HWND grid = Grid(main);
  // A failed open adds nothing to the list: the good file stays first, the others keep their places.
  for (size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(testing::Message() << "case " << testing::PrintToString(std::wstring(c.name)));
    if (i > 0) {
      ASSERT_TRUE(PostCommand(main, ID_FILE_MRU_FIRST));
    }
    ASSERT_EQ(WaitForTitle(main, Title(good)), Title(good));
    ASSERT_TRUE(WaitForShownGlyph(grid, 0xE000, test::SquareGlyph()));

    const std::filesystem::path euf = std::filesystem::path(Folder().File(c.name)) += L".euf";
    HANDLE lock = INVALID_HANDLE_VALUE;
    if (c.locked) {
      lock = CreateFileW(euf.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
      ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    }
    ASSERT_TRUE(PostCommand(main, static_cast<WORD>(ID_FILE_MRU_FIRST + 1 + i)));
    // The message names the EUF opened; the log names the temporary copy that was read (the
    // shown file holds _Gvw_0).
    EXPECT_EQ(AnswerMessage(), Quoted(euf) + c.message);
    if (!c.keepsGlyphs) {
      EXPECT_THAT(Log(), HasSubstr(Quoted(Tmp() / L"_Gvw_1") + c.message + L"\n"));
    }
    if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);

    EXPECT_EQ(WindowText(main), Title(good)) << "the title changed";
    if (c.keepsGlyphs) {
      Sleep(200);
      EXPECT_EQ(ShownGlyph(grid, 0xE000), test::SquareGlyph()) << "the glyphs shown before went";
    } else {
      EXPECT_TRUE(WaitForEmptyCell(grid, 0xE000)) << "the grid still shows glyphs";
    }
    EXPECT_EQ(WaitForStatusLine(main, Status(L"E000", L"F040", 5)), Status(L"E000", L"F040", 5));
    EXPECT_EQ(TempCopies().size(), c.keepsGlyphs ? 1u : 0u);
  }
  EXPECT_EQ(ExitBrowser(main), std::optional<DWORD>(0));
  EXPECT_THAT(TempCopies(), IsEmpty());
  EXPECT_EQ(Setting(kRecentSection, L"File1"), good.wstring());
  EXPECT_EQ(Setting(kRecentSection, L"File2"), recent[0]);
}

TEST_F(GaijiFileScenario, CopiesOfKilledBrowsersGoWhileThoseOfRunningBrowsersStay) {
  const std::filesystem::path tte = PlaceSmallPair(Folder().File(L"pair"));
  HWND main = StartBrowserWith(tte);
  ASSERT_TRUE(main);
  ASSERT_EQ(WaitForTitle(main, Title(tte)), Title(tte));
  ASSERT_EQ(TempCopies().size(), 1u);

  // Browsers killed at random moments of their start, copy and display; each next start
  // removes what the one before left, never the running browser's copy.
  std::mt19937 random(8);
  int leftBehind = 0;
  const int kills = 12;
  for (int kill = 0; kill < kills; ++kill) {
    CTargetProcess& victim = Start(kBrowserProgram, L"\"" + tte.wstring() + L"\"");
    Sleep(std::uniform_int_distribution<DWORD>(0, 1500)(random));
    ASSERT_TRUE(victim.Terminate());
    ASSERT_TRUE(victim.WaitForExit(kDefaultTimeoutMs));
    leftBehind += TempCopies().size() > 1 ? 1 : 0;
  }
  std::cout << "kills that left a temporary copy: " << leftBehind << " of " << kills << "\n";
  EXPECT_GT(leftBehind, 0) << "no kill came after the copy";

  CTargetProcess& next = Start(kBrowserProgram, L"\"" + tte.wstring() + L"\"");
  HWND nextMain = next.WaitForMainWindow(kDefaultTimeoutMs, kBrowserTag);
  ASSERT_TRUE(nextMain);
  ASSERT_EQ(WaitForTitle(nextMain, Title(tte)), Title(tte));
  EXPECT_EQ(TempCopies().size(), 2u) << "the copies: the running browser's and the new one's";
  EXPECT_TRUE(std::filesystem::exists(Tmp() / L"_Gvw_0")) << "the running browser lost its copy";
  EXPECT_TRUE(PostCommand(nextMain, ID_APP_EXIT));
  EXPECT_TRUE(next.WaitForExit(kDefaultTimeoutMs));
  EXPECT_EQ(ExitBrowser(main), std::optional<DWORD>(0));
  EXPECT_THAT(TempCopies(), IsEmpty());
}

TEST_F(GaijiFileScenario, AReloadDuringAnAttachFailureRunsAfterTheOpenAndKeepsWhatItAttached) {
  // While the message about an unusable EUF is up, the file is mended and the glyph editor's
  // notification arrives: the failed open ends first, then the reload shows the mended file.
  const std::filesystem::path good = PlaceSmallPair(Folder().File(L"good"));
  const std::filesystem::path bad = PlaceFixture("small.tte", Folder().File(L"bad.tte"));
  const std::filesystem::path badEuf = PlaceFixture("err2017_signature.euf", Folder().File(L"bad.euf"));
  HWND main = ShowThenOpenRecent(good, bad);
  ASSERT_TRUE(main);
  HWND box = WaitForBrowserMessage();
  ASSERT_TRUE(box);
  EXPECT_EQ(MessageBoxText(box), Quoted(badEuf) + L"ﾌｧｲﾙをEUFﾌｧｲﾙとして処理できません。");
  ASSERT_TRUE(CopyFileW(Folder().File(L"good.euf").c_str(), badEuf.c_str(), FALSE));
  ASSERT_NO_FATAL_FAILURE(ReloadDuring(main, box, IDOK));
  EXPECT_EQ(WaitForBrowserMessage(1000), nullptr) << MessageBoxText(FindBrowserMessage());
  EXPECT_EQ(WaitForTitle(main, Title(bad)), Title(bad));
  EXPECT_TRUE(WaitForShownGlyph(Grid(main), 0xE000, test::SquareGlyph())) << "the reloaded file was released";
  EXPECT_EQ(TempCopies().size(), 1u);
  EXPECT_EQ(ExitBrowser(main), std::optional<DWORD>(0));
  EXPECT_EQ(Occurrences(Log(), kReloaded), 1u);
}

TEST_F(GaijiFileScenario, TempFolderThatIsAFileRefusesTheCopyWithoutTmp) {
  const std::filesystem::path tte = PlaceSmallPair(Folder().File(L"pair"));
  SetTmp(std::nullopt);
  std::ofstream(Folder().File(L"TEMP")) << "not a folder";
  HWND main = StartBrowserWith(tte);
  ASSERT_TRUE(main);
  EXPECT_EQ(AnswerMessage(), Quoted(Folder().File(L"pair.euf")) + L"上記のEUFﾌｧｲﾙをﾃﾝﾎﾟﾗﾘへｺﾋﾟｰできません。");
  EXPECT_EQ(WindowText(main), kEmptyBrowserTitle);
  EXPECT_EQ(StatusLine(main), Status(L"E000", L"F040", -1)) << "a failed copy changes nothing shown";
  EXPECT_EQ(ExitBrowser(main), std::optional<DWORD>(0));
  EXPECT_TRUE(std::filesystem::is_empty(Tmp())) << "TMP was used although it was not set";
  EXPECT_EQ(Setting(kRecentSection, L"File1"), L"");
}

TEST_F(GaijiFileScenario, UnreadableTteIsReportedAndTheEufShownWithoutCount) {
  const std::filesystem::path broken = PlaceFixture("err_31_segments.tte", Folder().File(L"broken.tte"));
  PlaceFixture("valid64.euf", Folder().File(L"broken.euf"));
  // An EUF opened by itself: its TTE is missing.
  const std::filesystem::path lonely = PlaceFixture("valid48.euf", Folder().File(L"lonely.EUF"));
  StoreRecentFiles({lonely.wstring()});
  const auto glyphs = ReadEufGlyphs(test::Fixture("valid64.euf"));

  HWND main = StartBrowserWith(broken);
  ASSERT_TRUE(main);
  EXPECT_EQ(AnswerMessage(), Quoted(broken) + L"この外字のTTEﾌｧｲﾙは正しく読み込めない可能性があります。（ErrNo=31）");
  EXPECT_EQ(WaitForTitle(main, Title(broken)), Title(broken));
  EXPECT_EQ(WaitForStatusLine(main, Status(L"E000", L"F040", -1)), Status(L"E000", L"F040", -1));
  EXPECT_TRUE(WaitForShownGlyph(Grid(main), 0xE000, glyphs.at(0xE000)));

  ASSERT_TRUE(PostCommand(main, ID_FILE_MRU_FIRST + 1));
  EXPECT_EQ(AnswerMessage(),
            Quoted(Folder().File(L"lonely.tte")) + L"この外字のTTEﾌｧｲﾙは正しく読み込めない可能性があります。（ErrNo=-1）");
  EXPECT_EQ(WaitForTitle(main, Title(lonely, 48)), Title(lonely, 48));
  EXPECT_EQ(WaitForStatusLine(main, Status(L"E000", L"F040", -1)), Status(L"E000", L"F040", -1));
}

TEST_F(GaijiFileScenario, JumpSelectsTypedUnicodeAndShiftJisCodesAndRefusesOthers) {
  const std::filesystem::path tte = PlaceSmallPair(Folder().File(L"pair"));
  HWND main = StartBrowserWith(tte);
  ASSERT_TRUE(main);
  ASSERT_EQ(WaitForTitle(main, Title(tte)), Title(tte));

  // The last Shift-JIS code, typed in lower case: the field shows capitals.
  HWND dialog = OpenJumpDialog(main);
  ASSERT_TRUE(dialog);
  ASSERT_NO_FATAL_FAILURE(TypeCodeAndConfirm(dialog, L"e757", IDC_JUMP_UNICODE, L"E757"));
  EXPECT_TRUE(DialogClosed(dialog));
  EXPECT_EQ(WaitForStatusLine(main, Status(L"E757", L"F9FC", 5)), Status(L"E757", L"F9FC", 5));

  // The first code without Shift-JIS form.
  dialog = OpenJumpDialog(main);
  ASSERT_TRUE(dialog);
  EXPECT_EQ(ControlText(dialog, IDC_JUMP_CODE), L"E757") << "the last jump is not offered again";
  ASSERT_NO_FATAL_FAILURE(TypeCodeAndConfirm(dialog, L"E758", IDC_JUMP_UNICODE, L"E758"));
  EXPECT_EQ(WaitForStatusLine(main, Status(L"E758", L"----", 5)), Status(L"E758", L"----", 5));

  // A Shift-JIS code with the low byte 7F is refused and the dialog stays for a correction.
  dialog = OpenJumpDialog(main);
  ASSERT_TRUE(dialog);
  ASSERT_NO_FATAL_FAILURE(TypeCodeAndConfirm(dialog, L"F07F", IDC_JUMP_SJIS, L"F07F"));
  EXPECT_EQ(AnswerMessage(), kBadCode);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(dialog) && IsWindowEnabled(dialog); }, 3000))
      << "the dialog went with the refusal";
  EXPECT_EQ(StatusLine(main), Status(L"E758", L"----", 5));
  Screenshot(L"jump-dialog", dialog);
  ASSERT_NO_FATAL_FAILURE(TypeCodeAndConfirm(dialog, L"F041", IDC_JUMP_SJIS, L"F041"));
  EXPECT_TRUE(DialogClosed(dialog));
  EXPECT_EQ(WaitForStatusLine(main, Status(L"E001", L"F041", 5)), Status(L"E001", L"F041", 5));
  EXPECT_TRUE(WaitForShownGlyph(Grid(main), 0xE001, test::EllGlyph())) << "the row of the code is not in view";

  // A double click on the code column opens the dialog again, with the last jump in S-JIS.
  HWND grid = Grid(main);
  POINT origin{0, 0};
  ClientToScreen(grid, &origin);
  ASSERT_TRUE(BringToForeground(main));
  ASSERT_TRUE(DoubleClickAt(POINT{origin.x + 20, origin.y + 30}));
  dialog = WaitForDialog(BrowserId(), kJumpCaption);
  ASSERT_TRUE(dialog) << "no jump dialog after a double click on the code column";
  EXPECT_EQ(ControlText(dialog, IDC_JUMP_CODE), L"F041");
  EXPECT_EQ(Ask(GetDlgItem(dialog, IDC_JUMP_SJIS), BM_GETCHECK), BST_CHECKED);
  ASSERT_TRUE(PressButton(dialog, IDCANCEL));
  EXPECT_TRUE(DialogClosed(dialog));
  EXPECT_THAT(Log(), HasSubstr(L"Command:指定の文字ｺｰﾄﾞへｼﾞｬﾝﾌﾟ\n"));
}

}  // namespace
}  // namespace moji::gui
