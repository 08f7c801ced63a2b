#include "QSortOfMemBlk.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace moji {

int CComparator::Compare(const std::uint8_t* a, const std::uint8_t* b, std::size_t length) const {
  return length == 0 ? 0 : std::memcmp(a, b, length);  // memcmp compares unsigned bytes
}

CQSortOfMemBlk::CQSortOfMemBlk(const CComparator* comparator, std::span<std::uint8_t> block, std::size_t count,
                               std::size_t recordSize, std::size_t keyOffset, std::size_t keyLength,
                               std::size_t pendingCapacity)
    : m_comparator(comparator != nullptr ? comparator : &m_defaultComparator),
      m_block(block),
      m_count(count),
      m_recordSize(recordSize),
      m_keyOffset(keyOffset),
      m_keyLength(keyLength),
      m_pendingCapacity(pendingCapacity) {}

int CQSortOfMemBlk::CompareRecords(std::size_t a, std::size_t b) const {
  return m_comparator->Compare(Record(a) + m_keyOffset, Record(b) + m_keyOffset, m_keyLength);
}

void CQSortOfMemBlk::Swap(std::size_t a, std::size_t b) const {
  if (a != b) std::swap_ranges(Record(a), Record(a) + m_recordSize, Record(b));
}

void CQSortOfMemBlk::MedianToLast(const Range& range) const {
  if (range.end - range.first < 3) return;
  const std::size_t lo = range.first, mid = range.first + (range.end - range.first) / 2, hi = range.end - 1;
  // Order lo <= mid, then place the median of the three at hi.
  if (CompareRecords(lo, mid) > 0) Swap(lo, mid);
  if (CompareRecords(hi, lo) < 0) Swap(hi, lo);        // hi was the smallest: lo is the median
  else if (CompareRecords(hi, mid) > 0) Swap(hi, mid);  // hi was the largest: mid is the median
}

void CQSortOfMemBlk::Partition(const Range& range, std::size_t& lower, std::size_t& upper) const {
  const std::size_t pivot = range.end - 1;
  std::size_t lt = range.first, i = range.first, gt = pivot;
  // Invariant: [first, lt) < pivot, [lt, i) == pivot, [gt, pivot) > pivot.
  while (i < gt) {
    const int c = CompareRecords(i, pivot);
    if (c < 0) Swap(lt++, i++);
    else if (c > 0) Swap(i, --gt);
    else ++i;
  }
  Swap(gt, pivot);  // the pivot joins its equals; the record it displaces is above it
  lower = lt;
  upper = gt + 1;
}

void CQSortOfMemBlk::InsertionSort(const Range& range) const {
  for (std::size_t i = range.first + 1; i < range.end; ++i)
    for (std::size_t j = i; j > range.first && CompareRecords(j - 1, j) > 0; --j) Swap(j - 1, j);
}

bool CQSortOfMemBlk::Sort() {
  if (m_recordSize == 0 || m_keyOffset > m_recordSize || m_keyLength > m_recordSize - m_keyOffset) return false;
  if (m_count > m_block.size() / m_recordSize) return false;

  std::vector<Range> pending;
  pending.reserve(m_pendingCapacity);
  Range range{0, m_count};
  for (;;) {
    while (range.end - range.first > 1) {
      MedianToLast(range);
      std::size_t lower = 0, upper = 0;
      Partition(range, lower, upper);
      Range left{range.first, lower}, right{upper, range.end};
      if (left.end - left.first > right.end - right.first) std::swap(left, right);
      // `left` is now the smaller part: sort it next, keep the larger one for later.
      if (right.end - right.first > 1) {
        if (pending.size() < m_pendingCapacity) pending.push_back(right);
        else InsertionSort(right);
      }
      range = left;
    }
    if (pending.empty()) break;
    range = pending.back();
    pending.pop_back();
  }
  return true;
}

}  // namespace moji
