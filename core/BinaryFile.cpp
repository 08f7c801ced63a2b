#include "BinaryFile.h"

#include <algorithm>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace moji {

#ifdef _WIN32
namespace {
HANDLE AsHandle(std::intptr_t h) { return reinterpret_cast<HANDLE>(h); }
}  // namespace

std::unique_ptr<CBinaryFile> CBinaryFile::Open(const std::filesystem::path& path, Access access) {
  DWORD desired = GENERIC_READ;
  DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
  if (access == Access::ReadDenyWrite) share = FILE_SHARE_READ;
  if (access == Access::ReadWrite) desired |= GENERIC_WRITE, share = FILE_SHARE_READ;
  HANDLE h = CreateFileW(path.c_str(), desired, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(h, &size)) {
    CloseHandle(h);
    return nullptr;
  }
  std::unique_ptr<CBinaryFile> file(new CBinaryFile());
  file->m_handle = reinterpret_cast<std::intptr_t>(h);
  file->m_writable = access == Access::ReadWrite;
  file->m_size = static_cast<std::uint64_t>(size.QuadPart);
  return file;
}

CBinaryFile::~CBinaryFile() {
  if (m_handle != -1) CloseHandle(AsHandle(m_handle));
}

std::size_t CBinaryFile::RawRead(std::uint64_t offset, void* dst, std::size_t n) {
  std::size_t total = 0;
  auto* out = static_cast<std::uint8_t*>(dst);
  while (total < n) {
    OVERLAPPED ov{};
    const std::uint64_t at = offset + total;
    ov.Offset = static_cast<DWORD>(at);
    ov.OffsetHigh = static_cast<DWORD>(at >> 32);
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(n - total, 1u << 30));
    if (!ReadFile(AsHandle(m_handle), out + total, want, &got, &ov) || got == 0) break;
    total += got;
  }
  return total;
}

bool CBinaryFile::WriteAt(std::uint64_t offset, const void* src, std::size_t n) {
  if (!m_writable) return false;
  m_windowLength = 0;
  std::size_t total = 0;
  const auto* in = static_cast<const std::uint8_t*>(src);
  while (total < n) {
    OVERLAPPED ov{};
    const std::uint64_t at = offset + total;
    ov.Offset = static_cast<DWORD>(at);
    ov.OffsetHigh = static_cast<DWORD>(at >> 32);
    DWORD put = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(n - total, 1u << 30));
    if (!WriteFile(AsHandle(m_handle), in + total, want, &put, &ov) || put == 0) return false;
    total += put;
  }
  m_size = std::max(m_size, offset + n);
  return true;
}

bool CBinaryFile::Flush() { return !m_writable || FlushFileBuffers(AsHandle(m_handle)); }

#else

std::unique_ptr<CBinaryFile> CBinaryFile::Open(const std::filesystem::path& path, Access access) {
  const int flags = (access == Access::ReadWrite ? O_RDWR : O_RDONLY) | O_CLOEXEC;
  const int fd = ::open(path.c_str(), flags);
  if (fd < 0) return nullptr;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  // A file open for writing is marked as in use by a shared lock, as Windows marks it by its
  // sharing mode: a leftover-file sweep (RemoveIfStale) never removes it.
  if (access == Access::ReadWrite) ::flock(fd, LOCK_SH | LOCK_NB);
  std::unique_ptr<CBinaryFile> file(new CBinaryFile());
  file->m_handle = fd;
  file->m_writable = access == Access::ReadWrite;
  file->m_size = static_cast<std::uint64_t>(st.st_size);
  return file;
}

CBinaryFile::~CBinaryFile() {
  if (m_handle != -1) ::close(static_cast<int>(m_handle));
}

std::size_t CBinaryFile::RawRead(std::uint64_t offset, void* dst, std::size_t n) {
  std::size_t total = 0;
  auto* out = static_cast<std::uint8_t*>(dst);
  while (total < n) {
    const ssize_t got = ::pread(static_cast<int>(m_handle), out + total, n - total, static_cast<off_t>(offset + total));
    if (got <= 0) break;
    total += static_cast<std::size_t>(got);
  }
  return total;
}

bool CBinaryFile::WriteAt(std::uint64_t offset, const void* src, std::size_t n) {
  if (!m_writable) return false;
  m_windowLength = 0;
  std::size_t total = 0;
  const auto* in = static_cast<const std::uint8_t*>(src);
  while (total < n) {
    const ssize_t put = ::pwrite(static_cast<int>(m_handle), in + total, n - total, static_cast<off_t>(offset + total));
    if (put <= 0) return false;
    total += static_cast<std::size_t>(put);
  }
  m_size = std::max(m_size, offset + n);
  return true;
}

bool CBinaryFile::Flush() { return !m_writable || ::fsync(static_cast<int>(m_handle)) == 0; }

#endif

std::size_t CBinaryFile::ReadAt(std::uint64_t offset, void* dst, std::size_t n) {
  if (offset >= m_size || n == 0) return 0;
  n = static_cast<std::size_t>(std::min<std::uint64_t>(n, m_size - offset));
  if (n > kWindowSize / 2) return RawRead(offset, dst, n);  // large reads bypass the window
  const bool inWindow = offset >= m_windowStart && offset + n <= m_windowStart + m_windowLength;
  if (!inWindow) {
    m_window.resize(kWindowSize);
    m_windowStart = offset;
    m_windowLength = RawRead(offset, m_window.data(), kWindowSize);
    if (offset + n > m_windowStart + m_windowLength) n = m_windowLength;
  }
  std::memcpy(dst, m_window.data() + (offset - m_windowStart), n);
  return n;
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path, std::uint64_t maxBytes) {
  const auto file = CBinaryFile::Open(path, CBinaryFile::Access::Read);
  if (!file || file->Size() > maxBytes) return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file->Size()));
  if (!file->ReadExact(0, bytes.data(), bytes.size())) return std::nullopt;
  return bytes;
}

}  // namespace moji
