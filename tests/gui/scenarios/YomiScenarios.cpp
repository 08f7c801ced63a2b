// The linked font and its readings: the link change (registry value, DefaultEudcFont, the
// header turning pale red, the reading commands becoming enabled), the reading edit dialog
// (add, refuse, duplicate, delete, update, discard, and the reading file it leads to) and
// the input-method update, which under Wine ends with 2030 (no registration styles).
#include <windows.h>

#include <gmock/gmock.h>

#include <fstream>
#include <iterator>

#include "BrowserFileScenario.h"
#include "CommandStateQuery.h"
#include "EudcRegistry.h"
#include "YomiRecords.h"
#include "YomiStore.h"

namespace moji::gui {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;

constexpr wchar_t kYomiCaption[] = L"外字の読み登録";

// Link change, reading edit, input-method update: enabled or not, as the menu shows them.
std::vector<bool> ReadingCommands(HWND main) {
  std::map<UINT, bool> enabled;
  for (const CommandState& s : QueryCommandStates(main).value_or(std::vector<CommandState>{}))
    if (s.kind == L'M') enabled[s.id] = s.enabled;
  return {enabled[ID_LINK_CHANGE], enabled[ID_YOMI_EDIT], enabled[ID_IME_UPDATE]};
}

class YomiScenario : public CBrowserFileScenario {
 protected:
  void SetUp() override {
    CBrowserFileScenario::SetUp();
    if (HasFatalFailure()) return;
    PrepareEudcKey();
    m_linkBefore = ReadEudcValues()[kLinkForAll];
    StoreSetting(kBrowserSettings, L"YomiManage", L"true");
    m_tte = PlaceSmallPair(Folder().File(L"gaiji") / L"mine");
  }
  void TearDown() override {
    CBrowserFileScenario::TearDown();
    SetEudcValue(kLinkForAll, m_linkBefore);
  }

  // The shown TTE as the configured linked font, with a reading file of `records`.
  void LinkAndStartBrowser(const std::vector<std::uint8_t>& records = {}) {
    StoreSetting(L"Common", L"DefaultEudcFont", m_tte.wstring());
    std::ofstream(YomiPath(), std::ios::binary)
        .write(reinterpret_cast<const char*>(records.data()), static_cast<std::streamsize>(records.size()));
    m_main = StartBrowserWith(m_tte);
    ASSERT_TRUE(m_main);
    ASSERT_EQ(WaitForTitle(m_main, Title(m_tte)), Title(m_tte));
  }

  std::filesystem::path YomiPath() const { return std::filesystem::path(m_tte).replace_extension(L".ymi"); }

  // Types `text` into the reading input and presses Add.
  void Add(HWND dialog, const wchar_t* text) {
    ASSERT_TRUE(SetControlText(dialog, IDC_YOMI_INPUT, text));
    ASSERT_TRUE(PressButton(dialog, IDC_YOMI_ADD));
  }
  bool UpdateEnabled(HWND dialog) { return IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE; }

  std::wstring m_linkBefore;
  std::filesystem::path m_tte;
  HWND m_main = nullptr;
};

TEST_F(YomiScenario, LinkChangeLinksTheShownTteForAllTypefacesAndTurnsTheHeaderPaleRed) {
  // Named relative to the folder the browser starts in: it is shown and linked by its full path.
  HWND main = StartBrowser(m_tte.filename().wstring(), m_tte.parent_path());
  ASSERT_TRUE(main);
  ASSERT_EQ(WaitForTitle(main, Title(m_tte)), Title(m_tte));
  HWND grid = Grid(main);
  EXPECT_TRUE(WaitForHeaderColour(grid, 0, kDefaultHeaderColour));
  EXPECT_EQ(ReadingCommands(main), (std::vector<bool>{true, false, false}));

  // The question names the current and the new link; No changes nothing.
  const std::wstring question = L"現在 = [EUDC.TTE]\r\n変更 = [" + m_tte.wstring() + L"]\r\n\r\n全てのﾌｫﾝﾄにﾘﾝｸする外字を変更します。\r\n";
  ASSERT_TRUE(PostCommand(main, ID_LINK_CHANGE));
  EXPECT_THAT(AnswerMessage(IDNO), StartsWith(question));
  EXPECT_EQ(ReadEudcValues()[kLinkForAll], m_linkBefore);
  EXPECT_EQ(Setting(L"Common", L"DefaultEudcFont"), L"EUDC.TTE");
  EXPECT_EQ(HeaderColour(grid, 0), kDefaultHeaderColour);

  // Yes: settings and registry hold the full path (the TTE is outside the fonts folder); the
  // readings of a newly linked font are offered (4001) and, being none, not registered.
  ASSERT_TRUE(PostCommand(main, ID_LINK_CHANGE));
  EXPECT_THAT(AnswerMessage(IDYES), StartsWith(question));
  EXPECT_EQ(AnswerMessage(IDYES), L"'" + m_tte.wstring() + L"'\r\nこのﾌｧｲﾙの読み管理を行いますか？");
  EXPECT_TRUE(WaitForHeaderColour(grid, 0, kLinkedHeaderColour)) << std::hex << HeaderColour(grid, 0);
  EXPECT_EQ(ReadEudcValues()[kLinkForAll], m_tte.wstring());
  EXPECT_EQ(Setting(L"Common", L"DefaultEudcFont"), m_tte.wstring());
  EXPECT_TRUE(std::filesystem::exists(YomiPath())) << "Yes to 4001 creates the reading file";
  EXPECT_EQ(FindBrowserMessage(), nullptr) << "an input-method update without readings";
  Screenshot(L"", main);

  // Now the linked font: the link change is off, Ctrl+Y (E000 has a glyph) and the update on.
  EXPECT_EQ(ReadingCommands(main), (std::vector<bool>{false, true, true}));
  EXPECT_EQ(ExitBrowser(main), std::optional<DWORD>(0));
  EXPECT_THAT(Log(), HasSubstr(L"Command:外字のリンクを変更\n"));
}

TEST_F(YomiScenario, ReadingEditAddsHiraganaRefusesKatakanaAndUpdatesTheReadingFile) {
  ASSERT_NO_FATAL_FAILURE(LinkAndStartBrowser());
  ASSERT_TRUE(PostKey(Grid(m_main), VK_RIGHT));
  ASSERT_EQ(WaitForStatusLine(m_main, Status(L"E001", L"F041", 5)), Status(L"E001", L"F041", 5));
  ASSERT_TRUE(SendKey(m_main, 'Y', kCtrl));
  HWND dialog = WaitForDialog(BrowserId(), kYomiCaption);
  ASSERT_TRUE(dialog) << "Ctrl+Y opened no reading dialog";
  HWND list = GetDlgItem(dialog, IDC_YOMI_LIST);
  EXPECT_EQ(ControlText(dialog, IDC_YOMI_CODE), L"E001");
  EXPECT_EQ(ControlText(dialog, IDC_YOMI_SJIS), L"F041");
  EXPECT_THAT(ListBoxEntries(list), IsEmpty());
  EXPECT_FALSE(UpdateEnabled(dialog));

  // Three hiragana readings in one go; the katakana part is refused and stays in the input.
  ASSERT_NO_FATAL_FAILURE(Add(dialog, L"あ,い、う，アイ"));
  EXPECT_EQ(AnswerMessage(), L"読みは「ひらかな」で入力して下さい。");
  EXPECT_EQ(ControlText(dialog, IDC_YOMI_INPUT), L"アイ");
  EXPECT_EQ(ListBoxEntries(list), (std::vector<std::wstring>{L"あ", L"い", L"う"}));
  EXPECT_TRUE(UpdateEnabled(dialog));
  Screenshot(L"dialog", dialog);

  ASSERT_NO_FATAL_FAILURE(Add(dialog, L"い"));
  EXPECT_EQ(AnswerMessage(), L"「い」\r\n上記読みは、既に同じ読みが登録されているので無視しました。");
  ASSERT_NO_FATAL_FAILURE(Add(dialog, L"  "));
  EXPECT_EQ(AnswerMessage(), L"追加する読みが入力されていません。");

  // End with unsaved changes asks first; No keeps the dialog.
  ASSERT_TRUE(PressButton(dialog, IDCANCEL));
  EXPECT_EQ(AnswerMessage(IDNO), L"変更した読みデータを破棄してよろしいですか？");
  ASSERT_TRUE(IsWindowVisible(dialog));
  ASSERT_TRUE(PressButton(dialog, IDOK));
  EXPECT_TRUE(WaitUntil([&] { return !UpdateEnabled(dialog); }, 3000)) << "Update stays enabled after updating";

  // Delete needs a selection; a deleted reading goes back to the input, and discarding that
  // change keeps the updated list.
  Ask(list, LB_SETCURSEL, static_cast<WPARAM>(-1));
  ASSERT_TRUE(PressButton(dialog, IDC_YOMI_DELETE));
  EXPECT_EQ(AnswerMessage(), L"削除する読みが選択されていません。");
  ASSERT_NE(Ask(list, LB_SETCURSEL, 2), LB_ERR);
  ASSERT_TRUE(PressButton(dialog, IDC_YOMI_DELETE));
  EXPECT_TRUE(WaitUntil([&] { return ControlText(dialog, IDC_YOMI_INPUT) == L"う"; }, 3000));
  EXPECT_EQ(ListBoxEntries(list), (std::vector<std::wstring>{L"あ", L"い"}));
  ASSERT_TRUE(PressButton(dialog, IDCANCEL));
  EXPECT_EQ(AnswerMessage(IDYES), L"変更した読みデータを破棄してよろしいですか？");
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 3000));
  EXPECT_EQ(WaitForStatusLine(m_main, Status(L"E001", L"F041", 5, L"あ,い,う")), Status(L"E001", L"F041", 5, L"あ,い,う"));

  // The store is written when the browser ends: three records of E001, in byte order.
  EXPECT_EQ(ExitBrowser(m_main), std::optional<DWORD>(0));
  std::ifstream in(YomiPath(), std::ios::binary);
  const std::vector<std::uint8_t> file{std::istreambuf_iterator<char>(in), {}};
  std::vector<std::uint8_t> expected(3 * kYomiRecordSize);
  for (int i = 0; i < 3; ++i) MakeYomiRecord(expected.data() + i * kYomiRecordSize, 0xE001, std::u16string(1, u"あいう"[i]));
  ASSERT_EQ(file, expected);
  EXPECT_EQ(YomiRecordReading(file.data() + 2 * kYomiRecordSize), u"う");
  EXPECT_THAT(Log(), HasSubstr(L"読みﾌｧｲﾙ編集終了(code=E001)\n"));
}

// Logoff, shutdown or restart: Windows asks, announces the end and then ends the process
// without its normal exit. What the exit writes must be on disk when the end is announced.
TEST_F(YomiScenario, SessionEndWritesReadingsRecentFilesAndPlacementBeforeTheProcessIsEnded) {
  ASSERT_NO_FATAL_FAILURE(LinkAndStartBrowser());
  ASSERT_TRUE(SendKey(m_main, 'Y', kCtrl));
  HWND dialog = WaitForDialog(BrowserId(), kYomiCaption);
  ASSERT_TRUE(dialog);
  ASSERT_NO_FATAL_FAILURE(Add(dialog, L"かな"));
  ASSERT_TRUE(PressButton(dialog, IDOK));
  ASSERT_TRUE(PressButton(dialog, IDCANCEL));
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 3000));
  ASSERT_FALSE(TempCopies().empty());
  Screenshot(L"", m_main);

  EXPECT_EQ(Ask(m_main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  Ask(m_main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  ASSERT_TRUE(Browser().Terminate());

  std::ifstream in(YomiPath(), std::ios::binary);
  const std::vector<std::uint8_t> file{std::istreambuf_iterator<char>(in), {}};
  EXPECT_EQ(file, test::YomiRecords({{0xE000, u"かな"}})) << "the edited reading is lost";
  EXPECT_EQ(Setting(kRecentSection, L"File1"), m_tte.wstring());
  EXPECT_NE(Setting(L"GkpBrowserSettings", L"BrowserWindowPos"), L"<missing>");
  EXPECT_THAT(TempCopies(), IsEmpty());
  EXPECT_THAT(Log(), HasSubstr(L"◇Glyphview　終了\n"));
}

TEST_F(YomiScenario, InputMethodUpdateUnderWineEndsWithNoRegistrationStyles) {
  ASSERT_NO_FATAL_FAILURE(LinkAndStartBrowser());
  EXPECT_EQ(ReadingCommands(m_main), (std::vector<bool>{false, true, true}));
  ASSERT_TRUE(PostCommand(m_main, ID_IME_UPDATE));
  EXPECT_EQ(AnswerMessage(IDYES), L"現在登録中全ての読みデータで、IMの外字文字の読みを更新します。\r\n処理を開始しますか？");
  // Wine's input method offers no registration styles: nothing is registered or copied.
  EXPECT_EQ(AnswerMessage(), L"IM単語登録で、品詞情報の取得に失敗しました。");
  EXPECT_FALSE(std::filesystem::exists(Folder().File(L"_OldEudc.ymi")));
  EXPECT_EQ(ExitBrowser(m_main), std::optional<DWORD>(0));
  EXPECT_THAT(Log(), HasSubstr(L"IM単語登録で、品詞情報の取得に失敗しました。\n"));
}

// The three commands around readings and glyph files: find by reading (Ctrl+F, F3), the
// export of the readings as a dictionary file and the glyph saved as a PNG.
TEST_F(YomiScenario, FindByReadingExportAndSaveGlyphImage) {
  ASSERT_NO_FATAL_FAILURE(
      LinkAndStartBrowser(test::YomiRecords({{0xE001, u"あい"}, {0xE002, u"あいう"}, {0xE004, u"あい"}, {0xE004, u"か"}})));
  std::map<UINT, bool> enabled;
  for (const CommandState& s : QueryCommandStates(m_main).value_or(std::vector<CommandState>{}))
    if (s.kind == L'M') enabled[s.id] = s.enabled;
  EXPECT_TRUE(enabled[ID_YOMI_FIND] && enabled[ID_YOMI_EXPORT] && enabled[ID_GLYPH_SAVE_IMAGE]);
  EXPECT_FALSE(enabled[ID_YOMI_FIND_NEXT]) << "F3 before any search";

  // An equal reading before a prefix; F3 goes on and wraps once.
  ASSERT_TRUE(SendKey(m_main, 'F', kCtrl));
  HWND find = WaitForDialog(BrowserId(), L"読みで検索");
  ASSERT_TRUE(find) << "Ctrl+F opened no find dialog";
  ASSERT_TRUE(SetControlText(find, IDC_YOMI_INPUT, L"あい"));
  Screenshot(L"find", find);
  ASSERT_TRUE(PressButton(find, IDOK));
  EXPECT_EQ(WaitForStatusLine(m_main, Status(L"E001", L"F041", 5, L"あい")), Status(L"E001", L"F041", 5, L"あい"));
  ASSERT_TRUE(PostKey(m_main, VK_F3));
  EXPECT_EQ(WaitForStatusLine(m_main, Status(L"E004", L"F044", 5, L"あい,か")), Status(L"E004", L"F044", 5, L"あい,か"));
  ASSERT_TRUE(PostKey(m_main, VK_F3));
  EXPECT_EQ(WaitForStatusLine(m_main, Status(L"E001", L"F041", 5, L"あい")), Status(L"E001", L"F041", 5, L"あい"));
  ASSERT_TRUE(PostCommand(m_main, ID_YOMI_FIND));
  find = WaitForDialog(BrowserId(), L"読みで検索");
  ASSERT_TRUE(find);
  EXPECT_EQ(ControlText(find, IDC_YOMI_INPUT), L"あい") << "the last text is offered again";
  ASSERT_TRUE(SetControlText(find, IDC_YOMI_INPUT, L"あいうえ"));
  ASSERT_TRUE(PressButton(find, IDOK));
  EXPECT_EQ(AnswerMessage(), L"読み「あいうえ」の外字は見つかりませんでした。");

  // The export proposes "<font>_読み.txt" beside the font and writes one line per record.
  ASSERT_TRUE(PostCommand(m_main, ID_YOMI_EXPORT));
  const std::filesystem::path dictionary = m_tte.parent_path() / L"mine_読み.txt";
  ASSERT_NO_FATAL_FAILURE(SaveAs(L"mine_読み.txt", dictionary));
  EXPECT_EQ(AnswerMessage(), L"読みを辞書ﾌｧｲﾙに出力しました。\r\n\r\n" + dictionary.wstring() + L"\r\n出力件数：4件");
  std::ifstream text(dictionary, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(text), {}};
  std::u16string units;
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) units += static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes[0], 0xFF);
  EXPECT_EQ(bytes[1], 0xFE);
  EXPECT_EQ(units, u"あい\t\uE001\t単漢字\r\nあいう\t\uE002\t単漢字\r\nあい\t\uE004\t単漢字\r\nか\t\uE004\t単漢字\r\n");

  // The selected glyph (E001) as a PNG of 64 x 64 at 1 bit per pixel, named by its code.
  ASSERT_TRUE(PostCommand(m_main, ID_GLYPH_SAVE_IMAGE));
  const std::filesystem::path image = m_tte.parent_path() / L"E001.png";
  ASSERT_NO_FATAL_FAILURE(SaveAs(L"E001.png", image));
  EXPECT_TRUE(WaitUntil([&] { return std::filesystem::exists(image); }, 5000));
  std::ifstream png(image, std::ios::binary);
  const std::vector<std::uint8_t> head{std::istreambuf_iterator<char>(png), {}};
  ASSERT_GE(head.size(), 25u);
  EXPECT_EQ(std::vector<std::uint8_t>(head.begin() + 1, head.begin() + 4), (std::vector<std::uint8_t>{'P', 'N', 'G'}));
  EXPECT_EQ(std::vector<std::uint8_t>(head.begin() + 16, head.begin() + 25),
            (std::vector<std::uint8_t>{0, 0, 0, 64, 0, 0, 0, 64, 1}))
      << "width, height, bit depth";
  EXPECT_EQ(ExitBrowser(m_main), std::optional<DWORD>(0));
  for (const wchar_t* line : {L"Command:読みで検索\n", L"Command:次の読みを検索\n", L"Command:読みを辞書ﾌｧｲﾙに出力\n",
                              L"Command:ﾋﾞｯﾄﾏｯﾌﾟを画像で保存\n"})
    EXPECT_THAT(Log(), HasSubstr(line));
}

}  // namespace
}  // namespace moji::gui
