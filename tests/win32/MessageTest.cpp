// Resource strings, formatting and the numbered message box under Wine.
#include "Message.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "Log.h"
#include "Win32TestSupport.h"

namespace moji {
namespace {

TEST(Message, FormattingUsesWideStringsForPercentS) {
  EXPECT_EQ(FormatText(L"[%s|%d|%4.4X|%8.8X]", L"外字", -3, 0xe0, 0xABCDEF), L"[外字|-3|00E0|00ABCDEF]");
  EXPECT_EQ(FormatResource(64000, L"C:\\x\\EUDC.TTE", 7, 0xF8FF, 1), L"'C:\\x\\EUDC.TTE'\r\n7:F8FF:00000001");
  // Texts longer than any fixed buffer come back whole.
  const std::wstring longText(100000, L'あ');
  EXPECT_EQ(FormatResource(64002, longText.c_str()), longText);
  EXPECT_EQ(LoadResourceString(64001), L"◇テスト　終了\n\n");
  EXPECT_EQ(LoadResourceString(64003), L"");
  EXPECT_EQ(FormatResource(64003, L"x"), L"");
}

TEST(Message, ReplacedBoxSeesTextCaptionAndTypeAndTheLoggedVariantLogs) {
  struct Seen {
    HWND owner;
    std::wstring text, caption;
    UINT type;
  } seen{};
  SetMessageBoxFunction([&](HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
    seen = {owner, text, caption, type};
    return IDNO;
  });
  test::ScratchFolder folder(L"message");
  const auto log = folder / L"Mojiview.log";
  CLog::Open(log);

  EXPECT_EQ(ShowMessage(nullptr, 64000, MB_YESNO | MB_ICONQUESTION, L"a.tte", 1, 2, 3), IDNO);
  EXPECT_EQ(seen.text, L"'a.tte'\r\n1:0002:00000003");
  EXPECT_EQ(seen.caption, L"Mojiview");
  EXPECT_EQ(seen.type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_FALSE(std::filesystem::exists(log));

  SetAppName(L"Mojisheet");
  EXPECT_EQ(ShowMessageLogged(nullptr, 64000, MB_OK, L"b.tte", 4, 5, 6), IDNO);
  EXPECT_EQ(seen.caption, L"Mojisheet");
  SetAppName(L"Mojiview");
  CLog::Close();
  SetMessageBoxFunction(nullptr);
  const std::string logged = test::ReadBytes(log);
  EXPECT_NE(logged.find("] 'b.tte'\r\n4:0005:00000006\n"), std::string::npos) << logged;
}

// Finds the message box of this process, reads it and presses No.
struct BoxReader {
  std::wstring text, caption;
  bool found = false;

  static BOOL CALLBACK Find(HWND window, LPARAM param) {
    wchar_t className[16] = {};
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    GetClassNameW(window, className, 16);
    if (pid != GetCurrentProcessId() || std::wstring(className) != L"#32770" || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
  }

  void Run() {
    for (int waited = 0; waited < 20000 && !found; waited += 50) {
      HWND box = nullptr;
      EnumWindows(Find, reinterpret_cast<LPARAM>(&box));
      if (box == nullptr) {
        Sleep(50);
        continue;
      }
      wchar_t buffer[512] = {};
      GetWindowTextW(box, buffer, 512);
      caption = buffer;
      SendMessageW(GetDlgItem(box, 0xFFFF), WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer));
      text = buffer;
      found = true;
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDNO)));
    }
  }
};

TEST(Message, RealMessageBoxShowsTheFormattedTextUnderTheApplicationName) {
  BoxReader reader;
  std::thread answer([&] { reader.Run(); });
  const int button = ShowMessage(nullptr, 64000, MB_YESNOCANCEL | MB_ICONQUESTION, L"C:\\gaiji\\test.tte", 9, 10, 11);
  answer.join();
  ASSERT_TRUE(reader.found) << "needs a display";
  EXPECT_EQ(button, IDNO);
  EXPECT_EQ(reader.caption, L"Mojiview");
  EXPECT_EQ(reader.text, L"'C:\\gaiji\\test.tte'\r\n9:000A:0000000B");
}

}  // namespace
}  // namespace moji
