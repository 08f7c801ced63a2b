// The Windows deliverables as a user without administrator rights gets them: the installer
// run silently into the user's own folders, the installed browser started and its About
// box read, the silent uninstall; and the zip unpacked into a fresh folder (by
// RunPackageTests.sh) started the same way.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <filesystem>
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

std::optional<std::wstring> UninstallString(const wchar_t* name) {
  wchar_t value[1024] = {};
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(value);
}

std::optional<DWORD> UninstallNumber(const wchar_t* name) {
  DWORD value = 0, size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return value;
}

// Runs a program to its end; its exit code, or nothing when it did not end in time.
std::optional<DWORD> RunToEnd(const fs::path& program, const std::wstring& arguments) {
  CTargetProcess process;
  if (!process.Start(program, arguments)) return std::nullopt;
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
  PressButton(about, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about); }));
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(browser.WaitForExit(kStepMs).has_value()) << "the browser did not end";
  if (browser.IsRunning()) browser.Terminate();
}

fs::path PackageFolder() { return MOJI_PACKAGE_DIR; }

TEST(Package, ArchiveAndInstallerCarryTheProgramsVersion) {
  EXPECT_TRUE(fs::exists(PackageFolder() / (std::wstring(L"Mojiview-") + kVersion + L".zip")));
  EXPECT_TRUE(fs::exists(PackageFolder() / (std::wstring(L"Mojiview-") + kVersion + L"-setup.exe")));
}

TEST(Package, SilentInstallStartAndUninstallAsTheUser) {
  const fs::path setup = PackageFolder() / (std::wstring(L"Mojiview-") + kVersion + L"-setup.exe");
  const fs::path folder = InstallFolder();
  // What an earlier failed run left behind.
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  fs::remove_all(MenuFolder(), ignored);
  RegDeleteTreeW(HKEY_CURRENT_USER, kUninstallKey);

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
  const std::optional<DWORD> size = UninstallNumber(L"EstimatedSize");
  ASSERT_TRUE(size.has_value());
  EXPECT_GT(*size, 100u) << "KiB of the installed files";

  StartBrowserAndReadAbout(folder);

  // A font the user keeps in the program folder outlives the uninstall; everything else goes.
  const fs::path usersFont = folder / L"Sample" / L"MyGaiji.tte";
  fs::copy_file(folder / L"Sample" / L"SampleGaiji.tte", usersFont);
  ASSERT_EQ(RunToEnd(folder / L"Uninstall.exe", L"/S"), std::optional<DWORD>(0));
  // The uninstaller runs on from a copy of itself in the temporary folder; removing its key
  // is the last thing it does.
  const auto uninstalled = [] { return !UninstallString(L"DisplayName").has_value(); };
  EXPECT_TRUE(WaitUntil(uninstalled, kStepMs)) << "the uninstall key is left";
  EXPECT_FALSE(fs::exists(folder / L"Mojiview.exe"));
  EXPECT_TRUE(fs::exists(usersFont));
  EXPECT_FALSE(fs::exists(folder / L"Mojiview.ini"));
  EXPECT_FALSE(fs::exists(folder / L"Uninstall.exe"));
  fs::remove(usersFont);
  fs::remove(folder / L"Sample");
  fs::remove(folder);

  // Without the user's file nothing at all is left.
  ASSERT_EQ(RunToEnd(setup, L"/S"), std::optional<DWORD>(0));
  ASSERT_EQ(RunToEnd(folder / L"Uninstall.exe", L"/S"), std::optional<DWORD>(0));
  EXPECT_TRUE(WaitUntil(uninstalled, kStepMs)) << "the uninstall key is left";
  EXPECT_FALSE(fs::exists(folder)) << "the program folder is left";
  EXPECT_FALSE(fs::exists(MenuFolder()));
}

TEST(Package, UnpackedArchiveRunsWhereItLies) {
  const fs::path folder = fs::path(MOJI_UNPACKED_DIR) / (std::wstring(L"Mojiview-") + kVersion);
  ASSERT_TRUE(fs::exists(folder / L"Mojiview.exe")) << "RunPackageTests.sh unpacks the archive first";
  EXPECT_TRUE(fs::exists(folder / L"Mojisheet.exe"));
  EXPECT_TRUE(fs::exists(folder / L"Sample" / L"SampleGaiji.tte"));
  EXPECT_FALSE(fs::exists(folder / L"Mojiview.ini")) << "settings of the build machine were packed";
  StartBrowserAndReadAbout(folder);
}

}  // namespace
}  // namespace moji::gui
