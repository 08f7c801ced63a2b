#include "FileReplace.h"

#include <system_error>

#include "BinaryFile.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace moji {

namespace {

enum class Claim { Created, Exists, Failed };

Claim ClaimName(const std::filesystem::path& path) {
#ifdef _WIN32
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h != INVALID_HANDLE_VALUE) {
    CloseHandle(h);
    return Claim::Created;
  }
  const DWORD error = GetLastError();
  return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? Claim::Exists : Claim::Failed;
#else
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd >= 0) {
    ::close(fd);
    return Claim::Created;
  }
  return errno == EEXIST ? Claim::Exists : Claim::Failed;
#endif
}

}  // namespace

std::optional<std::filesystem::path> CreateUniqueFile(const std::filesystem::path& folder,
                                                      const std::u16string& prefix,
                                                      const std::u16string& suffix, unsigned first) {
  // A bounded search: a folder holding this many leftovers is treated as unusable.
  constexpr unsigned kAttempts = 100000;
  for (unsigned i = 0; i < kAttempts; ++i) {
    const std::u16string name = prefix + std::filesystem::path(std::to_string(first + i)).u16string() + suffix;
    const std::filesystem::path candidate = folder / std::filesystem::path(name);
    switch (ClaimName(candidate)) {
      case Claim::Created: return candidate;
      case Claim::Exists: continue;
      case Claim::Failed: return std::nullopt;
    }
  }
  return std::nullopt;
}

bool RemoveIfStale(const std::filesystem::path& path) {
#ifdef _WIN32
  if (::DeleteFileW(path.c_str())) return true;
  DWORD error = ::GetLastError();
  // A read-only copy refuses deletion whether or not it is in use.
  if (error == ERROR_ACCESS_DENIED && (::GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY)) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (::DeleteFileW(path.c_str())) return true;
    error = ::GetLastError();
    ::SetFileAttributesW(path.c_str(), attributes);
  }
  return error == ERROR_FILE_NOT_FOUND;
#else
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return errno == ENOENT;
  // Removed only while no writer holds it, and only when the name still means this file.
  struct stat opened {}, named {};
  const bool stale = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 &&
                     ::lstat(path.c_str(), &named) == 0 && opened.st_ino == named.st_ino && opened.st_dev == named.st_dev &&
                     ::unlink(path.c_str()) == 0;
  ::close(fd);
  return stale;
#endif
}

std::optional<std::filesystem::path> ClaimTempFile(const std::filesystem::path& folder, const std::u16string& prefix,
                                                   const std::u16string& suffix) {
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::u16string name = it->path().filename().u16string();
    if (name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
      continue;
    const std::u16string number = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    if (number.find_first_not_of(u"0123456789") != std::u16string::npos) continue;
    std::error_code typeError;
    if (it->is_regular_file(typeError)) RemoveIfStale(it->path());
  }
  return CreateUniqueFile(folder, prefix, suffix);
}

std::optional<std::filesystem::path> CreateTempBeside(const std::filesystem::path& target) {
  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  return ClaimTempFile(folder, u"~" + target.filename().u16string() + u".", u".tmp");
}

bool ReplaceFileWith(const std::filesystem::path& from, const std::filesystem::path& target) {
#ifdef _WIN32
  return MoveFileExW(from.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
  return std::rename(from.c_str(), target.c_str()) == 0;
#endif
}

bool WriteFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> data) {
  // Another process's sweep (ClaimTempFile) can remove the claimed file in the moments it is
  // not open, between the claim and the open and between the close and the move: the write
  // then starts over under a new name.
  for (int attempt = 0; attempt < 3; ++attempt) {
    const auto temp = CreateTempBeside(target);
    if (!temp) return false;
    bool ok = false;
    {
      auto file = CBinaryFile::Open(*temp, CBinaryFile::Access::ReadWrite);
      ok = file && (data.empty() || file->WriteAt(0, data.data(), data.size())) && file->Flush();
    }
    if (ok && ReplaceFileWith(*temp, target)) return true;
    std::error_code ec;
    const bool vanished = !std::filesystem::exists(*temp, ec) && !ec;
    std::filesystem::remove(*temp, ec);
    if (!vanished) return false;
  }
  return false;
}

}  // namespace moji
