#include "LinkJournal.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "EudcLinkSwitcher.h"
#include "EufCreatorFakes.h"

namespace moji {
namespace {

namespace fs = std::filesystem;
using test::CFakeLink;
using test::CFakeLog;

constexpr char16_t kFace[] = u"ＭＳ 明朝";

class LinkJournalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_dir = fs::temp_directory_path() / (std::string("moji_journal_") + info->name());
    fs::remove_all(m_dir);
  }
  void TearDown() override { fs::remove_all(m_dir); }

  static std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);  // closed on return: Windows removes no open file
    return {std::istreambuf_iterator<char>(in), {}};
  }
  void WriteFile(const fs::path& path, const std::string& text) const {
    fs::create_directories(m_dir);
    std::ofstream(path, std::ios::binary) << text;
  }

  fs::path m_dir;
  CFakeLink link;
};

TEST(LinkJournalFormat, RecordsSurviveTheRoundTripAndDamagedOnesAreRefused) {
  const LinkJournalRecord record{{4242, 133000000000000000ull},
                                 {{kFace, std::nullopt},
                                  {u"SystemDefaultEUDCFont", u"C:\\外字\\50%\tand\r\nlines.tte"},
                                  {u"face with %25", u""}}};
  const std::string text = FormatLinkJournal(record);
  EXPECT_EQ(ParseLinkJournal(text), record);

  const std::string head = "MojiEudcLinkJournal 1\nprocess 7 9\n";
  std::string tooMany = head;
  for (std::size_t i = 0; i <= kMaxJournalLinks; ++i) tooMany += "nolink F\n";
  const struct {
    const char* what;
    std::string text;
  } damaged[] = {
      {"empty", ""},
      {"other header", "MojiEudcLinkJournal 2\nprocess 7 9\n"},
      {"no process line", "MojiEudcLinkJournal 1\n"},
      {"process id not a number", "MojiEudcLinkJournal 1\nprocess x 9\n"},
      {"process id too large", "MojiEudcLinkJournal 1\nprocess 4294967296 9\n"},
      {"start time missing", "MojiEudcLinkJournal 1\nprocess 7\n"},
      {"cut in the middle of a line", head + "link F\tC:\\a.tte"},
      {"link without value", head + "link F\n"},
      {"empty target", head + "nolink \n"},
      {"unknown line", head + "unlink F\n"},
      {"unknown escape", head + "link F\tC:\\%41.tte\n"},
      {"escape cut short", head + "link F\tC:\\%2\n"},
      {"raw tab in a value", head + "link F\ta\tb\n"},
      {"not UTF-8", head + "nolink \xED\xBC\xAD\n"},
      {"too many links", tooMany},
      {"too large", head + std::string(kMaxJournalBytes, 'x') + "\n"},
  };
  for (const auto& c : damaged) EXPECT_FALSE(ParseLinkJournal(c.text)) << c.what;
}

// Whatever the user had linked, the link and its undo leave exactly that behind, and the
// journal holds what is to be put back while the link is in force.
TEST_F(LinkJournalTest, TemporaryLinkPutsBackExactlyWhatItFound) {
  const struct {
    const char* what;
    std::optional<std::u16string> face, all;
  } states[] = {
      {"nothing linked", std::nullopt, std::nullopt},
      {"the user's own face link", u"C:\\Users\\u\\mine.tte", u"EUDC.TTE"},
      {"another font for all typefaces", std::nullopt, u"C:\\fonts\\office.tte"},
  };
  for (const auto& state : states) {
    link.values.clear();
    if (state.face) link.values[kFace] = *state.face;
    if (state.all) link.values[kLinkAllTypefaces] = *state.all;
    const auto before = link.values;
    CLinkJournal journal(m_dir, {77, 5});
    {
      CTemporaryLink temporary(link, &journal);
      ASSERT_EQ(temporary.Link(u"C:\\print.tte", kFace, u"DEFAULT.TTE"), 0) << state.what;
      EXPECT_EQ(link.values[kFace], u"C:\\print.tte") << state.what;
      const auto record = ParseLinkJournal(ReadFile(journal.Path()));
      ASSERT_TRUE(record) << state.what;
      EXPECT_EQ(record->process, (ProcessStamp{77, 5}));
      EXPECT_EQ(record->links, (std::vector<SavedLink>{{kFace, state.face},
                                                      {kLinkAllTypefaces, state.all.value_or(u"DEFAULT.TTE")}}));
      temporary.Undo();
      EXPECT_FALSE(fs::exists(journal.Path())) << state.what;
    }
    auto expected = before;
    if (!state.all) expected[kLinkAllTypefaces] = u"DEFAULT.TTE";
    EXPECT_EQ(link.values, expected) << state.what;
  }
}

TEST_F(LinkJournalTest, AFailedLinkAndUndoAllPutBackTheSameAsAnUndo) {
  link.values = {{kFace, u"mine.tte"}, {kLinkAllTypefaces, u"EUDC.TTE"}};
  const auto before = link.values;
  link.linkResult = -3;
  CTemporaryLink failed(link);
  EXPECT_EQ(failed.Link(u"C:\\print.tte", kFace, u"EUDC.TTE"), -3);
  EXPECT_TRUE(failed.InForce());
  link.linkResult = 0;
  CTemporaryLink second(link);
  second.Link(u"C:\\other.tte", u"ＭＳ ゴシック", u"EUDC.TTE");
  CTemporaryLink::UndoAll();
  EXPECT_FALSE(failed.InForce());
  EXPECT_FALSE(second.InForce());
  EXPECT_EQ(link.values, before);
}

TEST_F(LinkJournalTest, RepairPutsBackOnlyTheRecordsOfEndedProcesses) {
  const auto record = [](std::uint32_t id, std::u16string tte) {
    return LinkJournalRecord{{id, 1000 + id}, {{kFace, std::nullopt}, {kLinkAllTypefaces, std::move(tte)}}};
  };
  CLinkJournal({m_dir}, {11, 1011}).Write(record(11, u"ended.tte").links);
  CLinkJournal({m_dir}, {12, 1012}).Write(record(12, u"running.tte").links);
  WriteFile(m_dir / "EudcLink-13.jnl", FormatLinkJournal(record(14, u"misnamed.tte")));
  WriteFile(m_dir / "EudcLink-15.jnl", "MojiEudcLinkJournal 1\nprocess 15");
  WriteFile(m_dir / "other.txt", FormatLinkJournal(record(16, u"not a journal.tte")));
  link.values = {{kFace, u"left by the killed job.tte"}};

  CFakeLog log;
  const auto repaired = CLinkJournal::RepairStale(
      m_dir, link, [](const ProcessStamp& p) { return p == ProcessStamp{12, 1012}; }, log);

  EXPECT_EQ(repaired, (std::vector<LinkJournalRecord>{record(11, u"ended.tte")}));
  EXPECT_EQ(link.values, (std::map<std::u16string, std::u16string>{{kLinkAllTypefaces, u"ended.tte"}}));
  EXPECT_EQ(log.lines, (std::vector<std::u16string>{u"EUDCリンク復元(PID=11:Target=ＭＳ 明朝:TTE=解除)\n",
                                                    u"EUDCリンク復元(PID=11:Target=All:TTE=ended.tte)\n"}));
  EXPECT_FALSE(fs::exists(m_dir / "EudcLink-11.jnl"));
  for (const char* kept : {"EudcLink-12.jnl", "EudcLink-13.jnl", "EudcLink-15.jnl", "other.txt"})
    EXPECT_TRUE(fs::exists(m_dir / kept)) << kept;

  // No folder yet: nothing to repair, nothing fails.
  EXPECT_TRUE(CLinkJournal::RepairStale(m_dir / "missing", link, [](const ProcessStamp&) { return false; }, log).empty());
}

}  // namespace
}  // namespace moji
