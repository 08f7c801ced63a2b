// The settings file through the private-profile functions, on real files under Wine.
#include "Settings.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include "Log.h"
#include "Win32TestSupport.h"

namespace moji {
namespace {

class SettingsTest : public ::testing::Test {
 protected:
  // What the file holds for a key; "<none>" when the key is missing.
  std::wstring Stored(const wchar_t* section, const wchar_t* key) const {
    wchar_t buffer[1024];
    GetPrivateProfileStringW(section, key, L"<none>", buffer, 1024, m_settings.FilePath().c_str());
    return buffer;
  }
  void Store(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
    ASSERT_TRUE(WritePrivateProfileStringW(section, key, value, m_settings.FilePath().c_str()));
  }

  test::ScratchFolder m_folder{L"settings"};
  CSettings m_settings{m_folder.Folder()};
};

TEST_F(SettingsTest, FirstStartWritesTheSixDefaultsAndMakesTemp) {
  const std::wstring fonts = GetSpecialFolderPath(CSIDL_FONTS);
  ASSERT_FALSE(fonts.empty());
  const auto log = m_folder / L"Mojiview.log";
  CLog::Open(log);
  EXPECT_TRUE(m_settings.LoadSetting());
  CLog::Close();
  EXPECT_EQ(m_settings.ReadBitmapSize(), 64);

  EXPECT_EQ(Stored(kSectionCommon, kKeyDefaultEudcFont), L"EUDC.TTE");
  EXPECT_EQ(Stored(kSectionGkp, kKeyGaijiShowFont), L"ＭＳ 明朝");
  EXPECT_EQ(Stored(kSectionBrowser, kKeyTTEFilePath), fonts);
  EXPECT_EQ(Stored(kSectionBrowser, kKeyYomiManage), L"false");
  EXPECT_EQ(Stored(kSectionBrowser, kKeyYomiMaxCount), L"6400");
  EXPECT_EQ(Stored(kSectionBrowser, kKeyBitmapSize), L"64");
  EXPECT_EQ(Stored(kSectionBrowser, kKeyBrowserWindowPos), L"<none>");
  EXPECT_EQ(m_settings.defaultEudcFont, L"EUDC.TTE");
  EXPECT_EQ(m_settings.gaijiShowFont, L"ＭＳ 明朝");
  EXPECT_EQ(m_settings.tteFilePath, fonts);
  EXPECT_FALSE(m_settings.yomiManage);
  EXPECT_EQ(m_settings.bitmapSize, 64);
  EXPECT_EQ(GetFileAttributesW(m_settings.TempFolder().c_str()) & FILE_ATTRIBUTE_DIRECTORY,
            static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(m_settings.GetLinkedFontPath(true), fonts + L"\\EUDC.TTE");

  const std::string logText = test::ReadBytes(log);
  const auto start = logText.find("LoadSetting開始\n"), end = logText.find("LoadSetting終了\n");
  EXPECT_NE(start, std::string::npos);
  EXPECT_NE(end, std::string::npos);
  EXPECT_LT(start, end);
}

TEST_F(SettingsTest, TheNewFileKeepsTextOutsideTheAnsiCodePage) {
  const std::wstring folder = L"D:\\글꼴\\外字";
  EXPECT_TRUE(m_settings.WriteString(kSectionBrowser, kKeyTTEFilePath, folder));
  EXPECT_EQ(m_settings.ReadString(kSectionBrowser, kKeyTTEFilePath), folder);
  EXPECT_EQ(test::ReadBytes(m_settings.FilePath()).substr(0, 2), "\xFF\xFE");
  // Long values come back whole.
  const std::wstring longValue(5000, L'字');
  EXPECT_TRUE(m_settings.WriteString(kSectionGkp, L"Long", longValue));
  EXPECT_EQ(m_settings.ReadString(kSectionGkp, L"Long"), longValue);
}

TEST_F(SettingsTest, StoredValuesAreKeptAndOnlyEmptyOrInvalidOnesRewritten) {
  Store(kSectionCommon, kKeyDefaultEudcFont, L"D:\\gaiji\\my.tte");
  Store(kSectionGkp, kKeyGaijiShowFont, L"");  // empty counts as missing
  Store(kSectionBrowser, kKeyTTEFilePath, L"D:\\gaiji");
  Store(kSectionBrowser, kKeyYomiManage, L"yes");
  Store(kSectionBrowser, kKeyYomiMaxCount, L"-5");
  Store(kSectionBrowser, kKeyBitmapSize, L"0");
  m_settings.LoadSetting();
  EXPECT_EQ(m_settings.ReadBitmapSize(), 0);

  EXPECT_EQ(m_settings.defaultEudcFont, L"D:\\gaiji\\my.tte");
  EXPECT_EQ(m_settings.GetLinkedFontPath(false), L"D:\\gaiji\\my.EUF");
  EXPECT_EQ(Stored(kSectionGkp, kKeyGaijiShowFont), L"ＭＳ 明朝");
  EXPECT_EQ(m_settings.tteFilePath, L"D:\\gaiji");
  EXPECT_FALSE(m_settings.yomiManage);
  EXPECT_EQ(Stored(kSectionBrowser, kKeyYomiManage), L"yes");
  EXPECT_EQ(Stored(kSectionBrowser, kKeyYomiMaxCount), L"6400");
  EXPECT_EQ(Stored(kSectionBrowser, kKeyBitmapSize), L"0");

  Store(kSectionBrowser, kKeyYomiManage, L"TRUE");
  Store(kSectionBrowser, kKeyBitmapSize, L"-1");
  m_settings.LoadSetting();
  EXPECT_TRUE(m_settings.yomiManage);
  EXPECT_EQ(Stored(kSectionBrowser, kKeyYomiManage), L"TRUE");
  EXPECT_EQ(m_settings.ReadBitmapSize(), 64);
  EXPECT_EQ(Stored(kSectionBrowser, kKeyBitmapSize), L"64");
}

TEST_F(SettingsTest, YomiMaxCountIsReadAtEachUseWithinBounds) {
  EXPECT_EQ(m_settings.YomiMaxCount(), 6400);
  Store(kSectionBrowser, kKeyYomiMaxCount, L"7000");
  EXPECT_EQ(m_settings.YomiMaxCount(), 7000);
  Store(kSectionBrowser, kKeyYomiMaxCount, L"-5");
  EXPECT_EQ(m_settings.YomiMaxCount(), 6400);
  Store(kSectionBrowser, kKeyYomiMaxCount, L"2000000000");
  EXPECT_EQ(m_settings.YomiMaxCount(), kMaxYomiMaxCount);
}

TEST_F(SettingsTest, ALockedSettingsFileGivesDefaultsAndStaysUnchanged) {
  Store(kSectionCommon, kKeyDefaultEudcFont, L"MY.TTE");
  Store(kSectionBrowser, kKeyBitmapSize, L"32");
  const std::string before = test::ReadBytes(m_settings.FilePath());
  // Another program holds the file open without sharing: neither reads nor writes get in.
  HANDLE lock = CreateFileW(m_settings.FilePath().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(m_settings.LoadSetting());
  EXPECT_EQ(m_settings.ReadBitmapSize(), 64);
  EXPECT_EQ(m_settings.YomiMaxCount(), 6400);
  EXPECT_EQ(m_settings.defaultEudcFont, L"EUDC.TTE");
  EXPECT_EQ(m_settings.gaijiShowFont, L"ＭＳ 明朝");
  EXPECT_FALSE(m_settings.WriteString(kSectionCommon, kKeyDefaultEudcFont, L"OTHER.TTE"));
  CloseHandle(lock);
  EXPECT_EQ(test::ReadBytes(m_settings.FilePath()), before);
}

TEST_F(SettingsTest, PlacementIsWrittenOnlyWhenAValueDiffers) {
  const wchar_t* section = kSectionBrowser;
  const wchar_t* key = kKeyBrowserWindowPos;
  EXPECT_EQ(m_settings.ReadPlacement(section, key), (Placement{40, 40, -1, -1}));
  // Missing key and a window at the defaults: nothing to write.
  EXPECT_FALSE(m_settings.SavePlacement(section, key, Placement{40, 40, -1, -1}));
  EXPECT_EQ(Stored(section, key), L"<none>");

  Store(section, key, L"10:20:300");  // three fields read as the defaults
  EXPECT_EQ(m_settings.ReadPlacement(section, key), (Placement{40, 40, -1, -1}));
  EXPECT_EQ(m_settings.ReadPlacement(kSectionPrint, kKeyCodePrintWindowPos, Placement{1, 2, 3, 4}), (Placement{1, 2, 3, 4}));

  EXPECT_TRUE(m_settings.SavePlacement(section, key, Placement{10, 20, 300, 400}));
  EXPECT_EQ(Stored(section, key), L"10:20:300:400");
  Store(section, key, L"+10:20:300:400");  // the same values in another spelling stay untouched
  EXPECT_FALSE(m_settings.SavePlacement(section, key, Placement{10, 20, 300, 400}));
  EXPECT_EQ(Stored(section, key), L"+10:20:300:400");
  EXPECT_TRUE(m_settings.SavePlacement(section, key, Placement{10, 20, 300, 401}));
  EXPECT_EQ(Stored(section, key), L"10:20:300:401");
}

TEST_F(SettingsTest, WindowPlacementIsTheWindowRectangleExceptWhenMinimisedOrMaximised) {
  HWND window = CreateWindowExW(0, L"STATIC", L"placement", WS_OVERLAPPEDWINDOW, 120, 130, 300, 200, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr) << "needs a display";
  RECT rect;
  GetWindowRect(window, &rect);
  const wchar_t* section = kSectionPrint;
  const wchar_t* key = kKeyCodePrintWindowPos;
  EXPECT_TRUE(m_settings.SaveWindowPlacement(window, section, key));
  EXPECT_EQ(m_settings.ReadPlacement(section, key), (Placement{rect.left, rect.top, rect.right, rect.bottom}));
  EXPECT_FALSE(m_settings.SaveWindowPlacement(window, section, key));  // unchanged

  SetWindowPos(window, nullptr, 200, 210, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(window, SW_MINIMIZE);
  EXPECT_FALSE(m_settings.SaveWindowPlacement(window, section, key));
  ShowWindow(window, SW_MAXIMIZE);
  EXPECT_FALSE(m_settings.SaveWindowPlacement(window, section, key));
  ShowWindow(window, SW_RESTORE);
  EXPECT_TRUE(m_settings.SaveWindowPlacement(window, section, key));
  EXPECT_EQ(m_settings.ReadPlacement(section, key).left, 200);
  DestroyWindow(window);
}

}  // namespace
}  // namespace moji
