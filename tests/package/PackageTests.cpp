// The Windows deliverables as a user without administrator rights gets them: the installer
// run silently into the user's own folders, the installed browser started and its About
// box read, the silent uninstall; an upgrade and an uninstall around a running browser;
// and the zip unpacked into a fresh folder (by RunPackageTests.sh) started the same way.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "MojiVersion.h"
#include "MojiviewRes.h"
#include "TargetProcess.h"
#include "WindowDriver.h"

namespace moji::gui {
namespace {

namespace fs = std::filesystem;

constexpr wchar_t kVersion[] = L"" MOJI_VERSION_STRING;
constexpr wchar_t kBrowserTag[] = L"_MOJIVIEW_APPLICATION_TAG";
constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Mojiview";
constexpr wchar_t kTteCommandKey[] = L"Software\\Classes\\Mojiview\\shell\\外字ﾌｫﾝﾄﾌﾟﾚﾋﾞｭｰ...\\command";
constexpr wchar_t kTteExtensionKey[] = L"Software\\Classes\\.tte";
constexpr DWORD kStepMs = 60000;

fs::path KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR path = nullptr;
  fs::path result;
  if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) result = path;
  CoTaskMemFree(path);
  return result;
}

fs::path InstallFolder() { return KnownFolder(FOLDERID_LocalAppData) / L"Programs" / L"Mojiview"; }
fs::path MenuFolder() { return KnownFolder(FOLDERID_Programs) / L"Mojiview"; }

std::optional<std::wstring> UserString(const wchar_t* key, const wchar_t* name) {
  wchar_t value[1024] = {};
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(value);
}

std::optional<std::wstring> UninstallString(const wchar_t* name) { return UserString(kUninstallKey, name); }

std::optional<DWORD> UninstallNumber(const wchar_t* name) {
  DWORD value = 0, size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return value;
}

// Runs a program to its end, as the shell does from outside the program folder (a process
// whose current folder lies there keeps the folder from going); its exit code, or nothing
// when it did not end in time.
std::optional<DWORD> RunToEnd(const fs::path& program, const std::wstring& arguments) {
  CTargetProcess process;
  if (!process.Start(program, arguments, fs::temp_directory_path())) return std::nullopt;
  return process.WaitForExit(kStepMs);
}

// Starts the browser of `folder`, checks that its settings file appears beside it and that
// its About box names the version of the packages, and closes it again.
void StartBrowserAndReadAbout(const fs::path& folder) {
  CTargetProcess browser;
  ASSERT_TRUE(browser.Start(folder / L"Mojiview.exe", {}, folder));
  HWND main = browser.WaitForMainWindow(kStepMs, kBrowserTag);
  ASSERT_TRUE(main) << "no tagged main window";
  EXPECT_TRUE(WaitUntil([&] { return fs::exists(folder / L"Mojiview.ini"); })) << "settings file beside the program";

  ASSERT_TRUE(PostCommand(main, ID_APP_ABOUT));
  HWND about = WaitForDialog(browser.Id(), L"Mojiviewのﾊﾞｰｼﾞｮﾝ情報");
  ASSERT_TRUE(about);
  EXPECT_EQ(ControlText(about, IDC_ABOUT_VERSION), std::wstring(L"Mojiview Version ") + kVersion);
  const std::wstring homepage = L"" MOJI_HOMEPAGE_URL;
  EXPECT_EQ(ControlText(about, IDC_ABOUT_URL), homepage.empty() ? L"使い方の説明 (Mojiview.chm)" : homepage);
  PressButton(about, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(browser.WaitForExit(kStepMs).has_value()) << "the browser did not end";
  if (browser.IsRunning()) browser.Terminate();
}

fs::path PackageFolder() { return MOJI_PACKAGE_DIR; }
fs::path Installer() { return PackageFolder() / (std::wstring(L"Mojiview-") + kVersion + L"-setup.exe"); }
fs::path UnpackedFolder() { return fs::path(MOJI_UNPACKED_DIR) / (std::wstring(L"Mojiview-") + kVersion); }

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What an earlier failed run left behind: installs, shortcuts, uninstall entry, association.
void ForgetEarlierInstalls(const fs::path& folder) {
  std::error_code ignored;
  for (const fs::path& f : {InstallFolder(), folder, MenuFolder()}) fs::remove_all(f, ignored);
  for (const wchar_t* key : {kUninstallKey, L"Software\\Classes\\Mojiview", kTteExtensionKey})
    RegDeleteTreeW(HKEY_CURRENT_USER, key);
}

bool Uninstalled() { return !UninstallString(L"DisplayName").has_value(); }

// The browser of `folder`, started and its tagged main window found.
HWND StartBrowser(CTargetProcess& browser, const fs::path& folder) {
  if (!browser.Start(folder / L"Mojiview.exe", {}, folder)) return nullptr;
  return browser.WaitForMainWindow(kStepMs, kBrowserTag);
}

TEST(Package, ArchiveAndInstallerCarryTheProgramsVersion) {
  EXPECT_TRUE(fs::exists(PackageFolder() / (std::wstring(L"Mojiview-") + kVersion + L".zip")));
  EXPECT_TRUE(fs::exists(PackageFolder() / (std::wstring(L"Mojiview-") + kVersion + L"-setup.exe")));
}

TEST(Package, SilentInstallStartAndUninstallAsTheUser) {
  const fs::path setup = Installer();
  const fs::path folder = InstallFolder();
  ForgetEarlierInstalls(folder);

  ASSERT_EQ(RunToEnd(setup, L"/S"), std::optional<DWORD>(0));
  for (const wchar_t* file : {L"Mojiview.exe", L"Mojisheet.exe", L"SPACE_16.euf", L"SPACE_64.euf", L"SPACE_256.euf",
                              L"Sample\\SampleGaiji.tte", L"Sample\\SampleGaiji.euf", L"読んでください.txt", L"Mojiview.chm",
                              L"Uninstall.exe"})
    EXPECT_TRUE(fs::exists(folder / file)) << fs::path(file).string();
  EXPECT_TRUE(fs::exists(MenuFolder() / L"Mojiview 外字ブラウザ.lnk"));
  EXPECT_TRUE(fs::exists(MenuFolder() / L"Mojisheet 外字一覧表.lnk"));

  EXPECT_EQ(UninstallString(L"DisplayName"), L"Mojiview 外字ブラウザ");
  EXPECT_EQ(UninstallString(L"DisplayVersion"), kVersion);
  EXPECT_EQ(UninstallString(L"Publisher"), L"" MOJI_PUBLISHER);
  EXPECT_EQ(UninstallString(L"DisplayIcon"), (folder / L"Mojiview.exe").wstring() + L",0");
  EXPECT_EQ(UninstallString(L"UninstallString"), L"\"" + (folder / L"Uninstall.exe").wstring() + L"\"");
  EXPECT_EQ(UninstallString(L"URLInfoAbout").value_or(L""), L"" MOJI_HOMEPAGE_URL);
  const std::optional<DWORD> size = UninstallNumber(L"EstimatedSize");
  ASSERT_TRUE(size.has_value());
  EXPECT_GT(*size, 100u) << "KiB of the installed files";

  StartBrowserAndReadAbout(folder);

  // A font the user keeps in the program folder outlives the uninstall, and so does a TTE
  // association that opens another folder's browser; everything else goes.
  const fs::path usersFont = folder / L"Sample" / L"MyGaiji.tte";
  fs::copy_file(folder / L"Sample" / L"SampleGaiji.tte", usersFont);
  const std::wstring elsewhere = L"\"C:\\Tools\\Mojiview\\Mojiview\" \"%1\"";
  RegSetKeyValueW(HKEY_CURRENT_USER, kTteCommandKey, nullptr, REG_SZ, elsewhere.c_str(),
                  static_cast<DWORD>((elsewhere.size() + 1) * sizeof(wchar_t)));
  ASSERT_EQ(RunToEnd(folder / L"Uninstall.exe", L"/S"), std::optional<DWORD>(0));
  // The uninstaller runs on from a copy of itself in the temporary folder; removing its key
  // is the last thing it does.
  EXPECT_TRUE(WaitUntil(Uninstalled, kStepMs)) << "the uninstall key is left";
  EXPECT_FALSE(fs::exists(folder / L"Mojiview.exe"));
  EXPECT_TRUE(fs::exists(usersFont));
  EXPECT_EQ(UserString(kTteCommandKey, nullptr), elsewhere);
  EXPECT_FALSE(fs::exists(folder / L"Mojiview.ini"));
  EXPECT_FALSE(fs::exists(folder / L"Uninstall.exe"));
  fs::remove(usersFont);
  fs::remove(folder / L"Sample");
  fs::remove(folder);

  // Without the user's file nothing at all is left.
  ASSERT_EQ(RunToEnd(setup, L"/S"), std::optional<DWORD>(0));
  ASSERT_EQ(RunToEnd(folder / L"Uninstall.exe", L"/S"), std::optional<DWORD>(0));
  EXPECT_TRUE(WaitUntil(Uninstalled, kStepMs)) << "the uninstall key is left";
  EXPECT_FALSE(fs::exists(folder)) << "the program folder is left";
  EXPECT_FALSE(fs::exists(MenuFolder()));
  ForgetEarlierInstalls(folder);
}

// A second install, silent and without /D, goes where the first went and replaces the
// programs of a running browser, which it closes; the user's settings and fonts stay.
// The uninstaller closes a running browser too and removes the browser's association
// with TTE files, which names its folder.
TEST(Package, UpgradeAndUninstallAroundARunningBrowser) {
  const fs::path folder = KnownFolder(FOLDERID_LocalAppData) / L"Moji Test" / L"外字 ツール";
  ForgetEarlierInstalls(folder.parent_path());
  ASSERT_EQ(RunToEnd(Installer(), L"/S /D=" + folder.wstring()), std::optional<DWORD>(0));
  EXPECT_EQ(UninstallString(L"InstallLocation"), folder.wstring());

  const std::string settings = "[Common]\r\nDefaultEudcFont=MyGaiji.tte\r\n";
  std::ofstream(folder / L"Mojiview.ini", std::ios::binary) << settings;
  const fs::path usersFont = folder / L"Sample" / L"MyGaiji.tte";
  fs::copy_file(folder / L"Sample" / L"SampleGaiji.tte", usersFont);
  // A browser that runs from a program file unlike the package's (extra bytes at its end).
  std::ofstream(folder / L"Mojiview.exe", std::ios::binary | std::ios::app) << "older build";
  {
    CTargetProcess browser;
    ASSERT_TRUE(StartBrowser(browser, folder)) << "no tagged main window";
    ASSERT_EQ(RunToEnd(Installer(), L"/S"), std::optional<DWORD>(0));
    EXPECT_TRUE(browser.WaitForExit(kStepMs).has_value()) << "the installer left the browser running";
    if (browser.IsRunning()) browser.Terminate();
  }
  EXPECT_TRUE(ReadAll(folder / L"Mojiview.exe") == ReadAll(UnpackedFolder() / L"Mojiview.exe")) << "the new program";
  EXPECT_FALSE(fs::exists(InstallFolder())) << "the second install went to the default folder";
  EXPECT_EQ(ReadAll(folder / L"Mojiview.ini").substr(0, settings.size()), settings);
  EXPECT_TRUE(fs::exists(usersFont));

  // The browser's own command associates TTE files with it; the uninstall runs meanwhile.
  CTargetProcess browser;
  HWND main = StartBrowser(browser, folder);
  ASSERT_TRUE(main);
  ASSERT_TRUE(PostCommand(main, ID_TTE_ASSOCIATE));
  ASSERT_TRUE(AnswerMessageBox(WaitForMessageBox(browser.Id()), IDYES).has_value());
  ASSERT_TRUE(AnswerMessageBox(WaitForMessageBox(browser.Id()), IDOK).has_value());
  EXPECT_EQ(UserString(kTteCommandKey, nullptr), L"\"" + (folder / L"Mojiview").wstring() + L"\" \"%1\"");
  EXPECT_EQ(UserString(kTteExtensionKey, nullptr), L"Mojiview");

  ASSERT_EQ(RunToEnd(folder / L"Uninstall.exe", L"/S"), std::optional<DWORD>(0));
  EXPECT_TRUE(WaitUntil(Uninstalled, kStepMs)) << "the uninstall key is left";
  EXPECT_TRUE(browser.WaitForExit(kStepMs).has_value()) << "the uninstaller left the browser running";
  if (browser.IsRunning()) browser.Terminate();
  EXPECT_FALSE(fs::exists(folder / L"Mojiview.exe"));
  EXPECT_TRUE(fs::exists(usersFont));
  EXPECT_FALSE(UserString(kTteCommandKey, nullptr).has_value());
  EXPECT_FALSE(UserString(kTteExtensionKey, nullptr).has_value());
  ForgetEarlierInstalls(folder.parent_path());
}

TEST(Package, UnpackedArchiveRunsWhereItLies) {
  const fs::path folder = UnpackedFolder();
  ASSERT_TRUE(fs::exists(folder / L"Mojiview.exe")) << "RunPackageTests.sh unpacks the archive first";
  EXPECT_TRUE(fs::exists(folder / L"Mojisheet.exe"));
  EXPECT_TRUE(fs::exists(folder / L"Sample" / L"SampleGaiji.tte"));
  EXPECT_FALSE(fs::exists(folder / L"Mojiview.ini")) << "settings of the build machine were packed";
  StartBrowserAndReadAbout(folder);
}

}  // namespace
}  // namespace moji::gui
