// The driver against the fake target: everything a browser scenario will do, on a program
// whose behaviour is known.
#include <gmock/gmock.h>

#include "GuiScenario.h"

namespace moji::gui {
namespace {

using ::testing::UnorderedElementsAre;

constexpr wchar_t kTag[] = L"_MOJI_FAKE_TARGET_TAG";
constexpr wchar_t kProgram[] = L"FakeTarget.exe";
constexpr WORD kAskCommand = 40001, kExitCommand = 57665;
constexpr int kStatus = 1000, kPush = 1001, kInput = 1002;
constexpr COLORREF kBackground = 0x00C0FFFF;

class FakeTargetScenario : public CGuiScenario {
 protected:
  void SetUp() override {
    CGuiScenario::SetUp();
    ASSERT_TRUE(Folder().AddFile(FakeTargetProgram()));
  }

  std::wstring Status(HWND main) { return ControlText(main, kStatus); }
};

TEST_F(FakeTargetScenario, WindowIsFoundReadCapturedAndAnswersAQuestionBox) {
  ASSERT_TRUE(std::filesystem::exists(Folder().File(L"SPACE_64.euf"))) << "the program folder was not copied";
  auto& target = Start(kProgram);
  HWND main = target.WaitForMainWindow(kDefaultTimeoutMs, kTag);
  ASSERT_TRUE(main);
  EXPECT_EQ(WindowText(main), L"FakeTarget　[ - ] 64×64");
  EXPECT_EQ(Status(main), L"ﾚﾃﾞｨ　外字ブラウザの代役です");
  EXPECT_EQ(CountWindowsWithProperty(kTag), 1);
  const RECT rect = WindowRect(main);
  EXPECT_EQ(rect.left, 40);
  EXPECT_EQ(rect.top, 40);
  EXPECT_EQ(rect.right - rect.left, 480);

  // A capture of the window shows its own background colour where the client area is
  // blank (channel order and offsets matter), and the screenshot file is written.
  Sleep(300);
  POINT blank = {300, 200};
  ClientToScreen(main, &blank);
  const RgbImage shot = CaptureWindow(main);
  EXPECT_EQ(shot.width, 480);
  EXPECT_EQ(PixelAt(shot, blank.x - rect.left, blank.y - rect.top), kBackground);
  const auto windowPng = Screenshot(L"window", main);
  EXPECT_GT(std::filesystem::file_size(windowPng), 1000u);

  ASSERT_TRUE(PostCommand(main, kAskCommand));
  HWND box = WaitForMessageBox(target.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(WindowText(box), L"FakeTarget");
  EXPECT_EQ(MessageBoxText(box), L"'C:\\gaiji\\test.tte'\r\nファイルを保存しますか？");
  std::vector<std::wstring> buttons;
  for (const auto& control : ReadControls(box)) {
    if (control.className == L"Button") buttons.push_back(control.text);
  }
  EXPECT_THAT(buttons, UnorderedElementsAre(L"はい(&Y)", L"いいえ(&N)", L"キャンセル"));
  Screenshot();

  ASSERT_TRUE(PressButton(box, IDNO));
  EXPECT_TRUE(WaitUntil([&] { return Status(main) == L"answer=7"; })) << Status(main);
  EXPECT_EQ(FindMessageBox(target.Id()), nullptr);

  ASSERT_TRUE(PostCommand(main, kExitCommand));
  EXPECT_EQ(target.WaitForExit(kDefaultTimeoutMs), std::optional<DWORD>(107));
  const std::wstring pos = std::to_wstring(rect.left) + L":" + std::to_wstring(rect.top) + L":" +
                           std::to_wstring(rect.right) + L":" + std::to_wstring(rect.bottom);
  EXPECT_EQ(ReadIniValue(Folder().File(L"FakeTarget.ini"), L"Window", L"Pos"), pos);
  EXPECT_EQ(ReadTextFile(Folder().File(L"FakeTarget.log")), std::optional<std::wstring>(L"◇FakeTarget　終了 answer=7\r\n"));
}

TEST_F(FakeTargetScenario, KeysClicksAndTypingReachTheTargetAndCtrlNStartsASecondProcess) {
  auto& first = Start(kProgram);
  HWND main = first.WaitForMainWindow(kDefaultTimeoutMs, kTag);
  ASSERT_TRUE(main);

  ASSERT_TRUE(PostKey(main, VK_F5));
  EXPECT_TRUE(WaitUntil([&] { return Status(main) == L"再読込 F5"; })) << Status(main);
  ASSERT_TRUE(ClickControl(main, kPush));
  EXPECT_TRUE(WaitUntil([&] { return Status(main) == L"ボタンが押されました"; })) << Status(main);
  ASSERT_TRUE(ClickControl(main, kInput));
  ASSERT_TRUE(TypeText(main, L"がいじ E123"));
  EXPECT_TRUE(WaitUntil([&] { return ControlText(main, kInput) == L"がいじ E123"; })) << ControlText(main, kInput);

  ASSERT_TRUE(SendKey(main, 'N', kCtrl));
  ASSERT_TRUE(WaitUntil([&] { return CountWindowsWithProperty(kTag) == 2; }));
  DWORD secondId = 0;
  for (HWND h : WindowsWithProperty(kTag)) {
    if (ProcessOf(h) != first.Id()) secondId = ProcessOf(h);
  }
  ASSERT_NE(secondId, 0u);
  auto& second = Adopt(secondId);
  Screenshot();

  // The clean-up after a scenario finds the second process too, though the driver did
  // not start it.
  EXPECT_EQ(TerminateProcessesIn(Folder().Path()), 2);
  EXPECT_TRUE(second.WaitForExit(0));
  EXPECT_TRUE(first.WaitForExit(0));
  EXPECT_EQ(CountWindowsWithProperty(kTag), 0);
}

TEST_F(FakeTargetScenario, StartUpRefusalShowsABoxWithoutMainWindowAndEnds) {
  auto& target = Start(kProgram, L"C:\\x\\EUDC.TXT");
  HWND box = WaitForMessageBox(target.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(FindDialog(target.Id(), L"FakeTarget"), box);
  EXPECT_EQ(MessageBoxText(box), L"'C:\\x\\EUDC.TXT'\r\n指定のﾌｧｲﾙは外字ﾌｫﾝﾄﾌｧｲﾙ TTE、EUF 何れでもありません。");
  EXPECT_EQ(target.WaitForMainWindow(300), nullptr) << "a message box is no main window";
  Screenshot();

  ASSERT_TRUE(PressButton(box, IDOK));
  // Waiting for a main window ends as soon as the process does, not when time runs out.
  const ULONGLONG start = GetTickCount64();
  EXPECT_EQ(target.WaitForMainWindow(20000), nullptr);
  EXPECT_LT(GetTickCount64() - start, 10000u);
  EXPECT_EQ(target.WaitForExit(kDefaultTimeoutMs), std::optional<DWORD>(3));
}

}  // namespace
}  // namespace moji::gui
