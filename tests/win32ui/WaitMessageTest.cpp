// The wait box: its text, its place, that it is painted before the work starts, and that
// it goes with the object.
#include <windows.h>

#include <gtest/gtest.h>

#include "MojiviewRes.h"
#include "WaitMessage.h"

namespace moji {
namespace {

std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

POINT CentreOf(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

TEST(WaitMessage, ShowsTheTemplateTextUnlessAStringIsGiven) {
  const std::wstring standard = L"処理中です。\rしばらくお待ち下さい。";
  {
    CWaitMessage wait;
    EXPECT_EQ(TextOf(wait.TextControl()), standard);
  }
  {
    CWaitMessage wait(IDS_STARTING);
    EXPECT_EQ(TextOf(wait.TextControl()), L"ﾌﾟﾛｸﾞﾗﾑ起動中です。\r\nしばらくお待ち下さい。");
  }
  {
    CWaitMessage wait(9999);  // no such string
    EXPECT_EQ(TextOf(wait.TextControl()), standard);
  }
}

TEST(WaitMessage, IsCentredVisiblePaintedAndGoesWithTheObject) {
  HWND box = nullptr;
  {
    CWaitMessage wait(IDS_STARTING);
    box = wait.Handle();
    ASSERT_TRUE(box);
    EXPECT_TRUE(IsWindowVisible(box));
    EXPECT_EQ(GetParent(box), nullptr);
    // Painted before the constructor returned: nothing is left to paint.
    RECT dirty{};
    EXPECT_FALSE(GetUpdateRect(box, &dirty, FALSE));
    EXPECT_FALSE(GetUpdateRect(wait.TextControl(), &dirty, FALSE));
    // On the desktop's centre.
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    const POINT centre = CentreOf(box);
    EXPECT_NEAR(centre.x, (desktop.left + desktop.right) / 2, 1);
    EXPECT_NEAR(centre.y, (desktop.top + desktop.bottom) / 2, 1);
    // It cannot run modally a second time.
    EXPECT_EQ(wait.DoModal(nullptr), 0);
    EXPECT_TRUE(IsWindowVisible(box));
  }
  EXPECT_FALSE(IsWindow(box));

  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 100, 120, 600, 400, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(owner);
  {
    CWaitMessage wait(IDS_WAIT_SEARCHING, owner);
    EXPECT_EQ(TextOf(wait.TextControl()), L"検索中です。\r\nPause/Breakキーで中止");
    const POINT centre = CentreOf(wait.Handle());
    EXPECT_NEAR(centre.x, 400, 1);
    EXPECT_NEAR(centre.y, 320, 1);
  }
  DestroyWindow(owner);
}

TEST(WaitMessage, AHiddenBoxIsShownCentredAndPaintedForEachRun) {
  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 100, 120, 600, 400, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(owner);
  CWaitMessage wait(IDS_WAIT_SEARCHING, owner, false);
  ASSERT_TRUE(wait.Handle());
  EXPECT_FALSE(IsWindowVisible(wait.Handle()));
  EXPECT_EQ(TextOf(wait.TextControl()), L"検索中です。\r\nPause/Breakキーで中止");
  for (const POINT ownerAt : {POINT{100, 120}, POINT{300, 200}}) {
    SetWindowPos(owner, nullptr, ownerAt.x, ownerAt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    wait.Show();
    EXPECT_TRUE(IsWindowVisible(wait.Handle()));
    RECT dirty{};
    EXPECT_FALSE(GetUpdateRect(wait.Handle(), &dirty, FALSE));
    EXPECT_FALSE(GetUpdateRect(wait.TextControl(), &dirty, FALSE));
    const POINT centre = CentreOf(wait.Handle());
    EXPECT_NEAR(centre.x, ownerAt.x + 300, 1);
    EXPECT_NEAR(centre.y, ownerAt.y + 200, 1);
    wait.Hide();
    EXPECT_FALSE(IsWindowVisible(wait.Handle()));
  }
  DestroyWindow(owner);
}

}  // namespace
}  // namespace moji
