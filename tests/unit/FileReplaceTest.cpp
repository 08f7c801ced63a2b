#include "FileReplace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <vector>

#include "BinaryFile.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

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
  // Names in the folder that look like temporary files of a save ("~...tmp").
  std::vector<fs::path> Leftovers() const {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(m_dir)) {
      const std::string name = entry.path().filename().string();
      if (name.front() == '~' && name.size() > 4 && name.substr(name.size() - 4) == ".tmp") found.push_back(entry.path());
    }
    return found;
  }
  fs::path m_dir;
};

TEST_F(FileReplaceTest, ClaimingATempNameRemovesLeftoversButNotFilesInUse) {
  const fs::path target = m_dir / "readings.ymi";
  std::ofstream(m_dir / "~readings.ymi.0.tmp") << "left by a killed save";
  std::ofstream(m_dir / "~readings.ymi.7.tmp") << "left as well";
  std::ofstream(m_dir / "~readings.ymi.x.tmp") << "not of this naming";
  std::ofstream(m_dir / "~other.ymi.1.tmp") << "another target's";
  std::ofstream(m_dir / "~readings.ymi.3.tmp") << "being written";
  auto writer = CBinaryFile::Open(m_dir / "~readings.ymi.3.tmp", CBinaryFile::Access::ReadWrite);
  ASSERT_TRUE(writer);

  const std::string data = "new";
  ASSERT_TRUE(WriteFileAtomically(target, {reinterpret_cast<const std::uint8_t*>(data.data()), data.size()}));
  EXPECT_EQ(Read(target), "new");
  std::vector<fs::path> left = Leftovers();
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<fs::path>{m_dir / "~other.ymi.1.tmp", m_dir / "~readings.ymi.3.tmp",
                                          m_dir / "~readings.ymi.x.tmp"}));
  writer.reset();
  EXPECT_TRUE(CreateTempBeside(target));  // once closed, it is a leftover too
  EXPECT_FALSE(fs::exists(m_dir / "~readings.ymi.3.tmp"));
}

#ifndef _WIN32
// A child saves over and over and is killed at a random moment, many times; the next save
// removes whatever the killed ones left, and the file always holds one complete version.
TEST_F(FileReplaceTest, SavesKilledInTheMiddleLeaveNothingAfterTheNextSave) {
  const fs::path target = m_dir / "readings.ymi";
  const std::string versions[] = {std::string(300000, 'a'), std::string(200000, 'b')};
  std::mt19937 random(12345);
  int killsLeavingFiles = 0;
  for (int kill = 0; kill < 200; ++kill) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (unsigned i = 0;; ++i) {
        const std::string& data = versions[i % 2];
        WriteFileAtomically(target, {reinterpret_cast<const std::uint8_t*>(data.data()), data.size()});
      }
    }
    ::usleep(std::uniform_int_distribution<unsigned>(0, 3000)(random));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    killsLeavingFiles += Leftovers().empty() ? 0 : 1;
    if (fs::exists(target)) {
      const std::string content = Read(target);
      ASSERT_TRUE(content == versions[0] || content == versions[1]) << "a save left a partial file";
    }
  }
  std::cout << "kills that left a temporary file: " << killsLeavingFiles << " of 200\n";
  EXPECT_GT(killsLeavingFiles, 0) << "no kill hit the writing window";
  const std::string last = "last";
  ASSERT_TRUE(WriteFileAtomically(target, {reinterpret_cast<const std::uint8_t*>(last.data()), last.size()}));
  EXPECT_TRUE(Leftovers().empty());
  EXPECT_EQ(Read(target), "last");
}
#endif

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
