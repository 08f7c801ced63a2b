// The browser's shell integration: the TTE association in the registry, the command lines
// and refusals of the programs it starts, the end of every browser and printer for the
// update, and help through the viewer seam (file, page, the message for a missing file,
// F1 in the dialogs).
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "AboutDlg.h"
#include "AddrJumpDlg.h"
#include "ExternalPrograms.h"
#include "Help.h"
#include "Message.h"
#include "ProcessUtil.h"
#include "Settings.h"
#include "TTELoadDlg.h"
#include "TteAssociation.h"
#include "win32/Win32TestSupport.h"

namespace moji {
namespace {

namespace fs = std::filesystem;

constexpr wchar_t kTestRoot[] = L"Software\\MojiviewTest";
constexpr wchar_t kVerbCommand[] = L"Mojiview\\shell\\外字ﾌｫﾝﾄﾌﾟﾚﾋﾞｭｰ...\\command";

// Answers every message box with `answer` and keeps their texts.
struct MessageRecorder {
  std::vector<std::wstring> texts;
  int answer = IDOK;
  MessageRecorder() {
    SetMessageBoxFunction([this](HWND, const std::wstring& text, const std::wstring&, UINT) {
      texts.push_back(text);
      return answer;
    });
  }
  ~MessageRecorder() { SetMessageBoxFunction(nullptr); }
};

// A key of its own under HKCU, `options` REG_OPTION_VOLATILE or not; deleted at the end.
class TestRegistryRoot {
 public:
  explicit TestRegistryRoot(DWORD options = REG_OPTION_NON_VOLATILE) {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestRoot);
    ::RegCreateKeyExW(HKEY_CURRENT_USER, kTestRoot, 0, nullptr, options, KEY_ALL_ACCESS, nullptr, &m_key, nullptr);
  }
  ~TestRegistryRoot() {
    if (m_key) ::RegCloseKey(m_key);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestRoot);
  }
  HKEY Key() const { return m_key; }

  // The default value of `subKey`; "<none>" when the key or the value is missing.
  std::wstring Value(const wchar_t* subKey) const {
    wchar_t text[1024] = {};
    DWORD size = sizeof text - sizeof(wchar_t);
    DWORD type = 0;
    if (::RegGetValueW(m_key, subKey, nullptr, RRF_RT_ANY, &type, text, &size) != ERROR_SUCCESS) return L"<none>";
    return type == REG_SZ ? std::wstring(text) : L"<type " + std::to_wstring(type) + L">";
  }
  std::vector<std::wstring> SubKeys(const wchar_t* subKey) const {
    std::vector<std::wstring> names;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(m_key, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
      DWORD length = 256;
      if (::RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      names.push_back(name);
    }
    ::RegCloseKey(key);
    return names;
  }

 private:
  HKEY m_key = nullptr;
};

TEST(TteAssociation, WritesExactlyTheThreeValuesAndAPathWithSpacesSurvivesTheCommand) {
  TestRegistryRoot root;
  ASSERT_TRUE(root.Key());
  test::ScratchFolder folder(L"assoc dir");
  const std::wstring programFolder = folder.Folder();
  ASSERT_TRUE(WriteTteAssociation(root.Key(), programFolder));

  EXPECT_EQ(root.Value(kVerbCommand), L"\"" + programFolder + L"Mojiview\" \"%1\"");
  EXPECT_EQ(root.Value(L".tte"), L"Mojiview");
  EXPECT_EQ(root.Value(L"Mojiview\\DefaultIcon"), programFolder + L"Mojiview.exe,1");
  EXPECT_EQ(root.Value(L"Mojiview"), L"<none>") << "the class key gets no value";
  EXPECT_EQ(root.SubKeys(nullptr), (std::vector<std::wstring>{L".tte", L"Mojiview"}));
  EXPECT_EQ(root.SubKeys(L"Mojiview"), (std::vector<std::wstring>{L"DefaultIcon", L"shell"}));
  EXPECT_EQ(root.SubKeys(L"Mojiview\\shell"), (std::vector<std::wstring>{L"外字ﾌｫﾝﾄﾌﾟﾚﾋﾞｭｰ..."}));

  // The shell puts the file's path in place of %1; the browser's parser must get it whole.
  const fs::path font = folder / L"My Fonts a.tte";
  test::WriteBytes(font, "x");
  std::wstring command = root.Value(kVerbCommand);
  command.replace(command.find(L"%1"), 2, font.wstring());
  EXPECT_EQ(FindCommandLineStartTarget(command.c_str()), font.wstring());

  // Writing again replaces the values.
  ASSERT_TRUE(WriteTteAssociation(root.Key(), L"D:\\other\\"));
  EXPECT_EQ(root.Value(L"Mojiview\\DefaultIcon"), L"D:\\other\\Mojiview.exe,1");
}

TEST(TteAssociation, AKeyThatCannotBeCreatedFailsAndTheEarlierKeyStays) {
  // Below a volatile key only volatile keys can be created: the command key exists
  // already (and is opened), the ".tte" key cannot be made.
  TestRegistryRoot root(REG_OPTION_VOLATILE);
  ASSERT_TRUE(root.Key());
  HKEY command = nullptr;
  ASSERT_EQ(::RegCreateKeyExW(root.Key(), kVerbCommand, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                              &command, nullptr),
            ERROR_SUCCESS);
  ::RegCloseKey(command);

  EXPECT_FALSE(WriteTteAssociation(root.Key(), L"C:\\prog\\"));
  EXPECT_EQ(root.Value(kVerbCommand), L"\"C:\\prog\\Mojiview\" \"%1\"");
  EXPECT_EQ(root.Value(L".tte"), L"<none>");
  EXPECT_EQ(root.Value(L"Mojiview\\DefaultIcon"), L"<none>");
}

TEST(ExternalPrograms, CommandLines) {
  const struct {
    const wchar_t* shown;
    const wchar_t* printed;
  } cases[] = {
      {L"C:\\f\\X.euf", L"C:\\f\\X.tte"},
      {L"C:\\f\\X.EUF", L"C:\\f\\X.tte"},
      {L"C:\\f\\X.Euf", L"C:\\f\\X.tte"},
      {L"C:\\f\\X.tte", L"C:\\f\\X.tte"},
      {L"C:\\My Fonts\\a b.TTE", L"C:\\My Fonts\\a b.TTE"},
      {L"C:\\f\\Xeuf", L"C:\\f\\Xtte"},  // only the last three characters count
      {L"uf", L"uf"},
  };
  for (const auto& c : cases) EXPECT_EQ(PrinterTtePath(c.shown), c.printed) << c.shown;
  EXPECT_EQ(PrinterCommandLine(L"C:\\Program Files\\Moji\\", L"C:\\My Fonts\\a b.tte"),
            L"\"C:\\Program Files\\Moji\\Mojisheet.exe\" /F:C:\\My Fonts\\a b.tte");
  EXPECT_EQ(GlyphEditorCommandLine(L"C:\\p q\\", L"E01F"), L"\"C:\\p q\\Mojidraw.exe\" E01F");
  EXPECT_EQ(UpdaterCommandLine(L"C:\\p q\\"), L"\"C:\\p q\\Updatix.exe\"");
}

// A top-level window tagged `tag` on a thread of its own, with a message loop that ends on
// WM_QUIT; Ended() tells whether it did.
class TaggedWindowThread {
 public:
  explicit TaggedWindowThread(const wchar_t* tag) {
    HANDLE ready = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_thread = std::thread([this, tag, ready] {
      m_window = ::CreateWindowExW(0, L"STATIC", L"tagged", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
      TagWindow(m_window, tag);
      ::SetEvent(ready);
      MSG msg;
      while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
      m_ended = true;
      RemoveTag(m_window, tag);
      ::DestroyWindow(m_window);
    });
    ::WaitForSingleObject(ready, 5000);
    ::CloseHandle(ready);
  }
  ~TaggedWindowThread() {
    if (!m_ended) ::PostThreadMessageW(::GetWindowThreadProcessId(m_window, nullptr), WM_QUIT, 0, 0);
    m_thread.join();
  }
  HWND Window() const { return m_window; }
  bool WaitForEnd() {
    for (int i = 0; i < 200 && !m_ended; ++i) ::Sleep(10);
    return m_ended;
  }

 private:
  std::thread m_thread;
  HWND m_window = nullptr;
  std::atomic<bool> m_ended{false};
};

TEST(ExternalPrograms, ThePrinterStartsOnlyWithoutARunningPrinterAndWithATteFile) {
  test::ScratchFolder folder(L"printer launch");
  const fs::path tte = folder / L"X.tte";
  test::WriteBytes(tte, "x");
  const fs::path euf = folder / L"X.EUF";
  {
    // A running printer: 2052, nothing started (the folder has no printer to start).
    TaggedWindowThread printer(kPrinterTag);
    MessageRecorder messages;
    EXPECT_FALSE(StartCodeTablePrinter(nullptr, folder.Folder(), euf.wstring()));
    EXPECT_EQ(messages.texts, std::vector<std::wstring>{
                                  L"このﾌﾟﾛｸﾞﾗﾑは１つしか起動できません。\r\n印刷対象を変更して実行したい場合は、一旦終了して再度印刷処理を起動して下さい。"});
  }
  MessageRecorder messages;
  // No TTE beside the shown EUF: 2037.
  EXPECT_FALSE(StartCodeTablePrinter(nullptr, folder.Folder(), (folder / L"Y.euf").wstring()));
  // The TTE is there but the printer is not: 2050 with the command line.
  EXPECT_FALSE(StartCodeTablePrinter(nullptr, folder.Folder(), euf.wstring()));
  EXPECT_EQ(messages.texts, (std::vector<std::wstring>{
                                L"外字一覧印刷には「TTE」ファイルが必要です。",
                                L"'\"" + folder.Folder() + L"Mojisheet.exe\" /F:" + tte.wstring() +
                                    L"'\r\nﾌﾟﾛｸﾞﾗﾑの起動に失敗しました。"}));
}

TEST(ExternalPrograms, TheUpdateEndsEveryBrowserAndPrinter) {
  TaggedWindowThread browser(kBrowserTag), printer(kPrinterTag);
  HWND self = ::CreateWindowExW(0, L"STATIC", L"self", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(self);
  QuitAllBrowsersAndPrinters(self);
  EXPECT_TRUE(browser.WaitForEnd());
  EXPECT_TRUE(printer.WaitForEnd());
  MSG msg;
  EXPECT_TRUE(::PeekMessageW(&msg, self, WM_QUIT, WM_QUIT, PM_REMOVE)) << "this browser's own loop must end too";
  ::DestroyWindow(self);
}

// The help file beside the test program, the viewer replaced by a recorder.
class HelpTest : public ::testing::Test {
 protected:
  struct Call {
    HWND owner;
    fs::path file;
    std::wstring page;
  };
  void SetUp() override {
    SetHelpViewerFunction([this](HWND owner, const fs::path& file, const std::wstring& page) {
      calls.push_back({owner, file, page});
      return true;
    });
  }
  void TearDown() override {
    SetHelpViewerFunction(nullptr);
    std::error_code ec;
    fs::remove(HelpFilePath(), ec);
  }
  std::vector<Call> calls;
};

TEST_F(HelpTest, OpensThePageOfTheContextOrSaysThatTheFileIsMissing) {
  EXPECT_EQ(HelpFilePath(), fs::path(GetProgramFolder() + L"Mojiview.chm"));
  std::error_code ec;
  fs::remove(HelpFilePath(), ec);
  {
    MessageRecorder messages;
    EXPECT_FALSE(ShowHelp(nullptr, kHelpContextMain));
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(messages.texts, std::vector<std::wstring>{L"'" + HelpFilePath().wstring() + L"'\r\nﾍﾙﾌﾟﾌｧｲﾙが見つかりません。"});
  }
  test::WriteBytes(HelpFilePath(), "ITSF");
  HWND owner = ::GetDesktopWindow();
  const struct {
    UINT context;
    const wchar_t* page;
  } cases[] = {{40, L"index.htm"}, {14, L"yomi.htm"}, {99, L"index.htm"}};
  for (const auto& c : cases) {
    calls.clear();
    EXPECT_TRUE(ShowHelp(owner, c.context));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].owner, owner);
    EXPECT_EQ(calls[0].file, HelpFilePath());
    EXPECT_EQ(calls[0].page, c.page) << c.context;
  }
}

TEST_F(HelpTest, F1InTheBrowsersDialogsOpensTheMainPageForTheDialog) {
  test::WriteBytes(HelpFilePath(), "ITSF");
  CSettings settings(GetProgramFolder());
  CAddrJumpDlg jump;
  CTTELoadDlg load(settings);
  CAboutDlg about;
  for (CDialog* dialog : std::vector<CDialog*>{&jump, &load, &about}) {
    calls.clear();
    ASSERT_TRUE(dialog->Create(nullptr));
    MSG f1{dialog->Item(IDOK), WM_KEYDOWN, VK_F1, 0, 0, {}};
    EXPECT_TRUE(dialog->PreTranslateMessage(f1)) << "F1 is taken";
    ASSERT_EQ(calls.size(), 1u) << dialog->TemplateId();
    EXPECT_EQ(calls[0].owner, dialog->Handle());
    EXPECT_EQ(calls[0].page, L"index.htm");
    dialog->Destroy();
  }
}

}  // namespace
}  // namespace moji
