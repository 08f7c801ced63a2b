#include "YomiStore.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace moji {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// Records what was shown and answers questions from a script (default: Yes).
class CFakePrompter final : public CPrompter {
 public:
  Answer Message(int id, Buttons buttons, Icon, const std::vector<MessageArg>& args, bool) override {
    (buttons == Buttons::YesNo ? asked : shown).push_back(id);
    lastArgs.clear();
    for (const MessageArg& arg : args) lastArgs.push_back(std::get<std::u16string>(arg));
    return buttons == Buttons::YesNo ? (answer ? Answer::Yes : Answer::No) : Answer::Ok;
  }
  bool answer = true;
  std::vector<int> shown;
  std::vector<int> asked;
  std::vector<std::u16string> lastArgs;
};

Bytes Record(int code, std::u16string_view reading) {
  Bytes r(kYomiRecordSize);
  MakeYomiRecord(r.data(), code, reading);
  return r;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

class YomiStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_dir = fs::temp_directory_path() / (std::string("moji_yomi_") + info->name());
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
  }
  void TearDown() override { fs::remove_all(m_dir); }

  void Write(const fs::path& p, const Bytes& data) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
  }
  static Bytes Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  int FilesIn() const {
    int n = 0;
    for (const auto& e : fs::directory_iterator(m_dir)) n += e.is_regular_file();
    return n;
  }
  CYomiStore MakeStore(int maxCount = 6400) {
    return CYomiStore(m_prompter, [this, maxCount] { return m_maxCount ? m_maxCount : maxCount; }, true);
  }

  fs::path m_dir;
  CFakePrompter m_prompter;
  int m_maxCount = 0;
};

TEST(YomiRecord, LayoutIsBigEndianCodeAndLittleEndianTextOfAtMostTenCharacters) {
  const Bytes r = Record(0xE12F, u"あいうえおかきくけこさし");
  ASSERT_EQ(r.size(), 46u);
  EXPECT_EQ(r[0], 0xE1);
  EXPECT_EQ(r[1], 0x2F);
  EXPECT_EQ(r[2], 0x42);  // あ = U+3042, low byte first
  EXPECT_EQ(r[3], 0x30);
  EXPECT_EQ(YomiRecordCode(r.data()), 0xE12F);
  EXPECT_EQ(YomiRecordReading(r.data()), u"あいうえおかきくけこ");
  for (std::size_t i = 22; i < 46; ++i) ASSERT_EQ(r[i], 0) << i;
  // A pair of surrogates at the cut is left out whole rather than split.
  const std::u16string nineAndPair = u"あいうえおかきくけ\U00020B9F";
  EXPECT_EQ(YomiRecordReading(Record(0xE000, nineAndPair).data()), u"あいうえおかきくけ");
  EXPECT_EQ(YomiFilePath(u"D:/fonts/EUDC.tte"), fs::path(u"D:/fonts/EUDC.ymi"));
  EXPECT_EQ(YomiFilePath(u"/x/外字.EUF"), fs::path(u"/x/外字.ymi"));
}

TEST_F(YomiStoreTest, FileSizesRecordEndsAndUnterminatedTextAreReadSafely) {
  auto store = MakeStore();
  const fs::path tte = m_dir / "a.tte";
  // 47 bytes: one record whose text fills the whole field without a zero unit.
  Bytes full(46, 0);
  full[0] = 0xE0, full[1] = 0x01;
  for (std::size_t i = 2; i < 46; i += 2) full[i] = 0x42, full[i + 1] = 0x30;
  full.push_back(0x7F);
  Write(m_dir / "a.ymi", full);
  EXPECT_TRUE(store.LoadReadings(tte));
  EXPECT_EQ(store.Count(), 1u);
  EXPECT_EQ(store.GetReadings(0xE001), std::u16string(22, u'あ'));
  EXPECT_EQ(Read(m_dir / "a.ymi").size(), 47u);  // loading never truncates

  Write(m_dir / "a.ymi", Bytes(45, 0x41));
  EXPECT_FALSE(store.LoadReadings(tte));
  EXPECT_TRUE(store.HasStore());
  EXPECT_EQ(store.Count(), 0u);

  // A record with code 0000 ends the sequence.
  Write(m_dir / "a.ymi", Concat({Record(0xE001, u"あ"), Record(0, u"ん"), Record(0xE002, u"い")}));
  EXPECT_TRUE(store.LoadReadings(tte));
  EXPECT_EQ(store.Count(), 1u);
  EXPECT_EQ(store.GetReadings(0xE002), u"");
  EXPECT_TRUE(m_prompter.shown.empty());
  EXPECT_TRUE(m_prompter.asked.empty());
}

TEST_F(YomiStoreTest, CapacityStopsLoadingOnceAndRefusesReplacing) {
  auto store = MakeStore(3);
  Write(m_dir / "a.ymi", Concat({Record(0xE001, u"あ"), Record(0xE002, u"い"), Record(0xE003, u"う"),
                                 Record(0xE004, u"え")}));
  EXPECT_TRUE(store.LoadReadings(m_dir / "a.tte"));
  EXPECT_EQ(m_prompter.shown, std::vector<int>{kMsgYomiTooMany});
  EXPECT_EQ(store.Count(), 3u);
  EXPECT_EQ(store.GetReadings(0xE003), u"う");
  EXPECT_EQ(store.GetReadings(0xE004), u"");

  // Full: replacing one reading by one fits, adding one more does not and changes nothing.
  EXPECT_TRUE(store.ReplaceReadings(0xE002, {u"か"}));
  EXPECT_FALSE(store.ReplaceReadings(0xE002, {u"か", u"き"}));
  EXPECT_EQ(m_prompter.shown, (std::vector<int>{kMsgYomiTooMany, kMsgYomiTooMany}));
  EXPECT_EQ(store.GetReadings(0xE002), u"か");
  // The capacity is asked at each use: lowered below what the store holds, adding is refused.
  m_maxCount = 2;
  EXPECT_FALSE(store.ReplaceReadings(0xE005, {}));
  EXPECT_EQ(store.Count(), 3u);
}

TEST_F(YomiStoreTest, ReadingsAreJoinedInStoreOrderAndReplacedInByteOrder) {
  auto store = MakeStore();
  Write(m_dir / "a.ymi", Concat({Record(0xE010, u"じゅう"), Record(0xE001, u"あい"), Record(0xE001, u"かき")}));
  ASSERT_TRUE(store.LoadReadings(m_dir / "a.tte"));
  EXPECT_EQ(store.GetReadings(0xE001), u"あい,かき");
  EXPECT_EQ(store.GetReadingList(0xE001), (std::vector<std::u16string>{u"あい", u"かき"}));
  EXPECT_EQ(store.GetReadings(0xE002), u"");
  EXPECT_FALSE(store.IsChanged());

  EXPECT_TRUE(store.ReplaceReadings(0xE005, {u"ごご", u"ご", u"あいうえおかきくけこさし"}));
  EXPECT_TRUE(store.IsChanged());
  EXPECT_EQ(store.GetReadings(0xE005), u"あいうえおかきくけこ,ご,ごご");
  EXPECT_TRUE(store.ReplaceReadings(0xE001, {}));
  EXPECT_EQ(store.GetReadings(0xE001), u"");
  EXPECT_FALSE(store.ReplaceReadings(0xF900, {u"だめ"}));
  EXPECT_FALSE(store.ReplaceReadings(0, {u"だめ"}));

  // Loading another file first writes this one, sorted, and frees it.
  store.LoadReadings(m_dir / "b.tte");
  EXPECT_EQ(Read(m_dir / "a.ymi"), Concat({Record(0xE005, u"あいうえおかきくけこ"), Record(0xE005, u"ご"),
                                           Record(0xE005, u"ごご"), Record(0xE010, u"じゅう")}));
  EXPECT_EQ(store.Path(), m_dir / "b.ymi");
  EXPECT_EQ(store.GetReadings(0xE005), u"");
}

TEST_F(YomiStoreTest, UnchangedStoresAreNotWritten) {
  auto store = MakeStore();
  Write(m_dir / "a.ymi", Record(0xE001, u"あ"));
  ASSERT_TRUE(store.LoadReadings(m_dir / "a.tte"));
  fs::remove(m_dir / "a.ymi");
  store.SaveReadings(false);
  EXPECT_FALSE(fs::exists(m_dir / "a.ymi"));
  EXPECT_FALSE(store.HasStore());
  EXPECT_FALSE(store.ReplaceReadings(0xE001, {u"い"}));  // no store, nothing to change
}

TEST_F(YomiStoreTest, ManagementOffKeepsNoStoreAndCreatesNothing) {
  CYomiStore store(m_prompter, [] { return 6400; });
  Write(m_dir / "a.ymi", Record(0xE001, u"あ"));
  EXPECT_FALSE(store.LoadReadings(m_dir / "a.tte"));
  EXPECT_FALSE(store.LoadReadings(m_dir / "b.tte"));
  EXPECT_FALSE(fs::exists(m_dir / "b.ymi"));
  EXPECT_FALSE(store.HasStore());
  EXPECT_EQ(store.GetReadings(0xE001), u"");
  EXPECT_FALSE(store.ReplaceReadings(0xE001, {u"い"}));
  EXPECT_TRUE(m_prompter.asked.empty());
  EXPECT_TRUE(m_prompter.shown.empty());
}

TEST_F(YomiStoreTest, MissingFileIsCreatedOnlyWhenTheUserAgrees) {
  auto store = MakeStore();
  const fs::path tte = m_dir / "新しい.tte";
  m_prompter.answer = false;
  EXPECT_FALSE(store.LoadReadings(tte));
  EXPECT_EQ(m_prompter.asked, std::vector<int>{kMsgYomiAskManage});
  EXPECT_EQ(m_prompter.lastArgs, std::vector<std::u16string>{tte.u16string()});
  EXPECT_FALSE(store.HasStore());
  EXPECT_EQ(FilesIn(), 0);

  m_prompter.answer = true;
  EXPECT_FALSE(store.LoadReadings(tte));  // an empty store is no loaded reading
  ASSERT_TRUE(fs::exists(m_dir / "新しい.ymi"));
  EXPECT_EQ(fs::file_size(m_dir / "新しい.ymi"), 0u);
  EXPECT_TRUE(store.HasStore());
  EXPECT_TRUE(store.ReplaceReadings(0xE757, {u"ほし"}));
  store.SaveReadings(true);
  EXPECT_TRUE(store.HasStore());
  EXPECT_FALSE(store.IsChanged());
  EXPECT_EQ(Read(m_dir / "新しい.ymi"), Record(0xE757, u"ほし"));
  EXPECT_EQ(m_prompter.asked.size(), 2u);  // the file exists now: no more questions
  EXPECT_TRUE(store.LoadReadings(tte));
  EXPECT_EQ(m_prompter.asked.size(), 2u);
}

TEST_F(YomiStoreTest, FailedSaveKeepsThePreviousFileAndReports4004) {
  // A name that fits the file system while the temporary name beside it does not: the
  // atomic write cannot even start.
  const std::string stem(248, 'y');
  const fs::path tte = m_dir / (stem + ".tte");
  const fs::path ymi = m_dir / (stem + ".ymi");
  const Bytes old = Concat({Record(0xE001, u"あ"), Record(0xE002, u"い")});
  Write(ymi, old);
  ASSERT_EQ(Read(ymi), old);

  auto store = MakeStore();
  ASSERT_TRUE(store.LoadReadings(tte));
  ASSERT_TRUE(store.ReplaceReadings(0xE001, {u"かわった"}));
  store.SaveReadings(true);
  EXPECT_EQ(m_prompter.shown, std::vector<int>{kMsgYomiSaveFailed});
  EXPECT_TRUE(store.IsChanged());  // kept and still changed: the next save tries again
  store.SaveReadings(false);
  EXPECT_EQ(m_prompter.shown, (std::vector<int>{kMsgYomiSaveFailed, kMsgYomiSaveFailed}));
  EXPECT_FALSE(store.HasStore());
  EXPECT_EQ(Read(ymi), old);
  EXPECT_EQ(FilesIn(), 1);  // no temporary file left behind
}

}  // namespace
}  // namespace moji
