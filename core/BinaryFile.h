// A file opened for one operation and read or written at explicit offsets. Reads go
// through a small window so that scanning neighbouring records costs about as much as
// one sequential read of the file.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "ByteSource.h"

namespace moji {

class CBinaryFile final : public CByteSource {
 public:
  enum class Access {
    Read,           // others may read and write
    ReadDenyWrite,  // others may read but not write while it is open (Windows share mode)
    ReadWrite,
  };

  static std::unique_ptr<CBinaryFile> Open(const std::filesystem::path& path, Access access);
  ~CBinaryFile() override;
  CBinaryFile(const CBinaryFile&) = delete;
  CBinaryFile& operator=(const CBinaryFile&) = delete;

  std::uint64_t Size() const override { return m_size; }
  std::size_t ReadAt(std::uint64_t offset, void* dst, std::size_t n) override;
  bool WriteAt(std::uint64_t offset, const void* src, std::size_t n) override;
  bool Flush();

 private:
  CBinaryFile() = default;
  std::size_t RawRead(std::uint64_t offset, void* dst, std::size_t n);

  static constexpr std::size_t kWindowSize = 64 * 1024;
  std::intptr_t m_handle = -1;
  bool m_writable = false;
  std::uint64_t m_size = 0;
  std::vector<std::uint8_t> m_window;
  std::uint64_t m_windowStart = 0;
  std::size_t m_windowLength = 0;
};

// The whole file at `path`, read for one call; nothing when it cannot be read or holds more
// than `maxBytes`.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path, std::uint64_t maxBytes);

}  // namespace moji
