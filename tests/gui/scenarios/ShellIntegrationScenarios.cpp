// The browser outside its own window: the TTE association in the user's registry, the
// code-table printer and the glyph editor started for the shown font, the update from the
// About box that ends every browser and printer, and help on F1.
#include <windows.h>

#include <gmock/gmock.h>

#include <filesystem>
#include <optional>
#include <string>

#include "BrowserFileScenario.h"

namespace moji::gui {
namespace {

using ::testing::HasSubstr;

constexpr wchar_t kFakeTargetTag[] = L"_MOJI_FAKE_TARGET_TAG";  // the stand-in's main window
constexpr wchar_t kLaunchFailed[] = L"'\r\nﾌﾟﾛｸﾞﾗﾑの起動に失敗しました。";

// The default value of HKCU\Software\Classes\<key>; empty when there is none.
std::wstring UserClassValue(const std::wstring& key) {
  wchar_t text[1024] = {};
  DWORD size = sizeof text - sizeof(wchar_t);
  const std::wstring path = L"Software\\Classes\\" + key;
  if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
    return {};
  return text;
}
void DeleteAssociation() {
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Classes\\Mojiview");
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Classes\\.tte");
}

// A top-level window of the test program tagged as a running printer.
class CFakePrinterWindow {
 public:
  CFakePrinterWindow()
      : m_window(CreateWindowExW(0, L"STATIC", L"Mojisheet", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 700, 600, 300, 200, nullptr,
                                 nullptr, nullptr, nullptr)) {
    SetPropW(m_window, kPrinterTag, reinterpret_cast<HANDLE>(1));
  }
  ~CFakePrinterWindow() {
    RemovePropW(m_window, kPrinterTag);
    DestroyWindow(m_window);
  }
  HWND Handle() const { return m_window; }

 private:
  HWND m_window;
};

class ShellIntegrationScenario : public CBrowserFileScenario {
 protected:
  // The program folder as the browser names it, ending in "\".
  std::wstring ProgramFolderText() { return Folder().Path().wstring() + L"\\"; }
  // The fake target placed as `name` in the program folder, standing in for a program the
  // browser starts; the window it shows once started, adopted for the end of the scenario.
  void PlaceStandIn(const wchar_t* name) { Place(FakeTargetProgram(), Folder().File(name)); }
  HWND WaitForStandIn(const wchar_t* name) {
    HWND found = nullptr;
    WaitUntil([&] {
      for (HWND h : WindowsWithProperty(kFakeTargetTag)) {
        if (ProcessImagePath(ProcessOf(h)) == Folder().File(name)) found = h;
      }
      return found != nullptr;
    });
    if (found) Adopt(ProcessOf(found));
    return found;
  }
  // No message box of the browser within a moment.
  bool StaysQuiet() {
    Sleep(500);
    return FindBrowserMessage() == nullptr;
  }
};

TEST_F(ShellIntegrationScenario, AssociationAnsweredYesWritesTheUserClasses) {
  DeleteAssociation();
  HWND main = StartBrowser();
  ASSERT_TRUE(main);
  const std::wstring question = L"拡張子が TTE のﾌｧｲﾙを、このﾌﾟﾛｸﾞﾗﾑに関連付けます。\r\n関連付けが完了すると、この拡張子のﾌｧｲﾙをﾀﾞﾌﾞﾙｸﾘｯｸで本ﾌﾟﾛｸﾞﾗﾑが起動し外字を表示できます。\r\n関連付けの解除は、ｴｸｽﾌﾟﾛｰﾗの「ﾂｰﾙ」「ﾌｫﾙﾀﾞｵﾌﾟｼｮﾝ」の「ﾌｧｲﾙ種類」タグより解除が行えます。\r\n\r\n関連付けを行いますか？";
  ASSERT_TRUE(PostCommand(main, ID_TTE_ASSOCIATE));
  HWND box = WaitForBrowserMessage();
  ASSERT_TRUE(box);
  Screenshot(L"question");
  EXPECT_EQ(AnswerMessage(IDYES), question);
  EXPECT_EQ(AnswerMessage(IDOK), L"関連付けが完了しました。");
  EXPECT_EQ(UserClassValue(L"Mojiview\\shell\\外字ﾌｫﾝﾄﾌﾟﾚﾋﾞｭｰ...\\command"), L"\"" + ProgramFolderText() + L"Mojiview\" \"%1\"");
  EXPECT_EQ(UserClassValue(L".tte"), L"Mojiview");
  EXPECT_EQ(UserClassValue(L"Mojiview\\DefaultIcon"), ProgramFolderText() + L"Mojiview.exe,1");
  EXPECT_THAT(Log(), HasSubstr(L"Command:拡張子関連付け\n"));
  DeleteAssociation();
}

TEST_F(ShellIntegrationScenario, CodeTablePrinterStartsForTheShownFontsTteOrSaysWhyNot) {
  const std::filesystem::path tte = PlaceSmallPair(Folder().File(L"My Fonts\\small gaiji"));
  const std::filesystem::path euf = Folder().File(L"My Fonts\\small gaiji.euf");
  HWND main = StartBrowserWith(euf);
  ASSERT_TRUE(main);
  ASSERT_EQ(WaitForTitle(main, Title(euf)), Title(euf));

  // Without the printer program: 2050 with the command line (the TTE path unquoted).
  std::filesystem::remove(Folder().File(L"Mojisheet.exe"));
  ASSERT_TRUE(PostCommand(main, ID_CODE_PRINT));
  EXPECT_EQ(AnswerMessage(), L"'\"" + ProgramFolderText() + L"Mojisheet.exe\" /F:" + tte.wstring() + kLaunchFailed);
  EXPECT_THAT(Log(), HasSubstr(L"Command:外字一覧表の印刷（外部プログラム起動）\n"));

  // With a program in its place, that program starts and the browser says nothing.
  PlaceStandIn(L"Mojisheet.exe");
  ASSERT_TRUE(PostCommand(main, ID_CODE_PRINT));
  EXPECT_TRUE(WaitForStandIn(L"Mojisheet.exe")) << "Mojisheet.exe did not start";
  EXPECT_EQ(FindBrowserMessage(), nullptr);

  // No TTE beside the shown EUF: 2037.
  const std::filesystem::path moved = Folder().File(L"moved.tte");
  std::filesystem::rename(tte, moved);
  ASSERT_TRUE(PostCommand(main, ID_CODE_PRINT));
  EXPECT_EQ(AnswerMessage(), L"外字一覧印刷には「TTE」ファイルが必要です。");
  std::filesystem::rename(moved, tte);

  // A running printer: 2052, and that printer comes to the front (the activation is a
  // message to the printer's thread, this one).
  CFakePrinterWindow printer;
  ASSERT_TRUE(BringToForeground(main));
  ASSERT_TRUE(PostCommand(main, ID_CODE_PRINT));
  EXPECT_EQ(AnswerMessage(), L"このﾌﾟﾛｸﾞﾗﾑは１つしか起動できません。\r\n印刷対象を変更して実行したい場合は、一旦終了して再度印刷処理を起動して下さい。");
  EXPECT_TRUE(WaitUntil([&] {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    return GetForegroundWindow() == printer.Handle();
  }));
  Screenshot();
}

TEST_F(ShellIntegrationScenario, DoubleClickOnAGaijiStartsTheGlyphEditorOnlyForTheLinkedFont) {
  const std::filesystem::path tte = PlaceSmallPair(Folder().File(L"linked"));
  const std::filesystem::path euf = Folder().File(L"linked.euf");
  StoreSetting(L"Common", L"DefaultEudcFont", tte.wstring());
  const auto doubleClick = [](HWND grid, int code) {
    const RECT r = GlyphArea(grid, code);
    return DoubleClickAt(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  };

  // Through its EUF path the font is not the linked font: a beep and nothing else.
  HWND main = StartBrowserWith(euf);
  ASSERT_TRUE(main);
  ASSERT_EQ(WaitForTitle(main, Title(euf)), Title(euf));
  ASSERT_TRUE(doubleClick(Grid(main), 0xE001));
  EXPECT_TRUE(StaysQuiet());
  ASSERT_EQ(ExitBrowser(main), std::optional<DWORD>(0));

  main = StartBrowserWith(tte);
  ASSERT_TRUE(main);
  ASSERT_EQ(WaitForTitle(main, Title(tte)), Title(tte));
  ASSERT_TRUE(doubleClick(Grid(main), 0xE00F));
  EXPECT_EQ(AnswerMessage(), L"'\"" + ProgramFolderText() + L"Mojidraw.exe\" E00F" + kLaunchFailed);

  PlaceStandIn(L"Mojidraw.exe");
  ASSERT_TRUE(doubleClick(Grid(main), 0xE001));
  EXPECT_TRUE(WaitForStandIn(L"Mojidraw.exe")) << "Mojidraw.exe did not start";
  EXPECT_EQ(FindBrowserMessage(), nullptr);
}

TEST_F(ShellIntegrationScenario, UpdateEndsEveryBrowserAndPrinterWithoutSavingAPlacement) {
  HWND main = StartBrowser();
  ASSERT_TRUE(main);
  const auto pressUpdate = [&] {
    HWND about = FindDialog(BrowserId(), kAboutCaption);
    if (!about) {
      EXPECT_TRUE(PostCommand(main, ID_APP_ABOUT));
      about = WaitForDialog(BrowserId(), kAboutCaption);
    }
    EXPECT_TRUE(about && PressButton(about, IDC_ABOUT_UPDATE));
    return about;
  };
  const std::wstring question = L"Mojiviewを最新版に更新するには、ﾈｯﾄﾜｰｸに接続している必要があります。\r\n更新するには全てのMojiviewを終了する必要があります。\r\nOKボタンを押下すると、ﾌﾟﾛｸﾞﾗﾑを終了し、更新処理に入ります。\r\n更新処理を開始しますか？";

  // Cancel leaves the About box open; without the updater, OK gives 2050 and the browser stays.
  HWND about = pressUpdate();
  EXPECT_EQ(AnswerMessage(IDCANCEL), question);
  EXPECT_TRUE(StaysQuiet());
  EXPECT_TRUE(IsWindowVisible(about));
  pressUpdate();
  WaitForBrowserMessage();
  Screenshot(L"question");
  EXPECT_EQ(AnswerMessage(IDOK), question);
  EXPECT_EQ(AnswerMessage(), L"'\"" + ProgramFolderText() + L"Updatix.exe\"" + kLaunchFailed);
  EXPECT_TRUE(WaitUntil([&] { return FindDialog(BrowserId(), kAboutCaption) == nullptr; }));
  EXPECT_TRUE(IsWindow(main));
  EXPECT_EQ(CountWindowsWithProperty(kBrowserTag), 1);
  EXPECT_THAT(Log(), HasSubstr(L"About:WEBから最新版に更新\n"));

  // With the updater: a second browser and a printer run; all end, none saves its placement.
  PlaceStandIn(L"Updatix.exe");
  ASSERT_TRUE(SendKey(main, 'N', kCtrl));
  ASSERT_TRUE(WaitUntil([] { return CountWindowsWithProperty(kBrowserTag) == 2; }));
  HWND second = nullptr;
  for (HWND h : WindowsWithProperty(kBrowserTag)) second = h != main ? h : second;
  ASSERT_TRUE(second);
  CTargetProcess& secondBrowser = Adopt(ProcessOf(second));
  CFakePrinterWindow printer;
  pressUpdate();
  EXPECT_EQ(AnswerMessage(IDOK), question);
  EXPECT_TRUE(WaitForStandIn(L"Updatix.exe")) << "Updatix.exe did not start";
  EXPECT_EQ(Browser().WaitForExit(kDefaultTimeoutMs), std::optional<DWORD>(0));
  EXPECT_EQ(secondBrowser.WaitForExit(kDefaultTimeoutMs), std::optional<DWORD>(0));
  MSG quit{};
  EXPECT_TRUE(WaitUntil([&] { return PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE; }))
      << "the printer was not told to quit";
  EXPECT_EQ(Setting(kBrowserSettings, L"BrowserWindowPos"), L"<missing>");
}

TEST_F(ShellIntegrationScenario, HelpOpensForTheMainWindowInFrontAndForTheDialogsAndNamesAMissingFile) {
  ASSERT_TRUE(std::filesystem::exists(Folder().File(L"Mojiview.chm"))) << "the build did not put the help file";
  HWND main = StartBrowser();
  ASSERT_TRUE(main);

  // The help viewer opens the compiled file: its window carries the help's title.
  ASSERT_TRUE(SendKey(main, VK_F1));
  HWND viewer = nullptr;
  EXPECT_TRUE(WaitUntil([&] {
    for (HWND h : TopLevelWindows(BrowserId())) viewer = WindowText(h) == L"Mojiview の使い方" ? h : viewer;
    return viewer != nullptr;
  })) << "no help window";
  Screenshot(L"viewer");
  if (viewer) PostMessageW(viewer, WM_CLOSE, 0, 0);
  const auto helpLogLines = [&] {
    const std::wstring log = Log(), line = L"Command:ﾒｲﾝﾍﾙﾌﾟ表示\n";
    int lines = 0;
    for (size_t at = log.find(line); at != std::wstring::npos; at = log.find(line, at + 1)) ++lines;
    return lines;
  };
  EXPECT_EQ(helpLogLines(), 1);

  // The viewer keeps the file open as long as the browser runs.
  ASSERT_EQ(ExitBrowser(main), std::optional<DWORD>(0));
  std::filesystem::remove(Folder().File(L"Mojiview.chm"));
  main = StartBrowser();
  ASSERT_TRUE(main);
  const std::wstring missing = L"'" + Folder().File(L"Mojiview.chm").wstring() + L"'\r\nﾍﾙﾌﾟﾌｧｲﾙが見つかりません。";

  // Another window in front: the command does nothing.
  CFakePrinterWindow other;
  ASSERT_TRUE(BringToForeground(other.Handle()));
  ASSERT_TRUE(PostCommand(main, ID_HELP));
  EXPECT_TRUE(StaysQuiet());
  EXPECT_EQ(helpLogLines(), 1) << "logged while not in front";

  ASSERT_TRUE(SendKey(main, VK_F1));
  EXPECT_EQ(AnswerMessage(), missing);
  EXPECT_EQ(helpLogLines(), 2);

  // F1 in the jump dialog: the same help, without the main window's log line.
  ASSERT_TRUE(SendKey(main, VK_F2));
  HWND jump = WaitForDialog(BrowserId(), L"指定文字ｺｰﾄﾞへｼﾞｬﾝﾌﾟ");
  ASSERT_TRUE(jump);
  ASSERT_TRUE(SendKey(jump, VK_F1));
  EXPECT_EQ(AnswerMessage(), missing);
  EXPECT_EQ(helpLogLines(), 2) << "the dialog's help logged as the main window's";
  EXPECT_TRUE(IsWindowVisible(jump));
  ASSERT_TRUE(PressButton(jump, IDCANCEL));
}

}  // namespace
}  // namespace moji::gui
