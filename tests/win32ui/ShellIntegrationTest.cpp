// The browser's shell integration below the scenarios: the TTE association in a registry
// key of the test's own (also where a key cannot be made), the command lines of the
// programs it starts, and help through the viewer seam (file, page, F1 in the dialogs).
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "BrowserAboutDlg.h"
#include "AddrJumpDlg.h"
#include "CoreRes.h"
#include "ExternalPrograms.h"
#include "Help.h"
#include "Message.h"
#include "MojiVersion.h"
#include "MojiviewRes.h"
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

// The command lines themselves are read from the scenarios' launch-failure messages.
TEST(ExternalPrograms, ThePrinterGetsTheTteOfTheShownPath) {
  const struct {
    const wchar_t* shown;
    const wchar_t* printed;
  } cases[] = {
      {L"C:\\f\\X.euf", L"C:\\f\\X.tte"},         {L"C:\\f\\X.EUF", L"C:\\f\\X.tte"},
      {L"C:\\My Fonts\\a b.TTE", L"C:\\My Fonts\\a b.TTE"}, {L"C:\\f\\Xeuf", L"C:\\f\\Xtte"},
      {L"uf", L"uf"},
  };
  for (const auto& c : cases) EXPECT_EQ(PrinterTtePath(c.shown), c.printed) << c.shown;
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

// The missing file's message is seen in the help scenario, through the real box.
TEST_F(HelpTest, OpensThePageOfTheContextInTheProgramsTopics) {
  EXPECT_EQ(HelpFilePath(), fs::path(GetProgramFolder() + L"Mojiview.chm"));
  test::WriteBytes(HelpFilePath(), "ITSF");
  HWND owner = ::GetDesktopWindow();
  const std::span<const HelpTopic> browser = kBrowserHelpTopics, printer = kPrinterHelpTopics;
  const struct {
    std::span<const HelpTopic> topics;
    UINT context;
    const wchar_t* page;
  } cases[] = {{browser, 40, L"index.htm"},   {browser, 14, L"yomi.htm"},     {browser, 99, L"index.htm"},
               {printer, 40, L"printer.htm"}, {printer, 14, L"printer.htm"}, {{}, 40, L"index.htm"}};
  for (const auto& c : cases) {
    SetHelpTopics(c.topics);
    calls.clear();
    EXPECT_TRUE(ShowHelp(owner, c.context));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].owner, owner);
    EXPECT_EQ(calls[0].file, HelpFilePath());
    EXPECT_EQ(calls[0].page, c.page) << c.context;
  }
  SetHelpTopics(kBrowserHelpTopics);
}

// Without a web page of the build the link names the help and opens its first page, in
// either program; with one it shows the address.
TEST_F(HelpTest, TheAboutBoxLinksToTheHelpWhileTheBuildNamesNoWebPage) {
  test::WriteBytes(HelpFilePath(), "ITSF");
  AboutBoxLayout layout{IDD_ABOUTBOX, IDS_ABOUT_TITLE, IDC_ABOUT_VERSION, IDC_ABOUT_COPYRIGHT, IDC_ABOUT_URL};
  EXPECT_STREQ(layout.homepage, L"" MOJI_HOMEPAGE_URL);
  const std::span<const HelpTopic> browser = kBrowserHelpTopics, printer = kPrinterHelpTopics;
  for (const auto& [topics, homepage] : {std::pair{browser, L""}, {printer, L""}, {browser, L"https://example.org/g/"}}) {
    SetHelpTopics(topics);
    layout.homepage = homepage;
    CAboutDlg about(layout);
    ASSERT_TRUE(about.Create(nullptr));
    if (*homepage) {
      EXPECT_EQ(about.ItemText(IDC_ABOUT_URL), homepage);  // a click opens it with the shell: not here
    } else {
      EXPECT_EQ(about.ItemText(IDC_ABOUT_URL), LoadResourceString(IDS_ABOUT_HELP_LINK));
      calls.clear();
      ::SendMessageW(about.Item(IDC_ABOUT_URL), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
      ASSERT_EQ(calls.size(), 1u);
      EXPECT_EQ(calls[0].owner, about.Handle());
      EXPECT_EQ(calls[0].page, L"index.htm");
    }
    about.Destroy();
  }
  SetHelpTopics(kBrowserHelpTopics);
}

TEST_F(HelpTest, F1InTheBrowsersDialogsOpensTheMainPageForTheDialog) {
  test::WriteBytes(HelpFilePath(), "ITSF");
  CSettings settings(GetProgramFolder());
  CAddrJumpDlg jump;
  CTTELoadDlg load(settings);
  CBrowserAboutDlg about(nullptr, GetProgramFolder());
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
