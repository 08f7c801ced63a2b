// The browser's shell: start-up and its refusals, the main window's size and placement
// memory, several browsers side by side, the About box, the command states of the empty
// browser and the log lines of start and end.
#include <windows.h>

#include <gmock/gmock.h>
#include <shlobj.h>

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include "BrowserNames.h"
#include "CommandStateQuery.h"
#include "DialogUnits.h"
#include "GuiScenario.h"
#include "MojiviewRes.h"

namespace moji::gui {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

constexpr wchar_t kPosKey[] = L"BrowserWindowPos";
constexpr wchar_t kMissing[] = L"<missing>";
constexpr int kToolBarId = 0xE800, kStatusBarId = 0xE801;

RECT ChildRect(HWND parent, int id) {
  for (const ControlInfo& control : ReadControls(parent)) {
    if (control.id == id) return control.rect;
  }
  ADD_FAILURE() << "no child " << id;
  return RECT{};
}

bool CreateEmptyFile(const std::filesystem::path& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

int Height(const RECT& r) { return r.bottom - r.top; }
int Width(const RECT& r) { return r.right - r.left; }

std::wstring PlacementText(const RECT& r) {
  return std::to_wstring(r.left) + L":" + std::to_wstring(r.top) + L":" + std::to_wstring(r.right) + L":" +
         std::to_wstring(r.bottom);
}

// The product version or copyright of a program, from the Japanese block of its version
// resource, the one our resource script writes.
std::wstring VersionValue(const std::filesystem::path& program, const wchar_t* name) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &ignored);
  std::vector<unsigned char> block(size);
  void* value = nullptr;
  UINT length = 0;
  const std::wstring key = std::wstring(L"\\StringFileInfo\\041104b0\\") + name;
  if (!size || !GetFileVersionInfoW(program.c_str(), 0, size, block.data()) ||
      !VerQueryValueW(block.data(), key.c_str(), &value, &length) || !value)
    return {};
  return static_cast<const wchar_t*>(value);
}

class BrowserShellScenario : public CGuiScenario {
 protected:
  void SetUp() override {
    CGuiScenario::SetUp();
    // A log left in the program folder by running the browser there is no part of this run.
    std::filesystem::remove(Folder().File(L"Mojiview.log"));
  }

  std::filesystem::path Ini() { return Folder().File(L"Mojiview.ini"); }
  std::wstring Setting(const wchar_t* section, const wchar_t* key) { return ReadIniValue(Ini(), section, key, kMissing); }
  void StoreSetting(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
    ASSERT_TRUE(WritePrivateProfileStringW(section, key, value, Ini().c_str()));
  }
  std::wstring Log() { return ReadTextFile(Folder().File(L"Mojiview.log")).value_or(L""); }

  // Starts a browser and waits for its tagged main window.
  HWND StartBrowser(CTargetProcess*& process, const std::wstring& arguments = {}) {
    process = &Start(kBrowserProgram, arguments);
    HWND main = process->WaitForMainWindow(kDefaultTimeoutMs, kBrowserTag);
    EXPECT_TRUE(main) << "no main window";
    return main;
  }

  // Ends a browser through its exit command, as the user would; its exit code.
  std::optional<DWORD> Exit(HWND main, CTargetProcess& process) {
    EXPECT_TRUE(PostCommand(main, ID_APP_EXIT));
    return process.WaitForExit(kDefaultTimeoutMs);
  }

  // The form's width: the template's, or wider where the grid's client area (without its
  // border and scroll bar) would be narrower than a whole row of 8 cells, 596 pixels.
  int FormWidth(HWND main) {
    HWND grid = GetDlgItem(GetDlgItem(main, kBrowserViewId), IDC_GAIJI_LIST);
    RECT client{};
    EXPECT_TRUE(GetClientRect(grid, &client));
    const int outside = Width(WindowRect(grid)) - client.right;
    return std::max<int>(m_units.Pixels(350, 0).cx, 596 + outside);
  }

  // The size the frame must have around the form: fixed width and minimum height.
  SIZE ExpectedFrameSize(HWND main) {
    const SIZE form{FormWidth(main), m_units.Pixels(0, 212).cy};
    const int width = form.cx + 2 * GetSystemMetrics(SM_CXFRAME) + 4;
    const int height = form.cy + GetSystemMetrics(SM_CYCAPTION) + 3 * GetSystemMetrics(SM_CYFRAME) +
                       GetSystemMetrics(SM_CYMENU) + Height(ChildRect(main, kToolBarId)) +
                       Height(ChildRect(main, kStatusBarId)) + 2;
    return SIZE{width, height};
  }

  // The grid and the information field lie in the view, the grid grown by `grownBy`
  // pixels and the field moved down by as much; the view fills the space between the bars.
  void ExpectFormLaidOut(HWND main, int grownBy) {
    const RECT toolBar = ChildRect(main, kToolBarId), statusBar = ChildRect(main, kStatusBarId);
    const RECT view = ChildRect(main, kBrowserViewId);
    EXPECT_EQ(view.top, toolBar.bottom);
    EXPECT_EQ(view.bottom, statusBar.top);
    HWND viewWindow = GetDlgItem(main, kBrowserViewId);
    const RECT grid = ChildRect(viewWindow, IDC_GAIJI_LIST), field = ChildRect(viewWindow, IDC_STATUS_EDIT);
    EXPECT_EQ(Width(grid), FormWidth(main));
    RECT gridClient{};
    GetClientRect(GetDlgItem(viewWindow, IDC_GAIJI_LIST), &gridClient);
    EXPECT_GE(gridClient.right, 596) << "the grid's last column is cut off";
    EXPECT_EQ(field.right - field.left, Width(grid) - (m_units.Pixels(350, 0).cx - m_units.Pixels(341, 0).cx)) << "the field keeps its margins";
    EXPECT_EQ(Height(grid), m_units.Pixels(0, 194).cy + grownBy);
    EXPECT_EQ(field.top - view.top, m_units.Pixels(0, 199).cy + grownBy);
    EXPECT_LE(field.bottom, view.bottom) << "the information field is cut off";
    EXPECT_LE(field.right, view.right);
  }

  CDialogUnits m_units{350, 212, L"ＭＳ Ｐゴシック", 9};
};

TEST_F(BrowserShellScenario, FirstStartWithoutSettingsOpensAt40x40FittedToTheFormAndWritesTheDefaults) {
  ASSERT_TRUE(m_units.Valid());
  ASSERT_FALSE(std::filesystem::exists(Ini()));
  CTargetProcess* browser = nullptr;
  HWND main = StartBrowser(browser);
  ASSERT_TRUE(main);
  EXPECT_EQ(WindowText(main), kEmptyBrowserTitle);
  EXPECT_EQ(FindMessageBox(browser->Id()), nullptr) << "the start-up wait box is still up";
  const RECT rect = WindowRect(main);
  const SIZE expected = ExpectedFrameSize(main);
  EXPECT_EQ(rect.left, 40);
  EXPECT_EQ(rect.top, 40);
  EXPECT_EQ(Width(rect), expected.cx);
  EXPECT_EQ(Height(rect), expected.cy);
  ExpectFormLaidOut(main, 0);
  EXPECT_EQ(GetWindowLongW(main, GWL_STYLE) & WS_MAXIMIZEBOX, 0);
  EXPECT_EQ(ControlText(main, kStatusBarId), L"ﾚﾃﾞｨ");
  Screenshot(L"", main);

  // The six defaults are written at start-up.
  wchar_t fonts[MAX_PATH] = {};
  ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_FONTS, nullptr, 0, fonts)));
  EXPECT_EQ(Setting(L"Common", L"DefaultEudcFont"), L"EUDC.TTE");
  EXPECT_EQ(Setting(L"GkpSettings", L"GaijiShowFont"), L"ＭＳ 明朝");
  EXPECT_EQ(Setting(kBrowserSettings, L"TTEFilePath"), fonts);
  EXPECT_EQ(Setting(kBrowserSettings, L"YomiManage"), L"false");
  EXPECT_EQ(Setting(kBrowserSettings, L"YomiMaxCount"), L"6400");
  EXPECT_EQ(Setting(kBrowserSettings, L"BitmapSize"), L"64");
  EXPECT_EQ(Setting(kBrowserSettings, kPosKey), kMissing) << "the placement is written only on close";
  EXPECT_TRUE(std::filesystem::is_directory(Folder().File(L"TEMP")));

  // The only browser saves its placement when it closes.
  EXPECT_EQ(Exit(main, *browser), std::optional<DWORD>(0));
  EXPECT_EQ(Setting(kBrowserSettings, kPosKey), PlacementText(rect));
}

TEST_F(BrowserShellScenario, StoredPlacementGivesPositionAndHeightButNeverTheWidth) {
  ASSERT_TRUE(m_units.Valid());
  StoreSetting(kBrowserSettings, kPosKey, L"100:50:500:800");
  CTargetProcess* browser = nullptr;
  HWND main = StartBrowser(browser);
  ASSERT_TRUE(main);
  const RECT rect = WindowRect(main);
  const SIZE expected = ExpectedFrameSize(main);
  EXPECT_EQ(rect.left, 100);
  EXPECT_EQ(rect.top, 50);
  EXPECT_EQ(Height(rect), 750);
  EXPECT_EQ(Width(rect), expected.cx) << "the stored width (400) must not be used";
  ASSERT_GT(750, expected.cy);
  ExpectFormLaidOut(main, 750 - expected.cy);
  Screenshot(L"", main);
}

TEST_F(BrowserShellScenario, CtrlNStartsASecondBrowserAndOnlyTheLastOneToCloseSavesThePlacement) {
  StoreSetting(kBrowserSettings, kPosKey, L"100:50:500:800");
  CTargetProcess* first = nullptr;
  HWND main = StartBrowser(first);
  ASSERT_TRUE(main);

  ASSERT_TRUE(SendKey(main, 'N', kCtrl));
  ASSERT_TRUE(WaitUntil([] { return CountWindowsWithProperty(kBrowserTag) == 2; })) << "no second browser";
  HWND secondMain = nullptr;
  for (HWND h : WindowsWithProperty(kBrowserTag)) {
    if (h != main) secondMain = h;
  }
  ASSERT_TRUE(secondMain);
  ASSERT_NE(ProcessOf(secondMain), first->Id()) << "a second browser is a second process";
  CTargetProcess& second = Adopt(ProcessOf(secondMain));
  EXPECT_EQ(WindowText(secondMain), kEmptyBrowserTitle);
  const RECT secondRect = WindowRect(secondMain);
  EXPECT_FALSE(secondRect.left == 100 && secondRect.top == 50) << "the second browser took the stored position";
  EXPECT_EQ(Height(secondRect), 750);
  EXPECT_EQ(Width(secondRect), Width(WindowRect(main)));
  Screenshot();

  // Closing one of two leaves the placement alone; closing the last one saves it.
  EXPECT_EQ(Exit(secondMain, second), std::optional<DWORD>(0));
  EXPECT_EQ(Setting(kBrowserSettings, kPosKey), L"100:50:500:800");
  const RECT rect = WindowRect(main);
  EXPECT_EQ(Exit(main, *first), std::optional<DWORD>(0));
  EXPECT_EQ(Setting(kBrowserSettings, kPosKey), PlacementText(rect));
}

TEST_F(BrowserShellScenario, ACommandLineFileThatIsNoGaijiFontIsRefusedWithoutWindow) {
  const std::filesystem::path text = Folder().File(L"EUDC.TXT");
  ASSERT_TRUE(CreateEmptyFile(text));
  CTargetProcess& browser = Start(kBrowserProgram, L"\"" + text.wstring() + L"\"");
  // The start-up wait box comes first; the message replaces it.
  HWND box = WaitForDialog(browser.Id(), L"Mojiview");
  ASSERT_TRUE(box);
  EXPECT_EQ(FindMessageBox(browser.Id()), box) << "the wait box is still up";
  const std::wstring message = L"'" + text.wstring() + L"'\r\n指定のﾌｧｲﾙは外字ﾌｫﾝﾄﾌｧｲﾙ TTE、EUF 何れでもありません。";
  EXPECT_EQ(MessageBoxText(box), message);
  EXPECT_EQ(browser.WaitForMainWindow(300), nullptr);
  Screenshot();
  ASSERT_TRUE(PressButton(box, IDOK));
  const auto exitCode = browser.WaitForExit(kDefaultTimeoutMs);
  ASSERT_TRUE(exitCode);
  EXPECT_NE(*exitCode, 0u);
  EXPECT_EQ(CountWindowsWithProperty(kBrowserTag), 0);
  const std::wstring log = Log();
  EXPECT_THAT(log, HasSubstr(L"Target file (" + text.wstring() + L")\n"));
  EXPECT_THAT(log, HasSubstr(message + L"\n"));
}

TEST_F(BrowserShellScenario, AMissingCommandLineFileIsNoTargetAndTheBrowserStartsEmpty) {
  CTargetProcess* browser = nullptr;
  HWND main = StartBrowser(browser, L"\"" + Folder().File(L"nonexist.tte").wstring() + L"\"");
  ASSERT_TRUE(main);
  Sleep(500);  // time for a message that must not come
  EXPECT_EQ(FindMessageBox(browser->Id()), nullptr);
  Screenshot();
  EXPECT_EQ(WindowText(main), kEmptyBrowserTitle);
  EXPECT_THAT(Log(), Not(HasSubstr(L"Target file")));
}

TEST_F(BrowserShellScenario, ALeadingHyphenIsDroppedBeforeTheFileIsLookedFor) {
  const std::filesystem::path font = Folder().File(L"x.tte");
  ASSERT_TRUE(CreateEmptyFile(font));
  CTargetProcess* browser = nullptr;
  HWND main = StartBrowser(browser, L"\"-" + font.wstring() + L"\"");
  ASSERT_TRUE(main);
  EXPECT_THAT(Log(), HasSubstr(L"Target file (" + font.wstring() + L")\n"));
  // The empty file is then opened as the target: the TTE reader refuses it.
  HWND box = WaitForMessageBox(browser->Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(MessageBoxText(box), L"'" + font.wstring() + L"'\r\nこの外字のTTEﾌｧｲﾙは正しく読み込めない可能性があります。（ErrNo=-1）");

  // Under the box the toolbar shows nothing enabled that the empty browser refuses.
  std::map<UINT, bool> toolbar;
  for (const CommandState& s : QueryCommandStates(main).value_or(std::vector<CommandState>{}))
    if (s.kind == L'T') toolbar[s.id] = s.enabled;
  EXPECT_EQ(toolbar[ID_EDIT_COPY], false);
  EXPECT_EQ(toolbar[ID_GAIJI_MANAGER], false);
  EXPECT_EQ(toolbar[ID_CODE_PRINT], false);
  EXPECT_EQ(toolbar[ID_FILE_OPEN], true) << "no toolbar states were read";
  Screenshot();
}

TEST_F(BrowserShellScenario, AboutBoxShowsNameVersionCopyrightAndLink) {
  CTargetProcess* browser = nullptr;
  HWND main = StartBrowser(browser);
  ASSERT_TRUE(main);
  ASSERT_TRUE(PostCommand(main, ID_APP_ABOUT));
  HWND box = WaitForDialog(browser->Id(), L"Mojiviewのﾊﾞｰｼﾞｮﾝ情報");
  ASSERT_TRUE(box);
  const std::filesystem::path program = Folder().File(kBrowserProgram);
  const std::wstring version = VersionValue(program, L"ProductVersion");
  ASSERT_FALSE(version.empty());
  std::map<int, ControlInfo> controls;
  for (const ControlInfo& c : ReadControls(box)) controls[c.id] = c;
  EXPECT_EQ(controls[IDC_ABOUT_VERSION].text, L"Mojiview Version " + version);
  EXPECT_EQ(controls[IDC_ABOUT_COPYRIGHT].text, VersionValue(program, L"LegalCopyright"));
  // The build names no web page: the link leads to the help.
  EXPECT_EQ(controls[IDC_ABOUT_URL].text, L"使い方の説明 (Mojiview.chm)");
  EXPECT_TRUE(controls[IDC_ABOUT_UPDATE].visible);
  EXPECT_TRUE(controls[IDC_ABOUT_UPDATE].enabled);
  EXPECT_FALSE(IsWindowEnabled(main)) << "the box is modal";
  Screenshot();

  ASSERT_TRUE(PressButton(box, IDOK));
  EXPECT_TRUE(WaitUntil([&] { return FindDialog(browser->Id(), L"Mojiviewのﾊﾞｰｼﾞｮﾝ情報") == nullptr; }));
  EXPECT_TRUE(IsWindowEnabled(main));
}

TEST_F(BrowserShellScenario, EmptyBrowserEnablesWhatNeedsNoShownFileAndKeepsTheRecentFiles) {
  const std::wstring recent[] = {L"C:\\gaiji\\a.tte", L"D:\\外字\\b&c.EUF"};
  StoreSetting(L"Recent File List", L"File1", recent[0].c_str());
  StoreSetting(L"Recent File List", L"File2", recent[1].c_str());
  CTargetProcess* browser = nullptr;
  HWND main = StartBrowser(browser);
  ASSERT_TRUE(main);
  const auto states = QueryCommandStates(main);
  ASSERT_TRUE(states) << "the frame did not answer the query";

  std::map<UINT, CommandState> menu, toolbar;
  for (const CommandState& s : *states) (s.kind == L'M' ? menu : toolbar)[s.id] = s;
  const std::map<UINT, bool> expectedMenu = {
      {ID_FILE_NEW, true},       {ID_FILE_OPEN, true},       {ID_DATA_RELOAD, false},   {ID_FILE_MRU_FIRST, true},
      {ID_FILE_MRU_FIRST + 1, true}, {ID_APP_EXIT, true},   {ID_EDIT_COPY, false},     {ID_YOMI_EDIT, false},
      {ID_CLIPBOARD_CHECK, false}, {ID_TTE_ASSOCIATE, true}, {ID_LINK_CHANGE, false},  {ID_IME_UPDATE, false},
      {ID_JUMP_CODE, true},      {ID_BITMAP_FIND, false},    {ID_GAIJI_MANAGER, false}, {ID_CODE_PRINT, false},
      {ID_EUDC_LINK_LIST, true},
      {ID_HELP, true},           {ID_APP_ABOUT, true},       {ID_YOMI_EXPORT, false},   {ID_YOMI_FIND, false},
      {ID_YOMI_FIND_NEXT, false}, {ID_GLYPH_SAVE_IMAGE, false}, {ID_CANDIDATES, false}, {ID_CANDIDATE_TABLE, false}};
  std::map<UINT, bool> actualMenu;
  for (const auto& [id, s] : menu) actualMenu[id] = s.enabled;
  EXPECT_EQ(actualMenu, expectedMenu);
  EXPECT_EQ(menu[ID_APP_ABOUT].text, L"Mojiview のﾊﾞｰｼﾞｮﾝ情報(&A)...");
  EXPECT_EQ(menu[ID_FILE_MRU_FIRST].text, L"&1 C:\\gaiji\\a.tte");
  EXPECT_EQ(menu[ID_FILE_MRU_FIRST + 1].text, L"&2 D:\\外字\\b&&c.EUF");

  std::map<UINT, bool> actualToolbar;
  for (const auto& [id, s] : toolbar) actualToolbar[id] = s.enabled;
  const std::map<UINT, bool> expectedToolbar = {{ID_FILE_NEW, true},  {ID_FILE_OPEN, true},      {ID_EDIT_COPY, false},
                                                {ID_JUMP_CODE, true}, {ID_GAIJI_MANAGER, false}, {ID_CODE_PRINT, false}};
  EXPECT_EQ(actualToolbar, expectedToolbar);
  // The File menu as the user sees it, for the screenshot.
  ASSERT_TRUE(SendKey(main, 'F', kAlt));
  Sleep(300);
  Screenshot();
  ASSERT_TRUE(SendKey(main, VK_ESCAPE));
  ASSERT_TRUE(SendKey(main, VK_ESCAPE));

  // The list is written back at exit as it was read.
  EXPECT_EQ(Exit(main, *browser), std::optional<DWORD>(0));
  EXPECT_EQ(Setting(L"Recent File List", L"File1"), recent[0]);
  EXPECT_EQ(Setting(L"Recent File List", L"File2"), recent[1]);
  EXPECT_EQ(Setting(L"Recent File List", L"File3"), L"");
}

TEST_F(BrowserShellScenario, LogHoldsStartReloadNotificationAndEndInOrder) {
  CTargetProcess* browser = nullptr;
  HWND main = StartBrowser(browser);
  ASSERT_TRUE(main);
  // The glyph editor's notification: taken by the frame, it reloads the empty document,
  // that is, opens the empty path, which does not exist.
  ASSERT_TRUE(PostMessageW(main, 0x80C8, 0, 0));
  HWND box = WaitForMessageBox(browser->Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(MessageBoxText(box), L"''\r\nこのﾌｧｲﾙは存在しません。");
  Screenshot();
  ASSERT_TRUE(PressButton(box, IDOK));
  ASSERT_TRUE(WaitUntil([&] { return FindMessageBox(browser->Id()) == nullptr; }));
  EXPECT_EQ(Exit(main, *browser), std::optional<DWORD>(0));

  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  ASSERT_TRUE(GetVersionExW(&version));
  const std::wstring log = Log();
  const std::vector<std::wstring> lines = {
      L"◆Glyphview　起動（OS:Ver=" + std::to_wstring(version.dwMajorVersion) +
          L":majVer=" + std::to_wstring(version.dwMinorVersion) + L"）\n",
      L"CompName=", L"LoadSetting開始\n", L"LoadSetting終了\n", L"Glyphdraw → 更新通知\n",
      L"Command:データ再読込\n", L"◇Glyphview　終了\n\n"};
  size_t at = 0;
  for (const std::wstring& line : lines) {
    const size_t found = log.find(line, at);
    ASSERT_NE(found, std::wstring::npos) << "missing or out of order: " << testing::PrintToString(line) << "\nlog:\n"
                                         << testing::PrintToString(log);
    at = found + line.size();
  }
}

}  // namespace
}  // namespace moji::gui
