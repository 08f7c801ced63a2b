// Program folder, launching, window tags and the command-line target under Wine.
#include "ProcessUtil.h"

#include "FullPath.h"

#include <gtest/gtest.h>

#include "Win32TestSupport.h"

namespace moji {
namespace {

bool WaitForFile(const std::filesystem::path& path, int milliseconds) {
  for (int waited = 0; waited < milliseconds; waited += 50) {
    if (std::filesystem::exists(path) && std::filesystem::file_size(path) > 0) return true;
    Sleep(50);
  }
  return false;
}

TEST(ProcessUtil, ProgramFolderEndsInABackslashAndHoldsTheProgram) {
  const std::wstring folder = GetProgramFolder();
  const std::wstring path = GetProgramPath();
  ASSERT_GT(folder.size(), 3u);
  EXPECT_EQ(folder.back(), L'\\');
  EXPECT_EQ(path.rfind(folder, 0), 0u);
  EXPECT_EQ(path.find(L'\\', folder.size()), std::wstring::npos);
  EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(ProcessUtil, FullPathResolvesNamesAgainstTheCurrentFolder) {
  test::ScratchFolder folder(L"fullpath");
  wchar_t before[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, before);
  ASSERT_TRUE(SetCurrentDirectoryW(folder.Path().c_str()));
  const std::wstring here = folder.Path().wstring();
  const std::wstring parent = folder.Path().parent_path().wstring();
  const std::wstring longName(300, L'a');
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"K.tte", here + L"\\K.tte"},
      {L".\\K.tte", here + L"\\K.tte"},
      {L"sub\\..\\my font.tte", here + L"\\my font.tte"},
      {L"..\\K.tte", parent + L"\\K.tte"},
      {L"C:\\x\\y\\..\\K.tte", L"C:\\x\\K.tte"},
      {L"\\\\server\\share\\K.tte", L"\\\\server\\share\\K.tte"},
      {longName + L".tte", here + L"\\" + longName + L".tte"},  // longer than MAX_PATH
      {L"", L""},
  };
  for (const auto& [name, full] : cases) EXPECT_EQ(FullPath(name).wstring(), full) << name;
  SetCurrentDirectoryW(before);
}

TEST(ProcessUtil, LaunchProgramStartsTheWholeCommandLineWithoutWaiting) {
  test::ScratchFolder folder(L"launch");
  const auto out = folder / L"out put.txt";
  const std::wstring line = L"cmd.exe /c echo launched> \"" + out.wstring() + L"\"";
  EXPECT_TRUE(LaunchProgram(line, SW_SHOWDEFAULT));
  EXPECT_TRUE(WaitForFile(out, 20000));
  EXPECT_EQ(test::ReadBytes(out).substr(0, 8), "launched");
  EXPECT_FALSE(LaunchProgram(L"\"" + folder.Folder() + L"no such program.exe\" /M", SW_SHOWDEFAULT));
}

TEST(ProcessUtil, OnlyWindowsCarryingTheBrowserTagAreCounted) {
  const int before = CountBrowserWindows();
  const auto make = [] {
    return CreateWindowExW(0, L"STATIC", L"tagged", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);  // hidden top-level window
  };
  HWND browser = make(), printer = make(), child = nullptr;
  ASSERT_NE(browser, nullptr) << "needs a display";
  ASSERT_NE(printer, nullptr);
  child = CreateWindowExW(0, L"STATIC", L"child", WS_CHILD, 0, 0, 5, 5, browser, nullptr, GetModuleHandleW(nullptr), nullptr);
  EXPECT_TRUE(TagWindow(browser, kBrowserTag));
  EXPECT_TRUE(TagWindow(printer, kPrinterTag));
  EXPECT_TRUE(TagWindow(child, kBrowserTag));  // child windows are not enumerated
  EXPECT_EQ(CountBrowserWindows(), before + 1);
  EXPECT_EQ(CountTaggedWindows(kPrinterTag), 1);
  EXPECT_EQ(GetPropW(browser, L"_MOJIVIEW_APPLICATION_TAG"), reinterpret_cast<HANDLE>(1));
  RemoveTag(browser, kBrowserTag);
  EXPECT_EQ(CountBrowserWindows(), before);
  RemoveTag(printer, kPrinterTag);
  DestroyWindow(browser);
  DestroyWindow(printer);
}

TEST(ProcessUtil, CommandLineTargetIsTheFirstExistingArgument) {
  test::ScratchFolder folder(L"cmdline");
  const std::wstring a = (folder / L"外字 one.tte").wstring(), b = (folder / L"two.euf").wstring();
  test::WriteBytes(a, "x");
  test::WriteBytes(b, "x");
  const std::wstring missing = (folder / L"nonexist.tte").wstring();
  EXPECT_EQ(FindCommandLineStartTarget((L"\"C:\\p\\Mojiview.exe\" \"-" + a + L"\" " + b).c_str()), a);
  EXPECT_EQ(FindCommandLineStartTarget((L"Mojiview.exe " + missing + L" /" + b).c_str()), b);
  EXPECT_EQ(FindCommandLineStartTarget((L"Mojiview.exe /M " + missing).c_str()), L"");
  EXPECT_EQ(FindCommandLineStartTarget(L"Mojiview.exe"), L"");
  // The program's own name is never a target, even when it exists.
  EXPECT_EQ(FindCommandLineStartTarget((L"\"" + b + L"\"").c_str()), L"");
  // Relative names are looked up in the current folder and kept as given.
  wchar_t current[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, current);
  ASSERT_TRUE(SetCurrentDirectoryW(folder.Path().c_str()));
  EXPECT_EQ(FindCommandLineStartTarget(L"Mojiview.exe -two.euf"), L"two.euf");
  SetCurrentDirectoryW(current);
}

}  // namespace
}  // namespace moji
