#include "FileReplace.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace moji {
namespace {

namespace fs = std::filesystem;

class FileReplaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = fs::temp_directory_path() / ("moji_replace_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
  }
  void TearDown() override { fs::remove_all(m_dir); }
  static std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  fs::path m_dir;
};

TEST_F(FileReplaceTest, UniqueNamesAreClaimedInCounterOrderAndNeverTwice) {
  std::ofstream(m_dir / "_Gvw_0") << "taken";
  const auto a = CreateUniqueFile(m_dir, u"_Gvw_");
  const auto b = CreateUniqueFile(m_dir, u"_Gvw_");
  ASSERT_TRUE(a && b);
  EXPECT_EQ(a->filename(), "_Gvw_1");
  EXPECT_EQ(b->filename(), "_Gvw_2");
  EXPECT_EQ(Read(m_dir / "_Gvw_0"), "taken");
  EXPECT_FALSE(CreateUniqueFile(m_dir / "missing", u"_Gvw_"));
}

TEST_F(FileReplaceTest, AtomicWriteReplacesOrLeavesTheOldContent) {
  const fs::path target = m_dir / "読み.ymi";
  std::ofstream(target) << "old";
  const std::uint8_t data[] = {'n', 'e', 'w', 0, 1};
  ASSERT_TRUE(WriteFileAtomically(target, data));
  EXPECT_EQ(Read(target), std::string("new\0\1", 5));
  // A target folder that does not exist: nothing written, nothing left behind.
  EXPECT_FALSE(WriteFileAtomically(m_dir / "nope" / "x.ymi", data));
  int files = 0;
  for (const auto& entry : fs::directory_iterator(m_dir)) files += entry.is_regular_file();
  EXPECT_EQ(files, 1);
}

}  // namespace
}  // namespace moji
