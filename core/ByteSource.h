// Random-access byte sources for the file readers. Every read names its offset and
// length and reports how much it got, so a reader can never over-read its input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

namespace moji {

class CByteSource {
 public:
  virtual ~CByteSource() = default;
  virtual std::uint64_t Size() const = 0;
  // Copies up to n bytes from offset into dst; returns the number copied (short at the
  // end of the data or on an I/O error).
  virtual std::size_t ReadAt(std::uint64_t offset, void* dst, std::size_t n) = 0;
  // Writes n bytes at offset, extending the data when needed; false when not writable.
  virtual bool WriteAt(std::uint64_t offset, const void* src, std::size_t n) {
    (void)offset, (void)src, (void)n;
    return false;
  }

  bool ReadExact(std::uint64_t offset, void* dst, std::size_t n) { return ReadAt(offset, dst, n) == n; }
};

// Bytes held in memory: fuzzing, tests, and building files before they are written.
class CMemorySource final : public CByteSource {
 public:
  CMemorySource() = default;
  explicit CMemorySource(std::span<const std::uint8_t> data) : m_data(data.begin(), data.end()) {}
  explicit CMemorySource(std::vector<std::uint8_t> data) : m_data(std::move(data)) {}

  std::uint64_t Size() const override { return m_data.size(); }
  std::size_t ReadAt(std::uint64_t offset, void* dst, std::size_t n) override {
    if (offset >= m_data.size()) return 0;
    const std::size_t got = static_cast<std::size_t>(std::min<std::uint64_t>(n, m_data.size() - offset));
    std::memcpy(dst, m_data.data() + offset, got);
    return got;
  }
  bool WriteAt(std::uint64_t offset, const void* src, std::size_t n) override {
    if (offset + n > m_data.size()) m_data.resize(static_cast<std::size_t>(offset + n));
    std::memcpy(m_data.data() + offset, src, n);
    return true;
  }
  const std::vector<std::uint8_t>& Data() const { return m_data; }

 private:
  std::vector<std::uint8_t> m_data;
};

}  // namespace moji
