// The recent-file list: order and capacity, its menu items in the frame, the settings file.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "FrameWindow.h"
#include "MojiviewRes.h"
#include "RecentFileList.h"
#include "Settings.h"
#include "UiTestSupport.h"

namespace moji {
namespace {

const wchar_t kPlaceholder[] = L"最近開いた外字ﾌｧｲﾙ";

TEST(RecentFileList, NewestFirstOnceEachAtMostCapacity) {
  CRecentFileList list(ID_FILE_MRU_FIRST, 8, kPlaceholder);
  EXPECT_EQ(list.LastId(), UINT(ID_FILE_MRU_FIRST + 7));
  for (int i = 1; i <= 9; ++i) list.Add(L"C:\\f\\" + std::to_wstring(i) + L".tte");
  EXPECT_EQ(list.Count(), 8);
  EXPECT_EQ(list.Entry(0), L"C:\\f\\9.tte");
  EXPECT_EQ(list.Entry(7), L"C:\\f\\2.tte");  // 1 fell off the end
  EXPECT_FALSE(list.Entry(8));
  EXPECT_FALSE(list.Entry(-1));
  // The same file in another letter case moves up instead of appearing twice.
  list.Add(L"c:\\F\\5.TTE");
  EXPECT_EQ(list.Count(), 8);
  EXPECT_EQ(list.Entry(0), L"c:\\F\\5.TTE");
  EXPECT_EQ(list.Entry(1), L"C:\\f\\9.tte");
  // Removal compares exactly.
  EXPECT_FALSE(list.Remove(L"C:\\F\\9.TTE"));
  EXPECT_TRUE(list.Remove(L"C:\\f\\9.tte"));
  EXPECT_EQ(list.Count(), 7);
  list.Add(L"");
  EXPECT_EQ(list.Count(), 7);
  list.Add(L"C:\\A&B\\x.tte");
  EXPECT_EQ(list.MenuText(0), L"&1 C:\\A&&B\\x.tte");
}

class MenuFrame : public CFrameWindow {};

TEST(RecentFileList, TheFileMenuShowsThePlaceholderOrTheEntries) {
  CRecentFileList list(ID_FILE_MRU_FIRST, 8, kPlaceholder);
  MenuFrame frame;
  UINT opened = 0;
  frame.Commands().AddRange(ID_FILE_MRU_FIRST, ID_FILE_MRU_LAST, [&](UINT id) { opened = id; },
                            [&](UINT id) { return list.Entry(static_cast<int>(id - ID_FILE_MRU_FIRST)).has_value(); });
  frame.SetRecentFileList(&list);
  ASSERT_TRUE(frame.Create(IDR_MAINFRAME, L"recent"));
  HMENU file = GetSubMenu(frame.Menu(), 0);
  auto open = [&] {
    SendMessageW(frame.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), MAKELPARAM(0, FALSE));
  };
  auto text = [&](int position) {
    wchar_t buffer[256] = {};
    GetMenuStringW(file, position, buffer, 256, MF_BYPOSITION);
    return std::wstring(buffer);
  };
  open();
  EXPECT_EQ(GetMenuItemCount(file), 7);
  EXPECT_EQ(text(4), kPlaceholder);
  EXPECT_TRUE(GetMenuState(file, 4, MF_BYPOSITION) & MF_GRAYED);

  list.Add(L"C:\\a.tte");
  list.Add(L"C:\\b.euf");
  open();
  EXPECT_EQ(GetMenuItemCount(file), 8);
  EXPECT_EQ(text(4), L"&1 C:\\b.euf");
  EXPECT_EQ(text(5), L"&2 C:\\a.tte");
  EXPECT_EQ(GetMenuItemID(file, 5), UINT(ID_FILE_MRU_FIRST + 1));
  EXPECT_FALSE(GetMenuState(file, 5, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_EQ(GetMenuItemID(file, 6), 0u);  // the separator before the exit item stays
  PostMessageW(frame.Handle(), WM_COMMAND, ID_FILE_MRU_FIRST + 1, 0);
  test::Pump();
  EXPECT_EQ(opened, UINT(ID_FILE_MRU_FIRST + 1));

  list.Remove(L"C:\\a.tte");
  list.Remove(L"C:\\b.euf");
  open();
  EXPECT_EQ(GetMenuItemCount(file), 7);
  EXPECT_EQ(text(4), kPlaceholder);
}

TEST(RecentFileList, SurvivesTheSettingsFile) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const auto folder = std::filesystem::path(temp) / (L"moji_recent_" + std::to_wstring(GetCurrentProcessId()));
  std::filesystem::create_directories(folder);
  {
    CSettings settings(folder.wstring() + L"\\");
    CRecentFileList written(ID_FILE_MRU_FIRST, 8, kPlaceholder);
    written.Add(L"C:\\外字\\私の外字.tte");
    written.Add(L"D:\\x.euf");
    written.Save(settings);
    EXPECT_EQ(settings.ReadString(CRecentFileList::kSection, L"File1"), L"D:\\x.euf");
    settings.WriteString(CRecentFileList::kSection, L"File3", L"");  // a gap is skipped
    settings.WriteString(CRecentFileList::kSection, L"File4", L"E:\\y.tte");
    CRecentFileList read(ID_FILE_MRU_FIRST, 8, kPlaceholder);
    read.Load(settings);
    ASSERT_EQ(read.Count(), 3);
    EXPECT_EQ(read.Entry(1), L"C:\\外字\\私の外字.tte");
    EXPECT_EQ(read.Entry(2), L"E:\\y.tte");
  }
  std::error_code error;
  std::filesystem::remove_all(folder, error);
}

}  // namespace
}  // namespace moji
