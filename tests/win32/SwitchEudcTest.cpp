// The EUDC link switch against the real registry of the test prefix. HKCU\EUDC\932 is saved
// before each test and put back afterwards.
#include "SwitchEudc.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "EudcLinkList.h"
#include "Log.h"
#include "RegistryEudcLink.h"
#include "Win32TestSupport.h"

namespace moji {
namespace {

constexpr wchar_t kKey[] = L"EUDC\\932";

struct SavedValue {
  std::wstring name;
  DWORD type;
  std::vector<BYTE> data;
};

class SwitchEudcTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
      m_saved.emplace();
      for (DWORD i = 0;; ++i) {
        wchar_t name[16384];
        DWORD nameLength = 16384, type = 0, size = 0;
        if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
        SavedValue value{std::wstring(name, nameLength), type, std::vector<BYTE>(size)};
        RegQueryValueExW(key, value.name.c_str(), nullptr, nullptr, value.data.data(), &size);
        m_saved->push_back(std::move(value));
      }
      RegCloseKey(key);
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    CLog::Open(m_log);
  }

  void TearDown() override {
    CLog::Close();
    RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    if (!m_saved) return;
    HKEY key = CreateKey();
    for (const SavedValue& value : *m_saved)
      RegSetValueExW(key, value.name.c_str(), 0, value.type, value.data.data(), static_cast<DWORD>(value.data.size()));
    RegCloseKey(key);
  }

  static HKEY CreateKey() {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
    return key;
  }

  // The value's text with its stored size checked to include the terminating NUL; nothing
  // when the value is missing.
  static std::optional<std::wstring> Value(const wchar_t* name) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    wchar_t data[1024] = {};
    DWORD type = 0, size = sizeof data - sizeof(wchar_t);
    const LONG status = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return std::nullopt;
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    const std::wstring text(data);
    EXPECT_EQ(size, (text.size() + 1) * sizeof(wchar_t));
    return text;
  }

  static bool KeyExists() {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }

  // The log's lines without their time stamps.
  std::vector<std::string> LogLines() const {
    std::vector<std::string> lines;
    const std::string text = test::ReadBytes(m_log);
    for (std::size_t pos = 0; pos < text.size();) {
      const std::size_t end = text.find('\n', pos);
      const std::string line = text.substr(pos, end - pos);
      lines.push_back(line.substr(line.find("] ") + 2));
      pos = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
  }

  std::optional<std::vector<SavedValue>> m_saved;
  test::ScratchFolder m_folder{L"eudc"};
  std::filesystem::path m_log = m_folder / L"Mojiview.log";
};

TEST_F(SwitchEudcTest, AMissingKeyIsNeverCreatedAndNotLogged) {
  EXPECT_EQ(SwitchEudc(L"D:\\gaiji\\my.tte", kSystemDefaultEudcFont, kEudcCodePage), kSwitchEudcNoKey);
  EXPECT_EQ(SwitchEudc(L"", L"ＭＳ 明朝", kEudcCodePage), kSwitchEudcNoKey);
  EXPECT_FALSE(KeyExists());
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(SwitchEudcTest, TemporaryLinkAndItsUndoLeaveTheConfiguredDefault) {
  RegCloseKey(CreateKey());
  const std::wstring face = L"ＭＳ 明朝";
  EXPECT_EQ(SwitchEudc(L"", kSystemDefaultEudcFont, kEudcCodePage), kSwitchEudcOk);
  EXPECT_EQ(Value(kSystemDefaultEudcFont), L"EUDC.TTE");
  EXPECT_EQ(SwitchEudc(L"D:\\gaiji\\私の外字.tte", face, kEudcCodePage), kSwitchEudcOk);
  EXPECT_EQ(Value(face.c_str()), L"D:\\gaiji\\私の外字.tte");
  // Undo: the face's link goes, the default link is the configured font again.
  EXPECT_EQ(SwitchEudc(L"", face, kEudcCodePage), kSwitchEudcOk);
  EXPECT_EQ(Value(face.c_str()), std::nullopt);
  EXPECT_EQ(SwitchEudc(L"", kSystemDefaultEudcFont, kEudcCodePage), kSwitchEudcOk);
  EXPECT_EQ(SwitchEudc(L"MY.TTE", kSystemDefaultEudcFont, kEudcCodePage), kSwitchEudcOk);
  EXPECT_EQ(Value(kSystemDefaultEudcFont), L"MY.TTE");
  // Deleting a value that is not there fails with -4.
  EXPECT_EQ(SwitchEudc(L"", face, kEudcCodePage), kSwitchEudcDeleteFailed);

  EXPECT_EQ(LogLines(), (std::vector<std::string>{
                            "SwitchEudc(TTE=解除:Target=All:CP=932:result=0)",
                            "SwitchEudc(TTE=D:\\gaiji\\私の外字.tte:Target=ＭＳ 明朝:CP=932:result=0)",
                            "SwitchEudc(TTE=解除:Target=ＭＳ 明朝:CP=932:result=0)",
                            "SwitchEudc(TTE=解除:Target=All:CP=932:result=0)",
                            "SwitchEudc(TTE=MY.TTE:Target=All:CP=932:result=0)",
                            "SwitchEudc(TTE=解除:Target=ＭＳ 明朝:CP=932:result=-4)",
                        }));
}

TEST_F(SwitchEudcTest, TheSystemDefaultNameInOtherLetterCaseDeletesTheLinkForAllFaces) {
  RegCloseKey(CreateKey());
  EXPECT_EQ(SwitchEudc(L"D:\\a.tte", kSystemDefaultEudcFont, kEudcCodePage), kSwitchEudcOk);
  EXPECT_EQ(SwitchEudc(L"", L"systemdefaulteudcfont", kEudcCodePage), kSwitchEudcOk);
  EXPECT_EQ(Value(kSystemDefaultEudcFont), std::nullopt);
  EXPECT_EQ(LogLines().back(), "SwitchEudc(TTE=解除:Target=systemdefaulteudcfont:CP=932:result=0)");
}

TEST_F(SwitchEudcTest, ARefusedSetGivesMinusThree) {
  RegCloseKey(CreateKey());
  const std::wstring tooLong(20000, L'a');  // longer than any registry value name
  EXPECT_EQ(SwitchEudc(L"D:\\a.tte", tooLong, kEudcCodePage), kSwitchEudcSetFailed);
  EXPECT_EQ(LogLines().back(), "SwitchEudc(TTE=D:\\a.tte:Target=" + std::string(20000, 'a') + ":CP=932:result=-3)");
}

TEST_F(SwitchEudcTest, WithoutLoggingTheSameChangeLeavesNoLine) {
  RegCloseKey(CreateKey());
  EXPECT_EQ(SwitchEudc(L"", kSystemDefaultEudcFont, kEudcCodePage, false), kSwitchEudcOk);
  EXPECT_EQ(SwitchEudc(L"", L"ＭＳ 明朝", kEudcCodePage, false), kSwitchEudcDeleteFailed);
  EXPECT_EQ(Value(kSystemDefaultEudcFont), L"EUDC.TTE");
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(SwitchEudcTest, TheRegistryLinkListsEveryValueAndTheListKeepsTheTextOnes) {
  CRegistryEudcLink link(false);
  EXPECT_TRUE(link.ListLinks(u"932").empty());  // no key
  HKEY key = CreateKey();
  const DWORD number = 1;
  ASSERT_EQ(RegSetValueExW(key, L"Arial", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number), ERROR_SUCCESS);
  RegCloseKey(key);
  SwitchEudc(L"D:\\gaiji\\私の外字.tte", L"ＭＳ 明朝", kEudcCodePage, false);
  SwitchEudc(L"", kSystemDefaultEudcFont, kEudcCodePage, false);

  std::vector<std::u16string> names = link.ListLinks(u"932");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::u16string>{u"Arial", u"SystemDefaultEUDCFont", u"ＭＳ 明朝"}));
  const std::vector<EudcLinkRow> rows = ReadEudcLinks(link, u"C:\\Fonts");  // the number is no link
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1].value, u"D:\\gaiji\\私の外字.tte");
}

}  // namespace
}  // namespace moji
