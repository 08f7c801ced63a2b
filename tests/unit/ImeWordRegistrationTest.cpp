#include "ImeWordRegistration.h"

#include <gmock/gmock.h>

#include <fstream>
#include <iterator>
#include <set>

#include "EufCreatorFakes.h"

namespace moji {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Bytes = std::vector<std::uint8_t>;

struct WordCall {
  char op;  // 'R' register, 'U' unregister
  std::u16string reading;
  std::uint32_t style;
  std::u16string word;
  bool operator==(const WordCall&) const = default;
};

// Records every call; refuses the readings in `refused`.
class CFakeRegistrar final : public CImeWordRegistrar {
 public:
  void SelectKeyboardLayout() override {}
  std::u16string FileName() override { return u"FAKEIME.IME"; }
  std::vector<ImeWordStyle> Styles() override { return styles; }
  bool Register(const std::u16string& reading, std::uint32_t style, const std::u16string& word) override {
    calls.push_back({'R', reading, style, word});
    return refused.count(reading) == 0;
  }
  bool Unregister(const std::u16string& reading, std::uint32_t style, const std::u16string& word) override {
    calls.push_back({'U', reading, style, word});
    return refused.count(reading) == 0;
  }
  std::vector<ImeWordStyle> styles{{1, u"単漢字A"}, {2, u"名詞"}, {3, u"単漢字B"}};
  std::set<std::u16string> refused;
  std::vector<WordCall> calls;
};

Bytes Records(std::initializer_list<std::pair<int, std::u16string>> records) {
  Bytes out(records.size() * kYomiRecordSize);
  std::size_t at = 0;
  for (const auto& [code, reading] : records) MakeYomiRecord(out.data() + (at++) * kYomiRecordSize, code, reading);
  return out;
}

class ImeWordRegistrationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // One folder per test: ctest runs the tests of this program side by side.
    m_dir = fs::temp_directory_path() /
            (std::string("moji_ime_registration_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    m_old = m_dir / u"_OldEudc.ymi";
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
  }
  void TearDown() override { fs::remove_all(m_dir); }

  static void Write(const fs::path& p, const Bytes& data) {
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
  }
  static Bytes Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  // Loads the store of gaiji.tte with `file` as its reading file, then registers.
  std::optional<ImeRegistrationCounts> Run(const Bytes& file) {
    Write(m_dir / u"gaiji.ymi", file);
    m_store.LoadReadings(m_dir / u"gaiji.tte");
    return RegisterReadingsWithIme(m_store, m_old, {m_prompter, m_ime, m_log, [this](bool b) { m_busy.push_back(b); }});
  }

  fs::path m_dir;
  fs::path m_old;
  test::CFakePrompter m_prompter;
  test::CFakeLog m_log;
  CFakeRegistrar m_ime;
  std::vector<bool> m_busy;
  CYomiStore m_store{m_prompter, [] { return 6400; }, true};
};

TEST_F(ImeWordRegistrationTest, FirstRunAddsEveryWholeRecordWithTheLastSingleKanjiStyleAndCopiesTheFile) {
  Bytes file = Records({{0xE001, u"あ"}, {0xE001, u"い"}, {0xE010, u"がいじ"}});
  file.insert(file.end(), {0xE0, 0x02, 0x42, 0x30});  // a trailing partial record

  ASSERT_EQ(Run(file), (ImeRegistrationCounts{0, 0, 3, 0}));
  EXPECT_THAT(m_ime.calls, ElementsAre(WordCall{'R', u"あ", 3, u"\uE001"}, WordCall{'R', u"い", 3, u"\uE001"},
                                       WordCall{'R', u"がいじ", 3, u"\uE010"}));
  EXPECT_EQ(Read(m_old), file);
  EXPECT_THAT(m_log.lines, ElementsAre(u"IM単語登録開始\n", u"IM=FAKEIME.IME\n", u"品詞NO[0]=<00000001>'単漢字A'\n",
                                       u"品詞NO[2]=<00000003>'単漢字B'\n", u"旧単語登録削除件数=0:Err=0\n",
                                       u"単語登録件数=3:Err=0\n", u"IM単語登録終了\n"));
  ASSERT_EQ(m_prompter.Ids(), std::vector<int>{imereg::kMsgStatus});
  EXPECT_EQ(m_prompter.shown[0].icon, CPrompter::Icon::Information);
  EXPECT_EQ(m_prompter.shown[0].args, (std::vector<MessageArg>{0, 0, 3, 0}));
  EXPECT_EQ(m_busy, (std::vector<bool>{true, false}));
}

TEST_F(ImeWordRegistrationTest, OldWordsGoBeforeNewOnesAndRefusedReadingsAreCountedAndLogged) {
  Write(m_old, Records({{0xE001, u"あ"}, {0xE005, u"だめ"}}));
  const Bytes file = Records({{0xE001, u"あ"}, {0xE002, u"だめ"}});
  m_ime.refused = {u"だめ"};
  m_ime.styles = {{0x10, u"名詞"}, {0x20, u"普通"}};  // no 単漢: the first style, nothing logged

  ASSERT_EQ(Run(file), (ImeRegistrationCounts{1, 1, 1, 1}));
  EXPECT_THAT(m_ime.calls, ElementsAre(WordCall{'U', u"あ", 0x10, u"\uE001"}, WordCall{'U', u"だめ", 0x10, u"\uE005"},
                                       WordCall{'R', u"あ", 0x10, u"\uE001"}, WordCall{'R', u"だめ", 0x10, u"\uE002"}));
  EXPECT_THAT(m_log.lines, ElementsAre(u"IM単語登録開始\n", u"IM=FAKEIME.IME\n", u"Del Err YOMI=だめ:\uE005\n",
                                       u"旧単語登録削除件数=1:Err=1\n", u"Add Err YOMI=だめ:\uE002\n",
                                       u"単語登録件数=1:Err=1\n", u"IM単語登録終了\n"));
  EXPECT_EQ(Read(m_old), file);
}

TEST_F(ImeWordRegistrationTest, NoStylesStopsWith2030AndLeavesTheCopyAlone) {
  const Bytes old = Records({{0xE001, u"あ"}});
  Write(m_old, old);
  m_ime.styles.clear();
  EXPECT_FALSE(Run(Records({{0xE002, u"い"}})));
  EXPECT_EQ(m_prompter.Ids(), std::vector<int>{imereg::kMsgNoStyle});
  EXPECT_TRUE(m_prompter.shown[0].log);
  EXPECT_THAT(m_ime.calls, IsEmpty());
  EXPECT_EQ(Read(m_old), old);
}

TEST_F(ImeWordRegistrationTest, ChangedReadingsAreSavedFirstAndAFailedCopyShows2031) {
  m_old = m_dir / u"missing" / u"_OldEudc.ymi";  // no such folder: the copy cannot be written
  Write(m_dir / u"gaiji.ymi", Records({{0xE001, u"あ"}}));
  m_store.LoadReadings(m_dir / u"gaiji.tte");
  ASSERT_TRUE(m_store.ReplaceReadings(0xE001, {u"か"}));
  ASSERT_EQ(RegisterReadingsWithIme(m_store, m_old, {m_prompter, m_ime, m_log, {}}), (ImeRegistrationCounts{0, 0, 1, 0}));
  EXPECT_EQ(m_ime.calls.back(), (WordCall{'R', u"か", 3, u"\uE001"}));
  EXPECT_FALSE(m_store.IsChanged());
  EXPECT_EQ(m_prompter.Ids(), (std::vector<int>{imereg::kMsgOldCopyFailed, imereg::kMsgStatus}));
  EXPECT_EQ(m_prompter.shown[0].args, (std::vector<MessageArg>{(m_dir / u"gaiji.ymi").u16string(), m_old.u16string()}));
  EXPECT_TRUE(m_prompter.shown[0].log);
  EXPECT_EQ(m_log.lines.back(), u"copy failed: " + (m_dir / u"gaiji.ymi").u16string() + u" -> " + m_old.u16string());
}

}  // namespace
}  // namespace moji
