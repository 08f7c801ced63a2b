// Sorting a block of fixed-size records in place by a key that lies at the same offset in
// every record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace moji {

// Orders two keys of the same length; negative, 0 or positive like a byte-string comparison.
// The default compares unsigned bytes.
class CComparator {
 public:
  virtual ~CComparator() = default;
  virtual int Compare(const std::uint8_t* a, const std::uint8_t* b, std::size_t length) const;
};

// In-place quicksort of `count` records of `recordSize` bytes at the start of `block`,
// ascending by the `keyLength` bytes at `keyOffset` of each record. The pivot of a range is
// its last record (the median of the first, middle and last record is moved there first, so
// that already sorted input stays fast); records equal to the pivot are gathered around it
// and leave the range. The smaller part is sorted first and the larger one waits in a
// bounded list of pending ranges, which therefore never holds more than about log2(count)
// ranges. Should the list still be full, the range is finished by insertion sort.
class CQSortOfMemBlk {
 public:
  static constexpr std::size_t kDefaultPendingCapacity = 100;

  // `comparator` null: a CComparator. The comparator must outlive the sorter.
  CQSortOfMemBlk(const CComparator* comparator, std::span<std::uint8_t> block, std::size_t count,
                 std::size_t recordSize, std::size_t keyOffset, std::size_t keyLength,
                 std::size_t pendingCapacity = kDefaultPendingCapacity);

  // False, leaving the block untouched, when the records do not fit the block or the key
  // does not lie inside a record.
  bool Sort();

 private:
  struct Range {
    std::size_t first;
    std::size_t end;  // one past the last record
  };

  std::uint8_t* Record(std::size_t i) const { return m_block.data() + i * m_recordSize; }
  int CompareRecords(std::size_t a, std::size_t b) const;
  void Swap(std::size_t a, std::size_t b) const;
  void MedianToLast(const Range& range) const;
  // Splits the range around its last record: [first, lower) below it, [upper, end) above.
  void Partition(const Range& range, std::size_t& lower, std::size_t& upper) const;
  void InsertionSort(const Range& range) const;

  CComparator m_defaultComparator;
  const CComparator* m_comparator;
  std::span<std::uint8_t> m_block;
  std::size_t m_count;
  std::size_t m_recordSize;
  std::size_t m_keyOffset;
  std::size_t m_keyLength;
  std::size_t m_pendingCapacity;
};

}  // namespace moji
