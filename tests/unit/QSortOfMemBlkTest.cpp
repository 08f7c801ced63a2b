#include "QSortOfMemBlk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace moji {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Record = std::string;  // compares as unsigned bytes, like the records
using Records = std::vector<Record>;

Records Split(const Bytes& block, std::size_t count, std::size_t size) {
  Records out;
  for (std::size_t i = 0; i < count; ++i)
    out.emplace_back(reinterpret_cast<const char*>(block.data()) + i * size, size);
  return out;
}

Bytes Join(const Records& records) {
  Bytes out;
  for (const Record& r : records) out.insert(out.end(), r.begin(), r.end());
  return out;
}

// Random records over a small alphabet, so that equal keys and equal prefixes are common.
Records RandomRecords(std::mt19937& rng, std::size_t count, std::size_t size, int alphabet) {
  std::uniform_int_distribution<int> byte(0, alphabet - 1);
  Records out(count, Record(size, '\0'));
  for (Record& r : out)
    for (char& c : r) c = static_cast<char>(byte(rng) * (256 / alphabet) + (256 % alphabet));
  return out;
}

TEST(QSortOfMemBlk, WholeRecordSortEqualsStdSortOnRandomAndOrderedBlocks) {
  std::mt19937 rng(20240607);
  const std::size_t sizes[] = {0, 1, 2, 3, 7, 64, 1000, 4097};
  for (std::size_t count : sizes) {
    for (int alphabet : {2, 3, 256}) {
      for (int shape = 0; shape < 4; ++shape) {
        Records records = RandomRecords(rng, count, 46, alphabet);
        if (shape == 1) std::sort(records.begin(), records.end());
        if (shape == 2) std::sort(records.rbegin(), records.rend());
        if (shape == 3 && count > 2) records.back() = records.front();  // sorted run plus a new tail
        Records expected = records;
        std::sort(expected.begin(), expected.end());
        Bytes block = Join(records);
        block.resize(block.size() + 46, 0xEE);  // room after the records stays untouched
        ASSERT_TRUE(CQSortOfMemBlk(nullptr, block, count, 46, 0, 46).Sort());
        ASSERT_EQ(Split(block, count, 46), expected) << count << " records, alphabet " << alphabet << ", shape " << shape;
        ASSERT_TRUE(std::all_of(block.end() - 46, block.end(), [](std::uint8_t b) { return b == 0xEE; }));
      }
    }
  }
}

TEST(QSortOfMemBlk, KeyInsideTheRecordAndAFullPendingListStillSort) {
  std::mt19937 rng(7);
  for (std::size_t pending : {std::size_t{0}, std::size_t{1}, std::size_t{100}}) {
    const Records records = RandomRecords(rng, 3000, 9, 4);
    Bytes block = Join(records);
    ASSERT_TRUE(CQSortOfMemBlk(nullptr, block, records.size(), 9, 3, 4, pending).Sort());
    const Records sorted = Split(block, records.size(), 9);
    // Keys ascend; the records are the same multiset (order among equal keys is free).
    for (std::size_t i = 1; i < sorted.size(); ++i) ASSERT_LE(sorted[i - 1].substr(3, 4), sorted[i].substr(3, 4)) << i;
    Records a = records, b = sorted;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    ASSERT_EQ(a, b) << "pending capacity " << pending;
  }
}

TEST(QSortOfMemBlk, CustomComparatorAndRefusedArguments) {
  class CDescending final : public CComparator {
   public:
    int Compare(const std::uint8_t* a, const std::uint8_t* b, std::size_t n) const override {
      return CComparator::Compare(b, a, n);
    }
  };
  const CDescending descending;
  Bytes block = {1, 0x80, 3, 0x7F, 0xFF, 0};
  ASSERT_TRUE(CQSortOfMemBlk(&descending, block, 6, 1, 0, 1).Sort());
  EXPECT_EQ(block, (Bytes{0xFF, 0x80, 0x7F, 3, 1, 0}));
  ASSERT_TRUE(CQSortOfMemBlk(nullptr, block, 6, 1, 0, 1).Sort());
  EXPECT_EQ(block, (Bytes{0, 1, 3, 0x7F, 0x80, 0xFF}));  // unsigned bytes: 0x80 above 0x7F

  const Bytes before = {5, 4, 3, 2, 1, 0};
  block = before;
  EXPECT_FALSE(CQSortOfMemBlk(nullptr, block, 7, 1, 0, 1).Sort());  // more records than the block
  EXPECT_FALSE(CQSortOfMemBlk(nullptr, block, 3, 2, 1, 2).Sort());  // key beyond the record
  EXPECT_FALSE(CQSortOfMemBlk(nullptr, block, 3, 0, 0, 0).Sort());
  EXPECT_EQ(block, before);
}

}  // namespace
}  // namespace moji
