// The processing log and the logged file copy, writing real files under Wine.
#include "Log.h"

#include <gtest/gtest.h>

#include <regex>

#include "Message.h"
#include "TextConv.h"
#include "Win32TestSupport.h"

namespace moji {
namespace {

class LogTest : public ::testing::Test {
 protected:
  void SetUp() override { CLog::Open(m_log); }
  void TearDown() override { CLog::Close(); }

  // The file's entries with their time stamp and process id checked and removed.
  std::string Entries() const {
    const std::string text = test::ReadBytes(m_log);
    static const std::regex prefix(R"((^|\n)\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} \[(\d+)\] )");
    std::string out;
    std::size_t last = 0;
    for (std::sregex_iterator it(text.begin(), text.end(), prefix), end; it != end; ++it) {
      EXPECT_EQ((*it)[2].str(), std::to_string(GetCurrentProcessId()));
      out += text.substr(last, static_cast<std::size_t>(it->position()) - last) + (*it)[1].str() + "|";
      last = static_cast<std::size_t>(it->position() + it->length());
    }
    return out + text.substr(last);
  }

  test::ScratchFolder m_folder{L"log"};
  std::filesystem::path m_log = m_folder / L"Mojiview.log";
};

TEST_F(LogTest, EntriesAreUtf8WithStampAndTheConversionsOfTheLogLines) {
  CLog::Print(L"SwitchEudc(TTE=%s:Target=%s:CP=%s:result=%d)\n", L"解除", L"All", L"932", 0);
  CLog::Print(L"ﾋﾞｯﾄﾃﾞｰﾀ読込異常(AbsAddr=%4.4X:pos=%4.4X)\n", 0xE000, 0x1F);
  CLog::Print(L"Drag Start (Addr=%4.4X:h=%8.8X)\n", 0xE757, 0x12AB);
  CLog::Print(L"%s\n", L"'C:\\x\\a.tte'\r\n指定のﾌｧｲﾙは外字ﾌｫﾝﾄﾌｧｲﾙ TTE、EUF 何れでもありません。");
  CLog::Print(L"RegCreateKeyExis Error!");  // no line end of its own
  CLog::PrintResource(64001);
  CLog::Print(L"%d%%\n", 50);
  EXPECT_EQ(Entries(),
            "|SwitchEudc(TTE=解除:Target=All:CP=932:result=0)\n"
            "|ﾋﾞｯﾄﾃﾞｰﾀ読込異常(AbsAddr=E000:pos=001F)\n"
            "|Drag Start (Addr=E757:h=000012AB)\n"
            "|'C:\\x\\a.tte'\r\n指定のﾌｧｲﾙは外字ﾌｫﾝﾄﾌｧｲﾙ TTE、EUF 何れでもありません。\n"
            "|RegCreateKeyExis Error!\n"
            "|◇テスト　終了\n\n"
            "|50%\n");
}

TEST_F(LogTest, NothingIsWrittenWhileClosed) {
  CLog::Close();
  CLog::Print(L"lost\n");
  CLog::PrintResource(64001);
  EXPECT_FALSE(std::filesystem::exists(m_log));
  CLog::Open(m_log);
  CLog::Print(L"kept\n");
  EXPECT_EQ(Entries(), "|kept\n");
}

TEST_F(LogTest, PastOneMebibyteTheFileMovesToOldReplacingTheOlderOne) {
  std::filesystem::path old = m_log;
  old += L".old";
  test::WriteBytes(old, "older\n");
  test::WriteBytes(m_log, std::string(CLog::kRotateSize - 1, 'a'));
  CLog::Print(L"still here\n");  // below the limit before this entry: no rotation yet
  EXPECT_EQ(test::ReadBytes(old), "older\n");
  const auto fullSize = std::filesystem::file_size(m_log);
  EXPECT_GT(fullSize, CLog::kRotateSize);
  CLog::Print(L"fresh\n");
  EXPECT_EQ(std::filesystem::file_size(old), fullSize);
  EXPECT_EQ(Entries(), "|fresh\n");
}

TEST_F(LogTest, AnUnwritableLogNeverDisturbsTheCaller) {
  // A folder that does not exist: nothing is created.
  const auto missing = m_folder / L"no such folder" / L"Mojiview.log";
  CLog::Open(missing);
  CLog::Print(L"line %s\n", L"x");
  EXPECT_FALSE(std::filesystem::exists(missing.parent_path()));
  // A file that another program holds open without sharing stays as it was.
  test::WriteBytes(m_log, "before\n");
  HANDLE lock = CreateFileW(m_log.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  CLog::Open(m_log);
  CLog::Print(L"line %s\n", L"x");
  CLog::PrintResource(64001);
  CloseHandle(lock);
  EXPECT_EQ(test::ReadBytes(m_log), "before\n");
  // So does a large one that cannot be rotated while locked.
  test::WriteBytes(m_log, std::string(CLog::kRotateSize + 10, 'a'));
  lock = CreateFileW(m_log.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  CLog::Print(L"line %s\n", L"y");
  CloseHandle(lock);
  EXPECT_EQ(std::filesystem::file_size(m_log), CLog::kRotateSize + 10);
}

TEST_F(LogTest, FailedCopyLogsMessage2044WithTheSystemText) {
  const auto src = m_folder / L"外字.euf";
  const auto dst = m_folder / L"copy.euf";
  const auto missing = m_folder / L"missing.euf";
  test::WriteBytes(src, "EUF data");

  EXPECT_TRUE(CopyFileLogged(src, dst, true));
  EXPECT_EQ(test::ReadBytes(dst), "EUF data");
  EXPECT_FALSE(std::filesystem::exists(m_log));  // success logs nothing

  EXPECT_FALSE(CopyFileLogged(src, dst, true));  // the destination exists
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
  const std::wstring existsText = SystemErrorText(ERROR_FILE_EXISTS);
  EXPECT_TRUE(CopyFileLogged(src, dst, false));
  EXPECT_FALSE(CopyFileLogged(missing, dst, false));
  const std::wstring missingText = SystemErrorText(ERROR_FILE_NOT_FOUND);
  EXPECT_NE(existsText, missingText);
  EXPECT_EQ(missingText.find(L"Error "), std::wstring::npos) << "the system has a text for error 2";

  const auto line = [](const std::filesystem::path& from, const std::filesystem::path& to, const std::wstring& why) {
    std::wstring text = L"「" + from.wstring() + L"」から\r\n「" + to.wstring() + L"」への\r\nﾌｧｲﾙｺﾋﾟｰに失敗しました。\r\n" + why;
    if (text.back() != L'\n') text += L'\n';
    return std::string("|").append(ToUtf8(FromWide(text)));
  };
  EXPECT_EQ(Entries(), line(src, dst, existsText) + line(missing, dst, missingText));
}

}  // namespace
}  // namespace moji
