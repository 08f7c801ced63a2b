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
  void SelectKeyboardLayout() override { ++layoutSelections; }
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
  std::vector<ImeWordStyle> styles{{0x100, u"名詞"}, {0x200, u"単漢字"}, {0x300, u"人名"}};
  std::set<std::u16string> refused;
  std::vector<WordCall> calls;
  int layoutSelections = 0;
};

Bytes Records(std::initializer_list<std::pair<int, std::u16string>> records) {
  Bytes out;
  for (const auto& [code, reading] : records) {
    Bytes r(kYomiRecordSize);
    MakeYomiRecord(r.data(), code, reading);
    out.insert(out.end(), r.begin(), r.end());
  }
  return out;
}

class ImeWordRegistrationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = fs::temp_directory_path() / (std::string("moji_ime_") + testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
    m_old = m_dir / u"_OldEudc.ymi";
  }
  void TearDown() override { fs::remove_all(m_dir); }

  static void Write(const fs::path& p, const Bytes& data) {
    std::ofstream(p, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data.data()),
                                                               static_cast<std::streamsize>(data.size()));
  }
  static Bytes Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  // The store of gaiji.tte with `file` as its reading file.
  CYomiStore& Load(const Bytes& file) {
    Write(m_dir / u"gaiji.ymi", file);
    m_store.LoadReadings(m_dir / u"gaiji.tte");
    return m_store;
  }
  std::optional<ImeRegistrationCounts> Run() {
    return RegisterReadingsWithIme(m_store, m_old, {m_prompter, m_ime, m_log, [this](bool b) { m_busy.push_back(b); }});
  }

  fs::path m_dir, m_old;
  test::CFakePrompter m_prompter;
  test::CFakeLog m_log;
  CFakeRegistrar m_ime;
  std::vector<bool> m_busy;
  CYomiStore m_store{m_prompter, [] { return 6400; }, true};
};

TEST_F(ImeWordRegistrationTest, FirstRunAddsEveryWholeRecordAndCopiesTheFileExactly) {
  Bytes file = Records({{0xE001, u"あ"}, {0xE001, u"い"}, {0xE010, u"がいじ"}});
  file.insert(file.end(), {0xE0, 0x02, 0x42, 0x30});  // a trailing partial record
  Load(file);

  ASSERT_EQ(Run(), (ImeRegistrationCounts{0, 0, 3, 0}));
  EXPECT_EQ(m_ime.layoutSelections, 1);
  // The last style described with 単漢 (here the only one) is used for every word.
  EXPECT_THAT(m_ime.calls, ElementsAre(WordCall{'R', u"あ", 0x200, u"\uE001"}, WordCall{'R', u"い", 0x200, u"\uE001"},
                                       WordCall{'R', u"がいじ", 0x200, u"\uE010"}));
  EXPECT_EQ(Read(m_old), file);
  EXPECT_THAT(m_log.lines, ElementsAre(u"IM単語登録開始\n", u"IM=FAKEIME.IME\n", u"品詞NO[1]=<00000200>'単漢字'\n",
                                       u"旧単語登録削除件数=0:Err=0\n", u"単語登録件数=3:Err=0\n", u"IM単語登録終了\n"));
  ASSERT_EQ(m_prompter.Ids(), std::vector<int>{imereg::kMsgStatus});
  EXPECT_EQ(m_prompter.shown[0].icon, CPrompter::Icon::Information);
  EXPECT_EQ(m_prompter.shown[0].args, (std::vector<MessageArg>{0, 0, 3, 0}));
  EXPECT_EQ(m_busy, (std::vector<bool>{true, false}));
}

TEST_F(ImeWordRegistrationTest, OldWordsGoBeforeNewOnesAndRefusedReadingsAreCountedAndLogged) {
  Write(m_old, Records({{0xE001, u"あ"}, {0xE005, u"だめ"}}));
  const Bytes file = Records({{0xE001, u"あ"}, {0xE002, u"だめ"}, {0xE003, u"う"}});
  Load(file);
  m_ime.refused = {u"だめ"};
  m_ime.styles = {{0x10, u"名詞"}, {0x20, u"普通"}};  // no 単漢: the first style, nothing logged

  ASSERT_EQ(Run(), (ImeRegistrationCounts{1, 1, 2, 1}));
  EXPECT_THAT(m_ime.calls, ElementsAre(WordCall{'U', u"あ", 0x10, u"\uE001"}, WordCall{'U', u"だめ", 0x10, u"\uE005"},
                                       WordCall{'R', u"あ", 0x10, u"\uE001"}, WordCall{'R', u"だめ", 0x10, u"\uE002"},
                                       WordCall{'R', u"う", 0x10, u"\uE003"}));
  EXPECT_THAT(m_log.lines, ElementsAre(u"IM単語登録開始\n", u"IM=FAKEIME.IME\n", u"Del Err YOMI=だめ:\uE005\n",
                                       u"旧単語登録削除件数=1:Err=1\n", u"Add Err YOMI=だめ:\uE002\n",
                                       u"単語登録件数=2:Err=1\n", u"IM単語登録終了\n"));
  EXPECT_EQ(Read(m_old), file);
}

TEST_F(ImeWordRegistrationTest, ManyStylesWithSingleKanjiTakeTheLast) {
  m_ime.styles = {{1, u"単漢字A"}, {2, u"名詞"}, {3, u"単漢字B"}};
  const auto chosen = ChooseImeWordStyle(m_ime.styles, m_log);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(chosen->value, 3u);
  EXPECT_THAT(m_log.lines, ElementsAre(u"品詞NO[0]=<00000001>'単漢字A'\n", u"品詞NO[2]=<00000003>'単漢字B'\n"));
  EXPECT_FALSE(ChooseImeWordStyle({}, m_log));
}

TEST_F(ImeWordRegistrationTest, NoStylesStopsWith2030AndLeavesTheCopyAlone) {
  const Bytes old = Records({{0xE001, u"あ"}});
  Write(m_old, old);
  Load(Records({{0xE002, u"い"}}));
  m_ime.styles.clear();
  EXPECT_FALSE(Run());
  EXPECT_EQ(m_prompter.Ids(), std::vector<int>{imereg::kMsgNoStyle});
  EXPECT_THAT(m_ime.calls, IsEmpty());
  EXPECT_THAT(m_busy, IsEmpty());
  EXPECT_EQ(Read(m_old), old);
}

TEST_F(ImeWordRegistrationTest, WithoutAStoreNothingHappens) {
  EXPECT_FALSE(Run());
  EXPECT_THAT(m_prompter.shown, IsEmpty());
  EXPECT_EQ(m_ime.layoutSelections, 0);
}

TEST_F(ImeWordRegistrationTest, ChangedReadingsAreSavedFirstAndAFailedCopyShows2031) {
  Load(Records({{0xE001, u"あ"}}));
  ASSERT_TRUE(m_store.ReplaceReadings(0xE001, {u"か", u"き"}));
  m_old = m_dir / u"missing" / u"_OldEudc.ymi";  // no such folder: the copy cannot be written

  ASSERT_EQ(Run(), (ImeRegistrationCounts{0, 0, 2, 0}));
  EXPECT_EQ(m_ime.calls.back(), (WordCall{'R', u"き", 0x200, u"\uE001"}));
  EXPECT_FALSE(m_store.IsChanged());
  EXPECT_TRUE(m_store.HasStore()) << "the store is kept";
  EXPECT_EQ(m_prompter.Ids(), (std::vector<int>{imereg::kMsgOldCopyFailed, imereg::kMsgStatus}));
  EXPECT_EQ(m_prompter.shown[0].args,
            (std::vector<MessageArg>{(m_dir / u"gaiji.ymi").u16string(), m_old.u16string()}));
  EXPECT_TRUE(m_prompter.shown[0].log);
  EXPECT_FALSE(fs::exists(m_old.parent_path()));
}

}  // namespace
}  // namespace moji
